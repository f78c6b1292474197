#include "korvel/shell/open_files_dialog.h"

#include "platform/common_dialog.h"

namespace {

QStringList chooseToOpen(QWidget* owner, const QString& initDir, const QString& filter, const QString& title,
    int selectionFlags)
{
    CommonDialog dialog(owner);
    dialog.CancelError = true;
    dialog.FileName.clear();
    dialog.InitDir = initDir;
    dialog.Filter = filter;
    dialog.FilterIndex = 1;
    dialog.Flags = cdlOFNExplorer | cdlOFNHideReadOnly | selectionFlags;
    dialog.DialogTitle = title;
    if (!dialog.ShowOpen()) {
        return {};
    }
    return dialog.FileNames();
}

} // namespace

QStringList chooseFilesToOpen(
    QWidget* owner, const QString& initDir, const QString& filter, const QString& title)
{
    return chooseToOpen(owner, initDir, filter, title, cdlOFNAllowMultiselect);
}

QString chooseFileToOpen(QWidget* owner, const QString& initDir, const QString& filter, const QString& title)
{
    return chooseToOpen(owner, initDir, filter, title, 0).value(0);
}

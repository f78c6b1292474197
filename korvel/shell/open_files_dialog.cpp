#include "korvel/shell/open_files_dialog.h"

#include "platform/common_dialog.h"

QStringList chooseFilesToOpen(
    QWidget* owner, const QString& initDir, const QString& filter, const QString& title)
{
    CommonDialog dialog(owner);
    dialog.CancelError = true;
    dialog.FileName.clear();
    dialog.InitDir = initDir;
    dialog.Filter = filter;
    dialog.FilterIndex = 1;
    dialog.Flags = cdlOFNExplorer | cdlOFNAllowMultiselect | cdlOFNHideReadOnly;
    dialog.DialogTitle = title;
    if (!dialog.ShowOpen()) {
        return {};
    }
    return dialog.FileNames();
}

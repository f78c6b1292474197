#include "platform/qt_common_dialog.h"

#include "platform/file_dialog_filter.h"
#include "platform/program_window.h"
#include "platform/vb_colors.h"

#include <QColorDialog>
#include <QDir>
#include <QFileDialog>

namespace {

QWidget* parentFor(QWidget* owner)
{
    return owner ? owner : dialogOwner();
}

CommonDialogAnswer showFileDialog(const CommonDialogRequest& request, QWidget* owner)
{
    const bool save = request.kind == CommonDialogKind::Save;
    QFileDialog dialog(parentFor(owner));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The overwrite question and the default extension are the common
    // dialog's own, so they are the same in tests.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    if (save) {
        dialog.setFileMode(QFileDialog::AnyFile);
    } else if (request.flags & cdlOFNAllowMultiselect) {
        dialog.setFileMode(QFileDialog::ExistingFiles);
    } else {
        dialog.setFileMode(
            (request.flags & cdlOFNFileMustExist) ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    }
    if (!request.title.isEmpty()) {
        dialog.setWindowTitle(request.title);
    }

    QStringList nameFilters;
    QStringList shownNames; // what the dialog shows with the details hidden
    for (const FileDialogFilter& filter : parseFileDialogFilter(request.filter)) {
        nameFilters << qtNameFilter(filter);
        shownNames << qtNameFilter(filter).section(QLatin1String(" ("), 0, -2);
    }
    if (!nameFilters.isEmpty()) {
        dialog.setNameFilters(nameFilters);
        dialog.selectNameFilter(nameFilters.value(request.filterIndex - 1, nameFilters.front()));
    }
    if (!request.initDir.isEmpty()) {
        dialog.setDirectory(request.initDir);
    }
    if (!request.fileName.isEmpty() && !request.fileName.contains(QChar(0))) {
        dialog.selectFile(request.fileName);
    }

    CommonDialogAnswer answer;
    if (dialog.exec() != QDialog::Accepted) {
        return answer;
    }
    answer.accepted = true;
    answer.paths = dialog.selectedFiles();
    // Depending on the Qt version the selected filter comes back whole or as shown.
    const QString selected = dialog.selectedNameFilter();
    const qsizetype index = nameFilters.indexOf(selected);
    answer.filterIndex = int(index >= 0 ? index : shownNames.indexOf(selected)) + 1;
    return answer;
}

CommonDialogAnswer showColorDialog(const CommonDialogRequest& request, QWidget* owner)
{
    const QColor start = (request.flags & cdlCCRGBInit) ? toQColor(request.color) : QColor(Qt::black);
    QColorDialog dialog(start, parentFor(owner));
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    if (!request.title.isEmpty()) {
        dialog.setWindowTitle(request.title);
    }
    CommonDialogAnswer answer;
    if (dialog.exec() == QDialog::Accepted) {
        answer.accepted = true;
        answer.color = fromQColor(dialog.selectedColor());
    }
    return answer;
}

CommonDialogAnswer showFolderDialog(const CommonDialogRequest& request, QWidget* owner)
{
    QFileDialog dialog(parentFor(owner), request.title);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setDirectory(request.initDir.isEmpty() ? QDir::homePath() : request.initDir);
    CommonDialogAnswer answer;
    if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
        answer.accepted = true;
        answer.paths = QStringList { QDir::cleanPath(dialog.selectedFiles().front()) };
    }
    return answer;
}

} // namespace

CommonDialogAnswer QtCommonDialog::show(const CommonDialogRequest& request, QWidget* owner)
{
    switch (request.kind) {
    case CommonDialogKind::Open:
    case CommonDialogKind::Save:
        return showFileDialog(request, owner);
    case CommonDialogKind::Color:
        return showColorDialog(request, owner);
    case CommonDialogKind::Folder:
        return showFolderDialog(request, owner);
    }
    return {};
}

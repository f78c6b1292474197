#include "platform/common_dialog.h"

#include "platform/file_helpers.h"
#include "platform/msg_box.h"
#include "platform/qt_common_dialog.h"

#include <QDir>
#include <QFileInfo>

namespace {

QtCommonDialog g_qtDialog;
CommonDialogBackend* g_backend = nullptr;

CommonDialogBackend& backend()
{
    return g_backend ? *g_backend : g_qtDialog;
}

QString dialogCaption(const QString& title, const QString& fallback)
{
    return title.isEmpty() ? fallback : title;
}

// The system dialog kept itself open on these two checks; the question and
// the refusal are ours, the dialog is shown again after them.
bool confirmReplace(const QString& path, const QString& title)
{
    const QString prompt
        = QDir::toNativeSeparators(path) + QLatin1String(" already exists.\rDo you want to replace it?");
    return MsgBox(prompt, vbYesNo + vbExclamation, dialogCaption(title, QStringLiteral("Save As"))) == vbYes;
}

QString firstMissing(const QStringList& paths)
{
    for (const QString& path : paths) {
        if (!QFileInfo(path).isFile()) {
            return path;
        }
    }
    return QString();
}

void refuseMissing(const QString& path, const QString& title)
{
    const QString prompt = isFolder(path) ? folderNotFileMessage(path)
                                          : QDir::toNativeSeparators(path)
            + QLatin1String("\rFile not found.\rCheck the file name and try again.");
    MsgBox(prompt, vbOKOnly + vbExclamation, dialogCaption(title, QStringLiteral("Open")));
}

} // namespace

CommonDialog::CommonDialog(QWidget* owner)
    : m_owner(owner)
{
}

CommonDialogRequest CommonDialog::request(CommonDialogKind kind) const
{
    CommonDialogRequest request;
    request.kind = kind;
    request.title = DialogTitle;
    request.filter = Filter;
    request.filterIndex = FilterIndex < 1 ? 1 : FilterIndex;
    request.fileName = FileName;
    request.initDir = InitDir;
    request.flags = Flags;
    request.color = Color;
    return request;
}

bool CommonDialog::finish(bool accepted)
{
    m_cancelled = !accepted;
    return accepted;
}

void CommonDialog::takeFiles(const QStringList& paths)
{
    if (paths.size() == 1) {
        FileName = paths.front();
        FileTitle = QFileInfo(paths.front()).fileName();
        return;
    }
    const QDir folder = QFileInfo(paths.front()).absoluteDir();
    QStringList parts { QDir::cleanPath(folder.absolutePath()) };
    for (const QString& path : paths) {
        parts << folder.relativeFilePath(path);
    }
    FileName = parts.join(QChar(0));
    FileTitle.clear();
}

bool CommonDialog::ShowOpen()
{
    CommonDialogRequest asked = request(CommonDialogKind::Open);
    for (;;) {
        const CommonDialogAnswer answer = backend().show(asked, m_owner);
        if (!answer.accepted || answer.paths.isEmpty()) {
            return finish(false);
        }
        QStringList paths = answer.paths;
        if (!(Flags & cdlOFNAllowMultiselect)) {
            paths = paths.mid(0, 1);
        }
        const QString missing = (Flags & cdlOFNFileMustExist) ? firstMissing(paths) : QString();
        if (!missing.isEmpty()) {
            refuseMissing(missing, DialogTitle);
            continue;
        }
        takeFiles(paths);
        if (answer.filterIndex > 0) {
            FilterIndex = answer.filterIndex;
        }
        return finish(true);
    }
}

bool CommonDialog::ShowSave()
{
    CommonDialogRequest asked = request(CommonDialogKind::Save);
    for (;;) {
        const CommonDialogAnswer answer = backend().show(asked, m_owner);
        if (!answer.accepted || answer.paths.isEmpty()) {
            return finish(false);
        }
        const QString path = withDefaultExtension(answer.paths.front(), DefaultExt);
        // A link whose file is missing is a name taken all the same: saving
        // to it creates the file it names, wherever that is.
        const QFileInfo chosen(path);
        if ((Flags & cdlOFNOverwritePrompt) && (chosen.exists() || chosen.isSymLink())
            && !confirmReplace(path, DialogTitle)) {
            asked.fileName = path; // back in the dialog with the name the user gave
            continue;
        }
        takeFiles({ path });
        if (answer.filterIndex > 0) {
            FilterIndex = answer.filterIndex;
        }
        return finish(true);
    }
}

bool CommonDialog::ShowColor()
{
    const CommonDialogAnswer answer = backend().show(request(CommonDialogKind::Color), m_owner);
    if (!answer.accepted) {
        return finish(false);
    }
    Color = answer.color;
    return finish(true);
}

bool CommonDialog::ShowFolder()
{
    const CommonDialogAnswer answer = backend().show(request(CommonDialogKind::Folder), m_owner);
    if (!answer.accepted || answer.paths.isEmpty() || answer.paths.front().isEmpty()) {
        return finish(false);
    }
    FileName = answer.paths.front();
    FileTitle = QFileInfo(FileName).fileName();
    return finish(true);
}

QStringList CommonDialog::FileNames() const
{
    if (FileName.isEmpty()) {
        return {};
    }
    const QStringList parts = FileName.split(QChar(0));
    if (parts.size() == 1) {
        return parts;
    }
    QString folder = parts.front();
    if (!folder.endsWith(QLatin1Char('/'))) {
        folder += QLatin1Char('/');
    }
    QStringList paths;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        if (!parts[i].isEmpty()) {
            paths << QDir::cleanPath(folder + parts[i]);
        }
    }
    return paths;
}

QString withDefaultExtension(const QString& path, const QString& defaultExt)
{
    QString ext = defaultExt;
    while (ext.startsWith(QLatin1Char('.'))) {
        ext.remove(0, 1);
    }
    const QString name = QFileInfo(path).fileName();
    if (ext.isEmpty() || name.isEmpty() || name.contains(QLatin1Char('.'))) {
        return path;
    }
    return path + QLatin1Char('.') + ext;
}

void setCommonDialogBackend(CommonDialogBackend* backend)
{
    g_backend = backend;
}

#include "korvel/prefs/load_from_command_line.h"

#include "korvel/shell/folder_refusal.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/program_globals.h"
#include "platform/msg_box.h"
#include "platform/vb_error.h"

#include <QDir>

namespace {

// The runtime's Trim: blanks only, not tabs or line ends.
QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ') {
        ++first;
    }
    while (last > first && text[last - 1] == u' ') {
        --last;
    }
    return text.mid(first, last - first);
}

// A relative path names a file from the folder KORVEL was started in. The
// file is opened, and its layer, image or block held, by its full path, as
// the file dialogs and a drop give it, so a session saved later finds the
// file whatever folder it is loaded from.
QString fullPath(const QString& path)
{
    if (path.isEmpty() || !QDir::isRelativePath(path)) {
        return path;
    }
    return QDir::cleanPath(QDir(globals().StartDir).absoluteFilePath(path));
}

} // namespace

QString commandLineExtension(const QString& path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return (dot < 0 ? path : path.mid(dot + 1)).toLower();
}

void LoadFromCommandLine(QString& commandLine)
{
    QString path = commandLine;
    if (path.size() >= 2 && path.startsWith(u'"') && path.endsWith(u'"')) {
        path = path.mid(1, path.size() - 2);
    }
    path = trimBlanks(path);
    commandLine = path;
    path = fullPath(path);

    MainForm* form = MainForm::existing();
    if (!form || refuseFolder(path)) {
        return;
    }
    const QString extension = commandLineExtension(path);
    try {
        if (extension == u"korvel") {
            form->LoadSession(path);
        } else if (extension == u"jpg" || extension == u"gif" || extension == u"bmp") {
            if (form->CheckImageFile(path)) {
                form->LoadImageLayer(path);
                form->ZoomToImages();
            }
        } else if (extension == u"shp" || extension == u"e00") {
            if (form->CheckGISFile(path)) {
                form->OpenGISLayer(path);
                form->ZoomToLayers(0, 1);
            }
        } else if (extension == u"no1") {
            if (form->CheckAGNAVFile(path)) {
                form->LoadAGNAVBlock(path);
                form->ZoomToLayers(0, 2);
            }
        }
    } catch (const VbError& error) {
        // A file that cannot be loaded (an image that is no picture, a
        // header that cannot be read): the user learns why, and the program
        // starts with what it has.
        MsgBox(error.Description());
    }
}

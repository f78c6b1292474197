#include "korvel/shell/folder_refusal.h"

#include "platform/file_helpers.h"
#include "platform/msg_box.h"

bool refuseFolder(const QString& path)
{
    if (!isFolder(path)) {
        return false;
    }
    MsgBox(folderNotFileMessage(path));
    return true;
}

bool refuseMissingFile(const QString& path, const QString& missingMessage)
{
    if (refuseFolder(path)) {
        return true;
    }
    if (FileExists(path)) {
        return false;
    }
    if (!path.isEmpty()) {
        MsgBox(missingMessage);
    }
    return true;
}

QString quotedMissingFileMessage(const QString& path)
{
    return u'"' + path + QStringLiteral("\" does not exist");
}

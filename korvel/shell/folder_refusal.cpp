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

bool refuseMissingFile(const QString& path)
{
    if (refuseFolder(path)) {
        return true;
    }
    if (FileExists(path)) {
        return false;
    }
    if (!path.isEmpty()) {
        MsgBox(QStringLiteral("File does not exist"));
    }
    return true;
}

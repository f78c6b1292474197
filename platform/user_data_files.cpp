#include "platform/user_data_files.h"

#include "platform/file_helpers.h"

#include <QDir>
#include <QStandardPaths>

QString userDataFolder()
{
    // Qt reads $XDG_DATA_HOME afresh on every call and falls back to
    // ~/.local/share when it is unset or not absolute.
    return QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        + QStringLiteral("/KORVEL/");
}

QString userDataFilePath(const QString& fileName)
{
    return userDataFolder() + fileName;
}

QString programFileToRead(const QString& programFolder, const QString& fileName)
{
    const QString own = userDataFilePath(fileName);
    return FileExists(own) ? own : programFolder + fileName;
}

#include "korvel/prefs/session_messages.h"

#include "platform/file_helpers.h"

QString missingSessionFilePrompt(const QString& path)
{
    return QStringLiteral("File \"%1\" not found.\r\r"
                          "This file could have been:\r"
                          "\ta)  deleted from this location\r"
                          "\tb)  moved from this location\r"
                          "\tc)  renamed\r\r"
                          "Try locating the file, loading it separately, then resaving this session.")
        .arg(path);
}

QString folderInSessionPrompt(const QString& path)
{
    return folderNotFileMessage(path)
        + QStringLiteral("\r\rTry locating the file, loading it separately, then resaving this session.");
}

QString unknownSessionEllipsoidPrompt(const QString& sessionEllipsoid, const QString& currentEllipsoid)
{
    return QStringLiteral("This session file uses the '%1' ellipsoid,\r"
                          "but KORVEL cannot find this ellipsoid in its list.\r\r"
                          "Do you want to use the current ellipsoid?\r"
                          "('%2')")
        .arg(sessionEllipsoid, currentEllipsoid);
}

QString sessionNeedsEmptyWorkspaceMessage()
{
    return QStringLiteral("A session can only be loaded while no files are loaded.\r"
                          "Close all files first (File > Close All Files).");
}

#pragma once
// The texts of the questions a session reload asks.
#include <QString>

// OK/Cancel: a file the session lists is not where it was.
QString missingSessionFilePrompt(const QString& path);

// OK/Cancel: a path the session lists as a file is a folder now.
QString folderInSessionPrompt(const QString& path);

// Yes/No: the session's ellipsoid is not in the ellipsoid table; Yes goes
// on with the one in use.
QString unknownSessionEllipsoidPrompt(const QString& sessionEllipsoid, const QString& currentEllipsoid);

// The refusal of a session load while files are loaded.
QString sessionNeedsEmptyWorkspaceMessage();

#pragma once
// The one refusal of a folder given where a file is expected, whichever way
// it came in: a file dialog of the File menu or of Tools > Meteorology, the
// command line, a drop on the window, or a session file.
#include <QString>

// True, after telling the user "<path> is a folder, not a file.", when the
// path names a folder; false, saying nothing, for anything else.
bool refuseFolder(const QString& path);

// True, after telling the user why, when the path cannot be opened as a
// file: a folder (as above) or a file that does not exist (`missingMessage`,
// by default "File does not exist"). An empty path is a cancelled dialog and
// is refused silently.
bool refuseMissingFile(
    const QString& path, const QString& missingMessage = QStringLiteral("File does not exist"));

// The missing-file message of the image and meteorological loaders, which
// name the file: the path in double quotes, then " does not exist".
QString quotedMissingFileMessage(const QString& path);

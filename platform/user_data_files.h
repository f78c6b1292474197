#pragma once
// Files the program keeps beside itself, as one user sees them. An installed
// program folder is read-only for the people who run it, so what the program
// writes there goes to the user's data folder instead ($XDG_DATA_HOME/KORVEL/,
// usually ~/.local/share/KORVEL/), and a file is looked up in the user's data
// folder first, the copy shipped in the program folder after. A user's own
// copy thus stands in for the shipped one, file by file.
#include <QString>

// The user's data folder, ending in "/". It is not created here: a writer
// makes it (makeFolder) before it writes.
QString userDataFolder();

// Where the user's copy of a program-folder file lives (or would live).
QString userDataFilePath(const QString& fileName);

// The copy of `fileName` to read: the user's copy when it exists, otherwise
// the one in `programFolder` (ending in "/"), whether or not that exists.
QString programFileToRead(const QString& programFolder, const QString& fileName);

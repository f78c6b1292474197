#pragma once
// Saving and starting the new setup the updater downloaded. The setup goes
// into the folder "Update" of the program folder (the main program deletes
// that folder at its next start) under the name the server serves it by, and
// is started as a program of its own, without arguments and without waiting.
#include "platform/async_read.h"

#include <QString>

namespace quillet {

inline constexpr char UpdateFolderName[] = "Update";
inline constexpr char SetupFileName[] = "KORVEL_Update.exe";

// Returns the setup's path: `rootDir` (ending in "/") + "Update/" + SetupFileName.
QString setupPath(const QString& rootDir);

// Saves and starts the setup a finished read brought. Nothing is written
// and nothing started unless the read succeeded with exactly `expectedSize`
// bytes (a short download is no setup) and, when `expectedSha256` holds the
// checksum the version file named, the bytes hash to it: a setup changed on
// its way is discarded, never run. The file is written whole through a
// temporary file and a rename, so an older, longer setup is replaced, never
// overwritten in part; then it is made executable and started. Returns empty
// text when the setup runs, otherwise what went wrong, for the user.
QString saveAndStartSetup(const QString& rootDir, const AsyncProperty& download, qint64 expectedSize,
    const QByteArray& expectedSha256 = QByteArray());

} // namespace quillet

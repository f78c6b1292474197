#pragma once
// The update server's version file "version.txt": line 1 the latest version
// (a decimal number with "." as its point, e.g. 1.05), a line feed, then the
// size of the new setup in bytes (everything after the first line feed).
// Versions compare as single-precision numbers, so 1.1 and 1.10 are the same
// version and 1.9 is newer than 1.10.
#include <QByteArray>
#include <QString>

namespace quillet {

struct VersionFile
{
    QString latestVersion; // line 1 as sent
    QString setupSize; // line 2 as sent
};

// Splits the bytes, each byte one character. Without a line feed, line 2 is empty.
VersionFile splitVersionFile(const QByteArray& bytes);

struct UpdateCheck
{
    QString error; // why nothing can be offered, for the user; empty when the check worked
    bool updateAvailable = false;
    qint32 setupSize = 0; // bytes, when an update is available
};

// Compares the installed version with the file's. Both versions and the size
// must be numbers (blanks and a carriage return around them do not count;
// "." is the decimal point in every locale), the size a whole number of bytes
// above 0; otherwise `error` says which is wrong and nothing is offered.
UpdateCheck checkForUpdate(const QString& installedVersion, const VersionFile& file);

// Returns a line of the file as shown to the user: without the blanks and
// carriage return around it.
QString shownLine(const QString& line);

} // namespace quillet

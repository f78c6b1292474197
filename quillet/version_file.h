#pragma once
// The update server's version file "version.txt": line 1 the latest version
// (a decimal number with "." as its point, e.g. 1.05), a line feed, line 2
// the size of the new setup in bytes, and optionally a line feed and a third
// line "SHA256 " followed by the setup's SHA-256 in 64 hexadecimal digits.
// A setup that does not match that checksum is never started; a file of two
// lines offers its setup as before. Versions compare as single-precision
// numbers, so 1.1 and 1.10 are the same version and 1.9 is newer than 1.10.
//
// Everything in the file comes from a server we do not control: it is read
// up to VersionFileMaxBytes, and a line quoted back to the user is cut to
// its first QuotedLineCharacters characters.
#include <QByteArray>
#include <QString>

namespace quillet {

inline constexpr qint64 VersionFileMaxBytes = 64 * 1024;
inline constexpr qsizetype QuotedLineCharacters = 80;

struct VersionFile
{
    QString latestVersion; // line 1 as sent
    QString setupSize; // line 2 as sent
    QString checksum; // line 3 and anything after it, as sent; empty in a file of two lines
};

// Splits the bytes, each byte one character, at the first two line feeds.
// Without a line feed, line 2 is empty; without a second, so is line 3.
VersionFile splitVersionFile(const QByteArray& bytes);

struct UpdateCheck
{
    QString error; // why nothing can be offered, for the user; empty when the check worked
    bool updateAvailable = false;
    qint32 setupSize = 0; // bytes, when an update is available
    QByteArray setupSha256; // the 32 bytes the setup must hash to; empty when the file names none
};

// Compares the installed version with the file's. Both versions and the size
// must be numbers (blanks and a carriage return around them do not count;
// "." is the decimal point in every locale), the size a whole number of bytes
// above 0, and a third line a checksum; otherwise `error` says which line is
// wrong and nothing is offered.
UpdateCheck checkForUpdate(const QString& installedVersion, const VersionFile& file);

// The message for a version file larger than VersionFileMaxBytes.
QString versionFileTooLargeText();

// Returns a line of the file as shown to the user: without the blanks and
// carriage return around it.
QString shownLine(const QString& line);

// A line as a message quotes it: shown, cut to QuotedLineCharacters with
// "..." after, control characters as blanks.
QString quotedLine(const QString& line);

} // namespace quillet

// Feeds arbitrary bytes, as the update server's version file, to the
// updater's reader. The three lines it splits join again to the file; a check
// offers an update with a size of at least one byte and a whole checksum or
// none, or gives a reason and offers nothing; a version is never newer than
// itself; and a line quoted back to the user is short and free of control
// characters.
#include "quillet/version_file.h"

#include <cstdint>
#include <cstdlib>

namespace {

void checkOutcome(const quillet::UpdateCheck& check)
{
    if (!check.error.isEmpty()) {
        if (check.updateAvailable || check.setupSize != 0 || !check.setupSha256.isEmpty())
            std::abort();
    } else if (check.updateAvailable) {
        if (check.setupSize < 1 || (!check.setupSha256.isEmpty() && check.setupSha256.size() != 32))
            std::abort();
    } else if (check.setupSize != 0 || !check.setupSha256.isEmpty()) {
        std::abort();
    }
}

void checkQuoted(const QString& line)
{
    const QString quoted = quillet::quotedLine(line);
    if (quoted.size() > quillet::QuotedLineCharacters + 3)
        std::abort();
    for (const QChar c : quoted) {
        if (c.category() == QChar::Other_Control)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (qint64(size) > quillet::VersionFileMaxBytes)
        return 0; // the updater reads no more than that
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const quillet::VersionFile file = quillet::splitVersionFile(bytes);
    QString joined = file.latestVersion;
    const int lineFeeds = int(bytes.count('\n'));
    if (lineFeeds >= 1)
        joined += QLatin1Char('\n') + file.setupSize;
    if (lineFeeds >= 2)
        joined += QLatin1Char('\n') + file.checksum;
    if (joined != QString::fromLatin1(bytes))
        std::abort();

    checkOutcome(quillet::checkForUpdate(QStringLiteral("1.05"), file));
    const quillet::UpdateCheck same = quillet::checkForUpdate(file.latestVersion, file);
    checkOutcome(same);
    if (same.updateAvailable)
        std::abort();
    checkQuoted(file.latestVersion);
    checkQuoted(file.setupSize);
    checkQuoted(file.checksum);
    return 0;
}

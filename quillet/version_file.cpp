#include "quillet/version_file.h"

#include "platform/vb_numbers.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>
#include <optional>

namespace quillet {

namespace {

// A version as the runtime's CSng reads it, in the C locale. Texts such as
// "1,05" (a comma for the point) or "1.2.3" are no numbers.
std::optional<float> versionNumber(const QString& text)
{
    const std::optional<double> value = numericValue(shownLine(text));
    if (!value || !std::isfinite(*value) || std::abs(*value) > double(std::numeric_limits<float>::max())) {
        return std::nullopt;
    }
    return float(*value);
}

// "SHA256" and 64 hexadecimal digits, blanks between; the 32 bytes they spell.
std::optional<QByteArray> checksumOf(const QString& line)
{
    static const QRegularExpression form(QStringLiteral("^SHA256[ \\t]+([0-9A-Fa-f]{64})$"));
    const QRegularExpressionMatch match = form.match(shownLine(line));
    if (!match.hasMatch()) {
        return std::nullopt;
    }
    return QByteArray::fromHex(match.captured(1).toLatin1());
}

std::optional<qint32> sizeNumber(const QString& text)
{
    const std::optional<double> value = numericValue(shownLine(text));
    if (!value || !(*value >= 1.0) || *value > double(std::numeric_limits<qint32>::max())
        || *value != std::floor(*value)) {
        return std::nullopt;
    }
    return qint32(*value);
}

QString invalidFileText(const QString& what)
{
    return QStringLiteral("The version file of the update server cannot be used:\r") + what
        + QStringLiteral("\rNo update can be offered.");
}

} // namespace

QString versionFileTooLargeText()
{
    return invalidFileText(QStringLiteral("it is larger than %1 KB.").arg(VersionFileMaxBytes / 1024));
}

VersionFile splitVersionFile(const QByteArray& bytes)
{
    const QString text = QString::fromLatin1(bytes);
    const qsizetype first = text.indexOf(QLatin1Char('\n'));
    if (first < 0) {
        return { text, QString(), QString() };
    }
    const qsizetype second = text.indexOf(QLatin1Char('\n'), first + 1);
    if (second < 0) {
        return { text.left(first), text.mid(first + 1), QString() };
    }
    return { text.left(first), text.mid(first + 1, second - first - 1), text.mid(second + 1) };
}

QString shownLine(const QString& line)
{
    return line.trimmed();
}

QString quotedLine(const QString& line)
{
    const QString shown = shownLine(line);
    QString quoted = shown.left(QuotedLineCharacters);
    for (QChar& c : quoted) {
        if (c.category() == QChar::Other_Control) {
            c = u' ';
        }
    }
    return shown.size() > QuotedLineCharacters ? quoted + QStringLiteral("...") : quoted;
}

UpdateCheck checkForUpdate(const QString& installedVersion, const VersionFile& file)
{
    UpdateCheck check;
    const std::optional<float> installed = versionNumber(installedVersion);
    if (!installed) {
        check.error = QStringLiteral("The installed version \"%1\" (the setting \"Version\") is no number.\r"
                                     "No update can be offered.")
                          .arg(quotedLine(installedVersion));
        return check;
    }
    const std::optional<float> latest = versionNumber(file.latestVersion);
    if (!latest) {
        check.error = invalidFileText(QStringLiteral("its first line, \"%1\", is no version number.")
                                          .arg(quotedLine(file.latestVersion)));
        return check;
    }
    const std::optional<qint32> size = sizeNumber(file.setupSize);
    if (!size) {
        check.error = invalidFileText(
            QStringLiteral("its second line, \"%1\", is no size in bytes.").arg(quotedLine(file.setupSize)));
        return check;
    }
    std::optional<QByteArray> checksum;
    if (!shownLine(file.checksum).isEmpty()) {
        checksum = checksumOf(file.checksum);
        if (!checksum) {
            check.error = invalidFileText(QStringLiteral("its third line, \"%1\", is no checksum "
                                                         "(\"SHA256\" and 64 hexadecimal digits).")
                                              .arg(quotedLine(file.checksum)));
            return check;
        }
    }
    check.updateAvailable = *installed < *latest;
    check.setupSize = check.updateAvailable ? *size : 0;
    check.setupSha256 = check.updateAvailable && checksum ? *checksum : QByteArray();
    return check;
}

} // namespace quillet

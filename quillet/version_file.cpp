#include "quillet/version_file.h"

#include "platform/vb_numbers.h"

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

VersionFile splitVersionFile(const QByteArray& bytes)
{
    const QString text = QString::fromLatin1(bytes);
    const qsizetype lineFeed = text.indexOf(QLatin1Char('\n'));
    if (lineFeed < 0) {
        return { text, QString() };
    }
    return { text.left(lineFeed), text.mid(lineFeed + 1) };
}

QString shownLine(const QString& line)
{
    return line.trimmed();
}

UpdateCheck checkForUpdate(const QString& installedVersion, const VersionFile& file)
{
    UpdateCheck check;
    const std::optional<float> installed = versionNumber(installedVersion);
    if (!installed) {
        check.error = QStringLiteral("The installed version \"%1\" (the setting \"Version\") is no number.\r"
                                     "No update can be offered.")
                          .arg(shownLine(installedVersion));
        return check;
    }
    const std::optional<float> latest = versionNumber(file.latestVersion);
    if (!latest) {
        check.error = invalidFileText(QStringLiteral("its first line, \"%1\", is no version number.")
                                          .arg(shownLine(file.latestVersion)));
        return check;
    }
    const std::optional<qint32> size = sizeNumber(file.setupSize);
    if (!size) {
        check.error = invalidFileText(
            QStringLiteral("its second line, \"%1\", is no size in bytes.").arg(shownLine(file.setupSize)));
        return check;
    }
    check.updateAvailable = *installed < *latest;
    check.setupSize = check.updateAvailable ? *size : 0;
    return check;
}

} // namespace quillet

#include "quillet/update_texts.h"

#include "platform/vb_format.h"

namespace quillet {

QString connectionText(bool connected, const QString& connectionName)
{
    return QStringLiteral("Current internet connection:  ")
        + (connected ? connectionName : QStringLiteral("None"));
}

QString couldNotConnectText(const QString& host, const QString& reason)
{
    const QString text = QStringLiteral("Could not connect to\r     ") + host;
    return reason.isEmpty() ? text : text + QStringLiteral("\r     ") + reason;
}

QString readFailureReason(const AsyncProperty& read)
{
    switch (read.Fault) {
    case AsyncReadFault::HttpStatus:
        return read.Status;
    case AsyncReadFault::Stalled:
        return QStringLiteral("The server stopped sending.");
    default:
        return QString();
    }
}

QString versionsText(const QString& installedVersion, const QString& latestVersion)
{
    return QStringLiteral("Installed version:  ") + installedVersion + QStringLiteral("\rLatest version:  ")
        + latestVersion;
}

QString sizeText(qint32 setupSize)
{
    return QStringLiteral("Size:  ") + Format(double(setupSize) / 1024.0, QStringLiteral("#,##0"))
        + QStringLiteral(" KB");
}

QString progressText(qint64 bytesRead, qint64 bytesMax)
{
    if (bytesMax < 1) {
        return QString::number(bytesRead);
    }
    const QString counts = QStringLiteral("###,###,###");
    return Format(double(bytesRead), counts) + QStringLiteral(" / ") + Format(double(bytesMax), counts)
        + QStringLiteral("\r(") + Format(double(bytesRead) / double(bytesMax), QStringLiteral("0.0%"))
        + QStringLiteral(")");
}

} // namespace quillet

#pragma once
// The texts the updater's labels show. Lines are joined by a carriage
// return, as the labels were given them; numbers are formatted in the C locale.
#include <QString>

namespace quillet {

inline constexpr char CheckingText[] = "Checking for updates...";

// "Current internet connection:  " and the connection's name, or "None".
QString connectionText(bool connected, const QString& connectionName);
// "Could not connect to", and the host on the next line after five blanks.
QString couldNotConnectText(const QString& host);
// "Installed version:  1.00" and "Latest version:  1.1" on the next line.
QString versionsText(const QString& installedVersion, const QString& latestVersion);
// "Size:  2,000 KB" for a size in bytes.
QString sizeText(qint32 setupSize);
// The bytes read and, when the total is known (at least 1), the total and
// the share done: "500,000 / 1,000,000" and "(50.0%)" on the next line.
// Without a total only the bytes read, without separators: "12345".
QString progressText(qint64 bytesRead, qint64 bytesMax);

} // namespace quillet

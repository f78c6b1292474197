#pragma once
// The texts the updater's labels show. Lines are joined by a carriage
// return, as the labels were given them; numbers are formatted in the C locale.
#include "platform/async_read.h"

#include <QString>

namespace quillet {

inline constexpr char CheckingText[] = "Checking for updates...";

// "Current internet connection:  " and the connection's name, or "None".
QString connectionText(bool connected, const QString& connectionName);
// "Could not connect to", and the host on the next line after five blanks;
// then, when given, the reason on a third line indented alike ("404 Not Found").
QString couldNotConnectText(const QString& host, const QString& reason = QString());
// What the label adds to "Could not connect to" for a failed read: the
// server's error status ("404 Not Found"), or that it stopped sending; empty
// for a connection that failed on its own.
QString readFailureReason(const AsyncProperty& read);
// "Installed version:  1.00" and "Latest version:  1.1" on the next line.
QString versionsText(const QString& installedVersion, const QString& latestVersion);
// "Size:  2,000 KB" for a size in bytes.
QString sizeText(qint32 setupSize);
// The bytes read and, when the total is known (at least 1), the total and
// the share done: "500,000 / 1,000,000" and "(50.0%)" on the next line.
// Without a total only the bytes read, without separators: "12345".
QString progressText(qint64 bytesRead, qint64 bytesMax);

} // namespace quillet

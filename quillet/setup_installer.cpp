#include "quillet/setup_installer.h"

#include "platform/file_helpers.h"
#include "platform/process_launcher.h"
#include "platform/vb_format.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace quillet {

namespace {

QString byteCount(qint64 bytes)
{
    return Format(double(bytes), QStringLiteral("#,##0"));
}

// Executable for whoever may read it, as an installed program is.
bool makeExecutable(const QString& path)
{
    QFileDevice::Permissions permissions
        = QFile::permissions(path) | QFileDevice::ExeOwner | QFileDevice::ExeUser;
    if (permissions.testFlag(QFileDevice::ReadGroup)) {
        permissions |= QFileDevice::ExeGroup;
    }
    if (permissions.testFlag(QFileDevice::ReadOther)) {
        permissions |= QFileDevice::ExeOther;
    }
    return QFile::setPermissions(path, permissions);
}

} // namespace

QString setupPath(const QString& rootDir)
{
    return rootDir + QLatin1String(UpdateFolderName) + QLatin1Char('/') + QLatin1String(SetupFileName);
}

QString saveAndStartSetup(const QString& rootDir, const AsyncProperty& download, qint64 expectedSize,
    const QByteArray& expectedSha256)
{
    if (download.Fault == AsyncReadFault::TooLarge) {
        return QStringLiteral("The new setup is larger than the %1 bytes the version file announced.\r"
                              "Nothing was saved.")
            .arg(byteCount(expectedSize));
    }
    if (download.StatusCode == vbAsyncStatusCodeError) {
        return QStringLiteral("The new setup could not be downloaded:\r") + download.Status;
    }
    const QByteArray bytes = download.Value.toByteArray();
    if (bytes.size() != expectedSize) {
        return QStringLiteral("The new setup did not arrive whole: %1 of %2 bytes were received.\r"
                              "Nothing was saved. Please try again.")
            .arg(byteCount(bytes.size()), byteCount(expectedSize));
    }
    if (!expectedSha256.isEmpty()
        && QCryptographicHash::hash(bytes, QCryptographicHash::Sha256) != expectedSha256) {
        return QStringLiteral("The new setup does not match the checksum of the version file: it was "
                              "damaged or changed on its way.\rIt was deleted and not started.");
    }

    const QString folder = rootDir + QLatin1String(UpdateFolderName);
    QString error;
    if (!QFileInfo(folder).isDir() && !makeFolder(folder, &error)) {
        return QStringLiteral("The folder %1 for the new setup could not be created:\r%2").arg(folder, error);
    }
    const QString path = setupPath(rootDir);
    if (!writeFileAtomically(path, bytes, &error)) {
        return QStringLiteral("The new setup could not be saved as %1:\r%2").arg(path, error);
    }
    if (!makeExecutable(path)) {
        return QStringLiteral("The new setup %1 could not be made executable.").arg(path);
    }
    const ProcessStartResult started = startProgram(path);
    if (!started.started) {
        return QStringLiteral("The new setup %1 could not be started:\r%2").arg(path, started.error);
    }
    return QString();
}

} // namespace quillet

#include "platform/private_work_file.h"

#include "platform/user_data_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kNameAttempts = 100;

QString randomName(const QString& name)
{
    return QStringLiteral("korvel-%1-%2")
        .arg(QRandomGenerator::global()->generate64(), 16, 16, QLatin1Char('0'))
        .arg(name);
}

// A folder shared with other users (sticky, writable by all): a fixed name
// there is not ours to reuse.
bool sharedFolder(int folderFd)
{
    struct stat info
    {
    };
    return ::fstat(folderFd, &info) != 0 || (info.st_mode & S_ISVTX) != 0 || (info.st_mode & S_IWOTH) != 0;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, data, size_t(left));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            if (written == 0) {
                errno = ENOSPC;
            }
            return false;
        }
        data += written;
        left -= written;
    }
    return ::fsync(fd) == 0 || errno == EINVAL || errno == ENOTSUP;
}

// Creates the file in an open folder; returns the name used, empty with
// errno set on failure.
QString createIn(int folderFd, const QString& name, const QByteArray& bytes)
{
    const bool shared = sharedFolder(folderFd);
    if (!shared) {
        ::unlinkat(folderFd, QFile::encodeName(name).constData(), 0);
    }
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QString chosen = shared || attempt > 0 ? randomName(name) : name;
        const QByteArray native = QFile::encodeName(chosen);
        const int fd = ::openat(
            folderFd, native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0) {
            if (errno == EEXIST) {
                continue;
            }
            return {};
        }
        const bool written = writeAll(fd, bytes);
        const int error = errno;
        if (::close(fd) != 0 && errno != EINTR) {
            ::unlinkat(folderFd, native.constData(), 0);
            return {};
        }
        if (!written) {
            ::unlinkat(folderFd, native.constData(), 0);
            errno = error;
            return {};
        }
        return chosen;
    }
    errno = EEXIST;
    return {};
}

} // namespace

QStringList privateWorkFolders()
{
    QString dataFolder = userDataFolder();
    dataFolder.chop(1); // its trailing "/"
    return { dataFolder, QDir::tempPath() };
}

QString writePrivateWorkFile(
    const QStringList& folders, const QString& name, const QByteArray& bytes, QString* error)
{
    int lastError = ENOENT;
    for (const QString& folder : folders) {
        if (folder.isEmpty()) {
            continue;
        }
        const QFileInfo info(folder);
        if (!info.exists() && !info.isSymLink()) {
            QDir().mkpath(info.absolutePath());
            ::mkdir(QFile::encodeName(folder).constData(), 0700);
        }
        const int folderFd
            = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (folderFd < 0) {
            lastError = errno;
            continue;
        }
        const QString chosen = createIn(folderFd, name, bytes);
        lastError = errno;
        ::close(folderFd);
        if (!chosen.isEmpty()) {
            return QDir(folder).absoluteFilePath(chosen);
        }
    }
    if (error) {
        *error = qt_error_string(lastError);
    }
    return {};
}

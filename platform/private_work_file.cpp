#include "platform/private_work_file.h"

#include "platform/user_data_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <dirent.h>
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

// Whether an entry of a shared folder is one of the user's earlier work
// files of that name: "korvel-<16 hex digits>-<name>".
bool isRandomNameOf(const QString& entry, const QString& name)
{
    const QString prefix = QStringLiteral("korvel-");
    constexpr qsizetype kRandomDigits = 16;
    if (entry.size() != prefix.size() + kRandomDigits + 1 + name.size() || !entry.startsWith(prefix)
        || !entry.endsWith(u'-' + name)) {
        return false;
    }
    const QStringView digits = QStringView(entry).mid(prefix.size(), kRandomDigits);
    return std::all_of(digits.begin(), digits.end(),
        [](QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f'); });
}

// In a shared folder every work file gets a new random name, so each one
// would stay there for good: the user's earlier files of that name (regular
// files the user owns, never a link) are removed once a newer one is in place.
void removeEarlierCopies(int folderFd, const QString& name, const QString& kept)
{
    const int listFd = ::dup(folderFd);
    DIR* folder = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (!folder) {
        if (listFd >= 0) {
            ::close(listFd);
        }
        return;
    }
    while (const dirent* entry = ::readdir(folder)) {
        const QString entryName = QFile::decodeName(entry->d_name);
        struct stat info
        {
        };
        if (entryName == kept || !isRandomNameOf(entryName, name)
            || ::fstatat(folderFd, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)
            || info.st_uid != ::geteuid()) {
            continue;
        }
        ::unlinkat(folderFd, entry->d_name, 0);
    }
    ::closedir(folder);
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
        if (shared) {
            removeEarlierCopies(folderFd, name, chosen);
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

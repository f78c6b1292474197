#include "platform/safe_file_writer.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Enough tries that only a folder we may not write to ends the search.
constexpr int kNameAttempts = 100;
// Room for the dot, the random part and the longest name a folder allows.
constexpr qsizetype kKeptNameCharacters = 120;

// A hidden name beside the target, so a temporary file a crash leaves behind
// is not listed among the user's files.
QString temporaryName(const QString& folder, const QString& fileName)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < 8; ++i) {
        suffix += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)]);
    }
    return folder + QStringLiteral("/.") + fileName.left(kKeptNameCharacters) + u'.' + suffix;
}

// Follows a link to the file it names, so the link survives the rename.
QString resolvedTarget(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isSymLink()) {
        return path;
    }
    return info.exists() ? info.canonicalFilePath() : info.symLinkTarget();
}

// Syncs that cannot be done on a file system (it does not keep such files on
// a disk) are no failure.
bool syncUnsupported(int error)
{
    return error == EINVAL || error == ENOTSUP || error == EROFS;
}

} // namespace

SafeFileWriter::SafeFileWriter(const QString& path)
    : m_target(resolvedTarget(path))
{
}

SafeFileWriter::~SafeFileWriter()
{
    // Never committed: what was written goes, the target stays as it was.
    removeTemporary();
}

bool SafeFileWriter::fail(int error)
{
    m_failed = true;
    m_error = qt_error_string(error);
    removeTemporary();
    return false;
}

void SafeFileWriter::removeTemporary()
{
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (!m_temporary.isEmpty()) {
        ::unlink(m_temporary.constData());
        m_temporary.clear();
    }
}

bool SafeFileWriter::open()
{
    const QByteArray target = QFile::encodeName(m_target);
    if (m_target.isEmpty() || target.contains('\0')) {
        return fail(EINVAL);
    }
    struct stat old
    {
    };
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && S_ISDIR(old.st_mode)) {
        return fail(EISDIR);
    }
    // A file the user made read-only stays as it is. A file with no write
    // permission for anyone counts as read-only even for the superuser, who
    // could otherwise replace it: read-only is the user's statement, not a
    // question of rights.
    if (exists && ::access(target.constData(), W_OK) != 0) {
        return fail(errno);
    }
    if (exists && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return fail(EACCES);
    }

    const QFileInfo info(m_target);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        const QByteArray name = QFile::encodeName(temporaryName(info.absolutePath(), info.fileName()));
        // 0666: the umask gives a new file the permissions any program's would have.
        m_fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0) {
            m_temporary = name;
            break;
        }
        if (errno != EEXIST) {
            return fail(errno);
        }
    }
    if (m_fd < 0) {
        return fail(EEXIST);
    }
    if (exists) {
        // Best effort: a file system without modes keeps its own.
        (void)::fchmod(m_fd, old.st_mode & 07777);
    }
    m_failed = false;
    m_error.clear();
    return true;
}

bool SafeFileWriter::write(const char* data, qint64 size)
{
    if (m_failed || m_fd < 0) {
        return false;
    }
    while (size > 0) {
        const ssize_t written = ::write(m_fd, data, size_t(size));
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return fail(errno);
        }
        if (written == 0) {
            return fail(ENOSPC);
        }
        data += written;
        size -= written;
    }
    return true;
}

bool SafeFileWriter::commit()
{
    if (m_failed || m_fd < 0) {
        return false;
    }
    // The data must be on the disk before the name points at it, or a crash
    // could leave the new name on an empty file.
    if (::fsync(m_fd) != 0 && !syncUnsupported(errno)) {
        return fail(errno);
    }
    const int fd = m_fd;
    m_fd = -1;
    // Network file systems report a failed write as late as the close.
    if (::close(fd) != 0 && errno != EINTR) {
        return fail(errno);
    }
    const QByteArray target = QFile::encodeName(m_target);
    if (::rename(m_temporary.constData(), target.constData()) != 0) {
        return fail(errno);
    }
    m_temporary.clear();

    const QByteArray folder = QFile::encodeName(QFileInfo(m_target).absolutePath());
    const int folderFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd >= 0) {
        const bool synced = ::fsync(folderFd) == 0 || syncUnsupported(errno);
        const int error = errno;
        ::close(folderFd);
        if (!synced) {
            // The new file is in place, but may not outlast a power cut.
            return fail(error);
        }
    }
    return true;
}


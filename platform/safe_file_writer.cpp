#include "platform/safe_file_writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Enough tries that only a folder we may not write to ends the search.
constexpr int kNameAttempts = 100;
// Room for the dot, the random part and the longest name a folder allows.
constexpr qsizetype kKeptNameCharacters = 120;
constexpr int kRandomCharacters = 8;
// A temporary file younger than this is left alone even when unlocked: its
// writer may have created it and not yet taken the lock.
constexpr time_t kStaleAfterSeconds = 60;

// A hidden name beside the target, so a temporary file a crash leaves behind
// is not listed among the user's files.
QString temporaryName(const QString& folder, const QString& fileName)
{
    static constexpr char kLetters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString suffix;
    for (int i = 0; i < kRandomCharacters; ++i) {
        suffix += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)]);
    }
    return folder + QStringLiteral("/.") + fileName.left(kKeptNameCharacters) + u'.' + suffix;
}

// The most links the system follows in one path.
constexpr int kLinkLimit = 40;

// Whether a link (as lstat gives it) in `folder` may be followed. In a sticky
// folder others may write to, such as the one for temporary files, another
// user can plant a link to a file of ours under the name we save to; the
// kernel's protected_symlinks rule refuses to follow a link there that
// belongs neither to the user nor to the folder's owner, and we resolve links
// ourselves, so we apply the same rule, to group-writable sticky folders too.
bool mayFollow(const struct stat& link, const QByteArray& folder)
{
    struct stat info
    {
    };
    if (link.st_uid == ::geteuid() || ::stat(folder.isEmpty() ? "/" : folder.constData(), &info) != 0) {
        return true;
    }
    const bool shared = (info.st_mode & S_ISVTX) && (info.st_mode & (S_IWGRP | S_IWOTH));
    return !shared || link.st_uid == info.st_uid;
}

struct ResolvedTarget
{
    QString path;
    QString refusal; // why the path's links are not followed, empty when they are
};

// Follows a link to the file it names, so the link survives the rename: one
// name at a time as the system does, with every link on the way, those of
// its folders too, checked by mayFollow().
ResolvedTarget resolvedTarget(const QString& path)
{
    if (!QFileInfo(path).isSymLink()) {
        return { path, {} };
    }
    // The names still to walk, the next one last.
    std::vector<QByteArray> names;
    const auto push = [&names](const QByteArray& text) {
        const QList<QByteArray> parts = text.split('/');
        for (auto part = parts.rbegin(); part != parts.rend(); ++part) {
            if (!part->isEmpty()) {
                names.push_back(*part);
            }
        }
    };
    push(QFile::encodeName(path.startsWith(u'/') ? path : QDir::currentPath() + u'/' + path));
    QByteArray resolved; // a path without links; empty for the root
    int links = 0;
    while (!names.empty()) {
        const QByteArray name = names.back();
        names.pop_back();
        if (name == "..") {
            resolved.truncate(std::max<qsizetype>(0, resolved.lastIndexOf('/')));
        }
        if (name == "." || name == "..") {
            continue;
        }
        resolved += '/' + name;
        struct stat entry
        {
        };
        if (::lstat(resolved.constData(), &entry) != 0) {
            // Missing: the rest is taken as written, and the save reports the system's reason.
            for (auto rest = names.rbegin(); rest != names.rend(); ++rest) {
                resolved += '/' + *rest;
            }
            break;
        }
        if (!S_ISLNK(entry.st_mode)) {
            continue;
        }
        const QByteArray folder = resolved.first(resolved.lastIndexOf('/'));
        if (!mayFollow(entry, folder)) {
            return { path,
                QStringLiteral("The link %1 belongs to another user and lies in a folder others may write "
                               "to: KORVEL does not follow it")
                    .arg(QFile::decodeName(resolved)) };
        }
        QByteArray target(PATH_MAX, '\0');
        const ssize_t length = ::readlink(resolved.constData(), target.data(), std::size_t(target.size()));
        if (++links > kLinkLimit || length < 0) {
            return { path, qt_error_string(length < 0 ? errno : ELOOP) };
        }
        target.truncate(length);
        resolved = target.startsWith('/') ? QByteArray() : folder;
        push(target);
    }
    return { QFile::decodeName(resolved.isEmpty() ? QByteArray("/") : resolved), {} };
}

// Removes a temporary file of a save that is over (killed): ours, a regular
// file, older than the margin and locked by no writer. The lock is taken
// before the name goes, so a writer cannot take it up in between.
void removeIfStale(int folderFd, const char* name, uid_t user, time_t now)
{
    struct stat info
    {
    };
    if (::fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(info.st_mode)
        || info.st_uid != user || now - info.st_mtime < kStaleAfterSeconds) {
        return;
    }
    const int fd = ::openat(folderFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return;
    }
    struct stat opened
    {
    };
    if (::fstat(fd, &opened) == 0 && opened.st_ino == info.st_ino && opened.st_dev == info.st_dev
        && ::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        ::unlinkat(folderFd, name, 0);
    }
    ::close(fd);
}

// The target's own temporary files that killed saves left behind.
void removeStaleTemporaries(const QString& folder, const QString& fileName)
{
    const int folderFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) {
        return;
    }
    DIR* listing = ::fdopendir(::dup(folderFd));
    if (listing) {
        const time_t now = ::time(nullptr);
        const uid_t user = ::geteuid();
        while (const dirent* entry = ::readdir(listing)) {
            if (entry->d_name[0] == '.' && isTemporaryNameOf(QFile::decodeName(entry->d_name), fileName)) {
                removeIfStale(folderFd, entry->d_name, user, now);
            }
        }
        ::closedir(listing);
    }
    ::close(folderFd);
}

// Syncs that cannot be done on a file system (it does not keep such files on
// a disk) are no failure.
bool syncUnsupported(int error)
{
    return error == EINVAL || error == ENOTSUP || error == EROFS;
}

bool syncFolder(const QString& folder, int& error)
{
    const int folderFd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) {
        return true; // a folder we may not open for reading is synced by the system as it can
    }
    const bool synced = ::fsync(folderFd) == 0 || syncUnsupported(errno);
    error = errno;
    ::close(folderFd);
    return synced;
}

} // namespace

bool isTemporaryNameOf(const QString& name, const QString& targetName)
{
    const QString prefix = QStringLiteral(".") + targetName.left(kKeptNameCharacters) + u'.';
    if (name.size() != prefix.size() + kRandomCharacters || !name.startsWith(prefix)) {
        return false;
    }
    for (qsizetype i = prefix.size(); i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (!((c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9'))) {
            return false;
        }
    }
    return true;
}

SafeFileWriter::SafeFileWriter(const QString& path)
{
    ResolvedTarget target = resolvedTarget(path);
    m_target = std::move(target.path);
    m_refusal = std::move(target.refusal);
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
    // The name goes while the lock is held, so no clean-up sees it unlocked.
    if (!m_temporary.isEmpty()) {
        ::unlink(m_temporary.constData());
        m_temporary.clear();
    }
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
        m_lockFd = -1;
    }
}

QString SafeFileWriter::temporaryPath() const
{
    return QFile::decodeName(m_temporary);
}

bool SafeFileWriter::open()
{
    if (!m_refusal.isEmpty()) {
        m_failed = true;
        m_error = m_refusal;
        return false;
    }
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
    // A set this file leads that a kill left half-renamed is completed
    // first; its temporary files are not stale.
    if (QString reason; !SafeFileSetWriter::finishInterrupted(m_target, &reason)) {
        m_failed = true;
        m_error = reason;
        return false;
    }
    removeStaleTemporaries(info.absolutePath(), info.fileName());
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
    // The lock tells a clean-up in another process that this file is being
    // written. It belongs to the open file, which the duplicate keeps open
    // after the writing handle is closed, up to the rename.
    (void)::flock(m_fd, LOCK_EX | LOCK_NB);
    m_lockFd = ::dup(m_fd);
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
    return finish() && replaceTarget();
}

bool SafeFileWriter::finish()
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
    return true;
}

bool SafeFileWriter::replaceTarget()
{
    if (m_failed || m_fd >= 0 || m_temporary.isEmpty()) {
        return false;
    }
    const QByteArray target = QFile::encodeName(m_target);
    if (::rename(m_temporary.constData(), target.constData()) != 0) {
        return fail(errno);
    }
    m_temporary.clear();
    if (m_lockFd >= 0) {
        ::close(m_lockFd);
        m_lockFd = -1;
    }
    int error = 0;
    if (!syncFolder(QFileInfo(m_target).absolutePath(), error)) {
        // The new file is in place, but may not outlast a power cut.
        return fail(error);
    }
    return true;
}

namespace {

constexpr char kJournalHeading[] = "KORVEL file set";
constexpr char kJournalEnd[] = "end";
// A journal names a handful of files; anything larger is none of ours.
constexpr qint64 kJournalLimit = 1 << 16;

QString journalPath(const QString& firstPath)
{
    const QFileInfo info(firstPath);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QStringLiteral(".files");
}

QByteArray journalField(const QString& path)
{
    return QFile::encodeName(path).toPercentEncoding();
}

struct JournalEntry
{
    QString temporary;
    QString target;
};

// The renames a journal asks for; nothing when it is not one of ours or
// names a file that is not the temporary file of its target beside it.
std::vector<JournalEntry> journalEntries(const QByteArray& bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.size() < 3 || lines.front() != kJournalHeading || lines.at(lines.size() - 2) != kJournalEnd
        || !lines.back().isEmpty()) {
        return {};
    }
    std::vector<JournalEntry> entries;
    for (qsizetype i = 1; i < lines.size() - 2; ++i) {
        const QList<QByteArray> fields = lines.at(i).split('\t');
        if (fields.size() != 2) {
            return {};
        }
        const JournalEntry entry { QFile::decodeName(QByteArray::fromPercentEncoding(fields[0])),
            QFile::decodeName(QByteArray::fromPercentEncoding(fields[1])) };
        const QFileInfo temporary(entry.temporary);
        const QFileInfo target(entry.target);
        if (!temporary.isAbsolute() || temporary.absolutePath() != target.absolutePath()
            || !isTemporaryNameOf(temporary.fileName(), target.fileName())) {
            return {};
        }
        entries.push_back(entry);
    }
    return entries;
}

// Reads a journal without following a link; false when there is none.
bool readJournal(const QString& path, QByteArray& bytes)
{
    const int fd
        = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        return errno == ELOOP; // a link put in its place is removed, as not ours
    }
    struct stat info
    {
    };
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size <= kJournalLimit) {
        bytes.resize(qsizetype(info.st_size));
        const ssize_t got = ::read(fd, bytes.data(), size_t(bytes.size()));
        bytes.resize(got < 0 ? 0 : qsizetype(got));
    }
    ::close(fd);
    return true;
}

// The journal is written whole or not at all, and never through a link put
// in its place.
bool writeJournal(const QString& path, const QByteArray& bytes, QString& reason)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat info
    {
    };
    if (::lstat(native.constData(), &info) == 0 && !S_ISREG(info.st_mode)) {
        ::unlink(native.constData());
    }
    SafeFileWriter file(path);
    if (!file.open() || !file.write(bytes) || !file.commit()) {
        reason = file.errorString();
        return false;
    }
    return true;
}

} // namespace

SafeFileSetWriter::SafeFileSetWriter(const QStringList& paths)
    : m_paths(paths)
    , m_journal(paths.isEmpty() ? QString() : journalPath(paths.front()))
{
}

SafeFileSetWriter::~SafeFileSetWriter() = default;

bool SafeFileSetWriter::fail(const QString& path, const QString& reason)
{
    m_failedPath = path;
    m_error = reason;
    m_files.clear(); // their temporary files go
    return false;
}

bool SafeFileSetWriter::finishInterrupted(const QString& firstPath, QString* error)
{
    const QString journal = journalPath(firstPath);
    QByteArray bytes;
    if (!readJournal(journal, bytes)) {
        return true;
    }
    QStringList folders;
    for (const JournalEntry& entry : journalEntries(bytes)) {
        const QByteArray temporary = QFile::encodeName(entry.temporary);
        struct stat info
        {
        };
        if (::lstat(temporary.constData(), &info) != 0 || !S_ISREG(info.st_mode)) {
            continue; // renamed before the save stopped
        }
        if (::rename(temporary.constData(), QFile::encodeName(entry.target).constData()) != 0) {
            if (error) {
                *error = QStringLiteral("Cannot finish the interrupted save of %1: %2")
                             .arg(entry.target, qt_error_string(errno));
            }
            return false;
        }
        folders << QFileInfo(entry.target).absolutePath();
    }
    folders << QFileInfo(journal).absolutePath();
    folders.removeDuplicates();
    int ignored = 0;
    for (const QString& folder : folders) {
        syncFolder(folder, ignored);
    }
    if (::unlink(QFile::encodeName(journal).constData()) != 0 && errno != ENOENT) {
        if (error) {
            *error = QStringLiteral("Cannot remove %1: %2").arg(journal, qt_error_string(errno));
        }
        return false;
    }
    syncFolder(QFileInfo(journal).absolutePath(), ignored);
    return true;
}

bool SafeFileSetWriter::open()
{
    m_replaced.clear();
    m_files.clear();
    if (m_paths.isEmpty()) {
        return fail(QString(), qt_error_string(EINVAL));
    }
    QString reason;
    if (!finishInterrupted(m_paths.front(), &reason)) {
        return fail(m_paths.front(), reason);
    }
    for (const QString& path : m_paths) {
        m_files.push_back(std::make_unique<SafeFileWriter>(path));
        if (!m_files.back()->open()) {
            return fail(path, m_files.back()->errorString());
        }
    }
    return true;
}

bool SafeFileSetWriter::write(int index, const QByteArray& bytes)
{
    if (index < 0 || std::size_t(index) >= m_files.size()) {
        return false;
    }
    SafeFileWriter& file = *m_files[std::size_t(index)];
    return file.write(bytes) || fail(m_paths.at(index), file.errorString());
}

bool SafeFileSetWriter::commit()
{
    if (m_files.size() != std::size_t(m_paths.size())) {
        return false;
    }
    QByteArray journal = QByteArray(kJournalHeading) + '\n';
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        SafeFileWriter& file = *m_files[i];
        if (!file.finish()) {
            return fail(m_paths.at(qsizetype(i)), file.errorString());
        }
        journal += journalField(file.temporaryPath()) + '\t'
            + journalField(QFileInfo(file.targetPath()).absoluteFilePath()) + '\n';
    }
    journal += QByteArray(kJournalEnd) + '\n';
    QString reason;
    if (!writeJournal(m_journal, journal, reason)) {
        return fail(m_journal, reason);
    }
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        SafeFileWriter& file = *m_files[i];
        if (!file.replaceTarget()) {
            // The journal must not finish later what is being put back now.
            ::unlink(QFile::encodeName(m_journal).constData());
            return fail(m_paths.at(qsizetype(i)), file.errorString());
        }
        m_replaced << m_paths.at(qsizetype(i));
        if (m_observer) {
            m_observer(m_paths.at(qsizetype(i)));
        }
    }
    ::unlink(QFile::encodeName(m_journal).constData());
    int ignored = 0;
    syncFolder(QFileInfo(m_journal).absolutePath(), ignored);
    m_files.clear();
    return true;
}

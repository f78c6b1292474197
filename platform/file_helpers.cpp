#include "platform/file_helpers.h"

#include "platform/safe_file_writer.h"
#include "platform/vb_runtime_errors.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/statfs.h>
#include <unistd.h>

namespace {

constexpr qint64 kCopyChunk = 1 << 20;

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

bool hasWildcard(QStringView text) { return text.contains(u'*') || text.contains(u'?'); }

// Windows wildcard match, letter case ignored. Greedy with one back-tracking
// point for the last "*", so a name is walked at most a few times.
bool matchesPattern(QStringView name, QStringView pattern)
{
    qsizetype n = 0;
    qsizetype p = 0;
    qsizetype starAt = -1;
    qsizetype starName = 0;
    while (n < name.size()) {
        if (p < pattern.size()
            && (pattern[p] == u'?' || pattern[p].toCaseFolded() == name[n].toCaseFolded())) {
            ++n;
            ++p;
        } else if (p < pattern.size() && pattern[p] == u'*') {
            starAt = p++;
            starName = n;
        } else if (starAt >= 0) {
            p = starAt + 1;
            n = ++starName;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

bool matchesWildcard(QStringView name, QStringView pattern)
{
    if (matchesPattern(name, pattern))
        return true;
    return pattern.endsWith(u".*") && !name.contains(u'.') && matchesPattern(name, pattern.chopped(2));
}

bool isRegularFile(const QString& path)
{
    struct stat info {};
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty() || native.contains('\0'))
        return false;
    return ::stat(native.constData(), &info) == 0 && S_ISREG(info.st_mode);
}

struct SplitPath {
    QString folder; // with its trailing "/", or empty for the current folder
    QString name;
};

SplitPath splitPath(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    return { path.left(slash + 1), path.mid(slash + 1) };
}

// The regular, non-hidden files of `folder` (ending in "/" or empty) whose
// names match the pattern, sorted.
QStringList matchingFiles(const QString& folder, const QString& pattern)
{
    QStringList found;
    // Without QDir::Hidden and QDir::System the listing leaves out dot files,
    // devices, pipes, sockets and broken links, as the normal-attribute search did.
    QDirIterator it(folder.isEmpty() ? QStringLiteral(".") : folder, QDir::Files | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString name = it.fileName();
        if (matchesWildcard(name, pattern) && isRegularFile(it.filePath()))
            found << folder + name;
    }
    found.sort();
    return found;
}

QStringList filesNamedBy(const QString& path)
{
    if (path.isEmpty() || path.contains(QChar(0)))
        return {};
    const SplitPath split = splitPath(path);
    if (split.name.isEmpty() || hasWildcard(split.folder))
        return {};
    if (hasWildcard(split.name))
        return matchingFiles(split.folder, split.name);
    // A file named exactly counts whatever its name starts with: a dot only
    // hides it from listings, and the user chose it by name.
    if (!isRegularFile(path))
        return {};
    return { path };
}

// Mount points in /proc/self/mountinfo write blank, tab, newline and backslash
// as three octal digits after a backslash ("\040").
QString unescapeMountField(const QByteArray& field)
{
    QByteArray out;
    for (qsizetype i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size()) {
            bool ok = false;
            const int code = field.mid(i + 1, 3).toInt(&ok, 8);
            if (ok && code < 256) {
                out += char(code);
                i += 3;
                continue;
            }
        }
        out += field[i];
    }
    return QFile::decodeName(out);
}

bool isUnder(const QString& path, const QString& mountPoint)
{
    if (mountPoint == u"/")
        return path.startsWith(u'/');
    return path == mountPoint || path.startsWith(mountPoint + u'/');
}

// statfs magic numbers of the kernel's network file systems (linux/magic.h).
constexpr unsigned long kNfsMagic = 0x6969;
constexpr unsigned long kSmbMagic = 0x517B;
constexpr unsigned long kCifsMagic = 0xFF534D42;
constexpr unsigned long kSmb2Magic = 0xFE534D42;
constexpr unsigned long kFuseMagic = 0x65735546;

} // namespace

bool FileExists(const QString& path) { return !filesNamedBy(path).isEmpty(); }

bool isFolder(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

QString folderNotFileMessage(const QString& path)
{
    return QStringLiteral("%1 is a folder, not a file.").arg(path);
}

QString folderOfFile(const QString& path)
{
    QString folder = QFileInfo(path).path();
    if (!folder.endsWith(u'/')) {
        folder += u'/';
    }
    return folder;
}

DeleteResult deleteFiles(const QString& pattern)
{
    DeleteResult result;
    for (const QString& file : filesNamedBy(pattern)) {
        if (QFile::remove(file))
            ++result.deleted;
        else
            ++result.failed;
    }
    return result;
}

DeleteResult deleteFilesInRealFolder(const QString& folder)
{
    DeleteResult result;
    // A trailing "/" would make the system follow a link in the folder's place.
    QString path = folder;
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    const QByteArray native = QFile::encodeName(path);
    if (native.isEmpty() || native.contains('\0'))
        return result;
    // O_NOFOLLOW refuses a link in the folder's own place; each entry is then
    // judged and removed relative to that open folder, so nothing swapped in
    // meanwhile redirects the deletion.
    const int folderFd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folderFd < 0)
        return result;
    DIR* entries = ::fdopendir(folderFd);
    if (!entries) {
        ::close(folderFd);
        return result;
    }
    while (const dirent* entry = ::readdir(entries)) {
        const char* name = entry->d_name;
        struct stat info
        {
        };
        if (name[0] == '.' || ::fstatat(folderFd, name, &info, AT_SYMLINK_NOFOLLOW) != 0
            || !S_ISREG(info.st_mode))
            continue;
        if (::unlinkat(folderFd, name, 0) == 0)
            ++result.deleted;
        else
            ++result.failed;
    }
    ::closedir(entries); // closes folderFd too
    return result;
}

bool makeFolder(const QString& path, QString* error)
{
    if (!path.isEmpty() && QDir().mkpath(path))
        return true;
    setError(error, runtimeErrorDescription(RuntimeError::PathFileAccessError));
    return false;
}

bool removeFolder(const QString& path, QString* error)
{
    if (!path.isEmpty() && QDir().rmdir(path))
        return true;
    setError(error, runtimeErrorDescription(RuntimeError::PathFileAccessError));
    return false;
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    SafeFileWriter file(path);
    if (!file.open() || !file.write(bytes) || !file.commit()) {
        setError(error, file.errorString());
        return false;
    }
    return true;
}

bool copyFile(const QString& source, const QString& target, QString* error)
{
    QFile in(source);
    if (!isRegularFile(source) || !in.open(QIODevice::ReadOnly)) {
        setError(error, in.error() != QFileDevice::NoError ? in.errorString()
                                                           : runtimeErrorDescription(RuntimeError::FileNotFound));
        return false;
    }
    SafeFileWriter out(target);
    if (!out.open()) {
        setError(error, out.errorString());
        return false;
    }
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(kCopyChunk);
        if (in.error() != QFileDevice::NoError) {
            setError(error, in.errorString());
            return false;
        }
        if (!out.write(chunk)) {
            setError(error, out.errorString());
            return false;
        }
    }
    if (!out.commit()) {
        setError(error, out.errorString());
        return false;
    }
    return true;
}

bool readWholeFile(const QString& path, QByteArray& bytes, QString* error)
{
    QFile file(path);
    if (!isRegularFile(path)) {
        setError(error, QFileInfo(path).isDir() ? runtimeErrorDescription(RuntimeError::PathFileAccessError)
                                                : runtimeErrorDescription(RuntimeError::FileNotFound));
        return false;
    }
    if (!file.open(QIODevice::ReadOnly)) {
        setError(error, file.errorString());
        return false;
    }
    bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        setError(error, file.errorString());
        bytes.clear();
        return false;
    }
    return true;
}

QString findCompanionFile(const QString& path, const QString& extension)
{
    const SplitPath split = splitPath(path);
    const qsizetype dot = split.name.lastIndexOf(u'.');
    const QString stem = dot > 0 ? split.name.left(dot) : split.name;
    const QString wanted = stem + u'.' + extension;
    if (isRegularFile(split.folder + wanted))
        return split.folder + wanted;

    QStringList found;
    QDirIterator it(split.folder.isEmpty() ? QStringLiteral(".") : split.folder,
        QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        if (it.fileName().compare(wanted, Qt::CaseInsensitive) == 0 && isRegularFile(it.filePath()))
            found << split.folder + it.fileName();
    }
    if (found.isEmpty())
        return {};
    found.sort();
    return found.front();
}

QString mountedFileSystemType(const QByteArray& mountInfo, const QString& canonicalPath)
{
    QString bestType;
    qsizetype bestLength = -1;
    for (const QByteArray& line : mountInfo.split('\n')) {
        // "36 35 98:0 /root /mnt/point rw,noatime master:1 - fstype source options"
        const QList<QByteArray> fields = line.split(' ');
        const qsizetype separator = fields.indexOf("-");
        if (fields.size() < 5 || separator < 5 || separator + 1 >= fields.size())
            continue;
        const QString mountPoint = unescapeMountField(fields[4]);
        // Later mounts over the same point hide earlier ones, so ">=".
        if (isUnder(canonicalPath, mountPoint) && mountPoint.size() >= bestLength) {
            bestLength = mountPoint.size();
            bestType = QString::fromUtf8(fields[separator + 1]);
        }
    }
    return bestType;
}

bool isOnNetworkFileSystem(const QString& path)
{
    // A file about to be created is judged by the folder that will hold it.
    QFileInfo info(QFileInfo(path).absoluteFilePath());
    while (!info.exists() && !info.isRoot())
        info = QFileInfo(info.absolutePath());
    const QString existing = info.canonicalFilePath();
    if (existing.isEmpty())
        return false;

    struct statfs fs {};
    if (::statfs(QFile::encodeName(existing).constData(), &fs) != 0)
        return false;
    const auto magic = static_cast<unsigned long>(fs.f_type) & 0xFFFFFFFFul;
    if (magic == kNfsMagic || magic == kSmbMagic || magic == kCifsMagic || magic == kSmb2Magic)
        return true;
    if (magic != kFuseMagic)
        return false;
    QFile mounts(QStringLiteral("/proc/self/mountinfo"));
    if (!mounts.open(QIODevice::ReadOnly))
        return false;
    return mountedFileSystemType(mounts.readAll(), existing) == u"fuse.sshfs";
}

std::unique_ptr<TemporaryCopy> TemporaryCopy::create(const QString& source, QString* error)
{
    QByteArray bytes;
    if (!readWholeFile(source, bytes, error))
        return nullptr;
    std::unique_ptr<TemporaryCopy> copy(new TemporaryCopy);
    const QString suffix = QFileInfo(source).suffix();
    copy->m_file.setFileTemplate(QDir::tempPath() + QStringLiteral("/korvel-XXXXXX")
        + (suffix.isEmpty() ? QString() : u'.' + suffix));
    if (!copy->m_file.open() || copy->m_file.write(bytes) != bytes.size() || !copy->m_file.flush()) {
        setError(error, copy->m_file.errorString());
        return nullptr;
    }
    return copy;
}

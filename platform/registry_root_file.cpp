#include "platform/registry_root_file.h"

#include "platform/file_helpers.h"
#include "platform/registry_file_format.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QThread>
#include <QtDebug>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// A store file is a few kilobytes of settings; anything near this size is
// not ours, and reading it whole on every access would stall the program.
constexpr qint64 MaxStoreFileSize = 64 * 1024 * 1024;

// Another program holds the lock only while it rewrites a small file; waiting
// longer than this means it hangs, and the change is reported as failed
// rather than freezing the window.
constexpr int LockTimeoutMs = 10000;

} // namespace

// An exclusive flock() on the lock file beside the store file. The system
// drops it when the holder dies, so a crashed program never blocks the store.
class StoreLock
{
public:
    explicit StoreLock(const QString& path)
    {
        m_fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (m_fd < 0) {
            m_error = QString::fromLocal8Bit(std::strerror(errno));
            return;
        }
        QDeadlineTimer deadline(LockTimeoutMs);
        while (::flock(m_fd, LOCK_EX | LOCK_NB) != 0) {
            if ((errno != EWOULDBLOCK && errno != EINTR) || deadline.hasExpired()) {
                m_error = errno == EWOULDBLOCK ? QStringLiteral("another program keeps it locked")
                                               : QString::fromLocal8Bit(std::strerror(errno));
                return;
            }
            QThread::msleep(2);
        }
        m_locked = true;
    }
    ~StoreLock()
    {
        if (m_fd >= 0)
            ::close(m_fd); // closing releases the lock
    }
    StoreLock(const StoreLock&) = delete;
    StoreLock& operator=(const StoreLock&) = delete;

    bool locked() const { return m_locked; }
    const QString& error() const { return m_error; }

private:
    int m_fd = -1;
    bool m_locked = false;
    QString m_error;
};

RegistryRootFile::RegistryRootFile(RegHandle root)
    : m_root(root)
{
}

RegistryRootFile::~RegistryRootFile() = default;

QString RegistryRootFile::rootName(RegHandle root)
{
    switch (root) {
    case HKEY_CLASSES_ROOT:
        return QStringLiteral("HKEY_CLASSES_ROOT");
    case HKEY_CURRENT_USER:
        return QStringLiteral("HKEY_CURRENT_USER");
    case HKEY_LOCAL_MACHINE:
        return QStringLiteral("HKEY_LOCAL_MACHINE");
    default:
        return QString();
    }
}

QString RegistryRootFile::folder()
{
    const QString overridden = qEnvironmentVariable("KORVEL_REGISTRY_DIR");
    if (!overridden.isEmpty())
        return QDir::cleanPath(overridden);
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
        + QStringLiteral("/TALVOR");
}

QString RegistryRootFile::filePath() const
{
    return folder() + '/' + rootName(m_root) + QStringLiteral(".txt");
}

const RegistryKey* RegistryRootFile::load(long* result, QString* failure)
{
    return refresh(result, failure);
}

RegistryKey* RegistryRootFile::refresh(long* result, QString* failure)
{
    const QByteArray before = m_bytes;
    RegistryKey* tree = readFile(result, failure);
    // A file that changes in the middle of an update was written behind its
    // lock's back: the update's changes went with the old tree, and writing
    // what is left would store only some of them.
    if (m_updating && m_updateResult == ERROR_SUCCESS && (!tree || (m_updateChanged && m_bytes != before))) {
        m_updateResult = tree ? ERROR_CANTWRITE : *result;
        m_updateFailure = tree ? QStringLiteral("The registry file %1 was changed by another program while "
                                                "settings were being saved.")
                                     .arg(m_path)
                               : *failure;
        if (tree) {
            *result = m_updateResult;
            *failure = m_updateFailure;
            return nullptr;
        }
    }
    return tree;
}

RegistryKey* RegistryRootFile::readFile(long* result, QString* failure)
{
    const QString path = filePath();
    QByteArray bytes;
    QFile file(path);
    if (file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) {
            *result = ERROR_CANTREAD;
            *failure = QStringLiteral("Cannot read the registry file %1: %2. Until it can be read, "
                                      "no setting is read from or written to it.")
                           .arg(path, file.errorString());
            return nullptr;
        }
        if (file.size() > MaxStoreFileSize) {
            *result = ERROR_BADDB;
            *failure = QStringLiteral("The registry file %1 is damaged: it is larger than %2 bytes. "
                                      "Repair or remove it; until then no setting is read from or "
                                      "written to it.")
                           .arg(path)
                           .arg(MaxStoreFileSize);
            return nullptr;
        }
        bytes = file.readAll();
    }

    // Another program may have rewritten the file since we last looked.
    if (path != m_path || bytes != m_bytes || (!m_tree && m_damage.isEmpty())) {
        m_path = path;
        m_bytes = bytes;
        QString error;
        m_tree = readRegistryFile(bytes, &error);
        m_damage.clear();
        if (!m_tree) {
            m_damage = QStringLiteral("The registry file %1 is damaged (%2). Repair or remove it; "
                                      "until then no setting is read from or written to it.")
                           .arg(path, error);
            qWarning().noquote() << m_damage;
        }
    }
    if (!m_tree) {
        *result = ERROR_BADDB;
        *failure = m_damage;
        return nullptr;
    }
    *result = ERROR_SUCCESS;
    return m_tree.get();
}

std::unique_ptr<StoreLock> RegistryRootFile::lock(long* result, QString* failure) const
{
    const QString dir = folder();
    if (!QDir().mkpath(dir)) {
        *failure = QStringLiteral("Cannot create the registry folder %1.").arg(dir);
        *result = ERROR_CANTWRITE;
        return nullptr;
    }
    const QString lockPath = dir + '/' + rootName(m_root) + QStringLiteral(".lock");
    auto lock = std::make_unique<StoreLock>(lockPath);
    if (!lock->locked()) {
        *failure = QStringLiteral("Cannot lock the registry file %1: %2").arg(lockPath, lock->error());
        *result = ERROR_CANTWRITE;
        return nullptr;
    }
    *result = ERROR_SUCCESS;
    return lock;
}

long RegistryRootFile::modify(const Change& change, QString* failure)
{
    if (m_updating)
        return modifyInUpdate(change, failure);
    long result = ERROR_SUCCESS;
    const std::unique_ptr<StoreLock> held = lock(&result, failure);
    if (!held)
        return result;

    RegistryKey* tree = refresh(&result, failure);
    if (!tree)
        return result;
    bool changed = false;
    result = change(*tree, &changed);
    if (!changed)
        return result;
    const long written = write(m_path, failure);
    return written != ERROR_SUCCESS ? written : result;
}

long RegistryRootFile::modifyInUpdate(const Change& change, QString* failure)
{
    if (m_updateResult != ERROR_SUCCESS) {
        *failure = m_updateFailure;
        return m_updateResult;
    }
    long result = ERROR_SUCCESS;
    if (!m_updateLock)
        m_updateLock = lock(&result, failure);
    // Under the lock nobody else writes the file, so the tree read now keeps
    // this update's earlier changes until it ends.
    RegistryKey* tree = m_updateLock ? refresh(&result, failure) : nullptr;
    if (!tree) {
        if (m_updateResult == ERROR_SUCCESS) {
            m_updateResult = result;
            m_updateFailure = *failure;
        }
        return result;
    }
    bool changed = false;
    result = change(*tree, &changed);
    m_updateChanged = m_updateChanged || changed;
    return result;
}

void RegistryRootFile::beginUpdate()
{
    m_updating = true;
    m_updateChanged = false;
    m_updateResult = ERROR_SUCCESS;
    m_updateFailure.clear();
}

long RegistryRootFile::updateFailure(QString* failure) const
{
    if (m_updateResult != ERROR_SUCCESS)
        *failure = m_updateFailure;
    return m_updateResult;
}

long RegistryRootFile::endUpdate(bool keep, QString* failure)
{
    long result = m_updateResult;
    if (result != ERROR_SUCCESS) {
        *failure = m_updateFailure;
    } else if (m_updateChanged && keep && m_tree) {
        result = write(m_path, failure);
    }
    if (m_updateChanged && (!keep || result != ERROR_SUCCESS)) {
        // The tree holds changes the file does not: read it afresh next time.
        m_tree.reset();
        m_bytes.clear();
        m_path.clear();
    }
    m_updating = false;
    m_updateChanged = false;
    m_updateLock.reset();
    return result;
}

long RegistryRootFile::write(const QString& path, QString* failure)
{
    const QByteArray bytes = writeRegistryFile(*m_tree, rootName(m_root));
    // A temporary file in the same folder, synced to disk and only then
    // renamed over the old file: a full disk never leaves a cut-short store.
    QString error;
    if (!writeFileAtomically(path, bytes, &error)) {
        *failure = QStringLiteral("Cannot write the registry file %1: %2").arg(path, error);
        // The tree holds a change the file does not: read the file afresh next time.
        m_tree.reset();
        m_bytes.clear();
        m_path.clear();
        return ERROR_CANTWRITE;
    }
    m_bytes = bytes;
    return ERROR_SUCCESS;
}

#pragma once
// One file written whole or not at all, the way every file of the program is
// saved. The bytes go to a temporary file in the target's own folder; commit()
// syncs it to disk, closes it, renames it over the target and syncs the
// folder, so the rename outlives a power cut. Every step is checked: a write
// that does not fit (a full disk, a file-size limit), a sync or close that
// fails late (the page cache gave up, a network file system), a rename
// refused. Any failure removes the temporary file, leaves the old target
// byte-identical and keeps the system's reason ("No space left on device").
//
// The target keeps its permissions; a new file gets the usual ones (0666 less
// the umask). A target that is a symbolic link is written through the link,
// which stays, unless the link belongs to another user and lies in a sticky
// folder others may write to (the folder for temporary files), where it may
// have been planted to make the save replace a file of the user's: such a
// link is not followed and the save is refused. An existing target the user
// may not write is refused.
//
// Each save first removes this file's own temporary files that a killed
// save left behind (".<name>.<8 letters and digits>" beside it): only those
// no writer holds (a writer keeps a lock on its temporary file until the
// rename) and that are older than a minute, so a save under way in another
// process, such as the updater's, keeps its file.
//
// We write through the system calls ourselves rather than QSaveFile: that one
// buffers small writes and can report a commit as done although the flush of
// its buffer failed, leaving an empty or cut-short file in place of the old.
#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class SafeFileWriter
{
public:
    explicit SafeFileWriter(const QString& path);
    // Removes the temporary file unless commit() succeeded.
    ~SafeFileWriter();
    SafeFileWriter(const SafeFileWriter&) = delete;
    SafeFileWriter& operator=(const SafeFileWriter&) = delete;

    // Creates the temporary file.
    bool open();
    // Appends bytes to the temporary file; all of them or an error.
    bool write(const char* data, qint64 size);
    bool write(const QByteArray& bytes) { return write(bytes.constData(), bytes.size()); }
    // Puts the file in place of the target (see above): finish(), then
    // replaceTarget().
    bool commit();
    // Syncs and closes the temporary file; it stays, locked, for replaceTarget().
    bool finish();
    // Renames the finished temporary file over the target and syncs the folder.
    bool replaceTarget();

    // The file replaced on commit (a link's target) and the temporary file.
    const QString& targetPath() const { return m_target; }
    QString temporaryPath() const;

    // The system's reason for the last failure, empty when none.
    const QString& errorString() const { return m_error; }

private:
    bool fail(int error);
    void removeTemporary();

    QString m_target; // the file replaced on commit (a link's target)
    QString m_refusal; // why the target's links are not followed
    QByteArray m_temporary; // the temporary file's native path
    int m_fd = -1;
    int m_lockFd = -1; // holds the temporary file's lock until the rename
    bool m_failed = false;
    QString m_error;
};

// True when `name` is the name SafeFileWriter gives a temporary file of the
// file named `targetName` in the same folder.
bool isTemporaryNameOf(const QString& name, const QString& targetName);

// Several files written as one: after a commit they all hold the new
// contents, after a failure or a kill they all hold the old ones, or the next
// finishInterrupted() on the first path completes the set. Every file is
// written to its temporary file and synced first; then a small journal beside
// the first file (".<name>.files", naming each temporary file and its target)
// is written and synced, the files are renamed one after the other, and the
// journal goes. A kill between two renames leaves the journal, and the
// temporary files it names are complete, so finishing the renames later
// gives the set that was saved.
//
// A rename that fails part-way (which a folder we just wrote in hardly ever
// does) leaves the files named by replaced() new and the others old; the
// caller puts the old contents back.
class SafeFileSetWriter
{
public:
    explicit SafeFileSetWriter(const QStringList& paths);
    ~SafeFileSetWriter();
    SafeFileSetWriter(const SafeFileSetWriter&) = delete;
    SafeFileSetWriter& operator=(const SafeFileSetWriter&) = delete;

    // Finishes a set of these files an earlier save left, then creates the
    // temporary files.
    bool open();
    // Writes the whole new contents of file `index` (0-based).
    bool write(int index, const QByteArray& bytes);
    bool commit();

    const QString& errorString() const { return m_error; }
    // The file the failure concerns.
    const QString& failedPath() const { return m_failedPath; }
    const QStringList& replaced() const { return m_replaced; }

    // Called after each file is put in place, with its path: progress for
    // whoever watches (and for tests that stop a save half-way).
    void setReplacedObserver(std::function<void(const QString&)> observer)
    {
        m_observer = std::move(observer);
    }

    // Completes the renames of a set whose first file is `firstPath` that a
    // kill interrupted. True when there was none or it is now complete; on
    // failure `error` names the file and the reason.
    static bool finishInterrupted(const QString& firstPath, QString* error = nullptr);

private:
    bool fail(const QString& path, const QString& reason);

    QStringList m_paths;
    std::vector<std::unique_ptr<SafeFileWriter>> m_files;
    QString m_journal;
    QString m_error;
    QString m_failedPath;
    QStringList m_replaced;
    std::function<void(const QString&)> m_observer;
};

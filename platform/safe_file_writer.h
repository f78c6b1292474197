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
// which stays. An existing target the user may not write is refused.
//
// We write through the system calls ourselves rather than QSaveFile: that one
// buffers small writes and can report a commit as done although the flush of
// its buffer failed, leaving an empty or cut-short file in place of the old.
#include <QByteArray>
#include <QString>

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
    // Puts the file in place of the target (see above).
    bool commit();

    // The system's reason for the last failure, empty when none.
    const QString& errorString() const { return m_error; }

private:
    bool fail(int error);
    void removeTemporary();

    QString m_target; // the file replaced on commit (a link's target)
    QByteArray m_temporary; // the temporary file's native path
    int m_fd = -1;
    bool m_failed = false;
    QString m_error;
};

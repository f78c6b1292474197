#pragma once
// File-system helpers that stand in for the runtime's file statements (Dir,
// Kill, MkDir, RmDir, FileCopy) and the kernel32 drive test, with the one way
// every file of the program is written: a temporary file in the same folder,
// renamed over the target only when complete.
//
// Paths use "/". Wildcards are the Windows ones: "*" any run of characters,
// "?" one character, compared without regard to letter case, and a pattern
// ending in ".*" also matches names without a dot ("*.*" matches every file).
#include <QByteArray>
#include <QString>
#include <QTemporaryFile>
#include <memory>

// True when the path names a regular file (a name starting with "." counts:
// the user chose it by name). Folders, devices, pipes and sockets count as
// absent. A path with "*" or "?" in its file name is true when a regular
// file whose name does not start with "." (hidden) matches, as a listing
// shows them; a wildcard in the folder part, an empty or malformed path and
// any error give False.
bool FileExists(const QString& path);

// True when the path names a folder, or a link to one.
bool isFolder(const QString& path);
// The one message for a folder given where a file is expected:
// "<path> is a folder, not a file."
QString folderNotFileMessage(const QString& path);

// The folder of a chosen file, ending in "/" (the root stays "/"): where the
// next file dialog of its kind starts.
QString folderOfFile(const QString& path);

// Deletes the files a path or wildcard pattern names (those FileExists sees),
// going on after a failure.
struct DeleteResult {
    int deleted = 0;
    int failed = 0;
};
DeleteResult deleteFiles(const QString& pattern);

// Deletes the regular, non-hidden files directly inside `folder` without
// ever following a symbolic link: when `folder` is a link (or no folder),
// nothing is touched, and links, sub-folders and other entries inside stay.
// For clean-ups of folders another program or user could have replaced by a
// link to somewhere else.
DeleteResult deleteFilesInRealFolder(const QString& folder);

// Creates the folder and any missing parents; true when it exists afterwards.
// On failure `error` gets "Path/File access error", as the runtime's MkDir.
bool makeFolder(const QString& path, QString* error = nullptr);
// Removes an empty folder; a folder that still holds anything, or is missing,
// stays and gives "Path/File access error".
bool removeFolder(const QString& path, QString* error = nullptr);

// Writes bytes to path through a temporary file in the same folder that is
// synced and renamed over the target on success (SafeFileWriter). On failure
// the old file is left byte-identical, no temporary file stays, and `error`
// gets the system's reason ("No space left on device"); callers name the file.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Copies a file over (or to) target the same atomic way.
bool copyFile(const QString& source, const QString& target, QString* error = nullptr);

// Reads a whole regular file. On failure `error` gets the system's reason.
bool readWholeFile(const QString& path, QByteArray& bytes, QString* error = nullptr);

// Returns the companion of a file with another extension: for "/d/x.shp" and
// "shx" the file "/d/x.shx" when it exists, otherwise a file of that name in
// any letter case ("/d/X.SHX", "/d/x.Shx"), as files copied from Windows come;
// the exact name wins, then the first in sorted order. Empty when none exists.
QString findCompanionFile(const QString& path, const QString& extension);

// True when the path (or, for a path not yet created, its nearest existing
// folder) lies on a network file system: NFS, SMB/CIFS, or SSHFS. Readers copy
// such files first, as the design does for network drives.
bool isOnNetworkFileSystem(const QString& path);

// The file-system type ("ext4", "fuse.sshfs") of the mount that holds an
// absolute, canonical path, read from the text of /proc/self/mountinfo; empty
// when no mount matches. Separate so tests can feed their own tables.
QString mountedFileSystemType(const QByteArray& mountInfo, const QString& canonicalPath);

// A private copy of a file in the system temporary folder, keeping the
// file's extension; the copy is deleted when the object goes.
class TemporaryCopy {
public:
    // Returns nullptr and sets `error` when the file cannot be read or copied.
    static std::unique_ptr<TemporaryCopy> create(const QString& source, QString* error = nullptr);

    QString path() const { return m_file.fileName(); }

private:
    TemporaryCopy() = default;
    QTemporaryFile m_file;
};

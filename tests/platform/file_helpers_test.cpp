#include "platform/file_helpers.h"
#include "tests/support/korvel_test.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

void writeFile(const QString& path, const QByteArray& bytes = "data")
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// Files larger than `bytes` cannot be written while this lives; the limit
// holds for root too, so a write fails whatever the permissions.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old {};
    void (*m_oldHandler)(int) = nullptr;
};

} // namespace

using FileHelpers = KorvelTest;

TEST_F(FileHelpers, FileExistsSeesOnlyRegularFiles)
{
    writeFile(workDir() + "block.no1");
    writeFile(workDir() + ".hidden.no1");
    QDir(workDir()).mkdir("folder.no1");
    ASSERT_EQ(::mkfifo(QFile::encodeName(workDir() + "pipe.no1").constData(), 0600), 0);
    QFile::link(workDir() + "block.no1", workDir() + "link.no1");
    QFile::link(workDir() + "gone.no1", workDir() + "broken.no1");

    EXPECT_TRUE(FileExists(workDir() + "block.no1"));
    EXPECT_TRUE(FileExists(workDir() + "link.no1"));
    EXPECT_FALSE(FileExists(workDir() + "BLOCK.no1")); // names are exact on Linux
    EXPECT_TRUE(FileExists(workDir() + ".hidden.no1")) << "a file named exactly, though hidden";
    EXPECT_FALSE(FileExists(workDir() + "folder.no1"));
    EXPECT_FALSE(FileExists(workDir() + "pipe.no1"));
    EXPECT_FALSE(FileExists(workDir() + "broken.no1"));
    EXPECT_FALSE(FileExists(workDir() + "missing.no1"));
}

TEST_F(FileHelpers, FileExistsIsFalseForBadPaths)
{
    writeFile(workDir() + "plain");
    EXPECT_FALSE(FileExists(""));
    EXPECT_FALSE(FileExists(workDir()));
    EXPECT_FALSE(FileExists(workDir() + "plain/inside")); // parent is a file
    EXPECT_FALSE(FileExists("/no/such/drive/file.shp"));
    EXPECT_FALSE(FileExists(workDir() + QString(5000, u'x')));
    EXPECT_FALSE(FileExists(workDir() + "pla" + QChar(0) + "in"));
}

TEST_F(FileHelpers, FileExistsMatchesWindowsWildcards)
{
    writeFile(workDir() + "N1234567.T01");
    writeFile(workDir() + "README");
    writeFile(workDir() + ".only-hidden.xyz");
    QDir(workDir()).mkdir("dir.xcl");

    EXPECT_TRUE(FileExists(workDir() + "N???????.T??"));
    EXPECT_TRUE(FileExists(workDir() + "n*.t01")); // letter case ignored
    EXPECT_TRUE(FileExists(workDir() + "*.*")); // also names without a dot
    EXPECT_TRUE(FileExists(workDir() + "READ*"));
    EXPECT_FALSE(FileExists(workDir() + "N??.T01"));
    EXPECT_FALSE(FileExists(workDir() + "*.xyz")); // only a hidden match
    EXPECT_FALSE(FileExists(workDir() + "*.xcl")); // only a folder matches
    EXPECT_FALSE(FileExists(workDir() + "*/N1234567.T01")); // wildcard in the folder
    EXPECT_FALSE(FileExists(workDir() + "missing/*.*"));
}

TEST_F(FileHelpers, DeleteFilesRemovesWhatThePatternNames)
{
    const QString update = workDir() + "Update/";
    QDir().mkpath(update);
    writeFile(update + "setup");
    writeFile(update + "notes.txt");
    writeFile(update + ".keep");
    const DeleteResult result = deleteFiles(update + "*.*");
    EXPECT_EQ(result.deleted, 2);
    EXPECT_EQ(result.failed, 0);
    EXPECT_TRUE(QFile::exists(update + ".keep"));
    EXPECT_EQ(deleteFiles(update + "*.*").deleted, 0);

    writeFile(workDir() + "temp.shp");
    EXPECT_EQ(deleteFiles(workDir() + "temp.shp").deleted, 1);
    EXPECT_FALSE(QFile::exists(workDir() + "temp.shp"));
}

TEST_F(FileHelpers, FoldersAreMadeAndRemoved)
{
    const QString nested = workDir() + "Update/inner";
    EXPECT_TRUE(makeFolder(nested));
    EXPECT_TRUE(makeFolder(nested)); // already there
    EXPECT_TRUE(QFileInfo(nested).isDir());

    QString error;
    EXPECT_FALSE(removeFolder(workDir() + "Update", &error)); // not empty
    EXPECT_EQ(error, "Path/File access error");
    EXPECT_TRUE(removeFolder(nested));
    EXPECT_TRUE(removeFolder(workDir() + "Update"));
    EXPECT_FALSE(removeFolder(workDir() + "Update"));

    writeFile(workDir() + "plain");
    error.clear();
    EXPECT_FALSE(makeFolder(workDir() + "plain/sub", &error));
    EXPECT_EQ(error, "Path/File access error");
}

TEST_F(FileHelpers, FolderCleanUpDeletesOnlyRegularFilesOfARealFolder)
{
    const QString elsewhere = workDir() + "elsewhere/";
    QDir().mkpath(elsewhere);
    writeFile(elsewhere + "kept.txt");
    const QString real = workDir() + "Update/";
    QDir().mkpath(real + "sub");
    writeFile(real + "setup");
    writeFile(real + "notes.txt");
    writeFile(real + ".hidden");
    QFile::link(elsewhere + "kept.txt", real + "link.txt");
    QFile::link(elsewhere, workDir() + "Linked");

    const struct
    {
        QString folder;
        int deleted;
    } rows[] = {
        { workDir() + "Linked", 0 },
        { workDir() + "Linked/", 0 }, // a trailing slash must not follow the link either
        { workDir() + "missing", 0 },
        { elsewhere + "kept.txt", 0 }, // a file is no folder
        { real, 2 },
        { workDir() + "Update", 0 }, // nothing left to delete
    };
    for (const auto& row : rows) {
        EXPECT_EQ(deleteFilesInRealFolder(row.folder).deleted, row.deleted) << row.folder.toStdString();
        EXPECT_TRUE(QFile::exists(elsewhere + "kept.txt")) << row.folder.toStdString();
    }
    EXPECT_EQ(QDir(real).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
        QStringList({ ".hidden", "link.txt", "sub" }));
}

TEST_F(FileHelpers, AtomicWriteReplacesTheFileWhole)
{
    const QString path = workDir() + "block.no1";
    writeFile(path, "old contents");
    ASSERT_TRUE(writeFileAtomically(path, "new\r\n"));
    EXPECT_EQ(contents(path), "new\r\n");
    EXPECT_EQ(QDir(workDir()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(FileHelpers, FailedAtomicWriteLeavesTheOldFileAndReports)
{
    writeFile(workDir() + "plain");
    QString error;
    EXPECT_FALSE(writeFileAtomically(workDir() + "plain/session.korvel", "x", &error));
    EXPECT_FALSE(error.isEmpty());

    // The disk fills up half way: the old file stays, no temporary is left.
    const QString path = workDir() + "session.korvel";
    writeFile(path, "QZT\r\n#TRUE#\r\n");
    {
        FileSizeLimit limit(4096);
        error.clear();
        EXPECT_FALSE(writeFileAtomically(path, QByteArray(100000, 'x'), &error));
    }
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(contents(path), "QZT\r\n#TRUE#\r\n");
    EXPECT_EQ(QDir(workDir()).entryList(QDir::Files | QDir::Hidden), QStringList({ "plain", "session.korvel" }));
}

TEST_F(FileHelpers, CopyFileCopiesAndReportsFailures)
{
    writeFile(workDir() + "a.shp", QByteArray(3 << 20, 'z')); // more than one copy chunk
    ASSERT_TRUE(copyFile(workDir() + "a.shp", workDir() + "temp.shp"));
    EXPECT_EQ(contents(workDir() + "temp.shp"), QByteArray(3 << 20, 'z'));

    QString error;
    EXPECT_FALSE(copyFile(workDir() + "none.shp", workDir() + "temp.shp", &error));
    EXPECT_EQ(error, "File not found");
    EXPECT_EQ(contents(workDir() + "temp.shp").size(), 3 << 20); // target untouched
    writeFile(workDir() + "plain");
    EXPECT_FALSE(copyFile(workDir() + "a.shp", workDir() + "plain/temp.shp", &error));
}

TEST_F(FileHelpers, ReadWholeFileRefusesFoldersAndMissingFiles)
{
    QByteArray bytes;
    QString error;
    EXPECT_FALSE(readWholeFile(workDir() + "none", bytes, &error));
    EXPECT_EQ(error, "File not found");
    EXPECT_FALSE(readWholeFile(workDir(), bytes, &error));
    EXPECT_EQ(error, "Path/File access error");
    writeFile(workDir() + "x", "abc");
    ASSERT_TRUE(readWholeFile(workDir() + "x", bytes, &error));
    EXPECT_EQ(bytes, "abc");
}

TEST_F(FileHelpers, FolderOfFileEndsInOneSlash)
{
    const struct {
        QString path;
        QString folder;
    } cases[] = {
        { "/data/jobs/roads.shp", "/data/jobs/" },
        { "/roads.shp", "/" }, // the root keeps its one slash
        { "roads.shp", "./" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(folderOfFile(c.path), c.folder) << c.path.toStdString();
    }
}

TEST_F(FileHelpers, CompanionFileIsFoundInAnyLetterCase)
{
    writeFile(workDir() + "roads.shp");
    EXPECT_EQ(findCompanionFile(workDir() + "roads.shp", "shx"), QString());

    writeFile(workDir() + "ROADS.SHX");
    EXPECT_EQ(findCompanionFile(workDir() + "roads.shp", "shx"), workDir() + "ROADS.SHX");
    writeFile(workDir() + "Roads.Shx");
    EXPECT_EQ(findCompanionFile(workDir() + "roads.shp", "shx"), workDir() + "ROADS.SHX"); // sorted first
    writeFile(workDir() + "roads.shx");
    EXPECT_EQ(findCompanionFile(workDir() + "roads.shp", "shx"), workDir() + "roads.shx"); // exact wins

    QDir(workDir()).mkdir("lake.dbf");
    writeFile(workDir() + "lake.shp");
    EXPECT_EQ(findCompanionFile(workDir() + "lake.shp", "dbf"), QString()); // a folder is no companion
    writeFile(workDir() + "block.XCL");
    EXPECT_EQ(findCompanionFile(workDir() + "block.no1", "xcl"), workDir() + "block.XCL");
    writeFile(workDir() + "noext.met");
    EXPECT_EQ(findCompanionFile(workDir() + "noext", "MET"), workDir() + "noext.met");
}

TEST_F(FileHelpers, NetworkFileSystemsAreRecognised)
{
    EXPECT_FALSE(isOnNetworkFileSystem(workDir()));
    EXPECT_FALSE(isOnNetworkFileSystem(workDir() + "not/yet/made.t01"));

    const QByteArray mountInfo = "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                                 "40 22 0:35 / /mnt/nfs rw - nfs4 server:/export rw\n"
                                 "41 22 0:36 / /mnt/my\\040share rw shared:7 - fuse.sshfs me@host:/ rw\n"
                                 "42 41 0:37 / /mnt/my\\040share/local rw - tmpfs tmpfs rw\n"
                                 "garbage line\n";
    EXPECT_EQ(mountedFileSystemType(mountInfo, "/home/me/a.shp"), "ext4");
    EXPECT_EQ(mountedFileSystemType(mountInfo, "/mnt/nfs/a.shp"), "nfs4");
    EXPECT_EQ(mountedFileSystemType(mountInfo, "/mnt/nfsother/a.shp"), "ext4");
    EXPECT_EQ(mountedFileSystemType(mountInfo, "/mnt/my share/N1.T01"), "fuse.sshfs");
    EXPECT_EQ(mountedFileSystemType(mountInfo, "/mnt/my share/local/x"), "tmpfs");
    EXPECT_EQ(mountedFileSystemType("", "/x"), QString());
}

TEST_F(FileHelpers, TemporaryCopyKeepsTheExtensionAndDeletesItself)
{
    writeFile(workDir() + "N0000001.T01", "flight log");
    QString copyPath;
    {
        std::unique_ptr<TemporaryCopy> copy = TemporaryCopy::create(workDir() + "N0000001.T01");
        ASSERT_TRUE(copy);
        copyPath = copy->path();
        EXPECT_TRUE(copyPath.startsWith(QDir::tempPath() + "/"));
        EXPECT_TRUE(copyPath.endsWith(".T01"));
        EXPECT_EQ(contents(copyPath), "flight log");
    }
    EXPECT_FALSE(QFile::exists(copyPath));

    QString error;
    EXPECT_EQ(TemporaryCopy::create(workDir() + "none.T01", &error), nullptr);
    EXPECT_EQ(error, "File not found");
}

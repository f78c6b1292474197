#include "platform/safe_file_writer.h"

#include "platform/file_helpers.h"
#include "platform/picture_saver.h"
#include "platform/registry_store.h"
#include "tests/support/child_process.h"
#include "tests/support/korvel_test.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

// A nearly full disk, for real and without root: the child may not make any
// file larger than `limit` bytes (RLIMIT_FSIZE), and with SIGXFSZ ignored the
// write that passes it fails with EFBIG, as one fails with ENOSPC on a full
// disk. Arguments: what writes (helper, copy, picture, store), the limit, the
// target, the size of the new contents and, for a copy, the source. Prints
// the error and exits 1 when the write failed, 0 when it claimed success.
KORVEL_CHILD_ACTION(write_under_file_size_limit)
{
    const QString kind = arguments.value(0);
    const rlim_t limit = arguments.value(1).toULongLong();
    const QString target = arguments.value(2);
    const qint64 size = arguments.value(3).toLongLong();
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit bounds {};
    getrlimit(RLIMIT_FSIZE, &bounds);
    bounds.rlim_cur = limit;
    if (setrlimit(RLIMIT_FSIZE, &bounds) != 0) {
        std::printf("setrlimit failed\n");
        return 2;
    }

    QString error;
    bool written = false;
    if (kind == u"helper") {
        written = writeFileAtomically(target, QByteArray(size, 'n'), &error);
    } else if (kind == u"copy") {
        written = copyFile(arguments.value(4), target, &error);
    } else if (kind == u"picture") {
        const int side = static_cast<int>(size);
        QImage picture(side, side, QImage::Format_RGB32);
        picture.fill(Qt::darkGreen);
        written = SavePicture(picture, target, &error);
    } else if (kind == u"store") {
        RegHandle key = 0;
        RegistryStore& store = registryStore();
        long result
            = store.createKey(HKEY_CURRENT_USER, QStringLiteral("Software\\Full"), KEY_ALL_ACCESS, &key);
        if (result == ERROR_SUCCESS) {
            result = store.setValue(key, QStringLiteral("big"), REG_BINARY, QByteArray(size, 'n'));
        }
        written = result == ERROR_SUCCESS;
        error = store.lastFailure();
    }
    std::printf("%s\n", error.toLocal8Bit().constData());
    return written ? 0 : 1;
}

// Saves two files as one and is killed after the first is in place, as a
// power cut or a kill could stop a save. Arguments: the two targets.
KORVEL_CHILD_ACTION(write_set_killed_between_renames)
{
    SafeFileSetWriter files({ arguments.value(0), arguments.value(1) });
    files.setReplacedObserver([](const QString&) { std::raise(SIGKILL); });
    if (!files.open() || !files.write(0, "new first") || !files.write(1, "new second")) {
        return 2;
    }
    files.commit();
    return 1;
}

namespace {

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QStringList filesIn(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
}

mode_t modeOf(const QString& path)
{
    struct stat info
    {
    };
    ::stat(QFile::encodeName(path).constData(), &info);
    return info.st_mode & 07777;
}

using SafeFileWriterTest = KorvelTest;

} // namespace

TEST_F(SafeFileWriterTest, WriteThatDoesNotFitIsReportedAndTheOldFileStays)
{
    // Small writes stay below a 16 KB write buffer, where a failed flush
    // used to pass unnoticed; large ones fail in the middle of the data.
    const struct
    {
        const char* kind;
        qint64 size;
        rlim_t limit;
    } rows[] = {
        { "helper", 3000, 1024 },
        { "helper", 200000, 65536 },
        { "copy", 3000, 1024 },
        { "copy", 3000000, 1 << 20 },
        { "picture", 40, 2048 }, // a 40 x 40 bitmap is 4854 bytes
        { "store", 3000, 1024 },
        { "store", 200000, 65536 },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(QStringLiteral("%1 of %2 bytes").arg(row.kind).arg(row.size).toStdString());
        const bool store = QLatin1String(row.kind) == u"store";
        const QString folder = store ? registryDir() : workDir();
        const QString target = store ? folder + "HKEY_CURRENT_USER.txt" : folder + "block.no1";
        const QString source = workDir() + "source.shp";
        if (store) {
            RegHandle key = 0;
            ASSERT_EQ(registryStore().createKey(HKEY_CURRENT_USER, "Software\\Kept", KEY_ALL_ACCESS, &key),
                ERROR_SUCCESS);
            ASSERT_EQ(
                registryStore().setValue(key, "v", REG_SZ, QByteArray("old setting", 12)), ERROR_SUCCESS);
            registryStore().closeKey(key);
            // The child only writes the value: the key is there already.
            ASSERT_EQ(registryStore().createKey(HKEY_CURRENT_USER, "Software\\Full", KEY_ALL_ACCESS, &key),
                ERROR_SUCCESS);
            registryStore().closeKey(key);
        } else {
            writeFile(target, "old contents\r\n");
            writeFile(source, QByteArray(row.size, 'c'));
        }
        const QByteArray before = contents(target);
        const QStringList filesBefore = filesIn(folder);

        const ChildResult child = runChildAction("write_under_file_size_limit",
            { row.kind, QString::number(row.limit), target, QString::number(row.size), source });
        const QString output = QString::fromLocal8Bit(child.output);
        ASSERT_TRUE(child.finished);
        EXPECT_EQ(child.exitCode, 1) << "the failed write claimed success: " << output.toStdString();
        EXPECT_TRUE(output.contains(qt_error_string(EFBIG))) << output.toStdString();
        EXPECT_FALSE(output.contains("Unknown error")) << output.toStdString();
        if (store || QLatin1String(row.kind) == u"picture") {
            EXPECT_TRUE(output.contains(target)) << "names the file: " << output.toStdString();
        }
        EXPECT_EQ(contents(target), before) << "the old file is byte-identical";
        EXPECT_EQ(filesIn(folder), filesBefore) << "no temporary file is left";
        QFile::remove(source);
    }
}

TEST_F(SafeFileWriterTest, ReplacedFileKeepsItsPermissionsAndLinks)
{
    const QString real = workDir() + "real.no1";
    writeFile(real, "old");
    ASSERT_TRUE(QFile::setPermissions(real, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    ASSERT_TRUE(QFile::link(real, workDir() + "link.no1"));

    ASSERT_TRUE(writeFileAtomically(workDir() + "link.no1", "through the link"));
    EXPECT_TRUE(QFileInfo(workDir() + "link.no1").isSymLink()) << "the link stays a link";
    EXPECT_EQ(contents(real), "through the link");
    EXPECT_EQ(modeOf(real), mode_t(0640));

    const mode_t mask = ::umask(022);
    ASSERT_TRUE(writeFileAtomically(workDir() + "new.no1", "fresh"));
    ::umask(mask);
    EXPECT_EQ(modeOf(workDir() + "new.no1"), mode_t(0644)) << "a new file gets the usual permissions";
}

// In a sticky folder others may write to, another user can plant a link
// under the name a save goes to, so that the save replaces or creates a file
// of the user's that the link names.
TEST_F(SafeFileWriterTest, LinksAnotherUserPlantedInASharedFolderAreNotFollowed)
{
    if (::geteuid() != 0) {
        GTEST_SKIP() << "giving a link to another user needs root";
    }
    constexpr uid_t us = 0, other = 65534;
    const struct
    {
        const char* name;
        mode_t folderMode;
        uid_t folderOwner, linkOwner;
        bool dangling, throughOwnLink, followed;
    } rows[] = {
        { "another's link to a file", 01777, us, other, false, false, false },
        { "another's dangling link", 01777, us, other, true, false, false },
        { "another's link reached through one's own", 01777, us, other, false, true, false },
        { "group-writable sticky folder", 01770, us, other, false, false, false },
        { "own link", 01777, other, us, true, false, true },
        { "private folder", 0755, us, other, false, false, true },
    };
    for (const auto& row : rows) {
        const QString folder = workDir() + row.name, target = folder + ".no1", link = folder + "/job.no1";
        if (!row.dangling) {
            writeFile(target, "mine");
        }
        ASSERT_TRUE(QDir().mkdir(folder) && QFile::link(target, link));
        ASSERT_EQ(::lchown(QFile::encodeName(link).constData(), row.linkOwner, gid_t(-1)), 0);
        ASSERT_EQ(::chown(QFile::encodeName(folder).constData(), row.folderOwner, gid_t(-1)), 0);
        ASSERT_EQ(::chmod(QFile::encodeName(folder).constData(), row.folderMode), 0);
        const QString saved = row.throughOwnLink ? folder + ".link" : link;
        ASSERT_TRUE(!row.throughOwnLink || QFile::link(link, saved));

        QString error;
        EXPECT_EQ(writeFileAtomically(saved, "saved", &error), row.followed) << row.name;
        const QByteArray kept = row.dangling ? "<unreadable>" : "mine";
        EXPECT_EQ(contents(target), row.followed ? QByteArray("saved") : kept) << row.name;
        EXPECT_EQ(error.contains(link + " belongs to another user"), !row.followed) << error.toStdString();
    }
}

TEST_F(SafeFileWriterTest, TargetsThatCannotBeReplacedAreRefusedWithTheReason)
{
    writeFile(workDir() + "plain", "x");
    ASSERT_TRUE(QDir(workDir()).mkdir("folder.no1"));
    const struct
    {
        const char* name;
        int reason; // the system's error, in its words in the user's language
    } rows[] = {
        { "missing/block.no1", ENOENT },
        { "plain/block.no1", ENOTDIR },
        { "folder.no1", EISDIR },
    };
    for (const auto& row : rows) {
        QString error;
        EXPECT_FALSE(writeFileAtomically(workDir() + row.name, "new", &error)) << row.name;
        EXPECT_EQ(error, qt_error_string(row.reason)) << row.name;
    }
    {
        // Read-only for everyone: refused, whoever runs the program.
        const QString locked = workDir() + "locked.no1";
        writeFile(locked, "kept");
        ASSERT_TRUE(QFile::setPermissions(locked, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
        QString error;
        EXPECT_FALSE(writeFileAtomically(locked, "new", &error));
        EXPECT_EQ(error, qt_error_string(EACCES));
        EXPECT_EQ(contents(locked), "kept");
    }
    for (const QString& name : filesIn(workDir())) {
        EXPECT_FALSE(name.startsWith(u'.')) << "temporary file left: " << name.toStdString();
    }
}

TEST_F(SafeFileWriterTest, ASetKilledBetweenItsRenamesIsCompletedNextTime)
{
    const QString first = workDir() + "FIELD.no1";
    const QString second = workDir() + "FIELD.xyz";
    writeFile(first, "old first");
    writeFile(second, "old second");
    // A link planted at the journal's name is not written through.
    const QString victim = registryDir() + "victim";
    writeFile(victim, "kept");
    ASSERT_TRUE(QFile::link(victim, workDir() + ".FIELD.no1.files"));
    const ChildResult child = runChildAction("write_set_killed_between_renames", { first, second });
    ASSERT_FALSE(child.finished) << "the save ran to its end: " << child.output.toStdString();
    ASSERT_EQ(contents(first), "new first");
    ASSERT_EQ(contents(second), "old second") << "the kill came between the renames";

    ASSERT_TRUE(SafeFileSetWriter::finishInterrupted(first));
    EXPECT_EQ(contents(second), "new second");
    EXPECT_EQ(filesIn(workDir()), QStringList({ "FIELD.no1", "FIELD.xyz" })) << "no journal or temporary left";
    EXPECT_TRUE(SafeFileSetWriter::finishInterrupted(first)) << "nothing left to do";
    EXPECT_EQ(contents(victim), "kept");
}

TEST_F(SafeFileWriterTest, ASaveRemovesOnlyItsOwnStaleTemporaries)
{
    const QString target = workDir() + "HKEY_CURRENT_USER.txt";
    const QString temporary = workDir() + ".HKEY_CURRENT_USER.txt.";
    const struct
    {
        QString path;
        bool old;
        bool locked; // another writer holds it
        bool removed;
    } rows[] = {
        { temporary + "k3x9q0ab", true, false, true },
        { temporary + "m2n4p6r8", false, false, false }, // just created, not yet locked
        { temporary + "a1b2c3d4", true, true, false }, // being written by another process
        { temporary + "A1B2C3D4", true, false, false }, // not a name the writer gives
        { temporary + "a1b2c3d45", true, false, false },
        { workDir() + ".HKEY_LOCAL_MACHINE.txt.k3x9q0ab", true, false, false },
        { workDir() + "HKEY_CURRENT_USER.txt.k3x9q0ab", true, false, false },
    };
    std::vector<int> locks;
    for (const auto& row : rows) {
        writeFile(row.path, "left behind");
        if (row.old) {
            const timespec times[2] = { { 0, UTIME_OMIT }, { ::time(nullptr) - 3600, 0 } };
            ASSERT_EQ(::utimensat(AT_FDCWD, QFile::encodeName(row.path).constData(), times, 0), 0);
        }
        if (row.locked) {
            locks.push_back(::open(QFile::encodeName(row.path).constData(), O_RDONLY));
            ASSERT_EQ(::flock(locks.back(), LOCK_EX), 0);
        }
    }
    ASSERT_TRUE(QFile::link(workDir() + "elsewhere", temporary + "z9y8x7w6"));

    ASSERT_TRUE(writeFileAtomically(target, "saved"));
    for (const auto& row : rows) {
        EXPECT_EQ(QFile::exists(row.path), !row.removed) << row.path.toStdString();
    }
    EXPECT_TRUE(QFileInfo(temporary + "z9y8x7w6").isSymLink()) << "a link is never touched";
    for (int fd : locks) {
        ::close(fd);
    }
}

#include "platform/private_work_file.h"

#include "tests/support/korvel_test.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <sys/stat.h>

namespace {

using PrivateWorkFileTest = KorvelTest;

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

TEST_F(PrivateWorkFileTest, AlwaysANewFileOfTheUsersOwn)
{
    const QString data = workDir() + "data/KORVEL";
    const QString shared = workDir() + "shared";
    ASSERT_TRUE(QDir().mkpath(shared));
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
    QFile victim(workDir() + "victim");
    ASSERT_TRUE(victim.open(QIODevice::WriteOnly));
    victim.write("not to be written");
    victim.close();

    const struct
    {
        const char* name;
        QStringList folders;
        QString planted; // a link to the victim put at this path first
        QString expectedFolder;
        bool fixedName;
    } rows[] = {
        { "a new data folder", { data }, {}, data, true },
        { "a link at the name in the data folder", { data }, data + "/temp.no1", data, true },
        { "a shared folder takes no fixed name", { shared }, shared + "/temp.no1", shared, false },
        { "a data folder that cannot be made", { workDir() + "victim/KORVEL", shared }, {}, shared, false },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        if (!row.planted.isEmpty()) {
            QFile::remove(row.planted);
            ASSERT_TRUE(QFile::link(workDir() + "victim", row.planted));
        }
        QString error;
        const QString path = writePrivateWorkFile(row.folders, "temp.no1", "old boundary", &error);
        ASSERT_FALSE(path.isEmpty()) << error.toStdString();
        EXPECT_EQ(QFileInfo(path).absolutePath(), row.expectedFolder);
        EXPECT_EQ(QFileInfo(path).fileName() == "temp.no1", row.fixedName) << path.toStdString();
        EXPECT_FALSE(QFileInfo(path).isSymLink());
        EXPECT_EQ(contents(path), "old boundary");
        struct stat info
        {
        };
        ASSERT_EQ(::lstat(QFile::encodeName(path).constData(), &info), 0);
        EXPECT_EQ(info.st_mode & 07777, mode_t(0600));
        EXPECT_EQ(contents(workDir() + "victim"), "not to be written");
    }
    QString error;
    EXPECT_TRUE(writePrivateWorkFile({ workDir() + "victim/KORVEL" }, "temp.no1", "x", &error).isEmpty());
    EXPECT_EQ(error, qt_error_string(ENOTDIR)) << "the system's own words, in the user's language";
}

// Each save in a shared folder leaves one copy there: the newest; files of
// other names, links and look-alike names stay.
TEST_F(PrivateWorkFileTest, ASharedFolderKeepsOnlyTheNewestCopyOfAName)
{
    const QString shared = workDir() + "shared";
    ASSERT_TRUE(QDir().mkpath(shared));
    ASSERT_EQ(::chmod(QFile::encodeName(shared).constData(), 01777), 0);
    const QStringList others = { "korvel-0123456789abcdef-other.no1", "korvel-not-hex-digits!!-temp.no1",
        "temp.no1" };
    for (const QString& name : others) {
        QFile file(shared + "/" + name);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::link(workDir() + "victim", shared + "/korvel-fedcba9876543210-temp.no1"));
    QString last;
    for (const char* bytes : { "first", "second", "third" }) {
        last = writePrivateWorkFile({ shared }, "temp.no1", bytes);
    }
    QStringList expected = others;
    expected << "korvel-fedcba9876543210-temp.no1" << QFileInfo(last).fileName();
    expected.sort();
    EXPECT_EQ(QDir(shared).entryList(QDir::Files | QDir::System, QDir::Name), expected);
    EXPECT_EQ(contents(last), "third");
}

} // namespace

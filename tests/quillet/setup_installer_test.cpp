#include "quillet/setup_installer.h"

#include "tests/support/korvel_test.h"

#include <QDir>
#include <QFile>

using namespace quillet;

namespace {

class SetupInstallerTest : public KorvelTest
{
protected:
    static AsyncProperty download(const QByteArray& bytes)
    {
        AsyncProperty state;
        state.PropertyName = "Update|5";
        state.StatusCode = vbAsyncStatusCodeEndDownloadData;
        state.Value = bytes;
        state.BytesRead = bytes.size();
        return state;
    }

    QString setup() const { return programDir() + "Update/KORVEL_Update.exe"; }
};

using SetupInstallerRefusals = SetupInstallerTest;

} // namespace

TEST_F(SetupInstallerTest, WholeDownloadIsSavedExecutableAndStarted)
{
    EXPECT_EQ(setupPath(programDir()), setup());
    const QString failure = saveAndStartSetup(programDir(), download("#!/bin/sh\n"), 10);
    EXPECT_TRUE(failure.isEmpty()) << failure.toStdString();

    QFile file(setup());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "#!/bin/sh\n");
    EXPECT_TRUE(file.permissions().testFlag(QFileDevice::ExeOwner));
    ASSERT_EQ(launches().size(), 1u);
    EXPECT_EQ(launches()[0].kind, LaunchKind::Program);
    EXPECT_EQ(launches()[0].program, setup());
    EXPECT_TRUE(launches()[0].arguments.isEmpty());
    EXPECT_EQ(QDir(programDir() + "Update").entryList(QDir::Files | QDir::Hidden),
        QStringList { "KORVEL_Update.exe" })
        << "no temporary file is left behind";
}

TEST_F(SetupInstallerTest, EarlierLongerSetupIsReplacedWhole)
{
    ASSERT_TRUE(QDir().mkpath(programDir() + "Update"));
    QFile old(setup());
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(QByteArray(5000, 'o'));
    old.close();

    EXPECT_TRUE(saveAndStartSetup(programDir(), download("new"), 3).isEmpty());
    QFile file(setup());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "new");
}

TEST_F(SetupInstallerRefusals, ShortDownloadIsNeitherSavedNorStarted)
{
    const QString failure = saveAndStartSetup(programDir(), download(QByteArray(1500, 'x')), 2048000);
    EXPECT_EQ(failure,
        "The new setup did not arrive whole: 1,500 of 2,048,000 bytes were received.\r"
        "Nothing was saved. Please try again.");
    EXPECT_FALSE(QFile::exists(setup()));
    EXPECT_FALSE(QFile::exists(programDir() + "Update"));
    EXPECT_TRUE(launches().empty());
    EXPECT_FALSE(saveAndStartSetup(programDir(), download("toolong"), 3).isEmpty()) << "more is no better";
}

TEST_F(SetupInstallerRefusals, FailedReadIsReportedWithItsReason)
{
    AsyncProperty failed = download(QByteArray());
    failed.StatusCode = vbAsyncStatusCodeError;
    failed.Status = "Connection refused";
    EXPECT_EQ(saveAndStartSetup(programDir(), failed, 10),
        "The new setup could not be downloaded:\rConnection refused");
    EXPECT_TRUE(launches().empty());
}

TEST_F(SetupInstallerRefusals, FolderThatCannotBeMadeIsReported)
{
    QFile blocker(programDir() + "Update"); // a file where the folder belongs
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString failure = saveAndStartSetup(programDir(), download("abc"), 3);
    EXPECT_TRUE(
        failure.startsWith("The folder " + programDir() + "Update for the new setup could not be created"))
        << failure.toStdString();
    EXPECT_TRUE(launches().empty());
}

TEST_F(SetupInstallerRefusals, FileThatCannotBeWrittenIsReported)
{
    ASSERT_TRUE(QDir().mkpath(setup())); // a folder where the file belongs
    const QString failure = saveAndStartSetup(programDir(), download("abc"), 3);
    EXPECT_TRUE(failure.startsWith("The new setup could not be saved as " + setup()))
        << failure.toStdString();
    EXPECT_TRUE(launches().empty());
}

TEST_F(SetupInstallerRefusals, SetupThatCannotStartIsReported)
{
    queueProgramStartFailure("permission denied");
    EXPECT_EQ(saveAndStartSetup(programDir(), download("abc"), 3),
        "The new setup " + setup() + " could not be started:\rpermission denied");
}

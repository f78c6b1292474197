#include "platform/process_launcher.h"
#include "tests/support/korvel_test.h"

#include <QFile>

using ProcessLauncherTest = KorvelTest;

TEST_F(ProcessLauncherTest, TestsSeeEveryStartAndNothingRuns)
{
    const QString updater = programDir() + "quillet";
    EXPECT_TRUE(startProgram(updater).started);
    openWithDesktop(workDir() + "block.no1");
    openDisplaySettings();

    ASSERT_EQ(launches().size(), 3u);
    EXPECT_EQ(launches()[0].kind, LaunchKind::Program);
    EXPECT_EQ(launches()[0].program, updater);
    EXPECT_TRUE(launches()[0].arguments.isEmpty());
    EXPECT_EQ(launches()[1].kind, LaunchKind::OpenWithDesktop);
    EXPECT_EQ(launches()[1].program, "xdg-open");
    EXPECT_EQ(launches()[1].arguments, QStringList { workDir() + "block.no1" });
    EXPECT_EQ(launches()[2].kind, LaunchKind::DisplaySettings);
}

TEST_F(ProcessLauncherTest, QueuedFailureGoesToTheNextProgramStart)
{
    queueProgramStartFailure("quillet was not found");
    openWithDesktop("x"); // desktop launches ignore failures and take none
    const ProcessStartResult result = startProgram("quillet");
    EXPECT_FALSE(result.started);
    EXPECT_EQ(result.error, "quillet was not found");
}

TEST_F(ProcessLauncherTest, UnusedFailureFailsTheScript)
{
    queueProgramStartFailure("never used");
    EXPECT_EQ(takeScriptFailures().size(), 1);
}

// The real launcher, on programs that cannot start or end at once.
class RealProcessLauncherTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        setProcessLauncher(nullptr);
    }
};

TEST_F(RealProcessLauncherTest, MissingProgramIsReportedWithItsName)
{
    const ProcessStartResult result = startProgram(workDir() + "no-such-updater");
    EXPECT_FALSE(result.started);
    EXPECT_TRUE(result.error.contains("no-such-updater")) << result.error.toStdString();
}

TEST_F(RealProcessLauncherTest, FileThatIsNoProgramIsReported)
{
    QFile file(workDir() + "quillet");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    const ProcessStartResult result = startProgram(file.fileName());
    EXPECT_FALSE(result.started);
    EXPECT_TRUE(result.error.contains("could not be started")) << result.error.toStdString();
}

TEST_F(RealProcessLauncherTest, ProgramStartsDetached)
{
    EXPECT_TRUE(startProgram("true").started);
}

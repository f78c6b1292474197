#include "korvel/app/startup.h"

#include "korvel/app/shown_size_wait.h"
#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"
#include "platform/file_helpers.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/single_instance.h"
#include "tests/support/main_form_fixture.h"
#include "tests/support/shapefile_writer.h"
#include "tests/support/state_reset.h"
#include "tests/support/wait_until.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QResizeEvent>
#include <QTimer>
#include <QWindow>

#include <array>

#include <unistd.h>

namespace {

class Startup : public MainFormTest
{
protected:
    void SetUp() override
    {
        MainFormTest::SetUp();
        SaveRegSetting("Settings", "RootDir", programDir());
    }

    QString updateFolder() const { return programDir() + "Update"; }
};

const QString kSecondCopy = QStringLiteral("There is already another copy of KORVEL running.");

// A window manager that answers late: no window learns the size the desktop
// gives it until the answer comes.
class LateWindowManager : public QObject
{
public:
    LateWindowManager() { QCoreApplication::instance()->installEventFilter(this); }
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        return !answered && watched->isWindowType() && event->type() == QEvent::Resize;
    }
    void answer()
    {
        answered = true;
        QResizeEvent size(MainForm::instance().windowHandle()->size(), {});
        QCoreApplication::sendEvent(MainForm::instance().windowHandle(), &size);
    }
    bool answered = false;
};

} // namespace

TEST_F(Startup, ShowsTheMainWindowWithTheProgramWideValuesSet)
{
    globals().UTMMode = false;
    globals().GISLoaded = true;
    globals().CoordFormat = "0.0000";
    ASSERT_TRUE(Main(QString()));
    MainForm* window = MainForm::existing();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_TRUE(window->isMaximized());
    EXPECT_EQ(globals().RootDir, programDir());
    EXPECT_EQ(globals().ScreenWidth, 1024);
    EXPECT_EQ(globals().ScreenHeight, 768);
    EXPECT_TRUE(globals().UTMMode);
    EXPECT_FALSE(globals().GISLoaded);
    EXPECT_EQ(globals().CoordFormat, "0");
    EXPECT_DOUBLE_EQ(globals().Pi, 3.14159265358979323846);
    EXPECT_TRUE(msgBoxes().empty());
}

// The file named on the command line opens once the window has the size the
// window manager gives it, so its first view is what Zoom to Layers gives;
// without a window manager's answer it opens when the bound has passed.
TEST_F(Startup, TheFileOnTheCommandLineIsFittedToTheSizeTheWindowIsShownAt)
{
    const QString path = workDir() + "fields.shp";
    ShapefileWriter fields(5);
    fields.addPoly({ { { 500000, 4800000 }, { 500000, 4801000 }, { 501000, 4801000 }, { 500000, 4800000 } } });
    fields.write(path);
    const auto view = [] {
        const PictureBox& map = *MainForm::instance().Picture1;
        return std::array { map.ScaleLeft(), map.ScaleTop(), map.ScaleWidth(), map.ScaleHeight() };
    };
    for (const bool answers : { true, false }) {
        SCOPED_TRACE(answers ? "the window manager answers late" : "no window manager answers");
        LateWindowManager windowManager;
        if (answers) {
            QTimer::singleShot(300, &windowManager, &LateWindowManager::answer);
        }
        ASSERT_TRUE(Main(path, std::chrono::milliseconds(answers ? 20000 : 300)));
        ASSERT_EQ(layerData().GISCount, 1);
        ASSERT_TRUE(!answers || waitUntil([] { return hasShownSize(MainForm::instance()); }));
        const auto first = view();
        MainForm::instance().ZoomToLayers(0, 1);
        EXPECT_EQ(first, view());
        MainForm::release();
        resetAllState(programDir());
    }
}

TEST_F(Startup, SecondCopyIsRefusedAndTheFirstIsUntouched)
{
    SingleInstance firstCopy;
    ASSERT_TRUE(firstCopy.listen());
    queueMsgBoxAnswer(vbOK);
    EXPECT_FALSE(Main(QStringLiteral("/data/fields.shp")));
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, kSecondCopy);
    EXPECT_EQ(msgBoxes()[0].icon(), vbExclamation);
    EXPECT_EQ(msgBoxes()[0].caption, "KORVEL");
    EXPECT_EQ(MainForm::existing(), nullptr);
    EXPECT_TRUE(firstCopy.isListening());
}

TEST_F(Startup, ScreenOf640x480IsRefusedAndYesOpensTheDisplaySettings)
{
    setScreen(640, 480, 32);
    queueMsgBoxAnswer(vbYes);
    EXPECT_FALSE(Main(QString()));
    ASSERT_EQ(msgBoxes().size(), 1u);
    const MsgBoxRequest& box = msgBoxes()[0];
    EXPECT_EQ(box.buttonSet(), vbYesNo);
    EXPECT_EQ(box.icon(), vbExclamation);
    EXPECT_EQ(box.prompt,
        "KORVEL has detected that your display's resolution\r"
        "is 640x480.  Due to the highly graphical nature of GIS\r"
        "data, KORVEL has been designed to run best at a\r"
        "resolution of 1024x768 or higher.  Some other common\r"
        "resolutions are:\r"
        "\t  800x600   (not recommended)\r"
        "\t1152x864\r"
        "\t1280x960\r"
        "\r"
        "Would you like to change resolutions now?");
    ASSERT_EQ(launches().size(), 1u);
    EXPECT_EQ(launches()[0].kind, LaunchKind::DisplaySettings);
    EXPECT_EQ(MainForm::existing(), nullptr);
}

TEST_F(Startup, NoLeavesTheDisplaySettingsAloneAndEndsToo)
{
    setScreen(1024, 480, 32);
    queueMsgBoxAnswer(vbNo);
    EXPECT_FALSE(Main(QString()));
    EXPECT_TRUE(launches().empty());
    EXPECT_EQ(MainForm::existing(), nullptr);
}

TEST_F(Startup, ScreensJustAboveTheLimitAreAccepted)
{
    setScreen(641, 481, 32);
    EXPECT_TRUE(Main(QString()));
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(Startup, UpdateFolderIsRemovedWithItsFiles)
{
    ASSERT_TRUE(QDir().mkpath(updateFolder()));
    ASSERT_TRUE(writeFileAtomically(updateFolder() + "/setup", "new version"));
    ASSERT_TRUE(writeFileAtomically(updateFolder() + "/readme.txt", "notes"));
    ASSERT_TRUE(Main(QString()));
    EXPECT_FALSE(QFileInfo::exists(updateFolder()));
}

TEST_F(Startup, UpdateFolderThatCannotBeEmptiedStaysAndTheStartGoesOn)
{
    ASSERT_TRUE(QDir().mkpath(updateFolder() + "/nested"));
    ASSERT_TRUE(writeFileAtomically(updateFolder() + "/setup", "new version"));
    ASSERT_TRUE(Main(QString()));
    EXPECT_TRUE(QFileInfo(updateFolder()).isDir()) << "a folder that still holds anything stays";
    EXPECT_FALSE(QFileInfo::exists(updateFolder() + "/setup"));
    EXPECT_NE(MainForm::existing(), nullptr);
}

TEST_F(Startup, UpdateFolderThatIsALinkIsLeftAlone)
{
    // Someone's own folder, which a link in the program folder points to.
    const QString elsewhere = workDir() + "documents";
    ASSERT_TRUE(QDir().mkpath(elsewhere));
    ASSERT_TRUE(writeFileAtomically(elsewhere + "/thesis.txt", "years of work"));
    ASSERT_TRUE(QFile::link(elsewhere, updateFolder()));
    ASSERT_TRUE(Main(QString()));
    EXPECT_EQ(QDir(elsewhere).entryList(QDir::Files), QStringList { "thesis.txt" });
    EXPECT_TRUE(QFileInfo(updateFolder()).isSymLink());
}

TEST_F(Startup, DamagedSettingsAreReportedOnceAndNeverOverwritten)
{
    const QString store = registryDir() + "HKEY_CURRENT_USER.txt";
    const QByteArray damaged
        = "TALVOR registry 1\n[Software\\TALVOR\\KORVEL\\Settings]\n\"RootDir\"=sz:\"cut";
    QFile file(store);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(damaged);
    file.close();

    queueMsgBoxAnswer(vbOK);
    queueMsgBoxAnswer(vbOK); // without its RootDir the program folder lacks its pictures
    Main(QString());
    ASSERT_FALSE(msgBoxes().empty());
    const MsgBoxRequest& box = msgBoxes()[0];
    EXPECT_TRUE(box.prompt.startsWith("KORVEL's settings cannot be used:\r")) << box.prompt.toStdString();
    EXPECT_TRUE(box.prompt.contains(store)) << "names the file";
    EXPECT_TRUE(box.prompt.contains("will not save any setting until the file is repaired"));
    EXPECT_EQ(box.icon(), vbExclamation);
    int damageBoxes = 0;
    for (const MsgBoxRequest& shown : msgBoxes()) {
        damageBoxes += shown.prompt.contains(store) ? 1 : 0;
    }
    EXPECT_EQ(damageBoxes, 1) << "once";
    QFile after(store);
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), damaged);
    takeScriptFailures();
}

// Where the socket's fallback folder in the temporary folder is not the
// user's own (another user made it first, or put a link there), the start
// says so once in a box naming the folder and goes on.
TEST_F(Startup, SquattedSocketFolderIsReportedOnceAndTheStartGoesOn)
{
    const QByteArray savedName = qgetenv("KORVEL_INSTANCE_NAME");
    const QByteArray savedRuntime = qgetenv("XDG_RUNTIME_DIR");
    const QByteArray savedTemp = qgetenv("TMPDIR");
    const bool runtimeSet = qEnvironmentVariableIsSet("XDG_RUNTIME_DIR");
    const bool tempSet = qEnvironmentVariableIsSet("TMPDIR");
    qunsetenv("KORVEL_INSTANCE_NAME");
    qunsetenv("XDG_RUNTIME_DIR");
    qputenv("TMPDIR", QFile::encodeName(workDir() + "tmp"));
    const QString squatted = workDir() + QStringLiteral("tmp/korvel-%1").arg(::getuid());
    const QString theirs = workDir() + "theirs";
    ASSERT_TRUE(QDir().mkpath(theirs));
    const struct
    {
        const char* squat;
        bool asRootOnly;
        const char* why;
    } rows[] = {
        { "a link in the folder's place", false, "is no folder" },
        { "another user's folder", true, "belongs to another user" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.squat);
        if (row.asRootOnly && ::geteuid() != 0) {
            continue; // only root can give a folder to someone else
        }
        QDir(workDir() + "tmp").removeRecursively();
        QDir().mkpath(workDir() + "tmp");
        if (row.asRootOnly) {
            ASSERT_TRUE(QDir().mkpath(squatted));
            ASSERT_EQ(::chown(QFile::encodeName(squatted).constData(), 65534, 65534), 0);
        } else {
            ASSERT_TRUE(QFile::link(theirs, squatted));
        }
        const size_t before = msgBoxes().size();
        queueMsgBoxAnswer(vbOK);
        ASSERT_TRUE(Main(QString()));
        ASSERT_EQ(msgBoxes().size(), before + 1) << "once, and nothing else";
        const MsgBoxRequest& box = msgBoxes()[before];
        EXPECT_TRUE(box.prompt.startsWith("KORVEL cannot make sure that only one copy of it runs"));
        EXPECT_TRUE(box.prompt.contains(squatted + " " + row.why)) << box.prompt.toStdString();
        EXPECT_TRUE(box.prompt.contains("KORVEL goes on without this check"));
        EXPECT_EQ(box.icon(), vbExclamation);
        EXPECT_TRUE(MainForm::existing() && MainForm::existing()->isVisible());
        MainForm::release();
    }
    EXPECT_TRUE(QDir(theirs).isEmpty()) << "nothing was made in the other user's folder";
    qputenv("KORVEL_INSTANCE_NAME", savedName);
    runtimeSet ? qputenv("XDG_RUNTIME_DIR", savedRuntime) : qunsetenv("XDG_RUNTIME_DIR");
    tempSet ? qputenv("TMPDIR", savedTemp) : qunsetenv("TMPDIR");
}

TEST_F(Startup, ProgramFolderAlwaysEndsInASlash)
{
    EXPECT_EQ(programFolder("/opt/korvel", "/usr/bin"), "/opt/korvel/");
    EXPECT_EQ(programFolder("/opt/korvel/", "/usr/bin"), "/opt/korvel/");
    EXPECT_EQ(programFolder("", "/usr/lib/korvel"), "/usr/lib/korvel/")
        << "the executable's folder, not the root";
}

TEST_F(Startup, WindowThatCannotBeCreatedIsReportedAndEndsTheStart)
{
    writeEllipsoidTable("");
    queueMsgBoxAnswer(vbOK);
    EXPECT_FALSE(Main(QString()));
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.contains("ellipsoid.dat"));
    EXPECT_EQ(msgBoxes()[0].icon(), vbExclamation);
    EXPECT_EQ(MainForm::existing(), nullptr);
}

// The real executable of the build's program folder, with no settings
// stored: the program needs none.
using RealProgram = KorvelTest;

TEST_F(RealProgram, RefusesASecondCopyHeadlessAndQuitsOnRequest)
{
    const QString program = QStringLiteral(KORVEL_TEST_PROGRAM_DIR) + "/korvel";
    if (!QFileInfo(program).isExecutable()) {
        GTEST_SKIP() << "the korvel executable is not built";
    }
    QProcess first;
    first.setProcessChannelMode(QProcess::MergedChannels);
    first.start(program, {});
    ASSERT_TRUE(first.waitForStarted());
    ASSERT_TRUE(waitUntil([] { return SingleInstance::anotherInstanceRunning(); }, 15000))
        << first.readAll().toStdString();

    QProcess second;
    second.setProcessChannelMode(QProcess::MergedChannels);
    second.start(program, { QStringLiteral("/data/fields.shp") });
    ASSERT_TRUE(second.waitForFinished(15000));
    EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
    EXPECT_TRUE(second.readAll().contains(kSecondCopy.toUtf8()));
    EXPECT_EQ(first.state(), QProcess::Running) << "the first copy is not affected";

    ASSERT_TRUE(sendToRunningInstance("KORVEL_Shutdown", 3, 15000));
    ASSERT_TRUE(first.waitForFinished(15000)) << "the shutdown request ends the program";
    EXPECT_EQ(first.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(first.exitCode(), 0);
}

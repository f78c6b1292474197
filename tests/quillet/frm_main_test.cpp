#include "quillet/frm_main.h"

#include "platform/connection_state.h"
#include "platform/msg_box.h"
#include "platform/process_launcher.h"
#include "platform/program_identity.h"
#include "quillet/async_transfer_client.h"
#include "quillet/quillet_paths.h"
#include "quillet/updater_registry.h"
#include "tests/support/clipped_texts.h"
#include "tests/support/korvel_test.h"
#include "tests/support/local_http_server.h"
#include "tests/support/wait_until.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

using namespace quillet;

namespace {

const QString VersionFile = QStringLiteral("/KORVEL/Update/version.txt");
const QString SetupFile = QStringLiteral("/KORVEL/Update/KORVEL_Update.exe");

class FrmMainTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        ASSERT_TRUE(server.isListening());
        setProgramTitle(QStringLiteral("Quillet"));
        setProgramExeName(QStringLiteral("quillet"));
        setExecutableFolder(QStringLiteral(KORVEL_TEST_PROGRAM_DIR));
        QApplication::setQuitOnLastWindowClosed(false);
        connectAs("eth0");
        SaveRegSetting("Settings", "RootDir", programDir());
        SaveRegSetting("Settings", "UpdateServer", server.address());
    }

    void TearDown() override
    {
        frmMain::release();
        setNetworkInterfaceSource({});
        setExecutableFolder(QString());
        QApplication::setQuitOnLastWindowClosed(true);
        KorvelTest::TearDown();
    }

    static void connectAs(const QString& name)
    {
        setNetworkInterfaceSource([name] {
            QList<NetworkInterfaceState> interfaces { { "lo", true, true } };
            if (!name.isEmpty()) {
                interfaces.append({ name, true, false });
            }
            return interfaces;
        });
    }

    static frmMain& form()
    {
        frmMain& window = frmMain::instance();
        window.show();
        return window;
    }

    // Clicks "Check for Update" and waits until the answer is shown.
    void check(frmMain& window)
    {
        window.btnCheckUpdates->click();
        EXPECT_EQ(window.lblCheckUpdates->text(), "Checking for updates...");
        EXPECT_TRUE(waitUntil([&] { return window.lblCheckUpdates->text() != "Checking for updates..."; }));
    }

    QString setupOnDisk() const { return programDir() + "Update/KORVEL_Update.exe"; }

    // Checks against a version file the updater must refuse: returns the one
    // message shown, having made sure that nothing is offered.
    QString refusal(const HttpResponse& versionFile)
    {
        server.serve(VersionFile, versionFile);
        queueMsgBoxAnswer(vbOK);
        frmMain& window = form();
        check(window);
        EXPECT_TRUE(window.lblCheckUpdates->text().isEmpty());
        EXPECT_FALSE(window.btnDownloadUpdates->isEnabled());
        EXPECT_EQ(msgBoxes().size(), 1u);
        const QString prompt = msgBoxes().empty() ? QString() : msgBoxes()[0].prompt;
        EXPECT_TRUE(msgBoxes().empty() || msgBoxes()[0].icon() == vbExclamation);
        services().msgBox.reset();
        frmMain::release();
        return prompt;
    }

    static HttpResponse body(const QByteArray& bytes)
    {
        HttpResponse response;
        response.body = bytes;
        return response;
    }

    static QByteArray setupBytes(int size)
    {
        QByteArray bytes(size, '\0');
        for (int i = 0; i < size; ++i) {
            bytes[i] = char('a' + i % 26);
        }
        return bytes;
    }

    // Serves a version file announcing `size` bytes and a setup of that size.
    void serveUpdate(const QByteArray& latest, int size, HttpResponse setup = {})
    {
        server.serve(VersionFile, latest + "\n" + QByteArray::number(size));
        setup.body = setupBytes(size);
        server.serve(SetupFile, setup);
    }

    LocalHttpServer server;
};

using FrmMainLoad = FrmMainTest;
using FrmMainCheck = FrmMainTest;
using FrmMainDownload = FrmMainTest;
using FrmMainKeys = FrmMainTest;

} // namespace

TEST_F(FrmMainLoad, WindowShowsTheConnectionAndNothingElseYet)
{
    frmMain& window = form();
    EXPECT_EQ(window.objectName(), "frmMain");
    EXPECT_EQ(window.windowTitle(), "KORVEL Quillet");
    EXPECT_EQ(window.size(), QSize(270, 149)) << "4050 x 2235 twips";
    EXPECT_EQ(window.lblConnection->text(), "Current internet connection:  eth0");
    EXPECT_EQ(window.btnCheckUpdates->text(), "Check for Update");
    EXPECT_EQ(window.btnDownloadUpdates->text(), "Download Update");
    EXPECT_EQ(window.btnCheckUpdates->geometry(), QRect(8, 40, 100, 25));
    EXPECT_EQ(window.btnDownloadUpdates->geometry(), QRect(8, 80, 100, 25));
    EXPECT_EQ(window.lblProgress->geometry(), QRect(35, 115, 200, 28));
    EXPECT_TRUE(window.btnCheckUpdates->isEnabled());
    EXPECT_FALSE(window.btnDownloadUpdates->isEnabled());
    EXPECT_TRUE(window.lblCheckUpdates->text().isEmpty());
    EXPECT_TRUE(window.lblDownloadUpdates->text().isEmpty());
    EXPECT_TRUE(window.lblProgress->text().isEmpty());
    for (const char* name : { "lblConnection", "btnCheckUpdates", "lblCheckUpdates", "lblProgress",
             "btnDownloadUpdates", "lblDownloadUpdates" }) {
        EXPECT_NE(window.findChild<QWidget*>(name), nullptr) << name;
    }
    EXPECT_NE(window.objTest(), nullptr);
    EXPECT_EQ(window.rootDir(), programDir());
}

TEST_F(FrmMainLoad, WithoutConnectionOnlyClosingIsLeft)
{
    connectAs(QString());
    frmMain& window = form();
    EXPECT_EQ(window.lblConnection->text(), "Current internet connection:  None");
    EXPECT_FALSE(window.btnCheckUpdates->isEnabled());
    EXPECT_FALSE(window.btnDownloadUpdates->isEnabled());
}

TEST_F(FrmMainLoad, LongConnectionNameWidensTheWindow)
{
    connectAs(QString(60, 'w'));
    frmMain& window = form();
    const QLabel* label = window.lblConnection;
    EXPECT_EQ(window.width(), label->x() + label->width() + window.btnCheckUpdates->x() + 6);
    EXPECT_GT(window.width(), 270);
    EXPECT_EQ(window.x(), (1024 - window.width()) / 2) << "centred at its final width";
}

TEST_F(FrmMainLoad, ProgramFolderGetsItsSlashOrIsTheUpdatersOwn)
{
    SaveRegSetting("Settings", "RootDir", "/opt/korvel");
    EXPECT_EQ(form().rootDir(), "/opt/korvel/");
    frmMain::release();

    SaveRegSetting("Settings", "RootDir", "");
    EXPECT_EQ(form().rootDir(), QStringLiteral(KORVEL_TEST_PROGRAM_DIR "/"));
}

TEST_F(FrmMainLoad, MissingLibraryIsReportedAndNothingCanBeChecked)
{
    setExecutableFolder(workDir()); // no libfendrix.so there, and nothing registered
    queueMsgBoxAnswer(vbOK);
    frmMain& window = form();
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.startsWith(
        "The download library could not be loaded, so no update can be looked for:\r"));
    EXPECT_TRUE(msgBoxes()[0].prompt.contains("libfendrix.so"));
    EXPECT_EQ(msgBoxes()[0].icon(), vbExclamation);
    EXPECT_EQ(msgBoxes()[0].caption, "Quillet");
    EXPECT_EQ(window.objTest(), nullptr);
    EXPECT_FALSE(window.btnCheckUpdates->isEnabled());
}

TEST_F(FrmMainCheck, NewerVersionIsOfferedWithItsSize)
{
    serveUpdate("1.1", 2048000);
    frmMain& window = form();
    check(window);
    EXPECT_EQ(window.lblCheckUpdates->text(), "Installed version:  1.00\nLatest version:  1.1");
    EXPECT_EQ(window.lblDownloadUpdates->text(), "Size:  2,000 KB");
    EXPECT_TRUE(window.btnDownloadUpdates->isEnabled());
    EXPECT_EQ(server.requests(), QStringList { VersionFile });
    EXPECT_EQ(clippedTexts(window), QStringList()) << "every text of the window shown whole";
}

TEST_F(FrmMainCheck, VersionsCompareAsNumbers)
{
    const struct
    {
        const char* installed;
        const char* latest;
        bool offered;
    } rows[] = { { "1.1", "1.10", false }, { "1.10", "1.9", true } };
    for (const auto& row : rows) {
        SaveRegSetting("Settings", "Version", row.installed);
        server.serve(VersionFile, QByteArray(row.latest) + "\n4096");
        frmMain& window = form();
        check(window);
        EXPECT_EQ(window.lblCheckUpdates->text(),
            QStringLiteral("Installed version:  %1\nLatest version:  %2").arg(row.installed, row.latest));
        EXPECT_EQ(window.btnDownloadUpdates->isEnabled(), row.offered)
            << row.installed << " / " << row.latest;
        EXPECT_EQ(window.lblDownloadUpdates->text(), row.offered ? "Size:  4 KB" : "");
        frmMain::release();
    }
}

TEST_F(FrmMainCheck, UpToDateLeavesAnEarlierOfferStanding)
{
    serveUpdate("1.1", 4096);
    frmMain& window = form();
    check(window);
    ASSERT_TRUE(window.btnDownloadUpdates->isEnabled());
    server.serve(VersionFile, "1.00\n4096");
    check(window);
    EXPECT_EQ(window.lblCheckUpdates->text(), "Installed version:  1.00\nLatest version:  1.00");
    EXPECT_TRUE(window.btnDownloadUpdates->isEnabled());
    EXPECT_EQ(window.lblDownloadUpdates->text(), "Size:  4 KB");
}

TEST_F(FrmMainCheck, UnreachableServerNamesItsHost)
{
    frmMain& window = form();
    check(window); // the server has no version file
    EXPECT_EQ(window.lblCheckUpdates->text(), "Could not connect to\n     127.0.0.1\n     404 Not Found");
    EXPECT_FALSE(window.btnDownloadUpdates->isEnabled());
    EXPECT_TRUE(window.btnCheckUpdates->isEnabled()) << "the buttons stay as they were";
}

TEST_F(FrmMainCheck, VersionReadThatFailsSaysWhy)
{
    quint16 closedPort = 0;
    {
        LocalHttpServer gone;
        closedPort = gone.port();
    }
    HttpResponse trickle;
    trickle.body = "1.2\n100";
    trickle.pieceSize = 1;
    trickle.pieceDelayMs = 150;
    HttpResponse error;
    error.status = 500;
    error.body = QByteArray(100000, 'e');
    const struct
    {
        const char* answer;
        HttpResponse response;
        QString server; // empty: the test server
        const char* label;
    } rows[] = {
        { "an error status", error, QString(),
            "Could not connect to\n     127.0.0.1\n     500 Internal Server Error" },
        { "a trickle", trickle, QString(),
            "Could not connect to\n     127.0.0.1\n     The server stopped sending." },
        { "no server", HttpResponse(), QStringLiteral("http://127.0.0.1:%1").arg(closedPort),
            "Could not connect to\n     127.0.0.1" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.answer);
        server.serve(VersionFile, row.response);
        SaveRegSetting("Settings", "UpdateServer", row.server.isEmpty() ? server.address() : row.server);
        frmMain& window = form();
        window.setStallRule(1024, 500);
        check(window);
        EXPECT_EQ(window.lblCheckUpdates->text(), row.label);
        EXPECT_FALSE(window.btnDownloadUpdates->isEnabled());
        frmMain::release();
    }
}

TEST_F(FrmMainCheck, VersionFileBeyond64KBIsABadVersionFile)
{
    HttpResponse whole;
    whole.body = QByteArray("1.2\n100\n") + QByteArray(64 * 1024, ' ');
    HttpResponse unannounced;
    unannounced.body = QByteArray(70000, '1');
    unannounced.sendContentLength = false;
    HttpResponse announced;
    announced.body = "1.2\n100";
    announced.announcedLength = 1 << 30;
    const struct
    {
        const char* answer;
        HttpResponse response;
    } rows[] = { { "sent whole", whole }, { "without a length", unannounced }, { "announced", announced } };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.answer);
        EXPECT_EQ(refusal(row.response),
            "The version file of the update server cannot be used:\r"
            "it is larger than 64 KB.\r"
            "No update can be offered.");
    }
}

TEST_F(FrmMainCheck, LongLineIsQuotedByItsFirst80Characters)
{
    const QString prompt = refusal(body(QByteArray(60000, '7') + "x\n100"));
    EXPECT_TRUE(prompt.contains("\"" + QString(80, '7') + "...\"")) << "cut after 80 characters";
    EXPECT_LT(prompt.size(), 300);
}

TEST_F(FrmMainCheck, VersionFileThatIsNoNumbersOffersNothing)
{
    EXPECT_EQ(refusal(body("latest\nbig")),
        "The version file of the update server cannot be used:\r"
        "its first line, \"latest\", is no version number.\r"
        "No update can be offered.");
}

TEST_F(FrmMainCheck, ServerAddressThatCannotBeReadIsReported)
{
    SaveRegSetting("Settings", "UpdateServer", "ftp://updates.example.org");
    queueMsgBoxAnswer(vbOK);
    frmMain& window = form();
    window.btnCheckUpdates->click();
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(
        msgBoxes()[0].prompt.startsWith("The update server ftp://updates.example.org cannot be asked:\r"));
    EXPECT_TRUE(window.lblCheckUpdates->text().isEmpty());
}

TEST_F(FrmMainCheck, SecondCheckDuringTheFirstStartsNoRead)
{
    HttpResponse slow;
    slow.body = "1.2\n100";
    slow.firstByteDelayMs = 300;
    server.serve(VersionFile, slow);
    frmMain& window = form();
    window.btnCheckUpdates->click();
    waitUntil([&] { return server.requestCount(VersionFile) == 1; });
    window.lblCheckUpdates->setText("something else");
    window.btnCheckUpdates->click();
    EXPECT_EQ(window.lblCheckUpdates->text(), "Checking for updates...");
    EXPECT_TRUE(waitUntil([&] { return window.btnDownloadUpdates->isEnabled(); }));
    EXPECT_EQ(window.lblCheckUpdates->text(), "Installed version:  1.00\nLatest version:  1.2");
    EXPECT_EQ(server.requestCount(VersionFile), 1);
}

TEST_F(FrmMainDownload, NewSetupIsSavedStartedAndTheWindowCloses)
{
    HttpResponse setup;
    setup.pieceSize = 1000;
    setup.pieceDelayMs = 150;
    serveUpdate("1.1", 3000, setup);
    frmMain& window = form();
    check(window);
    QStringList progress;
    QObject::connect(window.objTest(), &AsyncTransferClient::FileReadProgress, &window,
        [&] { progress.append(window.lblProgress->text()); });

    window.btnDownloadUpdates->click();
    ASSERT_TRUE(waitUntil([&] { return !window.isVisible(); }));

    QFile saved(setupOnDisk());
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.readAll(), setupBytes(3000));
    EXPECT_TRUE(saved.permissions().testFlag(QFileDevice::ExeOwner));
    ASSERT_EQ(launches().size(), 1u);
    EXPECT_EQ(launches()[0].program, setupOnDisk());
    EXPECT_TRUE(launches()[0].arguments.isEmpty());
    ASSERT_GE(progress.size(), 2);
    EXPECT_TRUE(progress.contains("2,000 / 3,000\n(66.7%)") || progress.contains("1,000 / 3,000\n(33.3%)"))
        << progress.join(" | ").toStdString();
    EXPECT_EQ(progress.last(), "3,000 / 3,000\n(100.0%)");
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(FrmMainDownload, SetupMatchingTheChecksumIsStarted)
{
    const QByteArray setup = setupBytes(3000);
    server.serve(VersionFile,
        "1.1\n3000\r\nSHA256 " + QCryptographicHash::hash(setup, QCryptographicHash::Sha256).toHex().toUpper()
            + "\r\n");
    server.serve(SetupFile, setup);
    frmMain& window = form();
    check(window);
    window.btnDownloadUpdates->click();
    ASSERT_TRUE(waitUntil([&] { return !window.isVisible(); }));
    EXPECT_EQ(launches().size(), 1u);
    EXPECT_TRUE(msgBoxes().empty());
}

// A server that lies about the setup, or a network that changes it: in every
// case nothing is saved in place of the setup and nothing is started.
TEST_F(FrmMainDownload, SetupThatIsNotWhatWasAnnouncedIsNeitherSavedNorStarted)
{
    HttpResponse oversized;
    oversized.body = setupBytes(5000);
    oversized.sendContentLength = false;
    oversized.pieceSize = 1000;
    oversized.pieceDelayMs = 20;
    HttpResponse overAnnounced;
    overAnnounced.body = setupBytes(3000);
    overAnnounced.announcedLength = 2'000'000'000;
    HttpResponse trickle;
    trickle.body = setupBytes(3000);
    trickle.pieceSize = 1;
    trickle.pieceDelayMs = 150;
    HttpResponse missing;
    missing.status = 404;
    HttpResponse plain;
    plain.body = setupBytes(3000);
    const QByteArray otherSha = QCryptographicHash::hash("another setup", QCryptographicHash::Sha256).toHex();
    const struct
    {
        const char* answer;
        HttpResponse setup;
        QByteArray checksumLine;
        const char* message;
    } rows[] = {
        { "more than announced", oversized, "",
            "The new setup is larger than the 3,000 bytes the version file announced.\rNothing was saved." },
        { "announcing more", overAnnounced, "",
            "The new setup is larger than the 3,000 bytes the version file announced.\rNothing was saved." },
        { "a trickle", trickle, "", "The new setup could not be downloaded:\rThe server stopped sending" },
        { "no setup", missing, "", "The new setup could not be downloaded:\r404 Not Found" },
        { "another checksum", plain, "\nSHA256 " + otherSha,
            "The new setup does not match the checksum of the version file" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.answer);
        server.serve(VersionFile, "1.1\n3000" + row.checksumLine);
        server.serve(SetupFile, row.setup);
        queueMsgBoxAnswer(vbOK);
        frmMain& window = form();
        window.setStallRule(1024, 500);
        check(window);
        window.btnDownloadUpdates->click();
        ASSERT_TRUE(waitUntil([&] { return !msgBoxes().empty(); }));
        EXPECT_TRUE(msgBoxes()[0].prompt.startsWith(QLatin1String(row.message)))
            << msgBoxes()[0].prompt.toStdString();
        EXPECT_FALSE(QFile::exists(setupOnDisk()));
        EXPECT_TRUE(launches().empty());
        EXPECT_TRUE(window.isVisible());
        services().msgBox.reset();
        frmMain::release();
    }
}

TEST_F(FrmMainDownload, ProgressWithoutATotalShowsThePlainCount)
{
    HttpResponse setup;
    setup.sendContentLength = false;
    setup.pieceSize = 6000;
    setup.pieceDelayMs = 150;
    serveUpdate("1.1", 12345, setup);
    frmMain& window = form();
    check(window);
    window.btnDownloadUpdates->click();
    ASSERT_TRUE(waitUntil([&] { return !window.isVisible(); }));
    EXPECT_EQ(window.lblProgress->text(), "12345");
    EXPECT_EQ(launches().size(), 1u);
}

TEST_F(FrmMainDownload, ShortDownloadIsNeitherSavedNorStarted)
{
    serveUpdate("1.1", 5000);
    server.serve(SetupFile, setupBytes(4000)); // whole as far as HTTP goes, short of the size announced
    queueMsgBoxAnswer(vbOK);
    frmMain& window = form();
    check(window);
    window.btnDownloadUpdates->click();
    ASSERT_TRUE(waitUntil([&] { return !msgBoxes().empty(); }));
    EXPECT_EQ(msgBoxes()[0].prompt,
        "The new setup did not arrive whole: 4,000 of 5,000 bytes were received.\r"
        "Nothing was saved. Please try again.");
    EXPECT_FALSE(QFile::exists(setupOnDisk()));
    EXPECT_TRUE(launches().empty());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.btnDownloadUpdates->isEnabled()) << "the user may try again";
}

TEST_F(FrmMainDownload, TwoClicksStartOneDownload)
{
    HttpResponse setup;
    setup.firstByteDelayMs = 200;
    serveUpdate("1.1", 100, setup);
    frmMain& window = form();
    check(window);
    window.btnDownloadUpdates->click();
    window.btnDownloadUpdates->click();
    ASSERT_TRUE(waitUntil([&] { return !window.isVisible(); }));
    EXPECT_EQ(server.requestCount(SetupFile), 1);
    EXPECT_EQ(launches().size(), 1u);
}

TEST_F(FrmMainDownload, WindowStaysResponsiveWhileASlowServerAnswers)
{
    HttpResponse setup;
    setup.pieceSize = 500;
    setup.pieceDelayMs = 150;
    serveUpdate("1.1", 3000, setup);
    frmMain& window = form();
    check(window);

    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(20);
    window.btnDownloadUpdates->click();
    // Part of the setup has come, not all of it.
    ASSERT_TRUE(waitUntil([&] {
        const QString text = window.lblProgress->text();
        return text.contains(" / 3,000") && !text.startsWith("3,000");
    }));
    EXPECT_TRUE(window.isVisible());
    window.btnCheckUpdates->click(); // refused while the download runs, but handled at once
    EXPECT_EQ(window.lblCheckUpdates->text(), "Checking for updates...");
    ASSERT_TRUE(waitUntil([&] { return !window.isVisible(); }));
    EXPECT_GT(ticks, 10) << "the event loop kept turning during the download";
    EXPECT_EQ(server.requestCount(VersionFile), 1);
    EXPECT_EQ(launches().size(), 1u);
}

TEST_F(FrmMainDownload, RealSetupRunsDetached)
{
    const QString marker = workDir() + "setup-ran";
    const QByteArray script = "#!/bin/sh\necho started > '" + marker.toUtf8() + "'\n";
    server.serve(VersionFile, "1.1\n" + QByteArray::number(script.size()));
    server.serve(SetupFile, script);
    setProcessLauncher(nullptr); // really start it

    frmMain& window = form();
    check(window);
    window.btnDownloadUpdates->click();
    ASSERT_TRUE(waitUntil([&] { return !window.isVisible(); }));
    EXPECT_TRUE(waitUntil([&] { return QFile::exists(marker); }));
}

TEST_F(FrmMainKeys, EscapeClosesTheWindowFromAnyControl)
{
    for (const char* focus : { "btnCheckUpdates", "frmMain" }) {
        frmMain& window = form();
        QWidget* target = window.objectName() == focus ? &window : window.findChild<QWidget*>(focus);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QApplication::sendEvent(target, &escape);
        EXPECT_FALSE(window.isVisible()) << focus;
        frmMain::release();
    }
}

TEST_F(FrmMainKeys, EscapeDuringADownloadEndsIt)
{
    HttpResponse setup;
    setup.firstByteDelayMs = 300;
    serveUpdate("1.1", 100, setup);
    frmMain& window = form();
    check(window);
    window.btnDownloadUpdates->click();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(window.btnDownloadUpdates, &escape);
    EXPECT_FALSE(window.isVisible());
    frmMain::release(); // as quillet does when its window has closed
    waitUntil([] { return false; }, 600);
    EXPECT_FALSE(QFile::exists(setupOnDisk()));
    EXPECT_TRUE(launches().empty());
}

TEST_F(FrmMainCheck, StopDownloadEndsTheCheckWithoutAnswer)
{
    HttpResponse slow;
    slow.body = "1.2\n100";
    slow.firstByteDelayMs = 300;
    server.serve(VersionFile, slow);
    frmMain& window = form();
    window.btnCheckUpdates->click();
    window.StopDownload();
    waitUntil([] { return false; }, 600);
    EXPECT_EQ(window.lblCheckUpdates->text(), "Checking for updates...");
    server.serve(VersionFile, "1.2\n100");
    check(window); // the key is free again
    EXPECT_TRUE(window.btnDownloadUpdates->isEnabled());
}

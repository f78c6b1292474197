// KORVEL as a user runs it installed: its program folder read-only (and, run
// by installed_program_test.sh, another user's), every command that writes
// still works and writes nothing there. The folder comes from
// KORVEL_INSTALLED_PROGRAM_DIR; without it there is nothing to test.
#include "korvel/agnav/agnav_commands.h"
#include "korvel/agnav/agnav_ellipsoid_list.h"
#include "korvel/guidance/guidance_form.h"
#include "korvel/prefs/pref_form.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/statistics/report_form2.h"
#include "korvel/statistics/report_print.h"
#include "korvel/workspace/program_globals.h"
#include "platform/picture_box.h"
#include "platform/printer.h"
#include "platform/single_instance.h"
#include "tests/support/korvel_test.h"
#include "tests/support/state_reset.h"
#include "tests/support/wait_until.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <functional>

namespace {

// Every file below the folder with its size and time, to see that nothing changed.
QStringList listing(const QString& folder)
{
    QStringList files;
    QDirIterator it(
        folder, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        files << it.filePath() + ' ' + QString::number(it.fileInfo().size()) + ' '
                + it.fileInfo().lastModified().toString(Qt::ISODateWithMs);
    }
    files.sort();
    return files;
}

class InstalledProgram : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        m_installed = qEnvironmentVariable("KORVEL_INSTALLED_PROGRAM_DIR");
        if (m_installed.isEmpty()) {
            GTEST_SKIP() << "run by installed_program_test.sh against an installed program folder";
        }
        if (!m_installed.endsWith(u'/')) {
            m_installed += u'/';
        }
        resetAllState(m_installed);
        setFloatingToolWindow(FloatingTool::Guidance, &guidanceFormTool());
        MainForm::instance().Picture1->setGeometry(4, 4, 404, 304);
    }

    MainForm& form() { return MainForm::instance(); }

    // A 1000 x 800 m UTM block in zone 17 with the records a guidance save rewrites.
    QString writeBlock() const
    {
        const QString path = workDir() + "FIELD.no1";
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("0  FIELD\r\n1  U  279\r\n"
                   "2   500000.0   4800000.0        AREA CORNER 1 \r\n"
                   "2   500000.0   4800800.0        AREA CORNER 2 \r\n"
                   "2   501000.0   4800800.0        AREA CORNER 3 \r\n"
                   "2   501000.0   4800000.0        AREA CORNER 4 \r\n"
                   "4           20                  NUMBER OF LINES\r\n"
                   "17   500000.0  4800000.0   0.00 MASTER POINT, HEADING\r\n"
                   "20 WGS-84      6378137.0   298.257223563 22      ELLIPSOID\r\n"
                   "35               FIELD  F  C   CROP DIR, RAM DISK, SPRAY SIDE\r\n"
                   "36         30         1  1      SWATH WIDTH, NO OF A/C, SPRAY ON CLOSURE OF CONTACT\r\n"
                   "37          0                   NO OFFSET OF THE FIRST LINE\r\n");
        return path;
    }

    QString m_installed;
};

TEST_F(InstalledProgram, EveryCommandThatWritesWorksBesideAReadOnlyProgramFolder)
{
    const QStringList before = listing(m_installed);
    const struct
    {
        const char* command;
        std::function<void()> run;
        QString written;
    } rows[] = {
        { "guidance save",
            [this] {
                queueOpenFiles({ writeBlock() });
                AgnavCommands::instance().File_OpenAGNAV_Click();
                form().Tools_DigitizeGuidance->trigger();
                form().OffsetOption[1].setChecked(true);
                form().VScroll2->setValue(100);
                form().GuidanceSave->click();
            },
            workDir() + "FIELD.xyz" },
        { "user ellipsoid",
            [this] {
                PrefForm& prefs = PrefForm::instance();
                prefs.StartTab = 6;
                prefs.show();
                prefs.EllipsoidCombo->setCurrentIndex(UserEnterRow);
                prefs.AxisText->setText("6378150");
                queueInputBoxAnswer("MINE");
                prefs.EllipsoidSave_Click();
            },
            userDataDir() + AgnavEllipsoidFileName },
        { "preferences",
            [] {
                PrefForm::instance().AcceptButton_Click();
                PrefForm::release();
            },
            registryDir() + "HKEY_CURRENT_USER.txt" },
        { "session",
            [this] {
                queueSaveFile(workDir() + "job.korvel");
                form().File_SaveSession_Click();
            },
            workDir() + "job.korvel" },
        { "report PDF",
            [this] {
                onModal<ReportForm2>([](ReportForm2& report) { report.OKButton->click(); });
                queueSaveFile(workDir() + "report.pdf");
                printApplicationReport(nullptr, SprayStatistics {});
            },
            workDir() + "report.pdf" },
        { "map bitmap",
            [this] {
                queueSaveFile(workDir() + "map.bmp");
                form().Tools_SaveImage_Click();
            },
            workDir() + "map.bmp" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.command);
        const size_t boxes = msgBoxes().size();
        row.run();
        EXPECT_TRUE(QFile::exists(row.written)) << row.written.toStdString();
        for (size_t b = boxes; b < msgBoxes().size(); ++b) {
            ADD_FAILURE() << "shown: " << msgBoxes()[b].prompt.toStdString();
        }
    }
    EXPECT_EQ(listing(m_installed), before) << "nothing is written into the program folder";
    EXPECT_EQ(globals().RootDir, m_installed);
}

// Started through the command in <prefix>/bin with no settings, the
// installed program takes the folder of its executable as its program
// folder, finds its data there and starts without a word.
TEST_F(InstalledProgram, TheInstalledCommandFindsItsDataAndStartsSilently)
{
    const QString command = qEnvironmentVariable("KORVEL_INSTALLED_COMMAND");
    ASSERT_FALSE(command.isEmpty());
    resetAllState(m_installed); // this window's mailbox would answer for the program

    QProcess program;
    program.setProcessChannelMode(QProcess::MergedChannels);
    program.start(command, {});
    ASSERT_TRUE(program.waitForStarted());
    ASSERT_TRUE(waitUntil([] { return SingleInstance::anotherInstanceRunning(); }, 20000))
        << program.readAll().toStdString();
    ASSERT_TRUE(sendToRunningInstance("KORVEL_Shutdown", 3, 15000)) << program.readAll().toStdString();
    ASSERT_TRUE(program.waitForFinished(15000));
    EXPECT_EQ(program.exitCode(), 0);
    const QByteArray output = program.readAll();
    EXPECT_FALSE(output.contains("KORVEL: ")) << "no message box on the way: " << output.toStdString();
}

} // namespace

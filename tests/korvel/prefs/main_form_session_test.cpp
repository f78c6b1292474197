// Sessions from the user's side: a workspace saved, closed and loaded
// again; files gone since the save; the ellipsoid of the session; damaged
// files; the save's refusals.
#include "korvel/agnav/agnav_commands.h"
#include "korvel/layers/check_list_form.h"
#include "korvel/layers/layer_list.h"
#include "korvel/map/map_view.h"
#include "korvel/met/met_panel.h"
#include "korvel/prefs/load_from_command_line.h"
#include "korvel/prefs/session_messages.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/common_dialog.h"
#include "platform/msg_box.h"
#include "platform/status_bar.h"
#include "tests/korvel/prefs/session_fixture.h"
#include "tests/support/default_locale.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

#include <functional>

namespace {

class Sessions : public SessionTest
{
public:
    // Loads a session into the emptied workspace, answering the questions.
    void reload(const QString& path, std::initializer_list<int> answers = {})
    {
        form().File_CloseAll_Click();
        for (int answer : answers) {
            queueMsgBoxAnswer(answer);
        }
        form().LoadSession(path);
    }

    QString sessionPath(const char* name) const { return workDir() + QLatin1String(name); }
};

TEST_F(Sessions, SavedClosedAndLoadedTheWorkspaceIsAsItWasAndSavesTheSameFile)
{
    const Workspace w = buildWorkspace();
    MainForm& window = form();
    GISLayer& roads = layerData().GISLayers[2];
    roads.Colours[0] = 0x00FF00;
    roads.Thickness = 3;
    blockAt(2).Colour = 0x0000FF;
    blockAt(2).Thickness = 2;
    window.GISCheck[1].setChecked(false);
    window.Check3[2].setChecked(false); // NORTH's exclusion zones
    window.Check3[4].setChecked(false); // NORTH's second flight
    mapState().Zone = 17;
    saveSession(sessionPath("first.korvel"));

    setFloatingToolWindow(FloatingTool::CheckList, &checkListFormTool());
    window.Check1[1].setChecked(true); // the floating list is open
    reload(sessionPath("first.korvel"));
    saveSession(sessionPath("second.korvel"));

    EXPECT_TRUE(msgBoxes().empty()) << msgBoxes().front().prompt.toStdString();
    EXPECT_EQ(readTestFile(sessionPath("second.korvel")), readTestFile(sessionPath("first.korvel")));
    ASSERT_EQ(layerData().ImageCount, 2);
    ASSERT_EQ(layerData().GISCount, 2);
    ASSERT_EQ(agnavData().BlockCount, 2);
    EXPECT_EQ(layerData().GISLayers[2].Colours[0], 0x00FF00);
    EXPECT_EQ(layerData().GISLayers[2].Thickness, 3);
    EXPECT_EQ(blockAt(2).Colour, 0x0000FF);
    EXPECT_TRUE(blockAt(1).GuidanceLoaded && blockAt(1).ExclusionLoaded);
    EXPECT_EQ(blockAt(1).FlightCount, 2);
    EXPECT_EQ(blockAt(2).Flights[1].Path, w.flights[2]);
    EXPECT_FALSE(ticked(window.GISCheck, 1));
    EXPECT_TRUE(ticked(window.GISCheck, 2));
    EXPECT_FALSE(ticked(window.Check3, 2));
    EXPECT_FALSE(ticked(window.Check3, 4));
    EXPECT_TRUE(ticked(window.Check3, 5));
    ASSERT_NE(CheckListForm::existing(), nullptr);
    EXPECT_FALSE(ticked(CheckListForm::existing()->GISCheck, 1)) << "the floating list shows the ticks too";
    EXPECT_FALSE(ticked(CheckListForm::existing()->Check3, 4));
    EXPECT_FALSE(window.LoadingSession);
    EXPECT_FALSE(redrawState().Busy);
    EXPECT_FALSE(mapState().MapEmpty) << "the zone is the session's";
}

TEST_F(Sessions, TheSaveDialogTakesTheNameAsTypedAndNothingChanges)
{
    buildWorkspace();
    mainSettings().SessionDir = workDir();
    saveSession(workDir() + "job");
    ASSERT_EQ(dialogs().size(), 1u);
    const CommonDialogRequest& dialog = dialogs()[0];
    EXPECT_EQ(dialog.kind, CommonDialogKind::Save);
    EXPECT_EQ(dialog.title, "Save KORVEL session");
    EXPECT_EQ(dialog.filter, "Session Files (*.korvel)|*.korvel");
    EXPECT_EQ(dialog.initDir, workDir());
    EXPECT_EQ(dialog.flags, 0x80006);
    EXPECT_TRUE(QFile::exists(workDir() + "job")) << "no extension is added";
    EXPECT_FALSE(QFile::exists(workDir() + "job.korvel"));
    EXPECT_EQ(mainSettings().SessionDir, workDir());

    queueDialogCancel();
    form().File_SaveSession_Click();
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(Sessions, GISLayersComeBackInTheirOwnZones)
{
    const QString fields = writeShapefile("fields", 500000, 4800000, 1000);
    form().OpenGISLayer(fields); // in the map's zone, 17
    LayerList::instance().StatusBar1_PanelClick(3); // the mode panel: to degrees, through zone 17
    const double west = layerData().GISLayers[1].XMin;
    mapState().Zone = 10;
    saveSession(sessionPath("zones.korvel"));
    reload(sessionPath("zones.korvel"));
    ASSERT_EQ(layerData().GISCount, 1);
    EXPECT_EQ(layerData().GISLayers[1].Zone, 17);
    EXPECT_DOUBLE_EQ(layerData().GISLayers[1].XMin, west);
    EXPECT_EQ(mapState().Zone, 10) << "the map keeps the session's zone";

    // A file saved before the layers' zones were kept loads as it did.
    QByteArray old = readTestFile(sessionPath("zones.korvel"));
    old.replace("GIS zones\r\n17\r\n", "");
    writeTestFile(sessionPath("old.korvel"), old);
    reload(sessionPath("old.korvel"));
    ASSERT_EQ(layerData().GISCount, 1);
    EXPECT_EQ(layerData().GISLayers[1].Zone, 10);
    EXPECT_TRUE(msgBoxes().empty()) << msgBoxes().front().prompt.toStdString();
}

// A box that holds no number saves the map's edge; one typed with a German
// decimal comma saves its number.
TEST_F(Sessions, ExtentBoxesSaveTheirNumberOrTheMapsEdge)
{
    buildWorkspace();
    MainForm& window = form();
    const QString west = window.Text1->text();
    window.Text1->setText(QStringLiteral("50x"));
    const DefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    window.Text2->setText(QStringLiteral("4800100,5"));
    saveSession(sessionPath("s.korvel"));
    const SessionReadResult read = parseSessionFile(readTestFile(sessionPath("s.korvel")));
    ASSERT_TRUE(read.session);
    EXPECT_NEAR(read.session->Extent[0], west.toDouble(), 1.0);
    EXPECT_EQ(read.session->Extent[1], 4800100.5);
    EXPECT_EQ(read.session->Extent[2], window.Text3->text().toDouble());
}

TEST_F(Sessions, TheSaveIsRefusedWithoutTouchingTheFile)
{
    struct Case
    {
        const char* name;
        std::function<QString(Sessions&)> prepare; // returns the target
        const char* message; // the start of the message after "Error: "
    };
    const Case cases[] = {
        { "a read-only file",
            [](Sessions& t) {
                const QString path = t.sessionPath("locked.korvel");
                writeTestFile(path, "old");
                QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup);
                return path;
            },
            "The file \"" },
        { "a folder that does not exist", [](Sessions& t) { return t.sessionPath("gone/s.korvel"); },
            "The file \"" },
        { "a path with a double quote",
            [](Sessions& t) {
                const QString odd = t.writeShapefile("say \"cheese\"", 500000, 4800000, 100);
                MainForm::instance().OpenGISLayer(odd);
                const QString path = t.sessionPath("quote.korvel");
                writeTestFile(path, "old");
                return path;
            },
            "The path \"" },
        { "a map zone no session can load",
            [](Sessions& t) {
                MainForm::instance().File_CloseAll_Click();
                mapState().Zone = 99;
                const QString path = t.sessionPath("zone.korvel");
                writeTestFile(path, "old");
                return path;
            },
            "The map's zone 99 is not a UTM zone (1 to 60)" },
    };
    for (const Case& c : cases) {
        const QString path = c.prepare(*this);
        const QByteArray before = readTestFile(path);
        if (QFile::exists(path)) {
            queueMsgBoxAnswer(vbYes); // replace it
        }
        queueMsgBoxAnswer(vbOK);
        saveSession(path);
        ASSERT_FALSE(msgBoxes().empty()) << c.name;
        EXPECT_TRUE(msgBoxes().back().prompt.startsWith(QStringLiteral("Error: ") + QLatin1String(c.message)))
            << c.name << ": " << msgBoxes().back().prompt.toStdString();
        EXPECT_EQ(msgBoxes().back().icon(), vbExclamation);
        EXPECT_EQ(readTestFile(path), before) << c.name;
    }
}

TEST_F(Sessions, MissingFilesAreDroppedOnOkAndTheOtherTicksLandOnTheirOwnRows)
{
    const Workspace w = buildWorkspace();
    MainForm& window = form();
    window.ImageCheck[2].setChecked(false); // "west"
    window.GISCheck[1].setChecked(false); // "fields"
    window.Check3[3].setChecked(false); // NORTH's first flight
    saveSession(sessionPath("s.korvel"));
    QFile::remove(w.images[0]);
    QFile::remove(w.layers[1]);
    QFile::remove(workDir() + "NORTH.xyz");
    QFile::remove(w.flights[1]);

    reload(sessionPath("s.korvel"), { vbOK, vbOK, vbOK });

    ASSERT_EQ(msgBoxes().size(), 3u);
    EXPECT_EQ(msgBoxes()[0].prompt, missingSessionFilePrompt(w.images[0]));
    EXPECT_EQ(msgBoxes()[0].buttonSet(), vbOKCancel);
    EXPECT_EQ(msgBoxes()[0].icon(), 0);
    EXPECT_EQ(msgBoxes()[1].prompt, missingSessionFilePrompt(w.layers[1]));
    EXPECT_EQ(msgBoxes()[2].prompt, missingSessionFilePrompt(workDir() + "NORTH.xyz"));
    ASSERT_EQ(layerData().ImageCount, 1);
    EXPECT_EQ(layerData().Images[1].Path, w.images[1]);
    EXPECT_FALSE(ticked(window.ImageCheck, 1)) << "west's own state";
    ASSERT_EQ(layerData().GISCount, 1);
    EXPECT_FALSE(ticked(window.GISCheck, 1)) << "fields' own state";
    EXPECT_FALSE(blockAt(1).GuidanceLoaded);
    EXPECT_TRUE(blockAt(1).ExclusionLoaded);
    ASSERT_EQ(blockAt(1).FlightCount, 1) << "the missing flight is left out without a question";
    // Sub-rows now: NORTH exclusion (1), NORTH first flight (2), SOUTH flight (3).
    EXPECT_TRUE(ticked(window.Check3, 1));
    EXPECT_FALSE(ticked(window.Check3, 2));
    EXPECT_TRUE(ticked(window.Check3, 3));
}

TEST_F(Sessions, AMissingBlockIsReadPastAndTheNextOneLoads)
{
    const Workspace w = buildWorkspace();
    saveSession(sessionPath("s.korvel"));
    QFile::remove(w.blocks[0]);
    reload(sessionPath("s.korvel"), { vbOK });
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, missingSessionFilePrompt(w.blocks[0]));
    ASSERT_EQ(agnavData().BlockCount, 1);
    EXPECT_EQ(blockAt(1).Path, w.blocks[1]);
    EXPECT_EQ(blockAt(1).FlightCount, 1);
    EXPECT_EQ(agnavData().FlightCount, 1);
}

TEST_F(Sessions, CancelAtAMissingFileEmptiesTheWorkspace)
{
    const Workspace w = buildWorkspace();
    saveSession(sessionPath("s.korvel"));
    QFile::remove(w.layers[1]);
    form().File_CloseAll_Click();
    globals().UTMMode = true;
    queueMsgBoxAnswer(vbCancel);
    form().LoadSession(sessionPath("s.korvel"));
    EXPECT_EQ(layerData().ImageCount, 0);
    EXPECT_EQ(layerData().GISCount, 0);
    EXPECT_EQ(agnavData().BlockCount, 0);
    EXPECT_TRUE(globals().UTMMode);
    EXPECT_FALSE(form().LoadingSession);
    EXPECT_FALSE(redrawState().Busy);
}

TEST_F(Sessions, TheSessionsEllipsoidIsTakenFromTheTableOrAskedAbout)
{
    writeTestFile(programDir() + "ellipsoid.dat",
        "\"WGS84\",6378137,298.257223563\r\n\"Clarke 1866\",6378206.4,294.9786982\r\n"
        "\"Clarke 1866\",6378206.5,294.98\r\n");
    MainForm::release();
    MainForm& window = form();
    const auto session = [this](const char* ellipsoid, int zone, const char* north) {
        const QString path = sessionPath("e.korvel");
        writeTestFile(path,
            QStringLiteral("QZT\r\n#TRUE#\r\n0\r\n0\r\n0\r\n0 0 1000 1000\r\n%1,%2,\"%3\"\r\n---\r\n")
                .arg(zone)
                .arg(north, ellipsoid)
                .toLatin1());
        return path;
    };

    window.LoadSession(session("Clarke 1866", 18, "#FALSE#"));
    EXPECT_TRUE(msgBoxes().empty());
    EXPECT_DOUBLE_EQ(globals().Ellipsoid.Axis, 6378206.4) << "the first row of the name";
    EXPECT_TRUE(window.PopUp_EllipsoidList[2].isChecked());
    EXPECT_FALSE(window.PopUp_EllipsoidList[1].isChecked());
    EXPECT_FALSE(window.PopUp_EllipsoidList[3].isChecked());
    EXPECT_EQ(window.StatusBar1->panel(4).Text, "Zone 18 S");
    EXPECT_EQ(window.StatusBar1->panel(5).Text, "Clarke 1866");

    queueMsgBoxAnswer(vbNo);
    window.LoadSession(session("GRS 80", 12, "#TRUE#"));
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, unknownSessionEllipsoidPrompt("GRS 80", "Clarke 1866"));
    EXPECT_EQ(msgBoxes()[0].buttonSet(), vbYesNo);
    EXPECT_EQ(mapState().Zone, 12) << "No stops the load with the session's zone in force";
    EXPECT_EQ(window.StatusBar1->panel(4).Text, "Zone 12 N") << "and the status bar says so";
    EXPECT_EQ(globals().Ellipsoid.Name, "Clarke 1866");
    EXPECT_FALSE(window.LoadingSession);

    queueMsgBoxAnswer(vbYes);
    window.LoadSession(session("GRS 80", 13, "#TRUE#"));
    EXPECT_EQ(globals().Ellipsoid.Name, "Clarke 1866");
    EXPECT_TRUE(window.PopUp_EllipsoidList[2].isChecked()) << "the current one keeps its mark";
    EXPECT_EQ(window.Text3->text(), "1000") << "Yes goes on to the extent";
}

TEST_F(Sessions, FilesThatAreNoSessionsAreRefusedBeforeAnythingChanges)
{
    const QString good = sessionPath("good.korvel");
    writeTestFile(
        good, "QZT\r\n#FALSE#\r\n1\r\n\"/nowhere/x.bmp\"\r\n0\r\n0\r\n0 0 1 1\r\n17,#TRUE#,\"WGS84\"\r\n");
    struct Case
    {
        const char* name;
        QString path;
        QByteArray bytes; // written unless empty
        QString message;
        int icon;
    };
    const Case cases[] = {
        { "missing", sessionPath("gone.korvel"), {}, "File not found:\r\r" + sessionPath("gone.korvel"), 0 },
        { "lower-case magic", sessionPath("lower.korvel"), "qzt\r\n#TRUE#\r\n",
            "Selected file is not a session file", 0 },
        { "cut short", sessionPath("short.korvel"), "QZT\r\n#TRUE#\r\n2\r\n\"/a.bmp\"\r\n",
            "Error: Input past end of file in line 5 of \"" + sessionPath("short.korvel") + "\"",
            vbExclamation },
        { "cut inside a line", sessionPath("cut.korvel"), "QZT\r\n#TRUE#\r\n2\r\n\"/a.b",
            "Error: The file ends inside line 4 of \"" + sessionPath("cut.korvel") + "\"", vbExclamation },
        { "a count that is no number", sessionPath("bad.korvel"), "QZT\r\n#TRUE#\r\nmany\r\n",
            "Error: Type mismatch in line 3 of \"" + sessionPath("bad.korvel") + "\"", vbExclamation },
        { "no tick-state separator", good, {}, "Error: Input past end of file in line 9 of \"" + good + "\"",
            vbExclamation },
    };
    for (const Case& c : cases) {
        if (!c.bytes.isEmpty()) {
            writeTestFile(c.path, c.bytes);
        }
        queueMsgBoxAnswer(vbOK);
        form().LoadSession(c.path);
        ASSERT_FALSE(msgBoxes().empty()) << c.name;
        EXPECT_EQ(msgBoxes().back().prompt, c.message) << c.name;
        EXPECT_EQ(msgBoxes().back().icon(), c.icon) << c.name;
        EXPECT_TRUE(globals().UTMMode) << c.name << ": the mode stays";
    }
}

TEST_F(Sessions, ASessionIsNotLoadedOverLoadedFiles)
{
    buildWorkspace();
    saveSession(sessionPath("s.korvel"));
    queueMsgBoxAnswer(vbOK);
    form().LoadSession(sessionPath("s.korvel"));
    queueMsgBoxAnswer(vbOK);
    form().File_LoadSession_Click();
    ASSERT_EQ(msgBoxes().size(), 2u);
    EXPECT_EQ(msgBoxes()[0].prompt, sessionNeedsEmptyWorkspaceMessage());
    EXPECT_EQ(msgBoxes()[1].prompt, sessionNeedsEmptyWorkspaceMessage());
    EXPECT_EQ(dialogs().size(), 1u) << "only the save's dialog was shown";
    EXPECT_EQ(layerData().GISCount, 2);
}

TEST_F(Sessions, AnEntryWhoseCheckRefusesItIsLeftOut)
{
    // The same layer listed twice: the second is refused by its check and
    // its tick state passed over.
    const QString fields = writeShapefile("fields", 500000, 4800000, 1000);
    const QString roads = writeShapefile("roads", 500000, 4800000, 500);
    writeTestFile(sessionPath("twice.korvel"),
        QStringLiteral("QZT\r\n#TRUE#\r\n0\r\n3\r\n\"%1\",255,1\r\n\"%1\",65280,2\r\n\"%2\",0,1\r\n0\r\n"
                       "500000        4800000       501000        4801000\r\n17,#TRUE#,\"WGS84\"\r\n---\r\n"
                       "1\r\n1\r\n0\r\n")
            .arg(fields, roads)
            .toLatin1());
    queueMsgBoxAnswer(vbOK);
    form().LoadSession(sessionPath("twice.korvel"));
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, fields + "\r\rhas already been opened");
    ASSERT_EQ(layerData().GISCount, 2);
    EXPECT_EQ(layerData().GISLayers[2].Path, roads);
    EXPECT_FALSE(ticked(form().GISCheck, 2)) << "roads' own state";
    EXPECT_EQ(layerData().GISLayers[1].Colours[0], 255);
}

TEST_F(Sessions, TheOpenDialogRemembersTheFolderForTheRun)
{
    mainSettings().SessionDir = QStringLiteral("/start/");
    queueOpenFiles({ workDir() + "none.korvel" });
    queueMsgBoxAnswer(vbOK);
    form().File_LoadSession_Click();
    ASSERT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(dialogs()[0].title, "Open KORVEL Session");
    EXPECT_EQ(dialogs()[0].filter, "Session Files (*.korvel)|*.korvel|All Files (*.*)|*.*");
    EXPECT_EQ(dialogs()[0].initDir, "/start/");
    EXPECT_EQ(dialogs()[0].flags, 4);
    EXPECT_EQ(mainSettings().SessionDir, workDir());
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, "File does not exist");
}

TEST_F(Sessions, AnEmptyWorkspaceSessionRestoresZoneExtentAndNothingElse)
{
    form().Text1->setText("1000");
    form().Text2->setText("2000");
    form().Text3->setText("5000");
    form().Text4->setText("6000");
    mapState().Zone = 33;
    mapState().NorthZone = false;
    saveSession(sessionPath("empty.korvel"));
    EXPECT_TRUE(readTestFile(sessionPath("empty.korvel")).startsWith("QZT\r\n#TRUE#\r\n0\r\n0\r\n0\r\n1000"));
    mapState().Zone = 17;
    mapState().NorthZone = true;
    form().LoadSession(sessionPath("empty.korvel"));
    EXPECT_EQ(mapState().Zone, 33);
    EXPECT_FALSE(mapState().NorthZone);
    // Widened west and east to the picture's shape; south and north as saved.
    EXPECT_EQ(form().Picture1->ScaleTop(), 6000.0f);
    EXPECT_EQ(form().Text2->text(), "2000");
    EXPECT_EQ(form().Picture1->ScaleLeft() + form().Picture1->ScaleWidth() / 2, 3000.0f);
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(Sessions, TheCommandLineLoadsASessionAndItsErrorsAreShown)
{
    buildWorkspace();
    saveSession(sessionPath("cli.korvel"));
    form().File_CloseAll_Click();
    QString commandLine = '"' + sessionPath("cli.korvel") + '"';
    LoadFromCommandLine(commandLine);
    EXPECT_EQ(layerData().GISCount, 2);
    EXPECT_EQ(agnavData().BlockCount, 2);

    form().File_CloseAll_Click();
    writeTestFile(sessionPath("cut.korvel"), "QZT\r\n#TRUE#\r\n");
    commandLine = sessionPath("cut.korvel");
    queueMsgBoxAnswer(vbOK);
    LoadFromCommandLine(commandLine);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.startsWith("Error: Input past end of file"));
}

TEST_F(Sessions, ARelativeCommandLinePathIsSavedWholeAndFoundFromAnyFolder)
{
    ASSERT_TRUE(QDir().mkpath(workDir() + "GIS Ebenen"));
    const QString layer = writeShapefile(QStringLiteral("GIS Ebenen/Felder Süd"), 500000, 4800000, 1000);
    globals().StartDir = workDir(); // started there; the current folder is another
    QString commandLine = QStringLiteral("\"GIS Ebenen/Felder Süd.shp\"");
    LoadFromCommandLine(commandLine);
    saveSession(sessionPath("relative.korvel"));
    reload(sessionPath("relative.korvel"));
    ASSERT_EQ(layerData().GISCount, 1);
    EXPECT_EQ(layerData().GISLayers[1].Path, layer);
}

TEST_F(Sessions, AFolderWhereAFileIsExpectedIsNamedWhicheverWayItComesIn)
{
    const QString folder = workDir() + "jobs.shp";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString refusal = folder + " is a folder, not a file.";
    MainForm& window = form();
    struct Way
    {
        const char* name;
        std::function<void()> open;
    };
    const auto chosen = [this, folder](std::function<void()> command) {
        return [this, folder, command] {
            queueOpenFiles({ folder });
            command();
        };
    };
    const Way ways[] = {
        { "Load GIS Layer", chosen([] { MapView::instance().File_OpenGIS_Click(); }) },
        { "Load Image", chosen([] { MapView::instance().File_OpenBMP_Click(); }) },
        { "Block Boundary", chosen([] { AgnavCommands::instance().File_OpenAGNAV_Click(); }) },
        { "Kitoon Load Data", chosen([] { MetPanel::instance().Met_LoadKitoon_Click(); }) },
        { "Load Session", chosen([this] { form().File_LoadSession_Click(); }) },
        { "the command line",
            [folder] {
                QString line = folder;
                LoadFromCommandLine(line);
            } },
        { "a drop", [folder] { LayerList::instance().Frame1_OLEDragDrop({ folder }); } },
    };
    for (const Way& way : ways) {
        queueMsgBoxAnswer(vbOK);
        way.open();
        ASSERT_EQ(msgBoxes().size(), 1u) << way.name;
        EXPECT_EQ(msgBoxes()[0].prompt, refusal) << way.name;
        services().msgBox.reset();
    }

    // A file of a saved session that is a folder by now, and spray data.
    const Workspace w = buildWorkspace();
    saveSession(sessionPath("s.korvel"));
    window.File_CloseAll_Click();
    QFile::remove(w.images[0]);
    ASSERT_TRUE(QDir().mkpath(w.images[0]));
    reload(sessionPath("s.korvel"), { vbOK });
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.startsWith(w.images[0] + " is a folder, not a file.\r\r"));
    queueOpenFiles({ folder });
    queueMsgBoxAnswer(vbOK);
    AgnavCommands::instance().OpenFlightFiles(1);
    EXPECT_EQ(msgBoxes().back().prompt, refusal);
}

} // namespace

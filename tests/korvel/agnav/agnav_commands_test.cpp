// File > Load AG-NAV > "Block Boundary" and the block loading it shares
// with dropped files, the command line and sessions: companions, the map a
// first block sets up, refusals, and failures that take the block back.
#include "korvel/agnav/agnav_commands.h"
#include "korvel/prefs/load_from_command_line.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/msg_box.h"
#include "platform/status_bar.h"
#include "platform/vb_colors.h"
#include "tests/korvel/agnav/agnav_commands_fixture.h"

#include <QAction>

namespace {

class BlockBoundaryCommand : public AgnavCommandsTest
{
protected:
    void open(const QStringList& paths)
    {
        queueOpenFiles(paths);
        AgnavCommands::instance().File_OpenAGNAV_Click();
    }

    // A 1000 x 800 m block with a guidance line at x = 500500 and an
    // exclusion zone 100 m square at (500200, 4800300).
    QString field(const QString& name = QStringLiteral("FIELD"))
    {
        writeGuidance(name, 500500, 4800100, 4800700);
        writeExclusion(name, 500200, 4800300, 100);
        return writeUtmBlock(name, 500000, 4800000, 501000, 4800800);
    }
};

TEST_F(BlockBoundaryCommand, ABlockComesWithTheCompanionsTheSettingsAskFor)
{
    struct Row
    {
        const char* name;
        bool autoGuidance;
        bool autoExclusion;
        bool session;
    };
    int b = 0;
    for (const Row row : { Row { "BOTH", true, true, false }, Row { "GUIDANCE", true, false, false },
             Row { "NEITHER", false, false, false }, Row { "SESSION", true, true, true } }) {
        SCOPED_TRACE(row.name);
        mainSettings().AutoLoadGuidance = row.autoGuidance;
        mainSettings().AutoLoadExclusion = row.autoExclusion;
        form().LoadingSession = row.session;
        mapState().SessionLayerColour = RGB(0, 128, 255);
        const QString path = field(QLatin1String(row.name));
        ASSERT_TRUE(form().LoadAGNAVBlock(path));
        const AGNAVBlock& block = blockAt(++b);
        EXPECT_EQ(block.Path, path);
        EXPECT_EQ(block.GuidanceLoaded, row.autoGuidance && !row.session);
        EXPECT_EQ(block.ExclusionLoaded, row.autoExclusion && !row.session);
        EXPECT_EQ(block.Colour, row.session ? RGB(0, 128, 255) : 0);
        EXPECT_EQ(block.DataFolder, workDir() + QLatin1String(row.name) + u'/');
    }
    EXPECT_EQ(agnavData().GuidanceCount, 2);
    EXPECT_EQ(agnavData().ExclusionCount, 1);
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(BlockBoundaryCommand, TheFirstBlockSetsUpTheMap)
{
    open({ writeSouthernGeoBlock(QStringLiteral("SOUTH")) });
    ASSERT_EQ(agnavData().BlockCount, 1);
    EXPECT_FALSE(globals().UTMMode);
    EXPECT_EQ(globals().CoordFormat, "0.0000");
    EXPECT_EQ(form().StatusBar1->panel(4).Text, "Zone 17 S");
    EXPECT_EQ(form().StatusBar1->panel(5).Text, "WGS84") << "named after the ellipsoid table's row";
    QStringList ticked;
    for (int row = 1; row <= form().PopUp_EllipsoidList.UBound(); ++row) {
        if (form().PopUp_EllipsoidList[row].isChecked()) {
            ticked << form().PopUp_EllipsoidList[row].text();
        }
    }
    EXPECT_EQ(ticked, QStringList { "WGS84" });
    EXPECT_EQ(mainSettings().AGNAVDir, workDir());
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(BlockBoundaryCommand, ABlockIsZoomedToAndDrawnWithItsCompanions)
{
    mainSettings().AutoLoadGuidance = true;
    mainSettings().AutoLoadExclusion = true;
    open({ field() });
    const PictureBox& picture = *form().Picture1;
    // Zoomed to the first block: it fills the view's height.
    EXPECT_NEAR(picture.ScaleTop(), 4800800.0, 1.0);
    EXPECT_NEAR(picture.ScaleTop() + picture.ScaleHeight(), 4800000.0, 1.0);
    EXPECT_NEAR(picture.ScaleLeft() + picture.ScaleWidth() / 2, 500500.0, 1.0);
    EXPECT_EQ(mapColourAt(500000, 4800400), QColor(Qt::black)) << "the boundary";
    EXPECT_EQ(mapColourAt(500500, 4800650), QColor(Qt::black)) << "the guidance line";
    EXPECT_EQ(mapColourAt(500250, 4800350), toQColor(mainSettings().BufferColour)) << "the zone";
    EXPECT_FALSE(redrawState().Busy);
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(BlockBoundaryCommand, RefusedFilesAreSkippedWithTheirReason)
{
    const QString path = field();
    const QString other = writeUtmBlock(QStringLiteral("OTHER"), 502000, 4800000, 503000, 4800800);
    queueMsgBoxAnswer(vbOK);
    queueMsgBoxAnswer(vbOK);
    open({ path, workDir() + "MISSING.no1", path, other });
    EXPECT_EQ(prompts(), (QStringList { "File does not exist", path + "\r\rhas already been opened" }));
    ASSERT_EQ(agnavData().BlockCount, 2);
    EXPECT_EQ(blockAt(2).Path, other);

    // The command line takes the same check and loader.
    queueMsgBoxAnswer(vbOK);
    QString line = u'"' + path + u'"';
    LoadFromCommandLine(line);
    EXPECT_EQ(agnavData().BlockCount, 2);
    const QString upper = write(QStringLiteral("THIRD.NO1"), readTestFile(other).replace("OTHER", "THIRD"));
    line = QStringLiteral("  ") + upper + u' ';
    LoadFromCommandLine(line);
    ASSERT_EQ(agnavData().BlockCount, 3);
    EXPECT_EQ(blockAt(3).Path, upper);
    EXPECT_EQ(msgBoxes().size(), 3u);
}

TEST_F(BlockBoundaryCommand, AFailingFileEndsTheCommandAndOffersToShowTheFile)
{
    const QString first = field();
    const QString bad
        = write(QStringLiteral("BAD.no1"), "1  U  279\r\n2   500600.0   NORTH        AREA CORNER 1 \r\n");
    const QString after = writeUtmBlock(QStringLiteral("AFTER"), 502000, 4800000, 503000, 4800800);
    queueMsgBoxAnswer(vbYes);
    open({ first, bad, after });
    ASSERT_EQ(msgBoxes().size(), 1u);
    const MsgBoxRequest& box = msgBoxes()[0];
    EXPECT_TRUE(
        box.prompt.startsWith("KORVEL encountered the following error while\ropening 'BAD.no1':\r\r     "))
        << box.prompt.toStdString();
    EXPECT_TRUE(box.prompt.endsWith("\r\rWould you like to inspect this file in a text editor?"));
    EXPECT_EQ(box.buttonSet(), vbYesNo);
    ASSERT_EQ(launches().size(), 1u);
    EXPECT_EQ(launches()[0].kind, LaunchKind::TextEditor);
    EXPECT_EQ(launches()[0].arguments.value(0), bad);
    EXPECT_EQ(agnavData().BlockCount, 1) << "the block before stays, the one after is not loaded";
    EXPECT_FALSE(redrawState().Busy);
}

TEST_F(BlockBoundaryCommand, ACutOffFileIsRefusedNamingTheFileAndTheLine)
{
    const QString cut = write(QStringLiteral("CUT.no1"), "1  U  279\r\n2   502400.0   48");
    queueMsgBoxAnswer(vbNo);
    open({ cut });
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.contains(
        "opening 'CUT.no1':\r\r     Line 2 stops without its line end: the file was cut off."))
        << msgBoxes()[0].prompt.toStdString();
    EXPECT_EQ(agnavData().BlockCount, 0);
}

TEST_F(BlockBoundaryCommand, AFileOfAnotherKindIsNamedSoAndAnEditorThatFailsIsReported)
{
    QByteArray binary("\x89PNG\r\n\x1a\n");
    binary.prepend(QByteArray(70, '\x07') + "\x01\xff\x00");
    const QString png = write(QStringLiteral("PHOTO.no1"), binary);
    queueMsgBoxAnswer(vbYes);
    queueProgramStartFailure("No text editor was found");
    queueMsgBoxAnswer(vbOK);
    open({ png });
    ASSERT_EQ(msgBoxes().size(), 2u);
    const QString prompt = msgBoxes()[0].prompt;
    EXPECT_TRUE(prompt.contains("opening 'PHOTO.no1':\r\r     This is not an AG-NAV block boundary file: it "
                                "holds binary data, not lines of text."))
        << prompt.toStdString();
    for (const QChar c : prompt) {
        EXPECT_TRUE(c == u'\r' || c.isPrint()) << "character " << int(c.unicode());
    }
    ASSERT_EQ(launches().size(), 1u);
    EXPECT_EQ(launches()[0].kind, LaunchKind::TextEditor);
    EXPECT_EQ(launches()[0].arguments, QStringList { png });
    EXPECT_EQ(msgBoxes()[1].prompt, png + " could not be opened in a text editor:\rNo text editor was found");
}

TEST_F(BlockBoundaryCommand, ALongBadValueIsQuotedShort)
{
    const QString text = write(QStringLiteral("TEXT.no1"), QByteArray(70, 'x') + "\r\n");
    queueMsgBoxAnswer(vbNo);
    open({ text });
    ASSERT_EQ(msgBoxes().size(), 1u);
    const QString prompt = msgBoxes()[0].prompt;
    const qsizetype open = prompt.indexOf(u'"');
    EXPECT_EQ(prompt.mid(open + 1, prompt.indexOf(u'"', open + 1) - open - 1), QString(40, u'x') + "...")
        << prompt.toStdString();
}

TEST_F(BlockBoundaryCommand, AFailingCompanionTakesTheBlockBackWithWhatItChangedOnTheMap)
{
    mainSettings().AutoLoadExclusion = true;
    const QString south = writeSouthernGeoBlock(QStringLiteral("SOUTH"));
    write(QStringLiteral("SOUTH.xcl"), "1   -33.345\r\n"); // one value, no longitude
    queueMsgBoxAnswer(vbNo);
    open({ south });
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.contains("opening 'SOUTH.xcl'")) << msgBoxes()[0].prompt.toStdString();
    EXPECT_TRUE(launches().empty());
    EXPECT_EQ(agnavData().BlockCount, 0);
    EXPECT_EQ(agnavData().ExclusionCount, 0);
    EXPECT_FALSE(globals().AGNAVLoaded);
    EXPECT_TRUE(mapState().MapEmpty);
    EXPECT_TRUE(globals().UTMMode) << "the map's system is back";
    EXPECT_TRUE(mapState().NorthZone);
    EXPECT_EQ(layerData().DataExtent.XMin, EmptyDataExtent.XMin);
}

TEST_F(BlockBoundaryCommand, AnErrorAfterTheBlockWasAddedTakesItBack)
{
    // Corners the area cannot be summed over: the block is already in the
    // list when the overflow comes.
    const QString huge = write(QStringLiteral("HUGE.no1"),
        "1  U  279\r\n2   1E200   1E200\r\n2   -1E200   1E200\r\n2   -1E200   -1E200\r\n");
    queueMsgBoxAnswer(vbNo);
    EXPECT_FALSE(form().LoadAGNAVBlock(huge));
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.contains("opening 'HUGE.no1'")) << msgBoxes()[0].prompt.toStdString();
    EXPECT_EQ(agnavData().BlockCount, 0);
    EXPECT_TRUE(mapState().MapEmpty);
    EXPECT_EQ(layerData().DataExtent.XMax, EmptyDataExtent.XMax);
}

TEST_F(BlockBoundaryCommand, The256thBlockIsRefusedAndNoBlockIsLost)
{
    form();
    for (int b = 1; b <= 255; ++b) {
        blockAt(appendBlock()).Path = QStringLiteral("/fields/B%1.no1").arg(b);
    }
    queueMsgBoxAnswer(vbOK);
    EXPECT_FALSE(form().LoadAGNAVBlock(field()));
    EXPECT_EQ(prompts(), QStringList { "Cannot load more than 255 AG-NAV blocks." });
    EXPECT_EQ(agnavData().BlockCount, 255);
    EXPECT_EQ(blockAt(255).Path, "/fields/B255.no1");
}

} // namespace

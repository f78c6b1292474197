#include "korvel/met/met_panel.h"
#include "korvel/shell/utm_projection.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/line_control.h"
#include "tests/korvel/met/met_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>

namespace {

class OptimizationCommand : public MetWindowTest
{
protected:
    // One source of one record: the wind from `direction` at `speed` m/s.
    void windFrom(int direction, double speed)
    {
        const QString name = QStringLiteral("wind%1.dat").arg(++m_files);
        loadKitoon(writeFile(
            name, QStringLiteral("71599,9,0,0,%1,%2,60,60\n").arg(direction).arg(speed).toLatin1()));
    }

    int lines() { return form().OptimizeLine.Count() - 1; }
    const LineControl& line(int k) { return form().OptimizeLine[k]; }

    int m_files = 0;
};

TEST_F(OptimizationCommand, WithoutAModuleItSaysSoAndStaysOff)
{
    addBlock("a.no1", 2);
    windFrom(0, 5);
    queueMsgBoxAnswer(vbOK);
    MetPanel::instance().Tools_Optimize_Click();
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, "No optimization file selected\rPlease do so in Preferences (Ctrl-P)");
    EXPECT_EQ(msgBoxes()[0].icon(), 0);
    EXPECT_FALSE(form().Tools_Optimize->isChecked());
    EXPECT_EQ(lines(), 0);
}

TEST_F(OptimizationCommand, ModuleThatCannotBeReadIsNamedAndChangesNothing)
{
    addBlock("a.no1", 2);
    windFrom(0, 5);
    metData().Coefficients = { 1.0f, 2.0f, 3.0f };
    struct Case
    {
        const char* name;
        QByteArray bytes; // empty: no file at all
    } cases[] = { { "missing", {} }, { "damaged", "a\r\nb\r\nc\r\nd\r\ne\r\n1, two, 3\r\n" },
        { "cut short", "a\r\nb\r\n" } };
    for (const Case& c : cases) {
        const QString name = QStringLiteral("%1.opt").arg(c.name).replace(' ', '_');
        const QString path = programDir() + "optimization/" + name;
        if (!c.bytes.isEmpty()) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(c.bytes);
        }
        globals().OptimizationFile = name;
        queueMsgBoxAnswer(vbOK);
        MetPanel::instance().Tools_Optimize_Click();
        ASSERT_FALSE(msgBoxes().empty()) << c.name;
        EXPECT_TRUE(msgBoxes().back().prompt.contains(path)) << msgBoxes().back().prompt.toStdString();
        EXPECT_EQ(msgBoxes().back().icon(), vbExclamation);
        EXPECT_FALSE(form().Tools_Optimize->isChecked()) << c.name;
        EXPECT_EQ(lines(), 0) << c.name;
        EXPECT_EQ(metData().Coefficients, (OptCoefficients { 1.0f, 2.0f, 3.0f })) << c.name;
    }
}

TEST_F(OptimizationCommand, LinesMoveUpwindByTheModulesDistance)
{
    addBlock("a.no1", 3);
    chooseModule("test.opt", 10.0f, 0.0f, 0.0f);
    mainSettings().OptColour = 0x00FF00;
    mainSettings().OptWidth = 3;
    windFrom(90, 0);
    MainForm& window = form();
    MetPanel::instance().Tools_Optimize_Click();
    EXPECT_TRUE(window.Tools_Optimize->isChecked());
    ASSERT_EQ(lines(), 3);
    for (int k = 1; k <= 3; ++k) {
        const GuidancePolyline& guidance = blockAt(1).Guidance.Lines[size_t(k)];
        EXPECT_NEAR(line(k).X1(), guidance.X[1] + 10.0, 1e-3) << "east, where the wind comes from";
        EXPECT_NEAR(line(k).Y1(), guidance.Y[1], 1e-3);
        EXPECT_NEAR(line(k).X2(), guidance.X[2] + 10.0, 1e-3);
        EXPECT_NEAR(line(k).Y2(), guidance.Y[2], 1e-3);
        EXPECT_TRUE(line(k).Visible());
        EXPECT_EQ(line(k).BorderColor(), 0x00FF00);
        EXPECT_EQ(line(k).BorderWidth(), 3);
    }
    EXPECT_FLOAT_EQ(metData().Coefficients[0], 10.0f);

    // Off again without a module and without a message.
    globals().OptimizationFile.clear();
    MetPanel::instance().Tools_Optimize_Click();
    EXPECT_FALSE(window.Tools_Optimize->isChecked());
    EXPECT_EQ(lines(), 0);
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(OptimizationCommand, HalfSwathOffsetGoesLeftOfTheLines)
{
    const int block = addBlock("a.no1", 1);
    blockAt(block).OffsetCode = 1;
    blockAt(block).SwathWidthText = "30";
    chooseModule("test.opt", 0.0f, 0.0f, 0.0f);
    windFrom(0, 8);
    MetPanel::instance().Tools_Optimize_Click();
    ASSERT_EQ(lines(), 1);
    EXPECT_NEAR(line(1).Y1(), blockAt(block).Guidance.Lines[1].Y[1] + 15.0, 1e-3) << "lines run east: north";
    EXPECT_NEAR(line(1).X1(), blockAt(block).Guidance.Lines[1].X[1], 1e-3);

    // A swath that is no number gives no offset.
    blockAt(block).SwathWidthText = "wide";
    int current = form().CurrentMet;
    form().Optimize(current);
    EXPECT_NEAR(line(1).Y1(), blockAt(block).Guidance.Lines[1].Y[1], 1e-3);
}

TEST_F(OptimizationCommand, LinesBeyondTheReachOfTheMapsZoneGetNoOverlayAndAreNamed)
{
    for (const auto& [name, longitude] :
        { std::pair { "far.no1", -105.5 }, std::pair { "near.no1", -122.5 } }) {
        GuidancePolyline& line = blockAt(addBlock(name, 1)).Guidance.Lines[1];
        line.X = { 0.0, longitude, longitude };
        line.Y = { 0.0, 50.5, 50.51 };
    }
    chooseModule("test.opt", 1.0f, 0.0f, 0.0f);
    windFrom(90, 2);
    globals().UTMMode = false;
    mapState().Zone = 10;
    queueMsgBoxAnswer(vbOK);
    MetPanel::instance().Tools_Optimize_Click();
    ASSERT_EQ(lines(), 1) << "the near block's line only";
    EXPECT_NEAR(line(1).X1(), -122.5, 0.001);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(
        msgBoxes()[0].prompt.startsWith("Points of the guidance lines of the block \"far.no1\" lie more"));
}

TEST_F(OptimizationCommand, NumberedOverTheTickedBlocksInOrder)
{
    // Block 1: guidance, exclusion zones and two flights, rows 1 to 4; block
    // 2's guidance is row 5; block 3 has none; block 4's is row 6.
    const int first = addBlock("a.no1", 12, 500000, 4800000);
    addExclusion(first);
    addFlight(first, "N1.T01");
    addFlight(first, "N1.T02");
    addBlock("b.no1", 4, 510000, 4800000);
    addBlock("c.no1", 0, 520000, 4800000);
    addBlock("d.no1", 5, 530000, 4800000);
    chooseModule("test.opt", 1.0f, 0.0f, 0.0f);
    windFrom(180, 2);
    MainForm& window = form();
    MetPanel::instance().Tools_Optimize_Click();
    ASSERT_EQ(lines(), 21);
    EXPECT_NEAR(line(12).X1(), 500000.0, 1e-3);
    EXPECT_NEAR(line(13).X1(), 510000.0, 1e-3);
    EXPECT_NEAR(line(17).X1(), 530000.0, 1e-3);
    EXPECT_NEAR(line(13).Y1(), 4800000.0 - 1.0, 1e-3) << "south";

    window.Check3[5].setCheckState(Qt::Unchecked);
    int current = window.CurrentMet;
    window.Optimize(current);
    ASSERT_EQ(lines(), 17);
    EXPECT_NEAR(line(12).X1(), 500000.0, 1e-3) << "block 1 keeps its lines";
    EXPECT_NEAR(line(13).X1(), 530000.0, 1e-3) << "block 4 follows on";

    for (int row = 1; row <= window.Check3.UBound(); ++row) {
        window.Check3[row].setCheckState(Qt::Unchecked);
    }
    window.Optimize(current);
    EXPECT_EQ(lines(), 0);
    EXPECT_TRUE(window.Tools_Optimize->isChecked()) << "nothing ticked leaves the overlay on and empty";
}

TEST_F(OptimizationCommand, FollowsThePlaybackAndTheRedraw)
{
    addBlock("a.no1", 1);
    chooseModule("test.opt", 10.0f, 0.0f, 0.0f);
    loadKitoon(writeThreeRecords("three.dat")); // from 0, then 90, then 180 degrees
    MainForm& window = form();
    MetPanel::instance().Tools_Optimize_Click();
    const double x = blockAt(1).Guidance.Lines[1].X[1];
    const double y = blockAt(1).Guidance.Lines[1].Y[1];
    ASSERT_EQ(lines(), 1);
    EXPECT_NEAR(line(1).Y1(), y + 10.0, 1e-3);
    MetPanel::instance().Timer1_Timer();
    ASSERT_EQ(lines(), 1);
    EXPECT_NEAR(line(1).X1(), x + 10.0, 1e-3);
    window.Graph(true);
    ASSERT_EQ(lines(), 1) << "the redraw places the overlay again";
    EXPECT_NEAR(line(1).X1(), x + 10.0, 1e-3);

    enterManual("0", "270", "60");
    ASSERT_EQ(lines(), 1);
    EXPECT_NEAR(line(1).X1(), x - 10.0, 1e-3) << "a manual entry moves it at once";

    window.CloseMet_Click();
    EXPECT_FALSE(window.Tools_Optimize->isChecked());
    EXPECT_EQ(lines(), 0);
}

TEST_F(OptimizationCommand, LatitudeLongitudeMapGetsDegrees)
{
    const int block = addBlock("a.no1", 1);
    // The block's line in degrees, as the map keeps it in this mode.
    const UtmProjection projection(17, globals().Ellipsoid.Axis, globals().Ellipsoid.InverseFlattening);
    GuidancePolyline& guidance = blockAt(block).Guidance.Lines[1];
    for (int end = 1; end <= 2; ++end) {
        double latitude = 0.0;
        double longitude = 0.0;
        projection.inverse(guidance.X[size_t(end)], guidance.Y[size_t(end)], latitude, longitude);
        guidance.X[size_t(end)] = longitude;
        guidance.Y[size_t(end)] = latitude;
    }
    globals().UTMMode = false;
    mapState().Zone = 17;
    chooseModule("test.opt", 0.0f, 0.0f, 0.0f);
    windFrom(45, 7);
    MetPanel::instance().Tools_Optimize_Click();
    ASSERT_EQ(lines(), 1);
    EXPECT_NEAR(line(1).X1(), guidance.X[1], 1e-7);
    EXPECT_NEAR(line(1).Y1(), guidance.Y[1], 1e-7);
    EXPECT_NEAR(line(1).X2(), guidance.X[2], 1e-7);
    EXPECT_NEAR(line(1).Y2(), guidance.Y[2], 1e-7);
}

TEST_F(OptimizationCommand, StopsAtTheLastElementNumber)
{
    addBlock("a.no1", 20000, 500000, 4800000);
    addBlock("b.no1", 13000, 510000, 4800000);
    chooseModule("test.opt", 0.0f, 0.0f, 0.0f);
    windFrom(0, 1);
    MetPanel::instance().Tools_Optimize_Click();
    EXPECT_EQ(lines(), 32767);
    form().CloseMet_Click();
    EXPECT_EQ(lines(), 0);
}

} // namespace

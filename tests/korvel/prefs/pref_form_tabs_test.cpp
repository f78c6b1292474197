// The preferences' tabs field by field: the zone on the world map, the
// buffer width and its units, the folder boxes and their button, the
// sliders and the samples, the optimization modules.
#include "korvel/met/met_data.h"
#include "korvel/prefs/utm_zone_map.h"
#include "platform/line_control.h"
#include "platform/msg_box.h"
#include "platform/vb_colors.h"
#include "platform/vb_input_codes.h"
#include "tests/korvel/prefs/pref_form_fixture.h"
#include "tests/support/shapefile_writer.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>

namespace {

class PrefTabs : public PrefFormTest
{
protected:
    // The program folder's "optimization" folder without the shipped modules.
    void onlyOwnModules() const
    {
        QDir(programDir() + "optimization").removeRecursively();
        QDir(programDir()).mkpath("optimization");
    }
};

// A press of the left button at a point of a widget, in its own pixels.
void press(QWidget& widget, QPointF at)
{
    QMouseEvent down(QEvent::MouseButtonPress, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::LeftButton,
        Qt::NoModifier);
    QApplication::sendEvent(&widget, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, at, widget.mapToGlobal(at), Qt::LeftButton, Qt::NoButton,
        Qt::NoModifier);
    QApplication::sendEvent(&widget, &up);
}

void expectMarkers(const PrefForm& prefs, double west, const char* name)
{
    EXPECT_EQ(prefs.Line1->X1(), west) << name;
    EXPECT_EQ(prefs.Line1->X2(), west) << name;
    EXPECT_EQ(prefs.Line2->X1(), west + 1) << name;
    EXPECT_EQ(prefs.Line1->Y1(), 0.0) << name;
    EXPECT_EQ(prefs.Line1->Y2(), 1.0) << name << ": the marker spans the map";
}

} // namespace

TEST_F(PrefTabs, APressOnTheWorldMapChoosesTheZoneUnderIt)
{
    PrefForm& prefs = openPrefs(4);
    struct Case
    {
        const char* name;
        float x;
        int zone;
    };
    const Case cases[] = {
        { "inside zone 17", 17.9f, 17 },
        { "the left edge", 1.0f, 1 },
        { "the last band", 60.5f, 60 },
        { "the very right edge", 61.0f, 60 },
    };
    for (const Case& c : cases) {
        prefs.Picture2_MouseDown(vbLeftButton, 0, c.x, 0.5f);
        EXPECT_EQ(prefs.HScroll1->value(), c.zone) << c.name;
        EXPECT_EQ(prefs.ZoneLabel->text(), QString::number(c.zone)) << c.name;
        expectMarkers(prefs, c.zone, c.name);
    }
    // A real press: one zone is 178 / 60 pixels of the map wide.
    PictureBox& map = *prefs.Picture2;
    EXPECT_EQ(map.image(), utmZoneMapImage().convertToFormat(map.image().format())) << "the world map is shown";
    press(map, QPointF(PictureBox::BorderWidth + 16.5 * UtmZoneMapWidth / 60.0, 40));
    EXPECT_EQ(prefs.HScroll1->value(), 17);
    prefs.HScroll1->setValue(60);
    expectMarkers(prefs, 60, "scrolled to the last zone");
    EXPECT_EQ(prefs.Line2->X1(), map.ScaleLeft() + map.ScaleWidth()) << "on the map's right edge";
}

TEST_F(PrefTabs, TheWorldMapShowsLandAndSea)
{
    const QImage map = utmZoneMapImage();
    ASSERT_EQ(map.size(), QSize(178, 92));
    const auto at = [&map](double longitude, double latitude) {
        return map.pixelColor(int((longitude + 180) / 360 * 178), int((90 - latitude) / 180 * 92));
    };
    const QColor land(0, 160, 0);
    const QColor sea(0, 0, 160);
    EXPECT_EQ(at(-100, 40), land) << "North America";
    EXPECT_EQ(at(20, 5), land) << "Africa";
    EXPECT_EQ(at(135, -25), land) << "Australia";
    EXPECT_EQ(at(-30, 0), sea) << "the Atlantic";
    EXPECT_EQ(at(-150, 0), sea) << "the Pacific";
}

TEST_F(PrefTabs, TheBufferWidthFollowsTheUnitsAndMustBeANumber)
{
    mainSettings().BufferWidth = 100;
    PrefForm& prefs = openPrefs();
    prefs.CoordSystemOption[1].setChecked(true);
    EXPECT_EQ(prefs.BufferWidthText->text(), "328");
    EXPECT_EQ(prefs.BufferUnitsLabel->text(), "ft");
    prefs.CoordSystemOption[2].setChecked(true);
    EXPECT_EQ(prefs.BufferWidthText->text(), "100");
    EXPECT_EQ(prefs.BufferUnitsLabel->text(), "m");
    prefs.BufferWidthText->setText("20000");
    prefs.CoordSystemOption[1].setChecked(true);
    EXPECT_EQ(prefs.BufferWidthText->text(), "20000") << "65617 ft would not fit: the width stays";

    for (const char* text : { "", "wide", "40000" }) {
        queueMsgBoxAnswer(vbOK);
        prefs.TabStrip1->setCurrentIndex(1);
        type(prefs.BufferWidthText, QLatin1String(text));
        ASSERT_FALSE(msgBoxes().empty()) << text;
        EXPECT_EQ(msgBoxes().back().prompt, "Buffer Width must be a valid number") << text;
        EXPECT_EQ(msgBoxes().back().icon(), 0);
        EXPECT_EQ(prefs.StartTab, 5) << text << ": its tab comes to the front";
        EXPECT_EQ(prefs.BufferWidthText->text(), QLatin1String(text)) << "kept as typed";
    }
    const size_t boxes = msgBoxes().size();
    type(prefs.BufferWidthText, "-12.5");
    EXPECT_EQ(msgBoxes().size(), boxes) << "any number passes";

    // Enter with a refused width still in the box: Accept refuses it too.
    prefs.BufferWidthText->setText("40000");
    queueMsgBoxAnswer(vbOK);
    prefs.AcceptButton_Click();
    EXPECT_EQ(msgBoxes().back().prompt, "Buffer Width must be a valid number");
    EXPECT_TRUE(prefs.isVisible());
    EXPECT_EQ(mainSettings().BufferWidth, 100);
    EXPECT_EQ(stored("Settings", "BufferWidth"), "<none>") << "nothing was applied or stored";
}

TEST_F(PrefTabs, FolderBoxesKeepAFolderAndTheButtonFillsTheBoxBeingEdited)
{
    PrefForm& prefs = openPrefs(2);
    prefs.Text1[3].setText(QString());
    leave(&prefs.Text1[3]);
    EXPECT_EQ(prefs.Text1[3].text(), defaultStartFolder()) << "an emptied box gets the home folder";
    prefs.Text1[2].setText("anything");
    leave(&prefs.Text1[2]);
    EXPECT_EQ(prefs.Text1[2].text(), "anything");

    struct Case
    {
        const char* name;
        int box;
        const char* chosen; // nullptr: Cancel
        QString expected;
    };
    const Case cases[] = {
        { "a folder", 4, "/data/jobs", "/data/jobs/" },
        { "the root", 1, "/", "/" },
        { "cancelled", 5, nullptr, prefs.Text1[5].text() },
    };
    for (const Case& c : cases) {
        enter(&prefs.Text1[c.box]);
        EXPECT_TRUE(prefs.DirButton->isVisibleTo(&prefs)) << c.name;
        EXPECT_EQ(prefs.DirButton->y(), prefs.Text1[c.box].y() + 2) << c.name;
        EXPECT_EQ(prefs.DirIndex, c.box);
        if (c.chosen) {
            queueFolder(QLatin1String(c.chosen));
        } else {
            queueDialogCancel();
        }
        prefs.DirButton_Click();
        EXPECT_EQ(prefs.Text1[c.box].text(), c.expected) << c.name;
        EXPECT_FALSE(prefs.DirButton->isVisibleTo(&prefs)) << c.name;
    }
    const QRect box = prefs.Text1[1].geometry();
    EXPECT_EQ(prefs.DirButton->geometry().right(), box.right() - 2) << "inside the box's right end";
}

TEST_F(PrefTabs, APressOnASliderSetsItByThirdsOrQuarters)
{
    PrefForm& prefs = openPrefs(3);
    const double w = prefs.Slider1->width();
    struct Case
    {
        double x;
        int width;
    };
    for (const Case c : { Case { 0.1 * w, 1 }, Case { 0.5 * w, 2 }, Case { 0.9 * w, 3 }, Case { w, 3 } }) {
        press(*prefs.Slider1, QPointF(c.x, 5));
        EXPECT_EQ(prefs.Slider1->value(), c.width) << c.x;
        EXPECT_EQ(prefs.SampleBox->DrawWidth(), c.width) << "the sample is drawn again at that width";
    }
    prefs.TabStrip1->setCurrentIndex(0);
    prefs.AGNAVspeed[2].setChecked(true);
    const double a = prefs.AGNAVslider->width();
    press(*prefs.AGNAVslider, QPointF(0.6 * a, 5));
    EXPECT_EQ(prefs.AGNAVslider->value(), 3);
    prefs.AGNAVspeed[1].setChecked(true);
    EXPECT_FALSE(prefs.AGNAVslider->isVisibleTo(&prefs)) << "Flight-by-Flight hides the speed";
    EXPECT_FALSE(prefs.Label4->isVisibleTo(&prefs));
}

TEST_F(PrefTabs, ThePointerSampleCyclesBlackRedYellow)
{
    PrefForm& prefs = openPrefs();
    const auto centre = [&prefs] {
        const QImage& image = prefs.Picture1->image();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    };
    EXPECT_EQ(centre(), toQColor(QBColor(0)));
    const int expected[] = { 12, 14, 0 };
    for (int colour : expected) {
        press(*prefs.Picture1, QPointF(10, 10));
        EXPECT_EQ(prefs.PointerChoice, colour);
        EXPECT_EQ(centre(), toQColor(QBColor(colour)));
    }
    press(*prefs.Label10, QPointF(2, 2));
    EXPECT_EQ(prefs.PointerChoice, 12) << "its caption answers too";
}

TEST_F(PrefTabs, TheModulesAreListedWithTheirDescriptions)
{
    onlyOwnModules();
    writeTestFile(programDir() + "optimization/b_fine.opt",
        "Product B\r\nAir Tractor 502\r\n3 m above canopy\r\nCP-09\r\nnotes\r\n1.5,2.25,0.125\r\n");
    writeTestFile(programDir() + "optimization/a_short.OPT", "Product A\r\nCessna 188\r\n");
    writeTestFile(programDir() + "optimization/readme.txt", "not a module");
    writeTestFile(programDir() + "optimization/.hidden.opt", "hidden");
    globals().OptimizationFile = "b_fine.opt";
    PrefForm& prefs = openPrefs(3);
    ASSERT_EQ(prefs.List1->count(), 2);
    EXPECT_EQ(prefs.List1->item(0)->text(), "a_short.OPT");
    EXPECT_EQ(prefs.List1->item(1)->text(), "b_fine.opt");
    EXPECT_TRUE(prefs.List1->item(1)->isSelected()) << "the module in use";
    EXPECT_EQ(prefs.NozzleLabel->text(), "CP-09");
    prefs.List1->setCurrentRow(0);
    EXPECT_EQ(prefs.ProductLabel->text(), "Product A");
    EXPECT_EQ(prefs.ACLabel->text(), "Cessna 188");
    EXPECT_EQ(prefs.HeightLabel->text(), "3 m above canopy") << "a short module leaves the rest";
    prefs.List1->clearSelection();
    EXPECT_EQ(prefs.ProductLabel->text(), "<None>");
    EXPECT_EQ(prefs.NozzleLabel->text(), "<None>");

    prefs.AcceptButton_Click();
    EXPECT_EQ(globals().OptimizationFile, "");
    EXPECT_EQ(stored("Settings", "OptimizationFile"), "<none>") << "an empty name writes nothing";
}

TEST_F(PrefTabs, AModuleThatCannotBeReadStopsAcceptBeforeAnythingChanges)
{
    onlyOwnModules();
    writeTestFile(programDir() + "optimization/cut.opt", "Product\r\nAircraft\r\nHeight\r\nNozzle\r\nnotes\r\n1.5,x\r\n");
    PrefForm& prefs = openPrefs(3);
    prefs.List1->setCurrentRow(0);
    prefs.GISspeed[2].setChecked(true);
    queueMsgBoxAnswer(vbOK);
    prefs.AcceptButton_Click();
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.contains(programDir() + "optimization/cut.opt"))
        << msgBoxes()[0].prompt.toStdString();
    EXPECT_EQ(msgBoxes()[0].icon(), vbExclamation);
    EXPECT_TRUE(prefs.isVisible()) << "the user may choose another module";
    EXPECT_EQ(mainSettings().GISgraph, 1);
    EXPECT_EQ(globals().OptimizationFile, "");
    EXPECT_EQ(stored("Settings", "GISgraph"), "<none>");
}

TEST_F(PrefTabs, AcceptReadsTheChosenModulesCoefficients)
{
    onlyOwnModules();
    writeTestFile(programDir() + "optimization/fine.opt",
        "Product\r\nAircraft\r\nHeight\r\nNozzle\r\nnotes\r\n1.5\r\n2.25\r\n0.125\r\n");
    metData().Coefficients = { 9.0f, 9.0f, 9.0f };
    PrefForm& prefs = openPrefs(3);
    prefs.List1->setCurrentRow(0);
    prefs.AcceptButton_Click();
    EXPECT_EQ(metData().Coefficients, (OptCoefficients { 1.5f, 2.25f, 0.125f }));
    EXPECT_EQ(globals().OptimizationFile, "fine.opt");
    EXPECT_EQ(stored("Settings", "OptimizationFile"), "fine.opt");

    PrefForm::release();
    openPrefs(3).AcceptButton_Click(); // the module stays chosen
    EXPECT_EQ(globals().OptimizationFile, "fine.opt");
}

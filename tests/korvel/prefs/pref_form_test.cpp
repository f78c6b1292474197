// The preferences dialog as a whole: how it opens and fills, its tabs and
// keys, what Accept applies and stores, and what Cancel leaves alone.
#include "korvel/shell/map_pointer_icons.h"
#include "korvel/workspace/map_state.h"
#include "platform/msg_box.h"
#include "platform/status_bar.h"
#include "platform/vb_input_codes.h"
#include "tests/korvel/prefs/pref_form_fixture.h"
#include "tests/support/shapefile_writer.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>
#include <QTabBar>

namespace {

using PrefForms = PrefFormTest;

int shownTab(const PrefForm& prefs)
{
    int shown = 0;
    for (int tab = 1; tab <= 6; ++tab) {
        if (prefs.Frame1[tab].isVisibleTo(&const_cast<PrefForm&>(prefs))) {
            EXPECT_EQ(shown, 0) << "one frame at a time";
            shown = tab;
        }
    }
    EXPECT_EQ(prefs.TabStrip1->currentIndex(), shown - 1);
    EXPECT_EQ(prefs.StartTab, shown);
    return shown;
}

} // namespace

TEST_F(PrefForms, ViewPreferencesOpensOnGraphingAndReleasesTheDialog)
{
    int tab = 0;
    onModal<PrefForm>([&tab](PrefForm& prefs) {
        tab = shownTab(prefs);
        prefs.CancelButton->click();
    });
    mainForm().View_Prefs_Click();
    EXPECT_EQ(tab, 1);
    EXPECT_EQ(PrefForm::existing(), nullptr);
    ASSERT_EQ(modalForms().size(), 1u);
    EXPECT_EQ(modalForms()[0].windowTitle, "KORVEL Preferences");
}

TEST_F(PrefForms, TheFieldsShowTheProgramsValuesAndTakeInDamagedOnes)
{
    MainSettings& s = mainSettings();
    s.GISgraph = 7; // out of range: the first option
    s.AGNAVgraph = 2;
    s.AGNAVspeed = 9;
    s.OptWidth = 0;
    s.PointerColour = 12;
    s.BufferWidth = 250;
    s.GraphBoomOff = true;
    s.ColorCode = false;
    s.GuidanceAboveBelow = false;
    globals().MetricSystem = false;
    globals().ImmediateGraph = false;
    SaveRegSetting("DefaultDirs", "ImageDir", "/images/");
    SaveRegSetting("Settings", "AutoLoadExclusion", "True");
    mapState().Zone = 33;
    mapState().NorthZone = false;

    PrefForm& prefs = openPrefs();
    EXPECT_TRUE(prefs.GISspeed[1].isChecked());
    EXPECT_EQ(prefs.GISGraphChoice, 1);
    EXPECT_TRUE(prefs.AGNAVspeed[2].isChecked());
    EXPECT_TRUE(prefs.AGNAVslider->isVisibleTo(&prefs));
    EXPECT_EQ(prefs.AGNAVslider->value(), 4);
    EXPECT_EQ(prefs.Slider1->value(), 1);
    EXPECT_EQ(prefs.PointerChoice, 12);
    EXPECT_FALSE(prefs.ImmediateCheck->isChecked());
    EXPECT_TRUE(prefs.Check1->isChecked());
    EXPECT_FALSE(prefs.Check2->isChecked());
    EXPECT_TRUE(prefs.Option1->isChecked());
    EXPECT_TRUE(prefs.CoordSystemOption[1].isChecked());
    EXPECT_EQ(prefs.BufferWidthText->text(), "250") << "shown as stored, in feet";
    EXPECT_EQ(prefs.BufferUnitsLabel->text(), "ft");
    EXPECT_EQ(prefs.Label5->text(), " 1024  x  768");
    EXPECT_EQ(prefs.Text1[2].text(), "/images/");
    EXPECT_EQ(prefs.Text1[1].text(), defaultStartFolder());
    EXPECT_FALSE(prefs.AutoLoad[1].isChecked());
    EXPECT_TRUE(prefs.AutoLoad[2].isChecked());
    EXPECT_EQ(prefs.HScroll1->value(), 33);
    EXPECT_TRUE(prefs.NSOption[2].isChecked());
    EXPECT_TRUE(prefs.Loaded);
}

TEST_F(PrefForms, TheFieldsAreFilledOncePerOpening)
{
    PrefForm& prefs = openPrefs();
    prefs.BufferWidthText->setText("75");
    prefs.Check3->setChecked(false);
    prefs.hide();
    prefs.show(); // activated again, as after a message box
    EXPECT_EQ(prefs.BufferWidthText->text(), "75");
    EXPECT_FALSE(prefs.Check3->isChecked());
}

TEST_F(PrefForms, TheTabStripAndTheKeysChooseTheTab)
{
    PrefForm& prefs = openPrefs();
    struct Case
    {
        const char* name;
        int from;
        int keyCode;
        int shift;
        int to;
    };
    const Case cases[] = {
        { "Ctrl+Tab", 2, vbKeyTab, vbCtrlMask, 3 },
        { "Ctrl+Tab on the last", 6, vbKeyTab, vbCtrlMask, 1 },
        { "Ctrl+Shift+Tab on the first", 1, vbKeyTab, vbCtrlMask | vbShiftMask, 6 },
        { "Ctrl+Alt+Tab", 4, vbKeyTab, vbCtrlMask | vbAltMask, 4 },
        { "Tab alone", 4, vbKeyTab, 0, 4 },
    };
    for (const Case& c : cases) {
        prefs.TabStrip1->setCurrentIndex(c.from - 1);
        ASSERT_EQ(shownTab(prefs), c.from) << c.name;
        prefs.Form_KeyDown(c.keyCode, c.shift);
        EXPECT_EQ(shownTab(prefs), c.to) << c.name;
    }
    // A real key press reaches the dialog before the focused control.
    prefs.TabStrip1->setCurrentIndex(0);
    prefs.GISspeed[1].setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Tab, Qt::ControlModifier);
    QApplication::sendEvent(&prefs.GISspeed[1], &press);
    EXPECT_EQ(shownTab(prefs), 2);
}

TEST_F(PrefForms, AltKeysActOnTheirOwnTabsOnly)
{
    PrefForm& prefs = openPrefs();
    for (int tab : { 1, 2, 4, 6 }) {
        prefs.TabStrip1->setCurrentIndex(tab - 1);
        prefs.Form_KeyDown('C', vbAltMask);
    }
    EXPECT_TRUE(dialogs().empty()) << "Alt+C opens no colour dialog there";
    for (int tab : { 2, 3, 4, 5, 6 }) {
        prefs.TabStrip1->setCurrentIndex(tab - 1);
        prefs.Form_KeyDown('P', vbAltMask);
    }
    EXPECT_EQ(prefs.PointerChoice, 0) << "Alt+P only on Graphing";
    prefs.TabStrip1->setCurrentIndex(0);
    prefs.Form_KeyDown('P', vbAltMask);
    EXPECT_EQ(prefs.PointerChoice, 12);

    queueColor(0x123456);
    prefs.TabStrip1->setCurrentIndex(4);
    prefs.Form_KeyDown('C', vbAltMask);
    EXPECT_EQ(prefs.BufferColourBox->BackColor(), 0x123456);
    queueDialogCancel();
    prefs.TabStrip1->setCurrentIndex(2);
    prefs.Form_KeyDown('C', vbAltMask);
    EXPECT_EQ(prefs.OptColourBox->BackColor(), 255) << "Cancel keeps the colour";
    ASSERT_EQ(dialogs().size(), 2u);
    EXPECT_EQ(dialogs()[0].color, mainSettings().BufferColour) << "the dialog starts on the box's colour";
    EXPECT_EQ(dialogs()[0].flags, 7);
}

TEST_F(PrefForms, AcceptStoresExactlyTheSettingsTable)
{
    PrefForm& prefs = openPrefs();
    prefs.GISspeed[2].setChecked(true);
    prefs.AGNAVspeed[2].setChecked(true);
    prefs.AGNAVslider->setValue(3);
    prefs.ImmediateCheck->setChecked(false);
    prefs.Check1->setChecked(true);
    prefs.Check2->setChecked(false);
    prefs.Check3->setChecked(false);
    prefs.Option1->setChecked(true);
    prefs.Picture1_Click();
    prefs.Picture1_Click(); // yellow
    prefs.CoordSystemOption[1].setChecked(true);
    for (int i = 1; i <= 5; ++i) {
        prefs.Text1[i].setText(QStringLiteral("/folder%1/").arg(i));
    }
    prefs.AutoLoad[1].setChecked(true);
    prefs.Slider1->setValue(2);
    queueColor(0x00FF00);
    prefs.OptColourBox_DblClick();
    prefs.HScroll1->setValue(12);
    prefs.NSOption[2].setChecked(true);
    prefs.BufferWidthText->setText("90");
    queueColor(0x0000FF);
    prefs.BufferColourBox_DblClick();
    prefs.SwathWidthText->setText("45");

    prefs.AcceptButton->click();

    const QString settings = QStringLiteral("Settings");
    const std::pair<const char*, const char*> expected[] = { { "ImmediateGraph", "False" },
        { "GraphBoomOff", "True" }, { "ColorCode", "False" }, { "FillPoly", "False" },
        { "GuidanceAboveBelow", "False" }, { "GISgraph", "2" }, { "AGNAVgraph", "2" }, { "AGNAVspeed", "3" },
        { "PointerColour", "14" }, { "MetricSystem", "False" }, { "OptimizationFile", "<none>" },
        { "OptColour", "65280" }, { "OptWidth", "2" }, { "Ellipsoid.Name", "WGS84" }, { "Zone", "12" },
        { "NorthZone", "False" }, { "BufferWidth", "90" }, { "BufferColour", "255" },
        { "AutoLoadGuidance", "True" }, { "AutoLoadExclusion", "False" } };
    for (const auto& [name, value] : expected) {
        EXPECT_EQ(stored(settings, name), value) << name;
    }
    const char* const folders[] = { "SessionDir", "ImageDir", "SHPDir", "AGNAVDir", "MetDir" };
    for (int i = 1; i <= 5; ++i) {
        EXPECT_EQ(stored("DefaultDirs", folders[i - 1]), QStringLiteral("/folder%1/").arg(i))
            << folders[i - 1];
    }
    EXPECT_EQ(stored("AGNAVDefault", "SwathWidth"), "45");
    EXPECT_EQ(stored("AGNAVDefault", "Ellipsoid"), "22");

    // And the program took them at once.
    const MainSettings& s = mainSettings();
    EXPECT_EQ(s.GISgraph, 2);
    EXPECT_EQ(s.PointerColour, 14);
    EXPECT_EQ(s.MetDir, "/folder5/");
    EXPECT_EQ(s.BufferWidth, 90);
    EXPECT_FALSE(globals().MetricSystem);
    EXPECT_EQ(mapState().Zone, 12);
    EXPECT_EQ(mainForm().StatusBar1->panel(4).Text, "Zone 12 S");
    EXPECT_EQ(mainForm().Picture1->MouseIcon(), mapPointerIcons().CrosshairIcons[size_t(Crosshair::Yellow)]);
    EXPECT_FALSE(prefs.isVisible());
}

TEST_F(PrefForms, CancelChangesNothingAndStoresNothing)
{
    PrefForm& prefs = openPrefs();
    prefs.GISspeed[2].setChecked(true);
    prefs.HScroll1->setValue(40);
    prefs.Text1[1].setText("/elsewhere/");
    prefs.CancelButton->click();
    EXPECT_EQ(mainSettings().GISgraph, 1);
    EXPECT_EQ(mapState().Zone, 17);
    EXPECT_EQ(stored("Settings", "GISgraph"), "<none>");
    EXPECT_EQ(stored("DefaultDirs", "SessionDir"), "<none>");
}

TEST_F(PrefForms, TheGraphButtonShowsOnlyWithoutImmediateGraphOutsideMapMode)
{
    struct Case
    {
        bool immediate;
        bool mapMode;
        bool shown;
    };
    for (const Case c :
        { Case { true, false, false }, Case { false, false, true }, Case { false, true, false } }) {
        mainForm().View_MapMode->setChecked(c.mapMode);
        PrefForm& prefs = openPrefs();
        prefs.ImmediateCheck->setChecked(c.immediate);
        prefs.AcceptButton_Click();
        PrefForm::release();
        EXPECT_EQ(mainForm().GraphButton->isVisibleTo(&mainForm()), c.shown)
            << c.immediate << " " << c.mapMode;
    }
}

TEST_F(PrefForms, TheChosenEllipsoidBecomesTheMapsOnAccept)
{
    writeTestFile(programDir() + "ellipsoid.dat",
        "\"WGS84\",6378137,298.257223563\r\n\"Clarke 1866\",6378206.4,294.9786982\r\n"
        "\"Clarke 1866\",6378206.5,294.98\r\n");
    MainForm::release();
    MainForm& main = MainForm::instance();
    PrefForm& prefs = openPrefs(4);
    EXPECT_EQ(prefs.AxisLabel->text(), "6378137.000 m");
    EXPECT_EQ(prefs.EccentricityLabel->text(), "298.257223563");
    prefs.EllipsoidListbox->setCurrentRow(2);
    EXPECT_EQ(prefs.AxisLabel->text(), "6378206.400 m") << "the first row of the name";
    prefs.AcceptButton_Click();
    EXPECT_EQ(globals().Ellipsoid.Axis, 6378206.5) << "every row of the name is taken; the last stays";
    EXPECT_FALSE(main.PopUp_EllipsoidList[1].isChecked());
    EXPECT_TRUE(main.PopUp_EllipsoidList[2].isChecked());
    EXPECT_TRUE(main.PopUp_EllipsoidList[3].isChecked());
    EXPECT_EQ(main.StatusBar1->panel(5).Text, "Clarke 1866");
    EXPECT_EQ(stored("Settings", "Ellipsoid.Name"), "Clarke 1866");

    PrefForm::release();
    PrefForm& again = openPrefs(4);
    again.EllipsoidListbox->clearSelection();
    again.AcceptButton_Click();
    EXPECT_FALSE(main.PopUp_EllipsoidList[2].isChecked()) << "no choice unticks every entry";
    EXPECT_EQ(globals().Ellipsoid.Name, "Clarke 1866");
    EXPECT_EQ(main.StatusBar1->panel(5).Text, "Clarke 1866");
}

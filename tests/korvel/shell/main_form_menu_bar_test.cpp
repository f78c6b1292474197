#include "tests/support/main_form_fixture.h"

#include <QAction>
#include <QGroupBox>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>

namespace {

using MainFormMenuBar = MainFormTest;

// One line per item of a menu, in order: indentation for submenus, the
// object name, the caption and the accelerator.
void describe(const QMenu& menu, int depth, QStringList& lines)
{
    for (QAction* item : menu.actions()) {
        QString line = QString(depth * 2, ' ') + item->objectName();
        if (item->isSeparator()) {
            line += " -";
        } else {
            line += " \"" + item->text() + "\"";
        }
        if (!item->shortcut().isEmpty()) {
            line += " " + item->shortcut().toString();
        }
        lines << line;
        if (item->menu()) {
            describe(*item->menu(), depth + 1, lines);
        }
    }
}

QStringList menuBar(MainForm& window)
{
    QStringList lines;
    for (QAction* top : window.menuBar()->actions()) {
        lines << top->objectName() + " \"" + top->text() + "\"";
        describe(*top->menu(), 1, lines);
    }
    return lines;
}

} // namespace

TEST_F(MainFormMenuBar, EveryMenuAndItemInItsPlace)
{
    const QStringList expected {
        "File_Menu \"&File\"",
        "  File_LoadSession \"Load Session\" Ctrl+O",
        "  File_SaveSession \"Save Session\"",
        "  blank1 -",
        "  File_OpenBMP \"Load Image\" Ctrl+I",
        "  File_OpenGIS \"Load GIS Layer\" Ctrl+G",
        "  File_AGNAV \"Load AG-NAV\"",
        "    File_OpenAGNAV \"Block Boundary\" Ctrl+A",
        "    File_OpenGuidance \"Guidance File\"",
        "    File_OpenExclusion \"Exclusion Zones\"",
        "    File_OpenFlight \"Spray Data\"",
        "  blank2 -",
        "  File_CloseAll \"Close All Files\" Ctrl+F4",
        "  File_Exit \"Exit\"",
        "View_Menu \"&View\"",
        "  View_ClutteredMode \"Cluttered Mode\"",
        "  View_MapMode \"Map Mode\"",
        "  blank3 -",
        "  View_Prefs \"Preferences\" Ctrl+P",
        "  View_About \"About\"",
        "  blank16 -",
        "  View_Refresh \"Refresh\" F5",
        "Tools_Menu \"&Tools\"",
        "  Tools_Stats \"Spray Statistics\"",
        "  Tools_GeoRef \"Geo-referencing\"",
        "  Tools_SaveImage \"Save GIS Image\"",
        "  Tools_Digitize \"Digitize AG-NAV\"",
        "    Tools_DigitizeBoundary \"Block Boundary\"",
        "    Tools_DigitizeGuidance \"Guidance Lines\"",
        "    Tools_DigitizeExclusion \"Exclusion Zone\"",
        "  Tools_Convert \"Convert SHP to Boundary\"",
        "  Tools_GIS_Shift \"GIS Shift\"",
        "  Tools_Ruler \"Ruler\"",
        "  Met_Menu \"Meteorology\"",
        "    Tether_Menu \"Tethersonde\"",
        "      Met_ConnectTether \"Connect\"",
        "      Met_LoadTether \"Load Data\"",
        "    Kitoon_Menu \"Adapco Met Kitoon\"",
        "      Met_ConnectKitoon \"Connect\"",
        "      Met_LoadKitoon \"Load Data\"",
        "    Tower_Menu \"Tall Tower\"",
        "      Met_ConnectTower \"Connect\"",
        "      Met_LoadTower \"Load Data\"",
        "    Met_ConnectAIMMS \"AIMMS\"",
        "    Met_EnterManual \"Enter Manually\"",
        "  Tools_Optimize \"Optimization\"",
        "  blank17 -",
        "  Tools_Quillet \"KORVEL Quillet\"",
        "PopUp_Menu \"PopUp Menu\"",
    };
    const QStringList lines = menuBar(form());
    EXPECT_EQ(lines.mid(0, expected.size()), expected);
    EXPECT_EQ(lines.value(expected.size()), "  PopUpMenu_Ellipsoid \"Ellipsoid\"");
}

TEST_F(MainFormMenuBar, StartStates)
{
    MainForm& window = form();
    EXPECT_TRUE(window.View_ClutteredMode->isChecked());
    EXPECT_FALSE(window.View_MapMode->isChecked());
    EXPECT_FALSE(window.PopUp_Menu->menuAction()->isVisible()) << "pop-ups only";
    EXPECT_FALSE(window.Tools_GIS_Shift->isEnabled());
    EXPECT_FALSE(window.Tools_Optimize->isEnabled());
    EXPECT_TRUE(window.Met_Menu->menuAction()->isEnabled());
    EXPECT_TRUE(window.Tools_Stats->isEnabled()) << "the Tools menu sets the rest as it opens";
}

TEST_F(MainFormMenuBar, EveryMeteorologyItemShowsAndOnlyThoseWithAnActionAreEnabled)
{
    MainForm& window = form();
    window.Tools_Menu_Click();
    for (QMenu* submenu : { window.Tether_Menu, window.Kitoon_Menu, window.Tower_Menu }) {
        ASSERT_FALSE(submenu->actions().isEmpty());
        for (QAction* item : submenu->actions()) {
            EXPECT_TRUE(item->isVisible()) << item->objectName().toStdString();
        }
    }
    const std::pair<QAction*, bool> items[] = { { window.Met_ConnectTether, true },
        { window.Met_LoadTether, false }, { window.Met_ConnectKitoon, true }, { window.Met_LoadKitoon, true },
        { window.Met_ConnectTower, false }, { window.Met_LoadTower, true },
        { window.Met_ConnectAIMMS, false }, { window.Met_EnterManual, true } };
    for (const auto& [item, enabled] : items) {
        EXPECT_TRUE(item->isVisible()) << item->objectName().toStdString();
        EXPECT_EQ(item->isEnabled(), enabled) << item->objectName().toStdString();
    }
    window.Met_ConnectTether->trigger();
    EXPECT_TRUE(window.TimeSlider->isHidden());
    window.Met_ConnectKitoon->trigger();
    EXPECT_FALSE(window.MetFrame->isHidden());
}

TEST_F(MainFormMenuBar, AClickLeavesTheCheckMarkToTheCode)
{
    // An item whose command is not connected here: only the code may change its mark.
    MainForm& window = form();
    int clicks = 0;
    QObject::connect(window.Tools_DigitizeGuidance, &QAction::triggered, [&clicks] { ++clicks; });
    window.Tools_DigitizeGuidance->trigger(); // no block to lay lines over
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(window.Tools_DigitizeGuidance->isChecked());
    // While a boundary is digitized the item's command does nothing.
    window.Tools_DigitizeBoundary->setChecked(true);
    window.Tools_DigitizeGuidance->setChecked(true);
    window.Tools_DigitizeGuidance->trigger();
    EXPECT_TRUE(window.Tools_DigitizeGuidance->isChecked());
    window.PopUp_EllipsoidList[1].trigger();
    EXPECT_TRUE(window.PopUp_EllipsoidList[1].isChecked()) << "WGS84 is in use";
}

TEST_F(MainFormMenuBar, ExitAsksBeforeQuitting)
{
    MainForm& window = form();
    queueMsgBoxAnswer(vbNo);
    window.File_Exit->trigger();
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, "Quit KORVEL?");
    EXPECT_EQ(MainForm::existing(), &window);
}

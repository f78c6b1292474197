// The main window with its parts: the assembly gives each new window its own
// set, the window's release destroys them, and the menu items each part
// connects reach it.
#include "korvel/agnav/agnav_commands.h"
#include "korvel/georef/georeferencing_entry.h"
#include "korvel/guidance/guidance_work.h"
#include "korvel/layers/layer_list.h"
#include "korvel/map/map_view.h"
#include "korvel/met/manual_form.h"
#include "korvel/met/met_panel.h"
#include "korvel/prefs/sessions.h"
#include "korvel/statistics/stat_form.h"
#include "korvel/statistics/statistics_entry.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/program_globals.h"
#include "tests/support/main_form_fixture.h"

#include <QAction>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>

#include <functional>
#include <set>

namespace {

using MainWindowParts = MainFormTest;

// Each port of the window as the part of its folder, or nullptr.
std::vector<QObject*> partsOf(MainForm& window)
{
    return { dynamic_cast<MapView*>(&window.mapView()), dynamic_cast<LayerList*>(&window.layerList()),
        dynamic_cast<AgnavCommands*>(&window.agnav()), dynamic_cast<GuidanceWork*>(&window.guidance()),
        dynamic_cast<StatisticsEntry*>(&window.statistics()), dynamic_cast<MetPanel*>(&window.met()),
        dynamic_cast<Sessions*>(&window.sessions()),
        dynamic_cast<GeoreferencingEntry*>(&window.georeferencing()) };
}

// One block loaded, which the GIS shift tool takes without asking.
void loadOneBlock()
{
    AgnavData& agnav = agnavData();
    agnav.Blocks.resize(2);
    agnav.BlockCount = 1;
    AGNAVBlock& block = agnav.Blocks[1];
    block.Boundary.X = { 0, 500000, 500100, 500100 };
    block.Boundary.Y = { 0, 4800000, 4800000, 4800100 };
    block.VertexCount = 3;
    globals().AGNAVLoaded = true;
}

} // namespace

TEST_F(MainWindowParts, EveryPortIsItsFoldersPartOnceAndTheNextWindowGetsFreshOnes)
{
    loadOneBlock();
    MainForm& first = form();
    const std::vector<QObject*> parts = partsOf(first);
    std::vector<QPointer<QObject>> watched;
    for (QObject* part : parts) {
        ASSERT_NE(part, nullptr) << "a port set to another folder's part, or to none";
        watched.emplace_back(part);
    }
    EXPECT_EQ(std::set<QObject*>(parts.begin(), parts.end()).size(), parts.size());
    // Private state of the map view's part: the GIS shift outline is shown.
    first.Tools_GIS_Shift->setEnabled(true);
    first.Tools_GIS_Shift->trigger();
    ASSERT_TRUE(first.GISShiftPreviewShown());

    MainForm::release();
    settle();
    for (size_t i = 0; i < watched.size(); ++i) {
        EXPECT_TRUE(watched[i].isNull()) << "part " << i << " outlived its window";
    }

    MainForm& second = form();
    for (QObject* part : partsOf(second)) {
        EXPECT_NE(part, nullptr);
    }
    EXPECT_FALSE(second.GISShiftPreviewShown()) << "the new map view starts with no outline";
    // The new parts work on the new window's controls.
    second.Tools_Ruler->trigger();
    EXPECT_TRUE(second.Tools_Ruler->isChecked());
}

TEST_F(MainWindowParts, EachPartsMenuItemsReachIt)
{
    // What a part does first on its item: the title of the file dialog it
    // asks with (cancelled), the class of the window it shows (closed), or
    // the state of the window it changes.
    const auto dialogTitle = [this] { return dialogs().empty() ? QString() : dialogs().back().title; };
    const auto modalClass
        = [this] { return modalForms().empty() ? QString() : modalForms().back().className; };
    MainForm& window = form();
    const auto checked = [](QAction* item) {
        return [item] { return QString(item->isChecked() ? "checked" : "unchecked"); };
    };
    struct Item
    {
        const char* part;
        QAction* item;
        std::function<void()> answer;
        std::function<QString()> seen;
        QString expected;
    };
    const auto cancel = [this] { queueDialogCancel(); };
    const Item items[] = {
        { "MapView", window.File_OpenGIS, cancel, dialogTitle, "Open GIS Layer" },
        { "MapView", window.File_OpenBMP, cancel, dialogTitle, "Open Image File" },
        { "MapView", window.Tools_Ruler, [] {}, checked(window.Tools_Ruler), "checked" },
        { "AgnavCommands", window.File_OpenAGNAV, cancel, dialogTitle, "Open AGNAV Block Boundary" },
        { "AgnavCommands", window.Tools_DigitizeBoundary, [] {}, checked(window.Tools_DigitizeBoundary),
            "checked" },
        { "LayerList", window.File_CloseAll, [&window] { window.Text1->setText("5"); },
            [&window] { return window.Text1->text(); }, "0" },
        { "MetPanel", window.Met_LoadKitoon, cancel, dialogTitle, "Open Met-Kitoon Data File" },
        { "MetPanel", window.Met_LoadTower, cancel, dialogTitle, "Open Tall Tower Data File" },
        { "MetPanel", window.Met_EnterManual,
            [this] { onModal<ManualForm>([](ManualForm& entry) { entry.CancelButton->click(); }); },
            modalClass, "ManualForm" },
        { "Sessions", window.File_LoadSession, cancel, dialogTitle, "Open KORVEL Session" },
        { "StatisticsEntry", window.Tools_Stats,
            [this] { onModal<StatForm>([](StatForm& s) { s.close(); }); }, modalClass, "StatForm" },
    };
    for (const Item& row : items) {
        SCOPED_TRACE(row.item->objectName().toStdString() + " of " + row.part);
        row.answer();
        row.item->trigger();
        EXPECT_EQ(row.seen(), row.expected);
    }
}

// The main window's initialization, run once when the start-up creates it:
// the mailbox and hook, the colour-depth warning, the pointer pictures, the
// settings, the ellipsoid table, the picture's scale and pointer, the status
// bar, the palette and month names, the updater's menu item. It draws
// nothing. Also the two toggles of the floating windows.
#include "korvel/shell/ellipsoid_table.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/main_settings_reader.h"
#include "korvel/shell/map_pointer_icons.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/file_helpers.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/screen_metrics.h"
#include "platform/single_instance.h"
#include "platform/vb_colors.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"
#include "platform/vb_runtime_errors.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>

namespace {

[[noreturn]] void failStartup(long number, const QString& message)
{
    throw VbError(number, runtimeErrorSource(), message);
}

} // namespace

void MainForm::Form_Initialize()
{
    // Another program finds the running copy through its mailbox.
    m_mailbox = new SingleInstance(this);
    if (!m_mailbox->listen()) {
        qWarning("KORVEL cannot receive shutdown requests: %s", qPrintable(m_mailbox->errorString()));
    }
    HookWindowProc();
    connectSessionEnd();
    Initializing = true;
    warnAboutColourDepth();
    PopUp_Menu->menuAction()->setVisible(false);

    MapState& map = mapState();
    map.ExtentEntryMode = false;
    map.MapEmpty = true;
    layerData().DataExtent = EmptyDataExtent;

    ProgramGlobals& program = globals();
    const QString iconError = loadMapPointerIcons(program.RootDir);
    if (!iconError.isEmpty()) {
        failStartup(RuntimeError::FileNotFound, iconError);
    }
    readMainSettings();
    GraphButton->setVisible(!program.ImmediateGraph);
    loadEllipsoidTable();
    if (program.Ellipsoid.Axis == 0.0) {
        MsgBox(QStringLiteral(
            "Error reading UTM ellipsoid information.\rPlease select an ellipsoid in Preferences"));
        View_Prefs_Click();
    }
    program.HemisphereLetters = { QStringLiteral("S"), QStringLiteral("N") };

    Picture1->Scale(CDbl(Text1->text()), CDbl(Text4->text()), CDbl(Text3->text()), CDbl(Text2->text()));
    Picture1->setMouseIcon(mapPointerIcons().CrosshairIcons[int(crosshairFor(mainSettings().PointerColour))]);
    Picture1->setMousePointer(vbCustom);

    setUpStatusBar();
    ProgressBar1->hide();
    for (int i = 0; i < int(map.LayerPalette.size()); ++i) {
        map.LayerPalette[size_t(i)] = QBColor(i);
    }
    program.MonthNames
        = { "Day", "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec" };
    showUpdaterItem();
    Initializing = false;
}

void MainForm::warnAboutColourDepth()
{
    const int bits = screenMetrics().bitsPerPixel;
    if (bits <= 8) {
        MsgBox(QStringLiteral("KORVEL has detected that your display is using a %1-bit color depth.\r\r"
                              "To switch to another color depth, right-click your Windows desktop,\r"
                              "click Properties, then click on the Settings tab.")
                   .arg(bits),
            vbExclamation);
    }
}

void MainForm::loadEllipsoidTable()
{
    ProgramGlobals& program = globals();
    const QString path = program.RootDir + QStringLiteral("ellipsoid.dat");
    EllipsoidTableResult table = readEllipsoidTable(path);
    if (!table.error.isEmpty()) {
        failStartup(RuntimeError::FileNotFound,
            QStringLiteral("KORVEL cannot read the ellipsoid table \"%1\": %2").arg(path, table.error));
    }
    program.EllipsoidTable = std::move(table.rows);
    for (int row = 1; row < int(program.EllipsoidTable.size()); ++row) {
        PopUp_EllipsoidList.load(row).setText(program.EllipsoidTable[size_t(row)].Name);
    }
    // Every row of the stored name is ticked; the last one's values stay.
    for (int row : selectEllipsoid(program.EllipsoidTable, program.Ellipsoid.Name, program.Ellipsoid)) {
        PopUp_EllipsoidList[row].setChecked(true);
    }
    PopUp_EllipsoidList[0].setVisible(false);
}

void MainForm::showUpdaterItem()
{
    const bool installed = FileExists(updaterPath());
    Tools_Quillet->setVisible(installed);
    blank17->setVisible(installed);
}

void MainForm::Check1_Click(int Index)
{
    if (Index != 1 && Index != 2) {
        return;
    }
    FloatingToolWindow* window
        = floatingToolWindow(Index == 1 ? FloatingTool::CheckList : FloatingTool::Zoom);
    if (!window) {
        return;
    }
    if (Check1[Index].isChecked()) {
        window->show();
    } else {
        window->unload();
    }
}

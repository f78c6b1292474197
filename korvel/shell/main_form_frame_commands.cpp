// Commands of the main window's own menus that belong to the frame rather
// than to a subsystem: the two view modes, Preferences, About, Refresh, the
// Tools menu's enabling when it opens, Spray Statistics, Geo-referencing,
// Save GIS Image and the start of the updater; and the two coordinate
// readouts, which never keep the keyboard focus.
#include "korvel/shell/about_form.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/selection_form.h"
#include "korvel/shell/tools_menu_states.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/common_dialog.h"
#include "platform/menu_item.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/picture_saver.h"
#include "platform/process_launcher.h"
#include "platform/show_modal.h"

#include <QAction>
#include <QEvent>
#include <QGroupBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

namespace {

const QString kErrorHeading = QStringLiteral("KORVEL encountered the following error:\r");

// The runtime's GotFocus of a text box.
class GotFocusHandler final : public QObject
{
public:
    GotFocusHandler(QWidget& control, std::function<void()> handler)
        : QObject(&control)
        , m_handler(std::move(handler))
    {
        control.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusIn) {
            m_handler();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_handler;
};

// Keeps the main window's controls and menus out of reach while it lives.
// The window itself stays enabled: its modal dialogs are its children and
// would be disabled with it.
class MainWindowDisabled
{
public:
    explicit MainWindowDisabled(QMainWindow& window)
        : m_client(window.centralWidget())
        , m_menus(window.menuBar())
    {
        m_client->setEnabled(false);
        m_menus->setEnabled(false);
    }
    ~MainWindowDisabled()
    {
        m_client->setEnabled(true);
        m_menus->setEnabled(true);
    }
    MainWindowDisabled(const MainWindowDisabled&) = delete;
    MainWindowDisabled& operator=(const MainWindowDisabled&) = delete;

private:
    QWidget* m_client;
    QWidget* m_menus;
};

void unloadGuidanceWindow()
{
    FloatingToolWindow* guidance = floatingToolWindow(FloatingTool::Guidance);
    if (guidance && guidance->window()) {
        guidance->unload();
    }
}

} // namespace

void MainForm::connectFrameCommands()
{
    connectMenuClick(*View_MapMode, this, [this] { View_MapMode_Click(); });
    connectMenuClick(*View_ClutteredMode, this, [this] { View_ClutteredMode_Click(); });
    connectMenuClick(*View_Prefs, this, [this] { View_Prefs_Click(); });
    connectMenuClick(*View_About, this, [this] { View_About_Click(); });
    connectMenuClick(*View_Refresh, this, [this] { View_Refresh_Click(); });
    connect(Tools_Menu, &QMenu::aboutToShow, this, [this] { Tools_Menu_Click(); });
    connectMenuClick(*Tools_Stats, this, [this] { Tools_Stats_Click(); });
    connectMenuClick(*Tools_GeoRef, this, [this] { Tools_GeoRef_Click(); });
    connectMenuClick(*Tools_SaveImage, this, [this] { Tools_SaveImage_Click(); });
    connectMenuClick(*Tools_Quillet, this, [this] { Tools_Quillet_Click(); });
    new GotFocusHandler(*StatusLabel1, [this] { StatusLabel1_GotFocus(); });
    new GotFocusHandler(*StatusLabel2, [this] { StatusLabel2_GotFocus(); });
}

void MainForm::View_MapMode_Click()
{
    GraphButton->hide();
    Frame1->hide();
    Frame2->hide();
    placeMapPicture(
        { Picture1->pos(), QSize(std::max(1, Check1[1].x() - Picture1->x() - 3), Picture1->height()) });
    GuidanceFrame->hide();
    if (Tools_DigitizeGuidance->isChecked()) {
        if (FloatingToolWindow* guidance = floatingToolWindow(FloatingTool::Guidance)) {
            guidance->show();
        }
    }
    MetFrame->hide();
    View_ClutteredMode->setChecked(false);
    View_MapMode->setChecked(true);
    for (int i = 1; i <= Check1.UBound(); ++i) {
        if (QPushButton* toggle = Check1.at(i)) {
            toggle->show();
        }
    }
    mapState().ExtentEntryMode = true;
    ApplyMapExtent();
    zoomOrRedrawAfterViewChange();
}

void MainForm::View_ClutteredMode_Click()
{
    if (View_ClutteredMode->isChecked()) {
        return;
    }
    if (!globals().ImmediateGraph) {
        GraphButton->show();
    }
    Frame1->show();
    Frame2->show();
    placeMapPicture(
        { Picture1->pos(), QSize(std::max(1, Frame1->x() - 2 * Picture1->x()), Picture1->height()) });
    unloadGuidanceWindow();
    if (Tools_DigitizeGuidance->isChecked()) {
        GuidanceFrame->show();
    }
    if (globals().MetLoaded) {
        MetFrame->show();
    }
    View_ClutteredMode->setChecked(true);
    View_MapMode->setChecked(false);
    for (int i = 1; i <= Check1.UBound(); ++i) {
        if (QPushButton* toggle = Check1.at(i)) {
            toggle->setChecked(false); // its handler closes the floating window
            toggle->hide();
        }
    }
    mapState().ExtentEntryMode = true;
    ApplyMapExtent();
    RefreshChecklist();
    zoomOrRedrawAfterViewChange();
}

void MainForm::zoomOrRedrawAfterViewChange()
{
    // With the data narrower than the view (or nothing loaded, whose start
    // extent is negative) the view fits the layers anew; otherwise the map
    // is drawn again at its new width. The scale height is negative while
    // north is up, so in practice only the width decides.
    const ::MapExtent& data = layerData().DataExtent;
    const float width = float(data.XMax - data.XMin);
    const float height = float(data.YMax - data.YMin);
    if (width < Picture1->ScaleWidth() || height < Picture1->ScaleHeight()) {
        ZoomToLayers(0, 0);
    } else {
        Graph(true);
    }
}

void MainForm::View_Prefs_Click()
{
    ShowPreferences(1); // "Graphing"
}

void MainForm::View_About_Click()
{
    // The floating windows stay where they are: the box is small and brief.
    ShowModal(AboutForm::instance());
    AboutForm::release();
}

void MainForm::View_Refresh_Click()
{
    Graph(true);
}

void MainForm::Tools_Menu_Click()
{
    ToolsMenuInput input = loadedToolsMenuInput();
    input.rulerOn = Tools_Ruler->isChecked();
    input.digitizingBoundary = Tools_DigitizeBoundary->isChecked();
    input.optimizeChecked = Tools_Optimize->isChecked();
    const ToolsMenuStates states = toolsMenuStates(input);
    Tools_Stats->setEnabled(states.stats);
    Tools_GeoRef->setEnabled(states.geoRef);
    Tools_SaveImage->setEnabled(states.saveImage);
    Tools_Digitize->menuAction()->setEnabled(states.digitize);
    Tools_DigitizeGuidance->setEnabled(states.digitizeGuidance);
    Tools_DigitizeExclusion->setEnabled(states.digitizeExclusion);
    Tools_Convert->setEnabled(states.convert);
    Tools_GIS_Shift->setEnabled(states.gisShift);
    Tools_Ruler->setEnabled(states.ruler);
    Tools_Optimize->setEnabled(states.optimize);
    Met_ConnectKitoon->setEnabled(states.connectKitoon);
    Met_LoadKitoon->setEnabled(states.loadKitoon);
    Met_LoadTower->setEnabled(states.loadTower);
}

void MainForm::Tools_Stats_Click()
{
    ShowStatistics();
}

void MainForm::Tools_GeoRef_Click()
{
    if (!globals().UTMMode) {
        MsgBox(QStringLiteral("You must be in UTM mode\rto georeference any images"));
        return;
    }
    // The window stays out of reach until the chooser and the geo-referencing
    // window have both closed, however they close.
    const MainWindowDisabled disabled(*this);
    SelectionForm& chooser = SelectionForm::instance();
    chooser.Selection = 1;
    const LayerData& layers = layerData();
    if (layers.ImageCount > 1) {
        chooser.ListType = SelectionListImages;
        ShowModal(chooser);
    }
    const int position = chooser.Selection;
    SelectionForm::release();
    // The chooser lists the images in list order; the record is another.
    if (position < 1 || position >= int(layers.ImageOrder.size())) {
        return;
    }
    CurrentImage = layers.ImageOrder[size_t(position)];
    ShowGeoReferencing();
}

void MainForm::Tools_SaveImage_Click()
{
    CommonDialog dialog(this);
    dialog.FileName.clear();
    dialog.CancelError = true;
    dialog.DialogTitle = QStringLiteral("Save main GIS image as...");
    dialog.Filter = QStringLiteral("Bitmap File (*.bmp)|*.bmp");
    dialog.FilterIndex = 1;
    // A name typed without an extension gets the bitmap's, as the PDF and
    // boundary saves give theirs.
    dialog.DefaultExt = QStringLiteral("bmp");
    dialog.Flags = cdlOFNOverwritePrompt | cdlOFNHideReadOnly;
    if (!dialog.ShowSave()) {
        return;
    }
    Picture1->Refresh();
    QString error;
    if (!SavePicture(Picture1->image(), dialog.FileName, &error)) {
        MsgBox(kErrorHeading + error);
    }
}

void MainForm::Tools_Quillet_Click()
{
    // The item was shown because the updater was there at start-up; it may
    // have gone since.
    const ProcessStartResult result = startProgram(updaterPath());
    if (!result.started) {
        MsgBox(kErrorHeading + result.error);
    }
}

void MainForm::StatusLabel1_GotFocus()
{
    setFocus();
}

void MainForm::StatusLabel2_GotFocus()
{
    setFocus();
}

#pragma once
// The main window: the map picture Picture1, the side panel (the "Loaded
// Files" frame Frame1, the "Map Scale" frame Frame2 with the extent boxes and
// the zoom toolbar, GraphButton, the guidance frame and the meteorology
// frame), the toggle column Check1, the status bar with its progress bar and
// coordinate boxes, and the menu bar. It exists once for the whole run: the
// start-up creates it through instance(), which runs its initialization, and
// the exit routine unloads and releases it.
//
// Controls are members with their given names and objectName, placed in
// pixels on the client area by the layout (ArrangeControls), which runs when
// the window's state changes. The window is the status sink of long
// operations while it exists. Its procedures are spread over files by what
// they do: main_form.cpp (the controls), main_form_panels.cpp (the
// guidance and meteorology frames), main_form_menu_bar.cpp, main_form_status.cpp,
// main_form_creation.cpp (initialization and the toggles),
// main_form_layout.cpp, main_form_panel_layout.cpp, main_window_hook.cpp,
// exit_routine.cpp, main_form_keys.cpp and main_form_frame_commands.cpp (the
// frame's own menu commands).
//
// The window is the frame only: each subsystem's procedures belong to the
// part of its folder (MapView, LayerList, AgnavCommands, GuidanceWork,
// StatisticsEntry, MetPanel, Sessions, GeoreferencingEntry), which
// korvel/app creates with every new window. What other folders call of a
// part is its port (ports.h); the window forwards each port procedure under
// its given name in one line, so MainForm::instance().Graph(true) reaches the
// map view without its caller knowing the map's folder.
#include "korvel/shell/ports.h"
#include "korvel/shell/status_progress.h"
#include "platform/control_array.h"

#include <QMainWindow>
#include <QMetaObject>
#include <QSize>

#include <limits>
#include <memory>
#include <vector>

class KeyPreview;
class LineControl;
class MainFormPart;
class PictureBox;
class RedrawInputGuard;
class SingleInstance;
class StatusBar;
class ToolBar;
class QAction;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;
class QTimer;

// The runtime's WindowState values.
inline constexpr int vbNormal = 0;
inline constexpr int vbMinimized = 1;
inline constexpr int vbMaximized = 2;

// The window's size when it is not maximised, borders included.
inline constexpr QSize MainFormNormalSize(1024, 768);

// The runtime's unload modes of Form_QueryUnload.
inline constexpr int vbFormControlMenu = 0; // the close box or the window menu
inline constexpr int vbFormCode = 1; // the program's own Unload
inline constexpr int vbAppWindows = 2; // the desktop session ends

class MainForm final : public QMainWindow, public StatusProgress
{
    Q_OBJECT
public:
    // The window, created and initialized on first use. A failed
    // initialization (an unreadable "ellipsoid.dat" or pointer picture, a
    // setting that does not convert) leaves no window and raises VbError
    // whose description is the whole message for the user.
    static MainForm& instance();
    // The window while it exists; never creates it.
    static MainForm* existing();
    // Ends the use of the window: it is destroyed once control returns to the
    // event loop, and the next instance() starts a fresh one.
    static void release();

    // --- The parts (korvel/app assembles them) ---
    // What gives each new window its parts: the program and the test support
    // set it before the first instance().
    using Assembly = void (*)(MainForm&);
    static void setAssembly(Assembly assembly);
    // Takes a part over; the window destroys its parts, the last first,
    // before its controls.
    void adoptPart(MainFormPart* part);
    // The parts' ports, each set once by the assembly.
    void setPort(MapViewPort& port) { m_ports.mapView = &port; }
    void setPort(LayerListPort& port) { m_ports.layerList = &port; }
    void setPort(AgnavPort& port) { m_ports.agnav = &port; }
    void setPort(GuidancePort& port) { m_ports.guidance = &port; }
    void setPort(StatisticsPort& port) { m_ports.statistics = &port; }
    void setPort(MetPort& port) { m_ports.met = &port; }
    void setPort(SessionsPort& port) { m_ports.sessions = &port; }
    void setPort(GeoreferencingPort& port) { m_ports.georeferencing = &port; }
    MapViewPort& mapView() const { return assembled(m_ports.mapView); }
    LayerListPort& layerList() const { return assembled(m_ports.layerList); }
    AgnavPort& agnav() const { return assembled(m_ports.agnav); }
    GuidancePort& guidance() const { return assembled(m_ports.guidance); }
    StatisticsPort& statistics() const { return assembled(m_ports.statistics); }
    MetPort& met() const { return assembled(m_ports.met); }
    SessionsPort& sessions() const { return assembled(m_ports.sessions); }
    GeoreferencingPort& georeferencing() const { return assembled(m_ports.georeferencing); }

    // --- Map picture ---
    PictureBox* Picture1 = nullptr;
    ControlArray<QLabel> Label2 { "Label2" }; // map-edge extent labels inside Picture1; 0 is the template
    // Line controls over the map (korvel/map/map_view_overlays.cpp); the
    // arrays' element 0 is the hidden template.
    LineControl* SelLineTop = nullptr; // the zoom box's edges
    LineControl* SelLineBottom = nullptr;
    LineControl* SelLineLeft = nullptr;
    LineControl* SelLineRight = nullptr;
    LineControl* RulerLine = nullptr;
    ControlArray<LineControl> LabelLine { "LabelLine" }; // leader lines of Label2
    ControlArray<LineControl> DigitizeLine { "DigitizeLine" }; // digitized boundary segments
    ControlArray<LineControl> GuidanceLine { "GuidanceLine" }; // guidance lines being created
    ControlArray<LineControl> OptimizeLine { "OptimizeLine" }; // the optimization overlay

    // --- Rows of the "Loaded Files" list (korvel/layers/), children of
    // Frame1: images and GIS layers by list position, blocks by block index,
    // block sub-rows by their running number over all blocks; element 0 of
    // each array is the hidden template the rows are made from.
    ControlArray<QCheckBox> ImageCheck { "ImageCheck" };
    ControlArray<QLabel> ImageCheckLabel { "ImageCheckLabel" };
    ControlArray<QCheckBox> GISCheck { "GISCheck" };
    ControlArray<QLabel> GISColorBox { "GISColorBox" }; // its background is the layer's colour
    ControlArray<QLabel> GISCheckLabel { "GISCheckLabel" };
    ControlArray<QCheckBox> AGCheck { "AGCheck" };
    ControlArray<QLabel> AGColorBox { "AGColorBox" };
    ControlArray<QLabel> AGCheckLabel { "AGCheckLabel" };
    ControlArray<QCheckBox> Check3 { "Check3" };
    ControlArray<QLabel> CheckLabel3 { "CheckLabel3" };
    QLabel* Label1 = nullptr; // "No Files Loaded"
    QScrollBar* ChecklistScroll = nullptr;
    QFrame* Line1 = nullptr; // the etched line between images and GIS layers and the blocks
    QFrame* Line2 = nullptr;

    // --- "Loaded Files" and "Map Scale" ---
    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QLineEdit* Text1 = nullptr; // west
    QLineEdit* Text2 = nullptr; // south
    QLineEdit* Text3 = nullptr; // east
    QLineEdit* Text4 = nullptr; // north
    ControlArray<QLabel> MapExtent { "MapExtent" }; // 1..4, the markers left of the boxes
    QWidget* Picture3 = nullptr; // holds the zoom toolbar
    ToolBar* Toolbar = nullptr; // 1 GIS layers, 2 images, 3 custom zoom (check), 4 previous zoom
    QPushButton* GraphButton = nullptr;
    ControlArray<QPushButton> Check1 { "Check1" }; // 1 floating layer list, 2 zoom window

    // --- Guidance frame ---
    QGroupBox* GuidanceFrame = nullptr;
    ControlArray<QRadioButton> GuidanceOption {
        "GuidanceOption"
    }; // 1 "Flight Heading", 2 "Parallel to Edge"
    QLineEdit* GuidanceText = nullptr;
    QScrollBar* VScroll1 = nullptr;
    QLabel* DegreeLabel = nullptr;
    QLabel* SwathLabel = nullptr;
    QLineEdit* SwathText = nullptr;
    QScrollBar* VScroll2 = nullptr;
    QLabel* SwathLabelm = nullptr;
    QLabel* OffsetLabel = nullptr;
    QFrame* OffsetFrame = nullptr;
    ControlArray<QRadioButton> OffsetOption { "OffsetOption" }; // 0 "None", 1 "Half-Swath"
    QPushButton* GuidanceSave = nullptr;
    QPushButton* GuidanceCancel = nullptr;

    // --- Meteorology frame ---
    QGroupBox* MetFrame = nullptr;
    PictureBox* Picture2 = nullptr; // the wind compass
    QLabel* WindDirLabel = nullptr;
    ControlArray<QPushButton> ControlPanel { "ControlPanel" }; // 1..4, the play-back buttons
    ControlArray<QLabel> MetLabel { "MetLabel" }; // 1..6, the captions of the read-out rows
    QLabel* DateLabel = nullptr;
    QLabel* TimeLabel = nullptr;
    QLabel* WindSpeedLabel = nullptr;
    QLabel* TetherTempLabel = nullptr;
    QLabel* GroundTempLabel = nullptr;
    QLabel* FileNameLabel = nullptr;
    QPushButton* CloseMet = nullptr;
    QSlider* TimeSlider = nullptr;
    LineControl* CompassLine = nullptr; // the compass needle in Picture2, in its pixels
    QTimer* Timer1 = nullptr; // the playback timer, the window's only one

    // --- Status area ---
    StatusBar* StatusBar1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QLineEdit* StatusLabel1 = nullptr; // northing or latitude under the pointer
    QLineEdit* StatusLabel2 = nullptr; // easting or longitude

    // --- Menu bar (a submenu's own item is its menuAction()) ---
    QMenu* File_Menu = nullptr;
    QAction* File_LoadSession = nullptr;
    QAction* File_SaveSession = nullptr;
    QAction* blank1 = nullptr;
    QAction* File_OpenBMP = nullptr;
    QAction* File_OpenGIS = nullptr;
    QMenu* File_AGNAV = nullptr;
    QAction* File_OpenAGNAV = nullptr;
    QAction* File_OpenGuidance = nullptr;
    QAction* File_OpenExclusion = nullptr;
    QAction* File_OpenFlight = nullptr;
    QAction* blank2 = nullptr;
    QAction* File_CloseAll = nullptr;
    QAction* File_Exit = nullptr;
    QMenu* View_Menu = nullptr;
    QAction* View_ClutteredMode = nullptr;
    QAction* View_MapMode = nullptr;
    QAction* blank3 = nullptr;
    QAction* View_Prefs = nullptr;
    QAction* View_About = nullptr;
    QAction* blank16 = nullptr;
    QAction* View_Refresh = nullptr;
    QMenu* Tools_Menu = nullptr;
    QAction* Tools_Stats = nullptr;
    QAction* Tools_GeoRef = nullptr;
    QAction* Tools_SaveImage = nullptr;
    QMenu* Tools_Digitize = nullptr;
    QAction* Tools_DigitizeBoundary = nullptr;
    QAction* Tools_DigitizeGuidance = nullptr;
    QAction* Tools_DigitizeExclusion = nullptr;
    QAction* Tools_Convert = nullptr;
    QAction* Tools_GIS_Shift = nullptr;
    QAction* Tools_Ruler = nullptr;
    QMenu* Met_Menu = nullptr;
    QMenu* Tether_Menu = nullptr;
    QAction* Met_ConnectTether = nullptr;
    QAction* Met_LoadTether = nullptr;
    QMenu* Kitoon_Menu = nullptr;
    QAction* Met_ConnectKitoon = nullptr;
    QAction* Met_LoadKitoon = nullptr;
    QMenu* Tower_Menu = nullptr;
    QAction* Met_ConnectTower = nullptr;
    QAction* Met_LoadTower = nullptr;
    QAction* Met_ConnectAIMMS = nullptr;
    QAction* Met_EnterManual = nullptr;
    QAction* Tools_Optimize = nullptr;
    QAction* blank17 = nullptr;
    QAction* Tools_Quillet = nullptr;
    // The hidden menu that holds the pop-up menus (the layer lists add theirs).
    QMenu* PopUp_Menu = nullptr;
    QMenu* PopUpMenu_Ellipsoid = nullptr;
    ControlArray<QAction> PopUp_EllipsoidList { "PopUp_EllipsoidList" }; // one per row of the ellipsoid table
    // The pop-up menus of the "Loaded Files" rows (korvel/layers/layer_popup_menus.cpp).
    QMenu* PopUpMenu_Image = nullptr;
    QAction* PopUp_Georef = nullptr;
    QAction* PopUp_ImageDel = nullptr;
    QAction* PopUp_ImageProps = nullptr;
    QMenu* PopUpMenu_SHP = nullptr;
    QMenu* PopUp_SHPZone = nullptr; // "Zone " and the layer's zone
    ControlArray<QAction> PopUp_SHPZoneNum { "PopUp_SHPZoneNum" }; // 1, 2, 4, 5 the zones offered; 3 a line
    QAction* PopUp_SHPBuffer = nullptr;
    QAction* PopUp_SHPColor = nullptr;
    QMenu* PopUp_SHPThick = nullptr;
    ControlArray<QAction> PopUp_SHPThickNum { "PopUp_SHPThickNum" }; // 1..5
    QAction* PopUp_SHPZoom = nullptr;
    QAction* PopUp_SHPDel = nullptr;
    QAction* PopUp_SHPProps = nullptr;
    QMenu* PopUpMenu_AGNAV = nullptr;
    QAction* PopUp_OpenGuidance = nullptr;
    QAction* PopUp_OpenExclusion = nullptr;
    QAction* PopUp_OpenFlight = nullptr;
    QAction* PopUp_DigitizeGuidance = nullptr;
    QAction* PopUp_DigitizeExclusion = nullptr;
    QAction* PopUp_AGNAVColor = nullptr;
    QMenu* PopUp_AGNAVThick = nullptr;
    ControlArray<QAction> PopUp_AGNAVThickNum { "PopUp_AGNAVThickNum" }; // 1..5
    QAction* PopUp_AGNAVZoom = nullptr;
    QAction* PopUp_AGNAVDel = nullptr;
    QAction* PopUp_AGNAVProps = nullptr;

    // --- Layout values, set by ArrangeControls ---
    float LayoutFactor1 = 1.0f;
    float LayoutFactor2 = 1.0f;
    QString LayoutFontName; // "Small Fonts" on an 800-pixel screen, else "MS Sans Serif"
    int LayoutFontSize = 8; // points
    int StatusIndent = 0; // blanks before a status text, so it starts right of the progress bar

    // --- Creation and toggles (main_form_creation.cpp) ---
    // The toggle buttons: 1 opens and closes the floating layer list, 2 the zoom window.
    void Check1_Click(int Index);
    // The window's state as the runtime numbers it: vbNormal, vbMinimized, vbMaximized.
    int WindowState() const;

    // --- Layout (main_form_layout.cpp, main_form_panel_layout.cpp) ---
    void Form_Resize();
    void ArrangeControls();
    // The "Loaded Files" panel at the window's right edge and its row templates
    // (korvel/layers/layer_list_panel.cpp).
    void ArrangeLayerList() { layerList().ArrangeLayerList(); }
    void AdjustGuidanceFrame();
    void LayoutMetFrame();
    void Form_GotFocus();
    void Frame1_MouseMove();
    void Frame2_MouseMove();
    void Label2_MouseMove(int Index);
    void Label2_MouseDown(int Index, int Button, int Shift, float X, float Y);

    // --- Window hook (main_window_hook.cpp) ---
    // Starts the watch for other programs' activation and for shutdown
    // requests on the window's mailbox; UnhookWindowProc ends it.
    void HookWindowProc();
    void UnhookWindowProc();
    // A copy-data message from another program: the shutdown requests.
    void HandleCopyData(quint32 dwData, const QByteArray& data);

    // --- Exit (exit_routine.cpp) ---
    void File_Exit_Click();
    void Form_QueryUnload(int& Cancel, int UnloadMode);
    void ExitKORVEL();

    // --- Public state shared with other windows ---
    bool LoadingSession = false; // a session is reopening its layers
    int CurrentMet = 0; // the meteorological file shown
    // The row label right-clicked last, in this list or the floating one: a
    // list position for an image or GIS layer, a block number for a block.
    // The pop-up commands and the properties dialog act on it.
    int SelectedLayer = 0;
    // The block whose guidance lines are being created or in which an
    // exclusion zone is being digitized; 0 when none.
    int SelectedBlock = 0;
    // The block the GIS shift tool previews, and the outline's offset from
    // the block in metres (east and north positive), kept until the next
    // opening of the tool.
    int ShiftBlock = 0;
    double ShiftX = 0.0;
    double ShiftY = 0.0;
    // Index into Images (not a list position) of the image to geo-reference.
    int CurrentImage = 0;

    // --- Map extent and zoom (the map view, korvel/map/map_view_extent.cpp) ---
    void ApplyMapExtent() { mapView().ApplyMapExtent(); }
    void ZoomToLayers(int Index, int LayerType) { mapView().ZoomToLayers(Index, LayerType); }
    void ZoomToImages() { mapView().ZoomToImages(); }
    void Tools_Ruler_Click() { mapView().Tools_Ruler_Click(); }
    void ClearMapOverlays() { mapView().ClearMapOverlays(); }

    // --- The map picture's pointer (korvel/map/map_view_pointer.cpp) ---
    void Form_MouseMove(int Button, int Shift, float X, float Y)
    {
        mapView().Form_MouseMove(Button, Shift, X, Y);
    }

    // --- Keyboard (main_form_keys.cpp) ---
    // The window's one shortcut handler; the floating windows pass it the
    // keys they do not handle. KeyCode is the virtual-key code, Shift the
    // mask 1 Shift, 2 Ctrl, 4 Alt.
    void Form_KeyDown(int KeyCode, int Shift);

    // --- Frame menu commands (main_form_frame_commands.cpp) ---
    // Map Mode re-applies itself on every call; Cluttered Mode acts only on a change.
    void View_MapMode_Click();
    void View_ClutteredMode_Click();
    void View_Prefs_Click();
    void View_About_Click();
    void View_Refresh_Click();
    // Enables the Tools menu's items by what is loaded, as the menu opens.
    void Tools_Menu_Click();
    void Tools_Stats_Click();
    void Tools_GeoRef_Click();
    void Tools_SaveImage_Click();
    void Tools_Quillet_Click();
    // The coordinate readouts hand the keyboard focus straight back to the window.
    void StatusLabel1_GotFocus();
    void StatusLabel2_GotFocus();

    // --- Digitizing (korvel/agnav AgnavCommands; the clicks in
    // korvel/map/digitizing_tool.cpp) ---
    // Each starts its mode or, while its item is ticked, ends it: the map's
    // right press calls them to end with the polygon placed. None starts
    // while another mode is on or the GIS shift outline is shown.
    void Tools_DigitizeBoundary_Click() { agnav().Tools_DigitizeBoundary_Click(); }
    void Tools_DigitizeExclusion_Click() { agnav().Tools_DigitizeExclusion_Click(); }
    // The block pop-up's "Digitize Exclusion Zone": the zone of block
    // SelectedLayer, whose colour the segments take from the start.
    void PopUp_DigitizeExclusion_Click() { agnav().PopUp_DigitizeExclusion_Click(); }
    // Says why digitizing cannot start while the shift outline is shown.
    bool shiftPreviewRefusesDigitizing() { return agnav().shiftPreviewRefusesDigitizing(); }

    // --- GIS shift tool (korvel/map/map_view_gis_shift.cpp) ---
    bool GISShiftPreviewShown() const { return mapView().GISShiftPreviewShown(); }
    void HideGISShiftPanel() { mapView().HideGISShiftPanel(); }

    // --- Redraw (korvel/map/map_view_redraw.cpp) ---
    void Graph(bool FullRedraw) { mapView().Graph(FullRedraw); }
    RedrawInputGuard* redrawInputGuard() const { return mapView().redrawInputGuard(); }

    // --- Loading GIS layers and images (korvel/map/map_view_gis_opening.cpp,
    // korvel/map/map_view_image_loading.cpp) ---
    bool CheckGISFile(const QString& Path) { return mapView().CheckGISFile(Path); }
    void OpenGISLayer(const QString& Path) { mapView().OpenGISLayer(Path); }
    bool CheckImageFile(const QString& Path) { return mapView().CheckImageFile(Path); }
    void LoadImageLayer(const QString& Path) { mapView().LoadImageLayer(Path); }

    // --- The "Loaded Files" list (korvel/layers/, the part LayerList) ---
    // The rows the loaders add, after they appended the record and raised
    // its counts (list_entries.cpp). A row that exists already is only
    // refreshed, so a caller announcing a sub-item twice does no harm.
    void AddImageListEntry() { layerList().AddImageListEntry(); }
    void AddGISListEntry() { layerList().AddGISListEntry(); }
    // The row of the newest block, Blocks(BlockCount).
    void AddBlockListEntry() { layerList().AddBlockListEntry(); }
    // The sub-row of the block's newest flight log, its last sub-row.
    void AddFlightListEntry(int Block) { layerList().AddFlightListEntry(Block); }
    // The block's guidance sub-row, inserted as the block's first sub-row and ticked.
    void AddGuidanceListEntry(int Block) { layerList().AddGuidanceListEntry(Block); }
    // The block's exclusion-zones sub-row ("Exclusion Zone" or "Exclusion Zones").
    void AddExclusionListEntry(int Block) { layerList().AddExclusionListEntry(Block); }
    // Places, captions and shows every row from the data (layer_list_rebuild.cpp).
    void RefreshChecklist() { layerList().RefreshChecklist(); }
    // 0 when the caption fits the list whole, else how many characters to cut
    // from its middle (layer_list_panel.cpp).
    int FitListCaption(const QString& Caption, bool SubEntry)
    {
        return layerList().FitListCaption(Caption, SubEntry);
    }
    // Removal of a GIS layer with its row (layer_list_deletion.cpp).
    void DeleteSHP(int Index) { layerList().DeleteSHP(Index); }
    // File > Close All Files (layer_list_close_all.cpp).
    void File_CloseAll_Click() { layerList().File_CloseAll_Click(); }

    // --- AG-NAV blocks and spray data (korvel/agnav AgnavCommands) ---
    // The check before a block boundary file is loaded (the File menu, a
    // dropped file, the command line, a session): it exists and no block
    // holds it yet. Says why not.
    bool CheckAGNAVFile(const QString& Path) { return agnav().CheckAGNAVFile(Path); }
    // A block from its boundary file with its list row, and outside a
    // session its guidance-line and exclusion-zone files when the AutoLoad
    // settings say so. A failure, the block's or a companion's, takes the
    // block back, shows the reason and offers to open the file; returns
    // whether the block was loaded.
    bool LoadAGNAVBlock(const QString& Path) { return agnav().LoadAGNAVBlock(Path); }
    // The block pop-up menu's "Load Guidance File", "Load Exclusion Zones"
    // and "Load Spray Data"; its handler passes SelectedLayer.
    void PopUp_OpenGuidance_Click(int Block) { agnav().PopUp_OpenGuidance_Click(Block); }
    void PopUp_OpenExclusion_Click(int Block) { agnav().PopUp_OpenExclusion_Click(Block); }
    void PopUp_OpenFlight_Click(int Block) { agnav().PopUp_OpenFlight_Click(Block); }
    // A block's guidance-line or exclusion-zone file with its list row
    // (nothing when already loaded); a failure is shown and returns false.
    bool LoadGuidanceFile(int Block) { return agnav().LoadGuidanceFile(Block); }
    bool LoadExclusionFile(int Block) { return agnav().LoadExclusionFile(Block); }
    // Tools > Convert SHP to Boundary (korvel/agnav/agnav_commands_block_creation.cpp):
    // the one polygon of a GIS layer becomes a block through the job dialog,
    // which writes its file; only a block whose file was written is listed.
    void Tools_Convert_Click() { agnav().Tools_Convert_Click(); }
    // A log may be loaded: it exists and no flight holds it yet (says so).
    bool CheckFlightFileOpen(const QString& Path) { return agnav().CheckFlightFileOpen(Path); }
    // One log under the block with its list row, asking for the calibrated
    // speed of a log without flow data. False when it failed (shown); a
    // Cancel of the question loads nothing and returns true.
    bool LoadFlightFile(int Block, const QString& Path) { return agnav().LoadFlightFile(Block, Path); }
    // The switch between UTM and geographic coordinates for one block: mode
    // 1 from UTM, 2 back.
    void ConvertBlockCoords(int blockIndex, int mode) { agnav().ConvertBlockCoords(blockIndex, mode); }
    // Why that switch would refuse the block (no ellipsoid, points out of
    // the zone's reach); empty when it would convert it.
    QString blockConversionRefusal(int blockIndex, int mode)
    {
        return agnav().blockConversionRefusal(blockIndex, mode);
    }

    // --- Meteorology (korvel/met/, part MetPanel) ---
    // True while the meteorology window, opened from the panel, follows the playback.
    bool MetPlayback = false;

    // --- Guidance lines (korvel/guidance/guidance_work_*.cpp) ---
    // What the layout puts into SwathText: the swath in use while lines are
    // being laid, else the stored default swath in the display unit.
    QString guidanceSwathShown() const { return guidance().guidanceSwathShown(); }

    // --- Commands of other subsystems that these procedures call ---
    // File > Save Session; the shutdown request "KORVEL_Save_Shutdown" runs
    // it before it quits (korvel/prefs/sessions_save.cpp).
    void File_SaveSession_Click() { sessions().File_SaveSession_Click(); }
    // File > Load Session (also Ctrl+O in the floating layer list), refused
    // while files are loaded (korvel/prefs/sessions_load.cpp).
    void File_LoadSession_Click() { sessions().File_LoadSession_Click(); }
    // The preferences dialog on a tab (1 "Graphing" ... 6 "AG-NAV"), shown
    // modally and released (korvel/prefs/sessions_preferences.cpp).
    void ShowPreferences(int StartTab) { sessions().ShowPreferences(StartTab); }
    // The guidance work: the chosen boundary edge and the guidance lines
    // being created, drawn as overlays after the map.
    void RefreshBlockLines(QWidget& OptionsForm) { guidance().RefreshBlockLines(OptionsForm); }
    void FitGuidanceLines() { guidance().FitGuidanceLines(); }
    // The optimization overlay for the record met file MetIndex shows
    // (korvel/met/met_panel_optimization.cpp).
    void Optimize(int& MetIndex) { met().Optimize(MetIndex); }
    // Rebuilds the workspace from a session file into an empty workspace
    // (korvel/prefs/sessions_load.cpp).
    void LoadSession(const QString& Path) { sessions().LoadSession(Path); }
    // The guidance work: ends a guidance-line creation that may be under way
    // (its panel, its Tools menu tick) and sets SelectedBlock to 0.
    void GuidanceCancel_Click() { guidance().GuidanceCancel_Click(); }
    // The meteorology panel's close button: stops the playback, closes the
    // panel and its window, drops the sources (korvel/met/met_panel_loading.cpp).
    void CloseMet_Click() { met().CloseMet_Click(); }
    // The geo-referencing work: its modal window for Images(CurrentImage).
    void ShowGeoReferencing() { georeferencing().ShowGeoReferencing(); }
    // The guidance work: Tools > Digitize AG-NAV > "Guidance Lines" when no
    // creation is under way: choose the block and begin.
    void StartGuidanceCreation() { guidance().StartGuidanceCreation(); }
    // The guidance work: the block pop-up's "Digitize Guidance Lines", which
    // begins the creation in block SelectedLayer.
    void PopUp_DigitizeGuidance_Click() { guidance().PopUp_DigitizeGuidance_Click(); }
    // The guidance work: block Block's guidance-line file read into the
    // block, without its list row (the companion a block loads with it).
    AgnavOutcome readGuidanceFile(int Block) { return guidance().readGuidanceFile(Block); }

    // --- Spray statistics (korvel/statistics/statistics_entry.cpp) ---
    // Tools > Spray Statistics: StatForm shown modally, then released.
    void ShowStatistics() { statistics().ShowStatistics(); }

    // --- StatusProgress: panel 6 of StatusBar1 and ProgressBar1 ---
    void setStatusText(const QString& text) override;
    void showProgress(int maximum) override;
    void setProgress(int value) override;
    void hideProgress() override;

    // Sees every key of the window before its controls (KeyDown(keyCode, shift)).
    KeyPreview* keyPreview() const { return m_keyPreview; }

    // --- Frame state the parts use ---
    QWidget* clientArea() const { return m_client; }
    // A screen exactly 800 pixels wide: smaller type and tighter gaps.
    bool eightHundredScreen() const;
    // The most height the "Loaded Files" list may take: unbounded, unless
    // the layout found the screen too short for the frames below it.
    int layerListRoom() const { return m_layerListRoom; }

signals:
    // The exit routine has unloaded the window: the program ends.
    void unloaded();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MainForm();
    ~MainForm() override;

    // A port the assembly set; a window built without the assembly stops
    // the program here rather than call into nothing.
    template <class Port> static Port& assembled(Port* port)
    {
        if (!port) {
            missingPart();
        }
        return *port;
    }
    [[noreturn]] static void missingPart();

    struct Ports
    {
        MapViewPort* mapView = nullptr;
        LayerListPort* layerList = nullptr;
        AgnavPort* agnav = nullptr;
        GuidancePort* guidance = nullptr;
        StatisticsPort* statistics = nullptr;
        MetPort* met = nullptr;
        SessionsPort* sessions = nullptr;
        GeoreferencingPort* georeferencing = nullptr;
    };
    Ports m_ports;
    std::vector<std::unique_ptr<MainFormPart>> m_parts; // in creation order

    // Builds the controls of the form's design (main_form.cpp and the panel files).
    void createControls();
    void createMapScaleFrame();
    void createToggleColumn();
    void createGuidanceFrame();
    void createMetFrame();
    void createStatusArea();
    void createMenuBar(); // main_form_menu_bar.cpp
    // Wires the frame's menu commands and the key preview.
    void connectFrameCommands();
    void connectKeyboard();
    // The keyboard's Enter and Escape (main_form_keys.cpp).
    void confirmTypedExtent();
    void escapeKey();
    void zoomOrRedrawAfterViewChange();
    // Unloads DigitizeLine's elements above the template.
    void removeDigitizedSegments() { agnav().removeDigitizedSegments(); }

    // Stores with every loaded entry how much its caption is cut at the
    // present layout (the window's resize does it after the layout).
    void refitListCaptions() { layerList().refitListCaptions(); }

    // Map extent (korvel/map/map_view_extent.cpp).
    void placeMapPicture(const QRect& geometry) { mapView().placeMapPicture(geometry); }

    // The initialization (main_form_creation.cpp); raises VbError on failure.
    void Form_Initialize();
    void warnAboutColourDepth();
    void loadEllipsoidTable();
    void setUpStatusBar();
    void showUpdaterItem();
    void connectSessionEnd();

    // Layout helpers (main_form_layout.cpp).
    bool sizeNeedsLayout(int state) const;
    void placeZoomToolbar();
    void placeStatusArea();
    void computeStatusIndent();
    void keepSidePanelApart(); // main_form_panel_layout.cpp
    void minimiseFloatingWindows();
    void reopenFloatingWindows();

    // The unload of the window that ends the program (exit_routine.cpp).
    void unloadForm();
    // Ends the hook and gives up the mailbox's name at once, so a window made
    // after this one can take it (main_window_hook.cpp).
    void closeMailbox();

    // Given private state of the form.
    bool Initializing = false;
    int LastWindowState = vbNormal;
    bool ReopenCheckList = false;
    bool ReopenZoomWindow = false;

    QWidget* m_client = nullptr; // the client area the controls are placed on
    SingleInstance* m_mailbox = nullptr; // the window property and copy-data channel
    KeyPreview* m_keyPreview = nullptr;
    QMetaObject::Connection m_activationHook;
    QMetaObject::Connection m_copyDataHook;
    QSize m_lastLayoutSize; // the outer size the last full layout was made for
    QSize m_lastLayoutClientSize; // and the client area's size then
    int m_snapRequests = 0; // requests in a row for the normal size
    int m_layerListRoom = std::numeric_limits<int>::max(); // see layerListRoom()
    int m_unloadMode = vbFormControlMenu;
    bool m_unloading = false;
    bool m_exiting = false; // the exit routine has started
};

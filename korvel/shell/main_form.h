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
// meteorology frame), main_form_menu_bar.cpp, main_form_status.cpp,
// main_form_creation.cpp (initialization and the toggles),
// main_form_layout.cpp, main_form_panel_layout.cpp, main_window_hook.cpp,
// exit_routine.cpp, main_form_keys.cpp and main_form_frame_commands.cpp (the
// frame's own menu commands); each subsystem's in its own folder
// (main_form_<what>.cpp), the map view's in korvel/map/ and the "Loaded
// Files" list's in korvel/layers/.
#include "korvel/shell/ports.h"
#include "korvel/shell/status_progress.h"
#include "platform/control_array.h"

#include <QMainWindow>
#include <QMetaObject>
#include <QPoint>
#include <QSize>
#include <QStringList>

#include <optional>

#include <initializer_list>
#include <memory>
#include <vector>

class ControlDrag;
struct GISLayer;
class GISShiftPanel;
class KeyPreview;
enum class LayerKind;
class LineControl;
class MainFormPart;
class PictureBox;
struct PointerModes;
class RedrawInputGuard;
struct RedrawItems;
struct ViewEdges;
class SingleInstance;
struct ShapeRecord;
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
    // Line controls over the map (korvel/map/main_form_map_view.cpp); the
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
    // (korvel/layers/main_form_layer_list.cpp).
    void ArrangeLayerList();
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

    // --- Map extent, zoom and toolbar (korvel/map/main_form_extent.cpp) ---
    // Opens the extent boxes for typing, or (while they are open, or when a
    // caller set ExtentEntryMode) applies what they hold and locks them.
    void ApplyMapExtent();
    // Index 0: all ticked GIS layers and blocks; otherwise the GIS layer at
    // list position Index (LayerType 1) or block Index (any other type).
    void ZoomToLayers(int Index, int LayerType);
    void ZoomToImages();
    void Toolbar_ButtonClick(int Index);
    // The same for a press of the zoom window's toolbar, whose own "Custom
    // Zoom" button (3) is the one pressed (CustomZoomValue 1) or released.
    void Toolbar_ButtonClick(int Index, int CustomZoomValue);
    void Text1_Change();
    void Text2_Change();
    void Text3_Change();
    void Text4_Change();
    void Text1_GotFocus();
    void Text2_GotFocus();
    void Text3_GotFocus();
    void Text4_GotFocus();
    void Text1_LostFocus();
    void Text2_LostFocus();
    void Text3_LostFocus();
    void Text4_LostFocus();
    void Tools_Ruler_Click();
    void Tools_Digitize_Click();
    // Empties the map picture of drawing and overlays when nothing is left loaded.
    void ClearMapOverlays();

    // --- The map picture's mouse events and the map tools
    // (korvel/map/main_form_pointer.cpp) ---
    void Picture1_MouseDown(int Button, int Shift, float X, float Y);
    void Picture1_MouseMove(int Button, int Shift, float X, float Y);
    void Picture1_MouseUp(int Button, int Shift, float X, float Y);
    void Picture1_DblClick();
    // The pointer over the window's bare area, off the map and the controls.
    void Form_MouseMove(int Button, int Shift, float X, float Y);

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

    // --- Digitizing (korvel/agnav/boundary_digitizing.cpp,
    // korvel/agnav/exclusion_digitizing.cpp; the clicks in
    // korvel/map/digitizing_tool.cpp) ---
    // Each starts its mode or, while its item is ticked, ends it: the map's
    // right press calls the boundary and exclusion ones to end with the
    // polygon placed. None starts while another mode is on or the GIS shift
    // outline is shown.
    void Tools_DigitizeBoundary_Click();
    void Tools_DigitizeGuidance_Click();
    void Tools_DigitizeExclusion_Click();
    // The block pop-up's "Digitize Exclusion Zone": the zone of block
    // SelectedLayer, whose colour the segments take from the start.
    void PopUp_DigitizeExclusion_Click();
    // Starts exclusion digitizing, or ends it and saves the zone into Block
    // after the question (a block outside 1..BlockCount saves nothing).
    void SaveDigitizedExclusion(int Block);

    // --- GIS shift tool (korvel/map/main_form_gis_shift.cpp) ---
    void Tools_GIS_Shift_Click();
    // Shift button 1 north, 2 east, 3 south, 4 west, by one step.
    void OnGISShiftChange(int Index);
    void OnGISShiftStepXChange();
    void OnGISShiftStepYChange();
    // Back to offset 0, 0.
    void OnGISShiftRedraw();
    void DrawGISShiftPreview();
    bool GISShiftPreviewShown() const;
    // Removes the outline and hides the panel.
    void HideGISShiftPanel();
    // The tool's panel, created on first use.
    GISShiftPanel& gisShiftPanel();

    // --- Redraw (korvel/map/main_form_redraw.cpp) ---
    void Graph(bool FullRedraw);
    // True when an item drawn at the last redraw is no longer ticked.
    bool CountVisibleLayers();
    void GraphButton_Click();
    void DrawSHPData(int& Start);

    // --- Loading GIS layers and images (korvel/map/main_form_gis_opening.cpp,
    // korvel/map/main_form_image_loading.cpp) ---
    void File_OpenGIS_Click();
    bool CheckGISFile(const QString& Path);
    void OpenGISLayer(const QString& Path);
    void File_OpenBMP_Click();
    bool CheckImageFile(const QString& Path);
    // Raises VbError when the image cannot be loaded; the record is removed.
    void LoadImageLayer(const QString& Path);

    // --- The "Loaded Files" list (korvel/layers/) ---
    // The rows the loaders add, after they appended the record and raised
    // its counts (list_entries.cpp). A row that exists already is only
    // refreshed, so a caller announcing a sub-item twice does no harm.
    void AddImageListEntry();
    void AddGISListEntry();
    // The row of the newest block, Blocks(BlockCount).
    void AddBlockListEntry();
    // The sub-row of the block's newest flight log, its last sub-row.
    void AddFlightListEntry(int Block);
    // The block's guidance sub-row, inserted as the block's first sub-row and ticked.
    void AddGuidanceListEntry(int Block);
    // The block's exclusion-zones sub-row ("Exclusion Zone" or "Exclusion Zones").
    void AddExclusionListEntry(int Block);
    // Places, captions and shows every row from the data (main_form_list_rebuild.cpp).
    void RefreshChecklist();
    void ChecklistScroll_Change();
    void ChecklistScroll_Scroll();
    // 0 when the caption fits the list whole, else how many characters to cut
    // from its middle (main_form_layer_list.cpp).
    int FitListCaption(const QString& Caption, bool SubEntry);
    // Ticks (main_form_row_interaction.cpp).
    void ImageCheck_Click(int Index);
    void GISCheck_Click(int Index);
    void AGCheck_Click(int Index);
    void Check3_Click(int Index);
    // Presses on row labels: Ctrl + right deletes, right opens the pop-up menu.
    void ImageCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void GISCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y);
    void AGCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y);
    // Ctrl + right on a block's sub-row unloads that item (main_form_sub_row_removal.cpp).
    void CheckLabel3_MouseDown(int Index, int Button, int Shift, float X, float Y);
    // Reordering image and GIS rows by dragging one label onto another.
    void ImageCheckLabel_DragOver(int Index, QWidget* Source, float X, float Y, int State);
    void GISCheckLabel_DragOver(int Index, QWidget* Source, float X, float Y, int State);
    void ImageCheckLabel_DragDrop(int Index, QWidget* Source, float X, float Y);
    void GISCheckLabel_DragDrop(int Index, QWidget* Source, float X, float Y);
    void Picture1_DragOver(QWidget* Source, float X, float Y, int State);
    void Frame2_DragOver(QWidget* Source, float X, float Y, int State);
    // Removal of a whole item (main_form_layer_deletion.cpp). DeleteAGNAV
    // refuses, with its message, while guidance lines are created or an
    // exclusion zone is digitized in that block, and returns whether it deleted.
    void DeleteImage(int Index);
    void DeleteSHP(int Index);
    bool DeleteAGNAV(int Index);
    // Colour boxes (main_form_colour_boxes.cpp).
    void GISColorBox_DblClick(int Index);
    void AGColorBox_DblClick(int Index);
    void PickGISLayerColour(int Index);
    void PickAGNAVColour(int Index);
    // The ellipsoid and coordinate-mode panels of the status bar
    // (main_form_coordinate_mode.cpp).
    void StatusBar1_MouseUp(int Button, int Shift, float X, float Y);
    void PopUp_EllipsoidList_Click(int Index);
    void StatusBar1_PanelClick(int Panel);
    // File > Close All Files, and the File menu's enabling (main_form_close_all.cpp).
    void File_CloseAll_Click();
    void File_Menu_Click();
    // The rows' pop-up menus (korvel/layers/main_form_popup_commands.cpp):
    // every item acts on SelectedLayer. The SHP and AG-NAV menus prepare
    // their ticks and zone captions as they open.
    void PopUpMenu_SHP_Click();
    void PopUpMenu_AGNAV_Click();
    void PopUp_SHPThickNum_Click(int Index);
    void PopUp_AGNAVThickNum_Click(int Index);
    // Index 1, 2, 4 or 5: the layer is taken as lying in the zone of the
    // item's caption and re-projected into the map's zone (UTM mode only).
    void PopUp_SHPZoneNum_Click(int Index);
    void PopUp_SHPBuffer_Click();
    void PopUp_SHPColor_Click();
    void PopUp_AGNAVColor_Click();
    void PopUp_SHPZoom_Click();
    void PopUp_AGNAVZoom_Click();
    void PopUp_ImageDel_Click();
    void PopUp_SHPDel_Click();
    void PopUp_AGNAVDel_Click();
    void PopUp_ImageProps_Click();
    void PopUp_SHPProps_Click();
    void PopUp_AGNAVProps_Click();
    void PopUp_Georef_Click();
    void PopUp_DigitizeGuidance_Click();
    // A double click on a block's label loads its guidance lines when their
    // file exists and they are not loaded yet.
    void AGCheckLabel_DblClick(int Index);
    // The GIS layer shown at list position `position`, or nullptr.
    GISLayer* layerAtPosition(int position);
    // Files dropped from the desktop shell (main_form_dropped_files.cpp).
    void Frame1_OLEDragDrop(const QStringList& Files);
    void Picture1_OLEDragDrop(const QStringList& Files);

    // --- AG-NAV blocks and spray data (korvel/agnav/agnav_commands.cpp,
    // agnav_sub_item_commands.cpp, flight_commands.cpp;
    // korvel/map/main_form_agnav_drawing.cpp) ---
    // Guidance lines, exclusion zones, spray tracks and boundaries of every
    // block, the top group of the map.
    void DrawAGNAVBlock(int& FirstBlock);
    // File > Load AG-NAV > "Block Boundary": checks and loads each chosen
    // file, fits an empty map to them and redraws.
    void File_OpenAGNAV_Click();
    // The check before a block boundary file is loaded (the File menu, a
    // dropped file, the command line, a session): it exists and no block
    // holds it yet. Says why not.
    bool CheckAGNAVFile(const QString& Path);
    // A block from its boundary file with its list row, and outside a
    // session its guidance-line and exclusion-zone files when the AutoLoad
    // settings say so. A failure, the block's or a companion's, takes the
    // block back, shows the reason and offers to open the file; returns
    // whether the block was loaded.
    bool LoadAGNAVBlock(const QString& Path);
    // File > Load AG-NAV > "Guidance File", "Exclusion Zones", "Spray Data":
    // each asks for the block with SelectionForm when more than one fits.
    void File_OpenGuidance_Click();
    void File_OpenExclusion_Click();
    void File_OpenFlight_Click();
    // The block pop-up menu's "Load Guidance File", "Load Exclusion Zones"
    // and "Load Spray Data"; its handler passes SelectedLayer.
    void PopUp_OpenGuidance_Click(int Block);
    void PopUp_OpenExclusion_Click(int Block);
    void PopUp_OpenFlight_Click(int Block);
    // A block's guidance-line or exclusion-zone file with its list row
    // (nothing when already loaded); a failure is shown and returns false.
    bool LoadGuidanceFile(int Block);
    bool LoadExclusionFile(int Block);
    // The spray-data dialog for a block, then each chosen log checked and
    // loaded under it; redraws.
    void OpenFlightFiles(int Block);
    // New blocks (korvel/agnav/main_form_block_creation.cpp): a digitized
    // boundary (vertices 1..n, n >= 3, in map coordinates) the user wants
    // saved, and Tools > Convert SHP to Boundary. Each asks for the boundary
    // file's name and shows the job dialog, which writes the file; only a
    // block whose file was written is listed.
    void SaveDigitizedBoundary(const ShapeRecord& Vertices);
    void Tools_Convert_Click();
    // A log may be loaded: it exists and no flight holds it yet (says so).
    bool CheckFlightFileOpen(const QString& Path);
    // One log under the block with its list row, asking for the calibrated
    // speed of a log without flow data. False when it failed (shown); a
    // Cancel of the question loads nothing and returns true.
    bool LoadFlightFile(int Block, const QString& Path);

    // --- Meteorology (korvel/met/, part MetPanel) ---
    // True while the meteorology window, opened from the panel, follows the playback.
    bool MetPlayback = false;

    // --- Guidance lines (korvel/guidance/main_form_guidance_*.cpp) ---
    // The docked panel's procedures; the floating GuidanceForm has the same
    // and both follow korvel/guidance/guidance_panel.h. A KeyDown handler
    // sets KeyCode to 0 for a key the box must not see as typing.
    void GuidanceOption_Click(int Index);
    void VScroll1_Change();
    void VScroll2_Change();
    void OffsetOption_Click(int Index);
    void GuidanceText_GotFocus();
    void GuidanceText_LostFocus();
    void GuidanceText_KeyDown(int& KeyCode, int Shift);
    void SwathText_GotFocus();
    void SwathText_LostFocus();
    void SwathText_KeyDown(int& KeyCode, int Shift);
    // Saves the preview into block SelectedBlock and its files, then ends
    // the work; a failure says why and leaves the work open.
    void GuidanceSave_Click();
    // The window whose guidance controls are in use: GuidanceForm in Map
    // Mode (created when needed), else this window.
    QWidget& guidancePanelWindow();
    // What the layout puts into SwathText: the swath in use while lines are
    // being laid, else the stored default swath in the display unit.
    QString guidanceSwathShown() const;

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
    void RefreshBlockLines(QWidget& OptionsForm);
    void FitGuidanceLines();
    // The optimization overlay for the record met file MetIndex shows
    // (korvel/met/met_panel_optimization.cpp).
    void Optimize(int& MetIndex) { met().Optimize(MetIndex); }
    // Rebuilds the workspace from a session file into an empty workspace
    // (korvel/prefs/sessions_load.cpp).
    void LoadSession(const QString& Path) { sessions().LoadSession(Path); }
    // The guidance work: ends a guidance-line creation that may be under way
    // (its panel, its Tools menu tick) and sets SelectedBlock to 0.
    void GuidanceCancel_Click();
    // The meteorology panel's close button: stops the playback, closes the
    // panel and its window, drops the sources (korvel/met/met_panel_loading.cpp).
    void CloseMet_Click() { met().CloseMet_Click(); }
    // The geo-referencing work: its modal window for Images(CurrentImage).
    void ShowGeoReferencing() { georeferencing().ShowGeoReferencing(); }
    // The guidance work: Tools > Digitize AG-NAV > "Guidance Lines" when no
    // creation is under way: choose the block and begin.
    void StartGuidanceCreation();
    // The guidance work: begins guidance-line creation in Block, chosen
    // already (from its pop-up menu).
    void BeginGuidanceCreation(int Block);

    // --- Spray statistics (korvel/statistics/statistics_entry_show.cpp) ---
    // Tools > Spray Statistics: StatForm shown modally, then released.
    void ShowStatistics() { statistics().ShowStatistics(); }

    // --- StatusProgress: panel 6 of StatusBar1 and ProgressBar1 ---
    void setStatusText(const QString& text) override;
    void showProgress(int maximum) override;
    void setProgress(int value) override;
    void hideProgress() override;

    // Sees every key of the window before its controls (KeyDown(keyCode, shift)).
    KeyPreview* keyPreview() const { return m_keyPreview; }

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
    template <class Port>
    static Port& assembled(Port* port)
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
    void createGuidanceFrame(); // korvel/guidance/main_form_guidance_panel.cpp
    void createMetFrame();
    void createStatusArea();
    void createMenuBar(); // main_form_menu_bar.cpp
    // The map view's overlays and wiring (korvel/map/main_form_map_view.cpp).
    void createMapView();
    // Wires the frame's menu commands, the digitizing items, the GIS shift
    // item and the key preview.
    void connectFrameCommands();
    void connectDigitizingCommands();
    void connectGisShift();
    void connectKeyboard();
    // The keyboard's Enter and Escape (main_form_keys.cpp).
    void confirmTypedExtent();
    void escapeKey();
    void zoomOrRedrawAfterViewChange();
    // Says why digitizing cannot start while the shift outline is shown.
    bool shiftPreviewRefusesDigitizing();
    // Unloads DigitizeLine's elements above the template.
    void removeDigitizedSegments();
    void saveDigitizedZone(int Block, const ShapeRecord& vertices);
    // The guidance panel's wiring, and the block's guidance row given back
    // after the pop-up's start disabled it (korvel/guidance/).
    void connectGuidancePanel();
    void restoreGuidanceRow(int Block);
    // Wires the "Load AG-NAV" menu items (korvel/agnav/agnav_commands.cpp).
    void connectAgnavCommands();
    // The list rows of a block just loaded: its own, its guidance and exclusion rows.
    void addBlockRows(int Block);
    // The status bar and ellipsoid list after the first block set up the map.
    void showMapSetUpByBlock();
    // The question of the calibrated speed of a log without flow data; nothing on Cancel.
    std::optional<int> askCalibratedSpeed();
    void createMapOverlays();
    void connectMapView();
    void createLayerListTemplates();
    // The map picture's mouse events (korvel/map/main_form_pointer.cpp).
    void connectPointerEvents();
    PointerModes pointerModes() const;

    // The "Loaded Files" list's own helpers (korvel/layers/).
    void createLayerListFrameControls();
    void connectLayerList();
    // Stores with every loaded entry how much its caption is cut at the
    // present layout (the window's resize does it after the layout).
    void refitListCaptions();
    // The rebuild's groups; each returns the Top of its last row.
    int placeImageRows(int rowHeight, int scroll);
    int placeGISRows(int rowHeight, int lastImageTop);
    void placeSeparator(int lastGISTop);
    void placeBlockRows(int rowHeight, int templateTop);
    // A row whose Top lies here is inside the panel's window and shown.
    bool insidePanelWindow(int top) const;
    // Makes the sub-row the counts have and the rows lack, at `position`.
    void insertSubRow(int position);
    // Unloads sub-row elements last, last - 1, ... (count of them).
    void removeSubRowControls(int last, int count);
    void endDigitizingTools();
    void rereadFolderSettings();
    // Highlights the label, selects the layer and shows the pop-up menu of its kind.
    void openRowPopUp(QLabel& label, int Index, LayerKind kind);
    void dispatchDragOver(QWidget* target, QWidget* source, QPoint position, int state);
    void dispatchDragDrop(QWidget* target, QWidget* source, QPoint position);
    void openDroppedFiles(const QStringList& files);
    // The rows' pop-up menus and their items' wiring (korvel/layers/layer_popup_menus.cpp).
    void createLayerPopUpMenus();
    // Repaints the list panel at once, and the floating list's while it is shown.
    void repaintLayerLists();
    // The properties dialog of the selected layer of a kind (1 image, 2 GIS
    // layer, 3 block), shown modally and released.
    void showLayerProperties(int kind);
    void zoomAfterModeSwitch(const ViewEdges& oldView, int direction);

    // Map extent helpers (korvel/map/main_form_extent.cpp).
    void setExtentBoxesOpen(bool open);
    void validateExtentBox(int box);
    void writeExtentBoxes(double west, double south, double east, double north);
    double mapEdge(int box) const;
    // The four boxes as numbers; a box that holds none stands for the map's edge.
    ViewEdges boxedExtent() const;
    // Gives the map picture a new place and size (the view modes and the
    // layout); the map keeps its units per pixel and its west and north edges.
    void placeMapPicture(const QRect& geometry);
    // Locked boxes show the picture's edges (plain number text).
    void showPictureEdgesInBoxes();

    // Redraw helpers (korvel/map/main_form_redraw.cpp).
    void hideRedrawOverlays();
    RedrawItems redrawItems() const;
    void recordDrawnState();
    void drawImageLayers(int first);
    void drawGuidanceOverlays();

    // The initialization (main_form_creation.cpp); raises VbError on failure.
    void Form_Initialize();
    void warnAboutColourDepth();
    void loadEllipsoidTable();
    void setUpStatusBar();
    void showUpdaterItem();
    void connectSessionEnd();

    // Layout helpers (main_form_layout.cpp).
    bool onEightHundredScreen() const;
    bool sizeNeedsLayout(int state) const;
    void placeZoomToolbar();
    void placeStatusArea();
    void computeStatusIndent();
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
    QSize m_lastMapClientSize; // the map picture's client area the last time it had one
    int m_unloadMode = vbFormControlMenu;
    bool m_unloading = false;
    bool m_exiting = false; // the exit routine has started
    bool m_redrawing = false; // Graph is drawing
    bool m_redrawAgain = false; // Graph was asked for while drawing
    bool m_redrawAgainFull = false;
    RedrawInputGuard* m_inputGuard = nullptr; // while Graph draws
    ControlDrag* m_rowDrag = nullptr; // reordering of image and GIS rows
    GISShiftPanel* m_gisShiftPanel = nullptr;
    bool m_gisShiftOpen = false; // the shift outline is shown
};

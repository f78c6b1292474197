#pragma once
// "KORVEL Preferences": the modal dialog in which the user edits every
// program-wide setting, on six tabs:
//
//   1 "Graphing"       drawing speeds, immediate graph, boom-off data, colour
//                      coding, polygon fill, guidance above or below the
//                      spray data, the map pointer colour, the units
//   2 "File Locations" the start folders of the file dialogs and which
//                      companion files of a block load with it
//   3 "Optimization"   the optimization module, the overlay line's colour and width
//   4 "UTM Ellipsoid"  the map's zone (on a world map) and hemisphere, the
//                      reference ellipsoid
//   5 "Buffer Zones"   the buffer width and colour
//   6 "AG-NAV"         the defaults of new AG-NAV block files
//
//     PrefForm& prefs = PrefForm::instance();
//     prefs.StartTab = 1;
//     ShowModal(prefs);
//     PrefForm::release();
//
// The fields are filled once per opening. A field is checked when it loses
// the focus; a refused value keeps its text and takes the focus back. Accept
// (Enter) reads the chosen optimization module, copies every field into the
// program's values, stores them in the settings at once and closes; it never
// redraws the map. Cancel, Escape and the close box change nothing, except a
// user ellipsoid saved on the AG-NAV tab, which is kept in its file at once.
// The floating tool windows stay behind the main window while it is open.
#include "korvel/agnav/agnav_ellipsoid_list.h"
#include "korvel/agnav/agnav_field_checks.h"
#include "korvel/agnav/agnav_job_control_set.h"
#include "korvel/agnav/serial_formats.h"
#include "platform/control_array.h"

#include <QDialog>
#include <vector>

class KeyPreview;
class LineControl;
class PictureBox;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSlider;
class QTabBar;

class PrefForm final : public QDialog, public AgnavJobControlSet
{
    Q_OBJECT
public:
    // The dialog, created on first use; it loads when it is first shown.
    static PrefForm& instance();
    static PrefForm* existing();
    // Unloads it (once) and destroys it; the next use starts fresh.
    static void release();

    // The tab shown (1 to 6): set by the opener, then kept by the tab strip and the keys.
    int StartTab = 1;

    QTabBar* TabStrip1 = nullptr;
    ControlArray<QGroupBox> Frame1 { "Frame1" }; // 1..6, one per tab
    QPushButton* AcceptButton = nullptr;
    QPushButton* CancelButton = nullptr;

    // --- 1 "Graphing" ---
    ControlArray<QRadioButton> GISspeed { "GISspeed" }; // 1 "Layer-by-Layer", 2 "Line-by-Line"
    ControlArray<QRadioButton> AGNAVspeed { "AGNAVspeed" }; // 1 "Flight-by-Flight", 2 "Positional"
    QSlider* AGNAVslider = nullptr; // 1..4, samples skipped in the positional drawing
    QLabel* Label4 = nullptr; // "Speed"
    QCheckBox* ImmediateCheck = nullptr;
    QCheckBox* Check1 = nullptr; // boom-off data
    QCheckBox* Check2 = nullptr; // colour coding of the spray rate
    QCheckBox* Check3 = nullptr; // fill polygons
    QRadioButton* Option1 = nullptr; // guidance data "below" the spray data
    QRadioButton* Option2 = nullptr; // "above"
    PictureBox* Picture1 = nullptr; // the pointer colour's crosshair
    QLabel* Label10 = nullptr; // "Pointer Colour:"
    ControlArray<QRadioButton> CoordSystemOption { "CoordSystemOption" }; // 1 "U.S.", 2 "Metric"
    QLabel* Label5 = nullptr; // the screen resolution

    // --- 2 "File Locations" ---
    // 1 sessions, 2 images, 3 GIS files, 4 AG-NAV files, 5 meteorology files.
    ControlArray<QLineEdit> Text1 { "Text1" };
    QPushButton* DirButton = nullptr; // "..", beside the folder box being edited
    ControlArray<QCheckBox> AutoLoad { "AutoLoad" }; // 1 "Guidance", 2 "Exclusion Zones"

    // --- 3 "Optimization" ---
    QListWidget* List1 = nullptr; // the modules in the program's "optimization" folder
    QGroupBox* FileInfoFrame = nullptr;
    QLabel* ProductLabel = nullptr;
    QLabel* ACLabel = nullptr;
    QLabel* HeightLabel = nullptr;
    QLabel* NozzleLabel = nullptr;
    PictureBox* OptColourBox = nullptr; // its BackColor is the line colour
    QSlider* Slider1 = nullptr; // the line width, 1..3 pixels
    PictureBox* SampleBox = nullptr;

    // --- 4 "UTM Ellipsoid" ---
    QGroupBox* ZoneFrame = nullptr;
    PictureBox* Picture2 = nullptr; // the world map, scaled 1..61 across
    LineControl* Line1 = nullptr; // the chosen zone's west edge
    LineControl* Line2 = nullptr; // and east edge
    QScrollBar* HScroll1 = nullptr; // zones 1..60
    QLabel* ZoneLabel = nullptr;
    ControlArray<QRadioButton> NSOption { "NSOption" }; // 1 "North", 2 "South"
    QGroupBox* EllipsoidFrame = nullptr;
    QListWidget* EllipsoidListbox = nullptr;
    QLabel* AxisLabel = nullptr;
    QLabel* EccentricityLabel = nullptr;

    // --- 5 "Buffer Zones" ---
    QLineEdit* BufferWidthText = nullptr;
    QLabel* BufferUnitsLabel = nullptr;
    PictureBox* BufferColourBox = nullptr;

    // Dialog variables, fresh with every opening.
    int GISGraphChoice = 0;
    int AGNAVGraphChoice = 0;
    int DirIndex = 0; // the folder box that had the focus last
    int PointerChoice = 0; // palette number: 0 black, 12 light red, 14 yellow
    std::vector<AGNAVEllipsoid> AGNAVEllipsoids; // rows 0..23 built in, then the user's
    std::vector<SerialFormat> SerialFormats; // rows 1..12
    bool Loaded = false;
    bool AxisConfirmed = false; // the axis shown may stay outside its normal range
    bool FlatteningConfirmed = false;

    // --- The dialog (pref_form.cpp, pref_form_filling.cpp, pref_form_accept.cpp) ---
    void Form_Load();
    void Form_Activate();
    void Form_KeyDown(int KeyCode, int Shift);
    void Form_Unload();
    void TabStrip1_Click();
    void AcceptButton_Click();
    void CancelButton_Click();
    void SaveSettings();

    // --- Graphing, optimization line, buffer zones (pref_form_graphing.cpp) ---
    void CoordSystemOption_Click(int Index);
    void GISspeed_Click(int Index);
    void AGNAVspeed_Click(int Index);
    void AGNAVslider_MouseDown(float X);
    void Picture1_Click();
    void Slider1_MouseDown(float X);
    void OptColourBox_DblClick();
    void BufferColourBox_DblClick();
    void DrawOptSample();
    // The buffer width check; false when it refused the text.
    bool BufferWidthText_LostFocus();

    // --- File locations and the module list (pref_form_folders.cpp) ---
    void Text1_GotFocus(int Index);
    void Text1_LostFocus(int Index);
    void DirButton_Click();
    void List1_Click();

    // --- Zone and ellipsoid (pref_form_zone.cpp) ---
    void HScroll1_Change();
    void Picture2_MouseDown(int Button, int Shift, float X, float Y);
    void EllipsoidListbox_Click();

    // --- AG-NAV defaults (pref_form_agnav.cpp) ---
    void EllipsoidCombo_Click();
    void AxisText_Change();
    void EccentricityText_Change();
    void EllipsoidSave_Click();
    void UnitsOption_Click(int Index);
    // A field box was left: its check.
    void FieldBox_LostFocus(AgnavField Field);

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit PrefForm(QWidget* parent);
    ~PrefForm() override;

    // The controls of the design, tab by tab (pref_form_design.cpp,
    // pref_form_agnav_design.cpp).
    void createControls();
    void createGraphingTab(QGroupBox& frame);
    void createFoldersTab(QGroupBox& frame);
    void createOptimizationTab(QGroupBox& frame);
    void createZoneTab(QGroupBox& frame);
    void createBufferTab(QGroupBox& frame);
    // The AG-NAV tab: the job dialog's controls, of the same names.
    void createAgnavTab(QGroupBox& frame);
    void connectControls();
    void connectAgnavControls();
    // A press or left drag on one of the sliders; true when it took the event.
    bool sliderMouse(QSlider& slider, QEvent& event);

    // Filling steps (pref_form_filling.cpp).
    void fillModuleList();
    void fillEllipsoidList();
    void placeZoneMap();
    void fillAgnavTab();
    void drawPointerSample();
    // Shows tab `tab` alone.
    void showTab(int tab);
    // Applies and stores what the dialog shows (pref_form_accept.cpp).
    void applyGraphing();
    void applyFolders();
    void saveFolders();
    void applyZoneAndEllipsoid();

    KeyPreview* m_keyPreview = nullptr;
    QLabel* m_zoneCaption = nullptr; // "Zone:" beside ZoneLabel
    bool m_checkingBuffer = false; // the buffer width's refusal is up
    bool m_loaded = false;
    bool m_activated = false;
    bool m_unloaded = false;
};

#pragma once
// The floating guidance window "Digitize AG-NAV Guidance": the guidance
// panel's controls, under the same names, in a small tool window that takes
// the docked frame's place while the main window is in Map Mode. Its
// procedures follow the docked panel's rules (guidance_panel.h) on its own
// controls; the lines, the edge mark and SelectedBlock are the main window's,
// and Save and Cancel are the guidance work's own (guidance_work.h).
//
// Each instance starts over the top left of the map in heading mode with
// "Half-Swath", the stored default heading ("AGNAVDefault", "LineDirection")
// and swath ("AGNAVDefault", "SwathWidth", in the display unit); it does not
// take over what the docked panel showed. Cluttered Mode and Cancel in Map
// Mode unload it; the next use makes a fresh one.
#include "korvel/guidance/guidance_panel.h"
#include "platform/control_array.h"

#include <QWidget>

class FloatingToolWindow;
class MainForm;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;

class GuidanceForm final : public QWidget
{
    Q_OBJECT
public:
    // The window, created on first use; its start (Form_Initialize) runs then.
    static GuidanceForm& instance();
    // The window while it exists; never creates it.
    static GuidanceForm* existing();
    // Hides the window and releases it; nothing while none exists.
    static void unload();

    ~GuidanceForm() override;

    ControlArray<QRadioButton> GuidanceOption { "GuidanceOption" }; // 1 "Flight Heading", 2 "Parallel to Edge"
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

    void Form_Initialize();
    void GuidanceOption_Click(int Index);
    void VScroll1_Change();
    void VScroll2_Change();
    // An offset chosen here lays the lines again at once, as in the docked panel.
    void OffsetOption_Click(int Index);
    void GuidanceText_GotFocus();
    void GuidanceText_LostFocus();
    void GuidanceText_KeyDown(int& KeyCode, int Shift);
    void SwathText_GotFocus();
    void SwathText_LostFocus();
    void SwathText_KeyDown(int& KeyCode, int Shift);
    void GuidanceSave_Click();
    void GuidanceCancel_Click();

private:
    explicit GuidanceForm(MainForm& main);
    void createControls();
    GuidancePanel panel();
    // False once the window is being unloaded: its controls' last events
    // (the focus leaving a box) must not reach the main window, which would
    // make a new window for them.
    bool live() const { return !m_unloaded; }

    MainForm& m_main;
    bool m_unloaded = false;
};

// The guidance window as the main window's Map Mode and the floating
// windows' stacking see it; the program registers it for FloatingTool::Guidance.
FloatingToolWindow& guidanceFormTool();

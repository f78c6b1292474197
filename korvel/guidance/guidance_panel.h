#pragma once
// The guidance panel's controls and their rules, for either window that
// carries them: the main window's docked frame (Cluttered Mode) and the
// floating GuidanceForm (Map Mode) hold the same controls under the same
// names, so one set of routines, given the window, serves both. The
// windows' event procedures are thin calls into these.
//
// The spins are the runtime's vertical scroll bars turned upside down: the
// upper arrow raises the value. Their "bottom end" is the smaller value, the
// "top end" the larger; every change of a value, by the user or by these
// routines, runs the spin's change procedure.
#include "korvel/guidance/guidance_preview.h"

#include <QLineEdit>
#include <QObject>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <functional>

class MainForm;
class PictureBox;
class QLabel;
class QWidget;

struct GuidancePanel
{
    QWidget* window = nullptr;
    QRadioButton* headingOption = nullptr; // GuidanceOption(1) "Flight Heading"
    QRadioButton* edgeOption = nullptr; // GuidanceOption(2) "Parallel to Edge"
    QLineEdit* GuidanceText = nullptr; // heading in degrees or edge number
    QScrollBar* VScroll1 = nullptr;
    QLabel* DegreeLabel = nullptr;
    QLineEdit* SwathText = nullptr; // swath in the display unit
    QScrollBar* VScroll2 = nullptr;
    QLabel* SwathLabelm = nullptr; // "m" or "ft"
    QRadioButton* noOffset = nullptr; // OffsetOption(0) "None"
    QRadioButton* halfSwath = nullptr; // OffsetOption(1) "Half-Swath"

    // The controls of a window, found by name; missing ones stay nullptr.
    static GuidancePanel of(QWidget& window);
    bool complete() const;
    bool edgeMode() const;
    // What the computation and the save read: the texts as they stand.
    GuidancePanelValues values() const;
};

// A spin's range, the bottom end its smallest value; the value is pulled
// into it (running the change procedure when it moves).
void setSpinRange(QScrollBar& spin, int bottom, int top);

// Gives the spins of a fresh panel their design: VScroll1 0..359 at 0,
// VScroll2 1..5000 at 25, steps of 1 and 10. Built by newSpin, their upper
// arrow already raises the value.
void setUpGuidanceSpins(const GuidancePanel& panel);

// --- The panel's procedures on a window ---
// "Flight Heading" (1) or "Parallel to Edge" (2) chosen: keeps the value of
// the mode left in GuidanceHeading or GuidanceEdge, gives the spin the
// range and value of the mode entered, marks the edge (edge mode) and lays
// the lines again.
void switchGuidanceMode(MainForm& main, const GuidancePanel& panel, int index);
// VScroll1 moved: the text shows it, the lines are laid again, and in edge
// mode the edge is marked.
void headingSpinChanged(MainForm& main, const GuidancePanel& panel);
// VScroll2 moved: the text shows it and the lines are laid again.
void swathSpinChanged(MainForm& main, const GuidancePanel& panel);
// The heading or edge box left: a whole number within the spin's range
// goes to the spin; anything else puts the spin's value back in the box.
void leaveGuidanceText(const GuidancePanel& panel);
// The swath box left: a swath of 1 to 5000 goes to the spin, rounded;
// anything else gives the spin the stored default swath in the display unit.
void leaveSwathText(const GuidancePanel& panel);
// A key in the heading or edge box: the stepping keys step and wrap the
// spin, Enter takes a typed value within range. Returns true for the keys
// the box must not see as typing (the steps).
bool guidanceTextKey(const GuidancePanel& panel, int keyCode);
// A key in the swath box: the steps, without wrapping; Enter as above.
bool swathTextKey(const GuidancePanel& panel, int keyCode);
// The unit label after the display unit: "m" or "ft".
void showSwathUnit(const GuidancePanel& panel);
// A value of the settings section "AGNAVDefault", or the fallback when it
// is not stored or the settings cannot be read.
QString storedAgnavDefault(const char* name, const char* fallback);
// The stored default swath ("AGNAVDefault", "SwathWidth", 30 m when none)
// in the display unit.
int defaultSwathShown();

// The map's system as the guidance computation needs it: UTMMode, the map's
// zone and ellipsoid, and the right-hand edge of the map picture's view.
GuidanceMapFrame currentMapFrame(const PictureBox& map);

// The runtime's GotFocus, LostFocus and KeyDown of a text box. Focus that
// only follows the window's activation is not reported, as the runtime's
// events are not; a KeyDown handler that sets KeyCode to 0 keeps the key
// from the box. The watch belongs to `owner`, whose procedures the handlers
// call, and ends with it.
class TextBoxEvents final : public QObject
{
public:
    TextBoxEvents(QLineEdit& box, QObject& owner, std::function<void()> gotFocus,
        std::function<void()> lostFocus, std::function<void(int& keyCode, int shift)> keyDown);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<void()> m_gotFocus;
    std::function<void()> m_lostFocus;
    std::function<void(int&, int)> m_keyDown;
};

// Selects the whole text, so that typing replaces it.
void selectWholeText(QLineEdit& box);

// Wires the guidance controls of a window to the procedures of the same
// names: the main window's controls to its guidance work, GuidanceForm's to
// its own. Choosing an option button, by the user or by the code, runs its
// Click; a spin's change its Change. The connections end with `handlers`.
template <class Controls, class Handlers> void connectGuidanceControls(Controls& controls, Handlers& handlers)
{
    for (int index = 1; index <= 2; ++index) {
        QObject::connect(
            &controls.GuidanceOption[index], &QRadioButton::toggled, &handlers, [&handlers, index](bool on) {
                if (on) {
                    handlers.GuidanceOption_Click(index);
                }
            });
    }
    for (int index = 0; index <= 1; ++index) {
        QObject::connect(
            &controls.OffsetOption[index], &QRadioButton::toggled, &handlers, [&handlers, index](bool on) {
                if (on) {
                    handlers.OffsetOption_Click(index);
                }
            });
    }
    QObject::connect(
        controls.VScroll1, &QScrollBar::valueChanged, &handlers, [&handlers] { handlers.VScroll1_Change(); });
    QObject::connect(
        controls.VScroll2, &QScrollBar::valueChanged, &handlers, [&handlers] { handlers.VScroll2_Change(); });
    new TextBoxEvents(
        *controls.GuidanceText, handlers, [&handlers] { handlers.GuidanceText_GotFocus(); },
        [&handlers] { handlers.GuidanceText_LostFocus(); },
        [&handlers](int& keyCode, int shift) { handlers.GuidanceText_KeyDown(keyCode, shift); });
    new TextBoxEvents(
        *controls.SwathText, handlers, [&handlers] { handlers.SwathText_GotFocus(); },
        [&handlers] { handlers.SwathText_LostFocus(); },
        [&handlers](int& keyCode, int shift) { handlers.SwathText_KeyDown(keyCode, shift); });
    QObject::connect(controls.GuidanceSave, &QPushButton::clicked, &handlers,
        [&handlers] { handlers.GuidanceSave_Click(); });
    QObject::connect(controls.GuidanceCancel, &QPushButton::clicked, &handlers,
        [&handlers] { handlers.GuidanceCancel_Click(); });
}

#pragma once
// The floating tool windows: the layer list, the zoom window and the
// guidance window float over the main window and stay on top of it while the
// program is active. RestoreFloatingWindows puts the shown ones on top again;
// ReleaseFloatingWindows puts them directly behind the main window, which it
// leaves where it is, so that a modal dialog or another program is never
// covered by them.
//
// The windows themselves belong to their subsystems. Each makes itself known
// here through a FloatingToolWindow, which the main window's toggles (Check1)
// and exit routine and these procedures use; while a subsystem has none, its
// toggle only changes its own state.
class QPoint;
class QWidget;

enum class FloatingTool { CheckList, Zoom, Guidance };

class FloatingToolWindow
{
public:
    virtual ~FloatingToolWindow() = default;
    // Shows the window modeless, creating it on first use (it then places
    // itself where it was last).
    virtual void show() = 0;
    // Unloads the window (it stores its position) and releases it.
    virtual void unload() = 0;
    // The window while it exists, else nullptr.
    virtual QWidget* window() const = 0;
    // Brings the window's copy of the main window's state up to date (the
    // zoom window's extent boxes and buttons after the map's extent changed).
    virtual void refreshForm() { }
};

// The FloatingToolWindow of a form that exists at most once: Form has the
// static instance() (creates it), existing() and unload(), and Refresh
// brings its copy of the main window's state up to date.
template <class Form, void (Form::*Refresh)()> class FloatingFormTool final : public FloatingToolWindow
{
public:
    void show() override { Form::instance().show(); }
    void unload() override { Form::unload(); }
    QWidget* window() const override { return Form::existing(); }
    void refreshForm() override
    {
        if (Form* form = Form::existing()) {
            (form->*Refresh)();
        }
    }
};

// The window of a tool, or nullptr while its subsystem provides none.
FloatingToolWindow* floatingToolWindow(FloatingTool tool);
// The caller keeps ownership; nullptr takes the window away again.
void setFloatingToolWindow(FloatingTool tool, FloatingToolWindow* window);
void resetFloatingToolWindows();

// True while the tool's window counts as shown: the layer list and the zoom
// window while their toggle on the main window is down, the guidance window
// while guidance lines are being created in Map Mode.
bool floatingWindowShown(FloatingTool tool);

void RestoreFloatingWindows();
void ReleaseFloatingWindows();

// Where a floating window opens, in pixels, from its stored left and top
// edges in twips: the left edge snaps to the screen's edge when within 25
// pixels of it, the top edge only when above the screen; a place beyond the
// right or bottom edge of the screen's free area (a second monitor now gone)
// is pulled back so the whole window, its borders and title bar included,
// is in that area.
QPoint floatingWindowPlace(double storedLeft, double storedTop, const QWidget& window);

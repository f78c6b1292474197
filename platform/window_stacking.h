#pragma once
// The z-order requests the program made with SetWindowPos: a window put on
// top of all others (topmost) or taken off it, placed directly behind
// another window, or sent to the back. Each request also shows the window
// without activating it, and keeps its place and size, as the flags the
// program always passed (no size, no move, no activation, show) asked.
//
// Desktops decide stacking themselves and may ignore a request (a window
// manager keeps a tool window above its owner, a Wayland compositor ignores
// "to the back"); the program works either way. What was asked last is kept
// per window, so tests and the program can read it.
class QWidget;

struct StackingState
{
    bool topmost = false;
    const QWidget* behind = nullptr; // the window it was placed behind, if any
    bool atBack = false; // sent to the back and not raised or activated since
};

// HWND_TOPMOST (on) or HWND_NOTOPMOST (off).
void setTopmost(QWidget& window, bool on);
// Topmost from the moment the window is shown, each time it is: a desktop
// need not activate a new tool window, so its activation cannot be waited for.
void setTopmostWhenShown(QWidget& window);
// Directly behind `other`, which stays where it is; this ends the topmost state.
void placeBehind(QWidget& window, QWidget& other);
// To the back of all windows.
void sendToBack(QWidget& window);

// What was asked last for the window; a window never asked about is normal.
StackingState stackingState(const QWidget& window);

// Forgets every request (tests).
void resetWindowStacking();

#pragma once
// The program's main window as the platform sees it, registered by the
// program when the window is made: the owner of a box or dialog that opens
// while none of the program's windows is active (just after a file dialog
// closed, or while another program is in front), so the desktop keeps it
// above the main window instead of anywhere; and the desktop's frame, which
// a window that places itself before it has a frame of its own allows for.
#include <QMargins>

class QWidget;

// The window is forgotten when it is destroyed.
void setProgramMainWindow(QWidget* window);

// The window a box or dialog opened now belongs to: the active window, else
// the main window while it is shown and takes input (a box owned by a
// disabled window would be disabled with it); nullptr when there is none.
QWidget* dialogOwner();

// The frame the desktop draws around `window`: its own once it is shown,
// else the main window's, else a classic frame (3-pixel borders under a
// 22-pixel title bar).
QMargins windowFrame(const QWidget& window);

// Moves `window` so that the whole of it, its frame included, lies in the
// screen's free area (its top left corner first, where it is larger).
void keepWithinAvailableArea(QWidget& window);

// Has the desktop keep `window`, a dialog or tool window (X11 names an owner
// for no other kind), above `owner`'s window, for a window that must not be
// the owner's child: a child window is disabled with its parent.
void setWindowOwner(QWidget& window, QWidget& owner);

#pragma once
// The wait for a window to take the size it is shown at. A window shown
// maximised gets its size from the window manager some time after it is
// shown; what is fitted to the window before then is fitted to the size it
// had, and the map keeps its scale when the window grows. The start-up waits
// for the size before it opens the file named on its command line. The wait
// has a bound: a desktop without a window manager, or with one that never
// maximises, leaves the window at the size it has.
#include <QWidget>

#include <chrono>

// True when the window has the size it is shown at: a maximised window covers
// its screen's available area and a full-screen one the whole screen; a
// window shown normal or minimised, or hidden, has nothing to wait for.
bool hasShownSize(const QWidget& window);

// Runs the event loop, user input held back, until the window has the size
// it is shown at or the bound has passed. Returns whether the size arrived.
bool waitForShownSize(QWidget& window, std::chrono::milliseconds bound);

#pragma once
// The start-up procedure of the main program, run once before any window
// exists: it refuses a second copy (and says so once when it cannot check
// for one), refuses a screen that is too small, finds the
// program folder, removes the folder the updater leaves behind, sets the
// program-wide values, creates and shows the main window and opens the file
// named on the command line.
#include <QString>

#include <chrono>

// How long a file named on the command line waits for the main window to
// take the size it is shown at; then it opens at the size the window has.
inline constexpr std::chrono::milliseconds ShownSizeBound(2000);

// Returns true when the main window is shown and the program goes on into
// its event loop; false when it ends here (another copy runs, the screen is
// too small, or the main window could not be created; the user has been told).
bool Main(const QString& commandLine, std::chrono::milliseconds shownSizeBound = ShownSizeBound);

// The program folder from the setting "RootDir", ending in "/". An empty or
// missing setting gives the folder of the running executable, so the start-up
// never works in (or deletes an "Update" folder of) some other folder.
QString programFolder(const QString& rootDirSetting, const QString& executableFolder);

// The screen's size in pixels: its size in twips over the twips per pixel,
// rounded to the nearest whole number.
int screenWidthPixels();
int screenHeightPixels();

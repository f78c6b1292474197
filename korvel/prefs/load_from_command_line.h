#pragma once
// Opens the file named on the main program's command line by its extension:
// a session, an image, a GIS layer or an AG-NAV block boundary. The start-up
// calls it once, after the main window is shown, with the whole command-line
// text (surrounding double quotes are removed here).
#include <QString>

void LoadFromCommandLine(QString& commandLine);

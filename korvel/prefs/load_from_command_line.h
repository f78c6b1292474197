#pragma once
// Opens the file named on the main program's command line by its extension:
// a session ("korvel"), an image ("jpg", "gif", "bmp"), a GIS layer ("shp",
// "e00") or an AG-NAV block boundary ("no1"), each through the same check
// and loader as the File menu, then fits the map to what is shown. Any other
// extension opens nothing, and a folder is refused with its message. The
// start-up calls it once, after the main window is shown, with the whole
// command-line text; one pair of surrounding double quotes and the blanks
// around the path are removed, and the cleaned path is written back; a
// relative one is opened from the folder KORVEL was started in.
#include <QString>

void LoadFromCommandLine(QString& commandLine);

// The text after the last "." in lower case; the whole text in lower case
// when it holds no ".".
QString commandLineExtension(const QString& path);

#pragma once
// What opening a GIS layer needs besides the window: the header test of the
// pre-open check, and the steps after the reader that fit the new layer into
// the map (its zone, its coordinate type, the map's coordinate mode, the
// conversion into that mode, the data extent). The map view's CheckGISFile
// and OpenGISLayer show the messages and add the list row.
#include <QString>

// The header test, chosen by the last three characters of the path in lower
// case: a "shp" file must start with the big-endian file code 9994 (a file
// too short to hold it has none), an "e00" file's first line must start with
// "EXP"; other files are not looked at. Returns "" when the file passes,
// else the refusal ("File is not in SHP format", "File does not seem to be
// in ArcExport format"). A file that cannot be read at all (locked, a
// folder, an empty export file) raises VbError whose description names it.
QString gisFileHeaderRefusal(const QString& path);

// Fits the layer GISLayers(index), just read, into the map:
// - a layer without a zone takes the map's;
// - a layer whose reader left its coordinate type unset is "UTM" when its
//   XMax reaches 360 or its YMax 180, otherwise "GEO";
// - a "GEO" layer opened into an empty map outside a session switches the
//   map to latitude/longitude;
// - a layer in the other system than the map's is converted into it, in its zone;
// - DataExtent grows by the layer's extent (takes it, while the map is empty);
// - CoordFormat follows the map's mode.
void settleOpenedGISLayer(int index, bool loadingSession);

// A list caption that fits: the path itself when cut is 0, else its first 10
// characters, " ... " and its last (length - 10 - cut) characters.
QString captionWithCut(const QString& path, int cut);

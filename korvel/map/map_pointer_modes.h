#pragma once
// Which map tool a mouse event on the map picture goes to, and the pointer's
// coordinate readout. The tools compare the mouse arguments with one exact
// value each, never bit by bit: Button 1 is the left button alone, and a move
// with left and right held (Button 3) drags nothing.
//
// A press goes to the first tool that takes it: the zoom box (left button
// while the extent boxes are open for entry), the ruler (left button while
// Tools > Ruler is checked), then digitizing (any press while a boundary or
// an exclusion zone is being digitized). A move goes likewise, except that
// exclusion-zone digitizing follows the pointer only while no button is held.
// Only the zoom box hears the release.
#include <QString>
#include <QtGlobal>

// The states that choose the tool, owned by the main window and its menus.
struct PointerModes
{
    bool extentEntry = false; // the extent boxes are open for a typed or boxed extent
    bool ruler = false; // Tools > Ruler checked
    bool digitizeBoundary = false; // Tools > Digitize AG-NAV > Block Boundary checked
    bool digitizeExclusion = false; // Tools > Digitize AG-NAV > Exclusion Zone checked
};

enum class MapTool { None, ZoomBox, Ruler, Digitize };

// A point on the map in map units: easting and northing in metres in UTM
// mode, longitude and latitude in decimal degrees otherwise.
struct MapPoint
{
    double x = 0.0;
    double y = 0.0;
};

MapTool pressTool(const PointerModes& modes, int button);
MapTool moveTool(const PointerModes& modes, int button);
MapTool releaseTool(const PointerModes& modes, int button);

// The texts of the two readout boxes for a pointer at map point (x, y).
struct CoordinateReadout
{
    QString northing; // StatusLabel1: northing or latitude
    QString easting; // StatusLabel2: easting or longitude
};

// UTM mode: metres with one decimal and " N" / " E" whatever the sign;
// latitude/longitude mode: degrees with three decimals, the hemisphere from
// the sign, 0 counting as south and west.
CoordinateReadout coordinateReadout(double x, double y, bool utmMode);

// The palette colour (0x00BBGGRR) the ruler and the digitized boundary are
// drawn in for the setting PointerColour; an index beyond the 16-colour
// palette is drawn yellow, as the pointer is.
qint32 pointerLineColour(int pointerColour);

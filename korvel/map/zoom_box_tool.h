#pragma once
// The zoom box: while the extent boxes are open for entry, a left-button drag
// on the map draws a rectangle of the map picture's shape and writes its
// corners into the extent boxes (Text1 west, Text2 south, Text3 east, Text4
// north). It only proposes the view: ApplyMapExtent applies it when extent
// entry ends, and hides the rectangle.
//
// The rectangle is the four inverting lines SelLineLeft and SelLineBottom
// through the press point and SelLineRight and SelLineTop through the moving
// corner (named for a drag to the north-east; other directions flip the
// geometry, not the roles). The lines are the tool's only memory: the press
// point is read back from SelLineLeft's X1 and SelLineBottom's Y1.
//
// The side the pointer pulls more on, for the picture's shape, leads and
// follows the pointer exactly; the other side gets the leading displacement
// times the aspect ratio, in the direction of its own displacement, and no
// length when that displacement is 0. With W and H the picture's outer width
// and height and (dx, dy) the pointer's displacement from the press point:
//   |W dy| < |H dx|:  corner = (x, start y + (H / W) dx sgn(dx) sgn(dy))
//   otherwise:        corner = (start x + (W / H) dy sgn(dx) sgn(dy), y)
#include "korvel/map/map_pointer_modes.h"

#include <QString>

class MainForm;

// The moving corner for the pointer at `pointer`, computed in double
// precision; the lines keep it in single precision.
MapPoint zoomBoxCorner(MapPoint start, MapPoint pointer, double outerWidth, double outerHeight);

// The extent boxes' texts, west, south, east, north.
struct ExtentTexts
{
    QString west;
    QString south;
    QString east;
    QString north;
};

// Puts a released box in order: when east is less than west (compared in
// single precision) the two change places, the old west coming back as its
// plain number text (CStr, not the coordinate format); north and south
// likewise. A text that is no number is left where it is.
ExtentTexts orderedExtentTexts(const ExtentTexts& texts);

class ZoomBoxTool
{
public:
    explicit ZoomBoxTool(MainForm& form);

    void press(float x, float y);
    void drag(float x, float y);
    void release();

private:
    // The zoom window mirrors the extent boxes after every step while it is shown.
    void refreshZoomWindow() const;

    MainForm& m_form;
};

#pragma once
// The arithmetic behind the map's extent: the four extent boxes read as
// numbers, the typed extent widened to the picture's shape, the check of a
// typed value, and the union of layer boxes the zooms fit the view to. The
// map view's procedures (ApplyMapExtent, the zooms, the boxes' handlers)
// move the values between the boxes and the picture.
#include <QString>

// A view or extent by its edges in map units.
struct ViewEdges
{
    double west = 0.0;
    double south = 0.0;
    double east = 0.0;
    double north = 0.0;
};

// The value of an extent box: its number when the whole text is one, read
// as typed (typedNumberValue: the point, or the locale's decimal comma), else
// the fallback (the map's edge the box stands for). Boxes are validated when
// they lose the focus, but a toolbar button takes no focus, so a box can
// still hold anything when it is read.
double extentBoxNumber(const QString& text, double fallback);

// The typed extent widened along one axis so that its height over its width
// equals ratio, the picture's (outer height over outer width): when ratio x
// the X range is above the Y range, the Y range grows to ratio x the X range,
// equally at both ends; when below, the X range grows to the Y range / ratio;
// otherwise nothing changes. Only the edges of the widened axis are
// rewritten; xChanged and yChanged say which. Ranges are absolute values, so
// edges typed the wrong way round stay the wrong way round.
struct AspectFit
{
    ViewEdges edges;
    bool xChanged = false;
    bool yChanged = false;
};
AspectFit fitToAspect(const ViewEdges& typed, double ratio);

// A picture's user scale as it holds it: the top left corner and the signed
// width and height in map units.
struct UserScale
{
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
};

// The scale of a picture whose client area goes from the old size to the new
// one (pixels) while the map keeps its units per pixel and its top left
// corner (west and north): the width and height grow or shrink with the
// area, so the view gains or loses room at the east and south and a circle
// stays round. A scale is kept as it is when either size has no area.
UserScale scaleKeptOnResize(const UserScale& scale, int oldWidth, int oldHeight, int newWidth, int newHeight);

// Whether a typed box value stands: not empty, a number read as typed, not
// negative in UTM mode, and in latitude/longitude mode not below -180 (box 1
// west, box 3 east) or -90 (box 2 south, box 4 north).
bool extentBoxValueAccepted(const QString& text, int box, bool utmMode);

// The extent the zooms fit the view to, grown by one box after another. It
// starts at +sentinel for the minima and -sentinel for the maxima; a value
// replaces one only when strictly beyond it.
class ExtentUnion
{
public:
    explicit ExtentUnion(double sentinel);
    void add(double minX, double minY, double maxX, double maxY);
    // True while nothing widened it: all four still hold their start values.
    bool untouched() const;
    ViewEdges edges() const { return { m_minX, m_minY, m_maxX, m_maxY }; }

private:
    double m_sentinel;
    double m_minX;
    double m_minY;
    double m_maxX;
    double m_maxY;
};

// Start values of the zooms' unions: the zoom to layers and the zoom to images differ.
inline constexpr double LayerZoomSentinel = 10000000.0;
inline constexpr double ImageZoomSentinel = 100000000.0;

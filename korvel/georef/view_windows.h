#pragma once
// The world windows of the geo-referencing window's pictures: the map view
// (UTM metres, north up), the image view (image pixels, rows down) and the
// preview (the part of the placed image the box shows, in UTM metres). A
// window is given by its left, top, right and bottom edges in the picture's
// units; a picture's Scale(left, top, right, bottom) takes it as it is.
#include "korvel/georef/georef_fit.h"
#include "korvel/workspace/layer_records.h"

#include <optional>

struct ViewWindow
{
    double left = 0.0;
    double top = 0.0;
    double right = 0.0;
    double bottom = 0.0;
};

// The map view's full window: the extent of the data (UTM metres) with its
// shorter side widened equally on both sides so that it is square in
// metres. The height is
// rounded to a whole metre (a half to even) before the sides are compared,
// and with `roundWidth` the width too; the widened edges are taken down to
// whole metres (Int). An extent of no size at all (one point) is given
// MinimumMapWidth metres round it, so that it can be drawn and zoomed.
inline constexpr double MinimumMapWidth = 100.0;
ViewWindow fullMapWindow(const MapExtent& extent, bool roundWidth);
// The image view's whole window: from (0, 0) as wide and as high as the
// image's longer side.
ViewWindow wholeImageWindow(int pixelWidth, int pixelHeight);

// A zoom at (x, y) on a view whose ScaleWidth and ScaleHeight are w and h
// (h keeps its sign). Zoom In: Ctrl alone (shift 2) brings the view four
// times closer, otherwise twice; Zoom Out takes it twice as far. Each is
// centred on the click. Nothing (the view stays) past the limits: a map view
// 10 metres wide or less is not zoomed in, nor an image view one pixel wide
// or less (closer than that a picture's single-precision scale cannot
// place its edges); no view is zoomed out wider than five times the data
// (the extent's width, or the image's width in pixels).
std::optional<ViewWindow> mapZoomIn(double x, double y, double w, double h, int shift);
std::optional<ViewWindow> imageZoomIn(double x, double y, double w, double h, int shift);
std::optional<ViewWindow> mapZoomOut(double x, double y, double w, double h, const MapExtent& extent);
std::optional<ViewWindow> imageZoomOut(double x, double y, double w, double h, int pixelWidth);
// True for the shift of "Zoom Out to the whole" (Ctrl alone).
bool ctrlAlone(int shift);

// A preview scroll bar over an image `imagePixels` long of which `shownPixels`
// show: the maximum is the rest, the large step a tenth of it (rounded, a
// half to even). An image no longer than what shows cannot scroll: range 0,
// step 1, disabled.
struct ScrollRange
{
    int maximum = 0;
    int largeStep = 1;
    bool enabled = false;
};
ScrollRange previewScrollRange(int imagePixels, double shownPixels);

// The UTM window of the preview box (w x h pixels, one image pixel each)
// showing the placed image from column scrollX and row scrollY: the image's
// ground size per pixel times the offsets and the box's size, from its
// placed origin. Nothing when the image or its ground size has no extent.
std::optional<ViewWindow> previewWindow(const ImagePlacement& placement, int scrollX, int scrollY, int w,
    int h, int imagePixelWidth, int imagePixelHeight);

#include "korvel/georef/view_windows.h"

#include "platform/vb_numbers.h"

#include <cmath>

namespace {

constexpr int kCtrl = 2;
constexpr double kMinimumMapZoomWidth = 10.0; // metres
constexpr double kMinimumImageZoomWidth = 1.0; // pixels
constexpr double kZoomOutLimit = 5.0;

ViewWindow around(double x, double y, double w, double h, double factor)
{
    return { x - w * factor, y - h * factor, x + w * factor, y + h * factor };
}

double zoomInFactor(int shift)
{
    return ctrlAlone(shift) ? 1.0 / 8.0 : 1.0 / 4.0;
}

} // namespace

bool ctrlAlone(int shift)
{
    return shift == kCtrl;
}

ViewWindow fullMapWindow(const MapExtent& extent, bool roundWidth)
{
    MapExtent e = extent;
    if (e.XMax == e.XMin && e.YMax == e.YMin) {
        e = { e.XMin - MinimumMapWidth / 2, e.YMin - MinimumMapWidth / 2, e.XMax + MinimumMapWidth / 2,
            e.YMax + MinimumMapWidth / 2 };
    }
    double w = e.XMax - e.XMin;
    const double h = roundHalfEven(e.YMax - e.YMin);
    if (roundWidth) {
        w = roundHalfEven(w);
    }
    if (w > h) {
        const double d = 0.5 * (w - h);
        return { e.XMin, std::floor(e.YMax + d), e.XMax, std::floor(e.YMin - d) };
    }
    if (w < h) {
        const double d = 0.5 * (h - w);
        return { std::floor(e.XMin - d), e.YMax, std::floor(e.XMax + d), e.YMin };
    }
    return { e.XMin, e.YMax, e.XMax, e.YMin };
}

ViewWindow wholeImageWindow(int pixelWidth, int pixelHeight)
{
    const double n = pixelWidth >= pixelHeight ? pixelWidth : pixelHeight;
    return { 0.0, 0.0, n, n };
}

std::optional<ViewWindow> mapZoomIn(double x, double y, double w, double h, int shift)
{
    if (w <= kMinimumMapZoomWidth) {
        return std::nullopt;
    }
    return around(x, y, w, h, zoomInFactor(shift));
}

std::optional<ViewWindow> imageZoomIn(double x, double y, double w, double h, int shift)
{
    if (std::abs(w) <= kMinimumImageZoomWidth) {
        return std::nullopt;
    }
    return around(x, y, w, h, zoomInFactor(shift));
}

std::optional<ViewWindow> mapZoomOut(double x, double y, double w, double h, const MapExtent& extent)
{
    if (w > kZoomOutLimit * (extent.XMax - extent.XMin)) {
        return std::nullopt;
    }
    return around(x, y, w, h, 1.0);
}

std::optional<ViewWindow> imageZoomOut(double x, double y, double w, double h, int pixelWidth)
{
    if (w > kZoomOutLimit * double(pixelWidth)) {
        return std::nullopt;
    }
    return around(x, y, w, h, 1.0);
}

ScrollRange previewScrollRange(int imagePixels, double shownPixels)
{
    const double rest = double(imagePixels) - shownPixels;
    const double maximum = roundHalfEven(rest);
    if (!(maximum >= 1.0)) {
        return {};
    }
    const double step = roundHalfEven(rest / 10.0);
    return { int(std::min(maximum, 2147483647.0)), step < 1.0 ? 1 : int(step), true };
}

std::optional<ViewWindow> previewWindow(const ImagePlacement& placement, int scrollX, int scrollY, int w,
    int h, int imagePixelWidth, int imagePixelHeight)
{
    if (imagePixelWidth <= 0 || imagePixelHeight <= 0 || placement.GroundWidth == 0
        || placement.GroundHeight == 0) {
        return std::nullopt;
    }
    const double metresPerColumn = double(placement.GroundWidth) / imagePixelWidth;
    const double metresPerRow = double(placement.GroundHeight) / imagePixelHeight;
    const double left = placement.OriginEasting + scrollX * metresPerColumn;
    const double top = placement.OriginNorthing + scrollY * metresPerRow;
    return ViewWindow { left, top, left + w * metresPerColumn, top + h * metresPerRow };
}

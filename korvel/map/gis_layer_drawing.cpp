#include "korvel/map/gis_layer_drawing.h"

#include "korvel/map/shape_plotting.h"
#include "korvel/shell/status_progress.h"
#include "korvel/shell/utm_projection.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "korvel/workspace/shape_record.h"
#include "platform/picture_surface.h"
#include "platform/pixel_clipping.h"
#include "platform/screen_metrics.h"
#include "platform/vb_numbers.h"

#include <QString>
#include <algorithm>
#include <cmath>

namespace {

const QString kDrawingLayer = QStringLiteral("Drawing GIS Layer");
const QString kDrawingBuffer = QStringLiteral("Drawing Buffer Zone");

// Progress moves every this many features; input is looked at every this many.
constexpr int kProgressStep = 20;
constexpr int kPollMask = 255;

// The view as a box, whichever way round the scale runs (a typed extent may
// be mirrored), so the tests below work on minima and maxima.
struct ViewBox
{
    double minX = 0.0;
    double minY = 0.0;
    double maxX = 0.0;
    double maxY = 0.0;

    // Touching counts as meeting.
    bool meets(double xMin, double yMin, double xMax, double yMax, double margin) const
    {
        return minX <= xMax + margin && minY <= yMax + margin && maxX >= xMin - margin
            && maxY >= yMin - margin;
    }
};

ViewBox viewOf(const PictureSurface& picture)
{
    const double left = picture.ScaleLeft();
    const double right = left + double(picture.ScaleWidth());
    const double top = picture.ScaleTop();
    const double bottom = top + double(picture.ScaleHeight());
    return { std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom) };
}

// Half the buffer band in map units: how far outside its box a feature's
// band still reaches.
double bufferReach(const PictureSurface& picture, int penWidth)
{
    return std::abs(picture.ScaleX(penWidth / 2.0, vbPixels, vbUser));
}

qint32 featureColour(const GISLayer& layer, int shape)
{
    if (layer.Colours.empty()) {
        return 0;
    }
    const std::size_t index = layer.ColourCoding != 0 ? std::size_t(shape) : 0;
    return index < layer.Colours.size() ? layer.Colours[index] : layer.Colours[0];
}

// What every layer drawer does after a feature: the progressive refresh,
// the progress bar every 20 features, and a look at the keyboard now and then.
void afterFeature(PictureSurface& picture, int shape, bool drawn)
{
    if (drawn && mainSettings().GISgraph == 2) {
        picture.Refresh();
    }
    if (shape % kProgressStep == 0) {
        statusProgress().setProgress(shape);
    }
    if ((shape & kPollMask) == 0) {
        pollDrawingInput();
    }
}

void startPass(const GISLayer& layer, bool buffer)
{
    statusProgress().showProgress(layer.ShapeCount());
    statusProgress().setStatusText(buffer ? kDrawingBuffer : kDrawingLayer);
}

} // namespace

int bufferPenWidth(const PictureSurface& picture)
{
    // Twice the width in a wide type: a 16-bit sum would overflow above
    // 16,383 metres.
    const double twice = 2.0 * double(mainSettings().BufferWidth);
    double pixels = 0.0;
    if (globals().UTMMode) {
        pixels = std::abs(picture.ScaleX(twice, vbUser, vbPixels));
    } else {
        const EllipsoidRecord& ellipsoid = globals().Ellipsoid;
        const double latitude = picture.ScaleTop() + double(picture.ScaleHeight()) / 2.0;
        double west = picture.ScaleLeft();
        double east = west + double(picture.ScaleWidth());
        const UtmProjection projection(mapState().Zone, ellipsoid.Axis, ellipsoid.InverseFlattening);
        double share = 1.0; // the part of the view's width that is measured
        if (!projection.reaches(latitude, west) || !projection.reaches(latitude, east)) {
            // Beyond the zone's reach the projection would give the width
            // kilometres wrong: the view's span of longitude (at most the
            // reach's) is measured centred on the zone's meridian instead.
            const double span = east - west;
            const double measured = std::clamp(span, -2.0 * UtmReachDeg, 2.0 * UtmReachDeg);
            share = span != 0.0 ? measured / span : 1.0;
            west = projection.centralMeridian() - measured / 2.0;
            east = projection.centralMeridian() + measured / 2.0;
        }
        const double e1 = projection.toUtm({ latitude, east }).easting;
        const double e0 = projection.toUtm({ latitude, west }).easting;
        const double widthMetres = std::abs(e1 - e0) / share;
        const double pixelWidth = double(picture.Width() / TwipsPerPixelX()) - 4.0;
        if (ellipsoid.Axis <= 0.0 || !(widthMetres > 0.0) || !std::isfinite(widthMetres)) {
            return 0;
        }
        pixels = Int(twice / widthMetres * pixelWidth + 0.5);
    }
    // A band wider than the view and its margins covers it all anyway; the
    // cap keeps the pen within what the painter can stroke.
    const double cap = 2.0 * (picture.clientWidth() + picture.clientHeight()) + 2.0;
    return PixelTransform::toDevice(std::min(pixels, cap));
}

void DrawArcLayer(PictureSurface& picture, int position, bool buffer)
{
    const GISLayer* layer = gisLayerAtPosition(position);
    if (!layer) {
        return;
    }
    const ViewBox view = viewOf(picture);
    startPass(*layer, buffer);
    double reach = 0.0;
    if (buffer) {
        const int pen = bufferPenWidth(picture);
        picture.setForeColor(mainSettings().BufferColour);
        picture.setDrawWidth(pen);
        reach = bufferReach(picture, pen);
    } else {
        picture.setDrawWidth(layer->Thickness);
    }
    ShapePlotter plotter(picture);
    const ShapeList& shapes = layer->Shapes;
    for (int j = 1; j <= layer->ShapeCount(); ++j) {
        const ShapeBox& box = shapes.box(j);
        const bool shown = view.meets(box.XMin, box.YMin, box.XMax, box.YMax, reach);
        if (shown) {
            if (!buffer) {
                picture.setForeColor(featureColour(*layer, j));
            }
            plotter.plotPolyline(*layer, j);
        }
        afterFeature(picture, j, shown);
    }
    statusProgress().setStatusText(QString());
}

void DrawPolygonLayer(PictureSurface& picture, int position, bool buffer)
{
    const GISLayer* layer = gisLayerAtPosition(position);
    if (!layer) {
        return;
    }
    const MainSettings& settings = mainSettings();
    const ViewBox view = viewOf(picture);
    startPass(*layer, buffer);
    double reach = 0.0;
    if (buffer) {
        const int pen = bufferPenWidth(picture);
        picture.setForeColor(settings.BufferColour);
        picture.setFillStyle(vbFSTransparent);
        picture.setDrawWidth(pen);
        reach = bufferReach(picture, pen);
    } else {
        picture.setForeColor(settings.FillPoly ? 0 : featureColour(*layer, 0));
        picture.setFillStyle(settings.FillPoly ? vbFSSolid : vbFSTransparent);
        picture.setDrawWidth(layer->Thickness);
    }
    ShapePlotter plotter(picture);
    const ShapeList& shapes = layer->Shapes;
    for (int j = 1; j <= layer->ShapeCount(); ++j) {
        const ShapeBox& box = shapes.box(j);
        const bool shown = view.meets(box.XMin, box.YMin, box.XMax, box.YMax, reach);
        if (shown) {
            picture.setFillColor(featureColour(*layer, j));
            plotter.plotPolygon(*layer, j);
        }
        afterFeature(picture, j, shown);
        if (redrawState().CancelDrawing) {
            break;
        }
    }
    statusProgress().setStatusText(QString());
}

void DrawPointLayer(PictureSurface& picture, int position, bool buffer)
{
    const GISLayer* layer = gisLayerAtPosition(position);
    if (!layer) {
        return;
    }
    // The symbols are boxes of whole pixels, so the drawing works in pixels
    // and puts the world scale back at the end.
    const double left = picture.ScaleLeft();
    const double width = picture.ScaleWidth();
    const double top = picture.ScaleTop();
    const double height = picture.ScaleHeight();
    const PixelTransform world = picture.pixelTransform();
    const double pixelHeight = double(picture.Height() / TwipsPerPixelY()) - 4.0;
    const int penWidth = buffer ? bufferPenWidth(picture) : 0;
    startPass(*layer, buffer);
    picture.setScaleMode(vbPixels);
    const double h = picture.ScaleHeight();
    const PixelBounds far = farBounds(picture.clientWidth(), picture.clientHeight());
    const int r = layer->Thickness + 1;
    if (buffer) {
        picture.setDrawWidth(1);
        picture.setFillStyle(vbFSSolid);
        picture.setFillColor(mainSettings().BufferColour);
    } else {
        picture.setDrawWidth(1);
        // Filled symbols, so each point shows its colour whatever fill the
        // drawing before it left behind.
        picture.setFillStyle(vbFSSolid);
    }
    const ShapeList& shapes = layer->Shapes;
    for (int j = 1; j <= layer->ShapeCount(); ++j) {
        // A null shape has no point to mark.
        const bool present = shapes.pointCount(j) >= 1;
        const double x = present ? shapes.X(j, 1) : 0.0;
        const double y = present ? shapes.Y(j, 1) : 0.0;
        const double px = world.x(x);
        const bool shown = present && far.contains(px, world.y(y));
        if (shown && buffer) {
            picture.Circle(px, world.y(y), penWidth / 2.0, mainSettings().BufferColour);
        } else if (shown) {
            picture.setFillColor(featureColour(*layer, j));
            const double above
                = PixelTransform::toDevice((y - (top + height)) / std::abs(height) * pixelHeight);
            const double cx = PixelTransform::toDevice(px);
            picture.LineBox(cx - r, h - above - r, cx + r, h - above + r, 0);
        }
        afterFeature(picture, j, shown);
    }
    statusProgress().setStatusText(QString());
    picture.setScaleLeft(left);
    picture.setScaleWidth(width);
    picture.setScaleTop(top);
    picture.setScaleHeight(height);
}

void drawExclusionZone(PictureSurface& picture, const ShapeRecord& zone, qint32 blockColour)
{
    const int n = zone.upperBound();
    picture.setFillStyle(vbFSSolid);
    picture.setDrawWidth(1);
    picture.setForeColor(blockColour);
    picture.setFillColor(mainSettings().BufferColour);
    if (n >= 1 && zone.Y.size() == zone.X.size()) {
        ShapePlotter(picture).plotRing(std::span<const double>(zone.X).subspan(1, size_t(n)),
            std::span<const double>(zone.Y).subspan(1, size_t(n)));
    }
    picture.Refresh();
}

void DrawSHPData(int& start, PictureSurface& picture, const std::function<bool(int position)>& ticked)
{
    if (start < 1) {
        start = 1;
    }
    statusProgress().showProgress(0);
    statusProgress().setStatusText(kDrawingLayer);
    const LayerData& data = layerData();
    for (int p = start; p <= data.GISCount; ++p) {
        const GISLayer* layer = gisLayerAtPosition(p);
        if (layer && ticked(p)) {
            // Against the picture's own scale, whatever the extent boxes
            // happen to hold while they are open for typing.
            const ViewBox view = viewOf(picture);
            const int pen = bufferPenWidth(picture);
            const bool band = layer->Buffer && pen > 1;
            const double reach = band ? bufferReach(picture, pen) : 0.0;
            if (view.meets(layer->XMin, layer->YMin, layer->XMax, layer->YMax, reach)) {
                void (*draw)(PictureSurface&, int, bool) = layer->ShapeType == 3 ? DrawArcLayer
                    : layer->ShapeType == 5                                      ? DrawPolygonLayer
                    : layer->ShapeType == 1                                      ? DrawPointLayer
                                                                                 : nullptr;
                if (draw) {
                    if (band) {
                        draw(picture, p, true);
                    }
                    draw(picture, p, false);
                }
                if (mainSettings().GISgraph == 2) {
                    picture.Refresh();
                }
            }
        }
        picture.Refresh();
        if (redrawState().CancelDrawing) {
            break;
        }
    }
    picture.setDrawWidth(1);
    picture.Refresh();
    statusProgress().hideProgress();
    statusProgress().setStatusText(QString());
}

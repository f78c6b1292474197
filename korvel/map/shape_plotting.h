#pragma once
// Features of a GIS layer turned into device pixels of a picture and handed
// to gdi32's Polyline, Polygon and PolyPolygon with the picture's current pen
// and brush: the plotting half of the map drawing.
//
// The transform is the picture's (picture_surface.h), taken once per plotter
// rather than once per vertex. A vertex that lands on the same pixel as the
// one before it is dropped: at a small scale a long feature collapses to a
// handful of pixels, and the picture looks the same. A part that collapses
// to one pixel still shows as a dot. Vertices farther outside the view than
// the picture's far margin (a high zoom on a large feature) are clipped in
// floating point before they become integers, so nothing wraps around.
#include "platform/picture_surface.h"
#include "platform/pixel_clipping.h"

#include <span>
#include <vector>

struct GISLayer;

class ShapePlotter
{
public:
    // Takes the picture's scale as it stands now.
    explicit ShapePlotter(PictureSurface& picture);

    // One arc shape: one Polyline per part; parts are never joined.
    void plotPolyline(const GISLayer& layer, int shape);
    // One polygon shape: Polygon for a single part, otherwise one
    // PolyPolygon of all parts, so inner rings are holes (alternate fill).
    void plotPolygon(const GISLayer& layer, int shape);
    // One closed ring of vertices, with Polygon (an exclusion zone).
    void plotRing(std::span<const double> xs, std::span<const double> ys);

private:
    struct Part
    {
        int begin = 0; // 0-based vertex of the feature
        int count = 0;
    };
    void collectParts(const GISLayer& layer, int shape, int vertexCount);
    // Appends the part's pixels to m_points; returns how many. `inside`
    // turns false when a vertex lies beyond the far bounds.
    int appendPixels(const double* xs, const double* ys, int count, bool& inside);
    void plotClippedPolyline(const double* xs, const double* ys, int count);
    void plotClippedRings(const double* xs, const double* ys);
    void appendRounded(const std::vector<QPointF>& points);

    PictureSurface& m_picture;
    PixelTransform m_transform;
    PixelBounds m_bounds;
    std::vector<Part> m_parts;
    std::vector<QPoint> m_points;
    std::vector<int> m_counts;
    std::vector<QPointF> m_exact;
};

// The GIS layer shown at a list position (GISLayers(GISOrder(position))),
// or nullptr for a position outside the list.
GISLayer* gisLayerAtPosition(int position);

// The per-feature plotters as the drawing module calls them: the feature
// `shape` of the layer at list position `position`.
void PlotPolyline(PictureSurface& picture, int position, int shape);
void PlotPolygon(PictureSurface& picture, int position, int shape);

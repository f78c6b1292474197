#include "korvel/map/shape_plotting.h"

#include "korvel/workspace/layer_records.h"

#include <climits>

ShapePlotter::ShapePlotter(PictureSurface& picture)
    : m_picture(picture)
    , m_transform(picture.pixelTransform())
    , m_bounds(farBounds(picture.clientWidth(), picture.clientHeight()))
{
}

void ShapePlotter::collectParts(const GISLayer& layer, int shape, int vertexCount)
{
    m_parts.clear();
    const ShapeParts* parts
        = shape >= 1 && shape < int(layer.ShapeParts.size()) ? &layer.ShapeParts[size_t(shape)] : nullptr;
    const int partCount = parts ? parts->PartCount : 1;
    // A one-part feature (or one without a part table) uses all its vertices.
    if (partCount <= 1 || int(parts->PartStart.size()) < partCount + 2) {
        m_parts.push_back({ 0, vertexCount });
        return;
    }
    for (int p = 1; p <= partCount; ++p) {
        const int begin = qBound(0, parts->PartStart[size_t(p)] - 1, vertexCount);
        const int end = qBound(0, parts->PartStart[size_t(p) + 1] - 1, vertexCount);
        if (end > begin) {
            m_parts.push_back({ begin, end - begin });
        }
    }
}

int ShapePlotter::appendPixels(const double* xs, const double* ys, int count, bool& inside)
{
    const std::size_t start = m_points.size();
    QPoint last(INT_MIN, INT_MIN);
    for (int k = 0; k < count; ++k) {
        const double px = m_transform.x(xs[k]);
        const double py = m_transform.y(ys[k]);
        if (!m_bounds.contains(px, py)) {
            inside = false;
        }
        const QPoint pixel(PixelTransform::toDevice(px), PixelTransform::toDevice(py));
        if (pixel != last) {
            m_points.push_back(pixel);
            last = pixel;
        }
    }
    int appended = int(m_points.size() - start);
    if (appended == 1 && count > 1) {
        m_points.push_back(m_points.back());
        ++appended;
    }
    return appended;
}

void ShapePlotter::appendRounded(const std::vector<QPointF>& points)
{
    QPoint last(INT_MIN, INT_MIN);
    for (const QPointF& point : points) {
        const QPoint pixel(PixelTransform::toDevice(point.x()), PixelTransform::toDevice(point.y()));
        if (pixel != last) {
            m_points.push_back(pixel);
            last = pixel;
        }
    }
}

void ShapePlotter::plotPolyline(const GISLayer& layer, int shape)
{
    const int n = layer.PointCounts(shape);
    if (n <= 0) {
        return;
    }
    const double* xs = layer.Shapes.xs(shape).data();
    const double* ys = layer.Shapes.ys(shape).data();
    collectParts(layer, shape, n);
    for (const Part& part : m_parts) {
        m_points.clear();
        bool inside = true;
        const int count = appendPixels(xs + part.begin, ys + part.begin, part.count, inside);
        if (inside) {
            m_picture.Polyline(m_points.data(), count);
        } else {
            plotClippedPolyline(xs + part.begin, ys + part.begin, part.count);
        }
    }
}

void ShapePlotter::plotClippedPolyline(const double* xs, const double* ys, int count)
{
    m_exact.clear();
    for (int k = 0; k < count; ++k) {
        m_exact.emplace_back(m_transform.x(xs[k]), m_transform.y(ys[k]));
    }
    for (const std::vector<QPointF>& run : clipPolyline(m_exact, m_bounds)) {
        m_points.clear();
        appendRounded(run);
        if (m_points.size() == 1) {
            m_points.push_back(m_points.back());
        }
        m_picture.Polyline(m_points.data(), int(m_points.size()));
    }
}

void ShapePlotter::plotPolygon(const GISLayer& layer, int shape)
{
    const int n = layer.PointCounts(shape);
    if (n <= 0) {
        return;
    }
    const double* xs = layer.Shapes.xs(shape).data();
    const double* ys = layer.Shapes.ys(shape).data();
    collectParts(layer, shape, n);
    m_points.clear();
    m_counts.clear();
    bool inside = true;
    for (const Part& part : m_parts) {
        m_counts.push_back(appendPixels(xs + part.begin, ys + part.begin, part.count, inside));
    }
    if (!inside) {
        plotClippedRings(xs, ys);
    }
    if (m_counts.size() == 1) {
        m_picture.Polygon(m_points.data(), m_counts.front());
    } else if (!m_counts.empty()) {
        m_picture.PolyPolygon(m_points.data(), m_counts.data(), int(m_counts.size()));
    }
}

void ShapePlotter::plotClippedRings(const double* xs, const double* ys)
{
    m_points.clear();
    m_counts.clear();
    for (const Part& part : m_parts) {
        m_exact.clear();
        for (int k = part.begin; k < part.begin + part.count; ++k) {
            m_exact.emplace_back(m_transform.x(xs[k]), m_transform.y(ys[k]));
        }
        const std::size_t before = m_points.size();
        appendRounded(clipRing(m_exact, m_bounds));
        if (m_points.size() > before) {
            m_counts.push_back(int(m_points.size() - before));
        }
    }
}

void ShapePlotter::plotRing(std::span<const double> xs, std::span<const double> ys)
{
    const int n = int(qMin(xs.size(), ys.size()));
    if (n <= 0) {
        return;
    }
    m_parts.assign(1, Part { 0, n });
    m_points.clear();
    m_counts.clear();
    bool inside = true;
    m_counts.push_back(appendPixels(xs.data(), ys.data(), n, inside));
    if (!inside) {
        plotClippedRings(xs.data(), ys.data());
    }
    if (!m_counts.empty()) {
        m_picture.Polygon(m_points.data(), m_counts.front());
    }
}

GISLayer* gisLayerAtPosition(int position)
{
    LayerData& data = layerData();
    if (position < 1 || position > data.GISCount || position >= int(data.GISOrder.size())) {
        return nullptr;
    }
    const int index = data.GISOrder[size_t(position)];
    return index >= 1 && index < int(data.GISLayers.size()) ? &data.GISLayers[size_t(index)] : nullptr;
}

void PlotPolyline(PictureSurface& picture, int position, int shape)
{
    if (const GISLayer* layer = gisLayerAtPosition(position);
        layer && shape >= 1 && shape <= layer->ShapeCount()) {
        ShapePlotter(picture).plotPolyline(*layer, shape);
    }
}

void PlotPolygon(PictureSurface& picture, int position, int shape)
{
    if (const GISLayer* layer = gisLayerAtPosition(position);
        layer && shape >= 1 && shape <= layer->ShapeCount()) {
        ShapePlotter(picture).plotPolygon(*layer, shape);
    }
}

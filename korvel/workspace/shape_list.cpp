#include "korvel/workspace/shape_list.h"

#include "platform/vb_runtime_errors.h"

#include <algorithm>

void ShapeList::clear()
{
    m_features.clear();
    m_x.clear();
    m_y.clear();
}

void ShapeList::layOut(const std::vector<std::int32_t>& pointCounts)
{
    std::int64_t total = 0;
    for (std::size_t s = 1; s < pointCounts.size(); ++s) {
        if (pointCounts[s] < 0) {
            raiseRuntimeError(RuntimeError::InvalidProcedureCall);
        }
        total += pointCounts[s];
    }
    LargeVector<Feature> features(pointCounts.empty() ? 0 : pointCounts.size() - 1);
    std::int64_t first = 0;
    for (std::size_t i = 0; i < features.size(); ++i) {
        features[i].first = first;
        features[i].count = pointCounts[i + 1];
        first += pointCounts[i + 1];
    }
    // Built aside and swapped in, so a failed allocation leaves the list as it was.
    LargeVector<double> xs(static_cast<std::size_t>(total), 0.0);
    LargeVector<double> ys(static_cast<std::size_t>(total), 0.0);
    m_features.swap(features);
    m_x.swap(xs);
    m_y.swap(ys);
}

void ShapeList::resize(int newCount)
{
    m_features.resize(static_cast<std::size_t>(newCount < 0 ? 0 : newCount));
}

void ShapeList::setPointCount(int s, int n)
{
    Feature& f = feature(s);
    if (n < 0) {
        raiseRuntimeError(RuntimeError::InvalidProcedureCall);
    }
    if (n <= f.count) {
        // Shrinking (or the same size) reuses the feature's own place.
        std::fill_n(m_x.begin() + f.first, n, 0.0);
        std::fill_n(m_y.begin() + f.first, n, 0.0);
        f.count = n;
        return;
    }
    const bool atEnd = f.first + f.count == static_cast<std::int64_t>(m_x.size());
    if (!atEnd) {
        f.first = static_cast<std::int64_t>(m_x.size());
        f.count = 0;
    }
    std::fill_n(m_x.begin() + f.first, f.count, 0.0);
    std::fill_n(m_y.begin() + f.first, f.count, 0.0);
    m_x.resize(static_cast<std::size_t>(f.first + n), 0.0);
    m_y.resize(m_x.size(), 0.0);
    f.count = n;
}

int ShapeList::pointCount(int s) const
{
    return feature(s).count;
}

ShapeList::Feature& ShapeList::feature(int s)
{
    if (s < 1 || s > count()) {
        raiseRuntimeError(RuntimeError::SubscriptOutOfRange);
    }
    return m_features[static_cast<std::size_t>(s - 1)];
}

const ShapeList::Feature& ShapeList::feature(int s) const
{
    if (s < 1 || s > count()) {
        raiseRuntimeError(RuntimeError::SubscriptOutOfRange);
    }
    return m_features[static_cast<std::size_t>(s - 1)];
}

std::size_t ShapeList::vertexIndex(int s, int p) const
{
    const Feature& f = feature(s);
    if (p < 1 || p > f.count) {
        raiseRuntimeError(RuntimeError::SubscriptOutOfRange);
    }
    return static_cast<std::size_t>(f.first + p - 1);
}

double& ShapeList::X(int s, int p)
{
    return m_x[vertexIndex(s, p)];
}
double& ShapeList::Y(int s, int p)
{
    return m_y[vertexIndex(s, p)];
}
double ShapeList::X(int s, int p) const
{
    return m_x[vertexIndex(s, p)];
}
double ShapeList::Y(int s, int p) const
{
    return m_y[vertexIndex(s, p)];
}

std::span<double> ShapeList::xs(int s)
{
    const Feature& f = feature(s);
    return { m_x.data() + f.first, static_cast<std::size_t>(f.count) };
}

std::span<double> ShapeList::ys(int s)
{
    const Feature& f = feature(s);
    return { m_y.data() + f.first, static_cast<std::size_t>(f.count) };
}

std::span<const double> ShapeList::xs(int s) const
{
    const Feature& f = feature(s);
    return { m_x.data() + f.first, static_cast<std::size_t>(f.count) };
}

std::span<const double> ShapeList::ys(int s) const
{
    const Feature& f = feature(s);
    return { m_y.data() + f.first, static_cast<std::size_t>(f.count) };
}

ShapeBox& ShapeList::box(int s)
{
    return feature(s).box;
}
const ShapeBox& ShapeList::box(int s) const
{
    return feature(s).box;
}

ShapeBox ShapeList::recomputeBoxes(const ShapeBox& start)
{
    ShapeBox all = start;
    for (Feature& f : m_features) {
        const std::size_t n = static_cast<std::size_t>(f.count);
        f.box = boxOf({ m_x.data() + f.first, n }, { m_y.data() + f.first, n }, start);
        grow(all, f.box);
    }
    return all;
}

ShapeRecord ShapeList::record(int s) const
{
    const Feature& f = feature(s);
    ShapeRecord shape;
    shape.resize(f.count);
    std::copy_n(m_x.begin() + f.first, f.count, shape.X.begin() + 1);
    std::copy_n(m_y.begin() + f.first, f.count, shape.Y.begin() + 1);
    shape.XMax = f.box.XMax;
    shape.YMax = f.box.YMax;
    shape.XMin = f.box.XMin;
    shape.YMin = f.box.YMin;
    return shape;
}

void ShapeList::append(const ShapeRecord& shape)
{
    // Y may be shorter than X in a damaged record; only vertices both hold count.
    const int n = std::max(0, std::min(shape.upperBound(), static_cast<int>(shape.Y.size()) - 1));
    Feature f;
    f.first = static_cast<std::int64_t>(m_x.size());
    f.count = n;
    f.box = { shape.XMax, shape.YMax, shape.XMin, shape.YMin };
    m_x.insert(m_x.end(), shape.X.begin() + (n > 0 ? 1 : 0), shape.X.begin() + (n > 0 ? n + 1 : 0));
    m_y.insert(m_y.end(), shape.Y.begin() + (n > 0 ? 1 : 0), shape.Y.begin() + (n > 0 ? n + 1 : 0));
    m_features.push_back(f);
}

void ShapeList::compact()
{
    const std::int64_t total = vertexTotal();
    LargeVector<double> xs;
    LargeVector<double> ys;
    xs.reserve(static_cast<std::size_t>(total));
    ys.reserve(static_cast<std::size_t>(total));
    for (Feature& f : m_features) {
        const std::int64_t first = static_cast<std::int64_t>(xs.size());
        xs.insert(xs.end(), m_x.begin() + f.first, m_x.begin() + f.first + f.count);
        ys.insert(ys.end(), m_y.begin() + f.first, m_y.begin() + f.first + f.count);
        f.first = first;
    }
    m_x.swap(xs);
    m_y.swap(ys);
    m_features.shrink_to_fit();
}

std::int64_t ShapeList::vertexTotal() const
{
    std::int64_t total = 0;
    for (const Feature& f : m_features) {
        total += f.count;
    }
    return total;
}

std::size_t ShapeList::heapBytes() const
{
    return heapBytesOf(m_features) + heapBytesOf(m_x) + heapBytesOf(m_y);
}

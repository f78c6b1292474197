#pragma once
// The features of one GIS layer, packed for size: all X values of the layer in
// one vector, all Y values in another, and per feature only where its vertices
// start, how many there are and its box. A layer of two million vertices
// thus costs its 32 MB of coordinates plus 48 bytes per feature, where a list
// of per-feature vectors would add two heap blocks and 64 bytes of headers to
// every feature.
//
// Features are numbered 1..count() and vertices 1..pointCount(s), as the
// layer records number them. A feature may be re-dimensioned at any time (the
// ARC/INFO reader meets arcs in any order); its old vertices then stay unused
// in the buffer until compact().
#include "korvel/workspace/large_block_allocator.h"
#include "korvel/workspace/shape_record.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// A feature's box, maximum first like ShapeRecord's.
struct ShapeBox
{
    double XMax = 0.0;
    double YMax = 0.0;
    double XMin = 0.0;
    double YMin = 0.0;
};

class ShapeList
{
public:
    int count() const { return static_cast<int>(m_features.size()); }
    bool empty() const { return m_features.empty(); }
    void clear();

    // Replaces all features by pointCounts.size() - 1 features (element 0 of
    // pointCounts is ignored, as in the records) with that many vertices each,
    // all coordinates and boxes 0. Readers call it after their counting pass,
    // having bounded the counts by the file's size; a negative count raises
    // error 5.
    void layOut(const std::vector<std::int32_t>& pointCounts);
    // Keeps features 1..min(count, newCount); new features have no vertices.
    void resize(int newCount);
    // Gives feature s the vertices 1..n, all 0 (the old ones are dropped).
    void setPointCount(int s, int n);
    int pointCount(int s) const;

    // Vertex p (1-based) of feature s; an index out of range raises error 9.
    double& X(int s, int p);
    double& Y(int s, int p);
    double X(int s, int p) const;
    double Y(int s, int p) const;

    // All vertices of feature s, indexed from 0, for loops that need speed.
    std::span<double> xs(int s);
    std::span<double> ys(int s);
    std::span<const double> xs(int s) const;
    std::span<const double> ys(int s) const;

    ShapeBox& box(int s);
    const ShapeBox& box(int s) const;
    // Gives every feature the box of its vertices, grown from `start` (a
    // feature without vertices keeps `start`), in one pass over the layer;
    // returns the union of `start` and all the boxes.
    ShapeBox recomputeBoxes(const ShapeBox& start);
    // The box of these vertices grown from `start`, and `into` grown by `box`.
    static ShapeBox boxOf(std::span<const double> xs, std::span<const double> ys, const ShapeBox& start)
    {
        ShapeBox box = start;
        const std::size_t n = std::min(xs.size(), ys.size());
        for (std::size_t p = 0; p < n; ++p) {
            box.XMin = std::min(box.XMin, xs[p]);
            box.YMin = std::min(box.YMin, ys[p]);
            box.XMax = std::max(box.XMax, xs[p]);
            box.YMax = std::max(box.YMax, ys[p]);
        }
        return box;
    }
    static void grow(ShapeBox& into, const ShapeBox& box)
    {
        into.XMin = std::min(into.XMin, box.XMin);
        into.YMin = std::min(into.YMin, box.YMin);
        into.XMax = std::max(into.XMax, box.XMax);
        into.YMax = std::max(into.YMax, box.YMax);
    }

    // Calls visit(s, xs, ys, box) for every feature s in order, with its
    // vertices indexed from 0 and its box, for passes over a whole layer
    // that cannot afford a checked look-up per feature.
    template <class Visit> void forEachFeature(Visit&& visit)
    {
        int s = 0;
        for (Feature& f : m_features) {
            const std::size_t n = static_cast<std::size_t>(f.count);
            visit(++s, std::span<double>(m_x.data() + f.first, n), std::span<double>(m_y.data() + f.first, n),
                f.box);
        }
    }

    // Every X (Y) value the list stores, unused buffer space included, for a
    // pass that may look at more than the features' vertices and cannot
    // afford a look-up per feature.
    std::span<const double> storedXs() const { return { m_x.data(), m_x.size() }; }
    std::span<const double> storedYs() const { return { m_y.data(), m_y.size() }; }

    // The same as forEachFeature for passes that only read: visit(s, xs, ys).
    template <class Visit> void forEachFeature(Visit&& visit) const
    {
        int s = 0;
        for (const Feature& f : m_features) {
            const std::size_t n = static_cast<std::size_t>(f.count);
            visit(++s, std::span<const double>(m_x.data() + f.first, n),
                std::span<const double>(m_y.data() + f.first, n));
        }
    }

    // A stand-alone copy of feature s (vertices 1..n, box), e.g. for turning a
    // polygon into a block boundary.
    ShapeRecord record(int s) const;
    // Appends a feature holding the given vertices 1..upperBound() and box.
    void append(const ShapeRecord& shape);

    // Drops the space left behind by re-dimensioned features and any spare
    // capacity; readers call it once when done.
    void compact();

    // Coordinates held by features (not counting unused buffer space).
    std::int64_t vertexTotal() const;
    // Bytes the list holds on the heap, spare capacity included.
    std::size_t heapBytes() const;

private:
    struct Feature
    {
        std::int64_t first = 0; // index of vertex 1 in m_x and m_y
        std::int32_t count = 0;
        ShapeBox box;
    };

    Feature& feature(int s);
    const Feature& feature(int s) const;
    std::size_t vertexIndex(int s, int p) const;

    // Large blocks: a big layer's memory arrives in huge pages (see
    // large_block_allocator.h).
    LargeVector<Feature> m_features; // feature s at index s - 1
    LargeVector<double> m_x;
    LargeVector<double> m_y;
};

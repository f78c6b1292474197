#include "platform/pixel_clipping.h"

#include <algorithm>
#include <cmath>

namespace {

enum class Edge { Left, Top, Right, Bottom };

bool inside(const QPointF& p, Edge edge, const PixelBounds& b)
{
    switch (edge) {
    case Edge::Left:
        return p.x() >= b.left;
    case Edge::Top:
        return p.y() >= b.top;
    case Edge::Right:
        return p.x() <= b.right;
    case Edge::Bottom:
        return p.y() <= b.bottom;
    }
    return true;
}

// Where the segment a-b crosses the edge's line; a and b lie on either side.
QPointF crossing(const QPointF& a, const QPointF& b, Edge edge, const PixelBounds& bounds)
{
    const bool vertical = edge == Edge::Left || edge == Edge::Right;
    const double at = edge == Edge::Left ? bounds.left
        : edge == Edge::Right            ? bounds.right
        : edge == Edge::Top              ? bounds.top
                                         : bounds.bottom;
    if (vertical) {
        const double t = (at - a.x()) / (b.x() - a.x());
        return { at, a.y() + t * (b.y() - a.y()) };
    }
    const double t = (at - a.y()) / (b.y() - a.y());
    return { a.x() + t * (b.x() - a.x()), at };
}

} // namespace

PixelBounds farBounds(int width, int height)
{
    return { -FarMargin, -FarMargin, width + FarMargin, height + FarMargin };
}

bool clipSegment(QPointF& from, QPointF& to, const PixelBounds& bounds)
{
    const double dx = to.x() - from.x();
    const double dy = to.y() - from.y();
    double t0 = 0.0;
    double t1 = 1.0;
    // For each edge: p is the motion towards outside, q the room left inside.
    const double p[4] = { -dx, dx, -dy, dy };
    const double q[4] = { from.x() - bounds.left, bounds.right - from.x(), from.y() - bounds.top,
        bounds.bottom - from.y() };
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) {
                return false; // parallel to this edge and outside it
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            t0 = std::max(t0, t);
        } else {
            t1 = std::min(t1, t);
        }
        if (t0 > t1) {
            return false;
        }
    }
    const QPointF start = from;
    to = QPointF(start.x() + t1 * dx, start.y() + t1 * dy);
    from = QPointF(start.x() + t0 * dx, start.y() + t0 * dy);
    return true;
}

std::vector<std::vector<QPointF>> clipPolyline(const std::vector<QPointF>& points, const PixelBounds& bounds)
{
    std::vector<std::vector<QPointF>> runs;
    std::vector<QPointF> run;
    for (std::size_t i = 1; i < points.size(); ++i) {
        QPointF a = points[i - 1];
        QPointF b = points[i];
        if (!clipSegment(a, b, bounds)) {
            if (run.size() > 1) {
                runs.push_back(std::move(run));
            }
            run.clear();
            continue;
        }
        if (run.empty() || run.back() != a) {
            if (run.size() > 1) {
                runs.push_back(std::move(run));
            }
            run.assign(1, a);
        }
        run.push_back(b);
    }
    if (run.size() > 1) {
        runs.push_back(std::move(run));
    }
    return runs;
}

std::vector<QPointF> clipRing(const std::vector<QPointF>& ring, const PixelBounds& bounds)
{
    std::vector<QPointF> current = ring;
    std::vector<QPointF> next;
    for (Edge edge : { Edge::Left, Edge::Top, Edge::Right, Edge::Bottom }) {
        next.clear();
        const std::size_t n = current.size();
        for (std::size_t i = 0; i < n; ++i) {
            const QPointF& a = current[(i + n - 1) % n];
            const QPointF& b = current[i];
            const bool aIn = inside(a, edge, bounds);
            const bool bIn = inside(b, edge, bounds);
            if (bIn) {
                if (!aIn) {
                    next.push_back(crossing(a, b, edge, bounds));
                }
                next.push_back(b);
            } else if (aIn) {
                next.push_back(crossing(a, b, edge, bounds));
            }
        }
        current.swap(next);
        if (current.empty()) {
            break;
        }
    }
    return current;
}

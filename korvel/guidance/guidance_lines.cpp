#include "korvel/guidance/guidance_lines.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace {

// An edge j -> j2 of the turned boundary; it crosses the sweep lines with
// lo < x < hi.
struct SweepEdge
{
    double lo = 0.0;
    double hi = 0.0;
    int from = 0;
    int to = 0;
};

// The boundary in the frame of the bearing, vertex 1 at the origin.
struct TurnedBoundary
{
    std::vector<double> across; // c, 1..n
    std::vector<double> along; // a, 1..n
    double cmin = 0.0;
    double cmax = 0.0;
};

TurnedBoundary turn(const std::vector<double>& east, const std::vector<double>& north, int n, double cosT,
    double sinT)
{
    TurnedBoundary turned;
    turned.across.assign(std::size_t(n) + 1, 0.0);
    turned.along.assign(std::size_t(n) + 1, 0.0);
    for (std::size_t i = 1; i <= std::size_t(n); ++i) {
        const double dE = east[i] - east[1];
        const double dN = north[i] - north[1];
        turned.across[i] = dE * cosT - dN * sinT;
        turned.along[i] = dE * sinT + dN * cosT;
        turned.cmin = std::min(turned.cmin, turned.across[i]);
        turned.cmax = std::max(turned.cmax, turned.across[i]);
    }
    return turned;
}

std::vector<SweepEdge> sortedEdges(const TurnedBoundary& turned, int n)
{
    std::vector<SweepEdge> edges;
    edges.reserve(std::size_t(n));
    for (int j = 1; j <= n; ++j) {
        const int j2 = j < n ? j + 1 : 1;
        const double c1 = turned.across[std::size_t(j)];
        const double c2 = turned.across[std::size_t(j2)];
        edges.push_back({ std::min(c1, c2), std::max(c1, c2), j, j2 });
    }
    std::sort(edges.begin(), edges.end(), [](const SweepEdge& l, const SweepEdge& r) { return l.lo < r.lo; });
    return edges;
}

GuidanceSegment turnedBack(const GuidanceSegment& line, double e1, double n1, double cosT, double sinT)
{
    // cos(-theta) = cos theta, sin(-theta) = -sin theta.
    return { e1 + line.x1 * cosT + line.y1 * sinT, n1 - line.x1 * sinT + line.y1 * cosT,
        e1 + line.x2 * cosT + line.y2 * sinT, n1 - line.x2 * sinT + line.y2 * cosT };
}

GuidanceLayout refused(GuidanceRefusal refusal, int intercepts = 0)
{
    GuidanceLayout layout;
    layout.refusal = refusal;
    layout.intercepts = intercepts;
    return layout;
}

} // namespace

GuidanceLayout layGuidanceLines(const std::vector<double>& east, const std::vector<double>& north,
    int count, double bearing, float swath, float offset)
{
    if (!(swath > 0.0f) || !std::isfinite(swath)) {
        return refused(GuidanceRefusal::NoSwath);
    }
    if (!std::isfinite(bearing)) {
        return refused(GuidanceRefusal::NoDirection);
    }
    const int stored = int(std::min(east.size(), north.size())) - 1;
    const int n = std::clamp(count, 0, std::max(stored, 0));
    if (n < 1) {
        return {};
    }
    const double cosT = std::cos(bearing);
    const double sinT = std::sin(bearing);
    const TurnedBoundary turned = turn(east, north, n, cosT, sinT);
    double x = turned.cmin + double(offset);
    if (!std::isfinite(turned.cmax - x) || x > turned.cmax) {
        return {}; // no sweep line inside the boundary (or no number in it)
    }
    // The sweep lines are counted before any is laid, so a swath far too
    // small for the block is refused at once rather than looped over.
    const double positions = std::floor((turned.cmax - x) / double(swath)) + 1.0;
    if (positions > MaxGuidanceLines) {
        return refused(GuidanceRefusal::TooManyLines);
    }

    const std::vector<SweepEdge> edges = sortedEdges(turned, n);
    std::vector<int> active; // indices into edges that may span the sweep line
    std::vector<double> hits;
    GuidanceLayout layout;
    std::size_t next = 0;
    // One step more than counted allows for the rounding of the summed x.
    for (int step = 0; step <= int(positions) && x <= turned.cmax; ++step, x += double(swath)) {
        while (next < edges.size() && edges[next].lo < x) {
            active.push_back(int(next++));
        }
        hits.clear();
        for (std::size_t k = 0; k < active.size();) {
            const SweepEdge& edge = edges[std::size_t(active[k])];
            if (edge.hi <= x) {
                active[k] = active.back(); // passed for good: x only grows
                active.pop_back();
                continue;
            }
            const double c1 = turned.across[std::size_t(edge.from)];
            const double a1 = turned.along[std::size_t(edge.from)];
            const double c2 = turned.across[std::size_t(edge.to)];
            const double a2 = turned.along[std::size_t(edge.to)];
            hits.push_back(a1 + (a2 - a1) * (x - c1) / (c2 - c1));
            ++k;
        }
        if (hits.size() % 2 != 0) {
            return refused(GuidanceRefusal::OddIntercepts, int(hits.size()));
        }
        std::sort(hits.begin(), hits.end());
        for (std::size_t h = 0; h < hits.size(); h += 2) {
            if (int(layout.lines.size()) >= MaxGuidanceLines) {
                return refused(GuidanceRefusal::TooManyLines);
            }
            layout.lines.push_back({ x, hits[h], x, hits[h + 1] });
        }
    }
    for (GuidanceSegment& line : layout.lines) {
        line = turnedBack(line, east[1], north[1], cosT, sinT);
    }
    return layout;
}

double edgeBearing(const std::vector<double>& east, const std::vector<double>& north, int count, int edge)
{
    const int stored = int(std::min(east.size(), north.size())) - 1;
    if (edge < 1 || edge > count || count > stored) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    const int to = edge < count ? edge + 1 : 1;
    const double dx = east[std::size_t(to)] - east[std::size_t(edge)];
    const double dy = north[std::size_t(to)] - north[std::size_t(edge)];
    constexpr double pi = std::numbers::pi;
    if (dx == 0.0) {
        return dy > 0.0 ? 0.0 : pi;
    }
    return dx > 0.0 ? pi / 2.0 - std::atan(dy / dx) : 3.0 * pi / 2.0 - std::atan(dy / dx);
}

QString guidanceRefusalMessage(const GuidanceLayout& layout)
{
    switch (layout.refusal) {
    case GuidanceRefusal::OddIntercepts:
        return QStringLiteral("Error computing guidance lines.\rPlease choose another angle/spacing value\r"
                              "(Intercepts = %1)")
            .arg(layout.intercepts);
    case GuidanceRefusal::TooManyLines:
        return QStringLiteral("Error computing guidance lines.\rMore than %1 lines would be laid over the "
                              "block.\rPlease choose a wider swath.")
            .arg(MaxGuidanceLines);
    case GuidanceRefusal::None:
    case GuidanceRefusal::NoSwath:
    case GuidanceRefusal::NoDirection:
    case GuidanceRefusal::OutOfReach: // told with the block's name (guidance_preview.h)
        break;
    }
    return QString();
}

#include "korvel/shell/label_placement.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Less than this (in the caller's unit) is rounding, not an overlap.
constexpr double Touching = 1e-6;

// Closer than `gap` side by side, or overlapping.
bool crowds(const QRectF& a, const QRectF& b, double gap)
{
    return labelsOverlap(a.adjusted(-gap, 0.0, gap, 0.0), b);
}

bool crowdsAny(const QRectF& rect, const std::vector<QRectF>& others, double gap)
{
    return std::any_of(
        others.begin(), others.end(), [&](const QRectF& other) { return crowds(rect, other, gap); });
}

bool inside(const QRectF& rect, const QRectF& bounds)
{
    return rect.left() >= bounds.left() - Touching && rect.right() <= bounds.right() + Touching
        && rect.top() >= bounds.top() - Touching && rect.bottom() <= bounds.bottom() + Touching;
}

} // namespace

bool labelsOverlap(const QRectF& a, const QRectF& b)
{
    const double width = std::min(a.right(), b.right()) - std::max(a.left(), b.left());
    const double height = std::min(a.bottom(), b.bottom()) - std::max(a.top(), b.top());
    return width > Touching && height > Touching;
}

std::vector<bool> placeAxisLabels(
    const std::vector<AxisLabelSpot>& labels, const QRectF& bounds, std::vector<QRectF>& drawn, double gap)
{
    // Labels that can never be drawn stay out at every spacing.
    std::vector<bool> possible(labels.size());
    int widestRank = 0;
    for (std::size_t i = 0; i < labels.size(); ++i) {
        possible[i] = inside(labels[i].rect, bounds) && !crowdsAny(labels[i].rect, drawn, gap);
        widestRank = std::max(widestRank, std::abs(labels[i].rank));
    }
    std::vector<bool> shown(labels.size());
    std::vector<QRectF> kept;
    for (int spacing = 1;; spacing *= 2) {
        kept.clear();
        bool clear = true;
        for (std::size_t i = 0; i < labels.size(); ++i) {
            shown[i] = possible[i] && labels[i].rank % spacing == 0;
            if (!shown[i]) {
                continue;
            }
            // Axis labels come in order along the axis: the last one kept
            // is the only one a new label can reach.
            clear = clear && (kept.empty() || !crowds(kept.back(), labels[i].rect, gap));
            kept.push_back(labels[i].rect);
        }
        if (clear || spacing > widestRank) {
            break;
        }
    }
    drawn.insert(drawn.end(), kept.begin(), kept.end());
    return shown;
}

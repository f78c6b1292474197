// Which of an axis's labels are drawn: all that fit, else every second or
// fourth by rank; never one over a label already drawn or out of bounds.
#include "korvel/shell/label_placement.h"

#include <gtest/gtest.h>

namespace {

// Labels 10 wide along x, `pitch` apart, ranked 0, 1, 2, ...
std::vector<AxisLabelSpot> row(int count, double pitch)
{
    std::vector<AxisLabelSpot> labels;
    for (int i = 0; i < count; ++i) {
        labels.push_back({ QRectF(i * pitch, 0, 10, 5), i });
    }
    return labels;
}

TEST(LabelPlacement, KeepsEveryLabelThatFitsOrEverySecondOrFourth)
{
    struct Case
    {
        const char* name;
        std::vector<AxisLabelSpot> labels;
        std::vector<QRectF> drawn;
        std::vector<bool> shown;
        double gap = 0.0;
    };
    const QRectF bounds(0, 0, 100, 5);
    const Case cases[] = {
        { "room for all, edges touching", row(5, 10), {}, { true, true, true, true, true } },
        { "half a label apart: every second", row(5, 6), {}, { true, false, true, false, true } },
        { "a quarter apart: every fourth", row(6, 3), {}, { true, false, false, false, true, false } },
        { "one over a drawn label", row(3, 20), { QRectF(45, 0, 10, 5) }, { true, true, false } },
        { "one out of bounds", row(3, 46), {}, { true, true, false } },
        { "side by side closer than the gap", row(3, 11), {}, { true, false, true }, 2.0 },
        { "ranks from the axis's centre",
            { { QRectF(0, 0, 10, 5), -1 }, { QRectF(6, 0, 10, 5), 0 }, { QRectF(12, 0, 10, 5), 1 } }, {},
            { false, true, false } },
    };
    for (const Case& c : cases) {
        std::vector<QRectF> drawn = c.drawn;
        EXPECT_EQ(placeAxisLabels(c.labels, bounds, drawn, c.gap), c.shown) << c.name;
        EXPECT_EQ(
            drawn.size(), c.drawn.size() + std::size_t(std::count(c.shown.begin(), c.shown.end(), true)))
            << c.name << ": the labels drawn join the drawn";
    }
}

} // namespace

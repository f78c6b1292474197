#pragma once
// Where the tick labels of a graph's axis go when the axis has more of them
// than room: a tall bar gives twenty-odd percent labels a few pixels apart,
// and narrow bins give labels wider than the bin. Rather than piling them up
// or cutting them, every second (or fourth, ...) label is drawn, always on
// the same round values, and a label that would cover one already drawn or
// cross the edge of its picture, frame or page is left out. The statistics
// window, the printed statistics page and the meteorology window's graphs
// place their labels through this.
//
//     std::vector<QRectF> drawn { zeroLabelRect };
//     const std::vector<bool> shown = placeAxisLabels(spots, frameRect, drawn);
#include <QRectF>
#include <vector>

struct AxisLabelSpot
{
    QRectF rect; // where the label would be drawn, whole
    // The label's place on its axis counted from a round value (0 at 0 %,
    // at the axis's centre or at its start): at a spacing of n only the
    // labels whose rank is a multiple of n are drawn.
    int rank = 0;
};

// Which of an axis's labels to draw: all of them, else every second, every
// fourth, ... by rank, the first spacing at which those drawn do not cover
// each other. At any spacing a label is left out that covers one of `drawn`
// or does not lie wholly inside `bounds`. Side by side, labels less than
// `gap` apart (a blank's width, so that "-5%" and "0%" do not read as one)
// count as covering each other. The rectangles of the labels drawn are added
// to `drawn`, so the next axis keeps clear of them.
std::vector<bool> placeAxisLabels(const std::vector<AxisLabelSpot>& labels, const QRectF& bounds,
    std::vector<QRectF>& drawn, double gap = 0.0);

// True when the two rectangles share an area (touching edges do not count).
bool labelsOverlap(const QRectF& a, const QRectF& b);

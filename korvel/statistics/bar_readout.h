#pragma once
// The bar readout of the statistics window: the value of the bar under the
// pointer, shown as the graph picture's tooltip.
#include "korvel/statistics/histogram_graphs.h"

#include <QString>

// The tooltip of a graph for the pointer at (X, Y) in its readout scale: the
// percentage of the bar under the pointer ("12.5 %"; graph 6 cut to two
// decimals, "66.66 %"), shown while the pointer is on or below the top of the
// bar or no more than 5 % above the bottom. Empty above the bar, off the
// graph's bins and for a graph with no total.
QString barReadout(const HistogramGraph& graph, StatGraph which, float X, float Y);

#include "korvel/statistics/bar_readout.h"

#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

#include <cmath>

namespace {

// Below this height (percent) the readout shows even above a bar, so that
// short and empty bars can be read.
constexpr float LowReadout = 5.0f;

// The readout's bin under x: graph 3 rounds x / 5 with halves away from 0
// (a bar spans 5 % either side of its step), graph 4 takes the whole number
// below x, the others cut x toward zero.
double readoutBin(StatGraph which, float X)
{
    const double x = X;
    switch (which) {
    case ApplicationRateGraph: {
        const double sign = x > 0.0 ? 1.0 : (x < 0.0 ? -1.0 : 0.0);
        return std::trunc((x + 2.5 * sign) / 5.0);
    }
    case CrossTrackGraph:
        return std::floor(x);
    default:
        return std::trunc(x);
    }
}

} // namespace

QString barReadout(const HistogramGraph& graph, StatGraph which, float X, float Y)
{
    if (graph.total <= 0.0) {
        return QString();
    }
    const double index = readoutBin(which, X) - graph.firstReadoutBin;
    if (!(index >= 0.0 && index < double(graph.counts.size()))) {
        return QString();
    }
    const double percent = graph.counts[std::size_t(index)] / graph.total * 100.0;
    if (float(percent) < Y && Y > LowReadout) {
        return QString();
    }
    if (which == DGPSGraph) {
        // Cut, not rounded, to two decimals, with no trailing zeros.
        return CStr(std::floor(percent * 100.0) / 100.0) + QStringLiteral(" %");
    }
    return Format(percent, QStringLiteral("0.0#")) + QStringLiteral(" %");
}

#include "korvel/statistics/report_histograms.h"

#include "korvel/shell/label_placement.h"
#include "korvel/statistics/report_layout.h"
#include "platform/vb_colors.h"
#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

namespace {

constexpr int GridStep = 5; // percent
constexpr double PercentLabelGapDots = 5.0; // from a percent label's blank to the frame
constexpr double UpperLabelDropDots = 3.0; // graphs 1 and 2's value labels below the frame
constexpr int FrameDots = 3;

// One graph as printed: its frame in twips, its percent scale and the room
// its labels may take.
struct GraphFrame
{
    double left = 0.0;
    double top = 0.0;
    double width = 0.0;
    double height = 0.0;
    double bottom = 0.0;
    // Minus the percentage at the top edge, as the window's picture holds
    // its ScaleHeight: p percent lies p / -scaleHeight of the height up.
    double scaleHeight = 0.0;
    // Where the value labels may go: from the frame's bottom edge to the
    // next frame's top (the printable area's bottom under the last).
    double labelsEnd = 0.0;
};

GraphFrame graphFrame(
    const Printer& printer, const StatisticsPageGeometry& geometry, const ReportHistograms& histograms, int k)
{
    const std::size_t at = std::size_t(k);
    GraphFrame frame;
    frame.left = geometry.GraphLeft[at];
    frame.top = geometry.GraphTop[at];
    frame.width = geometry.GraphWidth;
    frame.height = geometry.GraphHeight;
    frame.bottom = geometry.bottom(k);
    frame.scaleHeight = -histograms.graphs[at].readout.top;
    frame.labelsEnd = k < PrintedGraphCount ? double(geometry.GraphTop[at + 1])
                                            : double(printer.ScaleTop() + printer.ScaleHeight());
    return frame;
}

double percentY(const GraphFrame& frame, double percent)
{
    return frame.bottom + frame.height * percent / frame.scaleHeight;
}

// A label waiting to be printed: its text where it would stand.
struct PendingLabel
{
    QString text;
    AxisLabelSpot spot;
};

// Prints those of an axis's labels that cover nothing printed before and
// stay inside `bounds`: all, or every second, fourth, ... where they would
// run together (closer than half a blank side by side).
void printLabels(Printer& printer, const std::vector<PendingLabel>& labels, const QRectF& bounds,
    std::vector<QRectF>& drawn)
{
    std::vector<AxisLabelSpot> spots;
    for (const PendingLabel& label : labels) {
        spots.push_back(label.spot);
    }
    const std::vector<bool> shown
        = placeAxisLabels(spots, bounds, drawn, printer.TextWidth(QStringLiteral(" ")) / 2.0);
    for (std::size_t i = 0; i < labels.size(); ++i) {
        if (shown[i]) {
            printer.setCurrentX(labels[i].spot.rect.left());
            printer.setCurrentY(labels[i].spot.rect.top());
            printer.Print(labels[i].text);
        }
    }
}

// A label of `text` centred on x, its line's top at y.
PendingLabel centredLabel(const Printer& printer, const QString& text, double x, double y, int rank)
{
    const double width = printer.TextWidth(text);
    return { text, { QRectF(x - width / 2.0, y, width, printer.TextHeight(text)), rank } };
}

// The grid lines every 5 % up to the axis top; none when nothing was counted.
void printGrid(Printer& printer, const GraphFrame& frame, const HistogramGraph& graph)
{
    if (!(graph.total > 0.0)) {
        return;
    }
    const double highest = -frame.scaleHeight;
    for (int percent = GridStep; percent <= highest; percent += GridStep) {
        const double y = percentY(frame, percent);
        printer.Line(frame.left, y, frame.left + frame.width, y, QBColor(0));
    }
}

// A label at every grid line, centred on it and ending a blank and 5 dots
// left of the frame, inside the band of the frame's height (half a line
// above it for a line on the top edge).
void printPercentLabels(
    Printer& printer, const GraphFrame& frame, const HistogramGraph& graph, std::vector<QRectF>& drawn)
{
    if (!(graph.total > 0.0)) {
        return;
    }
    const double gap
        = printer.TextWidth(QStringLiteral(" ")) + PercentLabelGapDots * printer.TwipsPerPixelX();
    std::vector<PendingLabel> labels;
    const double highest = -frame.scaleHeight;
    for (int percent = GridStep; percent <= highest; percent += GridStep) {
        const QString text = CStr(percent) + u'%';
        const double width = printer.TextWidth(text);
        const double height = printer.TextHeight(text);
        const QRectF rect(frame.left - gap - width, percentY(frame, percent) - height / 2.0, width, height);
        labels.push_back({ text, { rect, percent / GridStep } });
    }
    const double halfLine = printer.TextHeight(QStringLiteral("0")) / 2.0;
    const QRectF bounds(
        QPointF(printer.ScaleLeft(), frame.top - halfLine), QPointF(frame.left, frame.bottom));
    printLabels(printer, labels, bounds, drawn);
}

// The value labels of a graph: their texts, the x each is centred on, and
// each one's rank from the axis's start or centre.
std::vector<PendingLabel> valueLabels(
    Printer& printer, int k, const GraphFrame& frame, const SprayStatistics& pass)
{
    const double upper = frame.bottom + UpperLabelDropDots * printer.TwipsPerPixelY();
    const double lower = frame.bottom + LowerLabelDrop;
    const double w = frame.width;
    std::vector<PendingLabel> labels;
    switch (k) {
    case SprayTimeGraph:
    case TurnTimeGraph: {
        const double start = k == SprayTimeGraph ? 0.0 : pass.MinTurnTime;
        const double width = k == SprayTimeGraph ? pass.SprayBinWidth : pass.TurnBinWidth;
        for (int i = 0; i <= 10; ++i) {
            labels.push_back(
                centredLabel(printer, CStr(start + i * width), frame.left + i * w / 10.0, upper, i));
        }
        break;
    }
    case ApplicationRateGraph:
        for (int i = 0; i <= 12; ++i) {
            labels.push_back(centredLabel(printer, CStr((70 + 5 * i) - 100) + u'%',
                frame.left + i * w / 13.0 + w / 26.0, lower, i - 6));
        }
        break;
    case CrossTrackGraph:
        for (int i = 0; i <= 10; ++i) {
            labels.push_back(centredLabel(printer, Format(i * 0.25 - 1.25, QStringLiteral("0.00")),
                frame.left + i * w / 11.0 + w / 22.0, lower, i - 5));
        }
        break;
    case AltitudeGraph:
        for (int i = 0; i <= 10; ++i) {
            labels.push_back(centredLabel(printer,
                Format(double(pass.MinAltitude) + i * pass.AltitudeBinWidth, QStringLiteral("0")),
                frame.left + i * w / 10.0, lower, i));
        }
        break;
    default:
        break;
    }
    return labels;
}

// The markers of the open-ended outer bins of graphs 3 and 4, "<" and ">",
// centred under those bins on the value labels' line; the outer number
// labels give way to them.
std::vector<PendingLabel> outerBinMarkers(const Printer& printer, int k, const GraphFrame& frame)
{
    const double y = frame.bottom + LowerLabelDrop;
    const int bins = k == ApplicationRateGraph ? RateBinCount : k == CrossTrackGraph ? CrossTrackBinCount : 0;
    if (bins == 0) {
        return {};
    }
    const double slot = frame.width / bins;
    return { centredLabel(printer, QStringLiteral("<"), frame.left + slot / 2.0, y, 0),
        centredLabel(printer, QStringLiteral(">"), frame.left + frame.width - slot / 2.0, y, 0) };
}

void printValueLabels(
    Printer& printer, int k, const GraphFrame& frame, const SprayStatistics& pass, std::vector<QRectF>& drawn)
{
    const QRectF bounds(QPointF(printer.ScaleLeft(), frame.bottom),
        QPointF(printer.ScaleLeft() + printer.ScaleWidth(), frame.labelsEnd));
    // Each marker is placed on its own, so that neither thins the other.
    for (const PendingLabel& marker : outerBinMarkers(printer, k, frame)) {
        printLabels(printer, { marker }, bounds, drawn);
    }
    printLabels(printer, valueLabels(printer, k, frame, pass), bounds, drawn);
}

// Side by side, each its slot of the frame's width; none when nothing was
// counted, where a share of the total has no value.
void printBars(Printer& printer, const GraphFrame& frame, const HistogramGraph& graph)
{
    if (!(graph.total > 0.0) || !(frame.scaleHeight < 0.0) || graph.counts.empty()) {
        return;
    }
    const double slot = frame.width / double(graph.counts.size());
    for (std::size_t j = 0; j < graph.counts.size(); ++j) {
        const float height
            = float(((graph.counts[j] / graph.total) * 100.0 / frame.scaleHeight) * frame.height);
        const double left = frame.left + double(j) * slot;
        printer.LineBox(left, frame.bottom, left + slot, frame.bottom + height, QBColor(0));
    }
}

void printFrame(Printer& printer, const GraphFrame& frame)
{
    printer.setCurrentX(frame.left);
    printer.setCurrentY(frame.top);
    printer.LineBox(printer.CurrentX(), printer.CurrentY(), printer.CurrentX() + frame.width,
        printer.CurrentY() + frame.height, QBColor(0));
}

} // namespace

ReportHistograms reportHistograms(const SprayStatistics& pass)
{
    ReportHistograms histograms;
    histograms.pass = pass;
    for (int k = 1; k <= PrintedGraphCount; ++k) {
        histograms.graphs[std::size_t(k)] = histogramGraph(pass, StatGraph(k));
    }
    return histograms;
}

void printHistograms(
    Printer& printer, const StatisticsPageGeometry& geometry, const ReportHistograms& histograms)
{
    setReportFont(printer, GraphLabelPoints, false);
    printer.setDrawWidth(1);
    printer.setFillStyle(vbFSTransparent);
    std::vector<QRectF> drawn; // the labels printed so far, which the next keep clear of
    for (int k = 1; k <= PrintedGraphCount; ++k) {
        const GraphFrame frame = graphFrame(printer, geometry, histograms, k);
        const HistogramGraph& graph = histograms.graphs[std::size_t(k)];
        printGrid(printer, frame, graph);
        printValueLabels(printer, k, frame, histograms.pass, drawn);
        printPercentLabels(printer, frame, graph, drawn);
    }

    printer.setFillColor(QBColor(0));
    printer.setFillStyle(vbDownwardDiagonal);
    for (int k = 1; k <= PrintedGraphCount; ++k) {
        printBars(printer, graphFrame(printer, geometry, histograms, k), histograms.graphs[std::size_t(k)]);
    }

    printer.setFillStyle(vbFSTransparent);
    printer.setDrawWidth(FrameDots);
    for (int k = 1; k <= PrintedGraphCount; ++k) {
        printFrame(printer, graphFrame(printer, geometry, histograms, k));
    }
}

#include "korvel/statistics/report_histograms.h"

#include "korvel/statistics/report_layout.h"
#include "platform/vb_colors.h"
#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

namespace {

constexpr int GridStep = 5; // percent
constexpr double PercentLabelGapDots = 5.0; // graphs 1 to 3: from the label's blank to the frame
constexpr double NarrowPercentLabelLeft = 390.0; // twips left of the frame, graphs 4 and 5
constexpr double AltitudePercentLabelLift = 90.0; // twips above its grid line
constexpr double UpperLabelDropDots = 3.0; // graphs 1 and 2's value labels below the frame
constexpr double CrossTrackMarkerIndent = 180.0; // twips into a marked slot
constexpr int FrameDots = 3;

// One graph as printed: its frame in twips and its percent scale.
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
};

GraphFrame graphFrame(const StatisticsPageGeometry& geometry, const ReportHistograms& histograms, int k)
{
    const std::size_t at = std::size_t(k);
    GraphFrame frame;
    frame.left = geometry.GraphLeft[at];
    frame.top = geometry.GraphTop[at];
    frame.width = geometry.GraphWidth;
    frame.height = geometry.GraphHeight;
    frame.bottom = geometry.bottom(k);
    frame.scaleHeight = -histograms.graphs[at].readout.top;
    return frame;
}

double percentY(const GraphFrame& frame, double percent)
{
    return frame.bottom + frame.height * percent / frame.scaleHeight;
}

// Graphs 1 to 4 put the label's top a line below its grid line; graphs 1 to
// 3 measure it with a sign blank it is printed without, so it ends a blank
// and 5 dots left of the frame.
void printPercentLabel(Printer& printer, int k, const GraphFrame& frame, int percent)
{
    const double y = percentY(frame, percent);
    const QString plain = CStr(percent) + u'%';
    const QString signBlank = Str(percent) + u'%';
    switch (k) {
    case CrossTrackGraph:
        printer.setCurrentX(frame.left - NarrowPercentLabelLeft);
        printer.setCurrentY(y + printer.TextHeight(plain));
        printer.Print(plain);
        break;
    case AltitudeGraph:
        printer.setCurrentX(frame.left - NarrowPercentLabelLeft);
        printer.setCurrentY(y - AltitudePercentLabelLift);
        printer.Print(signBlank);
        break;
    default:
        printer.setCurrentX(
            frame.left - printer.TextWidth(signBlank) - PercentLabelGapDots * printer.TwipsPerPixelX());
        printer.setCurrentY(y + printer.TextHeight(plain));
        printer.Print(plain);
        break;
    }
}

void printGrid(Printer& printer, int k, const GraphFrame& frame)
{
    const double highest = -frame.scaleHeight;
    for (int percent = GridStep; percent <= highest; percent += GridStep) {
        const double y = percentY(frame, percent);
        printer.Line(frame.left, y, frame.left + frame.width, y, QBColor(0));
        printPercentLabel(printer, k, frame, percent);
    }
}

// A value label centred on x, on the line CurrentY stands on.
void printCentred(Printer& printer, const QString& text, double x)
{
    printer.setCurrentX(x - printer.TextWidth(text) / 2.0);
    printer.Print(text);
}

// A marker of an open-ended outer bin, left-aligned at x. Its Print ends
// the line, so the number label after it stands a line lower.
void printMarker(Printer& printer, const QString& marker, double x)
{
    printer.setCurrentX(x);
    printer.Print(marker);
}

void printValueLabels(Printer& printer, int k, const GraphFrame& frame, const SprayStatistics& pass)
{
    const double upper = frame.bottom + UpperLabelDropDots * printer.TwipsPerPixelY();
    const double lower = frame.bottom + LowerLabelDrop;
    const double w = frame.width;
    switch (k) {
    case SprayTimeGraph:
        for (int i = 0; i <= 10; ++i) {
            printer.setCurrentY(upper);
            printCentred(printer, CStr(i * pass.SprayBinWidth), frame.left + i * w / 10.0);
        }
        break;
    case TurnTimeGraph:
        for (int i = 0; i <= 10; ++i) {
            printer.setCurrentY(upper);
            printCentred(printer, CStr(pass.MinTurnTime + i * pass.TurnBinWidth), frame.left + i * w / 10.0);
        }
        break;
    case ApplicationRateGraph:
        for (int i = 0; i <= 12; ++i) {
            printer.setCurrentY(lower);
            if (i == 0) {
                printMarker(printer, QStringLiteral("<"), frame.left + w / 26.0);
            }
            if (i == 12) {
                printMarker(printer, QStringLiteral(">"), frame.left + 25.0 * w / 26.0);
            }
            printCentred(printer, CStr((70 + 5 * i) - 100) + u'%', frame.left + i * w / 13.0 + w / 26.0);
        }
        break;
    case CrossTrackGraph:
        for (int i = 0; i <= 10; ++i) {
            printer.setCurrentY(lower);
            if (i == 0) {
                printMarker(printer, QStringLiteral("<"), frame.left + CrossTrackMarkerIndent);
            }
            if (i == 10) {
                printMarker(
                    printer, QStringLiteral(">"), frame.left + 10.0 * w / 11.0 + CrossTrackMarkerIndent);
            }
            printCentred(printer, Format(i * 0.25 - 1.25, QStringLiteral("0.00")),
                frame.left + i * w / 11.0 + w / 22.0);
        }
        break;
    case AltitudeGraph:
        for (int i = 0; i <= 10; ++i) {
            printer.setCurrentY(lower);
            printCentred(printer,
                Format(double(pass.MinAltitude) + i * pass.AltitudeBinWidth, QStringLiteral("0")),
                frame.left + i * w / 10.0);
        }
        break;
    default:
        break;
    }
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
    for (int k = 1; k <= PrintedGraphCount; ++k) {
        const GraphFrame frame = graphFrame(geometry, histograms, k);
        printGrid(printer, k, frame);
        printValueLabels(printer, k, frame, histograms.pass);
    }

    printer.setFillColor(QBColor(0));
    printer.setFillStyle(vbDownwardDiagonal);
    for (int k = 1; k <= PrintedGraphCount; ++k) {
        printBars(printer, graphFrame(geometry, histograms, k), histograms.graphs[std::size_t(k)]);
    }

    printer.setFillStyle(vbFSTransparent);
    printer.setDrawWidth(FrameDots);
    for (int k = 1; k <= PrintedGraphCount; ++k) {
        printFrame(printer, graphFrame(geometry, histograms, k));
    }
}

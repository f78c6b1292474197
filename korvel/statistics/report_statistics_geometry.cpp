#include "korvel/statistics/report_statistics_geometry.h"

#include "korvel/statistics/report_page_frame.h"
#include "platform/vb_numbers.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double GraphWidthDots = 1300.0;
constexpr double PaperShareDots = 1000.0; // taken off the paper height before the fifth

// The tallest frames whose fifth one's labels end at the footer's top: five
// frames, four gaps, the labels' drop and their line, from the first top.
double fittingGraphHeight(Printer& printer, const ReportLayout& layout)
{
    const double lowest = footerTop(printer, layout.ReportFontSize);
    const PrinterFont font = printer.Font();
    setReportFont(printer, GraphLabelPoints, false);
    const double labelLine = printer.TextHeight(QStringLiteral("0"));
    printer.Font() = font;
    const double room
        = lowest - FirstGraphTop - (PrintedGraphCount - 1) * GraphGap - LowerLabelDrop - labelLine;
    return std::max(0.0, std::floor(room / PrintedGraphCount));
}

} // namespace

qint16 StatisticsPageGeometry::bottom(int k) const
{
    return CInt(double(GraphTop[std::size_t(k)]) + GraphHeight);
}

StatisticsPageGeometry computeStatisticsPageGeometry(Printer& printer, const ReportLayout& layout)
{
    StatisticsPageGeometry geometry;
    geometry.GraphWidth = CInt(GraphWidthDots * printer.TwipsPerPixelX());
    const qint16 paperShare = CInt((printer.Height() - PaperShareDots * printer.TwipsPerPixelY()) / 5.0);
    geometry.GraphHeight = std::min(paperShare, CInt(fittingGraphHeight(printer, layout)));
    const qint16 left = CInt(printer.Width() / 2.0 - geometry.GraphWidth / 2.0);
    for (int k = 1; k <= PrintedGraphCount; ++k) {
        geometry.GraphLeft[std::size_t(k)] = left;
        geometry.GraphTop[std::size_t(k)] = k == 1
            ? qint16(FirstGraphTop)
            : CInt(double(geometry.GraphTop[std::size_t(k - 1)]) + geometry.GraphHeight + GraphGap);
    }
    geometry.TitleIndent = CLng(printer.ScaleX(0.75, vbInches, vbTwips));
    geometry.TitleDrop = CLng(geometry.GraphHeight / 5.0);
    return geometry;
}

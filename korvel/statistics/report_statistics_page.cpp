#include "korvel/statistics/report_statistics_page.h"

#include "korvel/statistics/report_page_frame.h"

#include <array>

namespace {

const QString kHeading = QStringLiteral("Spray Statistics");

struct GraphTitle
{
    QString title;
    QString caption; // the axes: percent against the binned quantity
};

const std::array<GraphTitle, PrintedGraphCount + 1>& graphTitles()
{
    static const std::array<GraphTitle, PrintedGraphCount + 1> titles { {
        {},
        { QStringLiteral("Spray Time"), QStringLiteral("(% vs Sec)") },
        { QStringLiteral("Turn Time"), QStringLiteral("(% vs Sec)") },
        { QStringLiteral("Application Rate"), QStringLiteral("(% vs %)") },
        { QStringLiteral("X-Track Error"), QStringLiteral("(% vs Swath Width)") },
        { QStringLiteral("Altitude"), QStringLiteral("(% vs m.a.s.l.)") },
    } };
    return titles;
}

void printHeading(Printer& printer, const StatisticsPageGeometry& geometry)
{
    setReportFont(printer, 12, true);
    printer.setCurrentX((printer.Width() - printer.TextWidth(kHeading)) / 2.0);
    printer.setCurrentY(geometry.GraphTop[1] / 2.0 - printer.TextHeight(kHeading) / 2.0);
    printer.Print(kHeading);
}

// The title, then the caption on the line its Print ended on.
void printTitle(Printer& printer, const StatisticsPageGeometry& geometry, int k)
{
    const GraphTitle& title = graphTitles()[std::size_t(k)];
    printer.Font().Underline = true;
    printer.Font().Size = 11;
    if (k == 1) {
        printer.Font().Bold = false;
    }
    printer.setCurrentX(geometry.TitleIndent);
    printer.setCurrentY(double(geometry.GraphTop[std::size_t(k)]) + double(geometry.TitleDrop));
    printer.Print(title.title);
    printer.Font().Underline = false;
    printer.Font().Size = 6;
    printer.setCurrentX(geometry.TitleIndent);
    printer.Print(title.caption);
}

} // namespace

void PrintStatisticsPage(Printer& printer, const ReportLayout& layout, const StatisticsPageGeometry& geometry,
    const ReportHistograms& histograms)
{
    printer.NewPage();
    printer.Print(QString());
    printHeading(printer, geometry);
    for (int k = 1; k <= PrintedGraphCount; ++k) {
        printTitle(printer, geometry, k);
    }
    printHistograms(printer, geometry, histograms);
    PrintFooter(printer, layout.ReportFontSize);
}

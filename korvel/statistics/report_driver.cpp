#include "korvel/statistics/report_driver.h"

#include "korvel/statistics/report_header.h"
#include "korvel/statistics/report_layout.h"
#include "korvel/statistics/report_map_page.h"
#include "korvel/statistics/report_page_frame.h"
#include "korvel/statistics/report_settings.h"
#include "korvel/statistics/report_statistics_page.h"
#include "platform/vb_error.h"

#include <new>

namespace {

// The state every report starts from: black, the colour mode of the
// settings, lines one dot wide, boxes unfilled, twips, Arial 11.
void setUpPrinter(Printer& printer, const ReportLayout& layout)
{
    printer.setForeColor(0);
    printer.setColorMode(reportMapInColour() ? vbPRCMColor : vbPRCMMonochrome);
    printer.setDrawWidth(1);
    printer.setFillStyle(vbFSTransparent);
    printer.setScaleMode(vbTwips);
    printer.Font().Name = QStringLiteral("Arial");
    printer.Font().Size = layout.ReportFontSize;
}

// What every copy prints alike, worked out once before the first.
struct ReportPlan
{
    ReportLayout layout;
    StatisticsPageGeometry geometry;
    ReportHistograms histograms;
};

void printCopy(Printer& printer, const ReportPlan& plan, const ReportInputs& inputs, int copyNumber,
    FlightSelection& selection)
{
    const ReportLayout& layout = plan.layout;
    if (copyNumber > 1) {
        printer.NewPage();
        printer.setDrawWidth(1);
        printer.setFillStyle(vbFSTransparent);
    }
    const HeaderPlacement header = printReportHeader(printer, layout);
    printReportSummary(printer, layout, header, inputs.ticks, inputs.metric, selection);
    PrintFooter(printer, layout.ReportFontSize);
    PrintMapPage(printer, layout, inputs.map);
    PrintStatisticsPage(printer, layout, plan.geometry, plan.histograms);
}

void abandon(Printer& printer)
{
    printer.KillDoc();
    printer.EndDoc();
}

} // namespace

void printReportPages(Printer& printer, const ReportInputs& inputs)
{
    const ReportLayout defaults;
    setUpPrinter(printer, defaults);
    ReportPlan plan;
    plan.layout = computeReportLayout(printer);
    plan.geometry = computeStatisticsPageGeometry(printer, plan.layout);
    plan.histograms = reportHistograms(inputs.statistics);
    FlightSelection selection = emptyFlightSelection();
    for (int copy = 1; copy <= inputs.copies; ++copy) {
        printCopy(printer, plan, inputs, copy, selection);
    }
}

std::optional<ReportFailure> printReport(Printer& printer, const ReportInputs& inputs)
{
    try {
        printReportPages(printer, inputs);
        printer.EndDoc();
        return std::nullopt;
    } catch (const VbError& error) {
        abandon(printer);
        return ReportFailure { error.Number(), error.Description() };
    } catch (const std::bad_alloc&) {
        abandon(printer);
        return ReportFailure { 7, QStringLiteral("Out of memory") };
    }
}

#include "korvel/statistics/report_summary.h"

#include "korvel/statistics/report_units.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/list_rows.h"
#include "platform/control_array.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"
#include "platform/vb_runtime_errors.h"

#include <cmath>

namespace {

const QString kFlights = QStringLiteral("Flights:");
const QString kBlockArea = QStringLiteral("Block Area");
const QString kSprayedArea = QStringLiteral("Sprayed Area");
const QString kAverageSpeed = QStringLiteral("Avg. Speed");

struct Totals
{
    float blockArea = 0.0f;
    float sprayedArea = 0.0f;
    float speedSum = 0.0f;
    qint32 speedSamples = 0;
};

// Each addition in double precision, kept in single precision.
void addTo(float& total, double value)
{
    total = CSng(double(total) + value);
}

int tickOf(const SubRowTicks& ticks, int row)
{
    if (row < 1 || row >= int(ticks.size()) || ticks[std::size_t(row)] == MissingSubRow) {
        throw VbError(ControlArrayError::ElementMissing, runtimeErrorSource(),
            QStringLiteral("Control array element '%1' doesn't exist").arg(row));
    }
    return ticks[std::size_t(row)];
}

// Ticks the blocks and flights whose rows are ticked, the sub-rows numbered
// on over all blocks as the list numbers them.
void selectTickedFlights(const SubRowTicks& ticks, FlightSelection& selection)
{
    const AgnavData& agnav = agnavData();
    int rowsBefore = 0;
    for (int b = 1; b <= agnav.BlockCount; ++b) {
        const AGNAVBlock& block = agnav.Blocks[std::size_t(b)];
        const quint8 subItemBase = CByte(double(rowsBefore) + subRowsBeforeFlights(block));
        for (int f = 1; f <= block.FlightCount; ++f) {
            if (tickOf(ticks, subItemBase + f) == 1) {
                selection.BlockIncluded[std::size_t(b)] = true;
                selection.FlightIncluded[std::size_t(b)][std::size_t(f)] = true;
            }
        }
        rowsBefore = subItemBase + block.FlightCount;
    }
}

void printRightAligned(Printer& printer, const QString& text, int rightEdge, bool endLine = false)
{
    printer.setCurrentX(rightEdge - printer.TextWidth(text));
    printer.Print(text, endLine);
}

void printNextRow(Printer& printer, const ReportLayout& layout, int left, const QString& name)
{
    printer.setCurrentX(left);
    printer.setCurrentY(printer.CurrentY() + layout.LineHeight);
    printer.Print(name, false);
}

void printRows(Printer& printer, const ReportLayout& layout, const FlightSelection& selection, bool metric,
    Totals& totals)
{
    const AgnavData& agnav = agnavData();
    for (int b = 1; b <= agnav.BlockCount; ++b) {
        if (!selection.BlockIncluded[std::size_t(b)]) {
            continue;
        }
        const AGNAVBlock& block = agnav.Blocks[std::size_t(b)];
        const double area = std::fabs(block.Area);
        printNextRow(printer, layout, layout.IndentLeft, block.FileName);
        printRightAligned(printer, reportAreaText(area, metric), layout.SummaryCol1);
        addTo(totals.blockArea, area);
        for (int f = 1; f <= block.FlightCount; ++f) {
            if (!selection.FlightIncluded[std::size_t(b)][std::size_t(f)]) {
                continue;
            }
            const FlightFile& flight = block.Flights[std::size_t(f)];
            const double sprayed = flight.SprayedAreaPart1 + flight.SprayedAreaPart2;
            printNextRow(printer, layout, layout.SummaryIndent, flight.Name);
            printRightAligned(printer, reportAreaText(sprayed, metric), layout.SummaryCol2);
            printRightAligned(
                printer, reportSpeedText(flight.SpeedSum, flight.SpeedSamples, metric), layout.SummaryCol3);
            addTo(totals.speedSum, flight.SpeedSum);
            totals.speedSamples = CLng(double(totals.speedSamples) + flight.SpeedSamples);
            addTo(totals.sprayedArea, sprayed);
        }
    }
}

void printHeadings(Printer& printer, const ReportLayout& layout, qint16 summaryTop)
{
    setReportFont(printer, 9, true);
    printer.setCurrentY(summaryTop - printer.TextHeight(kBlockArea));
    printRightAligned(printer, kBlockArea, layout.SummaryCol1);
    printRightAligned(printer, kSprayedArea, layout.SummaryCol2);
    printRightAligned(printer, kAverageSpeed, layout.SummaryCol3, true);
}

// The rule under the rows, from below the start of "Block Area" to the
// right edge of the speeds, then the totals.
void printTotals(Printer& printer, const ReportLayout& layout, const Totals& totals, bool metric)
{
    printer.setCurrentX(layout.SummaryCol1 - printer.TextWidth(kBlockArea));
    printer.setCurrentY(printer.CurrentY() + printer.TextHeight(QStringLiteral("mph"))
        + printer.ScaleY(0.025, vbInches, vbTwips));
    printer.Line(
        printer.CurrentX(), printer.CurrentY(), layout.SummaryCol3, printer.CurrentY(), printer.ForeColor());
    printer.setCurrentY(printer.CurrentY() + printer.ScaleY(0.05, vbInches, vbTwips));
    printRightAligned(printer, reportTotalAreaText(totals.blockArea, metric), layout.SummaryCol1);
    printRightAligned(printer, reportTotalAreaText(totals.sprayedArea, metric), layout.SummaryCol2);
    printRightAligned(
        printer, reportSpeedText(totals.speedSum, totals.speedSamples, metric), layout.SummaryCol3);
}

} // namespace

FlightSelection emptyFlightSelection()
{
    const AgnavData& agnav = agnavData();
    FlightSelection selection;
    selection.BlockIncluded.assign(std::size_t(agnav.BlockCount) + 1, false);
    selection.FlightIncluded.resize(std::size_t(agnav.BlockCount) + 1);
    for (int b = 1; b <= agnav.BlockCount; ++b) {
        selection.FlightIncluded[std::size_t(b)].assign(
            std::size_t(agnav.Blocks[std::size_t(b)].FlightCount) + 1, false);
    }
    return selection;
}

void printReportSummary(Printer& printer, const ReportLayout& layout, const HeaderPlacement& header,
    const SubRowTicks& ticks, bool metric, FlightSelection& selection)
{
    setReportFont(printer, 12, true);
    const qint16 applicationEnd = CInt(double(header.ApplicationTop) + header.ApplicationHeight);
    const qint16 summaryTop = CInt(applicationEnd + 3.0 * printer.TextHeight(kFlights));
    printBlockHeading(printer, layout, kFlights, summaryTop);
    printHeadings(printer, layout, summaryTop);

    setReportFont(printer, layout.ReportFontSize, false);
    printer.setCurrentY(summaryTop + 5.0 * printer.TwipsPerPixelY() - layout.LineHeight);
    selectTickedFlights(ticks, selection);
    Totals totals;
    printRows(printer, layout, selection, metric, totals);
    printTotals(printer, layout, totals, metric);
}

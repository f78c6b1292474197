#pragma once
// The end of the report's first page: "Flights:", then a row for each
// AG-NAV block with at least one ticked flight (its file name and area) and
// under it an indented row for each ticked flight (its file name, sprayed
// area and average speed), a rule, and the totals row (the areas summed, the
// speed averaged over all samples of the listed flights). A flight is listed
// when its row in the "Loaded Files" list is ticked, that is when it shows
// on the map. Names print whole, the figures over them where they run long.
//
// Block areas print and add as positive numbers whatever the order of the
// boundary's vertices. A row or total with no sample to average prints
// "n/a" for its speed.
#include "korvel/statistics/report_header.h"
#include "korvel/statistics/report_layout.h"
#include "platform/printer.h"

#include <vector>

// The tick states of the block sub-rows of the "Loaded Files" list, by
// row number from 1 (element 0 unused): 1 ticked, 0 not, 2 greyed, and
// MissingSubRow where the list has no such row.
using SubRowTicks = std::vector<int>;
inline constexpr int MissingSubRow = -1;

// The blocks and flights a report lists, by block and flight number from 1
// (element 0 unused). They only ever become true during a report, so every
// copy lists what the first did.
struct FlightSelection
{
    std::vector<bool> BlockIncluded;
    std::vector<std::vector<bool>> FlightIncluded; // [block][flight]
};

// All false, sized by the loaded blocks and their flights.
FlightSelection emptyFlightSelection();

// Leaves the font at ReportFontSize, not bold. Raises 340 for a row number
// the list has no row for, 6 for a position or count beyond its range.
void printReportSummary(Printer& printer, const ReportLayout& layout, const HeaderPlacement& header,
    const SubRowTicks& ticks, bool metric, FlightSelection& selection);

#pragma once
// The report's last page: the spray statistics. It always follows the first
// page, or the map page when that is printed, on a page of its own: the
// heading "Spray Statistics" (Arial 12 bold) centred on the paper width at
// half the first frame's top, then for each of the five graphs its title
// (Arial 11, underlined) at TitleIndent, TitleDrop below its frame's top,
// with the caption naming its axes (Arial 6) on the line under it; then the
// five printed histograms and the footer.
#include "korvel/statistics/report_histograms.h"
#include "korvel/statistics/report_layout.h"
#include "korvel/statistics/report_statistics_geometry.h"
#include "platform/printer.h"

// Starts the page, prints the statistics and the footer.
void PrintStatisticsPage(Printer& printer, const ReportLayout& layout, const StatisticsPageGeometry& geometry,
    const ReportHistograms& histograms);

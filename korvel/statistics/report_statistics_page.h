#pragma once
// The report's last page: the spray statistics. It always follows the first
// page, or the map page when that is printed, on a page of its own that
// ends with the footer.
#include "korvel/statistics/report_layout.h"
#include "platform/printer.h"

// Starts the page, prints the statistics and the footer.
void PrintStatisticsPage(Printer& printer, const ReportLayout& layout);

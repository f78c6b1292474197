#include "korvel/statistics/report_statistics_page.h"

#include "korvel/statistics/report_page_frame.h"

void PrintStatisticsPage(Printer& printer, const ReportLayout& layout)
{
    printer.NewPage();
    // The heading, the five graph titles and the histograms of the
    // statistics window's pass come here with the statistics window.
    PrintFooter(printer, layout.ReportFontSize);
}

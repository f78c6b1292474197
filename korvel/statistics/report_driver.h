#pragma once
// The printed application report, once the report settings dialog has been
// accepted: the printer set up, the layout values computed once, then each
// copy's pages, every page ending with its footer,
//
//   1. the title, the company, client and application blocks and the
//      flights summary;
//   2. the map page, when the settings ask for it;
//   3. the statistics page: five of the statistics window's histograms,
//
// a new page before each copy after the first, and the job ended once after
// the last copy. Any error ends the run at once: the job is abandoned
// (nothing printed, no file written) and the error handed back.
#include "korvel/statistics/report_summary.h"
#include "korvel/statistics/spray_statistics.h"
#include "platform/printer.h"

#include <QImage>
#include <QString>
#include <optional>

struct ReportInputs
{
    QImage map; // the map picture as the main window last drew it
    SubRowTicks ticks; // the "Loaded Files" list's block sub-rows
    bool metric = true; // hectares and km/h, else acres and mph
    SprayStatistics statistics; // the statistics window's pass
    int copies = 1;
};

struct ReportFailure
{
    long number = 0;
    QString description;
    // The user cancelled (the PDF file's Save dialog): nothing to show.
    bool isCancel() const { return number == 0 || number == PrinterError::Cancelled; }
};

// Prints the report; nothing on success, the error after the job was abandoned.
std::optional<ReportFailure> printReport(Printer& printer, const ReportInputs& inputs);

// Every copy's pages into the printer's open job, which is left open (the
// job's pages can then be read back); errors are raised.
void printReportPages(Printer& printer, const ReportInputs& inputs);

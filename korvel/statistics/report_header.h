#pragma once
// The top of the report's first page: the title, centred on the paper, and
// the company, client and application blocks one below the other, each a
// bold heading standing a quarter inch left of the block column and rows of
// labels with the stored values beside them. Values print as stored, never
// wrapped or shortened; an empty value leaves its row's value blank.
//
// A block's height is its rows (an address takes one row a line) times
// LineHeight and 5 dots; the next block's top lies three heading lines
// below, the last of which holds its heading.
#include "korvel/statistics/report_layout.h"
#include "platform/printer.h"

#include <QtGlobal>

// Where the application block lies, for the summary placed below it.
struct HeaderPlacement
{
    qint16 ApplicationTop = 0;
    qint16 ApplicationHeight = 0;
};

// Leaves the font at ReportFontSize, not bold.
HeaderPlacement printReportHeader(Printer& printer, const ReportLayout& layout);

// The heading's place: its line ends 5 display pixels above the block's top.
// Shared with the summary's "Flights:", which stands the same way.
void printBlockHeading(Printer& printer, const ReportLayout& layout, const QString& heading, double top);

#include "korvel/statistics/report_layout.h"

#include "platform/vb_numbers.h"

void setReportFont(Printer& printer, double size, bool bold)
{
    printer.Font().Size = size;
    printer.Font().Bold = bold;
}

ReportLayout computeReportLayout(Printer& printer)
{
    ReportLayout layout;
    const double width = printer.Width();
    const double dotX = printer.TwipsPerPixelX();
    layout.PageCentre = CInt(width / 2.0);
    layout.LabelLeft = CInt((width - layout.PageCentre) / 2.0);
    layout.TopMargin = CInt(printer.Height() / 8.0);
    layout.IndentLeft = CInt(layout.LabelLeft + 10.0 * dotX);

    setReportFont(printer, layout.ReportFontSize, false);
    layout.ContactValueLeft
        = CInt(layout.LabelLeft + printer.TextWidth(QStringLiteral("Address:")) + 20.0 * dotX);
    layout.ApplicationValueLeft
        = CInt(layout.LabelLeft + printer.TextWidth(QStringLiteral("Product Rate:")) + 20.0 * dotX);
    layout.SummaryIndent = CInt(layout.IndentLeft + 360.0);

    setReportFont(printer, 9, true);
    layout.SummaryCol1 = CInt(layout.LabelLeft + layout.PageCentre / 2.0 + 180.0);
    layout.SummaryCol2 = CInt(layout.SummaryCol1 + 720.0 + printer.TextWidth(QStringLiteral("Sprayed Area")));
    layout.SummaryCol3 = CInt(layout.SummaryCol2 + 720.0 + printer.TextWidth(QStringLiteral("Avg. Speed")));

    setReportFont(printer, layout.ReportFontSize, false);
    layout.LineHeight = CInt(printer.TextHeight(QStringLiteral("Name:")) + 5.0 * printer.TwipsPerPixelY());
    return layout;
}

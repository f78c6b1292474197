#include "korvel/statistics/report_page_frame.h"

#include "korvel/statistics/report_layout.h"
#include "korvel/statistics/report_settings.h"
#include "platform/vb_colors.h"
#include "platform/vb_numbers.h"

#include <QRegularExpression>

namespace {

constexpr double FooterLift = 360.0; // a quarter inch above the printable area's bottom

// The top of the footer's line in the current font.
double footerLineTop(const Printer& printer, const QString& footer)
{
    return printer.ScaleTop() + printer.ScaleHeight() - FooterLift - printer.TextHeight(footer);
}

} // namespace

void PrintFooter(Printer& printer, int fontSize)
{
    const QString footer = reportText(ReportSection::Layout, ReportValue::Footer);
    if (footer.isEmpty()) {
        return;
    }
    setReportFont(printer, fontSize, false);
    printer.setCurrentY(footerLineTop(printer, footer));
    printer.setCurrentX(CLng(0.9 * printer.Width()) - printer.TextWidth(footer));
    printer.setForeColor(RGB(150, 150, 150));
    printer.Print(footer);
    printer.setForeColor(0);
}

double footerTop(Printer& printer, int fontSize)
{
    const QString footer = reportText(ReportSection::Layout, ReportValue::Footer);
    if (footer.isEmpty()) {
        return printer.ScaleTop() + printer.ScaleHeight();
    }
    const PrinterFont font = printer.Font();
    setReportFont(printer, fontSize, false);
    const double top = footerLineTop(printer, footer);
    printer.Font() = font;
    return top;
}

QStringList SplitLines(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    return text.split(lineEnd);
}

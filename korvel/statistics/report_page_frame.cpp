#include "korvel/statistics/report_page_frame.h"

#include "korvel/statistics/report_layout.h"
#include "korvel/statistics/report_settings.h"
#include "platform/vb_colors.h"
#include "platform/vb_numbers.h"

#include <QRegularExpression>

void PrintFooter(Printer& printer, int fontSize)
{
    const QString footer = reportText(ReportSection::Layout, ReportValue::Footer);
    if (footer.isEmpty()) {
        return;
    }
    setReportFont(printer, fontSize, false);
    printer.setCurrentY(printer.ScaleTop() + printer.ScaleHeight() - 360.0 - printer.TextHeight(footer));
    printer.setCurrentX(CLng(0.9 * printer.Width()) - printer.TextWidth(footer));
    printer.setForeColor(RGB(150, 150, 150));
    printer.Print(footer);
    printer.setForeColor(0);
}

QStringList SplitLines(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    return text.split(lineEnd);
}

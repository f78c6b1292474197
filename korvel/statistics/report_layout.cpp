#include "korvel/statistics/report_layout.h"

#include "platform/vb_numbers.h"

#include <algorithm>
#include <cmath>

namespace {

// The value column at `designed`, moved right only as far as the widest of
// `labels` needs to end a blank (of the body font the values print in)
// before it. The design's 20 dots after the label, less the labels' indent
// of 10, are narrower than a blank on a 600-dot printer, and a label wider
// than the one the design measured would run into its value.
qint16 valueColumn(
    const Printer& printer, const ReportLayout& layout, double designed, const QStringList& labels)
{
    double widest = 0.0;
    for (const QString& label : labels) {
        widest = std::max(widest, double(printer.TextWidth(label)));
    }
    const double clear = layout.IndentLeft + widest + printer.TextWidth(QStringLiteral(" "));
    return CInt(std::max(designed, std::ceil(clear)));
}

} // namespace

const QStringList& contactLabels()
{
    static const QStringList labels { QStringLiteral("Name:"), QStringLiteral("Address:"),
        QStringLiteral("Phone:"), QStringLiteral("Fax:"), QStringLiteral("Email:") };
    return labels;
}

const QStringList& applicationLabels()
{
    static const QStringList labels { QStringLiteral("Aircraft:"), QStringLiteral("Registration:"),
        QStringLiteral("Product:"), QStringLiteral("Product Rate:"), QStringLiteral("Spray Rate:") };
    return labels;
}

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
    layout.ContactValueLeft = valueColumn(printer, layout,
        layout.LabelLeft + printer.TextWidth(QStringLiteral("Address:")) + 20.0 * dotX, contactLabels());
    layout.ApplicationValueLeft = valueColumn(printer, layout,
        layout.LabelLeft + printer.TextWidth(QStringLiteral("Product Rate:")) + 20.0 * dotX,
        applicationLabels());
    layout.SummaryIndent = CInt(layout.IndentLeft + 360.0);

    setReportFont(printer, 9, true);
    layout.SummaryCol1 = CInt(layout.LabelLeft + layout.PageCentre / 2.0 + 180.0);
    layout.SummaryCol2 = CInt(layout.SummaryCol1 + 720.0 + printer.TextWidth(QStringLiteral("Sprayed Area")));
    layout.SummaryCol3 = CInt(layout.SummaryCol2 + 720.0 + printer.TextWidth(QStringLiteral("Avg. Speed")));

    setReportFont(printer, layout.ReportFontSize, false);
    layout.LineHeight = CInt(printer.TextHeight(QStringLiteral("Name:")) + 5.0 * printer.TwipsPerPixelY());
    return layout;
}

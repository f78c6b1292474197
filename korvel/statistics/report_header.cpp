#include "korvel/statistics/report_header.h"

#include "korvel/statistics/report_page_frame.h"
#include "korvel/statistics/report_settings.h"
#include "platform/screen_metrics.h"
#include "platform/vb_numbers.h"

#include <QStringList>
#include <utility>
#include <vector>

namespace {

constexpr double HeadingSize = 12;
constexpr double TitleSize = 16;

// One row: a label (empty for an address's further lines) and its value.
using Row = std::pair<QString, QString>;

std::vector<Row> contactRows(const QString& section)
{
    const QStringList& names = contactValueNames();
    const QStringList& labels = contactLabels();
    std::vector<Row> rows;
    rows.emplace_back(labels[0], reportText(section, names[0]));
    const QStringList address = SplitLines(reportText(section, names[1]));
    for (int i = 0; i < address.size(); ++i) {
        rows.emplace_back(i == 0 ? labels[1] : QString(), address[i]);
    }
    for (int field = 2; field < names.size(); ++field) {
        rows.emplace_back(labels[field], reportText(section, names[field]));
    }
    return rows;
}

std::vector<Row> applicationRows(const ReportLayout& layout)
{
    const QStringList& names = applicationValueNames();
    const QStringList& labels = applicationLabels();
    const QString& unit = layout.RateUnits[std::size_t(reportRateUnits())];
    const QString section = ReportSection::Application;
    return { { labels[0], reportText(section, names[0]) }, { labels[1], reportText(section, names[1]) },
        { labels[2], reportText(section, names[2]) }, { labels[3], reportText(section, names[3]) + unit },
        { labels[4], reportText(section, names[4]) + unit } };
}

// The height of a block of `rows` rows.
qint16 blockHeight(const ReportLayout& layout, const Printer& printer, std::size_t rows)
{
    return CInt(double(rows) * layout.LineHeight + 5.0 * printer.TwipsPerPixelY());
}

// The top of the block after one ending at previousTop + previousHeight: three
// heading lines lower, measured in the heading font (which must be set).
qint16 nextBlockTop(Printer& printer, qint16 previousTop, qint16 previousHeight, const QString& heading)
{
    const qint16 end = CInt(double(previousTop) + previousHeight);
    return CInt(end + 3.0 * printer.TextHeight(heading));
}

void printRows(
    Printer& printer, const ReportLayout& layout, const std::vector<Row>& rows, double top, int valueLeft)
{
    setReportFont(printer, layout.ReportFontSize, false);
    printer.setCurrentY(top + 5.0 * printer.TwipsPerPixelY());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0) {
            printer.setCurrentY(printer.CurrentY() + layout.LineHeight);
        }
        printer.setCurrentX(layout.IndentLeft);
        printer.Print(rows[i].first, false);
        printer.setCurrentX(valueLeft);
        printer.Print(rows[i].second, i + 1 == rows.size());
    }
}

// Centred on the paper width, its line at half the top margin.
void printTitle(Printer& printer, const ReportLayout& layout)
{
    const QString title = reportText(ReportSection::Layout, ReportValue::Title);
    setReportFont(printer, TitleSize, false);
    printer.setCurrentY(layout.TopMargin / 2.0);
    printer.setCurrentX((printer.Width() - printer.TextWidth(title)) / 2.0);
    printer.Print(title);
}

} // namespace

void printBlockHeading(Printer& printer, const ReportLayout& layout, const QString& heading, double top)
{
    setReportFont(printer, HeadingSize, true);
    printer.setCurrentX(layout.LabelLeft - layout.QuarterInch);
    printer.setCurrentY(top - 5.0 * TwipsPerPixelY() - printer.TextHeight(heading));
    printer.Print(heading);
}

HeaderPlacement printReportHeader(Printer& printer, const ReportLayout& layout)
{
    printTitle(printer, layout);

    const std::vector<Row> company = contactRows(ReportSection::Company);
    const qint16 companyTop = layout.TopMargin;
    const qint16 companyHeight = blockHeight(layout, printer, company.size());
    printBlockHeading(printer, layout, QStringLiteral("Company:"), companyTop);
    printRows(printer, layout, company, companyTop, layout.ContactValueLeft);

    const std::vector<Row> client = contactRows(ReportSection::Client);
    setReportFont(printer, HeadingSize, true);
    const qint16 clientTop = nextBlockTop(printer, companyTop, companyHeight, QStringLiteral("Client:"));
    const qint16 clientHeight = blockHeight(layout, printer, client.size());
    printBlockHeading(printer, layout, QStringLiteral("Client:"), clientTop);
    printRows(printer, layout, client, clientTop, layout.ContactValueLeft);

    const std::vector<Row> application = applicationRows(layout);
    setReportFont(printer, HeadingSize, true);
    HeaderPlacement placement;
    placement.ApplicationTop = nextBlockTop(printer, clientTop, clientHeight, QStringLiteral("Application:"));
    placement.ApplicationHeight = blockHeight(layout, printer, application.size());
    printBlockHeading(printer, layout, QStringLiteral("Application:"), placement.ApplicationTop);
    printRows(printer, layout, application, placement.ApplicationTop, layout.ApplicationValueLeft);
    return placement;
}

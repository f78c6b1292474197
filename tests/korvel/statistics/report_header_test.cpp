// The title and the company, client and application blocks: where each
// text stands, how addresses take rows and move the blocks below, and what
// the rates print with their unit.
#include "korvel/statistics/report_header.h"

#include "platform/screen_metrics.h"
#include "tests/korvel/statistics/report_fixture.h"

namespace {

class ReportHeaderTest : public ReportTest
{
protected:
    struct Printed
    {
        PrintedPage page;
        ReportLayout layout;
        HeaderPlacement placement;
    };

    Printed printHeader(QPageSize::PageSizeId paper = QPageSize::Letter)
    {
        Printer& printer = pdfPrinter(paper);
        Printed printed;
        printed.layout = computeReportLayout(printer);
        printed.placement = printReportHeader(printer, printed.layout);
        printed.page = printer.pages().at(0);
        printer.KillDoc();
        return printed;
    }

    // The height of a heading in Arial 12 bold.
    static double headingHeight(const QString& heading)
    {
        Printer& printer = currentPrinter();
        setReportFont(printer, 12, true);
        return printer.TextHeight(heading);
    }

    // The value printed right of a label on the same line.
    static QString valueBeside(const PrintedPage& page, const PrintedText& label)
    {
        for (const PrintedText& text : texts(page)) {
            if (text.at.y() == label.at.y() && text.at.x() > label.at.x()) {
                return text.text;
            }
        }
        return QStringLiteral("<none>");
    }
};

TEST_F(ReportHeaderTest, WithNothingStoredTheBlocksShowTheirLabelsAndTheRateUnit)
{
    const Printed printed = printHeader();
    const ReportLayout& layout = printed.layout;
    const double lh = layout.LineHeight;

    const PrintedText title = textOn(printed.page, "");
    EXPECT_EQ(title.at.y(), 990) << "the title's line lies at half the top margin";
    EXPECT_EQ(title.font.Size, 16);

    const PrintedText company = textOn(printed.page, "Company:");
    EXPECT_EQ(company.at.x(), 3060 - 360);
    EXPECT_NEAR(company.at.y(), 1980 - 5 * TwipsPerPixelY() - headingHeight("Company:"), 1e-3);
    EXPECT_TRUE(company.font.Bold);
    EXPECT_EQ(company.font.Size, 12);

    struct Row
    {
        QString label;
        int row; // from 0
    };
    for (const Row& row : { Row { "Name:", 0 }, Row { "Address:", 1 }, Row { "Phone:", 2 }, Row { "Fax:", 3 },
             Row { "Email:", 4 } }) {
        const PrintedText label = textOn(printed.page, row.label);
        EXPECT_EQ(label.at.x(), layout.IndentLeft) << row.label.toStdString();
        EXPECT_NEAR(label.at.y(), 1980 + 12 + row.row * lh, 1e-3) << row.label.toStdString();
        EXPECT_EQ(label.font.Size, 11);
        EXPECT_FALSE(label.font.Bold);
        EXPECT_EQ(valueBeside(printed.page, label), "")
            << "an empty value beside " << row.label.toStdString();
    }

    const int companyHeight = qRound(5 * lh + 12);
    const int clientTop = qRound(1980 + companyHeight + 3 * headingHeight("Client:"));
    EXPECT_NEAR(textOn(printed.page, "Client:").at.y(),
        clientTop - 5 * TwipsPerPixelY() - headingHeight("Client:"), 1e-3);
    const int applicationTop = qRound(clientTop + companyHeight + 3 * headingHeight("Application:"));
    EXPECT_EQ(printed.placement.ApplicationTop, applicationTop);
    EXPECT_EQ(printed.placement.ApplicationHeight, qRound(5 * lh + 12));

    for (const QString label : { "Product Rate:", "Spray Rate:" }) {
        const PrintedText rate = textOn(printed.page, label);
        EXPECT_EQ(valueBeside(printed.page, rate), " L/ha");
        EXPECT_EQ(textOn(printed.page, " L/ha").at.x(), layout.ApplicationValueLeft);
    }
}

TEST_F(ReportHeaderTest, StoredValuesPrintAsStoredAndTheTitleIsCentred)
{
    store("ReportLayout", "Title", "Spring Budworm Programme 2024");
    store("CompanyInfo", "Name", "Tallgrass Aerial");
    store("ClientInfo", "Email", "forests@example.org");
    store("ApplicationInfo", "Aircraft", "  Air Tractor 802  ");
    const Printed printed = printHeader(QPageSize::A4);

    Printer& printer = currentPrinter();
    setReportFont(printer, 16, false);
    const PrintedText title = textOn(printed.page, "Spring Budworm Programme 2024");
    EXPECT_NEAR(title.at.x() + printer.TextWidth(title.text) / 2, 11906 / 2.0, 1e-3);

    EXPECT_EQ(textOn(printed.page, "Tallgrass Aerial").at.x(), printed.layout.ContactValueLeft);
    EXPECT_GT(textOn(printed.page, "forests@example.org").at.y(), textOn(printed.page, "Client:").at.y())
        << "in the client block";
    EXPECT_EQ(textOn(printed.page, "  Air Tractor 802  ").at.x(), printed.layout.ApplicationValueLeft)
        << "not trimmed";
}

TEST_F(ReportHeaderTest, AnAddressTakesARowALineAndMovesTheBlocksBelow)
{
    const Printed oneLine = printHeader();
    store("CompanyInfo", "Address", "12 Mill Road\r\nPO Box 7\r\nFredericton NB");
    store("CompanyInfo", "Phone", "555-0101");
    const Printed threeLines = printHeader();
    const double lh = threeLines.layout.LineHeight;

    const PrintedText address = textOn(threeLines.page, "Address:");
    EXPECT_EQ(valueBeside(threeLines.page, address), "12 Mill Road");
    const PrintedText second = textOn(threeLines.page, "PO Box 7");
    EXPECT_NEAR(second.at.y(), address.at.y() + lh, 1e-3);
    EXPECT_EQ(second.at.x(), threeLines.layout.ContactValueLeft);
    EXPECT_NEAR(textOn(threeLines.page, "Fredericton NB").at.y(), address.at.y() + 2 * lh, 1e-3);
    const PrintedText phone = textOn(threeLines.page, "Phone:");
    EXPECT_NEAR(phone.at.y(), 1992 + 4 * lh, 1e-3) << "Phone on the fifth row";
    EXPECT_EQ(valueBeside(threeLines.page, phone), "555-0101");

    // Two more rows: the blocks below start two rows lower.
    EXPECT_NEAR(
        textOn(threeLines.page, "Client:").at.y() - textOn(oneLine.page, "Client:").at.y(), 2 * lh, 1.0);
    EXPECT_NEAR(threeLines.placement.ApplicationTop - oneLine.placement.ApplicationTop, 2 * lh, 1.0);
}

TEST_F(ReportHeaderTest, AnAddressEndingInALineBreakGetsAnEmptyRow)
{
    store("ClientInfo", "Address", "Box 9\r\n");
    const Printed printed = printHeader();
    std::vector<PrintedText> phones;
    for (const PrintedText& text : texts(printed.page)) {
        if (text.text == "Phone:") {
            phones.push_back(text);
        }
    }
    ASSERT_EQ(phones.size(), 2u);
    EXPECT_NEAR(phones[1].at.y(), textOn(printed.page, "Box 9").at.y() + 2 * printed.layout.LineHeight, 1e-3);
}

TEST_F(ReportHeaderTest, RatesPrintWithTheStoredUnit)
{
    struct Row
    {
        QString units; // "" stores nothing
        QString productRate;
        QString sprayRate;
    };
    for (const Row& row : { Row { "", "12.5 L/ha", " L/ha" }, Row { "0", "12.5 oz/ac", " oz/ac" },
             Row { "1", "12.5 gal/ac", " gal/ac" }, Row { "2", "12.5 L/ha", " L/ha" },
             Row { "3", "12.5 L/ha", " L/ha" }, Row { "lots", "12.5 L/ha", " L/ha" } }) {
        SCOPED_TRACE(row.units.toStdString());
        DeleteRegSetting("ApplicationInfo", "Units");
        store("ApplicationInfo", "Units", row.units);
        store("ApplicationInfo", "ProductRate", "12.5");
        const Printed printed = printHeader();
        EXPECT_EQ(valueBeside(printed.page, textOn(printed.page, "Product Rate:")), row.productRate);
        EXPECT_EQ(valueBeside(printed.page, textOn(printed.page, "Spray Rate:")), row.sprayRate);
    }
}

} // namespace

// The title and the company, client and application blocks: where each
// text stands, how addresses take rows and move the blocks below, and what
// the rates print with their unit.
#include "korvel/statistics/report_header.h"

#include "tests/korvel/statistics/report_fixture.h"
#include "tests/support/text_layout_check.h"

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

    // The text printed right of a label on its line.
    static QString valueBeside(const PrintedPage& page, const QString& label)
    {
        const PrintedText found = textOn(page, label);
        for (const PrintedText& text : texts(page)) {
            if (text.at.y() == found.at.y() && text.at.x() > found.at.x()) {
                return text.text;
            }
        }
        return QStringLiteral("<none>");
    }
};

TEST_F(ReportHeaderTest, WithNothingStoredTheBlocksShowTheirLabelsAndTheRateUnit)
{
    const Printed printed = printHeader();
    const double lh = printed.layout.LineHeight;
    EXPECT_EQ(textOn(printed.page, "").at.y(), 990) << "the empty title at half the top margin";
    Printer& printer = currentPrinter();
    setReportFont(printer, 12, true);
    const double heading = printer.TextHeight("Company:");
    const PrintedText company = textOn(printed.page, "Company:");
    EXPECT_EQ(company.at.x(), 3060 - 360);
    EXPECT_NEAR(company.at.y(), 1980 - 75 - heading, 1e-3)
        << "its line ends 5 display pixels above the block";

    const char* labels[] = { "Name:", "Address:", "Phone:", "Fax:", "Email:" };
    for (int row = 0; row < 5; ++row) {
        const PrintedText label = textOn(printed.page, labels[row]);
        EXPECT_EQ(label.at.x(), printed.layout.IndentLeft) << labels[row];
        EXPECT_NEAR(label.at.y(), 1980 + 12 + row * lh, 1e-3) << labels[row];
        EXPECT_EQ(valueBeside(printed.page, labels[row]), "") << labels[row];
    }
    const int height = qRound(5 * lh + 12);
    const int clientTop = qRound(1980 + height + 3 * heading);
    EXPECT_EQ(printed.placement.ApplicationTop,
        qRound(clientTop + height + 3 * printer.TextHeight("Application:")));
    EXPECT_EQ(printed.placement.ApplicationHeight, height);
    EXPECT_EQ(valueBeside(printed.page, "Spray Rate:"), " L/ha") << "an empty rate still has its unit";
}

TEST_F(ReportHeaderTest, AnAddressTakesARowALineAndMovesTheBlocksBelow)
{
    const Printed oneLine = printHeader();
    store("CompanyInfo", "Address", "12 Mill Road\r\nPO Box 7\r\nFredericton NB");
    store("CompanyInfo", "Phone", "555-0101");
    const Printed threeLines = printHeader();
    const double lh = threeLines.layout.LineHeight;
    EXPECT_EQ(valueBeside(threeLines.page, "Address:"), "12 Mill Road");
    const PrintedText third = textOn(threeLines.page, "Fredericton NB");
    EXPECT_NEAR(third.at.y(), 1992 + 3 * lh, 1e-3);
    EXPECT_EQ(third.at.x(), threeLines.layout.ContactValueLeft);
    EXPECT_NEAR(textOn(threeLines.page, "Phone:").at.y(), 1992 + 4 * lh, 1e-3) << "Phone on the fifth row";
    EXPECT_EQ(valueBeside(threeLines.page, "Phone:"), "555-0101");
    EXPECT_NEAR(threeLines.placement.ApplicationTop - oneLine.placement.ApplicationTop, 2 * lh, 1.0);
}

TEST_F(ReportHeaderTest, RatesPrintWithTheStoredUnit)
{
    struct Row
    {
        QString units; // "" stores nothing
        QString productRate;
    };
    store("ApplicationInfo", "ProductRate", "12.5");
    for (const Row& row : { Row { "", "12.5 L/ha" }, Row { "0", "12.5 oz/ac" }, Row { "1", "12.5 gal/ac" },
             Row { "3", "12.5 L/ha" }, Row { "lots", "12.5 L/ha" } }) {
        DeleteRegSetting("ApplicationInfo", "Units");
        store("ApplicationInfo", "Units", row.units);
        EXPECT_EQ(valueBeside(printHeader().page, "Product Rate:"), row.productRate)
            << row.units.toStdString();
    }
}

TEST_F(ReportHeaderTest, EveryLabelEndsABlankBeforeItsValue)
{
    for (const QString& section : { QStringLiteral("CompanyInfo"), QStringLiteral("ClientInfo") }) {
        store(section, "Name", "Tallgrass Aerial Application Services");
        store(section, "Address", "12 Runway Road\r\nWoodstock NB");
        for (const char* name : { "Phone", "Fax", "Email" }) {
            store(section, name, "WWW-0101");
        }
    }
    for (const char* name : { "Aircraft", "Registration", "Product", "ProductRate", "SprayRate" }) {
        store("ApplicationInfo", name, "WW 1.5");
    }
    for (const QPageSize::PageSizeId paper : { QPageSize::Letter, QPageSize::A4 }) {
        const Printed printed = printHeader(paper);
        Printer& printer = currentPrinter();
        const QRectF area(0, 0, printer.ScaleWidth(), printer.ScaleHeight());
        EXPECT_EQ(textLayoutFaults(printedTexts(printed.page, printer), area, {}), QStringList())
            << QPageSize::name(paper).toStdString();
        EXPECT_EQ(valueBeside(printed.page, "Product Rate:"), "WW 1.5 L/ha");
    }
}

} // namespace

// The pages' footer and the splitting of multi-line settings.
#include "korvel/statistics/report_page_frame.h"

#include "tests/korvel/statistics/report_fixture.h"

namespace {

using ReportPageFrameTest = ReportTest;

TEST_F(ReportPageFrameTest, LinesSplitAtEveryKindOfLineBreakLosingNothing)
{
    struct Row
    {
        QString text;
        QStringList lines;
    };
    for (const Row& row : { Row { "", { "" } }, Row { "one", { "one" } }, Row { "a\r\nb", { "a", "b" } },
             Row { "a\r\n", { "a", "" } }, Row { "A\rB", { "A", "B" } }, Row { "A\nB", { "A", "B" } },
             Row { "A\r", { "A", "" } }, Row { "a\r\n\r\nb", { "a", "", "b" } },
             Row { "a\n\rb", { "a", "", "b" } }, Row { "\r\n", { "", "" } } }) {
        EXPECT_EQ(SplitLines(row.text), row.lines) << row.text.toStdString();
    }
}

TEST_F(ReportPageFrameTest, TheFooterStandsGreyAtTheBottomRight)
{
    Printer& printer = pdfPrinter(QPageSize::Letter);
    store("ReportLayout", "Footer", "Applied under permit 42");
    printer.Font().Size = 16;
    printer.Font().Bold = true;
    printer.setForeColor(0);
    PrintFooter(printer, 11);
    ASSERT_EQ(printer.pages().size(), 1u);
    const PrintedText footer = textOn(printer.pages()[0], "Applied under permit 42");
    EXPECT_EQ(footer.color, 0x969696) << "RGB(150, 150, 150)";
    EXPECT_EQ(footer.font.Size, 11);
    EXPECT_FALSE(footer.font.Bold);
    printer.Font() = footer.font;
    const double width = printer.TextWidth(footer.text);
    const double height = printer.TextHeight(footer.text);
    EXPECT_NEAR(footer.at.x() + width, 11016, 0.01) << "right edge at 0.9 of 12240";
    EXPECT_NEAR(footer.at.y() + height, 15840 - 360, 0.01)
        << "bottom a quarter inch above the printable bottom";
    EXPECT_EQ(printer.ForeColor(), 0) << "black again";
    printer.KillDoc();
}

TEST_F(ReportPageFrameTest, AnEmptyFooterPrintsNothingAndKeepsTheFont)
{
    Printer& printer = currentPrinter();
    printer.Font().Size = 16;
    printer.Font().Bold = true;
    PrintFooter(printer, 11);
    EXPECT_EQ(printer.Page(), 0) << "not even a job";
    EXPECT_EQ(printer.Font().Size, 16);
    EXPECT_TRUE(printer.Font().Bold);
}

} // namespace

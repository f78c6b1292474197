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
    for (const Row& row : { Row { "", { "" } }, Row { "a\r\nb", { "a", "b" } }, Row { "a\r\n", { "a", "" } },
             Row { "A\rB", { "A", "B" } }, Row { "A\nB", { "A", "B" } }, Row { "A\r", { "A", "" } },
             Row { "a\n\rb", { "a", "", "b" } } }) {
        EXPECT_EQ(SplitLines(row.text), row.lines) << row.text.toStdString();
    }
}

TEST_F(ReportPageFrameTest, TheFooterStandsGreyAtTheBottomRightOrNotAtAll)
{
    Printer& printer = pdfPrinter(QPageSize::Letter);
    printer.Font().Size = 16;
    PrintFooter(printer, 11);
    EXPECT_EQ(printer.Page(), 0) << "an empty footer prints nothing";
    EXPECT_EQ(printer.Font().Size, 16) << "and keeps the font";

    store("ReportLayout", "Footer", "Applied under permit 42");
    PrintFooter(printer, 11);
    const PrintedText footer = textOn(printer.pages().at(0), "Applied under permit 42");
    EXPECT_EQ(footer.color, 0x969696) << "RGB(150, 150, 150)";
    EXPECT_EQ(footer.font.Size, 11);
    EXPECT_NEAR(footer.at.x() + printer.TextWidth(footer.text), 11016, 0.01) << "right edge at 0.9 of 12240";
    EXPECT_NEAR(footer.at.y() + printer.TextHeight(footer.text), 15840 - 360, 0.01) << "a quarter inch up";
    EXPECT_EQ(printer.ForeColor(), 0) << "black again";
    printer.KillDoc();
}

} // namespace

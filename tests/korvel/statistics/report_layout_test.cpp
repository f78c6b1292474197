// The report's layout values on the two usual papers: rounded half to even,
// measured in the fonts the columns print in.
#include "korvel/statistics/report_layout.h"

#include "tests/korvel/statistics/report_fixture.h"

#include <QtMath>
#include <algorithm>

namespace {

using ReportLayoutTest = ReportTest;

TEST_F(ReportLayoutTest, ValuesOnLetterAndA4)
{
    struct Row
    {
        QPageSize::PageSizeId paper;
        int pageCentre, labelLeft, topMargin, summaryCol1;
    };
    // A4: (11906 - 5953) / 2 = 2976.5 -> 2976; 2976 + 5953 / 2 + 180 = 6132.5 -> 6132.
    for (const Row& row : { Row { QPageSize::Letter, 6120, 3060, 1980, 6300 },
             Row { QPageSize::A4, 5953, 2976, 2105, 6132 } }) {
        Printer& printer = currentPrinter();
        printer.setPaperSize(row.paper);
        const ReportLayout layout = computeReportLayout(printer);
        EXPECT_FALSE(printer.Font().Bold) << "left in the body font";
        EXPECT_EQ(layout.PageCentre, row.pageCentre);
        EXPECT_EQ(layout.LabelLeft, row.labelLeft);
        EXPECT_EQ(layout.TopMargin, row.topMargin);
        EXPECT_EQ(layout.IndentLeft, row.labelLeft + 24) << "10 dots";
        EXPECT_EQ(layout.SummaryIndent, layout.IndentLeft + 360);
        EXPECT_EQ(layout.SummaryCol1, row.summaryCol1);
        // 20 dots after "Address:", or a blank after the label where that is further.
        const double clear = layout.IndentLeft + printer.TextWidth("Address:") + printer.TextWidth(" ");
        EXPECT_EQ(layout.ContactValueLeft,
            std::max(qRound(row.labelLeft + printer.TextWidth("Address:") + 48), qCeil(clear)));
        EXPECT_EQ(layout.LineHeight, qRound(printer.TextHeight("Name:") + 12));
        setReportFont(printer, 9, true);
        EXPECT_EQ(layout.SummaryCol2, qRound(row.summaryCol1 + 720 + printer.TextWidth("Sprayed Area")));
    }
}

} // namespace

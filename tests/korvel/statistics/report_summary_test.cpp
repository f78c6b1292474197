// The flights summary: which blocks and flights it lists by the ticks of
// the "Loaded Files" list, where its rows and columns stand, its totals,
// and its units.
#include "korvel/statistics/report_summary.h"

#include "tests/korvel/statistics/report_fixture.h"
#include "tests/platform/raised_error.h"

#include <QLocale>

namespace {

class ReportSummaryTest : public ReportTest
{
protected:
    // The figures below are written with the C locale's separators, whatever
    // the user's; the user's own are checked with the figures' texts.
    void SetUp() override
    {
        ReportTest::SetUp();
        QLocale::setDefault(QLocale::c());
    }

    struct Printed
    {
        ReportLayout layout;
        double summaryTop = 0;
        std::vector<PrintedText> rows; // the texts below the column titles
        std::vector<PrintedLine> lines;
    };

    Printed printSummary(const SubRowTicks& ticks, bool metric = true)
    {
        Printer& printer = pdfPrinter(QPageSize::Letter);
        Printed printed;
        printed.layout = computeReportLayout(printer);
        FlightSelection selection = emptyFlightSelection();
        printReportSummary(printer, printed.layout, { 8000, 1300 }, ticks, metric, selection);
        const PrintedPage page = printer.pages().at(0);
        printer.KillDoc();
        setReportFont(printer, 12, true);
        printed.summaryTop = qRound(9300 + 3 * printer.TextHeight("Flights:"));
        for (const PrintedItem& item : page) {
            if (const auto* text = std::get_if<PrintedText>(&item);
                text && text->at.y() > printed.summaryTop) {
                printed.rows.push_back(*text);
            } else if (const auto* line = std::get_if<PrintedLine>(&item)) {
                printed.lines.push_back(*line);
            }
        }
        return printed;
    }

    // The rows a line each, "text@column": text columns by their left
    // edge, figure columns (1 to 3) by their right edge.
    static QStringList table(const Printed& printed)
    {
        Printer& printer = currentPrinter();
        QStringList lines;
        double y = -1;
        for (const PrintedText& text : printed.rows) {
            printer.Font() = text.font;
            const double right = text.at.x() + printer.TextWidth(text.text);
            const ReportLayout& l = printed.layout;
            const QString column = text.at.x() == l.IndentLeft ? "block"
                : text.at.x() == l.SummaryIndent               ? "flight"
                : std::abs(right - l.SummaryCol1) < 0.01       ? "1"
                : std::abs(right - l.SummaryCol2) < 0.01       ? "2"
                : std::abs(right - l.SummaryCol3) < 0.01       ? "3"
                                                               : "?";
            const QString cell = text.text + "@" + column;
            if (text.at.y() != y) {
                lines << cell;
                y = text.at.y();
            } else {
                lines.last() += " | " + cell;
            }
        }
        return lines;
    }
};

TEST_F(ReportSummaryTest, RowsRuleAndTotals)
{
    const int b = addBlock("NORTH.no1", 250000);
    addFlight(b, "N0101001.T01", 60000, 100, 10);
    addFlight(b, "N0101002.T01", 999999, 999, 99);
    addFlight(b, "N0101003.T01", 40000, 300, 20);
    const Printed printed = printSummary({ MissingSubRow, 1, 0, 1 });
    EXPECT_EQ(table(printed),
        QStringList({ "NORTH.no1@block | 25.00 ha@1", "N0101001.T01@flight | 6.00 ha@2 | 36.00 km/h@3",
            "N0101003.T01@flight | 4.00 ha@2 | 54.00 km/h@3",
            "25.00 ha@1 | 10.00 ha@2 | 48.00 km/h@3" })) // 400 m/s over 30 samples
        << "the second flight is not ticked";
    const double lh = printed.layout.LineHeight;
    EXPECT_NEAR(printed.rows[0].at.y(), printed.summaryTop + 12, 1e-3) << "the first row 5 dots below";
    ASSERT_EQ(printed.lines.size(), 1u);
    const PrintedLine rule = printed.lines[0];
    Printer& printer = currentPrinter();
    setReportFont(printer, 11, false);
    EXPECT_NEAR(rule.from.x(), printed.layout.SummaryCol1 - printer.TextWidth("Block Area"), 1e-3);
    EXPECT_EQ(rule.to.x(), printed.layout.SummaryCol3);
    EXPECT_NEAR(rule.from.y(), printed.summaryTop + 12 + 2 * lh + printer.TextHeight("mph") + 36, 1e-3);
    EXPECT_NEAR(printed.rows.back().at.y(), rule.from.y() + 72, 1e-3) << "the totals under the rule";
}

TEST_F(ReportSummaryTest, RowsFollowTheListsTicks)
{
    // Block A: guidance and exclusion rows (1, 2) before its flights (3, 4);
    // block B's flight is row 5; block C: an exclusion row (6), its flight (7).
    const int a = addBlock("A.no1", 10000, true, true);
    addFlight(a, "A1", 10000, 10, 1);
    addFlight(a, "A2", 20000, 20, 1);
    addFlight(addBlock("B.no1", -30000), "B1", 30000, 30, 1); // vertices the other way round
    addFlight(addBlock("C.no1", 50000, false, true), "C1", 50000, 50, 1);
    struct Row
    {
        const char* name;
        SubRowTicks ticks;
        QStringList table;
    };
    const Row rows[] = {
        { "everything", { MissingSubRow, 1, 1, 1, 1, 1, 1, 1 },
            { "A.no1@block | 1.00 ha@1", "A1@flight | 1.00 ha@2 | 36.00 km/h@3",
                "A2@flight | 2.00 ha@2 | 72.00 km/h@3", "B.no1@block | 3.00 ha@1",
                "B1@flight | 3.00 ha@2 | 108.00 km/h@3", "C.no1@block | 5.00 ha@1",
                "C1@flight | 5.00 ha@2 | 180.00 km/h@3", "9.00 ha@1 | 11.00 ha@2 | 99.00 km/h@3" } },
        { "guidance and exclusion ticks change nothing", { MissingSubRow, 1, 1, 0, 0, 1, 1, 0 },
            { "B.no1@block | 3.00 ha@1", "B1@flight | 3.00 ha@2 | 108.00 km/h@3",
                "3.00 ha@1 | 3.00 ha@2 | 108.00 km/h@3" } },
        { "a greyed tick is no tick", { MissingSubRow, 0, 0, 2, 1, 0, 0, 2 },
            { "A.no1@block | 1.00 ha@1", "A2@flight | 2.00 ha@2 | 72.00 km/h@3",
                "1.00 ha@1 | 2.00 ha@2 | 72.00 km/h@3" } },
        { "nothing ticked", { MissingSubRow, 1, 1, 0, 0, 0, 1, 0 }, { "0.00 ha@1 | 0.00 ha@2 | n/a@3" } },
    };
    for (const Row& row : rows) {
        EXPECT_EQ(table(printSummary(row.ticks)), row.table) << row.name;
    }
    EXPECT_EQ(raisedError([&] { printSummary({ MissingSubRow, 1, 1, 1 }); }), 340) << "a row the list lacks";
    currentPrinter().KillDoc();
}

TEST_F(ReportSummaryTest, USUnitsAndFlightsWithoutSamples)
{
    const int b = addBlock("FIELD.no1", -4046.86);
    addFlight(b, "F1", 4046.86 * 2, 100, 10);
    addFlight(b, "F2", 0, 0, 0);
    EXPECT_EQ(table(printSummary(allTicked(), false)),
        QStringList({ "FIELD.no1@block | 1.00 ac@1", "F1@flight | 2.00 ac@2 | 22.37 mph@3",
            "F2@flight | 0.00 ac@2 | n/a@3", "1.00 ac@1 | 2.00 ac@2 | 22.37 mph@3" }));
}

} // namespace

// The flights summary: which blocks and flights it lists by the ticks of
// the "Loaded Files" list, where its rows and columns stand, its totals,
// and its units.
#include "korvel/statistics/report_summary.h"

#include "platform/vb_error.h"
#include "tests/korvel/statistics/report_fixture.h"

#include <QLocale>

namespace {

class ReportSummaryTest : public ReportTest
{
protected:
    struct Printed
    {
        PrintedPage page;
        ReportLayout layout;
        double summaryTop = 0;
        std::vector<PrintedText> rows; // the texts below the column titles
        std::vector<PrintedLine> lines;
    };

    Printed printSummary(const SubRowTicks& ticks, bool metric = true, FlightSelection* selection = nullptr)
    {
        QLocale::setDefault(QLocale::c());
        Printer& printer = pdfPrinter(QPageSize::Letter);
        Printed printed;
        printed.layout = computeReportLayout(printer);
        const HeaderPlacement header { 8000, 1300 };
        FlightSelection own = emptyFlightSelection();
        printReportSummary(printer, printed.layout, header, ticks, metric, selection ? *selection : own);
        printed.page = printer.pages().at(0);
        printer.KillDoc();
        setReportFont(printer, 12, true);
        printed.summaryTop = qRound(9300 + 3 * printer.TextHeight("Flights:"));
        for (const PrintedText& text : texts(printed.page)) {
            if (text.at.y() > printed.summaryTop) {
                printed.rows.push_back(text);
            }
        }
        for (const PrintedItem& item : printed.page) {
            if (const auto* line = std::get_if<PrintedLine>(&item)) {
                printed.lines.push_back(*line);
            }
        }
        return printed;
    }

    // The rows as "text@column" lines, a row per line: the text columns
    // named by their left edge, the figure columns by their right edge.
    static QStringList table(const Printed& printed)
    {
        Printer& printer = currentPrinter();
        QStringList lines;
        double y = -1;
        for (const PrintedText& text : printed.rows) {
            printer.Font() = text.font;
            const double right = text.at.x() + printer.TextWidth(text.text);
            QString column;
            if (text.at.x() == printed.layout.IndentLeft) {
                column = "block";
            } else if (text.at.x() == printed.layout.SummaryIndent) {
                column = "flight";
            } else if (std::abs(right - printed.layout.SummaryCol1) < 0.01) {
                column = "1";
            } else if (std::abs(right - printed.layout.SummaryCol2) < 0.01) {
                column = "2";
            } else if (std::abs(right - printed.layout.SummaryCol3) < 0.01) {
                column = "3";
            }
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

TEST_F(ReportSummaryTest, TickedFlightsOfOneBlockAndTheirTotals)
{
    const int b = addBlock("NORTH.no1", 250000);
    addFlight(b, "N0101001.T01", 60000, 100, 10);
    addFlight(b, "N0101002.T01", 999999, 999, 99);
    addFlight(b, "N0101003.T01", 40000, 300, 20);
    const Printed printed = printSummary({ MissingSubRow, 1, 0, 1 });
    EXPECT_EQ(table(printed),
        QStringList({ "NORTH.no1@block | 25.00 ha@1", "N0101001.T01@flight | 6.00 ha@2 | 36.00 km/h@3",
            "N0101003.T01@flight | 4.00 ha@2 | 54.00 km/h@3",
            // The totals: the block, the two flights' areas, their 30 samples averaged.
            "25.00 ha@1 | 10.00 ha@2 | 48.00 km/h@3" }));

    const ReportLayout& layout = printed.layout;
    EXPECT_NEAR(printed.rows[0].at.y(), printed.summaryTop + 12, 1e-3) << "the first row 5 dots below";
    EXPECT_NEAR(printed.rows[2].at.y(), printed.summaryTop + 12 + layout.LineHeight, 1e-3);
    ASSERT_EQ(printed.lines.size(), 1u);
    const PrintedLine rule = printed.lines[0];
    Printer& printer = currentPrinter();
    setReportFont(printer, 11, false);
    EXPECT_NEAR(rule.from.x(), layout.SummaryCol1 - printer.TextWidth("Block Area"), 1e-3)
        << "measured in the row font";
    EXPECT_EQ(rule.to.x(), layout.SummaryCol3);
    const double lastFlight = printed.summaryTop + 12 + 2 * layout.LineHeight;
    EXPECT_NEAR(rule.from.y(), lastFlight + printer.TextHeight("mph") + 36, 1e-3);
    EXPECT_NEAR(printed.rows.back().at.y(), rule.from.y() + 72, 1e-3) << "the totals under the rule";
}

TEST_F(ReportSummaryTest, TheHeadingAndColumnTitles)
{
    addFlight(addBlock("A.no1", 1), "F1", 0, 0, 0);
    const Printed printed = printSummary(allTicked());
    const PrintedText flights = textOn(printed.page, "Flights:");
    EXPECT_EQ(flights.at.x(), printed.layout.LabelLeft - 360);
    EXPECT_TRUE(flights.font.Bold);
    Printer& printer = currentPrinter();
    setReportFont(printer, 9, true);
    struct Row
    {
        QString title;
        int rightEdge;
    };
    for (const Row& row : { Row { "Block Area", printed.layout.SummaryCol1 },
             Row { "Sprayed Area", printed.layout.SummaryCol2 },
             Row { "Avg. Speed", printed.layout.SummaryCol3 } }) {
        const PrintedText title = textOn(printed.page, row.title);
        EXPECT_NEAR(title.at.x() + printer.TextWidth(row.title), row.rightEdge, 1e-3);
        EXPECT_NEAR(title.at.y() + printer.TextHeight(row.title), printed.summaryTop, 1e-3);
        EXPECT_EQ(title.font.Size, 9);
    }
}

TEST_F(ReportSummaryTest, RowsFollowTheListsTicks)
{
    // Block 1: guidance and exclusion rows (1, 2) before its flights (3, 4).
    const int a = addBlock("A.no1", 10000, true, true);
    addFlight(a, "A1", 10000, 10, 1);
    addFlight(a, "A2", 20000, 20, 1);
    // Block 2: its flight is row 5.
    addFlight(addBlock("B.no1", -30000), "B1", 30000, 30, 1);
    // Block 3: an exclusion row (6), then its flight (7).
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
        SCOPED_TRACE(row.name);
        EXPECT_EQ(table(printSummary(row.ticks)), row.table);
    }
}

TEST_F(ReportSummaryTest, USUnitsAndFlightsWithoutSamples)
{
    const int b = addBlock("FIELD.no1", -4046.86); // vertices the other way round
    addFlight(b, "F1", 4046.86 * 2, 100, 10);
    addFlight(b, "F2", 0, 0, 0);
    EXPECT_EQ(table(printSummary(allTicked(), false)),
        QStringList({ "FIELD.no1@block | 1.00 ac@1", "F1@flight | 2.00 ac@2 | 22.37 mph@3",
            "F2@flight | 0.00 ac@2 | n/a@3", "1.00 ac@1 | 2.00 ac@2 | 22.37 mph@3" }));
}

TEST_F(ReportSummaryTest, LongNamesPrintWholeUnderTheFigures)
{
    const QString longName = QString("VERY_LONG_BLOCK_FILE_NAME_").repeated(4) + ".no1";
    addFlight(addBlock(longName, 10000), "F1", 0, 0, 0);
    const Printed printed = printSummary(allTicked());
    EXPECT_EQ(printed.rows[0].text, longName);
}

TEST_F(ReportSummaryTest, EveryCopyListsWhatTheFirstDid)
{
    const int b = addBlock("A.no1", 10000);
    addFlight(b, "A1", 10000, 10, 1);
    addFlight(b, "A2", 20000, 20, 1);
    FlightSelection selection = emptyFlightSelection();
    const QStringList first = table(printSummary({ MissingSubRow, 1, 0 }, true, &selection));
    const QStringList second = table(printSummary({ MissingSubRow, 1, 0 }, true, &selection));
    EXPECT_EQ(first, second);
    EXPECT_EQ(first.size(), 3);
}

TEST_F(ReportSummaryTest, ARowTheListDoesNotHaveIsAnError)
{
    const int b = addBlock("A.no1", 10000);
    addFlight(b, "A1", 10000, 10, 1);
    addFlight(b, "A2", 10000, 10, 1);
    for (const SubRowTicks& ticks :
        { SubRowTicks { MissingSubRow, 1 }, SubRowTicks { MissingSubRow, MissingSubRow, 1 } }) {
        try {
            printSummary(ticks);
            ADD_FAILURE() << "no error";
        } catch (const VbError& error) {
            EXPECT_EQ(error.Number(), 340);
        }
        currentPrinter().KillDoc();
    }
}

} // namespace

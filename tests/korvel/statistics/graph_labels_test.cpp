// The graphs' labels read whole, on every page of the printed report and in
// the statistics window: no two cover each other, none is cut off or leaves
// its frame, picture or paper, whatever the bars, including graphs with
// nothing counted, bars of a whole 100 % and bars past it (three-digit
// percentages).
#include "korvel/statistics/report_driver.h"
#include "korvel/statistics/report_statistics_geometry.h"
#include "korvel/statistics/stat_form.h"
#include "platform/picture_box.h"
#include "tests/korvel/statistics/report_fixture.h"
#include "tests/support/text_layout_check.h"

#include <QFrame>
#include <QLabel>

namespace {

struct Case
{
    const char* name;
    SprayStatistics statistics;
    QPageSize::PageSizeId paper = QPageSize::Letter; // where it is printed
};

// Every count of each graph in one bar, on wide axes; `share` of 1 is a bar
// of 100 %, 2 a bar of 200 % (counts beyond the total).
SprayStatistics oneBarEach(int share)
{
    SprayStatistics p;
    p.SprayTimeCounts[9] = 4;
    p.SprayRunCount = 4 / share;
    p.SprayBinWidth = 11;
    p.TurnTimeCounts[0] = 4;
    p.TurnCount = 4 / share;
    p.MinTurnTime = 100;
    p.TurnBinWidth = 40;
    p.RateCounts[0] = 50;
    p.CrossTrackCounts[10] = 50;
    p.AltitudeCounts[9] = 50;
    p.MinAltitude = 1000;
    p.AltitudeBinWidth = 9;
    p.DGPSCounts[3] = 50;
    p.SprayedSampleCount = 50 / share;
    return p;
}

// One spray run, no turn, nothing sprayed.
SprayStatistics oneRun()
{
    SprayStatistics p;
    p.SprayTimeCounts[0] = 1;
    p.SprayRunCount = 1;
    return p;
}

class GraphLabelsTest : public ReportTest
{
protected:
    void SetUp() override
    {
        ReportTest::SetUp();
        store("ReportLayout", "Title", "Budworm Spray Programme");
        store("ReportLayout", "Footer", "Printed by KORVEL");
        store("CompanyInfo", "Name", "Tallgrass Aerial");
        addFlight(addBlock("NORTH.no1", 2500000), "N0101001.T01", 600000, 1000, 20);
    }

    void TearDown() override
    {
        StatForm::release();
        ReportTest::TearDown();
    }

    static std::vector<Case> cases()
    {
        return { { "flights sprayed", sampleStatistics() }, { "nothing counted", SprayStatistics {} },
            { "one run, no turn, nothing sprayed", oneRun(), QPageSize::A4 },
            { "bars of 100 %", oneBarEach(1), QPageSize::A4 }, { "bars of 200 %", oneBarEach(2) } };
    }

    static bool counted(const SprayStatistics& p, int graph)
    {
        return (graph == SprayTimeGraph         ? p.SprayRunCount
                       : graph == TurnTimeGraph ? p.TurnCount
                                                : p.SprayedSampleCount)
            > 0;
    }
};

TEST_F(GraphLabelsTest, EveryPrintedPageReadsWhole)
{
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        Printer& printer = pdfPrinter(c.paper);
        ReportInputs inputs;
        inputs.map = QImage(400, 300, QImage::Format_RGB32);
        inputs.map.fill(Qt::darkGreen);
        inputs.ticks = allTicked();
        inputs.statistics = c.statistics;
        printReportPages(printer, inputs);
        const std::vector<PrintedPage> pages = printer.pages();
        ASSERT_EQ(pages.size(), 3u) << "first page, map page, statistics page";
        const QRectF paper(0, 0, printer.ScaleWidth(), printer.ScaleHeight());
        for (std::size_t n = 0; n < pages.size(); ++n) {
            EXPECT_EQ(textLayoutFaults(printedTexts(pages[n], printer), paper, printedFrames(pages[n])),
                QStringList())
                << "page " << n + 1;
        }
        // Percent labels stand left of their frame, each centred on a grid
        // line; a graph with nothing counted has neither.
        const StatisticsPageGeometry g = computeStatisticsPageGeometry(printer, computeReportLayout(printer));
        const std::vector<PlacedText> texts = printedTexts(pages[2], printer);
        for (int k = 1; k <= PrintedGraphCount; ++k) {
            std::vector<double> gridLines;
            for (const PrintedItem& item : pages[2]) {
                const auto* line = std::get_if<PrintedLine>(&item);
                if (line && line->from.x() == g.GraphLeft[k] && line->from.y() >= g.GraphTop[k]
                    && line->from.y() < g.bottom(k)) {
                    gridLines.push_back(line->from.y());
                }
            }
            int percentLabels = 0;
            for (const PlacedText& text : texts) {
                const double middle = text.box.center().y();
                if (text.box.right() < g.GraphLeft[k] && text.box.left() > g.GraphLeft[k] - 800
                    && middle > g.GraphTop[k] - 100 && middle < g.bottom(k)) {
                    ++percentLabels;
                    EXPECT_TRUE(std::any_of(gridLines.begin(), gridLines.end(),
                        [&](double y) { return std::abs(y - middle) < 1.0; }))
                        << "graph " << k << " " << text.text.toStdString();
                }
            }
            EXPECT_EQ(percentLabels > 0, counted(c.statistics, k)) << "graph " << k;
            EXPECT_EQ(gridLines.empty(), !counted(c.statistics, k)) << "graph " << k;
        }
        printer.KillDoc();
    }
}

TEST_F(GraphLabelsTest, EveryGraphOfTheWindowReadsWhole)
{
    StatForm& stats = StatForm::instance();
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        stats.Statistics = c.statistics;
        stats.drawGraphs();
        for (int graph = 1; graph <= StatGraphCount; ++graph) {
            const QFrame& frame = stats.Frame[graph];
            const PictureBox& picture = stats.graphPicture(graph);
            EXPECT_EQ(textLayoutFaults(
                          shownLabelTexts(frame), QRectF(frame.rect()), { QRectF(picture.geometry()) }),
                QStringList())
                << "graph " << graph;
            int percentLabels = 0;
            for (int element = 0; element <= stats.yLabels(graph).UBound(); ++element) {
                percentLabels
                    += stats.yLabels(graph).exists(element) && !stats.yLabels(graph)[element].isHidden();
            }
            EXPECT_EQ(percentLabels > 0, counted(c.statistics, graph)) << "graph " << graph;
        }
    }
}

} // namespace

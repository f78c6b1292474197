// The five printed histograms as recorded on the page: bars as shares of
// the window's percent range, hatched side by side; the grid up to the
// axis top; frames three dots wide over everything; the value labels on one
// line with the open bins' markers; and graphs with nothing counted.
#include "korvel/statistics/report_histograms.h"

#include "tests/korvel/statistics/report_fixture.h"

#include <algorithm>

namespace {

class ReportHistogramsTest : public ReportTest
{
protected:
    // The histograms printed on a page of their own; the recorded page.
    PrintedPage print(const SprayStatistics& statistics)
    {
        Printer& printer = pdfPrinter(QPageSize::Letter);
        m_geometry = computeStatisticsPageGeometry(printer, computeReportLayout(printer));
        printer.NewPage();
        printHistograms(printer, m_geometry, reportHistograms(statistics));
        const PrintedPage page = printer.pages().back();
        printer.KillDoc();
        return page;
    }

    // The items of frame k's column, in printing order: boxes standing on its
    // bottom edge or framing it, lines inside it.
    template <typename Item> std::vector<Item> itemsOf(const PrintedPage& page, int k) const
    {
        const QRectF frame(
            m_geometry.GraphLeft[k], m_geometry.GraphTop[k], m_geometry.GraphWidth, m_geometry.GraphHeight);
        std::vector<Item> found;
        for (const PrintedItem& element : page) {
            const auto* item = std::get_if<Item>(&element);
            if constexpr (std::is_same_v<Item, PrintedBox>) {
                if (item && (item->rect.bottom() == frame.bottom())) {
                    found.push_back(*item);
                }
            } else if (item && item->from.y() >= frame.top() && item->from.y() < frame.bottom()) {
                found.push_back(*item);
            }
        }
        return found;
    }

    StatisticsPageGeometry m_geometry;
};

TEST_F(ReportHistogramsTest, BarsGridAndFrameOfEachGraph)
{
    const PrintedPage page = print(sampleStatistics());
    struct Row
    {
        int k;
        std::size_t bars;
        std::size_t tallest;
        double top; // percent at the frame's top: 1.05 x the tallest bar, 1.2 x in graph 4
        std::size_t gridLines; // every 5 % up to and including the top; none with nothing counted
    };
    for (const Row& row : { Row { 1, 10, 1, 70, 14 }, Row { 2, 0, 0, 105, 0 }, Row { 3, 13, 7, 70, 14 },
             Row { 4, 11, 5, 120, 24 }, Row { 5, 10, 0, 70, 14 } }) {
        SCOPED_TRACE(row.k);
        std::vector<PrintedBox> boxes = itemsOf<PrintedBox>(page, row.k);
        ASSERT_EQ(boxes.size(), row.bars + 1) << "graph 2 counted no turn: no bars, only its frame";
        const PrintedBox frame = boxes.back();
        boxes.pop_back();
        EXPECT_EQ(frame.rect.height(), m_geometry.GraphHeight) << "the frame comes last";
        EXPECT_EQ(frame.width, 3);
        EXPECT_EQ(frame.fillStyle, vbFSTransparent);

        const double slot = m_geometry.GraphWidth / double(row.bars);
        for (std::size_t j = 0; j < boxes.size(); ++j) {
            EXPECT_NEAR(boxes[j].rect.left(), m_geometry.GraphLeft[row.k] + j * slot, 0.01) << "side by side";
            EXPECT_NEAR(boxes[j].rect.width(), slot, 0.01);
            EXPECT_EQ(boxes[j].fillStyle, vbDownwardDiagonal);
            EXPECT_EQ(boxes[j].width, 1);
        }
        if (!boxes.empty()) {
            // The tallest bar holds 2/3 of the total in graphs 1, 3 and 5, all of it in graph 4.
            const double share = row.k == 4 ? 100 : 200 / 3.0;
            EXPECT_NEAR(boxes[row.tallest].rect.height(), share / row.top * m_geometry.GraphHeight, 0.05);
        }
        const std::vector<PrintedLine> grid = itemsOf<PrintedLine>(page, row.k);
        ASSERT_EQ(grid.size(), row.gridLines);
        if (grid.empty()) {
            continue;
        }
        EXPECT_NEAR(
            grid.front().from.y(), m_geometry.bottom(row.k) - m_geometry.GraphHeight * 5 / row.top, 0.05);
    }
}

TEST_F(ReportHistogramsTest, ValueLabelsUnderEachFrame)
{
    for (const SprayStatistics& statistics : { sampleStatistics(), SprayStatistics {} }) {
        const bool counted = statistics.SprayRunCount > 0;
        SCOPED_TRACE(counted ? "counted" : "nothing counted");
        const PrintedPage page = print(statistics);
        struct Row
        {
            int k;
            QStringList labels; // in printing order; the empty pass's axes where they differ
            QStringList empty;
        };
        // Bins too narrow for their numbers: the markers, then every second
        // number from the centre, clear of them.
        const QStringList rates { "<", ">", "-20%", "-10%", "0%", "10%", "20%" };
        const QStringList crossTrack { "<", ">", "-1.00", "-0.50", "0.00", "0.50", "1.00" };
        for (const Row& row : { Row { 1, { "0", "3", "6", "9", "12", "15", "18", "21", "24", "27", "30" },
                                    { "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10" } },
                 Row { 2, { "25", "28", "31", "34", "37", "40", "43", "46", "49", "52", "55" },
                     { "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10" } },
                 Row { 3, rates, rates }, Row { 4, crossTrack, crossTrack },
                 Row { 5, { "120", "122", "124", "126", "128", "130", "132", "134", "136", "138", "140" },
                     { "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10" } } }) {
            SCOPED_TRACE(row.k);
            QStringList printed;
            std::vector<double> tops;
            for (const PrintedText& text : texts(page)) {
                if (text.at.y() > m_geometry.bottom(row.k) && text.at.y() < m_geometry.bottom(row.k) + 300
                    && text.at.x() > m_geometry.GraphLeft[row.k] - 200) {
                    printed << text.text;
                    tops.push_back(text.at.y());
                }
            }
            EXPECT_EQ(printed, counted ? row.labels : row.empty);
            EXPECT_EQ(std::count(tops.begin(), tops.end(), tops.front()), qsizetype(tops.size()))
                << "one line";
        }
    }
}

} // namespace

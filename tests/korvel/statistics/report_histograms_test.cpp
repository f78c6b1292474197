// The five printed histograms as recorded on the page: bars as shares of
// the window's percent range, hatched and side by side; frames three dots
// wide over them; the grid and its percent labels; the value labels with
// the open bins' markers; and graphs with nothing counted.
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

    // The boxes of frame k's column of the page, in printing order.
    std::vector<PrintedBox> boxesOf(const PrintedPage& page, int k, int fillStyle) const
    {
        std::vector<PrintedBox> found;
        for (const PrintedItem& item : page) {
            const auto* box = std::get_if<PrintedBox>(&item);
            if (box && box->fillStyle == fillStyle && box->rect.bottom() == m_geometry.bottom(k)) {
                found.push_back(*box);
            }
        }
        return found;
    }

    std::vector<PrintedLine> gridOf(const PrintedPage& page, int k) const
    {
        std::vector<PrintedLine> found;
        for (const PrintedItem& item : page) {
            const auto* line = std::get_if<PrintedLine>(&item);
            if (line && line->from.y() > m_geometry.GraphTop[k] - 1
                && line->from.y() < m_geometry.bottom(k)) {
                found.push_back(*line);
            }
        }
        return found;
    }

    // The texts printed between the first and the last of `from`..`to`.
    static QStringList textsBetween(const PrintedPage& page, const QString& from, const QString& to)
    {
        QStringList all;
        for (const PrintedText& text : texts(page)) {
            all << text.text;
        }
        const qsizetype first = all.indexOf(from);
        const qsizetype last = all.indexOf(to, first);
        return first < 0 || last < 0 ? QStringList() : all.mid(first, last - first + 1);
    }

    StatisticsPageGeometry m_geometry;
};

TEST_F(ReportHistogramsTest, BarsAreHatchedSharesOfTheWindowsPercentRange)
{
    const PrintedPage page = print(sampleStatistics());
    const double height = m_geometry.GraphHeight;
    struct Row
    {
        int k;
        std::size_t bars;
        std::size_t tallest;
        double share; // of the frame's height
    };
    // The tallest bar of a graph reaches 1/1.05 of the frame (1/1.2 in graph 4).
    for (const Row& row : { Row { 1, 10, 1, 1 / 1.05 }, Row { 2, 0, 0, 0 }, Row { 3, 13, 7, 1 / 1.05 },
             Row { 4, 11, 5, 1 / 1.2 }, Row { 5, 10, 0, 1 / 1.05 } }) {
        SCOPED_TRACE(row.k);
        const std::vector<PrintedBox> bars = boxesOf(page, row.k, vbDownwardDiagonal);
        ASSERT_EQ(bars.size(), row.bars) << "graph 2 counted no turn: no bars";
        const double slot = m_geometry.GraphWidth / double(row.bars);
        for (std::size_t j = 0; j < bars.size(); ++j) {
            EXPECT_NEAR(bars[j].rect.left(), m_geometry.GraphLeft[row.k] + j * slot, 0.01) << "side by side";
            EXPECT_NEAR(bars[j].rect.width(), slot, 0.01);
            EXPECT_EQ(bars[j].width, 1);
            EXPECT_EQ(bars[j].fillColor, 0);
        }
        if (!bars.empty()) {
            EXPECT_NEAR(bars[row.tallest].rect.height(), row.share * height, 0.05);
            EXPECT_EQ(std::count_if(bars.begin(), bars.end(),
                          [](const PrintedBox& bar) { return bar.rect.height() == 0; }),
                std::ptrdiff_t(row.bars) - (row.k == 1 || row.k == 3 || row.k == 5 ? 2 : 1))
                << "an empty bin is a line on the bottom edge";
        }
    }
    EXPECT_NEAR(boxesOf(page, 3, vbDownwardDiagonal)[6].rect.height(),
        height * (100.0 / 3) / (200.0 / 3 * 1.05), 0.05)
        << "a third of the samples, against the axis top of 70 %";
}

TEST_F(ReportHistogramsTest, FramesThreeDotsWideOverBarsAndGrid)
{
    for (const SprayStatistics& statistics : { sampleStatistics(), SprayStatistics {} }) {
        const PrintedPage page = print(statistics);
        std::vector<std::size_t> framesAt;
        std::size_t lastBar = 0;
        for (std::size_t i = 0; i < page.size(); ++i) {
            if (const auto* box = std::get_if<PrintedBox>(&page[i])) {
                (box->fillStyle == vbFSTransparent ? framesAt.push_back(i) : void(lastBar = i));
            }
        }
        ASSERT_EQ(framesAt.size(), 5u);
        EXPECT_GT(framesAt.front(), lastBar) << "frames last";
        for (int k = 1; k <= 5; ++k) {
            const PrintedBox& frame = std::get<PrintedBox>(page[framesAt[std::size_t(k - 1)]]);
            EXPECT_EQ(frame.rect,
                QRectF(m_geometry.GraphLeft[k], m_geometry.GraphTop[k], m_geometry.GraphWidth,
                    m_geometry.GraphHeight));
            EXPECT_EQ(frame.width, 3);
            EXPECT_EQ(frame.color, 0);
        }
    }
}

TEST_F(ReportHistogramsTest, GridLinesEveryFivePercentWithTheirLabels)
{
    const PrintedPage page = print(sampleStatistics());
    Printer& printer = currentPrinter();
    setReportFont(printer, 8, false);
    struct Row
    {
        int k;
        double top; // percent at the frame's top
        std::size_t lines;
        QString label; // of the 5 % line
        double labelLeft; // twips left of the frame
        double labelDrop; // twips below the 5 % line
    };
    const double textHeight = printer.TextHeight("5%");
    const double measured = printer.TextWidth(" 5%") + 12; // graphs 1 to 3: a sign blank and 5 dots
    for (const Row& row : { Row { 1, 70, 14, "5%", measured, textHeight },
             Row { 2, 105, 21, "5%", measured, textHeight }, Row { 3, 70, 14, "5%", measured, textHeight },
             Row { 4, 120, 24, "5%", 390, textHeight }, Row { 5, 70, 14, " 5%", 390, -90 } }) {
        SCOPED_TRACE(row.k);
        const std::vector<PrintedLine> grid = gridOf(page, row.k);
        ASSERT_EQ(grid.size(), row.lines) << "up to and including the top";
        const double fivePercent = m_geometry.bottom(row.k) - m_geometry.GraphHeight * 5 / row.top;
        EXPECT_NEAR(grid.front().from.y(), fivePercent, 0.05);
        EXPECT_EQ(grid.front().from.x(), m_geometry.GraphLeft[row.k]);
        EXPECT_EQ(grid.front().to.x(), m_geometry.GraphLeft[row.k] + m_geometry.GraphWidth);
        bool found = false;
        for (const PrintedText& text : texts(page)) {
            if (text.text == row.label && std::abs(text.at.y() - (fivePercent + row.labelDrop)) < 0.05) {
                EXPECT_NEAR(text.at.x(), m_geometry.GraphLeft[row.k] - row.labelLeft, 0.05);
                found = true;
            }
        }
        EXPECT_TRUE(found) << "the 5 % label";
    }
}

TEST_F(ReportHistogramsTest, ValueLabelsUnderEachFrame)
{
    const PrintedPage page = print(sampleStatistics());
    struct Row
    {
        int k;
        QStringList labels; // in printing order
    };
    for (const Row& row : { Row { 1, { "0", "3", "6", "9", "12", "15", "18", "21", "24", "27", "30" } },
             Row { 2, { "25", "28", "31", "34", "37", "40", "43", "46", "49", "52", "55" } },
             Row { 3,
                 { "<", "-30%", "-25%", "-20%", "-15%", "-10%", "-5%", "0%", "5%", "10%", "15%", "20%", "25%",
                     ">", "30%" } },
             Row { 4,
                 { "<", "-1.25", "-1.00", "-0.75", "-0.50", "-0.25", "0.00", "0.25", "0.50", "0.75", "1.00",
                     ">", "1.25" } },
             Row { 5, { "120", "122", "124", "126", "128", "130", "132", "134", "136", "138", "140" } } }) {
        SCOPED_TRACE(row.k);
        // Labels standing under frame k, in printing order.
        QStringList printed;
        std::vector<PrintedText> under;
        for (const PrintedText& text : texts(page)) {
            if (text.at.y() > m_geometry.bottom(row.k) && text.at.y() < m_geometry.bottom(row.k) + 300
                && text.at.x() > m_geometry.GraphLeft[row.k] - 200) {
                printed << text.text;
                under.push_back(text);
            }
        }
        EXPECT_EQ(printed, row.labels);
        // Graphs 3 and 4: each marker and the outer number after it a line lower.
        if (row.k == 3 || row.k == 4) {
            const double first = under[0].at.y();
            EXPECT_GT(under[1].at.y(), first + 100) << row.labels[1].toStdString();
            EXPECT_EQ(under[2].at.y(), first);
            EXPECT_EQ(under[row.labels.size() - 2].at.y(), first) << "the > marker";
            EXPECT_GT(under.back().at.y(), first + 100);
        }
    }
    // Bin edges centred on the edge, bar centres on the centre.
    Printer& printer = currentPrinter();
    setReportFont(printer, 8, false);
    const PrintedText edge = textOn(page, "15");
    EXPECT_NEAR(edge.at.x() + printer.TextWidth("15") / 2,
        m_geometry.GraphLeft[1] + m_geometry.GraphWidth / 2.0, 0.01);
    const PrintedText centre = textOn(page, "0.00");
    EXPECT_NEAR(centre.at.x() + printer.TextWidth("0.00") / 2,
        m_geometry.GraphLeft[4] + m_geometry.GraphWidth / 2.0, 0.01);
}

TEST_F(ReportHistogramsTest, NothingCountedStillPrintsFramesAndLabels)
{
    const PrintedPage page = print(SprayStatistics {});
    for (int k = 1; k <= 5; ++k) {
        EXPECT_TRUE(boxesOf(page, k, vbDownwardDiagonal).empty()) << k;
        EXPECT_FALSE(gridOf(page, k).empty()) << k << ": the empty axis still has its grid";
    }
    EXPECT_EQ(textsBetween(page, "<", "30%").size(), 15u) << "graph 3's labels";
    textOn(page, "1.25");
    textOn(page, "10");
}

} // namespace

// The statistics page: where its five frames lie on Letter and A4, with and
// without a footer and on a printer with an unprintable bottom edge; its
// heading, titles and captions; and the page read back from the PDF file.
#include "korvel/statistics/report_statistics_page.h"

#include "korvel/statistics/report_driver.h"
#include "korvel/statistics/report_page_frame.h"
#include "tests/korvel/statistics/report_fixture.h"
#include "tests/platform/raised_error.h"
#include "tests/support/pdf_reading.h"
#include "tests/support/scripted_services.h"

namespace {

class ReportStatisticsPageTest : public ReportTest
{
protected:
    StatisticsPageGeometry geometry(Printer& printer)
    {
        return computeStatisticsPageGeometry(printer, computeReportLayout(printer));
    }

    // How far below the fifth frame its value labels end.
    static double labelsBelowFrame(Printer& printer)
    {
        setReportFont(printer, 8, false);
        return 15 + printer.TextHeight("0");
    }
};

TEST_F(ReportStatisticsPageTest, FramesKeepWidthAndGapsAndFitAboveTheFooter)
{
    struct Row
    {
        const char* name;
        QPageSize::PageSizeId paper;
        QString footer;
        double bottomMargin; // the printer's unprintable bottom edge, twips
        int left;
    };
    // Letter: 12240 / 2 - 1560; A4: 5953 - 1560 = 4393.
    for (const Row& row : { Row { "Letter", QPageSize::Letter, "", 0, 4560 },
             Row { "Letter with a footer", QPageSize::Letter, "Printed by KORVEL", 0, 4560 },
             Row { "A4", QPageSize::A4, "", 0, 4393 },
             Row { "A4 with a footer", QPageSize::A4, "Printed by KORVEL", 0, 4393 },
             Row { "a printer's bottom edge", QPageSize::Letter, "Printed by KORVEL", 300, 4560 } }) {
        SCOPED_TRACE(row.name);
        DeleteRegSetting("ReportLayout", "Footer");
        store("ReportLayout", "Footer", row.footer);
        services().printers.setPrinters({ { "Laser", row.paper, { 0, 0, 0, row.bottomMargin } } }, "Laser");
        if (row.bottomMargin == 0) {
            setCurrentPrinter(QString()); // the PDF file: the whole paper printable
            currentPrinter().setPaperSize(row.paper);
        }
        Printer& printer = currentPrinter();
        const StatisticsPageGeometry g = geometry(printer);
        EXPECT_EQ(g.GraphWidth, 3120) << "1300 dots";
        EXPECT_EQ(g.TitleIndent, 1080);
        EXPECT_EQ(g.TitleDrop, qRound(g.GraphHeight / 5.0));
        for (int k = 1; k <= 5; ++k) {
            EXPECT_EQ(g.GraphLeft[k], row.left) << k;
            EXPECT_EQ(g.GraphTop[k], k == 1 ? 1000 : g.bottom(k - 1) + 350) << k;
        }
        EXPECT_LE(g.GraphHeight, qRound((printer.Height() - 2400) / 5.0)) << "never taller than its share";
        // The fifth frame's labels end at the footer's top, or within the
        // rounding of five heights above it.
        const double lowest = footerTop(printer, 11);
        const double labelsEnd = g.bottom(5) + labelsBelowFrame(printer);
        EXPECT_LE(labelsEnd, lowest);
        EXPECT_GT(labelsEnd, lowest - 5);
    }
    services().printers.reset();
    resetCurrentPrinter();
    currentPrinter().setPaperSize(QPageSize::A0);
    EXPECT_EQ(raisedError([&] { geometry(currentPrinter()); }), 6) << "frames beyond 16 bits of twips";
}

TEST_F(ReportStatisticsPageTest, ThePageReadBackFromThePdfFile)
{
    if (!pdfToolsAvailable()) {
        GTEST_SKIP() << "poppler-utils are not installed";
    }
    store("ReportLayout", "Footer", "Printed by KORVEL");
    store("ReportLayout", "PrintGIS", "0");
    ReportInputs in;
    in.statistics = sampleStatistics();
    for (const QPageSize::PageSizeId paper : { QPageSize::Letter, QPageSize::A4 }) {
        SCOPED_TRACE(QPageSize::name(paper).toStdString());
        Printer& printer = pdfPrinter(paper);
        ASSERT_FALSE(printReport(printer, in));
        const std::vector<PdfPage> pages = readPdfWords(pdfPath());
        ASSERT_EQ(pages.size(), 2u);
        const PdfPage& page = pages[1];
        const StatisticsPageGeometry g = geometry(printer);

        const PdfWord* heading = page.find("Statistics");
        ASSERT_TRUE(heading);
        EXPECT_NEAR(heading->box.center().y(), 500, 40);
        for (const QString title : { "Spray", "Turn", "Application", "X-Track", "Altitude" }) {
            const PdfWord* word = nullptr;
            for (const PdfWord& candidate : page.words) {
                if (candidate.text == title && std::abs(candidate.box.left() - 1080) < 20) {
                    word = &candidate;
                }
            }
            EXPECT_TRUE(word) << title.toStdString() << " at 0.75 inch";
        }
        // Value labels under their frames: the bin edges of graphs 1 and 5,
        // the outermost bar centres of graphs 3 and 4 that keep clear of the
        // open bins' markers.
        struct Label
        {
            QString text;
            int k;
            double centre; // fraction of the frame's width
        };
        for (const Label& label : { Label { "0", 1, 0.0 }, Label { "30", 1, 1.0 },
                 Label { "-20%", 3, 5 / 26.0 }, Label { "20%", 3, 21 / 26.0 }, Label { "-1.00", 4, 3 / 22.0 },
                 Label { "1.00", 4, 19 / 22.0 }, Label { "120", 5, 0.0 }, Label { "140", 5, 1.0 } }) {
            SCOPED_TRACE(label.text.toStdString());
            const double x = g.GraphLeft[label.k] + label.centre * g.GraphWidth;
            const PdfWord* found = nullptr;
            for (const PdfWord& word : page.words) {
                if (word.text == label.text && std::abs(word.box.center().x() - x) < 40
                    && word.box.top() > g.bottom(label.k) && word.box.top() < g.bottom(label.k) + 250) {
                    found = &word;
                }
            }
            EXPECT_TRUE(found);
        }
        // The fifth frame's labels above the footer, the footer on the paper.
        const PdfWord* footer = page.find("KORVEL");
        const PdfWord* lastLabel = page.find("140");
        ASSERT_TRUE(footer && lastLabel);
        EXPECT_LT(lastLabel->box.bottom(), footer->box.top());
        EXPECT_LT(footer->box.bottom(), printer.Height());

        // The frames and the hatched bars, on the picture.
        const QImage picture = renderPdfPage(pdfPath(), 2, 300);
        ASSERT_FALSE(picture.isNull());
        const double pixel = 1440.0 / 300;
        const auto grey
            = [&](double x, double y) { return qGray(picture.pixel(int(x / pixel), int(y / pixel))); };
        // The darkest pixel across an edge, within 8 twips of it.
        const auto edge = [&](double x, double y, bool horizontal) {
            int darkest = 255;
            for (double d = -8; d <= 8; d += 2) {
                darkest = std::min(darkest, horizontal ? grey(x, y + d) : grey(x + d, y));
            }
            return darkest;
        };
        for (int k = 1; k <= 5; ++k) {
            SCOPED_TRACE(k);
            const double middleX = g.GraphLeft[k] + g.GraphWidth * 0.55;
            const double middleY = g.GraphTop[k] + g.GraphHeight * 0.52;
            EXPECT_LT(edge(middleX, g.GraphTop[k], true), 60) << "top edge";
            EXPECT_LT(edge(middleX, g.bottom(k), true), 60) << "bottom edge";
            EXPECT_LT(edge(g.GraphLeft[k], middleY, false), 60) << "left edge";
            EXPECT_LT(edge(g.GraphLeft[k] + g.GraphWidth, middleY, false), 60) << "right edge";
        }
        // Graph 4's one bar (every sample within an eighth of the swath)
        // reaches 1/1.2 of the frame: hatched halfway between two grid
        // lines, white above it.
        const double barLeft = g.GraphLeft[4] + 5 * g.GraphWidth / 11.0;
        const double between = g.bottom(4) - g.GraphHeight * 47.5 / 120;
        int darkest = 255;
        for (int i = 0; i < 40; ++i) {
            darkest = std::min(darkest, grey(barLeft + 40 + i * 5, between));
        }
        EXPECT_LT(darkest, 200) << "hatched";
        EXPECT_GT(grey(barLeft + 140, g.bottom(4) - g.GraphHeight * 112.5 / 120), 250) << "above the bar";
        EXPECT_GT(grey(barLeft + 140 + g.GraphWidth / 11.0, between), 250) << "an empty slot";
    }
}

} // namespace

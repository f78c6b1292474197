// The whole report printed into a PDF file and read back as a person would
// check the printout: the first page's texts and columns on Letter and A4
// in both unit systems, the sequence of pages with their footers, the map
// page in colour and in grey, and a run that fails leaving no file.
#include "korvel/statistics/report_driver.h"

#include "korvel/statistics/report_layout.h"
#include "tests/korvel/statistics/report_fixture.h"
#include "tests/support/pdf_reading.h"

#include <QFileInfo>
#include <QLocale>
#include <QRegularExpression>

namespace {

class ReportDriverTest : public ReportTest
{
protected:
    void SetUp() override
    {
        ReportTest::SetUp();
        QLocale::setDefault(QLocale::c());
        store("ReportLayout", "Title", "Budworm Spray Programme");
        store("ReportLayout", "Footer", "Printed by KORVEL");
        store("CompanyInfo", "Name", "Tallgrass Aerial");
        store("CompanyInfo", "Address", "12 Mill Road\r\nFredericton NB");
        store("ClientInfo", "Name", "Crown Forests");
        store("ApplicationInfo", "Aircraft", "AT-802");
        store("ApplicationInfo", "ProductRate", "1.5");
        const int north = addBlock("NORTH.no1", 2500000);
        addFlight(north, "N0101001.T01", 600000, 1000, 20);
        addFlight(north, "N0101002.T01", 400000, 600, 20);
        addFlight(addBlock("SOUTH.no1", -1000000), "S0101001.T01", 800000, 1400, 40);
    }

    ReportInputs inputs(int copies = 1) const
    {
        ReportInputs in;
        in.map = m_map;
        in.ticks = allTicked();
        in.copies = copies;
        return in;
    }

    std::vector<PdfPage> printToPdf(QPageSize::PageSizeId paper, const ReportInputs& in)
    {
        Printer& printer = pdfPrinter(paper);
        const std::optional<ReportFailure> failure = printReport(printer, in);
        EXPECT_FALSE(failure) << (failure ? failure->description.toStdString() : "");
        return readPdfWords(pdfPath());
    }

    // A map picture: red on the left half, blue on the right.
    static QImage twoColourMap()
    {
        QImage image(400, 300, QImage::Format_RGB32);
        image.fill(Qt::red);
        for (int y = 0; y < image.height(); ++y) {
            for (int x = image.width() / 2; x < image.width(); ++x) {
                image.setPixel(x, y, qRgb(0, 0, 255));
            }
        }
        return image;
    }

    QImage m_map = twoColourMap();
};

#define SKIP_WITHOUT_POPPLER()                                                                               \
    if (!pdfToolsAvailable()) {                                                                              \
        GTEST_SKIP() << "poppler-utils are not installed";                                                   \
    }

TEST_F(ReportDriverTest, FirstPageTextsAndColumnsOnLetterAndA4)
{
    SKIP_WITHOUT_POPPLER();
    struct Row
    {
        QPageSize::PageSizeId paper;
        bool metric;
        QStringList figures; // block NORTH, its first flight, the totals
    };
    for (const Row& row :
        { Row { QPageSize::Letter, true, { "250.00 ha", "60.00 ha", "180.00 km/h", "350.00 ha" } },
            Row { QPageSize::A4, true, { "250.00 ha", "60.00 ha", "180.00 km/h", "350.00 ha" } },
            Row { QPageSize::Letter, false, { "617.75 ac", "148.26 ac", "111.87 mph", "864.85 ac" } },
            Row { QPageSize::A4, false, { "617.75 ac", "148.26 ac", "111.87 mph", "864.85 ac" } } }) {
        SCOPED_TRACE(QPageSize::name(row.paper).toStdString() + (row.metric ? " metric" : " U.S."));
        ReportInputs in = inputs();
        in.metric = row.metric;
        const std::vector<PdfPage> pages = printToPdf(row.paper, in);
        ASSERT_EQ(pages.size(), 3u);
        const PdfPage& first = pages[0];
        Printer& printer = currentPrinter();
        const ReportLayout layout = computeReportLayout(printer);
        EXPECT_NEAR(first.widthTwips, printer.Width(), 10) << "the file's paper is in whole points";
        EXPECT_NEAR(first.heightTwips, printer.Height(), 10);

        // The title centred on the paper at half the top margin.
        const PdfWord* title = first.find("Budworm");
        const PdfWord* titleEnd = first.find("Programme");
        ASSERT_TRUE(title && titleEnd);
        EXPECT_NEAR((title->box.left() + titleEnd->box.right()) / 2, printer.Width() / 2.0, 40);
        EXPECT_NEAR(title->box.top(), layout.TopMargin / 2.0, 60);

        // Headings a quarter inch left of the labels, values in their column.
        for (const QString heading : { "Company:", "Client:", "Application:", "Flights:" }) {
            const PdfWord* word = first.find(heading);
            ASSERT_TRUE(word) << heading.toStdString();
            EXPECT_NEAR(word->box.left(), layout.LabelLeft - 360, 20) << heading.toStdString();
        }
        EXPECT_NEAR(first.find("Name:")->box.left(), layout.IndentLeft, 20);
        EXPECT_NEAR(first.find("Tallgrass")->box.left(), layout.ContactValueLeft, 20);
        EXPECT_NEAR(first.find("AT-802")->box.left(), layout.ApplicationValueLeft, 20);
        const PdfWord* mill = first.find("Mill");
        const PdfWord* fredericton = first.find("Fredericton");
        ASSERT_TRUE(mill && fredericton);
        EXPECT_NEAR(fredericton->box.top() - mill->box.top(), layout.LineHeight, 5)
            << "an address line a row";
        EXPECT_EQ(first.lineAt(first.find("Product")->box.top(), 5), "Product Rate: 1.5 L/ha");

        // The summary's columns: titles and figures right-aligned on them.
        const PdfWord* north = first.find("NORTH.no1");
        ASSERT_TRUE(north);
        EXPECT_NEAR(north->box.left(), layout.IndentLeft, 20);
        EXPECT_EQ(first.lineAt(north->box.top(), 10), "NORTH.no1 " + row.figures[0]);
        const PdfWord* flight = first.find("N0101001.T01");
        ASSERT_TRUE(flight);
        EXPECT_NEAR(flight->box.left(), layout.SummaryIndent, 20);
        EXPECT_EQ(
            first.lineAt(flight->box.top(), 10), "N0101001.T01 " + row.figures[1] + " " + row.figures[2]);
        struct Column
        {
            QString lastWord;
            int rightEdge;
            double top;
        };
        const QString speedUnit = row.metric ? "km/h" : "mph";
        const QString areaUnit = row.metric ? "ha" : "ac";
        for (const Column& column : { Column { "Area", layout.SummaryCol1, first.find("Block")->box.top() },
                 Column { "Speed", layout.SummaryCol3, first.find("Block")->box.top() },
                 Column { speedUnit, layout.SummaryCol3, flight->box.top() },
                 Column { areaUnit, layout.SummaryCol1, north->box.top() } }) {
            // Of the words on that line, the one nearest the column's edge.
            const PdfWord* last = nullptr;
            for (const PdfWord& word : first.words) {
                if (word.text == column.lastWord && std::abs(word.box.top() - column.top) < 10
                    && (!last
                        || std::abs(word.box.right() - column.rightEdge)
                            < std::abs(last->box.right() - column.rightEdge))) {
                    last = &word;
                }
            }
            ASSERT_TRUE(last) << column.lastWord.toStdString();
            EXPECT_NEAR(last->box.right(), column.rightEdge, 25) << column.lastWord.toStdString();
        }
        // The totals row is the last line of the summary.
        const QString layoutText = readPdfLayout(pdfPath(), 1);
        EXPECT_TRUE(layoutText.contains(row.figures[3])) << layoutText.toStdString();
        EXPECT_TRUE(layoutText.contains(QRegularExpression("Block Area +Sprayed Area +Avg. Speed")));
        // The footer at the bottom right.
        const PdfWord* footer = first.find("KORVEL");
        ASSERT_TRUE(footer);
        EXPECT_NEAR(footer->box.right(), 0.9 * printer.Width(), 25);
        EXPECT_NEAR(footer->box.bottom(), printer.Height() - 360, 60);
    }
}

TEST_F(ReportDriverTest, PageSequenceAndFooters)
{
    SKIP_WITHOUT_POPPLER();
    struct Row
    {
        QString printGIS;
        int copies;
        int pages;
    };
    for (const Row& row : { Row { "1", 1, 3 }, Row { "0", 1, 2 }, Row { "1", 2, 6 }, Row { "0", 3, 6 } }) {
        SCOPED_TRACE(row.printGIS.toStdString() + " x" + std::to_string(row.copies));
        store("ReportLayout", "PrintGIS", row.printGIS);
        const std::vector<PdfPage> pages = printToPdf(QPageSize::Letter, inputs(row.copies));
        ASSERT_EQ(int(pages.size()), row.pages);
        const int perCopy = row.pages / row.copies;
        for (int p = 0; p < row.pages; ++p) {
            SCOPED_TRACE(p + 1);
            EXPECT_TRUE(pages[std::size_t(p)].find("KORVEL")) << "every page has its footer";
            const bool firstPage = p % perCopy == 0;
            const bool mapPage = perCopy == 3 && p % perCopy == 1;
            EXPECT_EQ(pages[std::size_t(p)].find("Company:") != nullptr, firstPage);
            EXPECT_EQ(pages[std::size_t(p)].find("Application:") != nullptr, firstPage || mapPage);
            EXPECT_EQ(pages[std::size_t(p)].find("Statistics") != nullptr, p % perCopy == perCopy - 1)
                << "each copy ends with the statistics page";
            if (mapPage) {
                EXPECT_EQ(pages[std::size_t(p)].words.size(), 4u) << "the caption and the footer";
            }
        }
    }
}

TEST_F(ReportDriverTest, TheMapPageInColourAndInGrey)
{
    SKIP_WITHOUT_POPPLER();
    struct Row
    {
        QString stored; // "" stores nothing
        bool colour;
    };
    for (const Row& row : { Row { "", true }, Row { "True", true }, Row { "False", false } }) {
        SCOPED_TRACE(row.stored.toStdString());
        DeleteRegSetting("ReportLayout", "GISColour");
        store("ReportLayout", "GISColour", row.stored);
        printToPdf(QPageSize::Letter, inputs());
        EXPECT_EQ(currentPrinter().ColorMode(), row.colour ? vbPRCMColor : vbPRCMMonochrome);
        const QImage page = renderPdfPage(pdfPath(), 2, 36);
        ASSERT_FALSE(page.isNull());
        // The picture lies at (1224, 4248), 9792 x 7344 twips: 1/40 inch a pixel here.
        const QColor left = page.pixelColor(int((1224 + 9792 * 0.25) / 40), int((4248 + 7344 * 0.5) / 40));
        const QColor right = page.pixelColor(int((1224 + 9792 * 0.75) / 40), int((4248 + 7344 * 0.5) / 40));
        if (row.colour) {
            EXPECT_GT(left.red(), 200);
            EXPECT_LT(left.blue(), 60);
            EXPECT_GT(right.blue(), 200);
            EXPECT_LT(right.red(), 60);
        } else {
            for (const QColor& grey : { left, right }) {
                EXPECT_NEAR(grey.red(), grey.green(), 2);
                EXPECT_NEAR(grey.green(), grey.blue(), 2);
            }
            EXPECT_NE(left.red(), right.red()) << "red and blue are different greys";
        }
    }
}

TEST_F(ReportDriverTest, NoCopyAFailureOrACancelLeavesNoFile)
{
    EXPECT_FALSE(printReport(currentPrinter(), inputs(0)));
    EXPECT_TRUE(dialogs().empty()) << "no copy: no job, no file asked for";

    // Paper so tall that the statistics page's frames lie beyond 16 bits of
    // twips: refused before the job starts, no file asked for.
    currentPrinter().setPaperSize(QPageSize::A0);
    std::optional<ReportFailure> failure = printReport(currentPrinter(), inputs());
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->number, 6);
    EXPECT_EQ(failure->description, "Overflow");
    EXPECT_FALSE(failure->isCancel());
    EXPECT_TRUE(dialogs().empty());

    // A failure once the job runs (the map page's picture too tall for 16
    // bits) abandons it: no page kept, no file.
    m_map = QImage(10, 60, QImage::Format_RGB32);
    failure = printReport(pdfPrinter(QPageSize::Letter), inputs());
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->number, 6);
    EXPECT_EQ(currentPrinter().Page(), 0) << "the job abandoned";
    EXPECT_FALSE(QFileInfo::exists(pdfPath()));

    queueDialogCancel();
    EXPECT_TRUE(printReport(currentPrinter(), inputs())->isCancel());
}

} // namespace

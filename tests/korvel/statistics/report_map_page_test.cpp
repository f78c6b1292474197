// The map page: the picture's size and place on the paper, the caption and
// frame, a picture too tall for the page, and the setting that asks for it.
#include "korvel/statistics/report_map_page.h"

#include "platform/vb_error.h"
#include "tests/korvel/statistics/report_fixture.h"

namespace {

class ReportMapPageTest : public ReportTest
{
protected:
    MapPicturePlacement place(QPageSize::PageSizeId paper, QSize picture)
    {
        Printer& printer = currentPrinter();
        printer.setPaperSize(paper);
        const ReportLayout layout = computeReportLayout(printer);
        setReportFont(printer, 12, true);
        return placeMapPicture(printer, layout, picture);
    }

    // Prints the page; empty when nothing was printed.
    PrintedPage printMapPage(const QImage& map, QPageSize::PageSizeId paper = QPageSize::Letter)
    {
        Printer& printer = pdfPrinter(paper);
        const ReportLayout layout = computeReportLayout(printer);
        PrintMapPage(printer, layout, map);
        PrintedPage page = printer.pages().empty() ? PrintedPage() : printer.pages().back();
        if (printer.pages().empty()) {
            services().commonDialog.reset(); // the file was never asked for
        }
        printer.KillDoc();
        return page;
    }

    static QImage picture(int width, int height)
    {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        return image;
    }
};

TEST_F(ReportMapPageTest, FourFifthsOfThePaperWideCentredOnThePaper)
{
    struct Row
    {
        QPageSize::PageSizeId paper;
        QSize picture;
        int width;
        int height;
        double left;
        double top;
    };
    for (const Row& row : { Row { QPageSize::Letter, { 4, 3 }, 9792, 7344, 1224, 4248 },
             Row { QPageSize::A4, { 16, 9 }, 9525, 5358, 1190.5, 5740 },
             Row { QPageSize::Letter, { 500, 500 }, 9792, 9792, 1224, 3024 },
             Row { QPageSize::Letter, { 1000, 1 }, 9792, 10, 1224, 7915 } }) {
        SCOPED_TRACE(QPageSize::name(row.paper).toStdString());
        const MapPicturePlacement placed = place(row.paper, row.picture);
        EXPECT_EQ(placed.PictureWidth, row.width);
        EXPECT_EQ(placed.PictureHeight, row.height);
        EXPECT_EQ(placed.PictureLeft, row.left);
        EXPECT_EQ(placed.PictureTop, row.top);
    }
}

TEST_F(ReportMapPageTest, CaptionPictureAndFrame)
{
    const QImage map = picture(400, 300);
    const PrintedPage page = printMapPage(map);
    ASSERT_EQ(page.size(), 3u);
    const auto& caption = std::get<PrintedText>(page[0]);
    EXPECT_EQ(caption.text, "Application:");
    EXPECT_NEAR(caption.at.x(), 1152, 1e-3) << "30 dots left of the picture";
    Printer& printer = currentPrinter();
    setReportFont(printer, 12, true);
    EXPECT_NEAR(caption.at.y() + printer.TextHeight("Application:"), 4236, 1e-3) << "ends 5 dots above it";
    EXPECT_TRUE(caption.font.Bold);
    EXPECT_EQ(caption.font.Size, 12);
    const auto& painted = std::get<PrintedPicture>(page[1]);
    EXPECT_EQ(painted.rect, QRectF(1224, 4248, 9792, 7344));
    EXPECT_EQ(painted.picture, map);
    const auto& frame = std::get<PrintedBox>(page[2]);
    EXPECT_EQ(frame.rect, painted.rect);
    EXPECT_EQ(frame.width, 1);
    EXPECT_EQ(frame.fillStyle, vbFSTransparent);
    EXPECT_EQ(frame.color, 0);
}

TEST_F(ReportMapPageTest, ATallPictureIsScaledDownToFitBetweenCaptionAndFooter)
{
    Printer& printer = currentPrinter();
    printer.setPaperSize(QPageSize::Letter);
    setReportFont(printer, 12, true);
    const double captionRoom = printer.TextHeight("Application:") + 12;

    MapPicturePlacement placed = place(QPageSize::Letter, { 100, 300 });
    EXPECT_EQ(placed.PictureHeight, int(15840 - captionRoom));
    EXPECT_EQ(placed.PictureWidth, placed.PictureHeight / 3);
    EXPECT_NEAR(placed.PictureTop, captionRoom, 1e-3);
    EXPECT_EQ(placed.PictureLeft, (12240 - placed.PictureWidth) / 2.0);

    store("ReportLayout", "Footer", "Footnote");
    setReportFont(printer, 11, false);
    const double footerTop = 15840 - 360 - printer.TextHeight("Footnote");
    placed = place(QPageSize::Letter, { 100, 300 });
    EXPECT_LE(placed.PictureTop + placed.PictureHeight, footerTop);
    EXPECT_GE(placed.PictureTop + placed.PictureHeight, footerTop - 1);
    EXPECT_NEAR(placed.PictureTop, captionRoom, 1.0);

    // Fitting, but centring would reach into the footer: moved up.
    placed = place(QPageSize::Letter, { 9792, int(footerTop - captionRoom - 20) });
    EXPECT_LE(placed.PictureTop + placed.PictureHeight, footerTop);
}

TEST_F(ReportMapPageTest, TheSettingDecidesWhetherThePagePrints)
{
    struct Row
    {
        QString stored; // "" stores nothing
        bool printed;
    };
    for (const Row& row : { Row { "", true }, Row { "1", true }, Row { "0", false }, Row { "yes", true } }) {
        SCOPED_TRACE(row.stored.toStdString());
        DeleteRegSetting("ReportLayout", "PrintGIS");
        store("ReportLayout", "PrintGIS", row.stored);
        EXPECT_EQ(!printMapPage(picture(4, 3)).empty(), row.printed);
    }
}

TEST_F(ReportMapPageTest, APictureWithoutPixelsOrAPaperTooWideIsAnError)
{
    struct Row
    {
        QPageSize::PageSizeId paper;
        QSize picture;
        long error;
    };
    for (const Row& row : { Row { QPageSize::Letter, { 0, 0 }, 11 }, Row { QPageSize::A0, { 4, 3 }, 6 } }) {
        try {
            place(row.paper, row.picture);
            ADD_FAILURE() << "no error";
        } catch (const VbError& error) {
            EXPECT_EQ(error.Number(), row.error);
        }
    }
}

} // namespace

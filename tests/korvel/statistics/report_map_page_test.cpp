// The map page: the picture's size and place on the paper, the caption and
// frame, a picture too tall for the page, and the setting that asks for it.
#include "korvel/statistics/report_map_page.h"

#include "tests/korvel/statistics/report_fixture.h"
#include "tests/platform/raised_error.h"

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
};

TEST_F(ReportMapPageTest, FourFifthsOfThePaperWideCentredOnThePaper)
{
    struct Row
    {
        QPageSize::PageSizeId paper;
        QSize picture;
        int width, height;
        double left, top;
    };
    for (const Row& row : { Row { QPageSize::Letter, { 4, 3 }, 9792, 7344, 1224, 4248 },
             Row { QPageSize::A4, { 16, 9 }, 9525, 5358, 1190.5, 5740 },
             Row { QPageSize::Letter, { 500, 500 }, 9792, 9792, 1224, 3024 } }) {
        const MapPicturePlacement placed = place(row.paper, row.picture);
        EXPECT_EQ(placed.PictureWidth, row.width);
        EXPECT_EQ(placed.PictureHeight, row.height);
        EXPECT_EQ(placed.PictureLeft, row.left);
        EXPECT_EQ(placed.PictureTop, row.top);
    }
    EXPECT_EQ(raisedError([&] { place(QPageSize::Letter, { 0, 0 }); }), 11) << "a picture without pixels";
    EXPECT_EQ(raisedError([&] { place(QPageSize::A0, { 4, 3 }); }), 6) << "wider than 16 bits of twips";
}

TEST_F(ReportMapPageTest, ATallPictureIsScaledDownToFitBetweenCaptionAndFooter)
{
    Printer& printer = currentPrinter();
    setReportFont(printer, 12, true);
    const double captionRoom = printer.TextHeight("Application:") + 12;
    MapPicturePlacement placed = place(QPageSize::Letter, { 100, 300 });
    EXPECT_EQ(placed.PictureHeight, int(15840 - captionRoom));
    EXPECT_EQ(placed.PictureWidth, placed.PictureHeight / 3);
    EXPECT_NEAR(placed.PictureTop, captionRoom, 1e-3);

    store("ReportLayout", "Footer", "Footnote");
    setReportFont(printer, 11, false);
    const double footerTop = 15840 - 360 - printer.TextHeight("Footnote");
    for (const QSize picture : { QSize(100, 300), QSize(9792, int(footerTop - captionRoom - 20)) }) {
        placed = place(QPageSize::Letter, picture);
        EXPECT_LE(placed.PictureTop + placed.PictureHeight, footerTop) << picture.height();
        EXPECT_GE(placed.PictureTop, captionRoom);
    }
}

TEST_F(ReportMapPageTest, CaptionPictureAndFrameWhenTheSettingAsks)
{
    QImage map(400, 300, QImage::Format_RGB32);
    map.fill(Qt::white);
    struct Row
    {
        QString stored; // "" stores nothing
        bool printed;
    };
    for (const Row& row : { Row { "0", false }, Row { "", true }, Row { "yes", true } }) {
        DeleteRegSetting("ReportLayout", "PrintGIS");
        store("ReportLayout", "PrintGIS", row.stored);
        Printer& printer = pdfPrinter(QPageSize::Letter);
        PrintMapPage(printer, computeReportLayout(printer), map);
        ASSERT_EQ(printer.Page() > 0, row.printed) << row.stored.toStdString();
        if (!row.printed) {
            services().commonDialog.reset(); // no job, no file asked for
            continue;
        }
        const PrintedPage page = printer.pages().back();
        printer.KillDoc();
        ASSERT_EQ(page.size(), 3u);
        const auto& caption = std::get<PrintedText>(page[0]);
        EXPECT_EQ(caption.text, "Application:");
        EXPECT_NEAR(caption.at.x(), 1152, 1e-3) << "30 dots left of the picture";
        setReportFont(printer, 12, true);
        EXPECT_NEAR(caption.at.y() + printer.TextHeight("Application:"), 4236, 1e-3)
            << "ends 5 dots above it";
        EXPECT_EQ(std::get<PrintedPicture>(page[1]).rect, QRectF(1224, 4248, 9792, 7344));
        const auto& frame = std::get<PrintedBox>(page[2]);
        EXPECT_EQ(frame.rect, QRectF(1224, 4248, 9792, 7344));
        EXPECT_EQ(frame.width, 1);
        EXPECT_EQ(frame.fillStyle, vbFSTransparent);
    }
}

} // namespace

// The printer: paper and printable area in twips, text advancing by its
// line box, the job recorded and printed only at EndDoc (or dropped by
// KillDoc), the PDF file asked for at the job's start, the installed
// printers, and the hatches.
#include "platform/printer.h"

#include "tests/platform/raised_error.h"
#include "tests/support/korvel_test.h"
#include "tests/support/pdf_reading.h"

#include <QFileInfo>

#include <cmath>

namespace {

class PrinterTest : public KorvelTest
{
protected:
    ScriptedPrinters& printers() { return services().printers; }
};

TEST_F(PrinterTest, PaperComesFromItsExactDefinition)
{
    struct Row
    {
        QPageSize::PageSizeId paper;
        int width, height;
    };
    Printer& printer = currentPrinter();
    for (const Row& row : { Row { QPageSize::Letter, 12240, 15840 }, Row { QPageSize::A4, 11906, 16838 },
             Row { QPageSize::Legal, 12240, 20160 } }) {
        printer.setPaperSize(row.paper);
        EXPECT_EQ(printer.Width(), row.width);
        EXPECT_EQ(printer.Height(), row.height);
        EXPECT_EQ(printer.ScaleHeight(), float(row.height)) << "a PDF file prints to its edges";
    }
    EXPECT_EQ(printer.ScaleX(0.025, vbInches, vbTwips), 36);
    EXPECT_EQ(printer.ScaleX(10, vbPixels, vbTwips), 24) << "600 dots per inch";
    EXPECT_EQ(raisedError([&] { printer.setColorMode(3); }), 380);
}

TEST_F(PrinterTest, TextAdvancesByItsLineBox)
{
    queueSaveFile(workDir() + "text.pdf");
    Printer& printer = currentPrinter();
    printer.Font().Size = 11;
    const float line = printer.TextHeight("Name:");
    EXPECT_NEAR(line, 246.0, 4.0) << "Arial's ascent and descent, about 1.12 em of 220 twips";
    EXPECT_EQ(printer.TextHeight("mph"), line) << "one line is one line whatever its letters";
    EXPECT_EQ(printer.TextHeight("a\rb\nc"), 3 * line);

    printer.setCurrentX(1000);
    printer.setCurrentY(2000);
    const float width = printer.TextWidth("Name:");
    printer.Print("Name:", false);
    EXPECT_FLOAT_EQ(float(printer.CurrentX()), 1000 + width);
    EXPECT_EQ(printer.CurrentY(), 2000);
    printer.Print("Smith");
    EXPECT_EQ(printer.CurrentX(), 0);
    EXPECT_FLOAT_EQ(float(printer.CurrentY()), 2000 + line);
    printer.Font().Size = 22;
    EXPECT_NEAR(printer.TextWidth("Name:"), 2 * width, 0.02 * width) << "widths follow the size";
    printer.KillDoc();
}

TEST_F(PrinterTest, TheJobStartsAtTheFirstOutputAndPrintsAtEndDoc)
{
    Printer& printer = currentPrinter();
    printer.setPaperSize(QPageSize::Letter);
    printer.EndDoc(); // nothing printed: no job, no dialog
    EXPECT_TRUE(dialogs().empty());

    const QString path = workDir() + "job.pdf";
    queueSaveFile(path);
    printer.setCurrentX(1440);
    printer.setCurrentY(2880);
    printer.Print("Placed");
    ASSERT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(dialogs()[0].filter, "PDF Files (*.pdf)|*.pdf");
    printer.NewPage();
    EXPECT_EQ(printer.Page(), 2);
    EXPECT_FALSE(QFileInfo::exists(path)) << "nothing is written before EndDoc";
    printer.EndDoc();
    EXPECT_EQ(printer.Page(), 0);
    ASSERT_TRUE(QFileInfo::exists(path));
    if (pdfToolsAvailable()) {
        const std::vector<PdfPage> pages = readPdfWords(path);
        ASSERT_EQ(pages.size(), 2u);
        const PdfWord* word = pages[0].find("Placed");
        ASSERT_TRUE(word);
        EXPECT_NEAR(word->box.left(), 1440, 20);
        EXPECT_NEAR(word->box.top(), 2880, 30) << "the top of the line box";
    }
}

TEST_F(PrinterTest, AnAbandonedOrCancelledJobLeavesNoFile)
{
    const QString path = workDir() + "abandoned.pdf";
    queueSaveFile(path);
    Printer& printer = currentPrinter();
    printer.Print("never");
    printer.KillDoc();
    printer.EndDoc();
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(printer.Page(), 0);

    queueDialogCancel();
    EXPECT_EQ(raisedError([&] { printer.Print("x"); }), PrinterError::Cancelled);
    EXPECT_EQ(printer.Page(), 0) << "no job was started";

    queueSaveFile(workDir() + "no such folder/x.pdf");
    printer.Print("x");
    EXPECT_EQ(raisedError([&] { printer.EndDoc(); }), PrinterError::PrinterFailed);
    EXPECT_EQ(printer.Page(), 0) << "the job is over";
}

TEST_F(PrinterTest, InstalledPrintersPrintFromTheirPrintableOrigin)
{
    EXPECT_TRUE(currentPrinter().printsToPdfFile()) << "no printer installed";
    printers().setPrinters(
        { { "Laser", QPageSize::Letter, QMarginsF(240, 180, 240, 300) }, { "Office", QPageSize::A4, {} } },
        "Gone");
    EXPECT_EQ(Printers(), QStringList({ "Laser", "Office" }));
    Printer& printer = currentPrinter();
    EXPECT_EQ(printer.DeviceName(), "Laser") << "the default is not installed: the first";
    EXPECT_EQ(printer.Width(), 12240) << "Width is the paper";
    EXPECT_EQ(printer.ScaleHeight(), 15840 - 480) << "the scale is the printable area";
    printer.setColorMode(vbPRCMMonochrome);
    printer.setCurrentX(1440);
    printer.setCurrentY(1440);
    printer.Print("Margins");
    printer.EndDoc();
    EXPECT_TRUE(dialogs().empty()) << "a printer asks for no file";
    ASSERT_EQ(printers().jobs().size(), 1u);
    EXPECT_FALSE(printers().jobs()[0].setup.colour);
    if (pdfToolsAvailable()) {
        const std::vector<PdfPage> pages = readPdfWords(printers().jobs()[0].pdf);
        ASSERT_EQ(pages.size(), 1u);
        const PdfWord* word = pages[0].find("Margins");
        ASSERT_TRUE(word);
        EXPECT_NEAR(word->box.left(), 1440 + 240, 20);
        EXPECT_NEAR(word->box.top(), 1440 + 180, 30);
    }
    printers().refuseNextJob("out of paper");
    printer.Print("x");
    EXPECT_EQ(raisedError([&] { printer.EndDoc(); }), PrinterError::PrinterFailed);
    setCurrentPrinter("Office");
    EXPECT_EQ(currentPrinter().Width(), 11906) << "the printer's own paper";
}

TEST_F(PrinterTest, HatchesAreLinesOnThePagesGrid)
{
    const QRectF box(100, 100, 192, 96); // 10 x 5 pitches of 8 dots
    struct Row
    {
        int style;
        int lines;
        double slope; // dy / dx; 0 for the others
    };
    for (const Row& row : { Row { vbFSTransparent, 0, 0 }, Row { vbHorizontalLine, 5, 0 },
             Row { vbVerticalLine, 10, 0 }, Row { vbDownwardDiagonal, 15, 1 },
             Row { vbUpwardDiagonal, 15, -1 }, Row { vbDiagonalCross, 30, 0 } }) {
        SCOPED_TRACE(row.style);
        const std::vector<QLineF> lines = printerHatchLines(box, row.style);
        EXPECT_NEAR(double(lines.size()), row.lines, 1.0);
        for (const QLineF& line : lines) {
            EXPECT_TRUE(box.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(line.p1()));
            EXPECT_TRUE(box.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(line.p2()));
            if (row.slope != 0) {
                EXPECT_NEAR(line.dy() / line.dx(), row.slope, 1e-9);
                // On the page's grid, so neighbouring boxes' hatches meet.
                EXPECT_NEAR(std::remainder(line.y1() - row.slope * line.x1(), 19.2), 0.0, 1e-6);
            }
        }
    }
    EXPECT_TRUE(printerHatchLines(QRectF(0, 500, 300, 0), vbDownwardDiagonal).empty()) << "a bar of height 0";
}

} // namespace

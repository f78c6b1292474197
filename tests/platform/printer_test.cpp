// The printer: paper and printable area in twips, text advancing by its
// line box, the job recorded and printed only at EndDoc (or dropped by
// KillDoc), the PDF file asked for at the job's start, the installed
// printers, and the hatches.
#include "platform/printer.h"

#include "platform/vb_error.h"
#include "tests/platform/raised_error.h"
#include "tests/support/korvel_test.h"
#include "tests/support/pdf_reading.h"

#include <QFile>
#include <QFileInfo>

#include <cmath>

namespace {

class PrinterTest : public KorvelTest
{
protected:
    ScriptedPrinters& printers() { return services().printers; }

    // Prints one line on the PDF file and ends the job.
    QString printOneLine(const QString& name, const QString& text)
    {
        const QString path = workDir() + name;
        queueSaveFile(path);
        Printer& printer = currentPrinter();
        printer.setCurrentX(1440);
        printer.setCurrentY(2880);
        printer.Print(text);
        printer.EndDoc();
        return path;
    }
};

TEST_F(PrinterTest, PaperComesFromItsExactDefinition)
{
    struct Row
    {
        QPageSize::PageSizeId paper;
        int width;
        int height;
    };
    Printer& printer = currentPrinter();
    for (const Row& row : { Row { QPageSize::Letter, 12240, 15840 }, Row { QPageSize::A4, 11906, 16838 },
             Row { QPageSize::Legal, 12240, 20160 }, Row { QPageSize::A3, 16838, 23811 } }) {
        printer.setPaperSize(row.paper);
        EXPECT_EQ(printer.Width(), row.width) << QPageSize::name(row.paper).toStdString();
        EXPECT_EQ(printer.Height(), row.height) << QPageSize::name(row.paper).toStdString();
        // A PDF file prints to its edges.
        EXPECT_EQ(printer.ScaleWidth(), float(row.width));
        EXPECT_EQ(printer.ScaleHeight(), float(row.height));
    }
    EXPECT_FLOAT_EQ(printer.TwipsPerPixelX(), 2.4f) << "600 dots per inch";
    EXPECT_FLOAT_EQ(printer.TwipsPerPixelY(), 2.4f);
}

TEST_F(PrinterTest, ScaleConvertsLengthsIntoTwips)
{
    struct Row
    {
        double value;
        int unit;
        double twips;
    };
    const Printer& printer = currentPrinter();
    for (const Row& row : { Row { 0.25, vbInches, 360 }, Row { 0.025, vbInches, 36 },
             Row { 0.75, vbInches, 1080 }, Row { 10, vbPixels, 24 }, Row { 12, vbPoints, 240 },
             Row { 25.4, vbMillimeters, 1440 }, Row { 2.54, vbCentimeters, 1440 } }) {
        EXPECT_NEAR(printer.ScaleX(row.value, row.unit, vbTwips), row.twips, 1e-9) << row.unit;
        EXPECT_NEAR(printer.ScaleY(row.twips, vbTwips, row.unit), row.value, 1e-9) << row.unit;
    }
}

TEST_F(PrinterTest, PropertiesRefuseValuesTheyCannotTake)
{
    Printer& printer = currentPrinter();
    EXPECT_EQ(raisedError([&] { printer.setColorMode(3); }), 380);
    EXPECT_EQ(raisedError([&] { printer.setFillStyle(8); }), 380);
    EXPECT_EQ(raisedError([&] { printer.setScaleMode(vbPixels); }), 380);
    EXPECT_EQ(raisedError([&] { printer.ScaleX(1, 4, vbTwips); }), 5);
    printer.setDrawWidth(0);
    EXPECT_EQ(printer.DrawWidth(), 1);
    EXPECT_EQ(printer.ColorMode(), vbPRCMColor);
}

TEST_F(PrinterTest, TextAdvancesByItsLineBox)
{
    queueSaveFile(workDir() + "text.pdf");
    Printer& printer = currentPrinter();
    printer.Font().Size = 11;
    const float line = printer.TextHeight("Name:");
    // Arial 11 points: ascent and descent of the face, about 1.12 em of 220 twips.
    EXPECT_NEAR(line, 246.0, 4.0);
    EXPECT_EQ(printer.TextHeight("mph"), line) << "one line is one line whatever its letters";
    EXPECT_EQ(printer.TextHeight("a\r\nb"), 2 * line);
    EXPECT_EQ(printer.TextHeight("a\rb\nc"), 3 * line);
    EXPECT_EQ(printer.TextWidth("ab\r\nabcd"), printer.TextWidth("abcd"));

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
    printer.Font().Bold = true;
    EXPECT_GT(printer.TextWidth("Name:"), 2 * width);
    printer.KillDoc();
}

TEST_F(PrinterTest, PrintedTextStandsWhereItWasPlaced)
{
    if (!pdfToolsAvailable()) {
        GTEST_SKIP() << "poppler-utils are not installed";
    }
    currentPrinter().setPaperSize(QPageSize::Letter);
    const QString path = printOneLine("placed.pdf", "Placed");
    const std::vector<PdfPage> pages = readPdfWords(path);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_NEAR(pages[0].widthTwips, 12240, 1);
    EXPECT_NEAR(pages[0].heightTwips, 15840, 1);
    const PdfWord* word = pages[0].find("Placed");
    ASSERT_TRUE(word);
    EXPECT_NEAR(word->box.left(), 1440, 20);
    EXPECT_NEAR(word->box.top(), 2880, 30) << "the top of the line box";
}

TEST_F(PrinterTest, TheJobStartsAtTheFirstOutputAndPrintsAtEndDoc)
{
    Printer& printer = currentPrinter();
    printer.EndDoc(); // nothing printed: no job, no dialog
    EXPECT_TRUE(dialogs().empty());
    EXPECT_EQ(printer.Page(), 0);

    const QString path = workDir() + "job.pdf";
    queueSaveFile(path);
    printer.Print("one");
    ASSERT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(dialogs()[0].kind, CommonDialogKind::Save);
    EXPECT_EQ(dialogs()[0].filter, "PDF Files (*.pdf)|*.pdf");
    EXPECT_EQ(printer.Page(), 1);
    printer.NewPage();
    printer.Line(0, 0, 100, 100, 0);
    EXPECT_EQ(printer.Page(), 2);
    EXPECT_EQ(printer.CurrentX(), 100) << "a line leaves the current point at its end";
    EXPECT_FALSE(QFileInfo::exists(path)) << "nothing is written before EndDoc";

    printer.EndDoc();
    EXPECT_EQ(printer.Page(), 0);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_TRUE(file.read(5).startsWith("%PDF"));
    if (pdfToolsAvailable()) {
        EXPECT_EQ(readPdfWords(path).size(), 2u);
    }
}

TEST_F(PrinterTest, AnAbandonedJobLeavesNoFile)
{
    const QString path = workDir() + "abandoned.pdf";
    queueSaveFile(path);
    Printer& printer = currentPrinter();
    printer.Print("never");
    printer.NewPage();
    printer.KillDoc();
    printer.EndDoc();
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(printer.Page(), 0);
    EXPECT_TRUE(printer.pages().empty());
}

TEST_F(PrinterTest, CancellingThePdfFileIsTheDialogsCancelError)
{
    queueDialogCancel();
    Printer& printer = currentPrinter();
    EXPECT_EQ(raisedError([&] { printer.Print("x"); }), PrinterError::Cancelled);
    EXPECT_EQ(printer.Page(), 0) << "no job was started";
}

TEST_F(PrinterTest, AFailedWriteLeavesTheOldFileAndSaysWhy)
{
    const QString path = workDir() + "missing folder/report.pdf";
    queueSaveFile(path);
    Printer& printer = currentPrinter();
    printer.Print("x");
    try {
        printer.EndDoc();
        FAIL() << "no error";
    } catch (const VbError& error) {
        EXPECT_EQ(error.Number(), PrinterError::PrinterFailed);
        EXPECT_TRUE(error.Description().startsWith("Cannot write " + path))
            << error.Description().toStdString();
    }
    EXPECT_EQ(printer.Page(), 0) << "the job is over";
}

TEST_F(PrinterTest, InstalledPrintersAndTheCurrentOne)
{
    EXPECT_TRUE(Printers().isEmpty());
    EXPECT_TRUE(currentPrinter().printsToPdfFile());

    struct Row
    {
        QString defaultName;
        QString current;
    };
    for (const Row& row : { Row { "Office", "Office" }, Row { "", "Laser" }, Row { "Gone", "Laser" } }) {
        printers().setPrinters(
            { { "Laser", QPageSize::Letter, {} }, { "Office", QPageSize::A4, {} } }, row.defaultName);
        EXPECT_EQ(Printers(), QStringList({ "Laser", "Office" }));
        EXPECT_EQ(currentPrinter().DeviceName(), row.current) << row.defaultName.toStdString();
    }
    setCurrentPrinter("Office");
    EXPECT_EQ(currentPrinter().DeviceName(), "Office");
    EXPECT_EQ(currentPrinter().Width(), 11906) << "the printer's own paper";
}

TEST_F(PrinterTest, APrinterPrintsFromItsPrintableOrigin)
{
    printers().setPrinters({ { "Laser", QPageSize::Letter, QMarginsF(240, 180, 240, 300) } }, "Laser");
    Printer& printer = currentPrinter();
    EXPECT_EQ(printer.Width(), 12240) << "Width is the paper";
    EXPECT_EQ(printer.ScaleWidth(), 12240 - 480) << "the scale is the printable area";
    EXPECT_EQ(printer.ScaleHeight(), 15840 - 480);
    printer.setColorMode(vbPRCMMonochrome);
    printer.setCurrentX(1440);
    printer.setCurrentY(1440);
    printer.Print("Margins");
    printer.NewPage();
    printer.EndDoc();
    EXPECT_TRUE(dialogs().empty()) << "a printer asks for no file";
    ASSERT_EQ(printers().jobs().size(), 1u);
    const ScriptedPrinters::Job& job = printers().jobs()[0];
    EXPECT_EQ(job.deviceName, "Laser");
    EXPECT_FALSE(job.setup.colour);
    if (pdfToolsAvailable()) {
        const std::vector<PdfPage> pages = readPdfWords(job.pdf);
        ASSERT_EQ(pages.size(), 2u);
        const PdfWord* word = pages[0].find("Margins");
        ASSERT_TRUE(word);
        EXPECT_NEAR(word->box.left(), 1440 + 240, 20) << "the paper's corner lies outside the printable area";
        EXPECT_NEAR(word->box.top(), 1440 + 180, 30);
    }
}

TEST_F(PrinterTest, APrinterThatRefusesTheJobRaisesThePrinterError)
{
    printers().setPrinters({ { "Laser", QPageSize::Letter, {} } }, "Laser");
    printers().refuseNextJob("out of paper");
    Printer& printer = currentPrinter();
    printer.Print("x");
    EXPECT_EQ(raisedError([&] { printer.EndDoc(); }), PrinterError::PrinterFailed);
    EXPECT_EQ(printer.Page(), 0);
    EXPECT_TRUE(printers().jobs().empty());
}

TEST_F(PrinterTest, BoxesRecordTheirOutlineAndFill)
{
    queueSaveFile(workDir() + "boxes.pdf");
    Printer& printer = currentPrinter();
    printer.setDrawWidth(3);
    printer.setFillStyle(vbDownwardDiagonal);
    printer.LineBox(500, 900, 100, 300, 0); // corners given backwards
    EXPECT_EQ(printer.CurrentX(), 100);
    EXPECT_EQ(printer.CurrentY(), 300);
    ASSERT_EQ(printer.pages().size(), 1u);
    const auto& box = std::get<PrintedBox>(printer.pages()[0].at(0));
    EXPECT_EQ(box.rect, QRectF(100, 300, 400, 600));
    EXPECT_EQ(box.width, 3);
    EXPECT_EQ(box.fillStyle, vbDownwardDiagonal);
    printer.KillDoc();
}

TEST_F(PrinterTest, HatchesAreLinesOnThePagesGrid)
{
    const double pitch = 8 * 2.4; // twips
    const QRectF box(100, 100, 192, 96); // 10 x 5 pitches
    struct Row
    {
        int style;
        int lines;
        double slope; // dy / dx of every line; NaN for vertical
    };
    for (const Row& row :
        { Row { vbFSSolid, 0, 0 }, Row { vbFSTransparent, 0, 0 }, Row { vbHorizontalLine, 5, 0 },
            Row { vbVerticalLine, 10, std::nan("") }, Row { vbDownwardDiagonal, 15, 1 },
            Row { vbUpwardDiagonal, 15, -1 }, Row { vbCross, 15, 0 }, Row { vbDiagonalCross, 30, 1 } }) {
        SCOPED_TRACE(row.style);
        const std::vector<QLineF> lines = printerHatchLines(box, row.style);
        EXPECT_NEAR(double(lines.size()), row.lines, 1.0);
        for (const QLineF& line : lines) {
            for (const QPointF& end : { line.p1(), line.p2() }) {
                EXPECT_TRUE(box.adjusted(-1e-6, -1e-6, 1e-6, 1e-6).contains(end));
            }
        }
        if (row.style == vbDownwardDiagonal || row.style == vbUpwardDiagonal) {
            for (const QLineF& line : lines) {
                EXPECT_NEAR(line.dy() / line.dx(), row.slope, 1e-9);
                // On the page's grid: neighbouring boxes' hatches meet.
                const double c = line.y1() - row.slope * line.x1();
                EXPECT_NEAR(std::remainder(c, pitch), 0.0, 1e-6);
            }
        }
    }
    EXPECT_TRUE(printerHatchLines(QRectF(0, 500, 300, 0), vbDownwardDiagonal).empty()) << "a bar of height 0";
}

} // namespace

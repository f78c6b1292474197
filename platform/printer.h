#pragma once
// The runtime's Printer object and its Printers collection. Everything is
// laid out in twips (1/1440 inch) from the top-left corner of the printable
// area; the device is fixed at 600 dots per inch, so one printer dot is 2.4
// twips whatever prints the job, and the paper keeps the exact size of its
// definition (Letter 12240 x 15840, A4 11906 x 16838 twips).
//
//     Printer& printer = currentPrinter();
//     printer.Font().Size = 12;
//     printer.setCurrentX(1440);
//     printer.setCurrentY(720);
//     printer.Print(QStringLiteral("Title")); // CurrentY moves down one line
//     printer.LineBox(1440, 1440, 4320, 2880, 0);
//     printer.EndDoc();
//
// Text is placed by its line box: a text printed at (CurrentX, CurrentY)
// has the top of its line there, TextHeight is the line advance (the font's
// ascent and descent) and TextWidth its advance. A Print that ends the line
// moves CurrentY down by TextHeight and CurrentX back to 0; one that leaves
// it open moves CurrentX on by TextWidth. Lines and box outlines are
// DrawWidth printer dots wide; a box's inside is filled as FillStyle says,
// hatches drawn as lines 8 dots apart (the pitch of the system's hatch
// brushes), aligned to the page so neighbouring boxes' hatches meet.
//
// The first output starts the job. Pages are recorded, not sent: EndDoc
// renders every page in one go, onto the printer or into the PDF file, and
// KillDoc drops them, so an abandoned job leaves no file and no printer job.
// With no printer installed the current printer is a PDF file, asked for
// with a Save dialog when the job starts; its Cancel raises the common
// dialog's cancel error 32755. The file is written through a temporary file
// beside it and renamed only when complete.
//
// ColorMode 1 (monochrome) turns every colour and picture into its grey.
#include "platform/picture_surface.h"

#include <QImage>
#include <QLineF>
#include <QMarginsF>
#include <QPageSize>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <variant>
#include <vector>

class QPagedPaintDevice;

// ColorMode values.
inline constexpr int vbPRCMMonochrome = 1;
inline constexpr int vbPRCMColor = 2;
// Units of ScaleX and ScaleY besides vbTwips and vbPixels (printer dots).
inline constexpr int vbPoints = 2;
inline constexpr int vbInches = 5;
inline constexpr int vbMillimeters = 6;
inline constexpr int vbCentimeters = 7;
// FillStyle hatches (vbFSSolid and vbFSTransparent: picture_surface.h).
inline constexpr int vbHorizontalLine = 2;
inline constexpr int vbVerticalLine = 3;
inline constexpr int vbUpwardDiagonal = 4;
inline constexpr int vbDownwardDiagonal = 5;
inline constexpr int vbCross = 6;
inline constexpr int vbDiagonalCross = 7;

// The runtime's errors of printing.
namespace PrinterError {
enum : long {
    Cancelled = 32755, // the common dialog's Cancel (cdlCancel)
    PrinterFailed = 482, // the runtime's "Printer error"
};
}

inline constexpr int PrinterDotsPerInch = 600;
inline constexpr float PrinterTwipsPerDot = 1440.0f / PrinterDotsPerInch;

struct PrinterFont
{
    QString Name = QStringLiteral("Arial");
    double Size = 10.0; // points
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
};

// What a page holds, in twips from the printable origin.
struct PrintedText
{
    QPointF at; // top-left corner of the text's line
    QString text;
    PrinterFont font;
    qint32 color = 0; // 0x00BBGGRR
};
struct PrintedLine
{
    QPointF from;
    QPointF to;
    qint32 color = 0;
    int width = 1; // printer dots
};
struct PrintedBox
{
    QRectF rect; // normalized
    qint32 color = 0; // outline
    int width = 1;
    int fillStyle = vbFSTransparent;
    qint32 fillColor = 0;
};
struct PrintedPicture
{
    QImage picture;
    QRectF rect;
};
using PrintedItem = std::variant<PrintedText, PrintedLine, PrintedBox, PrintedPicture>;
using PrintedPage = std::vector<PrintedItem>;

// Where the printer is told to print: the paper, the colour mode and the
// document's name; the pages are painted by the render callback.
struct PrintJobSetup
{
    QPageSize pageSize;
    bool colour = true;
    QString documentName;
};
using PrintJobRender = std::function<bool(QPagedPaintDevice& device)>;

// The installed printers, as the system reports them or as a test scripts
// them.
class PrinterBackend
{
public:
    virtual ~PrinterBackend() = default;
    // Device names in the system's order.
    virtual QStringList printerNames() const = 0;
    // The system's default printer; empty when there is none.
    virtual QString defaultPrinterName() const = 0;
    virtual QPageSize defaultPageSize(const QString& deviceName) const = 0;
    // The unprintable margins of the printer on that paper, in twips.
    virtual QMarginsF unprintableMargins(const QString& deviceName, const QPageSize& pageSize) const = 0;
    // Sends a job of rendered pages to the printer. False with the reason in
    // `error` when the printer cannot take it or its queue refuses it.
    virtual bool submit(
        const QString& deviceName, const PrintJobSetup& setup, const PrintJobRender& render, QString& error)
        = 0;
};

class Printer
{
public:
    // The printer of that device name; the empty name is the PDF file.
    explicit Printer(const QString& deviceName = QString());
    ~Printer();
    Printer(const Printer&) = delete;
    Printer& operator=(const Printer&) = delete;

    // Empty for the PDF file.
    const QString& DeviceName() const { return m_deviceName; }
    bool printsToPdfFile() const { return m_deviceName.isEmpty(); }

    // --- Paper and scale ---
    // The paper size in twips from its definition, rounded to whole twips.
    int Width() const;
    int Height() const;
    QPageSize::PageSizeId PaperSize() const { return m_pageSize.id(); }
    // Takes effect for the pages of the next job.
    void setPaperSize(QPageSize::PageSizeId id);
    float TwipsPerPixelX() const { return PrinterTwipsPerDot; }
    float TwipsPerPixelY() const { return PrinterTwipsPerDot; }
    int ColorMode() const { return m_colorMode; }
    // 1 monochrome, 2 colour; anything else raises 380 "Invalid property value".
    void setColorMode(int mode);
    // Only twips (1) is kept; anything else raises 380.
    int ScaleMode() const { return vbTwips; }
    void setScaleMode(int mode);
    // The printable area: its origin is (0, 0).
    float ScaleLeft() const { return 0.0f; }
    float ScaleTop() const { return 0.0f; }
    float ScaleWidth() const;
    float ScaleHeight() const;
    // A length converted between twips, points, dots, inches, millimetres and
    // centimetres; another unit raises 5.
    double ScaleX(double value, int fromUnit, int toUnit) const;
    double ScaleY(double value, int fromUnit, int toUnit) const;

    // --- Drawing state ---
    PrinterFont& Font() { return m_font; }
    const PrinterFont& Font() const { return m_font; }
    qint32 ForeColor() const { return m_foreColor; }
    void setForeColor(qint32 color) { m_foreColor = color; }
    int DrawWidth() const { return m_drawWidth; }
    // At least 1 dot.
    void setDrawWidth(int dots) { m_drawWidth = dots < 1 ? 1 : dots; }
    int FillStyle() const { return m_fillStyle; }
    // 0 to 7; anything else raises 380.
    void setFillStyle(int style);
    qint32 FillColor() const { return m_fillColor; }
    void setFillColor(qint32 color) { m_fillColor = color; }
    double CurrentX() const { return m_currentX; }
    double CurrentY() const { return m_currentY; }
    void setCurrentX(double x) { m_currentX = x; }
    void setCurrentY(double y) { m_currentY = y; }

    // --- Text ---
    // In the current font; a text of several lines (CR LF, CR or LF) is as
    // wide as its widest line and as high as its lines together.
    float TextWidth(const QString& text) const;
    float TextHeight(const QString& text) const;
    void Print(const QString& text, bool endLine = true);

    // --- Drawing: the job starts with the first of these ---
    // A line in the colour, DrawWidth wide; the current point moves to its end.
    void Line(double x1, double y1, double x2, double y2, qint32 color);
    // A box between two corners, outlined in the colour and filled as
    // FillStyle and FillColor say; the current point moves to (x2, y2).
    void LineBox(double x1, double y1, double x2, double y2, qint32 color);
    // The whole picture stretched onto the rectangle.
    void PaintPicture(const QImage& picture, double x, double y, double width, double height);
    void NewPage();
    // The page being printed, from 1; 0 while no job is open.
    int Page() const { return int(m_pages.size()); }

    // Ends the job and prints it; nothing when no job is open. A printer
    // that refuses it or a file that cannot be written raises 482 with the
    // reason; the job is gone either way.
    void EndDoc();
    // Abandons the job: nothing is printed or written.
    void KillDoc();

    // The pages of the open job as recorded so far.
    const std::vector<PrintedPage>& pages() const { return m_pages; }
    // The PDF file of the open job (empty before the job starts or when it
    // goes to a printer).
    const QString& pdfFileName() const { return m_pdfFile; }

private:
    void startJobIfNeeded();
    void record(PrintedItem item);
    PrintJobSetup jobSetup() const;
    bool render(QPagedPaintDevice& device, const std::vector<PrintedPage>& pages) const;
    void writePdfFile(const std::vector<PrintedPage>& pages);

    QString m_deviceName;
    QPageSize m_pageSize;
    QMarginsF m_margins; // twips
    int m_colorMode = vbPRCMColor;
    PrinterFont m_font;
    qint32 m_foreColor = 0;
    int m_drawWidth = 1;
    int m_fillStyle = vbFSTransparent;
    qint32 m_fillColor = 0;
    double m_currentX = 0.0;
    double m_currentY = 0.0;
    std::vector<PrintedPage> m_pages; // the open job; empty when none is open
    QString m_pdfFile;
};

// The runtime's Printers: the installed printers' device names in order.
QStringList Printers();
// The runtime's Printer: the system's default printer, else the first
// installed one, else the PDF file, until setCurrentPrinter chooses another.
Printer& currentPrinter();
// Set Printer = Printers(i): a fresh printer object for that device (its
// default paper, nothing of the old one's state). An open job of the old
// printer is abandoned.
void setCurrentPrinter(const QString& deviceName);

// Installs the backend the printers come from; nullptr restores the
// system's. The caller keeps ownership. Either way the current printer
// starts afresh.
void setPrinterBackend(PrinterBackend* backend);
PrinterBackend& printerBackend();
// The current printer chosen afresh from the backend (tests).
void resetCurrentPrinter();

// The lines of a hatched fill inside a rectangle in twips: 8 dots apart, on
// the page's grid, so the hatches of neighbouring boxes meet.
std::vector<QLineF> printerHatchLines(const QRectF& rect, int fillStyle);

// The paper of the PDF file: Letter where the user's locale measures in
// U.S. units, A4 elsewhere.
QPageSize::PageSizeId defaultPdfPaper();

#include "platform/printer.h"

#include "platform/common_dialog.h"
#include "platform/file_helpers.h"
#include "platform/print_queue.h"
#include "platform/program_identity.h"
#include "platform/vb_colors.h"
#include "platform/vb_error.h"
#include "platform/vb_runtime_errors.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace {

constexpr long InvalidPropertyValue = 380;
constexpr double HatchPitchDots = 8.0; // the system's hatch brushes are 8 x 8 dots
constexpr double TwipsPerInch = 1440.0;

[[noreturn]] void raise(long number, const QString& description)
{
    throw VbError(number, runtimeErrorSource(), description);
}

// The printers the desktop's print system (CUPS) offers. Qt draws and hands
// over the job; whether the queue takes it is asked of CUPS itself.
class SystemPrinters final : public PrinterBackend
{
public:
    QStringList printerNames() const override { return QPrinterInfo::availablePrinterNames(); }
    QString defaultPrinterName() const override { return QPrinterInfo::defaultPrinterName(); }
    QPageSize defaultPageSize(const QString& deviceName) const override
    {
        const QPageSize size = QPrinterInfo::printerInfo(deviceName).defaultPageSize();
        return size.isValid() ? size : QPageSize(defaultPdfPaper());
    }
    QMarginsF unprintableMargins(const QString& deviceName, const QPageSize& pageSize) const override
    {
        QPrinter printer(QPrinterInfo::printerInfo(deviceName), QPrinter::HighResolution);
        printer.setPageSize(pageSize);
        const QMarginsF points = printer.pageLayout().minimumMargins();
        const QPageLayout::Unit unit = printer.pageLayout().units();
        const double twips = unit == QPageLayout::Millimeter ? TwipsPerInch / 25.4
            : unit == QPageLayout::Inch                      ? TwipsPerInch
                                                             : 20.0; // points
        return points * twips;
    }
    bool submit(const QString& deviceName, const PrintJobSetup& setup, const PrintJobRender& render,
        QString& error) override
    {
        QPrinter printer(QPrinterInfo::printerInfo(deviceName), QPrinter::HighResolution);
        if (!printer.isValid()) {
            error = QStringLiteral("The printer \"%1\" is not available.").arg(deviceName);
            return false;
        }
        printer.setResolution(PrinterDotsPerInch);
        printer.setFullPage(true);
        printer.setPageSize(setup.pageSize);
        printer.setPageMargins(QMarginsF());
        printer.setColorMode(setup.colour ? QPrinter::Color : QPrinter::GrayScale);
        printer.setDocName(setup.documentName);
        // Asked once Qt has set the printer up, so the print system's next
        // word on this thread is its answer to the job below.
        if (!printQueueAcceptsJobs(deviceName, error)) {
            return false;
        }
        if (!render(printer)) {
            error = QStringLiteral("The printer \"%1\" did not take the job.").arg(deviceName);
            return false;
        }
        return printQueueTookJob(deviceName, error);
    }
};

struct PrinterState
{
    SystemPrinters system;
    PrinterBackend* backend = &system;
    std::unique_ptr<Printer> current;
};

PrinterState& state()
{
    static PrinterState printers;
    return printers;
}

// Text is measured on a device of the printer's resolution, so sizes in
// twips come out the same as on the page.
const QImage& measuringDevice()
{
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMetre = qRound(PrinterDotsPerInch / 0.0254);
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

QFont qtFont(const PrinterFont& font)
{
    QFont qfont(font.Name);
    qfont.setPointSizeF(font.Size > 0.0 ? font.Size : 1.0);
    qfont.setBold(font.Bold);
    qfont.setItalic(font.Italic);
    qfont.setUnderline(font.Underline);
    // Unhinted outlines measure the same on every device and at every size.
    qfont.setHintingPreference(QFont::PreferNoHinting);
    return qfont;
}

QStringList textLines(const QString& text)
{
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    return text.split(lineEnd);
}

// A length in twips from a page size's own definition (Letter is defined in
// inches, A4 in millimetres), so the paper is exact to the twip.
QSizeF definitionTwips(const QPageSize& pageSize)
{
    const QSizeF size = pageSize.definitionSize();
    switch (pageSize.definitionUnits()) {
    case QPageSize::Inch:
        return size * TwipsPerInch;
    case QPageSize::Point:
        return size * 20.0;
    case QPageSize::Millimeter:
        return size * (TwipsPerInch / 25.4);
    default:
        return pageSize.size(QPageSize::Millimeter) * (TwipsPerInch / 25.4);
    }
}

double twipsPerUnit(int unit)
{
    switch (unit) {
    case vbTwips:
        return 1.0;
    case vbPoints:
        return 20.0;
    case vbPixels:
        return TwipsPerInch / PrinterDotsPerInch;
    case vbInches:
        return TwipsPerInch;
    case vbMillimeters:
        return TwipsPerInch / 25.4;
    case vbCentimeters:
        return TwipsPerInch / 2.54;
    default:
        raiseRuntimeError(RuntimeError::InvalidProcedureCall);
    }
}

// Hatch lines of one direction inside a rectangle, spaced `pitch` apart and
// aligned to the page origin: lines y = x * slope + c for c on the grid
// (slope 0: horizontal; vertical lines are handled apart).
void addSlopedLines(const QRectF& r, double slope, double pitch, std::vector<QLineF>& lines)
{
    // c ranges over the values the rectangle's corners give.
    const double c1 = r.top() - slope * r.left();
    const double c2 = r.top() - slope * r.right();
    const double c3 = r.bottom() - slope * r.left();
    const double c4 = r.bottom() - slope * r.right();
    const double low = std::min({ c1, c2, c3, c4 });
    const double high = std::max({ c1, c2, c3, c4 });
    for (double k = std::ceil(low / pitch); k * pitch <= high; k += 1.0) {
        const double c = k * pitch;
        if (slope == 0.0) {
            if (c > r.top() && c < r.bottom()) {
                lines.emplace_back(r.left(), c, r.right(), c);
            }
            continue;
        }
        // x where the line meets the top and bottom edges, held to the sides.
        double xa = (r.top() - c) / slope;
        double xb = (r.bottom() - c) / slope;
        if (xa > xb) {
            std::swap(xa, xb);
        }
        xa = std::max(xa, r.left());
        xb = std::min(xb, r.right());
        if (xb > xa) {
            lines.emplace_back(xa, slope * xa + c, xb, slope * xb + c);
        }
    }
}

} // namespace

// The hatch of a fill style as lines in twips (see the header).
std::vector<QLineF> printerHatchLines(const QRectF& rect, int fillStyle)
{
    std::vector<QLineF> lines;
    const double pitch = HatchPitchDots * TwipsPerInch / PrinterDotsPerInch;
    const bool horizontal = fillStyle == vbHorizontalLine || fillStyle == vbCross;
    const bool vertical = fillStyle == vbVerticalLine || fillStyle == vbCross;
    // Downward: from top left to bottom right, y growing with x on the page.
    const bool downward = fillStyle == vbDownwardDiagonal || fillStyle == vbDiagonalCross;
    const bool upward = fillStyle == vbUpwardDiagonal || fillStyle == vbDiagonalCross;
    if (horizontal) {
        addSlopedLines(rect, 0.0, pitch, lines);
    }
    if (vertical) {
        for (double k = std::ceil(rect.left() / pitch); k * pitch <= rect.right(); k += 1.0) {
            const double x = k * pitch;
            if (x > rect.left() && x < rect.right()) {
                lines.emplace_back(x, rect.top(), x, rect.bottom());
            }
        }
    }
    if (downward) {
        addSlopedLines(rect, 1.0, pitch, lines);
    }
    if (upward) {
        addSlopedLines(rect, -1.0, pitch, lines);
    }
    return lines;
}

namespace {

// Paints recorded pages onto a device: twips from the printable origin
// become device dots from the paper's corner.
class PageRenderer
{
public:
    PageRenderer(QPainter& painter, const QPagedPaintDevice& device, const QMarginsF& margins, bool colour)
        : m_painter(painter)
        , m_dotsPerTwip(device.logicalDpiX() / TwipsPerInch)
        , m_offset(margins.left(), margins.top())
        , m_colour(colour)
    {
    }

    void paint(const PrintedPage& page)
    {
        for (const PrintedItem& item : page) {
            std::visit([this](const auto& element) { draw(element); }, item);
        }
    }

private:
    QPointF dot(QPointF twips) const { return (twips + m_offset) * m_dotsPerTwip; }
    QRectF dots(const QRectF& twips) const { return { dot(twips.topLeft()), dot(twips.bottomRight()) }; }

    QColor colour(qint32 vbColor) const
    {
        const QColor colour = toQColor(vbColor);
        if (m_colour) {
            return colour;
        }
        const int grey = qGray(colour.rgb());
        return QColor(grey, grey, grey);
    }

    QPen pen(qint32 vbColor, int widthDots) const
    {
        QPen pen(colour(vbColor));
        pen.setWidthF(widthDots * PrinterTwipsPerDot * m_dotsPerTwip);
        pen.setCapStyle(Qt::RoundCap);
        pen.setJoinStyle(Qt::RoundJoin);
        return pen;
    }

    void draw(const PrintedText& text)
    {
        const QFont font = qtFont(text.font);
        m_painter.setFont(font);
        m_painter.setPen(colour(text.color));
        const QFontMetricsF metrics(font, m_painter.device());
        QPointF at = dot(text.at);
        for (const QString& line : textLines(text.text)) {
            m_painter.drawText(QPointF(at.x(), at.y() + metrics.ascent()), line);
            at.ry() += metrics.height();
        }
    }

    void draw(const PrintedLine& line)
    {
        m_painter.setPen(pen(line.color, line.width));
        m_painter.drawLine(dot(line.from), dot(line.to));
    }

    void draw(const PrintedBox& box)
    {
        if (box.fillStyle == vbFSSolid) {
            m_painter.fillRect(dots(box.rect), colour(box.fillColor));
        } else if (box.fillStyle != vbFSTransparent) {
            m_painter.setPen(pen(box.fillColor, 1));
            for (const QLineF& line : printerHatchLines(box.rect, box.fillStyle)) {
                m_painter.drawLine(dot(line.p1()), dot(line.p2()));
            }
        }
        m_painter.setPen(pen(box.color, box.width));
        m_painter.setBrush(Qt::NoBrush);
        m_painter.drawRect(dots(box.rect));
    }

    void draw(const PrintedPicture& picture)
    {
        const QImage image
            = m_colour ? picture.picture : picture.picture.convertToFormat(QImage::Format_Grayscale8);
        m_painter.drawImage(dots(picture.rect), image);
    }

    QPainter& m_painter;
    double m_dotsPerTwip;
    QPointF m_offset;
    bool m_colour;
};

} // namespace

Printer::Printer(const QString& deviceName)
    : m_deviceName(deviceName)
{
    m_pageSize
        = deviceName.isEmpty() ? QPageSize(defaultPdfPaper()) : printerBackend().defaultPageSize(deviceName);
    setPaperSize(m_pageSize.id());
}

Printer::~Printer() = default;

int Printer::Width() const
{
    return int(std::lround(definitionTwips(m_pageSize).width()));
}

int Printer::Height() const
{
    return int(std::lround(definitionTwips(m_pageSize).height()));
}

void Printer::setPaperSize(QPageSize::PageSizeId id)
{
    m_pageSize = QPageSize(id);
    // A PDF file has no unprintable edge: the whole paper is printable.
    m_margins = m_deviceName.isEmpty() ? QMarginsF()
                                       : printerBackend().unprintableMargins(m_deviceName, m_pageSize);
}

void Printer::setColorMode(int mode)
{
    if (mode != vbPRCMMonochrome && mode != vbPRCMColor) {
        raise(InvalidPropertyValue, QStringLiteral("Invalid property value"));
    }
    m_colorMode = mode;
}

void Printer::setScaleMode(int mode)
{
    if (mode != vbTwips) {
        raise(InvalidPropertyValue, QStringLiteral("Invalid property value"));
    }
}

void Printer::setFillStyle(int style)
{
    if (style < vbFSSolid || style > vbDiagonalCross) {
        raise(InvalidPropertyValue, QStringLiteral("Invalid property value"));
    }
    m_fillStyle = style;
}

float Printer::ScaleWidth() const
{
    return float(Width() - m_margins.left() - m_margins.right());
}

float Printer::ScaleHeight() const
{
    return float(Height() - m_margins.top() - m_margins.bottom());
}

double Printer::ScaleX(double value, int fromUnit, int toUnit) const
{
    return value * twipsPerUnit(fromUnit) / twipsPerUnit(toUnit);
}

double Printer::ScaleY(double value, int fromUnit, int toUnit) const
{
    return ScaleX(value, fromUnit, toUnit);
}

float Printer::TextWidth(const QString& text) const
{
    const QFontMetricsF metrics(qtFont(m_font), &measuringDevice());
    double widest = 0.0;
    for (const QString& line : textLines(text)) {
        widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    return float(widest * PrinterTwipsPerDot);
}

float Printer::TextHeight(const QString& text) const
{
    const QFontMetricsF metrics(qtFont(m_font), &measuringDevice());
    return float(textLines(text).size() * metrics.height() * PrinterTwipsPerDot);
}

void Printer::Print(const QString& text, bool endLine)
{
    record(PrintedText { QPointF(m_currentX, m_currentY), text, m_font, m_foreColor });
    if (endLine) {
        m_currentY += TextHeight(text);
        m_currentX = ScaleLeft();
    } else {
        m_currentX += TextWidth(text);
    }
}

void Printer::Line(double x1, double y1, double x2, double y2, qint32 color)
{
    record(PrintedLine { QPointF(x1, y1), QPointF(x2, y2), color, m_drawWidth });
    m_currentX = x2;
    m_currentY = y2;
}

void Printer::LineBox(double x1, double y1, double x2, double y2, qint32 color)
{
    const QRectF rect = QRectF(QPointF(x1, y1), QPointF(x2, y2)).normalized();
    record(PrintedBox { rect, color, m_drawWidth, m_fillStyle, m_fillColor });
    m_currentX = x2;
    m_currentY = y2;
}

void Printer::PaintPicture(const QImage& picture, double x, double y, double width, double height)
{
    record(PrintedPicture { picture, QRectF(x, y, width, height) });
}

void Printer::NewPage()
{
    startJobIfNeeded();
    m_pages.emplace_back();
    m_currentX = ScaleLeft();
    m_currentY = ScaleTop();
}

void Printer::record(PrintedItem item)
{
    startJobIfNeeded();
    m_pages.back().push_back(std::move(item));
}

void Printer::startJobIfNeeded()
{
    if (!m_pages.empty()) {
        return;
    }
    if (printsToPdfFile()) {
        CommonDialog dialog;
        dialog.DialogTitle = QStringLiteral("Print to PDF File");
        dialog.Filter = QStringLiteral("PDF Files (*.pdf)|*.pdf");
        dialog.DefaultExt = QStringLiteral("pdf");
        dialog.Flags = cdlOFNOverwritePrompt | cdlOFNHideReadOnly | cdlOFNPathMustExist;
        if (!dialog.ShowSave()) {
            raise(PrinterError::Cancelled, QStringLiteral("Cancel was selected."));
        }
        m_pdfFile = dialog.FileName;
    }
    m_pages.emplace_back();
}

PrintJobSetup Printer::jobSetup() const
{
    return { m_pageSize, m_colorMode == vbPRCMColor, programTitle() };
}

bool Printer::render(QPagedPaintDevice& device, const std::vector<PrintedPage>& pages) const
{
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    painter.setRenderHint(QPainter::Antialiasing);
    PageRenderer renderer(painter, device, m_margins, m_colorMode == vbPRCMColor);
    for (std::size_t i = 0; i < pages.size(); ++i) {
        if (i > 0 && !device.newPage()) {
            return false;
        }
        renderer.paint(pages[i]);
    }
    return painter.end();
}

void Printer::writePdfFile(const std::vector<PrintedPage>& pages)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PrinterDotsPerInch);
        writer.setPageSize(m_pageSize);
        writer.setPageMargins(QMarginsF());
        writer.setTitle(programTitle());
        writer.setCreator(programTitle());
        if (!render(writer, pages)) {
            raise(PrinterError::PrinterFailed,
                QStringLiteral("Printer error: the PDF file could not be made."));
        }
    }
    QString error;
    if (!writeFileAtomically(m_pdfFile, buffer.data(), &error)) {
        raise(PrinterError::PrinterFailed, QStringLiteral("Cannot write %1: %2").arg(m_pdfFile, error));
    }
}

void Printer::EndDoc()
{
    if (m_pages.empty()) {
        return;
    }
    // The job is over whatever happens next: a failure leaves nothing open.
    const std::vector<PrintedPage> pages = std::move(m_pages);
    m_pages.clear();
    m_currentX = ScaleLeft();
    m_currentY = ScaleTop();
    if (printsToPdfFile()) {
        writePdfFile(pages);
        return;
    }
    QString error;
    const PrintJobRender paint = [this, &pages](QPagedPaintDevice& device) { return render(device, pages); };
    if (!printerBackend().submit(m_deviceName, jobSetup(), paint, error)) {
        raise(PrinterError::PrinterFailed, error);
    }
}

void Printer::KillDoc()
{
    m_pages.clear();
    m_currentX = ScaleLeft();
    m_currentY = ScaleTop();
}

QStringList Printers()
{
    return printerBackend().printerNames();
}

Printer& currentPrinter()
{
    PrinterState& printers = state();
    if (!printers.current) {
        const QStringList names = printers.backend->printerNames();
        const QString preferred = printers.backend->defaultPrinterName();
        const QString name = names.contains(preferred) ? preferred : names.value(0);
        printers.current = std::make_unique<Printer>(name);
    }
    return *printers.current;
}

void setCurrentPrinter(const QString& deviceName)
{
    state().current = std::make_unique<Printer>(deviceName);
}

void setPrinterBackend(PrinterBackend* backend)
{
    PrinterState& printers = state();
    printers.backend = backend ? backend : &printers.system;
    printers.current.reset();
}

PrinterBackend& printerBackend()
{
    return *state().backend;
}

void resetCurrentPrinter()
{
    state().current.reset();
}

QPageSize::PageSizeId defaultPdfPaper()
{
    return QLocale().measurementSystem() == QLocale::ImperialUSSystem ? QPageSize::Letter : QPageSize::A4;
}

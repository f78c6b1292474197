#pragma once
// Reads a PDF back the way a person checks a printout, with Debian's poppler
// tools (poppler-utils): the words of each page with their boxes
// (pdftotext -bbox), the text of a page in its columns (pdftotext -layout)
// and a page as a picture (pdftoppm). Positions come in twips from the
// paper's top-left corner, so they compare with what the program laid out.
#include <QByteArray>
#include <QImage>
#include <QRectF>
#include <QString>
#include <vector>

struct PdfWord
{
    QString text;
    QRectF box; // twips
};

struct PdfPage
{
    double widthTwips = 0.0;
    double heightTwips = 0.0;
    std::vector<PdfWord> words;

    // The first word of that text, or nullptr.
    const PdfWord* find(const QString& text) const;
    // The words whose boxes' tops lie within `tolerance` twips of y, left to right, joined by blanks.
    QString lineAt(double y, double tolerance = 30.0) const;
};

// True when the poppler tools can be run (tests skip without them).
bool pdfToolsAvailable();
// The pages of a PDF file; empty when it cannot be read.
std::vector<PdfPage> readPdfWords(const QString& path);
std::vector<PdfPage> readPdfWords(const QByteArray& pdf);
// Page `page` (from 1) as text in its layout.
QString readPdfLayout(const QString& path, int page);
// Page `page` (from 1) as a picture at `dpi`.
QImage renderPdfPage(const QString& path, int page, int dpi);

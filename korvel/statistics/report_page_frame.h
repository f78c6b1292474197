#pragma once
// What every page of the printed report shares: the footer, and the
// splitting of the multi-line address settings into printed lines.
#include "platform/printer.h"

#include <QString>
#include <QStringList>

// Prints the "Footer" setting of "ReportLayout" in grey, RGB(150, 150, 150),
// right-aligned at nine tenths of the paper width with its bottom a quarter
// inch above the bottom of the printable area, in Arial of `fontSize`, not
// bold. An empty footer prints nothing and leaves the font as it was. The
// setting is read at every call, so each page prints what is stored then.
void PrintFooter(Printer& printer, int fontSize);

// Returns the top of the footer's line as PrintFooter places it in Arial of
// `fontSize`, or the bottom of the printable area when the footer is empty:
// the lowest a page's own content may reach. The font is left as it was.
double footerTop(Printer& printer, int fontSize);

// The lines of a text, split at CR LF, at a lone CR and at a lone LF; no
// other character is lost. An empty text is one empty line; a text ending
// in a line break ends with an empty line.
QStringList SplitLines(const QString& text);

#pragma once
// The layout values every section of the printed report places itself by,
// computed once per report on the printer that prints it, in twips from the
// printable origin. Each is a 16-bit whole number of twips, rounded half to
// even; a value beyond the 16-bit range raises 6 "Overflow".
//
//   PageCentre           half the paper width
//   LabelLeft            the left edge of the header blocks, about a quarter
//                        of the paper width
//   TopMargin            an eighth of the paper height: the company block's top
//   IndentLeft           x of the field labels, 10 dots right of LabelLeft
//   ContactValueLeft     x of the company and client values: LabelLeft, the
//                        width of "Address:" (Arial 11) and 20 dots, or
//                        further right where a label would otherwise end
//                        less than a blank before its value
//   ApplicationValueLeft the same after "Product Rate:", for its labels
//   SummaryIndent        x of the flight names, a quarter inch in from IndentLeft
//   SummaryCol1..3       right edges of the summary's figure columns, each
//                        half an inch and its title (Arial 9 bold) after
//                        the one before
//   LineHeight           the row pitch: a line of Arial 11 and 5 dots
#include "platform/printer.h"

#include <QString>
#include <QStringList>
#include <QtGlobal>
#include <array>

struct ReportLayout
{
    int ReportFontSize = 11; // points of the body text and the footer
    qint16 PageCentre = 0;
    qint16 LabelLeft = 0;
    qint16 QuarterInch = 360;
    qint16 TopMargin = 0;
    qint16 IndentLeft = 0;
    qint16 ContactValueLeft = 0;
    qint16 ApplicationValueLeft = 0;
    qint16 SummaryIndent = 0;
    qint16 SummaryCol1 = 0;
    qint16 SummaryCol2 = 0;
    qint16 SummaryCol3 = 0;
    qint16 LineHeight = 0;
    // The rate units by the "Units" setting; each begins with a blank.
    std::array<QString, 3> RateUnits { QStringLiteral(" oz/ac"), QStringLiteral(" gal/ac"),
        QStringLiteral(" L/ha") };
};

// The field labels of the header blocks, top to bottom (the address's
// further lines have none).
const QStringList& contactLabels(); // "Name:", "Address:", "Phone:", "Fax:", "Email:"
const QStringList& applicationLabels(); // "Aircraft:" .. "Spray Rate:"

// Measures with the printer's fonts (Arial of its current name) and leaves
// the font at ReportFontSize, not bold.
ReportLayout computeReportLayout(Printer& printer);

// Sets the printer's font size and weight, the two the report changes.
void setReportFont(Printer& printer, double size, bool bold);

#pragma once
// Checks texts as a reader sees them, on a printed page or in a window: no
// two texts cover each other, none is cut off by the label showing it, none
// leaves its page or window, and none crosses the edge of a framed box (a
// graph's frame, a picture): a text lies wholly inside a box or wholly
// outside it. On a printed page a label (a text ending in a colon) also
// ends at least a blank, in its value's font, before the text right of it
// on its line.
//
//     const QStringList faults = textLayoutFaults(printedTexts(page, printer),
//         printableArea, printedFrames(page));
//     EXPECT_EQ(faults, QStringList());
#include "platform/printer.h"

#include <QRectF>
#include <QString>
#include <QStringList>
#include <vector>

class QWidget;

struct PlacedText
{
    QString text;
    QRectF box; // the text's line where it stands
    QRectF shownIn; // the label showing it, which must hold it whole; empty for printed text
    double blank = 0.0; // the width of " " in its font: the least gap after a label left of it
};

// One readable line per fault; none when every text reads whole.
QStringList textLayoutFaults(
    const std::vector<PlacedText>& texts, const QRectF& bounds, const std::vector<QRectF>& frames);

// The texts of a recorded page, each measured in its font on `printer`
// (whose font is left as it was).
std::vector<PlacedText> printedTexts(const PrintedPage& page, Printer& printer);
// The boxes and pictures of a recorded page.
std::vector<QRectF> printedFrames(const PrintedPage& page);
// The shown labels among the children of `container`, in its coordinates:
// each text where the label's alignment puts it.
std::vector<PlacedText> shownLabelTexts(const QWidget& container);

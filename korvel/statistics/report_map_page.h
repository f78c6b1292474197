#pragma once
// The report's map page, printed when the "PrintGIS" setting asks for it
// (the default): the map picture as the main window last drew it, four
// fifths of the paper width wide with its own aspect ratio, centred on the
// paper, framed by a line one dot wide, under the caption "Application:"
// (Arial 12 bold) that starts 30 dots left of the picture and ends 5 dots
// above it; the page ends with the footer.
//
// A picture too tall for that width is scaled down, aspect ratio kept,
// until it and its caption fit between the top of the printable area and
// the footer (the bottom of the printable area when there is no footer);
// a picture that fits is only moved where centring would push it past them.
#include "korvel/statistics/report_layout.h"
#include "platform/printer.h"

#include <QImage>
#include <QRectF>

// Where the picture goes on the page, in twips.
struct MapPicturePlacement
{
    qint16 PictureWidth = 0;
    qint16 PictureHeight = 0;
    double PictureLeft = 0.0;
    double PictureTop = 0.0;
};

// Raises 11 for a picture without pixels, 6 for a size beyond 16 bits. The
// caption font must be set (its height is part of the room).
MapPicturePlacement placeMapPicture(Printer& printer, const ReportLayout& layout, const QSize& picture);

// Starts a new page when the setting asks for the map, and prints it.
void PrintMapPage(Printer& printer, const ReportLayout& layout, const QImage& map);

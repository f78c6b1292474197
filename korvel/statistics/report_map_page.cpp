#include "korvel/statistics/report_map_page.h"

#include "korvel/statistics/report_page_frame.h"
#include "korvel/statistics/report_settings.h"
#include "platform/vb_numbers.h"
#include "platform/vb_runtime_errors.h"

#include <algorithm>
#include <cmath>

namespace {

const QString kCaption = QStringLiteral("Application:");

} // namespace

MapPicturePlacement placeMapPicture(Printer& printer, const ReportLayout& layout, const QSize& picture)
{
    if (picture.width() <= 0 || picture.height() <= 0) {
        raiseRuntimeError(RuntimeError::DivisionByZero);
    }
    const double aspect = double(picture.height()) / picture.width();
    MapPicturePlacement place;
    place.PictureWidth = CInt(double(CLng(printer.Width() * 4.0)) / 5.0);
    place.PictureHeight = CInt(place.PictureWidth / double(picture.width()) * picture.height());

    // The room between the caption above and the footer below.
    const double highest = printer.ScaleTop() + printer.TextHeight(kCaption) + 5.0 * printer.TwipsPerPixelY();
    const double lowest = footerTop(printer, layout.ReportFontSize);
    const double room = std::floor(lowest - highest);
    if (place.PictureHeight > room && room > 0.0) {
        place.PictureHeight = CInt(room);
        place.PictureWidth = CInt(std::floor(room / aspect));
    }
    place.PictureLeft = (printer.Width() - place.PictureWidth) / 2.0;
    place.PictureTop = (printer.Height() - place.PictureHeight) / 2.0;
    if (place.PictureHeight <= room) {
        place.PictureTop = std::clamp(place.PictureTop, highest, lowest - place.PictureHeight);
    }
    return place;
}

void PrintMapPage(Printer& printer, const ReportLayout& layout, const QImage& map)
{
    if (!reportPrintsMap()) {
        return;
    }
    setReportFont(printer, 12, true);
    const MapPicturePlacement place = placeMapPicture(printer, layout, map.size());
    printer.NewPage();
    setReportFont(printer, 12, true);
    printer.setCurrentX(place.PictureLeft - 30.0 * printer.TwipsPerPixelX());
    printer.setCurrentY(place.PictureTop - printer.TextHeight(kCaption) - 5.0 * printer.TwipsPerPixelY());
    printer.Print(kCaption);
    printer.PaintPicture(map, place.PictureLeft, place.PictureTop, place.PictureWidth, place.PictureHeight);
    printer.LineBox(place.PictureLeft, place.PictureTop, place.PictureLeft + place.PictureWidth,
        place.PictureTop + place.PictureHeight, 0);
    PrintFooter(printer, layout.ReportFontSize);
}

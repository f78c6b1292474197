#include "korvel/met/met_print.h"

#include "platform/printer.h"

#include <algorithm>

namespace {

constexpr double kMargin = 720.0; // twips: half an inch round the page
constexpr double kGap = 120.0; // twips between a heading and what follows
constexpr double kScreenTwipsPerPixel = 15.0;
constexpr double kScreenLabelPoints = 8.0; // the window's label font

void printAt(Printer& printer, const QString& text, double x, double y)
{
    printer.setCurrentX(x);
    printer.setCurrentY(y);
    printer.Print(text);
}

void setFont(Printer& printer, double points, bool bold)
{
    printer.Font().Name = QStringLiteral("Arial");
    printer.Font().Size = points;
    printer.Font().Bold = bold;
}

void printLabel(Printer& printer, const MetPrintedLabel& label, const QPointF& origin, double scale)
{
    const QRectF place(origin + label.place.topLeft() * scale, label.place.size() * scale);
    if (label.swatch) {
        printer.setFillStyle(vbFSSolid);
        printer.setFillColor(*label.swatch);
        printer.LineBox(place.left(), place.top(), place.right(), place.bottom(), 0);
        printer.setFillStyle(vbFSTransparent);
        return;
    }
    const double width = printer.TextWidth(label.caption);
    const double height = printer.TextHeight(label.caption);
    const double x = label.alignRight ? place.right() - width : place.center().x() - width / 2.0;
    printAt(printer, label.caption, x, place.center().y() - height / 2.0);
}

// One graph in the band from `top`, `height` twips high: its name, then its
// frame scaled to fit the band and centred across the page.
void printGraph(Printer& printer, const MetPrintedGraph& graph, double top, double height)
{
    setFont(printer, 11.0, true);
    printAt(printer, graph.name, kMargin, top);
    const double frameTop = top + printer.TextHeight(graph.name) + kGap;
    if (graph.frameSize.isEmpty()) {
        return;
    }
    const double width = printer.ScaleWidth() - 2.0 * kMargin;
    const double scale = std::max(
        0.0, std::min(width / graph.frameSize.width(), (top + height - frameTop) / graph.frameSize.height()));
    const QPointF origin(kMargin + (width - graph.frameSize.width() * scale) / 2.0, frameTop);
    const QRectF picture(origin + graph.pictureRect.topLeft() * scale, graph.pictureRect.size() * scale);
    if (!graph.picture.isNull()) {
        printer.PaintPicture(graph.picture, picture.x(), picture.y(), picture.width(), picture.height());
    }
    printer.LineBox(picture.left(), picture.top(), picture.right(), picture.bottom(), 0);
    // The labels keep their size beside the graph as on the screen.
    setFont(printer, kScreenLabelPoints * scale / kScreenTwipsPerPixel, false);
    for (const MetPrintedLabel& label : graph.labels) {
        printLabel(printer, label, origin, scale);
    }
}

} // namespace

void printMetGraphs(Printer& printer, const MetPrintout& printout)
{
    printer.setForeColor(0);
    printer.setDrawWidth(1);
    printer.setFillStyle(vbFSTransparent);
    printer.setScaleMode(vbTwips);
    setFont(printer, 14.0, true);
    printAt(printer, printout.title, kMargin, kMargin);
    const double top = kMargin + printer.TextHeight(printout.title) + 2.0 * kGap;
    const double band = (printer.ScaleHeight() - kMargin - top) / double(printout.graphs.size());
    for (std::size_t i = 0; i < printout.graphs.size(); ++i) {
        printGraph(printer, printout.graphs[i], top + double(i) * band, band - kGap);
    }
    printer.EndDoc();
}

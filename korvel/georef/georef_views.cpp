// The two views of the geo-referencing window: the map view draws the GIS
// layers and spray flights ticked in the main window's layer list, in UTM
// metres; the image view the image in its own pixels. Zoom In and Zoom Out
// change a view's world window around the click and redraw it.
#include "korvel/georef/georef_form.h"

#include "korvel/map/gis_layer_drawing.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/row_ticks.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/list_rows.h"
#include "platform/picture_box.h"

#include <QCheckBox>

namespace {

constexpr int kPointLayer = 1;
constexpr int kArcLayer = 3;
constexpr int kPolygonLayer = 5;
constexpr qint32 kTrackColour = 0; // black

} // namespace

void GeoRefForm::setViewWindow(PictureBox& view, const ViewWindow& window)
{
    view.Scale(window.left, window.top, window.right, window.bottom);
}

void GeoRefForm::DrawGISLayers(PictureBox& Target)
{
    // The preview is not cleared: the placed image lies under the layers.
    if (&Target != PreviewBox) {
        Target.Cls();
    }
    const MainForm& main = MainForm::instance();
    const LayerData& layers = layerData();
    for (int i = 1; i <= layers.GISCount && i < int(layers.GISOrder.size()); ++i) {
        if (!rowTicked(main.GISCheck, i)) {
            continue;
        }
        const int index = layers.GISOrder[size_t(i)];
        if (index < 1 || index >= int(layers.GISLayers.size())) {
            continue;
        }
        switch (layers.GISLayers[size_t(index)].ShapeType) {
        case kPointLayer:
            DrawPointLayer(Target, i, false);
            break;
        case kArcLayer:
            DrawArcLayer(Target, i, false);
            break;
        case kPolygonLayer:
            DrawPolygonLayer(Target, i, false);
            break;
        default:
            break;
        }
    }
    DrawAGNAVData();
}

void GeoRefForm::DrawAGNAVData()
{
    const MainForm& main = MainForm::instance();
    const AgnavData& agnav = agnavData();
    for (int b = 1; b <= agnav.BlockCount && b < int(agnav.Blocks.size()); ++b) {
        const AGNAVBlock& block = agnav.Blocks[size_t(b)];
        const int firstFlightRow = subRowBase(b) + subRowsBeforeFlights(block);
        Picture1->setDrawWidth(1);
        for (int k = 1; k <= block.FlightCount && k < int(block.Flights.size()); ++k) {
            if (rowTicked(main.Check3, firstFlightRow + k)) {
                const FlightFile& flight = block.Flights[size_t(k)];
                const int samples = std::min<int>(flight.SampleCount, int(flight.Position.size()) - 1);
                for (int m = 2; m <= samples; ++m) {
                    const FlightPosition& from = flight.Position[size_t(m) - 1];
                    const FlightPosition& to = flight.Position[size_t(m)];
                    Picture1->Line(from.X, from.Y, to.X, to.Y, kTrackColour);
                }
            }
            Picture1->Refresh();
        }
    }
}

void GeoRefForm::DrawImageView()
{
    Picture2->Cls();
    Picture2->PaintPicture(ImagePicture, 0.0, 0.0, ImagePixelWidth, ImagePixelHeight);
    Picture2->Refresh();
}

void GeoRefForm::redrawView(PictureBox& view)
{
    if (&view == Picture1) {
        DrawGISLayers(*Picture1);
        Picture1->Refresh();
    } else {
        DrawImageView();
    }
    DrawControlPoints();
}

void GeoRefForm::ZoomIn(PictureBox& View, float X, float Y, int Shift)
{
    const double w = View.ScaleWidth();
    const double h = View.ScaleHeight();
    const std::optional<ViewWindow> window
        = &View == Picture1 ? mapZoomIn(X, Y, w, h, Shift) : imageZoomIn(X, Y, w, h, Shift);
    if (!window) {
        return;
    }
    setViewWindow(View, *window);
    redrawView(View);
}

void GeoRefForm::ZoomOut(PictureBox& View, float X, float Y, int Shift)
{
    std::optional<ViewWindow> window;
    if (ctrlAlone(Shift)) {
        window = &View == Picture1 ? fullMapWindow(Extent, true)
                                   : wholeImageWindow(ImagePixelWidth, ImagePixelHeight);
    } else {
        const double w = View.ScaleWidth();
        const double h = View.ScaleHeight();
        window
            = &View == Picture1 ? mapZoomOut(X, Y, w, h, Extent) : imageZoomOut(X, Y, w, h, ImagePixelWidth);
    }
    if (!window) {
        return;
    }
    setViewWindow(View, *window);
    redrawView(View);
}

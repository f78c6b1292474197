// The map's extent on the main window: the four extent boxes of the "Map
// Scale" frame (Text1 west, Text2 south, Text3 east, Text4 north) and the
// picture's world scale, kept in step by ApplyMapExtent; the zooms to the
// ticked layers and images; the zoom toolbar; the boxes' own handlers; the
// Ruler switch; and the reset of the map when nothing is left loaded.
//
// ApplyMapExtent works in two phases. Called while the boxes are locked it
// opens them for typing. Called while they are open (or after a caller has
// written an extent into them and set ExtentEntryMode) it applies what they
// hold, widened to the picture's shape, keeps the view before the change in
// LastExtent for Previous Zoom, and locks the boxes again. It never redraws:
// the caller calls Graph.
#include "korvel/map/extent_box_colours.h"
#include "korvel/map/map_extent.h"
#include "korvel/map/map_view.h"
#include "korvel/map/shape_plotting.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/map_pointer_icons.h"
#include "korvel/shell/row_ticks.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"
#include "platform/status_bar.h"
#include "platform/tool_bar.h"
#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtNumeric>
#include <cmath>

namespace {

constexpr int kTypedExtentButton = 3;
constexpr int kPreviousExtentButton = 4;

} // namespace

double MapView::mapEdge(int box) const
{
    // The picture's edges as the runtime computes them, in single precision.
    switch (box) {
    case 1:
        return m_form.Picture1->ScaleLeft();
    case 2:
        return m_form.Picture1->ScaleTop() + m_form.Picture1->ScaleHeight();
    case 3:
        return m_form.Picture1->ScaleLeft() + m_form.Picture1->ScaleWidth();
    default:
        return m_form.Picture1->ScaleTop();
    }
}

ViewEdges MapView::boxedExtent() const
{
    return { extentBoxNumber(m_form.Text1->text(), mapEdge(1)),
        extentBoxNumber(m_form.Text2->text(), mapEdge(2)), extentBoxNumber(m_form.Text3->text(), mapEdge(3)),
        extentBoxNumber(m_form.Text4->text(), mapEdge(4)) };
}

void MapView::setExtentBoxesOpen(bool open)
{
    // The system colours of the design, taken from the window's palette.
    const QPalette& system = m_form.palette();
    const QColor background = open ? system.color(QPalette::Active, QPalette::HighlightedText)
                                   : system.color(QPalette::Active, QPalette::Midlight);
    const QColor text = readableTextColour(background, system.color(QPalette::Active, QPalette::Text));
    for (QLineEdit* box : { m_form.Text1, m_form.Text2, m_form.Text3, m_form.Text4 }) {
        // Locked means not editable; the text stays readable all the same.
        box->setEnabled(open);
        QPalette colours = box->palette();
        colours.setColor(QPalette::All, QPalette::Base, background);
        colours.setColor(QPalette::All, QPalette::Text, text);
        box->setPalette(colours);
    }
}

void MapView::writeExtentBoxes(double west, double south, double east, double north)
{
    const QString& format = globals().CoordFormat;
    m_form.Text1->setText(Format(west, format));
    m_form.Text2->setText(Format(south, format));
    m_form.Text3->setText(Format(east, format));
    m_form.Text4->setText(Format(north, format));
}

void MapView::ApplyMapExtent()
{
    MapState& map = mapState();
    if (!map.ExtentEntryMode) {
        setExtentBoxesOpen(true);
        m_form.Picture1->setMouseIcon(mapPointerIcons().ZoomInIcon);
        m_form.Picture1->setMousePointer(vbCustom);
        map.ExtentEntryMode = true;
    } else {
        QLineEdit* boxes[] = { m_form.Text1, m_form.Text2, m_form.Text3, m_form.Text4 };
        const ViewEdges typed = boxedExtent();
        const double xRange = std::abs(typed.west - typed.east);
        const double yRange = std::abs(typed.south - typed.north);
        if (xRange != 0.0 && yRange != 0.0 && map.ExtentEdited) {
            layerData().LastExtent = { mapEdge(1), mapEdge(2), mapEdge(3), mapEdge(4) };
            const double ratio = double(m_form.Picture1->Height()) / double(m_form.Picture1->Width());
            const AspectFit fit = fitToAspect(typed, ratio);
            const QString& format = globals().CoordFormat;
            const double fitted[] = { fit.edges.west, fit.edges.south, fit.edges.east, fit.edges.north };
            for (int i = 0; i < 4; ++i) {
                const bool widened = (i % 2 == 0) ? fit.xChanged : fit.yChanged;
                // A box whose text was no number shows the edge that was used.
                const bool number = !std::isnan(extentBoxNumber(boxes[i]->text(), qQNaN()));
                if (widened || !number) {
                    boxes[i]->setText(Format(fitted[i], format));
                }
            }
            m_form.Picture1->Scale(extentBoxNumber(m_form.Text1->text(), fitted[0]),
                extentBoxNumber(m_form.Text4->text(), fitted[3]),
                extentBoxNumber(m_form.Text3->text(), fitted[2]),
                extentBoxNumber(m_form.Text2->text(), fitted[1]));
        } else {
            showPictureEdgesInBoxes();
        }
        setExtentBoxesOpen(false);
        m_form.GraphButton->setEnabled(true);
        for (LineControl* edgeLine :
            { m_form.SelLineRight, m_form.SelLineLeft, m_form.SelLineBottom, m_form.SelLineTop }) {
            edgeLine->setVisible(false);
        }
        const MapPointerIcons& icons = mapPointerIcons();
        m_form.Picture1->setMouseIcon(
            icons.CrosshairIcons[size_t(crosshairFor(mainSettings().PointerColour))]);
        m_form.Picture1->setMousePointer(vbCustom);
        m_form.update();
        map.ExtentEntryMode = false;
        map.ExtentEdited = false;
    }
    if (m_form.Check1[2].isChecked()) {
        if (FloatingToolWindow* zoom = floatingToolWindow(FloatingTool::Zoom)) {
            zoom->refreshForm();
        }
    }
}

void MapView::showPictureEdgesInBoxes()
{
    QLineEdit* boxes[] = { m_form.Text1, m_form.Text2, m_form.Text3, m_form.Text4 };
    for (int i = 0; i < 4; ++i) {
        boxes[i]->setText(CStr(float(mapEdge(i + 1))));
    }
}

void MapView::placeMapPicture(const QRect& geometry)
{
    const QSize before(m_form.Picture1->clientWidth(), m_form.Picture1->clientHeight());
    if (!before.isEmpty()) {
        m_lastMapClientSize = before;
    }
    m_form.Picture1->setGeometry(geometry);
    const QSize after(m_form.Picture1->clientWidth(), m_form.Picture1->clientHeight());
    if (m_form.Picture1->ScaleMode() != vbUser || after.isEmpty() || after == m_lastMapClientSize) {
        return;
    }
    // A picture box keeps its scale when resized, which would stretch the
    // map across the new shape; the map keeps its metres (or degrees) per
    // pixel instead, so distances read the same in every direction. A
    // picture squeezed to nothing on the way (the first layout passes through
    // a height of 0) scales from the last size it had.
    const UserScale kept
        = scaleKeptOnResize({ m_form.Picture1->ScaleLeft(), m_form.Picture1->ScaleTop(),
                                m_form.Picture1->ScaleWidth(), m_form.Picture1->ScaleHeight() },
            m_lastMapClientSize.width(), m_lastMapClientSize.height(), after.width(), after.height());
    m_form.Picture1->setScaleWidth(kept.width);
    m_form.Picture1->setScaleHeight(kept.height);
    m_lastMapClientSize = after;
    MapState& map = mapState();
    if (!map.ExtentEntryMode) {
        // The locked boxes show the view; open ones keep what is typed.
        const bool edited = map.ExtentEdited;
        showPictureEdgesInBoxes();
        map.ExtentEdited = edited;
        if (m_form.Check1[2].isChecked()) {
            if (FloatingToolWindow* zoom = floatingToolWindow(FloatingTool::Zoom)) {
                zoom->refreshForm();
            }
        }
    }
}

void MapView::ZoomToLayers(int Index, int LayerType)
{
    const LayerData& data = layerData();
    const AgnavData& agnav = agnavData();
    ExtentUnion extent(LayerZoomSentinel);
    if (Index == 0) {
        for (int p = 1; p <= data.GISCount; ++p) {
            const GISLayer* layer = gisLayerAtPosition(p);
            if (layer && rowTicked(m_form.GISCheck, p)) {
                extent.add(layer->XMin, layer->YMin, layer->XMax, layer->YMax);
            }
        }
        for (int b = 1; b <= agnav.BlockCount && b < int(agnav.Blocks.size()); ++b) {
            if (rowTicked(m_form.AGCheck, b)) {
                const ShapeRecord& boundary = agnav.Blocks[size_t(b)].Boundary;
                extent.add(boundary.XMin, boundary.YMin, boundary.XMax, boundary.YMax);
            }
        }
    } else if (LayerType == 1) {
        if (const GISLayer* layer = gisLayerAtPosition(Index)) {
            extent.add(layer->XMin, layer->YMin, layer->XMax, layer->YMax);
        }
    } else if (Index <= agnav.BlockCount && Index < int(agnav.Blocks.size())) {
        const ShapeRecord& boundary = agnav.Blocks[size_t(Index)].Boundary;
        extent.add(boundary.XMin, boundary.YMin, boundary.XMax, boundary.YMax);
    }
    zoomToExtent(extent);
}

void MapView::ZoomToImages()
{
    const LayerData& data = layerData();
    ExtentUnion extent(ImageZoomSentinel);
    for (int p = 1; p <= data.ImageCount && p < int(data.ImageOrder.size()); ++p) {
        // A disabled row (an image without geo-reference, or any image in
        // latitude/longitude mode, where its metres would be taken for
        // degrees) does not count, even when it kept its tick.
        const QCheckBox* row = m_form.ImageCheck.at(p);
        if (!row || !row->isChecked() || !row->isEnabled()) {
            continue;
        }
        const ImageLayer& image = data.Images[size_t(data.ImageOrder[size_t(p)])];
        extent.add(image.X, qint64(image.Y) + image.Height, qint64(image.X) + image.Width, image.Y);
    }
    zoomToExtent(extent);
}

void MapView::zoomToExtent(const ExtentUnion& extent)
{
    ViewEdges edges = extent.edges();
    if (extent.untouched()) {
        // Nothing to fit: the extent stays as the boxes hold it.
        edges = boxedExtent();
    }
    writeExtentBoxes(edges.west, edges.south, edges.east, edges.north);
    MapState& map = mapState();
    map.ExtentEdited = true;
    map.ExtentEntryMode = true;
    ApplyMapExtent();
    Graph(true);
}

void MapView::Toolbar_ButtonClick(int Index)
{
    Toolbar_ButtonClick(Index, m_form.Toolbar->Value(kTypedExtentButton));
}

void MapView::Toolbar_ButtonClick(int Index, int CustomZoomValue)
{
    // While a boundary or an exclusion zone is being digitized the view stays.
    if (m_form.Tools_DigitizeBoundary->isChecked() || m_form.Tools_DigitizeExclusion->isChecked()) {
        m_form.Toolbar->setValue(kTypedExtentButton, 0);
        return;
    }
    MapState& map = mapState();
    switch (Index) {
    case 1:
        m_form.Toolbar->setValue(kTypedExtentButton, 0);
        m_form.Toolbar->setEnabled(kPreviousExtentButton, true);
        ZoomToLayers(0, 0);
        break;
    case 2:
        m_form.Toolbar->setValue(kTypedExtentButton, 0);
        m_form.Toolbar->setEnabled(kPreviousExtentButton, true);
        ZoomToImages();
        break;
    case kTypedExtentButton:
        if (CustomZoomValue == 1) {
            m_form.GraphButton->setEnabled(false);
            ApplyMapExtent();
        } else if (map.ExtentEdited) {
            m_form.Toolbar->setEnabled(kPreviousExtentButton, true);
            ApplyMapExtent();
            Graph(true);
        } else {
            ApplyMapExtent();
        }
        return;
    case kPreviousExtentButton: {
        const ::MapExtent last = layerData().LastExtent;
        writeExtentBoxes(last.XMin, last.YMin, last.XMax, last.YMax);
        map.ExtentEntryMode = true;
        ApplyMapExtent();
        Graph(true);
        break;
    }
    default:
        return;
    }
    m_form.Toolbar->setValue(kTypedExtentButton, 0);
}

void MapView::Text1_Change()
{
    mapState().ExtentEdited = true;
}

void MapView::Text2_Change()
{
    mapState().ExtentEdited = true;
}

void MapView::Text3_Change()
{
    mapState().ExtentEdited = true;
}

void MapView::Text4_Change()
{
    mapState().ExtentEdited = true;
}

void MapView::Text1_GotFocus()
{
    QMetaObject::invokeMethod(m_form.Text1, &QLineEdit::selectAll, Qt::QueuedConnection);
}

void MapView::Text2_GotFocus()
{
    QMetaObject::invokeMethod(m_form.Text2, &QLineEdit::selectAll, Qt::QueuedConnection);
}

void MapView::Text3_GotFocus()
{
    QMetaObject::invokeMethod(m_form.Text3, &QLineEdit::selectAll, Qt::QueuedConnection);
}

void MapView::Text4_GotFocus()
{
    QMetaObject::invokeMethod(m_form.Text4, &QLineEdit::selectAll, Qt::QueuedConnection);
}

void MapView::Text1_LostFocus()
{
    validateExtentBox(1);
}

void MapView::Text2_LostFocus()
{
    validateExtentBox(2);
}

void MapView::Text3_LostFocus()
{
    validateExtentBox(3);
}

void MapView::Text4_LostFocus()
{
    validateExtentBox(4);
}

void MapView::validateExtentBox(int box)
{
    QLineEdit* boxes[] = { m_form.Text1, m_form.Text2, m_form.Text3, m_form.Text4 };
    QLineEdit* edit = boxes[box - 1];
    // A value that will not do is replaced silently by the map's edge.
    if (!extentBoxValueAccepted(edit->text(), box, globals().UTMMode)) {
        edit->setText(CStr(float(mapEdge(box))));
    }
}

void MapView::Tools_Ruler_Click()
{
    m_form.Tools_Ruler->setChecked(!m_form.Tools_Ruler->isChecked());
    if (!m_form.Tools_Ruler->isChecked()) {
        m_form.StatusBar1->setPanelText(6, QString());
        m_form.RulerLine->setVisible(false);
    }
}

void MapView::Tools_Digitize_Click()
{
    // The submenu's own item: its entries do the work.
}

void MapView::ClearMapOverlays()
{
    m_form.Picture1->Cls();
    for (int i = 1; i <= m_form.Label2.UBound(); ++i) {
        if (QLabel* label = m_form.Label2.at(i)) {
            label->setVisible(false);
        }
    }
    for (int i = 1; i <= m_form.LabelLine.UBound(); ++i) {
        if (LineControl* line = m_form.LabelLine.at(i)) {
            line->setVisible(false);
        }
    }
    m_form.OptimizeLine.unloadAll();
    if (m_form.Tools_Optimize->isChecked()) {
        m_form.Tools_Optimize->setChecked(false);
    }
    const ViewEdges edges = boxedExtent();
    // A scale of no width or height would divide by zero at the next
    // drawing; such boxes leave the picture's scale as it is.
    if (edges.east != edges.west && edges.north != edges.south) {
        m_form.Picture1->Scale(edges.west, edges.north, edges.east, edges.south);
    }
}

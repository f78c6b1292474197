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
#include "korvel/map/shape_plotting.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/map_pointer_icons.h"
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

bool rowTicked(const ControlArray<QCheckBox>& rows, int index)
{
    const QCheckBox* row = rows.at(index);
    return row && row->isChecked();
}

} // namespace

double MainForm::mapEdge(int box) const
{
    // The picture's edges as the runtime computes them, in single precision.
    switch (box) {
    case 1:
        return Picture1->ScaleLeft();
    case 2:
        return Picture1->ScaleTop() + Picture1->ScaleHeight();
    case 3:
        return Picture1->ScaleLeft() + Picture1->ScaleWidth();
    default:
        return Picture1->ScaleTop();
    }
}

ViewEdges MainForm::boxedExtent() const
{
    return { extentBoxNumber(Text1->text(), mapEdge(1)), extentBoxNumber(Text2->text(), mapEdge(2)),
        extentBoxNumber(Text3->text(), mapEdge(3)), extentBoxNumber(Text4->text(), mapEdge(4)) };
}

void MainForm::setExtentBoxesOpen(bool open)
{
    // The system colours of the design, taken from the window's palette.
    const QPalette& system = palette();
    const QColor background = open ? system.color(QPalette::Active, QPalette::HighlightedText)
                                   : system.color(QPalette::Active, QPalette::Midlight);
    const QColor text = readableTextColour(background, system.color(QPalette::Active, QPalette::Text));
    for (QLineEdit* box : { Text1, Text2, Text3, Text4 }) {
        // Locked means not editable; the text stays readable all the same.
        box->setEnabled(open);
        QPalette colours = box->palette();
        colours.setColor(QPalette::All, QPalette::Base, background);
        colours.setColor(QPalette::All, QPalette::Text, text);
        box->setPalette(colours);
    }
}

void MainForm::writeExtentBoxes(double west, double south, double east, double north)
{
    const QString& format = globals().CoordFormat;
    Text1->setText(Format(west, format));
    Text2->setText(Format(south, format));
    Text3->setText(Format(east, format));
    Text4->setText(Format(north, format));
}

void MainForm::ApplyMapExtent()
{
    MapState& map = mapState();
    if (!map.ExtentEntryMode) {
        setExtentBoxesOpen(true);
        Picture1->setMouseIcon(mapPointerIcons().ZoomInIcon);
        Picture1->setMousePointer(vbCustom);
        map.ExtentEntryMode = true;
    } else {
        QLineEdit* boxes[] = { Text1, Text2, Text3, Text4 };
        const ViewEdges typed = boxedExtent();
        const double xRange = std::abs(typed.west - typed.east);
        const double yRange = std::abs(typed.south - typed.north);
        if (xRange != 0.0 && yRange != 0.0 && map.ExtentEdited) {
            layerData().LastExtent = { mapEdge(1), mapEdge(2), mapEdge(3), mapEdge(4) };
            const double ratio = double(Picture1->Height()) / double(Picture1->Width());
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
            Picture1->Scale(extentBoxNumber(Text1->text(), fitted[0]),
                extentBoxNumber(Text4->text(), fitted[3]), extentBoxNumber(Text3->text(), fitted[2]),
                extentBoxNumber(Text2->text(), fitted[1]));
        } else {
            showPictureEdgesInBoxes();
        }
        setExtentBoxesOpen(false);
        GraphButton->setEnabled(true);
        for (LineControl* edgeLine : { SelLineRight, SelLineLeft, SelLineBottom, SelLineTop }) {
            edgeLine->setVisible(false);
        }
        const MapPointerIcons& icons = mapPointerIcons();
        Picture1->setMouseIcon(icons.CrosshairIcons[size_t(crosshairFor(mainSettings().PointerColour))]);
        Picture1->setMousePointer(vbCustom);
        update();
        map.ExtentEntryMode = false;
        map.ExtentEdited = false;
    }
    if (Check1[2].isChecked()) {
        if (FloatingToolWindow* zoom = floatingToolWindow(FloatingTool::Zoom)) {
            zoom->refreshForm();
        }
    }
}

void MainForm::showPictureEdgesInBoxes()
{
    QLineEdit* boxes[] = { Text1, Text2, Text3, Text4 };
    for (int i = 0; i < 4; ++i) {
        boxes[i]->setText(CStr(float(mapEdge(i + 1))));
    }
}

void MainForm::placeMapPicture(const QRect& geometry)
{
    const QSize before(Picture1->clientWidth(), Picture1->clientHeight());
    if (!before.isEmpty()) {
        m_lastMapClientSize = before;
    }
    Picture1->setGeometry(geometry);
    const QSize after(Picture1->clientWidth(), Picture1->clientHeight());
    if (Picture1->ScaleMode() != vbUser || after.isEmpty() || after == m_lastMapClientSize) {
        return;
    }
    // A picture box keeps its scale when resized, which would stretch the
    // map across the new shape; the map keeps its metres (or degrees) per
    // pixel instead, so distances read the same in every direction. A
    // picture squeezed to nothing on the way (the first layout passes through
    // a height of 0) scales from the last size it had.
    const UserScale kept = scaleKeptOnResize(
        { Picture1->ScaleLeft(), Picture1->ScaleTop(), Picture1->ScaleWidth(), Picture1->ScaleHeight() },
        m_lastMapClientSize.width(), m_lastMapClientSize.height(), after.width(), after.height());
    Picture1->setScaleWidth(kept.width);
    Picture1->setScaleHeight(kept.height);
    m_lastMapClientSize = after;
    MapState& map = mapState();
    if (!map.ExtentEntryMode) {
        // The locked boxes show the view; open ones keep what is typed.
        const bool edited = map.ExtentEdited;
        showPictureEdgesInBoxes();
        map.ExtentEdited = edited;
        if (Check1[2].isChecked()) {
            if (FloatingToolWindow* zoom = floatingToolWindow(FloatingTool::Zoom)) {
                zoom->refreshForm();
            }
        }
    }
}

void MainForm::ZoomToLayers(int Index, int LayerType)
{
    const LayerData& data = layerData();
    const AgnavData& agnav = agnavData();
    ExtentUnion extent(LayerZoomSentinel);
    if (Index == 0) {
        for (int p = 1; p <= data.GISCount; ++p) {
            const GISLayer* layer = gisLayerAtPosition(p);
            if (layer && rowTicked(GISCheck, p)) {
                extent.add(layer->XMin, layer->YMin, layer->XMax, layer->YMax);
            }
        }
        for (int b = 1; b <= agnav.BlockCount && b < int(agnav.Blocks.size()); ++b) {
            if (rowTicked(AGCheck, b)) {
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

void MainForm::ZoomToImages()
{
    const LayerData& data = layerData();
    ExtentUnion extent(ImageZoomSentinel);
    for (int p = 1; p <= data.ImageCount && p < int(data.ImageOrder.size()); ++p) {
        // A disabled row (an image without geo-reference, or any image in
        // latitude/longitude mode, where its metres would be taken for
        // degrees) does not count, even when it kept its tick.
        const QCheckBox* row = ImageCheck.at(p);
        if (!row || !row->isChecked() || !row->isEnabled()) {
            continue;
        }
        const ImageLayer& image = data.Images[size_t(data.ImageOrder[size_t(p)])];
        extent.add(image.X, qint64(image.Y) + image.Height, qint64(image.X) + image.Width, image.Y);
    }
    ViewEdges edges = extent.edges();
    if (extent.untouched()) {
        edges = boxedExtent();
    }
    writeExtentBoxes(edges.west, edges.south, edges.east, edges.north);
    MapState& map = mapState();
    map.ExtentEdited = true;
    map.ExtentEntryMode = true;
    ApplyMapExtent();
    Graph(true);
}

void MainForm::Toolbar_ButtonClick(int Index)
{
    Toolbar_ButtonClick(Index, Toolbar->Value(kTypedExtentButton));
}

void MainForm::Toolbar_ButtonClick(int Index, int CustomZoomValue)
{
    // While a boundary or an exclusion zone is being digitized the view stays.
    if (Tools_DigitizeBoundary->isChecked() || Tools_DigitizeExclusion->isChecked()) {
        Toolbar->setValue(kTypedExtentButton, 0);
        return;
    }
    MapState& map = mapState();
    switch (Index) {
    case 1:
        Toolbar->setValue(kTypedExtentButton, 0);
        Toolbar->setEnabled(kPreviousExtentButton, true);
        ZoomToLayers(0, 0);
        break;
    case 2:
        Toolbar->setValue(kTypedExtentButton, 0);
        Toolbar->setEnabled(kPreviousExtentButton, true);
        ZoomToImages();
        break;
    case kTypedExtentButton:
        if (CustomZoomValue == 1) {
            GraphButton->setEnabled(false);
            ApplyMapExtent();
        } else if (map.ExtentEdited) {
            Toolbar->setEnabled(kPreviousExtentButton, true);
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
    Toolbar->setValue(kTypedExtentButton, 0);
}

void MainForm::Text1_Change()
{
    mapState().ExtentEdited = true;
}

void MainForm::Text2_Change()
{
    mapState().ExtentEdited = true;
}

void MainForm::Text3_Change()
{
    mapState().ExtentEdited = true;
}

void MainForm::Text4_Change()
{
    mapState().ExtentEdited = true;
}

void MainForm::Text1_GotFocus()
{
    QMetaObject::invokeMethod(Text1, &QLineEdit::selectAll, Qt::QueuedConnection);
}

void MainForm::Text2_GotFocus()
{
    QMetaObject::invokeMethod(Text2, &QLineEdit::selectAll, Qt::QueuedConnection);
}

void MainForm::Text3_GotFocus()
{
    QMetaObject::invokeMethod(Text3, &QLineEdit::selectAll, Qt::QueuedConnection);
}

void MainForm::Text4_GotFocus()
{
    QMetaObject::invokeMethod(Text4, &QLineEdit::selectAll, Qt::QueuedConnection);
}

void MainForm::Text1_LostFocus()
{
    validateExtentBox(1);
}

void MainForm::Text2_LostFocus()
{
    validateExtentBox(2);
}

void MainForm::Text3_LostFocus()
{
    validateExtentBox(3);
}

void MainForm::Text4_LostFocus()
{
    validateExtentBox(4);
}

void MainForm::validateExtentBox(int box)
{
    QLineEdit* boxes[] = { Text1, Text2, Text3, Text4 };
    QLineEdit* edit = boxes[box - 1];
    // A value that will not do is replaced silently by the map's edge.
    if (!extentBoxValueAccepted(edit->text(), box, globals().UTMMode)) {
        edit->setText(CStr(float(mapEdge(box))));
    }
}

void MainForm::Tools_Ruler_Click()
{
    Tools_Ruler->setChecked(!Tools_Ruler->isChecked());
    if (!Tools_Ruler->isChecked()) {
        StatusBar1->setPanelText(6, QString());
        RulerLine->setVisible(false);
    }
}

void MainForm::Tools_Digitize_Click()
{
    // The submenu's own item: its entries do the work.
}

void MainForm::ClearMapOverlays()
{
    Picture1->Cls();
    for (int i = 1; i <= Label2.UBound(); ++i) {
        if (QLabel* label = Label2.at(i)) {
            label->setVisible(false);
        }
    }
    for (int i = 1; i <= LabelLine.UBound(); ++i) {
        if (LineControl* line = LabelLine.at(i)) {
            line->setVisible(false);
        }
    }
    OptimizeLine.unloadAll();
    if (Tools_Optimize->isChecked()) {
        Tools_Optimize->setChecked(false);
    }
    const ViewEdges edges = boxedExtent();
    // A scale of no width or height would divide by zero at the next
    // drawing; such boxes leave the picture's scale as it is.
    if (edges.east != edges.west && edges.north != edges.south) {
        Picture1->Scale(edges.west, edges.north, edges.east, edges.south);
    }
}

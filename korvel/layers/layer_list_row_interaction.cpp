// What the mouse does to the rows of the "Loaded Files" list: a tick shows
// or hides the layer at the next redraw (at once with ImmediateGraph), a
// right click on a label selects the layer and opens its pop-up menu, Ctrl +
// right click removes it, and image and GIS labels are dragged onto another
// label of their group to reorder the list. Reordering permutes the order
// map and the tick states alike; the records never move, so each layer keeps
// its visibility.
#include "korvel/layers/layer_popup_menus.h"
#include "korvel/layers/row_drop.h"
#include "korvel/layers/row_label_colours.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/control_drag.h"
#include "platform/picture_box.h"
#include "platform/vb_colors.h"
#include "platform/vb_input_codes.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>

namespace {

void redrawAfterTick(MainForm& form)
{
    // The tick itself is the layer's visibility, which the redraw reads.
    if (globals().ImmediateGraph && !redrawState().Busy) {
        form.Graph(false);
    }
}

// The caption of a dragged label ends in "shp": a shapefile's row.
bool draggingShapefileRow(const QWidget* source)
{
    const auto* label = qobject_cast<const QLabel*>(source);
    return label && label->text().right(3).toLower() == QLatin1String("shp");
}

} // namespace

void MainForm::ImageCheck_Click(int Index)
{
    Q_UNUSED(Index);
    redrawAfterTick(*this);
}

void MainForm::GISCheck_Click(int Index)
{
    Q_UNUSED(Index);
    redrawAfterTick(*this);
}

void MainForm::AGCheck_Click(int Index)
{
    Q_UNUSED(Index);
    redrawAfterTick(*this);
}

void MainForm::Check3_Click(int Index)
{
    Q_UNUSED(Index);
    redrawAfterTick(*this);
}

void MainForm::ImageCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    if (Button == vbRightButton && Shift == vbCtrlMask) {
        DeleteImage(Index);
    } else if (Button == vbRightButton && Shift == 0) {
        openRowPopUp(ImageCheckLabel[Index], Index, LayerKind::Image);
    }
    RefreshChecklist();
}

void MainForm::GISCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    if (Button == vbRightButton && Shift == vbCtrlMask) {
        DeleteSHP(Index);
    } else if (Button == vbRightButton && Shift == 0) {
        openRowPopUp(GISCheckLabel[Index], Index, LayerKind::GISLayer);
    }
    RefreshChecklist();
}

void MainForm::AGCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    // The deletion rebuilds the list itself.
    if (Button == vbRightButton && Shift == vbCtrlMask) {
        DeleteAGNAV(Index);
    } else if (Button == vbRightButton && Shift == 0) {
        openRowPopUp(AGCheckLabel[Index], Index, LayerKind::Block);
        RefreshChecklist();
    }
}

void MainForm::openRowPopUp(QLabel& label, int Index, LayerKind kind)
{
    // Light blue while the menu is open; the rebuild afterwards resets it.
    setRowCaptionColour(label, RowCaptionLightBlue);
    SelectedLayer = Index;
    ShowLayerPopUp(*this, kind);
}

void MainForm::ImageCheckLabel_DragOver(int Index, QWidget* Source, float X, float Y, int State)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    highlightDragTarget(ImageCheckLabel, layerData().ImageCount, Index, Source, State);
}

void MainForm::GISCheckLabel_DragOver(int Index, QWidget* Source, float X, float Y, int State)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    highlightDragTarget(GISCheckLabel, layerData().GISCount, Index, Source, State);
}

void MainForm::ImageCheckLabel_DragDrop(int Index, QWidget* Source, float X, float Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    dropListRow(*this, ImageCheckLabel, ImageCheck, layerData().ImageOrder, Index, Source, LayerKind::Image);
}

void MainForm::GISCheckLabel_DragDrop(int Index, QWidget* Source, float X, float Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    dropListRow(*this, GISCheckLabel, GISCheck, layerData().GISOrder, Index, Source, LayerKind::GISLayer);
}

void MainForm::Picture1_DragOver(QWidget* Source, float X, float Y, int State)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    Q_UNUSED(State);
    if (draggingShapefileRow(Source)) {
        m_rowDrag->cancel();
    }
}

void MainForm::Frame2_DragOver(QWidget* Source, float X, float Y, int State)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    Q_UNUSED(State);
    if (draggingShapefileRow(Source)) {
        m_rowDrag->cancel();
    }
}

void MainForm::dispatchDragOver(QWidget* target, QWidget* source, QPoint position, int state)
{
    const float x = float(position.x());
    const float y = float(position.y());
    auto* label = qobject_cast<QLabel*>(target);
    if (const int i = ImageCheckLabel.indexOf(label); label && i > 0) {
        ImageCheckLabel_DragOver(i, source, x, y, state);
    } else if (const int g = GISCheckLabel.indexOf(label); label && g > 0) {
        GISCheckLabel_DragOver(g, source, x, y, state);
    } else if (target == Picture1 || Picture1->isAncestorOf(target)) {
        Picture1_DragOver(source, x, y, state);
    } else if (target == Frame2 || Frame2->isAncestorOf(target)) {
        Frame2_DragOver(source, x, y, state);
    } else if (target == m_client || target == this) {
        // Over the window's own surface, outside any control, every drag ends.
        m_rowDrag->cancel();
    }
}

void MainForm::dispatchDragDrop(QWidget* target, QWidget* source, QPoint position)
{
    const float x = float(position.x());
    const float y = float(position.y());
    auto* label = qobject_cast<QLabel*>(target);
    if (const int i = ImageCheckLabel.indexOf(label); label && i > 0) {
        ImageCheckLabel_DragDrop(i, source, x, y);
    } else if (const int g = GISCheckLabel.indexOf(label); label && g > 0) {
        GISCheckLabel_DragDrop(g, source, x, y);
    }
    // Released anywhere else, a dragged label changes nothing.
}

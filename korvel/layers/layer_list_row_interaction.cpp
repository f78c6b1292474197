// What the mouse does to the rows of the "Loaded Files" list: a tick shows
// or hides the layer at the next redraw (at once with ImmediateGraph), a
// right click on a label selects the layer and opens its pop-up menu, Ctrl +
// right click removes it, and image and GIS labels are dragged onto another
// label of their group to reorder the list. Reordering permutes the order
// map and the tick states alike; the records never move, so each layer keeps
// its visibility.
#include "korvel/layers/layer_list.h"
#include "korvel/layers/layer_popup_menus.h"
#include "korvel/layers/row_drop.h"
#include "korvel/layers/row_label_colours.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/control_drag.h"
#include "platform/picture_box.h"
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

void LayerList::ImageCheck_Click(int Index)
{
    Q_UNUSED(Index);
    redrawAfterTick(m_form);
}

void LayerList::GISCheck_Click(int Index)
{
    Q_UNUSED(Index);
    redrawAfterTick(m_form);
}

void LayerList::AGCheck_Click(int Index)
{
    Q_UNUSED(Index);
    redrawAfterTick(m_form);
}

void LayerList::Check3_Click(int Index)
{
    Q_UNUSED(Index);
    redrawAfterTick(m_form);
}

void LayerList::ImageCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    if (Button == vbRightButton && Shift == vbCtrlMask) {
        DeleteImage(Index);
    } else if (Button == vbRightButton && Shift == 0) {
        openRowPopUp(m_form.ImageCheckLabel[Index], Index, LayerKind::Image);
    }
    RefreshChecklist();
}

void LayerList::GISCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    if (Button == vbRightButton && Shift == vbCtrlMask) {
        DeleteSHP(Index);
    } else if (Button == vbRightButton && Shift == 0) {
        openRowPopUp(m_form.GISCheckLabel[Index], Index, LayerKind::GISLayer);
    }
    RefreshChecklist();
}

void LayerList::AGCheckLabel_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    // The deletion rebuilds the list itself.
    if (Button == vbRightButton && Shift == vbCtrlMask) {
        DeleteAGNAV(Index);
    } else if (Button == vbRightButton && Shift == 0) {
        openRowPopUp(m_form.AGCheckLabel[Index], Index, LayerKind::Block);
        RefreshChecklist();
    }
}

void LayerList::openRowPopUp(QLabel& label, int Index, LayerKind kind)
{
    // Light blue while the menu is open; the rebuild afterwards resets it.
    setRowCaptionColour(label, RowCaptionLightBlue);
    m_form.SelectedLayer = Index;
    ShowLayerPopUp(m_form, kind);
}

void LayerList::ImageCheckLabel_DragOver(int Index, QWidget* Source, float X, float Y, int State)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    highlightDragTarget(m_form.ImageCheckLabel, layerData().ImageCount, Index, Source, State);
}

void LayerList::GISCheckLabel_DragOver(int Index, QWidget* Source, float X, float Y, int State)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    highlightDragTarget(m_form.GISCheckLabel, layerData().GISCount, Index, Source, State);
}

void LayerList::ImageCheckLabel_DragDrop(int Index, QWidget* Source, float X, float Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    dropListRow(m_form, m_form.ImageCheckLabel, m_form.ImageCheck, layerData().ImageOrder, Index, Source,
        LayerKind::Image);
}

void LayerList::GISCheckLabel_DragDrop(int Index, QWidget* Source, float X, float Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    dropListRow(m_form, m_form.GISCheckLabel, m_form.GISCheck, layerData().GISOrder, Index, Source,
        LayerKind::GISLayer);
}

void LayerList::Picture1_DragOver(QWidget* Source, float X, float Y, int State)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    Q_UNUSED(State);
    if (draggingShapefileRow(Source)) {
        m_rowDrag->cancel();
    }
}

void LayerList::Frame2_DragOver(QWidget* Source, float X, float Y, int State)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    Q_UNUSED(State);
    if (draggingShapefileRow(Source)) {
        m_rowDrag->cancel();
    }
}

void LayerList::dispatchDragOver(QWidget* target, QWidget* source, QPoint position, int state)
{
    const float x = float(position.x());
    const float y = float(position.y());
    auto* label = qobject_cast<QLabel*>(target);
    if (const int i = m_form.ImageCheckLabel.indexOf(label); label && i > 0) {
        ImageCheckLabel_DragOver(i, source, x, y, state);
    } else if (const int g = m_form.GISCheckLabel.indexOf(label); label && g > 0) {
        GISCheckLabel_DragOver(g, source, x, y, state);
    } else if (target == m_form.Picture1 || m_form.Picture1->isAncestorOf(target)) {
        Picture1_DragOver(source, x, y, state);
    } else if (target == m_form.Frame2 || m_form.Frame2->isAncestorOf(target)) {
        Frame2_DragOver(source, x, y, state);
    } else if (target == m_form.clientArea() || target == &m_form) {
        // Over the window's own surface, outside any control, every drag ends.
        m_rowDrag->cancel();
    }
}

void LayerList::dispatchDragDrop(QWidget* target, QWidget* source, QPoint position)
{
    const float x = float(position.x());
    const float y = float(position.y());
    auto* label = qobject_cast<QLabel*>(target);
    if (const int i = m_form.ImageCheckLabel.indexOf(label); label && i > 0) {
        ImageCheckLabel_DragDrop(i, source, x, y);
    } else if (const int g = m_form.GISCheckLabel.indexOf(label); label && g > 0) {
        GISCheckLabel_DragDrop(g, source, x, y);
    }
    // Released anywhere else, a dragged label changes nothing.
}

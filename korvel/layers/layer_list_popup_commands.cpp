// What the items of the rows' pop-up menus do to the selected layer
// (SelectedLayer: a list position for an image or GIS layer, a block number
// for a block): thickness, buffer zones, zone, colour, zoom, deletion,
// properties, geo-referencing and the block's digitizing. The loading items
// of the block menu are the AG-NAV commands (korvel/agnav/).
//
// An edit that changes how a layer is drawn marks the record for the next
// redraw and redraws at once only with ImmediateGraph on: a full redraw
// when drawing goes away (a thinner line, a buffer switched off).
#include "korvel/layers/layer_list.h"
#include "korvel/layers/layer_properties_form.h"
#include "korvel/map/gis_coordinate_conversion.h"
#include "korvel/map/shape_plotting.h"
#include "korvel/shell/conversion_ellipsoid.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/row_ticks.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/block_companion.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/msg_box.h"
#include "platform/show_modal.h"
#include "platform/tool_bar.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>

namespace {

constexpr int kPreviousExtentButton = 4;
constexpr int kImageProperties = 1;
constexpr int kLayerProperties = 2;
constexpr int kBlockProperties = 3;

void showError(const VbError& error)
{
    MsgBox(QStringLiteral("KORVEL encountered the following error:\r") + error.Description());
}

} // namespace

void LayerList::repaintLayerLists()
{
    m_form.Frame1->repaint();
    if (!m_form.Check1[1].isChecked()) {
        return;
    }
    if (const FloatingToolWindow* floating = floatingToolWindow(FloatingTool::CheckList)) {
        if (QWidget* window = floating->window()) {
            window->repaint();
        }
    }
}

void LayerList::PopUp_SHPThickNum_Click(int Index)
{
    repaintLayerLists();
    GISLayer* layer = gisLayerAtPosition(m_form.SelectedLayer);
    if (!layer || Index == layer->Thickness) {
        return;
    }
    const int old = layer->Thickness;
    layer->Thickness = Index;
    layer->Redraw = true;
    if (globals().ImmediateGraph) {
        m_form.Graph(Index < old);
    }
}

void LayerList::PopUp_AGNAVThickNum_Click(int Index)
{
    repaintLayerLists();
    if (!isBlock(m_form.SelectedLayer)) {
        return;
    }
    AGNAVBlock& block = agnavData().Blocks[size_t(m_form.SelectedLayer)];
    const int old = block.Thickness;
    if (Index == old) {
        return;
    }
    block.Thickness = Index;
    block.Redraw = true;
    if (globals().ImmediateGraph) {
        m_form.Graph(Index < old);
    }
}

void LayerList::PopUp_SHPBuffer_Click()
{
    repaintLayerLists();
    // The tick was set from the layer when the menu was prepared.
    const bool buffered = !m_form.PopUp_SHPBuffer->isChecked();
    m_form.PopUp_SHPBuffer->setChecked(buffered);
    GISLayer* layer = gisLayerAtPosition(m_form.SelectedLayer);
    if (!layer) {
        return;
    }
    const bool old = layer->Buffer;
    layer->Buffer = buffered;
    layer->Redraw = true;
    if (rowTicked(m_form.GISCheck, m_form.SelectedLayer) && globals().ImmediateGraph) {
        m_form.Graph(old && !buffered);
    }
}

void LayerList::PopUp_SHPZoneNum_Click(int Index)
{
    // The menu disables the zone items outside UTM mode; a layer in degrees
    // has no zone to be re-read in.
    if (!globals().UTMMode || Index == 3 || !m_form.PopUp_SHPZoneNum.exists(Index)) {
        return;
    }
    GISLayer* layer = gisLayerAtPosition(m_form.SelectedLayer);
    if (!layer) {
        return;
    }
    if (const QString missing = missingEllipsoidMessage(); !missing.isEmpty()) {
        MsgBox(missing, vbExclamation);
        return;
    }
    LayerData& layers = layerData();
    const int record = layers.GISOrder[size_t(m_form.SelectedLayer)];
    // All or nothing: a conversion that fails half-way gives the layer back as it was.
    const GISLayer before = *layer;
    try {
        const int chosen = CByte(m_form.PopUp_SHPZoneNum[Index].text());
        if (chosen < 1 || chosen > 60) {
            return;
        }
        const int mapZone = mapState().Zone;
        ConvertGISLayerCoords(record, chosen, 1);
        ConvertGISLayerCoords(record, mapZone, 2);
        GISLayer& moved = layers.GISLayers[size_t(record)];
        // Its numbers now lie in the map's zone; a later switch to degrees
        // converts them from there.
        moved.Zone = mapZone;
        // The layer moves on the map: the next redraw must wipe where it was.
        moved.Redraw = true;
        redrawState().LayerRemoved = true;
    } catch (const VbError& error) {
        layers.GISLayers[size_t(record)] = before;
        RecomputeGISExtents();
        showError(error);
    }
}

void LayerList::PopUp_SHPColor_Click()
{
    PickGISLayerColour(m_form.SelectedLayer);
}

void LayerList::PopUp_AGNAVColor_Click()
{
    PickAGNAVColour(m_form.SelectedLayer);
}

void LayerList::PopUp_SHPZoom_Click()
{
    repaintLayerLists();
    m_form.Toolbar->setEnabled(kPreviousExtentButton, true);
    m_form.ZoomToLayers(m_form.SelectedLayer, 1);
}

void LayerList::PopUp_AGNAVZoom_Click()
{
    repaintLayerLists();
    m_form.Toolbar->setEnabled(kPreviousExtentButton, true);
    m_form.ZoomToLayers(m_form.SelectedLayer, 2);
}

void LayerList::PopUp_ImageDel_Click()
{
    DeleteImage(m_form.SelectedLayer);
}

void LayerList::PopUp_SHPDel_Click()
{
    DeleteSHP(m_form.SelectedLayer);
}

void LayerList::PopUp_AGNAVDel_Click()
{
    // Refused, with its message, while this very block is being digitized in.
    DeleteAGNAV(m_form.SelectedLayer);
}

void LayerList::showLayerProperties(int kind)
{
    PropsForm& props = PropsForm::instance();
    props.FileType(kind, m_form.SelectedLayer);
    ShowModal(props);
    PropsForm::release();
}

void LayerList::PopUp_ImageProps_Click()
{
    showLayerProperties(kImageProperties);
}

void LayerList::PopUp_SHPProps_Click()
{
    showLayerProperties(kLayerProperties);
    // The dialog may have coloured the layer by its attributes.
    m_form.repaint();
    if (globals().ImmediateGraph) {
        m_form.Graph(false);
    }
}

void LayerList::PopUp_AGNAVProps_Click()
{
    showLayerProperties(kBlockProperties);
}

void LayerList::PopUp_Georef_Click()
{
    if (!globals().UTMMode) {
        MsgBox(
            QStringLiteral("At this time, georeferencing can only be\rperformed while in UTM coordinates."));
        return;
    }
    const LayerData& layers = layerData();
    if (m_form.SelectedLayer < 1 || m_form.SelectedLayer > layers.ImageCount
        || m_form.SelectedLayer >= int(layers.ImageOrder.size())) {
        return;
    }
    // The window works on the record, so it opens on the clicked row's
    // image even after the list was reordered.
    m_form.CurrentImage = layers.ImageOrder[size_t(m_form.SelectedLayer)];
    m_form.Frame1->repaint();
    m_form.ShowGeoReferencing();
}

void LayerList::AGCheckLabel_DblClick(int Index)
{
    if (!isBlock(Index)) {
        return;
    }
    const AGNAVBlock& block = agnavData().Blocks[size_t(Index)];
    if (!block.GuidanceLoaded && blockCompanionExists(block.Path, QStringLiteral("xyz"))) {
        m_form.PopUp_OpenGuidance_Click(Index);
    }
}

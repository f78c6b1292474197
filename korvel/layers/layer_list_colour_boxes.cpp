// The colour boxes of the GIS layer and block rows: a double click (or
// "Colour" in the row's pop-up menu) opens the colour dialog on the layer's
// colour; the chosen colour goes into the record and the box, and the map is
// redrawn when it changed. Cancel changes nothing.
#include "korvel/layers/colour_dialog.h"
#include "korvel/layers/layer_list.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"
#include "platform/vb_colors.h"
#include "platform/vb_error.h"

#include <QLabel>

namespace {

void setBackColour(QLabel* box, qint32 colour)
{
    if (!box) {
        return;
    }
    QPalette colours = box->palette();
    colours.setColor(QPalette::Window, toQColor(colour));
    box->setPalette(colours);
}

} // namespace

void LayerList::GISColorBox_DblClick(int Index)
{
    PickGISLayerColour(Index);
}

void LayerList::AGColorBox_DblClick(int Index)
{
    PickAGNAVColour(Index);
}

void LayerList::PickGISLayerColour(int Index)
{
    LayerData& layers = layerData();
    if (Index < 1 || Index > layers.GISCount || Index >= int(layers.GISOrder.size())) {
        return;
    }
    const int record = layers.GISOrder[size_t(Index)];
    if (record < 1 || record >= int(layers.GISLayers.size())) {
        return;
    }
    GISLayer& layer = layers.GISLayers[size_t(record)];
    if (layer.Colours.empty()) {
        layer.Colours.push_back(0);
    }
    const qint32 old = layer.Colours.front();
    // A failure of the dialog ends the picking without a word.
    try {
        const std::optional<qint32> choice = chooseColour(&m_form, old);
        if (!choice) {
            return;
        }
        const qint32 chosen = *choice;
        setBackColour(m_form.GISColorBox.at(Index), chosen);
        // Features of the layer's colour take the new one; features coloured
        // by a value class keep theirs.
        for (qint32& colour : layer.Colours) {
            if (colour == old) {
                colour = chosen;
            }
        }
        if (chosen != old) {
            layer.Redraw = true;
            if (globals().ImmediateGraph) {
                m_form.Graph(false);
            }
        }
    } catch (const VbError&) {
        return;
    }
}

void LayerList::PickAGNAVColour(int Index)
{
    AgnavData& agnav = agnavData();
    if (Index < 1 || Index > agnav.BlockCount || Index >= int(agnav.Blocks.size())) {
        return;
    }
    AGNAVBlock& block = agnav.Blocks[size_t(Index)];
    const qint32 old = block.Colour;
    try {
        const std::optional<qint32> choice = chooseColour(&m_form, old);
        if (!choice) {
            return;
        }
        block.Colour = *choice;
        setBackColour(m_form.AGColorBox.at(Index), block.Colour);
        if (block.Colour != old) {
            block.Redraw = true;
            if (globals().ImmediateGraph) {
                m_form.Graph(false);
            }
        }
    } catch (const VbError&) {
        return;
    }
}

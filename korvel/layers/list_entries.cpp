// The rows the loaders add to the "Loaded Files" list: each loader appends
// its record and raises the counts, then announces it here. Images, GIS
// layers and blocks get a row at the end of their group; a block's guidance
// lines, exclusion zones and flights get a sub-row among the block's own,
// which shifts the sub-rows after it, so their tick states move one element
// up with them. The rebuild then places and captions everything.
#include "korvel/layers/layer_list.h"
#include "korvel/map/busy_while.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/list_rows.h"

#include <QCheckBox>
#include <QLabel>

#include <algorithm>

namespace {

// Element `index` of the array, made from the template when missing.
template <class T> T& loaded(ControlArray<T>& array, int index)
{
    return array.exists(index) ? array[index] : array.load(index);
}

} // namespace

void LayerList::AddImageListEntry()
{
    const LayerData& layers = layerData();
    const int index = layers.ImageCount;
    if (index >= 1 && !m_form.ImageCheck.exists(index)) {
        QCheckBox& check = loaded(m_form.ImageCheck, index);
        loaded(m_form.ImageCheckLabel, index);
        // An image without a geo-reference cannot be shown: its row stays
        // unticked and disabled, as the template is.
        if (index < int(layers.Images.size()) && layers.Images[size_t(index)].Georeferenced) {
            check.setEnabled(true);
            check.setChecked(true);
        }
    }
    RefreshChecklist();
}

void LayerList::AddGISListEntry()
{
    const int index = layerData().GISCount;
    if (index >= 1 && !m_form.GISCheck.exists(index)) {
        QCheckBox& check = loaded(m_form.GISCheck, index);
        loaded(m_form.GISColorBox, index);
        loaded(m_form.GISCheckLabel, index);
        check.setChecked(true);
    }
    RefreshChecklist();
}

void LayerList::AddBlockListEntry()
{
    const int index = agnavData().BlockCount;
    if (index >= 1 && !m_form.AGCheck.exists(index)) {
        QCheckBox& check = loaded(m_form.AGCheck, index);
        loaded(m_form.AGColorBox, index);
        loaded(m_form.AGCheckLabel, index);
        check.setChecked(true);
    }
    RefreshChecklist();
}

void LayerList::AddFlightListEntry(int Block)
{
    if (Block >= 1 && Block <= agnavData().BlockCount) {
        const AGNAVBlock& block = agnavData().Blocks[size_t(Block)];
        // The new flight is counted already: it is the block's last sub-row.
        insertSubRow(subRowBase(Block) + blockSubRowCount(block));
    }
    RefreshChecklist();
}

void LayerList::AddGuidanceListEntry(int Block)
{
    if (Block >= 1 && Block <= agnavData().BlockCount) {
        insertSubRow(guidanceSubRow(Block));
    }
    RefreshChecklist();
}

void LayerList::AddExclusionListEntry(int Block)
{
    if (Block >= 1 && Block <= agnavData().BlockCount) {
        const AGNAVBlock& block = agnavData().Blocks[size_t(Block)];
        insertSubRow(subRowBase(Block) + (block.GuidanceLoaded ? 1 : 0) + 1);
    }
    RefreshChecklist();
}

void LayerList::insertSubRow(int position)
{
    // Only a sub-item the counts have and the rows lack is new; a second
    // announcement of the same one (another zone saved into a block that
    // has its exclusion row) only refreshes. A loader that counts a block's
    // guidance and zones before announcing either gets one row per call, so
    // each announced row is the one ticked.
    if (m_form.Check3.UBound() >= subRowTotal()) {
        return;
    }
    const int last = std::max(1, m_form.Check3.UBound() + 1);
    loaded(m_form.Check3, last);
    loaded(m_form.CheckLabel3, last);
    position = std::clamp(position, 1, last);
    {
        const BusyWhile quiet;
        for (int i = last; i > position; --i) {
            m_form.Check3[i].setChecked(m_form.Check3[i - 1].isChecked());
        }
    }
    // The new item is shown; its tick runs the handler as a user's would.
    m_form.Check3[position].setChecked(true);
}

// Ctrl + right click on a block's sub-row unloads that one item of the
// block, its guidance lines, its exclusion zones or one flight, while the
// block stays. Nothing on disk changes; the item can be loaded again from the
// block's pop-up menu. The sub-rows after it move up one place with their
// tick states, and the last sub-row element goes.
#include "korvel/layers/layer_list.h"
#include "korvel/map/busy_while.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/list_rows.h"
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/vb_input_codes.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>

#include <algorithm>

namespace {

// Takes the item out of the block and the program-wide counts; returns
// whether it was drawn at the last redraw.
bool unloadBlockItem(AGNAVBlock& block, const SubRowPlace& item)
{
    AgnavData& agnav = agnavData();
    bool drawn = false;
    switch (item.kind) {
    case SubRowKind::Guidance:
        drawn = block.Guidance.Visible;
        block.GuidanceLoaded = false;
        block.Guidance = GuidanceSet();
        agnav.GuidanceCount = std::max(0, agnav.GuidanceCount - 1);
        break;
    case SubRowKind::Exclusion:
        drawn = block.ExclusionVisible;
        block.ExclusionLoaded = false;
        block.ExclusionVisible = false;
        block.ExclusionZoneCount = 0;
        block.ExclusionZones.assign(1, ShapeRecord());
        block.ExclusionAreas.assign(1, 0.0);
        agnav.ExclusionCount = std::max(0, agnav.ExclusionCount - 1);
        break;
    case SubRowKind::Flight:
        if (item.flight < 1 || item.flight > block.FlightCount || item.flight >= int(block.Flights.size())) {
            return false;
        }
        drawn = block.Flights[size_t(item.flight)].Visible;
        block.Flights.erase(block.Flights.begin() + item.flight);
        --block.FlightCount;
        agnav.FlightCount = std::max(0, agnav.FlightCount - 1);
        break;
    }
    return drawn;
}

} // namespace

void LayerList::CheckLabel3_MouseDown(int Index, int Button, int Shift, float X, float Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    if (Button != vbRightButton || Shift != vbCtrlMask) {
        return;
    }
    const SubRowPlace item = locateSubRow(Index);
    if (item.block == 0) {
        return;
    }
    const int rowsBefore = subRowTotal();
    bool drawn = false;
    {
        const BusyWhile quiet;
        drawn = unloadBlockItem(agnavData().Blocks[size_t(item.block)], item);
        // The rows after it take the places up with their ticks; the last
        // element goes, since the rebuild sets every caption again.
        for (int i = Index; i < rowsBefore; ++i) {
            if (QCheckBox* check = m_form.Check3.at(i); check && m_form.Check3.exists(i + 1)) {
                check->setChecked(m_form.Check3[i + 1].isChecked());
            }
        }
        removeSubRowControls(rowsBefore, 1);
    }
    if (drawn) {
        redrawState().LayerRemoved = true;
    }
    RefreshChecklist();
    if (drawn && globals().ImmediateGraph) {
        m_form.Graph(true);
    }
    // The optimization overlay follows the items that remain.
    if (m_form.Tools_Optimize->isChecked()) {
        m_form.Optimize(m_form.CurrentMet);
    }
}

void LayerList::removeSubRowControls(int last, int count)
{
    for (int k = last; k > last - count && k >= 1; --k) {
        if (m_form.CheckLabel3.exists(k)) {
            m_form.CheckLabel3.unload(k);
        }
        if (m_form.Check3.exists(k)) {
            m_form.Check3.unload(k);
        }
    }
}

#include "korvel/layers/row_drop.h"

#include "korvel/layers/layer_popup_menus.h"
#include "korvel/layers/layer_removal.h"
#include "korvel/layers/row_label_colours.h"
#include "korvel/map/busy_while.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/row_ticks.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"

#include <QCheckBox>
#include <QLabel>

#include <algorithm>

namespace {

// Moves list entry `from` to `to` with its tick; returns the record to
// repaint, 0 when nothing moved.
int reorderRows(ControlArray<QCheckBox>& checks, std::vector<int>& order, int from, int to)
{
    // The ticks move exactly as the order entries do.
    std::vector<int> ticks(order.size(), 0);
    for (int i = 1; i < int(ticks.size()); ++i) {
        ticks[size_t(i)] = rowTicked(checks, i) ? 1 : 0;
    }
    const int repaint = moveOrderEntry(order, from, to);
    if (repaint == 0) {
        return 0;
    }
    moveOrderEntry(ticks, from, to);
    // The caller redraws once, when every tick has its new place.
    const BusyWhile quiet;
    for (int i = std::min(from, to); i <= std::max(from, to); ++i) {
        if (QCheckBox* check = checks.at(i)) {
            check->setChecked(ticks[size_t(i)] == 1);
        }
    }
    return repaint;
}

template <class Records> void markForRedraw(Records& records, int record)
{
    if (record >= 1 && record < int(records.size())) {
        records[size_t(record)].Redraw = true;
    }
}

} // namespace

void dropListRow(MainForm& main, ControlArray<QLabel>& labels, ControlArray<QCheckBox>& checks,
    std::vector<int>& order, int index, QWidget* source, LayerKind kind)
{
    // A label of the other group is not one of this array's: indexOf is -1.
    const int from = labels.indexOf(qobject_cast<QLabel*>(source));
    if (from < 1 || from == index || !labels.exists(index)) {
        return;
    }
    setRowCaptionColour(labels[index], RowCaptionBlack);
    const int repaint = reorderRows(checks, order, from, index);
    if (repaint == 0) {
        return;
    }
    LayerData& layers = layerData();
    if (kind == LayerKind::Image) {
        markForRedraw(layers.Images, repaint);
    } else {
        markForRedraw(layers.GISLayers, repaint);
    }
    main.RefreshChecklist();
    if (globals().ImmediateGraph) {
        main.Graph(false);
    }
}

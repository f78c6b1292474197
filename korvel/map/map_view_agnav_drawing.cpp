// The AG-NAV blocks on the main window's map: the block drawing reads which
// of the list's rows are ticked from the rows' tick boxes.
#include "korvel/map/agnav_drawing.h"
#include "korvel/map/map_view.h"
#include "korvel/shell/main_form.h"
#include "platform/picture_box.h"

#include <QCheckBox>

void MapView::DrawAGNAVBlock(int& FirstBlock)
{
    // Only a box whose value is exactly 1 counts: a greyed box is not ticked.
    const auto ticked = [](const ControlArray<QCheckBox>& rows, int index) {
        const QCheckBox* row = rows.at(index);
        return row && row->checkState() == Qt::Checked;
    };
    const BlockRowTicks ticks { [&](int block) { return ticked(m_form.AGCheck, block); },
        [&](int row) { return ticked(m_form.Check3, row); } };
    ::DrawAGNAVBlock(FirstBlock, *m_form.Picture1, ticks);
}

// The AG-NAV blocks on the main window's map: the block drawing reads which
// of the list's rows are ticked from the rows' tick boxes.
#include "korvel/map/agnav_drawing.h"
#include "korvel/map/map_view.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/row_ticks.h"
#include "platform/picture_box.h"

#include <QCheckBox>

void MapView::DrawAGNAVBlock(int& FirstBlock)
{
    const BlockRowTicks ticks { [&](int block) { return rowTicked(m_form.AGCheck, block); },
        [&](int row) { return rowTicked(m_form.Check3, row); } };
    ::DrawAGNAVBlock(FirstBlock, *m_form.Picture1, ticks);
}

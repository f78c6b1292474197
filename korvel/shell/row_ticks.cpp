#include "korvel/shell/row_ticks.h"

#include <QCheckBox>

bool rowTicked(const ControlArray<QCheckBox>& rows, int index)
{
    const QCheckBox* row = rows.at(index);
    return row && row->checkState() == Qt::Checked;
}

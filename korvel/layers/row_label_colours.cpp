#include "korvel/layers/row_label_colours.h"

#include "platform/control_drag.h"
#include "platform/vb_colors.h"

#include <QLabel>

void setRowCaptionColour(QLabel& label, int paletteNumber)
{
    QPalette colours = label.palette();
    colours.setColor(QPalette::WindowText, toQColor(QBColor(paletteNumber)));
    label.setPalette(colours);
}

void highlightDragTarget(ControlArray<QLabel>& labels, int count, int index, QWidget* source, int state)
{
    auto* dragged = qobject_cast<QLabel*>(source);
    QLabel* target = labels.at(index);
    if (!dragged || labels.indexOf(dragged) < 1 || !target) {
        return;
    }
    for (int i = 1; i <= count; ++i) {
        if (QLabel* label = labels.at(i)) {
            setRowCaptionColour(*label, RowCaptionBlack);
        }
    }
    setRowCaptionColour(*target, RowCaptionLightBlue);
    setRowCaptionColour(*dragged, RowCaptionBlack);
    if (state == vbLeave) {
        setRowCaptionColour(*target, RowCaptionBlack);
    }
}

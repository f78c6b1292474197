#include "korvel/layers/colour_dialog.h"

#include "platform/common_dialog.h"

std::optional<qint32> chooseColour(QWidget* owner, qint32 start)
{
    CommonDialog dialog(owner);
    dialog.Flags = cdlCCRGBInit | cdlCCFullOpen | cdlCCPreventFullOpen;
    dialog.Color = start;
    if (!dialog.ShowColor()) {
        return std::nullopt;
    }
    return qint32(dialog.Color);
}

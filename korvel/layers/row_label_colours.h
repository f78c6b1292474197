#pragma once
// The colours of the row captions of the layer lists (the main one and its
// floating twin): black is the plain colour; light blue marks the label under
// a drag and the label whose pop-up menu is open; red marks an image without
// a geo-reference. The rebuild sets the final colours whenever it runs.
#include "platform/control_array.h"

class QLabel;
class QWidget;

inline constexpr int RowCaptionBlack = 0; // palette numbers (QBColor)
inline constexpr int RowCaptionLightBlue = 9;
inline constexpr int RowCaptionRed = 4;

void setRowCaptionColour(QLabel& label, int paletteNumber);

// A label of `labels` dragged over label `index` of the same array: it
// alone is light blue, the dragged label itself never; when the drag leaves
// it (state vbLeave) it turns black again. A source of another array
// changes nothing.
void highlightDragTarget(ControlArray<QLabel>& labels, int count, int index, QWidget* source, int state);

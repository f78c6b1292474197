#pragma once
// Whether a row of the "Loaded Files" list is ticked, read from its box.
#include "platform/control_array.h"

class QCheckBox;

// True when row `index` exists and its box is ticked; a clear or greyed box
// is not.
bool rowTicked(const ControlArray<QCheckBox>& rows, int index);

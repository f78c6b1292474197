#pragma once
// "Go To Time" of the meteorology window: the record a selection on the
// graphs' time axis stands for.
#include "korvel/met/met_data.h"

struct MetSelection
{
    int record = 0; // 0: the selection lies after the last record
    bool moveLine = false; // the selection snaps to the record's time
    double lineX = 0.0;
};

// With s the selection rounded to whole seconds (Int(x + 0.5)): the first
// record whose ElapsedTime is s, the selection staying where it is, else the
// first one later than s, the selection moving to it.
MetSelection metSelectionAt(const MetFile& file, double selectionX);

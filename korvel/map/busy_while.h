#pragma once
// Keeps the redraw's Busy flag set for a scope and puts back the value it
// had. Code that moves the tick states of many rows sets it, so that the
// rows' tick handlers, which each run as the value changes, do not start a
// redraw for every row; the caller redraws once afterwards.
#include "korvel/workspace/redraw_state.h"

class BusyWhile
{
public:
    BusyWhile()
        : m_before(redrawState().Busy)
    {
        redrawState().Busy = true;
    }
    ~BusyWhile() { redrawState().Busy = m_before; }
    BusyWhile(const BusyWhile&) = delete;
    BusyWhile& operator=(const BusyWhile&) = delete;

private:
    bool m_before;
};

#include "korvel/workspace/redraw_state.h"

namespace {
RedrawState g_redraw;
}

RedrawState& redrawState()
{
    return g_redraw;
}

void resetRedrawState()
{
    g_redraw = RedrawState();
}

void pollDrawingInput()
{
    if (g_redraw.pollInput) {
        g_redraw.pollInput();
    }
}

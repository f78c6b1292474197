#pragma once
// The program-wide flags of the map redraw. Busy is set while a loader or
// the redraw runs, so the layer list's tick handlers do not start a redraw of
// their own; CancelDrawing is set by Escape during a redraw and stops the
// layer loops at their next check; LayerRemoved makes the next redraw clear
// the picture and start from the bottom, because something drawn went away.
//
// A long redraw runs on the user-interface thread without returning to the
// event loop. pollDrawingInput() lets the main window look at the keyboard
// now and then meanwhile (for Escape only); drawing code calls it between
// features.
#include <functional>

struct RedrawState
{
    bool Busy = false;
    bool CancelDrawing = false;
    bool LayerRemoved = false;
    // Installed by the main window for the length of a redraw.
    std::function<void()> pollInput;
};

RedrawState& redrawState();
void resetRedrawState();

// Calls the installed poll, if any. Cheap enough to call every few hundred
// features: the poll itself decides whether enough time has passed.
void pollDrawingInput();

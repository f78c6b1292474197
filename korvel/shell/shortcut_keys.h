#pragma once
// What a key pressed in the main window (or passed on by a floating tool
// window) asks for, decided without a window so the rules can be checked on
// their own. The modifier mask must match exactly where a shortcut names
// one: Ctrl+Tab is a shortcut, Ctrl+Shift+Tab and Ctrl+Alt+Tab are not. F11,
// Enter and Escape act whatever modifiers are held.
enum class ShortcutAction {
    None,
    FocusFloatingWindow, // Ctrl+Tab: the floating layer list, else the zoom window
    LayerList, // Ctrl+1 in Map Mode: open the floating layer list or focus it
    ZoomWindow, // Ctrl+2 in Map Mode: open the zoom window or focus it
    ConfirmExtent, // Enter: apply the typed extent
    SwitchViewMode, // F11: Map Mode <-> Cluttered Mode
    Cancel, // Escape: the cascade of escapeAction()
};

ShortcutAction shortcutAction(int keyCode, int shift, bool mapMode);

// What Escape ends, in the order it looks: the typed extent first, then,
// when nothing is being drawn, the first tool that is on, else the program.
struct EscapeState
{
    bool customZoomPressed = false; // "Custom Zoom" of the main toolbar is down
    bool busy = false; // a redraw or list rebuild is running
    bool ruler = false;
    bool digitizeBoundary = false;
    bool digitizeGuidance = false;
    bool digitizeExclusion = false;
};

enum class EscapeAction {
    DiscardTypedExtent,
    CancelDrawing,
    RulerOff,
    DropBoundary,
    CancelGuidance,
    DropExclusionZone,
    AskToQuit,
};

EscapeAction escapeAction(const EscapeState& state);

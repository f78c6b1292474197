#include "korvel/shell/shortcut_keys.h"

#include "platform/vb_input_codes.h"

namespace {

constexpr int vbKey1 = 49;
constexpr int vbKey2 = 50;

} // namespace

ShortcutAction shortcutAction(int keyCode, int shift, bool mapMode)
{
    const bool ctrlAlone = shift == vbCtrlMask;
    if (keyCode == vbKeyTab && ctrlAlone) {
        return ShortcutAction::FocusFloatingWindow;
    }
    // The floating windows exist only in Map Mode: Ctrl+1 and Ctrl+2 do
    // nothing in Cluttered Mode.
    if (keyCode == vbKey1 && ctrlAlone && mapMode) {
        return ShortcutAction::LayerList;
    }
    if (keyCode == vbKey2 && ctrlAlone && mapMode) {
        return ShortcutAction::ZoomWindow;
    }
    switch (keyCode) {
    case vbKeyReturn:
        return ShortcutAction::ConfirmExtent;
    case vbKeyF11:
        return ShortcutAction::SwitchViewMode;
    case vbKeyEscape:
        return ShortcutAction::Cancel;
    default:
        return ShortcutAction::None;
    }
}

EscapeAction escapeAction(const EscapeState& state)
{
    if (state.customZoomPressed) {
        return EscapeAction::DiscardTypedExtent;
    }
    // During a redraw Escape only stops the drawing: ending a tool or asking
    // to quit under a running loop would pull its data away.
    if (state.busy) {
        return EscapeAction::CancelDrawing;
    }
    if (state.ruler) {
        return EscapeAction::RulerOff;
    }
    if (state.digitizeBoundary) {
        return EscapeAction::DropBoundary;
    }
    if (state.digitizeGuidance) {
        return EscapeAction::CancelGuidance;
    }
    if (state.digitizeExclusion) {
        return EscapeAction::DropExclusionZone;
    }
    return EscapeAction::AskToQuit;
}

// What each key of the main window asks for (exact modifier masks, the view
// mode) and the order of the Escape cascade.
#include "korvel/shell/shortcut_keys.h"

#include <gtest/gtest.h>

namespace {

constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;

struct KeyCase
{
    const char* name;
    int keyCode;
    int shift;
    bool mapMode;
    ShortcutAction action;
};

const KeyCase kKeys[] = {
    { "Ctrl+Tab", 9, kCtrl, false, ShortcutAction::FocusFloatingWindow },
    { "Ctrl+Shift+Tab is no shortcut", 9, kCtrl | kShift, true, ShortcutAction::None },
    { "Tab alone", 9, 0, true, ShortcutAction::None },
    { "Ctrl+1 in Map Mode", 49, kCtrl, true, ShortcutAction::LayerList },
    { "Ctrl+1 in Cluttered Mode", 49, kCtrl, false, ShortcutAction::None },
    { "Ctrl+Alt+1", 49, kCtrl | kAlt, true, ShortcutAction::None },
    { "Ctrl+2 in Map Mode", 50, kCtrl, true, ShortcutAction::ZoomWindow },
    { "Ctrl+2 in Cluttered Mode", 50, kCtrl, false, ShortcutAction::None },
    { "Enter with any modifier", 13, kShift | kCtrl, false, ShortcutAction::ConfirmExtent },
    { "F11", 122, 0, true, ShortcutAction::SwitchViewMode },
    { "Shift+F11 switches too", 122, kShift, false, ShortcutAction::SwitchViewMode },
    { "Escape with Alt", 27, kAlt, false, ShortcutAction::Cancel },
    { "a letter", 65, kCtrl, true, ShortcutAction::None },
};

struct EscapeCase
{
    const char* name;
    EscapeState state;
    EscapeAction action;
};

// Fields: customZoomPressed, busy, ruler, boundary, guidance, exclusion.
const EscapeCase kEscapes[] = {
    { "typed extent before everything", { true, true, true, true, false, false },
        EscapeAction::DiscardTypedExtent },
    { "a running redraw is only stopped", { false, true, true, false, false, false },
        EscapeAction::CancelDrawing },
    { "ruler before a boundary", { false, false, true, true, false, false }, EscapeAction::RulerOff },
    { "boundary", { false, false, false, true, false, false }, EscapeAction::DropBoundary },
    { "guidance", { false, false, false, false, true, false }, EscapeAction::CancelGuidance },
    { "exclusion zone", { false, false, false, false, false, true }, EscapeAction::DropExclusionZone },
    { "nothing on", {}, EscapeAction::AskToQuit },
};

} // namespace

TEST(ShortcutKeys, ModifierMasksMustMatchExactlyAndWindowKeysNeedMapMode)
{
    for (const KeyCase& key : kKeys) {
        EXPECT_EQ(shortcutAction(key.keyCode, key.shift, key.mapMode), key.action) << key.name;
    }
}

TEST(ShortcutKeys, EscapeEndsTheFirstThingInItsOrder)
{
    for (const EscapeCase& escape : kEscapes) {
        EXPECT_EQ(escapeAction(escape.state), escape.action) << escape.name;
    }
}

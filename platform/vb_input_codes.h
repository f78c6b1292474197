#pragma once
// The runtime's numbers for keys, modifier keys and mouse buttons, which the
// event procedures compare with: KeyCode is the Windows virtual-key code
// (Tab 9, Enter 13, Escape 27, "1" 49, "A" 65, F1 112 ... F11 122), Shift the
// mask 1 Shift, 2 Ctrl, 4 Alt, Button 1 left, 2 right, 4 middle.
#include <Qt>

class QKeyEvent;

inline constexpr int vbShiftMask = 1;
inline constexpr int vbCtrlMask = 2;
inline constexpr int vbAltMask = 4;

inline constexpr int vbLeftButton = 1;
inline constexpr int vbRightButton = 2;
inline constexpr int vbMiddleButton = 4;

inline constexpr int vbKeyTab = 9;
inline constexpr int vbKeyReturn = 13;
inline constexpr int vbKeyEscape = 27;
inline constexpr int vbKeyPageUp = 33;
inline constexpr int vbKeyPageDown = 34;
inline constexpr int vbKeyUp = 38;
inline constexpr int vbKeyDown = 40;
inline constexpr int vbKeyAdd = 107; // the numeric pad's +
inline constexpr int vbKeySubtract = 109; // the numeric pad's -
inline constexpr int vbKeyF1 = 112;
inline constexpr int vbKeyF11 = 122;

// The virtual-key code of a key press, 0 for keys Windows has no code for.
// A digit or letter keeps its key's code whatever the modifiers (Shift+1 is
// still 49, not "!"), as the keyboard's key, not the character, counts;
// Shift+Tab (which Qt reports as Backtab) is Tab with Shift. The numeric
// pad's + and - have codes of their own (vbKeyAdd, vbKeySubtract), which only
// a key event can tell from the keyboard's.
int vbKeyCode(const QKeyEvent& event);
int vbKeyCode(int qtKey);
int vbShift(Qt::KeyboardModifiers modifiers);
// The shift mask of a key event; Backtab is always Tab with Shift, even
// where the window system leaves Shift out of its modifiers.
int vbShift(const QKeyEvent& event);
// The button that changed; several pressed together add up.
int vbButton(Qt::MouseButtons buttons);

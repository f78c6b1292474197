#include "platform/vb_input_codes.h"

#include <QKeyEvent>

namespace {

// The shifted characters of the digit row of a US keyboard, in the order of
// the digits 0 to 9, which Qt reports instead of the digit with Shift held.
constexpr char kShiftedDigits[] = ")!@#$%^&*(";

int digitUnderShift(int qtKey)
{
    for (int digit = 0; digit < 10; ++digit) {
        if (qtKey == kShiftedDigits[digit]) {
            return '0' + digit;
        }
    }
    return 0;
}

} // namespace

int vbKeyCode(int qtKey)
{
    if ((qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) || (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)) {
        return qtKey; // Qt's codes of digits and capital letters are the ASCII ones, as Windows'
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) {
        return vbKeyF1 + (qtKey - Qt::Key_F1);
    }
    switch (qtKey) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return vbKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return vbKeyReturn;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Pause:
        return 19;
    case Qt::Key_CapsLock:
        return 20;
    case Qt::Key_Escape:
        return vbKeyEscape;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    }
    return digitUnderShift(qtKey);
}

int vbKeyCode(const QKeyEvent& event)
{
    if (event.modifiers() & Qt::KeypadModifier) {
        if (event.key() == Qt::Key_Plus) {
            return vbKeyAdd;
        }
        if (event.key() == Qt::Key_Minus) {
            return vbKeySubtract;
        }
    }
    return vbKeyCode(event.key());
}

int vbShift(Qt::KeyboardModifiers modifiers)
{
    int shift = 0;
    if (modifiers & Qt::ShiftModifier) {
        shift |= vbShiftMask;
    }
    if (modifiers & Qt::ControlModifier) {
        shift |= vbCtrlMask;
    }
    if (modifiers & Qt::AltModifier) {
        shift |= vbAltMask;
    }
    return shift;
}

int vbShift(const QKeyEvent& event)
{
    const int shift = vbShift(event.modifiers());
    return event.key() == Qt::Key_Backtab ? shift | vbShiftMask : shift;
}

int vbButton(Qt::MouseButtons buttons)
{
    int button = 0;
    if (buttons & Qt::LeftButton) {
        button |= vbLeftButton;
    }
    if (buttons & Qt::RightButton) {
        button |= vbRightButton;
    }
    if (buttons & Qt::MiddleButton) {
        button |= vbMiddleButton;
    }
    return button;
}

#pragma once
// A press on a scroll bar's arrow or track, or on a slider, repeats its step
// until the mouse button is released. While a modal window (a message box, a
// dialog) blocks the control's window, the release goes nowhere: the box
// takes the input, and the control would step on until the user came back
// and clicked it again, each step running its change procedure. So a control
// watched here lets go of its press as soon as its window is blocked, as if
// the button had been released there.
//
// Qt tells each top-level window that a modal window blocks it
// (QEvent::WindowBlocked), and every widget passes the event on to its
// children, so the control hears it whichever window holds it.
class QAbstractSlider;

void letGoWhenBlocked(QAbstractSlider& control);

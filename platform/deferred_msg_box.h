#pragma once
// A message asked for while a control changes (a spin's, a slider's or a
// typed field's change procedure) opens once the event that changed it has
// been handled. A modal box opened inside the change would take the input
// the control is still in the middle of: the release of a press on a spin's
// arrow would never reach the spin, which then steps on and on, asking for
// a box at every step.
//
// At most one such message waits or is open at a time, so one action of the
// user is told once: one asked for while another waits takes its place (it
// tells the state the action ended in), one asked for while the box is open
// is dropped. The message waits on a timer, so a redraw that lets the event
// loop run for repaints, and keeps timers waiting, never opens it half way.
// It opens through MsgBox, and the scripted box of the tests records it once
// events are processed.
#include "platform/msg_box.h"

#include <QString>

void showMsgBoxAfterEvent(const QString& prompt, int buttons = vbOKOnly, const QString& title = QString());

// The prompt of the message waiting to open; empty when none waits.
QString waitingMsgBoxPrompt();

// Forgets a waiting message (the tests' reset between cases).
void resetDeferredMsgBox();

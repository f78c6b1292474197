// The main window's keyboard: Form_KeyDown is its one shortcut handler,
// which the window's key preview and the floating tool windows call.
#include "korvel/shell/main_form.h"

void MainForm::Form_KeyDown(int KeyCode, int Shift)
{
    // The shortcuts (the floating windows' focus keys, Enter and Escape for
    // the typed extent and the tools, F11 for the view modes) come with the
    // keyboard work.
    Q_UNUSED(KeyCode);
    Q_UNUSED(Shift);
}

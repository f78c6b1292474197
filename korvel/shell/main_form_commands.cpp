// Commands of other subsystems that the main window's own procedures call.
// Each subsystem writes the body of its command here when it is built; until
// then the call does nothing.
#include "korvel/shell/main_form.h"

void MainForm::File_SaveSession_Click()
{
    // The session work: the "Save KORVEL session" dialog and the session file.
}

void MainForm::ShowPreferences(int StartTab)
{
    // The preferences work: set PrefForm.StartTab and show the dialog modally.
    Q_UNUSED(StartTab);
}

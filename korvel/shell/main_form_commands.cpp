// Commands of other subsystems that the main window's own procedures call.
// Each subsystem writes the body of its command here when it is built. Until
// then a command the user starts says plainly that it is not there, rather
// than doing nothing; the procedures other code calls do nothing.
#include "korvel/shell/main_form.h"
#include "korvel/shell/program_globals.h"

void MainForm::Optimize(int& MetIndex)
{
    // The meteorology work: the optimization overlay of the met file.
    Q_UNUSED(MetIndex);
}

void MainForm::CloseMet_Click()
{
    // The meteorology work: stops the playback, closes the panel and empties
    // the met files. Until then only the flag is cleared.
    globals().MetLoaded = false;
}

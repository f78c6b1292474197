// Commands of other subsystems that the main window's own procedures call.
// Each subsystem writes the body of its command here when it is built. Until
// then a command the user starts says plainly that it is not there, rather
// than doing nothing; the procedures other code calls do nothing.
#include "korvel/shell/main_form.h"
#include "platform/msg_box.h"

namespace {

void notAvailable(const QString& what)
{
    MsgBox(what + QStringLiteral(" is not available in this version of KORVEL."), vbInformation);
}

} // namespace

void MainForm::File_SaveSession_Click()
{
    // The session work: the "Save KORVEL session" dialog and the session file.
    notAvailable(QStringLiteral("Saving a session"));
}

void MainForm::ShowPreferences(int StartTab)
{
    // The preferences work: set PrefForm.StartTab and show the dialog modally.
    Q_UNUSED(StartTab);
    notAvailable(QStringLiteral("The preferences dialog"));
}

void MainForm::LoadSession(const QString& Path)
{
    // The session work: reopens the files, the extent and the ticks of a session.
    Q_UNUSED(Path);
    notAvailable(QStringLiteral("Loading a session"));
}

void MainForm::File_LoadSession_Click()
{
    // The session work: the "Open KORVEL session" dialog, then LoadSession.
    notAvailable(QStringLiteral("Loading a session"));
}

// Commands of other subsystems that the main window's own procedures call.
// Each subsystem writes the body of its command here when it is built. Until
// then a command the user starts says plainly that it is not there, rather
// than doing nothing; the procedures other code calls do nothing.
#include "korvel/shell/main_form.h"
#include "korvel/shell/program_globals.h"
#include "platform/msg_box.h"

namespace {

void notAvailable(const QString& what)
{
    MsgBox(what + QStringLiteral(" is not available in this version of KORVEL."), vbInformation);
}

} // namespace

void MainForm::RefreshBlockLines(QWidget& OptionsForm)
{
    // The guidance work: marks the chosen boundary edge.
    Q_UNUSED(OptionsForm);
}

void MainForm::FitGuidanceLines()
{
    // The guidance work: draws the guidance lines being created.
}

void MainForm::Optimize(int& MetIndex)
{
    // The meteorology work: the optimization overlay of the met file.
    Q_UNUSED(MetIndex);
}

void MainForm::GuidanceCancel_Click()
{
    // The guidance work: hides the guidance panel, unticks its Tools menu
    // item and sets SelectedBlock to 0.
}

void MainForm::CloseMet_Click()
{
    // The meteorology work: stops the playback, closes the panel and empties
    // the met files. Until then only the flag is cleared.
    globals().MetLoaded = false;
}

void MainForm::StartGuidanceCreation()
{
    // The guidance work: chooses the block (SelectionForm, blocks, shown only
    // when several are loaded), sets SelectedBlock and begins the creation
    // (BeginGuidanceCreation with it).
    notAvailable(QStringLiteral("Creating guidance lines"));
}

void MainForm::BeginGuidanceCreation(int Block)
{
    // The guidance work: sets SelectedBlock to Block, ticks
    // Tools_DigitizeGuidance and shows the guidance panel.
    Q_UNUSED(Block);
    notAvailable(QStringLiteral("Creating guidance lines"));
}

// Commands of other subsystems that the main window's own procedures call.
// Each subsystem writes the body of its command here when it is built; until
// then the call does nothing.
#include "korvel/shell/main_form.h"
#include "korvel/shell/program_globals.h"

void MainForm::File_SaveSession_Click()
{
    // The session work: the "Save KORVEL session" dialog and the session file.
}

void MainForm::ShowPreferences(int StartTab)
{
    // The preferences work: set PrefForm.StartTab and show the dialog modally.
    Q_UNUSED(StartTab);
}

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

void MainForm::LoadSession(const QString& Path)
{
    // The session work: reopens the files, the extent and the ticks of a session.
    Q_UNUSED(Path);
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

bool MainForm::GISShiftPreviewShown() const
{
    // The map tools work: true while the GIS shift tool shows its outline.
    return false;
}

void MainForm::HideGISShiftPanel()
{
    // The map tools work: removes the shift outline and hides the tool.
}

void MainForm::ShowGeoRefForm()
{
    // The geo-referencing work: GeoRefForm shown modally on Images(CurrentImage),
    // unloaded and released when it closes.
}

void MainForm::StartGuidanceLineCreation(int Block)
{
    // The guidance work: sets SelectedBlock to Block, ticks
    // Tools_DigitizeGuidance and shows the guidance panel.
    Q_UNUSED(Block);
}

void MainForm::Tools_DigitizeExclusion_Click()
{
    // The digitizing work: starts exclusion-zone digitizing in SelectedBlock
    // and ticks Tools_DigitizeExclusion.
}

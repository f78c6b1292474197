// Spray data on the main window: the dialog that picks a block's flight
// logs, the check before a log is loaded, and the loading of one log with
// its list row. A log without flow data needs the aircraft's calibrated
// speed, which the user is asked for with the floating tool windows put
// behind the main window.
#include "korvel/agnav/agnav_command_support.h"
#include "korvel/agnav/agnav_commands.h"
#include "korvel/agnav/flight_file.h"
#include "korvel/agnav/flight_log_format.h"
#include "korvel/map/busy_while.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/folder_refusal.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/open_files_dialog.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/program_globals.h"
#include "platform/file_helpers.h"
#include "platform/msg_box.h"
#include "platform/vb_error.h"

#include <QGroupBox>

void AgnavCommands::OpenFlightFiles(int Block)
{
    if (Block < 1 || Block > agnavData().BlockCount) {
        return;
    }
    const QStringList paths = chooseFilesToOpen(&m_form, blockAt(Block).DataFolder,
        QStringLiteral("AGNAV Flight Files (N*.T*)|N???????.T??|All Files (*.*)|*.*"),
        QStringLiteral("Open AGNAV Spray Data"));
    if (paths.isEmpty()) {
        return;
    }
    m_form.repaint();
    const BusyWhile busy;
    for (const QString& path : paths) {
        // A failure ends the whole command: the logs after it stay
        // unloaded and the map is not redrawn.
        if (CheckFlightFileOpen(path) && !LoadFlightFile(Block, path)) {
            return;
        }
        m_form.Frame1->repaint();
    }
    if (globals().ImmediateGraph) {
        m_form.Graph(false);
    }
}

bool AgnavCommands::CheckFlightFileOpen(const QString& Path)
{
    if (flightPathLoaded(Path)) {
        MsgBox(Path + QStringLiteral("\r\ris already open."));
        return false;
    }
    return !refuseFolder(Path) && FileExists(Path);
}

bool AgnavCommands::LoadFlightFile(int Block, const QString& Path)
{
    if (Block < 1 || Block > agnavData().BlockCount) {
        return false;
    }
    try {
        int flight = 0;
        const AgnavOutcome outcome = ::LoadFlightFile(
            Block, Path, [this] { return askCalibratedSpeed(); }, &flight);
        if (outcome.isCancelled()) {
            return true; // the user abandoned this log; nothing was added
        }
        if (!outcome.isDone()) {
            MsgBox(outcome.message());
            return false;
        }
        blockAt(Block).Flights[std::size_t(flight)].CaptionTrim = m_form.FitListCaption(Path, true);
        m_form.AddFlightListEntry(Block);
    } catch (const VbError& error) {
        MsgBox(QStringLiteral("KORVEL encountered the following error:\r") + error.Description());
        return false;
    }
    return true;
}

std::optional<int> AgnavCommands::askCalibratedSpeed()
{
    const bool metric = globals().MetricSystem;
    QString& last = agnavData().LastCalibratedSpeed;
    std::optional<int> speed;
    ReleaseFloatingWindows();
    // Asked again until the answer is a speed; Cancel (no answer) ends it.
    for (;;) {
        const QString answer = InputBox(calibratedSpeedPrompt(metric), QString(), last);
        if (answer.isEmpty()) {
            break;
        }
        speed = calibratedSpeedFromAnswer(answer, metric);
        if (speed) {
            last = answer;
            break;
        }
    }
    RestoreFloatingWindows();
    return speed;
}

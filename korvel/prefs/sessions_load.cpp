// File > Load Session and the reload of a session file into the empty
// workspace, which the command line uses too. The reload goes in three
// phases:
//
// 1. The file is read whole (session_file.h); a damaged file is refused
//    before anything changes. The coordinate mode is taken at once; each
//    listed file that is gone is asked about (session_rows.h): OK leaves it
//    out, Cancel empties the workspace and stops. Then the zone and
//    hemisphere are taken.
// 2. The session's ellipsoid becomes the one in use when the table has it;
//    otherwise the user may go on with the current one or stop.
// 3. The entries are loaded one by one through the same checks and loaders
//    as the File menu, with LoadingSession and Busy set, so that they take
//    the session's colours, leave the zone alone and do not redraw; each
//    GIS layer opens in the zone the session kept for it. Then the
//    extent and the ticks are put back and the map is drawn once.
//
// An entry whose check or loader refuses it is left out (its loader said
// why), and so are its tick states.
#include "korvel/prefs/session_file.h"
#include "korvel/prefs/session_messages.h"
#include "korvel/prefs/session_reload.h"
#include "korvel/prefs/session_rows.h"
#include "korvel/prefs/sessions.h"
#include "korvel/shell/folder_refusal.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/common_dialog.h"
#include "platform/file_helpers.h"
#include "platform/msg_box.h"
#include "platform/status_bar.h"

#include <QAction>
#include <QCheckBox>

namespace {

bool workspaceEmpty()
{
    return layerData().ImageCount == 0 && layerData().GISCount == 0 && agnavData().BlockCount == 0;
}

void showError(const QString& description)
{
    MsgBox(QStringLiteral("Error: ") + description, vbExclamation);
}

// The session's ellipsoid made the one in use (the first row of its name);
// false when the table lacks it and the user will not go on with the current one.
bool takeSessionEllipsoid(MainForm& form, const QString& name)
{
    ProgramGlobals& program = globals();
    if (program.Ellipsoid.Name == name) {
        return true;
    }
    const int rows = int(program.EllipsoidTable.size()) - 1;
    for (int row = 1; row <= rows; ++row) {
        if (program.EllipsoidTable[size_t(row)].Name != name) {
            continue;
        }
        program.Ellipsoid = program.EllipsoidTable[size_t(row)];
        for (int entry = 1; entry <= form.PopUp_EllipsoidList.UBound(); ++entry) {
            if (QAction* item = form.PopUp_EllipsoidList.at(entry)) {
                item->setChecked(entry == row);
            }
        }
        return true;
    }
    return MsgBox(unknownSessionEllipsoidPrompt(name, program.Ellipsoid.Name), vbYesNo) == vbYes;
}

void showZone(MainForm& form)
{
    form.StatusBar1->setPanelText(4, zoneStatusText());
}

QCheckBox* rowCheck(MainForm& form, SessionRowKind kind, int row)
{
    switch (kind) {
    case SessionRowKind::Image:
        return form.ImageCheck.at(row);
    case SessionRowKind::GISLayer:
        return form.GISCheck.at(row);
    case SessionRowKind::Block:
        return form.AGCheck.at(row);
    case SessionRowKind::SubRow:
        return form.Check3.at(row);
    }
    return nullptr;
}

} // namespace

void Sessions::File_LoadSession_Click()
{
    // The floating list's Ctrl+O comes here whatever the File menu allows.
    if (!workspaceEmpty()) {
        MsgBox(sessionNeedsEmptyWorkspaceMessage(), vbExclamation);
        return;
    }
    CommonDialog dialog(&m_form);
    dialog.CancelError = true;
    dialog.FileName.clear();
    dialog.InitDir = mainSettings().SessionDir;
    dialog.Filter = QStringLiteral("Session Files (*.korvel)|*.korvel|All Files (*.*)|*.*");
    dialog.FilterIndex = 1;
    dialog.Flags = cdlOFNHideReadOnly;
    dialog.DialogTitle = QStringLiteral("Open KORVEL Session");
    if (!dialog.ShowOpen()) {
        return;
    }
    // For the rest of the run; "Close All Files" reads the stored one again.
    mainSettings().SessionDir = folderOfFile(dialog.FileName);
    m_form.repaint();
    if (!refuseMissingFile(dialog.FileName)) {
        LoadSession(dialog.FileName);
    }
}

void Sessions::LoadSession(const QString& Path)
{
    if (!workspaceEmpty()) {
        MsgBox(sessionNeedsEmptyWorkspaceMessage(), vbExclamation);
        return;
    }
    if (refuseFolder(Path)) {
        return;
    }
    if (!FileExists(Path)) {
        MsgBox(QStringLiteral("File not found:\r\r") + Path);
        return;
    }
    QByteArray bytes;
    QString reason;
    if (!readWholeFile(Path, bytes, &reason)) {
        showError(QStringLiteral("The file \"%1\" cannot be read: %2").arg(Path, reason));
        return;
    }
    const SessionReadResult read = parseSessionFile(bytes);
    if (read.notSessionFile) {
        MsgBox(QStringLiteral("Selected file is not a session file"));
        return;
    }
    if (!read.session) {
        showError(QStringLiteral("%1 of \"%2\"").arg(read.error, Path));
        return;
    }
    const SessionFile& session = *read.session;

    ProgramGlobals& program = globals();
    program.UTMMode = session.UTMMode;
    program.CoordFormat = session.UTMMode ? QStringLiteral("0") : QStringLiteral("0.0000");
    SessionRows keep;
    const auto goOnWithout = [](const QString& path) {
        const QString prompt = isFolder(path) ? folderInSessionPrompt(path) : missingSessionFilePrompt(path);
        return MsgBox(prompt, vbOKCancel) == vbOK;
    };
    if (!dropMissingSessionFiles(session, FileExists, goOnWithout, keep)) {
        m_form.File_CloseAll_Click();
        return;
    }
    mapState().Zone = session.Zone;
    mapState().NorthZone = session.NorthZone;

    if (!takeSessionEllipsoid(m_form, session.EllipsoidName)) {
        // Nothing is loaded, but the session's zone is in force: the status
        // bar says so.
        showZone(m_form);
        m_form.RefreshChecklist();
        return;
    }
    showZone(m_form);
    m_form.StatusBar1->setPanelText(5, program.Ellipsoid.Name);
    reloadSession(m_form, session, keep);
}

void Sessions::RestoreSessionCheckStates(const std::vector<SessionRowTick>& Ticks)
{
    // Busy is set, so no tick redraws the map. A row that cannot be ticked
    // (an image without a geo-reference) keeps its state.
    for (const SessionRowTick& tick : Ticks) {
        QCheckBox* check = rowCheck(m_form, tick.kind, tick.row);
        if (check && check->isEnabled()) {
            check->setChecked(tick.state == 1);
        }
    }
}

// File > Save Session: the workspace as a session file (session_file.h)
// the user names. The file is written whole through a temporary file and a
// rename, so a failed save leaves an older session as it was; saving
// changes nothing in the workspace. The shutdown request
// "KORVEL_Save_Shutdown" runs this too, then quits whatever it did.
#include "korvel/prefs/session_file.h"
#include "korvel/prefs/sessions.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/row_ticks.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/common_dialog.h"
#include "platform/file_helpers.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>

namespace {

int tickState(const ControlArray<QCheckBox>& checks, int index)
{
    return rowTicked(checks, index) ? 1 : 0;
}

// The extent boxes' texts, a number typed with the decimal comma kept with
// the point; a box that holds no number (the user was typing into it)
// stands for the map's edge it shows, as the extent applies it.
std::array<QString, 4> extentTexts(const MainForm& form)
{
    const PictureBox& map = *form.Picture1;
    const double edges[] = { map.ScaleLeft(), map.ScaleTop() + map.ScaleHeight(),
        map.ScaleLeft() + map.ScaleWidth(), map.ScaleTop() };
    const QLineEdit* boxes[] = { form.Text1, form.Text2, form.Text3, form.Text4 };
    std::array<QString, 4> texts;
    for (int i = 0; i < 4; ++i) {
        const QString text = typedNumberText(boxes[i]->text());
        texts[size_t(i)] = numericValue(text) ? text : Format(float(edges[i]), globals().CoordFormat);
    }
    return texts;
}

SessionFile currentSession(const MainForm& form)
{
    SessionFile session;
    const ProgramGlobals& program = globals();
    const LayerData& layers = layerData();
    const AgnavData& agnav = agnavData();
    session.UTMMode = program.UTMMode;
    for (int p = 1; p <= layers.ImageCount; ++p) {
        session.Images << layers.Images.at(size_t(layers.ImageOrder.at(size_t(p)))).Path;
    }
    for (int p = 1; p <= layers.GISCount; ++p) {
        const GISLayer& layer = layers.GISLayers.at(size_t(layers.GISOrder.at(size_t(p))));
        // A layer that names no zone lies in the map's, as its opening takes it.
        const int zone = layer.Zone != 0 ? layer.Zone : mapState().Zone;
        session.GISLayers.push_back(
            { layer.Path, layer.Colours.empty() ? 0 : layer.Colours.front(), layer.Thickness, zone });
    }
    for (int b = 1; b <= agnav.BlockCount; ++b) {
        const AGNAVBlock& block = agnav.Blocks.at(size_t(b));
        SessionBlockEntry entry { block.Path, block.Colour, block.Thickness, block.GuidanceLoaded,
            block.ExclusionLoaded, {} };
        for (int f = 1; f <= block.FlightCount; ++f) {
            entry.Flights << block.Flights.at(size_t(f)).Path;
        }
        session.Blocks.push_back(entry);
    }
    session.ExtentTexts = extentTexts(form);
    session.Zone = mapState().Zone;
    session.NorthZone = mapState().NorthZone;
    session.EllipsoidName = program.Ellipsoid.Name;

    for (int p = 1; p <= layers.ImageCount; ++p) {
        session.CheckStates.push_back(tickState(form.ImageCheck, p));
    }
    for (int p = 1; p <= layers.GISCount; ++p) {
        session.CheckStates.push_back(tickState(form.GISCheck, p));
    }
    for (int b = 1; b <= agnav.BlockCount; ++b) {
        session.CheckStates.push_back(tickState(form.AGCheck, b));
    }
    const int subRows = session.rowCount() - int(session.CheckStates.size());
    for (int k = 1; k <= subRows; ++k) {
        session.CheckStates.push_back(tickState(form.Check3, k));
    }
    return session;
}

// Why the file cannot be replaced, or "". The rename of the save would
// replace a read-only file without a word (the folder is what it needs), so
// such a file is refused first: one the user may not write, or one whose
// mode gives no one the right to write, which even an administrator's
// session should respect.
QString readOnlyRefusal(const QString& path)
{
    const QFileInfo target(path);
    constexpr auto anyWrite = QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther;
    if (target.exists() && (!target.isWritable() || !(target.permissions() & anyWrite))) {
        return QStringLiteral("The file \"%1\" is read-only.").arg(path);
    }
    return {};
}

} // namespace

void Sessions::File_SaveSession_Click()
{
    CommonDialog dialog(&m_form);
    dialog.CancelError = true;
    dialog.DialogTitle = QStringLiteral("Save KORVEL session");
    dialog.FileName.clear();
    dialog.InitDir = mainSettings().SessionDir;
    dialog.Filter = QStringLiteral("Session Files (*.korvel)|*.korvel");
    dialog.FilterIndex = 1;
    dialog.Flags = cdlOFNExplorer | cdlOFNHideReadOnly | cdlOFNOverwritePrompt;
    // The name is taken as typed: no extension is added.
    if (!dialog.ShowSave()) {
        return;
    }
    const QString path = dialog.FileName;
    const SessionFile session = currentSession(m_form);
    QString error = sessionFileRefusal(session);
    if (error.isEmpty()) {
        error = readOnlyRefusal(path);
    }
    QString reason;
    if (error.isEmpty() && !writeFileAtomically(path, sessionFileBytes(session), &reason)) {
        error = QStringLiteral("The file \"%1\" could not be written: %2").arg(path, reason);
    }
    if (!error.isEmpty()) {
        MsgBox(QStringLiteral("Error: ") + error, vbExclamation);
    }
}

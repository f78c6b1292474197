// Loading AG-NAV blocks on the main window: File > Load AG-NAV > "Block
// Boundary", the check before a boundary file is loaded, and the loading of
// one block with its companion files, which the dropped files, the command
// line and the session reader use too.
//
// A block is loaded whole or not at all: its record, and outside a session
// its guidance-line and exclusion-zone files when the AutoLoad settings ask
// for them, are read first; its list rows are added only when all of it
// came in. A failure takes the block back together with what it changed on
// the map, so the list never shows a row without its block.
#include "korvel/agnav/agnav_commands.h"

#include "korvel/agnav/agnav_command_support.h"
#include "korvel/agnav/agnav_coordinate_conversion.h"
#include "korvel/agnav/block_loading.h"
#include "korvel/agnav/exclusion_zones.h"
#include "korvel/map/busy_while.h"
#include "korvel/map/gis_layer_opening.h"
#include "korvel/shell/folder_refusal.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/open_files_dialog.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/block_companion.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/file_helpers.h"
#include "platform/menu_item.h"
#include "platform/msg_box.h"
#include "platform/process_launcher.h"
#include "platform/status_bar.h"
#include "platform/vb_error.h"

#include <QAction>
#include <QFileInfo>
#include <QGroupBox>

#include <functional>

namespace {

// What loading a block may change on the map besides the block, put back
// when the block is taken back.
struct MapBeforeBlock
{
    bool utmMode = true;
    QString coordFormat;
    EllipsoidRecord ellipsoid;
    int zone = 0;
    bool northZone = true;
    bool mapEmpty = true;
    MapExtent dataExtent;

    static MapBeforeBlock take()
    {
        const ProgramGlobals& program = globals();
        const MapState& map = mapState();
        return { program.UTMMode, program.CoordFormat, program.Ellipsoid, map.Zone, map.NorthZone,
            map.MapEmpty, layerData().DataExtent };
    }

    void restore() const
    {
        ProgramGlobals& program = globals();
        MapState& map = mapState();
        program.UTMMode = utmMode;
        program.CoordFormat = coordFormat;
        program.Ellipsoid = ellipsoid;
        map.Zone = zone;
        map.NorthZone = northZone;
        map.MapEmpty = mapEmpty;
        layerData().DataExtent = dataExtent;
    }
};

// A companion file the block's loading reads with it.
struct Companion
{
    bool wanted = false; // its AutoLoad setting
    QString extension;
    std::function<AgnavOutcome(int blockIndex)> load;
};

// Reads the companion files the AutoLoad settings ask for into the block
// (not its rows); the guidance lines through the window's guidance work, a
// later folder. Returns "" when all came in, else the reason, with the
// failed file in failedPath.
QString loadCompanions(MainForm& form, int block, QString& failedPath)
{
    const MainSettings& settings = mainSettings();
    const Companion companions[] = { { settings.AutoLoadGuidance, QStringLiteral("xyz"),
                                         [&form](int b) { return form.readGuidanceFile(b); } },
        { settings.AutoLoadExclusion, QStringLiteral("xcl"), ::LoadExclusionFile } };
    const QString path = blockAt(block).Path;
    for (const Companion& companion : companions) {
        if (!companion.wanted || !blockCompanionExists(path, companion.extension)) {
            continue;
        }
        const AgnavOutcome outcome = companion.load(block);
        if (!outcome.isDone()) {
            failedPath = blockCompanionPath(path, companion.extension);
            return outcome.message();
        }
    }
    return {};
}

void showCommandError(const QString& description)
{
    MsgBox(QStringLiteral("KORVEL encountered the following error:\r") + description);
}

// Shows why a file could not be loaded and opens it in a text editor when
// the user asks to; an editor that cannot be started is reported.
void offerToInspect(const QString& path, const QString& description)
{
    const QString name = QFileInfo(path).fileName();
    if (MsgBox(blockLoadFailurePrompt(name, description), vbYesNo) != vbYes) {
        return;
    }
    const ProcessStartResult editor = openInTextEditor(path);
    if (!editor.started) {
        MsgBox(textEditorFailureMessage(path, editor.error), vbExclamation);
    }
}

} // namespace

void AgnavCommands::connectAgnavCommands()
{
    connectMenuClick(*m_form.File_OpenAGNAV, this, [this] { File_OpenAGNAV_Click(); });
    connectMenuClick(*m_form.File_OpenGuidance, this, [this] { File_OpenGuidance_Click(); });
    connectMenuClick(*m_form.File_OpenExclusion, this, [this] { File_OpenExclusion_Click(); });
    connectMenuClick(*m_form.File_OpenFlight, this, [this] { File_OpenFlight_Click(); });
}

void AgnavCommands::File_OpenAGNAV_Click()
{
    MainSettings& settings = mainSettings();
    const QStringList paths = chooseFilesToOpen(&m_form, settings.AGNAVDir,
        QStringLiteral("AGNAV File (*.NO1)|*.no1|All Files (*.*)|*.*"),
        QStringLiteral("Open AGNAV Block Boundary"));
    if (paths.isEmpty()) {
        return;
    }
    settings.AGNAVDir = folderOfFile(paths.first());
    m_form.repaint();
    const BusyWhile busy;
    const bool mapWasEmpty = mapState().MapEmpty;
    for (const QString& path : paths) {
        // A failure ends the whole command at that file: the files after it
        // stay unloaded and the map as it was drawn.
        if (CheckAGNAVFile(path) && !LoadAGNAVBlock(path)) {
            return;
        }
        m_form.Frame1->repaint();
    }
    if (mapWasEmpty) {
        m_form.ZoomToLayers(0, 2);
    }
    m_form.Graph(false);
}

bool AgnavCommands::CheckAGNAVFile(const QString& Path)
{
    if (refuseMissingFile(Path)) {
        return false;
    }
    if (blockPathLoaded(Path)) {
        MsgBox(Path + QStringLiteral("\r\rhas already been opened"));
        return false;
    }
    return true;
}

bool AgnavCommands::LoadAGNAVBlock(const QString& Path)
{
    // The 256th block is refused before anything is read or changed.
    const QString full = blockLimitRefusal();
    if (!full.isEmpty()) {
        MsgBox(full, vbExclamation);
        return false;
    }
    const BusyWhile busy;
    const MapBeforeBlock before = MapBeforeBlock::take();
    const int blocksBefore = agnavData().BlockCount;
    int b = 0;
    QString failedPath = Path;
    QString failure;
    try {
        BlockLoadOptions options;
        options.loadingSession = m_form.LoadingSession;
        options.sessionColour = mapState().SessionLayerColour;
        const AgnavOutcome read = loadBlockRecord(Path, options, &b);
        if (!read.isDone()) {
            offerToInspect(Path, read.message());
            return false;
        }
        blockAt(b).DisplayName = captionWithCut(Path, m_form.FitListCaption(Path, false));
        if (!m_form.LoadingSession) {
            failure = loadCompanions(m_form, b, failedPath);
        }
        if (failure.isEmpty()) {
            addBlockRows(b);
            if (before.mapEmpty && !m_form.LoadingSession) {
                showMapSetUpByBlock();
            }
            return true;
        }
    } catch (const VbError& error) {
        failure = error.Description();
    }
    // Only what was done is taken back: a block appended before the
    // failure (even one whose index was never handed out), and the map.
    if (agnavData().BlockCount > blocksBefore) {
        removeLastBlock();
    }
    before.restore();
    offerToInspect(failedPath, failure);
    return false;
}

void AgnavCommands::addBlockRows(int Block)
{
    m_form.AddBlockListEntry();
    AGNAVBlock& block = blockAt(Block);
    if (block.GuidanceLoaded) {
        block.Guidance.CaptionTrim = m_form.FitListCaption(block.Guidance.SourcePath, true);
        m_form.AddGuidanceListEntry(Block);
    }
    if (blockAt(Block).ExclusionLoaded) {
        m_form.AddExclusionListEntry(Block);
    }
}

void AgnavCommands::showMapSetUpByBlock()
{
    const ProgramGlobals& program = globals();
    m_form.StatusBar1->setPanelText(4, zoneStatusText());
    const EllipsoidRecord& ellipsoid = program.Ellipsoid;
    for (int row = 1; row <= m_form.PopUp_EllipsoidList.UBound(); ++row) {
        QAction* item = m_form.PopUp_EllipsoidList.at(row);
        if (item && row < int(program.EllipsoidTable.size())) {
            const EllipsoidRecord& listed = program.EllipsoidTable[std::size_t(row)];
            item->setChecked(
                listed.Axis == ellipsoid.Axis && listed.InverseFlattening == ellipsoid.InverseFlattening);
        }
    }
    m_form.StatusBar1->setPanelText(5, ellipsoid.Name);
}

bool AgnavCommands::LoadGuidanceFile(int Block)
{
    if (Block < 1 || Block > agnavData().BlockCount || blockAt(Block).GuidanceLoaded) {
        return true;
    }
    try {
        const AgnavOutcome outcome = m_form.readGuidanceFile(Block);
        if (!outcome.isDone()) {
            showCommandError(outcome.message());
            return false;
        }
        GuidanceSet& set = blockAt(Block).Guidance;
        set.CaptionTrim = m_form.FitListCaption(set.SourcePath, true);
        m_form.AddGuidanceListEntry(Block);
    } catch (const VbError& error) {
        showCommandError(error.Description());
        return false;
    }
    return true;
}

bool AgnavCommands::LoadExclusionFile(int Block)
{
    if (Block < 1 || Block > agnavData().BlockCount || blockAt(Block).ExclusionLoaded) {
        return true;
    }
    try {
        const AgnavOutcome outcome = ::LoadExclusionFile(Block);
        if (!outcome.isDone()) {
            showCommandError(outcome.message());
            return false;
        }
        // A file without zones leaves the block without them, and without a row.
        if (blockAt(Block).ExclusionLoaded) {
            m_form.AddExclusionListEntry(Block);
        }
    } catch (const VbError& error) {
        showCommandError(error.Description());
        return false;
    }
    return true;
}

AgnavCommands::AgnavCommands(MainForm& form)
    : MainFormPart(form)
{
    connectAgnavCommands();
    connectDigitizingCommands();
}

AgnavCommands& AgnavCommands::instance()
{
    return static_cast<AgnavCommands&>(MainForm::instance().agnav());
}

void AgnavCommands::ConvertBlockCoords(int blockIndex, int mode)
{
    ::ConvertBlockCoords(blockIndex, mode);
}

QString AgnavCommands::blockConversionRefusal(int blockIndex, int mode)
{
    return ::blockConversionRefusal(blockIndex, mode);
}

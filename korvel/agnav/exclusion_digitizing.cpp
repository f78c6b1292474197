// Digitizing an exclusion zone of a block: Tools > "Digitize AG-NAV" >
// "Exclusion Zone" and the block pop-up's "Digitize Exclusion Zone" start it,
// the map's right press (korvel/map/digitizing_tool.h) or the same entry
// again ends it. A zone started from the Tools menu has no block until it is
// closed: then the user picks one when several are loaded. The zone is asked
// for ("Save AGNAV exclusion zone?"), appended to the block and its
// exclusion-zone file (saveExclusionZone), drawn, and the block's
// exclusion-zones row is added to the list. A block that had not loaded the
// zones its file already held takes and draws them all.
#include "korvel/agnav/agnav_command_support.h"
#include "korvel/agnav/agnav_commands.h"
#include "korvel/agnav/exclusion_zones.h"
#include "korvel/map/block_zone_drawing.h"
#include "korvel/map/busy_while.h"
#include "korvel/map/digitizing_tool.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/selection_form.h"
#include "korvel/workspace/agnav_block.h"
#include "platform/line_control.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/tool_bar.h"
#include "platform/vb_error.h"

#include <QAction>

namespace {

constexpr int kMinimumVertices = 3;
constexpr int kTypedExtentButton = 3;

} // namespace

void AgnavCommands::Tools_DigitizeExclusion_Click()
{
    if (m_form.Tools_DigitizeGuidance->isChecked() || m_form.Tools_DigitizeBoundary->isChecked()) {
        return;
    }
    const bool starting = !m_form.Tools_DigitizeExclusion->isChecked();
    if (starting && shiftPreviewRefusesDigitizing()) {
        return;
    }
    if (!starting && digitizedVertexCount(m_form.DigitizeLine) >= kMinimumVertices
        && m_form.SelectedBlock == 0) {
        m_form.SelectedBlock = chooseLoadedBlock();
    }
    SaveDigitizedExclusion(m_form.SelectedBlock);
    m_form.SelectedBlock = 0;
}

void AgnavCommands::PopUp_DigitizeExclusion_Click()
{
    // The pop-up starts (or ends) the zone of its own block; while another
    // tool draws into the digitized segments it stays out of their way.
    if (m_form.Tools_DigitizeGuidance->isChecked() || m_form.Tools_DigitizeBoundary->isChecked()) {
        return;
    }
    if (!m_form.Tools_DigitizeExclusion->isChecked() && shiftPreviewRefusesDigitizing()) {
        return;
    }
    m_form.SelectedBlock = m_form.SelectedLayer;
    SaveDigitizedExclusion(m_form.SelectedBlock);
    if (!m_form.Tools_DigitizeExclusion->isChecked()) {
        m_form.SelectedBlock = 0;
    }
}

void AgnavCommands::SaveDigitizedExclusion(int Block)
{
    const bool starting = !m_form.Tools_DigitizeExclusion->isChecked();
    m_form.Tools_DigitizeExclusion->setChecked(starting);
    // No typed extent while a zone is digitized: the view must stay.
    m_form.Toolbar->setEnabled(kTypedExtentButton, !starting);
    if (starting) {
        removeDigitizedSegments();
        return;
    }
    const ShapeRecord vertices = digitizedVertices(m_form.DigitizeLine);
    try {
        if (vertices.upperBound() >= kMinimumVertices && isBlock(Block)
            && MsgBox(QStringLiteral("Save AGNAV exclusion zone?"), vbYesNo) == vbYes) {
            saveDigitizedZone(Block, vertices);
        }
    } catch (const VbError& error) {
        MsgBox(QStringLiteral("Error: ") + error.Description(), vbExclamation);
    }
    removeDigitizedSegments();
}

void AgnavCommands::saveDigitizedZone(int Block, const ShapeRecord& vertices)
{
    // A block without zones may take the file's earlier ones with the new
    // one: then all of them are drawn, not the new one alone.
    const bool firstZones = !blockAt(Block).ExclusionLoaded;
    const AgnavOutcome outcome = saveExclusionZone(Block, vertices);
    if (!outcome.isDone()) {
        // The zone is neither in the block nor in its file: the user must
        // know, or a zone thought saved would be missing from the job.
        MsgBox(outcome.message(), vbExclamation);
        return;
    }
    const int zones = blockAt(Block).ExclusionZoneCount;
    for (int zone = firstZones ? 1 : zones; zone <= zones; ++zone) {
        DrawBoundaryPolygon(*m_form.Picture1, Block, zone);
    }
    m_form.Picture1->Refresh();
    // The new row's tick must not redraw the map under the zone just drawn.
    const BusyWhile busy;
    m_form.AddExclusionListEntry(Block);
}

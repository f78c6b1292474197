// The end of guidance-line creation: Save takes the preview into the block
// and its files (guidance_save.h), gives the block its guidance row and
// redraws; Cancel (also run by Save, Escape, closing all files and the
// Tools menu's item) removes the preview and the edge mark, hides the panel
// or unloads the floating window, and frees the block. A save that fails
// says why and leaves the work open on the same block, so the user can put
// it right and save again.
#include "korvel/guidance/guidance_form.h"
#include "korvel/guidance/guidance_panel.h"
#include "korvel/guidance/guidance_save.h"
#include "korvel/guidance/guidance_state.h"
#include "korvel/guidance/guidance_work.h"
#include "korvel/map/busy_while.h"
#include "korvel/shell/main_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/list_rows.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/line_control.h"
#include "platform/msg_box.h"
#include "platform/vb_error.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>

namespace {

// The preview as the line objects GuidanceLine(1..L) hold it.
std::vector<GuidanceSegment> previewLines(const ControlArray<LineControl>& lines)
{
    std::vector<GuidanceSegment> segments;
    for (int i = 1; i <= lines.UBound(); ++i) {
        if (const LineControl* line = lines.at(i)) {
            segments.push_back({ line->X1(), line->Y1(), line->X2(), line->Y2() });
        }
    }
    return segments;
}

} // namespace

void GuidanceWork::restoreGuidanceRow(int Block)
{
    if (!isBlock(Block) || !agnavData().Blocks[std::size_t(Block)].GuidanceLoaded) {
        return;
    }
    // Only the pop-up's start disables the row, when it hid the lines.
    QCheckBox* row = m_form.Check3.at(guidanceSubRow(Block));
    if (row && !row->isEnabled()) {
        row->setEnabled(true);
        row->setChecked(true);
    }
}

void GuidanceWork::GuidanceSave_Click()
{
    const int block = m_form.SelectedBlock;
    if (!isBlock(block)) {
        return;
    }
    const bool wasLoaded = agnavData().Blocks[std::size_t(block)].GuidanceLoaded;
    GuidanceSaveRequest request;
    request.block = block;
    request.lines = previewLines(m_form.GuidanceLine);
    request.panel = GuidancePanel::of(guidancePanelWindow()).values();
    request.metric = globals().MetricSystem;
    request.frame = currentMapFrame(*m_form.Picture1);
    request.north = mapState().NorthZone;
    // Lines the preview could not lay are not saved (an empty set would
    // replace the block's lines).
    const AGNAVBlock& chosen = blockAt(block);
    request.computationRefusal = guidancePreviewMessage(chosen,
        computeGuidancePreview(
            chosen.Boundary, chosen.VertexCount, request.panel, request.metric, request.frame),
        request.frame);
    try {
        const AgnavOutcome outcome = saveGuidanceLines(request);
        if (!outcome.isDone()) {
            MsgBox(QStringLiteral("Error: ") + outcome.message(), vbExclamation);
            return;
        }
        AGNAVBlock& saved = blockAt(block);
        {
            const BusyWhile busy;
            if (wasLoaded) {
                // The row the lines had keeps them, shown.
                if (QCheckBox* row = m_form.Check3.at(guidanceSubRow(block))) {
                    row->setEnabled(true);
                    row->setChecked(true);
                }
            } else {
                saved.Guidance.CaptionTrim = m_form.FitListCaption(saved.Guidance.SourcePath, true);
                m_form.AddGuidanceListEntry(block);
            }
        }
        if (globals().ImmediateGraph) {
            m_form.Graph(false);
        }
    } catch (const VbError& error) {
        MsgBox(QStringLiteral("Error: ") + error.Description(), vbExclamation);
        return;
    }
    GuidanceCancel_Click();
}

void GuidanceWork::GuidanceCancel_Click()
{
    m_form.DigitizeLine.unloadAll();
    m_form.GuidanceLine.unloadAll();
    m_form.DigitizeLine[0].setVisible(false);
    m_form.GuidanceFrame->hide();
    if (m_form.View_MapMode->isChecked()) {
        GuidanceForm::unload();
    }
    restoreGuidanceRow(m_form.SelectedBlock);
    m_form.Tools_DigitizeGuidance->setChecked(false);
    m_form.GuidanceOption[1].setChecked(true);
    GuidanceData& data = guidanceData();
    data.GuidanceHeading = 0;
    data.GuidanceEdge = 1;
    data.ToldRefusal.clear();
    m_form.SelectedBlock = 0;
}

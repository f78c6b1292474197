// The start of guidance-line creation for one block: from Tools > "Digitize
// AG-NAV" > "Guidance Lines" (any loaded block, chosen when there are
// several; Tools_DigitizeGuidance_Click, korvel/agnav/boundary_digitizing.cpp)
// or from the block's pop-up menu (which asks before lines already there are
// replaced, and hides the block's loaded lines while new ones are laid).
// BeginGuidanceCreation fills the panel in use from the block, shows it and
// lays the first preview; Save or Cancel end the work
// (guidance_work_save.cpp).
#include "korvel/guidance/guidance_panel.h"
#include "korvel/guidance/guidance_panel_rules.h"
#include "korvel/guidance/guidance_state.h"
#include "korvel/guidance/guidance_work.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/selection_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/block_companion.h"
#include "korvel/workspace/list_rows.h"
#include "korvel/workspace/program_globals.h"
#include "platform/msg_box.h"
#include "platform/vb_error.h"
#include "platform/vb_format.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>

namespace {

// The block's swath in the display unit; a stored swath that cannot be used
// is named to the user, and the default stands in for it.
int blockSwath(const AGNAVBlock& block, bool metric)
{
    const QString stored = block.SwathWidthText.trimmed();
    if (!stored.isEmpty() && !displayedSwath(stored, metric)) {
        MsgBox(QStringLiteral("The swath width \"%1\" stored for block %2 cannot be used.\r"
                              "The default swath width is shown instead.")
                   .arg(stored, block.FileName),
            vbExclamation);
    }
    return startingSwath(stored, storedAgnavDefault("SwathWidth", "30"), metric);
}

} // namespace

void GuidanceWork::StartGuidanceCreation()
{
    if (agnavData().BlockCount < 1) {
        return;
    }
    const int block = chooseLoadedBlock();
    if (!isBlock(block)) {
        return;
    }
    m_form.SelectedBlock = block;
    BeginGuidanceCreation(block);
    if (!m_form.Tools_DigitizeGuidance->isChecked()) {
        m_form.SelectedBlock = 0;
    }
}

void GuidanceWork::BeginGuidanceCreation(int Block)
{
    if (!isBlock(Block) || m_form.Tools_DigitizeGuidance->isChecked()) {
        return;
    }
    try {
        const AGNAVBlock& block = agnavData().Blocks[std::size_t(Block)];
        const bool metric = globals().MetricSystem;
        const int swath = blockSwath(block, metric);
        m_form.SelectedBlock = Block;
        m_form.Tools_DigitizeGuidance->setChecked(true);
        // In Map Mode the floating window; a new one starts with its own values.
        const GuidancePanel panel = GuidancePanel::of(guidancePanelWindow());
        setSpinRange(*panel.VScroll1, 0, MaxHeading);
        GuidanceData& data = guidanceData();
        data.GuidanceHeading = 0;
        data.GuidanceEdge = 1;
        // Each control filled below lays the preview again; only the
        // finished panel's may tell an error.
        data.ToldRefusal.clear();
        const struct Filling
        {
            Filling() { guidanceData().FillingPanel = true; }
            ~Filling() { guidanceData().FillingPanel = false; }
        } filling;

        const int heading = startingHeading(block.HeadingText, storedAgnavDefault("LineDirection", "0"));
        panel.GuidanceText->setText(QString::number(heading));
        panel.VScroll1->setValue(heading);
        showSwathUnit(panel);
        panel.SwathText->setText(Format(double(swath), QStringLiteral("0")));
        panel.VScroll2->setValue(swath);
        // Record 37 may hold 2 ("use master point"), which neither button
        // stands for: the panel's choice then stays.
        if (block.OffsetCode == 0) {
            panel.noOffset->setChecked(true);
        } else if (block.OffsetCode == 1) {
            panel.halfSwath->setChecked(true);
        }
        if (m_form.View_ClutteredMode->isChecked()) {
            m_form.GuidanceFrame->show();
            m_form.GuidanceFrame->raise();
        } else {
            panel.window->show();
        }
        panel.headingOption->setChecked(true);
        data.FillingPanel = false;
        FitGuidanceLines();
    } catch (const VbError& error) {
        MsgBox(QStringLiteral("Error: ") + error.Description(), vbExclamation);
    }
}

void GuidanceWork::PopUp_DigitizeGuidance_Click()
{
    const int block = m_form.SelectedLayer;
    // The menu offers the entry only while no tool draws on the map.
    if (!isBlock(block) || m_form.Tools_DigitizeGuidance->isChecked()
        || m_form.Tools_DigitizeBoundary->isChecked() || m_form.Tools_DigitizeExclusion->isChecked()
        || m_form.shiftPreviewRefusesDigitizing()) {
        return;
    }
    const AGNAVBlock& chosen = agnavData().Blocks[std::size_t(block)];
    if ((chosen.GuidanceLoaded || blockCompanionExists(chosen.Path, QStringLiteral("xyz")))
        && MsgBox(QStringLiteral(
                      "A guidance file already exists for this block.\rWould you like to overwrite it?"),
               vbYesNo)
            == vbNo) {
        return;
    }
    m_form.SelectedBlock = block;
    if (chosen.GuidanceLoaded) {
        // The loaded lines stay hidden while new ones are laid; Save and
        // Cancel give the row back.
        if (QCheckBox* row = m_form.Check3.at(guidanceSubRow(block))) {
            row->setEnabled(false);
            row->setChecked(false); // its own handling redraws with ImmediateGraph on
        }
        if (!globals().ImmediateGraph) {
            m_form.Graph(false);
        }
    }
    BeginGuidanceCreation(block);
    // A creation that did not start must not hold the block (it could not
    // be deleted until a cancel that never comes) nor its lines hidden.
    if (!m_form.Tools_DigitizeGuidance->isChecked()) {
        restoreGuidanceRow(block);
        m_form.SelectedBlock = 0;
    }
}

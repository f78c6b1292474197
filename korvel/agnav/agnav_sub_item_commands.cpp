// The "Load AG-NAV" entries that load into a block already loaded: its
// guidance-line file, its exclusion-zone file or its spray data, from the
// File menu (which asks for the block with the chooser when more than one
// fits) and from the block's pop-up menu (which acts on the block whose row
// was clicked).
#include "korvel/agnav/agnav_command_support.h"
#include "korvel/agnav/agnav_commands.h"
#include "korvel/map/busy_while.h"
#include "korvel/shell/main_form.h"
#include "korvel/shell/selection_form.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/program_globals.h"
#include "platform/show_modal.h"

namespace {

// The block the user picks among the candidates (positions 1..m) under the
// question; 0 when the chooser is closed without Accept. The chooser starts
// on position 1, so an empty list accepted gives position 1 too; the caller
// says what that means (fallback).
int chooseBlock(const std::vector<int>& candidates, const QString& prompt, int fallback)
{
    SelectionForm& chooser = SelectionForm::instance();
    chooser.Selection = 1;
    chooser.LoadList(candidates);
    chooser.Prompt = prompt;
    chooser.ListType = SelectionListCandidates;
    const bool accepted = ShowModal(chooser) == QDialog::Accepted;
    const int position = chooser.Selection;
    SelectionForm::release();
    if (!accepted) {
        return 0;
    }
    return position >= 1 && position < int(candidates.size()) ? candidates[std::size_t(position)] : fallback;
}

// The one candidate, or the chosen one of several; 0 for none.
int blockAmong(const std::vector<int>& candidates, const QString& prompt)
{
    const int count = int(candidates.size()) - 1;
    if (count < 1) {
        return 0;
    }
    return count == 1 ? candidates[1] : chooseBlock(candidates, prompt, 0);
}

} // namespace

void AgnavCommands::File_OpenGuidance_Click()
{
    // This entry asks no question: the chooser's question line stays empty.
    const int block = blockAmong(guidanceCandidates(), QString());
    if (block == 0) {
        return;
    }
    {
        const BusyWhile busy;
        LoadGuidanceFile(block);
    }
    m_form.Graph(false);
}

void AgnavCommands::File_OpenExclusion_Click()
{
    const int block
        = blockAmong(exclusionCandidates(), QStringLiteral("Load exclusion zones for which block?"));
    if (block == 0) {
        return;
    }
    {
        const BusyWhile busy;
        LoadExclusionFile(block);
    }
    m_form.Graph(false);
}

void AgnavCommands::File_OpenFlight_Click()
{
    const int blocks = agnavData().BlockCount;
    if (blocks < 1) {
        return;
    }
    // With several blocks the chooser always comes up, even with a single
    // candidate or none; with none, the first block takes the data.
    const int block = blocks == 1
        ? 1
        : chooseBlock(sprayDataCandidates(), QStringLiteral("Load flight data for which block?"), 1);
    if (block != 0) {
        OpenFlightFiles(block);
    }
}

void AgnavCommands::PopUp_OpenGuidance_Click(int Block)
{
    if (!isBlock(Block)) {
        return;
    }
    {
        const BusyWhile busy;
        LoadGuidanceFile(Block);
    }
    if (globals().ImmediateGraph) {
        m_form.Graph(false);
    }
}

void AgnavCommands::PopUp_OpenExclusion_Click(int Block)
{
    if (!isBlock(Block)) {
        return;
    }
    {
        const BusyWhile busy;
        LoadExclusionFile(Block);
    }
    if (globals().ImmediateGraph) {
        m_form.Graph(false);
    }
}

void AgnavCommands::PopUp_OpenFlight_Click(int Block)
{
    if (isBlock(Block)) {
        OpenFlightFiles(Block);
    }
}

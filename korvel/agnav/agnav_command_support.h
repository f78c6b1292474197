#pragma once
// What the main window's AG-NAV commands share and what they decide without
// a window: the blocks each "Load AG-NAV" entry offers and the texts they
// show. The commands themselves are AgnavCommands procedures
// (agnav_commands.cpp: blocks and their companion files;
// agnav_sub_item_commands.cpp: the entries that load into a loaded block;
// flight_commands.cpp: spray data).
#include <QString>
#include <vector>

// Candidate blocks, in block order at positions 1..m (element 0 unused):
// blocks whose guidance-line file lies beside their boundary file and is not
// loaded yet; the same for the exclusion-zone file; blocks whose spray-data
// folder holds any file.
std::vector<int> guidanceCandidates();
std::vector<int> exclusionCandidates();
std::vector<int> sprayDataCandidates();

// The question of a failed block load, with the offer to open the file in a
// text editor. What the description quotes of the file ("...") is cut to
// its first line and a few words, and characters that cannot be shown
// become "?": a file of another kind would otherwise fill the box with
// its raw bytes.
QString blockLoadFailurePrompt(const QString& fileName, const QString& description);

// The message when no text editor could be started on the file.
QString textEditorFailureMessage(const QString& path, const QString& reason);

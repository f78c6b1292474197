#pragma once
// Which entries of a session file become rows of the "Loaded Files" list,
// and which row each stored tick state belongs to.
//
// Reloading a session drops entries on the way: a missing file the user
// agrees to leave out, a flight log that is gone, a file whose check or
// loader refuses it. The file's tick states were written for the rows of the
// saved workspace, so the states of dropped entries are passed over and every
// other state lands on the row its own entry became.
#include "korvel/prefs/session_file.h"

#include <functional>
#include <vector>

// One flag per entry of a session file, in the file's order: the entry is
// (to be) loaded and has its row.
struct SessionBlockRows
{
    bool block = false;
    bool guidance = false;
    bool exclusion = false;
    std::vector<bool> flights;
};

struct SessionRows
{
    std::vector<bool> images;
    std::vector<bool> gisLayers;
    std::vector<SessionBlockRows> blocks;

    // Every entry as the file lists it: all of them, sub-rows by their flags.
    static SessionRows asListed(const SessionFile& session);
    // No entry at all, sized for the file.
    static SessionRows none(const SessionFile& session);
};

// Asks whether to go on without a missing file (true) or to abandon the
// whole session (false).
using MissingFileQuestion = std::function<bool(const QString& path)>;
using FileProbe = std::function<bool(const QString& path)>;

// The first reading's check of the listed files, in the file's order:
// images, GIS layers, then per block its boundary file (missing: the block
// and all it holds are left out), its guidance-line and exclusion-zone files
// when their flags are set (missing: that part is left out), and its flights
// (missing: left out without a question). Returns false as soon as the user
// abandons; `keep` then holds what was decided so far.
bool dropMissingSessionFiles(
    const SessionFile& session, const FileProbe& exists, const MissingFileQuestion& goOnWithout, SessionRows& keep);

enum class SessionRowKind { Image, GISLayer, Block, SubRow };

struct SessionRowTick
{
    SessionRowKind kind = SessionRowKind::Image;
    int row = 0; // ImageCheck, GISCheck, AGCheck or Check3 index, from 1
    int state = 0;

    bool operator==(const SessionRowTick&) const = default;
};

// The rows of the loaded entries with their stored states, in the file's
// order: the n-th loaded image is list position n, the n-th loaded block
// block n, and a loaded block's sub-rows (guidance, exclusion, flights) are
// numbered on from those of the loaded blocks before it.
std::vector<SessionRowTick> sessionRowTicks(const SessionFile& session, const SessionRows& loaded);

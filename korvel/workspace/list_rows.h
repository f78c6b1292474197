#pragma once
// The row model of the "Loaded Files" list, derived from the loaded data
// alone: a row per image, GIS layer and block, and under each block its
// sub-rows (its guidance lines, its exclusion zones, then one per flight),
// numbered on over all blocks. Neither list keeps any of this; every rebuild
// and every edit of the rows works it out again from the records and counts.
#include <QString>

struct AGNAVBlock;

// The panel holds at most this many rows in all, as many as one byte counts.
// A load that would pass it is refused before anything is appended.
inline constexpr int MaxListRows = 255;

// A block's sub-rows ahead of its flights: one for loaded guidance lines
// and one for loaded exclusion zones. Its flight f is its sub-row this + f.
// Also on plain values, so that a reader holding a block's rows in its own
// record (a session file) counts them the same way.
constexpr int subRowsBeforeFlights(bool guidanceLoaded, bool exclusionLoaded)
{
    return (guidanceLoaded ? 1 : 0) + (exclusionLoaded ? 1 : 0);
}
// The block's sub-rows: its flights after the rows above.
constexpr int blockSubRowCount(bool guidanceLoaded, bool exclusionLoaded, int flightCount)
{
    return subRowsBeforeFlights(guidanceLoaded, exclusionLoaded) + flightCount;
}
int subRowsBeforeFlights(const AGNAVBlock& block);
int blockSubRowCount(const AGNAVBlock& block);
// The sub-rows of the blocks before block `block` (1-based); the block's own
// sub-rows are numbered from this + 1.
int subRowBase(int block);
// The sub-row of block `block`'s guidance lines while it has them loaded:
// its first.
int guidanceSubRow(int block);
// Sub-rows of all blocks (GuidanceCount + ExclusionCount + FlightCount).
int subRowTotal();
// Every row of the list: images, GIS layers, blocks and sub-rows.
int listRowTotal();
// Returns "" while the list can take `newRows` more rows, else the refusal.
QString listRowLimitRefusal(int newRows = 1);

enum class SubRowKind { Guidance, Exclusion, Flight };

struct SubRowPlace
{
    int block = 0; // 0 when no block holds the sub-row
    SubRowKind kind = SubRowKind::Guidance;
    int flight = 0; // the flight's index in its block, for a flight row
};

// The block item shown by sub-row `index`.
SubRowPlace locateSubRow(int index);
// The item of the block's own sub-row r (1 for its first); block is left 0.
SubRowPlace subRowOfBlock(const AGNAVBlock& block, int r);

// The caption of a block's sub-row: "Guidance Lines", "Exclusion Zone" (one
// zone) or "Exclusion Zones", or for a flight "../", the job's folder and the
// log's file name.
QString subRowCaption(const AGNAVBlock& block, SubRowKind kind, int flight);

// The tooltip of a row: empty while the caption is the path itself (letter
// case aside), else the path.
QString rowToolTip(const QString& displayName, const QString& path);

// Rows that do not fit the panel: the total less the rows the frame has room
// for, rounded half to even, never below 0. The room is (frame height - 2
// rows) / row height on a screen 800 pixels wide, else (frame height - 2 -
// row height) / row height.
int hiddenRowCount(int totalRows, int frameHeight, int rowHeight, bool eightHundredScreen);

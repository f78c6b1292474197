#pragma once
// Saving the guidance lines laid over a block: the preview becomes the
// block's guidance set, records 4, 17, 36 and 37 of its boundary file are
// rewritten (boundary_guidance_records.h) and its guidance-line file is
// written (guidance_file.h). All or nothing: every value is checked and both
// files' texts are made before anything is written; the boundary file is
// first copied to a private "temp.no1" in the user's data folder (else the
// temporary folder), and the two files are written as one set
// (SafeFileSetWriter): a failure or a kill leaves both old, or the next load
// or save of the block completes both. Only after both are written does the
// block take the new values. Lines that could not be computed, a block
// beyond the reach of the map's zone or its own (conversion_reach.h), a
// block whose guidance-line file would be its boundary file, and a guidance-line
// path that holds a loaded block's boundary file or any file that is not a
// guidance-line file (another block's boundary, say) save nothing.
//
// What is written:
//   SwathWidthText, record 36   the swath in whole metres, whatever unit the
//                               panel shows (feet are converted, half to even)
//   HeadingText, record 17      heading mode: the heading in whole degrees;
//                               edge mode: the edge's grid bearing in degrees
//                               (up to 15 digits), worked out in UTM as the
//                               preview lays the lines
//   OffsetCode, record 37       1 "Half-Swath", 0 "None"
//   LineCountText, record 4     the number of lines
//   the guidance-line file      UTM metres in the block's own zone and
//                               ellipsoid, the ones its reader takes it in
#include "korvel/workspace/agnav_outcome.h"
#include "korvel/guidance/guidance_preview.h"

#include <QString>
#include <QStringList>
#include <vector>

struct GuidanceSaveRequest
{
    int block = 0; // 1..BlockCount
    std::vector<GuidanceSegment> lines; // the preview, in the map's system
    GuidancePanelValues panel; // the panel in use, as it stands
    bool metric = true; // the panel shows metres; else feet
    // The map's system; `north` is the hemisphere the map reads grid
    // northings in (NorthZone).
    GuidanceMapFrame frame;
    bool north = true;
    // Where the copy of the boundary file goes first, in order of
    // preference; empty: privateWorkFolders().
    QStringList backupFolders;
    // Why the lines could not be computed for the panel's values (the
    // preview's message); empty when they were.
    QString computationRefusal;
};

// Saves the lines into block request.block and its files. A refusal names
// what is wrong (the value, the block, the file and the system's reason)
// and leaves the block and its files as they were.
AgnavOutcome saveGuidanceLines(const GuidanceSaveRequest& request);

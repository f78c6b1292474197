#pragma once
// What the layer pop-up menus show before they open, worked out from the
// records alone: the four neighbouring zones a GIS layer can be moved to,
// and which of a block's loading and digitizing items can be chosen.
#include <array>

struct AGNAVBlock;

// The zones offered beside `zone`: zone - 2, zone - 1, zone + 1, zone + 2,
// wrapped into 1..60 (zone 1 gives 59, 60, 2, 3; zone 60 gives 58, 59, 1, 2).
std::array<int, 4> neighbourZones(int zone);

struct BlockPopUpStates
{
    bool openGuidance = false; // its guidance-line file lies beside it and is not loaded
    bool openExclusion = false; // the same for its exclusion-zone file
    bool openFlight = false; // its spray-data folder holds a file
    bool digitize = false; // no digitizing tool is at work
};

// `digitizing`: a boundary, guidance-line or exclusion-zone tool is ticked.
BlockPopUpStates blockPopUpStates(const AGNAVBlock& block, bool digitizing);

#pragma once
// The program-wide values of guidance-line creation that outlive the panel
// showing them: the heading kept while the spin shows an edge number, and
// the edge number kept while it shows a heading, so that switching between
// "Flight Heading" and "Parallel to Edge" returns to the earlier values.
// The block being worked on is the main window's SelectedBlock.
struct GuidanceData
{
    int GuidanceHeading = 0; // whole degrees, 0..359
    int GuidanceEdge = 1; // 1..the block's vertex count
};

GuidanceData& guidanceData();
void resetGuidanceData();

#pragma once
// The program-wide values of guidance-line creation that outlive the panel
// showing them: the heading kept while the spin shows an edge number, and
// the edge number kept while it shows a heading, so that switching between
// "Flight Heading" and "Parallel to Edge" returns to the earlier values.
// The block being worked on is the main window's SelectedBlock.
//
// A computation error is told once for what the user did: the preview is
// laid again on every redraw and on each control the start of the work
// fills, so the error stays quiet while the panel is being filled and for
// the same block and panel values it was told for.
#include <QString>

struct GuidanceData
{
    int GuidanceHeading = 0; // whole degrees, 0..359
    int GuidanceEdge = 1; // 1..the block's vertex count
    bool FillingPanel = false; // the start of the work sets the panel's values
    QString ToldRefusal; // the values and message of the error last told; "" after lines were laid
};

GuidanceData& guidanceData();
void resetGuidanceData();

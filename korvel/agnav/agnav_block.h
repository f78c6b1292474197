#pragma once
// One loaded AG-NAV spray block and the list of loaded blocks. The record
// holds so far what the polygon area needs of a block; the AG-NAV work adds
// its remaining fields in their declaration order.
#include "korvel/map/shape_record.h"
#include "korvel/shell/program_globals.h"

#include <vector>

struct AGNAVBlock
{
    // Area inside the boundary in square metres, signed by the order of the
    // vertices (positive clockwise with north up).
    double Area = 0.0;
    // The boundary polygon, vertices 1..VertexCount in file order, not
    // repeated closed, in the map's current coordinate system.
    ShapeRecord Boundary;
    int VertexCount = 0;
    // The ellipsoid of the block's coordinates (from its boundary file, or the
    // map's when the file gives none) and its UTM zone, 1 to 60.
    EllipsoidRecord Ellipsoid;
    int Zone = 0;
};

struct AgnavData
{
    std::vector<AGNAVBlock> Blocks = std::vector<AGNAVBlock>(1); // 1..BlockCount; element 0 unused
    int BlockCount = 0;
};

AgnavData& agnavData();
void resetAgnavData();

#include "korvel/map/block_zone_drawing.h"

#include "korvel/map/gis_layer_drawing.h"
#include "korvel/workspace/agnav_block.h"

void DrawBoundaryPolygon(PictureSurface& picture, int block, int zone)
{
    const AgnavData& agnav = agnavData();
    if (block < 1 || block > agnav.BlockCount || block >= int(agnav.Blocks.size())) {
        return;
    }
    const AGNAVBlock& record = agnav.Blocks[size_t(block)];
    if (zone < 1 || zone >= int(record.ExclusionZones.size())) {
        return;
    }
    drawExclusionZone(picture, record.ExclusionZones[size_t(zone)], record.Colour);
}

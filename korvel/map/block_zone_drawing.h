#pragma once
// The one place where the map's drawing module reads the AG-NAV blocks: an
// exclusion zone of a loaded block, painted as drawExclusionZone paints it.
// The block drawing and the exclusion-zone digitizer call it.
class PictureSurface;

// Exclusion zone `zone` of block `block` (both from 1); a zone or block that
// does not exist draws nothing.
void DrawBoundaryPolygon(PictureSurface& picture, int block, int zone);

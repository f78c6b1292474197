#pragma once
// Drawing of the GIS layers onto a picture in the world scale it carries:
// DrawSHPData walks the ticked layers from a list position upwards, skips
// layers outside the view, and calls the drawer of the layer's shape type,
// first for the buffer band when the layer has one, then for the features.
// The drawers (DrawArcLayer, DrawPolygonLayer, DrawPointLayer) colour each
// feature, fill polygons when FillPoly is set, show their progress and let
// Escape stop a polygon layer; DrawBoundaryPolygon paints an exclusion zone
// of an AG-NAV block.
//
// Feature colour: element |ColourCoding| x j of the layer's colour list,
// so the layer colour (element 0) while colour coding is off, the feature's
// class colour while it is on. Filled polygons show the class colours inside
// black outlines; unfilled ones only outlines, in the layer colour.
//
// Buffer bands are drawn with a pen twice BufferWidth wide (metres on each
// side of a feature), in BufferColour: a wide line along an arc, a wide
// outline around a polygon, a filled disc around a point. Features and
// layers whose box, grown by the band's half width, misses the view are
// skipped.
#include <QtGlobal>
#include <functional>

class PictureSurface;
struct ShapeRecord;

// The layer at list position `position` (GISLayers(GISOrder(position))):
// its features, or with `buffer` set its buffer band.
void DrawArcLayer(PictureSurface& picture, int position, bool buffer);
void DrawPolygonLayer(PictureSurface& picture, int position, bool buffer);
void DrawPointLayer(PictureSurface& picture, int position, bool buffer);

// An exclusion zone (vertices 1..n of the ring): filled in BufferColour,
// outlined one pixel wide in its block's colour. DrawBoundaryPolygon
// (block_zone_drawing.h) finds the zone of a loaded block.
void drawExclusionZone(PictureSurface& picture, const ShapeRecord& zone, qint32 blockColour);

// The buffer band's pen width in pixels at the picture's present scale:
// twice BufferWidth (in metres) over the view's width in metres. In UTM mode
// the map units are metres; in latitude/longitude mode the view's width in
// metres is measured along its middle latitude in the map's zone. Wider
// pens than the view could use are capped.
int bufferPenWidth(const PictureSurface& picture);

// Draws the GIS layers at list positions start..GISCount whose row is ticked
// (ticked(position)); a start below 1 is raised to 1 and written back. The
// picture is refreshed after every position; Escape (CancelDrawing) ends the
// walk after the current layer. The pen width is 1 pixel afterwards.
void DrawSHPData(int& start, PictureSurface& picture, const std::function<bool(int position)>& ticked);

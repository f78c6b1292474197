#pragma once
// Brings a GIS layer between the map's two coordinate systems: UTM metres and
// geographic degrees.
#include <QString>

// Converts every vertex of GISLayers(layerIndex) in place, with the current
// ellipsoid in the given UTM zone: direction 1 from UTM to geographic, any
// other value from geographic to UTM (a point layer converts one vertex per
// feature). Afterwards the extents of all GIS layers and of all their
// features are recomputed from their vertices; a layer or feature without
// vertices keeps the start limits (minimum 10 000 000, maximum -10 000 000).
// Progress shows through statusProgress(), at most once per percent of the
// features and every 40 ms. Grid northings are in the map's hemisphere
// (NorthZone) both ways, so a layer across the equator comes back whole. An
// index outside 1..GISCount raises error 9, and what gisLayerConversionRefusal
// refuses raises error 5 with its message, both before anything changes.
// DataExtent is left to the caller.
void ConvertGISLayerCoords(int layerIndex, int zone, int direction);

// Why GISLayers(layerIndex) cannot be converted in `zone` (direction as
// above), checked before anything is converted: no ellipsoid to convert with
// (conversion_ellipsoid.h), or a vertex the conversion would take lies where
// the zone's projection does not hold (conversion_reach.h). Empty when it
// can; an index outside 1..GISCount raises error 9.
QString gisLayerConversionRefusal(int layerIndex, int zone, int direction);

// Recomputes the extent of every GIS layer and the box of each of its features.
void RecomputeGISExtents();

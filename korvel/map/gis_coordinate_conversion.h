#pragma once
// Brings a GIS layer between the map's two coordinate systems: UTM metres and
// geographic degrees.

// Converts every vertex of GISLayers(layerIndex) in place, with the current
// ellipsoid in the given UTM zone: direction 1 from UTM to geographic, any
// other value from geographic to UTM (a point layer converts one vertex per
// feature). Afterwards the extents of all GIS layers and of all their
// features are recomputed from their vertices; a layer or feature without
// vertices keeps the start limits (minimum 10 000 000, maximum -10 000 000).
// Progress shows through statusProgress(). An index outside 1..GISCount
// raises error 9, and an ellipsoid that cannot convert (none selected)
// raises error 5 before anything changes (conversion_ellipsoid.h).
// DataExtent is left to the caller.
void ConvertGISLayerCoords(int layerIndex, int zone, int direction);

// Recomputes the extent of every GIS layer and the box of each of its features.
void RecomputeGISExtents();

#pragma once
// Brings the parts of an AG-NAV block between the map's two coordinate
// systems, in place: mode 1 from UTM (X easting, Y northing, metres) to
// geographic (X longitude, Y latitude, degrees), any other mode from
// geographic to UTM. The zone is the block's UTM zone 1..60; the ellipsoid is
// the block's own or the map's current one, as the caller decides. Grid
// points are read and made in the map's hemisphere (NorthZone), both ways,
// so a block across the equator keeps one grid and comes back whole. The
// zone and ellipsoid stay in the conversion registers afterwards.
//
// CoordType, the system of the block's files, is never changed here.
#include "korvel/workspace/agnav_block.h"

// The same conversions on parts held outside the block list (a block being
// built, a set being read).
void convertBoundary(AGNAVBlock& block, int zone, int mode, double axis, double inverseFlattening);
void convertGuidanceSet(GuidanceSet& set, int zone, int mode, double axis, double inverseFlattening);
void convertExclusionZones(std::vector<ShapeRecord>& zones, int zoneCount, int zone, int mode, double axis,
    double inverseFlattening);
void convertFlight(FlightFile& flight, int zone, int mode, double axis, double inverseFlattening);

// Vertices 1..VertexCount with the progress bar moved per vertex and the
// status text "Converting Coordinates"; then the boundary's extent is
// recomputed from its vertices. A boundary without vertices is left alone.
void ConvertBoundaryCoords(int blockIndex, int zone, int mode, double axis, double inverseFlattening);
// Every point of every guidance line; no progress, no extent.
void ConvertGuidanceCoords(int blockIndex, int zone, int mode, double axis, double inverseFlattening);
// Every point of zones 1..ExclusionZoneCount; no progress. Zone areas stay,
// being square metres in either system.
void ConvertExclusionCoords(int blockIndex, int zone, int mode, double axis, double inverseFlattening);
// Sample positions 1..SampleCount, the progress bar moved every tenth sample.
void ConvertFlightCoords(
    int blockIndex, int flightIndex, int zone, int mode, double axis, double inverseFlattening);

// The map-wide switch for one block, with the block's zone and the map's
// current ellipsoid: its boundary, its guidance lines when loaded, its
// exclusion zones and every flight. Mode as above (1 when the map was in UTM).
// What blockConversionRefusal refuses raises error 5 with its message, and
// nothing changes.
void ConvertBlockCoords(int blockIndex, int mode);
// Why ConvertBlockCoords(blockIndex, mode) cannot convert, checked before
// anything is: no ellipsoid to convert with, or a point of one of the parts
// lies where the zone's projection does not hold (conversion_reach.h).
// Empty when it can.
QString blockConversionRefusal(int blockIndex, int mode);

// Whether every point the conversion above of the same part would take lies
// where the zone's projection holds; nothing is changed. The ellipsoid must
// be one that converts (conversion_ellipsoid.h).
bool boundaryWithinReach(const AGNAVBlock& block, int zone, int mode, double axis, double inverseFlattening);
bool guidanceSetWithinReach(
    const GuidanceSet& set, int zone, int mode, double axis, double inverseFlattening);
bool exclusionZonesWithinReach(const std::vector<ShapeRecord>& zones, int zoneCount, int zone, int mode,
    double axis, double inverseFlattening);
// What a block beyond the reach of a zone kept from being done.
enum class BlockReachRefusal {
    Conversion, // its coordinates were not converted
    BoundaryFile, // Accept: a new block's boundary file was not written
    GuidanceLines, // a guidance save: neither file was written
    Preview, // the preview laid no lines
};

// The refusal when `part` of the block ("" for the block itself, "the
// guidance lines of", ...) lies out of the reach of `zone`; boundaryInDegrees:
// the block's boundary is held in degrees, so the message can name the zone
// of its middle. It says what `refused` left undone and how the user goes
// on: the guidance lines are written in the zone the block's boundary file
// names, so where that zone cannot hold the block, choosing another for the
// map does not help, and the block is made again in its area's zone.
QString blockOutOfReachMessage(const AGNAVBlock& block, const QString& part, int zone, bool boundaryInDegrees,
    BlockReachRefusal refused = BlockReachRefusal::Conversion);

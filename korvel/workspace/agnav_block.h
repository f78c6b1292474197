#pragma once
// The loaded AG-NAV spray blocks: each block's boundary with its guidance
// lines, exclusion zones and recorded spray flights, the list that holds the
// blocks and the counts that go with it. Loading, the coordinate conversion,
// the readers, the map drawing, the layer list, the statistics and the
// session file read and write these records directly.
//
// Every list runs from 0 to its count and is used from 1; element 0 exists
// and carries no data (a flight's per-sample lists use element 0 for start
// values, see FlightFile). Coordinates in memory are always in the map's
// current system: UTM metres while UTMMode is True, else decimal degrees
// (X longitude, Y latitude). CoordType names the system of the block's files.
#include "korvel/workspace/program_globals.h"
#include "korvel/workspace/sample_list.h"
#include "korvel/workspace/shape_record.h"

#include <QString>
#include <QtGlobal>
#include <vector>

// One guidance line: points 1..PointCount (2 for a computed line).
struct GuidancePolyline
{
    int PointCount = 0;
    std::vector<double> X = std::vector<double>(1); // easting or longitude
    std::vector<double> Y = std::vector<double>(1); // northing or latitude
};

// The guidance lines of one block, read from its guidance-line file or
// taken from a guidance save.
struct GuidanceSet
{
    QString SourcePath; // the block's guidance-line file
    int CaptionTrim = 0; // characters cut from the list caption
    int LineCount = 0;
    std::vector<GuidancePolyline> Lines = std::vector<GuidancePolyline>(1); // 1..LineCount
    bool Visible = false; // written by the map redraw
};

// A sample position of a flight, in the map's system at the time.
struct FlightPosition
{
    double X = 0.0; // easting in metres or longitude in degrees
    double Y = 0.0; // northing in metres or latitude in degrees
};

// One recorded spray flight of a block: per-sample lists, sample i at index
// i = 1..SampleCount. Index 0 holds the start values: 0 everywhere except
// Colour[0], the track's plain colour (red). The map drawing takes Flow > 0
// as "spraying" and Spray as the boom state; a track's segments run from
// sample k - 1 to sample k.
struct FlightFile
{
    SampleList<quint8> Spray; // boom state: 0 off, otherwise on
    SampleList<qint16> Flow; // actual flow; the calibrated speed while spraying in a log without flow data
    SampleList<qint16> Target; // target flow; the ground speed while spraying in a log without flow data
    SampleList<qint32> Colour; // map colour 0x00BBGGRR; 0 (black) where no deviation is defined
    SampleList<quint8> DGPSQuality; // allocated with the others; the logs read carry none
    SampleList<qint32> Altitude; // metres above sea level
    SampleList<float> Time; // seconds
    SampleList<qint32> CrossTrack; // in the unit of the swath width
    SampleList<FlightPosition> Position;
    QString Path; // the log as chosen (a network path stays one)
    int CaptionTrim = 0;
    QString Name; // the path after its last "/"
    bool Selected = false; // kept by the map drawing and the layer list
    bool Visible = false; // written by the map redraw
    int SampleCount = 0;
    int SwathWidth = 0; // in the unit of the log's swath
    bool NoFlowData = false;
    // The figures of the printed report's summary, filled at load over the
    // samples that spray (see decodeFlightLog): the sprayed area in square
    // metres (Part2 holds nothing KORVEL computes, kept 0) and the ground
    // speeds summed in metres per second with their count.
    double SprayedAreaPart1 = 0.0;
    double SprayedAreaPart2 = 0.0;
    double SpeedSum = 0.0;
    qint32 SpeedSamples = 0;
};

// The master point of the block's guidance, as texts in the file's system.
struct AGNAVMasterPoint
{
    QString MasterX; // easting or longitude
    QString MasterY; // northing or latitude
};

// The extent a block starts from before its corners widen it.
inline constexpr double BlockExtentStart = 100000000.0;

struct AGNAVBlock
{
    // Area inside the boundary in square metres, signed by the order of the
    // vertices (positive clockwise with north up).
    double Area = 0.0;
    // The boundary polygon, vertices 1..VertexCount in file order, not
    // repeated closed.
    ShapeRecord Boundary;
    int VertexCount = 0;
    QString Path; // the boundary file; a path held by a block cannot be loaded again
    int CaptionTrim = 0;
    QString FileName; // the path after its last "/"
    QString DisplayName; // caption of the block's row in the layer list
    bool Visible = false;
    bool Redraw = false;
    qint32 Colour = 0; // 0x00BBGGRR
    QString CoordType; // "UTM" or "GEO": the system of the block's files
    std::vector<FlightFile> Flights = std::vector<FlightFile>(1); // 1..FlightCount
    GuidanceSet Guidance;
    std::vector<ShapeRecord> ExclusionZones = std::vector<ShapeRecord>(1); // 1..ExclusionZoneCount
    std::vector<double> ExclusionAreas = std::vector<double>(1); // square metres
    bool SubItemSelected = false;
    bool ExclusionVisible = false; // written by the map redraw
    int ExclusionZoneCount = 0;
    // Where the guidance system stores the block's spray data: the boundary
    // file's folder and the job name of record 35, each ending in "/".
    QString DataFolder;
    QString DataSubfolder; // the job name and "/"
    int FlightCount = 0;
    bool GuidanceLoaded = false;
    bool ExclusionLoaded = false;
    int Thickness = 0; // boundary line width in pixels
    // The ellipsoid of the block's files (from the boundary file, or the
    // map's when the file gives none) and its UTM zone, 1 to 60.
    EllipsoidRecord Ellipsoid;
    int Zone = 0;
    // The job values that a guidance save rewrites, as written in the file.
    QString SwathWidthText;
    QString HeadingText;
    QString LineCountText;
    int OffsetCode = 0; // 1 = half a swath, 0 = none
    AGNAVMasterPoint MasterPoint;

    bool isGeographicFile() const { return CoordType == QLatin1String("GEO"); }
};

struct AgnavData
{
    std::vector<AGNAVBlock> Blocks = std::vector<AGNAVBlock>(1); // 1..BlockCount; element 0 unused
    int BlockCount = 0;
    int GuidanceCount = 0; // blocks with guidance lines loaded
    int ExclusionCount = 0; // blocks with exclusion zones loaded
    int FlightCount = 0; // spray flights loaded over all blocks
    // The calibrated speed last entered for a log without flow data, offered
    // again as the answer for the next one during this run.
    QString LastCalibratedSpeed;
};

AgnavData& agnavData();
void resetAgnavData();

// Returns "" while one more block fits, otherwise "Cannot load more than 255
// AG-NAV blocks.".
QString blockLimitRefusal();
// Returns "" while the block can take one more flight, otherwise "Cannot load
// more than 255 spray data files for one block.".
QString flightLimitRefusal(const AGNAVBlock& block);

// The block at index 1..BlockCount; any other index raises error 9.
AGNAVBlock& blockAt(int blockIndex);
// Whether blockAt would find a block at this index.
bool isBlock(int blockIndex);

// Appends an empty block at BlockCount + 1 and returns its index. A full
// list of blocks, or a "Loaded Files" list that holds 255 rows, raises error
// 6 with the refusal text and changes nothing.
int appendBlock();
// Removes a block, closing the gap so that blocks stay numbered
// 1..BlockCount, and takes what it held out of the program-wide counts;
// AGNAVLoaded becomes False with the last block. Raises error 9 for an index
// outside 1..BlockCount.
void removeBlock(int blockIndex);
// Takes back the newest block after a failed load; nothing without blocks.
void removeLastBlock();

// Hands a loaded flight to a block as its flight FlightCount + 1 and raises
// the program-wide FlightCount; returns the flight's index. A block already
// holding 255 flights, or a full "Loaded Files" list, raises error 6 and the
// block is left as it was.
int appendFlight(int blockIndex, FlightFile flight);

// True when some loaded block has exactly this boundary file path.
bool blockPathLoaded(const QString& path);
// True when some flight of some block has exactly this path.
bool flightPathLoaded(const QString& path);

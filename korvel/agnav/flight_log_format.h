#pragma once
// The AG-NAV spray flight log ("N???????.T??"): binary, fixed records of 51
// bytes, little-endian, packed. The third byte of the file is the format
// marker: 3 = 51-byte records (read here), 2 = the 70-byte format (refused),
// anything else is no flight log. One record per position fix:
//
//   offset size
//    0     3   header (the marker in the first record)
//    3     4   time, hundredths of a second
//    7     4   latitude  x 1 000 000, degrees
//   11     4   longitude x 1 000 000, degrees
//   18     4   cross-track error, in the unit of the swath width
//   22     2   ground speed, hundredths of a metre per second
//   24     2   altitude, metres above sea level
//   28     4   UTM easting, metres
//   32     4   UTM northing, metres
//   36     2   swath width x 10 (the first record's counts)
//   39     1   spray state, 0 = booms off
//   43     2   flow (actual application)
//   45     2   target flow; above 30000 no target, the previous one stays
//
// The other bytes are not used.
#include "korvel/workspace/agnav_outcome.h"
#include "korvel/workspace/agnav_block.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <optional>

class StatusProgress;

inline constexpr int AGFRecordLength = 51;
inline constexpr int AGFFormatMarkerOffset = 2;
inline constexpr int AGFTargetAbsent = 30000; // target fields above this carry no target

// The fields of one record that the program uses.
struct AGFRecord
{
    qint32 Time = 0; // hundredths of a second
    qint32 Latitude = 0; // degrees x 1 000 000
    qint32 Longitude = 0;
    qint32 CrossTrack = 0;
    qint16 GroundSpeed = 0;
    qint16 Altitude = 0;
    qint32 Easting = 0; // metres
    qint32 Northing = 0;
    qint16 SwathWidth = 0; // x 10
    quint8 Spray = 0;
    qint16 Flow = 0;
    qint16 Target = 0;
};

// Decodes the 51 bytes at `record`.
AGFRecord decodeAGFRecord(const char* record);

struct FlightDecodeOptions
{
    // Positions as easting/northing (True) or longitude/latitude degrees.
    bool utmMode = true;
    // Asked only for a log without flow data: the calibrated speed in
    // hundredths of a metre per second, or nothing when the user cancels.
    std::function<std::optional<int>()> askCalibratedSpeed;
    // Shows "Loading AGNAV File" and the progress while samples are decoded.
    StatusProgress* progress = nullptr;
};

// Decodes a whole log from memory into the flight's per-sample lists,
// SampleCount, SwathWidth and NoFlowData (Path and Name are the caller's).
// The samples are the whole records of the file; a partial record at the
// end is ignored. Refuses a log in the 70-byte format and any file without a
// 51-byte marker or without one whole record; a Cancel of the calibrated
// speed question abandons it.
//
// Each sample gets a colour for the map from its deviation from the target,
// d = (flow / target - 1) x 100 % (for a log without flow data, where the
// booms are on: d = (1 - calibrated speed / ground speed) x 100 %), held to
// -25..25: green (0 %) fading to red (+25 %) or to blue (-25 %). Samples
// without flow, with the booms off in a log without flow data, or whose
// target or ground speed is 0 (no deviation defined) stay black (0).
//
// A sample sprays when its flow is above 0, or, in a log without flow data,
// when its booms are on. Over the samples that spray the flight's SpeedSum
// adds the ground speeds (m/s) and SpeedSamples counts them; its
// SprayedAreaPart1 adds, for each sample that sprays and the sample after
// it, the distance between their UTM positions times the swath width (the
// first record's, in metres), whatever the map's coordinate mode.
AgnavOutcome decodeFlightLog(const QByteArray& bytes, const FlightDecodeOptions& options, FlightFile& flight);

// The question for a log without flow data, in the user's unit.
QString calibratedSpeedPrompt(bool metricSystem);
// The calibrated speed an answer gives, in hundredths of a metre per second
// (km/h x 1000 / 36; mph are first multiplied by 1.609), rounded half to
// even; the answer is read as typed (typedNumberValue). Nothing unless it is
// a number from 1 to 1000 km/h, or from 1 to 620 mph: a speed the question
// should be asked again for.
std::optional<int> calibratedSpeedFromAnswer(const QString& answer, bool metricSystem);

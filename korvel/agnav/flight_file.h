#pragma once
// Loading of one recorded spray flight under a block: the reading part of
// the spray-data commands and of the session reader. The file dialog, the
// "is already open." box, the calibrated-speed question, the list row and the
// redraw are the caller's.
#include "korvel/workspace/agnav_outcome.h"

#include <QString>
#include <functional>
#include <optional>

// Reads the log at path and appends it to Blocks(blockIndex) as its newest
// flight, with positions in the map's current system; the block's and the
// program-wide FlightCount rise by one. All or nothing: a refusal (a block
// already holding 255 flights, a file that cannot be read, a log that is not
// valid) or a Cancel of the question leaves the block as it was. A log on a
// network file system is read from a private temporary copy, which is gone
// afterwards; the flight's Path still names the network file. askCalibratedSpeed
// is asked only for a log without flow data (see decodeFlightLog). On success
// *flightIndex, when given, gets the flight's index.
AgnavOutcome LoadFlightFile(int blockIndex, const QString& path,
    const std::function<std::optional<int>()>& askCalibratedSpeed, int* flightIndex = nullptr);

#include "korvel/agnav/flight_file.h"

#include "korvel/agnav/agnav_block.h"
#include "korvel/agnav/flight_log_format.h"
#include "korvel/shell/program_globals.h"
#include "korvel/shell/status_progress.h"
#include "platform/file_helpers.h"

#include <memory>

namespace {

// The log's bytes, through a private copy when it lies on a network file
// system: the guidance system may still be writing to a shared folder, and a
// fixed work-file name would let two loads overwrite each other's copy.
bool readLog(const QString& path, QByteArray& bytes, QString& error)
{
    std::unique_ptr<TemporaryCopy> copy;
    QString readPath = path;
    if (isOnNetworkFileSystem(path)) {
        copy = TemporaryCopy::create(path, &error);
        if (!copy) {
            return false;
        }
        readPath = copy->path();
    }
    return readWholeFile(readPath, bytes, &error);
}

} // namespace

AgnavOutcome LoadFlightFile(int blockIndex, const QString& path,
    const std::function<std::optional<int>()>& askCalibratedSpeed, int* flightIndex)
{
    const QString refusal = flightLimitRefusal(blockAt(blockIndex));
    if (!refusal.isEmpty()) {
        return AgnavOutcome::refused(refusal);
    }
    QByteArray bytes;
    QString error;
    if (!readLog(path, bytes, error)) {
        return AgnavOutcome::refused(QStringLiteral("Cannot read %1: %2").arg(path, error));
    }
    FlightFile flight;
    flight.Path = path;
    flight.Name = path.mid(path.lastIndexOf(u'/') + 1);
    FlightDecodeOptions options;
    options.utmMode = globals().UTMMode;
    options.askCalibratedSpeed = askCalibratedSpeed;
    options.progress = &statusProgress();
    const AgnavOutcome outcome = decodeFlightLog(bytes, options, flight);
    if (!outcome.isDone()) {
        return outcome;
    }
    const int index = appendFlight(blockIndex, std::move(flight));
    if (flightIndex) {
        *flightIndex = index;
    }
    return outcome;
}

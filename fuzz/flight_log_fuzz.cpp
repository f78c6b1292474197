// Feeds arbitrary bytes to the AG-NAV flight log decoder. An accepted log has
// one sample per whole 51-byte record and every per-sample list sized 0..N.
#include "korvel/agnav/flight_log_format.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    FlightDecodeOptions options;
    options.utmMode = size % 2 == 0;
    options.askCalibratedSpeed = [] { return std::optional<int>(2778); };
    FlightFile flight;
    if (!decodeFlightLog(bytes, options, flight).isDone())
        return 0;
    const std::size_t lists = static_cast<std::size_t>(flight.SampleCount) + 1;
    if (flight.SampleCount != qsizetype(size) / AGFRecordLength || flight.Spray.size() != lists
        || flight.Flow.size() != lists || flight.Target.size() != lists || flight.Colour.size() != lists
        || flight.DGPSQuality.size() != lists || flight.Altitude.size() != lists
        || flight.Time.size() != lists || flight.CrossTrack.size() != lists
        || flight.Position.size() != lists)
        std::abort();
    return 0;
}

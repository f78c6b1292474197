// Feeds arbitrary bytes to the AG-NAV exclusion-zone file reader, read as a
// UTM and as a latitude/longitude file. Accepted zones are at most 255, each
// with matching X and Y lists and at least one vertex.
#include "korvel/agnav/exclusion_file_format.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const bool geographic : { false, true }) {
        std::vector<ShapeRecord> zones;
        if (!parseExclusionFile(bytes, geographic, zones).isDone())
            continue;
        if (zones.empty() || zones.size() > 256)
            std::abort();
        for (std::size_t z = 1; z < zones.size(); ++z) {
            if (zones[z].X.size() != zones[z].Y.size() || zones[z].upperBound() < 1)
                std::abort();
        }
    }
    if (highestExclusionZoneNumber(bytes) < 0)
        std::abort();
    return 0;
}

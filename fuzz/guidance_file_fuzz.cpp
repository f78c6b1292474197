// Feeds arbitrary bytes to the AG-NAV guidance-line file reader. An accepted
// set has LineCount lines, each with PointCount points in both lists.
#include "korvel/guidance/guidance_file.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    GuidanceSet set;
    if (!parseGuidanceFile(bytes, set).isDone())
        return 0;
    if (set.Lines.size() != static_cast<std::size_t>(set.LineCount) + 1)
        std::abort();
    for (std::size_t l = 1; l < set.Lines.size(); ++l) {
        const GuidancePolyline& line = set.Lines[l];
        if (line.X.size() != static_cast<std::size_t>(line.PointCount) + 1 || line.Y.size() != line.X.size())
            std::abort();
    }
    return 0;
}

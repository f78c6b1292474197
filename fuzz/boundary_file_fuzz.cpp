// Feeds arbitrary bytes to the AG-NAV boundary file reader. Whatever it
// accepts must be a consistent block: a known coordinate system, a zone of
// 1..60 and as many corners as VertexCount says.
#include "korvel/agnav/boundary_file_reader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    AGNAVBlock block;
    block.DataFolder = QStringLiteral("/data/");
    const std::vector<EllipsoidRecord> table { EllipsoidRecord(),
        { QStringLiteral("WGS-84"), 6378137.0, 298.257223563 } };
    if (!parseBoundaryFile(bytes, block, table).isDone())
        return 0;
    if (block.Zone < 1 || block.Zone > 60 || block.Boundary.upperBound() != block.VertexCount
        || block.Boundary.Y.size() != block.Boundary.X.size())
        std::abort();
    return 0;
}

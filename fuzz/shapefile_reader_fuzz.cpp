// Feeds arbitrary bytes to the shapefile decoder and to the side-file parser.
// Whatever the decoder accepts must be a consistent layer: every feature's
// vertices inside the list, every part start inside its feature.
#include "korvel/map/met_side_file.h"
#include "korvel/map/shapefile_reader_records.h"
#include "korvel/workspace/layer_records.h"

#include <cstdint>
#include <cstdlib>

namespace {

void checkLayer(const GISLayer& layer)
{
    std::int64_t vertices = 0;
    for (int s = 1; s <= layer.ShapeCount(); ++s) {
        const int n = layer.PointCounts(s);
        vertices += n;
        if (layer.ShapeType == 1 || static_cast<std::size_t>(s) >= layer.ShapeParts.size()) {
            continue;
        }
        const ShapeParts& parts = layer.ShapeParts[static_cast<std::size_t>(s)];
        if (parts.PartCount > 1) {
            if (parts.PartStart.size() != static_cast<std::size_t>(parts.PartCount) + 2
                || parts.PartStart[1] != 1 || parts.PartStart.back() != n + 1) {
                std::abort();
            }
            for (int k = 1; k <= parts.PartCount; ++k) {
                if (parts.PartStart[std::size_t(k)] >= parts.PartStart[std::size_t(k) + 1]) {
                    std::abort();
                }
            }
        }
    }
    if (vertices != layer.Shapes.vertexTotal()) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    GISLayer layer;
    const GISReadResult result = decodeShapefile(bytes, QStringLiteral("fuzz.shp"), layer);
    if (result.ok) {
        checkLayer(layer);
    } else if (result.refusal.isEmpty() == result.description.isEmpty()) {
        std::abort();
    }

    QString error;
    const std::optional<MetSideFile> met
        = parseMetSideFile(bytes.toByteArray(), QStringLiteral("fuzz.met"), &error);
    if (met) {
        applyMetSideFile(*met, layer);
    } else if (error.isEmpty()) {
        std::abort();
    }
    return 0;
}

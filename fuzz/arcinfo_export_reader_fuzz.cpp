// Feeds arbitrary bytes to the ARC/INFO export decoder. Whatever it accepts
// must be a consistent layer: one part per arc, each box around its vertices.
#include "korvel/map/arcinfo_export_reader.h"
#include "korvel/workspace/layer_records.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    GISLayer layer;
    const GISReadResult result = decodeArcInterchange(bytes, QStringLiteral("fuzz.e00"), layer);
    if (!result.ok) {
        if (result.refusal.isEmpty() == result.description.isEmpty()) {
            std::abort();
        }
        return 0;
    }
    if (layer.ShapeParts.size() != static_cast<std::size_t>(layer.ShapeCount()) + 1) {
        std::abort();
    }
    for (int s = 1; s <= layer.ShapeCount(); ++s) {
        const ShapeBox& box = layer.Shapes.box(s);
        for (int p = 1; p <= layer.PointCounts(s); ++p) {
            const double x = layer.Shapes.X(s, p);
            const double y = layer.Shapes.Y(s, p);
            if (x < box.XMin || x > box.XMax || y < box.YMin || y > box.YMax) {
                std::abort();
            }
        }
    }
    return 0;
}

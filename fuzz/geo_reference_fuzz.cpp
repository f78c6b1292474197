// Feeds arbitrary bytes to the readers of a geo-reference file: the image
// loader's reader of its head, and the geo-referencing window's reader of
// its points. The first either takes the file, refuses it as no
// geo-reference, or raises the runtime error whose description names the
// file; the second never raises and gives at most eight points. The window
// reads all that the loader reads and more, so a file it reads whole is one
// the loader takes. Nothing else may happen.
#include "korvel/georef/geo_reference_file.h"
#include "korvel/map/image_loading.h"
#include "platform/vb_error.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    bool loaded = false;
    try {
        const std::optional<GeoReference> reference = parseGeoReference(bytes, QStringLiteral("photo.ref"));
        if (reference && (reference->Zone < 0 || reference->Zone > 255 || reference->ControlPointCount < 0))
            std::abort();
        loaded = reference.has_value();
    } catch (const VbError& error) {
        if (!error.Description().contains(QStringLiteral("photo.ref")))
            std::abort();
    }
    const GeoReferencePoints points = parseGeoReferencePoints(bytes, QStringLiteral("photo.ref"));
    if (points.Points.size() > size_t(MaxControlPoints) || (points.complete && !points.error.isEmpty()))
        std::abort();
    if (points.complete && !loaded)
        std::abort();
    return 0;
}

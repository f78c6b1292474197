// Feeds arbitrary bytes to the reader of "AGNAV Ellipsoids.txt". Every row it
// gives must be whole: a trimmed name without a comma, and an axis and a
// flattening that are numbers.
#include "korvel/agnav/agnav_ellipsoid_list.h"
#include "platform/vb_numbers.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const AGNAVEllipsoid& row : parseAgnavEllipsoidFile(bytes)) {
        if (row.EllipsoidName.isEmpty() || row.EllipsoidName.contains(u',')
            || row.EllipsoidName != row.EllipsoidName.trimmed() || !numericValue(row.EllipsoidAxis)
            || !numericValue(row.EllipsoidFlattening)) {
            std::abort();
        }
    }
    return 0;
}

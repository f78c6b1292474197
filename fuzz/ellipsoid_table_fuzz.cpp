// Feeds arbitrary bytes to the reader of the ellipsoid table "ellipsoid.dat".
// It either gives at least one row and no error, or an error and no row; the
// ellipsoid chosen by the last row's name is that row.
#include "korvel/shell/ellipsoid_table.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const EllipsoidTableResult table = parseEllipsoidTable(bytes);
    if (!table.error.isEmpty()) {
        if (!table.rows.empty())
            std::abort();
        return 0;
    }
    if (table.rows.size() < 2)
        std::abort();
    EllipsoidRecord chosen;
    const std::vector<int> matches = selectEllipsoid(table.rows, table.rows.back().Name, chosen);
    if (matches.empty() || std::size_t(matches.back()) != table.rows.size() - 1)
        std::abort();
    return 0;
}

// Feeds arbitrary bytes to the dBASE table reader. Whatever it accepts must
// read whole: every record fetched, one value per field and record, and the
// counts it reported bounded by the bytes it was given.
#include "platform/attribute_table.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    QString error;
    const std::unique_ptr<DBaseTable> table
        = DBaseTable::fromBytes(bytes, QStringLiteral("fuzz.dbf"), &error);
    if (!table) {
        if (error.isEmpty()) {
            std::abort();
        }
        return 0;
    }
    // Every field takes at least one byte of every record.
    if (qint64(table->recordCount()) * table->fieldCount() > qint64(size)) {
        std::abort();
    }
    AttributeColumns columns;
    if (!table->getRows(0, table->recordCount(), columns, &error)) {
        std::abort();
    }
    if (columns.size() != std::size_t(table->fieldCount())) {
        std::abort();
    }
    for (const auto& column : columns) {
        if (column.size() != std::size_t(table->recordCount())) {
            std::abort();
        }
    }
    return 0;
}

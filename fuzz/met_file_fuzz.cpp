// Feeds arbitrary bytes to the Kitoon and tall-tower data file readers (the
// first byte chooses the reader). An accepted file has at least one record,
// its first at an elapsed time within 5 seconds of 0; a refused one hands
// over no records and says why.
#include "korvel/met/met_file_reader.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray bytes(reinterpret_cast<const char*>(data) + 1, qsizetype(size - 1));
    const MetFileRead read = data[0] & 1 ? readTowerFile(bytes) : readKitoonFile(bytes);
    if (!read.ok) {
        if (read.file.recordCount() != 0 || read.error.isEmpty())
            std::abort();
        return 0;
    }
    if (read.file.recordCount() < 1)
        std::abort();
    const qint32 first = read.file.record(1).ElapsedTime;
    if (first < -5 || first > 5)
        std::abort();
    return 0;
}

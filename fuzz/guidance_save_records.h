#pragma once
// The values a guidance save writes into records 4, 17, 36 and 37, as the
// fuzz targets of the rewrite give them. The master point is the one the
// save takes from the block read from the file; without a block it is one
// that fits its columns, so no rewrite may refuse the values.
#include "korvel/agnav/boundary_file_writer.h"
#include "korvel/guidance/boundary_guidance_records.h"
#include "korvel/workspace/agnav_block.h"

#include <tuple>

inline GuidanceRecords fuzzGuidanceRecords()
{
    GuidanceRecords records;
    records.lineCount = QStringLiteral("12");
    records.masterFirst = QStringLiteral("500600.0");
    records.masterSecond = QStringLiteral("4800700.0");
    records.heading = QStringLiteral("123.690067525979");
    records.swath = QStringLiteral("100");
    records.offsetCode = 1;
    return records;
}

// The save's values with the block's master point in record 17's order:
// easting first in a UTM file, latitude first in any other.
inline GuidanceRecords fuzzGuidanceRecords(const AGNAVBlock& read)
{
    GuidanceRecords records = fuzzGuidanceRecords();
    const bool utmFile = read.CoordType == QLatin1String("UTM");
    std::tie(records.masterFirst, records.masterSecond)
        = masterPointInFileOrder(read.MasterPoint.MasterX, read.MasterPoint.MasterY, utmFile);
    return records;
}

#pragma once
// The values a guidance save writes into records 4, 17, 36 and 37, as the
// fuzz targets of the rewrite give them: every one fits its columns, so no
// rewrite may refuse them.
#include "korvel/guidance/boundary_guidance_records.h"

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

#include "korvel/guidance/boundary_guidance_records.h"

#include <gtest/gtest.h>

namespace {

// A boundary file as KORVEL's job dialog writes it, with a record the
// guidance system added (55) and one numbered 170.
const QByteArray JobFile = "0  NORTH FIELD\r\n"
                           "1  U  279\r\n"
                           "2   500600.0   4800700.0        AREA CORNER 1 \r\n"
                           "4           20                  NUMBER OF LINES\r\n"
                           "8          100                  MAX CROSS TRACK\r\n"
                           "17   500600.0  4800700.0  90.00 MASTER POINT, HEADING\r\n"
                           "55 SOMETHING NEW\r\n"
                           "170  KEEP ME\r\n"
                           "36         30         1  1      SWATH WIDTH, NO OF A/C, SPRAY ON CLOSURE OF CONTACT\r\n"
                           "37          1                   HALF-SWATH OFFSET OF THE FIRST LINE\r\n"
                           "40           0                  MAGNETIC VARIATION, Deg.\r\n"
                           "41        0.00                  SYSTEM LAG, Sec.\r\n"
                           "102  UTM                        UTM X/Y SCALE\r\n";

GuidanceRecords saved()
{
    GuidanceRecords records;
    records.lineCount = QStringLiteral("4");
    records.masterFirst = QStringLiteral("500600.0");
    records.masterSecond = QStringLiteral("4800700.0");
    records.heading = QStringLiteral("123.690067525979");
    records.swath = QStringLiteral("25");
    records.offsetCode = 0;
    return records;
}

QByteArray rewrite(const QByteArray& bytes, const GuidanceRecords& records = saved())
{
    QByteArray out;
    const AgnavOutcome outcome = rewriteGuidanceRecords(bytes, records, out);
    EXPECT_TRUE(outcome.isDone()) << outcome.message().toStdString();
    return out;
}

TEST(BoundaryGuidanceRecords, RewritesTheFourRecordsAndKeepsEveryOtherLine)
{
    const QByteArray expected = "0  NORTH FIELD\r\n"
                                "1  U  279\r\n"
                                "2   500600.0   4800700.0        AREA CORNER 1 \r\n"
                                "4            4                  NUMBER OF LINES\r\n"
                                "8          100                  MAX CROSS TRACK\r\n"
                                "17   500600.0  4800700.0 123.69 MASTER POINT, HEADING\r\n"
                                "55 SOMETHING NEW\r\n"
                                "170  KEEP ME\r\n"
                                "36         25         1  1      SWATH WIDTH, NO OF A/C, SPRAY ON CLOSURE OF CONTACT\r\n"
                                "37          0                   NO OFFSET OF THE FIRST LINE\r\n"
                                "40           0                  MAGNETIC VARIATION, Deg.\r\n"
                                "41        0.00                  SYSTEM LAG, Sec.\r\n"
                                "102  UTM                        UTM X/Y SCALE\r\n";
    EXPECT_EQ(rewrite(JobFile), expected);
}

TEST(BoundaryGuidanceRecords, LinesOfAnyShape)
{
    const struct
    {
        const char* name;
        QByteArray in;
        QByteArray out;
    } rows[] = {
        { "no record 36: none is added; LF and CR line ends become CR LF",
            "0 A\n37 1  X\r41 0\n", "0 A\r\n37          0                   NO OFFSET OF THE FIRST LINE\r\n41 0\r\n" },
        { "a last line without line end gets one", "0 A", "0 A\r\n" },
        { "empty lines stay", "0 A\r\n\r\n\r\n", "0 A\r\n\r\n\r\n" },
        { "record 36 shorter than 22 characters keeps nothing of its rest but the blank after the swath",
            "36         30 \r\n", "36         25 \r\n" },
        { "a record number after blanks is still the record", "  4 20\r\n",
            "4            4                  NUMBER OF LINES\r\n" },
        { "an empty file stays empty", "", "" },
        { "the DOS end mark stays after the last line end", "0 A\r\n\x1a\r\n", "0 A\r\n\x1a\r\n" },
        { "a mark in place of the last line end comes after it", "0 A\x1a", "0 A\r\n\x1a" },
        { "a record number with a leading zero is the record", "036 30\r\n", "36         25 \r\n" },
        { "a UTF-8 mark stays in front", "\xEF\xBB\xBF" "4 1\r\n",
            "\xEF\xBB\xBF" "4            4                  NUMBER OF LINES\r\n" },
        { "Windows-1252 bytes survive in the lines kept and in record 36",
            "0 CHAMP \xC9T\xC9\r\n36 30                1 CAF\xC9\r\n",
            "0 CHAMP \xC9T\xC9\r\n36         25        1 CAF\xC9\r\n" },
        { "UTF-8 stays UTF-8", "0 \xC3\x89T\xC3\x89\r\n36 30                1 CAF\xC3\x89\r\n",
            "0 \xC3\x89T\xC3\x89\r\n36         25        1 CAF\xC3\x89\r\n" },
        { "a character beyond the basic plane as the 22nd character or the 21st stays whole or goes whole",
            "36 30                \xF0\x9D\x84\x9E" "1\r\n36 30               \xF0\x9D\x84\x9E 1\r\n",
            "36         25        \xF0\x9D\x84\x9E" "1\r\n36         25         1\r\n" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(rewrite(row.in), row.out);
    }
}

TEST(BoundaryGuidanceRecords, OffsetCodesAndHeadings)
{
    GuidanceRecords records = saved();
    records.offsetCode = 1;
    records.heading = QStringLiteral("45");
    records.masterFirst = QStringLiteral("43.360000");
    records.masterSecond = QStringLiteral("-80.990000");
    EXPECT_EQ(rewrite("17 x\r\n37 0\r\n", records),
        "17  43.360000 -80.990000  45.00 MASTER POINT, HEADING\r\n"
        "37          1                   HALF-SWATH OFFSET OF THE FIRST LINE\r\n");
    records.masterFirst.clear();
    records.masterSecond.clear();
    EXPECT_EQ(rewrite("17\r\n", records), "17                        45.00 MASTER POINT, HEADING\r\n")
        << "a block without a master point";
    EXPECT_EQ(offsetCodeText(2), "USE MASTER POINT");
    EXPECT_TRUE(offsetCodeText(7).isEmpty());
}


TEST(BoundaryGuidanceRecords, AValueTooWideForItsColumnsRefusesTheRewrite)
{
    GuidanceRecords records = saved();
    records.masterFirst = QStringLiteral("5006000000.0");
    QByteArray out = "untouched";
    const AgnavOutcome outcome = rewriteGuidanceRecords(JobFile, records, out);
    EXPECT_EQ(outcome.message(),
        "The master point \"5006000000.0\" is too long for its columns in record 17 of the boundary file.");
    EXPECT_EQ(out, "untouched");
}

} // namespace

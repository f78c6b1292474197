#include "korvel/met/met_selection.h"

#include "tests/support/korvel_test.h"

namespace {

using MetSelectionWalk = KorvelTest;

TEST_F(MetSelectionWalk, PicksTheRecordAtOrAfterTheSelection)
{
    MetFile file;
    for (qint32 elapsed : { -5, 10, 20, 30 }) {
        MetRecord record;
        record.ElapsedTime = elapsed;
        file.Records.push_back(record);
    }
    struct Case
    {
        double x;
        int record;
        bool move;
        double lineX;
    } cases[] = {
        { -20.0, 1, true, -5.0 }, // left of the start: the first record
        { 0.0, 2, true, 10.0 },
        { 9.6, 2, false, 0.0 }, // rounds to 10: exactly a record, the line stays
        { 10.0, 2, false, 0.0 },
        { 10.6, 3, true, 20.0 }, // rounds to 11, between two records: the later one
        { 29.5, 4, false, 0.0 }, // rounds to 30: the fourth record
        { 30.0, 4, false, 0.0 },
        { 30.6, 0, false, 0.0 }, // after the last record
    };
    for (const Case& c : cases) {
        const MetSelection chosen = metSelectionAt(file, c.x);
        EXPECT_EQ(chosen.record, c.record) << c.x;
        EXPECT_EQ(chosen.moveLine, c.move) << c.x;
        if (c.move) {
            EXPECT_EQ(chosen.lineX, c.lineX) << c.x;
        }
    }
}

} // namespace

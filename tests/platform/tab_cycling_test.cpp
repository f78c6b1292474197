#include "platform/tab_cycling.h"
#include "platform/vb_input_codes.h"
#include "tests/support/korvel_test.h"

using TabCycling = KorvelTest;

TEST_F(TabCycling, CtrlTabAndCtrlShiftTabWrapRoundAndOtherMasksStay)
{
    const struct
    {
        int current;
        int shift;
        int expected;
    } rows[] = {
        { 2, vbCtrlMask, 3 },
        { 4, vbCtrlMask, 1 },
        { 1, vbCtrlMask | vbShiftMask, 4 },
        { 3, vbCtrlMask | vbShiftMask, 2 },
        { 2, vbCtrlMask | vbAltMask, 2 },
        { 2, 0, 2 },
    };
    for (const auto& row : rows) {
        EXPECT_EQ(cycledTab(row.current, row.shift, 4), row.expected) << row.current << " " << row.shift;
    }
}

#include "korvel/workspace/program_globals.h"
#include "tests/support/korvel_test.h"

using ProgramGlobalsTest = KorvelTest;

TEST_F(ProgramGlobalsTest, FixtureStartsInUtmModeWithPrivateProgramFolder)
{
    EXPECT_TRUE(globals().UTMMode);
    EXPECT_EQ(globals().CoordFormat, "0");
    EXPECT_EQ(globals().RootDir, programDir());
    EXPECT_TRUE(globals().RootDir.endsWith('/'));
}

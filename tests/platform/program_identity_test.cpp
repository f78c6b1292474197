#include "platform/program_identity.h"
#include "tests/support/korvel_test.h"

using ProgramIdentityTest = KorvelTest;

TEST_F(ProgramIdentityTest, TestsRunAsTheMainProgram)
{
    EXPECT_EQ(programTitle(), "KORVEL");
    EXPECT_EQ(programExeName(), "korvel");
}

TEST_F(ProgramIdentityTest, WithoutOverridesTheExecutableNamesItself)
{
    resetProgramIdentity();
    EXPECT_EQ(programExeName(), "platform_tests");
    EXPECT_EQ(programTitle(), "platform_tests");
    setProgramTitle("Quillet");
    EXPECT_EQ(programTitle(), "Quillet");
}

TEST_F(ProgramIdentityTest, VersionComesFromTheBuildAndCanBeSet)
{
    resetProgramIdentity();
    EXPECT_GE(programMajorVersion(), 1);
    EXPECT_GE(programMinorVersion(), 0);
    setProgramVersion(2, 5);
    EXPECT_EQ(programMajorVersion(), 2);
    EXPECT_EQ(programMinorVersion(), 5);
}

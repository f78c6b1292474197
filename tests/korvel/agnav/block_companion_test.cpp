#include "korvel/agnav/block_companion.h"

#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/support/korvel_test.h"

namespace {

using BlockCompanionTest = KorvelTest;

TEST_F(BlockCompanionTest, ExactNameFirstThenAnyLetterCaseThenLowerCase)
{
    const QString boundary = workDir() + QStringLiteral("FIELD7.NO1");
    // None yet: a new companion gets the lower-case extension.
    EXPECT_EQ(blockCompanionPath(boundary, QStringLiteral("XCL")), workDir() + "FIELD7.xcl");
    EXPECT_FALSE(blockCompanionExists(boundary, QStringLiteral("xcl")));

    writeTestFile(workDir() + QStringLiteral("FIELD7.XCL"), "1 1 1\r\n");
    EXPECT_EQ(blockCompanionPath(boundary, QStringLiteral("xcl")), workDir() + "FIELD7.XCL");
    EXPECT_TRUE(blockCompanionExists(boundary, QStringLiteral("xcl")));

    writeTestFile(workDir() + QStringLiteral("FIELD7.xcl"), "1 1 1\r\n");
    EXPECT_EQ(blockCompanionPath(boundary, QStringLiteral("xcl")), workDir() + "FIELD7.xcl");
}

TEST_F(BlockCompanionTest, LastThreeCharactersAreReplacedWhateverTheExtension)
{
    EXPECT_EQ(blockCompanionPath(workDir() + QStringLiteral("FIELD.boundary"), QStringLiteral("xyz")),
        workDir() + "FIELD.boundxyz");
    EXPECT_EQ(blockCompanionPath(QStringLiteral("ab"), QStringLiteral("xyz")), "xyz");
}

} // namespace

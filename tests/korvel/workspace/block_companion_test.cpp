#include "korvel/workspace/block_companion.h"

#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/support/korvel_test.h"

#include <QDir>
#include <QFile>

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

TEST_F(BlockCompanionTest, TheExtensionIsReplacedAndNeverTheBoundaryFileItself)
{
    const QString dir = workDir() + QStringLiteral("v1.2/");
    ASSERT_TRUE(QDir().mkpath(dir));
    const struct
    {
        const char* boundary;
        const char* extension;
        const char* companion; // "" when the block can have none
    } rows[] = {
        { "FIELD.no1", "xyz", "FIELD.xyz" },
        { "FIELD.NO1", "XCL", "FIELD.xcl" },
        { "FIELD", "xyz", "FIELD.xyz" },
        { "FIELD.boundary", "xyz", "FIELD.xyz" },
        { "north.field.no1", "xcl", "north.field.xcl" },
        { ".FIELD", "xyz", ".FIELD.xyz" },
        { "FIELD.xcl", "xyz", "FIELD.xyz" },
        { "FIELD.xyz", "xyz", "" },
        { "FIELD.XYZ", "xyz", "" },
        { "FIELD.Xcl", "xcl", "" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.boundary);
        const QString boundary = dir + row.boundary;
        writeTestFile(boundary, "boundary");
        const QString expected = *row.companion ? dir + row.companion : QString();
        EXPECT_EQ(blockCompanionPath(boundary, row.extension), expected);
        EXPECT_FALSE(blockCompanionExists(boundary, row.extension))
            << "the boundary is no companion of its own";
        EXPECT_EQ(blockCompanionRefusal(boundary, row.extension).isEmpty(), !expected.isEmpty());
        QFile::remove(boundary);
    }
    EXPECT_EQ(blockCompanionRefusal(dir + "FIELD.xyz", "xyz"),
        QString("The guidance-line file of %1FIELD.xyz would be %1FIELD.xyz itself, which holds the "
                "boundary; it is "
                "neither read nor written. Rename the boundary file (for example to FIELD.no1) to keep both.")
            .arg(dir));
}

} // namespace

#include "platform/file_dialog_filter.h"
#include "tests/support/korvel_test.h"

#include <QRegularExpression>

using FileDialogFilterTest = KorvelTest;

namespace {

bool globMatches(const QString& glob, const QString& name)
{
    return QRegularExpression(QRegularExpression::wildcardToRegularExpression(glob)).match(name).hasMatch();
}

} // namespace

TEST_F(FileDialogFilterTest, SplitsDescriptionsAndPatternLists)
{
    const auto filters = parseFileDialogFilter("Graphic Files|*.bmp;*.gif;*.tif;*.jpg|All Files (*.*)|*.*");
    ASSERT_EQ(filters.size(), 2);
    EXPECT_EQ(filters[0].description, "Graphic Files");
    EXPECT_EQ(filters[0].patterns, (QStringList { "*.bmp", "*.gif", "*.tif", "*.jpg" }));
    EXPECT_EQ(filters[1].description, "All Files (*.*)");
    EXPECT_EQ(filters[1].patterns, QStringList { "*.*" });
}

TEST_F(FileDialogFilterTest, DropsADescriptionWithoutPatternsAndEmptyFilters)
{
    EXPECT_EQ(parseFileDialogFilter("Text (*.txt)|*.txt|Dangling").size(), 1);
    EXPECT_TRUE(parseFileDialogFilter("").isEmpty());
    EXPECT_TRUE(parseFileDialogFilter("Nothing|").isEmpty());
}

TEST_F(FileDialogFilterTest, PatternsMatchWithoutRegardToCase)
{
    const QString glob = caseInsensitiveGlob("*.no1");
    EXPECT_TRUE(globMatches(glob, "BLOCK.NO1"));
    EXPECT_TRUE(globMatches(glob, "block.no1"));
    EXPECT_FALSE(globMatches(glob, "block.no2"));

    const QString flights = caseInsensitiveGlob("N???????.T??");
    EXPECT_TRUE(globMatches(flights, "n0312001.t01"));
    EXPECT_FALSE(globMatches(flights, "N031201.T01"));
}

TEST_F(FileDialogFilterTest, StarDotStarListsFilesWithoutExtension)
{
    EXPECT_TRUE(globMatches(caseInsensitiveGlob("*.*"), "README"));
}

TEST_F(FileDialogFilterTest, QtNameFilterKeepsTheDescriptionAndPutsPatternsLast)
{
    const auto filters = parseFileDialogFilter("AGNAV Flight Files (N*.T*)|N???????.T??");
    ASSERT_EQ(filters.size(), 1);
    EXPECT_EQ(qtNameFilter(filters[0]),
        "AGNAV Flight Files (N*.T*) ([nN]???????.[tT]?"
        "?)");
}

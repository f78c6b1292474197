#include "korvel/shell/browse_for_folder.h"
#include "tests/support/korvel_test.h"

using BrowseForFolderTest = KorvelTest;

TEST_F(BrowseForFolderTest, AsksWithItsTitleAndReturnsTheFolder)
{
    queueFolder(workDir() + "jobs");
    EXPECT_EQ(BrowseForFolder(), workDir() + "jobs");
    ASSERT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(dialogs()[0].kind, CommonDialogKind::Folder);
    EXPECT_EQ(dialogs()[0].title, "Please select a folder:");
}

TEST_F(BrowseForFolderTest, CancelGivesEmptyText)
{
    queueDialogCancel();
    EXPECT_TRUE(BrowseForFolder().isEmpty());
}

#include "platform/common_dialog.h"
#include "platform/msg_box.h"
#include "tests/support/korvel_test.h"

#include <QApplication>
#include <QColorDialog>
#include <QFile>
#include <QFileDialog>
#include <QTimer>

class CommonDialogTest : public KorvelTest
{
protected:
    QString touch(const QString& name)
    {
        QFile file(workDir() + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }
};

TEST_F(CommonDialogTest, OpenRecordsTheSetUpAndReturnsTheFile)
{
    const QString path = touch("roads.shp");
    queueOpenFiles({ path });
    CommonDialog dialog;
    dialog.DialogTitle = "Open GIS Layer";
    dialog.Filter = "Shape Files (*.shp)|*.shp|All Files (*.*)|*.*";
    dialog.InitDir = workDir();
    dialog.Flags = cdlOFNExplorer | cdlOFNAllowMultiselect | cdlOFNHideReadOnly;
    dialog.CancelError = true;

    ASSERT_TRUE(dialog.ShowOpen());
    EXPECT_FALSE(dialog.Cancelled());
    EXPECT_EQ(dialog.FileName, path);
    EXPECT_EQ(dialog.FileTitle, "roads.shp");
    EXPECT_EQ(dialog.FileNames(), QStringList { path });

    ASSERT_EQ(dialogs().size(), 1u);
    const CommonDialogRequest& shown = dialogs()[0];
    EXPECT_EQ(shown.kind, CommonDialogKind::Open);
    EXPECT_EQ(shown.title, "Open GIS Layer");
    EXPECT_EQ(shown.filter, dialog.Filter);
    EXPECT_EQ(shown.filterIndex, 1);
    EXPECT_EQ(shown.initDir, workDir());
    EXPECT_EQ(shown.flags, 0x80204);
}

TEST_F(CommonDialogTest, SeveralFilesComeAsFolderAndNamesSeparatedByNul)
{
    const QString a = touch("a.shp");
    const QString b = touch("b.e00");
    queueOpenFiles({ a, b }, 2);
    CommonDialog dialog;
    dialog.Flags = cdlOFNAllowMultiselect;
    ASSERT_TRUE(dialog.ShowOpen());

    const QString folder = workDir().chopped(1);
    EXPECT_EQ(dialog.FileName, folder + QChar(0) + "a.shp" + QChar(0) + "b.e00");
    EXPECT_EQ(dialog.FileNames(), (QStringList { a, b }));
    EXPECT_TRUE(dialog.FileTitle.isEmpty());
    EXPECT_EQ(dialog.FilterIndex, 2);
}

TEST_F(CommonDialogTest, WithoutMultiselectOnlyTheFirstFileCounts)
{
    queueOpenFiles({ touch("a.shp"), touch("b.shp") });
    CommonDialog dialog;
    ASSERT_TRUE(dialog.ShowOpen());
    EXPECT_EQ(dialog.FileNames().size(), 1);
}

TEST_F(CommonDialogTest, CancelIsAResultAndLeavesThePropertiesAlone)
{
    queueDialogCancel();
    queueDialogCancel();
    CommonDialog dialog;
    dialog.FileName = "keep.shp";
    dialog.Color = 0x123456;
    dialog.CancelError = true;
    EXPECT_FALSE(dialog.ShowOpen());
    EXPECT_TRUE(dialog.Cancelled());
    EXPECT_EQ(dialog.FileName, "keep.shp");
    EXPECT_FALSE(dialog.ShowColor());
    EXPECT_EQ(dialog.Color, 0x123456);
}

TEST_F(CommonDialogTest, SaveAppendsTheDefaultExtensionOnlyToANameWithoutOne)
{
    queueSaveFile(workDir() + "block");
    queueSaveFile(workDir() + "block.txt");
    CommonDialog dialog;
    dialog.DefaultExt = "NO1";
    ASSERT_TRUE(dialog.ShowSave());
    EXPECT_EQ(dialog.FileName, workDir() + "block.NO1");
    EXPECT_EQ(dialog.FileTitle, "block.NO1");
    ASSERT_TRUE(dialog.ShowSave());
    EXPECT_EQ(dialog.FileName, workDir() + "block.txt");
}

TEST_F(CommonDialogTest, OverwritePromptYesTakesTheFile)
{
    const QString existing = touch("map.bmp");
    queueSaveFile(existing);
    queueMsgBoxAnswer(vbYes);
    CommonDialog dialog;
    dialog.DialogTitle = "Save main GIS image as...";
    dialog.Flags = cdlOFNOverwritePrompt | cdlOFNHideReadOnly;
    ASSERT_TRUE(dialog.ShowSave());
    EXPECT_EQ(dialog.FileName, existing);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.contains("already exists"));
    EXPECT_EQ(msgBoxes()[0].caption, "Save main GIS image as...");

    // Saving to a link whose file is missing creates the file it names.
    ASSERT_TRUE(QFile::link(workDir() + "missing.bmp", workDir() + "old.bmp"));
    queueSaveFile(workDir() + "old.bmp");
    queueMsgBoxAnswer(vbYes);
    ASSERT_TRUE(dialog.ShowSave());
    EXPECT_EQ(msgBoxes().size(), 2u);
}

TEST_F(CommonDialogTest, OverwritePromptNoReturnsToTheDialog)
{
    const QString existing = touch("map.bmp");
    queueSaveFile(existing);
    queueMsgBoxAnswer(vbNo);
    queueDialogCancel();
    CommonDialog dialog;
    dialog.Flags = cdlOFNOverwritePrompt;
    EXPECT_FALSE(dialog.ShowSave());
    ASSERT_EQ(dialogs().size(), 2u);
    EXPECT_EQ(dialogs()[1].fileName, existing);
}

TEST_F(CommonDialogTest, NoOverwritePromptWithoutTheFlagOrForANewFile)
{
    queueSaveFile(touch("map.bmp"));
    queueSaveFile(workDir() + "new.bmp");
    CommonDialog dialog;
    EXPECT_TRUE(dialog.ShowSave());
    dialog.Flags = cdlOFNOverwritePrompt;
    EXPECT_TRUE(dialog.ShowSave());
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(CommonDialogTest, FileMustExistRefusesAMissingFile)
{
    queueOpenFiles({ workDir() + "missing.korvel" });
    queueMsgBoxAnswer(vbOK);
    queueDialogCancel();
    CommonDialog dialog;
    dialog.Flags = cdlOFNFileMustExist;
    EXPECT_FALSE(dialog.ShowOpen());
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_TRUE(msgBoxes()[0].prompt.contains("File not found."));
}

TEST_F(CommonDialogTest, ColourAndFolderAnswers)
{
    queueColor(0x00FF00);
    queueFolder(workDir().chopped(1));
    CommonDialog dialog;
    dialog.Flags = cdlCCRGBInit | cdlCCFullOpen | cdlCCPreventFullOpen;
    dialog.Color = 0x0000FF;
    ASSERT_TRUE(dialog.ShowColor());
    EXPECT_EQ(dialog.Color, 0x00FF00);
    EXPECT_EQ(dialogs()[0].color, 0x0000FF);
    EXPECT_EQ(dialogs()[0].flags, 7);

    ASSERT_TRUE(dialog.ShowFolder());
    EXPECT_EQ(dialog.FileName, workDir().chopped(1));
}

TEST_F(CommonDialogTest, AnswerForAnotherKindOfDialogFailsTheScript)
{
    queueColor(0);
    CommonDialog dialog;
    EXPECT_FALSE(dialog.ShowOpen());
    const QStringList failures = takeScriptFailures();
    ASSERT_EQ(failures.size(), 2); // the mismatch, and the colour nobody took
    EXPECT_TRUE(failures[0].contains("colour answer is queued"));
}

TEST_F(CommonDialogTest, UnexpectedDialogIsCancelledAndFailsTheScript)
{
    CommonDialog dialog;
    dialog.DialogTitle = "Open KORVEL Session";
    EXPECT_FALSE(dialog.ShowOpen());
    const QStringList failures = takeScriptFailures();
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures[0].contains("Open KORVEL Session"));
}

TEST_F(CommonDialogTest, FileNamesOfAHandWrittenMultipleSelection)
{
    CommonDialog dialog;
    dialog.FileName = QString("/data") + QChar(0) + "N0001.T01" + QChar(0) + "N0002.T01";
    EXPECT_EQ(dialog.FileNames(), (QStringList { "/data/N0001.T01", "/data/N0002.T01" }));
    dialog.FileName = QString("/") + QChar(0) + "x";
    EXPECT_EQ(dialog.FileNames(), QStringList { "/x" });
    dialog.FileName.clear();
    EXPECT_TRUE(dialog.FileNames().isEmpty());
}

TEST_F(CommonDialogTest, DefaultExtensionHelper)
{
    EXPECT_EQ(withDefaultExtension("/a/b", ".bmp"), "/a/b.bmp");
    EXPECT_EQ(withDefaultExtension("/a.d/b", "bmp"), "/a.d/b.bmp");
    EXPECT_EQ(withDefaultExtension("/a/b.x", "bmp"), "/a/b.x");
    EXPECT_EQ(withDefaultExtension("/a/b", ""), "/a/b");
}

// The real dialogs, driven from a timer.
class RealCommonDialogTest : public CommonDialogTest
{
protected:
    void SetUp() override
    {
        CommonDialogTest::SetUp();
        useRealDialogs();
    }
};

TEST_F(RealCommonDialogTest, OpenShowsTheFiltersAndReturnsTheSelectedFile)
{
    const QString path = touch("Roads.SHP");
    QStringList filters;
    QString title;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        filters = dialog->nameFilters();
        title = dialog->windowTitle();
        dialog->selectNameFilter(filters.value(1));
        dialog->selectFile(path);
        static_cast<QDialog*>(dialog)->accept();
    });
    CommonDialog dialog;
    dialog.DialogTitle = "Open GIS Layer";
    dialog.Filter = "Shape Files (*.shp)|*.shp|All Files (*.*)|*.*";
    dialog.InitDir = workDir();
    dialog.Flags = cdlOFNAllowMultiselect;
    ASSERT_TRUE(dialog.ShowOpen());
    EXPECT_EQ(dialog.FileName, path);
    EXPECT_EQ(dialog.FilterIndex, 2);
    EXPECT_EQ(title, "Open GIS Layer");
    EXPECT_EQ(filters, (QStringList { "Shape Files (*.shp) (*.[sS][hH][pP])", "All Files (*.*) (*)" }));
}

TEST_F(RealCommonDialogTest, CancelledFileDialogIsAResult)
{
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    CommonDialog dialog;
    EXPECT_FALSE(dialog.ShowSave());
    EXPECT_TRUE(dialog.Cancelled());
}

TEST_F(RealCommonDialogTest, ColourDialogStartsOnTheColourAndReturnsTheChoice)
{
    QColor start;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        start = dialog->currentColor();
        dialog->setCurrentColor(QColor(255, 0, 0));
        static_cast<QDialog*>(dialog)->accept();
    });
    CommonDialog dialog;
    dialog.Flags = cdlCCRGBInit;
    dialog.Color = 0x800000; // blue
    ASSERT_TRUE(dialog.ShowColor());
    EXPECT_EQ(start, QColor(0, 0, 128));
    EXPECT_EQ(dialog.Color, 0x0000FF);
}

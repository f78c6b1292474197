// The "Load AG-NAV" entries that load into a loaded block: which blocks
// they offer, the chooser they ask with, and the block pop-up's entries.
#include "korvel/agnav/agnav_commands.h"
#include "korvel/shell/selection_form.h"
#include "tests/korvel/agnav/agnav_commands_fixture.h"

#include <QLabel>
#include <QRadioButton>

namespace {

class SubItemCommands : public AgnavCommandsTest
{
protected:
    // Blocks A, B and C side by side, loaded without their companions.
    void loadBlocks(const QStringList& names)
    {
        double x = 500000;
        for (const QString& name : names) {
            ASSERT_TRUE(form().LoadAGNAVBlock(writeUtmBlock(name, x, 4800000, x + 800, 4800800)));
            x += 1000;
        }
    }

    // The next chooser: notes its question and options, then picks one
    // (0: closes it with the close box).
    void pick(int option, QString* question = nullptr, QStringList* captions = nullptr)
    {
        onModal<SelectionForm>([=](SelectionForm& chooser) {
            if (question) {
                *question = chooser.FileNameLabel->text();
            }
            for (int i = 1; captions && i <= chooser.FileNameOption.UBound(); ++i) {
                *captions << chooser.FileNameOption[i].text();
            }
            if (option == 0) {
                chooser.close();
                return;
            }
            chooser.FileNameOption[option].setChecked(true);
            chooser.AcceptButton_Click();
        });
    }
};

TEST_F(SubItemCommands, ExclusionZonesAreOfferedForTheBlocksThatHaveThem)
{
    loadBlocks({ "A", "B", "C" });
    writeExclusion(QStringLiteral("A"), 500100, 4800100, 100);
    writeExclusion(QStringLiteral("C"), 502100, 4800100, 100);
    QString question;
    QStringList captions;
    pick(1, &question, &captions);
    AgnavCommands::instance().File_OpenExclusion_Click();
    EXPECT_EQ(question, "Load exclusion zones for which block?");
    EXPECT_EQ(captions, (QStringList { "A.no1", "C.no1" }));
    EXPECT_TRUE(blockAt(1).ExclusionLoaded);
    EXPECT_FALSE(blockAt(3).ExclusionLoaded);

    AgnavCommands::instance().File_OpenExclusion_Click(); // C is the one left: no question
    EXPECT_TRUE(blockAt(3).ExclusionLoaded);
    AgnavCommands::instance().File_OpenExclusion_Click(); // none left: nothing
    EXPECT_EQ(modalForms().size(), 1u);
    EXPECT_EQ(agnavData().ExclusionCount, 2);
}

TEST_F(SubItemCommands, GuidanceFromTheMenuAndFromTheBlocksPopUp)
{
    loadBlocks({ "A", "B" });
    writeGuidance(QStringLiteral("A"), 500400, 4800100, 4800700);
    writeGuidance(QStringLiteral("B"), 501400, 4800100, 4800700);
    QString question = QStringLiteral("unset");
    pick(0, &question);
    AgnavCommands::instance().File_OpenGuidance_Click();
    EXPECT_EQ(question, "") << "this entry asks no question";
    EXPECT_EQ(agnavData().GuidanceCount, 0) << "the chooser was closed";

    form().PopUp_OpenGuidance_Click(2);
    EXPECT_TRUE(blockAt(2).GuidanceLoaded);
    AgnavCommands::instance().File_OpenGuidance_Click();
    EXPECT_TRUE(blockAt(1).GuidanceLoaded);
    EXPECT_EQ(blockAt(1).Guidance.Lines[1].Y[2], 4800700.0);
    EXPECT_EQ(modalForms().size(), 1u);
    EXPECT_TRUE(msgBoxes().empty());
}

TEST_F(SubItemCommands, SprayDataGoesToTheChosenBlock)
{
    loadBlocks({ "A" });
    queueDialogCancel();
    AgnavCommands::instance().File_OpenFlight_Click(); // one block: no question
    ASSERT_EQ(dialogs().size(), 1u);
    EXPECT_EQ(dialogs()[0].initDir, workDir() + "A/");
    EXPECT_EQ(dialogs()[0].title, "Open AGNAV Spray Data");
    EXPECT_EQ(dialogs()[0].filter, "AGNAV Flight Files (N*.T*)|N???????.T??|All Files (*.*)|*.*");

    loadBlocks({ "B", "C" });
    writeLog(QStringLiteral("A"), QStringLiteral("N0612A01.T01"), pass(500000, 500800, 4800400, true));
    const QString log
        = writeLog(QStringLiteral("C"), QStringLiteral("N0612C01.T01"), pass(502000, 502800, 4800400, true));
    QStringList captions;
    pick(2, nullptr, &captions);
    queueOpenFiles({ log });
    AgnavCommands::instance().File_OpenFlight_Click();
    EXPECT_EQ(captions, (QStringList { "A.no1", "C.no1" })) << "B has no spray data";
    EXPECT_EQ(dialogs().back().initDir, workDir() + "C/");
    EXPECT_EQ(blockAt(3).FlightCount, 1) << "the second candidate is block 3";
    EXPECT_EQ(blockAt(3).Flights[1].Path, log);

    pick(0);
    AgnavCommands::instance().File_OpenFlight_Click();
    EXPECT_EQ(dialogs().size(), 2u) << "closing the chooser loads nothing";
}

} // namespace

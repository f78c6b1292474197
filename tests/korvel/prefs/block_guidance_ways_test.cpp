// A block's guidance-line file reaches it the same way by every road in:
// judged by its own lines, whatever number of lines the boundary file's
// record 4 names (a job value the aircraft's system and earlier jobs do not
// keep in step with the file).
#include "korvel/agnav/agnav_commands.h"
#include "korvel/layers/layer_list.h"
#include "korvel/workspace/main_settings.h"
#include "tests/korvel/prefs/session_fixture.h"

#include <QFile>


namespace {

class BlockGuidanceWays : public SessionTest
{
protected:
    // BLOCKA.no1 whose record 4 names `namedLines`, beside BLOCKA.xyz with
    // seven whole lines.
    QString writeBlockWithSevenLines(int namedLines)
    {
        const QString path = writeUtmBlock(QStringLiteral("BLOCKA"), 500000, 4800000, 500800, 4800800);
        QByteArray boundary = readTestFile(path);
        boundary += QStringLiteral("4           %1                  NUMBER OF LINES\r\n").arg(namedLines).toLatin1();
        writeTestFile(path, boundary);
        QByteArray lines;
        for (int i = 1; i <= 7; ++i) {
            lines += QStringLiteral("LINE %1 \r\n%2      4800000  1\r\n%2      4800800  2\r\n")
                         .arg(i * 10)
                         .arg(500000 + i * 100)
                         .toLatin1();
        }
        write(QStringLiteral("BLOCKA.xyz"), lines);
        return path;
    }

    enum class Way { WithTheBlock, FileMenu, PopUpMenu, DoubleClick, Session };

    void loadBy(Way way, const QString& path)
    {
        mainSettings().AutoLoadGuidance = way == Way::WithTheBlock || way == Way::Session;
        if (way == Way::WithTheBlock) {
            queueOpenFiles({ path });
            AgnavCommands::instance().File_OpenAGNAV_Click();
            return;
        }
        form().LoadAGNAVBlock(path);
        switch (way) {
        case Way::FileMenu:
            AgnavCommands::instance().File_OpenGuidance_Click();
            break;
        case Way::PopUpMenu:
            form().PopUp_OpenGuidance_Click(1);
            break;
        case Way::DoubleClick:
            LayerList::instance().AGCheckLabel_DblClick(1);
            break;
        default:
            QFile::remove(workDir() + QStringLiteral("job.korvel"));
            saveSession(workDir() + QStringLiteral("job.korvel"));
            form().File_CloseAll_Click();
            mainSettings().AutoLoadGuidance = false; // the session loads the lines itself
            form().LoadSession(workDir() + QStringLiteral("job.korvel"));
        }
    }
};

TEST_F(BlockGuidanceWays, EveryWayInLoadsAllTheLinesWhateverRecord4Names)
{
    const std::pair<Way, const char*> ways[] = { { Way::WithTheBlock, "with the block" },
        { Way::FileMenu, "File > Load AG-NAV > Guidance File" }, { Way::PopUpMenu, "the block's pop-up menu" },
        { Way::DoubleClick, "a double click on the block's label" }, { Way::Session, "a session" } };
    for (const int namedLines : { 20, 3 }) {
        for (const auto& [way, name] : ways) {
            form().File_CloseAll_Click();
            const std::size_t boxes = msgBoxes().size();
            loadBy(way, writeBlockWithSevenLines(namedLines));
            const std::string row = std::string(name) + ", record 4 says " + std::to_string(namedLines);
            ASSERT_EQ(msgBoxes().size(), boxes) << row << ": " << msgBoxes().back().prompt.toStdString();
            ASSERT_EQ(agnavData().BlockCount, 1) << row;
            EXPECT_TRUE(blockAt(1).GuidanceLoaded) << row;
            EXPECT_EQ(blockAt(1).Guidance.LineCount, 7) << row;
        }
    }
}

} // namespace


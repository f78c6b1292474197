// Spray data from the File menu's dialog: the calibrated-speed question of
// a log without flow data, its Cancel, and the logs refused.
#include "korvel/agnav/agnav_commands.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/msg_box.h"
#include "tests/korvel/agnav/agnav_commands_fixture.h"

namespace {

class FlightCommands : public AgnavCommandsTest
{
protected:
    void SetUp() override
    {
        AgnavCommandsTest::SetUp();
        queueOpenFiles({ writeUtmBlock(QStringLiteral("FIELD"), 500000, 4800000, 501000, 4800800) });
        AgnavCommands::instance().File_OpenAGNAV_Click();
    }

    QString log(const QString& name, bool flowData, double y = 4800400, quint8 marker = 3)
    {
        return writeLog(QStringLiteral("FIELD"), name, pass(500100, 500900, y, flowData), marker);
    }

    void openLogs(const QStringList& paths)
    {
        queueOpenFiles(paths);
        AgnavCommands::instance().OpenFlightFiles(1);
    }
};

TEST_F(FlightCommands, ALogWithoutFlowDataAsksForTheSpeedUntilItGetsOne)
{
    const QString first = log(QStringLiteral("N0612A01.T01"), false);
    const QString second = log(QStringLiteral("N0612A02.T01"), false, 4800600);
    const QString third = log(QStringLiteral("N0612A03.T01"), true, 4800200);
    for (const char* answer : { "fast", "5000", "100", "" }) { // the last is Cancel
        queueInputBoxAnswer(QLatin1String(answer));
    }
    openLogs({ first, second, third });

    ASSERT_EQ(inputBoxes().size(), 4u) << "asked again for a text and for a speed out of range";
    EXPECT_EQ(inputBoxes()[0].prompt,
        "This AGNAV spray file doesn't contain any flow data.\r"
        "Please input the calibrated speed of the aircraft. (km/h)");
    EXPECT_EQ(inputBoxes()[2].defaultText, "");
    EXPECT_EQ(inputBoxes()[3].defaultText, "100") << "the last speed taken is offered";
    const AGNAVBlock& block = blockAt(1);
    ASSERT_EQ(block.FlightCount, 2) << "Cancel abandons its log only";
    EXPECT_EQ(block.Flights[1].Path, first);
    EXPECT_EQ(block.Flights[1].Flow[2], 2778) << "100 km/h in hundredths of a metre per second";
    EXPECT_EQ(block.Flights[2].Path, third);
    EXPECT_EQ(agnavData().FlightCount, 2);
    EXPECT_FALSE(redrawState().Busy);
    // Drawn at once: the third log's track in the green of its exact rate.
    EXPECT_EQ(mapColourAt(500500, 4800200), QColor(0, 255, 0));
    EXPECT_EQ(mapColourAt(500500, 4800600), QColor(Qt::white)) << "the abandoned log";
}

TEST_F(FlightCommands, RefusedLogsAreNamedAndAFailureEndsTheCommand)
{
    const QString first = log(QStringLiteral("N0612A01.T01"), true);
    openLogs({ first });
    const QString seventy = log(QStringLiteral("N0612A02.T01"), true, 4800600, 2);
    const QString after = log(QStringLiteral("N0612A03.T01"), true, 4800200);
    queueMsgBoxAnswer(vbOK);
    queueMsgBoxAnswer(vbOK);
    openLogs({ first, workDir() + "FIELD/N0000000.T00", seventy, after });
    EXPECT_EQ(prompts(),
        (QStringList { first + "\r\ris already open.",
            "AGNAV flight file is in 70-byte format.\r"
            "Currently, only the 51-byte format is supported." }));
    EXPECT_EQ(blockAt(1).FlightCount, 1)
        << "the missing log is passed over, the one after the failure not read";
    EXPECT_EQ(agnavData().FlightCount, 1);
    EXPECT_FALSE(redrawState().Busy);
}

} // namespace

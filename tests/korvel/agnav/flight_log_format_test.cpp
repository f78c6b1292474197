#include "korvel/agnav/flight_log_format.h"

#include "platform/vb_colors.h"
#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/support/default_locale.h"
#include "tests/support/korvel_test.h"
#include "tests/support/recording_status_progress.h"

namespace {

// A sample spraying at the given flow and target.
AgfSample spraying(qint16 flow, qint16 target)
{
    AgfSample s;
    s.spray = 1;
    s.flow = flow;
    s.target = target;
    return s;
}

class FlightLogFormatTest : public KorvelTest
{
protected:
    AgnavOutcome decode(const QByteArray& bytes, bool utmMode = true)
    {
        FlightDecodeOptions options;
        options.utmMode = utmMode;
        options.askCalibratedSpeed = [this]() -> std::optional<int> {
            ++m_questions;
            return m_speed;
        };
        m_flight = FlightFile();
        return decodeFlightLog(bytes, options, m_flight);
    }

    FlightFile m_flight;
    std::optional<int> m_speed = 2778;
    int m_questions = 0;
};

TEST_F(FlightLogFormatTest, DecodesEveryFieldOfEachSample)
{
    AgfSample s;
    s.time = 3605025;
    s.latitude = 43350123;
    s.longitude = -80990456;
    s.crossTrack = -12;
    s.groundSpeed = 5000;
    s.altitude = 312;
    s.easting = 500612;
    s.northing = 4800734;
    s.swathWidth = 305;
    s.spray = 1;
    s.flow = 100;
    s.target = 100;
    ASSERT_TRUE(decode(agfLog({ s, s })).isDone());
    EXPECT_EQ(m_flight.SampleCount, 2);
    ASSERT_EQ(m_flight.Position.size(), 3u);
    EXPECT_EQ(m_flight.Position[1].X, 500612.0);
    EXPECT_EQ(m_flight.Position[1].Y, 4800734.0);
    EXPECT_EQ(m_flight.Time[1], 36050.25f);
    EXPECT_EQ(m_flight.CrossTrack[2], -12);
    EXPECT_EQ(m_flight.Altitude[2], 312);
    EXPECT_EQ(m_flight.Spray[1], 1);
    EXPECT_EQ(m_flight.Flow[1], 100);
    EXPECT_EQ(m_flight.Target[1], 100);
    EXPECT_EQ(m_flight.DGPSQuality.size(), 3u);
    EXPECT_EQ(m_flight.SwathWidth, 30); // 30.5 rounds to the even 30
    EXPECT_FALSE(m_flight.NoFlowData);
    EXPECT_EQ(m_questions, 0);
    // Index 0 holds the start values and the track's plain colour.
    EXPECT_EQ(m_flight.Colour[0], RGB(255, 0, 0));
    EXPECT_EQ(m_flight.Flow[0], 0);
    EXPECT_EQ(m_flight.Position[0].X, 0.0);
}

TEST_F(FlightLogFormatTest, GeographicMapTakesDegreesLongitudeFirst)
{
    AgfSample s = spraying(100, 100);
    s.latitude = -33500000;
    s.longitude = 151250000;
    ASSERT_TRUE(decode(agfLog({ s }), false).isDone());
    EXPECT_DOUBLE_EQ(m_flight.Position[1].X, 151.25);
    EXPECT_DOUBLE_EQ(m_flight.Position[1].Y, -33.5);
}

TEST_F(FlightLogFormatTest, ColourShowsTheDeviationFromTheTarget)
{
    ASSERT_TRUE(decode(agfLog({ spraying(110, 100), spraying(90, 100), spraying(150, 100), spraying(50, 100),
                           spraying(100, 100), spraying(0, 100) }))
                    .isDone());
    EXPECT_EQ(m_flight.Colour[1], RGB(102, 153, 0));
    EXPECT_EQ(m_flight.Colour[2], RGB(0, 153, 102));
    EXPECT_EQ(m_flight.Colour[3], RGB(255, 0, 0));
    EXPECT_EQ(m_flight.Colour[4], RGB(0, 0, 255));
    EXPECT_EQ(m_flight.Colour[5], RGB(0, 255, 0));
    EXPECT_EQ(m_flight.Colour[6], 0); // no flow: not coloured
}

TEST_F(FlightLogFormatTest, TargetAbove30000KeepsThePreviousTarget)
{
    ASSERT_TRUE(decode(agfLog({ spraying(120, 120), spraying(120, 30005), spraying(120, 30000) })).isDone());
    EXPECT_EQ(m_flight.Target[2], 120);
    EXPECT_EQ(m_flight.Colour[2], RGB(0, 255, 0));
    EXPECT_EQ(m_flight.Target[3], 30000);
}

TEST_F(FlightLogFormatTest, LogWithoutFlowDataColoursBySpeed)
{
    AgfSample on;
    on.spray = 1;
    on.groundSpeed = 2525; // the aircraft flies 10 % slower than calibrated
    on.flow = 7;
    AgfSample off;
    off.flow = 7;
    off.groundSpeed = 3000;
    ASSERT_TRUE(decode(agfLog({ on, off, on })).isDone());
    EXPECT_EQ(m_questions, 1);
    EXPECT_TRUE(m_flight.NoFlowData);
    EXPECT_EQ(m_flight.Flow[1], 2778);
    EXPECT_EQ(m_flight.Target[1], 2525);
    // d = (1 - 2778 / 2525) x 100 = -10.02 %
    EXPECT_EQ(m_flight.Colour[1], RGB(0, 153, 102));
    // Booms off: the file's flow, no colour.
    EXPECT_EQ(m_flight.Flow[2], 7);
    EXPECT_EQ(m_flight.Target[2], 0);
    EXPECT_EQ(m_flight.Colour[2], 0);
}

TEST_F(FlightLogFormatTest, FlowTestReadsOnlyRecordsOneHalfAndNextToLast)
{
    // N = 6: records 1, 3 and 5 carry no target, so the log has no flow data
    // even though record 2 does.
    std::vector<AgfSample> samples(6);
    samples[1].target = 100;
    ASSERT_TRUE(decode(agfLog(samples)).isDone());
    EXPECT_TRUE(m_flight.NoFlowData);
    EXPECT_EQ(m_questions, 1);

    samples[2].target = 1; // record 3 = N \ 2
    ASSERT_TRUE(decode(agfLog(samples)).isDone());
    EXPECT_FALSE(m_flight.NoFlowData);
}

TEST_F(FlightLogFormatTest, CancelOfTheSpeedQuestionAbandonsTheLog)
{
    m_speed.reset();
    m_flight.Path = QStringLiteral("kept");
    FlightDecodeOptions options;
    options.askCalibratedSpeed = [] { return std::optional<int>(); };
    EXPECT_TRUE(decodeFlightLog(agfLog({ AgfSample() }), options, m_flight).isCancelled());
    EXPECT_EQ(m_flight.SampleCount, 0);
    EXPECT_TRUE(m_flight.Position.empty());
}

TEST_F(FlightLogFormatTest, ZeroTargetOrGroundSpeedLeavesTheSampleUncoloured)
{
    // Flow against a target of 0 has no deviation; the load goes on.
    ASSERT_TRUE(decode(agfLog({ spraying(100, 100), spraying(100, 0), spraying(100, 100) })).isDone());
    EXPECT_EQ(m_flight.Colour[2], 0);
    EXPECT_EQ(m_flight.Colour[3], RGB(0, 255, 0));

    AgfSample stopped;
    stopped.spray = 1; // booms on while the aircraft stands: ground speed 0
    ASSERT_TRUE(decode(agfLog({ stopped, stopped })).isDone());
    EXPECT_TRUE(m_flight.NoFlowData);
    EXPECT_EQ(m_flight.Colour[1], 0);
    EXPECT_EQ(m_flight.Flow[1], 2778);
}

TEST_F(FlightLogFormatTest, OneRecordLogIsRead)
{
    ASSERT_TRUE(decode(agfLog({ spraying(100, 100) })).isDone());
    EXPECT_EQ(m_flight.SampleCount, 1);
    EXPECT_FALSE(m_flight.NoFlowData);
}

TEST_F(FlightLogFormatTest, PartialTailIsIgnored)
{
    QByteArray bytes = agfLog({ spraying(100, 100), spraying(110, 100) });
    bytes += agfRecord(spraying(999, 1)).left(50);
    ASSERT_TRUE(decode(bytes).isDone());
    EXPECT_EQ(m_flight.SampleCount, 2);
    EXPECT_EQ(m_flight.Flow.size(), 3u);
}

TEST_F(FlightLogFormatTest, ProgressAndStatusWhileLoading)
{
    RecordingStatusProgress progress;
    FlightDecodeOptions options;
    options.progress = &progress;
    ASSERT_TRUE(
        decodeFlightLog(agfLog(std::vector<AgfSample>(5000, spraying(1, 1))), options, m_flight).isDone());
    EXPECT_EQ(progress.maximum, 5000);
    EXPECT_EQ(progress.values, (std::vector<int> { 4096, 5000 }));
    EXPECT_EQ(progress.texts, (QStringList { "Loading AGNAV File", "" }));
    EXPECT_FALSE(progress.visible);
}

TEST_F(FlightLogFormatTest, CalibratedSpeedAnswers)
{
    EXPECT_EQ(calibratedSpeedFromAnswer("100", true), 2778);
    EXPECT_EQ(calibratedSpeedFromAnswer("62", false), 2771);
    EXPECT_EQ(calibratedSpeedFromAnswer(" 180.5 ", true), 5014);
    EXPECT_EQ(calibratedSpeedFromAnswer("1000", true), 27778);
    EXPECT_EQ(calibratedSpeedFromAnswer("620", false), 27711);
    for (const char* bad : { "", "fast", "0", "-100", "0.5", "1001", "1e999", "100 km/h" }) {
        EXPECT_FALSE(calibratedSpeedFromAnswer(bad, true)) << bad;
    }
    EXPECT_FALSE(calibratedSpeedFromAnswer("621", false));
    EXPECT_EQ(calibratedSpeedPrompt(true),
        "This AGNAV spray file doesn't contain any flow data.\r"
        "Please input the calibrated speed of the aircraft. (km/h)");
    EXPECT_TRUE(calibratedSpeedPrompt(false).endsWith("(mph)"));
    const DefaultLocale german(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(calibratedSpeedFromAnswer("180,5", true), 5014);
    EXPECT_FALSE(calibratedSpeedFromAnswer("1.000,5", true));
}

// The report's summary figures: speeds over the samples that spray, the
// area swept from each spraying sample to the next.
TEST_F(FlightLogFormatTest, SummaryFiguresCountTheSamplesThatSpray)
{
    // A sample at easting x (metres), spraying by flow or booms, at a ground speed.
    const auto at = [](qint32 x, qint16 flow, quint8 spray, qint16 speed, qint16 target = 100) {
        AgfSample s;
        s.easting = 500000 + x;
        s.northing = 4800000;
        s.flow = flow;
        s.spray = spray;
        s.target = target;
        s.groundSpeed = speed;
        s.swathWidth = 305; // 30.5 m
        return s;
    };
    struct Row
    {
        const char* name;
        std::vector<AgfSample> samples;
        double area; // square metres
        double speedSum; // m/s
        int speedSamples;
    };
    const Row rows[] = {
        { "flow decides, not the booms",
            { at(0, 100, 0, 5000), at(10, 100, 1, 5200), at(30, 0, 1, 6000), at(60, 100, 0, 4000) },
            (10 + 20) * 30.5, 50 + 52 + 40, 3 },
        { "the last sample sweeps nothing", { at(0, 0, 0, 5000), at(10, 100, 1, 5000) }, 0, 50, 1 },
        { "a zero target still counts",
            { at(0, 100, 1, 5000, 0), at(40, 100, 1, 5000, 100), at(41, 0, 0, 0, 100) }, 41 * 30.5, 100, 2 },
        { "nothing sprays", { at(0, 0, 1, 5000), at(50, 0, 1, 5000), at(60, 1, 0, 3000) }, 0, 30, 1 },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(decode(agfLog(row.samples)).isDone());
        EXPECT_FALSE(m_flight.NoFlowData);
        EXPECT_NEAR(m_flight.SprayedAreaPart1, row.area, 1e-9);
        EXPECT_EQ(m_flight.SprayedAreaPart2, 0);
        EXPECT_NEAR(m_flight.SpeedSum, row.speedSum, 1e-9);
        EXPECT_EQ(m_flight.SpeedSamples, row.speedSamples);
    }
}

TEST_F(FlightLogFormatTest, WithoutFlowDataTheBoomsDecideAndUtmPositionsMeasure)
{
    AgfSample a;
    a.spray = 1;
    a.groundSpeed = 4000;
    a.easting = 500000;
    a.northing = 4800000;
    a.swathWidth = 200;
    AgfSample b = a;
    b.easting += 30;
    b.northing += 40; // 50 m on
    b.spray = 0;
    b.groundSpeed = 9000;
    ASSERT_TRUE(decode(agfLog({ a, b }), false).isDone())
        << "a map in degrees measures in UTM metres all the same";
    EXPECT_TRUE(m_flight.NoFlowData);
    EXPECT_NEAR(m_flight.SprayedAreaPart1, 50 * 20.0, 1e-9);
    EXPECT_EQ(m_flight.SpeedSamples, 1);
    EXPECT_NEAR(m_flight.SpeedSum, 40.0, 1e-9);
}

// Damaged input: refused, never read past the end.
using FlightLogDamagedTest = FlightLogFormatTest;

TEST_F(FlightLogDamagedTest, SeventyByteFormatIsRefused)
{
    const AgnavOutcome outcome = decode(agfLog({ AgfSample(), AgfSample() }, 2));
    EXPECT_EQ(outcome.message(),
        "AGNAV flight file is in 70-byte format.\rCurrently, only the 51-byte format is supported.");
}

TEST_F(FlightLogDamagedTest, OtherMarkersAndShortFilesAreNotValid)
{
    for (const QByteArray& bytes : { QByteArray(), QByteArray("\x02\x00", 2), QByteArray("\x02\x00\x03", 3),
             agfRecord(AgfSample()).left(50), agfLog({ AgfSample() }, 4), QByteArray(5100, '\0') }) {
        const AgnavOutcome outcome = decode(bytes);
        EXPECT_TRUE(outcome.isRefused()) << bytes.size();
        EXPECT_EQ(outcome.message(), "File is not valid.");
    }
    EXPECT_EQ(m_questions, 0);
}

TEST_F(FlightLogDamagedTest, RefusalLeavesTheFlightUntouched)
{
    m_flight.Path = QStringLiteral("/logs/N0000001.T01");
    FlightDecodeOptions options;
    EXPECT_TRUE(decodeFlightLog(QByteArray("xyz"), options, m_flight).isRefused());
    EXPECT_EQ(m_flight.Path, "/logs/N0000001.T01");
    EXPECT_TRUE(m_flight.Spray.empty());
}

} // namespace

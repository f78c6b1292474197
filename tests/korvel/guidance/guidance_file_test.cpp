#include "korvel/guidance/guidance_file.h"

#include "korvel/shell/utm_projection.h"
#include "korvel/workspace/map_state.h"
#include "platform/complete_lines.h"
#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/support/korvel_test.h"

#include <cmath>

namespace {

// Two lines as the guidance save writes them.
const QByteArray TwoLines = "LINE 10 \r\n"
                            "500615      4800700  1\r\n"
                            "500615      4801300  2\r\n"
                            "LINE 20 \r\n"
                            "500645      4800700  1\r\n"
                            "500645      4801300  2\r\n";

class GuidanceFileTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        globals().Ellipsoid = Wgs84;
        m_b = appendBlock();
        blockAt(m_b) = utmBlock(workDir() + QStringLiteral("FIELD17.no1"));
    }

    AGNAVBlock& block() { return blockAt(m_b); }
    QString xyz() const { return workDir() + QStringLiteral("FIELD17.xyz"); }

    int m_b = 0;
};

TEST_F(GuidanceFileTest, ReadsTheLinesAsTheSaveWritesThem)
{
    GuidanceSet set;
    ASSERT_TRUE(parseGuidanceFile(TwoLines, set).isDone());
    ASSERT_EQ(set.LineCount, 2);
    ASSERT_EQ(set.Lines.size(), 3u);
    EXPECT_EQ(set.Lines[2].PointCount, 2);
    EXPECT_EQ(set.Lines[2].X, (std::vector<double> { 0, 500645, 500645 }));
    EXPECT_EQ(set.Lines[2].Y, (std::vector<double> { 0, 4800700, 4801300 }));
}

TEST_F(GuidanceFileTest, HeadersInAnyCaseCommasBlankLinesAndPolylines)
{
    GuidanceSet set;
    ASSERT_TRUE(parseGuidanceFile(
        "line 10\n500615,4800700\n\n500615, 4801000,2\n500700 4801300 3\nLine 20\n1 2\n3 4\n", set)
                    .isDone());
    ASSERT_EQ(set.LineCount, 2);
    EXPECT_EQ(set.Lines[1].PointCount, 3);
    EXPECT_EQ(set.Lines[1].Y[2], 4801000.0);
    EXPECT_EQ(set.Lines[2].PointCount, 2);
}

// Every cut of the file: inside a line, or at a line end that leaves a line
// with fewer than two points, refused; a cut after a whole line keeps the
// lines before it, as a file of that many lines.
TEST_F(GuidanceFileTest, EveryCutThatLosesAPointIsRefused)
{
    for (qsizetype size = 1; size < TwoLines.size(); ++size) {
        const QByteArray cut = TwoLines.left(size);
        writeTestFile(xyz(), cut);
        block().GuidanceLoaded = false;
        const QString message = LoadGuidanceFile(m_b).message();
        if (!cut.endsWith('\n') && !cut.endsWith('\r')) {
            EXPECT_EQ(message, "FIELD17.xyz, " + cutOffLineMessage(int(cut.count('\n')) + 1)) << size;
        } else {
            const bool wholeLines = cut.count('\r') == 3 || cut.count('\r') == 6;
            EXPECT_EQ(message.isEmpty(), wholeLines) << size << ": " << message.toStdString();
        }
        EXPECT_EQ(block().GuidanceLoaded, message.isEmpty()) << size;
    }
}

TEST_F(GuidanceFileTest, FileWithoutLinesIsABlockWithNoLines)
{
    writeTestFile(xyz(), "");
    ASSERT_TRUE(LoadGuidanceFile(m_b).isDone());
    EXPECT_TRUE(block().GuidanceLoaded);
    EXPECT_EQ(block().Guidance.LineCount, 0);
    EXPECT_EQ(agnavData().GuidanceCount, 1);
}

TEST_F(GuidanceFileTest, LoadsIntoTheBlockOnce)
{
    writeTestFile(xyz(), TwoLines);
    ASSERT_TRUE(LoadGuidanceFile(m_b).isDone());
    EXPECT_EQ(block().Guidance.SourcePath, xyz());
    EXPECT_EQ(block().Guidance.LineCount, 2);
    EXPECT_EQ(block().Guidance.Lines[1].X[1], 500615.0); // same ellipsoid: not converted
    EXPECT_EQ(agnavData().GuidanceCount, 1);

    writeTestFile(xyz(), "LINE 10\r\n1 1\r\n");
    ASSERT_TRUE(LoadGuidanceFile(m_b).isDone());
    EXPECT_EQ(block().Guidance.LineCount, 2);
    EXPECT_EQ(agnavData().GuidanceCount, 1);
}

TEST_F(GuidanceFileTest, OtherEllipsoidOnAUtmMapIsConvertedThroughDegrees)
{
    block().Ellipsoid = Clarke1866;
    writeTestFile(xyz(), TwoLines);
    ASSERT_TRUE(LoadGuidanceFile(m_b).isDone());
    const ProjectedMetres expected
        = toUtm(toGeographic({ 500615.0, 4800700.0, 17, true }, Clarke1866), 17, Wgs84);
    EXPECT_NEAR(block().Guidance.Lines[1].X[1], expected.easting, 1e-3);
    EXPECT_NEAR(block().Guidance.Lines[1].Y[1], expected.northing, 1e-3);
}

TEST_F(GuidanceFileTest, LatitudeLongitudeMapGetsDegreesInTheBlocksZone)
{
    globals().UTMMode = false;
    block().Zone = 18;
    writeTestFile(workDir() + QStringLiteral("FIELD17.XYZ"), TwoLines);
    ASSERT_TRUE(LoadGuidanceFile(m_b).isDone());
    const GeographicDeg expected = toGeographic({ 500645.0, 4801300.0, 18, true }, Wgs84);
    EXPECT_NEAR(block().Guidance.Lines[2].X[2], expected.longitude, 1e-9);
    EXPECT_NEAR(block().Guidance.Lines[2].Y[2], expected.latitude, 1e-9);
    EXPECT_EQ(block().Guidance.SourcePath, workDir() + "FIELD17.XYZ");
}

// Damaged input: refused naming the file and line; nothing set.
TEST_F(GuidanceFileTest, DamagedFilesAreRefusedAndChangeNothing)
{
    const struct
    {
        QByteArray bytes;
        const char* message;
    } rows[] = {
        { "500615      4800700  1\r\n", "FIELD17.xyz, Line 1: a point comes before the first LINE header." },
        { "LINE 10\r\n500615\r\n", "FIELD17.xyz, Line 2: the point \"500615\" is not two numbers." },
        { "LINE 10\r\neast north\r\n", "FIELD17.xyz, Line 2: the point \"east north\" is not two numbers." },
        { "LINE 10\r\n1e999 1\r\n", "FIELD17.xyz, Line 2: the point \"1e999 1\" is not two numbers." },
        { "LINE 10\r\n1 1\r\nLINE 20\r\n2 2\r\n2 3\r\n",
            "FIELD17.xyz, Line 1: the guidance line that starts here has fewer than two points." },
    };
    for (const auto& row : rows) {
        writeTestFile(xyz(), row.bytes);
        const AgnavOutcome outcome = LoadGuidanceFile(m_b);
        EXPECT_EQ(outcome.message(), row.message);
        EXPECT_FALSE(block().GuidanceLoaded);
        EXPECT_EQ(agnavData().GuidanceCount, 0);
        EXPECT_EQ(block().Guidance.LineCount, 0);
    }
}

TEST_F(GuidanceFileTest, MissingFileIsRefused)
{
    EXPECT_TRUE(LoadGuidanceFile(m_b).message().startsWith("Cannot read FIELD17.xyz: "));
    EXPECT_FALSE(block().GuidanceLoaded);
}

TEST_F(GuidanceFileTest, WritesLinesAsTheReaderTakesThem)
{
    const std::optional<QString> text = guidanceFileText(
        { { 500615.4, 4800700.49, 500614.5, 4801299.5 }, { 500645, 4800700, 500645, 4801300 } });
    ASSERT_TRUE(text);
    EXPECT_EQ(text->toLatin1(), TwoLines);
    EXPECT_EQ(guidanceFileText({}), QString()) << "no lines: an empty file";
}

TEST_F(GuidanceFileTest, CoordinatesAreRoundedHalfUpToWholeMetres)
{
    const struct
    {
        double value;
        const char* written;
    } rows[] = { { 0.5, "1" }, { 1.49, "1" }, { -0.5, "0" }, { -1.5, "-1" }, { -1.51, "-2" }, { 2.5, "3" },
        { 10000000.0, "10000000" } };
    for (const auto& row : rows) {
        const std::optional<QString> text = guidanceFileText({ { row.value, 0, 0, 0 } });
        ASSERT_TRUE(text);
        EXPECT_EQ(text->split(QStringLiteral("\r\n"))[1], QString::fromLatin1(row.written) + "      0  1")
            << row.value;
    }
    EXPECT_FALSE(guidanceFileText({ { std::nan(""), 0, 0, 0 } })) << "a point with no place";
}

} // namespace

TEST_F(GuidanceFileTest, LinesThatNeedAMissingEllipsoidAreRefused)
{
    block().Ellipsoid = Clarke1866;
    globals().Ellipsoid = { QStringLiteral("Everest 1830"), 0.0, 0.0 };
    writeTestFile(xyz(), TwoLines);
    const AgnavOutcome outcome = LoadGuidanceFile(m_b);
    EXPECT_FALSE(outcome.isDone());
    EXPECT_TRUE(outcome.message().contains("\"Everest 1830\"")) << outcome.message().toStdString();
    EXPECT_FALSE(block().GuidanceLoaded);
    EXPECT_EQ(block().Guidance.LineCount, 0);
}

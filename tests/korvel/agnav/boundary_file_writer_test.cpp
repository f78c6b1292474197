#include "korvel/agnav/boundary_file_writer.h"

#include "korvel/agnav/boundary_file_reader.h"
#include "korvel/shell/utm_projection.h"
#include "korvel/workspace/map_state.h"
#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/korvel/agnav/master_point_rows.h"
#include "tests/support/korvel_test.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>

namespace {

const QByteArray UtmFileWritten
    = "0  NORTH FIELD\r\n"
      "1  U  279\r\n"
      "2   500600.0   4800700.0        AREA CORNER 1 \r\n"
      "2   500600.0   4801300.0        AREA CORNER 2 \r\n"
      "2   501400.0   4801300.0        AREA CORNER 3 \r\n"
      "4           20                  NUMBER OF LINES\r\n"
      "8          100                  MAX CROSS TRACK\r\n"
      "9      0     0     0            DELTA X/Y/Z\r\n"
      "11 0.9996000000       0.0       0.0 K0, X/Y SHIFT\r\n"
      "17   500600.0  4800700.0  90.00 MASTER POINT, HEADING\r\n"
      "20 WGS-84      6378137.0   298.257223563 22      ELLIPSOID\r\n"
      "21          0                   NO EQUATORIAL CROSSING\r\n"
      "30          6    9600  N  1  8  RS-232 PORT 2 INCOMING FORMAT\r\n"
      "35              FIELD17  F  C   CROP DIR, RAM DISK, SPRAY SIDE\r\n"
      "36         30         1  1      SWATH WIDTH, NO OF A/C, SPRAY ON CLOSURE OF CONTACT\r\n"
      "37          1                   HALF-SWATH OFFSET OF THE FIRST LINE\r\n"
      "38          2                   METRIC SYSTEM DISPLAY\r\n"
      "39     1       1                RACE TRACK, SKIP TRACK\r\n"
      "40          0                   MAGNETIC VARIATION, Deg.\r\n"
      "41       0.00                   SYSTEM LAG, Sec.\r\n"
      "42  0.00    0.00                RELAY ON / OFF, Sec.\r\n"
      "102  UTM                        UTM X/Y SCALE\r\n";

class BoundaryFileWriterTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        globals().Ellipsoid = Wgs84;
        globals().EllipsoidTable = { EllipsoidRecord(), Wgs84 };
        m_path = workDir() + QStringLiteral("FIELD17.no1");
    }

    // Reads a written file back as the block loader starts a block.
    AGNAVBlock readBack(const QString& path)
    {
        AGNAVBlock block;
        block.Boundary.XMin = block.Boundary.YMin = BlockExtentStart;
        block.Boundary.XMax = block.Boundary.YMax = -BlockExtentStart;
        block.DataFolder = workDir();
        EXPECT_TRUE(parseBoundaryFile(readTestFile(path), block, globals().EllipsoidTable).isDone());
        return block;
    }

    QString m_path;
};

TEST_F(BoundaryFileWriterTest, UtmFileByteForByte)
{
    ASSERT_TRUE(writeBoundaryFile(utmJob(), utmBlock(m_path)).isDone());
    EXPECT_EQ(readTestFile(m_path), UtmFileWritten);
}

TEST_F(BoundaryFileWriterTest, WrittenFileReadsBackAndWritesAgainTheSame)
{
    const AGNAVBlock written = utmBlock(m_path);
    ASSERT_TRUE(writeBoundaryFile(utmJob(), written).isDone());
    AGNAVBlock read = readBack(m_path);
    read.Path = m_path;
    read.FileName = written.FileName;
    EXPECT_EQ(read.Boundary.X, written.Boundary.X);
    EXPECT_EQ(read.Boundary.Y, written.Boundary.Y);
    EXPECT_EQ(read.Zone, 17);
    EXPECT_EQ(read.Ellipsoid.Name, "WGS-84");
    EXPECT_EQ(read.HeadingText, "90.00");
    EXPECT_EQ(read.SwathWidthText, "30");
    EXPECT_EQ(read.OffsetCode, 1);
    EXPECT_EQ(read.DataSubfolder, "FIELD17/");
    EXPECT_EQ(read.MasterPoint.MasterX, "500600.0");

    ASSERT_TRUE(writeBoundaryFile(utmJob(), read).isDone());
    EXPECT_EQ(readTestFile(m_path), UtmFileWritten);
}

TEST_F(BoundaryFileWriterTest, LatitudeLongitudeFileFromAUtmMap)
{
    // The map holds the block in UTM; the file gets degrees, latitude first,
    // and the block keeps its metres.
    AGNAVBlock block = utmBlock(m_path);
    block.CoordType = QStringLiteral("GEO");
    AGNAVJob job = utmJob();
    job.CoordLetter = QStringLiteral("L");
    job.MasterX = QStringLiteral("-80.987654");
    job.MasterY = QStringLiteral("43.350000");
    ASSERT_TRUE(writeBoundaryFile(job, block).isDone());
    EXPECT_EQ(block.Boundary.X[1], 500600.0);

    const QList<QByteArray> lines = readTestFile(m_path).split('\n');
    EXPECT_EQ(lines[1], "1  L  279\r");
    EXPECT_EQ(lines[9], "17  43.350000 -80.987654  90.00 MASTER POINT, HEADING\r");
    const GeographicDeg corner = toGeographic({ 500600.0, 4800700.0, 17, true }, Wgs84);
    const QByteArray expected = QStringLiteral("2   %1  %2       AREA CORNER 1 \r")
                                    .arg(corner.latitude, 0, 'f', 6)
                                    .arg(corner.longitude, 0, 'f', 6)
                                    .toLatin1();
    EXPECT_EQ(lines[2], expected);

    AGNAVBlock read = readBack(m_path);
    EXPECT_EQ(read.CoordType, "GEO");
    EXPECT_NEAR(read.Boundary.Y[1], corner.latitude, 1e-6);
    EXPECT_EQ(read.MasterPoint.MasterX, "-80.987654");
    EXPECT_EQ(read.MasterPoint.MasterY, "43.350000");
}

TEST_F(BoundaryFileWriterTest, UtmFileFromALatitudeLongitudeMap)
{
    globals().UTMMode = false;
    AGNAVBlock block = utmBlock(m_path);
    for (int i = 1; i <= 3; ++i) {
        const GeographicDeg point
            = toGeographic({ block.Boundary.X[i], block.Boundary.Y[i], 17, true }, Wgs84);
        block.Boundary.X[i] = point.longitude;
        block.Boundary.Y[i] = point.latitude;
    }
    ASSERT_TRUE(writeBoundaryFile(utmJob(), block).isDone());
    EXPECT_EQ(readTestFile(m_path), UtmFileWritten);
}

TEST_F(BoundaryFileWriterTest, CentralMeridians)
{
    EXPECT_EQ(centralMeridianOfZone(10), 237);
    EXPECT_EQ(centralMeridianOfZone(31), 3);
    EXPECT_EQ(centralMeridianOfZone(1), 183);
    EXPECT_EQ(centralMeridianOfZone(60), 177);
}

TEST_F(BoundaryFileWriterTest, WriteBoundaryFileWritesTheNewestBlock)
{
    appendBlock();
    const int b = appendBlock();
    blockAt(b) = utmBlock(m_path);
    ASSERT_TRUE(WriteBoundaryFile(utmJob()).isDone());
    EXPECT_EQ(readTestFile(m_path), UtmFileWritten);
}

// Every master point the job dialog makes is written in its columns.
TEST_F(BoundaryFileWriterTest, MasterPointsOfBothHemispheresEndInTheirColumns)
{
    for (const MasterPointRow& row : MasterPointRows) {
        AGNAVBlock block = utmBlock(m_path);
        block.CoordType = row.utm ? QStringLiteral("UTM") : QStringLiteral("GEO");
        AGNAVJob job = utmJob();
        job.MasterX = QString::fromLatin1(row.masterX);
        job.MasterY = QString::fromLatin1(row.masterY);
        QString text;
        ASSERT_TRUE(boundaryFileText(job, block, ShapeRecord(), text).isDone()) << row.name;
        EXPECT_EQ(text.split(QStringLiteral("\r\n"))[6], row.record17) << row.name;
    }
}

// A value too wide for its columns would run into its neighbour and read
// back as something else; it is refused before the file is touched.
TEST_F(BoundaryFileWriterTest, ValueTooWideIsRefusedAndTheOldFileStays)
{
    writeTestFile(m_path, "old contents\r\n");
    const struct
    {
        void (*change)(AGNAVJob&, AGNAVBlock&);
        const char* message;
    } rows[] = {
        { [](AGNAVJob& j, AGNAVBlock&) { j.MasterX = QStringLiteral("12345678901"); },
            "The master point \"12345678901\" is too long for its columns in record 17 of the boundary "
            "file." },
        { [](AGNAVJob& j, AGNAVBlock&) { j.MasterY = QStringLiteral("12345678901"); },
            "The master point \"12345678901\" is too long for its columns in record 17 of the boundary "
            "file." },
        { [](AGNAVJob& j, AGNAVBlock&) { j.Ellipsoid.EllipsoidName = QStringLiteral("INTERNATIONAL"); },
            "The ellipsoid name \"INTERNATIONAL\" is too long for its columns in record 20 of the boundary "
            "file." },
        { [](AGNAVJob& j, AGNAVBlock&) { j.OffsetCode = QString(21, u'1'); },
            "The offset code \"111111111111111111111\" is too long for its columns in record 37 of the "
            "boundary "
            "file." },
        // Values the job dialog admits: each too long for its field, or
        // filling it up to the next value, which it would touch.
        { [](AGNAVJob& j, AGNAVBlock&) { j.DeltaX = "100000"; },
            "The Delta X shift \"100000\" is too long for its columns in record 9 of the boundary file." },
        { [](AGNAVJob& j, AGNAVBlock&) { j.DeltaY = "100000", j.DeltaZ = "5"; },
            "The Delta Y shift \"100000\" is too long for its columns in record 9 of the boundary file." },
        { [](AGNAVJob& j, AGNAVBlock&) { j.DeltaX = j.DeltaY = "999999", j.DeltaZ = "1000"; },
            "The Delta X shift \"999999\" is too long for its columns in record 9 of the boundary file." },
        { [](AGNAVJob& j, AGNAVBlock&) { j.DeltaX = "1000000"; },
            "The Delta X shift \"1000000\" is too long for its columns in record 9 of the boundary file." },
        { [](AGNAVJob& j, AGNAVBlock&) { j.RaceTrack = "-2147483648"; },
            "The race track \"-2147483648\" is too long for its columns in record 39 of the boundary file." },
        { [](AGNAVJob& j, AGNAVBlock&) { j.Ellipsoid.EllipsoidAxis = "6378137.00001"; },
            "The ellipsoid axis \"6378137.00001\" is too long for its columns in record 20 of the boundary "
            "file." },
    };
    for (const auto& row : rows) {
        AGNAVJob job = utmJob();
        AGNAVBlock block = utmBlock(m_path);
        row.change(job, block);
        const AgnavOutcome outcome = writeBoundaryFile(job, block);
        EXPECT_TRUE(outcome.isRefused());
        EXPECT_EQ(outcome.message(), row.message);
        EXPECT_EQ(readTestFile(m_path), "old contents\r\n");
    }
}

// The widest values the job dialog admits, of either sign where it takes
// one ("~" in a row), stand in their own fields: a reader that splits the
// line at blanks, and before a minus that touches a digit, and one that
// reads the fields' columns both give them back ("|" between two).
TEST_F(BoundaryFileWriterTest, WidestValuesReadBackByBlanksAndByColumns)
{
    const struct
    {
        const char* record;
        std::vector<int> columns; // the first and last column of each field
        const char* values;
    } rows[] = {
        { "2", { 5, 14, 16, 31 }, "~90.000000|~180.000000" },
        { "4", { 3, 14 }, "2147483647" },
        { "8", { 3, 14 }, "10000" },
        { "9", { 8, 13, 14, 19, 20, 32 }, "99999|99999|1000" },
        { "17", { 4, 13, 14, 24, 25, 31 }, "~45.500000|~180.000000|359.00" },
        { "20", { 4, 15, 16, 26, 28, 40, 42, 49 }, "USER-ENTER|~6378137.00|~298.25722356|125" },
        { "30", { 4, 13, 14, 30 }, "11|115200  N  1  8" },
        { "35", { 4, 23, 26, 28, 29, 32 }, "ABCDEFGHIJKLMNOPQRST|F|L" },
        { "36", { 4, 13, 14, 23, 26, 32 }, "2147483647|10|2" },
        { "37", { 13, 32 }, "0" },
        { "38", { 13, 32 }, "1" },
        { "39", { 4, 8, 9, 16 }, "~9999|500" },
        { "40", { 4, 13 }, "~50" },
        { "41", { 4, 13 }, "~5.00" },
        { "42", { 4, 8, 9, 16 }, "~5.00|~5.00" },
    };
    for (const QString sign : { "-", "" }) {
        AGNAVBlock block = utmBlock(workDir() + "ABCDEFGHIJKLMNOPQRST.no1");
        block.CoordType = "GEO";
        std::fill(block.Boundary.X.begin() + 1, block.Boundary.X.end(), (sign + "180").toDouble());
        std::fill(block.Boundary.Y.begin() + 1, block.Boundary.Y.end(), (sign + "90").toDouble());
        AGNAVJob job = utmJob();
        job.MasterX = sign + "180.000000", job.MasterY = sign + "45.500000", job.Heading = "359";
        job.LineCount = job.SwathWidth = "2147483647", job.MaxXTrack = "10000";
        job.DeltaX = job.DeltaY = "99999", job.DeltaZ = "1000";
        job.Ellipsoid = { "USER-ENTER", sign + "6378137.00", sign + "298.25722356" };
        job.EllipsoidIndex = "125", job.CommIndex = "11", job.CommFormat = "115200  N  1  8";
        job.SpraySideLetter = "L", job.NumAircraft = "10", job.BoomsOnCode = "2";
        job.OffsetCode = "0", job.UnitsCode = "1", job.RaceTrack = sign + "9999", job.SkipTrack = "500";
        job.MagVar = sign + "50", job.LagTime = job.RelayOn = job.RelayOff = sign + "5.00";
        QString text;
        ASSERT_TRUE(boundaryFileText(job, block, block.Boundary, text).isDone()) << sign.toStdString();
        const QStringList lines = text.split(QStringLiteral("\r\n"));
        for (const auto& row : rows) {
            const QStringList values = QString(row.values).replace(u'~', sign).split(u'|');
            const QString line = *std::find_if(lines.begin(), lines.end(),
                [&](const QString& l) { return l.startsWith(row.record + QStringLiteral(" ")); });
            QStringList byColumns;
            for (std::size_t i = 0; i < row.columns.size(); i += 2) {
                byColumns << line.mid(row.columns[i] - 1, row.columns[i + 1] - row.columns[i] + 1).trimmed();
            }
            const QStringList items = values.join(u' ').split(u' ', Qt::SkipEmptyParts);
            const QStringList byBlanks = QString(line)
                                             .replace(QRegularExpression(QStringLiteral("(\\d)-")), "\\1 -")
                                             .split(u' ', Qt::SkipEmptyParts);
            EXPECT_EQ(byBlanks.mid(1, items.size()), items) << line.toStdString();
            EXPECT_EQ(byColumns, values) << line.toStdString();
        }
    }
}

TEST_F(BoundaryFileWriterTest, LongJobNameIsRefused)
{
    const QString path = workDir() + QStringLiteral("A_VERY_LONG_FIELD_NAME_1.no1");
    const AgnavOutcome outcome = writeBoundaryFile(utmJob(), utmBlock(path));
    EXPECT_EQ(outcome.message(),
        "The job name \"A_VERY_LONG_FIELD_NAME_1\" is too long for its columns in record 35 of the boundary "
        "file.");
    EXPECT_FALSE(QFile::exists(path));
}

TEST_F(BoundaryFileWriterTest, FileOfTheOtherKindNeedsAnEllipsoidAndCornersInTheZonesReach)
{
    // The block is in the map's degrees; its UTM file would need its
    // ellipsoid, and corners the zone's projection holds for.
    globals().UTMMode = false;
    AGNAVBlock noEllipsoid = utmBlock(m_path);
    noEllipsoid.Ellipsoid = { QStringLiteral("Everest 1830"), 0.0, 0.0 };
    AGNAVBlock farAway = utmBlock(m_path);
    std::fill(farAway.Boundary.X.begin() + 1, farAway.Boundary.X.end(), 33.0); // zone 17 is 81 W
    std::fill(farAway.Boundary.Y.begin() + 1, farAway.Boundary.Y.end(), 43.35);
    for (const auto& [block, refusal] :
        { std::pair { noEllipsoid, "\"Everest 1830\" is not in \"ellipsoid.dat\"" },
            std::pair { farAway, "from 81\u00B0 W, the central meridian of UTM zone 17" } }) {
        writeTestFile(m_path, "old file");
        const AgnavOutcome outcome = writeBoundaryFile(utmJob(), block);
        EXPECT_TRUE(outcome.isRefused());
        EXPECT_TRUE(outcome.message().contains(QString::fromUtf8(refusal)))
            << outcome.message().toStdString();
        EXPECT_EQ(readTestFile(m_path), "old file");
    }
}

TEST_F(BoundaryFileWriterTest, FailedWriteIsReported)
{
    const QString path = workDir() + QStringLiteral("missing-folder/FIELD17.no1");
    const AgnavOutcome outcome = writeBoundaryFile(utmJob(), utmBlock(path));
    EXPECT_TRUE(outcome.isRefused());
    EXPECT_TRUE(outcome.message().startsWith("Cannot write " + path + ": "));
}

} // namespace

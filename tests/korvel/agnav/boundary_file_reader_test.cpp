#include "korvel/agnav/boundary_file_reader.h"

#include "platform/complete_lines.h"
#include "tests/korvel/agnav/agnav_test_data.h"
#include "tests/korvel/agnav/master_point_rows.h"
#include "tests/support/korvel_test.h"

namespace {

// A UTM file as the guidance system keeps it, with the comment columns.
const QByteArray UtmFile
    = "0  NORTH FIELD\r\n"
      "1  U  279\r\n"
      "2   500600.0   4800700.0        AREA CORNER 1 \r\n"
      "2   500600.0   4801300.0        AREA CORNER 2 \r\n"
      "2   501400.0   4801300.0        AREA CORNER 3 \r\n"
      "4           20                  NUMBER OF LINES\r\n"
      "17   500600.0  4800700.0  90.00 MASTER POINT, HEADING\r\n"
      "20 WGS-84      6378137.0   298.257223563 22      ELLIPSOID\r\n"
      "35              FIELD17  F  C   CROP DIR, RAM DISK, SPRAY SIDE\r\n"
      "36         30         1  1      SWATH WIDTH, NO OF A/C, SPRAY ON CLOSURE OF CONTACT\r\n"
      "37          1                   HALF-SWATH OFFSET OF THE FIRST LINE\r\n"
      "102  UTM                        UTM X/Y SCALE\r\n";

// A latitude/longitude file: corners and master point list latitude first.
const QByteArray GeoFile = "1  L  279\r\n"
                           "2   43.350000  -80.990000       AREA CORNER 1 \r\n"
                           "2   43.360000  -80.990000       AREA CORNER 2 \r\n"
                           "2   43.360000  -80.980000       AREA CORNER 3 \r\n"
                           "17  43.350000 -80.990000 123.00 MASTER POINT, HEADING\r\n";

class BoundaryFileReaderTest : public KorvelTest
{
protected:
    AgnavOutcome parse(const QByteArray& bytes)
    {
        m_block = AGNAVBlock();
        m_block.Boundary.XMin = m_block.Boundary.YMin = BlockExtentStart;
        m_block.Boundary.XMax = m_block.Boundary.YMax = -BlockExtentStart;
        m_block.DataFolder = QStringLiteral("/data/");
        return parseBoundaryFile(bytes, m_block, m_table);
    }

    AGNAVBlock m_block;
    std::vector<EllipsoidRecord> m_table { EllipsoidRecord(), Clarke1866, Wgs84 };
};

TEST_F(BoundaryFileReaderTest, ReadsEveryRecordTheBlockKeeps)
{
    ASSERT_TRUE(parse(UtmFile).isDone());
    EXPECT_EQ(m_block.CoordType, "UTM");
    EXPECT_EQ(m_block.Zone, 17);
    ASSERT_EQ(m_block.VertexCount, 3);
    EXPECT_EQ(m_block.Boundary.X, (std::vector<double> { 0, 500600, 500600, 501400 }));
    EXPECT_EQ(m_block.Boundary.Y, (std::vector<double> { 0, 4800700, 4801300, 4801300 }));
    EXPECT_EQ(m_block.Boundary.XMin, 500600.0);
    EXPECT_EQ(m_block.Boundary.XMax, 501400.0);
    EXPECT_EQ(m_block.Boundary.YMin, 4800700.0);
    EXPECT_EQ(m_block.Boundary.YMax, 4801300.0);
    EXPECT_EQ(m_block.HeadingText, "90.00");
    EXPECT_EQ(m_block.MasterPoint.MasterX, "500600.0");
    EXPECT_EQ(m_block.MasterPoint.MasterY, "4800700.0");
    EXPECT_EQ(m_block.Ellipsoid.Name, "WGS-84");
    EXPECT_EQ(m_block.Ellipsoid.Axis, 6378137.0);
    EXPECT_EQ(m_block.Ellipsoid.InverseFlattening, 298.257223563);
    EXPECT_EQ(m_block.DataFolder, "/data/FIELD17/");
    EXPECT_EQ(m_block.DataSubfolder, "FIELD17/");
    EXPECT_EQ(m_block.SwathWidthText, "30");
    EXPECT_EQ(m_block.OffsetCode, 1);
    // Record 4 is a job value the reader passes over.
    EXPECT_TRUE(m_block.LineCountText.isEmpty());
}

// A cut inside a line is refused, naming the line; a cut at a line end
// keeps every corner it reads whole.
TEST_F(BoundaryFileReaderTest, EveryCutInsideALineIsRefused)
{
    for (qsizetype size = 1; size < UtmFile.size(); ++size) {
        const QByteArray cut = UtmFile.left(size);
        const AgnavOutcome outcome = parse(cut);
        if (!cut.endsWith('\n') && !cut.endsWith('\r')) {
            EXPECT_EQ(outcome.message(), cutOffLineMessage(int(cut.count('\n')) + 1)) << size;
            continue;
        }
        ASSERT_EQ(outcome.isDone(), cut.contains("279\r")) << size << ": " << outcome.message().toStdString();
        if (outcome.isDone()) {
            EXPECT_EQ(m_block.VertexCount, cut.count("AREA CORNER")) << size;
        }
    }
}

TEST_F(BoundaryFileReaderTest, LatitudeLongitudeFileListsLatitudeFirst)
{
    ASSERT_TRUE(parse(GeoFile).isDone());
    EXPECT_EQ(m_block.CoordType, "GEO");
    EXPECT_EQ(m_block.Boundary.Y[1], 43.35);
    EXPECT_EQ(m_block.Boundary.X[1], -80.99);
    EXPECT_EQ(m_block.Boundary.XMax, -80.98);
    EXPECT_EQ(m_block.MasterPoint.MasterY, "43.350000");
    EXPECT_EQ(m_block.MasterPoint.MasterX, "-80.990000");
    EXPECT_EQ(m_block.HeadingText, "123.00");
}

// Two master values that touch are taken apart at the minus sign of the
// second, in the writer's columns or one column to the right.
TEST_F(BoundaryFileReaderTest, MasterPointsOfBothHemispheres)
{
    for (const MasterPointRow& row : MasterPointRows) {
        const QByteArray system = row.utm ? "1  U  279\r\n" : "1  L  279\r\n";
        const QByteArray record = row.record17;
        for (const QByteArray& line : { record, QByteArray(record).insert(2, ' ') }) {
            ASSERT_TRUE(parse(system + line + "\r\n").isDone()) << line.constData();
            EXPECT_EQ(m_block.MasterPoint.MasterX, row.masterX) << line.constData();
            EXPECT_EQ(m_block.MasterPoint.MasterY, row.masterY) << line.constData();
            EXPECT_EQ(m_block.HeadingText, "90.00") << line.constData();
        }
    }
}

TEST_F(BoundaryFileReaderTest, CentralMeridianGivesTheZone)
{
    const struct
    {
        const char* record;
        int zone;
        const char* coordType;
    } rows[] = {
        { "1  U  183", 1, "UTM" },
        { "1  U  357", 30, "UTM" },
        { "1  L  3", 31, "GEO" },
        { "1  U  177", 60, "UTM" },
        { "1  U  237", 10, "UTM" },
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(parse(QByteArray(row.record) + "\r\n").isDone()) << row.record;
        EXPECT_EQ(m_block.Zone, row.zone) << row.record;
        EXPECT_EQ(m_block.CoordType, row.coordType) << row.record;
    }
}

TEST_F(BoundaryFileReaderTest, CornersBeforeRecordOneFollowTheFilesSystem)
{
    // Record 1 at the end still decides that the corners are easting first.
    ASSERT_TRUE(parse("2   500600.0   4800700.0        AREA CORNER 1 \r\n"
                      "2   500600.0   4801300.0        AREA CORNER 2 \r\n"
                      "1  U  279\r\n")
                    .isDone());
    EXPECT_EQ(m_block.Boundary.X[1], 500600.0);
    EXPECT_EQ(m_block.Boundary.Y[2], 4801300.0);
}

TEST_F(BoundaryFileReaderTest, UnknownRecordsAndBlankLinesAreSkipped)
{
    ASSERT_TRUE(parse("1  U  279\r\n"
                      "55 whatever the guidance system adds\r\n"
                      "\r\n"
                      "2   500600.0   4800700.0        AREA CORNER 1 \r\n"
                      "255\r\n"
                      "2   500600.0   4801300.0        AREA CORNER 2 \r\n")
                    .isDone());
    EXPECT_EQ(m_block.VertexCount, 2);
}

// The blank that ends a job name, a swath or an offset code may be the last
// character of the line: the line keeps its trailing blanks until its
// records are split.
TEST_F(BoundaryFileReaderTest, AValueEndedByTheLinesLastBlankIsRead)
{
    struct Case
    {
        const char* name;
        QByteArray line;
        QString job;
        QString swath;
        int offset;
    };
    const Case cases[] = {
        { "job name", "35  JOB \r\n", "JOB/", "", 0 },
        { "job name, blanks before the record", "   35  JOB  \r\n", "JOB/", "", 0 },
        { "job name ended by a tab", "35\tJOB\t\n", "JOB/", "", 0 },
        { "swath", "36  30 \r\n", "", "30", 0 },
        { "offset code", "37  2 \r\n", "", "", 2 },
    };
    for (const Case& c : cases) {
        const AgnavOutcome outcome = parse("1  U  279\r\n" + c.line);
        ASSERT_TRUE(outcome.isDone()) << c.name << ": " << outcome.message().toStdString();
        EXPECT_EQ(m_block.DataSubfolder, c.job) << c.name;
        EXPECT_EQ(m_block.SwathWidthText, c.swath) << c.name;
        EXPECT_EQ(m_block.OffsetCode, c.offset) << c.name;
    }
}

TEST_F(BoundaryFileReaderTest, FileWithoutCornersKeepsTheStartExtent)
{
    ASSERT_TRUE(parse("1  U  279\r\n").isDone());
    EXPECT_EQ(m_block.VertexCount, 0);
    EXPECT_EQ(m_block.Boundary.XMin, BlockExtentStart);
    EXPECT_EQ(m_block.Boundary.YMax, -BlockExtentStart);
}

TEST_F(BoundaryFileReaderTest, EllipsoidTakesTheLastMatchingTableName)
{
    m_table.push_back({ QStringLiteral("GPS"), 6378137.0, 298.257223563 });
    ASSERT_TRUE(
        parse("1  U  279\r\n20 USER-ENTER  6378137.0   298.257223563 0       ELLIPSOID\r\n").isDone());
    EXPECT_EQ(m_block.Ellipsoid.Name, "GPS");

    // No matching row: the file's own name stays.
    ASSERT_TRUE(
        parse("1  U  279\r\n20 MY-OWN      6378000.0   300.0         0       ELLIPSOID\r\n").isDone());
    EXPECT_EQ(m_block.Ellipsoid.Name, "MY-OWN");
    EXPECT_EQ(m_block.Ellipsoid.Axis, 6378000.0);
    EXPECT_EQ(m_block.Ellipsoid.InverseFlattening, 300.0);
}

TEST_F(BoundaryFileReaderTest, ReadsLfAndCrLineEnds)
{
    QByteArray lf = UtmFile;
    lf.replace("\r\n", "\n");
    ASSERT_TRUE(parse(lf).isDone());
    EXPECT_EQ(m_block.VertexCount, 3);
    EXPECT_EQ(m_block.SwathWidthText, "30");
}

TEST_F(BoundaryFileReaderTest, ReadBlockBoundaryFileFillsTheListedBlock)
{
    const QString path = workDir() + QStringLiteral("FIELD17.no1");
    writeTestFile(path, UtmFile);
    const int b = appendBlock();
    AGNAVBlock& block = blockAt(b);
    block.Path = path;
    block.DataFolder = workDir();
    ASSERT_TRUE(ReadBlockBoundaryFile(b).isDone());
    EXPECT_EQ(blockAt(b).VertexCount, 3);
    EXPECT_EQ(blockAt(b).DataFolder, workDir() + QStringLiteral("FIELD17/"));
}

// Damaged input: each case refuses with the line and what is wrong.
class BoundaryFileReaderDamagedTest : public BoundaryFileReaderTest
{
protected:
    QString refusal(const QByteArray& bytes)
    {
        const AgnavOutcome outcome = parse(bytes);
        EXPECT_TRUE(outcome.isRefused());
        return outcome.message();
    }
};

TEST_F(BoundaryFileReaderDamagedTest, EmptyFileHoldsNoRecords)
{
    EXPECT_EQ(refusal(""), "The file holds no records.");
    EXPECT_EQ(refusal("\r\n  \r\n"), "The file holds no records.");
}

TEST_F(BoundaryFileReaderDamagedTest, RecordNumberOutsideAByte)
{
    EXPECT_EQ(refusal("1  U  279\r\n256 X\r\n"),
        "Line 2: the record number \"256\" is not a number from 0 to 255.");
    EXPECT_EQ(refusal("X2  1.0  2.0\r\n"), "Line 1: the record number \"X2\" is not a number from 0 to 255.");
    EXPECT_EQ(refusal("-1  U\r\n"), "Line 1: the record number \"-1\" is not a number from 0 to 255.");
}

TEST_F(BoundaryFileReaderDamagedTest, CornerThatIsNotTwoNumbers)
{
    EXPECT_TRUE(refusal("1  U  279\r\n2   500600.0   NORTH\r\n").startsWith("Line 2 (record 2): corner 1"));
    EXPECT_TRUE(refusal("1  U  279\r\n2   500600.0\r\n").startsWith("Line 2 (record 2): corner 1"));
    EXPECT_TRUE(refusal("1  U  279\r\n2   1e999  5\r\n").startsWith("Line 2 (record 2): corner 1"));
}

TEST_F(BoundaryFileReaderDamagedTest, MeridianThatGivesNoZone)
{
    EXPECT_EQ(
        refusal("1  U  27.5\r\n"), "Line 1 (record 1): the central meridian \"27.5\" is not a whole number.");
    EXPECT_EQ(refusal("1  U\r\n"), "Line 1 (record 1): the central meridian \"\" is not a whole number.");
    EXPECT_EQ(refusal("1  U  2000\r\n"),
        "Line 1 (record 1): the central meridian 2000 lies in no UTM zone from 1 to 60.");
}

TEST_F(BoundaryFileReaderDamagedTest, NoCoordinateSystem)
{
    const QString missing
        = QStringLiteral("The file does not give its coordinate system: record 1 with U (UTM) or L "
                         "(latitude/longitude) is missing.");
    EXPECT_EQ(refusal("2   500600.0   4800700.0\r\n"), missing);
    EXPECT_EQ(refusal("1  X  279\r\n"), missing);
}

TEST_F(BoundaryFileReaderDamagedTest, JobSwathAndOffsetWithoutTheirBlank)
{
    EXPECT_TRUE(
        refusal("1  U  279\r\n35              FIELD17\r\n").startsWith("Line 2 (record 35): the job name"));
    EXPECT_TRUE(refusal("1  U  279\r\n36         30\r\n").startsWith("Line 2 (record 36): the swath width"));
    EXPECT_TRUE(refusal("1  U  279\r\n37          1\r\n").startsWith("Line 2 (record 37): the offset code"));
    EXPECT_EQ(refusal("1  U  279\r\n37  HALF  OFFSET\r\n"),
        "Line 2 (record 37): the offset code \"HALF\" is not a number.");
    EXPECT_EQ(refusal("1  U  279\r\n37  300  OFFSET\r\n"),
        "Line 2 (record 37): the offset code \"300\" is not a number from 0 to 255.");
}

TEST_F(BoundaryFileReaderDamagedTest, ShortRecordsReadWithoutFault)
{
    // Records 17 and 20 cut short are no failure of the format; they give
    // empty or zero values, never a read outside the line.
    ASSERT_TRUE(parse("1  U  279\r\n17\r\n20\r\n20 WGS\r\n").isDone());
    EXPECT_TRUE(m_block.HeadingText.isEmpty());
    EXPECT_TRUE(m_block.MasterPoint.MasterX.isEmpty());
    EXPECT_EQ(m_block.Ellipsoid.Axis, 0.0);
}

TEST_F(BoundaryFileReaderDamagedTest, MissingFileIsRefusedWithTheSystemsReason)
{
    const int b = appendBlock();
    blockAt(b).Path = workDir() + QStringLiteral("absent.no1");
    const AgnavOutcome outcome = ReadBlockBoundaryFile(b);
    EXPECT_TRUE(outcome.isRefused());
    EXPECT_TRUE(outcome.message().startsWith("Cannot read the file: "));
    EXPECT_EQ(blockAt(b).VertexCount, 0);
}

TEST_F(BoundaryFileReaderDamagedTest, RefusedFileLeavesTheListedBlockUntouched)
{
    const QString path = workDir() + QStringLiteral("BAD.no1");
    writeTestFile(path, "1  U  279\r\n2   500600.0   4800700.0\r\n2   broken\r\n");
    const int b = appendBlock();
    blockAt(b).Path = path;
    EXPECT_TRUE(ReadBlockBoundaryFile(b).isRefused());
    EXPECT_TRUE(blockAt(b).CoordType.isEmpty());
    EXPECT_EQ(blockAt(b).VertexCount, 0);
}

// Binary bytes are no boundary file, however their line ends fall; a text
// that ends in a Ctrl+Z end mark is whole.
TEST_F(BoundaryFileReaderDamagedTest, BinaryGarbageIsRefusedAsNoBoundaryFile)
{
    QByteArray garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += char((i * 7919) % 256);
    }
    for (const QByteArray& bytes : { garbage, UtmFile + '\0', QByteArray("1  U  279\r\n\x01") }) {
        EXPECT_EQ(parse(bytes).message(),
            "This is not an AG-NAV block boundary file: it holds binary data, not lines of text.");
    }
    EXPECT_TRUE(parse(UtmFile + '\x1a').isDone());
}

} // namespace

#include "korvel/map/shapefile_reader.h"

#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "platform/vb_random.h"
#include "tests/support/korvel_test.h"
#include "tests/support/recording_status_progress.h"
#include "tests/support/shapefile_writer.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

#include <bit>
#include <limits>

namespace {

constexpr qint32 Point = 1;
constexpr qint32 Polyline = 3;
constexpr qint32 Polygon = 5;
constexpr qsizetype HeaderBytes = 100;

class ShapefileReaderTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        for (std::size_t i = 0; i < mapState().LayerPalette.size(); ++i) {
            mapState().LayerPalette[i] = 1000 + static_cast<std::int32_t>(i);
        }
    }

    // A record as the opening procedure hands it over.
    GISLayer freshLayer(const QString& name) const
    {
        GISLayer layer;
        layer.Path = workDir() + name;
        layer.FileName = name;
        layer.DisplayName = layer.Path;
        layer.Thickness = 1;
        layer.Colours = { 0 };
        return layer;
    }

    static GISReadOptions localFiles()
    {
        GISReadOptions options;
        options.isOnNetwork = [](const QString&) { return false; };
        return options;
    }

    // Reads bytes written as `name` into a fresh layer.
    GISReadResult readBytes(
        const QByteArray& bytes, GISLayer& layer, const QString& name = QStringLiteral("t.shp"))
    {
        writeTestFile(workDir() + name, bytes);
        layer = freshLayer(name);
        return ReadShapefile(layer, localFiles());
    }

    static ShapefileWriter twoPolylines()
    {
        ShapefileWriter writer(Polyline);
        writer.addPoly({ { { 1, 2 }, { 3, 4 } } });
        writer.addPoly({ { { 5, 6 }, { 7, 8 }, { 9, 10 } }, { { 11, 12 }, { 13, 14 } } });
        return writer;
    }
};

// --- What a good file gives ---------------------------------------------

TEST_F(ShapefileReaderTest, PointFileGivesOneVertexPerFeatureAndNoBox)
{
    mapState().Zone = 33;
    ShapefileWriter writer(Point);
    writer.addPoint(500100.5, 4100200.25);
    writer.addPoint(-1.5, 2.5);
    writer.addPoint(7, 8);
    writer.setHeaderBox({ -10, -20, 600000, 4200000 });
    ASSERT_EQ(writer.mainFile().size(), HeaderBytes + 28 * 3);

    GISLayer layer;
    const GISReadResult result = readBytes(writer.mainFile(), layer);

    ASSERT_TRUE(result.ok) << result.description.toStdString();
    EXPECT_EQ(layer.ShapeType, Point);
    ASSERT_EQ(layer.ShapeCount(), 3);
    for (int s = 1; s <= 3; ++s) {
        EXPECT_EQ(layer.PointCounts(s), 1);
        EXPECT_EQ(layer.Shapes.box(s).XMax, 0.0);
        EXPECT_EQ(layer.Shapes.box(s).YMin, 0.0);
    }
    EXPECT_EQ(layer.Shapes.X(1, 1), 500100.5);
    EXPECT_EQ(layer.Shapes.Y(1, 1), 4100200.25);
    EXPECT_EQ(layer.Shapes.X(2, 1), -1.5);
    EXPECT_TRUE(layer.ShapeParts.empty());
    EXPECT_EQ(layer.Zone, 33);
    EXPECT_EQ(layer.XMin, -10.0);
    EXPECT_EQ(layer.YMin, -20.0);
    EXPECT_EQ(layer.XMax, 600000.0);
    EXPECT_EQ(layer.YMax, 4200000.0);
    EXPECT_EQ(layer.CoordType, unsetCoordType());
    EXPECT_EQ(layer.Path, workDir() + "t.shp");
    EXPECT_EQ(layer.Thickness, 1);
}

TEST_F(ShapefileReaderTest, PolygonWithHoleTakesItsRingsFromThePartIndex)
{
    const TestPart outer { { 0, 0 }, { 0, 100 }, { 100, 100 }, { 100, 0 }, { 0, 0 } };
    const TestPart hole { { 10, 10 }, { 20, 10 }, { 20, 20 }, { 10, 20 }, { 10, 10 } };
    ShapefileWriter writer(Polygon);
    writer.addPoly({ outer, hole });

    GISLayer layer;
    ASSERT_TRUE(readBytes(writer.mainFile(), layer).ok);

    ASSERT_EQ(layer.ShapeCount(), 1);
    EXPECT_EQ(layer.ShapeType, Polygon);
    EXPECT_EQ(layer.PointCounts(1), 10);
    ASSERT_EQ(layer.ShapeParts.size(), 2u);
    EXPECT_EQ(layer.ShapeParts[1].PartCount, 2);
    EXPECT_EQ(layer.ShapeParts[1].PartStart, (std::vector<std::int32_t> { 0, 1, 6, 11 }));
    EXPECT_EQ(layer.Shapes.X(1, 6), 10.0);
    EXPECT_EQ(layer.Shapes.Y(1, 8), 20.0);
    const ShapeBox& box = layer.Shapes.box(1);
    EXPECT_EQ(box.XMin, 0.0);
    EXPECT_EQ(box.YMin, 0.0);
    EXPECT_EQ(box.XMax, 100.0);
    EXPECT_EQ(box.YMax, 100.0);
}

// Parts guessed from a vertex repeating the part's first one would run the
// open pieces of a polyline together and leave PartStart(2) at 0.
TEST_F(ShapefileReaderTest, OpenMultiPartPolylineKeepsEveryPartStart)
{
    ShapefileWriter writer(Polyline);
    writer.addPoly({ { { 0, 0 }, { 1, 1 }, { 2, 0 } }, { { 5, 5 }, { 6, 6 }, { 7, 5 }, { 8, 6 } },
        { { 9, 9 }, { 9, 10 } } });
    writer.addPoly({ { { 3, 3 }, { 4, 4 } } });

    GISLayer layer;
    ASSERT_TRUE(readBytes(writer.mainFile(), layer).ok);

    EXPECT_EQ(layer.ShapeParts[1].PartCount, 3);
    EXPECT_EQ(layer.ShapeParts[1].PartStart, (std::vector<std::int32_t> { 0, 1, 4, 8, 10 }));
    EXPECT_EQ(layer.ShapeParts[2].PartCount, 1);
    EXPECT_TRUE(layer.ShapeParts[2].PartStart.empty());
    EXPECT_EQ(layer.Shapes.X(2, 2), 4.0);
}

TEST_F(ShapefileReaderTest, NullShapesAreFeaturesWithoutVerticesAndShiftNothing)
{
    ShapefileWriter polys(Polyline);
    polys.addNull();
    polys.addPoly({ { { 1, 2 }, { 3, 4 } } });
    polys.addNull();
    polys.addPoly({ { { 5, 6 }, { 7, 8 }, { 9, 10 } } });
    GISLayer layer;
    ASSERT_TRUE(readBytes(polys.mainFile(), layer).ok);
    ASSERT_EQ(layer.ShapeCount(), 4);
    EXPECT_EQ(layer.PointCounts(1), 0);
    EXPECT_EQ(layer.ShapeParts[1].PartCount, 0);
    EXPECT_EQ(layer.PointCounts(3), 0);
    EXPECT_EQ(layer.PointCounts(4), 3);
    EXPECT_EQ(layer.Shapes.X(4, 3), 9.0);
    EXPECT_EQ(layer.Shapes.Y(2, 1), 2.0);

    ShapefileWriter points(Point);
    points.addPoint(1, 2);
    points.addNull();
    points.addPoint(3, 4);
    ASSERT_TRUE(readBytes(points.mainFile(), layer).ok);
    ASSERT_EQ(layer.ShapeCount(), 3);
    EXPECT_EQ(layer.PointCounts(2), 0);
    EXPECT_EQ(layer.Shapes.X(3, 1), 3.0);
    EXPECT_EQ(layer.Shapes.Y(3, 1), 4.0);
}

// Stepping through point files in fixed 28-byte records would misread them.
TEST_F(ShapefileReaderTest, PointRecordsAreReadByTheirOwnContentLength)
{
    ShapefileWriter writer(Point);
    // A point with a measure after it, as some writers leave in type 1 files.
    writer.addContent(
        littleEndian32(Point) + littleEndianDouble(1) + littleEndianDouble(2) + littleEndianDouble(99));
    writer.addPoint(3, 4);
    GISLayer layer;
    ASSERT_TRUE(readBytes(writer.mainFile(), layer).ok);
    ASSERT_EQ(layer.ShapeCount(), 2);
    EXPECT_EQ(layer.Shapes.X(2, 1), 3.0);
    EXPECT_EQ(layer.Shapes.Y(2, 1), 4.0);
}

// The file length is a big-endian count of 16-bit words; summed in single
// precision, an odd count above 2^24 words (a file over 32 MiB) would come
// out one word off. A file that large reads whole, to its last vertex.
TEST_F(ShapefileReaderTest, LengthsOverThirtyTwoMebibytesAreReadExactly)
{
    constexpr qint32 Points = 2097152;
    QByteArray content(44 + 4 + 16 * qsizetype(Points) + 2, '\0'); // two spare bytes: an odd word count
    putLittleEndian32(content, 0, Polyline);
    putLittleEndianDouble(content, 20, double(Points));
    putLittleEndianDouble(content, 28, 1.0);
    putLittleEndian32(content, 36, 1);
    putLittleEndian32(content, 40, Points);
    for (qint32 j = 0; j < Points; ++j) {
        putLittleEndianDouble(content, 48 + 16 * qsizetype(j), double(j));
        putLittleEndianDouble(content, 56 + 16 * qsizetype(j), 1.0);
    }
    ShapefileWriter writer(Polyline);
    writer.addContent(content);
    const QByteArray bytes = writer.mainFile();
    const qint32 words = qFromBigEndian<qint32>(bytes.constData() + 24);
    ASSERT_GT(words, 1 << 24);
    ASSERT_EQ(words % 2, 1);

    GISLayer layer;
    const GISReadResult result = readBytes(bytes, layer);
    ASSERT_TRUE(result.ok) << result.description.toStdString();
    ASSERT_EQ(layer.PointCounts(1), Points);
    EXPECT_EQ(layer.Shapes.X(1, Points), double(Points - 1));
}

// --- Side file, index, colour, progress ------------------------------------

TEST_F(ShapefileReaderTest, SideFileGivesExtentAndCoordinateType)
{
    ShapefileWriter writer(Polygon);
    writer.addPoly({ { { -96, 44 }, { -95, 45 }, { -96, 45 }, { -96, 44 } } });
    writer.write(workDir() + "g.shp");
    writeTestFile(workDir() + "g.met",
        "Spatial_Domain:\r\n  Bounding_Coordinates:\r\n    West_Bounding_Coordinate: -96.5\r\n"
        "    East_Bounding_Coordinate: -94.5\r\n    North_Bounding_Coordinate: 45.5\r\n"
        "    South_Bounding_Coordinate: 43.5\r\n  Geographic_Coordinate_Units: Decimal degrees\r\n");

    GISLayer layer = freshLayer("g.shp");
    ASSERT_TRUE(ReadShapefile(layer, localFiles()).ok);
    EXPECT_EQ(layer.CoordType, "GEO");
    EXPECT_EQ(layer.XMin, -96.5);
    EXPECT_EQ(layer.XMax, -94.5);
    EXPECT_EQ(layer.YMax, 45.5);
    EXPECT_EQ(layer.YMin, 43.5);
}

TEST_F(ShapefileReaderTest, BadSideFileRefusesTheLayerNamingTheSideFile)
{
    twoPolylines().write(workDir() + "r.shp");
    writeTestFile(workDir() + "r.met", "Bounding_Coordinates:\nWest: abc\nEast: 1\nNorth: 2\nSouth: 3\n");
    GISLayer layer = freshLayer("r.shp");
    const GISReadResult result = ReadShapefile(layer, localFiles());
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.description.contains("'r.met'")) << result.description.toStdString();
    EXPECT_EQ(layer.ShapeCount(), 0);
}

TEST_F(ShapefileReaderTest, IndexPresentFollowsTheIndexFileForEveryShapeType)
{
    ShapefileWriter points(Point);
    points.addPoint(1, 2);
    points.write(workDir() + "p.shp", false);
    GISLayer layer = freshLayer("p.shp");
    ASSERT_TRUE(ReadShapefile(layer, localFiles()).ok);
    EXPECT_FALSE(layer.IndexPresent);

    points.write(workDir() + "p.shp", true);
    layer = freshLayer("p.shp");
    ASSERT_TRUE(ReadShapefile(layer, localFiles()).ok);
    EXPECT_TRUE(layer.IndexPresent);

    // Files copied from Windows come with their extensions in capitals.
    twoPolylines().write(workDir() + "l.shp", false);
    writeTestFile(workDir() + "l.SHX", twoPolylines().indexFile());
    layer = freshLayer("l.shp");
    ASSERT_TRUE(ReadShapefile(layer, localFiles()).ok);
    EXPECT_TRUE(layer.IndexPresent);
}

TEST_F(ShapefileReaderTest, ColourIsDrawnDarkForLargeFilesLightForSmallOnesOrTakenFromTheSession)
{
    resetRandom();
    const int light = int(double(Rnd()) * 5.0) + 9;
    const int dark = int(double(Rnd()) * 7.0) + 1;
    resetRandom();

    GISLayer layer;
    ASSERT_TRUE(readBytes(twoPolylines().mainFile(), layer).ok);
    EXPECT_EQ(layer.Colours[0], 1000 + light);

    // Over 100,000 words: a polyline of 12,500 vertices.
    TestPart long_(12500, { 1, 1 });
    ShapefileWriter big(Polyline);
    big.addPoly({ long_ });
    ASSERT_GT(big.mainFile().size(), 200000);
    ASSERT_TRUE(readBytes(big.mainFile(), layer).ok);
    EXPECT_EQ(layer.Colours[0], 1000 + dark);

    writeTestFile(workDir() + "s.shp", twoPolylines().mainFile());
    layer = freshLayer("s.shp");
    GISReadOptions session = localFiles();
    session.sessionColour = 0x00123456;
    ASSERT_TRUE(ReadShapefile(layer, session).ok);
    EXPECT_EQ(layer.Colours[0], 0x00123456);
}

TEST_F(ShapefileReaderTest, ShowsAnalyzingThenLoadingAndClearsTheStatusAtTheEnd)
{
    RecordingStatusProgress progress;
    GISLayer layer;
    ASSERT_TRUE(readBytes(twoPolylines().mainFile(), layer).ok);
    EXPECT_EQ(progress.texts,
        (QStringList {
            QStringLiteral("Analyzing GIS File"), QStringLiteral("Loading GIS File"), QString() }));
    EXPECT_EQ(progress.maximum, 2);
    ASSERT_FALSE(progress.values.empty());
    EXPECT_EQ(progress.values.back(), 2) << "the bar ends full";
    EXPECT_FALSE(progress.visible);

    progress.texts.clear();
    ASSERT_FALSE(readBytes(twoPolylines().mainFile().chopped(1), layer).ok);
    EXPECT_FALSE(progress.visible);
    EXPECT_TRUE(progress.statusText.isEmpty());
}

// A fixed "temp.shp" in the program folder as the copy of a network file
// would delete whatever stood there under that name afterwards.
TEST_F(ShapefileReaderTest, NetworkFileIsReadFromAPrivateCopyThatAloneIsDeleted)
{
    const QString temporaryFolder = workDir() + "tmp";
    ASSERT_TRUE(QDir().mkpath(temporaryFolder));
    const QByteArray oldTemporaryFolder = qgetenv("TMPDIR");
    qputenv("TMPDIR", temporaryFolder.toUtf8());
    writeTestFile(programDir() + "temp.shp", "the user's own file");
    writeTestFile(workDir() + "temp.shp", "another of the user's files");
    twoPolylines().write(workDir() + "net.shp");

    GISLayer layer = freshLayer("net.shp");
    QStringList asked;
    GISReadOptions options;
    options.isOnNetwork = [&asked](const QString& path) {
        asked << path;
        return true;
    };
    const GISReadResult result = ReadShapefile(layer, options);
    qputenv("TMPDIR", oldTemporaryFolder);

    ASSERT_TRUE(result.ok) << result.description.toStdString();
    EXPECT_EQ(asked, QStringList { workDir() + "net.shp" });
    EXPECT_EQ(layer.ShapeCount(), 2);
    EXPECT_TRUE(layer.IndexPresent); // looked for beside the user's file, not the copy
    EXPECT_TRUE(QDir(temporaryFolder).isEmpty());
    QFile own(programDir() + "temp.shp");
    ASSERT_TRUE(own.open(QIODevice::ReadOnly));
    EXPECT_EQ(own.readAll(), "the user's own file");
    EXPECT_TRUE(QFile::exists(workDir() + "temp.shp"));
}

// --- Damaged input -----------------------------------------------------

TEST_F(ShapefileReaderTest, UnsupportedShapeTypesAreRefusedWithTheProgramsText)
{
    for (const qint32 type : { 8, 11, 13, 31, 257 }) {
        ShapefileWriter writer(type);
        GISLayer layer;
        const GISReadResult result = readBytes(writer.mainFile(), layer);
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.refusal,
            "SHP file format not\rcurrently supported\r\rShapeType = " + QString::number(type));
        EXPECT_TRUE(result.description.isEmpty());
    }
}

TEST_F(ShapefileReaderTest, MissingOrForeignFilesFailNamingTheFile)
{
    GISLayer layer = freshLayer("gone.shp");
    GISReadResult result = ReadShapefile(layer, localFiles());
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.description, "'gone.shp' cannot be read: File not found");

    ASSERT_TRUE(QDir().mkpath(workDir() + "folder.shp"));
    layer = freshLayer("folder.shp");
    result = ReadShapefile(layer, localFiles());
    EXPECT_EQ(result.description, "'folder.shp' cannot be read: Path/File access error");

    result = readBytes("This is a text file saved with the wrong extension, long enough to hold a header.\n"
                       "It goes on for a second line to pass one hundred bytes.\n",
        layer);
    EXPECT_EQ(result.description, "'t.shp' is not in SHP format.");

    result = readBytes(twoPolylines().mainFile().first(60), layer);
    EXPECT_EQ(result.description, "'t.shp' is not in SHP format.");
}

// Every cut of the last record, with the header's length left as written (a
// copy broken off) and with the length fitted to the cut (a writer that
// stopped between records and header), is refused: never a feature at (0, 0).
TEST_F(ShapefileReaderTest, EveryTruncationOfTheLastRecordIsRefused)
{
    const ShapefileWriter writer = twoPolylines();
    const QByteArray whole = writer.mainFile();
    for (qsizetype cut = writer.recordOffset(2) + 1; cut < whole.size(); ++cut) {
        for (const bool fitted : { false, true }) {
            QByteArray bytes = whole.first(cut);
            if (fitted) {
                putBigEndian32(bytes, 24, static_cast<qint32>(cut / 2));
            }
            GISLayer layer;
            const GISReadResult result = readBytes(bytes, layer);
            EXPECT_FALSE(result.ok) << "cut at " << cut << (fitted ? " with fitted length" : "");
            EXPECT_TRUE(result.description.startsWith("'t.shp' is truncated"))
                << result.description.toStdString();
            EXPECT_EQ(layer.ShapeCount(), 0);
        }
    }
}

// The records run to the file's real end: the header's length, which
// writers leave at 0, stale or wrong, neither refuses a sound file nor hides
// a record appended after it, and a record cut short after it is refused.
TEST_F(ShapefileReaderTest, RecordsAreReadToTheFilesRealEndWhateverItsHeaderSays)
{
    const ShapefileWriter writer = twoPolylines();
    const QByteArray whole = writer.mainFile();
    const qint32 firstRecordOnly = static_cast<qint32>(writer.recordOffset(2) / 2);
    struct Case
    {
        const char* name;
        qint32 lengthWords;
        qsizetype cut; // bytes of the file kept
        int features; // 0: refused as truncated
    };
    const Case cases[] = {
        { "length 0", 0, whole.size(), 2 },
        { "length below the header", 10, whole.size(), 2 },
        { "length of the first record only: the record after it counts", firstRecordOnly, whole.size(), 2 },
        { "length beyond the file", std::numeric_limits<qint32>::max(), whole.size(), 2 },
        { "negative length", -1, whole.size(), 2 },
        { "length of the first record, the second cut short", firstRecordOnly, whole.size() - 5, 0 },
        { "length of the first record, a stray byte after it", firstRecordOnly, writer.recordOffset(2) + 1,
            0 },
        { "length 0, nothing but the header", 0, HeaderBytes, -1 },
    };
    for (const Case& c : cases) {
        QByteArray bytes = whole.first(c.cut);
        putBigEndian32(bytes, 24, c.lengthWords);
        GISLayer layer;
        const GISReadResult result = readBytes(bytes, layer);
        if (c.features == 0) {
            EXPECT_FALSE(result.ok) << c.name;
            EXPECT_TRUE(result.description.startsWith("'t.shp' is truncated: record 2"))
                << c.name << ": " << result.description.toStdString();
            continue;
        }
        ASSERT_TRUE(result.ok) << c.name << ": " << result.description.toStdString();
        EXPECT_EQ(layer.ShapeCount(), std::max(c.features, 0)) << c.name;
        if (c.features == 2) {
            EXPECT_EQ(layer.Shapes.X(2, 5), 13.0) << c.name;
        }
    }
}

// The header's length alone decides the colour range, as it always has: a
// small file whose header claims over 100,000 words is drawn dark.
TEST_F(ShapefileReaderTest, TheHeadersLengthStillPicksTheColourRange)
{
    resetRandom();
    const int light = int(double(Rnd()) * 5.0) + 9;
    resetRandom();
    const int dark = int(double(Rnd()) * 7.0) + 1;
    struct Case
    {
        const char* name;
        qint32 lengthWords;
        int entry;
    };
    const Case cases[] = {
        { "claims 100,001 words", 100001, dark },
        { "claims exactly 100,000 words", 100000, light },
        { "claims 0 words", 0, light },
    };
    for (const Case& c : cases) {
        QByteArray bytes = twoPolylines().mainFile();
        putBigEndian32(bytes, 24, c.lengthWords);
        resetRandom();
        GISLayer layer;
        ASSERT_TRUE(readBytes(bytes, layer).ok) << c.name;
        EXPECT_EQ(layer.Colours[0], 1000 + c.entry) << c.name;
    }
}

TEST_F(ShapefileReaderTest, CountsThatDoNotFitTheRecordAreRefused)
{
    const ShapefileWriter writer = twoPolylines();
    const qsizetype second = writer.recordOffset(2) + 8; // content of record 2
    struct Damage
    {
        const char* name;
        qsizetype offset;
        qint32 value;
        bool bigEndian;
    };
    const Damage damages[] = {
        { "points beyond the record", second + 40, 6, false },
        { "absurd point count", second + 40, std::numeric_limits<qint32>::max(), false },
        { "negative point count", second + 40, -5, false },
        { "absurd part count", second + 36, std::numeric_limits<qint32>::max(), false },
        { "negative part count", second + 36, -1, false },
        { "part starting outside the points", second + 48, 5, false },
        { "parts out of order", second + 48, 0, false },
        { "first part not at the first point", second + 44, 1, false },
        { "record of another shape type", second, Polygon, false },
        { "negative content length", second - 4, -40, true },
        { "content length beyond the file", second - 4, std::numeric_limits<qint32>::max(), true },
        { "content too short for a polyline", second - 4, 10, true },
    };
    for (const Damage& damage : damages) {
        QByteArray bytes = writer.mainFile();
        if (damage.bigEndian) {
            putBigEndian32(bytes, damage.offset, damage.value);
        } else {
            putLittleEndian32(bytes, damage.offset, damage.value);
        }
        GISLayer layer;
        const GISReadResult result = readBytes(bytes, layer);
        EXPECT_FALSE(result.ok) << damage.name;
        EXPECT_TRUE(result.description.startsWith("'t.shp' is ")) << damage.name;
        EXPECT_TRUE(result.refusal.isEmpty()) << damage.name;
    }
}

TEST_F(ShapefileReaderTest, FailedReadLeavesTheRecordAndTheRandomNumbersAsTheyWere)
{
    ShapefileWriter writer(Point);
    writer.addPoint(1, 2);
    QByteArray bytes = writer.mainFile();
    bytes.chop(4);
    writeTestFile(workDir() + "bad.shp", bytes);
    writeTestFile(workDir() + "bad.met", "Geographic_Coordinate_Units: Decimal degrees\n");
    writeTestFile(workDir() + "bad.shx", writer.indexFile());

    GISLayer layer = freshLayer("bad.shp");
    layer.Zone = 0;
    resetRandom();
    const float next = Rnd();
    resetRandom();
    EXPECT_FALSE(ReadShapefile(layer, localFiles()).ok);

    EXPECT_EQ(Rnd(), next);
    EXPECT_EQ(layer.ShapeCount(), 0);
    EXPECT_EQ(layer.ShapeType, 0);
    EXPECT_EQ(layer.CoordType, unsetCoordType());
    EXPECT_EQ(layer.Zone, 0);
    EXPECT_FALSE(layer.IndexPresent);
    EXPECT_EQ(layer.Colours, (std::vector<std::int32_t> { 0 }));
    EXPECT_EQ(layer.DisplayName, workDir() + "bad.shp");
}

} // namespace

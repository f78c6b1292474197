#include "korvel/map/arcinfo_export_reader.h"

#include "korvel/workspace/layer_records.h"
#include "tests/support/arcinfo_export_writer.h"
#include "tests/support/korvel_test.h"
#include "tests/support/recording_status_progress.h"

#include <cmath>

namespace {

using Precision = ArcInfoExportWriter::Precision;

const QStringList UtmProjection { "Projection    UTM", "Zone          17", "Datum         NAD83",
    "Zunits        NO", "Units         METERS", "Spheroid      GRS1980", "Xshift        0.0000000000",
    "Yshift        0.0000000000", "Parameters" };

class ArcInfoExportReaderTest : public KorvelTest
{
protected:
    GISLayer freshLayer(const QString& name) const
    {
        GISLayer layer;
        layer.Path = workDir() + name;
        layer.FileName = name;
        layer.Thickness = 1;
        layer.Colours = { 0 };
        return layer;
    }

    GISReadResult readBytes(const QByteArray& bytes, GISLayer& layer)
    {
        writeTestFile(workDir() + "cover.e00", bytes);
        layer = freshLayer(QStringLiteral("cover.e00"));
        return ReadArcInterchangeFile(layer);
    }

    static void expectVertices(
        const GISLayer& layer, int s, const std::vector<TestVertex>& vertices, double tolerance)
    {
        ASSERT_EQ(layer.PointCounts(s), int(vertices.size()));
        for (std::size_t j = 0; j < vertices.size(); ++j) {
            const int p = int(j) + 1;
            EXPECT_NEAR(layer.Shapes.X(s, p), vertices[j].x, std::abs(vertices[j].x) * tolerance)
                << s << "," << p;
            EXPECT_NEAR(layer.Shapes.Y(s, p), vertices[j].y, std::abs(vertices[j].y) * tolerance)
                << s << "," << p;
        }
    }
};

const std::vector<TestVertex> NegativeArc { { -123456.78, -4567890.1 }, { -98765.432, 4123456.7 },
    { 654321.09, -3456789.2 } };

// --- What a good file gives ---------------------------------------------

// A negative value fills its field, so it touches the value before it;
// numbers read as blank-separated would misread such lines.
TEST_F(ArcInfoExportReaderTest, SinglePrecisionFieldsAreSplitByWidth)
{
    ArcInfoExportWriter writer(Precision::Single);
    writer.addArc(1, NegativeArc);
    writer.addArc(2, { { 10, 50 }, { 30, 20 } });
    ASSERT_TRUE(writer.bytes().contains("-1.2345678E+05-4.5678901E+06-9.8765432E+04 4.1234567E+06"));

    GISLayer layer;
    const GISReadResult result = readBytes(writer.bytes(), layer);
    ASSERT_TRUE(result.ok) << result.description.toStdString();
    EXPECT_EQ(layer.ShapeType, 3);
    ASSERT_EQ(layer.ShapeCount(), 2);
    expectVertices(layer, 1, NegativeArc, 1e-7);
    expectVertices(layer, 2, { { 10, 50 }, { 30, 20 } }, 1e-7);
}

TEST_F(ArcInfoExportReaderTest, DoublePrecisionFieldsAreSplitByWidth)
{
    ArcInfoExportWriter writer(Precision::Double);
    const std::vector<TestVertex> precise { { -123456.789012345, -4567890.12345678 }, { 500000.25, -0.125 } };
    writer.addArc(1, precise);
    writer.addArc(2, NegativeArc);
    ASSERT_TRUE(writer.bytes().contains("-1.23456789012345E+05-4.56789012345678E+06"));

    GISLayer layer;
    const GISReadResult result = readBytes(writer.bytes(), layer);
    ASSERT_TRUE(result.ok) << result.description.toStdString();
    ASSERT_EQ(layer.ShapeCount(), 2);
    expectVertices(layer, 1, precise, 1e-14);
    expectVertices(layer, 2, NegativeArc, 1e-14);
}

// The arc number taken as the feature index would let a smaller number
// overwrite or drop arcs and a gap leave empty features.
TEST_F(ArcInfoExportReaderTest, ArcsAreAppendedInFileOrderWhateverTheirNumbers)
{
    ArcInfoExportWriter writer;
    writer.addArc(7, { { 1, 1 }, { 2, 2 } });
    writer.addArc(0, { { 3, 3 }, { 4, 4 }, { 5, 5 } });
    writer.addArc(2, { { 6, 6 }, { 7, 7 } });
    writer.addArc(2, { { 8, 8 }, { 9, 9 } });

    GISLayer layer;
    ASSERT_TRUE(readBytes(writer.bytes(), layer).ok);
    ASSERT_EQ(layer.ShapeCount(), 4);
    EXPECT_EQ(layer.Shapes.X(1, 1), 1.0);
    EXPECT_EQ(layer.PointCounts(2), 3);
    EXPECT_EQ(layer.Shapes.X(3, 2), 7.0);
    EXPECT_EQ(layer.Shapes.X(4, 2), 9.0);
    ASSERT_EQ(layer.ShapeParts.size(), 5u);
    for (int s = 1; s <= 4; ++s) {
        EXPECT_EQ(layer.ShapeParts[std::size_t(s)].PartCount, 1);
        EXPECT_TRUE(layer.ShapeParts[std::size_t(s)].PartStart.empty());
    }
}

TEST_F(ArcInfoExportReaderTest, EachArcHasTheBoxOfItsOwnVerticesAndTheLayerOfAll)
{
    ArcInfoExportWriter writer;
    writer.addArc(1, { { 10, 50 }, { 30, 20 } });
    writer.addArc(2, { { -5, 60 }, { 0, 55 }, { 2, 58 } });
    writer.addArc(3, {});

    GISLayer layer;
    ASSERT_TRUE(readBytes(writer.bytes(), layer).ok);
    const ShapeBox& box = layer.Shapes.box(1);
    EXPECT_EQ(box.XMin, 10.0);
    EXPECT_EQ(box.XMax, 30.0);
    EXPECT_EQ(box.YMin, 20.0);
    EXPECT_EQ(box.YMax, 50.0);
    EXPECT_EQ(layer.PointCounts(3), 0);
    EXPECT_EQ(layer.XMin, -5.0);
    EXPECT_EQ(layer.YMin, 20.0);
    EXPECT_EQ(layer.XMax, 30.0);
    EXPECT_EQ(layer.YMax, 60.0);
    EXPECT_EQ(layer.Colours, (std::vector<std::int32_t> { 0 }));
}

// Export files put a "~" line after every entry, so the zone is on the third
// line after "PRJ"; some write the entries one after another.
TEST_F(ArcInfoExportReaderTest, ProjectionSectionGivesCoordinateTypeAndZone)
{
    const QStringList zone13 { "Projection    UTM", "Zone          13", "Datum         NAD27" };
    const struct
    {
        const char* name;
        QStringList entries;
        QString coordType;
        int zone;
    } rows[] = {
        { "no projection section", {}, unsetCoordType(), 0 },
        { "separated", zone13, "UTM", 13 },
        { "packed", { UtmProjection.join('\n') }, "UTM", 17 },
        { "southern zone", { "Projection    UTM\nUnits         METERS\nZone          -33" }, "UTM", 33 },
        { "zone beyond 60", { "Projection    UTM", "Zone          99" }, "UTM", 0 },
        { "zone not a number", { "Projection    UTM", "Zone          XIII" }, "UTM", 0 },
        { "geographic", { "Projection    GEOGRAPHIC", "Units         DD" }, "GEO", 0 },
        // Another projection keeps its first three letters; the opening leaves such a layer as read.
        { "Lambert", { "Projection    LAMBERT", "Parameters\n 33  0  0.000" }, "LAM", 0 },
        { "none", { "Projection    NONE", "Units         METERS" }, "NON", 0 },
    };
    ArcInfoExportWriter writer;
    writer.addArc(1, { { 500000, 4000000 }, { 501000, 4001000 } });
    GISLayer layer;
    for (const auto& row : rows) {
        writer.setProjection(row.entries);
        ASSERT_TRUE(readBytes(writer.bytes(), layer).ok) << row.name;
        EXPECT_EQ(layer.CoordType, row.coordType) << row.name;
        EXPECT_EQ(layer.Zone, row.zone) << row.name;
    }
    // A section that ends before its zone.
    writer.setProjection(zone13);
    ASSERT_TRUE(readBytes(writer.bytes().first(writer.bytes().indexOf("Zone")), layer).ok);
    EXPECT_EQ(layer.Zone, 0);
}

TEST_F(ArcInfoExportReaderTest, WindowsLineEndsReadTheSame)
{
    ArcInfoExportWriter writer(Precision::Double);
    writer.setLineEnd("\r\n");
    writer.addArc(1, NegativeArc);
    writer.setProjection(UtmProjection);
    GISLayer layer;
    ASSERT_TRUE(readBytes(writer.bytes(), layer).ok);
    expectVertices(layer, 1, NegativeArc, 1e-14);
    EXPECT_EQ(layer.Zone, 17);
}

TEST_F(ArcInfoExportReaderTest, ShowsLoadingAndClearsTheStatusAtTheEnd)
{
    RecordingStatusProgress progress;
    ArcInfoExportWriter writer;
    writer.addArc(1, NegativeArc);
    GISLayer layer;
    ASSERT_TRUE(readBytes(writer.bytes(), layer).ok);
    EXPECT_EQ(progress.texts, (QStringList { QStringLiteral("Loading GIS File"), QString() }));
    EXPECT_FALSE(progress.visible);
}

// --- Damaged input -----------------------------------------------------

TEST_F(ArcInfoExportReaderTest, CompressedFileIsRefusedWithTheProgramsText)
{
    ArcInfoExportWriter writer;
    writer.setHeaderLine(QStringLiteral("EXP  1 /TESTS/COVER.E00"));
    writer.addArc(1, NegativeArc);
    GISLayer layer;
    const GISReadResult result = readBytes(writer.bytes(), layer);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.refusal,
        "This ARC Interchange file is in a compressed format.\rKORVEL can currently only decode "
        "uncompressed\r"
        "ARC Interchange files.");
    EXPECT_EQ(layer.ShapeCount(), 0);
}

TEST_F(ArcInfoExportReaderTest, FilesOfAnotherFormOrWithoutArcsFailNamingTheFile)
{
    GISLayer layer;
    GISReadResult result = readBytes("SHAPE FILE\n", layer);
    EXPECT_EQ(result.description, "'cover.e00' does not seem to be in ArcExport format.");

    result = readBytes("EXP  0 /TESTS/POINTS.E00\nLAB  2\n        -1         0 0.0 0.0\nEOS\n", layer);
    EXPECT_TRUE(result.description.startsWith("'cover.e00' holds no arcs"))
        << result.description.toStdString();

    result = readBytes("EXP  0 /TESTS/COVER.E00\nARC  7\n", layer);
    EXPECT_EQ(result.description, "'cover.e00' is damaged: its arc section has the unknown precision \"7\".");

    layer = freshLayer("missing.e00");
    result = ReadArcInterchangeFile(layer);
    EXPECT_EQ(result.description, "'missing.e00' cannot be read: File not found");
}

TEST_F(ArcInfoExportReaderTest, EveryTruncationOfTheArcSectionIsRefused)
{
    for (const Precision precision : { Precision::Single, Precision::Double }) {
        ArcInfoExportWriter writer(precision);
        writer.addArc(1, NegativeArc);
        writer.addArc(2, { { 1, 2 }, { 3, 4 } });
        const QByteArray whole = writer.bytes();
        const QByteArray closing = ArcInfoExportWriter::arcRecordLine(-1, 0);
        const qsizetype sectionStart = whole.indexOf("ARC");
        const qsizetype sectionEnd = whole.indexOf(closing) + closing.size();
        for (qsizetype cut = sectionStart; cut < sectionEnd; ++cut) {
            GISLayer layer;
            const GISReadResult result = readBytes(whole.first(cut), layer);
            EXPECT_FALSE(result.ok) << "cut at " << cut;
            EXPECT_TRUE(result.description.startsWith("'cover.e00' ")) << result.description.toStdString();
            EXPECT_EQ(layer.ShapeCount(), 0);
        }
    }
}

TEST_F(ArcInfoExportReaderTest, CountsAndFieldsThatDoNotFitAreRefused)
{
    const QByteArray head = "EXP  0 /TESTS/COVER.E00\nARC  2\n";
    const QByteArray closing = ArcInfoExportWriter::arcRecordLine(-1, 0) + "\n";
    const QByteArray pair = " 1.0000000E+00 2.0000000E+00\n";
    struct Damage
    {
        const char* name;
        QByteArray body;
    };
    const Damage damages[] = {
        { "absurd vertex count", ArcInfoExportWriter::arcRecordLine(1, 2000000000) + "\n" + pair + closing },
        { "negative vertex count", ArcInfoExportWriter::arcRecordLine(1, -3) + "\n" + closing },
        { "more coordinates than vertices",
            ArcInfoExportWriter::arcRecordLine(1, 1) + "\n" + pair.chopped(1) + " 3.0000000E+00\n"
                + closing },
        { "text for a coordinate",
            ArcInfoExportWriter::arcRecordLine(1, 1) + "\n 1.0000000E+00   not a number\n" + closing },
        { "infinite coordinate",
            ArcInfoExportWriter::arcRecordLine(1, 1) + "\n 1.0000000E+00           inf\n" + closing },
        { "blank line among coordinates",
            ArcInfoExportWriter::arcRecordLine(1, 2) + "\n" + pair + "\n" + closing },
        { "short arc record", "         1         1         1\n" + closing },
        { "no closing record", ArcInfoExportWriter::arcRecordLine(1, 1) + "\n" + pair + "EOS\n" },
    };
    for (const Damage& damage : damages) {
        GISLayer layer;
        const GISReadResult result = readBytes(head + damage.body, layer);
        EXPECT_FALSE(result.ok) << damage.name;
        EXPECT_TRUE(result.description.startsWith("'cover.e00' is "))
            << damage.name << ": " << result.description.toStdString();
        EXPECT_EQ(layer.ShapeCount(), 0) << damage.name;
    }
}

} // namespace

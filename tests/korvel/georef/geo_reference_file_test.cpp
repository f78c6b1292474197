// The geo-reference file: its exact text, the round trip through the
// window's reader and the image loader's, and damaged files.
#include "korvel/georef/geo_reference_file.h"
#include "korvel/map/image_loading.h"
#include "tests/support/korvel_test.h"

#include <QFile>

namespace {

class GeoReferenceFile : public KorvelTest
{
protected:
    static ControlPoint point(float northing, float easting, int row, int column)
    {
        ControlPoint p;
        p.Northing = northing;
        p.Easting = easting;
        p.PixelY = qint16(row);
        p.PixelX = qint16(column);
        return p;
    }

    std::vector<ControlPoint> m_points { point(4800000.4f, 500000.5f, 10, 20),
        point(4799500.0f, 501000.0f, 510, 2020) };

    GeoReferenceContent content(const ManualCorrections& corrections = {}) const
    {
        GeoReferenceContent c;
        c.ImageName = QStringLiteral("photo.jpeg");
        c.Placement = { 499990, 4800005, 2000, -1500 };
        c.Zone = 17;
        c.Points = m_points;
        c.Corrections = corrections;
        return c;
    }

    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(GeoReferenceFile, IsWrittenLineByLineWithEmptyFieldsForUnsetValues)
{
    EXPECT_EQ(geoReferenceFileBytes(content()),
        "KORVEL Graphic Georeferencing "
        "File\r\nphoto.jpeg\r\n499990,4800005\r\n2000,-1500\r\n17\r\n---\r\n2\r\n"
        "4800000,500000.5,10,20\r\n4799500,501000,510,2020\r\n,0,,0\r\n");
    EXPECT_TRUE(geoReferenceFileBytes(content({ 0.0, 0, 0.0, 0 })).endsWith("\r\n0,0,0,0\r\n"))
        << "after resets";
    EXPECT_TRUE(
        geoReferenceFileBytes(content({ 290.0, -10, -100.0, 20 })).endsWith("\r\n290,-10,-100,20\r\n"));
}

TEST_F(GeoReferenceFile, ReadsBackThroughBothReaders)
{
    const QString path = workDir() + "photo.jref";
    ASSERT_TRUE(writeGeoReferenceFile(path, content({ std::nullopt, 30, 1000.0, 0 })));

    const std::optional<GeoReference> head = readGeoReference(path);
    ASSERT_TRUE(head) << "the image loader reads the head";
    EXPECT_EQ(head->X, 499990);
    EXPECT_EQ(head->Height, -1500);
    EXPECT_EQ(head->Zone, 17);
    EXPECT_EQ(head->ControlPointCount, 2);

    const GeoReferencePoints read = readGeoReferencePoints(path);
    EXPECT_TRUE(read.complete) << read.error.toStdString();
    ASSERT_EQ(read.Points.size(), 2u);
    EXPECT_EQ(read.Points[0].Northing, 4800000.0f) << "seven digits: the fraction of a metre goes";
    EXPECT_EQ(read.Points[0].Easting, 500000.5f);
    EXPECT_EQ(read.Points[1].PixelX, 2020);
    EXPECT_EQ(read.Points[1].PixelY, 510);
    EXPECT_FALSE(read.Corrections.ShiftX) << "an empty field reads as unset";
    EXPECT_EQ(read.Corrections.ShiftY, 30);
    EXPECT_EQ(read.Corrections.StretchX, 1000.0);
}

TEST_F(GeoReferenceFile, AnImageNamedLikeTheSeparatorOrWithACommaReadsBack)
{
    for (const char* name : { "---", "field, north \"A\".bmp" }) {
        GeoReferenceContent c = content();
        c.ImageName = QString::fromLatin1(name);
        const GeoReferencePoints read = parseGeoReferencePoints(geoReferenceFileBytes(c), "x.ref");
        EXPECT_TRUE(read.complete) << name << ": " << read.error.toStdString();
        EXPECT_EQ(read.Points.size(), 2u) << name;
    }
}

TEST_F(GeoReferenceFile, ADamagedOrForeignFileGivesNoPoints)
{
    const QByteArray whole = geoReferenceFileBytes(content({ 5.0, 6, 7.0, 8 }));
    const QList<QByteArray> lines = whole.split('\n');
    using enum GeoReferenceFileState;
    const struct
    {
        const char* name;
        QByteArray bytes;
        GeoReferenceFileState state;
    } cases[] = {
        { "empty", QByteArray(), Foreign },
        { "another program's file", "Some Other File\r\n", Foreign },
        { "our header in lower case", QByteArray(whole).replace("KORVEL Graphic", "korvel graphic"),
            Foreign },
        { "binary", QByteArray("\0\x01\xff\r\n", 5) + whole, Foreign },
        { "cut in the head", whole.left(whole.indexOf("---")), Damaged },
        { "cut after the count", lines.mid(0, 7).join('\n'), Damaged },
        { "cut inside the first point", whole.left(whole.indexOf("4800000,500000.5,") + 17), Damaged },
        { "cut after the first point", lines.mid(0, 8).join('\n'), Damaged },
        { "no corrections line", lines.mid(0, 9).join('\n'), Damaged },
        { "a point that is no number", QByteArray(whole).replace("501000", "5o1000"), Damaged },
        { "no line end after the corrections", whole.left(whole.size() - 2), Damaged },
        { "a count past eight", QByteArray(whole).replace("\r\n2\r\n", "\r\n9\r\n"), Damaged },
        { "whole", whole, Read },
    };
    for (const auto& c : cases) {
        const GeoReferencePoints read = parseGeoReferencePoints(c.bytes, "photo.ref");
        const bool taken = c.state == Read;
        EXPECT_EQ(read.state, c.state) << c.name;
        EXPECT_EQ(read.Points.size(), taken ? 2u : 0u) << c.name;
        EXPECT_EQ(read.complete, taken) << c.name;
        EXPECT_EQ(read.Corrections.ShiftY, taken ? 6 : 0) << c.name;
        EXPECT_EQ(read.error.isEmpty(), taken) << c.name;
        EXPECT_EQ(read.errorLine > 0, c.state == Damaged) << c.name;
    }
    EXPECT_EQ(readGeoReferencePoints(workDir() + "missing.ref").state, Missing);
}

TEST_F(GeoReferenceFile, TheWindowRefusesEveryCutNamingTheLine)
{
    // The image loader stops at the count and places an image whose file
    // ends there; the window reads on to the corrections and names what is
    // missing, for those files as for every other cut.
    const QByteArray whole = geoReferenceFileBytes(content());
    const qsizetype countEnd = whole.indexOf("---\r\n2\r\n") + 8;
    const struct
    {
        QByteArray bytes;
        const char* fault;
    } endingAtTheCount[] = {
        { whole.left(countEnd), "(line 8): Input past end of file." },
        { whole.left(countEnd - 2), "(line 7): the file ends inside the line, it was cut off." },
    };
    for (const auto& c : endingAtTheCount) {
        EXPECT_EQ(parseGeoReferencePoints(c.bytes, "photo.ref").error,
            QStringLiteral("The geo-reference file \"photo.ref\" is damaged ") + c.fault);
    }
    for (qsizetype size = 1; size + 1 < whole.size(); ++size) {
        const GeoReferencePoints read = parseGeoReferencePoints(whole.left(size), "photo.ref");
        EXPECT_FALSE(read.complete) << size;
        EXPECT_TRUE(read.error.startsWith("The geo-reference file \"photo.ref\" is damaged (line "))
            << size << ": " << read.error.toStdString();
    }
}

TEST_F(GeoReferenceFile, AReadOnlyFileIsRefusedAndKept)
{
    const QString path = workDir() + "photo.ref";
    ASSERT_TRUE(writeGeoReferenceFile(path, content({ 1.0, 1, 1.0, 1 })));
    const QByteArray before = read(path);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
    QString error;
    EXPECT_FALSE(writeGeoReferenceFile(path, content(), &error));
    EXPECT_EQ(error, "Permission denied");
    EXPECT_EQ(read(path), before);
    QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_TRUE(writeGeoReferenceFile(path, content(), &error));
    EXPECT_NE(read(path), before);
    EXPECT_FALSE(writeGeoReferenceFile(workDir() + "no such folder/photo.ref", content(), &error));
}

} // namespace

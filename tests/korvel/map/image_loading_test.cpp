#include "korvel/map/image_loading.h"

#include "platform/vb_error.h"
#include "tests/support/korvel_test.h"

#include <QFile>

namespace {

class ImageLoadingTest : public KorvelTest
{
protected:
    QString writeText(const QString& name, const QByteArray& text) const
    {
        QFile file(workDir() + name);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(text);
        return file.fileName();
    }
};

const QByteArray kReference = "KORVEL Graphic Georeferencing File\r\n"
                              "field, north.bmp\r\n"
                              "498000,4805000\r\n"
                              "7000,-7000\r\n"
                              "17\r\n"
                              "---\r\n"
                              "2\r\n"
                              "4805000,498000,0,0\r\n"
                              "4798000,505000,350,350\r\n"
                              ",0,,0\r\n";

TEST_F(ImageLoadingTest, TheGeoReferenceFileReplacesTheLastThreeCharacters)
{
    EXPECT_EQ(geoReferencePath("/maps/field.bmp"), "/maps/field.ref");
    EXPECT_EQ(geoReferencePath("/maps/photo.jpeg"), "/maps/photo.jref");
    // Copied from Windows with the extension in capitals.
    writeText("FIELD.REF", kReference);
    EXPECT_EQ(geoReferencePath(workDir() + "FIELD.BMP"), workDir() + "FIELD.REF");
    EXPECT_EQ(geoReferencePath(workDir() + "FIELD.bmp"), workDir() + "FIELD.REF");
}

TEST_F(ImageLoadingTest, TheHeadOfTheFileGivesThePlaceOfTheImage)
{
    const std::optional<GeoReference> reference = readGeoReference(writeText("field.ref", kReference));
    ASSERT_TRUE(reference);
    EXPECT_EQ(reference->X, 498000);
    EXPECT_EQ(reference->Y, 4805000);
    EXPECT_EQ(reference->Width, 7000);
    EXPECT_EQ(reference->Height, -7000);
    EXPECT_EQ(reference->Zone, 17);
    EXPECT_EQ(reference->ControlPointCount, 2) << "a name with a comma is read as a whole line";
}

TEST_F(ImageLoadingTest, AFileThatIsNoGeoReferenceLeavesTheImageUnplaced)
{
    EXPECT_FALSE(readGeoReference(workDir() + "missing.ref"));
    EXPECT_FALSE(readGeoReference(writeText("other.ref", "Some Other File\r\n1,2\r\n")));
    EXPECT_FALSE(readGeoReference(writeText("lower.ref", "korvel graphic georeferencing file\r\n")))
        << "the header is compared exactly";
    EXPECT_FALSE(readGeoReference(writeText("empty.ref", "")));
}

TEST_F(ImageLoadingTest, ADamagedGeoReferenceIsAnErrorNamingTheFile)
{
    const QString cut = writeText("cut.ref", kReference.left(kReference.indexOf("7000,")));
    try {
        readGeoReference(cut);
        FAIL() << "a file that ends early was taken";
    } catch (const VbError& error) {
        EXPECT_EQ(error.Number(), 62);
        EXPECT_TRUE(error.Description().contains("cut.ref")) << error.Description().toStdString();
    }
    QByteArray wrongKind = kReference;
    wrongKind.replace("7000,-7000", "seven,-7000");
    EXPECT_THROW(readGeoReference(writeText("kind.ref", wrongKind)), VbError);
}

TEST_F(ImageLoadingTest, ABadValueIsRefusedNamingFileAndItsLine)
{
    // A value that ends its line is named on that line, the file's last too.
    const struct
    {
        const char* line;
        const char* bad;
        const char* fault;
    } rows[] = { { "\r\n17\r\n", "\r\n99\r\n", "(line 5): zone 99 is not a UTM zone (1 to 60)" },
        { "\r\n17\r\n", "\r\n0\r\n", "(line 5): zone 0 is not a UTM zone (1 to 60)" },
        { "\r\n17\r\n", "\r\n17N\r\n", "(line 5): Type mismatch" },
        { "\r\n2\r\n", "\r\n300\r\n", "(line 7): Overflow" } };
    for (const auto& row : rows) {
        QByteArray text = kReference.left(kReference.indexOf("4805000,498000"));
        text.replace(row.line, row.bad);
        try {
            readGeoReference(writeText("zone.ref", text));
            ADD_FAILURE() << row.bad << " was taken";
        } catch (const VbError& error) {
            EXPECT_EQ(error.Description(),
                QStringLiteral("The geo-reference file \"zone.ref\" is damaged ") + row.fault);
        }
    }
}

TEST_F(ImageLoadingTest, EveryCutBeforeTheCountIsRefusedNamingIt)
{
    // From the first byte on, every shorter file is this one cut off: inside
    // its header, inside a line, or short of its count. Cut after the count,
    // with or without its line end, the file still holds all the loader
    // reads. Losing only the final LF keeps every line whole: a lone CR ends a line.
    const qsizetype countEnd = kReference.indexOf("\r\n2\r\n") + 3;
    for (qsizetype size = 1; size + 1 < kReference.size(); ++size) {
        const QByteArray cut = kReference.left(size);
        if (size >= countEnd) {
            const std::optional<GeoReference> reference = readGeoReference(writeText("cut.ref", cut));
            ASSERT_TRUE(reference) << "cut to " << size << " bytes";
            EXPECT_EQ(reference->Height, -7000) << size;
            EXPECT_EQ(reference->Zone, 17) << size;
            EXPECT_EQ(reference->ControlPointCount, 2) << size;
            continue;
        }
        try {
            readGeoReference(writeText("cut.ref", cut));
            ADD_FAILURE() << "cut to " << size << " bytes was taken";
        } catch (const VbError& error) {
            EXPECT_TRUE(error.Description().startsWith("The geo-reference file \"cut.ref\" is damaged (line "))
                << error.Description().toStdString();
            if (!cut.endsWith('\r') && !cut.endsWith('\n')) {
                EXPECT_TRUE(error.Description().endsWith("it was cut off"))
                    << error.Description().toStdString();
            }
        }
    }
}

TEST_F(ImageLoadingTest, AGeoReferenceWithoutWidthOrHeightIsRefusedByName)
{
    const struct
    {
        const char* size;
        bool refused;
    } rows[] = { { "0,-7000", true }, { "7000,0", true }, { "0,0", true }, { "-7000,7000", false } };
    for (const auto& row : rows) {
        QByteArray text = kReference;
        text.replace("7000,-7000", row.size);
        const QString path = writeText("flat.ref", text);
        if (!row.refused) {
            EXPECT_TRUE(readGeoReference(path)) << row.size;
            continue;
        }
        try {
            readGeoReference(path);
            ADD_FAILURE() << row.size << " was taken";
        } catch (const VbError& error) {
            EXPECT_TRUE(error.Description().contains("\"flat.ref\"")) << error.Description().toStdString();
            EXPECT_TRUE(error.Description().contains("width or height is 0"))
                << error.Description().toStdString();
        }
    }
}

TEST_F(ImageLoadingTest, PictureSizeInScreenPixels)
{
    EXPECT_EQ(pixelsFromHimetric(2646, 15.0f), 100) << "a 100 x 50 bitmap at 15 twips a pixel";
    EXPECT_EQ(pixelsFromHimetric(1323, 15.0f), 50);
    EXPECT_EQ(pixelsFromHimetric(2117, 12.0f), 100);
    // Wider than 32,767 pixels; 26.46 is 2540 / 96 rounded, so a picture
    // this wide comes out a few pixels short.
    EXPECT_EQ(pixelsFromHimetric(1058333, 15.0f), 39997);
}

} // namespace

// Every reader of the program's own text files takes a file that ends in the
// DOS end mark (Ctrl+Z bytes, with CR and LF among and after them) as it
// takes the file without it.
#include "korvel/agnav/agnav_ellipsoid_list.h"
#include "korvel/agnav/boundary_file_reader.h"
#include "korvel/agnav/exclusion_file_format.h"
#include "korvel/georef/geo_reference_file.h"
#include "korvel/guidance/guidance_file.h"
#include "korvel/map/image_loading.h"
#include "korvel/prefs/session_file.h"
#include "tests/support/korvel_test.h"

#include <functional>

namespace {

QString outcome(const AgnavOutcome& read, const QString& taken)
{
    return read.isDone() ? taken : read.message();
}

QByteArray geoReferenceFile()
{
    const ControlPoint points[] = { { 4799800, 500200, 100, 100 }, { 4799600, 501400, 200, 700 } };
    return geoReferenceFileBytes(
        { QStringLiteral("photo.bmp"), { 500000, 4800000, 1600, -1200 }, 17, points, {} });
}

QByteArray sessionFile()
{
    SessionFile session;
    session.ExtentTexts = { "500000", "4800000", "502000", "4802000" };
    return sessionFileBytes(session);
}

TEST(EndMarkReaders, EveryReaderTakesAFileEndingInTheMarkAsTheFileWithoutIt)
{
    AGNAVBlock block;
    GuidanceSet lines;
    std::vector<ShapeRecord> zones;
    const struct
    {
        const char* reader;
        std::function<QString(const QByteArray&)> read; // what it took, or why not
        QByteArray sound; // ending in CR LF
        const char* taken;
    } readers[] = {
        { "block boundary",
            [&](const QByteArray& b) {
                return outcome(parseBoundaryFile(b, block, { {} }), block.SwathWidthText);
            },
            "1  U  279\r\n2   500600.0   4800700.0\r\n2   500600.0   4801300.0\r\n36         30 \r\n", "30" },
        { "guidance lines",
            [&](const QByteArray& b) { return outcome(parseGuidanceFile(b, lines), "lines"); },
            "LINE 10 \r\n500615      4800700  1\r\n500615      4801300  2\r\n", "lines" },
        { "exclusion zones",
            [&](const QByteArray& b) { return outcome(parseExclusionFile(b, false, zones), "zones"); },
            (exclusionFileLine(1, 500000, 4800000, false) + exclusionFileLine(1, 500100, 4800100, false))
                .toLatin1(),
            "zones" },
        { "image loader",
            [](const QByteArray& b) {
                return QString::number(parseGeoReference(b, "photo.ref").value().Zone);
            },
            geoReferenceFile(), "17" },
        { "geo-referencing window",
            [](const QByteArray& b) { return parseGeoReferencePoints(b, "photo.ref").error; },
            geoReferenceFile(), "" },
        { "session", [](const QByteArray& b) { return parseSessionFile(b).error; }, sessionFile(), "" },
        { "user ellipsoids",
            [](const QByteArray& b) { return QString::number(parseAgnavEllipsoidFile(b).size()); },
            "MINE,6378137.0,298.257\r\n", "1" },
    };
    const QByteArray afterLastLineEnd[] = { "\x1a", "\x1a\x1a", "\x1a\r\n", "\x1a\n\x1a\r\n" };
    const QByteArray inPlaceOfIt[] = { "\x1a", "\x1a\r\n" };
    for (const auto& reader : readers) {
        ASSERT_EQ(reader.read(reader.sound), reader.taken) << reader.reader;
        for (const QByteArray& mark : afterLastLineEnd) {
            EXPECT_EQ(reader.read(reader.sound + mark), reader.taken) << reader.reader;
        }
        for (const QByteArray& mark : inPlaceOfIt) {
            EXPECT_EQ(reader.read(reader.sound.chopped(2) + mark), reader.taken) << reader.reader;
        }
    }
    EXPECT_EQ(readers[0].read("1  U  279\r\n\x1a\r\n2   500600.0   4800700.0\r\n"),
        "This is not an AG-NAV block boundary file: it holds binary data, not lines of text.")
        << "a Ctrl+Z with text after it is no end mark";
}

} // namespace

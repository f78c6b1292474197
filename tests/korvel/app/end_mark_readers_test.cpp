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

using EndMarkReaders = KorvelTest;

// What a reader took from a file, or why it refused it.
using Reading = std::function<QString(const QByteArray&)>;

QString boundary(const QByteArray& bytes)
{
    AGNAVBlock block;
    const AgnavOutcome outcome = parseBoundaryFile(bytes, block, { EllipsoidRecord() });
    return outcome.isDone()
        ? QStringLiteral("%1 corners, swath %2").arg(block.VertexCount).arg(block.SwathWidthText)
        : outcome.message();
}

QString guidanceLines(const QByteArray& bytes)
{
    GuidanceSet set;
    const AgnavOutcome outcome = parseGuidanceFile(bytes, set);
    return outcome.isDone() ? QStringLiteral("%1 lines").arg(set.LineCount) : outcome.message();
}

QString exclusionZones(const QByteArray& bytes)
{
    std::vector<ShapeRecord> zones;
    const AgnavOutcome outcome = parseExclusionFile(bytes, false, zones);
    return outcome.isDone()
        ? QStringLiteral("%1 zones, %2 vertices").arg(zones.size() - 1).arg(zones.back().X.size())
        : outcome.message();
}

QString imageHead(const QByteArray& bytes)
{
    try {
        const std::optional<GeoReference> head = parseGeoReference(bytes, QStringLiteral("photo.ref"));
        return head ? QStringLiteral("zone %1, %2 points").arg(head->Zone).arg(head->ControlPointCount)
                    : QStringLiteral("no geo-reference");
    } catch (const VbError& error) {
        return error.Description();
    }
}

QString controlPoints(const QByteArray& bytes)
{
    const GeoReferencePoints read = parseGeoReferencePoints(bytes, QStringLiteral("photo.ref"));
    return read.complete ? QStringLiteral("%1 points").arg(read.Points.size()) : read.error;
}

QString session(const QByteArray& bytes)
{
    const SessionReadResult read = parseSessionFile(bytes);
    return read.session ? QStringLiteral("zone %1").arg(read.session->Zone) : read.error;
}

QString userEllipsoids(const QByteArray& bytes)
{
    QString refusal;
    const std::size_t rows = parseAgnavEllipsoidFile(bytes, &refusal).size();
    return refusal.isEmpty() ? QStringLiteral("%1 rows").arg(rows) : refusal;
}

QByteArray geoReferenceFile()
{
    const ControlPoint points[] = { { 4799800, 500200, 100, 100 }, { 4799600, 501400, 200, 700 } };
    GeoReferenceContent content;
    content.ImageName = QStringLiteral("photo.bmp");
    content.Placement = { 500000, 4800000, 1600, -1200 };
    content.Zone = 17;
    content.Points = points;
    return geoReferenceFileBytes(content);
}

TEST_F(EndMarkReaders, EveryReaderTakesAFileEndingInTheMarkAsTheFileWithoutIt)
{
    SessionFile job;
    job.ExtentTexts = { "500000", "4800000", "502000", "4802000" };
    const struct
    {
        const char* reader;
        Reading read;
        QByteArray sound; // ending in CR LF
        const char* taken; // what the reader takes from it
    } readers[] = {
        { "block boundary", boundary,
            "1  U  279\r\n2   500600.0   4800700.0\r\n2   500600.0   4801300.0\r\n2   501200.0   "
            "4801300.0\r\n"
            "36         30 \r\n",
            "3 corners, swath 30" },
        { "guidance lines", guidanceLines, "LINE 10 \r\n500615      4800700  1\r\n500615      4801300  2\r\n",
            "1 lines" },
        { "exclusion zones", exclusionZones,
            (exclusionFileLine(1, 500000, 4800000, false) + exclusionFileLine(1, 500100, 4800000, false)
                + exclusionFileLine(1, 500100, 4800100, false))
                .toLatin1(),
            "1 zones, 4 vertices" },
        { "image loader", imageHead, geoReferenceFile(), "zone 17, 2 points" },
        { "geo-referencing window", controlPoints, geoReferenceFile(), "2 points" },
        { "session", session, sessionFileBytes(job), "zone 17" },
        { "user ellipsoids", userEllipsoids, "MINE,6378137.0,298.257\r\n", "1 rows" },
    };
    const struct
    {
        const char* form;
        std::function<QByteArray(const QByteArray&)> mark;
    } forms[] = {
        { "after the last line end", [](const QByteArray& b) { return b + "\x1a"; } },
        { "twice", [](const QByteArray& b) { return b + "\x1a\x1a"; } },
        { "then a line end", [](const QByteArray& b) { return b + "\x1a\r\n"; } },
        { "twice with line ends", [](const QByteArray& b) { return b + "\x1a\n\x1a\r\n"; } },
        { "in place of the last line end", [](const QByteArray& b) { return b.chopped(2) + "\x1a"; } },
        { "in place of the last line end, then one",
            [](const QByteArray& b) { return b.chopped(2) + "\x1a\r\n"; } },
    };
    for (const auto& reader : readers) {
        ASSERT_EQ(reader.read(reader.sound), reader.taken) << reader.reader;
        for (const auto& form : forms) {
            EXPECT_EQ(reader.read(form.mark(reader.sound)), reader.taken)
                << reader.reader << ", the mark " << form.form;
        }
    }
    EXPECT_EQ(boundary("1  U  279\r\n\x1a\r\n2   500600.0   4800700.0\r\n"),
        "This is not an AG-NAV block boundary file: it holds binary data, not lines of text.")
        << "a Ctrl+Z with text after it is no end mark";
}

} // namespace

#include "korvel/prefs/session_file.h"

#include <gtest/gtest.h>

namespace {

SessionFile fullSession()
{
    SessionFile s;
    s.UTMMode = true;
    s.Images = { "/maps/photo.bmp" };
    s.GISLayers = { { "/maps/roads.shp", 255, 1, 17 }, { "/maps/fields, east.shp", -1, 3, 10 } };
    s.Blocks = { { "/jobs/north.no1", 16711680, 2, true, false, { "/jobs/N1.T01", "/jobs/N1.T02" } } };
    s.ExtentTexts = { "500000", "4800000", "502000", "4802000" };
    s.Zone = 17;
    s.NorthZone = true;
    s.EllipsoidName = "WGS84";
    s.CheckStates = { 1, 1, 0, 1, 1, 0, 1 };
    return s;
}

} // namespace

TEST(SessionFile, WritesTheLinesInTheirOrderAndKinds)
{
    EXPECT_EQ(sessionFileBytes(fullSession()),
        "QZT\r\n"
        "#TRUE#\r\n"
        "1\r\n"
        "\"/maps/photo.bmp\"\r\n"
        "2\r\n"
        "\"/maps/roads.shp\",255,1\r\n"
        "\"/maps/fields, east.shp\",-1,3\r\n"
        "1\r\n"
        "\"/jobs/north.no1\",16711680,2\r\n"
        "1\r\n"
        "0\r\n"
        "2\r\n"
        "\"/jobs/N1.T01\"\r\n"
        "\"/jobs/N1.T02\"\r\n"
        "500000        4800000       502000        4802000\r\n"
        "17,#TRUE#,\"WGS84\"\r\n"
        "GIS zones\r\n"
        "17\r\n"
        "10\r\n"
        "---\r\n"
        "1\r\n1\r\n0\r\n1\r\n1\r\n0\r\n1\r\n");
}

TEST(SessionFile, AnEmptyWorkspaceHasZeroCountsAndNoStates)
{
    SessionFile s;
    s.UTMMode = false;
    s.ExtentTexts = { "-81.0000", "33.0000", "-80.0000", "34.0000" };
    s.Zone = 17;
    s.NorthZone = false;
    s.EllipsoidName = "Clarke 1866";
    EXPECT_EQ(sessionFileBytes(s),
        "QZT\r\n#FALSE#\r\n0\r\n0\r\n0\r\n-81.0000      33.0000       -80.0000      34.0000\r\n"
        "17,#FALSE#,\"Clarke 1866\"\r\n---\r\n");
}

TEST(SessionFile, ExtentTextsPastAPrintZoneMoveTheNextOneOn)
{
    SessionFile s;
    s.ExtentTexts = { "12345678901234", "1", "2", "3" };
    const QByteArray bytes = sessionFileBytes(s);
    EXPECT_TRUE(bytes.contains("\r\n12345678901234              1             2             3\r\n"))
        << bytes.constData();
}

TEST(SessionFile, ReadsBackWhatItWrote)
{
    const SessionFile written = fullSession();
    const SessionReadResult read = parseSessionFile(sessionFileBytes(written));
    ASSERT_TRUE(read.session) << read.error.toStdString();
    const SessionFile& s = *read.session;
    EXPECT_EQ(s.Images, written.Images);
    EXPECT_EQ(s.GISLayers, written.GISLayers);
    EXPECT_EQ(s.Blocks, written.Blocks);
    EXPECT_EQ(s.Extent, (std::array<double, 4> { 500000, 4800000, 502000, 4802000 }));
    EXPECT_EQ(s.Zone, 17);
    EXPECT_TRUE(s.NorthZone);
    EXPECT_EQ(s.EllipsoidName, "WGS84");
    EXPECT_EQ(s.CheckStates, written.CheckStates);
}

TEST(SessionFile, AnyNonZeroFlagCountsAsLoaded)
{
    const SessionReadResult read = parseSessionFile("QZT\r\n#TRUE#\r\n0\r\n0\r\n1\r\n\"/b.no1\",0,1\r\n-1\r\n7\r\n0\r\n"
                                                    "0 0 10 10\r\n5,#FALSE#,\"X\"\r\n---\r\n1\r\n0\r\n1\r\n");
    ASSERT_TRUE(read.session) << read.error.toStdString();
    EXPECT_TRUE(read.session->Blocks[0].GuidanceLoaded);
    EXPECT_TRUE(read.session->Blocks[0].ExclusionLoaded);
    EXPECT_EQ(read.session->CheckStates, (std::vector<int> { 1, 0, 1 }));
}

TEST(SessionFile, RefusesDamagedFilesNamingTheLine)
{
    const QByteArray good = sessionFileBytes(fullSession());
    struct Case
    {
        const char* fault;
        QByteArray bytes;
        const char* error; // the start of the reason
    };
    const Case cases[] = {
        { "cut after the GIS count", good.left(good.indexOf("\"/maps/roads")), "Input past end of file" },
        { "cut in the tick states", good.left(good.size() - 3), "Input past end of file" },
        { "no separator line", QByteArray(good).replace("---\r\n", ""), "Input past end of file" },
        { "a count that is no number", QByteArray(good).replace("\r\n1\r\n\"/maps", "\r\nx\r\n\"/maps"),
            "Type mismatch in line 3" },
        { "a count beyond a byte", QByteArray(good).replace("\r\n2\r\n\"/maps/roads", "\r\n256\r\n\"/maps/roads"),
            "Overflow in line" },
        { "zone 0", QByteArray(good).replace("17,#TRUE#", "0,#TRUE#"), "Zone 0 is not a UTM zone" },
        { "zone 61", QByteArray(good).replace("17,#TRUE#", "61,#TRUE#"), "Zone 61 is not a UTM zone (1 to 60) in line 16" },
        { "a tick state of 3", QByteArray(good).replace("---\r\n1\r\n", "---\r\n3\r\n"), "Tick state 3 is not 0, 1 or 2 in line 21" },
        { "a layer in zone 99", QByteArray(good).replace("\r\n10\r\n", "\r\n99\r\n"), "Zone 99 is not a UTM zone (1 to 60) in line 19" },
        { "a layer zone missing", QByteArray(good).replace("\r\n10\r\n", "\r\n"), "Type mismatch in line 19" },
        { "no line end after the last state", good.left(good.size() - 2), "The file ends inside line 27" },
        { "an extent that is no number", QByteArray(good).replace("502000  ", "east    "), "Type mismatch" },
    };
    for (const Case& c : cases) {
        const SessionReadResult read = parseSessionFile(c.bytes);
        EXPECT_FALSE(read.session) << c.fault;
        EXPECT_FALSE(read.notSessionFile) << c.fault;
        EXPECT_TRUE(read.error.startsWith(QLatin1String(c.error))) << c.fault << ": " << read.error.toStdString();
    }
}

TEST(SessionFile, EveryCutOfTheFileIsRefused)
{
    const QByteArray whole = sessionFileBytes(fullSession());
    // Losing only the final LF keeps every line whole: a lone CR ends a line.
    for (qsizetype size = 0; size + 1 < whole.size(); ++size) {
        EXPECT_FALSE(parseSessionFile(whole.left(size)).session) << "cut to " << size << " bytes";
    }
}

TEST(SessionFile, AFileWithoutLayerZonesGivesTheLayersTheSessionsZone)
{
    QByteArray old = sessionFileBytes(fullSession());
    old.replace("GIS zones\r\n17\r\n10\r\n", "").replace("17,#TRUE#", "5,#TRUE#");
    const SessionReadResult read = parseSessionFile(old);
    ASSERT_TRUE(read.session) << read.error.toStdString();
    EXPECT_EQ(read.session->GISLayers[0].Zone, 5);
    EXPECT_EQ(read.session->GISLayers[1].Zone, 5);
    EXPECT_EQ(read.session->CheckStates, fullSession().CheckStates);
}

TEST(SessionFile, OnlyTheExactMagicMakesASessionFile)
{
    for (const QByteArray& bytes : { QByteArray("qzt\r\n#TRUE#\r\n"), QByteArray("QZT2\r\n"), QByteArray(),
             QByteArray("\r\n\r\n"), QByteArray("\"/maps/photo.bmp\"\r\n") }) {
        const SessionReadResult read = parseSessionFile(bytes);
        EXPECT_TRUE(read.notSessionFile) << bytes.constData();
        EXPECT_FALSE(read.session);
    }
}

TEST(SessionFile, RefusesTextsThatWouldNotReadBack)
{
    struct Case
    {
        const char* name;
        std::function<void(SessionFile&)> change;
        const char* refusal;
    };
    const Case cases[] = {
        { "as it is", [](SessionFile&) {}, "" },
        { "a quote in an image path", [](SessionFile& s) { s.Images[0] = "/maps/\"old\".bmp"; },
            "The path \"/maps/\"old\".bmp\" holds a double quote" },
        { "a line feed in a flight path", [](SessionFile& s) { s.Blocks[0].Flights[1] = "/jobs/a\nb"; },
            "The path \"/jobs/a\nb\" holds" },
        { "a carriage return in a layer path", [](SessionFile& s) { s.GISLayers[1].Path = "/x\r.shp"; },
            "The path \"/x\r.shp\" holds" },
        { "a quote in the ellipsoid name", [](SessionFile& s) { s.EllipsoidName = "My \"best\""; },
            "The ellipsoid name" },
        { "the map in zone 61", [](SessionFile& s) { s.Zone = 61; }, "The map's zone 61 is not a UTM zone" },
        { "a layer in zone 0", [](SessionFile& s) { s.GISLayers[0].Zone = 0; },
            "The GIS layer \"/maps/roads.shp\" is in zone 0" },
        { "a thickness past a byte", [](SessionFile& s) { s.Blocks[0].Thickness = 300; },
            "The session would be written in a form KORVEL cannot load again (Overflow in line 9)" },
    };
    for (const Case& c : cases) {
        SessionFile s = fullSession();
        c.change(s);
        const QString refusal = sessionFileRefusal(s);
        EXPECT_EQ(refusal.isEmpty(), *c.refusal == 0) << c.name;
        EXPECT_TRUE(refusal.isEmpty() || refusal.startsWith(QLatin1String(c.refusal)))
            << c.name << ": " << refusal.toStdString();
    }
}

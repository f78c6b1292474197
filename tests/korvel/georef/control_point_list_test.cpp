// The point list's bookkeeping: halves added in any order, the ninth point,
// deleting and taking back a pending half.
#include "korvel/georef/control_point_list.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Runs a script of picks: 'u' a UTM half (easting 1000 x step), 'p' a pixel
// half (column step), 'c' takes the last pixel half back, a digit deletes
// that point. Returns the list as "U2 P3 | 1:1000/0 2:..." for comparison.
std::string run(const std::string& script)
{
    ControlPointList list;
    int step = 0;
    for (char c : script) {
        ++step;
        if (c == 'u') {
            list.addUTM(float(1000 * step), float(step));
        } else if (c == 'p') {
            list.addPixel(qint16(step), qint16(step));
        } else if (c == 'c') {
            list.dropLastPixel();
        } else {
            list.remove(c - '0');
        }
    }
    std::string text = "U" + std::to_string(list.UTMCount) + " P" + std::to_string(list.PixelCount) + " |";
    for (int i = 1; i <= list.count(); ++i) {
        const ControlPoint& point = list.point(i);
        text += " " + std::to_string(i) + ":"
            + (i <= list.UTMCount ? std::to_string(int(point.Easting)) : "-") + "/"
            + (i <= list.PixelCount ? std::to_string(point.PixelX) : "-");
    }
    return text;
}

TEST(ControlPointList, HalvesPairUpInOrderWhicheverComesFirst)
{
    const struct
    {
        const char* script;
        const char* list;
    } cases[] = {
        { "up", "U1 P1 | 1:1000/2" },
        { "pu", "U1 P1 | 1:2000/1" },
        { "upup", "U2 P2 | 1:1000/2 2:3000/4" },
        { "uupp", "U2 P2 | 1:1000/3 2:2000/4" },
        { "ppu", "U1 P2 | 1:3000/1 2:-/2" },
        { "upu", "U2 P1 | 1:1000/2 2:3000/-" },
        // Deleting point 2 of 4 moves 3 and 4 down.
        { "upupupup2", "U3 P3 | 1:1000/2 2:5000/6 3:7000/8" },
        // A pending pixel half keeps its place behind the complete points.
        { "upupp1", "U1 P2 | 1:3000/4 2:-/5" },
        // Deleting the pending point takes only the half it has.
        { "upu2", "U1 P1 | 1:1000/2" },
        { "upp", "U1 P2 | 1:1000/2 2:-/3" },
        { "uppc", "U1 P1 | 1:1000/2" },
        { "pc", "U0 P0 |" },
        { "up5", "U1 P1 | 1:1000/2" },
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.script), c.list) << c.script;
    }
}

TEST(ControlPointList, ANinthHalfIsRefusedAndChangesNothing)
{
    ControlPointList list;
    for (int i = 1; i <= MaxControlPoints; ++i) {
        ASSERT_TRUE(list.addUTM(float(i), float(i)));
        ASSERT_TRUE(list.addPixel(qint16(i), qint16(i)));
    }
    EXPECT_FALSE(list.addUTM(9.0f, 9.0f));
    EXPECT_FALSE(list.addPixel(9, 9));
    EXPECT_EQ(list.count(), MaxControlPoints);
    EXPECT_EQ(list.point(8).PixelX, 8);
    list.remove(1);
    EXPECT_TRUE(list.addPixel(9, 9)) << "room again after a deletion";
}

TEST(ControlPointList, CompletePointsAreThoseWithBothHalves)
{
    ControlPointList list;
    list.addUTM(1.0f, 1.0f);
    list.addPixel(1, 1);
    list.addUTM(2.0f, 2.0f);
    list.addUTM(3.0f, 3.0f);
    list.addPixel(2, 2);
    EXPECT_EQ(list.complete().size(), 2u);
    EXPECT_FALSE(list.balanced());
    std::vector<ControlPoint> read(10, ControlPoint());
    list.assign(read);
    EXPECT_EQ(list.count(), MaxControlPoints) << "a file's points, at most eight";
    EXPECT_TRUE(list.balanced());
}

} // namespace

#include "korvel/agnav/agnav_job_settings.h"

#include "korvel/shell/reg_settings.h"
#include "tests/support/korvel_test.h"

namespace {

using AgnavJobSettingsTest = KorvelTest;

TEST_F(AgnavJobSettingsTest, MissingValuesTakeTheirDefaults)
{
    const AgnavJobSettings s = readAgnavJobSettings(AgnavPreviousSection);
    EXPECT_EQ(s.CoordSystem, 2);
    EXPECT_EQ(s.Units, 2);
    EXPECT_EQ(s.MaxXTrack, "100");
    EXPECT_EQ(s.NumAircraft, 0);
    EXPECT_EQ(s.SpraySide, 2);
    EXPECT_EQ(s.BoomsOn, 1);
    EXPECT_EQ(s.MagVar, "0");
    EXPECT_EQ(s.Communication, 6);
    EXPECT_EQ(s.LineNum, "20");
    EXPECT_EQ(s.SwathWidth, "30");
    EXPECT_EQ(s.Offset, 1);
    EXPECT_EQ(storedDefaultEllipsoidRow(), 22);
}

TEST_F(AgnavJobSettingsTest, WrittenValuesReadBack)
{
    AgnavJobSettings s;
    s.CoordSystem = 1;
    s.Units = 1;
    s.MaxXTrack = "328";
    s.NumAircraft = 9;
    s.SpraySide = 0;
    s.BoomsOn = 2;
    s.RaceTrack = "-1";
    s.SkipTrack = "3";
    s.MagVar = "-12";
    s.LagTime = "0.50";
    s.RelayOn = "-1.25";
    s.RelayOff = "5.00";
    s.Ellipsoid = 25;
    s.Communication = 11;
    s.LineNum = "7";
    s.LineDirection = "270";
    s.SwathWidth = "98";
    s.Offset = 2;
    writeAgnavJobSettings(AgnavDefaultSection, s);
    const AgnavJobSettings r = readAgnavJobSettings(AgnavDefaultSection);
    EXPECT_EQ(r.CoordSystem, 1);
    EXPECT_EQ(r.Units, 1);
    EXPECT_EQ(r.MaxXTrack, "328");
    EXPECT_EQ(r.NumAircraft, 9);
    EXPECT_EQ(r.SpraySide, 0);
    EXPECT_EQ(r.BoomsOn, 2);
    EXPECT_EQ(r.RaceTrack, "-1");
    EXPECT_EQ(r.SkipTrack, "3");
    EXPECT_EQ(r.MagVar, "-12") << "an eastern variation keeps its sign";
    EXPECT_EQ(r.LagTime, "0.50");
    EXPECT_EQ(r.RelayOn, "-1.25");
    EXPECT_EQ(r.RelayOff, "5.00");
    EXPECT_EQ(r.Ellipsoid, 25);
    EXPECT_EQ(r.Communication, 11);
    EXPECT_EQ(r.LineNum, "7");
    EXPECT_EQ(r.LineDirection, "270");
    EXPECT_EQ(r.SwathWidth, "98");
    EXPECT_EQ(r.Offset, 2);
    EXPECT_EQ(storedDefaultEllipsoidRow(), 25);
}

TEST_F(AgnavJobSettingsTest, UserEnteredAxisIsStoredOnlyWithRowZero)
{
    AgnavJobSettings s;
    s.Ellipsoid = 0;
    s.EllipsoidAxis = "6378000";
    s.EllipsoidFlattening = "297.5";
    writeAgnavJobSettings(AgnavDefaultSection, s);
    EXPECT_EQ(GetRegSetting(AgnavDefaultSection, "Ellipsoid", ""), "0");
    EXPECT_EQ(GetRegSetting(AgnavDefaultSection, "EllipsoidAxis", ""), "6378000");
    EXPECT_EQ(GetRegSetting(AgnavDefaultSection, "EllipsoidFlattening", ""), "297.5");

    s.Ellipsoid = 22;
    writeAgnavJobSettings(AgnavDefaultSection, s);
    EXPECT_EQ(GetRegSetting(AgnavDefaultSection, "Ellipsoid", ""), "22");
    EXPECT_EQ(GetRegSetting(AgnavDefaultSection, "EllipsoidAxis", "gone"), "gone");
    EXPECT_EQ(GetRegSetting(AgnavDefaultSection, "EllipsoidFlattening", "gone"), "gone");
}

TEST_F(AgnavJobSettingsTest, EmptyTextLeavesTheStoredValue)
{
    SaveRegSetting(AgnavPreviousSection, "RaceTrack", "-3");
    AgnavJobSettings s;
    s.RaceTrack.clear();
    s.Ellipsoid = -1;
    writeAgnavJobSettings(AgnavPreviousSection, s);
    EXPECT_EQ(GetRegSetting(AgnavPreviousSection, "RaceTrack", ""), "-3");
    EXPECT_EQ(GetRegSetting(AgnavPreviousSection, "Ellipsoid", "none"), "none");
}

// A stored value no control can show falls back to its default.
TEST_F(AgnavJobSettingsTest, ValuesNoControlCanShowFallBack)
{
    const struct
    {
        const char* name;
        const char* stored;
    } rows[] = {
        { "CoordSystem", "3" },
        { "Units", "x" },
        { "NumAircraft", "10" },
        { "SpraySide", "-1" },
        { "BoomsOn", "1.5e10" },
        { "Communication", "12" },
        { "Offset", "0" },
        { "Ellipsoid", "256" },
    };
    for (const auto& row : rows) {
        SaveRegSetting(AgnavDefaultSection, row.name, row.stored);
    }
    const AgnavJobSettings d;
    const AgnavJobSettings r = readAgnavJobSettings(AgnavDefaultSection);
    EXPECT_EQ(r.CoordSystem, d.CoordSystem);
    EXPECT_EQ(r.Units, d.Units);
    EXPECT_EQ(r.NumAircraft, d.NumAircraft);
    EXPECT_EQ(r.SpraySide, d.SpraySide);
    EXPECT_EQ(r.BoomsOn, d.BoomsOn);
    EXPECT_EQ(r.Communication, d.Communication);
    EXPECT_EQ(r.Offset, d.Offset);
    EXPECT_EQ(r.Ellipsoid, d.Ellipsoid);
    EXPECT_EQ(storedDefaultEllipsoidRow(), 22);
}

} // namespace

#include "korvel/agnav/agnav_job_settings.h"

#include "korvel/shell/reg_settings.h"
#include "tests/support/korvel_test.h"

namespace {

using AgnavJobSettingsTest = KorvelTest;

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
    EXPECT_EQ(readAgnavJobSettings(AgnavDefaultSection), s) << "an eastern variation keeps its sign";
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

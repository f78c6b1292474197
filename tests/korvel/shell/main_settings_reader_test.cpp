#include "korvel/shell/main_settings_reader.h"

#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/main_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/vb_error.h"
#include "tests/support/korvel_test.h"

namespace {

using MainSettingsReader = KorvelTest;

// The error readMainSettings raises, or a default one when it raises none.
VbError readError()
{
    try {
        readMainSettings();
    } catch (const VbError& error) {
        return error;
    }
    return VbError(0, QString(), QString());
}

} // namespace

TEST_F(MainSettingsReader, StoredValuesReachTheirTargets)
{
    SaveRegSetting("Settings", "ImmediateGraph", "False");
    SaveRegSetting("Settings", "GISgraph", "2");
    SaveRegSetting("Settings", "AGNAVspeed", "5");
    SaveRegSetting("Settings", "ColorCode", "0");
    SaveRegSetting("Settings", "MetricSystem", "false");
    SaveRegSetting("Settings", "OptimizationFile", "drift.opt");
    SaveRegSetting("Settings", "OptColour", "-1");
    SaveRegSetting("Settings", "BufferWidth", "-250");
    SaveRegSetting("Settings", "NorthZone", "0");
    SaveRegSetting("Settings", "Zone", "60");
    SaveRegSetting("DefaultDirs", "SHPDir", "/srv/maps");
    readMainSettings();
    const MainSettings& settings = mainSettings();
    EXPECT_FALSE(globals().ImmediateGraph);
    EXPECT_EQ(settings.GISgraph, 2);
    EXPECT_EQ(settings.AGNAVspeed, 5);
    EXPECT_FALSE(settings.ColorCode) << "a number reads as a Boolean, 0 False";
    EXPECT_FALSE(globals().MetricSystem) << "letter case of True and False does not count";
    EXPECT_EQ(globals().OptimizationFile, "drift.opt");
    EXPECT_EQ(settings.OptColour, -1);
    EXPECT_EQ(settings.BufferWidth, -250);
    EXPECT_FALSE(mapState().NorthZone);
    EXPECT_EQ(mapState().Zone, 60);
    EXPECT_EQ(settings.SHPDir, "/srv/maps");
    EXPECT_EQ(settings.ImageDir, defaultStartFolder());
}

TEST_F(MainSettingsReader, WholeNumbersRoundHalfToEven)
{
    SaveRegSetting("Settings", "OptWidth", "2.5");
    SaveRegSetting("Settings", "PointerColour", "12.4");
    readMainSettings();
    EXPECT_EQ(mainSettings().OptWidth, 2);
    EXPECT_EQ(mainSettings().PointerColour, 12);
}

TEST_F(MainSettingsReader, ValueThatDoesNotConvertNamesItselfAndStopsTheReading)
{
    SaveRegSetting("Settings", "GuidanceAboveBelow", "maybe");
    SaveRegSetting("Settings", "Zone", "5");
    const VbError error = readError();
    EXPECT_EQ(error.Number(), 13);
    EXPECT_EQ(error.Description(),
        "The setting \"GuidanceAboveBelow\" of section \"Settings\" holds \"maybe\", which KORVEL cannot "
        "use: "
        "Type mismatch");
    EXPECT_EQ(mapState().Zone, 17) << "settings after the bad one are not read";

    SaveRegSetting("Settings", "GuidanceAboveBelow", "True");
    SaveRegSetting("Settings", "AGNAVgraph", "-1");
    EXPECT_EQ(readError().Number(), 6);
    SaveRegSetting("Settings", "AGNAVgraph", "1");
    SaveRegSetting("Settings", "OptColour", "4294967296");
    EXPECT_EQ(readError().Number(), 6);
}

TEST_F(MainSettingsReader, AZoneAboveSixtyIsRefusedNamingTheSetting)
{
    const struct
    {
        const char* stored;
        int zone; // 0: refused
    } rows[] = { { "0", 17 }, { "1", 1 }, { "61", 0 }, { "255", 0 } };
    for (const auto& row : rows) {
        SaveRegSetting("Settings", "Zone", row.stored);
        const VbError error = readError();
        if (row.zone != 0) {
            EXPECT_EQ(error.Number(), 0) << row.stored;
            EXPECT_EQ(mapState().Zone, row.zone) << row.stored;
            continue;
        }
        EXPECT_EQ(error.Number(), 5) << row.stored;
        EXPECT_EQ(error.Description(),
            QStringLiteral(
                "The setting \"Zone\" of section \"Settings\" holds \"%1\", which KORVEL cannot use: "
                "%1 is not a UTM zone (1 to 60)")
                .arg(row.stored));
    }
}

TEST_F(MainSettingsReader, FolderSettingsRaiseOrTakeABadSwitchAsFalse)
{
    SaveRegSetting("DefaultDirs", "SHPDir", "/srv/maps");
    SaveRegSetting("DefaultDirs", "MetDir", "/srv/met");
    SaveRegSetting("Settings", "AutoLoadGuidance", "True");
    SaveRegSetting("Settings", "AutoLoadExclusion", "maybe");

    mainSettings().AutoLoadExclusion = true;
    mainSettings().MetDir = QStringLiteral("/elsewhere");
    int raised = 0;
    try {
        readFolderSettings(BadSwitch::Raise);
    } catch (const VbError& error) {
        raised = error.Number();
        EXPECT_TRUE(error.Description().startsWith("The setting \"AutoLoadExclusion\""))
            << error.Description().toStdString();
    }
    EXPECT_EQ(raised, 13);
    EXPECT_EQ(mainSettings().SHPDir, "/srv/maps") << "values before the bad one are read";
    EXPECT_TRUE(mainSettings().AutoLoadGuidance);
    EXPECT_EQ(mainSettings().MetDir, "/elsewhere") << "values after the bad one are not";

    readFolderSettings(BadSwitch::ReadsFalse);
    EXPECT_FALSE(mainSettings().AutoLoadExclusion);
    EXPECT_EQ(mainSettings().MetDir, "/srv/met");
}

#include "korvel/agnav/agnav_field_checks.h"
#include "tests/support/default_locale.h"

#include <gtest/gtest.h>

namespace {

struct CheckRow
{
    const char* name;
    AgnavField field;
    const char* text;
    const char* expected; // the normal form, or the warning when refused
    bool valid;
};

// Every boundary of every field with its exact warning.
const CheckRow kJobRows[] = {
    { "blank area name", AgnavField::AreaName, "   ", "You must specify a name for the area.", false },
    { "area name trimmed", AgnavField::AreaName, "  NORTH 40 ", "NORTH 40", true },
    { "cross-track 0", AgnavField::MaxXTrack, "0",
        "Max. Cross-Track must be an\rinteger between 1 and 10,000.", false },
    { "cross-track 1", AgnavField::MaxXTrack, "1", "1", true },
    { "cross-track 10000", AgnavField::MaxXTrack, "10000", "10000", true },
    { "cross-track 10001", AgnavField::MaxXTrack, "10001",
        "Max. Cross-Track must be an\rinteger between 1 and 10,000.", false },
    { "cross-track empty", AgnavField::MaxXTrack, "",
        "Max. Cross-Track must be an\rinteger between 1 and 10,000.", false },
    { "cross-track comma decimal", AgnavField::MaxXTrack, "12,5",
        "Max. Cross-Track must be an\rinteger between 1 and 10,000.", false },
    { "race 0", AgnavField::RaceTrack, "0", "Race Track must be an integer\rless than -1 or greater than 1.",
        false },
    { "race 0.4 rounds to 0", AgnavField::RaceTrack, "0.4",
        "Race Track must be an integer\rless than -1 or greater than 1.", false },
    { "race -1", AgnavField::RaceTrack, "-1", "-1", true },
    { "race 1", AgnavField::RaceTrack, "1", "1", true },
    { "race 2.5 half to even", AgnavField::RaceTrack, "2.5", "2", true },
    { "race beyond 32 bits", AgnavField::RaceTrack, "3000000000",
        "Race Track must be an integer\rless than -1 or greater than 1.", false },
    { "skip 0", AgnavField::SkipTrack, "0", "Skip Track must be an integer\rbetween 1 and 500.", false },
    { "skip 500.4", AgnavField::SkipTrack, "500.4", "500", true },
    { "skip 501", AgnavField::SkipTrack, "501", "Skip Track must be an integer\rbetween 1 and 500.", false },
    { "magvar 51", AgnavField::MagVar, "51", "Magnetic Variation must be a\rnumber between -50 and 50.",
        false },
    { "magvar -50.4 rounds in", AgnavField::MagVar, "-50.4", "50", true },
    { "magvar west", AgnavField::MagVar, "12", "12", true },
    { "lag 2", AgnavField::LagTime, "2", "2.00", true },
    { "lag -5", AgnavField::LagTime, "-5", "-5.00", true },
    { "lag 5.01", AgnavField::LagTime, "5.01",
        "System Lag must be a number\rbetween -5.00 and +5.00 seconds.", false },
    { "lag text", AgnavField::LagTime, "soon",
        "System Lag must be a number\rbetween -5.00 and +5.00 seconds.", false },
    { "relay on 5", AgnavField::RelayOn, "5", "5.00", true },
    { "relay on -5.5", AgnavField::RelayOn, "-5.5", "Relay On must be a number\rbetween -5.00 and +5.00 sec.",
        false },
    { "relay off 0.125", AgnavField::RelayOff, "0.125", "0.13", true },
    { "relay off 6", AgnavField::RelayOff, "6", "Relay Off must be a number\rbetween -5.00 and +5.00 sec.",
        false },
    { "delta x 1000000", AgnavField::DeltaX, "1000000", "1000000", true },
    { "delta x 1000001", AgnavField::DeltaX, "1000001", "Delta X Shift must be a number from 0 to 1,000,000.",
        false },
    { "delta x -1", AgnavField::DeltaX, "-1", "Delta X Shift must be a positive number (or 0).", false },
    { "delta x -0.4 is 0", AgnavField::DeltaX, "-0.4", "0", true },
    { "delta x 12.6", AgnavField::DeltaX, "12.6", "13", true },
    { "delta y text", AgnavField::DeltaY, "x", "Invalid value for Delta Y Shift.", false },
    { "delta z 1000", AgnavField::DeltaZ, "1000", "1000", true },
    { "delta z 1000.5", AgnavField::DeltaZ, "1000.5", "Delta Z Shift must be a number from 0 to 1,000.",
        false },
    { "delta z 1001", AgnavField::DeltaZ, "1001", "Delta Z Shift must be a number from 0 to 1,000.", false },
    { "lines 0", AgnavField::LineNum, "0", "No. of Lines must be a positive integer.", false },
    { "lines text", AgnavField::LineNum, "many", "No. of Lines must be a positive integer.", false },
    { "lines 40000 fits 32 bits", AgnavField::LineNum, "40000", "40000", true },
    { "swath 0", AgnavField::SwathWidth, "0", "Swath Width must be a positive integer.", false },
    { "swath 2147483648", AgnavField::SwathWidth, "2147483648", "Swath Width must be a positive integer.",
        false },
    { "direction 370", AgnavField::LineDirection, "370", "10", true },
    { "direction -90", AgnavField::LineDirection, "-90", "270", true },
    { "direction -360", AgnavField::LineDirection, "-360", "0", true },
    { "direction 359.6", AgnavField::LineDirection, "359.6", "0", true },
    { "direction 725", AgnavField::LineDirection, "725", "5", true },
    { "direction text", AgnavField::LineDirection, "north", "Invalid value for Line Direction.", false },
    { "axis text", AgnavField::EllipsoidAxis, "a", "Invalid value for Ellipsoid Semi-Major Axis.", false },
    { "axis kept as typed", AgnavField::EllipsoidAxis, "6378137.0", "6378137.0", true },
    { "flattening text", AgnavField::EllipsoidFlattening, "", "Invalid value for Ellipsoid Eccentricity.",
        false },
};

TEST(AgnavFieldChecks, JobDialogTable)
{
    const DefaultLocale point(QLocale::c()); // no decimal comma
    for (const CheckRow& row : kJobRows) {
        const AgnavFieldCheck check
            = checkAgnavField(row.field, QString::fromUtf8(row.text), AgnavDialog::Job);
        EXPECT_EQ(check.valid, row.valid) << row.name;
        EXPECT_EQ(row.valid ? check.text : check.warning, QString::fromUtf8(row.expected)) << row.name;
    }
}

// The preferences' tab names its guidance fields "Default" and tells a
// text that is no number from one out of range.
TEST(AgnavFieldChecks, PreferencesWarningsOfTheDefaultGuidance)
{
    const CheckRow rows[] = {
        { "lines text", AgnavField::LineNum, "x", "Invalid value for Default No. of Lines.", false },
        { "lines -3", AgnavField::LineNum, "-3", "The Default No. of Lines must be a positive integer.",
            false },
        { "swath text", AgnavField::SwathWidth, "", "Invalid value for Default Swath Width.", false },
        { "swath 0", AgnavField::SwathWidth, "0", "The Default Swath Width must be a positive integer.",
            false },
        { "direction", AgnavField::LineDirection, "?", "Invalid value for Default Line Direction.", false },
        { "direction -1", AgnavField::LineDirection, "-1", "359", true },
        { "race same as job", AgnavField::RaceTrack, "0",
            "Race Track must be an integer\rless than -1 or greater than 1.", false },
    };
    for (const CheckRow& row : rows) {
        const AgnavFieldCheck check
            = checkAgnavField(row.field, QString::fromUtf8(row.text), AgnavDialog::Preferences);
        EXPECT_EQ(check.valid, row.valid) << row.name;
        EXPECT_EQ(row.valid ? check.text : check.warning, QString::fromUtf8(row.expected)) << row.name;
    }
}

TEST(AgnavFieldChecks, SignedMagneticVariationOfWhatIsShown)
{
    const struct
    {
        const char* text;
        const char* direction;
        const char* expected;
    } rows[] = {
        { "12", "E", "-12" },
        { "12", "W", "12" },
        { "0", "E", "0" },
        { "-7", "", "-7" }, // being edited: as typed
        { " 7 ", "", "7" },
        { "-12", "E", "-12" },
    };
    for (const auto& row : rows) {
        EXPECT_EQ(signedMagneticVariation(row.text, row.direction), row.expected)
            << row.text << row.direction;
    }
}

TEST(AgnavFieldChecks, AxisAndFlatteningOutsideTheirNormalRangeAskFirst)
{
    const struct
    {
        AgnavField field;
        const char* text;
        bool outside;
    } rows[] = {
        { AgnavField::EllipsoidAxis, "6000000", true },
        { AgnavField::EllipsoidAxis, "6370000", false },
        { AgnavField::EllipsoidAxis, "6380000", false },
        { AgnavField::EllipsoidAxis, "6380001", true },
        { AgnavField::EllipsoidFlattening, "295", false },
        { AgnavField::EllipsoidFlattening, "305.5", true },
    };
    for (const auto& row : rows) {
        const AgnavFieldCheck check = checkAgnavField(row.field, row.text, AgnavDialog::Job);
        EXPECT_TRUE(check.valid) << row.text;
        EXPECT_EQ(check.outsideNormalRange, row.outside) << row.text;
    }
    EXPECT_EQ(rangeQuestion(AgnavField::EllipsoidAxis),
        "The specified value for Ellipsoid Semi-Major Axis\rdoes not lie within the normal range for this "
        "number.\r\rContinue anyways?");
    EXPECT_TRUE(rangeQuestion(AgnavField::EllipsoidFlattening)
                    .startsWith("The specified value for Ellipsoid Flattening\r"));
}

TEST(AgnavFieldChecks, UnitsSwitchKeepsWhatItCannotConvert)
{
    const struct
    {
        const char* name;
        AgnavField field;
        const char* text;
        bool toUS;
        const char* expected; // "" = unchanged
    } rows[] = {
        { "100 m to feet", AgnavField::MaxXTrack, "100", true, "328" },
        { "328 ft back to metres", AgnavField::MaxXTrack, "328", false, "100" },
        { "swath 30 m to feet", AgnavField::SwathWidth, "30", true, "98" },
        { "swath 98 ft to metres", AgnavField::SwathWidth, "98", false, "30" },
        { "9988 m is beyond 10,000 ft", AgnavField::MaxXTrack, "9988", true, "" },
        { "1 ft rounds to 0 m", AgnavField::MaxXTrack, "1", false, "" },
        { "no number", AgnavField::MaxXTrack, "", true, "" },
        { "swath beyond 32 bits", AgnavField::SwathWidth, "2000000000", true, "" },
    };
    for (const auto& row : rows) {
        const std::optional<QString> converted = unitsConverted(row.field, row.text, row.toUS);
        EXPECT_EQ(converted.value_or(QString()), row.expected) << row.name;
    }
}

TEST(AgnavFieldChecks, JobNamesTheGuidanceSystemCanHold)
{
    const struct
    {
        const char* fileName;
        bool refused;
    } rows[] = {
        { "FIELD7.no1", false },
        { "ABCDEFGHIJKLMNOPQRST.no1", false }, // 20 characters
        { "ABCDEFGHIJKLMNOPQRSTU.no1", true }, // 21
        { "NORTH FIELD.no1", true },
        { ".no1", true },
        { "A\tB.no1", true },
    };
    for (const auto& row : rows) {
        EXPECT_EQ(!jobNameRefusal(row.fileName).isEmpty(), row.refused) << row.fileName;
    }
    EXPECT_TRUE(
        jobNameRefusal("NORTH FIELD.no1").startsWith("The file name \"NORTH FIELD.no1\" cannot be used"));
}

} // namespace

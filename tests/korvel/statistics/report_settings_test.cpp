// The report's coded settings: what the dialog writes is read back, any
// other text takes the default; an emptied text is stored empty.
#include "korvel/statistics/report_settings.h"

#include "korvel/shell/reg_settings.h"
#include "tests/support/korvel_test.h"

namespace {

using ReportSettingsTest = KorvelTest;

TEST_F(ReportSettingsTest, CodesTheDialogWritesAreReadOthersTakeTheDefault)
{
    struct Row
    {
        QString text;
        int units;
        bool printsMap;
        bool colour;
    };
    for (const Row& row : { Row { "0", 0, false, true }, Row { "1", 1, true, true },
             Row { "2", 2, true, true }, Row { " 1 ", 1, true, true }, Row { "3", 2, true, true },
             Row { "-1", 2, true, true }, Row { "1.0", 2, true, true }, Row { "abc", 2, true, true },
             Row { "", 2, true, true }, Row { "True", 2, true, true }, Row { "false", 2, true, false },
             Row { "FALSE", 2, true, false } }) {
        SCOPED_TRACE(row.text.toStdString());
        EXPECT_EQ(rateUnitsFromText(row.text), row.units);
        EXPECT_EQ(switchFromText(row.text, printsMapText(false), printsMapText(true), true), row.printsMap);
        EXPECT_EQ(switchFromText(row.text, mapColourText(false), mapColourText(true), true), row.colour);
    }
}

TEST_F(ReportSettingsTest, MissingSettingsTakeTheirDefaults)
{
    EXPECT_EQ(reportRateUnits(), 2);
    EXPECT_TRUE(reportPrintsMap());
    EXPECT_TRUE(reportMapInColour());
    SaveRegSetting("ApplicationInfo", "units", "0"); // names match without regard to case
    SaveRegSetting("ReportLayout", "PrintGIS", "0");
    SaveRegSetting("ReportLayout", "GISColour", "False");
    EXPECT_EQ(reportRateUnits(), 0);
    EXPECT_FALSE(reportPrintsMap());
    EXPECT_FALSE(reportMapInColour());
}

TEST_F(ReportSettingsTest, AnEmptiedTextIsStoredEmpty)
{
    storeReportText("CompanyInfo", "Fax", "555-0100");
    EXPECT_EQ(reportText("CompanyInfo", "Fax"), "555-0100");
    storeReportText("CompanyInfo", "Fax", "");
    EXPECT_EQ(GetRegSetting("CompanyInfo", "Fax", "absent"), "absent");
    EXPECT_EQ(reportText("CompanyInfo", "Fax"), "");
}

} // namespace

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
        QString text; // "" stores nothing
        int units;
        bool printsMap, colour;
    };
    for (const Row& row : { Row { "", 2, true, true }, Row { "0", 0, false, true },
             Row { " 1 ", 1, true, true }, Row { "3", 2, true, true }, Row { "1.0", 2, true, true },
             Row { "-1", 2, true, true }, Row { "false", 2, true, false }, Row { "True", 2, true, true } }) {
        SCOPED_TRACE(row.text.toStdString());
        DeleteRegSetting("ApplicationInfo", "Units");
        DeleteRegSetting("ReportLayout", "PrintGIS");
        DeleteRegSetting("ReportLayout", "GISColour");
        SaveRegSetting("ApplicationInfo", "Units", row.text);
        SaveRegSetting("ReportLayout", "PrintGIS", row.text);
        SaveRegSetting("ReportLayout", "GISColour", row.text);
        EXPECT_EQ(reportRateUnits(), row.units);
        EXPECT_EQ(reportPrintsMap(), row.printsMap);
        EXPECT_EQ(reportMapInColour(), row.colour);
    }
    storeReportText("CompanyInfo", "Fax", "555-0100");
    storeReportText("CompanyInfo", "Fax", "");
    EXPECT_EQ(GetRegSetting("CompanyInfo", "Fax", "absent"), "absent") << "emptied, not kept";
}

} // namespace

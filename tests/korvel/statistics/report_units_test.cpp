// The summary's figures as printed, in both unit systems and the user's
// separators.
#include "korvel/statistics/report_units.h"

#include "tests/support/korvel_test.h"

#include <QLocale>
#include <cmath>

namespace {

using ReportUnitsTest = KorvelTest;

TEST_F(ReportUnitsTest, AreasAndSpeedsInEitherSystem)
{
    struct Row
    {
        double value; // square metres, or m/s summed over `samples`
        qint64 samples; // -1: an area
        bool metric;
        QString text; // in the C locale's separators
    };
    QLocale::setDefault(QLocale::c());
    for (const Row& row : { Row { 250000, -1, true, "25.00 ha" }, Row { 4046.86, -1, false, "1.00 ac" },
             Row { 12345678.9, -1, true, "1,234.57 ha" }, Row { 0, -1, false, "0.00 ac" },
             Row { 20, 2, true, "36.00 km/h" }, Row { 20, 2, false, "22.37 mph" },
             Row { 3000, 1, true, "10800.00 km/h" }, Row { 5, 0, true, "n/a" },
             Row { std::nan(""), -1, true, "n/a" } /* a block beyond its zone's reach */ }) {
        EXPECT_EQ(row.samples < 0 ? reportAreaText(row.value, row.metric)
                                  : reportSpeedText(row.value, row.samples, row.metric),
            row.text);
    }
    EXPECT_EQ(reportTotalAreaText(4046.86f, false), "1.00 ac");
    EXPECT_EQ(reportTotalAreaText(std::nanf(""), true), "n/a");
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(reportAreaText(12345678.9, true), "1.234,57 ha") << "the user's separators";
    EXPECT_EQ(reportSpeedText(12345, 1, true), "44442,00 km/h") << "speeds are never grouped";
    QLocale::setDefault(QLocale::c());
}

} // namespace

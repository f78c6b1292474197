// The summary's figures as printed, in both unit systems and the user's
// separators.
#include "korvel/statistics/report_units.h"

#include "tests/support/korvel_test.h"

#include <QLocale>

namespace {

class ReportUnitsTest : public KorvelTest
{
protected:
    void TearDown() override
    {
        QLocale::setDefault(QLocale::c());
        KorvelTest::TearDown();
    }
};

TEST_F(ReportUnitsTest, AreasAndSpeedsInEitherSystem)
{
    QLocale::setDefault(QLocale::c());
    struct Row
    {
        double squareMetres;
        bool metric;
        QString text;
    };
    for (const Row& row : { Row { 250000, true, "25.00 ha" }, Row { 4046.86, false, "1.00 ac" },
             Row { 0, true, "0.00 ha" }, Row { 0, false, "0.00 ac" }, Row { 12345678.9, true, "1,234.57 ha" },
             Row { 1e12, true, "100,000,000.00 ha" }, Row { 40469548.44, false, "10,000.00 ac" } }) {
        EXPECT_EQ(reportAreaText(row.squareMetres, row.metric), row.text);
    }
    EXPECT_EQ(reportTotalAreaText(250000.0f, true), "25.00 ha");
    EXPECT_EQ(reportTotalAreaText(4046.86f, false), "1.00 ac");

    struct Speed
    {
        double sum;
        qint64 samples;
        bool metric;
        QString text;
    };
    for (const Speed& row : { Speed { 20, 2, true, "36.00 km/h" }, Speed { 20, 2, false, "22.37 mph" },
             Speed { 3000, 1, true, "10800.00 km/h" }, Speed { 5, 0, true, "n/a" },
             Speed { 0, 0, false, "n/a" }, Speed { 0, 3, true, "0.00 km/h" } }) {
        EXPECT_EQ(reportSpeedText(row.sum, row.samples, row.metric), row.text);
    }
}

TEST_F(ReportUnitsTest, FiguresUseTheUsersSeparators)
{
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(reportAreaText(12345678.9, true), "1.234,57 ha");
    EXPECT_EQ(reportSpeedText(12345, 1, true), "44442,00 km/h") << "speeds are never grouped";
}

} // namespace

#include "korvel/layers/layer_popup_states.h"
#include "korvel/layers/layer_property_rows.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "tests/support/korvel_test.h"

#include <QDir>
#include <QFile>

namespace {

using LayerPropertyRows = KorvelTest;

} // namespace

TEST_F(LayerPropertyRows, AreasInHectaresOrAcresWithThousandsAndThreeDecimals)
{
    struct Row
    {
        double squareMetres;
        bool metric;
        const char* expected;
    };
    const Row rows[] = {
        { 250000.0, true, "25.000 ha" }, { 250000.0, false, "61.775 ac" },
        { 12345678.9, true, "1,234.568 ha" }, { 0.0, true, "0.000 ha" },
        { -40000.0, true, "-4.000 ha" }, // zones larger than the boundary
    };
    for (const Row& row : rows) {
        EXPECT_EQ(areaText(row.squareMetres, row.metric), QString::fromUtf8(row.expected)) << row.expected;
    }
}

TEST_F(LayerPropertyRows, SprayDataIsOfferedOnlyWhenTheBlocksFolderHoldsAFile)
{
    AGNAVBlock block;
    block.Path = workDir() + "field.no1";
    EXPECT_FALSE(blockPopUpStates(block, false).openFlight) << "no folder";
    block.DataFolder = workDir() + "job/";
    QDir().mkpath(block.DataFolder);
    EXPECT_FALSE(blockPopUpStates(block, false).openFlight) << "an empty folder";
    QFile log(block.DataFolder + "flight1.agf");
    ASSERT_TRUE(log.open(QIODevice::WriteOnly));
    log.close();
    EXPECT_TRUE(blockPopUpStates(block, false).openFlight);
    EXPECT_FALSE(blockPopUpStates(block, true).digitize);
}

// The meteorology window's graphs read whole: their time and value labels
// cover nothing, are cut off by nothing and stay in their frames, over spans
// from seconds to days and up to strong winds.
#include "korvel/met/met_form.h"
#include "korvel/met/met_panel.h"
#include "platform/picture_box.h"
#include "tests/korvel/met/met_fixture.h"
#include "tests/support/text_layout_check.h"

#include <QFrame>

namespace {

struct Records
{
    const char* name;
    const char* lines; // a Kitoon file
};

class MetGraphLabels : public MetWindowTest, public testing::WithParamInterface<Records>
{
};

TEST_P(MetGraphLabels, EveryGraphReadsWhole)
{
    loadKitoon(writeFile(QStringLiteral("met.dat"), GetParam().lines));
    MetPanel::instance().ControlPanel_Click(1);
    MetForm& window = *MetForm::existing();
    for (int index = 1; index <= 3; ++index) {
        const QFrame& frame = window.Frame[index];
        const PictureBox& graph = window.picture(index);
        EXPECT_EQ(
            textLayoutFaults(shownLabelTexts(frame), QRectF(frame.rect()), { QRectF(graph.geometry()) }),
            QStringList())
            << "graph " << index;
    }
}

INSTANTIATE_TEST_SUITE_P(Spans, MetGraphLabels,
    testing::Values(
        Records { "seconds", "71599,9,0,0,0,1,60,55\n71599,9,0,10,90,2,61,56\n71599,9,0,20,180,3,62,57\n" },
        Records { "morning",
            "71599,6,5,0,90,40,-15,-20\n71599,9,30,0,180,95,105,99\n71599,11,59,0,270,60,65,52\n" },
        Records { "days", "71599,9,0,0,90,4,60,50\n71699,12,0,0,180,20,70,55\n71799,23,0,0,270,8,65,52\n" }),
    [](const testing::TestParamInfo<Records>& info) { return std::string(info.param.name); });

} // namespace

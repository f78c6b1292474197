#include "korvel/map/gis_layer_opening.h"
#include "tests/korvel/layers/layer_list_fixture.h"

#include <QLabel>

namespace {

using LayerListLayout = LayerListTest;

TEST_F(LayerListLayout, LongCaptionsKeepTheirStartAndTheLongestTailThatFits)
{
    MainForm& window = form();
    EXPECT_EQ(window.FitListCaption("/data/fields.shp", false), 0);

    const QString path = "/home/pilot/survey data/2003 spring/county maps/east district/fields with drains.shp";
    const int cut = window.FitListCaption(path, false);
    ASSERT_GT(cut, 0);
    QLabel& label = window.ImageCheckLabel[0];
    const auto rightOf = [&label](const QString& text) {
        label.setText(text);
        return label.x() + label.sizeHint().width();
    };
    EXPECT_LE(rightOf(captionWithCut(path, cut)), 262);
    EXPECT_GT(rightOf(captionWithCut(path, cut - 1)), 262) << "no longer tail fits";
    EXPECT_TRUE(captionWithCut(path, cut).startsWith("/home/pilo ... "));
    EXPECT_GE(window.FitListCaption(path, true), cut) << "sub-rows start further right";
}

TEST_F(LayerListLayout, ACaptionThatNeverFitsStopsAtItsShortestForm)
{
    MainForm& window = form();
    QFont huge = window.ImageCheckLabel[0].font();
    huge.setPointSize(72);
    window.ImageCheckLabel[0].setFont(huge);
    const QString text = "WWWWWWWWWWWWWWWWWWWWWWWW";
    EXPECT_EQ(window.FitListCaption(text, false), int(text.size()) - 10);
    EXPECT_EQ(window.FitListCaption("WWWWWWWWW", false), 0) << "ten characters or fewer are not cut";
}

} // namespace

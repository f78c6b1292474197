#include "korvel/map/gis_layer_opening.h"
#include "tests/korvel/layers/layer_list_fixture.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QScrollBar>

namespace {

using LayerListLayout = LayerListTest;

int rightEdge(const QWidget& control)
{
    return control.x() + control.width();
}

TEST_F(LayerListLayout, ThePanelAndItsTemplatesForEachScreen)
{
    for (const auto& [width, height, frameHeight] : { std::tuple { 800, 600, 250 }, std::tuple { 1024, 768, 334 } }) {
        SCOPED_TRACE(width);
        useScreen(width, height);
        MainForm& window = form();
        window.ArrangeControls();
        EXPECT_EQ(window.Frame1->size(), QSize(280, frameHeight));
        EXPECT_EQ(window.Label1->width(), 137);
        EXPECT_EQ(window.Label1->x(), 140 - 68);
        EXPECT_EQ(window.Label1->y(), frameHeight / 2 - window.Label1->height() / 2);
        EXPECT_EQ(window.ChecklistScroll->geometry(), QRect(266, 10, 10, frameHeight - 14));
        EXPECT_EQ(window.Line1->x(), 8);
        EXPECT_EQ(rightEdge(*window.Line1), 262);
        EXPECT_EQ(window.ImageCheck[0].x(), 34);
        EXPECT_EQ(window.AGCheck[0].x(), 34);
        EXPECT_EQ(window.ImageCheck[0].size(), QSize(17, 17));
        EXPECT_EQ(window.GISCheckLabel[0].x(), 54);
        EXPECT_EQ(window.Check3[0].x(), 56);
        EXPECT_EQ(window.CheckLabel3[0].x(), 76);
        EXPECT_EQ(window.GISColorBox[0].geometry(), QRect(16, window.GISColorBox[0].y(), 13, 13));
    }
}

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

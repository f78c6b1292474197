// The digitizing clicks: which press does what (exact button and shift
// codes), the segments a sequence of presses leaves, and the colour of an
// exclusion zone's segments before a block is chosen.
#include "korvel/map/digitizing_tool.h"
#include "korvel/map/map_pointer_modes.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/main_settings.h"
#include "platform/line_control.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/vb_colors.h"
#include "tests/korvel/map/map_view_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QMouseEvent>

namespace {

constexpr int kLeft = 1;
constexpr int kRight = 2;
constexpr int kMiddle = 4;
constexpr int kShift = 1;
constexpr int kCtrl = 2;
constexpr int kAlt = 4;

struct ClickCase
{
    const char* name;
    int button;
    int shift;
    int vertices;
    DigitizeClick click;
};

const ClickCase kClicks[] = {
    { "right with no vertex ends", kRight, 0, 0, DigitizeClick::End },
    { "right with Ctrl and no vertex ends", kRight, kCtrl, 0, DigitizeClick::End },
    { "right with vertices closes", kRight, kShift | kAlt, 2, DigitizeClick::Close },
    { "left alone places", kLeft, 0, 0, DigitizeClick::PlaceVertex },
    { "left with Shift does nothing", kLeft, kShift, 3, DigitizeClick::Ignore },
    { "left with Alt does nothing", kLeft, kAlt, 3, DigitizeClick::Ignore },
    { "Ctrl+left takes back", kLeft, kCtrl, 1, DigitizeClick::TakeBack },
    { "Ctrl+Shift+left does nothing", kLeft, kCtrl | kShift, 3, DigitizeClick::Ignore },
    { "Ctrl+left with no vertex does nothing", kLeft, kCtrl, 0, DigitizeClick::Ignore },
    { "left and right together do nothing", kLeft | kRight, 0, 3, DigitizeClick::Ignore },
    { "middle does nothing", kMiddle, 0, 3, DigitizeClick::Ignore },
};

class DigitizingClicks : public MapViewTest
{
protected:
    void SetUp() override
    {
        MapViewTest::SetUp();
        form().Picture1->Scale(0, 299, 400, 0);
    }
    void press(int button, int shift, float x, float y) { view().Picture1_MouseDown(button, shift, x, y); }
    void move(int button, float x, float y) { view().Picture1_MouseMove(button, 0, x, y); }
    LineControl& segment(int index) { return form().DigitizeLine[index]; }
    int vertexCount() { return digitizedVertexCount(form().DigitizeLine); }
};

} // namespace

TEST(DigitizeClick, EachPressIsDecidedByItsExactButtonAndShift)
{
    for (const ClickCase& c : kClicks) {
        EXPECT_EQ(digitizeClick(c.button, c.shift, c.vertices), c.click) << c.name;
    }
}

TEST_F(DigitizingClicks, PressesPlaceVerticesWithALiveSegmentAndOnlyExactClicksCount)
{
    MainForm& window = form();
    window.Tools_DigitizeBoundary->setChecked(true);
    press(kLeft, 0, 10, 20);
    move(0, 50, 60);
    press(kLeft, 0, 100, 20);
    move(kLeft, 120, 200); // a boundary's band follows whatever is held
    const std::pair<int, int> ignored[] = { { kLeft, kShift }, { kLeft, kAlt }, { kMiddle, 0 } };
    for (const auto& [button, shift] : ignored) {
        press(button, shift, 300, 300);
    }
    press(kLeft, 0, 100, 200);

    ASSERT_EQ(vertexCount(), 3);
    const ShapeRecord vertices = digitizedVertices(window.DigitizeLine);
    EXPECT_EQ(vertices.X, (std::vector<double> { 0, 10, 100, 100 }));
    EXPECT_EQ(vertices.Y, (std::vector<double> { 0, 20, 20, 200 }));
    EXPECT_EQ(segment(1).X2(), 50.0) << "a fixed segment keeps the end of the last move";
    EXPECT_EQ(segment(1).DrawMode(), vbCopyPen);
    EXPECT_EQ(segment(2).DrawMode(), vbCopyPen);
    EXPECT_EQ(segment(3).DrawMode(), vbInvert) << "the live segment";
    EXPECT_TRUE(segment(3).Visible());
    EXPECT_EQ(segment(3).BorderWidth(), 2);
    EXPECT_EQ(segment(3).BorderColor(), pointerLineColour(mainSettings().PointerColour));
}

TEST_F(DigitizingClicks, CtrlLeftTakesVerticesBackUntilNoneIsLeft)
{
    MainForm& window = form();
    window.Tools_DigitizeExclusion->setChecked(true);
    press(kLeft, 0, 10, 10);
    press(kLeft, 0, 50, 10);
    press(kLeft, 0, 50, 50);
    press(kLeft, kCtrl, 0, 0);
    ASSERT_EQ(vertexCount(), 2);
    move(0, 77, 88);
    EXPECT_EQ(segment(2).X2(), 77.0) << "the segment from B follows the pointer again";
    EXPECT_EQ(segment(2).DrawMode(), vbCopyPen);
    move(kLeft, 5, 5);
    EXPECT_EQ(segment(2).X2(), 77.0) << "an exclusion zone's band stops while a button is held";

    press(kLeft, kCtrl, 0, 0);
    press(kLeft, kCtrl, 0, 0);
    press(kLeft, kCtrl, 0, 0);
    EXPECT_EQ(vertexCount(), 0);
    EXPECT_TRUE(window.DigitizeLine.exists(0)) << "the template stays";
    EXPECT_TRUE(window.Tools_DigitizeExclusion->isChecked());
}

TEST_F(DigitizingClicks, ARightPressClosesTheRingOnTheFirstVertex)
{
    // With no digitizing item ticked the tool closes the ring and hands it
    // to nobody, so the closed ring can be looked at.
    MainForm& window = form();
    DigitizingTool tool(window);
    tool.press(kLeft, 0, 10, 10);
    tool.press(kLeft, 0, 90, 10);
    tool.move(300, 300);
    tool.press(kRight, kShift, 200, 250);
    ASSERT_EQ(vertexCount(), 2);
    EXPECT_EQ(segment(2).X2(), 10.0);
    EXPECT_EQ(segment(2).Y2(), 10.0);
    EXPECT_EQ(segment(2).DrawMode(), vbCopyPen);
}

TEST_F(DigitizingClicks, RightPressEndsTheModeAndTheEndAsksOnlyWithThreeVertices)
{
    MainForm& window = form();
    window.Tools_DigitizeBoundary_Click();
    ASSERT_TRUE(window.Tools_DigitizeBoundary->isChecked());
    press(kRight, 0, 5, 5);
    EXPECT_FALSE(window.Tools_DigitizeBoundary->isChecked()) << "ended with nothing to save";
    EXPECT_TRUE(msgBoxes().empty());

    window.Tools_DigitizeBoundary_Click();
    press(kLeft, 0, 10, 10);
    press(kLeft, 0, 90, 10);
    press(kRight, 0, 5, 5);
    EXPECT_TRUE(msgBoxes().empty()) << "two vertices are dropped without a question";

    window.Tools_DigitizeBoundary_Click();
    press(kLeft, 0, 10, 10);
    press(kLeft, 0, 90, 10);
    press(kLeft, 0, 90, 90);
    queueMsgBoxAnswer(vbNo);
    press(kRight, 0, 5, 5);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, "Save AGNAV boundary to file?");
    EXPECT_EQ(msgBoxes()[0].buttonSet(), vbYesNo);
    EXPECT_EQ(vertexCount(), 0);
    EXPECT_FALSE(window.Tools_DigitizeBoundary->isChecked());
}

TEST_F(DigitizingClicks, ExclusionSegmentsTakeThePointerColourUntilABlockIsChosen)
{
    MainForm& window = form();
    mainSettings().PointerColour = 12;
    AgnavData& agnav = agnavData();
    agnav.Blocks.resize(3);
    agnav.BlockCount = 2;
    agnav.Blocks[0].Colour = RGB(1, 2, 3); // the unused element must never colour anything
    agnav.Blocks[2].Colour = RGB(0, 128, 0);

    window.Tools_DigitizeExclusion->setChecked(true);
    press(kLeft, 0, 10, 10);
    EXPECT_EQ(segment(1).BorderColor(), QBColor(12));
    window.SelectedBlock = 2;
    press(kLeft, 0, 20, 10);
    EXPECT_EQ(segment(2).BorderColor(), RGB(0, 128, 0));
}

TEST_F(DigitizingClicks, AQuickDoubleClickPlacesOneVertex)
{
    MainForm& window = form();
    window.Tools_DigitizeBoundary->setChecked(true);
    PictureBox& picture = *window.Picture1;
    const QPointF at(picture.toClientX(100) + 2, picture.toClientY(100) + 2);
    for (const auto& [type, held] : { std::pair { QEvent::MouseButtonPress, Qt::LeftButton },
             std::pair { QEvent::MouseButtonRelease, Qt::NoButton },
             std::pair { QEvent::MouseButtonDblClick, Qt::LeftButton },
             std::pair { QEvent::MouseButtonRelease, Qt::NoButton } }) {
        QMouseEvent event(type, at, picture.mapToGlobal(at), Qt::LeftButton, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&picture, &event);
    }
    EXPECT_EQ(vertexCount(), 1);
}

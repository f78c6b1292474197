// The main window's shortcuts on the window itself: the view-mode key, the
// floating windows' keys, Enter on a typed extent and the Escape cascade.
#include "korvel/map/map_state.h"
#include "korvel/map/redraw_state.h"
#include "platform/line_control.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/tool_bar.h"
#include "platform/vb_colors.h"
#include "tests/korvel/shell/main_form_fixture.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kCtrl = 2;
constexpr int kShift = 1;

// Counts the key presses that reach a control.
class KeyCounter final : public QObject
{
public:
    int keys = 0;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        keys += event->type() == QEvent::KeyPress ? 1 : 0;
        return QObject::eventFilter(watched, event);
    }
};

class MainFormKeys : public MainFormTest
{
protected:
    // A dot on the map picture that only a full redraw wipes out.
    void markPicture() { form().Picture1->pixelsForWriting().setPixelColor(5, 5, QColor(255, 0, 0)); }
    bool pictureMarked() { return form().Picture1->image().pixelColor(5, 5) == QColor(255, 0, 0); }
};

} // namespace

TEST_F(MainFormKeys, F11SwitchesTheViewModeBothWaysWhateverTheModifiers)
{
    MainForm& window = shownForm();
    window.Form_KeyDown(122, kShift);
    EXPECT_TRUE(window.View_MapMode->isChecked());
    EXPECT_FALSE(window.Frame1->isVisible());
    window.Form_KeyDown(122, 0);
    EXPECT_TRUE(window.View_ClutteredMode->isChecked());
    EXPECT_TRUE(window.Frame1->isVisible());
}

TEST_F(MainFormKeys, CtrlOneAndTwoOpenTheFloatingWindowsOnlyInMapMode)
{
    MainForm& window = shownForm();
    window.Form_KeyDown(49, kCtrl);
    window.Form_KeyDown(50, kCtrl);
    EXPECT_EQ(checkList.shows + zoomWindow.shows, 0) << "nothing in Cluttered Mode";

    window.View_MapMode_Click();
    window.Form_KeyDown(49, kCtrl);
    EXPECT_TRUE(window.Check1[1].isChecked());
    EXPECT_EQ(checkList.shows, 1);
    window.Form_KeyDown(49, kCtrl); // now only the focus
    EXPECT_EQ(checkList.shows, 1);
    window.Form_KeyDown(50, kCtrl | kShift);
    EXPECT_FALSE(window.Check1[2].isChecked()) << "the mask must be Ctrl alone";
    window.Form_KeyDown(50, kCtrl);
    EXPECT_TRUE(window.Check1[2].isChecked());
    EXPECT_EQ(zoomWindow.shows, 1);
}

TEST_F(MainFormKeys, EnterAppliesATypedExtentAndRedrawsOnlyAfterAnEdit)
{
    MainForm& window = form();
    window.Toolbar->setValue(3, 1);
    window.Toolbar_ButtonClick(3); // opens the boxes
    mapState().ExtentEdited = false;
    window.Toolbar->setEnabled(4, false);
    markPicture();
    window.Form_KeyDown(13, 0);
    EXPECT_EQ(window.Toolbar->Value(3), 0);
    EXPECT_FALSE(mapState().ExtentEntryMode) << "boxes locked again";
    EXPECT_FALSE(window.Toolbar->Enabled(4)) << "Previous Zoom keeps its state";
    EXPECT_TRUE(pictureMarked()) << "no redraw without an edit";

    window.Toolbar->setValue(3, 1);
    window.Toolbar_ButtonClick(3);
    KeyCounter returns;
    window.Text3->installEventFilter(&returns);
    window.Text3->setText(QStringLiteral("5000"));
    window.Text3->setFocus();
    QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(window.Text3, &enter);
    EXPECT_EQ(returns.keys, 1) << "the box still receives the key";
    EXPECT_FALSE(mapState().ExtentEntryMode);
    EXPECT_TRUE(window.Toolbar->Enabled(4));
    EXPECT_FALSE(pictureMarked()) << "redrawn in full";
}

TEST_F(MainFormKeys, EscapeEndsOneThingAtATimeAndFinallyAsksToQuit)
{
    MainForm& window = form();
    window.Tools_Ruler_Click();
    window.Tools_DigitizeBoundary->setChecked(true);
    window.DigitizeLine.load(1);
    window.DigitizeLine.load(2);

    redrawState().Busy = true;
    window.Form_KeyDown(27, 0);
    EXPECT_TRUE(redrawState().CancelDrawing) << "a running redraw is only asked to stop";
    EXPECT_TRUE(window.Tools_Ruler->isChecked());
    redrawState().Busy = false;

    window.Form_KeyDown(27, 0);
    EXPECT_FALSE(window.Tools_Ruler->isChecked());
    EXPECT_TRUE(window.Tools_DigitizeBoundary->isChecked()) << "only the ruler went";
    window.Form_KeyDown(27, 0);
    EXPECT_FALSE(window.Tools_DigitizeBoundary->isChecked());
    EXPECT_EQ(window.DigitizeLine.UBound(), 0) << "dropped without a question";
    EXPECT_TRUE(msgBoxes().empty());

    window.Tools_DigitizeExclusion_Click();
    window.SelectedBlock = 1;
    window.Form_KeyDown(27, 0);
    EXPECT_FALSE(window.Tools_DigitizeExclusion->isChecked());
    EXPECT_TRUE(window.Toolbar->Enabled(3)) << "the typed extent is offered again";
    EXPECT_EQ(window.SelectedBlock, 0);

    queueMsgBoxAnswer(vbNo);
    window.Form_KeyDown(27, 0);
    ASSERT_EQ(msgBoxes().size(), 1u);
    EXPECT_EQ(msgBoxes()[0].prompt, "Quit KORVEL?");
    EXPECT_EQ(MainForm::existing(), &window) << "No leaves the program running";
}

TEST_F(MainFormKeys, EscapeWithCustomZoomPressedDiscardsTheTypedExtentAndLeavesTheTools)
{
    MainForm& window = form();
    window.Toolbar->setValue(3, 1);
    window.Toolbar_ButtonClick(3);
    const QString west = window.Text1->text();
    window.Text1->setText(QStringLiteral("123456"));
    window.Tools_Ruler_Click();
    markPicture();
    window.Form_KeyDown(27, 0);
    EXPECT_EQ(window.Toolbar->Value(3), 0);
    EXPECT_EQ(window.Text1->text(), west) << "boxes refilled from the picture";
    EXPECT_TRUE(window.Tools_Ruler->isChecked());
    EXPECT_TRUE(pictureMarked());
}

// The main window's shortcuts on the window itself: the view-mode key, the
// floating windows' keys, Enter on a typed extent and the Escape cascade.
#include "korvel/layers/check_list_form.h"
#include "korvel/map/map_view.h"
#include "korvel/map/zoom_form.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/redraw_state.h"
#include "platform/line_control.h"
#include "platform/msg_box.h"
#include "platform/picture_box.h"
#include "platform/tool_bar.h"
#include "platform/vb_colors.h"
#include "tests/support/main_form_fixture.h"

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

// One press of F11, typed while a control of the window has the focus and a
// floating window is open, is one switch of the view mode: closing the
// floating window and redrawing the map (both change the application's
// event filters) while the key is delivered must not make it two.
TEST_F(MainFormKeys, OnePressOfF11IsOneSwitchWhileAFloatingWindowIsOpen)
{
    MainForm& window = shownForm();
    // The real floating windows, each with a key preview of its own.
    setFloatingToolWindow(FloatingTool::CheckList, &checkListFormTool());
    setFloatingToolWindow(FloatingTool::Zoom, &zoomFormTool());
    QApplication::setActiveWindow(&window);
    struct Case
    {
        const char* name;
        int toggle; // the floating window shown: 1 the layer list, 2 the zoom window
    };
    for (const Case& c : { Case { "layer list shown", 1 }, Case { "zoom window shown", 2 } }) {
        window.View_MapMode_Click();
        window.Check1[c.toggle].setChecked(true);
        ASSERT_TRUE(floatingWindowShown(c.toggle == 1 ? FloatingTool::CheckList : FloatingTool::Zoom))
            << c.name;
        QApplication::setActiveWindow(&window);
        window.Check1[c.toggle].setFocus();

        QKeyEvent f11(QEvent::KeyPress, Qt::Key_F11, Qt::NoModifier);
        QApplication::sendEvent(&window.Check1[c.toggle], &f11);
        EXPECT_TRUE(window.View_ClutteredMode->isChecked()) << c.name;
        EXPECT_TRUE(window.Frame1->isVisible()) << c.name;
        EXPECT_FALSE(window.Check1[c.toggle].isVisible()) << c.name;
        EXPECT_FALSE(floatingWindowShown(FloatingTool::CheckList)) << c.name;
        EXPECT_FALSE(floatingWindowShown(FloatingTool::Zoom)) << c.name;
        settle();
    }
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
    MapView::instance().Toolbar_ButtonClick(3); // opens the boxes
    mapState().ExtentEdited = false;
    window.Toolbar->setEnabled(4, false);
    markPicture();
    window.Form_KeyDown(13, 0);
    EXPECT_EQ(window.Toolbar->Value(3), 0);
    EXPECT_FALSE(mapState().ExtentEntryMode) << "boxes locked again";
    EXPECT_FALSE(window.Toolbar->Enabled(4)) << "Previous Zoom keeps its state";
    EXPECT_TRUE(pictureMarked()) << "no redraw without an edit";

    window.Toolbar->setValue(3, 1);
    MapView::instance().Toolbar_ButtonClick(3);
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
    MapView::instance().Toolbar_ButtonClick(3);
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

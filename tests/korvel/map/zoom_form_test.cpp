// The floating zoom window: opened by the main window's toggle, it mirrors
// the extent boxes, drives the main toolbar, keeps its place in the settings
// and closes on its keys.
#include "korvel/map/zoom_form.h"

#include "korvel/shell/floating_windows.h"
#include "korvel/shell/reg_settings.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/tool_bar.h"
#include "platform/window_stacking.h"
#include "tests/korvel/map/map_view_fixture.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

class ZoomWindow : public MapViewTest
{
protected:
    void SetUp() override
    {
        MapViewTest::SetUp();
        setFloatingToolWindow(FloatingTool::Zoom, &zoomFormTool());
    }
    ZoomForm& open()
    {
        form().Check1[2].setChecked(true);
        return ZoomForm::instance();
    }
    static void settle() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }
    static QStringList texts(QLineEdit* a, QLineEdit* b, QLineEdit* c, QLineEdit* d)
    {
        return { a->text(), b->text(), c->text(), d->text() };
    }
};

} // namespace

TEST_F(ZoomWindow, MirrorsTheExtentBoxesAndEnablesButtonsByWhatIsLoaded)
{
    MainForm& window = form();
    window.Toolbar->setEnabled(1, false);
    window.Toolbar->setEnabled(2, false);
    ZoomForm& zoom = open();
    EXPECT_EQ(zoom.windowTitle(), "Zoom Options");
    EXPECT_TRUE(stackingState(zoom).topmost) << "above the floating layer list before any activation";
    EXPECT_FALSE(zoom.Toolbar->Enabled(1));

    globals().GISLoaded = true;
    applyExtent(1000, 1000, 2000, 1750);
    EXPECT_EQ(texts(zoom.Text1, zoom.Text2, zoom.Text3, zoom.Text4),
        texts(window.Text1, window.Text2, window.Text3, window.Text4));
    EXPECT_EQ(zoom.Text3->text().toDouble(), 2000.0);
    EXPECT_TRUE(zoom.Toolbar->Enabled(1));
    EXPECT_FALSE(zoom.Toolbar->Enabled(2));
    globals().GISLoaded = false;
    applyExtent(0, 0, 4000, 3000);
    EXPECT_TRUE(zoom.Toolbar->Enabled(1)) << "never disabled by the window itself";
}

TEST_F(ZoomWindow, OpensAtItsStoredPlacePulledOntoTheScreenAndStoresItOnClosing)
{
    struct Row
    {
        const char* left;
        const char* top;
        int screenWidth;
        QPoint expected; // x -1: flush with the right and bottom edges
    };
    const Row rows[] = { { nullptr, nullptr, 1024, { 0, 0 } },
        { "150", "150", 1024, { 0, 10 } }, // left pulled to 0 within 25 pixels, top not
        { "3000", "-300", 1024, { 200, 0 } }, { "abc", "abc", 1024, { 0, 0 } },
        { "20000", "15000", 800, { -1, -1 } } };
    for (const Row& row : rows) {
        if (row.left) {
            SaveRegSetting("Settings", "ZoomWindow.Left", row.left);
            SaveRegSetting("Settings", "ZoomWindow.Top", row.top);
        }
        setScreen(row.screenWidth, row.screenWidth * 3 / 4, 32);
        ZoomForm& zoom = open();
        const QPoint flush(row.screenWidth - zoom.width() - 6, row.screenWidth * 3 / 4 - zoom.height() - 25);
        EXPECT_EQ(zoom.pos(), row.expected.x() < 0 ? flush : row.expected) << row.left;
        zoom.close();
        settle();
    }
    open().move(120, 45);
    form().Check1[2].setChecked(false);
    settle();
    EXPECT_EQ(GetRegSetting("Settings", "ZoomWindow.Left", ""), "1800");
    EXPECT_EQ(GetRegSetting("Settings", "ZoomWindow.Top", ""), "675");
    EXPECT_EQ(ZoomForm::existing(), nullptr);
    EXPECT_EQ(open().pos(), QPoint(120, 45)) << "a fresh window where the last one was";
}

TEST_F(ZoomWindow, ItsToolbarDrivesTheMainWindowsZoom)
{
    MainForm& window = form();
    ZoomForm& zoom = open();
    zoom.Toolbar->button(3)->click();
    EXPECT_TRUE(mapState().ExtentEntryMode) << "Custom Zoom opened the main window's boxes";
    EXPECT_FALSE(window.GraphButton->isEnabled());
    EXPECT_EQ(window.Toolbar->Value(3), 0) << "the main button stays up";

    window.Text3->setText(QStringLiteral("8000"));
    zoom.Toolbar->button(2)->click();
    EXPECT_FALSE(mapState().ExtentEntryMode) << "Zoom Selected Images applied the boxes";
    EXPECT_EQ(zoom.Toolbar->Value(3), 0);
    EXPECT_EQ(zoom.Text3->text(), window.Text3->text());
    EXPECT_TRUE(zoom.Toolbar->Enabled(4));
}

TEST_F(ZoomWindow, EscapeAndCtrl2CloseItOtherKeysLeaveItOpen)
{
    const auto press = [](int key, Qt::KeyboardModifiers modifiers) {
        ZoomForm& zoom = *ZoomForm::existing();
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(zoom.focusWidget() ? zoom.focusWidget() : &zoom, &event);
        settle();
    };
    open();
    press(Qt::Key_A, Qt::NoModifier);
    press(Qt::Key_1, Qt::ControlModifier);
    ASSERT_NE(ZoomForm::existing(), nullptr);
    press(Qt::Key_Escape, Qt::NoModifier);
    EXPECT_EQ(ZoomForm::existing(), nullptr);
    EXPECT_FALSE(form().Check1[2].isChecked());
    open();
    press(Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(ZoomForm::existing(), nullptr);
}

// The floating zoom window: opened by the main window's toggle, it mirrors
// the extent boxes, drives the main toolbar, keeps its place in the settings
// and closes on its keys.
#include "korvel/map/zoom_form.h"

#include "korvel/map/map_state.h"
#include "korvel/shell/floating_windows.h"
#include "korvel/shell/program_globals.h"
#include "korvel/shell/reg_settings.h"
#include "platform/tool_bar.h"
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
        EXPECT_NE(ZoomForm::existing(), nullptr);
        return *ZoomForm::existing();
    }
    void close()
    {
        form().Check1[2].setChecked(false);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    static QStringList boxes(QLineEdit* a, QLineEdit* b, QLineEdit* c, QLineEdit* d)
    {
        return { a->text(), b->text(), c->text(), d->text() };
    }
    static void press(ZoomForm& zoom, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QCoreApplication::sendEvent(zoom.focusWidget() ? zoom.focusWidget() : &zoom, &event);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
};

} // namespace

TEST_F(ZoomWindow, MirrorsTheExtentBoxesAndEnablesButtonsByWhatIsLoaded)
{
    MainForm& window = form();
    window.Toolbar->setEnabled(1, false);
    window.Toolbar->setEnabled(2, false);
    applyExtent(0, 0, 4000, 3000);
    ZoomForm& zoom = open();
    EXPECT_EQ(zoom.windowTitle(), "Zoom Options");
    EXPECT_EQ(boxes(zoom.Text1, zoom.Text2, zoom.Text3, zoom.Text4),
        boxes(window.Text1, window.Text2, window.Text3, window.Text4));
    EXPECT_EQ(zoom.Text3->text().toDouble(), 4000.0);
    EXPECT_FALSE(zoom.Toolbar->Enabled(1));

    globals().GISLoaded = true;
    applyExtent(1000, 1000, 2000, 1750);
    EXPECT_EQ(boxes(zoom.Text1, zoom.Text2, zoom.Text3, zoom.Text4),
        boxes(window.Text1, window.Text2, window.Text3, window.Text4));
    EXPECT_TRUE(zoom.Toolbar->Enabled(1));
    EXPECT_FALSE(zoom.Toolbar->Enabled(2));
    globals().GISLoaded = false;
    applyExtent(0, 0, 4000, 3000);
    EXPECT_TRUE(zoom.Toolbar->Enabled(1)) << "never disabled by the window itself";
}

TEST_F(ZoomWindow, OpensAtItsStoredPlacePulledOntoTheScreen)
{
    struct Row
    {
        const char* left;
        const char* top;
        int screenWidth;
        int screenHeight;
        QPoint expected; // (-1, -1): flush with the right and bottom edges
    };
    const Row rows[] = {
        { nullptr, nullptr, 1024, 768, { 0, 0 } },
        { "150", "150", 1024, 768, { 0, 10 } }, // left pulled to 0 within 25 pixels, top not
        { "-300", "-300", 1024, 768, { 0, 0 } },
        { "3000", "abc", 1024, 768, { 200, 0 } },
        { "20000", "15000", 800, 600, { -1, -1 } },
    };
    for (const Row& row : rows) {
        if (row.left) {
            SaveRegSetting("Settings", "ZoomWindow.Left", row.left);
            SaveRegSetting("Settings", "ZoomWindow.Top", row.top);
        }
        setScreen(row.screenWidth, row.screenHeight, 32);
        ZoomForm& zoom = open();
        const QPoint flush(row.screenWidth - zoom.width() - 6, row.screenHeight - zoom.height() - 25);
        EXPECT_EQ(zoom.pos(), row.expected.x() < 0 ? flush : row.expected) << row.left;
        close();
    }
}

TEST_F(ZoomWindow, ClosingStoresItsPlaceAndReleasesTheToggle)
{
    ZoomForm& zoom = open();
    zoom.move(120, 45);
    zoom.close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(GetRegSetting("Settings", "ZoomWindow.Left", ""), "1800");
    EXPECT_EQ(GetRegSetting("Settings", "ZoomWindow.Top", ""), "675");
    EXPECT_FALSE(form().Check1[2].isChecked());
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
    window.Text4->setText(QStringLiteral("6000"));
    zoom.Toolbar->button(2)->click();
    EXPECT_FALSE(mapState().ExtentEntryMode) << "Zoom Selected Images applied the boxes";
    EXPECT_EQ(zoom.Toolbar->Value(3), 0);
    EXPECT_EQ(zoom.Text3->text(), window.Text3->text());
    EXPECT_TRUE(window.Toolbar->Enabled(4));
    EXPECT_TRUE(zoom.Toolbar->Enabled(4));
}

TEST_F(ZoomWindow, EscapeAndCtrl2CloseItOtherKeysLeaveItOpen)
{
    press(open(), Qt::Key_A);
    press(*ZoomForm::existing(), Qt::Key_1, Qt::ControlModifier);
    ASSERT_NE(ZoomForm::existing(), nullptr);
    press(*ZoomForm::existing(), Qt::Key_Escape);
    EXPECT_EQ(ZoomForm::existing(), nullptr);
    EXPECT_FALSE(form().Check1[2].isChecked());

    press(open(), Qt::Key_2, Qt::ControlModifier);
    EXPECT_EQ(ZoomForm::existing(), nullptr);
}

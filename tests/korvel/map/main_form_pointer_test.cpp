// The map picture's mouse events on the main window, sent as the desktop
// sends them: the readout on every move, its clearing off the map, the
// modifier keys the tools ignore, and a double click as one press.
#include "korvel/map/map_state.h"
#include "korvel/shell/program_globals.h"
#include "platform/line_control.h"
#include "platform/picture_box.h"
#include "platform/status_bar.h"
#include "tests/korvel/map/map_view_fixture.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

class MapPointer : public MapViewTest
{
protected:
    // Sends a mouse event to a widget at a pixel of it.
    static void send(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
        Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, held, modifiers);
        QCoreApplication::sendEvent(&widget, &event);
    }
    // The map picture's pixel of a map point (the frame is 2 pixels wide).
    QPoint pixelOf(double x, double y)
    {
        PictureBox& picture = *form().Picture1;
        return QPoint(qRound(picture.toClientX(x)) + 2, qRound(picture.toClientY(y)) + 2);
    }
    QStringList readout()
    {
        MainForm& window = form();
        return { window.StatusLabel1->text(), window.StatusLabel2->text() };
    }
};

} // namespace

TEST_F(MapPointer, EveryMoveShowsThePointersCoordinatesWhateverIsHeld)
{
    MainForm& window = form();
    // One map unit to a pixel of the 400 x 299 client area.
    window.Picture1->Scale(500000, 4478299, 500400, 4478000);
    send(*window.Picture1, QEvent::MouseMove, pixelOf(500100, 4478200), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(readout(), QStringList({ "4478200.0 N", "500100.0 E" }));
    send(*window.Picture1, QEvent::MouseMove, pixelOf(500200, 4478100), Qt::NoButton,
        Qt::LeftButton | Qt::RightButton, Qt::ControlModifier | Qt::AltModifier);
    EXPECT_EQ(readout(), QStringList({ "4478100.0 N", "500200.0 E" }));

    globals().UTMMode = false;
    window.Picture1->Scale(-96.4, 0.299, -96, 0);
    send(*window.Picture1, QEvent::MouseMove, pixelOf(-96.1, 0.1), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(readout(), QStringList({ "0.100 N", "96.100 W" }));
}

TEST_F(MapPointer, LeavingTheMapForBareWindowAreaEmptiesTheReadout)
{
    MainForm& window = form();
    // Laid out, so that the controls leave bare area between them.
    window.showMaximized();
    QCoreApplication::processEvents();
    window.StatusBar1->setPanelText(1, QStringLiteral("x"));
    window.StatusBar1->setPanelText(2, QStringLiteral("y"));
    send(*window.Picture1, QEvent::MouseMove, QPoint(50, 50), Qt::NoButton, Qt::NoButton);
    ASSERT_FALSE(window.StatusLabel1->text().isEmpty());

    QWidget& client = *window.Picture1->parentWidget();
    QPoint bare(-1, -1);
    for (int y = 0; y < client.height() && bare.x() < 0; y += 3) {
        for (int x = 0; x < client.width() && bare.x() < 0; x += 3) {
            if (!client.childAt(x, y)) {
                bare = QPoint(x, y);
            }
        }
    }
    ASSERT_GE(bare.x(), 0) << "the window has bare area";
    send(client, QEvent::MouseMove, bare, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(readout(), QStringList({ "", "" }));
    EXPECT_EQ(window.StatusBar1->panel(1).Text, "");
    EXPECT_EQ(window.StatusBar1->panel(2).Text, "");
}

TEST_F(MapPointer, ToolsStartOnALeftPressWhateverModifiersAreHeld)
{
    MainForm& window = form();
    window.Picture1->Scale(0, 299, 400, 0);
    window.Tools_Ruler_Click();
    send(*window.Picture1, QEvent::MouseButtonPress, pixelOf(100, 100), Qt::LeftButton, Qt::LeftButton,
        Qt::ControlModifier | Qt::AltModifier);
    EXPECT_TRUE(window.RulerLine->Visible());
    send(*window.Picture1, QEvent::MouseMove, pixelOf(200, 100), Qt::NoButton, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(window.RulerLine->X2(), 100.0) << "left and right held drag nothing";
    send(*window.Picture1, QEvent::MouseMove, pixelOf(200, 100), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(window.RulerLine->X2(), 200.0);
}

TEST_F(MapPointer, ASecondPressOfADoubleClickDoesNotStartTheZoomBoxAgain)
{
    MainForm& window = form();
    window.Picture1->Scale(0, 299, 400, 0);
    window.ApplyMapExtent(); // opens the boxes for entry
    send(*window.Picture1, QEvent::MouseButtonPress, pixelOf(100, 100), Qt::LeftButton, Qt::LeftButton);
    send(*window.Picture1, QEvent::MouseButtonRelease, pixelOf(100, 100), Qt::LeftButton, Qt::NoButton);
    send(*window.Picture1, QEvent::MouseButtonDblClick, pixelOf(102, 102), Qt::LeftButton, Qt::LeftButton);
    send(*window.Picture1, QEvent::MouseMove, pixelOf(300, 120), Qt::NoButton, Qt::LeftButton);
    send(*window.Picture1, QEvent::MouseButtonRelease, pixelOf(300, 120), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(window.SelLineLeft->X1(), 100.0) << "the box still starts at the first press";
    EXPECT_EQ(window.Text1->text(), "100");
    EXPECT_EQ(window.Text3->text(), "300");
}

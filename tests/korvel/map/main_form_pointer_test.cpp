// The map picture's mouse events on the main window, sent as the desktop
// sends them: the readout on every move, its clearing off the map, and a
// double click as one press.
#include "platform/line_control.h"
#include "platform/picture_box.h"
#include "platform/status_bar.h"
#include "tests/korvel/map/map_view_fixture.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMouseEvent>

namespace {

class MapPointer : public MapViewTest
{
protected:
    void SetUp() override
    {
        MapViewTest::SetUp();
        // One map unit to a pixel of the 400 x 299 client area.
        form().Picture1->Scale(0, 299, 400, 0);
    }
    // Sends a mouse event at a map point, or at a pixel of another widget.
    void send(QEvent::Type type, double x, double y, Qt::MouseButton button, Qt::MouseButtons held,
        Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        // Not form(): the window's layout may have given the picture another size.
        PictureBox& picture = *MainForm::instance().Picture1;
        send(picture, type, QPoint(qRound(picture.toClientX(x)) + 2, qRound(picture.toClientY(y)) + 2),
            button, held, modifiers);
    }
    static void send(QWidget& widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
        Qt::MouseButtons held, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QMouseEvent event(type, QPointF(at), widget.mapToGlobal(QPointF(at)), button, held, modifiers);
        QCoreApplication::sendEvent(&widget, &event);
    }
};

} // namespace

TEST_F(MapPointer, EveryMoveShowsThePointerWhateverIsHeldAndBareAreaEmptiesIt)
{
    MainForm& window = form();
    window.showMaximized(); // laid out, so that the controls leave bare area between them
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::processEvents();
    }
    window.Picture1->Scale(0, window.Picture1->clientHeight(), window.Picture1->clientWidth(), 0);
    send(QEvent::MouseMove, 100, 200, Qt::NoButton, Qt::LeftButton | Qt::RightButton, Qt::AltModifier);
    EXPECT_EQ(window.StatusLabel1->text(), "200.0 N");
    EXPECT_EQ(window.StatusLabel2->text(), "100.0 E");

    window.StatusBar1->setPanelText(1, QStringLiteral("x"));
    QWidget& client = *window.Picture1->parentWidget();
    QPoint bare(-1, -1);
    for (int y = 0; y < client.height() && bare.x() < 0; y += 3) {
        for (int x = 0; x < client.width() && bare.x() < 0; x += 3) {
            bare = client.childAt(x, y) ? bare : QPoint(x, y);
        }
    }
    ASSERT_GE(bare.x(), 0) << "the window has bare area";
    send(client, QEvent::MouseMove, bare, Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(window.StatusLabel1->text(), "");
    EXPECT_EQ(window.StatusLabel2->text(), "");
    EXPECT_EQ(window.StatusBar1->panel(1).Text, "");
}

TEST_F(MapPointer, ASecondPressOfADoubleClickDoesNotStartTheZoomBoxAgain)
{
    MainForm& window = form();
    window.ApplyMapExtent(); // opens the boxes for entry
    send(QEvent::MouseButtonPress, 100, 100, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, 100, 100, Qt::LeftButton, Qt::NoButton);
    send(QEvent::MouseButtonDblClick, 102, 102, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, 300, 120, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, 300, 120, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(window.SelLineLeft->X1(), 100.0) << "the box still starts at the first press";
    EXPECT_EQ(window.Text1->text(), "100");
    EXPECT_EQ(window.Text3->text(), "300");
}

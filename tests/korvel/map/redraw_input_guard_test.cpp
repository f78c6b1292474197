#include "korvel/map/redraw_input_guard.h"

#include "korvel/workspace/redraw_state.h"
#include "tests/support/korvel_test.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPushButton>

namespace {

using RedrawInputGuardTest = KorvelTest;

TEST_F(RedrawInputGuardTest, EscapeCancelsTheDrawingAndOtherInputIsHeldOff)
{
    QPushButton button;
    int clicks = 0;
    QObject::connect(&button, &QPushButton::clicked, [&clicks] { ++clicks; });
    {
        RedrawInputGuard guard;
        EXPECT_TRUE(redrawState().pollInput);
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &escape);
        EXPECT_TRUE(redrawState().CancelDrawing);

        QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
            Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
            Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&button, &press);
        QCoreApplication::sendEvent(&button, &release);
        EXPECT_EQ(clicks, 0) << "no command starts in the middle of a redraw";

        {
            RedrawInputGuard::Pause pause(guard);
            redrawState().CancelDrawing = false;
            QCoreApplication::sendEvent(&button, &escape);
            EXPECT_FALSE(redrawState().CancelDrawing) << "a message box answered meanwhile takes its keys";
        }
    }
    EXPECT_FALSE(redrawState().pollInput) << "the poll goes with the guard";
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton, Qt::LeftButton,
        Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
        Qt::NoButton, Qt::NoModifier);
    button.resize(20, 20);
    QCoreApplication::sendEvent(&button, &press);
    QCoreApplication::sendEvent(&button, &release);
    EXPECT_EQ(clicks, 1);
}

} // namespace

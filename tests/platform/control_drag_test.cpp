#include "platform/control_drag.h"
#include "tests/support/korvel_test.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>

namespace {

class ControlDragTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        m_window.resize(300, 100);
        m_source.setGeometry(0, 0, 100, 20);
        m_target.setGeometry(0, 40, 100, 20);
        m_drag.setAutomaticDrag(m_source);
        QObject::connect(&m_drag, &ControlDrag::DragOver, [this](QWidget* target, QWidget*, QPoint, int state) {
            m_events << QStringLiteral("%1 %2").arg(target->objectName()).arg(state);
        });
        QObject::connect(&m_drag, &ControlDrag::DragDrop, [this](QWidget* target, QWidget* source, QPoint) {
            m_events << QStringLiteral("drop %1 on %2").arg(source->objectName(), target->objectName());
        });
        m_window.setObjectName("window");
        m_source.setObjectName("source");
        m_target.setObjectName("target");
    }

    // A mouse event on the source with the pointer at a point of the window.
    void send(QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held)
    {
        const QPointF global = m_window.mapToGlobal(QPointF(at));
        QMouseEvent event(type, m_source.mapFromGlobal(global), global, button, held, Qt::NoModifier);
        QCoreApplication::sendEvent(&m_source, &event);
    }

    QWidget m_window;
    QLabel m_source { &m_window };
    QLabel m_target { &m_window };
    ControlDrag m_drag;
    QStringList m_events;
};

TEST_F(ControlDragTest, TheControlUnderThePointerHearsEnterOverLeaveAndTheDrop)
{
    send(QEvent::MouseButtonPress, { 10, 10 }, Qt::LeftButton, Qt::LeftButton);
    send(QEvent::MouseMove, { 10, 50 }, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, { 12, 50 }, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, { 200, 50 }, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseMove, { 10, 50 }, Qt::NoButton, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, { 10, 50 }, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(m_events,
        QStringList({ "source 0", "source 1", "target 0", "target 2", "target 1", "window 0", "window 1",
            "target 0", "drop source on target" }));
    EXPECT_EQ(m_drag.source(), nullptr);
}

} // namespace

#include "platform/control_drag.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

ControlDrag::ControlDrag(QObject* parent)
    : QObject(parent)
{
}

ControlDrag::~ControlDrag()
{
    end();
}

void ControlDrag::setAutomaticDrag(QWidget& control)
{
    control.installEventFilter(this);
}

void ControlDrag::cancel()
{
    end();
}

bool ControlDrag::eventFilter(QObject* watched, QEvent* event)
{
    auto* control = qobject_cast<QWidget*>(watched);
    if (!control) {
        return false;
    }
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && !m_source) {
            start(*control, mouse->globalPosition().toPoint());
        }
        break;
    }
    case QEvent::MouseMove:
        if (control == m_source) {
            follow(static_cast<QMouseEvent*>(event)->globalPosition().toPoint());
        }
        break;
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (control == m_source && mouse->button() == Qt::LeftButton) {
            drop(mouse->globalPosition().toPoint());
        }
        break;
    }
    default:
        break;
    }
    // The control still gets its own mouse events, as the handlers of the
    // list labels need the press.
    return false;
}

void ControlDrag::start(QWidget& source, QPoint globalPosition)
{
    m_source = &source;
    m_over = nullptr;
    // The runtime showed the dragged control's outline; a closed hand says
    // the same here.
    QApplication::setOverrideCursor(Qt::ClosedHandCursor);
    m_cursorShown = true;
    follow(globalPosition);
}

void ControlDrag::follow(QPoint globalPosition)
{
    QWidget* target = controlAt(globalPosition);
    // A handler may cancel the drag or take a control away: each step
    // checks that the drag and its controls are still there.
    if (target != m_over) {
        QPointer<QWidget> left = m_over;
        m_over = target;
        if (left && m_source) {
            emit DragOver(left, m_source, left->mapFromGlobal(globalPosition), vbLeave);
        }
        if (target && m_source) {
            emit DragOver(target, m_source, target->mapFromGlobal(globalPosition), vbEnter);
        }
    } else if (target && m_source) {
        emit DragOver(target, m_source, target->mapFromGlobal(globalPosition), vbOver);
    }
}

void ControlDrag::drop(QPoint globalPosition)
{
    QPointer<QWidget> source = m_source;
    QPointer<QWidget> target = controlAt(globalPosition);
    end();
    if (source && target) {
        emit DragDrop(target, source, target->mapFromGlobal(globalPosition));
    }
}

void ControlDrag::end()
{
    m_source = nullptr;
    m_over = nullptr;
    if (m_cursorShown) {
        m_cursorShown = false;
        QApplication::restoreOverrideCursor();
    }
}

QWidget* ControlDrag::controlAt(QPoint globalPosition) const
{
    if (!m_source) {
        return nullptr;
    }
    QWidget* window = m_source->window();
    const QPoint inWindow = window->mapFromGlobal(globalPosition);
    if (QWidget* child = window->childAt(inWindow)) {
        return child;
    }
    if (window->rect().contains(inWindow)) {
        return window;
    }
    return QApplication::widgetAt(globalPosition);
}

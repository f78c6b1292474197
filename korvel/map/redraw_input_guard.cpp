#include "korvel/map/redraw_input_guard.h"

#include "korvel/workspace/redraw_state.h"

#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>

namespace {

// How often the redraw looks at the event loop.
constexpr qint64 kPollIntervalMs = 40;

bool isUserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TabletPress:
    case QEvent::TabletMove:
    case QEvent::TabletRelease:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::InputMethod:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

} // namespace

RedrawInputGuard::RedrawInputGuard()
{
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->installEventFilter(this);
    }
    m_sinceLastPoll.start();
    redrawState().pollInput = [this] { poll(); };
}

RedrawInputGuard::~RedrawInputGuard()
{
    redrawState().pollInput = nullptr;
}

bool RedrawInputGuard::eventFilter(QObject* watched, QEvent* event)
{
    // Shortcuts arrive as events Qt makes itself, not from the window
    // system, so every input event counts, whoever sent it.
    if (m_paused || !isUserInput(event->type())) {
        return QObject::eventFilter(watched, event);
    }
    if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
        redrawState().CancelDrawing = true;
    }
    if (event->type() == QEvent::Close) {
        event->ignore();
    }
    return true;
}

void RedrawInputGuard::poll()
{
    if (m_paused || m_sinceLastPoll.elapsed() < kPollIntervalMs) {
        return;
    }
    QCoreApplication::processEvents(
        QEventLoop::AllEvents | QEventLoop::X11ExcludeTimers | QEventLoop::ExcludeSocketNotifiers);
    m_sinceLastPoll.restart();
}

RedrawInputGuard::Pause::Pause(RedrawInputGuard& guard)
    : m_guard(guard)
{
    m_guard.m_paused = true;
}

RedrawInputGuard::Pause::~Pause()
{
    m_guard.m_paused = false;
}

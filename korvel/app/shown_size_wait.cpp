#include "korvel/app/shown_size_wait.h"

#include <QEventLoop>
#include <QPointer>
#include <QScreen>
#include <QTimer>

namespace {

// The window manager's answer reaches the window in parts (its frame, its
// size, its state), not all as events of the window; a short beat looks at
// the window again until it is whole.
constexpr std::chrono::milliseconds kBeat(10);

} // namespace

bool hasShownSize(const QWidget& window)
{
    const Qt::WindowStates state = window.windowState();
    const QScreen* screen = window.screen();
    if (!window.isVisible() || (state & Qt::WindowMinimized) || !screen
        || !(state & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        return true;
    }
    const QSize area = state & Qt::WindowFullScreen ? screen->geometry().size() : screen->availableGeometry().size();
    const QSize frame = window.frameGeometry().size();
    return frame.width() >= area.width() && frame.height() >= area.height();
}

bool waitForShownSize(QWidget& window, std::chrono::milliseconds bound)
{
    if (hasShownSize(window)) {
        return true;
    }
    // The window may go while the loop runs (a shutdown request ends the program).
    const QPointer<QWidget> watched(&window);
    QEventLoop loop;
    QTimer beat;
    QObject::connect(&beat, &QTimer::timeout, &loop, [&] {
        if (!watched || hasShownSize(*watched)) {
            loop.quit();
        }
    });
    QTimer::singleShot(bound, &loop, &QEventLoop::quit);
    beat.start(kBeat);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return watched && hasShownSize(*watched);
}

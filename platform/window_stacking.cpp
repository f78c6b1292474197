#include "platform/window_stacking.h"

#include <QEvent>
#include <QHash>
#include <QObject>
#include <QScopedValueRollback>
#include <QWidget>
#include <QWindow>

namespace {

// Watches the windows asked about: a destroyed window is forgotten, and one
// that is raised or activated is no longer at the back.
class StackingWatcher final : public QObject
{
public:
    StackingState& state(QWidget& window)
    {
        if (!m_states.contains(&window)) {
            window.installEventFilter(this);
            QObject::connect(
                &window, &QObject::destroyed, this, [this, &window] { m_states.remove(&window); });
        }
        return m_states[&window];
    }

    StackingState find(const QWidget& window) const { return m_states.value(&window); }

    void reset()
    {
        for (auto it = m_states.cbegin(); it != m_states.cend(); ++it) {
            auto* window = const_cast<QWidget*>(it.key());
            window->removeEventFilter(this);
            QObject::disconnect(window, nullptr, this, nullptr);
        }
        m_states.clear();
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::WindowActivate) {
            auto found = m_states.find(static_cast<QWidget*>(watched));
            if (found != m_states.end()) {
                found->atBack = false;
            }
        }
        return false;
    }

private:
    QHash<const QWidget*, StackingState> m_states;
};

StackingWatcher& watcher()
{
    static StackingWatcher instance;
    return instance;
}

void setStaysOnTop(QWidget& window, bool on)
{
    // QWindow's flag changes the hint of a mapped window in place; the
    // widget's own setWindowFlag would hide and re-create it.
    if (QWindow* handle = window.windowHandle()) {
        handle->setFlag(Qt::WindowStaysOnTopHint, on);
    } else {
        window.setWindowFlag(Qt::WindowStaysOnTopHint, on);
    }
}

// Set while a request shows the window it is about: that request, not the
// window's keeping topmost from its showing, says where the window goes.
bool g_showingForRequest = false;

class TopmostWhenShown final : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && !g_showingForRequest) {
            setTopmost(*static_cast<QWidget*>(watched), true);
        }
        return false;
    }
};

void showWithoutActivating(QWidget& window)
{
    if (!window.isVisible()) {
        window.setAttribute(Qt::WA_ShowWithoutActivating);
        const QScopedValueRollback<bool> request(g_showingForRequest, true);
        window.show();
    }
}

} // namespace

void setTopmost(QWidget& window, bool on)
{
    StackingState& state = watcher().state(window);
    state.topmost = on;
    state.behind = nullptr;
    state.atBack = false;
    setStaysOnTop(window, on);
    showWithoutActivating(window);
    if (on) {
        window.raise();
    }
}

void setTopmostWhenShown(QWidget& window)
{
    window.installEventFilter(new TopmostWhenShown(&window));
}

void placeBehind(QWidget& window, QWidget& other)
{
    StackingState& state = watcher().state(window);
    state.topmost = false;
    state.behind = &other;
    state.atBack = false;
    setStaysOnTop(window, false);
    showWithoutActivating(window);
    if (window.parentWidget() == other.parentWidget() && !window.isWindow()) {
        window.stackUnder(&other);
    } else {
        // Between top-level windows Qt offers only raise and lower, and
        // raising the other window would bring it over the program the user
        // just turned to: this one goes down alone. A desktop that keeps an
        // owned window above its owner leaves it directly above the owner,
        // under every other program's windows.
        window.lower();
    }
}

void sendToBack(QWidget& window)
{
    StackingState& state = watcher().state(window);
    state.topmost = false;
    state.behind = nullptr;
    state.atBack = true;
    window.lower();
}

StackingState stackingState(const QWidget& window)
{
    return watcher().find(window);
}

void resetWindowStacking()
{
    watcher().reset();
}

#include "platform/program_window.h"

#include "platform/screen_metrics.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace {

QPointer<QWidget> g_mainWindow;

constexpr QMargins kClassicFrame(3, 22, 3, 3);

// The frame a shown window has, or nothing while the desktop has given it none.
QMargins shownFrame(const QWidget& window)
{
    if (!window.isVisible()) {
        return {};
    }
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return { client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
        frame.bottom() - client.bottom() };
}

// Names the owner as the window is shown, before the desktop maps it: made
// any earlier, the window's own handle would place it by its client area
// rather than by its frame.
class OwnerOnShow final : public QObject
{
public:
    OwnerOnShow(QWidget& window, QWidget& owner)
        : QObject(&window)
        , m_owner(&owner)
    {
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* window = static_cast<QWidget*>(watched);
        if (event->type() == QEvent::Show && m_owner && window->windowHandle()) {
            window->windowHandle()->setTransientParent(m_owner->window()->windowHandle());
        }
        return false;
    }

private:
    QPointer<QWidget> m_owner;
};

} // namespace

void setProgramMainWindow(QWidget* window)
{
    g_mainWindow = window;
}

QWidget* dialogOwner()
{
    if (QWidget* active = QApplication::activeWindow()) {
        return active;
    }
    QWidget* main = g_mainWindow.data();
    return main && main->isVisible() && main->isEnabled() ? main : nullptr;
}

QMargins windowFrame(const QWidget& window)
{
    QMargins frame = shownFrame(window);
    if (frame.isNull() && g_mainWindow && g_mainWindow != &window) {
        frame = shownFrame(*g_mainWindow);
    }
    return frame.isNull() ? kClassicFrame : frame;
}

void keepWithinAvailableArea(QWidget& window)
{
    const QRect area = availableArea();
    // Until it is shown, a window's place is where its frame will stand.
    const QRect outer = window.isVisible() ? window.frameGeometry()
                                           : QRect(window.pos(), window.size().grownBy(windowFrame(window)));
    const int left = std::max(area.left(), std::min(outer.left(), area.right() + 1 - outer.width()));
    const int top = std::max(area.top(), std::min(outer.top(), area.bottom() + 1 - outer.height()));
    window.move(window.pos() + QPoint(left, top) - outer.topLeft());
}

void setWindowOwner(QWidget& window, QWidget& owner)
{
    window.installEventFilter(new OwnerOnShow(window, owner));
}

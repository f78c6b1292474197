#include "platform/deferred_msg_box.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>

#include <optional>
#include <utility>

namespace {

struct WaitingBox
{
    QString prompt;
    int buttons = vbOKOnly;
    QString title;
};

struct DeferredBoxes
{
    std::optional<WaitingBox> waiting;
    bool open = false;
    QPointer<QTimer> timer; // made on first use, a child of the application
};

DeferredBoxes g_boxes;

void openWaitingBox()
{
    if (!g_boxes.waiting || g_boxes.open) {
        return;
    }
    const WaitingBox box = *std::exchange(g_boxes.waiting, std::nullopt);
    g_boxes.open = true;
    const struct Closed
    {
        ~Closed() { g_boxes.open = false; }
    } closed;
    MsgBox(box.prompt, box.buttons, box.title);
}

QTimer* waitTimer()
{
    if (!g_boxes.timer) {
        QCoreApplication* application = QCoreApplication::instance();
        if (!application) {
            return nullptr;
        }
        // A timer, not a posted event: the drawing code's look at the event
        // loop delivers posted events but keeps timers waiting.
        g_boxes.timer = new QTimer(application);
        g_boxes.timer->setSingleShot(true);
        g_boxes.timer->setInterval(0);
        QObject::connect(g_boxes.timer, &QTimer::timeout, [] { openWaitingBox(); });
    }
    return g_boxes.timer;
}

} // namespace

void showMsgBoxAfterEvent(const QString& prompt, int buttons, const QString& title)
{
    if (g_boxes.open) {
        return;
    }
    g_boxes.waiting = WaitingBox { prompt, buttons, title };
    if (QTimer* timer = waitTimer()) {
        timer->start();
    } else {
        openWaitingBox(); // no event loop to wait for
    }
}

QString waitingMsgBoxPrompt()
{
    return g_boxes.waiting ? g_boxes.waiting->prompt : QString();
}

void resetDeferredMsgBox()
{
    g_boxes.waiting.reset();
    g_boxes.open = false;
    if (g_boxes.timer) {
        g_boxes.timer->stop();
    }
}

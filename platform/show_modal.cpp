#include "platform/show_modal.h"

#include <QDialog>
#include <QEvent>
#include <QEventLoop>
#include <QPointer>
#include <QWidget>

namespace {

// Ends the local event loop when the form is hidden, closed or destroyed.
class HideWatcher final : public QObject
{
public:
    HideWatcher(QWidget& form, QEventLoop& loop)
        : m_loop(loop)
    {
        form.installEventFilter(this);
        connect(&form, &QObject::destroyed, &m_loop, &QEventLoop::quit);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Hide) {
            m_loop.quit();
        }
        return false;
    }

private:
    QEventLoop& m_loop;
};

int runModal(QWidget& form)
{
    if (form.isVisible()) {
        form.hide();
    }
    if (auto* dialog = qobject_cast<QDialog*>(&form)) {
        return dialog->exec();
    }
    QPointer<QWidget> alive(&form);
    const Qt::WindowModality before = form.windowModality();
    form.setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    HideWatcher watcher(form, loop);
    form.show();
    // A form that closed itself while being shown would never end the loop.
    if (alive && form.isVisible()) {
        loop.exec(QEventLoop::DialogExec);
    }
    if (alive) {
        form.removeEventFilter(&watcher);
        form.setWindowModality(before);
    }
    return 0;
}

class EventLoopModal final : public ModalBackend
{
public:
    int showModal(QWidget& form) override { return runModal(form); }
};

EventLoopModal g_eventLoopModal;
ModalBackend* g_backend = nullptr;

} // namespace

int ShowModal(QWidget& form)
{
    return (g_backend ? *g_backend : static_cast<ModalBackend&>(g_eventLoopModal)).showModal(form);
}

void setModalBackend(ModalBackend* backend)
{
    g_backend = backend;
}

#include "platform/key_preview.h"

#include "platform/vb_input_codes.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

KeyPreview::KeyPreview(QWidget& form)
    : QObject(&form)
    , m_form(&form)
{
    // An application filter sees the key before the focused control's own
    // handlers and before any filter on the control itself.
    QCoreApplication::instance()->installEventFilter(this);
}

KeyPreview::~KeyPreview()
{
    if (QCoreApplication* application = QCoreApplication::instance()) {
        application->removeEventFilter(this);
    }
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::KeyPress;
    if ((!press && event->type() != QEvent::KeyRelease) || !m_form || !watched->isWidgetType()) {
        return false;
    }
    // Qt hands an unaccepted key on to the parents, and the filter would see
    // it at each; only the first receiver counts.
    QWidget* focus = m_form->focusWidget();
    QWidget* firstReceiver = focus && focus->window() == m_form ? focus : m_form.data();
    if (watched != firstReceiver) {
        return false;
    }
    const auto* key = static_cast<QKeyEvent*>(event);
    const int keyCode = vbKeyCode(*key);
    if (keyCode == 0) {
        return false;
    }
    if (press) {
        emit KeyDown(keyCode, vbShift(*key));
    } else if (!key->isAutoRepeat()) {
        emit KeyUp(keyCode, vbShift(*key));
    }
    return false;
}

#include "platform/key_preview.h"

#include "platform/vb_input_codes.h"

#include <QKeyEvent>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace {

// A key press or release on its way and the previews that have heard it.
struct KeyOnItsWay
{
    const QEvent* event = nullptr;
    std::vector<const QObject*> heardBy;
};

// The keys being delivered, outermost first. A handler may deliver
// keys of its own (a message box typed into), so deliveries nest; one event
// is only ever on its way once.
std::vector<KeyOnItsWay>& keysOnTheirWay()
{
    static std::vector<KeyOnItsWay> deliveries;
    return deliveries;
}

KeyOnItsWay* onItsWay(const QEvent* event)
{
    auto& deliveries = keysOnTheirWay();
    const auto found = std::find_if(deliveries.rbegin(), deliveries.rend(),
        [event](const KeyOnItsWay& delivery) { return delivery.event == event; });
    return found == deliveries.rend() ? nullptr : &*found;
}

// Notes one delivery for as long as it runs, whatever ends it.
class KeyDelivery
{
public:
    explicit KeyDelivery(const QEvent* event) { keysOnTheirWay().push_back({ event, {} }); }
    ~KeyDelivery() { keysOnTheirWay().pop_back(); }
    KeyDelivery(const KeyDelivery&) = delete;
    KeyDelivery& operator=(const KeyDelivery&) = delete;
};

} // namespace

KeyPreviewApplication::KeyPreviewApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool KeyPreviewApplication::notify(QObject* receiver, QEvent* event)
{
    // Qt passes an unaccepted key on to the parents inside this one call,
    // and a widget may hand the same event to another one: one delivery.
    const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
    if (key && !onItsWay(event)) {
        const KeyDelivery delivery(event);
        return QApplication::notify(receiver, event);
    }
    return QApplication::notify(receiver, event);
}

std::optional<bool> KeyPreviewApplication::hearKey(const QEvent* event, const QObject* listener)
{
    KeyOnItsWay* delivery = onItsWay(event);
    if (!delivery) {
        return std::nullopt;
    }
    std::vector<const QObject*>& heard = delivery->heardBy;
    if (std::find(heard.begin(), heard.end(), listener) != heard.end()) {
        return false;
    }
    heard.push_back(listener);
    return true;
}

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

bool KeyPreview::isFocusedReceiver(const QObject* watched) const
{
    QWidget* focus = m_form->focusWidget();
    return watched == (focus && focus->window() == m_form ? focus : m_form.data());
}

bool KeyPreview::eventFilter(QObject* watched, QEvent* event)
{
    const bool press = event->type() == QEvent::KeyPress;
    if ((!press && event->type() != QEvent::KeyRelease) || !m_form || !watched->isWidgetType()
        || static_cast<QWidget*>(watched)->window() != m_form) {
        return false;
    }
    const std::optional<bool> firstHearing = KeyPreviewApplication::hearKey(event, this);
    if (!(firstHearing ? *firstHearing : isFocusedReceiver(watched))) {
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

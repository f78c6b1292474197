#include "platform/spin_scroll_bar.h"

#include "platform/blocked_press.h"

#include <QWheelEvent>

#include <algorithm>

SpinScrollBar::SpinScrollBar(QWidget* parent)
    : QScrollBar(Qt::Vertical, parent)
{
    setInvertedAppearance(true);
    // Every arrow, track click (held ones too) and key comes through here
    // after QAbstractSlider has moved the slider position its own way, and
    // before the value follows the position.
    connect(this, &QAbstractSlider::actionTriggered, this, &SpinScrollBar::moveTowardPointedEnd);
    letGoWhenBlocked(*this);
}

void SpinScrollBar::moveTowardPointedEnd(int action)
{
    // The step is taken again from the value, the other way; the range
    // bounds the position as for any step.
    const auto stepFromValue = [this](int step) {
        setSliderPosition(int(std::clamp<qint64>(qint64(value()) + step, minimum(), maximum())));
    };
    switch (action) {
    case SliderSingleStepSub: // the upper arrow, Up
        stepFromValue(singleStep());
        break;
    case SliderSingleStepAdd: // the lower arrow, Down
        stepFromValue(-singleStep());
        break;
    case SliderPageStepSub: // the track above the thumb, Page Up
        stepFromValue(pageStep());
        break;
    case SliderPageStepAdd: // the track below the thumb, Page Down
        stepFromValue(-pageStep());
        break;
    case SliderToMinimum: // Home: the top end
        setSliderPosition(maximum());
        break;
    case SliderToMaximum: // End: the bottom end
        setSliderPosition(minimum());
        break;
    default: // a drag of the thumb follows the drawing already
        break;
    }
}

void SpinScrollBar::wheelEvent(QWheelEvent* event)
{
    // A turn away from the user lowers a scroll bar's value, which on this
    // bar would move the thumb toward the user: the turn is mirrored.
    QWheelEvent mirrored(event->position(), event->globalPosition(), -event->pixelDelta(),
        -event->angleDelta(), event->buttons(), event->modifiers(), event->phase(), event->inverted(),
        event->source(), event->pointingDevice());
    QScrollBar::wheelEvent(&mirrored);
    event->setAccepted(mirrored.isAccepted());
}

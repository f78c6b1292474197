#pragma once
// The runtime's vertical scroll bar used as a spin beside a text box: its top
// end is the larger value. The upper arrow, a click in the track above the
// thumb, the Up, Page Up and Home keys and a turn of the wheel away from the
// user move the value toward the top end (raise it); the lower arrow, the
// track below the thumb, Down, Page Down, End and a turn toward the user
// move it toward the bottom end. A step changes the value once.
//
// Qt's scroll bar turned upside down (invertedAppearance) draws the larger
// value at the top and drags the thumb the right way, but its arrows, track
// clicks, keys and wheel still mean "toward the minimum" at the top and so
// step away from the end they point at; this bar turns them round.
//
// A press held on an arrow or the track lets go when a modal window blocks
// the bar's window (blocked_press.h), so a box never leaves it stepping.
#include <QScrollBar>

class SpinScrollBar final : public QScrollBar
{
    Q_OBJECT
public:
    explicit SpinScrollBar(QWidget* parent = nullptr);

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    void moveTowardPointedEnd(int action);
};

#pragma once
// The keyboard and mouse while the map is being redrawn. A redraw runs to
// its end on the user-interface thread, as every command does; but a large
// map takes a while, and the user must be able to stop it with Escape and
// should see the picture grow. While a guard exists, the drawing code's
// pollDrawingInput() lets the event loop run every few dozen milliseconds,
// for repaints and for Escape only: Escape sets CancelDrawing, and every
// other key, click, wheel turn, drop and close request of the user is
// dropped, so no other command can start in the middle of the redraw.
// Timers and socket notifiers wait until the redraw is over.
#include <QElapsedTimer>
#include <QObject>

class RedrawInputGuard final : public QObject
{
public:
    RedrawInputGuard();
    ~RedrawInputGuard() override;

    bool eventFilter(QObject* watched, QEvent* event) override;

    // Lets the event loop run when enough time has passed since the last time.
    void poll();

    // Stands the guard down for a message box shown during the redraw, so
    // the user can answer it.
    class Pause
    {
    public:
        explicit Pause(RedrawInputGuard& guard);
        ~Pause();

    private:
        RedrawInputGuard& m_guard;
    };

private:
    QElapsedTimer m_sinceLastPoll;
    bool m_paused = false;
};

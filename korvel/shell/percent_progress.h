#pragma once
// A long loop's progress shown at most once per percent, and no more often
// than every 40 ms. The main window's progress bar repaints at once for every
// new value it is given; over a layer of millions of vertices that would cost
// more than the work itself, and no eye follows a bar faster than that.
#include <QElapsedTimer>
#include <QtGlobal>

class PercentProgress
{
public:
    static constexpr qint64 DefaultIntervalMs = 40;

    // For a loop over items 1..maximum, after statusProgress().showProgress(maximum).
    // Tests pass an interval of 0 to see every percent.
    explicit PercentProgress(int maximum, qint64 intervalMs = DefaultIntervalMs);

    // Item `value` is done: the bar shows it when it reaches the next
    // percent and the interval has passed since the bar last moved, and
    // always at the last item.
    void advanceTo(int value)
    {
        // Inline: a loop calls it for every item, and it rarely does anything.
        if (value >= m_next) {
            reached(value);
        }
    }

private:
    void reached(int value);

    qint64 m_maximum = 0;
    qint64 m_step = 1;
    qint64 m_next = 1; // the next value worth a look
    qint64 m_intervalMs = DefaultIntervalMs;
    QElapsedTimer m_sinceShown;
};

#pragma once
// A long loop's progress shown at most once per percent. The main window's
// progress bar repaints for every new value it is given; over a layer of
// millions of vertices that would cost more than the work itself, and no
// eye sees steps finer than the bar's own pixels anyway.
#include <QtGlobal>

class PercentProgress
{
public:
    // For a loop over items 1..maximum, after statusProgress().showProgress(maximum).
    explicit PercentProgress(int maximum);

    // Item `value` is done: the bar shows it when it reaches the next
    // percent, and always the last item.
    void advanceTo(int value);

private:
    qint64 m_maximum = 0;
    qint64 m_step = 1;
    qint64 m_next = 1; // the next value that is shown
};

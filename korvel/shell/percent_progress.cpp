#include "korvel/shell/percent_progress.h"

#include "korvel/shell/status_progress.h"

#include <algorithm>

PercentProgress::PercentProgress(int maximum, qint64 intervalMs)
    : m_maximum(std::max(0, maximum))
    , m_step(std::max<qint64>(1, (m_maximum + 99) / 100))
    , m_next(std::min(m_step, std::max<qint64>(1, m_maximum)))
    , m_intervalMs(intervalMs)
{
    m_sinceShown.start(); // the bar was shown at 0 just now
}

void PercentProgress::reached(int value)
{
    // The clock is read at most once per percent, never per item.
    if (value >= m_maximum || m_sinceShown.elapsed() >= m_intervalMs) {
        statusProgress().setProgress(value);
        m_sinceShown.restart();
    }
    m_next = std::min<qint64>(qint64(value) + m_step, std::max<qint64>(m_maximum, value + 1));
}

#include "korvel/shell/percent_progress.h"

#include "korvel/shell/status_progress.h"

#include <algorithm>

PercentProgress::PercentProgress(int maximum)
    : m_maximum(std::max(0, maximum))
    , m_step(std::max<qint64>(1, (m_maximum + 99) / 100))
    , m_next(std::min(m_step, std::max<qint64>(1, m_maximum)))
{
}

void PercentProgress::advanceTo(int value)
{
    if (value < m_next) {
        return;
    }
    statusProgress().setProgress(value);
    m_next = std::min<qint64>(qint64(value) + m_step, std::max<qint64>(m_maximum, value + 1));
}

#include "korvel/agnav/column_line.h"

bool ColumnLine::at(int column, const QString& text)
{
    if (text.isEmpty()) {
        return true;
    }
    // The line holds columns 1..size(); column size() + 1 must stay blank.
    const qsizetype first = m_text.isEmpty() ? 1 : m_text.size() + 2;
    if (column < first) {
        return false;
    }
    m_text += QString(column - 1 - m_text.size(), u' ');
    m_text += text;
    return true;
}

bool ColumnLine::endingBefore(int column, const QString& text)
{
    return at(column - static_cast<int>(text.size()), text);
}

#include "korvel/agnav/column_line.h"

#include <algorithm>

namespace {

// Where the character after the one at index i begins: a surrogate pair is
// one character.
qsizetype nextCharacter(const QString& text, qsizetype i)
{
    const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    return i + (pair ? 2 : 1);
}

int characters(const QString& text)
{
    int count = 0;
    for (qsizetype i = 0; i < text.size(); i = nextCharacter(text, i)) {
        ++count;
    }
    return count;
}

} // namespace

ColumnLine::ColumnLine(const QString& record)
    : m_record(record)
    , m_text(record)
    , m_columns(characters(record))
    , m_fieldEnd(m_columns + 1)
{
}

void ColumnLine::endingIn(int last, const QString& text, const char* what, Overlong overlong)
{
    const int first = m_fieldEnd + 1;
    const int start = last - characters(text) + 1;
    const bool touchesWithoutSign = start == m_columns + 1 && !text.startsWith(u'-');
    place(first, last, start >= first && !touchesWithoutSign ? start : 0, text, what, overlong);
}

void ColumnLine::within(int first, int last, const QString& text, const char* what, Overlong overlong)
{
    place(first, last, characters(text) <= last - first + 1 ? first : 0, text, what, overlong);
}

void ColumnLine::from(int first, const QString& text)
{
    place(first, 0, first, text, nullptr, Overlong::RunsOn);
}

void ColumnLine::append(const QString& text)
{
    m_text += text;
    m_columns += characters(text);
}

void ColumnLine::place(
    int first, int last, int start, const QString& text, const char* what, Overlong overlong)
{
    if (text.isEmpty()) {
        m_fieldEnd = std::max(m_fieldEnd, last);
        return;
    }
    if (start == 0 && overlong == Overlong::Refused) {
        if (m_problem.isEmpty()) {
            m_problem = QStringLiteral(
                "The %1 \"%2\" is too long for its columns in record %3 of the boundary file.")
                            .arg(QLatin1String(what), text, m_record);
        }
        m_fieldEnd = std::max(m_fieldEnd, last);
        return;
    }
    // After a value that ran on, each value keeps a blank from the one
    // before it, wherever its own columns are.
    const int clear = m_columns + (m_ranOn ? 2 : 1);
    if (start == 0 || start < clear) {
        start = std::max(first, m_columns + 2);
        m_ranOn = true;
    }
    m_text += QString(start - 1 - m_columns, u' ');
    m_columns = start - 1;
    append(text);
    m_fieldEnd = std::max(last, m_columns);
}

QString ColumnLine::fromColumn(const QString& line, int column)
{
    qsizetype i = 0;
    for (int c = 1; c < column && i < line.size(); ++c) {
        i = nextCharacter(line, i);
    }
    return line.mid(i);
}

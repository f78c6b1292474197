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

void ColumnLine::endingIn(int last, const QString& text, const char* what)
{
    const int start = last - characters(text) + 1;
    if (!text.isEmpty() && start <= m_fieldEnd) {
        refuse(text, what, last);
        return;
    }
    place(start, last, text, what, false);
}

void ColumnLine::within(int first, int last, const QString& text, const char* what)
{
    const int length = characters(text);
    if (length > last - first + 1) {
        refuse(text, what, last);
        return;
    }
    place(first, last, text, what, first + length - 1 == last);
}

void ColumnLine::from(int first, const QString& text)
{
    place(first, 0, text, nullptr, false);
}

void ColumnLine::append(const QString& text)
{
    m_text += text;
    m_columns += characters(text);
}

void ColumnLine::place(int start, int last, const QString& text, const char* what, bool fillsToLast)
{
    if (text.isEmpty()) {
        m_fieldEnd = std::max(m_fieldEnd, last);
        return;
    }
    // Two values with no blank between them read as one to a reader that
    // splits at blanks, unless the second begins with its minus sign.
    const bool touches = start <= m_columns || (start == m_columns + 1 && !text.startsWith(u'-'));
    if (touches) {
        if ((m_lastWhat && m_lastFillsToLast) || !what) {
            refuse(m_lastText, m_lastWhat, last);
        } else {
            refuse(text, what, last);
        }
        return;
    }
    m_text += QString(start - 1 - m_columns, u' ');
    m_columns = start - 1;
    append(text);
    m_fieldEnd = std::max(last, m_columns);
    m_lastText = text;
    m_lastWhat = what;
    m_lastFillsToLast = fillsToLast;
}

void ColumnLine::refuse(const QString& text, const char* what, int last)
{
    if (m_problem.isEmpty()) {
        m_problem
            = QStringLiteral("The %1 \"%2\" is too long for its columns in record %3 of the boundary file.")
                  .arg(QLatin1String(what), text, m_record);
    }
    m_fieldEnd = std::max(m_fieldEnd, last);
}

QString ColumnLine::fromColumn(const QString& line, int column)
{
    qsizetype i = 0;
    for (int c = 1; c < column && i < line.size(); ++c) {
        i = nextCharacter(line, i);
    }
    return line.mid(i);
}

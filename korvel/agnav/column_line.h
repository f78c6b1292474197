#pragma once
// One line of a fixed-column record file (the AG-NAV boundary file): values
// placed at a column or ending before one, columns counted from 1. A value
// that would touch or overlap what the line already holds is not placed: the
// guidance system splits these lines at blanks, so two touching values would
// read back as one.
#include <QString>

class ColumnLine
{
public:
    // The line starts with its record number (or any text) in column 1.
    explicit ColumnLine(const QString& start)
        : m_text(start)
    {
    }

    // Places text starting at column, blanks before it. Returns false and
    // changes nothing when column does not lie at least one blank after the
    // end of the line. An empty text places nothing.
    bool at(int column, const QString& text);
    // Places text so that its last character stands in column - 1; the same
    // refusal as at().
    bool endingBefore(int column, const QString& text);
    // Adds text right behind what the line holds.
    void append(const QString& text) { m_text += text; }

    const QString& text() const { return m_text; }

private:
    QString m_text;
};

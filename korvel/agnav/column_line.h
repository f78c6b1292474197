#pragma once
// One record of a fixed-column record file (the AG-NAV boundary file): the
// record number in column 1, then values in fields of fixed columns, then a
// comment naming the record. Columns are counted from 1 in characters.
//
// A field is either right-aligned, its value ending in the field's last
// column, the field beginning right after the one before it; or
// left-aligned, its value starting in the field's first column. Every value
// stands inside its own field, so a reader by columns finds it there, and at
// least one blank stands between two values, so a reader that splits the
// line at blanks finds it too. The one exception is a minus sign: a value
// may touch the one before it with its own minus, where a reader that splits
// before a minus tells the two numbers apart. The record number keeps a
// blank after it, so the first field begins after that blank, and the
// comment keeps one before it.
//
// A value longer than its field is refused, and so is a value that would
// touch its neighbour without a minus: the one that grew into the contact
// (a right-aligned value that fills its field from its first column, a
// left-aligned one that fills it to its last). The line keeps the place
// empty and problem() names the first value refused. An empty value leaves
// its field blank and touches nothing.
#include <QString>

class ColumnLine
{
public:
    explicit ColumnLine(const QString& record);

    // A value right-aligned in the field that ends in column `last`. An
    // empty value leaves the field blank. `what` names the value in
    // problem().
    void endingIn(int last, const QString& text, const char* what);
    // A value left-aligned in the field of columns first..last.
    void within(int first, int last, const QString& text, const char* what);
    // A text from column `first` to the end of the line: a comment, a name.
    // A value that fills its field up to it is refused as touching it.
    void from(int first, const QString& text);
    // Adds text right behind what the line holds.
    void append(const QString& text);

    const QString& text() const { return m_text; }
    // "The <what> "<value>" is too long for its columns in record <record>
    // of the boundary file." for the first value refused; empty when every
    // value fit.
    const QString& problem() const { return m_problem; }

    // The characters of a line from column `column` on; empty when the line
    // is shorter. A character beyond Unicode's basic plane stays whole.
    static QString fromColumn(const QString& line, int column);

private:
    // Places text from column `start` in the field that ends in `last`,
    // unless it touches the value before it; `fillsToLast` says a
    // left-aligned value reaches its field's last column.
    void place(int start, int last, const QString& text, const char* what, bool fillsToLast);
    void refuse(const QString& text, const char* what, int last);

    QString m_record;
    QString m_text;
    QString m_problem;
    int m_columns = 0; // characters the line holds
    int m_fieldEnd = 0; // last column of the last field placed
    // The last value placed, named when the next one touches it because it
    // filled its field up to that one.
    QString m_lastText;
    const char* m_lastWhat = nullptr;
    bool m_lastFillsToLast = false;
};

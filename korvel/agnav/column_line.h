#pragma once
// One record of a fixed-column record file (the AG-NAV boundary file): the
// record number in column 1, then values in fields of fixed columns, then a
// comment naming the record. Columns are counted from 1 in characters.
//
// A field is either right-aligned, its value ending in the field's last
// column, the field beginning right after the one before it; or
// left-aligned, its value starting in the field's first column. A value as
// long as its field fills it and touches its neighbour: the guidance system
// reads these records by their columns. A right-aligned value touches the
// one before it only with its minus sign, where a reader that splits the
// line tells the two numbers apart. The record number keeps a blank after
// it, so the first field begins after that blank.
//
// A value longer than its field is refused: the line keeps the place empty
// and problem() names the first such value. A value typed by the user that
// the job dialog admits longer than its field runs on instead
// (Overlong::RunsOn): it is written whole, and every value after it keeps one
// blank from the one before, so the line still reads value by value.
#include <QString>

enum class Overlong { Refused, RunsOn };

class ColumnLine
{
public:
    explicit ColumnLine(const QString& record);

    // A value right-aligned in the field that ends in column `last`. An
    // empty value leaves the field blank. `what` names the value in
    // problem().
    void endingIn(int last, const QString& text, const char* what, Overlong overlong = Overlong::Refused);
    // A value left-aligned in the field of columns first..last.
    void within(
        int first, int last, const QString& text, const char* what, Overlong overlong = Overlong::Refused);
    // A value from column `first` to the end of the line: a comment, a name.
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
    // Places text at column `start`, or after a blank where the line already
    // reaches it; start 0 says the value does not fit its field.
    void place(int first, int last, int start, const QString& text, const char* what, Overlong overlong);

    QString m_record;
    QString m_text;
    QString m_problem;
    int m_columns = 0; // characters the line holds
    int m_fieldEnd = 0; // last column of the last field placed
    bool m_ranOn = false; // a value ran on past its field
};

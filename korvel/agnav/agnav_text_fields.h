#pragma once
// The items of one line of the AG-NAV text files (boundary, guidance-line and
// exclusion-zone files): runs of characters between blanks, tabs and, where
// the format allows them, commas. Empty items never appear.
#include <QString>
#include <QStringList>

enum class CommaSeparates { No, Yes };

inline QStringList agnavLineItems(const QString& line, CommaSeparates commas)
{
    const auto separates = [commas](QChar c) {
        return c == u' ' || c == u'\t' || (commas == CommaSeparates::Yes && c == u',');
    };
    QStringList items;
    qsizetype i = 0;
    while (i < line.size()) {
        while (i < line.size() && separates(line[i])) {
            ++i;
        }
        const qsizetype start = i;
        while (i < line.size() && !separates(line[i])) {
            ++i;
        }
        if (i > start) {
            items << line.mid(start, i - start);
        }
    }
    return items;
}

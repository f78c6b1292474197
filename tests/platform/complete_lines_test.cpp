#include "platform/complete_lines.h"

#include "tests/support/korvel_test.h"

namespace {

TEST(CompleteLines, ALastLineWithoutItsLineEndIsCutOff)
{
    const struct
    {
        QByteArray text;
        int cutLine;
        QByteArray whole;
    } rows[] = {
        { "", 0, "" },
        { "a\r\nb\r\n", 0, "a\r\nb\r\n" },
        { "a\nb\r", 0, "a\nb\r" }, // LF and a lone CR end lines too
        { "a\r\nb\r\n\x1a", 0, "a\r\nb\r\n\x1a" }, // the end mark of DOS-era tools
        { "a\r\nb", 2, "a\r\n" },
        { "a\r\rb  ", 3, "a\r\r" }, // a lone CR ends a line of its own
        { "\r\n\r\n  ", 3, "\r\n\r\n" },
        { "abc", 1, "" },
    };
    for (const auto& row : rows) {
        EXPECT_EQ(cutOffLineNumber(row.text), row.cutLine) << row.text.toStdString();
        EXPECT_EQ(wholeLines(row.text), row.whole) << row.text.toStdString();
    }
    EXPECT_EQ(cutOffLineMessage(7), "Line 7 stops without its line end: the file was cut off.");
}

} // namespace

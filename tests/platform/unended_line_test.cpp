#include "platform/unended_line.h"

#include <gtest/gtest.h>

TEST(UnendedLine, NamesTheLastLineOnlyWhenItHasNoLineEnd)
{
    const struct
    {
        const char* text;
        int line;
    } rows[] = {
        { "", 0 },
        { "a\r\nb\r\n", 0 },
        { "a\rb\r", 0 }, // lines ended by CR alone
        { "a\r\nb\r\n\x1A", 0 },
        { "a", 1 },
        { "a\r\nb", 2 },
        { "a\r\nb\r", 2 }, // the LF of the last CR LF is missing
        { "a\rb\nc\r\nd  ", 4 },
    };
    for (const auto& row : rows) {
        EXPECT_EQ(unendedLastLine(QByteArray(row.text)), row.line) << row.text;
    }
}

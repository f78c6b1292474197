#include "platform/unended_line.h"

namespace {

bool isTrailingFill(char c)
{
    return c == ' ' || c == '\t' || c == '\x1A';
}

// The line that starts after the line ends of bytes[0, end).
int lineAfter(const QByteArray& bytes, qsizetype end)
{
    int line = 1;
    for (qsizetype i = 0; i < end; ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= end || bytes[i + 1] != '\n'))) {
            ++line;
        }
    }
    return line;
}

} // namespace

int unendedLastLine(const QByteArray& bytes)
{
    qsizetype end = bytes.size();
    while (end > 0 && isTrailingFill(bytes[end - 1])) {
        --end;
    }
    if (end == 0 || bytes[end - 1] == '\n') {
        return 0;
    }
    // A lone CR ends the lines of a file written with CR line ends only; in a
    // file of LF or CR LF line ends it is the first half of a cut CR LF.
    if (bytes[end - 1] == '\r') {
        if (!bytes.left(end).contains('\n')) {
            return 0;
        }
        --end;
    }
    return lineAfter(bytes, end);
}

#include "platform/complete_lines.h"

#include "platform/text_codec.h"

namespace {

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

// The size of the text less its last line, when that has no line end.
qsizetype wholeSize(const QByteArray& bytes)
{
    qsizetype end = bytes.size();
    while (end > 0 && !isLineEnd(bytes[end - 1]))
        --end;
    return end;
}

} // namespace

int cutOffLineNumber(const QByteArray& bytes)
{
    if (bytes.isEmpty() || isLineEnd(bytes.back()) || endMarkStart(bytes) < bytes.size())
        return 0;
    // Lines end in CR LF, LF or CR: count the ends, a CR LF once.
    int ends = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
            ++ends;
    }
    return ends + 1;
}

QByteArray wholeLines(const QByteArray& bytes)
{
    if (cutOffLineNumber(bytes) == 0)
        return bytes;
    return bytes.left(wholeSize(bytes));
}

QString cutOffLineMessage(int line)
{
    return QStringLiteral("Line %1 stops without its line end: the file was cut off.").arg(line);
}

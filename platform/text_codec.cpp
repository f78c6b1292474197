#include "platform/text_codec.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace {

// Unicode code points of the bytes 0x80..0x9F in Windows-1252 (Microsoft's
// published table "cp1252"); the undefined ones stay their own control code.
constexpr char16_t kHighControls[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
};

char16_t windows1252ToUnicode(unsigned char byte)
{
    if (byte >= 0x80 && byte <= 0x9F)
        return kHighControls[byte - 0x80];
    return byte; // the rest is Latin-1
}

std::optional<unsigned char> unicodeToWindows1252(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<unsigned char>(c);
    for (int i = 0; i < 32; ++i) {
        if (kHighControls[i] == c)
            return static_cast<unsigned char>(0x80 + i);
    }
    return std::nullopt;
}

bool isAscii(const QByteArray& bytes)
{
    for (const char b : bytes) {
        if (static_cast<unsigned char>(b) >= 0x80)
            return false;
    }
    return true;
}

} // namespace

qsizetype endMarkStart(const QByteArray& bytes)
{
    constexpr char kEndOfFileMark = 0x1A;
    qsizetype start = bytes.size();
    for (qsizetype i = bytes.size(); i > 0; --i) {
        const char byte = bytes[i - 1];
        if (byte == kEndOfFileMark) {
            start = i - 1;
        } else if (byte != '\r' && byte != '\n') {
            break;
        }
    }
    return start;
}

QByteArray withoutEndMark(const QByteArray& bytes)
{
    return bytes.left(endMarkStart(bytes));
}

bool holdsBinaryBytes(const QByteArray& bytes)
{
    const qsizetype content = endMarkStart(bytes);
    for (qsizetype i = 0; i < content; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const bool textControl = byte >= '\t' && byte <= '\r';
        if (byte < 0x20 && !textControl) {
            return true;
        }
    }
    return false;
}

bool isValidUtf8(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    Q_UNUSED(text);
    return !decoder.hasError();
}

QString decodeWindows1252(const QByteArray& bytes)
{
    QString text(bytes.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i)
        text[i] = QChar(windows1252ToUnicode(static_cast<unsigned char>(bytes[i])));
    return text;
}

std::optional<QByteArray> encodeWindows1252(const QString& text)
{
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const std::optional<unsigned char> byte = unicodeToWindows1252(text[i].unicode());
        if (!byte)
            return std::nullopt;
        bytes[i] = static_cast<char>(*byte);
    }
    return bytes;
}

QString decodeText(const QByteArray& bytes)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return text;
    return decodeWindows1252(bytes);
}

QByteArray encodeText(const QString& text)
{
    const std::optional<QByteArray> ansi = encodeWindows1252(text);
    // Non-ASCII Windows-1252 bytes that also form valid UTF-8 would read back as
    // other characters; UTF-8 keeps them.
    if (ansi && (isAscii(*ansi) || !isValidUtf8(*ansi)))
        return *ansi;
    return text.toUtf8();
}

#include "platform/picture_structure.h"

#include <QtEndian>
#include <cstdlib>
#include <cstring>

namespace {

uchar at(QByteArrayView bytes, qsizetype index)
{
    return uchar(bytes[index]);
}

// The colour table that follows a GIF screen or image descriptor whose
// flags mark one: 2^(n + 1) entries of three bytes.
qsizetype gifColourTableBytes(uchar flags)
{
    return (flags & 0x80) != 0 ? qsizetype(3) << ((flags & 0x07) + 1) : 0;
}

// Passes over a GIF's data sub-blocks (a length byte, then that many bytes)
// to the empty one that ends them; false when the file ends first.
bool skipGifSubBlocks(QByteArrayView bytes, qsizetype& position)
{
    while (position < bytes.size()) {
        const uchar length = at(bytes, position);
        position += 1 + length;
        if (length == 0) {
            return true;
        }
    }
    return false;
}

} // namespace

bool bitmapIsCutOff(QByteArrayView bytes)
{
    if (bytes.size() < 34 || !bytes.startsWith("BM")) {
        return false;
    }
    const auto* head = reinterpret_cast<const uchar*>(bytes.data());
    const quint32 pixelOffset = qFromLittleEndian<quint32>(head + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(head + 14);
    if (infoSize < 40) {
        return false; // an old OS/2 header: left to the decoder
    }
    const qint64 width = qFromLittleEndian<qint32>(head + 18);
    const qint64 height = std::llabs(qFromLittleEndian<qint32>(head + 22)); // negative: rows top first
    const qint64 bitCount = qFromLittleEndian<quint16>(head + 28);
    const quint32 compression = qFromLittleEndian<quint32>(head + 30);
    const bool uncompressed = compression == 0 || compression == 3; // BI_RGB, BI_BITFIELDS
    if (!uncompressed || width <= 0 || bitCount == 0) {
        return false;
    }
    // rowBytes * height > available, in a form that cannot overflow.
    const qint64 rowBytes = (width * bitCount + 31) / 32 * 4;
    const qint64 available = bytes.size() - qint64(pixelOffset);
    return available < 0 || (height > 0 && rowBytes > available / height);
}

bool jpegIsCutOff(QByteArrayView bytes)
{
    if (!bytes.startsWith("\xff\xd8")) {
        return false;
    }
    const qsizetype size = bytes.size();
    qsizetype position = 2;
    for (;;) {
        // The next marker: 0xFF, any fill bytes 0xFF, then its code. Inside
        // entropy-coded data 0xFF 0x00 stands for a data byte and 0xFF 0xD0
        // to 0xD7 are restart markers, all without a length; other bytes
        // there, or stray ones between segments, are passed over.
        const void* mark = std::memchr(bytes.data() + position, 0xff, size_t(size - position));
        if (!mark) {
            return true;
        }
        position = static_cast<const char*>(mark) - bytes.data();
        while (position < size && at(bytes, position) == 0xff) {
            ++position;
        }
        if (position == size) {
            return true;
        }
        const uchar code = at(bytes, position++);
        if (code == 0xd9) {
            return false; // end of image
        }
        if (code == 0x00 || code == 0x01 || (code >= 0xd0 && code <= 0xd8)) {
            continue; // no length follows
        }
        if (size - position < 2) {
            return true;
        }
        const int length = (at(bytes, position) << 8) | at(bytes, position + 1);
        if (length < 2) {
            return false; // a segment the decoder will refuse
        }
        if (size - position < length) {
            return true;
        }
        position += length;
    }
}

bool gifIsCutOff(QByteArrayView bytes)
{
    if (!bytes.startsWith("GIF87a") && !bytes.startsWith("GIF89a")) {
        return false;
    }
    constexpr qsizetype screenEnd = 13;
    if (bytes.size() < screenEnd) {
        return true;
    }
    qsizetype position = screenEnd + gifColourTableBytes(at(bytes, 10));
    constexpr qsizetype descriptorBytes = 9;
    while (position < bytes.size()) {
        switch (at(bytes, position++)) {
        case 0x3b: // trailer
            return false;
        case 0x21: // extension: its label, then its sub-blocks
            ++position;
            if (!skipGifSubBlocks(bytes, position)) {
                return true;
            }
            break;
        case 0x2c: // image: descriptor, colour table, code size, sub-blocks
            if (bytes.size() - position < descriptorBytes) {
                return true;
            }
            position += descriptorBytes + gifColourTableBytes(at(bytes, position + descriptorBytes - 1)) + 1;
            if (!skipGifSubBlocks(bytes, position)) {
                return true;
            }
            break;
        default:
            return false; // no block of the format: left to the decoder
        }
    }
    return true;
}

QSize gifScreenSize(QByteArrayView bytes)
{
    if (bytes.size() < 10 || (!bytes.startsWith("GIF87a") && !bytes.startsWith("GIF89a"))) {
        return {};
    }
    const auto* screen = reinterpret_cast<const uchar*>(bytes.data()) + 6;
    return { qFromLittleEndian<quint16>(screen), qFromLittleEndian<quint16>(screen + 2) };
}

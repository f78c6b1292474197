#pragma once
// Reading binary files as the runtime's Get did: little-endian Byte, Integer
// (16-bit), Long (32-bit), Single and Double, and fixed-length byte strings,
// at a 1-based position or at the current one, which each read advances.
//
// Two kinds of read, for the two kinds of caller:
// - get<T>(): the runtime's own semantics. Bytes beyond the end of the file
//   read as zeros and atEnd() becomes true; readers that count records "until
//   a read has gone past the end" rely on this.
// - read<T>(): checked; nothing (std::nullopt) when not all the bytes lie in
//   the file, and the position stays where it was. Readers that must refuse
//   a truncated file use these.
// A position below 1 holds no bytes: get() gives zeros, read() nothing.
// Big-endian 32-bit integers (the shapefile's file code, lengths and record
// numbers) are read exactly by getBigEndian()/readBigEndian().
#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <cstring>
#include <optional>
#include <type_traits>

class BinaryReader {
public:
    explicit BinaryReader(QByteArray bytes);
    // Reads the whole file; nothing, with the system's reason in `error`, when it cannot.
    static std::optional<BinaryReader> open(const QString& path, QString* error = nullptr);

    qint64 size() const { return m_bytes.size(); }
    // The 1-based position of the next read.
    qint64 position() const { return m_position; }
    void seek(qint64 position) { m_position = position; }
    // True once a get() could not read all its bytes (the runtime's EOF).
    bool atEnd() const { return m_pastEnd; }

    template <typename T> T get() { return get<T>(m_position); }
    template <typename T> T get(qint64 position);
    template <typename T> std::optional<T> read() { return read<T>(m_position); }
    template <typename T> std::optional<T> read(qint64 position);

    qint32 getBigEndian(qint64 position);
    std::optional<qint32> readBigEndian(qint64 position);

    // count bytes (a fixed-length string); missing bytes are zeros for get,
    // which never returns more bytes than the whole file holds.
    QByteArray getBytes(qint64 position, qint64 count);
    std::optional<QByteArray> readBytes(qint64 position, qint64 count);

private:
    template <typename T> static constexpr bool isFileType()
    {
        return std::is_same_v<T, quint8> || std::is_same_v<T, qint16> || std::is_same_v<T, qint32>
            || std::is_same_v<T, float> || std::is_same_v<T, double>;
    }
    // True when [position, position + count) lies in the file; 1-based.
    bool holds(qint64 position, qint64 count) const;
    // Copies what the file holds of the range into out, zeros for the rest.
    void copyOut(qint64 position, qint64 count, char* out) const;
    template <typename T> static T fromLittleEndian(const char* bytes);
    // position + count, held at the largest position instead of overflowing.
    static qint64 advanced(qint64 position, qint64 count);

    QByteArray m_bytes;
    qint64 m_position = 1;
    bool m_pastEnd = false;
};

template <typename T> T BinaryReader::fromLittleEndian(const char* bytes)
{
    if constexpr (std::is_same_v<T, float>) {
        const quint32 bits = qFromLittleEndian<quint32>(bytes);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    } else if constexpr (std::is_same_v<T, double>) {
        const quint64 bits = qFromLittleEndian<quint64>(bytes);
        double value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    } else {
        return qFromLittleEndian<T>(bytes);
    }
}

template <typename T> T BinaryReader::get(qint64 position)
{
    static_assert(isFileType<T>(), "Get reads Byte, Integer, Long, Single or Double");
    char buffer[sizeof(T)];
    if (!holds(position, sizeof(T)))
        m_pastEnd = true;
    copyOut(position, sizeof(T), buffer);
    if (position >= 1)
        m_position = advanced(position, sizeof(T));
    return fromLittleEndian<T>(buffer);
}

template <typename T> std::optional<T> BinaryReader::read(qint64 position)
{
    static_assert(isFileType<T>(), "Get reads Byte, Integer, Long, Single or Double");
    if (!holds(position, sizeof(T)))
        return std::nullopt;
    m_position = advanced(position, sizeof(T));
    return fromLittleEndian<T>(m_bytes.constData() + (position - 1));
}

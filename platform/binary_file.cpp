#include "platform/binary_file.h"

#include "platform/file_helpers.h"

#include <algorithm>
#include <limits>

BinaryReader::BinaryReader(QByteArray bytes)
    : m_bytes(std::move(bytes))
{
}

std::optional<BinaryReader> BinaryReader::open(const QString& path, QString* error)
{
    QByteArray bytes;
    if (!readWholeFile(path, bytes, error))
        return std::nullopt;
    return BinaryReader(std::move(bytes));
}

qint64 BinaryReader::advanced(qint64 position, qint64 count)
{
    return count > std::numeric_limits<qint64>::max() - position ? std::numeric_limits<qint64>::max()
                                                                  : position + count;
}

bool BinaryReader::holds(qint64 position, qint64 count) const
{
    // Written so that no sum can overflow, whatever a file's offsets say.
    return position >= 1 && count >= 0 && position - 1 <= size() && count <= size() - (position - 1);
}

void BinaryReader::copyOut(qint64 position, qint64 count, char* out) const
{
    std::fill(out, out + count, 0);
    if (position < 1 || position - 1 >= size())
        return;
    const qint64 available = std::min(count, size() - (position - 1));
    std::copy_n(m_bytes.constData() + (position - 1), available, out);
}

qint32 BinaryReader::getBigEndian(qint64 position)
{
    char buffer[4];
    if (!holds(position, 4))
        m_pastEnd = true;
    copyOut(position, 4, buffer);
    if (position >= 1)
        m_position = advanced(position, 4);
    return qFromBigEndian<qint32>(buffer);
}

std::optional<qint32> BinaryReader::readBigEndian(qint64 position)
{
    if (!holds(position, 4))
        return std::nullopt;
    m_position = advanced(position, 4);
    return qFromBigEndian<qint32>(m_bytes.constData() + (position - 1));
}

QByteArray BinaryReader::getBytes(qint64 position, qint64 count)
{
    if (count <= 0)
        return {};
    if (!holds(position, count))
        m_pastEnd = true;
    // A count from a damaged file may be absurd: never allocate more than the
    // whole file could have held.
    const qint64 wanted = std::min(count, size());
    QByteArray out(wanted, '\0');
    copyOut(position, wanted, out.data());
    if (position >= 1)
        m_position = advanced(position, count);
    return out;
}

std::optional<QByteArray> BinaryReader::readBytes(qint64 position, qint64 count)
{
    if (count < 0 || !holds(position, count))
        return std::nullopt;
    m_position = advanced(position, count);
    return m_bytes.mid(position - 1, count);
}

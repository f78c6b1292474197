#include "tests/support/dbase_writer.h"

#include "tests/support/shapefile_writer.h"

#include <QtEndian>
#include <gtest/gtest.h>

namespace {

constexpr char Version = 0x03; // dBASE III without memo
constexpr char Terminator = 0x0D;
constexpr char EndOfFile = 0x1A;

} // namespace

void putLittleEndian16(QByteArray& bytes, qsizetype offset, quint16 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void DBaseWriter::addField(const QByteArray& name, char type, int width, int decimals)
{
    m_fields.push_back({ name, type, width, decimals });
}

void DBaseWriter::addRecord(const std::vector<QByteArray>& values, bool deleted)
{
    EXPECT_EQ(values.size(), m_fields.size()) << "one value per field";
    QByteArray record(1, deleted ? '*' : ' ');
    for (std::size_t f = 0; f < m_fields.size(); ++f) {
        const Field& field = m_fields[f];
        const QByteArray value = f < values.size() ? values[f] : QByteArray();
        EXPECT_LE(value.size(), field.width) << "value longer than field " << field.name.constData();
        const bool number = field.type == 'N' || field.type == 'F';
        record += number ? value.rightJustified(field.width, ' ', true)
                         : value.leftJustified(field.width, ' ', true);
    }
    m_records.push_back(record);
}

int DBaseWriter::headerLength() const
{
    return 32 + 32 * int(m_fields.size()) + 1;
}

int DBaseWriter::recordLength() const
{
    int length = 1;
    for (const Field& field : m_fields) {
        length += field.width;
    }
    return length;
}

QByteArray DBaseWriter::bytes() const
{
    QByteArray bytes(32, '\0');
    bytes[0] = Version;
    bytes[1] = char(124); // last update 2024-05-17
    bytes[2] = char(5);
    bytes[3] = char(17);
    putLittleEndian32(bytes, RecordCountOffset, qint32(m_records.size()));
    putLittleEndian16(bytes, HeaderLengthOffset, quint16(headerLength()));
    putLittleEndian16(bytes, RecordLengthOffset, quint16(recordLength()));
    for (const Field& field : m_fields) {
        QByteArray descriptor(32, '\0');
        descriptor.replace(0, qMin<qsizetype>(field.name.size(), 10), field.name.left(10));
        descriptor[11] = field.type;
        descriptor[16] = char(field.width & 0xFF);
        descriptor[17] = char(field.decimals);
        bytes += descriptor;
    }
    bytes += Terminator;
    for (const QByteArray& record : m_records) {
        bytes += record;
    }
    bytes += EndOfFile;
    return bytes;
}

void DBaseWriter::write(const QString& path) const
{
    writeTestFile(path, bytes());
}

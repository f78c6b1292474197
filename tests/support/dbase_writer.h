#pragma once
// Writes dBASE III tables for tests, from the published file structure: a
// 32-byte header (version 3, date of last update, record count, header
// length, record length), one 32-byte descriptor per field (name in 11
// bytes, type, width, decimals), the terminator 0x0D, then the records,
// each a deletion flag (" " or "*") and its fields, and the end mark 0x1A.
// Tests that need damaged tables patch the bytes at the offsets given here.
#include <QByteArray>
#include <QString>
#include <vector>

class DBaseWriter
{
public:
    static constexpr int RecordCountOffset = 4;
    static constexpr int HeaderLengthOffset = 8;
    static constexpr int RecordLengthOffset = 10;

    // type is 'C', 'N', 'F', 'D', 'L' or any other byte.
    void addField(const QByteArray& name, char type, int width, int decimals = 0);
    // One field value per field, as stored: numbers are put to the right of
    // their field, everything else to the left, blanks fill the rest; a value
    // longer than its field fails the test.
    void addRecord(const std::vector<QByteArray>& values, bool deleted = false);

    int headerLength() const;
    int recordLength() const;
    QByteArray bytes() const;
    void write(const QString& path) const;

private:
    struct Field
    {
        QByteArray name;
        char type;
        int width;
        int decimals;
    };
    std::vector<Field> m_fields;
    std::vector<QByteArray> m_records;
};

void putLittleEndian16(QByteArray& bytes, qsizetype offset, quint16 value);

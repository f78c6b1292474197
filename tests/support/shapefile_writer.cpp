#include "tests/support/shapefile_writer.h"

#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <limits>

namespace {

constexpr qsizetype HeaderBytes = 100;
constexpr qint32 FileCode = 9994;
constexpr qint32 Version = 1000;

QByteArray bigEndian32(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToBigEndian(value, bytes.data());
    return bytes;
}

QByteArray header(qint32 shapeType, qsizetype fileBytes, const TestBox& box)
{
    QByteArray bytes = bigEndian32(FileCode);
    bytes += QByteArray(20, '\0');
    bytes += bigEndian32(static_cast<qint32>(fileBytes / 2));
    bytes += littleEndian32(Version);
    bytes += littleEndian32(shapeType);
    bytes += littleEndianDouble(box.xMin);
    bytes += littleEndianDouble(box.yMin);
    bytes += littleEndianDouble(box.xMax);
    bytes += littleEndianDouble(box.yMax);
    bytes += QByteArray(32, '\0'); // Z and M ranges
    return bytes;
}

TestBox boxOf(const std::vector<TestVertex>& vertices)
{
    if (vertices.empty()) {
        return {};
    }
    TestBox box { std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
        std::numeric_limits<double>::lowest(), std::numeric_limits<double>::lowest() };
    for (const TestVertex& v : vertices) {
        box.xMin = std::min(box.xMin, v.x);
        box.yMin = std::min(box.yMin, v.y);
        box.xMax = std::max(box.xMax, v.x);
        box.yMax = std::max(box.yMax, v.y);
    }
    return box;
}

double doubleAt(const QByteArray& bytes, qsizetype offset)
{
    return std::bit_cast<double>(qFromLittleEndian<quint64>(bytes.constData() + offset));
}

} // namespace

ShapefileWriter::ShapefileWriter(qint32 shapeType)
    : m_shapeType(shapeType)
{
}

void ShapefileWriter::addPoint(double x, double y)
{
    addContent(littleEndian32(m_shapeType) + littleEndianDouble(x) + littleEndianDouble(y));
}

void ShapefileWriter::addPoly(const std::vector<TestPart>& parts)
{
    addContent(polyContent(m_shapeType, parts));
}

void ShapefileWriter::addNull()
{
    addContent(littleEndian32(0));
}

void ShapefileWriter::addContent(const QByteArray& content)
{
    m_contents.push_back(content);
}

qsizetype ShapefileWriter::recordOffset(int r) const
{
    qsizetype offset = HeaderBytes;
    for (int i = 1; i < r; ++i) {
        offset += 8 + m_contents[static_cast<std::size_t>(i - 1)].size();
    }
    return offset;
}

QByteArray ShapefileWriter::polyContent(qint32 shapeType, const std::vector<TestPart>& parts)
{
    std::vector<TestVertex> all;
    for (const TestPart& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    const TestBox box = boxOf(all);
    QByteArray content = littleEndian32(shapeType);
    content += littleEndianDouble(box.xMin) + littleEndianDouble(box.yMin) + littleEndianDouble(box.xMax)
        + littleEndianDouble(box.yMax);
    content += littleEndian32(static_cast<qint32>(parts.size()));
    content += littleEndian32(static_cast<qint32>(all.size()));
    qint32 start = 0;
    for (const TestPart& part : parts) {
        content += littleEndian32(start);
        start += static_cast<qint32>(part.size());
    }
    for (const TestVertex& v : all) {
        content += littleEndianDouble(v.x) + littleEndianDouble(v.y);
    }
    return content;
}

TestBox ShapefileWriter::contentBox() const
{
    std::vector<TestVertex> corners;
    for (const QByteArray& content : m_contents) {
        if (content.size() >= 20 && m_shapeType == 1) {
            corners.push_back({ doubleAt(content, 4), doubleAt(content, 12) });
        } else if (content.size() >= 36 && m_shapeType != 1) {
            corners.push_back({ doubleAt(content, 4), doubleAt(content, 12) });
            corners.push_back({ doubleAt(content, 20), doubleAt(content, 28) });
        }
    }
    return boxOf(corners);
}

QByteArray ShapefileWriter::mainFile() const
{
    QByteArray records;
    qint32 number = 0;
    for (const QByteArray& content : m_contents) {
        records += bigEndian32(++number);
        records += bigEndian32(static_cast<qint32>(content.size() / 2));
        records += content;
    }
    return header(m_shapeType, HeaderBytes + records.size(), m_headerBox.value_or(contentBox())) + records;
}

QByteArray ShapefileWriter::indexFile() const
{
    QByteArray entries;
    qsizetype offset = HeaderBytes;
    for (const QByteArray& content : m_contents) {
        entries += bigEndian32(static_cast<qint32>(offset / 2));
        entries += bigEndian32(static_cast<qint32>(content.size() / 2));
        offset += 8 + content.size();
    }
    return header(m_shapeType, HeaderBytes + entries.size(), m_headerBox.value_or(contentBox())) + entries;
}

void ShapefileWriter::write(const QString& path, bool withIndex) const
{
    writeTestFile(path, mainFile());
    if (withIndex) {
        writeTestFile(path.chopped(3) + QStringLiteral("shx"), indexFile());
    }
}

void putBigEndian32(QByteArray& bytes, qsizetype offset, qint32 value)
{
    qToBigEndian(value, bytes.data() + offset);
}

void putLittleEndian32(QByteArray& bytes, qsizetype offset, qint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void putLittleEndianDouble(QByteArray& bytes, qsizetype offset, double value)
{
    qToLittleEndian(std::bit_cast<quint64>(value), bytes.data() + offset);
}

QByteArray littleEndian32(qint32 value)
{
    QByteArray bytes(4, '\0');
    qToLittleEndian(value, bytes.data());
    return bytes;
}

QByteArray littleEndianDouble(double value)
{
    QByteArray bytes(8, '\0');
    qToLittleEndian(std::bit_cast<quint64>(value), bytes.data());
    return bytes;
}

void writeTestFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

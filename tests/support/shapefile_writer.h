#pragma once
// Writes ESRI shapefiles for tests, from the published format (ESRI
// Shapefile Technical Description, 1998): the main file ("shp") and its index
// ("shx"). Records are kept as their contents (shape type first); the header
// takes its length and box from them unless a test sets others. Tests that
// need damaged files patch the bytes at the offsets the format gives.
#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

struct TestVertex
{
    double x = 0.0;
    double y = 0.0;
};
using TestPart = std::vector<TestVertex>;

struct TestBox
{
    double xMin = 0.0;
    double yMin = 0.0;
    double xMax = 0.0;
    double yMax = 0.0;
};

class ShapefileWriter
{
public:
    explicit ShapefileWriter(qint32 shapeType);

    void addPoint(double x, double y);
    // A polyline or polygon record (the file's shape type) of these parts.
    void addPoly(const std::vector<TestPart>& parts);
    void addNull();
    // A record of this content, shape type first, written as it is.
    void addContent(const QByteArray& content);

    void setHeaderBox(const TestBox& box) { m_headerBox = box; }
    int recordCount() const { return static_cast<int>(m_contents.size()); }
    // Byte offset of record r (1-based) in the main file, at its 8-byte header.
    qsizetype recordOffset(int r) const;

    QByteArray mainFile() const;
    QByteArray indexFile() const;
    // Writes the main file at path and, when withIndex, the index beside it
    // (the path with "shx" for its last three characters).
    void write(const QString& path, bool withIndex = true) const;

    static QByteArray polyContent(qint32 shapeType, const std::vector<TestPart>& parts);

private:
    TestBox contentBox() const;

    qint32 m_shapeType;
    std::vector<QByteArray> m_contents;
    std::optional<TestBox> m_headerBox;
};

// Byte patches at a 0-based offset, for damaging files.
void putBigEndian32(QByteArray& bytes, qsizetype offset, qint32 value);
void putLittleEndian32(QByteArray& bytes, qsizetype offset, qint32 value);
void putLittleEndianDouble(QByteArray& bytes, qsizetype offset, double value);
QByteArray littleEndian32(qint32 value);
QByteArray littleEndianDouble(double value);

// Writes bytes to a file, replacing it; fails the test when it cannot.
void writeTestFile(const QString& path, const QByteArray& bytes);

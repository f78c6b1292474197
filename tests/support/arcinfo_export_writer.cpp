#include "tests/support/arcinfo_export_writer.h"

#include <charconv>
#include <string>

namespace {

QByteArray rightAligned(const std::string& text, qsizetype width)
{
    const QByteArray value = QByteArray::fromStdString(text);
    return QByteArray(std::max<qsizetype>(0, width - value.size()), ' ') + value;
}

} // namespace

ArcInfoExportWriter::ArcInfoExportWriter(Precision precision)
    : m_precision(precision)
{
}

QByteArray ArcInfoExportWriter::field(double value, Precision precision)
{
    const int digits = precision == Precision::Single ? 7 : 14;
    char buffer[64];
    const auto written
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits);
    std::string text(buffer, written.ptr);
    for (char& c : text) {
        if (c == 'e') {
            c = 'E';
        }
    }
    return rightAligned(text, precision == Precision::Single ? 14 : 21);
}

QByteArray ArcInfoExportWriter::arcRecordLine(qint64 number, qint64 vertexCount)
{
    // Arc number, internal identifier, from-node, to-node, left and right
    // polygon, vertex count.
    const qint64 values[]
        = { number, number < 0 ? 0 : number, number < 0 ? 0 : 1, number < 0 ? 0 : 2, 0, 0, vertexCount };
    QByteArray line;
    for (qint64 value : values) {
        line += rightAligned(std::to_string(value), 10);
    }
    return line;
}

void ArcInfoExportWriter::addArc(qint64 number, const std::vector<TestVertex>& vertices)
{
    m_arcLines += arcRecordLine(number, qint64(vertices.size())) + m_lineEnd;
    const std::size_t perLine = m_precision == Precision::Single ? 2 : 1;
    for (std::size_t i = 0; i < vertices.size(); i += perLine) {
        for (std::size_t j = i; j < std::min(vertices.size(), i + perLine); ++j) {
            m_arcLines += field(vertices[j].x, m_precision) + field(vertices[j].y, m_precision);
        }
        m_arcLines += m_lineEnd;
    }
}

QByteArray ArcInfoExportWriter::bytes() const
{
    const QByteArray& end = m_lineEnd;
    QByteArray out = m_headerLine.toLatin1() + end;
    out += QByteArray(m_precision == Precision::Single ? "ARC  2" : "ARC  3") + end;
    out += m_arcLines;
    out += arcRecordLine(-1, 0) + end;
    // A label section, which the reader passes over.
    out += "LAB  2" + end;
    out += "        -1         0 0.0000000E+00 0.0000000E+00" + end;
    if (!m_projection.isEmpty()) {
        out += QByteArray(m_precision == Precision::Single ? "PRJ  2" : "PRJ  3") + end;
        for (const QString& entry : m_projection) {
            out += entry.toLatin1().replace("\n", end) + end + "~" + end;
        }
        out += "EOP" + end;
    }
    out += "EOS" + end;
    return out;
}

void ArcInfoExportWriter::write(const QString& path) const
{
    writeTestFile(path, bytes());
}

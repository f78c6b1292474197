#pragma once
// Writes ARC/INFO export files ("e00") for tests, in the uncompressed column
// layout: the header line "EXP  0", an arc section ("ARC  2" single
// precision, coordinates E14.7, two vertices a line; "ARC  3" double
// precision, E21.14, one vertex a line) closed by its record numbered -1,
// other sections a real export holds, an optional projection section ("PRJ  2"
// or "PRJ  3" by the precision, a line holding only "~" after each entry, as
// export programs write it), and "EOS". Numbers are written without the
// locale, as the format has them.
#include "tests/support/shapefile_writer.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

class ArcInfoExportWriter
{
public:
    enum class Precision { Single, Double };

    explicit ArcInfoExportWriter(Precision precision = Precision::Single);

    // An arc record (its number, placeholders for the node and polygon
    // numbers) and its vertices.
    void addArc(qint64 number, const std::vector<TestVertex>& vertices);
    // The header line; "EXP  0 /TESTS/COVER.E00" unless set.
    void setHeaderLine(const QString& line) { m_headerLine = line; }
    // The entries of the projection section; an entry of several lines holds
    // them apart by "\n" (all entries as one gives the layout of exports that
    // write "~" only before "EOP"). No projection section while empty.
    void setProjection(const QStringList& entries) { m_projection = entries; }
    void setLineEnd(const QByteArray& lineEnd) { m_lineEnd = lineEnd; }

    QByteArray bytes() const;
    void write(const QString& path) const;

    // A coordinate in the section's field: E14.7 or E21.14, right-aligned.
    static QByteArray field(double value, Precision precision);
    // Seven whole numbers of ten columns each.
    static QByteArray arcRecordLine(qint64 number, qint64 vertexCount);

private:
    Precision m_precision;
    QString m_headerLine = QStringLiteral("EXP  0 /TESTS/COVER.E00");
    QByteArray m_arcLines;
    QStringList m_projection;
    QByteArray m_lineEnd = "\n";
};

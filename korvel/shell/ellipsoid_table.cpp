#include "korvel/shell/ellipsoid_table.h"

#include "platform/file_helpers.h"
#include "platform/sequential_file.h"
#include "platform/vb_error.h"

#include <limits>

namespace {

// The record count was a 16-bit Integer; a table beyond it is no ellipsoid
// table, and refusing it keeps the menu of ellipsoids to a sane size.
constexpr int kMaxRows = std::numeric_limits<qint16>::max();

} // namespace

EllipsoidTableResult parseEllipsoidTable(const QByteArray& bytes)
{
    EllipsoidTableResult result;
    std::vector<EllipsoidRecord> rows(1);
    SequentialReader reader(bytes);
    try {
        // At least one record is always read, so an empty file is refused.
        do {
            if (int(rows.size()) > kMaxRows) {
                result.error = QStringLiteral("more than %1 ellipsoids").arg(kMaxRows);
                return result;
            }
            EllipsoidRecord row;
            row.Name = reader.readText();
            row.Axis = reader.readDouble();
            row.InverseFlattening = reader.readDouble();
            rows.push_back(row);
        } while (!reader.onlyBlanksRemain());
    } catch (const VbError& error) {
        result.error = QStringLiteral("%1 in line %2").arg(error.Description()).arg(reader.fieldLine());
        return result;
    }
    result.rows = std::move(rows);
    return result;
}

EllipsoidTableResult readEllipsoidTable(const QString& path)
{
    QByteArray bytes;
    QString error;
    if (!readWholeFile(path, bytes, &error)) {
        EllipsoidTableResult result;
        result.error = error;
        return result;
    }
    return parseEllipsoidTable(bytes);
}

std::vector<int> selectEllipsoid(
    const std::vector<EllipsoidRecord>& rows, const QString& name, EllipsoidRecord& ellipsoid)
{
    std::vector<int> matches;
    ellipsoid.Name = name;
    ellipsoid.Axis = 0.0;
    ellipsoid.InverseFlattening = 0.0;
    for (size_t i = 1; i < rows.size(); ++i) {
        if (rows[i].Name == name) {
            ellipsoid.Axis = rows[i].Axis;
            ellipsoid.InverseFlattening = rows[i].InverseFlattening;
            matches.push_back(int(i));
        }
    }
    return matches;
}

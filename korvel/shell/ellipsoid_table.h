#pragma once
// The ellipsoid table "ellipsoid.dat" of the program folder: records of a
// name (in double quotes when it holds a comma), the semi-major axis in
// metres and the inverse flattening, separated by commas or line ends, one
// after another to the end of the file:
//
//     "WGS84",6378137,298.257223563
//     "Clarke 1866",6378206.4,294.9786982
//
// The program ships the file and nothing writes it. The table must hold at
// least one record; blank lines after the last one are allowed.
#include "korvel/workspace/program_globals.h"

#include <QByteArray>
#include <QString>
#include <vector>

struct EllipsoidTableResult
{
    // Rows 1..n, element 0 unused, in file order.
    std::vector<EllipsoidRecord> rows;
    QString error; // empty when the table was read
};

// Reads the table from its bytes. A missing record, a number field that is
// no number, or a record cut short is refused with the reason and the line
// where reading stopped ("Type mismatch in line 3").
EllipsoidTableResult parseEllipsoidTable(const QByteArray& bytes);

// Reads RootDir & "ellipsoid.dat"; an unreadable file gives the system's reason.
EllipsoidTableResult readEllipsoidTable(const QString& path);

// Selects the ellipsoid named `name` (exact, case-sensitive): its axis and
// inverse flattening from the last row of that name; axis 0 when none has it.
// Returns the indices (1-based) of every row of that name.
std::vector<int> selectEllipsoid(
    const std::vector<EllipsoidRecord>& rows, const QString& name, EllipsoidRecord& ellipsoid);

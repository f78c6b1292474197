#pragma once
// The ellipsoids the AG-NAV job dialogs offer (the job dialog and the
// preferences' AG-NAV tab): 24 built-in rows, row 0 "USER-ENTER" with no
// values and row 22 "WGS-84" the default, then the user's own ellipsoids from
// "AGNAV Ellipsoids.txt" as rows 24 and on. Every value
// stays text, exactly as listed or typed, and becomes a number only where a
// comparison needs one.
//
// A dialog's EllipsoidCombo shows the list with the separator
// "--------------" at position 24 when user rows exist, so user row r
// (r >= 24) stands at position r + 1.
//
// "AGNAV Ellipsoids.txt" holds one user ellipsoid per line: the name, the
// semi-major axis and the inverse flattening joined by single commas, ended
// by CR LF:
//
//     MY-GRID,6378140.5,298.3
//
// The file is read from the user's data folder when the user has saved an
// ellipsoid there, otherwise from the program folder (user_data_files.h).
#include "korvel/agnav/agnav_job.h"
#include "korvel/workspace/agnav_outcome.h"
#include "korvel/agnav/serial_formats.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

inline constexpr int UserEnterRow = 0;
inline constexpr int Wgs84Row = 22;
inline constexpr int FirstUserRow = 24;
inline constexpr int EllipsoidSeparatorPosition = 24;
inline const QString EllipsoidSeparator = QStringLiteral("--------------");
inline const QString AgnavEllipsoidFileName = QStringLiteral("AGNAV Ellipsoids.txt");

// Rows 0..23.
std::vector<AGNAVEllipsoid> builtInAgnavEllipsoids();

// The user rows of the file's text, in file order. A line is taken when it
// holds a name (trimmed, not empty), a comma, an axis above 0, a comma and a
// flattening, both numbers; any other line (blank, cut short, a value that is
// no number) gives no row, and the lines around it keep theirs. A file whose
// last line stops without its line end was cut off: it gives no row at all,
// and `refusal` gets the line.
std::vector<AGNAVEllipsoid> parseAgnavEllipsoidFile(const QByteArray& bytes, QString* refusal = nullptr);

// The built-in rows followed by the rows of "AGNAV Ellipsoids.txt" (the
// user's copy, else RootDir's) when it can be read. A cut-off file adds no
// row, and `refusal` gets the message for the user, naming the file and the
// line.
std::vector<AGNAVEllipsoid> agnavEllipsoidList(QString* refusal = nullptr);

// The message shown when "AGNAV Ellipsoids.txt" is refused for `problem`.
QString userEllipsoidFileRefusal(const QString& problem);

// Both lists of a job dialog rebuilt from scratch: the ellipsoids as
// agnavEllipsoidList() gives them, the serial formats rows 1..12. `refusal`
// gets the message of a user ellipsoid file that was refused, for the
// dialog to show.
void FillAGNAVLists(
    std::vector<AGNAVEllipsoid>& ellipsoids, std::vector<SerialFormat>& formats, QString* refusal = nullptr);

// The list row shown at a combo position, and back; the separator has no row
// (-1) and a row outside the list no position (-1).
int ellipsoidRowAtPosition(int position, int rowCount);
int ellipsoidPositionOfRow(int row, int rowCount);

// The first row from 1 on whose axis and inverse flattening equal the two
// numbers; rows whose texts are no numbers never match.
std::optional<int> matchingEllipsoidRow(
    const std::vector<AGNAVEllipsoid>& list, double axis, double inverseFlattening);

// The check before a user ellipsoid is saved under a name the user typed
// (already trimmed): "" when it may be saved, else the message to show. A
// name must hold no comma (the file separates its fields with commas) and
// may be no row's name from row 1 on (case counts).
QString userEllipsoidNameRefusal(const std::vector<AGNAVEllipsoid>& list, const QString& name);

// Appends one line "name,axis,flattening" to the file at path, creating it
// when missing; a new file starts with the lines of `startFrom` when given.
// The file is rewritten whole through a temporary file, so a failed write
// leaves it as it was; the refusal names the file and the system's reason.
// A file cut off in its last line is refused, not appended to.
AgnavOutcome appendUserEllipsoid(
    const QString& path, const AGNAVEllipsoid& ellipsoid, const QString& startFrom = QString());

// Saves a user ellipsoid: appended to the user's copy of "AGNAV
// Ellipsoids.txt" in the user's data folder, which is made from the shipped
// copy's lines the first time.
AgnavOutcome saveUserEllipsoidRow(const AGNAVEllipsoid& ellipsoid);

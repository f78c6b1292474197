#include "korvel/agnav/agnav_ellipsoid_list.h"

#include "korvel/workspace/program_globals.h"
#include "platform/complete_lines.h"
#include "platform/file_helpers.h"
#include "platform/sequential_file.h"
#include "platform/text_codec.h"
#include "platform/user_data_files.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

std::optional<AGNAVEllipsoid> parseLine(const QString& line)
{
    const qsizetype first = line.indexOf(u',');
    const qsizetype second = first < 0 ? -1 : line.indexOf(u',', first + 1);
    if (second < 0) {
        return std::nullopt;
    }
    AGNAVEllipsoid row { line.left(first).trimmed(), line.mid(first + 1, second - first - 1).trimmed(),
        line.mid(second + 1).trimmed() };
    // An axis of 0 or less puts every converted point nowhere.
    const std::optional<double> axis = numericValue(row.EllipsoidAxis);
    if (row.EllipsoidName.isEmpty() || !axis || *axis <= 0.0 || !numericValue(row.EllipsoidFlattening)) {
        return std::nullopt;
    }
    return row;
}

} // namespace

std::vector<AGNAVEllipsoid> builtInAgnavEllipsoids()
{
    return {
        { QStringLiteral("USER-ENTER"), QString(), QString() },
        { QStringLiteral("AIRY"), QStringLiteral("6377563.396"), QStringLiteral("299.3249646") },
        { QStringLiteral("MOD-AIRY"), QStringLiteral("6377340.189"), QStringLiteral("299.3249646") },
        { QStringLiteral("AUST-NAT"), QStringLiteral("6378160.0"), QStringLiteral("298.25") },
        { QStringLiteral("BESSEL-1841"), QStringLiteral("6377397.155"), QStringLiteral("299.1528128") },
        { QStringLiteral("CLARKE-1866"), QStringLiteral("6378206.4"), QStringLiteral("294.9786982") },
        { QStringLiteral("CLARKE-1880"), QStringLiteral("6378249.145"), QStringLiteral("293.465") },
        { QStringLiteral("EVEREST"), QStringLiteral("6377276.345"), QStringLiteral("300.8017") },
        { QStringLiteral("MOD-EVEREST"), QStringLiteral("6377304.063"), QStringLiteral("300.8017") },
        { QStringLiteral("FISCHER-MER"), QStringLiteral("6378166.0"), QStringLiteral("298.3") },
        { QStringLiteral("FISCH-ASIA"), QStringLiteral("6378155.0"), QStringLiteral("298.3") },
        { QStringLiteral("FISCHER-68"), QStringLiteral("6378150.0"), QStringLiteral("298.3") },
        { QStringLiteral("GEODETIC-67"), QStringLiteral("6378160.0"), QStringLiteral("298.24716742") },
        { QStringLiteral("GEODETIC-80"), QStringLiteral("6378137.0"), QStringLiteral("298.25722210") },
        { QStringLiteral("HELMERT-06"), QStringLiteral("6378200.0"), QStringLiteral("298.3") },
        { QStringLiteral("HOUGH"), QStringLiteral("6378270.0"), QStringLiteral("297.0") },
        { QStringLiteral("INTERNAT"), QStringLiteral("6378388.0"), QStringLiteral("297.0") },
        { QStringLiteral("KRASSOVSKY"), QStringLiteral("6378245.0"), QStringLiteral("298.3") },
        { QStringLiteral("S-AMER-1969"), QStringLiteral("6378160.0"), QStringLiteral("298.25") },
        { QStringLiteral("WGS-60"), QStringLiteral("6378165.0"), QStringLiteral("298.3") },
        { QStringLiteral("WGS-66"), QStringLiteral("6378145.0"), QStringLiteral("298.25") },
        { QStringLiteral("WGS-72"), QStringLiteral("6378135.0"), QStringLiteral("298.26") },
        { QStringLiteral("WGS-84"), QStringLiteral("6378137.0"), QStringLiteral("298.257223563") },
        { QStringLiteral("SWED-RT90"), QStringLiteral("6377397.155"), QStringLiteral("299.1528128") },
    };
}

std::vector<AGNAVEllipsoid> parseAgnavEllipsoidFile(const QByteArray& bytes, QString* refusal)
{
    std::vector<AGNAVEllipsoid> rows;
    // A cut last line may still split into a row, with a value missing digits.
    if (const int cut = cutOffLineNumber(bytes); cut > 0) {
        if (refusal) {
            *refusal = cutOffLineMessage(cut);
        }
        return rows;
    }
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    for (const QString& line : decodeText(withoutEndMark(bytes)).split(lineEnd)) {
        if (std::optional<AGNAVEllipsoid> row = parseLine(line)) {
            rows.push_back(*row);
        }
    }
    return rows;
}

std::vector<AGNAVEllipsoid> agnavEllipsoidList(QString* refusal)
{
    std::vector<AGNAVEllipsoid> list = builtInAgnavEllipsoids();
    const QString path = programFileToRead(globals().RootDir, AgnavEllipsoidFileName);
    QByteArray bytes;
    if (FileExists(path) && readWholeFile(path, bytes)) {
        QString problem;
        for (AGNAVEllipsoid& row : parseAgnavEllipsoidFile(bytes, &problem)) {
            list.push_back(std::move(row));
        }
        if (refusal && !problem.isEmpty()) {
            *refusal = userEllipsoidFileRefusal(problem);
        }
    }
    return list;
}

QString userEllipsoidFileRefusal(const QString& problem)
{
    return QStringLiteral("The user ellipsoids of \"%1\" were not loaded:\r%2")
        .arg(AgnavEllipsoidFileName, problem);
}

void FillAGNAVLists(
    std::vector<AGNAVEllipsoid>& ellipsoids, std::vector<SerialFormat>& formats, QString* refusal)
{
    ellipsoids = agnavEllipsoidList(refusal);
    formats = serialFormats();
}

int ellipsoidRowAtPosition(int position, int rowCount)
{
    const int row = position < EllipsoidSeparatorPosition ? position
        : position == EllipsoidSeparatorPosition          ? -1
                                                          : position - 1;
    return row >= 0 && row < rowCount ? row : -1;
}

int ellipsoidPositionOfRow(int row, int rowCount)
{
    if (row < 0 || row >= rowCount) {
        return -1;
    }
    return row < FirstUserRow ? row : row + 1;
}

std::optional<int> matchingEllipsoidRow(
    const std::vector<AGNAVEllipsoid>& list, double axis, double inverseFlattening)
{
    for (std::size_t row = 1; row < list.size(); ++row) {
        const std::optional<double> rowAxis = numericValue(list[row].EllipsoidAxis);
        const std::optional<double> rowFlattening = numericValue(list[row].EllipsoidFlattening);
        if (rowAxis && rowFlattening && *rowAxis == axis && *rowFlattening == inverseFlattening) {
            return static_cast<int>(row);
        }
    }
    return std::nullopt;
}

QString userEllipsoidNameRefusal(const std::vector<AGNAVEllipsoid>& list, const QString& name)
{
    if (name.contains(u',')) {
        return QStringLiteral("The name of an ellipsoid may not contain a comma.");
    }
    for (std::size_t row = 1; row < list.size(); ++row) {
        if (list[row].EllipsoidName == name) {
            return QStringLiteral("There is already an ellipsoid called '%1'.").arg(name);
        }
    }
    return {};
}

AgnavOutcome appendUserEllipsoid(
    const QString& path, const AGNAVEllipsoid& ellipsoid, const QString& startFrom)
{
    QByteArray existing;
    QString error;
    // A new copy takes the lines it stands in for first, so no row the user
    // saw in the list goes missing when it is made. A copy identical to the
    // shipped one, left by a failed append below, lists the same rows.
    if (!QFileInfo::exists(path) && !startFrom.isEmpty() && FileExists(startFrom)
        && !copyFile(startFrom, path, &error)) {
        return AgnavOutcome::refused(QStringLiteral("Cannot write %1: %2").arg(path, error));
    }
    if (QFileInfo::exists(path) && !readWholeFile(path, existing, &error)) {
        return AgnavOutcome::refused(QStringLiteral("Cannot write %1: %2").arg(path, error));
    }
    // A cut last line, ended now, would read back as a row with lost digits.
    if (const int cut = cutOffLineNumber(existing); cut > 0) {
        return AgnavOutcome::refused(QStringLiteral("Cannot write %1: %2").arg(path, cutOffLineMessage(cut)));
    }
    SequentialWriter writer;
    writer.printLine(
        ellipsoid.EllipsoidName + u',' + ellipsoid.EllipsoidAxis + u',' + ellipsoid.EllipsoidFlattening);
    if (!writer.appendTo(path, &error)) {
        return AgnavOutcome::refused(QStringLiteral("Cannot write %1: %2").arg(path, error));
    }
    return AgnavOutcome::done();
}

AgnavOutcome saveUserEllipsoidRow(const AGNAVEllipsoid& ellipsoid)
{
    // Always the user's data folder, even where the program folder could be
    // written: a program folder writable today (a copy in the home folder)
    // may be installed read-only tomorrow or shared with other users, and
    // saving by where writing happens to work would split one list over two
    // files, of which the reader takes only the user's.
    const QString path = userDataFilePath(AgnavEllipsoidFileName);
    QString error;
    if (!makeFolder(userDataFolder(), &error)) {
        return AgnavOutcome::refused(
            QStringLiteral("Cannot write %1: cannot create the folder %2").arg(path, userDataFolder()));
    }
    return appendUserEllipsoid(path, ellipsoid, globals().RootDir + AgnavEllipsoidFileName);
}

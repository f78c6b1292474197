#include "korvel/agnav/exclusion_file_format.h"

#include "korvel/agnav/agnav_text_fields.h"
#include "platform/complete_lines.h"
#include "platform/sequential_file.h"
#include "platform/vb_error.h"
#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

#include <QStringList>
#include <algorithm>

namespace {

constexpr int MaxZones = 255;

// The zone number of a line's first word, rounded half to even; 0 for a
// word that is no number. Raises 6 for a number beyond any range.
double zoneNumber(const QString& word)
{
    const double zone = roundHalfEven(Val(word));
    return zone >= 1.0 ? zone : 0.0;
}

} // namespace

AgnavOutcome parseExclusionFile(const QByteArray& bytes, bool geographicFile, std::vector<ShapeRecord>& zones)
{
    zones.assign(1, ShapeRecord());
    // A cut last line may hold a vertex with lost digits that still reads.
    if (const int cut = cutOffLineNumber(bytes); cut > 0) {
        return AgnavOutcome::refused(cutOffLineMessage(cut));
    }
    SequentialReader reader(bytes);
    double current = 0.0;
    int line = 0;
    while (!reader.atEnd()) {
        const QStringList items = agnavLineItems(reader.readLine(), CommaSeparates::No);
        ++line;
        if (items.isEmpty()) {
            continue;
        }
        double zone = 0.0;
        double first = 0.0;
        double second = 0.0;
        try {
            zone = zoneNumber(items[0]);
            if (zone == 0.0) {
                continue; // zone 0 is no zone
            }
            if (items.size() < 3) {
                return AgnavOutcome::refused(QStringLiteral("Line %1: zone %2 is not followed by two values.")
                                                 .arg(line)
                                                 .arg(items[0]));
            }
            // A value that starts with no number reads as 0, as the format allows.
            first = Val(items[1]);
            second = Val(items[2]);
        } catch (const VbError& error) {
            return AgnavOutcome::refused(QStringLiteral("Line %1: %2").arg(line).arg(error.Description()));
        }
        if (zone != current) {
            if (static_cast<int>(zones.size()) > MaxZones) {
                return AgnavOutcome::refused(
                    QStringLiteral("Line %1: the file holds more than %2 exclusion zones.")
                        .arg(line)
                        .arg(MaxZones));
            }
            zones.emplace_back();
            zones.back().resize(0);
            current = zone;
        }
        ShapeRecord& shape = zones.back();
        if (geographicFile) {
            shape.X.push_back(second > 180.0 ? second - 360.0 : second);
            shape.Y.push_back(first);
        } else {
            shape.X.push_back(first);
            shape.Y.push_back(second);
        }
    }
    return AgnavOutcome::done();
}

int highestExclusionZoneNumber(const QByteArray& bytes)
{
    SequentialReader reader(bytes);
    double highest = 0.0;
    while (!reader.atEnd()) {
        const QStringList items = agnavLineItems(reader.readLine(), CommaSeparates::No);
        try {
            if (!items.isEmpty()) {
                highest = std::max(highest, zoneNumber(items[0]));
            }
        } catch (const VbError&) {
            // not a zone number the file could have been written with
        }
    }
    return static_cast<int>(std::min(highest, 1e9));
}

QString exclusionFileLine(int zoneNumber, double first, double second, bool geographicFile)
{
    const QString mask = geographicFile ? QStringLiteral("0.000000") : QStringLiteral("0.0");
    SequentialWriter writer;
    writer.print(QString::number(zoneNumber).leftJustified(4));
    writer.print(Format(first, mask));
    writer.nextZone();
    writer.print(Format(second, mask));
    writer.endLine();
    return writer.text();
}

#include "korvel/map/met_side_file.h"

#include "korvel/map/gis_layer_reader.h"
#include "platform/sequential_file.h"
#include "platform/vb_numbers.h"

namespace {

// Bounds of a box that crosses the 180 degree meridian: the whole globe but
// for a hair, so that conversions stay inside their zones' formulas.
constexpr double WrappedEast = 179.9999;
constexpr double WrappedWest = -179.9999;

// The value of a "Name: value" line: the text after its first ":", blanks
// around it cut. Taking the text from two characters after the colon would
// drop the sign of "West_Bounding_Coordinate:-96.5"; both forms read the
// same here.
std::optional<double> boundValue(const QString& line)
{
    const qsizetype colon = line.indexOf(u':');
    if (colon < 0) {
        return std::nullopt;
    }
    return numericValue(line.mid(colon + 1).trimmed());
}

// Reads the four bound lines after "Bounding_Coordinates" into west, east,
// north, south; returns the fault, or "" when all four are numbers.
QString readBounds(SequentialReader& reader, const QString& fileName, MapExtent& bounds)
{
    double* const targets[] = { &bounds.XMin, &bounds.XMax, &bounds.YMax, &bounds.YMin };
    for (double* target : targets) {
        if (reader.atEnd()) {
            return QStringLiteral("The side file %1 ends inside its Bounding_Coordinates.")
                .arg(quotedFileName(fileName));
        }
        const int lineNumber = reader.lineNumber();
        const QString line = reader.readLine();
        const std::optional<double> value = boundValue(line);
        if (!value) {
            return QStringLiteral(
                "The side file %1 gives no number for a bounding coordinate on line %2: \"%3\".")
                .arg(quotedFileName(fileName))
                .arg(lineNumber)
                .arg(line.trimmed());
        }
        *target = *value;
    }
    if (bounds.XMax < bounds.XMin) {
        bounds.XMax = WrappedEast;
        bounds.XMin = WrappedWest;
    }
    return {};
}

} // namespace

std::optional<MetSideFile> parseMetSideFile(const QByteArray& bytes, const QString& fileName, QString* error)
{
    MetSideFile met;
    SequentialReader reader(bytes);
    while (!reader.atEnd()) {
        const QString line = reader.readLine();
        if (line.contains(u"Bounding_Coordinates")) {
            MapExtent bounds;
            const QString fault = readBounds(reader, fileName, bounds);
            if (!fault.isEmpty()) {
                if (error) {
                    *error = fault;
                }
                return std::nullopt;
            }
            met.Bounds = bounds;
        } else if (line.contains(u"Geographic_Coordinate_Units")) {
            met.CoordType = line.contains(u"decimal degrees", Qt::CaseInsensitive) ? QStringLiteral("GEO")
                                                                                   : QStringLiteral("UTM");
            break;
        }
    }
    return met;
}

void applyMetSideFile(const MetSideFile& met, GISLayer& layer)
{
    if (met.Bounds) {
        layer.XMin = met.Bounds->XMin;
        layer.YMin = met.Bounds->YMin;
        layer.XMax = met.Bounds->XMax;
        layer.YMax = met.Bounds->YMax;
    }
    if (met.CoordType.isEmpty()) {
        return;
    }
    layer.CoordType = met.CoordType;
    if (met.CoordType == u"GEO") {
        if (layer.XMin < -180.0) {
            layer.XMin += 360.0;
        }
        if (layer.XMax < -180.0) {
            layer.XMax += 360.0;
        }
    }
}

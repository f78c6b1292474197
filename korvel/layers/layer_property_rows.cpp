#include "korvel/layers/layer_property_rows.h"

#include "korvel/shell/length_units.h"
#include "korvel/shell/polygon_area.h"
#include "korvel/workspace/agnav_block.h"
#include "korvel/workspace/layer_records.h"
#include "platform/vb_format.h"
#include "platform/vb_numbers.h"

#include <cmath>

namespace {

constexpr double kSquareMetresPerHectare = 10000.0;
constexpr double kSquareFeetPerAcre = 43560.0;

const QString kTimes = QStringLiteral(" \u00D7 ");

QString projectionName(const QString& coordType)
{
    return coordType == QLatin1String("GEO") ? QStringLiteral("Geographic") : QStringLiteral("UTM");
}

QString topologyName(int shapeType)
{
    switch (shapeType) {
    case 1:
        return QStringLiteral("Point");
    case 3:
        return QStringLiteral("Arc");
    case 5:
        return QStringLiteral("Polygon");
    default:
        return QString();
    }
}

} // namespace

QString layerFolder(const QString& path, const QString& fileName)
{
    return path.left(std::max<qsizetype>(0, path.size() - fileName.size()));
}

std::vector<PropertyRow> imagePropertyRows(const ImageLayer& image)
{
    std::vector<PropertyRow> rows {
        { QStringLiteral("File Name:"), image.FileName },
        { QStringLiteral("Location:"), layerFolder(image.Path, image.FileName) },
        { QStringLiteral("Georeferenced:"), CStr(image.Georeferenced) },
        { QStringLiteral("Image Size:"),
            CStr(image.PixelWidth) + kTimes + CStr(image.PixelHeight) + QStringLiteral(" pixels") },
    };
    if (image.Georeferenced) {
        rows.push_back({ QString(),
            CStr(image.Width) + kTimes + CStr(std::abs(image.Height)) + QStringLiteral(" meters") });
    }
    return rows;
}

std::vector<PropertyRow> gisPropertyRows(const GISLayer& layer)
{
    return {
        { QStringLiteral("File Name:"), layer.FileName },
        { QStringLiteral("Location:"), layerFolder(layer.Path, layer.FileName) },
        { QStringLiteral("Topology:"), topologyName(layer.ShapeType) },
        { QStringLiteral("No. of Features:"), CStr(layer.ShapeCount()) },
        { QStringLiteral("Projection:"), projectionName(layer.CoordType) },
        { QStringLiteral("Zone:"), CStr(layer.Zone) },
    };
}

double boundaryAreaOf(const AGNAVBlock& block)
{
    return std::fabs(block.Area);
}

double sprayAreaOf(const AGNAVBlock& block)
{
    double excluded = 0.0;
    const int zones = std::min(block.ExclusionZoneCount, int(block.ExclusionZones.size()) - 1);
    for (int z = 1; z <= zones; ++z) {
        // Measured on the zone as it is; PolygonArea leaves the points alone
        // and only fills in the zone and ellipsoid it used.
        int zone = 0;
        double axis = 0.0;
        double inverseFlattening = 0.0;
        excluded += std::fabs(PolygonArea(block.ExclusionZones[size_t(z)], zone, axis, inverseFlattening));
    }
    return boundaryAreaOf(block) - excluded;
}

QString areaText(double squareMetres, bool metric)
{
    // A boundary beyond its zone's reach has no area there.
    if (std::isnan(squareMetres)) {
        return QStringLiteral("n/a");
    }
    const double area = metric ? squareMetres / kSquareMetresPerHectare
                               : squareMetres * FeetPerMetre * FeetPerMetre / kSquareFeetPerAcre;
    return Format(area, QStringLiteral("###,###,###,##0.000"))
        + (metric ? QStringLiteral(" ha") : QStringLiteral(" ac"));
}

std::vector<PropertyRow> blockPropertyRows(const AGNAVBlock& block, bool metric)
{
    return {
        { QStringLiteral("File Name:"), block.FileName },
        { QStringLiteral("Location:"), layerFolder(block.Path, block.FileName) },
        { QStringLiteral("Projection:"), projectionName(block.CoordType) },
        { QStringLiteral("Zone:"), CStr(block.Zone) },
        { QStringLiteral("Ellipsoid:"), block.Ellipsoid.Name },
        { QStringLiteral("Boundary Area:"), areaText(boundaryAreaOf(block), metric) },
        { QStringLiteral("Spray Area:"), areaText(sprayAreaOf(block), metric) },
    };
}

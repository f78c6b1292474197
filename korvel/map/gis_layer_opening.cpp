#include "korvel/map/gis_layer_opening.h"

#include "korvel/map/gis_coordinate_conversion.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/file_helpers.h"
#include "platform/vb_error.h"
#include "platform/vb_runtime_errors.h"

#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <algorithm>

namespace {

constexpr qint32 kShapefileCode = 9994;

[[noreturn]] void raiseUnreadable(const QString& path, const QString& reason)
{
    throw VbError(RuntimeError::PathFileAccessError, QStringLiteral("KORVEL"),
        QStringLiteral("'%1' cannot be read: %2").arg(QFileInfo(path).fileName(), reason));
}

QByteArray readHead(const QString& path, qint64 count)
{
    QFile file(path);
    if (isFolder(path)) {
        throw VbError(
            RuntimeError::PathFileAccessError, QStringLiteral("KORVEL"), folderNotFileMessage(path));
    }
    if (!file.open(QIODevice::ReadOnly)) {
        raiseUnreadable(path, file.errorString());
    }
    return file.read(count);
}

} // namespace

QString gisFileHeaderRefusal(const QString& path)
{
    const QString kind = path.right(3).toLower();
    if (kind == u"shp") {
        const QByteArray head = readHead(path, 4);
        const qint32 code = head.size() == 4 ? qFromBigEndian<qint32>(head.constData()) : 0;
        return code == kShapefileCode ? QString() : QStringLiteral("File is not in SHP format");
    }
    if (kind == u"e00") {
        const QByteArray head = readHead(path, 4096);
        if (head.isEmpty()) {
            throw VbError(RuntimeError::InputPastEndOfFile, QStringLiteral("KORVEL"),
                QStringLiteral("Input past end of file: '%1' is empty").arg(QFileInfo(path).fileName()));
        }
        return head.startsWith("EXP") ? QString()
                                      : QStringLiteral("File does not seem to be in ArcExport format");
    }
    return QString();
}

void settleOpenedGISLayer(int index, bool loadingSession)
{
    LayerData& data = layerData();
    MapState& map = mapState();
    ProgramGlobals& program = globals();
    GISLayer& layer = data.GISLayers.at(size_t(index));

    if (layer.Zone == 0) {
        layer.Zone = map.Zone;
    }
    if (layer.CoordType == unsetCoordType()) {
        layer.CoordType
            = layer.XMax >= 360.0 || layer.YMax >= 180.0 ? QStringLiteral("UTM") : QStringLiteral("GEO");
    }
    const bool geographic = layer.CoordType == u"GEO";
    const bool utm = layer.CoordType == u"UTM";
    if (geographic && map.MapEmpty && !loadingSession) {
        program.UTMMode = false;
    }
    // A layer of any other coordinate type (an export file naming another
    // projection) is left as read.
    if (geographic && program.UTMMode) {
        ConvertGISLayerCoords(index, layer.Zone, 2);
    } else if (utm && !program.UTMMode) {
        ConvertGISLayerCoords(index, layer.Zone, 1);
    }
    const GISLayer& settled = data.GISLayers.at(size_t(index));
    MapExtent& extent = data.DataExtent;
    if (map.MapEmpty) {
        extent = { settled.XMin, settled.YMin, settled.XMax, settled.YMax };
    } else {
        extent.XMin = std::min(extent.XMin, settled.XMin);
        extent.YMin = std::min(extent.YMin, settled.YMin);
        extent.XMax = std::max(extent.XMax, settled.XMax);
        extent.YMax = std::max(extent.YMax, settled.YMax);
    }
    program.CoordFormat = program.UTMMode ? QStringLiteral("0") : QStringLiteral("0.0000");
}

QString captionWithCut(const QString& path, int cut)
{
    if (cut <= 0) {
        return path;
    }
    const int tail = qMax(0, int(path.size()) - 10 - cut);
    return path.left(10) + QStringLiteral(" ... ") + path.right(tail);
}

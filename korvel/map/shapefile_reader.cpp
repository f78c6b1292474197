#include "korvel/map/shapefile_reader.h"

#include "korvel/map/layer_records.h"
#include "korvel/map/map_state.h"
#include "korvel/map/met_side_file.h"
#include "korvel/map/shapefile_reader_records.h"
#include "platform/file_helpers.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"
#include "platform/vb_random.h"

#include <memory>
#include <new>

namespace {

constexpr qint64 LargeFileWords = 100000;

// The main file's bytes, read from a private copy when the file lies on a
// network file system. The copy is deleted when `copy` goes.
bool readMainFile(const QString& path, const QString& fileName, const GISReadOptions& options, QByteArray& bytes,
    QString& fault)
{
    const bool onNetwork = options.isOnNetwork ? options.isOnNetwork(path) : isOnNetworkFileSystem(path);
    QString error;
    std::unique_ptr<TemporaryCopy> copy;
    if (onNetwork) {
        copy = TemporaryCopy::create(path, &error);
        if (!copy) {
            fault = QStringLiteral("%1 cannot be copied from the network: %2").arg(quotedFileName(fileName), error);
            return false;
        }
    }
    if (!readWholeFile(copy ? copy->path() : path, bytes, &error)) {
        fault = QStringLiteral("%1 cannot be read: %2").arg(quotedFileName(fileName), error);
        return false;
    }
    return true;
}

// Applies the side file beside `path`, if there is one, to the layer read.
bool readSideFile(const QString& path, GISLayer& read, QString& fault)
{
    const QString metPath = findCompanionFile(path, QStringLiteral("met"));
    if (metPath.isEmpty()) {
        return true;
    }
    const QString metName = metPath.mid(metPath.lastIndexOf(u'/') + 1);
    QByteArray bytes;
    QString error;
    if (!readWholeFile(metPath, bytes, &error)) {
        fault = QStringLiteral("The side file %1 cannot be read: %2").arg(quotedFileName(metName), error);
        return false;
    }
    const std::optional<MetSideFile> met = parseMetSideFile(bytes, metName, &fault);
    if (!met) {
        return false;
    }
    applyMetSideFile(*met, read);
    return true;
}

// Hands what was read over to the layer record, field by field, so the
// opening's own fields (path, names, thickness) stay as they were.
void commit(GISLayer& read, std::int32_t colour, GISLayer& layer)
{
    layer.Shapes = std::move(read.Shapes);
    layer.ShapeParts = std::move(read.ShapeParts);
    layer.ShapeType = read.ShapeType;
    layer.XMin = read.XMin;
    layer.YMin = read.YMin;
    layer.XMax = read.XMax;
    layer.YMax = read.YMax;
    if (read.CoordType != unsetCoordType()) {
        layer.CoordType = read.CoordType;
    }
    if (read.ShapeType == 1) {
        layer.Zone = mapState().Zone;
    }
    layer.IndexPresent = read.IndexPresent;
    if (layer.Colours.empty()) {
        layer.Colours.resize(1);
    }
    layer.Colours[0] = colour;
}

GISReadResult readShapefile(GISLayer& layer, const GISReadOptions& options)
{
    const QString fileName = layerFileName(layer);
    QByteArray bytes;
    QString fault;
    if (!readMainFile(layer.Path, fileName, options, bytes, fault)) {
        return GISReadResult::failed(fault);
    }
    GISLayer read;
    const GISReadResult decoded = decodeShapefile(bytes, fileName, read);
    if (!decoded.ok) {
        return decoded;
    }
    if (!readSideFile(layer.Path, read, fault)) {
        return GISReadResult::failed(fault);
    }
    read.IndexPresent = !findCompanionFile(layer.Path, QStringLiteral("shx")).isEmpty();
    const qint64 lengthWords = readShapefileHeader(bytes)->FileBytes / 2;
    commit(read, newShapefileColour(lengthWords, options), layer);
    return GISReadResult::success();
}

} // namespace

std::int32_t newShapefileColour(qint64 fileLengthWords, const GISReadOptions& options)
{
    if (options.sessionColour) {
        return *options.sessionColour;
    }
    const auto& palette = mapState().LayerPalette;
    if (fileLengthWords > LargeFileWords) {
        return palette[static_cast<std::size_t>(Int(double(Rnd()) * 7.0)) + 1];
    }
    return palette[static_cast<std::size_t>(Int(double(Rnd()) * 5.0)) + 9];
}

GISReadResult ReadShapefile(GISLayer& layer, const GISReadOptions& options)
{
    try {
        return readShapefile(layer, options);
    } catch (const std::bad_alloc&) {
        return GISReadResult::failed(
            QStringLiteral("%1 is too large to load: out of memory.").arg(quotedFileName(layerFileName(layer))));
    } catch (const VbError& error) {
        return GISReadResult::failed(error.Description());
    }
}

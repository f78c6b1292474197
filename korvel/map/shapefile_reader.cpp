#include "korvel/map/shapefile_reader.h"

#include "korvel/map/met_side_file.h"
#include "korvel/map/shapefile_reader_records.h"
#include "korvel/workspace/large_block_allocator.h"
#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/map_state.h"
#include "platform/file_helpers.h"
#include "platform/vb_error.h"
#include "platform/vb_numbers.h"
#include "platform/vb_random.h"
#include "platform/vb_runtime_errors.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <memory>
#include <new>

namespace {

constexpr qint64 LargeFileWords = 100000;

// Reads a whole file into large-block memory: a big shapefile's bytes then
// arrive in huge pages like the layer's own arrays (see
// large_block_allocator.h). Missing files and folders give the runtime's
// texts, as readWholeFile() does for every other file.
bool readWholeFileLarge(const QString& path, LargeVector<char>& bytes, QString& error)
{
    const QFileInfo info(path);
    if (!info.isFile()) {
        error = runtimeErrorDescription(
            info.isDir() ? RuntimeError::PathFileAccessError : RuntimeError::FileNotFound);
        return false;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) {
        error = file.errorString();
        return false;
    }
    bytes.resize(static_cast<std::size_t>(std::max<qint64>(0, file.size())));
    qint64 done = 0;
    while (done < qint64(bytes.size())) {
        const qint64 got = file.read(bytes.data() + done, qint64(bytes.size()) - done);
        if (got < 0) {
            error = file.errorString();
            return false;
        }
        if (got == 0) {
            break; // the file shrank while being read: what is there is decoded, and refused if cut
        }
        done += got;
    }
    bytes.resize(static_cast<std::size_t>(done));
    return true;
}

// The main file's bytes, read from a private copy when the file lies on a
// network file system. The copy is deleted when `copy` goes.
bool readMainFile(const QString& path, const QString& fileName, const GISReadOptions& options,
    LargeVector<char>& bytes, QString& fault)
{
    const bool onNetwork = options.isOnNetwork ? options.isOnNetwork(path) : isOnNetworkFileSystem(path);
    QString error;
    std::unique_ptr<TemporaryCopy> copy;
    if (onNetwork) {
        copy = TemporaryCopy::create(path, &error);
        if (!copy) {
            fault = QStringLiteral("%1 cannot be copied from the network: %2")
                        .arg(quotedFileName(fileName), error);
            return false;
        }
    }
    if (!readWholeFileLarge(copy ? copy->path() : path, bytes, error)) {
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
    commitReadGeometry(read, layer);
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
    LargeVector<char> bytes;
    QString fault;
    if (!readMainFile(layer.Path, fileName, options, bytes, fault)) {
        return GISReadResult::failed(fault);
    }
    const QByteArrayView view(bytes.data(), qsizetype(bytes.size()));
    GISLayer read;
    const GISReadResult decoded = decodeShapefile(view, fileName, read);
    if (!decoded.ok) {
        return decoded;
    }
    if (!readSideFile(layer.Path, read, fault)) {
        return GISReadResult::failed(fault);
    }
    read.IndexPresent = !findCompanionFile(layer.Path, QStringLiteral("shx")).isEmpty();
    const qint64 lengthWords = readShapefileHeader(view)->FileBytes / 2;
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
        return GISReadResult::failed(QStringLiteral("%1 is too large to load: out of memory.")
                                         .arg(quotedFileName(layerFileName(layer))));
    } catch (const VbError& error) {
        return GISReadResult::failed(error.Description());
    }
}

#include "korvel/workspace/layer_records.h"

#include "korvel/workspace/list_rows.h"
#include "korvel/workspace/map_state.h"
#include "korvel/workspace/program_globals.h"
#include "platform/vb_error.h"
#include "platform/vb_runtime_errors.h"

namespace {

LayerData g_layers;

} // namespace

LayerData& layerData()
{
    return g_layers;
}

void resetLayerData()
{
    g_layers = LayerData();
}

QString loadLimitRefusal(int count, const QString& pluralName)
{
    if (count < MaxLoadedPerKind) {
        return QString();
    }
    return QStringLiteral("Cannot load more than %1 %2.").arg(MaxLoadedPerKind).arg(pluralName);
}

void raiseUnlessRoomFor(const QString& kindRefusal)
{
    const QString refusal = kindRefusal.isEmpty() ? listRowLimitRefusal() : kindRefusal;
    if (!refusal.isEmpty()) {
        // Error 6 (Overflow): what a count held in one byte raises at its 256th item.
        throw VbError(RuntimeError::Overflow, runtimeErrorSource(), refusal);
    }
}

QString gisLayerLimitRefusal()
{
    return loadLimitRefusal(g_layers.GISCount, QStringLiteral("GIS layers"));
}

QString imageLimitRefusal()
{
    return loadLimitRefusal(g_layers.ImageCount, QStringLiteral("images"));
}

int appendGISLayer()
{
    raiseUnlessRoomFor(gisLayerLimitRefusal());
    const int index = g_layers.GISCount + 1;
    g_layers.GISLayers.resize(static_cast<std::size_t>(index) + 1);
    g_layers.GISOrder.resize(static_cast<std::size_t>(index) + 1);
    g_layers.GISOrder[static_cast<std::size_t>(index)] = index;
    g_layers.GISCount = index;
    return index;
}

void removeLastGISLayer()
{
    if (g_layers.GISCount == 0) {
        return;
    }
    const int count = --g_layers.GISCount;
    g_layers.GISLayers.resize(static_cast<std::size_t>(count) + 1);
    g_layers.GISOrder.resize(static_cast<std::size_t>(count) + 1);
    if (count == 0) {
        globals().GISLoaded = false;
    }
}

int appendImage()
{
    raiseUnlessRoomFor(imageLimitRefusal());
    const int index = g_layers.ImageCount + 1;
    g_layers.Images.resize(static_cast<std::size_t>(index) + 1);
    g_layers.ImageOrder.resize(static_cast<std::size_t>(index) + 1);
    g_layers.ImageOrder[static_cast<std::size_t>(index)] = index;
    g_layers.ImageCount = index;
    return index;
}

void removeLastImage()
{
    if (g_layers.ImageCount == 0) {
        return;
    }
    const int count = --g_layers.ImageCount;
    g_layers.Images.resize(static_cast<std::size_t>(count) + 1);
    g_layers.ImageOrder.resize(static_cast<std::size_t>(count) + 1);
    if (count == 0) {
        globals().ImageLoaded = false;
    }
}

void removeAllLayers()
{
    const MapExtent lastExtent = g_layers.LastExtent;
    g_layers = LayerData();
    g_layers.LastExtent = lastExtent;
    globals().GISLoaded = false;
    globals().ImageLoaded = false;
    mapState().MapEmpty = true;
}

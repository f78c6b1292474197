#include "korvel/map/redraw_start.h"

namespace {

bool blockSwitchedOff(const BlockState& block)
{
    if (block.boundary.row.switchedOff()) {
        return true;
    }
    if ((block.guidance && block.guidance->switchedOff())
        || (block.exclusion && block.exclusion->switchedOff())) {
        return true;
    }
    for (const RowState& flight : block.flights) {
        if (flight.switchedOff()) {
            return true;
        }
    }
    return false;
}

// What stops the scan at an item: nothing, a row whose tick differs from
// what was drawn (unticked: the row that differs is now off), or a redraw flag.
enum class Stop { None, Ticked, Unticked, Redraw };

Stop layerStop(const LayerState& layer)
{
    if (layer.row.differs()) {
        return layer.row.ticked ? Stop::Ticked : Stop::Unticked;
    }
    return layer.redraw ? Stop::Redraw : Stop::None;
}

Stop rowStop(const RowState& row)
{
    if (!row.differs()) {
        return Stop::None;
    }
    return row.ticked ? Stop::Ticked : Stop::Unticked;
}

Stop blockStop(const BlockState& block)
{
    if (const Stop stop = layerStop(block.boundary); stop != Stop::None) {
        return stop;
    }
    if (block.guidance) {
        if (const Stop stop = rowStop(*block.guidance); stop != Stop::None) {
            return stop;
        }
    }
    if (block.exclusion) {
        if (const Stop stop = rowStop(*block.exclusion); stop != Stop::None) {
            return stop;
        }
    }
    for (const RowState& flight : block.flights) {
        if (const Stop stop = rowStop(flight); stop != Stop::None) {
            return stop;
        }
    }
    return Stop::None;
}

} // namespace

bool somethingSwitchedOff(const RedrawItems& items)
{
    for (const LayerState& image : items.images) {
        if (image.row.switchedOff()) {
            return true;
        }
    }
    for (const LayerState& layer : items.gisLayers) {
        if (layer.row.switchedOff()) {
            return true;
        }
    }
    for (const BlockState& block : items.blocks) {
        if (blockSwitchedOff(block)) {
            return true;
        }
    }
    return false;
}

int redrawStart(const RedrawItems& items, bool fullRedraw, bool layerRemoved)
{
    if (fullRedraw || layerRemoved || somethingSwitchedOff(items)) {
        return 1;
    }
    int position = 0;
    auto startAt = [&position](Stop stop) { return stop == Stop::Unticked ? 1 : position; };
    for (const LayerState& image : items.images) {
        ++position;
        if (const Stop stop = layerStop(image); stop != Stop::None) {
            return startAt(stop);
        }
    }
    for (const LayerState& layer : items.gisLayers) {
        ++position;
        if (const Stop stop = layerStop(layer); stop != Stop::None) {
            return startAt(stop);
        }
    }
    for (const BlockState& block : items.blocks) {
        ++position;
        if (const Stop stop = blockStop(block); stop != Stop::None) {
            return startAt(stop);
        }
    }
    return position + 1;
}

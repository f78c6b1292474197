#include "korvel/layers/layer_removal.h"

#include "korvel/workspace/layer_records.h"
#include "korvel/workspace/program_globals.h"

#include <algorithm>

namespace {

// Removes the record shown at `position` from records and order alike.
template <class Record>
bool removeAt(std::vector<Record>& records, std::vector<int>& order, int& count, int position)
{
    if (position < 1 || position > count || position >= int(order.size())) {
        return false;
    }
    const int removed = order[size_t(position)];
    if (removed >= 1 && removed < int(records.size())) {
        records.erase(records.begin() + removed);
    }
    order.erase(order.begin() + position);
    for (size_t i = 1; i < order.size(); ++i) {
        if (order[i] > removed) {
            --order[i];
        }
    }
    --count;
    return true;
}

} // namespace

void removeImageAtPosition(int position)
{
    LayerData& data = layerData();
    if (removeAt(data.Images, data.ImageOrder, data.ImageCount, position) && data.ImageCount == 0) {
        globals().ImageLoaded = false;
    }
}

void removeGISLayerAtPosition(int position)
{
    LayerData& data = layerData();
    if (removeAt(data.GISLayers, data.GISOrder, data.GISCount, position) && data.GISCount == 0) {
        globals().GISLoaded = false;
    }
}

int moveOrderEntry(std::vector<int>& order, int from, int to)
{
    const int size = int(order.size());
    if (from == to || from < 1 || to < 1 || from >= size || to >= size) {
        return 0;
    }
    const int repaint = from > to ? order[size_t(to)] : order[size_t(from + 1)];
    const auto first = order.begin();
    if (from > to) {
        std::rotate(first + to, first + from, first + from + 1);
    } else {
        std::rotate(first + from, first + from + 1, first + to + 1);
    }
    return repaint;
}

#include "korvel/workspace/map_state.h"

namespace {
MapState g_mapState;
}

MapState& mapState()
{
    return g_mapState;
}

void resetMapState()
{
    g_mapState = MapState();
}

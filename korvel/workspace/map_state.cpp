#include "korvel/workspace/map_state.h"

#include "korvel/workspace/program_globals.h"

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

QString zoneStatusText()
{
    return QStringLiteral("Zone %1 %2")
        .arg(g_mapState.Zone)
        .arg(globals().HemisphereLetters[g_mapState.NorthZone ? 1 : 0]);
}

#include "korvel/agnav/agnav_block.h"

namespace {
AgnavData g_agnav;
}

AgnavData& agnavData()
{
    return g_agnav;
}

void resetAgnavData()
{
    g_agnav = AgnavData();
}

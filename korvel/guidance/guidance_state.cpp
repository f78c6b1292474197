#include "korvel/guidance/guidance_state.h"

namespace {

GuidanceData g_data;

} // namespace

GuidanceData& guidanceData()
{
    return g_data;
}

void resetGuidanceData()
{
    g_data = GuidanceData();
}

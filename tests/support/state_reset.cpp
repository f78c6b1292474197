#include "tests/support/state_reset.h"

#include "korvel/agnav/agnav_block.h"
#include "korvel/map/layer_records.h"
#include "korvel/map/map_state.h"
#include "korvel/shell/program_globals.h"
#include "korvel/shell/status_progress.h"
#include "korvel/shell/utm_conversion.h"

void resetAllState(const QString& programDir)
{
    resetProgramGlobals();
    globals().RootDir = programDir;
    setStatusProgress(nullptr);
    resetUtmRegisters();
    resetLayerData();
    resetMapState();
    resetAgnavData();
}

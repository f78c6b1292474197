#include "tests/support/state_reset.h"

#include "korvel/shell/program_globals.h"
#include "korvel/shell/status_progress.h"
#include "platform/registry_store.h"

void resetAllState(const QString& programDir)
{
    resetProgramGlobals();
    globals().RootDir = programDir;
    setStatusProgress(nullptr);
    resetRegistryStore();
}

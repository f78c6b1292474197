#include "tests/support/state_reset.h"

void resetAllState(const QString& programDir)
{
    (void)programDir;
}

#pragma once
#include <QString>

// Puts every module's data, every platform service and every window back to
// its start state, as a fresh program run would have it. Each module that keeps
// state adds its reset here.
void resetAllState(const QString& programDir);

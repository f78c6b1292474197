#include "korvel/workspace/program_globals.h"

namespace {
ProgramGlobals g_globals;
}

ProgramGlobals& globals()
{
    return g_globals;
}

void resetProgramGlobals()
{
    g_globals = ProgramGlobals();
}

QString updaterPath()
{
    return globals().RootDir + QStringLiteral("quillet");
}

#include "korvel/prefs/load_from_command_line.h"

void LoadFromCommandLine(QString& commandLine)
{
    // Opening files by their extension comes with the loaders it calls.
    Q_UNUSED(commandLine);
}

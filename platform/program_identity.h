#pragma once
// Who the running program is: its executable name (the error source of the
// settings class), its title (the caption of every message box that names no
// caption of its own) and its version (the about box). Each program's main()
// sets its title; the version comes from the build.
#include <QString>

// The executable's file name without its extension ("korvel", "quillet").
QString programExeName();
// "KORVEL" for the main program, "Quillet" for the updater; the executable
// name until main() sets it.
QString programTitle();
int programMajorVersion();
int programMinorVersion();

void setProgramTitle(const QString& title);
// Stands in for the executable's own name, for tests that run as another binary.
void setProgramExeName(const QString& name);
void setProgramVersion(int major, int minor);

// Back to what the build and the executable say.
void resetProgramIdentity();

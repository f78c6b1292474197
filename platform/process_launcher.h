#pragma once
// Starting other programs. startProgram runs a program of ours (the updater)
// detached, without waiting, and says why when it could not. The desktop
// launcher stands in for the Windows tools the design opens (Notepad on a
// file, the display settings page): it hands the job to the desktop and
// ignores a failure quietly, as the design asks. Both go through an
// exchangeable launcher so tests see the call without starting anything.
#include <QString>
#include <QStringList>

struct ProcessStartResult
{
    bool started = false;
    QString error; // why not, for the user; empty when started
};

enum class LaunchKind {
    Program, // startProgram
    OpenWithDesktop, // openWithDesktop: "xdg-open" with the file or URL
    DisplaySettings, // openDisplaySettings
};

struct LaunchRequest
{
    LaunchKind kind = LaunchKind::Program;
    QString program; // the program, or "xdg-open"; empty for the display settings
    QStringList arguments;
};

class ProcessLauncher
{
public:
    virtual ~ProcessLauncher() = default;
    virtual ProcessStartResult launch(const LaunchRequest& request) = 0;
};

ProcessStartResult startProgram(const QString& program, const QStringList& arguments = {});
// Opens a file (in the program the desktop chose for it) or a URL.
void openWithDesktop(const QString& fileOrUrl);
// The desktop's display settings, when one of the known settings tools is
// installed; nothing otherwise.
void openDisplaySettings();

// Installs the launcher every start goes through; nullptr restores the real one.
// The caller keeps ownership.
void setProcessLauncher(ProcessLauncher* launcher);

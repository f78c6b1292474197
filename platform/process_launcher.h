#pragma once
// Starting other programs. startProgram runs a program of ours (the updater)
// detached, without waiting, and says why when it could not. The desktop
// launcher stands in for the Windows tools the design opens (the display
// settings page, a file opened by its kind): it hands the job to the desktop
// and ignores a failure quietly, as the design asks. A file the user wants
// to read goes to a text editor, and a failure to start one is reported.
// All go through an exchangeable launcher so tests see the call without
// starting anything.
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
    TextEditor, // openInTextEditor, with the file as the one argument
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
// Opens a file in a graphical text editor: the first installed of the common
// desktops' editors, else the desktop's own choice through "xdg-open".
// Says why when none could be started.
ProcessStartResult openInTextEditor(const QString& path);
// The desktop's display settings, when one of the known settings tools is
// installed; nothing otherwise.
void openDisplaySettings();

// Installs the launcher every start goes through; nullptr restores the real one.
// The caller keeps ownership.
void setProcessLauncher(ProcessLauncher* launcher);

#include "platform/process_launcher.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// Display settings tools of the common desktops, with the arguments that open
// their screen page, tried in this order.
struct SettingsTool
{
    const char* program;
    QStringList arguments;
};

const QList<SettingsTool>& displaySettingsTools()
{
    static const QList<SettingsTool> tools {
        { "gnome-control-center", { QStringLiteral("display") } },
        { "systemsettings", { QStringLiteral("kcm_kscreen") } },
        { "kcmshell6", { QStringLiteral("kcm_kscreen") } },
        { "kcmshell5", { QStringLiteral("kcm_kscreen") } },
        { "xfce4-display-settings", {} },
        { "cinnamon-settings", { QStringLiteral("display") } },
        { "mate-display-properties", {} },
        { "lxqt-config-monitor", {} },
        { "arandr", {} },
    };
    return tools;
}

ProcessStartResult startDetached(const QString& program, const QStringList& arguments)
{
    ProcessStartResult result;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    result.started = process.startDetached();
    if (!result.started) {
        result.error = QFileInfo::exists(program) || !QStandardPaths::findExecutable(program).isEmpty()
            ? QStringLiteral("%1 could not be started: %2").arg(program, process.errorString())
            : QStringLiteral("%1 was not found").arg(program);
    }
    return result;
}

// Graphical text editors of the common desktops, tried in this order; any
// of them opens a file whatever its content, where "xdg-open" goes by the
// file's kind and may find no program for a damaged one.
const QStringList& textEditors()
{
    static const QStringList editors { QStringLiteral("gnome-text-editor"), QStringLiteral("gedit"),
        QStringLiteral("kate"), QStringLiteral("kwrite"), QStringLiteral("mousepad"), QStringLiteral("xed"),
        QStringLiteral("pluma"), QStringLiteral("featherpad"), QStringLiteral("leafpad"),
        QStringLiteral("geany") };
    return editors;
}

ProcessStartResult startTextEditor(const QStringList& arguments)
{
    for (const QString& editor : textEditors()) {
        if (!QStandardPaths::findExecutable(editor).isEmpty()) {
            return startDetached(editor, arguments);
        }
    }
    const QString desktop = QStringLiteral("xdg-open");
    if (!QStandardPaths::findExecutable(desktop).isEmpty()) {
        return startDetached(desktop, arguments);
    }
    return { false, QStringLiteral("No text editor was found") };
}

class RealLauncher final : public ProcessLauncher
{
public:
    ProcessStartResult launch(const LaunchRequest& request) override
    {
        if (request.kind == LaunchKind::TextEditor) {
            return startTextEditor(request.arguments);
        }
        if (request.kind != LaunchKind::DisplaySettings) {
            return startDetached(request.program, request.arguments);
        }
        for (const SettingsTool& tool : displaySettingsTools()) {
            const QString program = QString::fromLatin1(tool.program);
            if (!QStandardPaths::findExecutable(program).isEmpty()) {
                return startDetached(program, tool.arguments);
            }
        }
        return { false, QStringLiteral("No display settings tool was found") };
    }
};

RealLauncher g_realLauncher;
ProcessLauncher* g_launcher = nullptr;

ProcessLauncher& launcher()
{
    return g_launcher ? *g_launcher : g_realLauncher;
}

} // namespace

ProcessStartResult startProgram(const QString& program, const QStringList& arguments)
{
    return launcher().launch({ LaunchKind::Program, program, arguments });
}

void openWithDesktop(const QString& fileOrUrl)
{
    launcher().launch({ LaunchKind::OpenWithDesktop, QStringLiteral("xdg-open"), { fileOrUrl } });
}

ProcessStartResult openInTextEditor(const QString& path)
{
    return launcher().launch({ LaunchKind::TextEditor, QString(), { path } });
}

void openDisplaySettings()
{
    launcher().launch({ LaunchKind::DisplaySettings, QString(), {} });
}

void setProcessLauncher(ProcessLauncher* launcher)
{
    g_launcher = launcher;
}

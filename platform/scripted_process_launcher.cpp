#include "platform/scripted_process_launcher.h"

ProcessStartResult ScriptedProcessLauncher::launch(const LaunchRequest& request)
{
    m_launches.push_back(request);
    const bool program = request.kind == LaunchKind::Program || request.kind == LaunchKind::TextEditor;
    if (program && !m_failures.empty()) {
        const QString reason = m_failures.front();
        m_failures.pop_front();
        return { false, reason };
    }
    return { true, QString() };
}

QStringList ScriptedProcessLauncher::takeLeftovers()
{
    QStringList leftovers;
    for (const QString& reason : m_failures) {
        leftovers
            << QStringLiteral("Program start failure \"%1\" was queued but nothing was started").arg(reason);
    }
    m_failures.clear();
    return leftovers;
}

void ScriptedProcessLauncher::reset()
{
    m_launches.clear();
    m_failures.clear();
}

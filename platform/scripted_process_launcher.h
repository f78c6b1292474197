#pragma once
// A launcher for tests: records every start and starts nothing. Program
// and text editor starts succeed unless the test queued a failure.
#include "platform/process_launcher.h"

#include <deque>
#include <vector>

class ScriptedProcessLauncher final : public ProcessLauncher
{
public:
    ProcessStartResult launch(const LaunchRequest& request) override;

    // The next program start fails with this reason.
    void queueStartFailure(const QString& reason) { m_failures.push_back(reason); }

    const std::vector<LaunchRequest>& launches() const { return m_launches; }
    // One line for every queued failure no start used; clears them.
    QStringList takeLeftovers();
    void reset();

private:
    std::vector<LaunchRequest> m_launches;
    std::deque<QString> m_failures;
};

#include "tests/support/child_process.h"

#include "tests/support/wait_until.h"

#include <QCoreApplication>
#include <QProcess>

#include <cstdio>
#include <map>
#include <string>

namespace {

const char kChildOption[] = "--korvel-child-action";

std::map<std::string, ChildAction>& actions()
{
    static std::map<std::string, ChildAction> registered;
    return registered;
}

} // namespace

ChildActionRegistration::ChildActionRegistration(const char* name, ChildAction action)
{
    actions()[name] = action;
}

ChildResult runChildAction(const QString& action, const QStringList& arguments, int timeoutMs)
{
    ChildResult result;
    QProcess child;
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
        QStringList { QString::fromLatin1(kChildOption), action } + arguments);
    if (!child.waitForStarted(timeoutMs)) {
        return result;
    }
    const bool ended = waitUntil([&child] { return child.state() == QProcess::NotRunning; }, timeoutMs);
    if (!ended) {
        child.kill();
        child.waitForFinished(1000);
        result.output = child.readAll();
        return result;
    }
    result.finished = child.exitStatus() == QProcess::NormalExit;
    result.exitCode = child.exitCode();
    result.output = child.readAll();
    return result;
}

bool runRequestedChildAction(int argc, char** argv, int& exitCode)
{
    if (argc < 3 || std::string(argv[1]) != kChildOption) {
        return false;
    }
    const auto found = actions().find(argv[2]);
    if (found == actions().end()) {
        std::fprintf(stderr, "no child action named %s\n", argv[2]);
        exitCode = 127;
        return true;
    }
    QStringList arguments;
    for (int i = 3; i < argc; ++i) {
        arguments << QString::fromLocal8Bit(argv[i]);
    }
    exitCode = found->second(arguments);
    return true;
}

#pragma once
// Lets a test run a piece of code in a second process: the test executable
// starts itself again with the name of an action registered here, and the
// child runs that action instead of the tests. For what must come from
// another process, such as a second copy of the program or an outside sender.
//
//     KORVEL_CHILD_ACTION(send_shutdown) { return sendToRunningInstance(...) ? 0 : 1; }
//     ...
//     const ChildResult child = runChildAction("send_shutdown");
#include <QByteArray>
#include <QString>
#include <QStringList>

using ChildAction = int (*)(const QStringList& arguments);

struct ChildActionRegistration
{
    ChildActionRegistration(const char* name, ChildAction action);
};

#define KORVEL_CHILD_ACTION(name)                                                                            \
    static int name##_childAction(const QStringList& arguments);                                             \
    static const ChildActionRegistration name##_childRegistration(#name, &name##_childAction);               \
    static int name##_childAction([[maybe_unused]] const QStringList& arguments)

struct ChildResult
{
    bool finished = false; // false: it did not start or did not end in time (then it is killed)
    int exitCode = -1;
    QByteArray output; // standard output and error together
};

// Starts the child and keeps this process's event loop running while it
// runs, so the child may talk to objects of this process. The child inherits
// the environment (KORVEL_INSTANCE_NAME among it).
ChildResult runChildAction(const QString& action, const QStringList& arguments = {}, int timeoutMs = 10000);

// For main(): when the command line asks for a child action, runs it and
// returns true with its exit code.
bool runRequestedChildAction(int argc, char** argv, int& exitCode);

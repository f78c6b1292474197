#include "platform/program_identity.h"

#include <QCoreApplication>
#include <QFileInfo>

#ifndef KORVEL_VERSION_MAJOR
#error "the build passes the project version as KORVEL_VERSION_MAJOR and KORVEL_VERSION_MINOR"
#endif

namespace {

struct ProgramIdentity
{
    QString exeName; // empty: taken from the running executable
    QString title; // empty: the executable name
    int major = KORVEL_VERSION_MAJOR;
    int minor = KORVEL_VERSION_MINOR;
};

ProgramIdentity g_identity;

} // namespace

QString programExeName()
{
    if (!g_identity.exeName.isEmpty()) {
        return g_identity.exeName;
    }
    // Without an application object there is no reliable path of our own.
    if (!QCoreApplication::instance()) {
        return QString();
    }
    return QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
}

QString programTitle()
{
    return g_identity.title.isEmpty() ? programExeName() : g_identity.title;
}

int programMajorVersion()
{
    return g_identity.major;
}

int programMinorVersion()
{
    return g_identity.minor;
}

void setProgramTitle(const QString& title)
{
    g_identity.title = title;
}

void setProgramExeName(const QString& name)
{
    g_identity.exeName = name;
}

void setProgramVersion(int major, int minor)
{
    g_identity.major = major;
    g_identity.minor = minor;
}

void resetProgramIdentity()
{
    g_identity = ProgramIdentity();
}

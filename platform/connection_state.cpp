#include "platform/connection_state.h"

#include <QNetworkInterface>

namespace {

QList<NetworkInterfaceState> systemInterfaces()
{
    QList<NetworkInterfaceState> states;
    for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
        const QNetworkInterface::InterfaceFlags flags = interface.flags();
        states.append({ interface.humanReadableName(), flags.testFlag(QNetworkInterface::IsUp),
            flags.testFlag(QNetworkInterface::IsLoopBack) });
    }
    return states;
}

NetworkInterfaceSource g_source;

} // namespace

bool InternetGetConnectedStateEx(quint32* flags, QString* connectionName)
{
    const QList<NetworkInterfaceState> interfaces = g_source ? g_source() : systemInterfaces();
    for (const NetworkInterfaceState& interface : interfaces) {
        if (interface.up && !interface.loopback) {
            if (flags) {
                *flags = INTERNET_CONNECTION_LAN;
            }
            if (connectionName) {
                *connectionName = interface.name;
            }
            return true;
        }
    }
    if (flags) {
        *flags = INTERNET_CONNECTION_OFFLINE;
    }
    if (connectionName) {
        connectionName->clear();
    }
    return false;
}

void setNetworkInterfaceSource(NetworkInterfaceSource source)
{
    g_source = std::move(source);
}

#pragma once
// The connection state of wininet (InternetGetConnectedStateEx): the machine
// counts as connected when a network interface other than the loopback is up,
// and the connection's name is the name of the first such interface in the
// system's order. The list of interfaces comes from Qt, or from a test.
#include <QList>
#include <QString>

#include <functional>

// The flags the call reports.
inline constexpr quint32 INTERNET_CONNECTION_LAN = 0x02;
inline constexpr quint32 INTERNET_CONNECTION_OFFLINE = 0x20;

struct NetworkInterfaceState
{
    QString name;
    bool up = false;
    bool loopback = false;
};

// Returns true when connected; `connectionName` gets the interface's name
// (empty when not connected) and `flags` INTERNET_CONNECTION_LAN or
// INTERNET_CONNECTION_OFFLINE. Either pointer may be null.
bool InternetGetConnectedStateEx(quint32* flags, QString* connectionName);

// Where the interfaces come from; an empty function restores Qt's list
// (QNetworkInterface::allInterfaces).
using NetworkInterfaceSource = std::function<QList<NetworkInterfaceState>()>;
void setNetworkInterfaceSource(NetworkInterfaceSource source);

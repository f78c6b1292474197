#include "platform/connection_state.h"

#include "tests/support/korvel_test.h"

namespace {

class ConnectionStateTest : public KorvelTest
{
protected:
    void TearDown() override
    {
        setNetworkInterfaceSource({});
        KorvelTest::TearDown();
    }

    static void useInterfaces(const QList<NetworkInterfaceState>& interfaces)
    {
        setNetworkInterfaceSource([interfaces] { return interfaces; });
    }
};

} // namespace

TEST_F(ConnectionStateTest, FirstInterfaceUpAndNotLoopbackNamesTheConnection)
{
    useInterfaces({ { "lo", true, true }, { "eth0", false, false }, { "wlan0", true, false },
        { "eth1", true, false } });
    quint32 flags = 0;
    QString name;
    EXPECT_TRUE(InternetGetConnectedStateEx(&flags, &name));
    EXPECT_EQ(name, "wlan0");
    EXPECT_EQ(flags, INTERNET_CONNECTION_LAN);
}

TEST_F(ConnectionStateTest, OnlyLoopbackOrDownInterfacesMeanOffline)
{
    useInterfaces({ { "lo", true, true }, { "eth0", false, false } });
    quint32 flags = 0;
    QString name = "stale";
    EXPECT_FALSE(InternetGetConnectedStateEx(&flags, &name));
    EXPECT_TRUE(name.isEmpty());
    EXPECT_EQ(flags, INTERNET_CONNECTION_OFFLINE);

    useInterfaces({});
    EXPECT_FALSE(InternetGetConnectedStateEx(nullptr, nullptr));
}

TEST_F(ConnectionStateTest, SystemListNeverCountsTheLoopback)
{
    QString name;
    if (InternetGetConnectedStateEx(nullptr, &name)) {
        EXPECT_FALSE(name.isEmpty());
        EXPECT_NE(name, "lo");
    } else {
        EXPECT_TRUE(name.isEmpty());
    }
}

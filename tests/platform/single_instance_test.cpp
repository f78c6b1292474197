#include "platform/single_instance.h"
#include "tests/support/child_process.h"
#include "tests/support/korvel_test.h"
#include "tests/support/wait_until.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalSocket>
#include <QtEndian>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

// What a second copy of the program does first.
KORVEL_CHILD_ACTION(probe_instance)
{
    return SingleInstance::anotherInstanceRunning() ? 1 : 0;
}

// An outside program sending a copy-data message: arguments are dwData and
// the text, with "\0" standing for a NUL byte.
KORVEL_CHILD_ACTION(send_copydata)
{
    QByteArray text = arguments.value(1).toLatin1();
    text.replace("\\0", QByteArray(1, '\0'));
    return sendToRunningInstance(text, arguments.value(0).toUInt(), 5000) ? 0 : 1;
}

namespace {

struct Received
{
    quint32 dwData;
    QByteArray data;
};

// A socket file with nobody behind it, as a copy that crashed leaves it.
void makeStaleSocket(const QString& path)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    const QByteArray bytes = path.toLocal8Bit();
    ASSERT_LT(size_t(bytes.size()), sizeof(address.sun_path));
    std::memcpy(address.sun_path, bytes.constData(), size_t(bytes.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
}

QByteArray header(quint32 dwData, quint32 size)
{
    QByteArray bytes(8, Qt::Uninitialized);
    qToLittleEndian<quint32>(dwData, bytes.data());
    qToLittleEndian<quint32>(size, bytes.data() + 4);
    return bytes;
}

} // namespace

class SingleInstanceTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        QObject::connect(
            &m_instance, &SingleInstance::copyDataReceived, [this](quint32 dwData, const QByteArray& data) {
                m_received.push_back({ dwData, data });
            });
    }

    // Writes raw bytes from this process. A complete message is answered and
    // the receiver hangs up; for anything else this side hangs up, as a
    // sender that died half-way would, and gives the receiver time to notice.
    void sendRaw(const QByteArray& bytes, bool complete = false)
    {
        QLocalSocket socket;
        socket.connectToServer(SingleInstance::serverName());
        ASSERT_TRUE(socket.waitForConnected(2000));
        socket.write(bytes);
        ASSERT_TRUE(waitUntil([&socket] { return socket.bytesToWrite() == 0; }));
        if (complete) {
            ASSERT_TRUE(waitUntil([&socket] { return socket.state() == QLocalSocket::UnconnectedState; }));
            return;
        }
        waitUntil([] { return false; }, 100);
        socket.disconnectFromServer();
        waitUntil([] { return false; }, 100);
    }

    SingleInstance m_instance;
    std::vector<Received> m_received;
};

// Runs a test body with the environment that picks the socket's folder:
// no test override, and the given runtime and temporary folders.
class SocketFolderTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        for (const char* name : { "KORVEL_INSTANCE_NAME", "XDG_RUNTIME_DIR", "TMPDIR" }) {
            m_saved.append({ name, qgetenv(name), qEnvironmentVariableIsSet(name) });
        }
        qunsetenv("KORVEL_INSTANCE_NAME");
        qputenv("TMPDIR", QFile::encodeName(workDir() + "tmp"));
        QDir().mkpath(workDir() + "tmp");
    }

    void TearDown() override
    {
        for (const Saved& saved : m_saved) {
            if (saved.set) {
                qputenv(saved.name, saved.value);
            } else {
                qunsetenv(saved.name);
            }
        }
        KorvelTest::TearDown();
    }

    // A folder of the test's with the given mode.
    QString folder(const QString& name, QFile::Permissions permissions) const
    {
        const QString path = workDir() + name;
        QDir().mkpath(path);
        QFile::setPermissions(path, permissions);
        return path;
    }

    QString fallback() const { return workDir() + QStringLiteral("tmp/korvel-%1").arg(::getuid()); }

private:
    struct Saved
    {
        const char* name;
        QByteArray value;
        bool set;
    };
    QList<Saved> m_saved;
};

constexpr QFile::Permissions kPrivate = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner;

TEST_F(SocketFolderTest, SocketLivesInTheRuntimeFolderOrAPrivateFolderOfTheUser)
{
    const QString runtime = folder("runtime", kPrivate);
    const QString shared = folder("shared", kPrivate | QFile::ReadOther | QFile::ExeOther);
    const QString linked = workDir() + "linked";
    ASSERT_TRUE(QFile::link(runtime, linked));
    const struct
    {
        const char* setting;
        QString runtimeDir; // empty: unset
        QString folder;
    } rows[] = {
        { "private runtime folder", runtime, runtime },
        { "runtime folder open to others", shared, fallback() },
        { "runtime folder is a link", linked, fallback() },
        { "no runtime folder", QString(), fallback() },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.setting);
        if (row.runtimeDir.isEmpty()) {
            qunsetenv("XDG_RUNTIME_DIR");
        } else {
            qputenv("XDG_RUNTIME_DIR", QFile::encodeName(row.runtimeDir));
        }
        EXPECT_EQ(SingleInstance::serverName(), row.folder + "/KORVEL_APPLICATION");
        QString why;
        EXPECT_TRUE(SingleInstance::isPrivateFolder(row.folder, ::getuid(), &why)) << why.toStdString();
    }
    EXPECT_EQ(QFileInfo(fallback()).permissions().toInt() & 0x0077, 0) << "made with mode 0700";
}

TEST_F(SocketFolderTest, OnlyARealFolderOfTheUserClosedToOthersIsPrivate)
{
    const QString own = folder("own", kPrivate);
    const QString group = folder("group", kPrivate | QFile::ReadGroup | QFile::ExeGroup);
    QFile plain(workDir() + "plain");
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile::link(own, workDir() + "link"));
    const struct
    {
        QString path;
        uint user;
        const char* why; // empty: private
    } rows[] = {
        { own, ::getuid(), "" },
        { own, ::getuid() + 1, "belongs to another user" },
        { group, ::getuid(), "is open to other users" },
        { workDir() + "link", ::getuid(), "is no folder" },
        { workDir() + "plain", ::getuid(), "is no folder" },
        { workDir() + "missing", ::getuid(), "does not exist" },
    };
    for (const auto& row : rows) {
        QString why;
        EXPECT_EQ(SingleInstance::isPrivateFolder(row.path, row.user, &why), *row.why == '\0')
            << row.path.toStdString();
        EXPECT_TRUE(why.isEmpty() ? *row.why == '\0' : why.endsWith(QLatin1String(row.why)))
            << row.path.toStdString() << ": " << why.toStdString();
    }
}

TEST_F(SocketFolderTest, OwnFallbackFolderIsNarrowedAndAForeignOneIsNotUsed)
{
    qunsetenv("XDG_RUNTIME_DIR");
    folder(QStringLiteral("tmp/korvel-%1").arg(::getuid()), kPrivate | QFile::ReadOther | QFile::ExeOther);
    EXPECT_EQ(SingleInstance::serverName(), fallback() + "/KORVEL_APPLICATION");
    EXPECT_EQ(QFileInfo(fallback()).permissions().toInt() & 0x0077, 0);

    // Another user put a link in the folder's place before us: KORVEL has
    // no mailbox, but it neither follows the link nor counts a copy there.
    ASSERT_TRUE(QDir(fallback()).removeRecursively());
    const QString theirs = folder("theirs", kPrivate);
    ASSERT_TRUE(QFile::link(theirs, fallback()));
    EXPECT_EQ(SingleInstance::serverName(), QString());
    EXPECT_FALSE(SingleInstance::anotherInstanceRunning());
    SingleInstance instance;
    EXPECT_FALSE(instance.listen());
    EXPECT_TRUE(instance.errorString().contains("is no folder")) << instance.errorString().toStdString();
    EXPECT_TRUE(QDir(theirs).isEmpty()) << "nothing was made in the other user's folder";
}

TEST_F(SingleInstanceTest, ListenerOfAnotherUserIsNoCopy)
{
    ASSERT_TRUE(m_instance.listen());
    // Seen from a user other than the one listening, the listener counts for
    // nothing, and its socket is not taken for a stale one either.
    EXPECT_FALSE(SingleInstance::instanceOfUserRunning(::getuid() + 1));
    EXPECT_TRUE(QFileInfo::exists(SingleInstance::serverName()));
    EXPECT_TRUE(m_instance.isListening());
    EXPECT_TRUE(SingleInstance::instanceOfUserRunning(::getuid()));
}

TEST_F(SingleInstanceTest, NameIsPerUserUnlessOverridden)
{
    EXPECT_TRUE(SingleInstance::serverName().endsWith("/instance"));
    const QByteArray saved = qgetenv("KORVEL_INSTANCE_NAME");
    qunsetenv("KORVEL_INSTANCE_NAME");
    EXPECT_EQ(SingleInstance::serverName(), SingleInstance::socketFolder() + "/KORVEL_APPLICATION");
    qputenv("KORVEL_INSTANCE_NAME", saved);
}

TEST_F(SingleInstanceTest, NoCopyRunningUntilOneListens)
{
    EXPECT_FALSE(SingleInstance::anotherInstanceRunning());
    ASSERT_TRUE(m_instance.listen()) << m_instance.errorString().toStdString();
    EXPECT_TRUE(SingleInstance::anotherInstanceRunning());
}

TEST_F(SingleInstanceTest, SecondCopyInAnotherProcessSeesTheFirst)
{
    EXPECT_EQ(runChildAction("probe_instance").exitCode, 0);
    ASSERT_TRUE(m_instance.listen());
    const ChildResult child = runChildAction("probe_instance");
    EXPECT_TRUE(child.finished) << child.output.toStdString();
    EXPECT_EQ(child.exitCode, 1);
}

TEST_F(SingleInstanceTest, SecondListenerIsRefused)
{
    ASSERT_TRUE(m_instance.listen());
    SingleInstance second;
    EXPECT_FALSE(second.listen());
    EXPECT_FALSE(second.errorString().isEmpty());
}

TEST_F(SingleInstanceTest, StaleSocketOfACrashedCopyIsRemovedAndDoesNotCount)
{
    makeStaleSocket(SingleInstance::serverName());
    ASSERT_TRUE(QFileInfo::exists(SingleInstance::serverName()));
    EXPECT_FALSE(SingleInstance::anotherInstanceRunning());
    EXPECT_FALSE(QFileInfo::exists(SingleInstance::serverName()));
}

TEST_F(SingleInstanceTest, ListenTakesOverAStaleSocket)
{
    makeStaleSocket(SingleInstance::serverName());
    EXPECT_TRUE(m_instance.listen()) << m_instance.errorString().toStdString();
}

TEST_F(SingleInstanceTest, MessageFromAnotherProcessArrivesWithItsBytes)
{
    ASSERT_TRUE(m_instance.listen());
    const ChildResult child = runChildAction("send_copydata", { "3", "KORVEL_Shutdown" });
    EXPECT_TRUE(child.finished) << child.output.toStdString();
    EXPECT_EQ(child.exitCode, 0) << "the sender got no answer";
    ASSERT_EQ(m_received.size(), 1u);
    EXPECT_EQ(m_received[0].dwData, 3u);
    EXPECT_EQ(m_received[0].data, "KORVEL_Shutdown");
}

TEST_F(SingleInstanceTest, BytesArriveRawWithNulAndOtherDwData)
{
    ASSERT_TRUE(m_instance.listen());
    EXPECT_EQ(runChildAction("send_copydata", { "2", "KORVEL_Shutdown\\0" }).exitCode, 0);
    ASSERT_EQ(m_received.size(), 1u);
    EXPECT_EQ(m_received[0].dwData, 2u);
    EXPECT_EQ(m_received[0].data, QByteArray("KORVEL_Shutdown", 16));
}

TEST_F(SingleInstanceTest, OverlongTextArrivesWhole)
{
    // Cutting to 254 bytes is the receiver's rule, not the channel's.
    ASSERT_TRUE(m_instance.listen());
    EXPECT_EQ(runChildAction("send_copydata", { "3", QString(300, 'x') }).exitCode, 0);
    ASSERT_EQ(m_received.size(), 1u);
    EXPECT_EQ(m_received[0].data.size(), 300);
}

TEST_F(SingleInstanceTest, SenderFailsWhenNoCopyRuns)
{
    EXPECT_EQ(runChildAction("send_copydata", { "3", "KORVEL_Shutdown" }).exitCode, 1);
}

TEST_F(SingleInstanceTest, DamagedMessagesAreDroppedQuietly)
{
    ASSERT_TRUE(m_instance.listen());
    sendRaw(QByteArray("\x03\x00", 2)); // shorter than a header
    sendRaw(header(3, 100) + "KORVEL"); // fewer bytes than announced
    sendRaw(header(3, 0x7FFFFFFF)); // absurd size, refused before buffering
    sendRaw(QByteArray()); // a probe that connects and leaves
    EXPECT_TRUE(m_received.empty());

    sendRaw(header(3, 6) + "KORVEL" + "trailing", true);
    ASSERT_EQ(m_received.size(), 1u);
    EXPECT_EQ(m_received[0].data, "KORVEL");
}

TEST_F(SingleInstanceTest, HandlerMayEndTheListenerWhileTheSenderWaits)
{
    // The shutdown command takes the main window, and this object, with it.
    auto* instance = new SingleInstance;
    ASSERT_TRUE(instance->listen());
    QObject::connect(instance, &SingleInstance::copyDataReceived, instance, [instance] { delete instance; });
    const ChildResult child = runChildAction("send_copydata", { "3", "KORVEL_Shutdown" });
    EXPECT_EQ(child.exitCode, 0) << child.output.toStdString();
}

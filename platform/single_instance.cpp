#include "platform/single_instance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QtEndian>

#include <cerrno>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A connection that stops half-way through its message is dropped after this.
constexpr int kIncompleteMessageMs = 10000;
constexpr int kConnectMs = 2000;
constexpr char kHandled = 1;
constexpr char kSocketName[] = "KORVEL_APPLICATION";

// The user of the process at the other end of a connected local socket, or -1.
qint64 peerUser(qintptr descriptor)
{
    ucred credentials {};
    socklen_t size = sizeof credentials;
    if (descriptor < 0 || ::getsockopt(int(descriptor), SOL_SOCKET, SO_PEERCRED, &credentials, &size) != 0) {
        return -1;
    }
    return qint64(credentials.uid);
}

// Connects to the copy of `user` listening on `name`. A listener of another
// user is hung up on: it is no copy of ours, whatever its name, and must
// neither stop this one from starting nor hear its messages.
bool connectToCopyOf(QLocalSocket& socket, const QString& name, uint user)
{
    if (name.isEmpty()) {
        return false;
    }
    socket.connectToServer(name);
    if (!socket.waitForConnected(kConnectMs)) {
        return false;
    }
    if (peerUser(socket.socketDescriptor()) != qint64(user)) {
        socket.abort();
        return false;
    }
    return true;
}

} // namespace

SingleInstance::SingleInstance(QObject* parent)
    : QObject(parent)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::serverName()
{
    const QString overridden = qEnvironmentVariable("KORVEL_INSTANCE_NAME");
    if (!overridden.isEmpty()) {
        return overridden;
    }
    const QString folder = socketFolder();
    return folder.isEmpty() ? QString() : folder + u'/' + QLatin1String(kSocketName);
}

bool SingleInstance::isPrivateFolder(const QString& path, uint user, QString* why)
{
    struct stat info
    {
    };
    QString problem;
    if (path.isEmpty() || ::lstat(QFile::encodeName(path).constData(), &info) != 0) {
        problem = QStringLiteral("%1 does not exist").arg(path);
    } else if (!S_ISDIR(info.st_mode)) {
        problem = QStringLiteral("%1 is no folder").arg(path);
    } else if (info.st_uid != user) {
        problem = QStringLiteral("%1 belongs to another user").arg(path);
    } else if ((info.st_mode & 077) != 0) {
        problem = QStringLiteral("%1 is open to other users").arg(path);
    }
    if (why) {
        *why = problem;
    }
    return problem.isEmpty();
}

QString SingleInstance::socketFolder(QString* error)
{
    const uint user = ::getuid();
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isPrivateFolder(runtime, user)) {
        return runtime;
    }
    // The temporary folder is shared: another user may have made the folder
    // first, and then it is not ours to use.
    const QString folder = QDir::tempPath() + QStringLiteral("/korvel-%1").arg(user);
    const QByteArray native = QFile::encodeName(folder);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
        if (error) {
            *error = QStringLiteral("Cannot create %1: %2").arg(folder, qt_error_string(errno));
        }
        return QString();
    }
    struct stat info
    {
    };
    // Our own folder made wider by someone's umask or chmod is narrowed again.
    if (::lstat(native.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == user
        && (info.st_mode & 077) != 0) {
        ::chmod(native.constData(), 0700);
    }
    QString why;
    if (!isPrivateFolder(folder, user, &why)) {
        if (error) {
            *error = QStringLiteral("No private folder for the program's socket: %1").arg(why);
        }
        return QString();
    }
    return folder;
}

bool SingleInstance::anotherInstanceRunning()
{
    return instanceOfUserRunning(::getuid());
}

bool SingleInstance::instanceOfUserRunning(uint user)
{
    const QString name = serverName();
    QLocalSocket probe;
    if (connectToCopyOf(probe, name, user)) {
        probe.disconnectFromServer();
        return true;
    }
    // The socket file exists but nobody listens: the copy that made it died.
    if (probe.error() == QLocalSocket::ConnectionRefusedError) {
        QLocalServer::removeServer(name);
    }
    return false;
}

bool SingleInstance::listen()
{
    if (isListening()) {
        return true;
    }
    delete m_server;
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = serverName();
    if (name.isEmpty()) {
        socketFolder(&m_error);
        return false;
    }
    // Checked first: Qt makes a socket with access options elsewhere and
    // renames it over the name, which would take it from a running copy.
    // The check also clears a stale socket file.
    if (anotherInstanceRunning()) {
        m_error = QStringLiteral("Another copy of the program is already listening on %1").arg(name);
        return false;
    }
    bool listening = m_server->listen(name);
    if (!listening && m_server->serverError() == QAbstractSocket::AddressInUseError) {
        // Something that is no live socket holds the name.
        QLocalServer::removeServer(name);
        listening = m_server->listen(name);
    }
    if (!listening) {
        m_error = QStringLiteral("Cannot listen on %1: %2").arg(name, m_server->errorString());
        return false;
    }
    m_error.clear();
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    return true;
}

bool SingleInstance::isListening() const
{
    return m_server && m_server->isListening();
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { readMessage(socket); });
        auto* timeout = new QTimer(socket);
        timeout->setSingleShot(true);
        connect(timeout, &QTimer::timeout, socket, &QLocalSocket::abort);
        timeout->start(kIncompleteMessageMs);
        // Data that arrived with the connection gives no readyRead of its own.
        readMessage(socket);
    }
}

void SingleInstance::readMessage(QLocalSocket* socket)
{
    const CopyDataFrame frame
        = readCopyDataFrame(socket->peek(qMin(socket->bytesAvailable(), CopyDataHeaderBytes + CopyDataMaxBytes)));
    if (frame.status == CopyDataFrame::TooLarge) {
        socket->abort();
        return;
    }
    if (frame.status == CopyDataFrame::Incomplete) {
        return;
    }
    const quint32 dwData = frame.dwData;
    const QByteArray data = frame.data;
    // One message per connection: whatever follows is ignored.
    disconnect(socket, &QLocalSocket::readyRead, this, nullptr);
    if (auto* timeout = socket->findChild<QTimer*>()) {
        timeout->stop();
    }
    // Delivered from the event loop, not from inside the socket's signal: the
    // handler may end the program and take this object and the socket with it.
    QPointer<QLocalSocket> alive(socket);
    QMetaObject::invokeMethod(
        this, [this, alive, dwData, data] { deliver(alive, dwData, data); }, Qt::QueuedConnection);
}

void SingleInstance::deliver(QLocalSocket* socket, quint32 dwData, const QByteArray& data)
{
    QPointer<SingleInstance> self(this);
    QPointer<QLocalSocket> alive(socket);
    emit copyDataReceived(dwData, data);
    if (!self || !alive) {
        return;
    }
    alive->write(&kHandled, 1);
    alive->flush();
    alive->disconnectFromServer();
}

QByteArray copyDataMessage(quint32 dwData, const QByteArray& data)
{
    QByteArray message(CopyDataHeaderBytes, Qt::Uninitialized);
    qToLittleEndian<quint32>(dwData, message.data());
    qToLittleEndian<quint32>(quint32(data.size()), message.data() + 4);
    return message + data;
}

CopyDataFrame readCopyDataFrame(QByteArrayView received)
{
    CopyDataFrame frame;
    if (received.size() < CopyDataHeaderBytes) {
        return frame;
    }
    const quint32 size = qFromLittleEndian<quint32>(received.data() + 4);
    if (size > CopyDataMaxBytes) {
        frame.status = CopyDataFrame::TooLarge;
        return frame;
    }
    if (received.size() < CopyDataHeaderBytes + qint64(size)) {
        return frame;
    }
    frame.status = CopyDataFrame::Whole;
    frame.dwData = qFromLittleEndian<quint32>(received.data());
    frame.data = received.sliced(CopyDataHeaderBytes, size).toByteArray();
    return frame;
}

bool sendToRunningInstance(const QByteArray& data, quint32 dwData, int timeoutMs)
{
    if (quint64(data.size()) > CopyDataMaxBytes) {
        return false;
    }
    const QDeadlineTimer deadline
        = timeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(timeoutMs);
    QLocalSocket socket;
    if (!connectToCopyOf(socket, SingleInstance::serverName(), ::getuid())) {
        return false;
    }
    const QByteArray message = copyDataMessage(dwData, data);
    if (socket.write(message) != message.size()) {
        return false;
    }
    while (socket.bytesToWrite() > 0) {
        if (!socket.waitForBytesWritten(int(deadline.remainingTime()))) {
            return false;
        }
    }
    if (socket.bytesAvailable() > 0) {
        return true;
    }
    if (socket.waitForReadyRead(int(deadline.remainingTime()))) {
        return true;
    }
    // The receiver closes without answering only when the handling took it
    // down with it (the shutdown command): the message was handled.
    return socket.error() == QLocalSocket::PeerClosedError;
}

#include "platform/single_instance.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>
#include <QTimer>
#include <QtEndian>

#include <unistd.h>

namespace {

constexpr qint64 kHeaderBytes = 8;
// Far above any command; a larger count is a stranger or garbage, and is
// refused before anything is buffered for it.
constexpr quint32 kMaxMessageBytes = 64 * 1024;
// A connection that stops half-way through its message is dropped after this.
constexpr int kIncompleteMessageMs = 10000;
constexpr int kConnectMs = 2000;
constexpr char kHandled = 1;

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
    // Each user runs a copy of their own.
    return QStringLiteral("KORVEL_APPLICATION-%1").arg(::getuid());
}

bool SingleInstance::anotherInstanceRunning()
{
    const QString name = serverName();
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(kConnectMs)) {
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
    char header[kHeaderBytes];
    if (socket->peek(header, kHeaderBytes) < kHeaderBytes) {
        return;
    }
    const quint32 dwData = qFromLittleEndian<quint32>(header);
    const quint32 size = qFromLittleEndian<quint32>(header + 4);
    if (size > kMaxMessageBytes) {
        socket->abort();
        return;
    }
    if (socket->bytesAvailable() < kHeaderBytes + qint64(size)) {
        return;
    }
    socket->skip(kHeaderBytes);
    const QByteArray data = socket->read(size);
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

bool sendToRunningInstance(const QByteArray& data, quint32 dwData, int timeoutMs)
{
    if (quint64(data.size()) > kMaxMessageBytes) {
        return false;
    }
    const QDeadlineTimer deadline
        = timeoutMs < 0 ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(SingleInstance::serverName());
    if (!socket.waitForConnected(kConnectMs)) {
        return false;
    }
    QByteArray message(kHeaderBytes, Qt::Uninitialized);
    qToLittleEndian<quint32>(dwData, message.data());
    qToLittleEndian<quint32>(quint32(data.size()), message.data() + 4);
    message += data;
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

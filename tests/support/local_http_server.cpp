#include "tests/support/local_http_server.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

namespace {

QByteArray reasonPhrase(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 301:
        return "Moved Permanently";
    case 302:
        return "Found";
    case 307:
        return "Temporary Redirect";
    case 404:
        return "Not Found";
    case 500:
        return "Internal Server Error";
    default:
        return "Status";
    }
}

} // namespace

LocalHttpServer::LocalHttpServer()
    : m_server(new QTcpServer(this))
{
    // The reads honour the session's proxy; this server is reached directly.
    const QByteArray noProxy = qgetenv("no_proxy");
    if (!noProxy.split(',').contains("127.0.0.1")) {
        qputenv("no_proxy", noProxy.isEmpty() ? QByteArray("127.0.0.1") : noProxy + ",127.0.0.1");
    }
    m_server->listen(QHostAddress::LocalHost, 0);
    connect(m_server, &QTcpServer::newConnection, this, &LocalHttpServer::accept);
}

LocalHttpServer::~LocalHttpServer()
{
    dropConnections();
}

bool LocalHttpServer::isListening() const
{
    return m_server->isListening();
}

quint16 LocalHttpServer::port() const
{
    return m_server->serverPort();
}

QString LocalHttpServer::address() const
{
    return QStringLiteral("http://127.0.0.1:%1").arg(port());
}

QString LocalHttpServer::url(const QString& path) const
{
    return address() + path;
}

void LocalHttpServer::serve(const QString& path, const HttpResponse& response)
{
    m_responses[path] = response;
}

void LocalHttpServer::serve(const QString& path, const QByteArray& body)
{
    HttpResponse response;
    response.body = body;
    serve(path, response);
}

void LocalHttpServer::redirect(const QString& path, const QString& target, int status)
{
    HttpResponse response;
    response.status = status;
    response.location = target.toUtf8();
    serve(path, response);
}

int LocalHttpServer::requestCount(const QString& path) const
{
    return int(m_requests.count(path));
}

void LocalHttpServer::dropConnections()
{
    for (QTcpSocket* socket : m_server->findChildren<QTcpSocket*>()) {
        socket->abort();
        socket->deleteLater();
    }
}

void LocalHttpServer::accept()
{
    while (QTcpSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { readRequest(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    }
}

void LocalHttpServer::readRequest(QTcpSocket* socket)
{
    // The whole head has come when the empty line has; reads have no body.
    if (socket->property("answered").toBool() || !socket->peek(1 << 16).contains("\r\n\r\n")) {
        return;
    }
    socket->setProperty("answered", true);
    const QList<QByteArray> requestLine = socket->readLine().trimmed().split(' ');
    socket->readAll();
    const QString path = requestLine.size() >= 2 ? QString::fromUtf8(requestLine[1]) : QString();
    m_requests.append(path);

    HttpResponse notFound;
    notFound.status = 404;
    notFound.body = "not found";
    const HttpResponse response = m_responses.value(path, notFound);
    if (response.firstByteDelayMs > 0) {
        QPointer<QTcpSocket> guarded(socket);
        QTimer::singleShot(response.firstByteDelayMs, this, [this, guarded, response] {
            if (guarded) {
                respond(guarded, response);
            }
        });
    } else {
        respond(socket, response);
    }
}

void LocalHttpServer::respond(QTcpSocket* socket, const HttpResponse& response)
{
    QByteArray head = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' + reasonPhrase(response.status)
        + "\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n";
    if (response.sendContentLength) {
        const qint64 length = response.announcedLength >= 0 ? response.announcedLength : response.body.size();
        head += "Content-Length: " + QByteArray::number(length) + "\r\n";
    }
    if (!response.location.isEmpty()) {
        head += "Location: " + response.location + "\r\n";
    }
    socket->write(head + "\r\n");
    sendPiece(socket, response.body, 0, response);
}

void LocalHttpServer::sendPiece(
    QTcpSocket* socket, const QByteArray& body, qsizetype offset, const HttpResponse& response)
{
    const qsizetype size = response.pieceSize > 0 ? response.pieceSize : body.size();
    socket->write(body.mid(offset, size));
    const qsizetype next = offset + size;
    if (next >= body.size()) {
        socket->disconnectFromHost(); // after what is written has gone out
        return;
    }
    QPointer<QTcpSocket> guarded(socket);
    QTimer::singleShot(response.pieceDelayMs, this, [this, guarded, body, next, response] {
        if (guarded) {
            sendPiece(guarded, body, next, response);
        }
    });
}

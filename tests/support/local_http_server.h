#pragma once
// A small HTTP server on 127.0.0.1 for tests of the network reads. It runs
// on the test's own event loop (wait with waitUntil), answers each request
// on its own connection and closes it afterwards, and can answer slowly, in
// pieces, without a Content-Length, with a Content-Length larger than what it
// sends (a short download), with a redirect or with an error status. Paths
// it was not told about get 404.
#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>

class QTcpServer;
class QTcpSocket;

struct HttpResponse
{
    QByteArray body;
    int status = 200;
    bool sendContentLength = true; // false: the body ends when the connection does
    qint64 announcedLength = -1; // the Content-Length sent; -1: the body's size
    QByteArray location; // for redirects
    int firstByteDelayMs = 0; // before anything is sent
    int pieceSize = 0; // the body goes out in pieces of this many bytes (0: at once)
    // Between the pieces. Qt reports progress at most every 100 ms, so a
    // test that wants to see each piece waits longer than that.
    int pieceDelayMs = 0;
};

class LocalHttpServer final : public QObject
{
    Q_OBJECT
public:
    LocalHttpServer();
    ~LocalHttpServer() override;

    bool isListening() const;
    quint16 port() const;
    // "http://127.0.0.1:<port>"
    QString address() const;
    // address() + path
    QString url(const QString& path) const;

    void serve(const QString& path, const HttpResponse& response);
    void serve(const QString& path, const QByteArray& body);
    // Answers `path` with `status` and a Location header.
    void redirect(const QString& path, const QString& target, int status = 302);

    // Returns how often a path was asked for.
    int requestCount(const QString& path) const;
    // Returns every request line's path in order.
    const QStringList& requests() const { return m_requests; }
    // Closes every connection at once, answered or not.
    void dropConnections();

private:
    void accept();
    void readRequest(QTcpSocket* socket);
    void respond(QTcpSocket* socket, const HttpResponse& response);
    void sendPiece(
        QTcpSocket* socket, const QByteArray& body, qsizetype offset, const HttpResponse& response);

    QTcpServer* m_server;
    QHash<QString, HttpResponse> m_responses;
    QStringList m_requests;
};

#pragma once
// The running copy's mailbox, standing in for the window property
// "KORVEL_APPLICATION" and the copy-data message: a local socket of the
// current user named after the property. A second copy finds the first by
// connecting to it; an outside program sends it a copy-data message through
// sendToRunningInstance.
//
// On the socket one message is, in little-endian order: dwData (4 bytes),
// cbData (4 bytes), then cbData bytes. The receiver answers with one byte once
// the message has been handled, so the sender waits for the handling as it
// did for the window message. What the bytes mean (the commands, the 254-byte
// limit, the cut at the first NUL) is the receiver's business.
#include <QByteArray>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

class SingleInstance final : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // "KORVEL_APPLICATION-<user id>" in the system's socket folder, or the
    // name in KORVEL_INSTANCE_NAME (a full path keeps test runs apart).
    static QString serverName();

    // True when a copy answers on the name. A socket file left behind by a
    // copy that crashed is removed and does not count.
    static bool anotherInstanceRunning();

    // Takes the name for this copy. False, with errorString(), when another
    // copy holds it or the socket cannot be made.
    bool listen();
    bool isListening() const;
    QString errorString() const { return m_error; }

signals:
    // One message as sent. Handled in the event loop of the user interface;
    // the sender is answered when the connected slots have returned.
    void copyDataReceived(quint32 dwData, const QByteArray& data);

private:
    void acceptConnections();
    void readMessage(QLocalSocket* socket);
    void deliver(QLocalSocket* socket, quint32 dwData, const QByteArray& data);

    QLocalServer* m_server = nullptr;
    QString m_error;
};

// Sends one copy-data message to the running copy and waits until it has been
// handled (timeoutMs < 0: as long as it takes). False when no copy runs, the
// message could not be written or no answer came in time. Blocks: call it
// from another process, never from the one that listens.
bool sendToRunningInstance(const QByteArray& data, quint32 dwData = 3, int timeoutMs = -1);

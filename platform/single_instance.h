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
#include <QByteArrayView>
#include <QObject>
#include <QString>

class QLocalServer;
class QLocalSocket;

// Far above any command; a larger count is a stranger or garbage, and is
// refused before anything is buffered for it.
inline constexpr quint32 CopyDataMaxBytes = 64 * 1024;
inline constexpr qint64 CopyDataHeaderBytes = 8;

// One message as the sender writes it on the socket.
QByteArray copyDataMessage(quint32 dwData, const QByteArray& data);

// What the bytes received so far on a connection hold: a whole message
// (followed by anything, which is ignored), not yet all of one, or the start
// of one that announces more than CopyDataMaxBytes.
struct CopyDataFrame
{
    enum Status { Incomplete, Whole, TooLarge };
    Status status = Incomplete;
    quint32 dwData = 0;
    QByteArray data; // when Whole
};
CopyDataFrame readCopyDataFrame(QByteArrayView received);

class SingleInstance final : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(QObject* parent = nullptr);
    ~SingleInstance() override;

    // "KORVEL_APPLICATION" in socketFolder(), or the name in
    // KORVEL_INSTANCE_NAME (a full path keeps test runs apart). Empty when
    // there is no private folder for it.
    static QString serverName();

    // The folder of the socket, private to the user so that no other user
    // can take its name: $XDG_RUNTIME_DIR when that is such a folder,
    // otherwise "korvel-<user id>" in the system's temporary folder, made
    // with mode 0700 and checked to be the user's own. Empty, with the
    // reason in `error`, when neither can be had.
    static QString socketFolder(QString* error = nullptr);
    // True when `path` is a folder itself (no link) that `user` owns and no
    // one else may enter; `why` says what is wrong otherwise.
    static bool isPrivateFolder(const QString& path, uint user, QString* why = nullptr);

    // True when a copy of this user answers on the name. A socket file left
    // behind by a copy that crashed is removed and does not count, nor does
    // a listener of another user.
    static bool anotherInstanceRunning();
    // The same for the copy of a given user.
    static bool instanceOfUserRunning(uint user);

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
// handled (timeoutMs < 0: as long as it takes). False when no copy of this
// user runs (a listener of another user is told nothing), the
// message could not be written or no answer came in time. Blocks: call it
// from another process, never from the one that listens.
bool sendToRunningInstance(const QByteArray& data, quint32 dwData = 3, int timeoutMs = -1);

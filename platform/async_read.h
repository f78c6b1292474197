#pragma once
// The runtime's asynchronous read of a URL for user controls (AsyncRead):
// a read runs in the background under a name of the caller's choosing and
// reports, on the user-interface thread, any number of progress notifications
// and then exactly one completion, each carrying the read's state as an
// AsyncProperty. Qt Network does the transfer on the event loop of the thread
// that owns the reader; http and https are read with redirects followed (never
// from https down to http), "file:" URLs and absolute paths from the disk.
//
// A read that fails after it started completes like one that succeeded; its
// state then has StatusCode vbAsyncStatusCodeError, the reason in Status and
// its kind in Fault, no Value and BytesRead 0, so a half-received body is
// never taken for data.
//
// Each read is bounded (AsyncReadLimits): it fails as soon as the server
// announces or sends more than the caller will take, so no more than that is
// ever held in memory, and when less than a kilobyte arrives in any 30
// seconds (a server that trickles one byte now and then holds nobody).
#include <QObject>
#include <QString>
#include <QVariant>

#include <map>
#include <memory>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;
class QTemporaryFile;
class QTimer;

// What a read delivers in Value (the runtime's AsyncTypeConstants).
inline constexpr int vbAsyncTypePicture = 0; // a QImage
inline constexpr int vbAsyncTypeFile = 1; // the name of a local file holding the data
inline constexpr int vbAsyncTypeByteArray = 2; // a QByteArray

// Where a read stands (the runtime's AsyncStatusCodeConstants we report).
inline constexpr int vbAsyncStatusCodeError = 0;
inline constexpr int vbAsyncStatusCodeDownloadingData = 5;
inline constexpr int vbAsyncStatusCodeEndDownloadData = 6;

// Why a read failed.
enum class AsyncReadFault {
    None,
    Failed, // no connection, a broken transfer, data of the wrong kind
    HttpStatus, // the server answered with an error status; Status is e.g. "404 Not Found"
    TooLarge, // more than AsyncReadLimits::maxBytes was announced or sent
    Stalled, // less than stallBytes arrived in stallMs
};

// What one read may take.
struct AsyncReadLimits
{
    qint64 maxBytes = 0; // the most the data may hold; 0: no bound
    qint64 stallBytes = 1024; // at least this much must arrive ...
    int stallMs = 30000; // ... in any span this long (ms); 0: no such rule
};

// The state of one read, as the runtime's AsyncProperty object.
struct AsyncProperty
{
    QString PropertyName; // the name the read was started under
    QString Target; // what was asked for, as given
    int AsyncType = vbAsyncTypeByteArray;
    QVariant Value; // set by the completion of a read that succeeded
    qint64 BytesRead = 0;
    qint64 BytesMax = 0; // 0 while the server has not told the total
    int StatusCode = vbAsyncStatusCodeDownloadingData;
    QString Status; // why the read failed; empty otherwise
    AsyncReadFault Fault = AsyncReadFault::None;
    int HttpStatus = 0; // the status the server answered with; 0 before an answer
};

class AsyncReader final : public QObject
{
    Q_OBJECT
public:
    explicit AsyncReader(QObject* parent = nullptr);
    // Ends the reads still running, without notifications.
    ~AsyncReader() override;

    // Starts reading `target` as `asyncType` under `propertyName`, within
    // `limits`. Returns false with the reason in `error` when the target is
    // no URL or path this reader can fetch, or a read of that name is
    // already running.
    bool AsyncRead(const QString& target, int asyncType, const QString& propertyName,
        QString* error = nullptr, const AsyncReadLimits& limits = AsyncReadLimits());

    // Ends the read of that name at once; no notification follows. False when
    // no read of that name runs.
    bool CancelAsyncRead(const QString& propertyName);
    // Ends every read at once, without notifications.
    void cancelAll();

    int readsInProgress() const { return int(m_reads.size()); }

    // A read without a stall rule (AsyncReadLimits::stallMs 0) that receives
    // nothing for this long fails (a server that went silent); 0 waits for
    // ever. Applies to reads started afterwards.
    void setTransferTimeout(int milliseconds) { m_transferTimeoutMs = milliseconds; }

signals:
    void AsyncReadProgress(const AsyncProperty& AsyncProp);
    void AsyncReadComplete(const AsyncProperty& AsyncProp);

private:
    struct Read
    {
        QNetworkReply* reply = nullptr;
        AsyncProperty state;
        AsyncReadLimits limits;
        QByteArray data; // what has arrived, never more than limits.maxBytes
        QTimer* stallTimer = nullptr; // runs out when the current span brought too little
        qint64 spanStart = 0; // data.size() when the current span began
    };

    void onHeaders(QNetworkReply* reply);
    void onData(QNetworkReply* reply);
    // Takes what the reply holds into the read's data; false (and the read
    // has failed) when that passes the limit.
    bool takeData(std::map<QString, Read>::iterator read);
    void onStalled(QNetworkReply* reply);
    void onProgress(QNetworkReply* reply, qint64 bytesReceived, qint64 bytesTotal);
    void onFinished(QNetworkReply* reply);
    void deliverValue(const QByteArray& data, AsyncProperty& state);
    // Ends a read at once and completes it as failed.
    void fail(std::map<QString, Read>::iterator read, AsyncReadFault fault, const QString& reason);
    // Removes a read from the books and returns it.
    Read takeRead(std::map<QString, Read>::iterator read);
    // Returns the read that `reply` belongs to, or m_reads.end().
    std::map<QString, Read>::iterator readOf(const QNetworkReply* reply);
    void discard(QNetworkReply* reply);

    QNetworkAccessManager* m_network;
    std::map<QString, Read> m_reads; // by PropertyName
    // The data files of file-kind reads stay until the reader goes.
    std::vector<std::unique_ptr<QTemporaryFile>> m_dataFiles;
    int m_transferTimeoutMs;
};

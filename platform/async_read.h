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
// state then has StatusCode vbAsyncStatusCodeError, the reason in Status, no
// Value and BytesRead 0, so a half-received body is never taken for data.
#include <QObject>
#include <QString>
#include <QVariant>

#include <map>
#include <memory>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;
class QTemporaryFile;

// What a read delivers in Value (the runtime's AsyncTypeConstants).
inline constexpr int vbAsyncTypePicture = 0; // a QImage
inline constexpr int vbAsyncTypeFile = 1; // the name of a local file holding the data
inline constexpr int vbAsyncTypeByteArray = 2; // a QByteArray

// Where a read stands (the runtime's AsyncStatusCodeConstants we report).
inline constexpr int vbAsyncStatusCodeError = 0;
inline constexpr int vbAsyncStatusCodeDownloadingData = 5;
inline constexpr int vbAsyncStatusCodeEndDownloadData = 6;

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
};

class AsyncReader final : public QObject
{
    Q_OBJECT
public:
    explicit AsyncReader(QObject* parent = nullptr);
    // Ends the reads still running, without notifications.
    ~AsyncReader() override;

    // Starts reading `target` as `asyncType` under `propertyName`. Returns
    // false with the reason in `error` when the target is no URL or path this
    // reader can fetch, or a read of that name is already running.
    bool AsyncRead(
        const QString& target, int asyncType, const QString& propertyName, QString* error = nullptr);

    // Ends the read of that name at once; no notification follows. False when
    // no read of that name runs.
    bool CancelAsyncRead(const QString& propertyName);
    // Ends every read at once, without notifications.
    void cancelAll();

    int readsInProgress() const { return int(m_reads.size()); }

    // A read that receives nothing for this long fails (a server that went
    // silent); 0 waits for ever. Applies to reads started afterwards.
    void setTransferTimeout(int milliseconds) { m_transferTimeoutMs = milliseconds; }

signals:
    void AsyncReadProgress(const AsyncProperty& AsyncProp);
    void AsyncReadComplete(const AsyncProperty& AsyncProp);

private:
    struct Read
    {
        QNetworkReply* reply = nullptr;
        AsyncProperty state;
    };

    void onProgress(QNetworkReply* reply, qint64 bytesReceived, qint64 bytesTotal);
    void onFinished(QNetworkReply* reply);
    void deliverValue(QNetworkReply* reply, AsyncProperty& state);
    // Returns the read that `reply` belongs to, or m_reads.end().
    std::map<QString, Read>::iterator readOf(const QNetworkReply* reply);
    void discard(QNetworkReply* reply);

    QNetworkAccessManager* m_network;
    std::map<QString, Read> m_reads; // by PropertyName
    // The data files of file-kind reads stay until the reader goes.
    std::vector<std::unique_ptr<QTemporaryFile>> m_dataFiles;
    int m_transferTimeoutMs;
};

#pragma once
// The updater's hold on the download library's class clsAsyncTransfer: it
// creates the object through the component registration (the library is
// loaded with dlopen, never linked) and turns the object's events into Qt
// signals, so a form connects to them like to a control's.
#include "platform/async_read.h"

#include <QObject>
#include <QString>

#include <memory>

class AsyncTransfer;

namespace quillet {

class AsyncTransferClient final : public QObject
{
    Q_OBJECT
public:
    // Returns a new clsAsyncTransfer, or nullptr with the reason in `error`.
    // When the class is not registered, the library is taken from
    // `libraryFolder` and registers itself.
    static std::unique_ptr<AsyncTransferClient> create(const QString& libraryFolder, QString* error);
    // Releases the object; when it was the last, its reads end.
    ~AsyncTransferClient() override;

    // See AsyncTransfer::DownloadFileLimited.
    bool DownloadFile(const QString& strFileKey, const QString& strPath, int lngFileType,
        const QString& strData, QString* startError = nullptr,
        const AsyncReadLimits& limits = AsyncReadLimits());
    void CancelDownload();

signals:
    void FileReadComplete(
        const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData);
    void FileReadProgress(
        const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData);

private:
    class Sink;

    explicit AsyncTransferClient(AsyncTransfer* object);

    AsyncTransfer* m_object;
    std::unique_ptr<Sink> m_sink;
};

} // namespace quillet

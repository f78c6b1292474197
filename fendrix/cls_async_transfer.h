#pragma once
// The library's public class behind the AsyncTransfer interface. Creating one
// loads the shared relay and makes the new object the receiver of every
// read's events; releasing the last one ends the reads still running.
#include "fendrix/async_transfer_interface.h"

class clsAsyncTransfer final : public AsyncTransfer
{
public:
    clsAsyncTransfer();
    ~clsAsyncTransfer();
    clsAsyncTransfer(const clsAsyncTransfer&) = delete;
    clsAsyncTransfer& operator=(const clsAsyncTransfer&) = delete;

    bool DownloadFile(const QString& strFileKey, const QString& strPath, int lngFileType,
        const QString& strData, QString* startError) noexcept override;
    bool DownloadFileLimited(const QString& strFileKey, const QString& strPath, int lngFileType,
        const QString& strData, const AsyncReadLimits& limits, QString* startError) noexcept override;
    void CancelDownload() noexcept override;
    void setEventSink(AsyncTransferEvents* sink) noexcept override;
    void Release() noexcept override;

    // Raised by the relay; they hand the event to the receiver.
    void RaiseFileReadComplete(
        const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData);
    void RaiseFileReadProgress(
        const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData);

    // Returns the number of objects alive (DllCanUnloadNow).
    static int objectCount() { return s_objectCount; }

private:
    AsyncTransferEvents* m_sink = nullptr;
    static int s_objectCount;
};

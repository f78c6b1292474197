#include "quillet/async_transfer_client.h"

#include "fendrix/async_transfer_interface.h"
#include "platform/component_loader.h"

namespace quillet {

// Receives the library's events and emits them as the client's signals.
class AsyncTransferClient::Sink final : public AsyncTransferEvents
{
public:
    explicit Sink(AsyncTransferClient& client)
        : m_client(client)
    {
    }

    void FileReadComplete(
        const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData) override
    {
        emit m_client.FileReadComplete(strFileKey, lngFileType, AsyncProp, strData);
    }

    void FileReadProgress(
        const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData) override
    {
        emit m_client.FileReadProgress(strFileKey, lngFileType, AsyncProp, strData);
    }

private:
    AsyncTransferClient& m_client;
};

std::unique_ptr<AsyncTransferClient> AsyncTransferClient::create(const QString& libraryFolder, QString* error)
{
    void* object = createComponentInstance(QLatin1String(CLSID_clsAsyncTransfer), IID_AsyncTransfer,
        libraryFolder + QLatin1String(FendrixLibraryFile), error);
    if (!object) {
        return nullptr;
    }
    return std::unique_ptr<AsyncTransferClient>(new AsyncTransferClient(static_cast<AsyncTransfer*>(object)));
}

AsyncTransferClient::AsyncTransferClient(AsyncTransfer* object)
    : m_object(object)
    , m_sink(std::make_unique<Sink>(*this))
{
    m_object->setEventSink(m_sink.get());
}

AsyncTransferClient::~AsyncTransferClient()
{
    m_object->setEventSink(nullptr);
    m_object->Release();
}

bool AsyncTransferClient::DownloadFile(const QString& strFileKey, const QString& strPath, int lngFileType,
    const QString& strData, QString* startError, const AsyncReadLimits& limits)
{
    return m_object->DownloadFileLimited(strFileKey, strPath, lngFileType, strData, limits, startError);
}

void AsyncTransferClient::CancelDownload()
{
    m_object->CancelDownload();
}

} // namespace quillet

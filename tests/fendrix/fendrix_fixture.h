#pragma once
// What the download library's tests share: the built libfendrix.so of the
// program folder, objects of its class made through the component
// registration as the updater makes them, and a receiver that records every
// event.
#include "fendrix/async_transfer_interface.h"
#include "tests/support/korvel_test.h"
#include "tests/support/local_http_server.h"

#include <functional>
#include <memory>
#include <vector>

struct TransferEvent
{
    bool complete = false;
    QString strFileKey;
    int lngFileType = 0;
    QString strData;
    AsyncProperty AsyncProp;
};

class RecordingSink final : public AsyncTransferEvents
{
public:
    void FileReadComplete(const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp,
        const QString& strData) override;
    void FileReadProgress(const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp,
        const QString& strData) override;

    std::vector<TransferEvent> events;
    // Runs inside the next completion event, once.
    std::function<void(const TransferEvent&)> onComplete;

    std::vector<TransferEvent> completions() const;
};

struct ReleaseTransfer
{
    void operator()(AsyncTransfer* object) const { object->Release(); }
};
using TransferObject = std::unique_ptr<AsyncTransfer, ReleaseTransfer>;

class FendrixTest : public KorvelTest
{
protected:
    static QString libraryPath();
    // A new clsAsyncTransfer, made as the updater makes it; its events go to `sink`.
    static TransferObject createObject(RecordingSink& sink);
    // Runs the event loop until the sink has `count` completions.
    static bool waitForCompletions(const RecordingSink& sink, size_t count, int timeoutMs = 5000);
    // Lets the event loop run for a while, for things that must not happen.
    static void settle(int milliseconds = 300);
    // A response that takes its time.
    static HttpResponse slowResponse(const QByteArray& body, int firstByteDelayMs = 300);

    LocalHttpServer server;
};

#include "tests/fendrix/fendrix_fixture.h"

#include "platform/component_loader.h"
#include "tests/support/wait_until.h"

#include <QCoreApplication>

void RecordingSink::FileReadComplete(
    const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData)
{
    events.push_back({ true, strFileKey, lngFileType, strData, AsyncProp });
    if (onComplete) {
        const auto handler = std::move(onComplete);
        onComplete = nullptr;
        handler(events.back());
    }
}

void RecordingSink::FileReadProgress(
    const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData)
{
    events.push_back({ false, strFileKey, lngFileType, strData, AsyncProp });
}

std::vector<TransferEvent> RecordingSink::completions() const
{
    std::vector<TransferEvent> found;
    for (const TransferEvent& event : events) {
        if (event.complete) {
            found.push_back(event);
        }
    }
    return found;
}

QString FendrixTest::libraryPath()
{
    return QStringLiteral(KORVEL_TEST_PROGRAM_DIR "/") + QLatin1String(FendrixLibraryFile);
}

TransferObject FendrixTest::createObject(RecordingSink& sink)
{
    QString error;
    auto* object = static_cast<AsyncTransfer*>(createComponentInstance(
        QLatin1String(CLSID_clsAsyncTransfer), IID_AsyncTransfer, libraryPath(), &error));
    EXPECT_NE(object, nullptr) << error.toStdString();
    if (object) {
        object->setEventSink(&sink);
    }
    return TransferObject(object);
}

bool FendrixTest::waitForCompletions(const RecordingSink& sink, size_t count, int timeoutMs)
{
    return waitUntil([&sink, count] { return sink.completions().size() >= count; }, timeoutMs);
}

void FendrixTest::settle(int milliseconds)
{
    waitUntil([] { return false; }, milliseconds);
    // Outside an event loop Qt keeps deleteLater() for later still.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

HttpResponse FendrixTest::slowResponse(const QByteArray& body, int firstByteDelayMs)
{
    HttpResponse response;
    response.body = body;
    response.firstByteDelayMs = firstByteDelayMs;
    return response;
}

#include "tests/fendrix/fendrix_fixture.h"

#include <QImage>

namespace {

using AsyncTransferTest = FendrixTest;
using AsyncTransferRefusals = FendrixTest;
using AsyncTransferRelay = FendrixTest;

QByteArray pngPicture()
{
    // A 1 x 1 PNG, enough for Qt to decode.
    return QByteArray::fromBase64(
        "iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mP8z8BQDwAEhQGAhKmMIQAAAABJRU5ErkJggg==");
}

} // namespace

TEST_F(AsyncTransferTest, TrimmedKeyAndTypeComeBackInTheEvents)
{
    RecordingSink sink;
    TransferObject object = createObject(sink);
    HttpResponse response;
    response.body = QByteArray(3000, 'x');
    response.pieceSize = 1000;
    response.pieceDelayMs = 150;
    server.serve("/file", response);

    ASSERT_TRUE(object->DownloadFile("  Update  ", server.url("/file"), dftByteArray, "Checking"));
    ASSERT_TRUE(waitForCompletions(sink, 1));
    ASSERT_GE(sink.events.size(), 2u);
    for (const TransferEvent& event : sink.events) {
        EXPECT_EQ(event.strFileKey, "Update");
        EXPECT_EQ(event.lngFileType, dftByteArray);
        EXPECT_EQ(event.strData, "Checking");
        EXPECT_EQ(event.AsyncProp.PropertyName, "Update|5");
    }
    EXPECT_FALSE(sink.events.front().complete) << "progress comes first";
    const TransferEvent& done = sink.events.back();
    EXPECT_TRUE(done.complete);
    EXPECT_EQ(done.AsyncProp.BytesRead, 3000);
    EXPECT_EQ(done.AsyncProp.BytesMax, 3000);
    EXPECT_EQ(done.AsyncProp.Value.toByteArray(), QByteArray(3000, 'x'));
}

TEST_F(AsyncTransferTest, SameKeyAndTypeIsRefusedUntilTheFirstCompletes)
{
    RecordingSink sink;
    TransferObject object = createObject(sink);
    server.serve("/slow", slowResponse("first"));

    ASSERT_TRUE(object->DownloadFile("Update", server.url("/slow"), dftByteArray, "one"));
    QString error = "stale";
    EXPECT_FALSE(object->DownloadFile("Update", server.url("/slow"), dftByteArray, "two", &error));
    EXPECT_TRUE(error.isEmpty()) << "a refusal is no failure to start";
    // The keys are kept as the runtime's collections keep them: regardless of case.
    EXPECT_FALSE(object->DownloadFile(" UPDATE", server.url("/slow"), dftByteArray, "three"));

    ASSERT_TRUE(waitForCompletions(sink, 1));
    settle(100);
    EXPECT_EQ(server.requestCount("/slow"), 1);
    EXPECT_EQ(sink.completions().front().strData, "one");

    EXPECT_TRUE(object->DownloadFile("Update", server.url("/slow"), dftByteArray, "again"));
    ASSERT_TRUE(waitForCompletions(sink, 2));
    EXPECT_EQ(sink.completions().back().strData, "again");
}

TEST_F(AsyncTransferTest, SameKeyWithTwoTypesGivesTwoIndependentReads)
{
    RecordingSink sink;
    TransferObject object = createObject(sink);
    server.serve("/slow", slowResponse("payload", 200));

    ASSERT_TRUE(object->DownloadFile("Update", server.url("/slow"), dftByteArray, "bytes"));
    ASSERT_TRUE(object->DownloadFile("Update", server.url("/slow"), dftFile, "file"));
    ASSERT_TRUE(waitForCompletions(sink, 2));

    for (const TransferEvent& done : sink.completions()) {
        if (done.strData == "bytes") {
            EXPECT_EQ(done.lngFileType, dftByteArray);
            EXPECT_EQ(done.AsyncProp.Value.toByteArray(), "payload");
        } else {
            EXPECT_EQ(done.lngFileType, dftFile);
            EXPECT_EQ(done.AsyncProp.PropertyName, "Update|1");
            QFile stored(done.AsyncProp.Value.toString());
            ASSERT_TRUE(stored.open(QIODevice::ReadOnly));
            EXPECT_EQ(stored.readAll(), "payload");
        }
    }
}

TEST_F(AsyncTransferTest, PictureTypesReadAlikeAndReportTheirOwnNumbers)
{
    RecordingSink sink;
    TransferObject object = createObject(sink);
    server.serve("/dot.png", pngPicture());
    for (const int type : { dftPicture, dftPicture16, dftPicture32 }) {
        ASSERT_TRUE(object->DownloadFile("Dot", server.url("/dot.png"), type, QString::number(type)));
    }
    ASSERT_TRUE(waitForCompletions(sink, 3));
    std::vector<int> types;
    for (const TransferEvent& done : sink.completions()) {
        types.push_back(done.lngFileType);
        EXPECT_EQ(done.strData, QString::number(done.lngFileType));
        EXPECT_EQ(done.AsyncProp.Value.value<QImage>().size(), QSize(1, 1));
    }
    std::sort(types.begin(), types.end());
    EXPECT_EQ(types, (std::vector<int> { 2, 3, 4 }));
}

TEST_F(AsyncTransferTest, FailedReadCompletesWithNothingRead)
{
    RecordingSink sink;
    TransferObject object = createObject(sink);
    ASSERT_TRUE(object->DownloadFile("Update", server.url("/missing"), dftByteArray, "Checking"));
    ASSERT_TRUE(waitForCompletions(sink, 1));
    const TransferEvent done = sink.completions().front();
    EXPECT_EQ(done.AsyncProp.BytesRead, 0);
    EXPECT_FALSE(done.AsyncProp.Status.isEmpty());
    EXPECT_TRUE(object->DownloadFile("Update", server.url("/missing"), dftByteArray, "Checking"))
        << "a failed read frees its key too";
}

TEST_F(AsyncTransferTest, KeyIsFreeAgainWithinItsOwnCompletion)
{
    RecordingSink sink;
    TransferObject object = createObject(sink);
    server.serve("/version.txt", "1.05\n2048000");
    bool restarted = false;
    sink.onComplete = [&](const TransferEvent&) {
        restarted = object->DownloadFile("Update", server.url("/version.txt"), dftByteArray, "second");
    };
    ASSERT_TRUE(object->DownloadFile("Update", server.url("/version.txt"), dftByteArray, "first"));
    ASSERT_TRUE(waitForCompletions(sink, 2));
    EXPECT_TRUE(restarted);
    EXPECT_EQ(sink.completions().back().strData, "second");
}

TEST_F(AsyncTransferTest, LimitedReadEndsAtItsLimitAndFreesItsKey)
{
    RecordingSink sink;
    TransferObject object = createObject(sink);
    server.serve("/file", QByteArray(3000, 'x'));
    AsyncReadLimits limits;
    limits.maxBytes = 2999;
    ASSERT_TRUE(
        object->DownloadFileLimited("Update", server.url("/file"), dftByteArray, "Downloading", limits));
    ASSERT_TRUE(waitForCompletions(sink, 1));
    const TransferEvent done = sink.completions().front();
    EXPECT_EQ(done.strData, "Downloading");
    EXPECT_EQ(done.AsyncProp.Fault, AsyncReadFault::TooLarge);
    EXPECT_FALSE(done.AsyncProp.Value.isValid());
    limits.maxBytes = 3000;
    ASSERT_TRUE(object->DownloadFileLimited("Update", server.url("/file"), dftByteArray, "again", limits));
    ASSERT_TRUE(waitForCompletions(sink, 2));
    EXPECT_EQ(sink.completions().back().AsyncProp.Value.toByteArray(), QByteArray(3000, 'x'));
}

TEST_F(AsyncTransferRefusals, BadKeysAndTypesStartNothing)
{
    RecordingSink sink;
    TransferObject object = createObject(sink);
    server.serve("/file", "data");
    const struct
    {
        const char* key;
        int type;
    } rows[] = {
        { "Update", 0 },
        { "Update", 6 },
        { "Update", -5 },
        { "", dftByteArray },
        { "    ", dftByteArray },
        // Its transfer key "Up|date|5" would split into the key "Up" and no type.
        { "Up|date", dftByteArray },
    };
    for (const auto& row : rows) {
        QString error = "stale";
        EXPECT_FALSE(object->DownloadFile(row.key, server.url("/file"), row.type, "x", &error))
            << '"' << row.key << "\" " << row.type;
        EXPECT_TRUE(error.isEmpty());
    }
    settle(200);
    EXPECT_TRUE(server.requests().isEmpty());
    EXPECT_TRUE(sink.events.empty());
}

TEST_F(AsyncTransferRefusals, ReadThatCannotStartSaysWhyAndFreesItsKey)
{
    RecordingSink sink;
    TransferObject object = createObject(sink);
    QString error;
    EXPECT_FALSE(object->DownloadFile(
        "Update", "ftp://updates.korvel.invalid/version.txt", dftByteArray, "x", &error));
    EXPECT_TRUE(error.contains("ftp")) << error.toStdString();

    server.serve("/version.txt", "1.1\n10");
    EXPECT_TRUE(object->DownloadFile("Update", server.url("/version.txt"), dftByteArray, "x", &error));
    EXPECT_TRUE(error.isEmpty());
    EXPECT_TRUE(waitForCompletions(sink, 1));
}

TEST_F(AsyncTransferRelay, CancelEndsEveryReadWithoutEvents)
{
    RecordingSink sink;
    TransferObject object = createObject(sink);
    server.serve("/slow", slowResponse("late", 300));
    ASSERT_TRUE(object->DownloadFile("Update", server.url("/slow"), dftByteArray, "a"));
    ASSERT_TRUE(object->DownloadFile("Other", server.url("/slow"), dftFile, "b"));
    object->CancelDownload();
    settle(600);
    EXPECT_TRUE(sink.events.empty());

    // New books: the same keys start again, and the events still reach this object.
    ASSERT_TRUE(object->DownloadFile("Update", server.url("/slow"), dftByteArray, "c"));
    ASSERT_TRUE(waitForCompletions(sink, 1));
    EXPECT_EQ(sink.completions().front().strData, "c");
}

TEST_F(AsyncTransferRelay, EventsGoToTheObjectCreatedLast)
{
    RecordingSink first;
    RecordingSink second;
    TransferObject older = createObject(first);
    server.serve("/slow", slowResponse("data", 200));
    ASSERT_TRUE(older->DownloadFile("Early", server.url("/slow"), dftByteArray, "started before"));
    TransferObject newer = createObject(second);
    ASSERT_TRUE(older->DownloadFile("Older", server.url("/slow"), dftByteArray, "through the older"));
    ASSERT_TRUE(newer->DownloadFile("Newer", server.url("/slow"), dftByteArray, "through the newer"));

    ASSERT_TRUE(waitForCompletions(second, 3));
    EXPECT_TRUE(first.events.empty());
    // Both objects share one set of books: a key in progress is refused through either.
    ASSERT_TRUE(newer->DownloadFile("Shared", server.url("/slow"), dftByteArray, "x"));
    EXPECT_FALSE(older->DownloadFile("Shared", server.url("/slow"), dftByteArray, "x"));
    ASSERT_TRUE(waitForCompletions(second, 4));
}

TEST_F(AsyncTransferRelay, ReleasingTheReceiverDropsItsEvents)
{
    RecordingSink first;
    RecordingSink second;
    TransferObject older = createObject(first);
    TransferObject newer = createObject(second);
    server.serve("/slow", slowResponse("data", 200));
    ASSERT_TRUE(older->DownloadFile("Update", server.url("/slow"), dftByteArray, "x"));
    newer.reset(); // the receiver goes; the older object does not take over
    settle(500);
    EXPECT_TRUE(first.events.empty());
    EXPECT_TRUE(older->DownloadFile("Update", server.url("/slow"), dftByteArray, "x"))
        << "the read ended, so its key is free";
}

TEST_F(AsyncTransferRelay, ReleasingTheLastObjectEndsItsReads)
{
    RecordingSink sink;
    TransferObject object = createObject(sink);
    server.serve("/slow", slowResponse("data", 200));
    ASSERT_TRUE(object->DownloadFile("Update", server.url("/slow"), dftByteArray, "x"));
    object.reset();
    settle(500);
    EXPECT_TRUE(sink.events.empty());

    TransferObject next = createObject(sink);
    EXPECT_TRUE(next->DownloadFile("Update", server.url("/slow"), dftByteArray, "y")) << "fresh books";
    ASSERT_TRUE(waitForCompletions(sink, 1));
}

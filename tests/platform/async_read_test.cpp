#include "platform/async_read.h"

#include "tests/support/korvel_test.h"
#include "tests/support/local_http_server.h"
#include "tests/support/wait_until.h"

#include <QElapsedTimer>
#include <QFile>

#include <vector>

namespace {

class AsyncReadTest : public KorvelTest
{
protected:
    void SetUp() override
    {
        KorvelTest::SetUp();
        ASSERT_TRUE(server.isListening());
        QObject::connect(&reader, &AsyncReader::AsyncReadProgress,
            [this](const AsyncProperty& state) { progress.push_back(state); });
        QObject::connect(&reader, &AsyncReader::AsyncReadComplete,
            [this](const AsyncProperty& state) { completed.push_back(state); });
    }

    // Starts a read and waits for its completion; returns it.
    AsyncProperty readToEnd(const QString& target, int type = vbAsyncTypeByteArray,
        const AsyncReadLimits& limits = AsyncReadLimits())
    {
        QString error;
        EXPECT_TRUE(reader.AsyncRead(target, type, QStringLiteral("read"), &error, limits))
            << error.toStdString();
        EXPECT_TRUE(waitUntil([this] { return !completed.empty(); }));
        return completed.empty() ? AsyncProperty() : completed.back();
    }

    static QByteArray bytes(int count)
    {
        QByteArray data(count, '\0');
        for (int i = 0; i < count; ++i) {
            data[i] = char(i * 7);
        }
        return data;
    }

    LocalHttpServer server;
    AsyncReader reader;
    std::vector<AsyncProperty> progress;
    std::vector<AsyncProperty> completed;
};

using AsyncReadFailures = AsyncReadTest;

} // namespace

TEST_F(AsyncReadTest, ByteArrayReadDeliversDataOnceWithItsName)
{
    server.serve("/data.bin", bytes(5000));
    const AsyncProperty done = readToEnd(server.url("/data.bin"));
    ASSERT_EQ(completed.size(), 1u);
    EXPECT_EQ(done.PropertyName, "read");
    EXPECT_EQ(done.Target, server.url("/data.bin"));
    EXPECT_EQ(done.StatusCode, vbAsyncStatusCodeEndDownloadData);
    EXPECT_TRUE(done.Status.isEmpty());
    EXPECT_EQ(done.Value.toByteArray(), bytes(5000));
    EXPECT_EQ(done.BytesRead, 5000);
    EXPECT_EQ(reader.readsInProgress(), 0);
}

TEST_F(AsyncReadTest, ProgressCarriesTheTotalWhenTheServerTellsIt)
{
    HttpResponse slow;
    slow.body = bytes(4000);
    slow.pieceSize = 1000;
    slow.pieceDelayMs = 150;
    server.serve("/slow.bin", slow);
    readToEnd(server.url("/slow.bin"));
    ASSERT_GE(progress.size(), 2u) << "one notification per piece at least";
    for (const AsyncProperty& step : progress) {
        EXPECT_EQ(step.BytesMax, 4000);
        EXPECT_EQ(step.PropertyName, "read");
    }
    EXPECT_LT(progress.front().BytesRead, 4000);
    EXPECT_EQ(progress.back().BytesRead, 4000);
}

TEST_F(AsyncReadTest, ProgressWithoutContentLengthHasNoTotal)
{
    HttpResponse open;
    open.body = bytes(3000);
    open.sendContentLength = false;
    open.pieceSize = 1000;
    open.pieceDelayMs = 150;
    server.serve("/open.bin", open);
    const AsyncProperty done = readToEnd(server.url("/open.bin"));
    ASSERT_FALSE(progress.empty());
    for (const AsyncProperty& step : progress) {
        EXPECT_EQ(step.BytesMax, 0);
    }
    EXPECT_EQ(done.Value.toByteArray(), bytes(3000));
}

TEST_F(AsyncReadTest, RedirectsAreFollowed)
{
    server.redirect("/old", server.url("/moved"), 301);
    server.redirect("/moved", "/new", 302); // a relative target too
    server.serve("/new", "arrived");
    const AsyncProperty done = readToEnd(server.url("/old"));
    EXPECT_EQ(done.Value.toByteArray(), "arrived");
    EXPECT_EQ(server.requests(), QStringList({ "/old", "/moved", "/new" }));
}

TEST_F(AsyncReadTest, ReadsGoThroughTheSessionsProxy)
{
    // The test server plays the proxy: it is asked for the whole URL.
    const QByteArray saved = qgetenv("http_proxy");
    qputenv("http_proxy", server.address().toUtf8());
    server.serve("http://updates.korvel.invalid/version.txt", "via the proxy");
    const AsyncProperty done = readToEnd("http://updates.korvel.invalid/version.txt");
    if (saved.isEmpty()) {
        qunsetenv("http_proxy");
    } else {
        qputenv("http_proxy", saved);
    }
    EXPECT_EQ(done.Value.toByteArray(), "via the proxy") << done.Status.toStdString();
}

TEST_F(AsyncReadTest, LocalPathsAreRead)
{
    QFile file(workDir() + "local.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("from the disk");
    file.close();
    EXPECT_EQ(readToEnd(workDir() + "local.txt").Value.toByteArray(), "from the disk");
}

TEST_F(AsyncReadTest, CancelledReadsReportNothingAndFreeTheirName)
{
    HttpResponse slow;
    slow.body = bytes(2000);
    slow.firstByteDelayMs = 300;
    server.serve("/slow", slow);
    ASSERT_TRUE(reader.AsyncRead(server.url("/slow"), vbAsyncTypeByteArray, "a"));
    ASSERT_TRUE(reader.AsyncRead(server.url("/slow"), vbAsyncTypeByteArray, "b"));
    EXPECT_TRUE(reader.CancelAsyncRead("a"));
    EXPECT_FALSE(reader.CancelAsyncRead("a"));
    reader.cancelAll();
    EXPECT_EQ(reader.readsInProgress(), 0);
    waitUntil([] { return false; }, 500);
    EXPECT_TRUE(completed.empty());
    EXPECT_TRUE(progress.empty());
    EXPECT_TRUE(reader.AsyncRead(server.url("/slow"), vbAsyncTypeByteArray, "a"));
}

TEST_F(AsyncReadFailures, TargetsThatCannotBeReadDoNotStart)
{
    const struct
    {
        const char* target;
        const char* reasonPart;
    } rows[] = {
        { "", "no valid address" },
        { "updates.example", "no valid address" },
        { "ftp://127.0.0.1/x", "\"ftp\"" },
        { "http:///version.txt", "names no server" },
    };
    for (const auto& row : rows) {
        QString error;
        EXPECT_FALSE(reader.AsyncRead(QString::fromLatin1(row.target), vbAsyncTypeByteArray, "x", &error))
            << row.target;
        EXPECT_TRUE(error.contains(QLatin1String(row.reasonPart)))
            << row.target << ": " << error.toStdString();
    }
    QString error;
    EXPECT_FALSE(reader.AsyncRead(server.url("/x"), 7, "x", &error)) << "no such kind of read";
    EXPECT_EQ(reader.readsInProgress(), 0);
}

TEST_F(AsyncReadFailures, SecondReadOfTheSameNameIsRefused)
{
    HttpResponse slow;
    slow.firstByteDelayMs = 200;
    server.serve("/slow", slow);
    ASSERT_TRUE(reader.AsyncRead(server.url("/slow"), vbAsyncTypeByteArray, "same"));
    QString error;
    EXPECT_FALSE(reader.AsyncRead(server.url("/slow"), vbAsyncTypeByteArray, "same", &error));
    EXPECT_TRUE(error.contains("already in progress"));
}

TEST_F(AsyncReadFailures, ErrorStatusCompletesWithoutData)
{
    const AsyncProperty done = readToEnd(server.url("/missing"));
    EXPECT_EQ(done.StatusCode, vbAsyncStatusCodeError);
    EXPECT_EQ(done.BytesRead, 0) << "the error page is no data";
    EXPECT_FALSE(done.Value.isValid());
    EXPECT_FALSE(done.Status.isEmpty());
}

TEST_F(AsyncReadFailures, RefusedConnectionCompletesWithTheReason)
{
    quint16 port = 0;
    {
        LocalHttpServer gone;
        port = gone.port();
    } // nobody listens on that port any more
    const AsyncProperty done = readToEnd(QStringLiteral("http://127.0.0.1:%1/version.txt").arg(port));
    EXPECT_EQ(done.StatusCode, vbAsyncStatusCodeError);
    EXPECT_EQ(done.BytesRead, 0);
    EXPECT_FALSE(done.Status.isEmpty());
}

TEST_F(AsyncReadFailures, BodyShorterThanAnnouncedIsAFailure)
{
    HttpResponse shortBody;
    shortBody.body = bytes(1000);
    shortBody.announcedLength = 5000;
    server.serve("/short", shortBody);
    const AsyncProperty done = readToEnd(server.url("/short"));
    EXPECT_EQ(done.StatusCode, vbAsyncStatusCodeError);
    EXPECT_EQ(done.BytesRead, 0);
}

TEST_F(AsyncReadFailures, DataThatIsNoPictureFailsAPictureRead)
{
    server.serve("/text", "plain words");
    const AsyncProperty done = readToEnd(server.url("/text"), vbAsyncTypePicture);
    EXPECT_EQ(done.StatusCode, vbAsyncStatusCodeError);
    EXPECT_TRUE(done.Status.contains("no picture"));
}

TEST_F(AsyncReadFailures, ReadsEndAtTheirLimitsAndSayWhy)
{
    HttpResponse plain;
    plain.body = bytes(5000);
    HttpResponse unannounced = plain;
    unannounced.sendContentLength = false;
    unannounced.pieceSize = 1000;
    unannounced.pieceDelayMs = 20;
    const struct
    {
        const char* name;
        HttpResponse response;
        AsyncReadLimits limits;
        AsyncReadFault fault;
        const char* status; // a part of it
    } rows[] = {
        { "exactly at the limit", plain, { 5000, 1024, 30000 }, AsyncReadFault::None, "" },
        { "announced beyond the limit", plain, { 4999, 1024, 30000 }, AsyncReadFault::TooLarge,
            "5000 bytes long" },
        { "sent beyond the limit", unannounced, { 4999, 1024, 30000 }, AsyncReadFault::TooLarge,
            "more than the 4999" },
        // The updater's tests play a trickle, error statuses and more through
        // the whole chain.
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        completed.clear();
        server.serve("/limited", row.response);
        QElapsedTimer clock;
        clock.start();
        const AsyncProperty done = readToEnd(server.url("/limited"), vbAsyncTypeByteArray, row.limits);
        EXPECT_EQ(done.Fault, row.fault);
        EXPECT_TRUE(done.Status.contains(QLatin1String(row.status))) << done.Status.toStdString();
        if (row.fault == AsyncReadFault::None) {
            EXPECT_EQ(done.Value.toByteArray(), row.response.body);
            continue;
        }
        EXPECT_EQ(done.StatusCode, vbAsyncStatusCodeError);
        EXPECT_FALSE(done.Value.isValid()) << "nothing is handed over";
        EXPECT_EQ(done.BytesRead, 0);
        EXPECT_LT(clock.elapsed(), 4000) << "failed as soon as the limit was passed";
    }
    EXPECT_EQ(reader.readsInProgress(), 0);
}

TEST_F(AsyncReadTest, SlowButSteadyReadIsNoStall)
{
    // 1 KB in every 800 ms span is enough, however long the whole takes.
    HttpResponse steady;
    steady.body = bytes(12000);
    steady.pieceSize = 600;
    steady.pieceDelayMs = 100;
    server.serve("/steady", steady);
    const AsyncProperty done = readToEnd(server.url("/steady"), vbAsyncTypeByteArray, { 0, 1024, 800 });
    EXPECT_EQ(done.Fault, AsyncReadFault::None) << done.Status.toStdString();
    EXPECT_EQ(done.Value.toByteArray(), steady.body);
}

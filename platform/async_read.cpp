#include "platform/async_read.h"

#include <QDir>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryFile>
#include <QTimer>
#include <QUrl>

namespace {

// Returns the URL a target names, or an invalid URL with `error` set.
QUrl targetUrl(const QString& target, QString* error)
{
    const QString text = target.trimmed();
    if (text.startsWith(QLatin1Char('/'))) {
        return QUrl::fromLocalFile(text);
    }
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || scheme.isEmpty()) {
        *error = QStringLiteral("\"%1\" is no valid address").arg(target);
        return QUrl();
    }
    if (scheme != QLatin1String("http") && scheme != QLatin1String("https")
        && scheme != QLatin1String("file")) {
        *error = QStringLiteral("\"%1\" uses the protocol \"%2\"; only http, https and file can be read")
                     .arg(target, url.scheme());
        return QUrl();
    }
    if (scheme != QLatin1String("file") && url.host().isEmpty()) {
        *error = QStringLiteral("\"%1\" names no server").arg(target);
        return QUrl();
    }
    return url;
}

// Qt's buffer of a reply between two of our takes.
constexpr qint64 kReadChunk = 64 * 1024;
// A reason phrase is the server's text; a hostile one could be long.
constexpr qsizetype kMaxReasonCharacters = 80;

// "404 Not Found": the status and the server's reason phrase, if any.
QString httpStatusText(int status, const QVariant& reason)
{
    QString phrase = QString::fromLatin1(reason.toByteArray()).simplified().left(kMaxReasonCharacters);
    for (QChar& c : phrase) {
        if (!c.isPrint()) {
            c = u'?';
        }
    }
    return phrase.isEmpty() ? QString::number(status) : QStringLiteral("%1 %2").arg(status).arg(phrase);
}

// The reads go through the proxy the user's session names (http_proxy,
// https_proxy, no_proxy), as the Windows reads went through the system's.
class SessionProxyFactory final : public QNetworkProxyFactory
{
public:
    QList<QNetworkProxy> queryProxy(const QNetworkProxyQuery& query) override
    {
        return systemProxyForQuery(query);
    }
};

} // namespace

AsyncReader::AsyncReader(QObject* parent)
    : QObject(parent)
    , m_network(new QNetworkAccessManager(this))
    , m_transferTimeoutMs(QNetworkRequest::DefaultTransferTimeoutConstant)
{
    m_network->setProxyFactory(new SessionProxyFactory);
}

AsyncReader::~AsyncReader()
{
    cancelAll();
}

bool AsyncReader::AsyncRead(const QString& target, int asyncType, const QString& propertyName, QString* error,
    const AsyncReadLimits& limits)
{
    QString reason;
    QUrl url;
    if (asyncType != vbAsyncTypePicture && asyncType != vbAsyncTypeFile
        && asyncType != vbAsyncTypeByteArray) {
        reason = QStringLiteral("%1 is no kind of read").arg(asyncType);
    } else if (m_reads.count(propertyName) != 0) {
        reason = QStringLiteral("A read named \"%1\" is already in progress").arg(propertyName);
    } else {
        url = targetUrl(target, &reason);
    }
    if (!reason.isEmpty()) {
        if (error) {
            *error = reason;
        }
        return false;
    }

    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
    // The stall rule is the stricter watch; Qt's would end a slow read as
    // "cancelled" without saying why.
    request.setTransferTimeout(limits.stallMs > 0 ? 0 : m_transferTimeoutMs);
    QNetworkReply* reply = m_network->get(request);
    // Qt holds at most this much that we have not taken yet.
    reply->setReadBufferSize(kReadChunk);

    Read& read = m_reads[propertyName];
    read.reply = reply;
    read.limits = limits;
    read.state.PropertyName = propertyName;
    read.state.Target = target;
    read.state.AsyncType = asyncType;
    if (limits.stallMs > 0) {
        read.stallTimer = new QTimer(this);
        read.stallTimer->setSingleShot(true);
        connect(read.stallTimer, &QTimer::timeout, this, [this, reply] { onStalled(reply); });
        read.stallTimer->start(limits.stallMs);
    }

    connect(reply, &QNetworkReply::metaDataChanged, this, [this, reply] { onHeaders(reply); });
    connect(reply, &QNetworkReply::readyRead, this, [this, reply] { onData(reply); });
    connect(reply, &QNetworkReply::downloadProgress, this,
        [this, reply](qint64 received, qint64 total) { onProgress(reply, received, total); });
    connect(reply, &QNetworkReply::finished, this, [this, reply] { onFinished(reply); });
    return true;
}

bool AsyncReader::CancelAsyncRead(const QString& propertyName)
{
    const auto it = m_reads.find(propertyName);
    if (it == m_reads.end()) {
        return false;
    }
    discard(takeRead(it).reply);
    return true;
}

void AsyncReader::cancelAll()
{
    while (!m_reads.empty()) {
        discard(takeRead(m_reads.begin()).reply);
    }
}

AsyncReader::Read AsyncReader::takeRead(std::map<QString, Read>::iterator read)
{
    Read taken = std::move(read->second);
    m_reads.erase(read);
    delete taken.stallTimer;
    taken.stallTimer = nullptr;
    return taken;
}

void AsyncReader::discard(QNetworkReply* reply)
{
    // abort() reports finished() at once; nobody may hear it any more.
    disconnect(reply, nullptr, this, nullptr);
    if (!reply->isFinished()) {
        reply->abort();
    }
    reply->deleteLater();
}

std::map<QString, AsyncReader::Read>::iterator AsyncReader::readOf(const QNetworkReply* reply)
{
    // A handful of reads at most run at once: a walk is cheaper than a second index.
    for (auto it = m_reads.begin(); it != m_reads.end(); ++it) {
        if (it->second.reply == reply) {
            return it;
        }
    }
    return m_reads.end();
}

void AsyncReader::fail(std::map<QString, Read>::iterator read, AsyncReadFault fault, const QString& reason)
{
    Read failed = takeRead(read);
    discard(failed.reply);
    AsyncProperty state = failed.state;
    state.StatusCode = vbAsyncStatusCodeError;
    state.Status = reason;
    state.Fault = fault;
    state.Value = QVariant();
    state.BytesRead = 0;
    emit AsyncReadComplete(state);
}

void AsyncReader::onHeaders(QNetworkReply* reply)
{
    const auto it = readOf(reply);
    if (it == m_reads.end()) {
        return;
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    it->second.state.HttpStatus = status.isValid() ? status.toInt() : 0;
    // A server that announces more than we take is refused before its body comes.
    const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    const qint64 maxBytes = it->second.limits.maxBytes;
    if (maxBytes > 0 && it->second.state.HttpStatus < 400 && announced.isValid()
        && announced.toLongLong() > maxBytes) {
        fail(it, AsyncReadFault::TooLarge,
            QStringLiteral("\"%1\" is %2 bytes long, more than the %3 bytes expected")
                .arg(it->second.state.Target)
                .arg(announced.toLongLong())
                .arg(maxBytes));
    }
}

bool AsyncReader::takeData(std::map<QString, Read>::iterator it)
{
    Read& read = it->second;
    const qint64 available = read.reply->bytesAvailable();
    // The page that comes with an error status is no data of ours: it is
    // dropped as it comes, and the status is what the read reports.
    if (read.state.HttpStatus >= 400) {
        read.reply->skip(available);
        return true;
    }
    if (read.limits.maxBytes > 0 && read.data.size() + available > read.limits.maxBytes) {
        fail(it, AsyncReadFault::TooLarge,
            QStringLiteral("\"%1\" sent more than the %2 bytes expected")
                .arg(read.state.Target)
                .arg(read.limits.maxBytes));
        return false;
    }
    read.data += read.reply->read(available);
    // Enough has come in this span: the next one begins.
    if (read.stallTimer && read.data.size() - read.spanStart >= read.limits.stallBytes) {
        read.spanStart = read.data.size();
        read.stallTimer->start(read.limits.stallMs);
    }
    return true;
}

void AsyncReader::onData(QNetworkReply* reply)
{
    const auto it = readOf(reply);
    if (it != m_reads.end()) {
        takeData(it);
    }
}

void AsyncReader::onStalled(QNetworkReply* reply)
{
    const auto it = readOf(reply);
    if (it == m_reads.end()) {
        return;
    }
    const AsyncReadLimits& limits = it->second.limits;
    const QString amount = limits.stallBytes % 1024 == 0
        ? QStringLiteral("%1 KB").arg(limits.stallBytes / 1024)
        : QStringLiteral("%1 bytes").arg(limits.stallBytes);
    fail(it, AsyncReadFault::Stalled,
        QStringLiteral("The server stopped sending: less than %1 of \"%2\" arrived in %3 seconds")
            .arg(amount, it->second.state.Target, QString::number(limits.stallMs / 1000.0)));
}

void AsyncReader::onProgress(QNetworkReply* reply, qint64 bytesReceived, qint64 bytesTotal)
{
    const auto it = readOf(reply);
    if (it == m_reads.end()) {
        return;
    }
    AsyncProperty& state = it->second.state;
    state.BytesRead = bytesReceived;
    // Qt makes up a total for the last notification of a read whose server
    // never told one; the total stays unknown to our readers.
    const bool told = reply->header(QNetworkRequest::ContentLengthHeader).isValid();
    state.BytesMax = told && bytesTotal > 0 ? bytesTotal : 0;
    state.StatusCode = vbAsyncStatusCodeDownloadingData;
    // A copy: a receiver may start or cancel reads, which changes m_reads.
    const AsyncProperty notified = state;
    emit AsyncReadProgress(notified);
}

void AsyncReader::onFinished(QNetworkReply* reply)
{
    auto it = readOf(reply);
    if (it == m_reads.end()) {
        reply->deleteLater();
        return;
    }
    if (reply->error() == QNetworkReply::NoError && !takeData(it)) {
        return; // the last of the data passed the limit: failed and completed
    }
    const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
    // The name is free again before anybody hears of the end.
    Read read = takeRead(it);
    AsyncProperty& state = read.state;
    state.HttpStatus = status.isValid() ? status.toInt() : state.HttpStatus;

    if (reply->error() == QNetworkReply::NoError) {
        deliverValue(read.data, state);
    } else if (state.HttpStatus >= 400) {
        state.Fault = AsyncReadFault::HttpStatus;
        state.Status
            = httpStatusText(state.HttpStatus, reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute));
    } else {
        state.Fault = AsyncReadFault::Failed;
        state.Status = reply->errorString();
    }
    if (!state.Status.isEmpty()) {
        state.StatusCode = vbAsyncStatusCodeError;
        state.Value = QVariant();
        state.BytesRead = 0;
    }
    reply->deleteLater();
    emit AsyncReadComplete(state);
}

void AsyncReader::deliverValue(const QByteArray& data, AsyncProperty& state)
{
    state.BytesRead = data.size();
    state.StatusCode = vbAsyncStatusCodeEndDownloadData;
    switch (state.AsyncType) {
    case vbAsyncTypeByteArray:
        state.Value = data;
        break;
    case vbAsyncTypePicture: {
        QImage picture;
        if (!picture.loadFromData(data)) {
            state.Fault = AsyncReadFault::Failed;
            state.Status = QStringLiteral("The data read from \"%1\" is no picture").arg(state.Target);
            return;
        }
        state.Value = picture;
        break;
    }
    case vbAsyncTypeFile: {
        auto file
            = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/korvel-read-XXXXXX"));
        if (!file->open() || file->write(data) != data.size() || !file->flush()) {
            state.Fault = AsyncReadFault::Failed;
            state.Status = QStringLiteral("The data read from \"%1\" could not be stored: %2")
                               .arg(state.Target, file->errorString());
            return;
        }
        file->close();
        state.Value = file->fileName();
        m_dataFiles.push_back(std::move(file));
        break;
    }
    }
}

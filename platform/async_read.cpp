#include "platform/async_read.h"

#include <QDir>
#include <QImage>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTemporaryFile>
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

bool AsyncReader::AsyncRead(const QString& target, int asyncType, const QString& propertyName, QString* error)
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
    request.setTransferTimeout(m_transferTimeoutMs);
    QNetworkReply* reply = m_network->get(request);

    Read& read = m_reads[propertyName];
    read.reply = reply;
    read.state.PropertyName = propertyName;
    read.state.Target = target;
    read.state.AsyncType = asyncType;

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
    QNetworkReply* reply = it->second.reply;
    m_reads.erase(it);
    discard(reply);
    return true;
}

void AsyncReader::cancelAll()
{
    std::map<QString, Read> reads;
    reads.swap(m_reads);
    for (auto& [name, read] : reads) {
        discard(read.reply);
    }
}

void AsyncReader::discard(QNetworkReply* reply)
{
    // abort() reports finished() at once; nobody may hear it any more.
    disconnect(reply, nullptr, this, nullptr);
    reply->abort();
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
    const auto it = readOf(reply);
    if (it == m_reads.end()) {
        reply->deleteLater();
        return;
    }
    AsyncProperty state = it->second.state;
    // The name is free again before anybody hears of the end.
    m_reads.erase(it);

    if (reply->error() == QNetworkReply::NoError) {
        deliverValue(reply, state);
    } else {
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

void AsyncReader::deliverValue(QNetworkReply* reply, AsyncProperty& state)
{
    const QByteArray data = reply->readAll();
    state.BytesRead = data.size();
    state.StatusCode = vbAsyncStatusCodeEndDownloadData;
    switch (state.AsyncType) {
    case vbAsyncTypeByteArray:
        state.Value = data;
        break;
    case vbAsyncTypePicture: {
        QImage picture;
        if (!picture.loadFromData(data)) {
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

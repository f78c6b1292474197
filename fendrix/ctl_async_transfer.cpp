#include "fendrix/ctl_async_transfer.h"

#include "fendrix/async_transfer_interface.h"

namespace {

// The runtime's Trim: blanks only, tabs and line ends stay.
QString trimBlanks(const QString& text)
{
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text.at(first) == QLatin1Char(' ')) {
        ++first;
    }
    while (last > first && text.at(last - 1) == QLatin1Char(' ')) {
        --last;
    }
    return text.mid(first, last - first);
}

int asyncTypeOf(int lngFileType)
{
    switch (lngFileType) {
    case dftFile:
        return vbAsyncTypeFile;
    case dftByteArray:
        return vbAsyncTypeByteArray;
    default:
        return vbAsyncTypePicture;
    }
}

struct TransferKeyParts
{
    QString fileKey;
    int fileType = 0;
};

// DownloadFile refuses file keys with "|", so the first "|" is the one it put there.
TransferKeyParts splitTransferKey(const QString& transferKey)
{
    const qsizetype bar = transferKey.indexOf(QLatin1Char('|'));
    return { transferKey.left(bar), transferKey.mid(bar + 1).toInt() };
}

} // namespace

ctlAsyncTransfer::ctlAsyncTransfer(QObject* parent)
    : QObject(parent)
    , m_reader(new AsyncReader(this))
{
    connect(
        m_reader, &AsyncReader::AsyncReadProgress, this, &ctlAsyncTransfer::UserControl_AsyncReadProgress);
    connect(
        m_reader, &AsyncReader::AsyncReadComplete, this, &ctlAsyncTransfer::UserControl_AsyncReadComplete);
}

bool ctlAsyncTransfer::DownloadFile(const QString& strFileKey, const QString& strPath, int lngFileType,
    const QString& strData, const AsyncReadLimits& limits, QString* startError)
{
    if (startError) {
        startError->clear();
    }
    const QString fileKey = trimBlanks(strFileKey);
    // A "|" in the file key would split the transfer key in the wrong place
    // and give the events a wrong key and type.
    if (fileKey.isEmpty() || fileKey.contains(QLatin1Char('|')) || lngFileType < dftFile
        || lngFileType > dftByteArray) {
        return false;
    }
    const QString transferKey = fileKey + QLatin1Char('|') + QString::number(lngFileType);
    const QString key = collectionKey(transferKey);
    if (!m_pending.insert(key).second) {
        return false;
    }
    m_data[key] = strData;

    QString error;
    if (!m_reader->AsyncRead(strPath, asyncTypeOf(lngFileType), transferKey, &error, limits)) {
        // Forget the key again, or this file key and type would stay refused
        // until CancelDownload.
        m_pending.erase(key);
        m_data.erase(key);
        if (startError) {
            *startError = error;
        }
        return false;
    }
    return true;
}

void ctlAsyncTransfer::cancelAll()
{
    m_reader->cancelAll();
    m_pending.clear();
    m_data.clear();
}

void ctlAsyncTransfer::UserControl_AsyncReadProgress(const AsyncProperty& AsyncProp)
{
    const auto data = m_data.find(collectionKey(AsyncProp.PropertyName));
    if (data == m_data.end()) {
        return; // not one of ours any more
    }
    const QString strData = data->second;
    const TransferKeyParts parts = splitTransferKey(AsyncProp.PropertyName);
    AsyncProperty state = AsyncProp;
    emit FileReadProgress(parts.fileKey, parts.fileType, state, strData);
}

void ctlAsyncTransfer::UserControl_AsyncReadComplete(const AsyncProperty& AsyncProp)
{
    const QString key = collectionKey(AsyncProp.PropertyName);
    const auto data = m_data.find(key);
    if (data == m_data.end()) {
        return;
    }
    const QString strData = data->second;
    // From here on the same file key and type may start again, also from
    // within the event.
    m_pending.erase(key);
    m_data.erase(data);
    const TransferKeyParts parts = splitTransferKey(AsyncProp.PropertyName);
    AsyncProperty state = AsyncProp;
    emit FileReadComplete(parts.fileKey, parts.fileType, state, strData);
}

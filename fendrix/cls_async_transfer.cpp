#include "fendrix/cls_async_transfer.h"

#include "fendrix/ctl_async_transfer.h"
#include "fendrix/for_async_transfer.h"

#include <QDebug>

int clsAsyncTransfer::s_objectCount = 0;

clsAsyncTransfer::clsAsyncTransfer()
{
    ++s_objectCount;
    forAsyncTransfer::instance();
    forAsyncTransfer::objAsyncTransfer = this;
}

clsAsyncTransfer::~clsAsyncTransfer()
{
    if (forAsyncTransfer::objAsyncTransfer == this) {
        forAsyncTransfer::objAsyncTransfer = nullptr;
    }
    // Reads left running would report to nobody; the last object ends them.
    if (--s_objectCount == 0) {
        forAsyncTransfer::unload();
    }
}

bool clsAsyncTransfer::DownloadFile(const QString& strFileKey, const QString& strPath, int lngFileType,
    const QString& strData, QString* startError) noexcept
{
    return DownloadFileLimited(strFileKey, strPath, lngFileType, strData, AsyncReadLimits(), startError);
}

bool clsAsyncTransfer::DownloadFileLimited(const QString& strFileKey, const QString& strPath, int lngFileType,
    const QString& strData, const AsyncReadLimits& limits, QString* startError) noexcept
{
    try {
        return forAsyncTransfer::instance().asfTransfer().DownloadFile(
            strFileKey, strPath, lngFileType, strData, limits, startError);
    } catch (const std::exception& error) {
        if (startError) {
            *startError = QString::fromLocal8Bit(error.what());
        }
        return false;
    }
}

void clsAsyncTransfer::CancelDownload() noexcept
{
    forAsyncTransfer::unload();
}

void clsAsyncTransfer::setEventSink(AsyncTransferEvents* sink) noexcept
{
    m_sink = sink;
}

void clsAsyncTransfer::Release() noexcept
{
    delete this;
}

// The events come from Qt's event loop: nothing may be thrown back into it.
void clsAsyncTransfer::RaiseFileReadComplete(
    const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData)
{
    if (!m_sink) {
        return;
    }
    try {
        m_sink->FileReadComplete(strFileKey, lngFileType, AsyncProp, strData);
    } catch (...) {
        qWarning() << "Fendrix: an exception escaped the receiver of FileReadComplete";
    }
}

void clsAsyncTransfer::RaiseFileReadProgress(
    const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData)
{
    if (!m_sink) {
        return;
    }
    try {
        m_sink->FileReadProgress(strFileKey, lngFileType, AsyncProp, strData);
    } catch (...) {
        qWarning() << "Fendrix: an exception escaped the receiver of FileReadProgress";
    }
}

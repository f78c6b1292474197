#include "fendrix/for_async_transfer.h"

#include "fendrix/cls_async_transfer.h"
#include "fendrix/ctl_async_transfer.h"

#include <QCoreApplication>
#include <QPointer>

namespace {

// The program's one instance; it belongs to the application object, so it
// goes before Qt does, and this pointer then turns null by itself.
QPointer<forAsyncTransfer> g_instance;

} // namespace

clsAsyncTransfer* forAsyncTransfer::objAsyncTransfer = nullptr;
int forAsyncTransfer::s_alive = 0;
int forAsyncTransfer::s_relaying = 0;

forAsyncTransfer::forAsyncTransfer(QObject* parent)
    : QObject(parent)
    , m_asfTransfer(new ctlAsyncTransfer(this))
{
    ++s_alive;
    setObjectName(QStringLiteral("forAsyncTransfer"));
    m_asfTransfer->setObjectName(QStringLiteral("asfTransfer"));
    connect(m_asfTransfer, &ctlAsyncTransfer::FileReadComplete, this,
        &forAsyncTransfer::asfTransfer_FileReadComplete);
    connect(m_asfTransfer, &ctlAsyncTransfer::FileReadProgress, this,
        &forAsyncTransfer::asfTransfer_FileReadProgress);
}

forAsyncTransfer::~forAsyncTransfer()
{
    --s_alive;
}

forAsyncTransfer& forAsyncTransfer::instance()
{
    if (!g_instance) {
        g_instance = new forAsyncTransfer(QCoreApplication::instance());
    }
    return *g_instance;
}

bool forAsyncTransfer::loaded()
{
    return !g_instance.isNull();
}

void forAsyncTransfer::unload()
{
    if (!g_instance) {
        return;
    }
    forAsyncTransfer* form = g_instance;
    g_instance.clear();
    form->m_asfTransfer->cancelAll();
    disconnect(form->m_asfTransfer, nullptr, form, nullptr);
    // Inside one of the control's events the control is still on the stack:
    // it goes once the event has returned. Otherwise it goes now, so its
    // network objects never outlive the application.
    if (s_relaying > 0) {
        form->deleteLater();
    } else {
        delete form;
    }
}

void forAsyncTransfer::asfTransfer_FileReadComplete(
    const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData)
{
    if (objAsyncTransfer) {
        const Relaying relaying;
        objAsyncTransfer->RaiseFileReadComplete(strFileKey, lngFileType, AsyncProp, strData);
    }
}

void forAsyncTransfer::asfTransfer_FileReadProgress(
    const QString& strFileKey, int lngFileType, AsyncProperty& AsyncProp, const QString& strData)
{
    if (objAsyncTransfer) {
        const Relaying relaying;
        objAsyncTransfer->RaiseFileReadProgress(strFileKey, lngFileType, AsyncProp, strData);
    }
}

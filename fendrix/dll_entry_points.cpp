// The library's four exported entry points, the whole of what a program sees
// of it: registration of the class in the system's component registration,
// the class factory, and whether the library may be unloaded. Everything else
// is hidden (fendrix_exports.map).
#include "fendrix/async_transfer_interface.h"
#include "fendrix/cls_async_transfer.h"
#include "fendrix/for_async_transfer.h"
#include "platform/component_registration.h"

#include <QCoreApplication>
#include <QDebug>

#define FENDRIX_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

// Its address tells the system which file this library was loaded from.
const char g_libraryAnchor = 0;

InProcessServer fendrixServer()
{
    InProcessServer server;
    server.clsid = QLatin1String(CLSID_clsAsyncTransfer);
    server.className = QStringLiteral("clsAsyncTransfer");
    server.progId = QLatin1String(ProgID_clsAsyncTransfer);
    server.libraryPath = sharedLibraryPathOf(&g_libraryAnchor);
    server.typeLibId = QLatin1String(LIBID_Fendrix);
    server.typeLibName = QStringLiteral("Fendrix");
    server.version = QStringLiteral("1.0");
    return server;
}

class clsAsyncTransferFactory final : public ComponentClassFactory
{
public:
    ComResult CreateInstance(const char* riid, void** ppvObject) override
    {
        if (!ppvObject) {
            return E_POINTER;
        }
        *ppvObject = nullptr;
        if (!sameComponentId(riid, IID_AsyncTransfer)) {
            return E_NOINTERFACE;
        }
        // The reads run on the application's event loop; without one they
        // could never report.
        if (!QCoreApplication::instance()) {
            return E_UNEXPECTED;
        }
        try {
            AsyncTransfer* object = new clsAsyncTransfer;
            *ppvObject = object;
            return S_OK;
        } catch (...) {
            return E_UNEXPECTED;
        }
    }
};

clsAsyncTransferFactory g_factory;

} // namespace

FENDRIX_EXPORT ComResult DllGetClassObject(const char* rclsid, const char* riid, void** ppv)
{
    if (!ppv) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (!sameComponentId(rclsid, CLSID_clsAsyncTransfer)) {
        return CLASS_E_CLASSNOTAVAILABLE;
    }
    if (!sameComponentId(riid, IID_ComponentClassFactory)) {
        return E_NOINTERFACE;
    }
    *ppv = static_cast<ComponentClassFactory*>(&g_factory);
    return S_OK;
}

FENDRIX_EXPORT ComResult DllCanUnloadNow()
{
    return clsAsyncTransfer::objectCount() == 0 && !forAsyncTransfer::anyAlive() ? S_OK : S_FALSE;
}

FENDRIX_EXPORT ComResult DllRegisterServer()
{
    try {
        const InProcessServer server = fendrixServer();
        QString error;
        if (server.libraryPath.isEmpty() || !registerInProcessServer(server, &error)) {
            qWarning().noquote() << "Fendrix could not register itself:" << error;
            return SELFREG_E_CLASS;
        }
        return S_OK;
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

FENDRIX_EXPORT ComResult DllUnregisterServer()
{
    try {
        QString error;
        if (!unregisterInProcessServer(fendrixServer(), &error)) {
            qWarning().noquote() << "Fendrix could not remove its registration:" << error;
            return SELFREG_E_CLASS;
        }
        return S_OK;
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

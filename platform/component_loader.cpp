#include "platform/component_loader.h"

#include "platform/component_abi.h"
#include "platform/component_registration.h"

#include <QDebug>

#include <dlfcn.h>

namespace {

struct LoadedLibrary
{
    void* handle = nullptr;
    QString error;
};

LoadedLibrary loadLibrary(const QString& path)
{
    LoadedLibrary library;
    if (path.isEmpty()) {
        library.error = QStringLiteral("no library is named");
        return library;
    }
    // RTLD_LOCAL: the library keeps its own copies of everything it links,
    // so nothing of it can stand in for the program's own.
    library.handle = dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (!library.handle) {
        const char* reason = dlerror();
        library.error = reason ? QString::fromLocal8Bit(reason) : path + QStringLiteral(" cannot be loaded");
    }
    return library;
}

template <typename Proc> Proc entryPoint(void* handle, const char* name)
{
    return reinterpret_cast<Proc>(dlsym(handle, name));
}

QString resultText(ComResult result)
{
    return QStringLiteral("0x")
        + QString::number(quint32(result), 16).toUpper().rightJustified(8, QLatin1Char('0'));
}

void* createFrom(void* handle, const QString& path, const QString& clsid, const char* iid, QString* error)
{
    const auto getClassObject = entryPoint<DllGetClassObjectProc>(handle, "DllGetClassObject");
    if (!getClassObject) {
        *error = QStringLiteral("%1 is no component library (it has no DllGetClassObject)").arg(path);
        return nullptr;
    }
    const QByteArray classId = clsid.toLatin1();
    void* factoryPointer = nullptr;
    ComResult result = getClassObject(classId.constData(), IID_ComponentClassFactory, &factoryPointer);
    if (result != S_OK || !factoryPointer) {
        *error = result == CLASS_E_CLASSNOTAVAILABLE
            ? QStringLiteral("%1 does not serve the class %2").arg(path, clsid)
            : QStringLiteral("%1 gave no class factory for %2 (%3)").arg(path, clsid, resultText(result));
        return nullptr;
    }
    void* object = nullptr;
    result = static_cast<ComponentClassFactory*>(factoryPointer)->CreateInstance(iid, &object);
    if (result != S_OK || !object) {
        *error = result == E_NOINTERFACE
            ? QStringLiteral("The class %1 of %2 does not offer the interface %3")
                  .arg(clsid, path, QLatin1String(iid))
            : QStringLiteral("The class %1 of %2 could not create an object (%3)")
                  .arg(clsid, path, resultText(result));
        return nullptr;
    }
    return object;
}

} // namespace

void* createComponentInstance(
    const QString& clsid, const char* iid, const QString& fallbackLibrary, QString* error)
{
    QString reason;
    const QString registered = registeredServerLibrary(clsid);
    if (!registered.isEmpty()) {
        const LoadedLibrary library = loadLibrary(registered);
        if (library.handle) {
            void* object = createFrom(library.handle, registered, clsid, iid, &reason);
            if (error && !object) {
                *error = reason;
            }
            return object;
        }
        reason = library.error;
    }

    const LoadedLibrary library = loadLibrary(fallbackLibrary);
    if (!library.handle) {
        if (error) {
            *error = reason.isEmpty() ? library.error : reason + QLatin1Char('\n') + library.error;
        }
        return nullptr;
    }
    // The object is made either way; a failed registration only means the
    // next start looks here again.
    const auto registerServer = entryPoint<DllRegisterServerProc>(library.handle, "DllRegisterServer");
    const ComResult registeredResult = registerServer ? registerServer() : E_FAIL;
    if (registeredResult != S_OK) {
        qWarning().noquote() << fallbackLibrary
                             << "could not register itself:" << resultText(registeredResult);
    }
    void* object = createFrom(library.handle, fallbackLibrary, clsid, iid, &reason);
    if (error && !object) {
        *error = reason;
    }
    return object;
}

#include "platform/component_registration.h"

#include "platform/registry_store.h"

#include <QFileInfo>

#include <dlfcn.h>

namespace {

const QString DefaultValue; // the unnamed value of a key

QString classKey(const InProcessServer& server)
{
    return QStringLiteral("CLSID\\") + server.clsid;
}

QString failureText(const QString& action, const QString& path, long result)
{
    const QString cause = registryStore().lastFailure();
    return QStringLiteral("%1 HKEY_CLASSES_ROOT\\%2: %3")
        .arg(action, path, cause.isEmpty() ? QStringLiteral("error %1").arg(result) : cause);
}

// Stores one text value, creating the key.
bool storeText(const QString& path, const QString& name, const QString& text, QString* error)
{
    RegistryStore& store = registryStore();
    RegHandle key = 0;
    long result = store.createKey(HKEY_CLASSES_ROOT, path, KEY_ALL_ACCESS, &key);
    if (result == ERROR_SUCCESS) {
        result = store.setValue(key, name, REG_SZ, text.toUtf8() + '\0');
        store.closeKey(key);
    }
    if (result != ERROR_SUCCESS) {
        if (error) {
            *error = failureText(QStringLiteral("Cannot write"), path, result);
        }
        return false;
    }
    return true;
}

bool removeKey(const QString& path, QString* error)
{
    const long result = registryStore().deleteKey(HKEY_CLASSES_ROOT, path);
    // Missing: done before. Access denied: the key still holds subkeys of
    // another registration, which must keep working.
    if (result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND || result == ERROR_ACCESS_DENIED) {
        return true;
    }
    if (error) {
        *error = failureText(QStringLiteral("Cannot delete"), path, result);
    }
    return false;
}

} // namespace

bool registerInProcessServer(const InProcessServer& server, QString* error)
{
    const QString key = classKey(server);
    const QString typeLibKey
        = QStringLiteral("TypeLib\\") + server.typeLibId + QLatin1Char('\\') + server.version;
    return storeText(key, DefaultValue, server.className, error)
        && storeText(key + QStringLiteral("\\InprocServer32"), DefaultValue, server.libraryPath, error)
        && storeText(key + QStringLiteral("\\InprocServer32"), QStringLiteral("ThreadingModel"),
            QStringLiteral("Apartment"), error)
        && storeText(key + QStringLiteral("\\ProgID"), DefaultValue, server.progId, error)
        && storeText(key + QStringLiteral("\\TypeLib"), DefaultValue, server.typeLibId, error)
        && storeText(key + QStringLiteral("\\VERSION"), DefaultValue, server.version, error)
        && storeText(server.progId, DefaultValue, server.className, error)
        && storeText(server.progId + QStringLiteral("\\CLSID"), DefaultValue, server.clsid, error)
        && storeText(typeLibKey, DefaultValue, server.typeLibName, error);
}

bool unregisterInProcessServer(const InProcessServer& server, QString* error)
{
    const QString key = classKey(server);
    const QString typeLib = QStringLiteral("TypeLib\\") + server.typeLibId;
    // Children before parents: the store deletes only keys without subkeys.
    const QString paths[] = {
        key + QStringLiteral("\\InprocServer32"),
        key + QStringLiteral("\\ProgID"),
        key + QStringLiteral("\\TypeLib"),
        key + QStringLiteral("\\VERSION"),
        key,
        server.progId + QStringLiteral("\\CLSID"),
        server.progId,
        typeLib + QLatin1Char('\\') + server.version,
        typeLib,
    };
    for (const QString& path : paths) {
        if (!removeKey(path, error)) {
            return false;
        }
    }
    return true;
}

QString registeredServerLibrary(const QString& clsid)
{
    RegistryStore& store = registryStore();
    RegHandle key = 0;
    if (store.openKey(
            HKEY_CLASSES_ROOT, QStringLiteral("CLSID\\%1\\InprocServer32").arg(clsid), KEY_QUERY_VALUE, &key)
        != ERROR_SUCCESS) {
        return QString();
    }
    quint32 type = 0;
    quint32 size = 0;
    QByteArray data;
    long result = store.queryValue(key, DefaultValue, &type, nullptr, &size);
    if (result == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ)) {
        result = store.queryValue(key, DefaultValue, &type, &data, &size);
    }
    store.closeKey(key);
    if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) {
        return QString();
    }
    if (data.endsWith('\0')) {
        data.chop(1);
    }
    return QString::fromUtf8(data);
}

QString sharedLibraryPathOf(const void* address)
{
    Dl_info info {};
    if (dladdr(address, &info) == 0 || !info.dli_fname) {
        return QString();
    }
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

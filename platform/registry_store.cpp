#include "platform/registry_store.h"

#include "platform/registry_root_file.h"
#include "platform/registry_tree.h"

namespace {

// Open keys get small positive numbers, as on Windows, apart from the roots.
constexpr RegHandle FirstHandle = 0x100;
constexpr RegHandle HandleStep = 4;
constexpr int MaxValueNameLength = 16383;

int rootIndex(RegHandle root)
{
    switch (root) {
    case HKEY_CLASSES_ROOT:
        return 0;
    case HKEY_CURRENT_USER:
        return 1;
    case HKEY_LOCAL_MACHINE:
        return 2;
    default:
        return -1;
    }
}

// Appends the names of a backslash-separated key path to `path`. A trailing
// backslash is allowed; a leading one or an empty name in between is not.
long appendSubKey(const QString& subKey, QStringList* path)
{
    if (subKey.isEmpty())
        return ERROR_SUCCESS;
    if (subKey.startsWith(QLatin1Char('\\')))
        return ERROR_BAD_PATHNAME;
    QStringList names = subKey.split(QLatin1Char('\\'));
    if (names.last().isEmpty())
        names.removeLast();
    for (const QString& name : names) {
        if (name.isEmpty())
            return ERROR_BAD_PATHNAME;
        if (name.size() > RegistryMaxKeyNameLength)
            return ERROR_INVALID_PARAMETER;
    }
    if (path->size() + names.size() > RegistryMaxKeyDepth)
        return ERROR_INVALID_PARAMETER;
    *path += names;
    return ERROR_SUCCESS;
}

} // namespace

RegistryStore::RegistryStore()
    : m_nextHandle(FirstHandle)
{
    m_roots[0] = std::make_unique<RegistryRootFile>(HKEY_CLASSES_ROOT);
    m_roots[1] = std::make_unique<RegistryRootFile>(HKEY_CURRENT_USER);
    m_roots[2] = std::make_unique<RegistryRootFile>(HKEY_LOCAL_MACHINE);
}

RegistryStore::~RegistryStore() = default;

long RegistryStore::resolve(RegHandle handle, OpenKey* key) const
{
    if (rootIndex(handle) >= 0) {
        *key = OpenKey { handle, {}, KEY_ALL_ACCESS };
        return ERROR_SUCCESS;
    }
    const auto it = m_open.find(handle);
    if (it == m_open.end())
        return ERROR_INVALID_HANDLE;
    *key = it->second;
    return ERROR_SUCCESS;
}

RegistryRootFile& RegistryStore::rootFile(RegHandle root)
{
    return *m_roots[size_t(rootIndex(root))];
}

RegHandle RegistryStore::addHandle(const OpenKey& key)
{
    // Numbers are not reused soon, so a stale handle meets ERROR_INVALID_HANDLE
    // rather than another key.
    while (m_open.count(m_nextHandle) != 0 || m_nextHandle < FirstHandle)
        m_nextHandle = m_nextHandle > RegHandle(0x7FFFFFF0) ? FirstHandle : m_nextHandle + HandleStep;
    const RegHandle handle = m_nextHandle;
    m_nextHandle = m_nextHandle > RegHandle(0x7FFFFFF0) ? FirstHandle : m_nextHandle + HandleStep;
    m_open.emplace(handle, key);
    return handle;
}

long RegistryStore::openKey(RegHandle parent, const QString& subKey, quint32 access, RegHandle* key)
{
    m_lastFailure.clear();
    *key = 0;
    OpenKey from;
    long result = resolve(parent, &from);
    OpenKey target = from;
    if (result == ERROR_SUCCESS)
        result = appendSubKey(subKey, &target.path);
    if (result != ERROR_SUCCESS)
        return result;
    const RegistryKey* tree = rootFile(target.root).load(&result, &m_lastFailure);
    if (!tree)
        return result;
    if (!tree->find(from.path))
        return ERROR_KEY_DELETED;
    if (!tree->find(target.path))
        return ERROR_FILE_NOT_FOUND;
    target.access = access;
    *key = addHandle(target);
    return ERROR_SUCCESS;
}

long RegistryStore::createKey(
    RegHandle parent, const QString& subKey, quint32 access, RegHandle* key, bool* created)
{
    if (created)
        *created = false;
    // Most calls find the key in place and need neither the lock nor a write.
    long result = openKey(parent, subKey, access, key);
    if (result != ERROR_FILE_NOT_FOUND)
        return result;

    OpenKey from;
    resolve(parent, &from);
    OpenKey target = from;
    appendSubKey(subKey, &target.path);
    bool made = false;
    result = rootFile(target.root)
                 .modify(
                     [&](RegistryKey& root, bool* changed) {
                         RegistryKey* key = root.find(from.path);
                         if (!key)
                             return ERROR_KEY_DELETED;
                         for (qsizetype i = from.path.size(); i < target.path.size(); ++i) {
                             if (!key->child(target.path[i]) && !(from.access & KEY_CREATE_SUB_KEY))
                                 return ERROR_ACCESS_DENIED;
                             bool madeHere = false;
                             key = &key->ensureChild(target.path[i], &madeHere);
                             made = made || madeHere;
                         }
                         *changed = made;
                         return ERROR_SUCCESS;
                     },
                     &m_lastFailure);
    if (result != ERROR_SUCCESS)
        return result;
    if (created)
        *created = made;
    target.access = access;
    *key = addHandle(target);
    return ERROR_SUCCESS;
}

long RegistryStore::queryValue(
    RegHandle key, const QString& name, quint32* type, QByteArray* data, quint32* size)
{
    m_lastFailure.clear();
    OpenKey open;
    long result = resolve(key, &open);
    if (result != ERROR_SUCCESS)
        return result;
    if (!(open.access & KEY_QUERY_VALUE))
        return ERROR_ACCESS_DENIED;
    const RegistryKey* tree = rootFile(open.root).load(&result, &m_lastFailure);
    if (!tree)
        return result;
    const RegistryKey* found = tree->find(open.path);
    if (!found)
        return ERROR_KEY_DELETED;
    const RegistryValue* value = found->value(name);
    if (!value)
        return ERROR_FILE_NOT_FOUND;
    const quint32 room = *size;
    *type = value->type;
    *size = quint32(value->data.size());
    if (!data)
        return ERROR_SUCCESS;
    if (*size > room)
        return ERROR_MORE_DATA;
    *data = value->data;
    return ERROR_SUCCESS;
}

long RegistryStore::setValue(RegHandle key, const QString& name, quint32 type, const QByteArray& data)
{
    m_lastFailure.clear();
    OpenKey open;
    const long result = resolve(key, &open);
    if (result != ERROR_SUCCESS)
        return result;
    if (!(open.access & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    if (name.size() > MaxValueNameLength)
        return ERROR_INVALID_PARAMETER;
    return rootFile(open.root).modify(
        [&](RegistryKey& root, bool* changed) {
            RegistryKey* found = root.find(open.path);
            if (!found)
                return ERROR_KEY_DELETED;
            *changed = found->setValue(name, type, data);
            return ERROR_SUCCESS;
        },
        &m_lastFailure);
}

long RegistryStore::deleteKey(RegHandle parent, const QString& subKey)
{
    m_lastFailure.clear();
    OpenKey from;
    long result = resolve(parent, &from);
    OpenKey target = from;
    if (result == ERROR_SUCCESS)
        result = appendSubKey(subKey, &target.path);
    if (result != ERROR_SUCCESS)
        return result;
    if (target.path.isEmpty())
        return ERROR_ACCESS_DENIED; // a root cannot be deleted
    return rootFile(target.root)
        .modify(
            [&](RegistryKey& root, bool* changed) {
                if (!root.find(from.path))
                    return ERROR_KEY_DELETED;
                RegistryKey* above = root.find(target.path.first(target.path.size() - 1));
                RegistryKey* doomed = above ? above->child(target.path.last()) : nullptr;
                if (!doomed)
                    return ERROR_FILE_NOT_FOUND;
                if (doomed->childCount() > 0)
                    return ERROR_ACCESS_DENIED;
                *changed = above->removeChild(target.path.last());
                return ERROR_SUCCESS;
            },
            &m_lastFailure);
}

long RegistryStore::deleteValue(RegHandle key, const QString& name)
{
    m_lastFailure.clear();
    OpenKey open;
    const long result = resolve(key, &open);
    if (result != ERROR_SUCCESS)
        return result;
    if (!(open.access & KEY_SET_VALUE))
        return ERROR_ACCESS_DENIED;
    return rootFile(open.root).modify(
        [&](RegistryKey& root, bool* changed) {
            RegistryKey* found = root.find(open.path);
            if (!found)
                return ERROR_KEY_DELETED;
            *changed = found->removeValue(name);
            return *changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
        },
        &m_lastFailure);
}

long RegistryStore::enumKey(RegHandle key, quint32 index, QString* name, quint32 bufferChars)
{
    m_lastFailure.clear();
    OpenKey open;
    long result = resolve(key, &open);
    if (result != ERROR_SUCCESS)
        return result;
    if (!(open.access & KEY_ENUMERATE_SUB_KEYS))
        return ERROR_ACCESS_DENIED;
    const RegistryKey* tree = rootFile(open.root).load(&result, &m_lastFailure);
    if (!tree)
        return result;
    const RegistryKey* found = tree->find(open.path);
    if (!found)
        return ERROR_KEY_DELETED;
    if (index >= quint32(found->childCount()))
        return ERROR_NO_MORE_ITEMS;
    const QString& childName = found->childAt(int(index)).name();
    if (quint32(childName.size()) + 1 > bufferChars)
        return ERROR_MORE_DATA;
    *name = childName;
    return ERROR_SUCCESS;
}

long RegistryStore::closeKey(RegHandle key)
{
    // Leaves lastFailure alone: keys are closed on the way out of a failed call.
    if (rootIndex(key) >= 0)
        return ERROR_SUCCESS;
    return m_open.erase(key) != 0 ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
}

namespace {

std::unique_ptr<RegistryStore>& storeInstance()
{
    static std::unique_ptr<RegistryStore> instance = std::make_unique<RegistryStore>();
    return instance;
}

} // namespace

RegistryStore& registryStore()
{
    return *storeInstance();
}

void resetRegistryStore()
{
    storeInstance() = std::make_unique<RegistryStore>();
}

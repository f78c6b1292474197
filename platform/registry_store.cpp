#include "platform/registry_store.h"

#include "platform/registry_root_file.h"
#include "platform/registry_tree.h"

#include <utility>

namespace {

// Open keys get small positive numbers, as on Windows, apart from the roots.
constexpr RegHandle FirstHandle = 0x100;
constexpr RegHandle LastHandle = 0x7FFFFF00;
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
    // Numbers are not reused before they wrap, so a stale handle meets
    // ERROR_INVALID_HANDLE rather than another key.
    do {
        m_nextHandle = m_nextHandle >= LastHandle ? FirstHandle : m_nextHandle + HandleStep;
    } while (m_open.count(m_nextHandle) != 0);
    m_open.emplace(m_nextHandle, key);
    return m_nextHandle;
}

const RegistryKey* RegistryStore::keyToRead(RegHandle handle, quint32 access, long* result)
{
    m_lastFailure.clear();
    OpenKey open;
    *result = resolve(handle, &open);
    if (*result != ERROR_SUCCESS)
        return nullptr;
    if ((open.access & access) != access) {
        *result = ERROR_ACCESS_DENIED;
        return nullptr;
    }
    const RegistryKey* tree = rootFile(open.root).load(result, &m_lastFailure);
    const RegistryKey* key = tree ? tree->find(open.path) : nullptr;
    if (tree && !key)
        *result = ERROR_KEY_DELETED;
    return key;
}

long RegistryStore::changeKey(RegHandle handle, quint32 access, const KeyChange& change)
{
    m_lastFailure.clear();
    OpenKey open;
    const long result = resolve(handle, &open);
    if (result != ERROR_SUCCESS)
        return result;
    if ((open.access & access) != access)
        return ERROR_ACCESS_DENIED;
    const auto changeInTree = [&](RegistryKey& root, bool* changed) {
        RegistryKey* key = root.find(open.path);
        return key ? change(*key, changed) : ERROR_KEY_DELETED;
    };
    return rootFile(open.root).modify(changeInTree, &m_lastFailure);
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
    QStringList below;
    appendSubKey(subKey, &below);
    bool made = false;
    const auto createPath = [&](RegistryKey& start, bool* changed) {
        RegistryKey* node = &start;
        for (const QString& name : std::as_const(below)) {
            if (!node->child(name) && !(from.access & KEY_CREATE_SUB_KEY))
                return ERROR_ACCESS_DENIED;
            bool madeHere = false;
            node = &node->ensureChild(name, &madeHere);
            made = made || madeHere;
        }
        *changed = made;
        return ERROR_SUCCESS;
    };
    // The parent's own rights decide whether keys may be made below it.
    result = changeKey(parent, 0, createPath);
    if (result != ERROR_SUCCESS)
        return result;
    if (created)
        *created = made;
    *key = addHandle(OpenKey { from.root, from.path + below, access });
    return ERROR_SUCCESS;
}

long RegistryStore::queryValue(
    RegHandle key, const QString& name, quint32* type, QByteArray* data, quint32* size)
{
    long result = ERROR_SUCCESS;
    const RegistryKey* found = keyToRead(key, KEY_QUERY_VALUE, &result);
    if (!found)
        return result;
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
    if (name.size() > MaxValueNameLength)
        return ERROR_INVALID_PARAMETER;
    const auto store = [&](RegistryKey& found, bool* changed) {
        *changed = found.setValue(name, type, data);
        return ERROR_SUCCESS;
    };
    return changeKey(key, KEY_SET_VALUE, store);
}

long RegistryStore::deleteKey(RegHandle parent, const QString& subKey)
{
    OpenKey from;
    QStringList below;
    long result = resolve(parent, &from);
    if (result == ERROR_SUCCESS)
        result = appendSubKey(subKey, &below);
    if (result != ERROR_SUCCESS)
        return result;
    if (below.isEmpty())
        return ERROR_ACCESS_DENIED; // neither a root nor the key a handle holds open
    const auto remove = [&](RegistryKey& start, bool* changed) {
        RegistryKey* above = start.find(below.first(below.size() - 1));
        RegistryKey* doomed = above ? above->child(below.last()) : nullptr;
        if (!doomed)
            return ERROR_FILE_NOT_FOUND;
        if (doomed->childCount() > 0)
            return ERROR_ACCESS_DENIED; // Windows NT deletes only keys without subkeys
        *changed = above->removeChild(below.last());
        return ERROR_SUCCESS;
    };
    return changeKey(parent, 0, remove);
}

long RegistryStore::deleteValue(RegHandle key, const QString& name)
{
    const auto remove = [&](RegistryKey& found, bool* changed) {
        *changed = found.removeValue(name);
        return *changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    };
    return changeKey(key, KEY_SET_VALUE, remove);
}

long RegistryStore::enumKey(RegHandle key, quint32 index, QString* name, quint32 bufferChars)
{
    long result = ERROR_SUCCESS;
    const RegistryKey* found = keyToRead(key, KEY_ENUMERATE_SUB_KEYS, &result);
    if (!found)
        return result;
    if (index >= quint32(found->childCount()))
        return ERROR_NO_MORE_ITEMS;
    const QString& childName = found->childAt(int(index)).name();
    if (quint32(childName.size()) + 1 > bufferChars)
        return ERROR_MORE_DATA;
    *name = childName;
    return ERROR_SUCCESS;
}

QString RegistryStore::rootFailure(RegHandle root)
{
    if (rootIndex(root) < 0)
        return QString();
    long result = ERROR_SUCCESS;
    QString failure;
    return rootFile(root).load(&result, &failure) ? QString() : failure;
}

void RegistryStore::beginUpdate()
{
    m_updating = true;
    for (const std::unique_ptr<RegistryRootFile>& root : m_roots)
        root->beginUpdate();
}

long RegistryStore::commitUpdate()
{
    m_lastFailure.clear();
    m_updating = false;
    // A spoiled root spoils them all: none is written.
    long result = ERROR_SUCCESS;
    for (const std::unique_ptr<RegistryRootFile>& root : m_roots) {
        if (result == ERROR_SUCCESS)
            result = root->updateFailure(&m_lastFailure);
    }
    for (const std::unique_ptr<RegistryRootFile>& root : m_roots) {
        QString failure;
        const long written = root->endUpdate(result == ERROR_SUCCESS, &failure);
        if (written != ERROR_SUCCESS && result == ERROR_SUCCESS) {
            result = written;
            m_lastFailure = failure;
        }
    }
    return result;
}

void RegistryStore::dropUpdate()
{
    m_updating = false;
    QString failure;
    for (const std::unique_ptr<RegistryRootFile>& root : m_roots)
        root->endUpdate(false, &failure);
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

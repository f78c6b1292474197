#pragma once
// RegistryStore: our stand-in for the advapi32 registry calls. Keys live under
// the roots HKEY_CLASSES_ROOT, HKEY_CURRENT_USER and HKEY_LOCAL_MACHINE, one
// text file per root (registry_root_file.h), shared safely between programs.
// Every call answers with the Windows result code (registry_codes.h): 0 on
// success, 2 for a missing key or value, 5 when the key was opened without the
// right access, 6 for an unknown handle, 1009 when the root's file is damaged,
// 1012/1013 when it cannot be read or written, 1018 when an open key was
// deleted meanwhile. lastFailure() explains the file-level failures in words.
//
// Names compare without regard to case and keep their first spelling. Text
// values are stored as UTF-8 (our "ANSI" code page). Used on one thread.
#include "platform/registry_codes.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <map>
#include <memory>

class RegistryKey;
class RegistryRootFile;

class RegistryStore
{
public:
    RegistryStore();
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // RegOpenKeyEx: opens `parent`\`subKey` (the parent itself for empty text).
    long openKey(RegHandle parent, const QString& subKey, quint32 access, RegHandle* key);
    // RegCreateKeyEx: as openKey, but creates the missing keys along the path.
    long createKey(
        RegHandle parent, const QString& subKey, quint32 access, RegHandle* key, bool* created = nullptr);
    // RegQueryValueEx: `type` and `size` receive the stored type and size in
    // bytes. With `data` null this only asks for them. Otherwise `*size` is the
    // room in `data` on entry: ERROR_MORE_DATA when the value is larger
    // (`data` untouched), else the bytes are copied.
    long queryValue(RegHandle key, const QString& name, quint32* type, QByteArray* data, quint32* size);
    // RegSetValueEx: stores `data` under `name` with the type number `type`.
    long setValue(RegHandle key, const QString& name, quint32 type, const QByteArray& data);
    // RegDeleteKey: deletes `parent`\`subKey`; a key that has subkeys stays
    // (ERROR_ACCESS_DENIED), as on Windows NT.
    long deleteKey(RegHandle parent, const QString& subKey);
    // RegDeleteValue.
    long deleteValue(RegHandle key, const QString& name);
    // RegEnumKey: the name of subkey number `index` in the order Windows
    // lists them; ERROR_NO_MORE_ITEMS past the last, ERROR_MORE_DATA when the
    // name and its terminator need more than `bufferChars` characters.
    long enumKey(RegHandle key, quint32 index, QString* name, quint32 bufferChars);
    // RegCloseKey. Closing a root does nothing.
    long closeKey(RegHandle key);

    // Why the last call failed, when the cause lies in the store's file (a
    // damaged or unwritable file); empty otherwise. closeKey keeps it.
    const QString& lastFailure() const { return m_lastFailure; }

    // Why the file of a root cannot be used (damaged, unreadable), naming the
    // file; empty when it can, or does not exist yet. Such a file is never
    // written, so no change is saved until someone repairs it.
    QString rootFailure(RegHandle root);

    // One update: every change from beginUpdate() to commitUpdate() stays in
    // memory, under the lock of each root file it touches (other programs
    // wait), and commitUpdate() writes each changed root file once, through
    // one temporary file and one rename, so a program killed half-way leaves
    // the old file whole. Reads in between see the changes. A change that
    // could not reach its file spoils the update: commitUpdate() then writes
    // nothing and returns that failure (lastFailure says why).
    // dropUpdate() forgets the changes. One update at a time.
    void beginUpdate();
    long commitUpdate();
    void dropUpdate();
    bool updating() const { return m_updating; }

    // Returns the number of keys opened and not yet closed.
    int openKeyCount() const { return int(m_open.size()); }

private:
    struct OpenKey
    {
        RegHandle root = 0;
        QStringList path;
        quint32 access = 0;
    };

    // A change to the key an open handle names; see RegistryRootFile::Change.
    using KeyChange = std::function<long(RegistryKey& key, bool* changed)>;

    long resolve(RegHandle handle, OpenKey* key) const;
    // Returns the key `handle` names as the file holds it now, or nullptr
    // with `result` set; the handle must grant `access`.
    const RegistryKey* keyToRead(RegHandle handle, quint32 access, long* result);
    // Runs `change` on the key `handle` names, under the file's lock.
    long changeKey(RegHandle handle, quint32 access, const KeyChange& change);
    RegistryRootFile& rootFile(RegHandle root);
    RegHandle addHandle(const OpenKey& key);

    std::map<RegHandle, OpenKey> m_open;
    RegHandle m_nextHandle;
    std::array<std::unique_ptr<RegistryRootFile>, 3> m_roots;
    QString m_lastFailure;
    bool m_updating = false;
};

// The program's one registry, as Windows has one per process.
RegistryStore& registryStore();
// Forgets open keys and what was read from the files (for tests).
void resetRegistryStore();

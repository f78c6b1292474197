#pragma once
// One registry root on disk: the file "<root name>.txt" in the store folder and
// the tree last read from it. Several programs share the file, so every read
// looks at the file again (and parses it again only when its bytes changed),
// and every change runs under an advisory lock on "<root name>.lock": read the
// newest file, apply the change, write a temporary file beside it, flush it to
// disk and rename it over the old one. A file that does not parse is reported
// and left exactly as it is until someone repairs it.
#include "platform/registry_codes.h"
#include "platform/registry_tree.h"

#include <QByteArray>
#include <QString>
#include <functional>
#include <memory>

class StoreLock;

class RegistryRootFile
{
public:
    // A change to the tree: returns a result code and sets `changed` when the
    // file must be written.
    using Change = std::function<long(RegistryKey& root, bool* changed)>;

    explicit RegistryRootFile(RegHandle root);
    ~RegistryRootFile();

    // The name of the root ("HKEY_CURRENT_USER"), or empty text for a handle
    // that is no root.
    static QString rootName(RegHandle root);
    // The folder of the store files: KORVEL_REGISTRY_DIR when set, otherwise
    // "TALVOR" in the user's configuration folder. Read again at every call.
    static QString folder();

    // Returns the tree as the file holds it now, or nullptr with `result` set
    // (ERROR_BADDB for a damaged file, ERROR_CANTREAD) and `failure` saying why.
    const RegistryKey* load(long* result, QString* failure);

    // Applies `change` to the newest tree under the lock and writes the file
    // when the change asks for it; a failed write leaves the old file.
    long modify(const Change& change, QString* failure);

    // One update of several changes. From beginUpdate() on, the first change
    // takes the lock and keeps it, and every change stays in the tree; a
    // change that cannot reach the file (no lock, a damaged file) spoils the
    // update. endUpdate(true) writes the tree once, through one temporary file
    // and one rename, and returns the first failure instead when spoiled;
    // endUpdate(false) forgets the changes. Either way the lock is let go.
    void beginUpdate();
    long endUpdate(bool keep, QString* failure);
    // The failure that spoiled the update, ERROR_SUCCESS when none did.
    long updateFailure(QString* failure) const;

private:
    RegistryKey* refresh(long* result, QString* failure);
    RegistryKey* readFile(long* result, QString* failure);
    // Takes the lock of the file, or returns nullptr with `result` and `failure` set.
    std::unique_ptr<StoreLock> lock(long* result, QString* failure) const;
    long modifyInUpdate(const Change& change, QString* failure);
    QString filePath() const;
    long write(const QString& path, QString* failure);

    RegHandle m_root;
    QString m_path; // the file the tree below was read from
    QByteArray m_bytes; // the bytes it held then
    std::unique_ptr<RegistryKey> m_tree; // nullptr when they did not parse
    QString m_damage; // why they did not parse

    bool m_updating = false;
    std::unique_ptr<StoreLock> m_updateLock; // held from an update's first change to its end
    bool m_updateChanged = false;
    long m_updateResult = ERROR_SUCCESS; // the first failure that spoiled the update
    QString m_updateFailure;
};

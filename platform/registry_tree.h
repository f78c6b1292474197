#pragma once
// The in-memory form of one registry root: a tree of keys holding typed
// values. Key and value names compare case-insensitively, as on Windows, and
// keep the spelling they were first written with. Subkeys stay sorted by their
// upper-case names, which is the order Windows enumerates them in.
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

struct RegistryValue
{
    QString name;
    quint32 type = 0;
    QByteArray data;
};

class RegistryKey
{
public:
    explicit RegistryKey(const QString& name = QString());
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;

    const QString& name() const { return m_name; }

    RegistryKey* child(const QString& name) const;
    // Returns the child, creating it (with this spelling) when missing.
    RegistryKey& ensureChild(const QString& name, bool* created = nullptr);
    bool removeChild(const QString& name);
    int childCount() const { return int(m_children.size()); }
    const RegistryKey& childAt(int index) const { return *m_children[size_t(index)]; }

    // Returns the key at `path` below this one (this key for an empty path).
    const RegistryKey* find(const QStringList& path) const;
    RegistryKey* find(const QStringList& path);

    const RegistryValue* value(const QString& name) const;
    // Returns false when the value already held exactly this type and data.
    bool setValue(const QString& name, quint32 type, const QByteArray& data);
    bool removeValue(const QString& name);
    int valueCount() const { return int(m_values.size()); }
    const RegistryValue& valueAt(int index) const { return m_values[size_t(index)].value; }

private:
    struct ValueSlot
    {
        QString folded;
        RegistryValue value;
    };

    std::vector<std::unique_ptr<RegistryKey>>::const_iterator childSlot(const QString& folded) const;
    std::vector<ValueSlot>::const_iterator valueSlot(const QString& folded) const;

    QString m_name;
    QString m_folded;
    std::vector<std::unique_ptr<RegistryKey>> m_children; // sorted by m_folded
    std::vector<ValueSlot> m_values; // sorted by folded name
};

// The form in which names compare: Windows upper-cases both sides.
QString foldRegistryName(const QString& name);

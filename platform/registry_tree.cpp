#include "platform/registry_tree.h"

#include <algorithm>
#include <utility>

QString foldRegistryName(const QString& name)
{
    return name.toUpper();
}

RegistryKey::RegistryKey(const QString& name)
    : m_name(name)
    , m_folded(foldRegistryName(name))
{
}

std::vector<std::unique_ptr<RegistryKey>>::const_iterator RegistryKey::childSlot(const QString& folded) const
{
    return std::lower_bound(m_children.begin(), m_children.end(), folded,
        [](const std::unique_ptr<RegistryKey>& key, const QString& wanted) {
            return key->m_folded < wanted;
        });
}

std::vector<RegistryKey::ValueSlot>::const_iterator RegistryKey::valueSlot(const QString& folded) const
{
    return std::lower_bound(m_values.begin(), m_values.end(), folded,
        [](const ValueSlot& slot, const QString& wanted) { return slot.folded < wanted; });
}

RegistryKey* RegistryKey::child(const QString& name) const
{
    const QString folded = foldRegistryName(name);
    const auto it = childSlot(folded);
    return it != m_children.end() && (*it)->m_folded == folded ? it->get() : nullptr;
}

RegistryKey& RegistryKey::ensureChild(const QString& name, bool* created)
{
    const QString folded = foldRegistryName(name);
    const auto it = childSlot(folded);
    if (created)
        *created = false;
    if (it != m_children.end() && (*it)->m_folded == folded)
        return **it;
    if (created)
        *created = true;
    return **m_children.insert(it, std::make_unique<RegistryKey>(name));
}

bool RegistryKey::removeChild(const QString& name)
{
    const QString folded = foldRegistryName(name);
    const auto it = childSlot(folded);
    if (it == m_children.end() || (*it)->m_folded != folded)
        return false;
    m_children.erase(it);
    return true;
}

RegistryKey* RegistryKey::find(const QStringList& path)
{
    return const_cast<RegistryKey*>(std::as_const(*this).find(path));
}

const RegistryKey* RegistryKey::find(const QStringList& path) const
{
    const RegistryKey* key = this;
    for (const QString& part : path) {
        key = key->child(part);
        if (!key)
            return nullptr;
    }
    return key;
}

const RegistryValue* RegistryKey::value(const QString& name) const
{
    const QString folded = foldRegistryName(name);
    const auto it = valueSlot(folded);
    return it != m_values.end() && it->folded == folded ? &it->value : nullptr;
}

bool RegistryKey::setValue(const QString& name, quint32 type, const QByteArray& data)
{
    const QString folded = foldRegistryName(name);
    const auto it = valueSlot(folded);
    if (it != m_values.end() && it->folded == folded) {
        // Windows keeps the spelling of the value's first creation.
        auto& slot = m_values[size_t(it - m_values.begin())];
        if (slot.value.type == type && slot.value.data == data)
            return false;
        slot.value.type = type;
        slot.value.data = data;
        return true;
    }
    m_values.insert(it, ValueSlot { folded, RegistryValue { name, type, data } });
    return true;
}

bool RegistryKey::removeValue(const QString& name)
{
    const QString folded = foldRegistryName(name);
    const auto it = valueSlot(folded);
    if (it == m_values.end() || it->folded != folded)
        return false;
    m_values.erase(it);
    return true;
}

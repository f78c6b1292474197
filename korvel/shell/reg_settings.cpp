#include "korvel/shell/reg_settings.h"

#include "registry/c_registry.h"

namespace {

// A registry path, so the separators stay backslashes.
QString settingsKey(const QString& section)
{
    return QStringLiteral("Software\\TALVOR\\KORVEL\\") + section;
}

void aim(cRegistry& registry, const QString& section, const QString& name)
{
    registry.setClassKey(HKEY_CURRENT_USER);
    registry.setSectionKey(settingsKey(section));
    registry.setValueKey(name);
}

} // namespace

QString GetRegSetting(const QString& section, const QString& name, const QString& defaultValue)
{
    cRegistry registry;
    aim(registry, section, name);
    registry.setValueType(REG_SZ);
    registry.setDefault(defaultValue);
    return regVariantToText(registry.Value());
}

void SaveRegSetting(const QString& section, const QString& name, const QString& value)
{
    if (value.isEmpty())
        return;
    cRegistry registry;
    aim(registry, section, name);
    registry.setValueType(REG_SZ);
    registry.setValue(value);
}

void DeleteRegSetting(const QString& section, const QString& name)
{
    cRegistry registry;
    aim(registry, section, name);
    if (registry.KeyExists())
        registry.DeleteValue();
}

#include "quillet/updater_registry.h"

#include "registry/c_registry.h"

#include <QUrl>

namespace quillet {

namespace {

const QString SettingsRoot = QStringLiteral("Software\\TALVOR\\KORVEL");
const QString RuntimeSettingsRoot = QStringLiteral("Software\\VB And VBA Program Settings\\KORVEL");

bool keyExists(const QString& sectionKey)
{
    cRegistry registry(DeleteValueMode::Raise);
    registry.setClassKey(HKEY_CURRENT_USER);
    registry.setSectionKey(sectionKey);
    return registry.KeyExists();
}

} // namespace

QString GetRootDir()
{
    QString sectionKey;
    if (keyExists(SettingsRoot)) {
        sectionKey = SettingsRoot + QStringLiteral("\\Settings");
    } else if (keyExists(RuntimeSettingsRoot)) {
        sectionKey = RuntimeSettingsRoot + QStringLiteral("\\Settings");
    } else {
        sectionKey = RuntimeSettingsRoot;
    }
    cRegistry registry(DeleteValueMode::Raise);
    registry.setClassKey(HKEY_CURRENT_USER);
    registry.setSectionKey(sectionKey);
    registry.setValueKey(QStringLiteral("RootDir"));
    registry.setValueType(REG_SZ);
    return regVariantToText(registry.Value());
}

QString GetRegSetting(const QString& section, const QString& name, const QString& defaultValue)
{
    cRegistry registry(DeleteValueMode::Raise);
    registry.setClassKey(HKEY_CURRENT_USER);
    registry.setSectionKey(SettingsRoot + QLatin1Char('\\') + section);
    registry.setValueKey(name);
    registry.setValueType(REG_SZ);
    registry.setDefault(defaultValue);
    return regVariantToText(registry.Value());
}

void SaveRegSetting(const QString& SettingKey, const QString& ValueKey, const QString& ValueStr)
{
    cRegistry registry(DeleteValueMode::Raise);
    registry.setClassKey(HKEY_CURRENT_USER);
    registry.setSectionKey(SettingsRoot + QLatin1Char('\\') + SettingKey);
    registry.setValueKey(ValueKey);
    registry.setValueType(REG_SZ);
    registry.setValue(ValueStr);
}

QString updateServer()
{
    QString address = GetRegSetting(
        QStringLiteral("Settings"), QStringLiteral("UpdateServer"), QLatin1String(DefaultUpdateServer))
                          .trimmed();
    if (address.isEmpty()) {
        address = QLatin1String(DefaultUpdateServer);
    }
    if (!address.contains(QLatin1String("://"))) {
        address.prepend(QLatin1String("http://"));
    }
    while (address.endsWith(QLatin1Char('/'))) {
        address.chop(1);
    }
    return address;
}

QString updateServerHost(const QString& address)
{
    const QString host = QUrl(address).host();
    return host.isEmpty() ? address : host;
}

} // namespace quillet

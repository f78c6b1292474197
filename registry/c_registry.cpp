#include "registry/c_registry.h"

#include "platform/environment_strings.h"
#include "platform/registry_store.h"
#include "platform/program_identity.h"
#include "platform/vb_error.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QtEndian>

namespace {

// Query, set, create subkey, enumerate, notify and create link: the access
// the class asks for whenever it may change a key.
constexpr quint32 KeyAccessChange = 0x3F;

// RegEnumKey's name buffer in the class, terminator included.
constexpr quint32 SectionNameBuffer = 255;

// Closes the key it holds when the operation ends, however it ends.
class OpenedKey
{
public:
    OpenedKey() = default;
    ~OpenedKey()
    {
        if (handle != 0)
            registryStore().closeKey(handle);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;

    RegHandle handle = 0;
};

// Stored strings end in one NUL, which is not part of the text. A string that
// another program stored without it keeps its last character.
QString storedText(const QByteArray& data)
{
    return QString::fromUtf8(data.endsWith('\0') ? data.first(data.size() - 1) : data);
}

// A REG_DWORD read into a 32-bit integer: shorter data fills its low bytes,
// longer data gives its first four.
quint32 storedNumber(const QByteArray& data)
{
    QByteArray bytes = data.left(4);
    bytes.append(4 - bytes.size(), '\0');
    return qFromLittleEndian<quint32>(bytes.constData());
}

RegVariant convertStored(quint32 type, const QByteArray& data)
{
    switch (type) {
    case REG_SZ:
    case REG_MULTI_SZ:
        return storedText(data);
    case REG_EXPAND_SZ:
        return ExpandEnvironmentStrings(storedText(data));
    case REG_DWORD:
        return qint32(storedNumber(data));
    case REG_DWORD_BIG_ENDIAN:
        return qint32(qbswap(storedNumber(data)));
    default:
        return data;
    }
}

// Text is stored as REG_EXPAND_SZ when it holds a '%' and another '%' at
// least two places after the first, so "%PATH%" expands and "%%" or "100%"
// stays plain.
bool looksExpandable(const QString& text)
{
    const qsizetype first = text.indexOf(QLatin1Char('%'));
    return first >= 0 && text.indexOf(QLatin1Char('%'), first + 2) >= 0;
}

} // namespace

QString regVariantToText(const RegVariant& value)
{
    if (const auto* text = std::get_if<QString>(&value))
        return *text;
    if (const auto* small = std::get_if<qint16>(&value))
        return QString::number(*small);
    if (const auto* number = std::get_if<qint32>(&value))
        return QString::number(*number);
    if (const auto* bytes = std::get_if<QByteArray>(&value))
        return QString::fromUtf8(*bytes);
    return QString();
}

cRegistry::cRegistry(DeleteValueMode deleteValueMode)
    : m_deleteValueMode(deleteValueMode)
{
}

void cRegistry::raise(long number, const QString& description) const
{
    // Where the store's file is at fault (damaged, unwritable) the user also
    // needs to know which file and why.
    QString text = description;
    const QString cause = registryStore().lastFailure();
    if (!cause.isEmpty())
        text += QLatin1Char('\n') + cause;
    throw VbError(number, programExeName() + QStringLiteral(".cRegistry"), text);
}

QString cRegistry::keyText() const
{
    return QStringLiteral("'%1',Section: '%2").arg(m_classKey).arg(m_sectionKey);
}

QString cRegistry::writeFailureText(const RegVariant& vValue) const
{
    // Bytes are shown as hex pairs: as text they would be unreadable.
    const auto* bytes = std::get_if<QByteArray>(&vValue);
    const QString valueText
        = bytes ? QString::fromLatin1(bytes->toHex(' ').toUpper()) : regVariantToText(vValue);
    return QStringLiteral("Failed to set registry value Key: ") + keyText() + QStringLiteral("',Key: '")
        + m_valueKey + QStringLiteral("' to value: '") + valueText + QStringLiteral("'");
}

bool cRegistry::KeyExists() const
{
    OpenedKey key;
    return registryStore().openKey(m_classKey, m_sectionKey, KEY_QUERY_VALUE, &key.handle) == ERROR_SUCCESS;
}

bool cRegistry::CreateKey()
{
    OpenedKey key;
    if (registryStore().createKey(m_classKey, m_sectionKey, KeyAccessChange, &key.handle) != ERROR_SUCCESS)
        raise(RegErrorFailed, QStringLiteral("Failed to create registry Key: '") + m_sectionKey);
    return true;
}

bool cRegistry::DeleteKey()
{
    if (registryStore().deleteKey(m_classKey, m_sectionKey) != ERROR_SUCCESS)
        raise(RegErrorFailed, QStringLiteral("Failed to delete registry Key: ") + keyText());
    return true;
}

bool cRegistry::DeleteValue()
{
    const bool raises = m_deleteValueMode == DeleteValueMode::Raise;
    RegistryStore& store = registryStore();
    OpenedKey key;
    if (store.openKey(m_classKey, m_sectionKey, KeyAccessChange, &key.handle) != ERROR_SUCCESS) {
        if (raises)
            raise(RegErrorFailed,
                QStringLiteral("Failed to open key ") + keyText() + QStringLiteral("' for delete access"));
        return false;
    }
    if (store.deleteValue(key.handle, m_valueKey) != ERROR_SUCCESS) {
        if (raises)
            raise(RegErrorFailed,
                QStringLiteral("Failed to delete registry Key: ") + keyText() + QStringLiteral("',Key: '")
                    + m_valueKey);
        return false;
    }
    return true;
}

RegVariant cRegistry::Value()
{
    RegistryStore& store = registryStore();
    OpenedKey key;
    // A key that does not open leaves the handle 0, and the query below fails.
    store.openKey(m_classKey, m_sectionKey, KEY_QUERY_VALUE, &key.handle);

    // Ask with no room first: ERROR_MORE_DATA is the normal answer for a value
    // with data, success the answer for a value without.
    quint32 type = 0;
    quint32 size = 0;
    QByteArray data;
    const long probe = store.queryValue(key.handle, m_valueKey, &type, &data, &size);
    if (probe != ERROR_SUCCESS && probe != ERROR_MORE_DATA)
        return m_default;
    m_valueType = qint32(type);
    store.queryValue(key.handle, m_valueKey, &type, &data, &size);
    return convertStored(type, data);
}

void cRegistry::setValue(const RegVariant& vValue)
{
    OpenedKey key;
    if (registryStore().createKey(m_classKey, m_sectionKey, KeyAccessChange, &key.handle) != ERROR_SUCCESS)
        raise(RegErrorFailed, writeFailureText(vValue));
    if (writeByType(key.handle, vValue) != ERROR_SUCCESS)
        raise(RegErrorWriteFailed, writeFailureText(vValue));
}

long cRegistry::writeByType(RegHandle key, const RegVariant& vValue) const
{
    RegistryStore& store = registryStore();
    switch (m_valueType) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        const QString text = regVariantToText(vValue);
        return store.setValue(
            key, m_valueKey, looksExpandable(text) ? REG_EXPAND_SZ : REG_SZ, text.toUtf8() + '\0');
    }
    case REG_BINARY: {
        const auto* bytes = std::get_if<QByteArray>(&vValue);
        if (!bytes) // raised without a text of the class's own: the runtime's text and source stand
            throw VbError(
                RegErrorFailed, programExeName(), QStringLiteral("Application-defined or object-defined error"));
        return store.setValue(key, m_valueKey, REG_BINARY, *bytes);
    }
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN: {
        // Written as a little-endian REG_DWORD for both types: nothing is reversed on writing.
        qint32 number = 0;
        if (const auto* small = std::get_if<qint16>(&vValue))
            number = *small;
        else if (const auto* large = std::get_if<qint32>(&vValue))
            number = *large;
        else
            return ERROR_SUCCESS; // another kind is not written, and that is no failure
        QByteArray data(4, '\0');
        qToLittleEndian(number, data.data());
        return store.setValue(key, m_valueKey, REG_DWORD, data);
    }
    default:
        return ERROR_INVALID_DATA;
    }
}

bool cRegistry::EnumerateSections(std::vector<QString>& sSect, qint32& iSectCount)
{
    RegistryStore& store = registryStore();
    OpenedKey key;
    try {
        iSectCount = 0;
        sSect.clear();
        if (store.openKey(m_classKey, m_sectionKey, KEY_ENUMERATE_SUB_KEYS, &key.handle) == ERROR_SUCCESS) {
            QString name;
            for (quint32 index = 0;
                 store.enumKey(key.handle, index, &name, SectionNameBuffer) == ERROR_SUCCESS; ++index) {
                ++iSectCount;
                sSect.resize(size_t(iSectCount) + 1);
                const qsizetype end = name.indexOf(QChar(0));
                sSect[size_t(iSectCount)] = end < 0 ? name : name.left(end);
            }
        }
        return true;
    } catch (const std::exception& e) {
        throw VbError(RegErrorEnumerateFailed, programExeName() + QStringLiteral(".cRegistry"),
            QString::fromLocal8Bit(e.what()));
    }
}

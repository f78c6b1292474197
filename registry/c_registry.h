#pragma once
// cRegistry: the settings class both programs read and write the registry
// through. An object names one place (root, key path, value name, value type
// and a default) in its properties and then performs one operation there. It
// keeps no key open between calls and shows nothing: failures are raised as
// VbError with the source "<program>.cRegistry" and are left to the caller.
#include "platform/registry_codes.h"

#include <QByteArray>
#include <QString>
#include <variant>
#include <vector>

// The variant of the settings class: empty, 16-bit integer, 32-bit integer,
// text or an array of bytes.
using RegVariant = std::variant<std::monostate, qint16, qint32, QString, QByteArray>;

// Returns the variant as text: empty text, the decimal number, the text
// itself, or the bytes read as UTF-8.
QString regVariantToText(const RegVariant& value);

// The error numbers the class raises: a plain number, and the object-error
// base 0x80040000 plus 27049 (a failed write) or 27050 (a failed listing).
constexpr long RegErrorFailed = 26001;
constexpr long RegErrorWriteFailed = qint32(0x800469A9u); // -2147194455
constexpr long RegErrorEnumerateFailed = qint32(0x800469AAu); // -2147194454

// The main program lets DeleteValue report failure as False; the updater's
// build raises 26001 instead.
enum class DeleteValueMode { ReturnFalse, Raise };

class cRegistry
{
public:
    explicit cRegistry(DeleteValueMode deleteValueMode = DeleteValueMode::ReturnFalse);

    // True when ClassKey\SectionKey can be opened for reading. Never raises.
    bool KeyExists() const;
    // Creates ClassKey\SectionKey with the keys above it; raises 26001 on failure.
    bool CreateKey();
    // Deletes ClassKey\SectionKey (not while it has subkeys); raises 26001 on failure.
    bool DeleteKey();
    // Deletes the value ValueKey; on failure False, or 26001 in the Raise mode.
    bool DeleteValue();

    // Returns the stored value converted by its type and sets ValueType to the
    // type found; a value that cannot be read gives a copy of Default and
    // leaves ValueType alone. Never raises.
    RegVariant Value();
    // Writes `vValue` as ValueType says, creating the key when missing; raises
    // 26001 when the key cannot be created and 0x800469A9 when the write fails.
    void setValue(const RegVariant& vValue);

    // Fills sSect(1 .. iSectCount) with the names of the subkeys of
    // ClassKey\SectionKey (element 0 unused; empty when there are none).
    // Returns True, also when the key does not exist.
    bool EnumerateSections(std::vector<QString>& sSect, qint32& iSectCount);

    qint32 ValueType() const { return m_valueType; }
    void setValueType(qint32 eValueType) { m_valueType = eValueType; }
    qint32 ClassKey() const { return m_classKey; }
    void setClassKey(qint32 eKey) { m_classKey = eKey; }
    const QString& SectionKey() const { return m_sectionKey; }
    void setSectionKey(const QString& sSectionKey) { m_sectionKey = sSectionKey; }
    const QString& ValueKey() const { return m_valueKey; }
    void setValueKey(const QString& sValueKey) { m_valueKey = sValueKey; }
    RegVariant Default() const { return m_default; }
    void setDefault(const RegVariant& vDefault) { m_default = vDefault; }

private:
    [[noreturn]] void raise(long number, const QString& description) const;
    QString keyText() const;
    QString writeFailureText(const RegVariant& vValue) const;
    long writeByType(RegHandle key, const RegVariant& vValue) const;

    DeleteValueMode m_deleteValueMode;
    qint32 m_classKey = 0;
    QString m_sectionKey;
    QString m_valueKey;
    qint32 m_valueType = 0;
    RegVariant m_default;
};

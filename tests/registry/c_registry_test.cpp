#include "registry/c_registry.h"

#include "platform/registry_store.h"
#include "platform/vb_error.h"
#include "tests/support/korvel_test.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

namespace {

const QString Section = QStringLiteral("Software\\TALVOR\\KORVEL\\Settings");

class cRegistryTest : public KorvelTest
{
protected:
    void TearDown() override
    {
        EXPECT_EQ(registryStore().openKeyCount(), 0) << "every operation closes the keys it opened";
        KorvelTest::TearDown();
    }

    static cRegistry at(
        const QString& value, qint32 type = REG_SZ, DeleteValueMode mode = DeleteValueMode::ReturnFalse)
    {
        cRegistry registry(mode);
        registry.setClassKey(HKEY_CURRENT_USER);
        registry.setSectionKey(Section);
        registry.setValueKey(value);
        registry.setValueType(type);
        return registry;
    }

    // Stores raw bytes with any type, as another program could.
    static void storeRaw(const QString& value, quint32 type, const QByteArray& data)
    {
        RegHandle key = 0;
        ASSERT_EQ(registryStore().createKey(HKEY_CURRENT_USER, Section, KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
        ASSERT_EQ(registryStore().setValue(key, value, type, data), ERROR_SUCCESS);
        registryStore().closeKey(key);
    }

    // Returns the stored type and bytes; type 0xFFFF when the value is missing.
    static std::pair<quint32, QByteArray> stored(const QString& value)
    {
        RegHandle key = 0;
        quint32 type = 0xFFFF;
        quint32 size = 1 << 16;
        QByteArray data;
        if (registryStore().openKey(HKEY_CURRENT_USER, Section, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS
            && registryStore().queryValue(key, value, &type, &data, &size) != ERROR_SUCCESS)
            type = 0xFFFF;
        registryStore().closeKey(key);
        return { type, data };
    }

    static QString source()
    {
        return QStringLiteral("korvel.cRegistry"); // the test support runs as the main program
    }

    // Runs `operation`, which must raise; returns the error.
    template <typename Operation> static VbError raised(Operation operation)
    {
        try {
            operation();
        } catch (const VbError& error) {
            return error;
        }
        ADD_FAILURE() << "nothing was raised";
        return VbError(0, QString(), QString());
    }
};

using cRegistryRead = cRegistryTest;
using cRegistryWrite = cRegistryTest;
using cRegistryKeys = cRegistryTest;
using cRegistryStoreFaults = cRegistryTest;

} // namespace

// ---- reading ----------------------------------------------------------------

TEST_F(cRegistryRead, ConvertsEachStoredType)
{
    storeRaw("sz", REG_SZ, QByteArray("text\0", 5));
    storeRaw("multi", REG_MULTI_SZ, QByteArray("a\0b\0\0", 5));
    storeRaw("dword", REG_DWORD, QByteArray("\x02\x01\x00\x00", 4));
    storeRaw("negative", REG_DWORD, QByteArray("\xFF\xFF\xFF\xFF", 4));
    storeRaw("bigEndian", REG_DWORD_BIG_ENDIAN, QByteArray("\x00\x00\x01\x02", 4));
    storeRaw("binary", REG_BINARY, QByteArray("\x00\x7F\xFF", 3));
    storeRaw("other", 11, QByteArray("\x01\x02", 2));
    storeRaw("unicode", REG_SZ, QStringLiteral("Zoë ✈").toUtf8() + '\0');

    const struct
    {
        const char* value;
        RegVariant expected;
        quint32 type;
    } rows[] = {
        { "sz", QStringLiteral("text"), REG_SZ },
        { "multi", QString::fromUtf8("a\0b\0", 4), REG_MULTI_SZ },
        { "dword", qint32(258), REG_DWORD },
        { "negative", qint32(-1), REG_DWORD },
        { "bigEndian", qint32(258), REG_DWORD_BIG_ENDIAN },
        { "binary", QByteArray("\x00\x7F\xFF", 3), REG_BINARY },
        { "other", QByteArray("\x01\x02", 2), 11 },
        { "unicode", QStringLiteral("Zoë ✈"), REG_SZ },
    };
    for (const auto& row : rows) {
        cRegistry registry = at(row.value, REG_BINARY);
        EXPECT_EQ(registry.Value(), row.expected) << row.value;
        EXPECT_EQ(registry.ValueType(), qint32(row.type))
            << row.value << ": the read reports the type it found";
    }
}

TEST_F(cRegistryRead, ZeroLengthValuesReadEmpty)
{
    storeRaw("emptyText", REG_SZ, QByteArray());
    storeRaw("emptyBytes", REG_BINARY, QByteArray());
    cRegistry text = at("emptyText");
    text.setDefault(QStringLiteral("default"));
    EXPECT_EQ(text.Value(), RegVariant(QString()));
    cRegistry bytes = at("emptyBytes");
    EXPECT_EQ(bytes.Value(), RegVariant(QByteArray()));
    EXPECT_EQ(bytes.ValueType(), REG_BINARY);
}

TEST_F(cRegistryRead, MissingKeyOrValueYieldsTheDefaultAndKeepsValueType)
{
    cRegistry missingKey = at("RootDir", 3);
    missingKey.setDefault(QStringLiteral("/opt/korvel/"));
    EXPECT_EQ(missingKey.Value(), RegVariant(QStringLiteral("/opt/korvel/")));
    EXPECT_EQ(missingKey.ValueType(), 3);

    storeRaw("Other", REG_SZ, QByteArray("x\0", 2));
    cRegistry missingValue = at("RootDir", 4);
    missingValue.setDefault(qint32(7));
    EXPECT_EQ(missingValue.Value(), RegVariant(qint32(7)));
    EXPECT_EQ(missingValue.ValueType(), 4);
    EXPECT_EQ(at("RootDir").Value(), RegVariant()) << "no default set: empty";
}

TEST_F(cRegistryRead, ExpandsEnvironmentReferencesOfExpandableText)
{
    const QByteArray savedTemp = qgetenv("TEMP");
    qputenv("TEMP", "/var/tmp/korvel");
    cRegistry writer = at("Work");
    writer.setValue(QStringLiteral("C:\\%TEMP%\\x"));
    EXPECT_EQ(stored("Work"), std::make_pair(REG_EXPAND_SZ, QByteArray("C:\\%TEMP%\\x\0", 12)));

    cRegistry reader = at("Work");
    EXPECT_EQ(reader.Value(), RegVariant(QStringLiteral("C:\\/var/tmp/korvel\\x")));
    EXPECT_EQ(reader.ValueType(), REG_EXPAND_SZ);
    if (savedTemp.isNull())
        qunsetenv("TEMP");
    else
        qputenv("TEMP", savedTemp);
}

TEST_F(cRegistryRead, TextWithoutTerminatorKeepsItsLastCharacter)
{
    storeRaw("Raw", REG_SZ, QByteArray("abc", 3));
    EXPECT_EQ(at("Raw").Value(), RegVariant(QStringLiteral("abc")));
}

TEST_F(cRegistryRead, OddSizedNumbersAreReadSafely)
{
    storeRaw("short", REG_DWORD, QByteArray("\x05", 1));
    storeRaw("long", REG_DWORD, QByteArray("\x01\x00\x00\x00\xFF\xFF", 6));
    EXPECT_EQ(at("short").Value(), RegVariant(qint32(5)));
    EXPECT_EQ(at("long").Value(), RegVariant(qint32(1)));
}

TEST_F(cRegistryRead, ValueNamesIgnoreCase)
{
    at("Units").setValue(QStringLiteral("Metric"));
    EXPECT_EQ(at("UNITS").Value(), RegVariant(QStringLiteral("Metric")));
}

// ---- writing ----------------------------------------------------------------

TEST_F(cRegistryWrite, ChoosesExpandableOrPlainTextFromThePercentSigns)
{
    const struct
    {
        const char* text;
        quint32 type;
    } rows[] = {
        { "%PATH%", REG_EXPAND_SZ },
        { "50% of 20%", REG_EXPAND_SZ },
        { "%%", REG_SZ },
        { "100%", REG_SZ },
        { "a%b%", REG_EXPAND_SZ },
        { "plain", REG_SZ },
    };
    for (const auto& row : rows) {
        for (const qint32 asked : { qint32(REG_SZ), qint32(REG_EXPAND_SZ) }) {
            at("Text", asked).setValue(QString::fromUtf8(row.text));
            EXPECT_EQ(stored("Text"), std::make_pair(row.type, QByteArray(row.text) + '\0')) << row.text;
        }
    }
}

TEST_F(cRegistryWrite, EmptyTextIsOneZeroByteAndNumbersBecomeText)
{
    at("Empty").setValue(QString());
    EXPECT_EQ(stored("Empty"), std::make_pair(REG_SZ, QByteArray(1, '\0')));
    EXPECT_EQ(at("Empty").Value(), RegVariant(QString()));
    at("Number").setValue(qint32(-12));
    EXPECT_EQ(stored("Number"), std::make_pair(REG_SZ, QByteArray("-12\0", 4)));
}

TEST_F(cRegistryWrite, NumbersAreWrittenAsLittleEndianDwordsForBothTypes)
{
    at("Plain", REG_DWORD).setValue(qint32(258));
    at("Big", REG_DWORD_BIG_ENDIAN).setValue(qint32(258));
    at("Small", REG_DWORD).setValue(qint16(-1));
    EXPECT_EQ(stored("Plain"), std::make_pair(REG_DWORD, QByteArray("\x02\x01\x00\x00", 4)));
    EXPECT_EQ(stored("Big"), std::make_pair(REG_DWORD, QByteArray("\x02\x01\x00\x00", 4)));
    EXPECT_EQ(stored("Small"), std::make_pair(REG_DWORD, QByteArray("\xFF\xFF\xFF\xFF", 4)));

    at("Text", REG_DWORD).setValue(QStringLiteral("12"));
    EXPECT_EQ(stored("Text").first, 0xFFFFu) << "text with a number type writes nothing and raises nothing";
}

TEST_F(cRegistryWrite, BinaryNeedsAByteArray)
{
    at("Blob", REG_BINARY).setValue(QByteArray("\x00\x01", 2));
    EXPECT_EQ(stored("Blob"), std::make_pair(REG_BINARY, QByteArray("\x00\x01", 2)));

    const VbError error = raised([] { at("Blob", REG_BINARY).setValue(QStringLiteral("text")); });
    EXPECT_EQ(error.Number(), 26001);
    EXPECT_EQ(error.Description(), "Application-defined or object-defined error");
    EXPECT_FALSE(error.Source().endsWith(".cRegistry"));
    EXPECT_EQ(stored("Blob").second, QByteArray("\x00\x01", 2));
}

TEST_F(cRegistryWrite, UnsupportedTypesRaiseAndWriteNothing)
{
    for (const qint32 type : { 0, 6, 7, 8 }) {
        const VbError error = raised([type] { at("Multi", type).setValue(QStringLiteral("a")); });
        EXPECT_EQ(error.Number(), -2147194455) << type;
        EXPECT_EQ(error.Source(), source());
        EXPECT_EQ(error.Description(),
            "Failed to set registry value Key: '-2147483647',Section: "
            "'Software\\TALVOR\\KORVEL\\Settings',Key: 'Multi' to value: 'a'");
        EXPECT_EQ(stored("Multi").first, 0xFFFFu);
    }
    const VbError bytes = raised([] { at("Multi", 7).setValue(QByteArray("\x01\xFF", 2)); });
    EXPECT_TRUE(bytes.Description().endsWith("to value: '01 FF'"));
    const VbError number = raised([] { at("Multi", 7).setValue(qint16(5)); });
    EXPECT_TRUE(number.Description().endsWith("to value: '5'"));
}

TEST_F(cRegistryWrite, CreatesTheMissingKeysAlongThePath)
{
    EXPECT_FALSE(at("x").KeyExists());
    at("RootDir").setValue(QStringLiteral("/opt/korvel/"));
    EXPECT_TRUE(at("x").KeyExists());
    EXPECT_EQ(at("RootDir").Value(), RegVariant(QStringLiteral("/opt/korvel/")));
}

// ---- keys, listing and deletion ---------------------------------------------

TEST_F(cRegistryKeys, EnumeratesSubkeysOneBased)
{
    cRegistry registry = at("");
    registry.setSectionKey("Software\\TALVOR\\KORVEL");
    std::vector<QString> sections { "stale" };
    qint32 count = 99;
    EXPECT_TRUE(registry.EnumerateSections(sections, count));
    EXPECT_EQ(count, 0);
    EXPECT_TRUE(sections.empty());

    for (const char* name : { "Settings", "DefaultDirs", "ReportLayout" }) {
        cRegistry section = at("");
        section.setSectionKey(QStringLiteral("Software\\TALVOR\\KORVEL\\") + name);
        EXPECT_TRUE(section.CreateKey());
    }
    EXPECT_TRUE(registry.EnumerateSections(sections, count));
    ASSERT_EQ(count, 3);
    ASSERT_EQ(sections.size(), 4u);
    EXPECT_EQ(sections[1], "DefaultDirs");
    EXPECT_EQ(sections[2], "ReportLayout");
    EXPECT_EQ(sections[3], "Settings");
}

TEST_F(cRegistryKeys, ClassKeyNeverSetOpensNothing)
{
    cRegistry registry;
    registry.setSectionKey("Software");
    registry.setValueKey("v");
    registry.setValueType(REG_SZ);
    registry.setDefault(QStringLiteral("fallback"));
    EXPECT_FALSE(registry.KeyExists());
    EXPECT_EQ(registry.Value(), RegVariant(QStringLiteral("fallback")));
    EXPECT_FALSE(registry.DeleteValue());

    const VbError write = raised([&] { registry.setValue(QStringLiteral("t")); });
    EXPECT_EQ(write.Number(), 26001);
    EXPECT_EQ(write.Description(),
        "Failed to set registry value Key: '0',Section: 'Software',Key: 'v' to value: 't'");
    const VbError create = raised([&] { registry.CreateKey(); });
    EXPECT_EQ(create.Number(), 26001);
    EXPECT_EQ(create.Description(), "Failed to create registry Key: 'Software");

    std::vector<QString> sections;
    qint32 count = 5;
    EXPECT_TRUE(registry.EnumerateSections(sections, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(registry.ClassKey(), 0) << "a raised error leaves the fields as they were";
    EXPECT_EQ(registry.SectionKey(), "Software");
}

TEST_F(cRegistryKeys, DeleteValueReturnsFalseInTheMainProgramAndRaisesInTheUpdater)
{
    cRegistry main = at("Missing");
    EXPECT_FALSE(main.DeleteValue()) << "key missing";
    cRegistry updater = at("Missing", REG_SZ, DeleteValueMode::Raise);
    const VbError open = raised([&] { updater.DeleteValue(); });
    EXPECT_EQ(open.Number(), 26001);
    EXPECT_EQ(open.Source(), source());
    EXPECT_EQ(open.Description(),
        "Failed to open key '-2147483647',Section: 'Software\\TALVOR\\KORVEL\\Settings' for delete access");

    at("Present").setValue(QStringLiteral("x"));
    EXPECT_FALSE(main.DeleteValue()) << "value missing";
    const VbError gone = raised([&] { updater.DeleteValue(); });
    EXPECT_EQ(gone.Number(), 26001);
    EXPECT_EQ(gone.Description(),
        "Failed to delete registry Key: '-2147483647',Section: 'Software\\TALVOR\\KORVEL\\Settings',Key: "
        "'Missing");

    EXPECT_TRUE(at("Present", REG_SZ, DeleteValueMode::Raise).DeleteValue());
    EXPECT_EQ(stored("Present").first, 0xFFFFu);
}

TEST_F(cRegistryKeys, DeleteKeyRemovesALeafAndRaisesOtherwise)
{
    cRegistry leaf = at("");
    EXPECT_TRUE(leaf.CreateKey());
    EXPECT_TRUE(leaf.DeleteKey());
    EXPECT_FALSE(leaf.KeyExists());

    const VbError missing = raised([&] { leaf.DeleteKey(); });
    EXPECT_EQ(missing.Number(), 26001);
    EXPECT_EQ(missing.Description(),
        "Failed to delete registry Key: '-2147483647',Section: 'Software\\TALVOR\\KORVEL\\Settings");

    cRegistry parent = at("");
    parent.setSectionKey("Software\\TALVOR");
    EXPECT_THROW(parent.DeleteKey(), VbError) << "a key with subkeys stays";
    EXPECT_TRUE(parent.KeyExists());
}

TEST_F(cRegistryKeys, ClassKeyMayBeAnOpenKey)
{
    RegHandle talvor = 0;
    ASSERT_EQ(registryStore().createKey(HKEY_CURRENT_USER, "Software\\TALVOR", KEY_ALL_ACCESS, &talvor),
              ERROR_SUCCESS);
    cRegistry registry;
    registry.setClassKey(talvor);
    registry.setSectionKey("KORVEL\\Settings");
    registry.setValueKey("Zone");
    registry.setValueType(REG_SZ);
    registry.setValue(QStringLiteral("17"));
    registryStore().closeKey(talvor);
    EXPECT_EQ(at("Zone").Value(), RegVariant(QStringLiteral("17")));
}

// ---- a damaged store --------------------------------------------------------

TEST_F(cRegistryStoreFaults, DamagedStoreReadsDefaultsAndNamesTheFileWhenWriting)
{
    const QString path = registryDir() + "HKEY_CURRENT_USER.txt";
    const QByteArray damaged = "TALVOR registry 1\n[Software\n";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(damaged);
    }
    cRegistry registry = at("Zone");
    registry.setDefault(QStringLiteral("12"));
    EXPECT_EQ(registry.Value(), RegVariant(QStringLiteral("12")));
    EXPECT_FALSE(registry.KeyExists());

    const VbError error = raised([&] { registry.setValue(QStringLiteral("13")); });
    EXPECT_EQ(error.Number(), 26001);
    const QStringList lines = error.Description().split('\n');
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0],
        "Failed to set registry value Key: '-2147483647',Section: "
        "'Software\\TALVOR\\KORVEL\\Settings',Key: 'Zone' to value: '13'");
    EXPECT_TRUE(lines[1].contains(path));
    EXPECT_TRUE(lines[1].contains("damaged"));

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), damaged);
}

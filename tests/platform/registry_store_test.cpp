#include "platform/registry_root_file.h"
#include "platform/registry_store.h"
#include "tests/support/korvel_test.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <unistd.h>

namespace {

class RegistryStoreTest : public KorvelTest
{
protected:
    RegistryStore& store() { return registryStore(); }

    QString storePath(const QString& root = QStringLiteral("HKEY_CURRENT_USER")) const
    {
        return registryDir() + root + QStringLiteral(".txt");
    }

    QByteArray storeBytes() const
    {
        QFile file(storePath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    void writeStoreFile(const QByteArray& bytes) const
    {
        QFile file(storePath());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    long put(const QString& path, const QString& name, quint32 type, const QByteArray& data)
    {
        RegHandle key = 0;
        long result = store().createKey(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS, &key);
        if (result == ERROR_SUCCESS)
            result = store().setValue(key, name, type, data);
        store().closeKey(key);
        return result;
    }

    // Returns the result code; `type` and `data` receive the value.
    long get(const QString& path, const QString& name, quint32* type, QByteArray* data)
    {
        RegHandle key = 0;
        long result = store().openKey(HKEY_CURRENT_USER, path, KEY_QUERY_VALUE, &key);
        quint32 size = 1 << 20;
        if (result == ERROR_SUCCESS)
            result = store().queryValue(key, name, type, data, &size);
        store().closeKey(key);
        return result;
    }

    QStringList subkeys(RegHandle parent, const QString& path)
    {
        RegHandle key = 0;
        QStringList names;
        if (store().openKey(parent, path, KEY_ENUMERATE_SUB_KEYS, &key) != ERROR_SUCCESS)
            return names;
        QString name;
        for (quint32 i = 0; store().enumKey(key, i, &name, 255) == ERROR_SUCCESS; ++i)
            names << name;
        store().closeKey(key);
        return names;
    }
};

using RegistryStoreKeys = RegistryStoreTest;
using RegistryStoreValues = RegistryStoreTest;
using RegistryStoreFile = RegistryStoreTest;

} // namespace

// ---- keys -------------------------------------------------------------------

TEST_F(RegistryStoreKeys, CreateMakesTheWholePathAndNamesIgnoreCaseKeepingFirstSpelling)
{
    RegHandle key = 0;
    bool created = false;
    ASSERT_EQ(store().createKey(
                  HKEY_CURRENT_USER, "Software\\TALVOR\\KORVEL\\Settings", KEY_ALL_ACCESS, &key, &created),
        ERROR_SUCCESS);
    EXPECT_TRUE(created);
    EXPECT_GT(key, 0);
    store().closeKey(key);

    ASSERT_EQ(store().createKey(HKEY_CURRENT_USER, "SOFTWARE\\talvor\\", KEY_ALL_ACCESS, &key, &created),
        ERROR_SUCCESS);
    EXPECT_FALSE(created);
    store().closeKey(key);
    EXPECT_EQ(store().openKey(HKEY_CURRENT_USER, "software\\Talvor\\korvel\\SETTINGS", KEY_QUERY_VALUE, &key),
        ERROR_SUCCESS);
    store().closeKey(key);

    EXPECT_EQ(subkeys(HKEY_CURRENT_USER, ""), QStringList { "Software" });
    EXPECT_EQ(subkeys(HKEY_CURRENT_USER, "software\\talvor"), QStringList { "KORVEL" });
    EXPECT_EQ(store().openKeyCount(), 0);
}

TEST_F(RegistryStoreKeys, OpensRelativeToAnOpenKey)
{
    RegHandle software = 0;
    RegHandle settings = 0;
    ASSERT_EQ(store().createKey(HKEY_CURRENT_USER, "Software", KEY_ALL_ACCESS, &software), ERROR_SUCCESS);
    ASSERT_EQ(store().createKey(software, "TALVOR\\Settings", KEY_ALL_ACCESS, &settings), ERROR_SUCCESS);
    store().closeKey(settings);
    EXPECT_EQ(store().openKey(HKEY_CURRENT_USER, "Software\\TALVOR\\Settings", KEY_QUERY_VALUE, &settings),
        ERROR_SUCCESS);
    store().closeKey(settings);
    EXPECT_EQ(store().openKey(software, "", KEY_QUERY_VALUE, &settings), ERROR_SUCCESS);
    EXPECT_NE(settings, software);
    store().closeKey(settings);
    store().closeKey(software);
}

TEST_F(RegistryStoreKeys, RefusesMissingKeysBadPathsAndUnknownHandles)
{
    RegHandle key = 123;
    EXPECT_EQ(
        store().openKey(HKEY_CURRENT_USER, "Software\\Nowhere", KEY_QUERY_VALUE, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(store().createKey(HKEY_CURRENT_USER, "\\Software", KEY_ALL_ACCESS, &key), ERROR_BAD_PATHNAME);
    EXPECT_EQ(
        store().createKey(HKEY_CURRENT_USER, "Software\\\\X", KEY_ALL_ACCESS, &key), ERROR_BAD_PATHNAME);
    EXPECT_EQ(store().createKey(HKEY_CURRENT_USER, QString(256, 'k'), KEY_ALL_ACCESS, &key),
        ERROR_INVALID_PARAMETER);
    EXPECT_EQ(store().openKey(0, "Software", KEY_QUERY_VALUE, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(store().createKey(0x7777, "Software", KEY_ALL_ACCESS, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(store().openKey(RegHandle(0x80000003u), "", KEY_QUERY_VALUE, &key), ERROR_INVALID_HANDLE);
    EXPECT_EQ(store().closeKey(0x7777), ERROR_INVALID_HANDLE);
    EXPECT_EQ(store().closeKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
    EXPECT_FALSE(QFile::exists(storePath())) << "failed calls must not create the store file";
}

TEST_F(RegistryStoreKeys, EnumeratesSubkeysInWindowsOrderUntilNoMoreItems)
{
    for (const char* name : { "Charlie", "alpha", "Bravo" })
        ASSERT_EQ(
            put(QStringLiteral("Software\\List\\") + name, "v", REG_SZ, QByteArray("x", 2)), ERROR_SUCCESS);
    EXPECT_EQ(subkeys(HKEY_CURRENT_USER, "Software\\List"), (QStringList { "alpha", "Bravo", "Charlie" }));

    RegHandle key = 0;
    ASSERT_EQ(
        store().openKey(HKEY_CURRENT_USER, "Software\\List", KEY_ENUMERATE_SUB_KEYS, &key), ERROR_SUCCESS);
    QString name;
    EXPECT_EQ(store().enumKey(key, 3, &name, 255), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(store().enumKey(key, 1, &name, 5), ERROR_MORE_DATA) << "\"Bravo\" and its terminator need 6";
    EXPECT_EQ(store().enumKey(key, 1, &name, 6), ERROR_SUCCESS);
    EXPECT_EQ(name, "Bravo");
    store().closeKey(key);
}

TEST_F(RegistryStoreKeys, DeletesOnlyLeafKeysAndOpenHandlesNoticeTheDeletion)
{
    ASSERT_EQ(put("Software\\Tree\\Leaf", "v", REG_SZ, QByteArray("x", 2)), ERROR_SUCCESS);
    RegHandle leaf = 0;
    ASSERT_EQ(
        store().openKey(HKEY_CURRENT_USER, "Software\\Tree\\Leaf", KEY_ALL_ACCESS, &leaf), ERROR_SUCCESS);

    EXPECT_EQ(store().deleteKey(HKEY_CURRENT_USER, "Software\\Tree"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(store().deleteKey(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
    EXPECT_EQ(store().deleteKey(HKEY_CURRENT_USER, "Software\\Tree\\Nothing"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(store().deleteKey(HKEY_CURRENT_USER, "software\\tree\\leaf"), ERROR_SUCCESS);
    EXPECT_EQ(store().deleteKey(HKEY_CURRENT_USER, "Software\\Tree"), ERROR_SUCCESS);

    quint32 type = 0;
    quint32 size = 0;
    EXPECT_EQ(store().queryValue(leaf, "v", &type, nullptr, &size), ERROR_KEY_DELETED);
    EXPECT_EQ(store().setValue(leaf, "v", REG_SZ, QByteArray("y", 2)), ERROR_KEY_DELETED);
    EXPECT_EQ(store().closeKey(leaf), ERROR_SUCCESS);
    EXPECT_EQ(subkeys(HKEY_CURRENT_USER, "Software"), QStringList());
}

TEST_F(RegistryStoreKeys, ChecksTheAccessAKeyWasOpenedWith)
{
    ASSERT_EQ(put("Software\\Locked\\Child", "v", REG_SZ, QByteArray("x", 2)), ERROR_SUCCESS);
    RegHandle readOnly = 0;
    RegHandle listOnly = 0;
    ASSERT_EQ(
        store().openKey(HKEY_CURRENT_USER, "Software\\Locked", KEY_QUERY_VALUE, &readOnly), ERROR_SUCCESS);
    ASSERT_EQ(store().openKey(HKEY_CURRENT_USER, "Software\\Locked", KEY_ENUMERATE_SUB_KEYS, &listOnly),
        ERROR_SUCCESS);

    QString name;
    quint32 type = 0;
    quint32 size = 0;
    RegHandle child = 0;
    EXPECT_EQ(store().setValue(readOnly, "v", REG_SZ, QByteArray("x", 2)), ERROR_ACCESS_DENIED);
    EXPECT_EQ(store().deleteValue(readOnly, "v"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(store().enumKey(readOnly, 0, &name, 255), ERROR_ACCESS_DENIED);
    EXPECT_EQ(store().createKey(readOnly, "New", KEY_ALL_ACCESS, &child), ERROR_ACCESS_DENIED);
    EXPECT_EQ(store().queryValue(listOnly, "v", &type, nullptr, &size), ERROR_ACCESS_DENIED);
    EXPECT_EQ(store().enumKey(listOnly, 0, &name, 255), ERROR_SUCCESS);
    EXPECT_EQ(store().createKey(readOnly, "child", KEY_QUERY_VALUE, &child), ERROR_SUCCESS)
        << "opening an existing key needs no right to create";
    store().closeKey(child);
    store().closeKey(readOnly);
    store().closeKey(listOnly);
}

// ---- values -----------------------------------------------------------------

TEST_F(RegistryStoreValues, SizeProbeAnswersMoreDataOnlyWhenTheValueHasData)
{
    ASSERT_EQ(put("Software\\V", "Text", REG_SZ, QByteArray("abc", 4)), ERROR_SUCCESS);
    ASSERT_EQ(put("Software\\V", "Empty", REG_SZ, QByteArray()), ERROR_SUCCESS);
    RegHandle key = 0;
    ASSERT_EQ(store().openKey(HKEY_CURRENT_USER, "Software\\V", KEY_QUERY_VALUE, &key), ERROR_SUCCESS);

    quint32 type = 0;
    quint32 size = 0;
    QByteArray data("untouched");
    EXPECT_EQ(store().queryValue(key, "Text", &type, &data, &size), ERROR_MORE_DATA);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(data, "untouched");
    size = 0;
    EXPECT_EQ(store().queryValue(key, "Text", &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(store().queryValue(key, "text", &type, &data, &size), ERROR_SUCCESS);
    EXPECT_EQ(data, QByteArray("abc", 4));

    size = 0;
    EXPECT_EQ(store().queryValue(key, "Empty", &type, &data, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 0u);
    EXPECT_TRUE(data.isEmpty());
    EXPECT_EQ(store().queryValue(key, "Missing", &type, &data, &size), ERROR_FILE_NOT_FOUND);
    store().closeKey(key);
}

TEST_F(RegistryStoreValues, NamesIgnoreCaseAndKeepTheirFirstSpelling)
{
    ASSERT_EQ(put("Software\\V", "Units", REG_SZ, QByteArray("1", 2)), ERROR_SUCCESS);
    ASSERT_EQ(put("Software\\V", "UNITS", REG_SZ, QByteArray("2", 2)), ERROR_SUCCESS);
    quint32 type = 0;
    QByteArray data;
    EXPECT_EQ(get("Software\\V", "units", &type, &data), ERROR_SUCCESS);
    EXPECT_EQ(data, QByteArray("2", 2));
    EXPECT_TRUE(storeBytes().contains("\"Units\"=sz:\"2\""));
    EXPECT_FALSE(storeBytes().contains("UNITS"));
}

TEST_F(RegistryStoreValues, EveryTypeAndEveryByteSurvivesTheFile)
{
    QByteArray everyByte;
    for (int i = 0; i < 256; ++i)
        everyByte += char(i);
    const QByteArray invalidUtf8("\xC3\x28 bad\0", 7);
    const struct
    {
        const char* name;
        quint32 type;
        QByteArray data;
    } rows[] = {
        { "sz", REG_SZ, QByteArray("Quote\" back\\ tab\t cr\r lf\n nul\0 end\0", 33) },
        { "unicode", REG_SZ, QStringLiteral("Zoë ✈ Île").toUtf8() + '\0' },
        { "unterminated", REG_SZ, QByteArray("abc") },
        { "invalid utf-8", REG_SZ, invalidUtf8 },
        { "empty sz", REG_SZ, QByteArray() },
        { "expand", REG_EXPAND_SZ, QByteArray("%TEMP%\\x", 9) },
        { "multi", REG_MULTI_SZ, QByteArray("a\0b\0\0", 5) },
        { "binary", REG_BINARY, everyByte },
        { "empty binary", REG_BINARY, QByteArray() },
        { "dword", REG_DWORD, QByteArray("\x02\x01\x00\x00", 4) },
        { "short dword", REG_DWORD, QByteArray("\x02\x01", 2) },
        { "big endian", REG_DWORD_BIG_ENDIAN, QByteArray("\x00\x00\x01\x02", 4) },
        { "none", REG_NONE, QByteArray("\x01", 1) },
        { "eleven", 11, QByteArray("12345678", 8) },
        { "largest type", 0xFFFFFFFFu, QByteArray("z") },
        { "Name \"with\\ odd\ttext", REG_SZ, QByteArray("v", 2) },
        { "", REG_SZ, QByteArray("default value", 14) },
    };
    for (const auto& row : rows)
        ASSERT_EQ(put("Software\\Types\\Key %25 [x]\t", row.name, row.type, row.data), ERROR_SUCCESS)
            << row.name;

    resetRegistryStore(); // forget the tree: read everything back from the file
    for (const auto& row : rows) {
        quint32 type = 0;
        QByteArray data;
        ASSERT_EQ(get("Software\\Types\\Key %25 [x]\t", row.name, &type, &data), ERROR_SUCCESS) << row.name;
        EXPECT_EQ(type, row.type) << row.name;
        EXPECT_EQ(data, row.data) << row.name;
    }
    const QByteArray file = storeBytes();
    EXPECT_TRUE(file.startsWith("TALVOR registry 1\n"));
    EXPECT_TRUE(file.contains("[Software\\Types\\Key %2525 [x]%09]\n"));
    EXPECT_TRUE(file.contains("\"dword\"=dword:00000102\n"));
    EXPECT_TRUE(file.contains("\"big endian\"=dword_be:00000102\n"));
    EXPECT_TRUE(file.contains("\"multi\"=multi_sz:\"a\\0b\\0\"\n"));
    EXPECT_TRUE(file.contains("\"unterminated\"=hex(1):61,62,63\n"));
    EXPECT_TRUE(file.contains(QStringLiteral("\"unicode\"=sz:\"Zoë ✈ Île\"\n").toUtf8()));
}

TEST_F(RegistryStoreValues, DeleteValueRemovesItOnce)
{
    ASSERT_EQ(put("Software\\V", "Gone", REG_SZ, QByteArray("x", 2)), ERROR_SUCCESS);
    RegHandle key = 0;
    ASSERT_EQ(store().openKey(HKEY_CURRENT_USER, "Software\\V", KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    EXPECT_EQ(store().deleteValue(key, "GONE"), ERROR_SUCCESS);
    EXPECT_EQ(store().deleteValue(key, "Gone"), ERROR_FILE_NOT_FOUND);
    store().closeKey(key);
    EXPECT_FALSE(storeBytes().contains("Gone"));
}

// ---- the files --------------------------------------------------------------

TEST_F(RegistryStoreFile, KeepsOneFilePerRootInTheChosenFolder)
{
    ASSERT_EQ(put("Software\\A", "v", REG_SZ, QByteArray("user", 5)), ERROR_SUCCESS);
    RegHandle key = 0;
    ASSERT_EQ(store().createKey(HKEY_LOCAL_MACHINE, "Software\\A", KEY_ALL_ACCESS, &key), ERROR_SUCCESS);
    ASSERT_EQ(store().setValue(key, "v", REG_SZ, QByteArray("machine", 8)), ERROR_SUCCESS);
    store().closeKey(key);

    EXPECT_TRUE(storeBytes().contains("\"v\"=sz:\"user\""));
    QFile machine(storePath("HKEY_LOCAL_MACHINE"));
    ASSERT_TRUE(machine.open(QIODevice::ReadOnly));
    EXPECT_TRUE(machine.readAll().contains("\"v\"=sz:\"machine\""));
    EXPECT_FALSE(QFile::exists(storePath("HKEY_CLASSES_ROOT")));
    const QStringList leftovers = QDir(registryDir()).entryList({ "*" }, QDir::Files);
    EXPECT_EQ(leftovers,
        (QStringList { "HKEY_CURRENT_USER.lock", "HKEY_CURRENT_USER.txt", "HKEY_LOCAL_MACHINE.lock",
            "HKEY_LOCAL_MACHINE.txt" }))
        << "no temporary file stays behind";
}

TEST_F(RegistryStoreFile, FolderFollowsTheEnvironmentAtEveryCall)
{
    const QByteArray savedXdg = qgetenv("XDG_CONFIG_HOME");
    qunsetenv("KORVEL_REGISTRY_DIR");
    qputenv("XDG_CONFIG_HOME", QDir::cleanPath(workDir()).toUtf8());
    EXPECT_EQ(RegistryRootFile::folder(), QDir::cleanPath(workDir()) + "/TALVOR");
    qputenv("KORVEL_REGISTRY_DIR", (workDir() + "other").toUtf8());
    EXPECT_EQ(RegistryRootFile::folder(), workDir() + "other");
    ASSERT_EQ(put("Software", "v", REG_SZ, QByteArray("x", 2)), ERROR_SUCCESS);
    EXPECT_TRUE(QFile::exists(workDir() + "other/HKEY_CURRENT_USER.txt"))
        << "the folder is made when missing";
    if (savedXdg.isNull())
        qunsetenv("XDG_CONFIG_HOME");
    else
        qputenv("XDG_CONFIG_HOME", savedXdg);
}

TEST_F(RegistryStoreFile, ReadsSeeWhatAnotherProgramWrote)
{
    ASSERT_EQ(put("Software\\V", "Shared", REG_SZ, QByteArray("mine", 5)), ERROR_SUCCESS);
    writeStoreFile("TALVOR registry 1\n[Software\\V]\n\"Shared\"=sz:\"theirs\"\n");
    quint32 type = 0;
    QByteArray data;
    ASSERT_EQ(get("Software\\V", "Shared", &type, &data), ERROR_SUCCESS);
    EXPECT_EQ(data, QByteArray("theirs", 7));
    ASSERT_EQ(put("Software\\V", "Mine", REG_SZ, QByteArray("again", 6)), ERROR_SUCCESS);
    EXPECT_TRUE(storeBytes().contains("\"Shared\"=sz:\"theirs\""))
        << "a change keeps what the other program wrote";
}

TEST_F(RegistryStoreFile, AcceptsAHandWrittenFile)
{
    writeStoreFile("\xEF\xBB\xBFTALVOR registry 1\r\n"
                   "; written by hand\r\n"
                   "\r\n"
                   "  [Software\\Deep\\Key]  \r\n"
                   "  \"Number\" = dword:0000002A  \r\n"
                   "[]\r\n"
                   "\"AtRoot\"=hex:01, 02 ,03\r\n");
    quint32 type = 0;
    QByteArray data;
    ASSERT_EQ(get("Software\\Deep\\Key", "Number", &type, &data), ERROR_SUCCESS);
    EXPECT_EQ(type, REG_DWORD);
    EXPECT_EQ(data, QByteArray("\x2A\0\0\0", 4));
    ASSERT_EQ(get("", "AtRoot", &type, &data), ERROR_SUCCESS);
    EXPECT_EQ(data, QByteArray("\x01\x02\x03", 3));
    EXPECT_EQ(subkeys(HKEY_CURRENT_USER, "Software"), QStringList { "Deep" })
        << "a key line makes the keys above it";
}

TEST_F(RegistryStoreFile, DamagedFileIsReportedAndNeverOverwritten)
{
    const struct
    {
        const char* fault;
        QByteArray bytes;
        const char* line;
    } rows[] = {
        { "another format", "<?xml version=\"1.0\"?>\n", "line 1" },
        { "unclosed quote", "TALVOR registry 1\n[K]\n\"v\"=sz:\"abc\n", "line 3" },
        { "unknown escape", "TALVOR registry 1\n[K]\n\"v\"=sz:\"a\\qb\"\n", "line 3" },
        { "short \\x escape", "TALVOR registry 1\n[K]\n\"v\"=sz:\"a\\x4\"\n", "line 3" },
        { "bad hex byte", "TALVOR registry 1\n[K]\n\"v\"=hex:01,2g\n", "line 3" },
        { "short dword", "TALVOR registry 1\n[K]\n\"v\"=dword:102\n", "line 3" },
        { "unknown form", "TALVOR registry 1\n[K]\n\"v\"=float:1.5\n", "line 3" },
        { "bad type number", "TALVOR registry 1\n[K]\n\"v\"=hex(x):01\n", "line 3" },
        { "text after value", "TALVOR registry 1\n[K]\n\"v\"=sz:\"a\" junk\n", "line 3" },
        { "value before key", "TALVOR registry 1\n\"v\"=sz:\"a\"\n", "line 2" },
        { "unclosed key line", "TALVOR registry 1\n[K\n", "line 2" },
        { "empty key name", "TALVOR registry 1\n[A\\\\B]\n", "line 2" },
        { "bad % escape", "TALVOR registry 1\n[A%4]\n", "line 2" },
        { "stray text", "TALVOR registry 1\n[K]\ngarbage\n", "line 3" },
        { "truncated in a value", "TALVOR registry 1\n[K]\n\"v\"=sz:\"ab", "line 3" },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.fault);
        resetRegistryStore();
        writeStoreFile(row.bytes);
        RegHandle key = 0;
        EXPECT_EQ(store().openKey(HKEY_CURRENT_USER, "K", KEY_QUERY_VALUE, &key), ERROR_BADDB);
        EXPECT_TRUE(store().lastFailure().contains(storePath()));
        EXPECT_TRUE(store().lastFailure().contains(row.line)) << store().lastFailure().toStdString();
        EXPECT_EQ(store().createKey(HKEY_CURRENT_USER, "New", KEY_ALL_ACCESS, &key), ERROR_BADDB);
        EXPECT_EQ(store().setValue(HKEY_CURRENT_USER, "v", REG_SZ, QByteArray("x", 2)), ERROR_BADDB);
        EXPECT_EQ(store().deleteKey(HKEY_CURRENT_USER, "K"), ERROR_BADDB);
        EXPECT_EQ(storeBytes(), row.bytes) << "the damaged file stays as it was";
    }
    writeStoreFile("TALVOR registry 1\n[K]\n\"v\"=sz:\"repaired\"\n");
    EXPECT_EQ(put("K", "w", REG_SZ, QByteArray("x", 2)), ERROR_SUCCESS)
        << "writes work again once it is repaired";
    EXPECT_TRUE(store().lastFailure().isEmpty());
}

TEST_F(RegistryStoreFile, AFailedWriteIsReportedAndKeepsTheOldFile)
{
    ASSERT_EQ(put("Software", "v", REG_SZ, QByteArray("old", 4)), ERROR_SUCCESS);
    const QByteArray before = storeBytes();

    // The lock cannot be taken when its file cannot be opened.
    QFile::remove(registryDir() + "HKEY_CURRENT_USER.lock");
    ASSERT_TRUE(QDir(registryDir()).mkdir("HKEY_CURRENT_USER.lock"));
    EXPECT_EQ(put("Software", "v", REG_SZ, QByteArray("new", 4)), ERROR_CANTWRITE);
    EXPECT_TRUE(store().lastFailure().contains("HKEY_CURRENT_USER.lock"));
    EXPECT_EQ(storeBytes(), before);
    ASSERT_TRUE(QDir(registryDir()).rmdir("HKEY_CURRENT_USER.lock"));

    if (::geteuid() != 0) { // the superuser writes into read-only folders
        QFile::setPermissions(registryDir(), QFile::ReadOwner | QFile::ExeOwner);
        EXPECT_EQ(put("Software", "v", REG_SZ, QByteArray("new", 4)), ERROR_CANTWRITE);
        EXPECT_TRUE(store().lastFailure().contains(storePath()));
        QFile::setPermissions(registryDir(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_EQ(storeBytes(), before);
    }
    quint32 type = 0;
    QByteArray data;
    ASSERT_EQ(get("Software", "v", &type, &data), ERROR_SUCCESS);
    EXPECT_EQ(data, QByteArray("old", 4)) << "the failed change is not kept in memory either";
}

// ---- several programs at once ------------------------------------------------

namespace {
constexpr int ValuesPerWriter = 150;
constexpr int Writers = 4;
} // namespace

// Runs only as a child of the test below, which sets the variables.
TEST_F(RegistryStoreFile, ChildWriterProcess)
{
    const QString dir = qEnvironmentVariable("KORVEL_REGISTRY_CHILD_DIR");
    const QString writer = qEnvironmentVariable("KORVEL_REGISTRY_CHILD_NAME");
    if (dir.isEmpty())
        return;
    qputenv("KORVEL_REGISTRY_DIR", dir.toUtf8());
    for (int i = 0; i < ValuesPerWriter; ++i) {
        const QByteArray data = QStringLiteral("%1 wrote %2").arg(writer).arg(i).toUtf8() + '\0';
        ASSERT_EQ(
            put("Software\\Race", QStringLiteral("%1-%2").arg(writer).arg(i), REG_SZ, data), ERROR_SUCCESS)
            << store().lastFailure().toStdString();
        if (i % 10 == 0) {
            ASSERT_EQ(
                put("Software\\Race\\" + writer + QString::number(i), "n", REG_DWORD, QByteArray(4, '\1')),
                ERROR_SUCCESS);
        }
    }
}

TEST_F(RegistryStoreFile, ProgramsWritingAtOnceLoseNothing)
{
    std::vector<std::unique_ptr<QProcess>> children;
    for (int w = 0; w < Writers; ++w) {
        auto child = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("KORVEL_REGISTRY_CHILD_DIR", registryDir());
        environment.insert("KORVEL_REGISTRY_CHILD_NAME", QStringLiteral("w%1").arg(w));
        child->setProcessEnvironment(environment);
        child->setProcessChannelMode(QProcess::MergedChannels);
        child->start(QCoreApplication::applicationFilePath(),
            { "--gtest_filter=RegistryStoreFile.ChildWriterProcess" });
        children.push_back(std::move(child));
    }
    for (auto& child : children) {
        ASSERT_TRUE(child->waitForFinished(120000));
        EXPECT_EQ(child->exitCode(), 0) << child->readAll().toStdString();
    }

    resetRegistryStore();
    for (int w = 0; w < Writers; ++w) {
        for (int i = 0; i < ValuesPerWriter; ++i) {
            quint32 type = 0;
            QByteArray data;
            ASSERT_EQ(
                get("Software\\Race", QStringLiteral("w%1-%2").arg(w).arg(i), &type, &data), ERROR_SUCCESS)
                << "value " << i << " of writer " << w << " was lost";
            EXPECT_EQ(data, QStringLiteral("w%1 wrote %2").arg(w).arg(i).toUtf8() + '\0');
        }
    }
    EXPECT_EQ(subkeys(HKEY_CURRENT_USER, "Software\\Race").size(), Writers * ValuesPerWriter / 10);
}

namespace {

// An update keeps its changes off the disk until it is committed, shows them
// to reads meanwhile, and writes nothing when dropped or spoiled (here the
// file is damaged behind its back half-way).
TEST_F(RegistryStoreTest, UpdateWritesAllItsChangesAtOnceOrNone)
{
    const struct
    {
        const char* end;
        bool damagedHalfWay;
        bool stored;
    } rows[] = { { "commit", false, true }, { "drop", false, false }, { "commit", true, false } };
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.end) + (row.damagedHalfWay ? " damaged" : ""));
        QFile::remove(storePath());
        ASSERT_EQ(put("Software\\Old", "a", REG_SZ, QByteArray("1", 2)), ERROR_SUCCESS);
        QByteArray before = storeBytes();

        store().beginUpdate();
        ASSERT_EQ(put("Software\\New", "a", REG_SZ, QByteArray("2", 2)), ERROR_SUCCESS);
        quint32 type = 0;
        QByteArray data;
        EXPECT_EQ(get("Software\\New", "a", &type, &data), ERROR_SUCCESS) << "reads see the update";
        if (row.damagedHalfWay) {
            before += "garbage";
            writeStoreFile(before);
        }
        EXPECT_EQ(put("Software\\Old", "a", REG_SZ, QByteArray("3", 2)) == ERROR_SUCCESS, !row.damagedHalfWay);
        EXPECT_EQ(storeBytes(), before) << "nothing written before the end";
        if (QLatin1String(row.end) == u"commit") {
            EXPECT_EQ(store().commitUpdate() == ERROR_SUCCESS, row.stored) << store().lastFailure().toStdString();
        } else {
            store().dropUpdate();
        }
        EXPECT_FALSE(store().updating());
        EXPECT_EQ(storeBytes() != before, row.stored);
        if (row.damagedHalfWay)
            continue;
        EXPECT_EQ(get("Software\\New", "a", &type, &data), row.stored ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND);
        ASSERT_EQ(get("Software\\Old", "a", &type, &data), ERROR_SUCCESS);
        EXPECT_EQ(data, row.stored ? QByteArray("3", 2) : QByteArray("1", 2));
    }
}

} // namespace

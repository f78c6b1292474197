#include "platform/component_loader.h"
#include "platform/component_registration.h"

#include "platform/registry_store.h"
#include "tests/support/korvel_test.h"

#include <QFile>

namespace {

class ComponentRegistrationTest : public KorvelTest
{
protected:
    static InProcessServer server(const QString& path = QStringLiteral("/opt/korvel/libsample.so"))
    {
        return { "{11111111-2222-3333-4444-555555555555}", "clsSample", "Sample.clsSample", path,
            "{66666666-7777-8888-9999-000000000000}", "Sample", "1.0" };
    }

    // Returns the unnamed value of a key under HKEY_CLASSES_ROOT, or "<missing>".
    static QString defaultValue(const QString& path)
    {
        RegHandle key = 0;
        if (registryStore().openKey(HKEY_CLASSES_ROOT, path, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
            return QStringLiteral("<missing>");
        }
        quint32 type = 0;
        quint32 size = 4096;
        QByteArray data;
        const long result = registryStore().queryValue(key, QString(), &type, &data, &size);
        registryStore().closeKey(key);
        return result == ERROR_SUCCESS ? QString::fromUtf8(data.chopped(1)) : QStringLiteral("<no value>");
    }

    static bool keyExists(const QString& path)
    {
        RegHandle key = 0;
        const bool exists
            = registryStore().openKey(HKEY_CLASSES_ROOT, path, KEY_QUERY_VALUE, &key) == ERROR_SUCCESS;
        registryStore().closeKey(key);
        return exists;
    }
};

using ComponentLoaderTest = ComponentRegistrationTest;

} // namespace

TEST_F(ComponentRegistrationTest, RegistrationWritesTheClassKeysAndReadsThePathBack)
{
    EXPECT_TRUE(registeredServerLibrary(server().clsid).isEmpty());
    QString error;
    ASSERT_TRUE(registerInProcessServer(server(), &error)) << error.toStdString();

    const QString classKey = "CLSID\\" + server().clsid;
    EXPECT_EQ(defaultValue(classKey), "clsSample");
    EXPECT_EQ(defaultValue(classKey + "\\InprocServer32"), "/opt/korvel/libsample.so");
    EXPECT_EQ(defaultValue(classKey + "\\ProgID"), "Sample.clsSample");
    EXPECT_EQ(defaultValue(classKey + "\\TypeLib"), server().typeLibId);
    EXPECT_EQ(defaultValue("Sample.clsSample\\CLSID"), server().clsid);
    EXPECT_EQ(defaultValue("TypeLib\\" + server().typeLibId + "\\1.0"), "Sample");
    // Identifiers are found in any letter case, as Windows finds them.
    EXPECT_EQ(registeredServerLibrary(server().clsid.toLower()), "/opt/korvel/libsample.so");

    // Registering again from elsewhere moves the class.
    ASSERT_TRUE(registerInProcessServer(server("/srv/libsample.so")));
    EXPECT_EQ(registeredServerLibrary(server().clsid), "/srv/libsample.so");
}

TEST_F(ComponentRegistrationTest, UnregistrationRemovesItsKeysAndSparesOthers)
{
    ASSERT_TRUE(registerInProcessServer(server()));
    InProcessServer newer = server();
    newer.clsid = "{AAAAAAAA-2222-3333-4444-555555555555}";
    newer.progId = "Sample.clsNewer";
    newer.version = "2.0";
    ASSERT_TRUE(registerInProcessServer(newer));

    QString error;
    ASSERT_TRUE(unregisterInProcessServer(server(), &error)) << error.toStdString();
    EXPECT_FALSE(keyExists("CLSID\\" + server().clsid));
    EXPECT_FALSE(keyExists("Sample.clsSample"));
    EXPECT_FALSE(keyExists("TypeLib\\" + server().typeLibId + "\\1.0"));
    EXPECT_TRUE(registeredServerLibrary(server().clsid).isEmpty());
    EXPECT_EQ(defaultValue("TypeLib\\" + server().typeLibId + "\\2.0"), "Sample")
        << "the other version stays";
    EXPECT_EQ(registeredServerLibrary(newer.clsid), "/opt/korvel/libsample.so");

    EXPECT_TRUE(unregisterInProcessServer(server(), &error)) << "nothing left to remove is no failure";
}

TEST_F(ComponentRegistrationTest, DamagedStoreIsReported)
{
    QFile file(registryDir() + "HKEY_CLASSES_ROOT.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("this is no registry file\n[");
    file.close();
    QString error;
    EXPECT_FALSE(registerInProcessServer(server(), &error));
    EXPECT_TRUE(error.contains("HKEY_CLASSES_ROOT\\CLSID\\")) << error.toStdString();
}

TEST_F(ComponentRegistrationTest, LibraryPathOfAnAddressIsTheLoadedFile)
{
    const QString qtCore = sharedLibraryPathOf(reinterpret_cast<const void*>(&qVersion));
    EXPECT_TRUE(qtCore.contains("libQt6Core")) << qtCore.toStdString();
    EXPECT_TRUE(QFile::exists(qtCore));
}

TEST_F(ComponentLoaderTest, MissingLibraryIsReportedByName)
{
    QString error;
    EXPECT_EQ(createComponentInstance(server().clsid, "{iid}", workDir() + "libmissing.so", &error), nullptr);
    EXPECT_TRUE(error.contains("libmissing.so")) << error.toStdString();
}

TEST_F(ComponentLoaderTest, LibraryWithoutEntryPointsIsNoComponent)
{
    const QString qtCore = sharedLibraryPathOf(reinterpret_cast<const void*>(&qVersion));
    QString error;
    EXPECT_EQ(createComponentInstance(server().clsid, "{iid}", qtCore, &error), nullptr);
    EXPECT_TRUE(error.contains("is no component library")) << error.toStdString();
}

TEST_F(ComponentLoaderTest, StaleRegistrationFallsBackAndReportsBothWhenNeitherLoads)
{
    ASSERT_TRUE(registerInProcessServer(server(workDir() + "moved/libsample.so")));
    QString error;
    EXPECT_EQ(
        createComponentInstance(server().clsid, "{iid}", workDir() + "libfallback.so", &error), nullptr);
    EXPECT_TRUE(error.contains("moved/libsample.so")) << error.toStdString();
    EXPECT_TRUE(error.contains("libfallback.so")) << error.toStdString();
}

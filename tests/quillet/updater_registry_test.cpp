#include "quillet/updater_registry.h"

#include "platform/vb_error.h"
#include "registry/c_registry.h"
#include "tests/support/korvel_test.h"

using namespace quillet;

namespace {

class UpdaterRegistryTest : public KorvelTest
{
protected:
    static void store(const QString& key, const QString& name, const QString& text)
    {
        cRegistry registry;
        registry.setClassKey(HKEY_CURRENT_USER);
        registry.setSectionKey(key);
        registry.setValueKey(name);
        registry.setValueType(REG_SZ);
        registry.setValue(text);
    }
};

} // namespace

TEST_F(UpdaterRegistryTest, RootDirComesFromTheProgramsSettings)
{
    EXPECT_EQ(GetRootDir(), "");
    store("Software\\TALVOR\\KORVEL\\Settings", "RootDir", "/opt/korvel");
    EXPECT_EQ(GetRootDir(), "/opt/korvel");
}

TEST_F(UpdaterRegistryTest, RootDirFallsBackToTheRuntimesSettingsKey)
{
    // A value beside the runtime's Settings key is never seen: the key exists,
    // so its Settings is read.
    store("Software\\VB And VBA Program Settings\\KORVEL", "RootDir", "/beside");
    EXPECT_EQ(GetRootDir(), "");
    store("Software\\VB And VBA Program Settings\\KORVEL\\Settings", "RootDir", "/old/place");
    EXPECT_EQ(GetRootDir(), "/old/place");
    // Once the program's own key exists, only it counts.
    store("Software\\TALVOR\\KORVEL\\Other", "x", "y");
    EXPECT_EQ(GetRootDir(), "");
}

TEST_F(UpdaterRegistryTest, SettingsAreReadWithDefaultsAndWrittenEvenEmpty)
{
    EXPECT_EQ(GetRegSetting("Settings", "Version", "1.00"), "1.00");
    SaveRegSetting("Settings", "Version", "1.05");
    EXPECT_EQ(GetRegSetting("Settings", "Version", "1.00"), "1.05");
    SaveRegSetting("Settings", "Version", "");
    EXPECT_EQ(GetRegSetting("Settings", "Version", "1.00"), "") << "the updater writes empty text too";
}

TEST_F(UpdaterRegistryTest, UpdateServerComesFromTheSettings)
{
    EXPECT_EQ(updateServer(), "https://updates.korvel.invalid");
    EXPECT_EQ(updateServerHost(updateServer()), "updates.korvel.invalid");
    SaveRegSetting("Settings", "UpdateServer", "https://updates.example.org:8443/");
    EXPECT_EQ(updateServer(), "https://updates.example.org:8443");
    EXPECT_EQ(updateServerHost(updateServer()), "updates.example.org");
    SaveRegSetting("Settings", "UpdateServer", " mirror.example.org ");
    EXPECT_EQ(updateServer(), "http://mirror.example.org") << "no scheme means http";
    SaveRegSetting("Settings", "UpdateServer", "");
    EXPECT_EQ(updateServer(), "https://updates.korvel.invalid");
}

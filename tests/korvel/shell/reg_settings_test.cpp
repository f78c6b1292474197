#include "korvel/shell/reg_settings.h"

#include "platform/registry_store.h"
#include "platform/vb_error.h"
#include "tests/support/korvel_test.h"

#include <QFile>

namespace {

class RegSettings : public KorvelTest
{
protected:
    // Returns the stored type and text of a setting; type 0xFFFF when missing.
    static std::pair<quint32, QByteArray> stored(const QString& section, const QString& name)
    {
        RegHandle key = 0;
        quint32 type = 0xFFFF;
        quint32 size = 1 << 16;
        QByteArray data;
        if (registryStore().openKey(
                HKEY_CURRENT_USER, "Software\\TALVOR\\KORVEL\\" + section, KEY_QUERY_VALUE, &key)
                == ERROR_SUCCESS
            && registryStore().queryValue(key, name, &type, &data, &size) != ERROR_SUCCESS)
            type = 0xFFFF;
        registryStore().closeKey(key);
        return { type, data };
    }

    static bool keyExists(const QString& section)
    {
        RegHandle key = 0;
        const bool exists = registryStore().openKey(HKEY_CURRENT_USER, "Software\\TALVOR\\KORVEL\\" + section,
                                KEY_QUERY_VALUE, &key)
            == ERROR_SUCCESS;
        registryStore().closeKey(key);
        return exists;
    }
};

} // namespace

TEST_F(RegSettings, NeverWrittenValueReadsTheDefault)
{
    EXPECT_EQ(GetRegSetting("Settings", "Zone", "12"), "12");
    EXPECT_EQ(GetRegSetting("Settings", "Zone", ""), "");
    EXPECT_FALSE(keyExists("Settings")) << "reading creates nothing";
}

TEST_F(RegSettings, SavedTextIsAStringValueUnderTheProgramsKey)
{
    SaveRegSetting("DefaultDirs", "SHPDir", "/home/pilot/maps");
    EXPECT_EQ(stored("DefaultDirs", "SHPDir"), std::make_pair(REG_SZ, QByteArray("/home/pilot/maps\0", 17)));
    EXPECT_EQ(GetRegSetting("DefaultDirs", "SHPDir", "/"), "/home/pilot/maps");
    EXPECT_EQ(GetRegSetting("defaultdirs", "shpdir", "/"), "/home/pilot/maps") << "names ignore case";
    EXPECT_EQ(GetRegSetting("Settings", "SHPDir", "/"), "/") << "sections are apart";

    SaveRegSetting("DefaultDirs", "SHPDir", "/srv/maps");
    EXPECT_EQ(GetRegSetting("DefaultDirs", "SHPDir", "/"), "/srv/maps");
}

TEST_F(RegSettings, SavingEmptyTextKeepsTheStoredValue)
{
    SaveRegSetting("CompanyInfo", "Name", "");
    EXPECT_FALSE(keyExists("CompanyInfo")) << "nothing written at all";
    SaveRegSetting("CompanyInfo", "Name", "Aerial Services");
    SaveRegSetting("CompanyInfo", "Name", "");
    EXPECT_EQ(GetRegSetting("CompanyInfo", "Name", "none"), "Aerial Services");
}

TEST_F(RegSettings, DeleteRemovesTheValueAndIgnoresWhatIsMissing)
{
    SaveRegSetting("AGNAVDefault", "EllipsoidAxis", "6378137");
    SaveRegSetting("AGNAVDefault", "SwathWidth", "30");
    DeleteRegSetting("AGNAVDefault", "EllipsoidAxis");
    EXPECT_EQ(GetRegSetting("AGNAVDefault", "EllipsoidAxis", "gone"), "gone");
    EXPECT_EQ(GetRegSetting("AGNAVDefault", "SwathWidth", ""), "30");

    EXPECT_NO_THROW(DeleteRegSetting("AGNAVDefault", "EllipsoidAxis"));
    EXPECT_NO_THROW(DeleteRegSetting("AGNAVPrevious", "EllipsoidAxis"));
    EXPECT_FALSE(keyExists("AGNAVPrevious")) << "deleting from a missing key creates nothing";
}

TEST_F(RegSettings, NonTextValuesReadAsText)
{
    RegHandle key = 0;
    ASSERT_EQ(registryStore().createKey(
                  HKEY_CURRENT_USER, "Software\\TALVOR\\KORVEL\\Settings", KEY_ALL_ACCESS, &key),
        ERROR_SUCCESS);
    registryStore().setValue(key, "Count", REG_DWORD, QByteArray("\x2A\0\0\0", 4));
    registryStore().closeKey(key);
    EXPECT_EQ(GetRegSetting("Settings", "Count", "0"), "42");
}

TEST_F(RegSettings, StoreFailuresReachTheCaller)
{
    QFile file(registryDir() + "HKEY_CURRENT_USER.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("not a registry\n");
    file.close();
    EXPECT_EQ(GetRegSetting("Settings", "Zone", "12"), "12");
    try {
        SaveRegSetting("Settings", "Zone", "13");
        ADD_FAILURE() << "the failed write was not raised";
    } catch (const VbError& error) {
        EXPECT_EQ(error.Number(), 26001);
        EXPECT_TRUE(error.Description().startsWith(
            "Failed to set registry value Key: '-2147483647',Section: "
            "'Software\\TALVOR\\KORVEL\\Settings',Key: 'Zone' to value: '13'"));
    }
}

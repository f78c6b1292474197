#include "tests/fendrix/fendrix_fixture.h"

#include "platform/component_registration.h"
#include "platform/registry_store.h"

#include <QFileInfo>

#include <dlfcn.h>

namespace {

class FendrixEntryPoints : public FendrixTest
{
protected:
    void SetUp() override
    {
        FendrixTest::SetUp();
        m_handle = dlopen(libraryPath().toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(m_handle, nullptr) << dlerror();
    }

    template <typename Proc> Proc entry(const char* name) const
    {
        return reinterpret_cast<Proc>(dlsym(m_handle, name));
    }

    static QString registeredPath() { return registeredServerLibrary(QLatin1String(CLSID_clsAsyncTransfer)); }

    void* m_handle = nullptr; // stays loaded, as the updater keeps it
};

} // namespace

TEST_F(FendrixEntryPoints, OnlyTheFourEntryPointsAreExported)
{
    for (const char* name :
        { "DllRegisterServer", "DllUnregisterServer", "DllGetClassObject", "DllCanUnloadNow" }) {
        EXPECT_NE(dlsym(m_handle, name), nullptr) << name;
    }
    // Things the library holds inside: its classes and its copy of the platform code.
    for (const char* name : { "_ZN16clsAsyncTransfer12DownloadFileERK7QStringS2_iS2_PS0_",
             "_ZN16forAsyncTransfer16staticMetaObjectE", "_Z13registryStorev",
             "_Z23registerInProcessServerRK15InProcessServerP7QString" }) {
        EXPECT_EQ(dlsym(m_handle, name), nullptr) << name;
    }
}

TEST_F(FendrixEntryPoints, RegistrationNamesTheLibraryAndUnregistrationRemovesIt)
{
    EXPECT_TRUE(registeredPath().isEmpty());
    ASSERT_EQ(entry<DllRegisterServerProc>("DllRegisterServer")(), S_OK);
    EXPECT_EQ(QFileInfo(registeredPath()).canonicalFilePath(), QFileInfo(libraryPath()).canonicalFilePath());

    ASSERT_EQ(entry<DllUnregisterServerProc>("DllUnregisterServer")(), S_OK);
    EXPECT_TRUE(registeredPath().isEmpty());
    RegHandle key = 0;
    EXPECT_NE(registryStore().openKey(HKEY_CLASSES_ROOT, ProgID_clsAsyncTransfer, KEY_QUERY_VALUE, &key),
        ERROR_SUCCESS);
}

TEST_F(FendrixEntryPoints, FirstCreationRegistersTheLibrary)
{
    RecordingSink sink;
    TransferObject object = createObject(sink);
    ASSERT_NE(object, nullptr);
    EXPECT_EQ(QFileInfo(registeredPath()).canonicalFilePath(), QFileInfo(libraryPath()).canonicalFilePath());
}

TEST_F(FendrixEntryPoints, ClassObjectIsHandedOutOnlyForItsClassAndInterface)
{
    const auto getClassObject = entry<DllGetClassObjectProc>("DllGetClassObject");
    void* factory = reinterpret_cast<void*>(1);
    EXPECT_EQ(getClassObject("{00000000-0000-0000-0000-000000000000}", IID_ComponentClassFactory, &factory),
        CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(factory, nullptr);
    EXPECT_EQ(getClassObject(CLSID_clsAsyncTransfer, IID_AsyncTransfer, &factory), E_NOINTERFACE);
    EXPECT_EQ(getClassObject(CLSID_clsAsyncTransfer, IID_ComponentClassFactory, nullptr), E_POINTER);

    const QByteArray lowerCase = QByteArray(CLSID_clsAsyncTransfer).toLower();
    ASSERT_EQ(getClassObject(lowerCase.constData(), IID_ComponentClassFactory, &factory), S_OK);
    auto* classFactory = static_cast<ComponentClassFactory*>(factory);
    void* object = reinterpret_cast<void*>(1);
    EXPECT_EQ(classFactory->CreateInstance(IID_ComponentClassFactory, &object), E_NOINTERFACE);
    EXPECT_EQ(object, nullptr);
    ASSERT_EQ(classFactory->CreateInstance(IID_AsyncTransfer, &object), S_OK);
    static_cast<AsyncTransfer*>(object)->Release();
}

TEST_F(FendrixEntryPoints, LibraryMayUnloadOnlyWhenNoObjectIsLeft)
{
    const auto canUnloadNow = entry<DllCanUnloadNowProc>("DllCanUnloadNow");
    RecordingSink sink;
    TransferObject object = createObject(sink);
    EXPECT_EQ(canUnloadNow(), S_FALSE);
    object.reset();
    settle(50); // the relay goes on the next turn of the event loop
    EXPECT_EQ(canUnloadNow(), S_OK);
}

// libtezar.so as a container meets it: loaded with dlopen, entered through its exports only.

#include "tests/thesaurus/ThesTestFiles.h"
#include "thesaurus/ControlSite.h"
#include "thesaurus/RegistryFile.h"
#include "thesaurus/TezarExports.h"
#include "thesaurus/TezarIds.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <dlfcn.h>

using namespace tezar;
using namespace tezar::test;

namespace {

struct Library {
    void* handle = dlopen(TEZAR_LIBRARY, RTLD_NOW | RTLD_LOCAL);
    ~Library() {
        if (handle) dlclose(handle);
    }
    template <class F> F Fn(const char* name) const { return reinterpret_cast<F>(dlsym(handle, name)); }
};

// Points XDG_DATA_HOME at a private folder for the life of the test.
struct DataHome {
    TempDir dir;
    std::string old;
    bool had;
    DataHome() {
        const char* v = std::getenv("XDG_DATA_HOME");
        had = v != nullptr;
        if (had) old = v;
        setenv("XDG_DATA_HOME", dir.Path().c_str(), 1);
    }
    ~DataHome() {
        if (had)
            setenv("XDG_DATA_HOME", old.c_str(), 1);
        else
            unsetenv("XDG_DATA_HOME");
    }
    std::string Registry() const { return (dir.Path() / "tezar" / "registry.ini").string(); }
};

} // namespace

TEST(Library, ExportsTheFiveEntryPointsAndNothingOfItsInsides) {
    Library lib;
    ASSERT_NE(lib.handle, nullptr) << dlerror();
    for (const char* name :
         {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer", "DllUnregisterServer", "TezarDlgProc"})
        EXPECT_NE(dlsym(lib.handle, name), nullptr) << name;
    EXPECT_EQ(dlsym(lib.handle, "_ZN5tezar10CTezarCtrl6CreateERKNS_4GuidEPPv"), nullptr);
}

TEST(Library, RegistrationRoundTripLeavesOtherEntriesAlone) {
    DataHome home;
    RegistryFile other;
    other.SetValue("Other.Control.1\\CLSID", "@", "{00000000-0000-0000-0000-000000000001}");
    ASSERT_TRUE(other.Save(home.Registry()));

    Library lib;
    ASSERT_EQ(lib.Fn<DllRegisterServerFn>("DllRegisterServer")(), S_OK);
    RegistryFile reg;
    ASSERT_TRUE(reg.Load(home.Registry()));
    char real[PATH_MAX];
    ASSERT_NE(realpath(TEZAR_LIBRARY, real), nullptr);
    std::string clsid;
    EXPECT_EQ(reg.ServerForProgId("Lexo.LexoCtrl.1", &clsid), real);
    EXPECT_EQ(clsid, GuidToString(CLSID_TezarCtrl));
    EXPECT_EQ(reg.ServerForProgId("Lexo.LexoPropPage.1"), real);
    const std::string ctrl = "CLSID\\" + GuidToString(CLSID_TezarCtrl);
    EXPECT_EQ(reg.Value(ctrl + "\\MiscStatus\\1"), std::to_string(0x20191));
    EXPECT_EQ(reg.Value(ctrl + "\\Version"), "1.0");
    EXPECT_EQ(reg.Value(ctrl + "\\TypeLib"), GuidToString(LIBID_Tezar));
    EXPECT_TRUE(reg.HasKey("TypeLib\\" + GuidToString(LIBID_Tezar) + "\\1.0"));
    EXPECT_FALSE(reg.HasKey(ctrl + "\\InprocServer32\\ThreadingModel"));
    EXPECT_FALSE(reg.Value(ctrl + "\\InprocServer32", "ThreadingModel").has_value());

    ASSERT_EQ(lib.Fn<DllUnregisterServerFn>("DllUnregisterServer")(), S_OK);
    ASSERT_TRUE(reg.Load(home.Registry()));
    EXPECT_EQ(reg.Keys(), std::vector<std::string>{"Other.Control.1\\CLSID"});
}

TEST(Library, ClassFactoryCreatesAControlAndTheLibraryCanUnloadAfterwards) {
    TempDir dir;
    const std::string file = WriteThes(dir, "q.the", {{"quick", {"fast"}}});
    Library lib;
    auto getClassObject = lib.Fn<DllGetClassObjectFn>("DllGetClassObject");
    auto canUnload = lib.Fn<DllCanUnloadNowFn>("DllCanUnloadNow");
    ASSERT_EQ(canUnload(), S_OK);
    void* p = nullptr;
    const Guid unknown = {1, 2, 3, {4, 5, 6, 7, 8, 9, 10, 11}};
    EXPECT_EQ(getClassObject(&unknown, &IID_IClassFactory, &p), CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(getClassObject(nullptr, &IID_IClassFactory, &p), E_POINTER);
    ASSERT_EQ(getClassObject(&CLSID_TezarCtrl, &IID_IClassFactory, &p), S_OK);
    ComPtr<IClassFactory> factory(static_cast<IClassFactory*>(p));
    EXPECT_EQ(canUnload(), S_FALSE) << "a factory is held";
    ComPtr<IDispatch> ctrl;
    ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, ctrl.PutVoid()), S_OK);
    factory.Reset();
    EXPECT_EQ(canUnload(), S_FALSE) << "a control is alive";

    DispParams put{{Variant::String(file)}};
    ASSERT_EQ(ctrl->Invoke(DISPID_MainThesFile, InvokeKind::PropertyPut, put, nullptr, nullptr), S_OK);
    DispParams none{{Variant::I2(0)}};
    ASSERT_EQ(ctrl->Invoke(DISPID_AutomaticDialog, InvokeKind::PropertyPut, none, nullptr, nullptr), S_OK);
    DispParams word{{Variant::String("quick")}};
    ASSERT_EQ(ctrl->Invoke(DISPID_CheckWord, InvokeKind::PropertyPut, word, nullptr, nullptr), S_OK);
    DispParams index{{Variant::I2(0)}};
    Variant synonym;
    ASSERT_EQ(ctrl->Invoke(DISPID_Synonym, InvokeKind::PropertyGet, index, &synonym, nullptr), S_OK);
    EXPECT_EQ(synonym.AsString(), "fast");
    ComPtr<IUnknown> asPage;
    EXPECT_EQ(ctrl->QueryInterface(IID_IClassFactory, asPage.PutVoid()), E_NOINTERFACE);
    ctrl.Reset();
    EXPECT_EQ(canUnload(), S_OK);
}

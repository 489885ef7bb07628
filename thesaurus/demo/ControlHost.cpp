#include "thesaurus/demo/ControlHost.h"

#include "thesaurus/PropertyBag.h"
#include "thesaurus/RegistryFile.h"
#include "thesaurus/TezarExports.h"
#include "thesaurus/TezarIds.h"

#include <QWidget>

#include <dlfcn.h>
#include <filesystem>

namespace tezar {

class ControlHost::Site final : public IControlSite {
public:
    QWidget* window = nullptr;
    HResult QueryInterface(const Guid& iid, void** object) override {
        if (!(iid == IID_IUnknown || iid == IID_IControlSite)) return E_NOINTERFACE;
        *object = static_cast<IControlSite*>(this);
        return S_OK;
    }
    uint32_t AddRef() override { return 2; } // owned by the host
    uint32_t Release() override { return 1; }
    HResult GetAmbientProperty(DispId id, Variant* value) override {
        if (id != DISPID_AMBIENT_USERMODE) return DISP_E_MEMBERNOTFOUND;
        *value = Variant::Bool(true); // the demo runs its form
        return S_OK;
    }
    void OnModalDialog(bool opening) override {
        if (window != nullptr) window->setEnabled(!opening);
    }
    void OnPropertyChanged(DispId) override {}
    void* GetWindow() override { return window; }
};

class ControlHost::Sink final : public IDispatch {
public:
    EventHandler handler;
    HResult QueryInterface(const Guid& iid, void** object) override {
        if (!(iid == IID_IUnknown || iid == IID_IDispatch || iid == DIID_DTezarEvents)) return E_NOINTERFACE;
        *object = static_cast<IDispatch*>(this);
        return S_OK;
    }
    uint32_t AddRef() override { return 2; }
    uint32_t Release() override { return 1; }
    HResult GetIDsOfNames(std::string_view, DispId*) override { return E_NOTIMPL; }
    HResult Invoke(DispId id, InvokeKind, DispParams& params, Variant*, ExcepInfo*) override {
        if (handler) handler(id, params);
        return S_OK;
    }
};

ControlHost::ControlHost() : m_site(new Site), m_sink(new Sink) {}

ControlHost::~ControlHost() {
    if (m_control != nullptr) {
        void* p = nullptr;
        if (m_control->QueryInterface(IID_IConnectionPoint, &p) == S_OK) {
            static_cast<IConnectionPoint*>(p)->Unadvise(m_cookie);
            static_cast<IConnectionPoint*>(p)->Release();
        }
        if (m_control->QueryInterface(IID_IOleControl, &p) == S_OK) {
            static_cast<IOleControl*>(p)->Close();
            static_cast<IOleControl*>(p)->Release();
        }
        m_control->Release();
    }
    if (m_library != nullptr) {
        auto canUnload = reinterpret_cast<DllCanUnloadNowFn>(dlsym(m_library, "DllCanUnloadNow"));
        if (canUnload != nullptr && canUnload() == S_OK) dlclose(m_library);
    }
    delete m_sink;
    delete m_site;
}

std::string ControlHost::BundledLibrary() {
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) return {};
    for (const auto& candidate :
         {exe.parent_path() / TEZAR_LIBRARY_FROM_PROGRAM / "libtezar.so",
          exe.parent_path().parent_path() / "lib" / "libtezar.so",
          exe.parent_path().parent_path() / "lib" / "x86_64-linux-gnu" / "libtezar.so",
          exe.parent_path() / "libtezar.so"})
        if (std::filesystem::exists(candidate, ec)) return candidate.lexically_normal().string();
    return {};
}

bool ControlHost::Create(QWidget* window, std::string& error) {
    m_site->window = window;
    RegistryFile reg;
    std::string clsidText;
    if (reg.Load(RegistryFile::DefaultPath()))
        m_libraryPath = reg.ServerForProgId(kTezarCtrlProgId, &clsidText);
    Guid clsid = CLSID_TezarCtrl;
    if (m_libraryPath.empty() || !GuidFromString(clsidText, clsid)) {
        m_libraryPath = BundledLibrary();
        clsid = CLSID_TezarCtrl;
    }
    if (m_libraryPath.empty()) {
        error = std::string(kTezarCtrlProgId) + " is not registered in " + RegistryFile::DefaultPath();
        return false;
    }
    m_library = dlopen(m_libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (m_library == nullptr) {
        error = dlerror();
        return false;
    }
    auto getClassObject = reinterpret_cast<DllGetClassObjectFn>(dlsym(m_library, "DllGetClassObject"));
    if (getClassObject == nullptr) {
        error = m_libraryPath + " has no DllGetClassObject";
        return false;
    }
    void* p = nullptr;
    if (getClassObject(&clsid, &IID_IClassFactory, &p) != S_OK) {
        error = "the control's class factory is not available";
        return false;
    }
    auto* factory = static_cast<IClassFactory*>(p);
    const HResult hr = factory->CreateInstance(nullptr, IID_IDispatch, &p);
    factory->Release();
    if (hr != S_OK) {
        error = "the control could not be created";
        return false;
    }
    m_control = static_cast<IDispatch*>(p);
    if (m_control->QueryInterface(IID_IOleControl, &p) == S_OK) {
        static_cast<IOleControl*>(p)->SetClientSite(m_site);
        static_cast<IOleControl*>(p)->Release();
    }
    if (m_control->QueryInterface(IID_IPersistPropertyBag, &p) == S_OK) {
        static_cast<IPersistPropertyBag*>(p)->InitNew();
        static_cast<IPersistPropertyBag*>(p)->Release();
    }
    if (m_control->QueryInterface(IID_IConnectionPoint, &p) == S_OK) {
        static_cast<IConnectionPoint*>(p)->Advise(m_sink, &m_cookie);
        static_cast<IConnectionPoint*>(p)->Release();
    }
    return true;
}

void ControlHost::SetEventHandler(EventHandler handler) {
    m_sink->handler = std::move(handler);
}

HResult ControlHost::Get(DispId id, Variant& value, ExcepInfo* excep, std::vector<Variant> args) {
    DispParams p{std::move(args)};
    ExcepInfo local;
    return m_control->Invoke(id, InvokeKind::PropertyGet, p, &value, excep != nullptr ? excep : &local);
}

HResult ControlHost::Put(DispId id, Variant value, ExcepInfo* excep) {
    DispParams p{{std::move(value)}};
    ExcepInfo local;
    return m_control->Invoke(id, InvokeKind::PropertyPut, p, nullptr, excep != nullptr ? excep : &local);
}

HResult ControlHost::Call(DispId id, ExcepInfo* excep) {
    DispParams p;
    ExcepInfo local;
    return m_control->Invoke(id, InvokeKind::Method, p, nullptr, excep != nullptr ? excep : &local);
}

} // namespace tezar

#include "thesaurus/ClassFactory.h"

#include "thesaurus/CTezarCtrl.h"
#include "thesaurus/CTezarPropPage.h"
#include "thesaurus/Module.h"
#include "thesaurus/TezarIds.h"

#include <new>

namespace tezar {

HResult ClassFactory::QueryInterface(const Guid& iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (iid == IID_IUnknown || iid == IID_IClassFactory) {
        *object = static_cast<IClassFactory*>(this);
        AddRef();
        return S_OK;
    }
    return E_NOINTERFACE;
}

// The factories are static; while a container holds one, the library stays loaded.
uint32_t ClassFactory::AddRef() {
    Module::Lock(true);
    return 2;
}

uint32_t ClassFactory::Release() {
    Module::Lock(false);
    return 1;
}

HResult ClassFactory::CreateInstance(IUnknown* outer, const Guid& iid, void** object) {
    if (object == nullptr) return E_POINTER;
    *object = nullptr;
    if (outer != nullptr) return CLASS_E_NOAGGREGATION;
    try {
        return m_create(iid, object);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

HResult ClassFactory::LockServer(bool lock) {
    Module::Lock(lock);
    return S_OK;
}

ClassFactory* ClassFactory::For(const Guid& clsid) {
    static ClassFactory control(&CTezarCtrl::Create);
    static ClassFactory page(&CTezarPropPage::Create);
    if (clsid == CLSID_TezarCtrl) return &control;
    if (clsid == CLSID_TezarPropPage) return &page;
    return nullptr;
}

} // namespace tezar

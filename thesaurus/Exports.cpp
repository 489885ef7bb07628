// The library's entry points. Nothing may escape them as an exception: each catches everything and
// returns a code.

#include "thesaurus/TezarExports.h"

#include "thesaurus/ClassFactory.h"
#include "thesaurus/DialogProcedure.h"
#include "thesaurus/Module.h"
#include "thesaurus/Registration.h"
#include "thesaurus/RegistryFile.h"

#include <new>

using namespace tezar;

TEZAR_EXPORT HResult DllGetClassObject(const Guid* clsid, const Guid* iid, void** object) {
    try {
        if (clsid == nullptr || iid == nullptr || object == nullptr) return E_POINTER;
        *object = nullptr;
        ClassFactory* factory = ClassFactory::For(*clsid);
        if (factory == nullptr) return CLASS_E_CLASSNOTAVAILABLE;
        return factory->QueryInterface(*iid, object);
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

TEZAR_EXPORT HResult DllCanUnloadNow() {
    try {
        return Module::CanUnload() ? S_OK : S_FALSE;
    } catch (...) {
        return S_FALSE;
    }
}

TEZAR_EXPORT HResult DllRegisterServer() {
    try {
        return Registration::Register(RegistryFile::DefaultPath(), Module::Path());
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

TEZAR_EXPORT HResult DllUnregisterServer() {
    try {
        return Registration::Unregister(RegistryFile::DefaultPath());
    } catch (...) {
        return SELFREG_E_CLASS;
    }
}

TEZAR_EXPORT intptr_t TezarDlgProc(IDialogWindow* dialog, uint32_t message, uintptr_t wParam,
                                   intptr_t lParam) {
    try {
        return TezarDialogProcedure(dialog, message, wParam, lParam);
    } catch (...) {
        return 0;
    }
}

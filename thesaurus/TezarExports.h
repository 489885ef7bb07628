#pragma once
// The entry points libtezar.so exports, as a container finds them with dlsym.

#include "thesaurus/Com.h"
#include "thesaurus/DialogWindow.h"

#define TEZAR_EXPORT extern "C" __attribute__((visibility("default")))

TEZAR_EXPORT tezar::HResult DllGetClassObject(const tezar::Guid* clsid, const tezar::Guid* iid,
                                              void** object);
TEZAR_EXPORT tezar::HResult DllCanUnloadNow();
TEZAR_EXPORT tezar::HResult DllRegisterServer();
TEZAR_EXPORT tezar::HResult DllUnregisterServer();
TEZAR_EXPORT intptr_t TezarDlgProc(tezar::IDialogWindow* dialog, uint32_t message, uintptr_t wParam,
                                   intptr_t lParam);

namespace tezar {
using DllGetClassObjectFn = HResult (*)(const Guid*, const Guid*, void**);
using DllCanUnloadNowFn = HResult (*)();
using DllRegisterServerFn = HResult (*)();
using DllUnregisterServerFn = HResult (*)();
} // namespace tezar

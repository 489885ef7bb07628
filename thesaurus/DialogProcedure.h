#pragma once
// The logic of the Thesaurus dialog as a message procedure (exported as TezarDlgProc). It reaches
// its control through CTezarCtrl::Current().

#include "thesaurus/DialogWindow.h"

namespace tezar {

intptr_t TezarDialogProcedure(IDialogWindow* dialog, uint32_t message, uintptr_t wParam, intptr_t lParam);

} // namespace tezar

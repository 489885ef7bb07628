#include "thesaurus/DialogProcedure.h"

#include "thesaurus/CTezarCtrl.h"

#include <algorithm>

namespace tezar {

namespace {

constexpr const char* kNoSuggestions = "(No Suggestions)";

// Texts replaced for the Spanish, German and French dialogs (Latin-1).
struct LanguageTexts {
    const char* caption;
    const char* changeTo; // label 1010
    const char* synonyms; // label 1011
    const char* lookedUp; // label 1012
    const char* cancel;   // button 2
    const char* options;  // button 1004
};

constexpr LanguageTexts kLanguages[3] = {
    {"Ortografia", "Cambiar a:", "Sugerencias:", "No en Diccionario:", "Ca&ncelar", "&Opciones..."},
    {"Nicht im W\xF6rterbuch", "\xC4ndern in:", "Vorschl\xE4ge:", "Nicht im W\xF6rterbuch:", "Abbrechen",
     "&Wahlen..."},
    {"Absent du dictionnaire", "Remplacer &par:", "Suggestions:", "Absent du &dictionnaire:", "Annuler",
     "&Options..."},
};

bool NoSuggestions(IDialogWindow* dlg) {
    return dlg->GetCount(kIdChangeTo) > 0 && dlg->GetString(kIdChangeTo, 0) == kNoSuggestions;
}

void InitDialog(IDialogWindow* dlg, CTezarCtrl& ctrl) {
    ctrl.SetCurrentDialog(dlg);
    int width = 0, height = 0, deskWidth = 0, deskHeight = 0;
    dlg->GetSize(width, height);
    dlg->GetDesktopSize(deskWidth, deskHeight);
    if (ctrl.DialogTop() == 0 && ctrl.DialogLeft() == 0) {
        dlg->MoveTo(deskWidth / 2 - width / 2, deskHeight / 2 - height / 2);
    } else {
        // The stored corner, kept on the desktop.
        const int left = std::max(0, std::min<int>(ctrl.DialogLeft(), deskWidth - width));
        const int top = std::max(0, std::min<int>(ctrl.DialogTop(), deskHeight - height));
        dlg->MoveTo(left, top);
    }

    const int16_t language = ctrl.AutomaticDialog();
    if (language >= lexoSpanishDialog && language <= lexoFrenchDialog) {
        const LanguageTexts& t = kLanguages[language - lexoSpanishDialog];
        dlg->SetCaption(t.caption);
        dlg->SetItemText(kIdChangeToLabel, t.changeTo);
        dlg->SetItemText(kIdSynonymsLabel, t.synonyms);
        dlg->SetItemText(kIdLookedUpLabel, t.lookedUp);
        dlg->SetItemText(kIdCancel, t.cancel);
        dlg->SetItemText(kIdOptions, t.options);
    }
    if (!ctrl.DialogTitle().empty()) dlg->SetCaption(ctrl.DialogTitle());
    if (!ctrl.OptionBtnCaption().empty()) dlg->SetItemText(kIdOptions, ctrl.OptionBtnCaption());
    dlg->ShowItem(kIdOptions, ctrl.OptionBtnVisible());
    dlg->ShowItem(kIdHelp, ctrl.HelpBtnVisible());

    dlg->AddString(kIdLookedUpList, ctrl.GivenWord());
    dlg->LimitText(kIdChangeTo, static_cast<int>(CTezarCtrl::kMaxWordLength));
    if (ctrl.Synonyms().empty()) {
        dlg->AddString(kIdChangeTo, kNoSuggestions);
        dlg->SetItemText(kIdChangeTo, ctrl.GivenWord());
    } else {
        for (const std::string& s : ctrl.Synonyms())
            dlg->AddString(kIdChangeTo, s);
        dlg->SetCurSel(kIdChangeTo, 0);
    }
    dlg->SelectAllText(kIdChangeTo);
    dlg->SetFocusTo(kIdChangeTo);
    dlg->AppendSystemMenuSeparator();
    dlg->AppendSystemMenuItem(kIdmAbout, "About...");
}

void Replace(IDialogWindow* dlg, CTezarCtrl& ctrl) {
    ctrl.ReplaceWith(dlg->GetItemText(kIdChangeTo));
    dlg->EndDialog(IDOK);
}

intptr_t Command(IDialogWindow* dlg, CTezarCtrl& ctrl, int id, uint16_t code) {
    switch (id) {
    case kIdReplace:
        if (code == BN_CLICKED) Replace(dlg, ctrl);
        return 1;
    case kIdCancel:
        if (code == BN_CLICKED) {
            ctrl.CancelCheck();
            dlg->EndDialog(IDCANCEL);
        }
        return 1;
    case kIdOptions:
        if (code == BN_CLICKED) ctrl.FireOptionBtnClick();
        return 1;
    case kIdHelp:
        if (code == BN_CLICKED) ctrl.FireHelpBtnClick();
        return 1;
    case kIdLookedUpList:
        if (code == LBN_SELCHANGE) {
            dlg->SetItemText(kIdChangeTo, ctrl.GivenWord());
            dlg->SetCurSel(kIdLookedUpList, -1);
            dlg->SetFocusTo(kIdChangeTo);
            dlg->SelectAllText(kIdChangeTo);
        }
        return 1;
    case kIdChangeTo:
        if (code == CBN_DBLCLK) {
            if (!NoSuggestions(dlg)) Replace(dlg, ctrl);
        } else if (code == CBN_SELCHANGE) {
            if (NoSuggestions(dlg)) {
                dlg->SetCurSel(kIdChangeTo, -1);
                dlg->SetItemText(kIdChangeTo, ctrl.GivenWord());
            }
            dlg->SelectAllText(kIdChangeTo);
        }
        return 1;
    default:
        return 0;
    }
}

} // namespace

intptr_t TezarDialogProcedure(IDialogWindow* dlg, uint32_t message, uintptr_t wParam, intptr_t) {
    if (dlg == nullptr) return 0;
    CTezarCtrl* ctrl = CTezarCtrl::Current();
    if (ctrl == nullptr) {
        // A dialog without its control has nothing to show.
        if (message == WM_INITDIALOG) dlg->EndDialog(IDCANCEL);
        return 0;
    }
    switch (message) {
    case WM_INITDIALOG:
        InitDialog(dlg, *ctrl);
        return 0; // the focus has been placed
    case WM_COMMAND:
        return Command(dlg, *ctrl, LowWord(wParam), HighWord(wParam));
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == kIdmAbout) {
            dlg->MessageBox("Synonym Thesaurus Common Dialog Version 1.1", "About Thesaurus");
            return 1;
        }
        return 0;
    case WM_CLOSE:
        ctrl->CancelCheck();
        dlg->EndDialog(IDCANCEL);
        return 1;
    default:
        return 0;
    }
}

} // namespace tezar

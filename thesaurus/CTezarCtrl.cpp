#include "thesaurus/CTezarCtrl.h"

#include "thesaurus/DialogProcedure.h"
#include "thesaurus/Latin1.h"
#include "thesaurus/Module.h"
#include "thesaurus/TezarDialog.h"
#include "thesaurus/ThesError.h"

#include <dlfcn.h>
#include <filesystem>
#include <new>
#include <unistd.h>

namespace tezar {

HResult CTezarCtrl::Create(const Guid& iid, void** object) {
    CTezarCtrl* ctrl = new CTezarCtrl();
    const HResult hr = ctrl->QueryInterface(iid, object);
    ctrl->Release();
    return hr;
}

CTezarCtrl::CTezarCtrl() : ControlBase(DIID_DTezar, kTezarCtrlProgId, {CLSID_TezarPropPage}) {
    RegisterMembers();
}

void CTezarCtrl::RequireRunMode() const {
    if (!AmbientUserMode()) throw AutomationError::GetNotSupported();
}

void CTezarCtrl::RegisterMembers() {
    auto readOnly = [](DispParams&) { throw AutomationError::SetNotSupported(); };
    auto text = [](std::string_view s) { return Variant::String(std::string(s)); };

    AddProperty(
        DISPID_DialogTitle, "DialogTitle", [this, text](DispParams&) { return text(m_dialogTitle); },
        [this](DispParams& p) { DialogTitle(ArgString(p, 0)); });
    AddProperty(
        DISPID_OptionBtnCaption, "OptionBtnCaption",
        [this, text](DispParams&) { return text(m_optionBtnCaption); },
        [this](DispParams& p) { OptionBtnCaption(ArgString(p, 0)); });
    AddProperty(
        DISPID_OptionBtnVisible, "OptionBtnVisible",
        [this](DispParams&) { return Variant::Bool(m_optionBtnVisible); },
        [this](DispParams& p) { OptionBtnVisible(ArgBool(p, 0)); });
    AddProperty(
        DISPID_HelpBtnVisible, "HelpBtnVisible",
        [this](DispParams&) { return Variant::Bool(m_helpBtnVisible); },
        [this](DispParams& p) { HelpBtnVisible(ArgBool(p, 0)); });
    AddProperty(
        DISPID_AutomaticDialog, "AutomaticDialog",
        [this](DispParams&) { return Variant::I2(m_automaticDialog); },
        [this](DispParams& p) { AutomaticDialog(ArgI2(p, 0)); });
    auto getFile = [this, text](DispParams&) { return text(m_mainThesFile); };
    auto putFile = [this](DispParams& p) { MainThesFile(ArgString(p, 0)); };
    AddProperty(DISPID_MainThesFile, "MainThesFile", getFile, putFile);
    AddProperty(DISPID_VALUE, "", getFile, putFile); // the control's value
    AddProperty(
        DISPID_SynonymCount, "SynonymCount",
        [this](DispParams&) {
            RequireRunMode();
            return Variant::I2(SynonymCount());
        },
        readOnly);
    AddProperty(
        DISPID_CheckWord, "CheckWord",
        [this, text](DispParams&) {
            RequireRunMode();
            return text(m_checkWord);
        },
        [this](DispParams& p) { CheckWord(ArgString(p, 0)); });
    AddProperty(
        DISPID_DialogTop, "DialogTop",
        [this](DispParams&) {
            RequireRunMode();
            return Variant::I2(m_dialogTop);
        },
        [this](DispParams& p) { DialogTop(ArgI2(p, 0)); });
    AddProperty(
        DISPID_DialogLeft, "DialogLeft",
        [this](DispParams&) {
            RequireRunMode();
            return Variant::I2(m_dialogLeft);
        },
        [this](DispParams& p) { DialogLeft(ArgI2(p, 0)); });
    AddProperty(
        DISPID_LastThesError, "LastThesError",
        [this](DispParams&) {
            RequireRunMode();
            return Variant::I2(m_lastThesError);
        },
        readOnly);
    AddProperty(
        DISPID_ThesaurusLanguage, "ThesaurusLanguage",
        [this](DispParams&) {
            RequireRunMode();
            return Variant::I2(ThesaurusLanguage());
        },
        readOnly);
    AddProperty(
        DISPID_ChangedWord, "ChangedWord",
        [this, text](DispParams&) {
            RequireRunMode();
            return text(m_changedWord);
        },
        readOnly);
    AddProperty(
        DISPID_Synonym, "Synonym",
        [this, text](DispParams& p) {
            ExpectArgs(p, 1);
            return text(Synonym(ArgI2(p, 0)));
        },
        readOnly);
    AddProperty(
        DISPID_HWND, "hWnd",
        [this](DispParams&) {
            RequireRunMode();
            return Variant::I4(hWnd());
        },
        readOnly);
    AddMethod(DISPID_ABOUTBOX, "AboutBox", [this](DispParams& p) {
        ExpectArgs(p, 0);
        AboutBox();
        return Variant();
    });
}

void CTezarCtrl::DialogTitle(std::string_view v) {
    m_dialogTitle = v;
    SetModifiedFlag();
    BoundPropertyChanged(DISPID_DialogTitle);
}

void CTezarCtrl::OptionBtnCaption(std::string_view v) {
    m_optionBtnCaption = v;
    SetModifiedFlag();
    BoundPropertyChanged(DISPID_OptionBtnCaption);
}

void CTezarCtrl::OptionBtnVisible(bool v) {
    m_optionBtnVisible = v;
    SetModifiedFlag();
    BoundPropertyChanged(DISPID_OptionBtnVisible);
}

void CTezarCtrl::HelpBtnVisible(bool v) {
    m_helpBtnVisible = v;
    SetModifiedFlag();
    BoundPropertyChanged(DISPID_HelpBtnVisible);
}

void CTezarCtrl::AutomaticDialog(int16_t v) {
    m_automaticDialog = v;
    SetModifiedFlag();
    BoundPropertyChanged(DISPID_AutomaticDialog);
}

// A persisted property: the container must learn that the control needs saving.
void CTezarCtrl::MainThesFile(std::string_view v) {
    m_mainThesFile = v;
    m_lookup.Reset();
    SetModifiedFlag();
    BoundPropertyChanged(DISPID_MainThesFile);
}

void CTezarCtrl::DialogTop(int16_t v) {
    m_dialogTop = v;
    SetModifiedFlag();
}

void CTezarCtrl::DialogLeft(int16_t v) {
    m_dialogLeft = v;
    SetModifiedFlag();
}

const std::string& CTezarCtrl::Synonym(int16_t index) const {
    if (index < 0 || index >= SynonymCount()) throw AutomationError::InvalidPropertyArrayIndex();
    return m_synonyms[static_cast<size_t>(index)];
}

void CTezarCtrl::Fail(int16_t code) {
    m_lastThesError = code;
    throw AutomationError(static_cast<uint16_t>(code), ThesErrorText(code));
}

std::string CTezarCtrl::ResolveThesFile() const {
    if (!m_mainThesFile.empty()) return Latin1ToUtf8(m_mainThesFile);
    // The default file: the current folder first, then beside the library, then beside the program
    // (a build tree), then the installed data folder as seen from the library and from the program.
    std::vector<std::filesystem::path> places = {std::filesystem::path(kDefaultThesFile)};
    const std::string moduleDir = Module::Directory();
    if (!moduleDir.empty()) places.push_back(std::filesystem::path(moduleDir) / kDefaultThesFile);
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) places.push_back(exe.parent_path() / kDefaultThesFile);
    if (!moduleDir.empty())
        places.push_back(std::filesystem::path(moduleDir) / TEZAR_DATA_FROM_LIBRARY / kDefaultThesFile);
    if (!ec) places.push_back(exe.parent_path() / TEZAR_DATA_FROM_PROGRAM / kDefaultThesFile);
    for (const auto& p : places)
        if (std::filesystem::is_regular_file(p, ec)) return p.string();
    return kDefaultThesFile;
}

void CTezarCtrl::OpenThesFile(ThesFile& file) {
    // A name with a zero byte cannot name any file.
    if (m_mainThesFile.find('\0') != std::string::npos) Fail(kThesFileNotFound);
    const int rc = file.Open(ResolveThesFile());
    if (rc != 0) Fail(static_cast<int16_t>(rc));
}

int16_t CTezarCtrl::ThesaurusLanguage() {
    ThesFile file;
    OpenThesFile(file);
    return file.Language();
}

void CTezarCtrl::CheckWord(std::string_view word) {
    m_checkWord = word;
    m_cancelled = false;
    if (!word.empty()) {
        if (word.size() > kMaxWordLength) Fail(kThesWordTooLong);
        m_givenWord = word;
        m_upperWord = UpperLatin1(word);
        // A failed open must not leave the previous word's synonyms behind.
        m_synonyms.clear();
        ThesFile file;
        OpenThesFile(file);
        const bool found = m_lookup.Find(file, m_givenWord, m_synonyms, [this] {
            int16_t problem = 1, cancel = 0;
            FireEvent(DISPID_Suggestion, {Variant::RefI2(&problem), Variant::RefI2(&cancel)});
            m_suggestionCancel = cancel;
        });
        if (!found) {
            int16_t problem = 1;
            FireEvent(DISPID_BadWord, {Variant::RefI2(&problem)});
            m_lastThesError = kThesWordNotFound;
        }
        if (m_automaticDialog != lexoNoDialog) RunDialog();
        file.Close();
    }
    int16_t cancelled = m_cancelled ? -1 : 0;
    FireEvent(DISPID_Complete, {Variant::RefI2(&cancelled)});
}

void CTezarCtrl::RunDialog() {
    if (!m_dialogRunner && !TezarDialog::CanShow()) return; // no user interface in this process
    QWidget* owner = ControlWindowWidget();
    if (owner == nullptr) owner = ParentWindow();
    const DialogProc proc = FindDialogProc();

    PreModalDialog();
    CTezarCtrl* previous = s_current;
    s_current = this;
    AddRef();
    try {
        if (m_dialogRunner)
            m_dialogRunner(proc, owner);
        else
            TezarDialog::Run(proc, owner);
    } catch (...) {
        s_current = previous;
        m_currentDialog = nullptr;
        PostModalDialog();
        Release();
        throw;
    }
    s_current = previous;
    PostModalDialog();
    if (m_replaced) {
        m_replaced = false;
        FireEvent(DISPID_Changed, {});
    }
    m_currentDialog = nullptr;
    if (QWidget* parent = ParentWindow()) parent->update();
    Release();
}

void CTezarCtrl::ReplaceWith(std::string_view word) {
    m_changedWord = std::string(word.substr(0, kMaxWordLength - 1));
    m_replaced = true;
}

void CTezarCtrl::FireOptionBtnClick() {
    FireEvent(DISPID_OptionBtnClick, {});
}

void CTezarCtrl::FireHelpBtnClick() {
    FireEvent(DISPID_HelpBtnClick, {});
}

int32_t CTezarCtrl::hWnd() {
    QWidget* w = ControlWindowWidget();
    return w == nullptr ? 0 : static_cast<int32_t>(w->winId());
}

void CTezarCtrl::AboutBox() {
    if (!TezarDialog::CanShow()) return;
    PreModalDialog();
    TezarDialog::ShowAbout(ParentWindow());
    PostModalDialog();
}

void CTezarCtrl::DoPropExchange(PropertyExchange& px) {
    px.Version(1, 0);
    px.String("MainThesFile", m_mainThesFile, "");
    px.Short("AutomaticDialog", m_automaticDialog, lexoEnglishDialog);
    px.String("DialogTitle", m_dialogTitle, "");
    px.String("OptionBtnCaption", m_optionBtnCaption, "");
    px.Bool("OptionBtnVisible", m_optionBtnVisible, false);
    px.Short("DialogTop", m_dialogTop, 0);
    px.Short("DialogLeft", m_dialogLeft, 0);
    px.Bool("HelpBtnVisible", m_helpBtnVisible, false);
    if (px.IsLoading()) m_lookup.Reset();
}

DialogProc CTezarCtrl::FindDialogProc() {
    Dl_info self{};
    if (dladdr(reinterpret_cast<void*>(&CTezarCtrl::FindDialogProc), &self) != 0 &&
        self.dli_fname != nullptr) {
        if (void* handle = dlopen(self.dli_fname, RTLD_LAZY | RTLD_NOLOAD)) {
            void* sym = dlsym(handle, "TezarDlgProc");
            Dl_info where{};
            const bool ours = sym != nullptr && dladdr(sym, &where) != 0 && where.dli_fbase == self.dli_fbase;
            dlclose(handle);
            if (ours) return reinterpret_cast<DialogProc>(sym);
        }
    }
    return &TezarDialogProcedure;
}

} // namespace tezar

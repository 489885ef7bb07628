#pragma once
// The thesaurus control: set CheckWord to a word and receive its synonyms through events and
// properties, with or without the control's own modal Thesaurus dialog.

#include "thesaurus/ControlBase.h"
#include "thesaurus/DialogWindow.h"
#include "thesaurus/TezarIds.h"
#include "thesaurus/ThesFile.h"
#include "thesaurus/ThesLookup.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tezar {

class CTezarCtrl final : public ControlBase {
public:
    static constexpr const char* kDefaultThesFile = "lxth_ae.the";
    static constexpr size_t kMaxWordLength = 50;

    // Shows the dialog with the given procedure, owned by `owner`, and returns its result.
    using DialogRunner = std::function<int(DialogProc proc, QWidget* owner)>;

    // Class factory entry.
    static HResult Create(const Guid& iid, void** object);

    CTezarCtrl();

    const std::string& DialogTitle() const { return m_dialogTitle; }
    void DialogTitle(std::string_view v);
    const std::string& OptionBtnCaption() const { return m_optionBtnCaption; }
    void OptionBtnCaption(std::string_view v);
    bool OptionBtnVisible() const { return m_optionBtnVisible; }
    void OptionBtnVisible(bool v);
    bool HelpBtnVisible() const { return m_helpBtnVisible; }
    void HelpBtnVisible(bool v);
    int16_t AutomaticDialog() const { return m_automaticDialog; }
    void AutomaticDialog(int16_t v);
    const std::string& MainThesFile() const { return m_mainThesFile; }
    void MainThesFile(std::string_view v);
    int16_t SynonymCount() const { return static_cast<int16_t>(m_synonyms.size()); }
    const std::string& CheckWord() const { return m_checkWord; }
    // Runs a check; file and length errors are raised as AutomationError.
    void CheckWord(std::string_view word);
    int16_t DialogTop() const { return m_dialogTop; }
    void DialogTop(int16_t v);
    int16_t DialogLeft() const { return m_dialogLeft; }
    void DialogLeft(int16_t v);
    int16_t LastThesError() const { return m_lastThesError; }
    int16_t ThesaurusLanguage();
    const std::string& ChangedWord() const { return m_changedWord; }
    const std::string& Synonym(int16_t index) const;
    int32_t hWnd();
    void AboutBox();

    // The control whose dialog is open; the dialog procedure reaches its control through it.
    static CTezarCtrl* Current() { return s_current; }
    const std::string& GivenWord() const { return m_givenWord; }
    const std::vector<std::string>& Synonyms() const { return m_synonyms; }
    void SetCurrentDialog(IDialogWindow* dialog) { m_currentDialog = dialog; }
    IDialogWindow* CurrentDialog() const { return m_currentDialog; }
    // The dialog's Replace: the new word, at most 49 characters.
    void ReplaceWith(std::string_view word);
    void CancelCheck() { m_cancelled = true; }
    void FireOptionBtnClick();
    void FireHelpBtnClick();

    // The dialog service; the default shows the Qt Thesaurus dialog.
    void SetDialogRunner(DialogRunner runner) { m_dialogRunner = std::move(runner); }
    // The value a Suggestion handler left in Cancel (stored, not acted upon).
    int16_t SuggestionCancel() const { return m_suggestionCancel; }

    // TezarDlgProc as exported by this module, found by name; the built-in procedure when the
    // module does not export it.
    static DialogProc FindDialogProc();

protected:
    void DoPropExchange(PropertyExchange& px) override;

private:
    ~CTezarCtrl() override = default;
    void RegisterMembers();
    void RunDialog();
    // Opens the data file into `file`; on failure sets LastThesError and raises the error.
    void OpenThesFile(ThesFile& file);
    std::string ResolveThesFile() const;
    [[noreturn]] void Fail(int16_t code);
    void RequireRunMode() const;

    std::string m_dialogTitle;
    std::string m_optionBtnCaption;
    bool m_optionBtnVisible = false;
    bool m_helpBtnVisible = false;
    int16_t m_automaticDialog = lexoEnglishDialog;
    std::string m_mainThesFile;
    std::string m_checkWord;
    int16_t m_dialogTop = 0;
    int16_t m_dialogLeft = 0;
    int16_t m_lastThesError = 0;
    std::string m_changedWord;

    std::string m_givenWord;
    std::string m_upperWord;
    std::vector<std::string> m_synonyms;
    ThesLookup m_lookup;
    bool m_replaced = false;
    bool m_cancelled = false;
    int16_t m_suggestionCancel = 0;
    IDialogWindow* m_currentDialog = nullptr;
    DialogRunner m_dialogRunner;

    static inline CTezarCtrl* s_current = nullptr;
};

} // namespace tezar

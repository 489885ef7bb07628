// The Thesaurus dialog's logic, driven through its message procedure with a window that has no
// widgets, inside real checks of the control.

#include "thesaurus/DialogProcedure.h"
#include "tests/thesaurus/ControlHarness.h"
#include "tests/thesaurus/ThesTestFiles.h"
#include "thesaurus/TezarExports.h"

#include <gtest/gtest.h>

using namespace tezar;
using namespace tezar::test;

namespace {

struct DialogTest : ::testing::Test {
    TempDir dir;
    Harness h;
    FakeDialog dialog;
    // The user's part, played while the dialog is open.
    std::function<void(DialogProc)> user = [](DialogProc) {};
    DialogProc usedProc = nullptr;

    void SetUp() override {
        const std::string file = WriteThes(dir, "q.the", {{"quick", {"fast", "speedy", "nimble"}}});
        h.PutError(DISPID_MainThesFile, Variant::String(file));
        h.ctrl->SetDialogRunner([this](DialogProc proc, QWidget*) {
            usedProc = proc;
            proc(&dialog, WM_INITDIALOG, 0, 0);
            user(proc);
            EXPECT_TRUE(dialog.ended) << "the dialog must be closed by the user's part";
            return dialog.result;
        });
    }
    void Cancel(DialogProc proc) { dialog.Command(proc, kIdCancel, BN_CLICKED); }
};

} // namespace

TEST_F(DialogTest, OpeningFillsTheDialogWithTheWordAndItsSynonyms) {
    user = [this](DialogProc proc) { Cancel(proc); };
    ASSERT_EQ(h.Check("Quick"), 0);
    EXPECT_NE(usedProc, nullptr);
    EXPECT_EQ(dialog.caption, "Thesaurus");
    EXPECT_EQ(dialog.lists[kIdLookedUpList], std::vector<std::string>{"Quick"});
    EXPECT_EQ(dialog.lists[kIdChangeTo], (std::vector<std::string>{"Fast", "Speedy", "Nimble"}));
    EXPECT_EQ(dialog.texts[kIdChangeTo], "Fast");
    EXPECT_EQ(dialog.limit, 50);
    EXPECT_FALSE(dialog.shown[kIdOptions]);
    EXPECT_FALSE(dialog.shown[kIdHelp]);
    // Centred on the desktop (1000 x 800) with its own size (400 x 200).
    EXPECT_EQ(dialog.left, 300);
    EXPECT_EQ(dialog.top, 300);
    ASSERT_EQ(dialog.systemMenu.size(), 2u);
    EXPECT_EQ(dialog.systemMenu[0].first, 0u);
    EXPECT_EQ(dialog.systemMenu[1].second, "About...");
}

TEST_F(DialogTest, LanguageSetsReplaceSixTextsAndTheTitleWins) {
    struct Case {
        int16_t language;
        std::string title;
        std::vector<std::string> texts; // caption, 1010, 1011, 1012, 2, 1004
    };
    const Case cases[] = {
        {1, "", {"Thesaurus", "Change &To:", "Synonyms:", "Looked Up:", "Cancel", "&Options..."}},
        {2,
         "",
         {"Ortografia", "Cambiar a:", "Sugerencias:", "No en Diccionario:", "Ca&ncelar", "&Opciones..."}},
        {3,
         "",
         {"Nicht im W\xF6rterbuch", "\xC4ndern in:", "Vorschl\xE4ge:", "Nicht im W\xF6rterbuch:", "Abbrechen",
          "&Wahlen..."}},
        {4,
         "",
         {"Absent du dictionnaire", "Remplacer &par:", "Suggestions:", "Absent du &dictionnaire:", "Annuler",
          "&Options..."}},
        {3,
         "Mein Titel",
         {"Mein Titel", "\xC4ndern in:", "Vorschl\xE4ge:", "Nicht im W\xF6rterbuch:", "Abbrechen",
          "&Wahlen..."}},
    };
    for (const Case& c : cases) {
        dialog = FakeDialog();
        h.PutError(DISPID_AutomaticDialog, Variant::I2(c.language));
        h.PutError(DISPID_DialogTitle, Variant::String(c.title));
        user = [this](DialogProc proc) { Cancel(proc); };
        ASSERT_EQ(h.Check("quick"), 0);
        const std::vector<std::string> got = {dialog.caption,
                                              dialog.texts[kIdChangeToLabel],
                                              dialog.texts[kIdSynonymsLabel],
                                              dialog.texts[kIdLookedUpLabel],
                                              dialog.texts[kIdCancel],
                                              dialog.texts[kIdOptions]};
        EXPECT_EQ(got, c.texts) << "language " << c.language;
        EXPECT_EQ(dialog.texts[kIdReplace], "&Replace");
        EXPECT_EQ(dialog.texts[kIdHelp], "&Help");
    }
}

TEST_F(DialogTest, OptionCaptionAndButtonVisibility) {
    h.PutError(DISPID_OptionBtnCaption, Variant::String("&More..."));
    h.PutError(DISPID_OptionBtnVisible, Variant::Bool(true));
    h.PutError(DISPID_HelpBtnVisible, Variant::Bool(true));
    h.PutError(DISPID_AutomaticDialog, Variant::I2(2));
    user = [this](DialogProc proc) {
        dialog.Command(proc, kIdOptions, BN_CLICKED);
        dialog.Command(proc, kIdHelp, BN_CLICKED);
        EXPECT_FALSE(dialog.ended) << "Options and Help leave the dialog open";
        Cancel(proc);
    };
    ASSERT_EQ(h.Check("quick"), 0);
    EXPECT_EQ(dialog.texts[kIdOptions], "&More...");
    EXPECT_TRUE(dialog.shown[kIdOptions]);
    EXPECT_TRUE(dialog.shown[kIdHelp]);
    EXPECT_EQ(h.sink.Names(), (std::vector<std::string>{"Suggestion", "Suggestion", "Suggestion",
                                                        "OptionBtnClick", "HelpBtnClick", "Complete"}));
    EXPECT_EQ(h.sink.events.back().args, std::vector<int16_t>{-1}) << "Complete reports the cancel";
}

TEST_F(DialogTest, ReplaceTakesTheEditTextCutTo49Characters) {
    user = [this](DialogProc proc) {
        dialog.SetItemText(kIdChangeTo, std::string(50, 'x')); // the field holds at most 50
        dialog.Command(proc, kIdReplace, BN_CLICKED);
    };
    ASSERT_EQ(h.Check("quick"), 0);
    EXPECT_EQ(dialog.result, IDOK);
    EXPECT_EQ(h.GetString(DISPID_ChangedWord), std::string(49, 'x'));
    EXPECT_EQ(h.sink.Names().back(), "Complete");
    EXPECT_EQ(h.sink.Names()[h.sink.events.size() - 2], "Changed");
    EXPECT_EQ(h.sink.events.back().args, std::vector<int16_t>{0});
}

TEST_F(DialogTest, DoubleClickOnASynonymReplaces) {
    user = [this](DialogProc proc) {
        dialog.PickSynonym(proc, 2);
        EXPECT_TRUE(dialog.allSelected);
        dialog.Command(proc, kIdChangeTo, CBN_DBLCLK);
    };
    ASSERT_EQ(h.Check("quick"), 0);
    EXPECT_EQ(h.GetString(DISPID_ChangedWord), "nimble");
}

TEST_F(DialogTest, CancelKeepsThePreviousReplacement) {
    user = [this](DialogProc proc) { dialog.Command(proc, kIdReplace, BN_CLICKED); };
    ASSERT_EQ(h.Check("quick"), 0);
    ASSERT_EQ(h.GetString(DISPID_ChangedWord), "fast");
    h.sink.events.clear();
    dialog = FakeDialog();
    user = [this](DialogProc proc) { Cancel(proc); };
    ASSERT_EQ(h.Check("quick"), 0);
    EXPECT_EQ(dialog.result, IDCANCEL);
    EXPECT_EQ(h.GetString(DISPID_ChangedWord), "fast");
    for (const std::string& n : h.sink.Names())
        EXPECT_NE(n, "Changed");
}

TEST_F(DialogTest, NoSuggestionsOffersTheWordItself) {
    user = [this](DialogProc proc) {
        EXPECT_EQ(dialog.lists[kIdChangeTo], std::vector<std::string>{"(No Suggestions)"});
        EXPECT_EQ(dialog.texts[kIdChangeTo], "quack");
        dialog.PickSynonym(proc, 0); // picking the placeholder puts the word back
        EXPECT_EQ(dialog.selection[kIdChangeTo], -1);
        EXPECT_EQ(dialog.texts[kIdChangeTo], "quack");
        EXPECT_TRUE(dialog.allSelected);
        dialog.Command(proc, kIdChangeTo, CBN_DBLCLK); // no replacement from the placeholder
        EXPECT_FALSE(dialog.ended);
        Cancel(proc);
    };
    ASSERT_EQ(h.Check("quack"), 0);
    EXPECT_EQ(h.sink.Names(), (std::vector<std::string>{"BadWord", "Complete"}));
}

TEST_F(DialogTest, SelectingTheLookedUpWordPutsItInTheEditField) {
    user = [this](DialogProc proc) {
        dialog.SetCurSel(kIdLookedUpList, 0);
        dialog.focus = 0;
        dialog.Command(proc, kIdLookedUpList, LBN_SELCHANGE);
        EXPECT_EQ(dialog.texts[kIdChangeTo], "quick");
        EXPECT_EQ(dialog.selection[kIdLookedUpList], -1);
        EXPECT_EQ(dialog.focus, kIdChangeTo);
        EXPECT_TRUE(dialog.allSelected);
        dialog.Command(proc, kIdReplace, BN_CLICKED);
    };
    ASSERT_EQ(h.Check("quick"), 0);
    EXPECT_EQ(h.GetString(DISPID_ChangedWord), "quick");
}

TEST_F(DialogTest, AboutInTheSystemMenuAndPlacementFromDialogTopLeft) {
    h.PutError(DISPID_DialogTop, Variant::I2(40));
    h.PutError(DISPID_DialogLeft, Variant::I2(900)); // would run off the desktop
    user = [this](DialogProc proc) {
        EXPECT_EQ(proc(&dialog, WM_SYSCOMMAND, kIdmAbout, 0), 1);
        proc(&dialog, WM_CLOSE, 0, 0);
    };
    ASSERT_EQ(h.Check("quick"), 0);
    EXPECT_EQ(dialog.messages, std::vector<std::string>{"Synonym Thesaurus Common Dialog Version 1.1"});
    EXPECT_EQ(dialog.top, 40);
    EXPECT_EQ(dialog.left, 600);
    EXPECT_EQ(dialog.result, IDCANCEL);
}

TEST(DialogProcedure, WithoutACurrentControlTheDialogCloses) {
    FakeDialog d;
    ASSERT_EQ(CTezarCtrl::Current(), nullptr);
    TezarDlgProc(&d, WM_INITDIALOG, 0, 0);
    EXPECT_TRUE(d.ended);
    EXPECT_EQ(d.result, IDCANCEL);
    EXPECT_EQ(TezarDlgProc(nullptr, WM_COMMAND, 0, 0), 0);
}

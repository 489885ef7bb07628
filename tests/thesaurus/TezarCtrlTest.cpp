// The control through its dispatch interface: access rules, checks and their events, errors,
// notifications and persistence.

#include "tests/thesaurus/ControlHarness.h"
#include "tests/thesaurus/ThesTestFiles.h"
#include "thesaurus/ThesError.h"

#include <gtest/gtest.h>

using namespace tezar;
using namespace tezar::test;

namespace {

const Entries kQuick = {{"quick", {"fast", "speedy", "Fast", "nimble"}}, {"slow", {"sluggish"}}};

struct ControlTest : ::testing::Test {
    TempDir dir;
    Harness h;
    std::string file;
    void SetUp() override {
        file = WriteThes(dir, "q.the", kQuick, -7);
        ASSERT_EQ(h.PutError(DISPID_MainThesFile, Variant::String(file)), 0);
        ASSERT_EQ(h.PutError(DISPID_AutomaticDialog, Variant::I2(0)), 0);
        h.site.changed.clear();
    }
};

} // namespace

TEST(TezarCtrl, DefaultsOfANewControl) {
    Harness h;
    EXPECT_EQ(h.GetString(DISPID_DialogTitle), "");
    EXPECT_EQ(h.GetString(DISPID_OptionBtnCaption), "");
    EXPECT_EQ(h.GetInt(DISPID_OptionBtnVisible), 0);
    EXPECT_EQ(h.GetInt(DISPID_HelpBtnVisible), 0);
    EXPECT_EQ(h.GetInt(DISPID_AutomaticDialog), lexoEnglishDialog);
    EXPECT_EQ(h.GetString(DISPID_MainThesFile), "");
    EXPECT_EQ(h.GetInt(DISPID_SynonymCount), 0);
    EXPECT_EQ(h.GetString(DISPID_CheckWord), "");
    EXPECT_EQ(h.GetInt(DISPID_DialogTop), 0);
    EXPECT_EQ(h.GetInt(DISPID_DialogLeft), 0);
    EXPECT_EQ(h.GetInt(DISPID_LastThesError), 0);
    EXPECT_EQ(h.GetString(DISPID_ChangedWord), "");
    EXPECT_EQ(h.ctrl->IsDirty(), S_FALSE);
}

// Run time only: reading in design mode fails with 394; read only: writing fails with 383.
TEST(TezarCtrl, PropertyAccessRulesInDesignAndRunMode) {
    struct Rule {
        DispId id;
        bool runTimeOnlyRead;
        bool readOnly;
        Variant sample;
    };
    const Rule rules[] = {
        {DISPID_DialogTitle, false, false, Variant::String("T")},
        {DISPID_OptionBtnCaption, false, false, Variant::String("O")},
        {DISPID_OptionBtnVisible, false, false, Variant::Bool(true)},
        {DISPID_HelpBtnVisible, false, false, Variant::Bool(true)},
        {DISPID_AutomaticDialog, false, false, Variant::I2(0)},
        {DISPID_MainThesFile, false, false, Variant::String("x.the")},
        {DISPID_SynonymCount, true, true, Variant::I2(3)},
        {DISPID_CheckWord, true, false, Variant::String("")},
        {DISPID_DialogTop, true, false, Variant::I2(5)},
        {DISPID_DialogLeft, true, false, Variant::I2(5)},
        {DISPID_LastThesError, true, true, Variant::I2(0)},
        {DISPID_ChangedWord, true, true, Variant::String("w")},
        {DISPID_HWND, true, true, Variant::I4(1)},
    };
    for (bool userMode : {false, true}) {
        Harness h;
        h.site.userMode = userMode;
        for (const Rule& r : rules) {
            EXPECT_EQ(h.GetError(r.id), r.runTimeOnlyRead && !userMode ? kErrGetNotSupported : 0)
                << "get " << r.id << " user mode " << userMode;
            EXPECT_EQ(h.PutError(r.id, r.sample), r.readOnly ? kErrSetNotSupported : 0)
                << "put " << r.id << " user mode " << userMode;
        }
        // ThesaurusLanguage opens the file: in design mode the rule comes first.
        EXPECT_EQ(h.PutError(DISPID_ThesaurusLanguage, Variant::I2(1)), kErrSetNotSupported);
        if (!userMode) {
            EXPECT_EQ(h.GetError(DISPID_ThesaurusLanguage), kErrGetNotSupported);
        }
        EXPECT_EQ(h.PutError(DISPID_Synonym, Variant::I2(0)), kErrSetNotSupported);
        // Synonym may be read in either mode; with no synonyms every index is out of range.
        EXPECT_EQ(h.GetError(DISPID_Synonym, {Variant::I2(0)}), kErrInvalidPropertyArrayIndex);
    }
}

TEST(TezarCtrl, DispatchByNameAndValueProperty) {
    Harness h;
    DispId id = 0;
    EXPECT_EQ(h.ctrl->GetIDsOfNames("checkword", &id), S_OK);
    EXPECT_EQ(id, DISPID_CheckWord);
    EXPECT_EQ(h.ctrl->GetIDsOfNames("ABOUTBOX", &id), S_OK);
    EXPECT_EQ(id, DISPID_ABOUTBOX);
    EXPECT_EQ(h.ctrl->GetIDsOfNames("NoSuchThing", &id), DISP_E_UNKNOWNNAME);
    ASSERT_EQ(h.PutError(DISPID_VALUE, Variant::String("value.the")), 0);
    EXPECT_EQ(h.GetString(DISPID_MainThesFile), "value.the");
    // Conversions as automation does them; a text that is no number is a type mismatch.
    EXPECT_EQ(h.PutError(DISPID_AutomaticDialog, Variant::String("3")), 0);
    EXPECT_EQ(h.GetInt(DISPID_AutomaticDialog), 3);
    EXPECT_EQ(h.Put(DISPID_AutomaticDialog, Variant::String("three")), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(h.Put(DISPID_AutomaticDialog, Variant::I4(70000)), DISP_E_OVERFLOW);
    Variant unused;
    EXPECT_EQ(h.Get(12345, unused), DISP_E_MEMBERNOTFOUND);
}

TEST_F(ControlTest, CheckWithoutDialogRaisesSuggestionsThenComplete) {
    ASSERT_EQ(h.Check("Quick"), 0);
    EXPECT_EQ(h.sink.Names(),
              (std::vector<std::string>{"Suggestion", "Suggestion", "Suggestion", "Complete"}));
    EXPECT_EQ(h.sink.events[0].args, (std::vector<int16_t>{1, 0})); // Problem, Cancel
    EXPECT_EQ(h.sink.events[3].args, (std::vector<int16_t>{0}));    // Cancelled
    ASSERT_EQ(h.GetInt(DISPID_SynonymCount), 3);
    EXPECT_EQ(h.GetString(DISPID_Synonym, {Variant::I2(0)}), "Fast");
    EXPECT_EQ(h.GetString(DISPID_Synonym, {Variant::I2(1)}), "Speedy");
    EXPECT_EQ(h.GetString(DISPID_Synonym, {Variant::I2(2)}), "Nimble");
    EXPECT_EQ(h.GetString(DISPID_CheckWord), "Quick");
    EXPECT_TRUE(h.site.modal.empty());
    EXPECT_EQ(h.GetInt(DISPID_ThesaurusLanguage), -7);
}

TEST_F(ControlTest, SynonymIndexOutOfRangeLeavesLastThesErrorAlone) {
    ASSERT_EQ(h.Check("nosuchword"), 0);
    ASSERT_EQ(h.GetInt(DISPID_LastThesError), kThesWordNotFound);
    ASSERT_EQ(h.Check("quick"), 0);
    for (int16_t index : {int16_t(-1), int16_t(3), int16_t(32767)})
        EXPECT_EQ(h.GetError(DISPID_Synonym, {Variant::I2(index)}), kErrInvalidPropertyArrayIndex) << index;
    EXPECT_EQ(h.GetInt(DISPID_LastThesError), kThesWordNotFound);
}

TEST_F(ControlTest, BadWordSeesThePreviousLastThesError) {
    // A failed open leaves 32002 behind; the next check's BadWord still sees it.
    ASSERT_EQ(h.PutError(DISPID_MainThesFile, Variant::String(dir.File("missing.the"))), 0);
    EXPECT_EQ(h.Check("quick"), kThesCannotOpen);
    ASSERT_EQ(h.PutError(DISPID_MainThesFile, Variant::String(file)), 0);
    h.sink.events.clear();
    int seen = -1;
    h.sink.handler = [&](DispId id, DispParams&) {
        if (id == DISPID_BadWord) seen = h.GetInt(DISPID_LastThesError);
    };
    ASSERT_EQ(h.Check("quack"), 0);
    EXPECT_EQ(h.sink.Names(), (std::vector<std::string>{"BadWord", "Complete"}));
    EXPECT_EQ(h.sink.events[0].args, std::vector<int16_t>{1});
    EXPECT_EQ(seen, kThesCannotOpen);
    EXPECT_EQ(h.GetInt(DISPID_LastThesError), kThesWordNotFound);
    EXPECT_EQ(h.GetInt(DISPID_SynonymCount), 0);
}

TEST_F(ControlTest, EmptyWordRaisesOnlyCompleteAndOpensNothing) {
    ASSERT_EQ(h.PutError(DISPID_MainThesFile, Variant::String(dir.File("missing.the"))), 0);
    ASSERT_EQ(h.Check(""), 0);
    EXPECT_EQ(h.sink.Names(), std::vector<std::string>{"Complete"});
    EXPECT_EQ(h.GetInt(DISPID_LastThesError), 0);
}

TEST_F(ControlTest, WordLengthLimit) {
    const std::string fifty(50, 'a');
    ASSERT_EQ(h.Check(fifty), 0);
    EXPECT_EQ(h.sink.Names(), (std::vector<std::string>{"BadWord", "Complete"}));
    h.sink.events.clear();
    ExcepInfo e;
    ASSERT_EQ(h.Put(DISPID_CheckWord, Variant::String(fifty + "a"), &e), DISP_E_EXCEPTION);
    EXPECT_EQ(e.code, kThesWordTooLong);
    EXPECT_EQ(e.scode, ControlErrorCode(kThesWordTooLong));
    EXPECT_EQ(e.description, "Word too long.  Must be < 50 chars.");
    EXPECT_TRUE(h.sink.events.empty());
    EXPECT_EQ(h.GetInt(DISPID_LastThesError), kThesWordTooLong);
}

TEST_F(ControlTest, FileErrorsAreRaisedWithNumberAndTextAndEndTheCheck) {
    const std::string good = ReadBytes(file);
    std::string v2 = good;
    v2[128] = 2;
    struct Case {
        std::string name;
        int error;
        const char* text;
    };
    const Case cases[] = {
        {dir.File("missing.the"), kThesCannotOpen, "Cannot open Thesaurus File"},
        {WriteBytes(dir, "short.the", good.substr(0, 100)), kThesNotValid, "Not a Valid Thesaurus File"},
        {WriteBytes(dir, "v2.the", v2), kThesBadVersion, "Incorrect Thesaurus File Version!"},
        {std::string("a\0b", 3), kThesFileNotFound, "Main Thesaurus File not found"},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(h.PutError(DISPID_MainThesFile, Variant::String(c.name)), 0);
        h.sink.events.clear();
        ExcepInfo e;
        ASSERT_EQ(h.Put(DISPID_CheckWord, Variant::String("quick"), &e), DISP_E_EXCEPTION) << c.name;
        EXPECT_EQ(e.code, c.error);
        EXPECT_EQ(e.description, c.text);
        EXPECT_TRUE(h.sink.events.empty()) << "no Complete after an error";
        EXPECT_EQ(h.GetInt(DISPID_LastThesError), c.error);
        EXPECT_EQ(h.GetInt(DISPID_SynonymCount), 0);
        EXPECT_EQ(h.GetError(DISPID_ThesaurusLanguage), c.error);
    }
}

TEST_F(ControlTest, AssigningMainThesFileSwitchesToTheNewFilesSamples) {
    ASSERT_EQ(h.Check("quick"), 0);
    const std::string other = WriteThes(dir, "o.the", NumberedEntries(2000));
    ASSERT_EQ(h.PutError(DISPID_MainThesFile, Variant::String(other)), 0);
    EXPECT_EQ(h.site.changed, std::vector<DispId>{DISPID_MainThesFile});
    ASSERT_EQ(h.Check("w01234"), 0);
    EXPECT_EQ(h.GetInt(DISPID_SynonymCount), 3);
    EXPECT_EQ(h.GetString(DISPID_Synonym, {Variant::I2(0)}), "s01234a");
    ASSERT_EQ(h.Check("quick"), 0);
    EXPECT_EQ(h.GetInt(DISPID_LastThesError), kThesWordNotFound);
    ASSERT_EQ(h.PutError(DISPID_MainThesFile, Variant::String(file)), 0);
    ASSERT_EQ(h.Check("quick"), 0);
    EXPECT_EQ(h.GetInt(DISPID_SynonymCount), 3);
}

TEST_F(ControlTest, SuggestionCancelIsStoredButTheListStillFills) {
    h.sink.handler = [](DispId id, DispParams& p) {
        if (id == DISPID_Suggestion) *p.args[1].AsRefI2() = -1;
    };
    ASSERT_EQ(h.Check("quick"), 0);
    EXPECT_EQ(h.ctrl->SuggestionCancel(), -1);
    EXPECT_EQ(h.GetInt(DISPID_SynonymCount), 3);
}

TEST_F(ControlTest, ChangesNotifyTheContainerAndMarkTheControlModified) {
    PropertyBag scratch;
    ASSERT_EQ(h.ctrl->Save(scratch, true), S_OK);
    ASSERT_EQ(h.ctrl->IsDirty(), S_FALSE);
    h.PutError(DISPID_DialogTitle, Variant::String("T"));
    h.PutError(DISPID_OptionBtnCaption, Variant::String("O"));
    h.PutError(DISPID_OptionBtnVisible, Variant::Bool(true));
    h.PutError(DISPID_HelpBtnVisible, Variant::Bool(true));
    h.PutError(DISPID_AutomaticDialog, Variant::I2(2));
    h.PutError(DISPID_MainThesFile, Variant::String(file));
    EXPECT_EQ(h.site.changed, (std::vector<DispId>{1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(h.ctrl->IsDirty(), S_OK);
    h.ctrl->Save(scratch, true);
    h.PutError(DISPID_DialogTop, Variant::I2(10));
    EXPECT_EQ(h.site.changed.size(), 6u) << "DialogTop is not a bound property";
    EXPECT_EQ(h.ctrl->IsDirty(), S_OK) << "but it is persisted";
}

TEST_F(ControlTest, PersistenceRoundTripInOrderWithVersion) {
    h.PutError(DISPID_DialogTitle, Variant::String("Mein Titel"));
    h.PutError(DISPID_OptionBtnCaption, Variant::String("Mehr\\..."));
    h.PutError(DISPID_OptionBtnVisible, Variant::Bool(true));
    h.PutError(DISPID_DialogTop, Variant::I2(-12));
    h.PutError(DISPID_DialogLeft, Variant::I2(300));
    h.PutError(DISPID_AutomaticDialog, Variant::I2(lexoFrenchDialog));
    PropertyBag bag;
    ASSERT_EQ(h.ctrl->Save(bag, true), S_OK);
    std::vector<std::string> names;
    for (const auto& item : bag.Items())
        names.push_back(item.first);
    EXPECT_EQ(names, (std::vector<std::string>{"_Version", "MainThesFile", "AutomaticDialog", "DialogTitle",
                                               "OptionBtnCaption", "OptionBtnVisible", "DialogTop",
                                               "DialogLeft", "HelpBtnVisible"}));
    EXPECT_EQ(bag.Items()[0].second, Variant::I4(0x10000)); // 1.0

    PropertyBag reread;
    ASSERT_TRUE(PropertyBag::Parse(bag.Serialize(), reread));
    Harness other;
    ASSERT_EQ(other.ctrl->Load(reread), S_OK);
    EXPECT_EQ(other.ctrl->IsDirty(), S_FALSE);
    for (DispId id : {DISPID_MainThesFile, DISPID_DialogTitle, DISPID_OptionBtnCaption})
        EXPECT_EQ(other.GetString(id), h.GetString(id)) << id;
    for (DispId id : {DISPID_AutomaticDialog, DISPID_OptionBtnVisible, DISPID_HelpBtnVisible,
                      DISPID_DialogTop, DISPID_DialogLeft})
        EXPECT_EQ(other.GetInt(id), h.GetInt(id)) << id;
    // A bag without values gives the defaults.
    ASSERT_EQ(other.ctrl->Load(PropertyBag()), S_OK);
    EXPECT_EQ(other.GetInt(DISPID_AutomaticDialog), lexoEnglishDialog);
    EXPECT_EQ(other.GetString(DISPID_DialogTitle), "");
}

TEST_F(ControlTest, DialogOpensBetweenModalNotificationsAndChangedPrecedesComplete) {
    ASSERT_EQ(h.PutError(DISPID_AutomaticDialog, Variant::I2(1)), 0);
    std::vector<std::string> order;
    h.ctrl->SetDialogRunner([&](DialogProc proc, QWidget*) {
        order.push_back(h.site.modal.size() == 1 && h.site.modal[0] ? "opened after notice" : "opened early");
        FakeDialog d;
        proc(&d, WM_INITDIALOG, 0, 0);
        d.PickSynonym(proc, 1);
        d.Command(proc, kIdReplace, BN_CLICKED);
        EXPECT_TRUE(d.ended);
        return d.result;
    });
    ASSERT_EQ(h.Check("quick"), 0);
    EXPECT_EQ(order, std::vector<std::string>{"opened after notice"});
    EXPECT_EQ(h.site.modal, (std::vector<bool>{true, false}));
    EXPECT_EQ(h.sink.Names(),
              (std::vector<std::string>{"Suggestion", "Suggestion", "Suggestion", "Changed", "Complete"}));
    EXPECT_EQ(h.GetString(DISPID_ChangedWord), "speedy");
    EXPECT_EQ(CTezarCtrl::Current(), nullptr);
}

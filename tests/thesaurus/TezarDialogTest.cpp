// The Qt Thesaurus dialog and the property page on the offscreen platform, clicked and typed
// through their real widgets.

#include "thesaurus/TezarDialog.h"
#include "tests/thesaurus/ControlHarness.h"
#include "tests/thesaurus/ThesTestFiles.h"
#include "thesaurus/CTezarPropPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tezar;
using namespace tezar::test;

namespace {

QApplication& App() {
    static int argc = 1;
    static char name[] = "thesaurus_gui_tests";
    static char* argv[] = {name, nullptr};
    // Kept to the end of the process: destroying it after main returns crashes Qt's input devices.
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

struct QtDialogTest : ::testing::Test {
    TempDir dir;
    Harness h;
    void SetUp() override {
        App();
        const std::string file = WriteThes(dir, "q.the", {{"quick", {"fast", "speedy", "nimble"}}});
        h.PutError(DISPID_MainThesFile, Variant::String(file));
    }
    // Checks the word and runs `act` on the dialog once it is open.
    void CheckWith(const std::string& word, std::function<void(TezarDialog&)> act) {
        bool acted = false;
        QTimer::singleShot(0, [&] {
            auto* dlg = dynamic_cast<TezarDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            acted = true;
            act(*dlg);
        });
        ASSERT_EQ(h.Check(word), 0);
        EXPECT_TRUE(acted);
    }
    static QString Text(TezarDialog& d, int id) {
        QWidget* w = d.Item(id);
        if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
        if (auto* b = qobject_cast<QPushButton*>(w)) return b->text();
        return {};
    }
};

} // namespace

TEST_F(QtDialogTest, ControlsSitAtTheirDialogUnitPositions) {
    CheckWith("quick", [](TezarDialog& d) {
        EXPECT_EQ(d.size(), d.DuToPixels(0, 0, 232, 104).size());
        struct Place {
            int id, x, y, w, h;
        };
        for (const Place& p : {Place{kIdLookedUpLabel, 3, 5, 41, 9}, Place{kIdLookedUpList, 45, 5, 111, 13},
                               Place{kIdChangeToLabel, 2, 29, 39, 8}, Place{kIdChangeTo, 45, 27, 114, 74},
                               Place{kIdSynonymsLabel, 3, 40, 36, 10}, Place{kIdReplace, 180, 6, 44, 14},
                               Place{kIdCancel, 180, 22, 44, 14}, Place{kIdHelp, 180, 39, 44, 14},
                               Place{kIdOptions, 167, 80, 61, 15}})
            EXPECT_EQ(d.Item(p.id)->geometry(), d.DuToPixels(p.x, p.y, p.w, p.h)) << p.id;
        EXPECT_TRUE(qobject_cast<QPushButton*>(d.Item(kIdReplace))->isDefault());
        d.reject();
    });
}

TEST_F(QtDialogTest, EnglishDialogReplacesWithTheChosenSynonym) {
    CheckWith("Quick", [](TezarDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Thesaurus"));
        EXPECT_EQ(d.ComboList()->count(), 3);
        EXPECT_EQ(d.ComboEdit()->text(), QStringLiteral("Fast"));
        EXPECT_EQ(d.ComboEdit()->selectedText(), QStringLiteral("Fast"));
        EXPECT_FALSE(d.Item(kIdOptions)->isVisibleTo(&d));
        EXPECT_FALSE(d.Item(kIdHelp)->isVisibleTo(&d));
        // The user clicks the second synonym, then Replace.
        QListWidget* list = d.ComboList();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(1)).center());
        EXPECT_EQ(d.ComboEdit()->text(), QStringLiteral("Speedy"));
        QTest::mouseClick(qobject_cast<QPushButton*>(d.Item(kIdReplace)), Qt::LeftButton);
    });
    EXPECT_EQ(h.GetString(DISPID_ChangedWord), "Speedy");
    EXPECT_EQ(h.sink.Names()[h.sink.events.size() - 2], "Changed");
}

TEST_F(QtDialogTest, GermanCaptionsUnlessTheTitleIsSet) {
    h.PutError(DISPID_AutomaticDialog, Variant::I2(lexoGermanDialog));
    CheckWith("quick", [](TezarDialog& d) {
        EXPECT_EQ(d.windowTitle(), QString::fromUtf8("Nicht im Wörterbuch"));
        EXPECT_EQ(Text(d, kIdChangeToLabel), QString::fromUtf8("Ändern in:"));
        EXPECT_EQ(Text(d, kIdSynonymsLabel), QString::fromUtf8("Vorschläge:"));
        EXPECT_EQ(Text(d, kIdLookedUpLabel), QString::fromUtf8("Nicht im Wörterbuch:"));
        EXPECT_EQ(Text(d, kIdCancel), QStringLiteral("Abbrechen"));
        EXPECT_EQ(Text(d, kIdOptions), QStringLiteral("&Wahlen..."));
        EXPECT_EQ(Text(d, kIdReplace), QStringLiteral("&Replace"));
        EXPECT_EQ(Text(d, kIdHelp), QStringLiteral("&Help"));
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    EXPECT_EQ(h.sink.events.back().args, std::vector<int16_t>{-1}) << "Escape cancels";
    h.PutError(DISPID_DialogTitle, Variant::String("Synonyme"));
    CheckWith("quick", [](TezarDialog& d) {
        EXPECT_EQ(d.windowTitle(), QStringLiteral("Synonyme"));
        d.reject();
    });
}

TEST_F(QtDialogTest, NoSuggestionsWithOptionsAndHelpButtons) {
    h.PutError(DISPID_OptionBtnVisible, Variant::Bool(true));
    h.PutError(DISPID_HelpBtnVisible, Variant::Bool(true));
    CheckWith("quack", [](TezarDialog& d) {
        ASSERT_EQ(d.ComboList()->count(), 1);
        EXPECT_EQ(d.ComboList()->item(0)->text(), QStringLiteral("(No Suggestions)"));
        EXPECT_EQ(d.ComboEdit()->text(), QStringLiteral("quack"));
        EXPECT_TRUE(d.Item(kIdOptions)->isVisibleTo(&d));
        EXPECT_TRUE(d.Item(kIdHelp)->isVisibleTo(&d));
        QListWidget* list = d.ComboList();
        const QPoint at = list->visualItemRect(list->item(0)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        EXPECT_EQ(d.ComboEdit()->text(), QStringLiteral("quack")) << "the placeholder is no replacement";
        EXPECT_TRUE(list->selectedItems().isEmpty());
        emit list->itemDoubleClicked(list->item(0));
        EXPECT_TRUE(d.isVisible());
        QTest::mouseClick(qobject_cast<QPushButton*>(d.Item(kIdOptions)), Qt::LeftButton);
        QTest::mouseClick(qobject_cast<QPushButton*>(d.Item(kIdHelp)), Qt::LeftButton);
        EXPECT_TRUE(d.isVisible());
        QTest::mouseClick(qobject_cast<QPushButton*>(d.Item(kIdCancel)), Qt::LeftButton);
    });
    EXPECT_EQ(h.sink.Names(),
              (std::vector<std::string>{"BadWord", "OptionBtnClick", "HelpBtnClick", "Complete"}));
}

TEST_F(QtDialogTest, DoubleClickReplacesAndAboutShowsItsMessage) {
    CheckWith("quick", [](TezarDialog& d) {
        ASSERT_EQ(d.SystemMenuItems().size(), 2);
        EXPECT_EQ(d.SystemMenuItems()[1].second, QStringLiteral("About..."));
        QString shown;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* top : QApplication::topLevelWidgets())
                if (auto* box = qobject_cast<QMessageBox*>(top); box != nullptr && box->isVisible()) {
                    shown = box->text();
                    box->done(QMessageBox::Ok);
                    poll.stop();
                }
        });
        poll.start(20);
        d.ChooseSystemMenuItem(d.SystemMenuItems()[1].first);
        EXPECT_EQ(shown, QStringLiteral("Synonym Thesaurus Common Dialog Version 1.1"));
        QListWidget* list = d.ComboList();
        // A double click: the press selects the item, the view then reports the double click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(2)).center());
        emit list->itemDoubleClicked(list->item(2));
    });
    EXPECT_EQ(h.GetString(DISPID_ChangedWord), "nimble");
}

TEST(PropertyPage, FieldsShowAndApplyTheControlsProperties) {
    App();
    Harness h;
    h.PutError(DISPID_DialogTitle, Variant::String("Titel"));
    h.PutError(DISPID_AutomaticDialog, Variant::I2(lexoFrenchDialog));
    void* p = nullptr;
    ASSERT_EQ(CTezarPropPage::Create(IID_IPropertyPage, &p), S_OK);
    auto* page = static_cast<CTezarPropPage*>(static_cast<IPropertyPage*>(p));
    QWidget frame;
    page->SetObjects({h.ctrl});
    ASSERT_EQ(page->Activate(&frame), S_OK);
    QWidget* w = page->Widget();
    auto* title = w->findChild<QLineEdit*>(QStringLiteral("DialogTitle"));
    auto* dialog = w->findChild<QComboBox*>(QStringLiteral("AutomaticDialog"));
    auto* help = w->findChild<QCheckBox*>(QStringLiteral("HelpBtnVisible"));
    auto* file = w->findChild<QLineEdit*>(QStringLiteral("MainThesFile"));
    ASSERT_TRUE(title && dialog && help && file &&
                w->findChild<QLineEdit*>(QStringLiteral("OptionBtnCaption")) &&
                w->findChild<QCheckBox*>(QStringLiteral("OptionBtnVisible")));
    EXPECT_EQ(title->text(), QStringLiteral("Titel"));
    EXPECT_EQ(dialog->currentIndex(), 4);
    EXPECT_EQ(dialog->itemText(4), QStringLiteral("4 - French Dialog"));
    EXPECT_EQ(page->IsPageDirty(), S_FALSE);
    QTest::keyClicks(file, QStringLiteral("other.the"));
    dialog->setCurrentIndex(0);
    help->setChecked(true);
    EXPECT_EQ(page->IsPageDirty(), S_OK);
    ASSERT_EQ(page->Apply(), S_OK);
    EXPECT_EQ(h.GetString(DISPID_MainThesFile), "other.the");
    EXPECT_EQ(h.GetInt(DISPID_AutomaticDialog), 0);
    EXPECT_EQ(h.GetInt(DISPID_HelpBtnVisible), -1);
    EXPECT_EQ(h.GetString(DISPID_DialogTitle), "Titel");
    page->Deactivate();
    page->SetObjects({});
    page->Release();
}

// Fontconfig keeps a few caches for the life of the process; they are not ours to free.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

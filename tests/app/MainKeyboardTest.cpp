// The main window from the keyboard: Tab walks every input tab in the order the controls are seen
// (frame by frame, each frame top to bottom), and the menus and buttons have access keys of their own.
#include "AppTestSupport.h"

#include "engine/Q7Objects.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <map>

namespace q7::test {
namespace {

QStringList Indexed(const char* name, int first, int last) {
    QStringList names;
    for (int k = first; k <= last; ++k)
        names << QStringLiteral("%1(%2)").arg(QString::fromLatin1(name)).arg(k);
    return names;
}

// Gas composition: each column of the list top to bottom, a component's "Plus" after its box.
QStringList CompositionOrder() {
    QStringList names;
    for (int k = 1; k <= 15; ++k) {
        names << QStringLiteral("txtGC(%1)").arg(k);
        if (k <= 12) names << QStringLiteral("chkPLUS(%1)").arg(k);
    }
    return names << QStringLiteral("cmdNormal");
}

struct TabOrderCase {
    int tab;
    QStringList order;
};

// Every phase present, a gas composition with a plus fraction (so that every gas control can take
// the focus); option pairs are listed whole, as each button of a pair is a stop once the other is
// cleared by the walk's starting state.
std::vector<TabOrderCase> Cases() {
    return {
        {kTabPhases, Indexed("cbxFPP", 0, 2) + QStringList{"txtStdP", "txtStdT", "optStdTU(0)", "optStdTU(1)",
                                                           "txtResT", "optResTU(0)", "optResTU(1)"}},
        {kTabPressure, QStringList{"optPRange(0)", "optPRange(1)", "txtMinP", "txtInitP", "txtMaxP"} +
                           Indexed("txtP", 1, 18)},
        {kTabOil, {"txtAPI",      "txtGrav",    "txtSepGas", "txtSepP",     "txtSepT",    "optSepTU(0)",
                   "optSepTU(1)", "cboCorrPb",  "cboCorrBo", "cboCorrMuod", "cboCorrMuo", "cboCorrMuoUS",
                   "txtRSI",      "cmdCalcPbp", "txtBPP",    "cmdCalcRsi",  "cmdProceed", "txtLabPb",
                   "txtLabRsb",   "txtLabBob",  "txtLabMuob"}},
        {kTabGas, QStringList{"optGasEntry(0)", "optGasEntry(1)", "txtGasGrav", "txtMFN", "txtMFCO2",
                              "txtMFHS", "cboCorrZ", "cboCorrPseudo", "txtPLUSmw", "txtPLUSgg"} +
                      CompositionOrder()},
        {kTabWater, {"txtPPM", "txtPER"}},
        // The left column (the choices, then the capillary-pressure frame), then the right one.
        {kTabRockInput,
         QStringList{"optRock(0)",    "optRock(1)",    "optRock(2)", "optRock(3)",   "optType(0)",
                     "optType(1)",    "optLith(0)",    "optLith(1)", "optWet(0)",    "optWet(1)",
                     "optCorr(0)",    "optCorr(1)",    "optCorr(2)", "cboPcowModel", "cboPcogModel",
                     "txtPcowJA",     "txtPcowJB",     "txtPcowIFT", "txtPcowAngle", "txtPcowEntry",
                     "txtPcowLambda", "txtPcowCw",     "txtPcowAw",  "txtPcowCo",    "txtPcowAo",
                     "txtPcowMax",    "txtPcogJA",     "txtPcogJB",  "txtPcogIFT",   "txtPcogAngle",
                     "txtPcogEntry",  "txtPcogLambda", "txtPcogMax", "txtSWC",       "txtSORW",
                     "txtSORG",       "txtSGCrit",     "txtSatRows", "txtK",         "txtN",
                     "txtHRPoro",     "txtHRAir",      "txtHRKrg",   "txtLetWaterL", "txtLetWaterE",
                     "txtLetWaterT",  "txtKrwMax",     "txtLetGasL", "txtLetGasE",   "txtLetGasT",
                     "txtKrgMax",     "txtLetOilL",    "txtLetOilE", "txtLetOilT",   "txtKroMax"}},
    };
}

// The named controls of `page` in the order the focus chain visits them.
QStringList FocusChain(QWidget* page) {
    QStringList names;
    for (QWidget* w = page->nextInFocusChain(); w != page; w = w->nextInFocusChain())
        if (page->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty())
            names << w->objectName();
    return names;
}

TEST(Keyboard, TabFollowsTheVisualOrderOnEveryInputTab) {
    Workstation w;
    w.SelectTab(kTabPhases);
    w.ui().phases->cbxFPP[1]->click();
    w.ui().phases->cbxFPP[2]->click();
    w.SelectTab(kTabOil);
    w.CompleteOilTab();
    w.SelectTab(kTabGas);
    w.ui().gas->optGasEntry[1]->click();
    w.ui().gas->chkPLUS[7]->click();
    for (const TabOrderCase& c : Cases()) {
        QWidget* page = w.ui().sstMain->widget(c.tab);
        EXPECT_EQ(FocusChain(page), c.order) << w.ui().sstMain->tabText(c.tab).toStdString();
    }
    // And the keyboard really walks it: Tab from the API gravity box reaches the separator boxes.
    w.SelectTab(kTabOil);
    w.ui().oil->txtAPI->setFocus();
    w.PressTab();
    w.PressTab();
    EXPECT_EQ(QApplication::focusWidget(), w.ui().oil->txtSepGas);
}

QChar AccessKey(const QString& caption) {
    const int amp = caption.indexOf(QLatin1Char('&'));
    return amp >= 0 && amp + 1 < caption.size() ? caption.at(amp + 1).toUpper() : QChar();
}

// Every menu item, and the menu titles of the bar, has an access key not shared within its menu.
TEST(Keyboard, MenusHaveTheirOwnAccessKeys) {
    Workstation w;
    std::vector<QMenu*> menus{w.ui().muFile, w.ui().mnuExport, w.ui().mnuProj, w.ui().mnuHelp};
    std::vector<std::pair<QString, QList<QAction*>>> groups{
        {QStringLiteral("menu bar"), w.Window().menuBar()->actions()}};
    for (QMenu* menu : menus)
        groups.emplace_back(menu->objectName(), menu->actions());
    for (const auto& [group, actions] : groups) {
        std::map<QChar, QString> seen;
        for (QAction* a : actions) {
            if (a->isSeparator()) continue;
            const QChar key = AccessKey(a->text());
            EXPECT_FALSE(key.isNull()) << group.toStdString() << ": " << a->text().toStdString();
            const auto [it, fresh] = seen.emplace(key, a->text());
            EXPECT_TRUE(fresh) << group.toStdString() << ": " << a->text().toStdString() << " and "
                               << it->second.toStdString();
        }
    }
}

// Every push button has an access key, none the same as another on its tab or a menu title's.
TEST(Keyboard, ButtonsHaveTheirOwnAccessKeys) {
    Workstation w;
    std::map<QChar, QString> menuKeys;
    for (QAction* a : w.Window().menuBar()->actions())
        menuKeys.emplace(AccessKey(a->text()), a->text());
    for (int tab = 0; tab < w.ui().sstMain->count(); ++tab) {
        std::map<QChar, QString> seen = menuKeys;
        for (auto* button : w.ui().sstMain->widget(tab)->findChildren<QPushButton*>()) {
            const QChar key = AccessKey(button->text());
            EXPECT_FALSE(key.isNull()) << button->objectName().toStdString();
            const auto [it, fresh] = seen.emplace(key, button->text());
            EXPECT_TRUE(fresh) << button->text().toStdString() << " and " << it->second.toStdString();
        }
    }
    // Alt and the key presses the button.
    w.SelectTab(kTabOil);
    w.ui().oil->txtAPI->setFocus();
    QSignalSpy clicked(w.ui().oil->cmdCalcPbp, &QPushButton::clicked);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w.Window()));
    QTest::keyClick(w.ui().oil->txtAPI, Qt::Key_C, Qt::AltModifier);
    // A button pressed by its key shows itself pressed for a moment, then clicks.
    EXPECT_TRUE(clicked.count() == 1 || clicked.wait(2000));
    EXPECT_EQ(clicked.count(), 1);
}

} // namespace
} // namespace q7::test

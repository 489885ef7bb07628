// Input handling: the phase rules, linked boxes, validation on leaving, the discrete pressures, the
// gas composition's plus fraction and Normalize, the oil tab's buttons and the rock options.
#include "AppTestSupport.h"

#include "engine/Q7Objects.h"
#include "ui/InputBox.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace q7::test {
namespace {

// ---------------------------------------------------------------------------------------------
// Phase rules: which input and result tabs a set of phases makes available, before and after the
// oil tab's "Proceed".

struct PhaseCase {
    const char* name;
    bool oil, gas, water;
    bool before[4]; // tabs 3, 4, 5, 6
    bool after[4];  // after Calc Pbp and Proceed (oil present only)
};

class PhaseRules : public ::testing::TestWithParam<PhaseCase> {};

TEST_P(PhaseRules, TabsFollowThePhases) {
    const PhaseCase& c = GetParam();
    Workstation w;
    w.SelectTab(kTabPhases);
    const bool wanted[3] = {c.oil, c.gas, c.water};
    for (int i = 0; i < 3; ++i)
        if (w.ui().phases->cbxFPP[i]->isChecked() != wanted[i]) w.ui().phases->cbxFPP[i]->click();
    const clsFluid& fluid = w.Objects().Fluid;
    EXPECT_EQ(fluid.PhaseOil(), c.oil);
    EXPECT_EQ(fluid.PhaseGas(), c.gas);
    EXPECT_EQ(fluid.PhaseWater(), c.water);
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(w.ui().sstMain->isTabEnabled(kTabOil + t), c.before[t]) << "tab " << 3 + t;
    if (!c.oil) return;
    EXPECT_FALSE(w.ui().oil->cmdProceed->isEnabled());
    w.SelectTab(kTabOil);
    w.CompleteOilTab();
    for (int t = 0; t < 4; ++t)
        EXPECT_EQ(w.ui().sstMain->isTabEnabled(kTabOil + t), c.after[t]) << "tab " << 3 + t;
}

INSTANTIATE_TEST_SUITE_P(
    Workstation, PhaseRules,
    ::testing::Values(
        PhaseCase{"OilOnly", true, false, false, {true, false, false, false}, {true, true, false, true}},
        PhaseCase{"GasOnly", false, true, false, {false, true, false, true}, {}},
        PhaseCase{"WaterOnly", false, false, true, {false, false, true, true}, {}},
        PhaseCase{"GasAndWater", false, true, true, {false, true, true, true}, {}},
        PhaseCase{"None", false, false, false, {false, false, false, false}, {}},
        PhaseCase{"OilAndWater", true, false, true, {true, false, false, false}, {true, true, true, true}},
        PhaseCase{"AllThree", true, true, true, {true, false, false, false}, {true, true, true, true}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PhaseRules, ChangingPhasesAfterProceedNeedsTheOilTabAgain) {
    Workstation w;
    w.SelectTab(kTabOil);
    w.CompleteOilTab();
    EXPECT_TRUE(w.ui().sstMain->isTabEnabled(kTabFluidProps));
    w.SelectTab(kTabPhases);
    w.ui().phases->cbxFPP[2]->click();
    EXPECT_FALSE(w.ui().sstMain->isTabEnabled(kTabGas));
    EXPECT_FALSE(w.ui().sstMain->isTabEnabled(kTabFluidProps));
    EXPECT_FALSE(w.ui().oil->cmdProceed->isEnabled());
    EXPECT_FALSE(w.ui().oil->cmdCalcPbp->isHidden());
}

// ---------------------------------------------------------------------------------------------
// Linked boxes

// API gravity and specific gravity: SG = 141.5 / (API + 131.5).
TEST(LinkedBoxes, TypingAnApiShowsTheSpecificGravity) {
    Workstation w;
    w.SelectTab(kTabOil);
    w.Type(w.ui().oil->txtAPI, QStringLiteral("35"));
    EXPECT_EQ(w.ui().oil->txtAPI->text(), QStringLiteral("35"));
    EXPECT_EQ(w.ui().oil->txtGrav->text(), QStringLiteral("0.8498"));
    EXPECT_FLOAT_EQ(w.Objects().Oil.API(), 35.0f);

    w.Type(w.ui().oil->txtGrav, QStringLiteral("0.9"));
    EXPECT_EQ(w.ui().oil->txtGrav->text(), QStringLiteral("0.9"));
    EXPECT_EQ(w.ui().oil->txtAPI->text(), QStringLiteral("25.7222")); // 141.5 / 0.9 - 131.5
}

// 10000 ppm of dissolved solids are 1 weight percent.
TEST(LinkedBoxes, PpmAndWeightPercent) {
    Workstation w;
    w.SelectTab(kTabPhases);
    w.ui().phases->cbxFPP[0]->click();
    w.ui().phases->cbxFPP[2]->click();
    w.SelectTab(kTabWater);
    w.Type(w.ui().water->txtPPM, QStringLiteral("35000"));
    EXPECT_EQ(w.ui().water->txtPER->text(), QStringLiteral("3.5"));
    w.Type(w.ui().water->txtPER, QStringLiteral("2.25"));
    EXPECT_EQ(w.ui().water->txtPPM->text(), QStringLiteral("22500"));
    EXPECT_EQ(w.Objects().Water.PPM(), 22500);
}

// Plain fields hand every change to their object at once, non-numbers as 0.
TEST(LinkedBoxes, PlainFieldsReachTheirObjectsOnEveryChange) {
    Workstation w;
    w.SelectTab(kTabPhases);
    w.Type(w.ui().phases->txtStdP, QStringLiteral("15.025"));
    EXPECT_FLOAT_EQ(w.Objects().Fluid.StdP(), 15.025f);
    w.ui().phases->optResTU[1]->click();
    EXPECT_EQ(w.Objects().Fluid.ResTU(), "C");
    // The number in the box is not converted.
    EXPECT_EQ(w.ui().phases->txtResT->text(), QStringLiteral("150"));
    w.SelectTab(kTabRockInput);
    w.Type(w.ui().rockInput->txtK, QStringLiteral("abc"));
    EXPECT_FLOAT_EQ(w.Objects().Rock.CoreyK(), 0.0f);
}

// ---------------------------------------------------------------------------------------------
// Validation on leaving

struct LeaveCase {
    const char* box;
    int tab;
    const char* text;
    const char* title; // empty: the box may be left
};

class LeavingABox : public ::testing::TestWithParam<LeaveCase> {};

TEST_P(LeavingABox, RefusesWhatIsNotANumber) {
    const LeaveCase& c = GetParam();
    Workstation w;
    if (c.tab == kTabGas || c.tab == kTabWater) w.CompleteOilTab();
    if (c.tab == kTabWater) {
        w.SelectTab(kTabPhases);
        w.ui().phases->cbxFPP[0]->click();
        w.ui().phases->cbxFPP[2]->click();
    }
    if (QString::fromLatin1(c.box).startsWith(QStringLiteral("txtP(")))
        w.ui().pressure->optPRange[1]->click();
    if (c.tab == kTabGas) w.ui().gas->optGasEntry[1]->click();
    w.SelectTab(c.tab);
    auto* box = w.Window().findChild<InputBox*>(QString::fromLatin1(c.box));
    ASSERT_NE(box, nullptr);
    w.Type(box, QString::fromLatin1(c.text));
    w.PressTab();
    const auto errors = w.Messages().Errors();
    if (*c.title == 0) {
        EXPECT_TRUE(errors.empty()) << qPrintable(errors.front().title);
        EXPECT_NE(QApplication::focusWidget(), box);
        return;
    }
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].title, QString::fromLatin1(c.title));
    EXPECT_EQ(errors[0].text, QStringLiteral("Please enter a numeric value!"));
    EXPECT_EQ(QApplication::focusWidget(), box);
    EXPECT_EQ(box->text(), QString::fromLatin1(c.text));
}

INSTANTIATE_TEST_SUITE_P(
    Workstation, LeavingABox,
    ::testing::Values(LeaveCase{"txtStdP", kTabPhases, "", "Invalid pressure"},
                      LeaveCase{"txtStdT", kTabPhases, "6o", "Invalid temperature"},
                      LeaveCase{"txtStdP", kTabPhases, " 14.7 ", ""},
                      LeaveCase{"txtMaxP", kTabPressure, "", "Invalid pressure"},
                      LeaveCase{"txtP(4)", kTabPressure, "", ""},
                      LeaveCase{"txtP(4)", kTabPressure, "1,000", "Invalid pressure"},
                      LeaveCase{"txtAPI", kTabOil, "", ""},
                      LeaveCase{"txtAPI", kTabOil, "abc", "Invalid API"},
                      LeaveCase{"txtGrav", kTabOil, "0.8.5", "Invalid Oil Gravity"},
                      LeaveCase{"txtSepGas", kTabOil, "", "Invalid gravity"},
                      LeaveCase{"txtRSI", kTabOil, "x", "Invalid Initial GOR"},
                      LeaveCase{"txtBPP", kTabOil, "2e", "Invalid Bubble Point Pressure"},
                      LeaveCase{"txtBPP", kTabOil, "2.2e3", ""},
                      LeaveCase{"txtGC(3)", kTabGas, "-", "Invalid Gas Composition"},
                      LeaveCase{"txtPLUSmw", kTabGas, "", "Invalid PLUS FRACTION Mole wt."},
                      LeaveCase{"txtPPM", kTabWater, "", ""},
                      LeaveCase{"txtPER", kTabWater, "one", "Invalid % Solids"},
                      LeaveCase{"txtK", kTabRockInput, "abc", "Invalid K Exponent"},
                      LeaveCase{"txtSWC", kTabRockInput, "", "Invalid Connate Water"}),
    [](const auto& info) {
        std::string name = info.param.box;
        std::erase_if(name, [](char ch) { return !std::isalnum(static_cast<unsigned char>(ch)); });
        return name + "_" + std::to_string(info.index);
    });

// A click on another control does not happen while the box cannot be left.
TEST(LeavingABox, AClickElsewhereIsRefusedToo) {
    Workstation w;
    w.SelectTab(kTabRockInput);
    w.Type(w.ui().rockInput->txtK, QStringLiteral("abc"));
    QTest::mouseClick(w.ui().rockInput->optType[1], Qt::LeftButton);
    ASSERT_EQ(w.Messages().Errors().size(), 1u);
    EXPECT_EQ(w.Messages().Errors()[0].title, QStringLiteral("Invalid K Exponent"));
    EXPECT_FALSE(w.ui().rockInput->optType[1]->isChecked());
    EXPECT_EQ(QApplication::focusWidget(), w.ui().rockInput->txtK);
    // Nor may another tab be selected.
    QTabBar* bar = w.ui().sstMain->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(kTabPhases).center());
    EXPECT_EQ(w.ui().sstMain->currentIndex(), kTabRockInput);
    EXPECT_EQ(w.Messages().Errors().size(), 2u);
}

// Focus moved away by code is checked once the move is over, and given back.
TEST(LeavingABox, FocusMovedByCodeComesBack) {
    Workstation w;
    w.SelectTab(kTabPhases);
    w.Type(w.ui().phases->txtStdT, QStringLiteral("x"));
    w.ui().phases->txtResT->setFocus(Qt::OtherFocusReason);
    QApplication::processEvents();
    ASSERT_EQ(w.Messages().Errors().size(), 1u);
    EXPECT_EQ(w.Messages().Errors()[0].title, QStringLiteral("Invalid temperature"));
    EXPECT_EQ(QApplication::focusWidget(), w.ui().phases->txtStdT);
}

TEST(LeavingABox, EnteringSelectsTheWholeText) {
    Workstation w;
    w.SelectTab(kTabPhases);
    w.ui().phases->txtStdP->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(w.ui().phases->txtStdP->selectedText(), QStringLiteral("14.7"));
}

// ---------------------------------------------------------------------------------------------
// Discrete pressures

TEST(DiscretePressures, ClearingOneClosesTheGap) {
    Workstation w;
    w.SelectTab(kTabPressure);
    w.ui().pressure->optPRange[1]->click();
    EXPECT_FALSE(w.ui().pressure->txtMinP->isEnabled());
    EXPECT_TRUE(w.ui().pressure->txtP[1]->isEnabled());
    const char* list[4] = {"1000", "2000", "3000", "4000"};
    for (int k = 1; k <= 4; ++k)
        w.Type(w.ui().pressure->txtP[k], QString::fromLatin1(list[k - 1]));
    w.Type(w.ui().pressure->txtP[3], QString());
    w.PressTab();
    const char* shown[6] = {"1000", "2000", "4000", "0", "0", "0"};
    for (int k = 1; k <= 6; ++k)
        EXPECT_EQ(w.ui().pressure->txtP[k]->text(), QString::fromLatin1(shown[k - 1])) << k;
    EXPECT_EQ(w.ui().pressure->txtP[18]->text(), QStringLiteral("0"));
    const clsPrs& prs = w.Objects().Prs;
    ASSERT_EQ(prs.NPRSi(), 3);
    EXPECT_FLOAT_EQ(prs.GetPRSi(3), 4000.0f);
    EXPECT_TRUE(w.Messages().All().empty());
}

TEST(DiscretePressures, ThePressureTabShowsTheListAsTheScheduleHoldsIt) {
    Workstation w;
    w.SelectTab(kTabPressure);
    w.ui().pressure->optPRange[1]->click();
    w.Type(w.ui().pressure->txtP[1], QStringLiteral("3000"));
    w.Type(w.ui().pressure->txtP[2], QStringLiteral("1500.50"));
    w.SelectTab(kTabPhases);
    w.SelectTab(kTabPressure);
    EXPECT_EQ(w.ui().pressure->txtP[1]->text(), QStringLiteral("3000"));
    EXPECT_EQ(w.ui().pressure->txtP[2]->text(), QStringLiteral("1500.5"));
}

// ---------------------------------------------------------------------------------------------
// Gas composition

TEST(GasComposition, PlusOnHeptaneThenHexane) {
    Workstation w;
    w.CompleteOilTab();
    w.SelectTab(kTabGas);
    w.ui().gas->optGasEntry[1]->click();
    EXPECT_FALSE(w.ui().gas->txtGasGrav->isEnabled());
    for (int k = 1; k <= 15; ++k)
        EXPECT_TRUE(w.ui().gas->txtGC[k]->isEnabled()) << k;
    w.Type(w.ui().gas->txtGC[10], QStringLiteral("0.05"));

    w.ui().gas->chkPLUS[9]->click();
    for (int k = 10; k <= 12; ++k) {
        EXPECT_EQ(w.ui().gas->txtGC[k]->text(), QStringLiteral("0.0000")) << k;
        EXPECT_FALSE(w.ui().gas->txtGC[k]->isEnabled()) << k;
    }
    EXPECT_TRUE(w.ui().gas->txtGC[9]->isEnabled());
    EXPECT_TRUE(w.ui().gas->fraPLUS->isVisible());
    EXPECT_EQ(w.Objects().Gas.PlusEntry(), 9);
    EXPECT_FLOAT_EQ(w.Objects().Gas.GetGC(10), 0.0f);

    w.ui().gas->chkPLUS[8]->click();
    EXPECT_FALSE(w.ui().gas->chkPLUS[9]->isChecked());
    for (int k = 9; k <= 12; ++k)
        EXPECT_FALSE(w.ui().gas->txtGC[k]->isEnabled()) << k;
    for (int k = 13; k <= 15; ++k)
        EXPECT_TRUE(w.ui().gas->txtGC[k]->isEnabled()) << k;
    EXPECT_TRUE(w.ui().gas->fraPLUS->isVisible());
    EXPECT_EQ(w.Objects().Gas.PlusEntry(), 8);

    w.ui().gas->chkPLUS[8]->click();
    for (int k = 9; k <= 12; ++k)
        EXPECT_TRUE(w.ui().gas->txtGC[k]->isEnabled()) << k;
    EXPECT_FALSE(w.ui().gas->fraPLUS->isVisible());
    EXPECT_EQ(w.Objects().Gas.PlusEntry(), 0);

    // Back to gravity entry clears every Plus box.
    w.ui().gas->chkPLUS[5]->click();
    w.ui().gas->optGasEntry[0]->click();
    for (int k = 1; k <= 12; ++k) {
        EXPECT_FALSE(w.ui().gas->chkPLUS[k]->isChecked()) << k;
        EXPECT_FALSE(w.ui().gas->chkPLUS[k]->isEnabled()) << k;
    }
    for (int k = 1; k <= 15; ++k)
        EXPECT_FALSE(w.ui().gas->txtGC[k]->isEnabled()) << k;
    EXPECT_FALSE(w.ui().gas->fraPLUS->isVisibleTo(&w.Window()));
    EXPECT_EQ(w.Objects().Gas.GasEntry(), "G");
}

TEST(GasComposition, TotalAndNormalize) {
    Workstation w;
    w.CompleteOilTab();
    w.SelectTab(kTabGas);
    w.ui().gas->optGasEntry[1]->click();
    w.Type(w.ui().gas->txtGC[1], QStringLiteral("0.9"));
    w.Type(w.ui().gas->txtGC[2], QStringLiteral("0.1"));
    EXPECT_EQ(w.ui().gas->txtGCTotal->text(), QStringLiteral("1.0000"));
    EXPECT_TRUE(w.ui().gas->cmdNormal->isEnabled());
    w.Type(w.ui().gas->txtGC[1], QStringLiteral("0"));
    w.Type(w.ui().gas->txtGC[2], QStringLiteral("0"));
    EXPECT_FALSE(w.ui().gas->cmdNormal->isEnabled());

    w.Type(w.ui().gas->txtGC[1], QStringLiteral("0.5"));
    w.Type(w.ui().gas->txtGC[2], QStringLiteral("0.3"));
    w.Type(w.ui().gas->txtGC[3], QStringLiteral("0.3"));
    EXPECT_EQ(w.ui().gas->txtGCTotal->text(), QStringLiteral("1.1000"));
    w.ui().gas->cmdNormal->click();
    EXPECT_EQ(w.ui().gas->txtGC[1]->text(), QStringLiteral("0.4545"));
    EXPECT_EQ(w.ui().gas->txtGC[2]->text(), QStringLiteral("0.2727"));
    EXPECT_EQ(w.ui().gas->txtGC[3]->text(), QStringLiteral("0.2727"));
    EXPECT_EQ(w.ui().gas->txtGC[4]->text(), QStringLiteral("0.0000"));
    EXPECT_EQ(w.ui().gas->txtGCTotal->text(), QStringLiteral("0.9999"));
    EXPECT_NEAR(w.Objects().Gas.GetGC(1), 0.4545f, 1e-6f);
}

// ---------------------------------------------------------------------------------------------
// Oil tab buttons

TEST(OilButtons, CalcPbpFillsTheBubblePointAndEnablesProceed) {
    Workstation w;
    w.SelectTab(kTabOil);
    w.ui().oil->cmdCalcPbp->click();
    const QString bpp = w.ui().oil->txtBPP->text();
    ASSERT_FALSE(bpp.isEmpty());
    // One decimal, the object's bubble point.
    EXPECT_EQ(bpp.section(QLatin1Char('.'), 1).size(), 1);
    EXPECT_NEAR(bpp.toDouble(), w.Objects().Oil.Pbp(), 0.05);
    EXPECT_TRUE(w.ui().oil->cmdProceed->isEnabled());
}

TEST(OilButtons, TheCalculateButtonFollowsTheBox) {
    Workstation w;
    w.SelectTab(kTabOil);
    w.ui().oil->txtBPP->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(w.ui().oil->cmdCalcPbp->isHidden());
    EXPECT_FALSE(w.ui().oil->cmdCalcRsi->isHidden());
    w.Type(w.ui().oil->txtBPP, QStringLiteral("2500"));
    w.ui().oil->cmdCalcRsi->click();
    EXPECT_EQ(w.ui().oil->txtRSI->text().section(QLatin1Char('.'), 1).size(), 1);
    EXPECT_NEAR(w.ui().oil->txtRSI->text().toDouble(), w.Objects().Oil.RSI(), 0.05);
    EXPECT_TRUE(w.ui().oil->cmdProceed->isEnabled());
    w.ui().oil->txtRSI->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(w.ui().oil->cmdCalcPbp->isHidden());
    EXPECT_TRUE(w.ui().oil->cmdCalcRsi->isHidden());
}

// ---------------------------------------------------------------------------------------------
// Rock inputs

TEST(RockInputs, DrainageForcesCorey) {
    Workstation w;
    w.SelectTab(kTabRockInput);
    w.ui().rockInput->optType[1]->click();
    EXPECT_TRUE(w.ui().rockInput->optCorr[0]->isEnabled());
    EXPECT_TRUE(w.ui().rockInput->optCorr[1]->isEnabled());
    w.ui().rockInput->optCorr[1]->click();
    EXPECT_EQ(w.Objects().Rock.CORR(), 1);
    EXPECT_FALSE(w.ui().rockInput->txtK->isEnabled());
    for (QWidget* honarpour : std::initializer_list<QWidget*>{
             w.ui().rockInput->txtHRPoro, w.ui().rockInput->txtHRAir, w.ui().rockInput->txtHRKrg,
             w.ui().rockInput->lblMD, w.ui().rockInput->lblSORGU})
        EXPECT_TRUE(honarpour->isEnabled()) << qPrintable(honarpour->objectName());

    w.ui().rockInput->optType[0]->click();
    EXPECT_TRUE(w.ui().rockInput->optCorr[0]->isChecked());
    EXPECT_FALSE(w.ui().rockInput->optCorr[1]->isEnabled());
    EXPECT_EQ(w.Objects().Rock.CORR(), 0);
    EXPECT_EQ(w.Objects().Rock.Displace(), 0);
    EXPECT_TRUE(w.ui().rockInput->txtK->isEnabled());
    EXPECT_TRUE(w.ui().rockInput->lblN->isEnabled());
    EXPECT_FALSE(w.ui().rockInput->txtHRPoro->isEnabled());
}

struct RockCase {
    const char* name;
    int fluids, displace;
    bool sorw, sorg, sgcrit, wet;
};

class RockSaturations : public ::testing::TestWithParam<RockCase> {};

TEST_P(RockSaturations, EnabledBySystemAndDisplacement) {
    const RockCase& c = GetParam();
    Workstation w;
    w.SelectTab(kTabRockInput);
    w.ui().rockInput->optRock[c.fluids]->click();
    w.ui().rockInput->optType[c.displace]->click();
    EXPECT_EQ(w.ui().rockInput->txtSORW->isEnabled(), c.sorw);
    EXPECT_EQ(w.ui().rockInput->lblSORW->isEnabled(), c.sorw);
    EXPECT_EQ(w.ui().rockInput->txtSORG->isEnabled(), c.sorg);
    EXPECT_EQ(w.ui().rockInput->txtSGCrit->isEnabled(), c.sgcrit);
    EXPECT_EQ(w.ui().rockInput->optWet[0]->isEnabled(), c.wet);
    EXPECT_EQ(w.Objects().Rock.Fluids(), c.fluids);
}

INSTANTIATE_TEST_SUITE_P(Workstation, RockSaturations,
                         // Corey (the default, and drainage's only choice) reads no wettability.
                         ::testing::Values(RockCase{"OilWaterDrainage", 0, 0, false, false, false, false},
                                           RockCase{"OilWaterImbibition", 0, 1, true, false, false, false},
                                           RockCase{"GasOilDrainage", 1, 0, false, false, true, false},
                                           RockCase{"GasOilImbibition", 1, 1, false, true, true, false}),
                         [](const auto& info) { return std::string(info.param.name); });

// The wettability is read by Honarpour's oil-water curves only: its buttons follow the correlation
// and the fluid system.
TEST(RockInputs, WettabilityOnlyForHonarpourOilWater) {
    Workstation w;
    w.SelectTab(kTabRockInput);
    RockInputTab& rock = *w.ui().rockInput;
    EXPECT_FALSE(rock.optWet[0]->isEnabled());
    rock.optType[1]->click();
    rock.optCorr[1]->click();
    EXPECT_TRUE(rock.optWet[0]->isEnabled());
    EXPECT_TRUE(rock.optWet[1]->isEnabled());
    rock.optRock[1]->click();
    EXPECT_FALSE(rock.optWet[0]->isEnabled());
    rock.optRock[0]->click();
    EXPECT_TRUE(rock.optWet[1]->isEnabled());
    rock.optCorr[0]->click();
    EXPECT_FALSE(rock.optWet[0]->isEnabled());
    EXPECT_FALSE(rock.optWet[1]->isEnabled());
}

// "Fluid Properties" comes back on the sub-tab the user last looked at, while its phase is there.
TEST(FluidSubTabs, ReopenOnTheOneLastShown) {
    Workstation w;
    w.SelectTab(kTabPhases);
    w.ui().phases->cbxFPP[1]->click();
    w.ui().phases->cbxFPP[2]->click();
    w.SelectTab(kTabOil);
    w.CompleteOilTab();
    w.SelectTab(kTabFluidProps);
    EXPECT_EQ(w.ui().sstFluid->currentIndex(), kFluidGas);
    w.ui().sstFluid->setCurrentIndex(kFluidOil);
    w.SelectTab(kTabPhases);
    w.SelectTab(kTabFluidProps);
    EXPECT_EQ(w.ui().sstFluid->currentIndex(), kFluidOil);
    w.ui().sstFluid->setCurrentIndex(kFluidWater);
    w.SelectTab(kTabOil);
    w.SelectTab(kTabFluidProps);
    EXPECT_EQ(w.ui().sstFluid->currentIndex(), kFluidWater);
    // Without water the water sub-tab is not there: the rule's own choice.
    w.SelectTab(kTabPhases);
    w.ui().phases->cbxFPP[2]->click();
    w.SelectTab(kTabOil);
    w.CompleteOilTab();
    w.SelectTab(kTabFluidProps);
    EXPECT_EQ(w.ui().sstFluid->currentIndex(), kFluidGas);
}

} // namespace
} // namespace q7::test

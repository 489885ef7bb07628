// The engine's input rule at the box: input that no correlation can take is refused once, where it
// was typed, with the rule's own line (the input named first) under the box's title, and the focus
// stays in the box. The same rule refuses the case in q7-batch (tests/batch/InputRuleTest.cpp).
#include "AppTestSupport.h"

#include "engine/Q7Objects.h"

#include <QRadioButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <string>

namespace q7::test {
namespace {

struct RuleCase {
    const char* name;
    int tab;
    const char* box;
    const char* text;
    const char* title;
    const char* starts; // the message's first words; empty: the box may be left
};

class BoxRule : public ::testing::TestWithParam<RuleCase> {};

// Leaving with Tab: one message (no second box from the objects, no computation), the focus and the
// typed text stay.
TEST_P(BoxRule, RefusedOnceAtTheBox) {
    const RuleCase& c = GetParam();
    Workstation w;
    w.SelectTab(c.tab);
    auto* box = w.Window().findChild<InputBox*>(QString::fromLatin1(c.box));
    ASSERT_NE(box, nullptr);
    w.Type(box, QString::fromLatin1(c.text));
    w.PressTab();
    QApplication::processEvents();
    const auto& all = w.Messages().All();
    if (*c.starts == 0) {
        EXPECT_TRUE(all.empty()) << qPrintable(all.front().text);
        EXPECT_NE(QApplication::focusWidget(), box);
        return;
    }
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].title, QString::fromLatin1(c.title));
    EXPECT_TRUE(all[0].text.startsWith(QString::fromUtf8(c.starts))) << qPrintable(all[0].text);
    EXPECT_EQ(QApplication::focusWidget(), box);
    EXPECT_EQ(box->text(), QString::fromLatin1(c.text));
    EXPECT_EQ(w.ui().sstMain->currentIndex(), c.tab);
}

INSTANTIATE_TEST_SUITE_P(
    Workstation, BoxRule,
    ::testing::Values(
        RuleCase{"NegativeMinimum", kTabPressure, "txtMinP", "-100", "Invalid pressure",
                 "minimum pressure (MinPr) -100 psia is at or below 0"},
        RuleCase{"ZeroMaximum", kTabPressure, "txtMaxP", "0", "Invalid pressure",
                 "maximum pressure (MaxPr) 0"},
        RuleCase{"ZeroStandardPressure", kTabPhases, "txtStdP", "0", "Invalid pressure", "standard pressure"},
        RuleCase{"NegativeSeparatorPressure", kTabOil, "txtSepP", "-5", "Invalid pressure",
                 "separator pressure (SepP) -5 psia"},
        RuleCase{"FrozenReservoir", kTabPhases, "txtResT", "-1", "Invalid temperature",
                 "reservoir temperature (RESTEMP) -1 °F is below 0 °F"},
        RuleCase{"ConnateWaterAboveOne", kTabRockInput, "txtSWC", "1.5", "Invalid Connate Water",
                 "connate water saturation (SWC) 1.5 is outside [0, 1]"},
        RuleCase{"NegativeExponent", kTabRockInput, "txtK", "-2", "Invalid K Exponent", "Corey wetting"},
        RuleCase{"LaboratoryVolumeFactorBelowOne", kTabOil, "txtLabBob", "0.9",
                 "Invalid Laboratory Volume Factor", "laboratory oil volume factor (LabBob) 0.9"},
        // What a correlation can take passes the box (the hot reservoir is warned about beside the
        // tables), and so does a blank laboratory value (not measured).
        RuleCase{"HotReservoirPasses", kTabPhases, "txtResT", "1000", "", ""},
        RuleCase{"BlankLaboratoryValuePasses", kTabOil, "txtLabBob", "", "", ""},
        // Not a number keeps its own message.
        RuleCase{"NotANumber", kTabPressure, "txtMinP", "x", "Invalid pressure",
                 "Please enter a numeric value!"}),
    [](const auto& info) { return std::string(info.param.name); });

// The pressure range: the box that makes the minimum not below the maximum is refused, whichever it is.
TEST(BoxRule, MinimumNotBelowMaximumAtEitherBox) {
    Workstation w;
    w.SelectTab(kTabPressure);
    w.Type(w.ui().pressure->txtMaxP, QStringLiteral("6000"));
    w.PressTab();
    w.Type(w.ui().pressure->txtMinP, QStringLiteral("7000"));
    w.PressTab();
    ASSERT_EQ(w.Messages().All().size(), 1u);
    EXPECT_TRUE(w.Messages().All()[0].text.startsWith(
        QStringLiteral("minimum pressure (MinPr) 7000 psia is not below the maximum pressure (MaxPr) 6000")))
        << qPrintable(w.Messages().All()[0].text);
    EXPECT_EQ(QApplication::focusWidget(), w.ui().pressure->txtMinP);
    w.Messages().Clear();
    w.Type(w.ui().pressure->txtMinP, QStringLiteral("1000"));
    w.PressTab();
    EXPECT_TRUE(w.Messages().All().empty());
    w.Type(w.ui().pressure->txtMaxP, QStringLiteral("900"));
    w.PressTab();
    ASSERT_EQ(w.Messages().All().size(), 1u);
    EXPECT_EQ(QApplication::focusWidget(), w.ui().pressure->txtMaxP);
    // Nor can the refused box be left by a click on another tab.
    QTabBar* bar = w.ui().sstMain->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(kTabPhases).center());
    EXPECT_EQ(w.ui().sstMain->currentIndex(), kTabPressure);
    EXPECT_EQ(w.Messages().All().size(), 2u);
}

// The temperature is judged in the unit beside its box: -10 °C is 14 °F, -20 °C is -4 °F.
TEST(BoxRule, TemperatureInTheUnitShown) {
    Workstation w;
    w.SelectTab(kTabPhases);
    w.ui().phases->optResTU[1]->click();
    w.Type(w.ui().phases->txtResT, QStringLiteral("-10"));
    w.PressTab();
    EXPECT_TRUE(w.Messages().All().empty());
    w.Type(w.ui().phases->txtResT, QStringLiteral("-20"));
    w.PressTab();
    ASSERT_EQ(w.Messages().All().size(), 1u);
    EXPECT_TRUE(
        w.Messages().All()[0].text.startsWith(QStringLiteral("reservoir temperature (RESTEMP) -20 °C")))
        << qPrintable(w.Messages().All()[0].text);
    EXPECT_EQ(QApplication::focusWidget(), w.ui().phases->txtResT);
}

// End points that leave no saturation to move: refused at the box that closes the range (oil-water
// imbibition: SWC + SORW; gas-oil: SWC + SORG + SGCrit), and only then.
TEST(BoxRule, EndPointsLeaveAMobileRange) {
    Workstation w;
    w.SelectTab(kTabRockInput);
    RockInputTab& rock = *w.ui().rockInput;
    rock.optRock[0]->click();
    rock.optType[1]->click();
    w.Type(rock.txtSWC, QStringLiteral("0.5"));
    w.PressTab();
    EXPECT_TRUE(w.Messages().All().empty());
    w.Type(rock.txtSORW, QStringLiteral("0.6"));
    w.PressTab();
    ASSERT_EQ(w.Messages().All().size(), 1u);
    EXPECT_EQ(w.Messages().All()[0].title, QStringLiteral("Invalid Res Oil to Water"));
    EXPECT_TRUE(w.Messages().All()[0].text.startsWith(QStringLiteral(
        "connate water saturation (SWC) 0.5 and residual oil saturation (SORW) 0.6 sum to 1.1")))
        << qPrintable(w.Messages().All()[0].text);
    EXPECT_EQ(QApplication::focusWidget(), rock.txtSORW);
    w.Messages().Clear();
    w.Type(rock.txtSORW, QStringLiteral("0.3"));
    w.PressTab();
    EXPECT_TRUE(w.Messages().All().empty());

    rock.optRock[1]->click();
    w.Type(rock.txtSWC, QStringLiteral("0.2"));
    w.PressTab();
    for (const auto& m : w.Messages().All())
        ADD_FAILURE() << qPrintable(m.title) << ": " << qPrintable(m.text);
    w.Type(rock.txtSGCrit, QStringLiteral("0.45"));
    w.PressTab();
    ASSERT_EQ(w.Messages().All().size(), 1u);
    EXPECT_TRUE(w.Messages().All()[0].text.contains(QStringLiteral("no saturation is left to move")));
    EXPECT_EQ(QApplication::focusWidget(), rock.txtSGCrit);
}

} // namespace
} // namespace q7::test

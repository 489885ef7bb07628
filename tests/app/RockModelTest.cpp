// The capillary-pressure frame, the LET curves and the table's rows on Rock Input, and the
// correlation choices on Oil and Gas Input, through their widgets: a choice shows the boxes that
// it reads, a typed parameter reaches the computed table, a parameter outside its range is refused
// at its box.
#include "AppTestSupport.h"

#include "app/ResultPlots.h"
#include "engine/PvtCorrelations.h"
#include "engine/Q7Objects.h"
#include "ui/FlexGrid.h"
#include "ui/InputBox.h"
#include "ui/PlotView.h"

#include <QChart>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QXYSeries>

#include <gtest/gtest.h>

namespace q7::test {
namespace {

// Shown on its tab (the window is shown; hidden means hidden by the tab's own rules).
bool Shown(const QWidget* w) {
    return !w->isHidden();
}

void Choose(QComboBox* list, const QVariant& value) {
    const int at = list->findData(value);
    ASSERT_GE(at, 0) << qPrintable(value.toString());
    list->setCurrentIndex(at);
}

TEST(CapillaryFrame, ChoosingAModelShowsTheBoxesItReads) {
    Workstation w;
    w.SelectTab(kTabRockInput);
    RockInputTab& t = *w.ui().rockInput;
    ASSERT_NE(t.fraCapillary, nullptr);
    // Defaults: no model, so only the oil–water model's list shows.
    EXPECT_EQ(t.cboPcowModel->currentIndex(), 0);
    EXPECT_TRUE(Shown(t.cboPcowModel));
    EXPECT_FALSE(Shown(t.cboPcogModel));
    for (const char* key : {"PcowMax", "PcowJA", "PcowEntry", "PcowCw", "PcogMax"})
        EXPECT_FALSE(Shown(t.ModelBox(key))) << key;

    const std::vector<std::pair<int, std::vector<const char*>>> models{
        {1, {"PcowJA", "PcowJB", "PcowIFT", "PcowAngle", "PcowMax"}},
        {2, {"PcowEntry", "PcowLambda", "PcowMax"}},
        {3, {"PcowCw", "PcowAw", "PcowCo", "PcowAo", "PcowMax"}}};
    const char* all[] = {"PcowJA", "PcowJB",  "PcowIFT", "PcowAngle", "PcowEntry", "PcowLambda",
                         "PcowCw", "PcowAw",  "PcowCo",  "PcowAo",    "PcowMax",   "PcogJA",
                         "PcogJB", "PcogIFT", "PcogMax", "PcogEntry", "PcogLambda"};
    for (const auto& [model, keys] : models) {
        Choose(t.cboPcowModel, model);
        EXPECT_EQ(w.Objects().Rock.PcowModel(), model);
        for (const char* key : all) {
            const bool wanted = std::find_if(keys.begin(), keys.end(), [key](const char* k) {
                                    return std::string(k) == key;
                                }) != keys.end();
            EXPECT_EQ(Shown(t.ModelBox(key)), wanted) << "model " << model << ": " << key;
        }
    }
    // Leverett's J reads the porosity and permeability boxes, which Corey otherwise leaves disabled.
    Choose(t.cboPcowModel, 1);
    EXPECT_TRUE(t.txtHRPoro->isEnabled());
    EXPECT_TRUE(t.txtHRAir->isEnabled());
    Choose(t.cboPcowModel, 0);
    EXPECT_FALSE(t.txtHRPoro->isEnabled());
    // Skjæveland's oil branch reads the residual oil to water, which drainage otherwise leaves out.
    EXPECT_FALSE(t.txtSORW->isEnabled());
    Choose(t.cboPcowModel, 3);
    EXPECT_TRUE(t.txtSORW->isEnabled());
    t.optType[1]->click();
    t.optType[0]->click();
    EXPECT_TRUE(t.txtSORW->isEnabled());

    // The gas–oil system shows its own model (three choices, no Skjæveland) and hides the other's.
    t.optRock[1]->click();
    EXPECT_FALSE(Shown(t.cboPcowModel));
    EXPECT_TRUE(Shown(t.cboPcogModel));
    EXPECT_EQ(t.cboPcogModel->count(), 3);
    Choose(t.cboPcogModel, 2);
    EXPECT_EQ(w.Objects().Rock.PcogModel(), 2);
    for (const char* key : all) {
        const std::string k = key;
        EXPECT_EQ(Shown(t.ModelBox(key)), k == "PcogEntry" || k == "PcogLambda" || k == "PcogMax") << key;
    }
}

TEST(CapillaryFrame, LetIsAThirdCorrelationWithItsOwnFrame) {
    Workstation w;
    w.SelectTab(kTabRockInput);
    RockInputTab& t = *w.ui().rockInput;
    EXPECT_FALSE(Shown(t.fraLET));
    t.optCorrLET->click();
    EXPECT_EQ(w.Objects().Rock.CORR(), 2);
    EXPECT_TRUE(Shown(t.fraLET));
    EXPECT_FALSE(t.txtK->isEnabled());
    // Oil–water: the water and oil rows; the gas row is the gas–oil system's.
    EXPECT_TRUE(Shown(t.ModelBox("LetWaterL")));
    EXPECT_TRUE(Shown(t.ModelBox("KrwMax")));
    EXPECT_TRUE(Shown(t.ModelBox("LetOilT")));
    EXPECT_FALSE(Shown(t.ModelBox("LetGasE")));
    // Drainage keeps LET (Honarpour's curves are imbibition curves, LET's are not).
    t.optType[1]->click();
    t.optType[0]->click();
    EXPECT_TRUE(t.optCorrLET->isChecked());
    EXPECT_EQ(w.Objects().Rock.CORR(), 2);
    t.optRock[1]->click();
    EXPECT_TRUE(Shown(t.ModelBox("LetGasE")));
    EXPECT_FALSE(Shown(t.ModelBox("LetWaterL")));
    t.optCorr[0]->click();
    EXPECT_FALSE(Shown(t.fraLET));
    EXPECT_EQ(w.Objects().Rock.CORR(), 0);
}

// Brooks and Corey (1964): Pc = Pe S*^(-1/lambda), S* = (Sw - Swc)/(1 - Swc). With Pe 3 psi,
// lambda 1.5 and Swc 0.2 the default grid's rows 2, 8 and 15 (Sw 0.228571, 0.6, 1; S* 1/28, 0.5,
// 1) give 3 * 28^(2/3) = 27.663, 3 * 2^(2/3) = 4.762 and 3.000 psi (computed by hand); row 1, S* 0,
// is the cap.
TEST(CapillaryFrame, TheRockTableShowsThePcOfTheTypedBrooksCoreyParameters) {
    Workstation w;
    w.SelectTab(kTabRockInput);
    RockInputTab& t = *w.ui().rockInput;
    Choose(t.cboPcowModel, 2);
    w.Type(t.ModelBox("PcowEntry"), QStringLiteral("3"));
    w.Type(t.ModelBox("PcowLambda"), QStringLiteral("1.5"));
    w.Type(t.ModelBox("PcowMax"), QStringLiteral("50"));
    w.SelectTab(kTabRockProps);
    ASSERT_TRUE(w.Messages().Errors().empty()) << qPrintable(w.Messages().Errors().front().text);
    FlexGrid* grid = w.ui().fxgRock;
    ASSERT_EQ(grid->Cols(), 7);
    EXPECT_EQ(grid->TextMatrix(0, 6), QStringLiteral("Pcow (psi)"));
    EXPECT_EQ(grid->TextMatrix(1, 6), QStringLiteral("50.000"));
    EXPECT_EQ(grid->TextMatrix(2, 6), QStringLiteral("27.663"));
    EXPECT_EQ(grid->TextMatrix(8, 1), QStringLiteral("0.60"));
    EXPECT_EQ(grid->TextMatrix(8, 6), QStringLiteral("4.762"));
    EXPECT_EQ(grid->TextMatrix(15, 6), QStringLiteral("3.000"));
    EXPECT_TRUE(grid->toolTip().contains(QStringLiteral("Brooks-Corey (1964)")));
    // The added column is not hidden behind the plot beside the grid.
    EXPECT_GE(grid->viewport()->width(), grid->horizontalHeader()->length());
    // The Pc curve has a chart of its own under the kr chart, through the grid's points.
    PlotPane* plots = w.ui().plotRock;
    ASSERT_EQ(plots->Count(), 2);
    EXPECT_FALSE(plots->View(1)->isHidden());
    QApplication::processEvents();
    QXYSeries* pcow = nullptr;
    for (QAbstractSeries* series : plots->View(1)->chart()->series())
        if (series->name() == QStringLiteral("Pcow")) pcow = qobject_cast<QXYSeries*>(series);
    ASSERT_NE(pcow, nullptr);
    ASSERT_EQ(pcow->count(), 15);
    EXPECT_NEAR(pcow->at(7).x(), 0.6, 1e-6);
    EXPECT_NEAR(pcow->at(7).y(), 4.762, 5e-4);

    // No model again: the grid has its six columns back.
    w.SelectTab(kTabRockInput);
    Choose(t.cboPcowModel, 0);
    w.SelectTab(kTabRockProps);
    EXPECT_EQ(grid->Cols(), 6);
    EXPECT_TRUE(plots->View(1)->isHidden());
}

// Leverett (1941): Pc = J sigma cos(theta) sqrt(phi/k), J = a S*^-b. sigma 25 mN/m, theta 30 deg,
// phi 0.2, k 100 mD (9.869233E-14 m2): sigma cos(theta) sqrt(phi/k) = 30 822 Pa = 4.47018 psi
// (1 psi = 6894.757 Pa), computed independently; with a 0.3, b 0.5 rows 2, 8, 15 (S* 1/28, 0.5, 1)
// give 7.096, 1.897 and 1.341 psi.
TEST(CapillaryFrame, LeverettJReadsTheTypedPorosityAndPermeability) {
    Workstation w;
    w.SelectTab(kTabRockInput);
    RockInputTab& t = *w.ui().rockInput;
    Choose(t.cboPcowModel, 1);
    w.Type(t.ModelBox("PcowJA"), QStringLiteral("0.3"));
    w.Type(t.ModelBox("PcowJB"), QStringLiteral("0.5"));
    w.Type(t.ModelBox("PcowIFT"), QStringLiteral("25"));
    w.Type(t.ModelBox("PcowAngle"), QStringLiteral("30"));
    w.Type(t.txtHRPoro, QStringLiteral("0.2"));
    w.Type(t.txtHRAir, QStringLiteral("100"));
    w.SelectTab(kTabRockProps);
    ASSERT_TRUE(w.Messages().Errors().empty());
    FlexGrid* grid = w.ui().fxgRock;
    EXPECT_EQ(grid->TextMatrix(2, 6), QStringLiteral("7.096"));
    EXPECT_EQ(grid->TextMatrix(8, 6), QStringLiteral("1.897"));
    EXPECT_EQ(grid->TextMatrix(15, 6), QStringLiteral("1.341"));
}

// LET chosen and typed: the table follows (kr end point 0.6 typed, so the last water kr is 0.6),
// and the rows box spreads the grid over the rows typed.
TEST(CapillaryFrame, TypedLetEndPointAndRowsReachTheTable) {
    Workstation w;
    w.SelectTab(kTabRockInput);
    RockInputTab& t = *w.ui().rockInput;
    t.optCorrLET->click();
    w.Type(t.ModelBox("KrwMax"), QStringLiteral("0.6"));
    w.Type(t.txtSatRows, QStringLiteral("21"));
    w.SelectTab(kTabRockProps);
    ASSERT_TRUE(w.Messages().Errors().empty());
    FlexGrid* grid = w.ui().fxgRock;
    EXPECT_EQ(grid->Rows(), 22);
    EXPECT_EQ(grid->TextMatrix(21, 1), QStringLiteral("1.00"));
    EXPECT_EQ(grid->TextMatrix(21, 4), QStringLiteral("0.6000"));
    EXPECT_EQ(grid->TextMatrix(1, 4), QStringLiteral("0.0000"));
    EXPECT_EQ(w.ui().txtCORROut->text(), QStringLiteral("LET"));
    EXPECT_TRUE(grid->toolTip().contains(QStringLiteral("LET (2005)")));
}

// A parameter outside its range is refused where it is typed, naming the key; the focus stays.
struct Refusal {
    const char* key;
    const char* text;
    const char* message; // empty: accepted
};

class ModelBoxRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(ModelBoxRefusals, AtTheBox) {
    const Refusal& c = GetParam();
    Workstation w;
    w.SelectTab(kTabRockInput);
    RockInputTab& t = *w.ui().rockInput;
    Choose(t.cboPcowModel, 3);
    t.optCorrLET->click();
    InputBox* box = std::string(c.key) == "SatRows" ? t.txtSatRows : t.ModelBox(c.key);
    ASSERT_NE(box, nullptr);
    w.Type(box, QString::fromLatin1(c.text));
    w.PressTab();
    const auto errors = w.Messages().Errors();
    if (*c.message == 0) {
        EXPECT_TRUE(errors.empty()) << qPrintable(errors.front().text);
        EXPECT_NE(QApplication::focusWidget(), box);
        return;
    }
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].text, QString::fromLatin1(c.message));
    EXPECT_EQ(QApplication::focusWidget(), box);
}

INSTANTIATE_TEST_SUITE_P(
    RockModels, ModelBoxRefusals,
    ::testing::Values(Refusal{"PcowCo", "0.5", "PcowCo must be 0 or below."}, Refusal{"PcowCo", "-2", ""},
                      Refusal{"PcowAw", "0", "PcowAw must be above 0."},
                      Refusal{"PcowMax", "-1", "PcowMax must be above 0."},
                      Refusal{"LetOilE", "0", "LetOilE must be above 0."},
                      Refusal{"KroMax", "1.2", "KroMax must be above 0 and at most 1."},
                      Refusal{"KroMax", "1", ""},
                      Refusal{"SatRows", "51", "SatRows must be a whole number from 15 to 50."},
                      Refusal{"SatRows", "20.5", "SatRows must be a whole number from 15 to 50."},
                      Refusal{"SatRows", "50", ""}, Refusal{"PcowAw", "x", "Please enter a numeric value!"}),
    [](const auto& info) { return std::string(info.param.key) + std::to_string(info.index); });

// Each choice lists its correlations by name and year, the default first, and the one chosen is the
// one the oil table uses and its tool tip names.
TEST(CorrelationChoices, OilListsReachTheTablesAndTheirToolTips) {
    Workstation w;
    w.SelectTab(kTabOil);
    OilTab& oil = *w.ui().oil;
    ASSERT_EQ(oil.cboCorrPb->count(), 7);
    EXPECT_EQ(oil.cboCorrPb->itemText(0), QStringLiteral("Standing (1947)"));
    EXPECT_EQ(oil.cboCorrPb->currentIndex(), 0);
    EXPECT_EQ(oil.cboCorrMuod->itemText(0), QStringLiteral("Egbogah-Jack (1983)"));
    EXPECT_EQ(oil.cboCorrMuoUS->count(), 2);
    w.CompleteOilTab();
    w.SelectTab(kTabFluidProps);
    const QString standingPb = w.ui().txtPBPout->text();

    w.SelectTab(kTabOil);
    Choose(oil.cboCorrPb, QStringLiteral("Glaso"));
    Choose(oil.cboCorrMuo, QStringLiteral("ChewConnally"));
    EXPECT_EQ(w.Objects().Oil.Correlation(CorrKey::Pb), static_cast<int>(CorrPb::Glaso));
    EXPECT_EQ(w.Objects().Oil.Correlation(CorrKey::Muo), static_cast<int>(CorrMuo::ChewConnally));
    w.CompleteOilTab();
    w.SelectTab(kTabFluidProps);
    EXPECT_NE(w.ui().txtPBPout->text(), standingPb);
    const QString tip = w.ui().fxgUOil->toolTip();
    EXPECT_TRUE(tip.contains(QStringLiteral("Glaso (1980)"))) << qPrintable(tip);
    EXPECT_TRUE(tip.contains(QStringLiteral("Chew-Connally (1959)"))) << qPrintable(tip);
}

TEST(CorrelationChoices, GasListsAndThePseudoCriticalsOfAComposition) {
    Workstation w;
    w.SelectTab(kTabOil);
    w.CompleteOilTab();
    w.SelectTab(kTabGas);
    GasTab& gas = *w.ui().gas;
    ASSERT_EQ(gas.cboCorrZ->count(), 3);
    EXPECT_EQ(gas.cboCorrZ->itemText(1), QStringLiteral("Dranchuk-Abou-Kassem (1975)"));
    Choose(gas.cboCorrZ, QStringLiteral("HallYarborough"));
    Choose(gas.cboCorrPseudo, QStringLiteral("Sutton"));
    EXPECT_EQ(w.Objects().Gas.Correlation(CorrKey::Z), static_cast<int>(CorrZ::HallYarborough));
    w.SelectTab(kTabFluidProps);
    const QString tip = w.ui().fxgGAS->toolTip();
    EXPECT_TRUE(tip.contains(QStringLiteral("Hall-Yarborough (1973)"))) << qPrintable(tip);
    EXPECT_TRUE(tip.contains(QStringLiteral("Sutton"))) << qPrintable(tip);
    // A composition gives its pseudo-criticals by Kay's rule: the list is not offered.
    w.SelectTab(kTabGas);
    gas.optGasEntry[1]->click();
    EXPECT_FALSE(gas.cboCorrPseudo->isEnabled());
    gas.optGasEntry[0]->click();
    EXPECT_TRUE(gas.cboCorrPseudo->isEnabled());
}

} // namespace
} // namespace q7::test

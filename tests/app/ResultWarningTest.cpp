// The result tabs say what is wrong with a table where the engineer looks: the warning line above
// the grid (first fault, all on the tool tip), the rows at fault marked, and on the Rock
// Properties tab a line saying why Honarpour gave no curves. Nothing is blocked.
#include "AppTestSupport.h"

#include "app/ResultWarnings.h"
#include "engine/Q7Objects.h"
#include "ui/FlexGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace q7::test {
namespace {

// Water only at 1000 F: every row has a negative Rsw and compressibility. The line names the
// water table, every row is marked, the export stays open; back at 150 F the line goes.
TEST(ResultWarnings, HotWaterLineAndMarkedRows) {
    Workstation w;
    w.SelectTab(kTabPhases);
    w.ui().phases->cbxFPP[0]->click();
    w.ui().phases->cbxFPP[2]->click();
    w.Type(w.ui().phases->txtResT, QStringLiteral("1000"));
    w.SelectTab(kTabFluidProps);
    EXPECT_TRUE(w.Messages().All().empty());
    QLabel* line = w.ui().lblWaterWarn;
    ASSERT_FALSE(line->isHidden());
    // The cause first, the symptoms on the tool tip.
    EXPECT_TRUE(
        line->text().startsWith(QStringLiteral("\u26A0 reservoir temperature (RESTEMP) 1000 °F is above")))
        << qPrintable(line->text());
    EXPECT_TRUE(line->toolTip().contains(QStringLiteral("Water: Rsw -"))) << qPrintable(line->toolTip());
    EXPECT_TRUE(line->toolTip().contains(QStringLiteral("Osif (1988)"))) << qPrintable(line->toolTip());
    FlexGrid* grid = w.ui().fxgWater;
    ASSERT_GT(grid->Rows(), 2);
    for (int i = 1; i < grid->Rows(); ++i) {
        EXPECT_EQ(grid->TextMatrix(i, 0), QString::fromLatin1(kFaultMarkText)) << i;
        EXPECT_EQ(grid->CellBackColor(i, 0), kFaultMark) << i;
    }
    EXPECT_TRUE(w.ui().mnuEclipse->isEnabled());

    w.SelectTab(kTabPhases);
    w.Type(w.ui().phases->txtResT, QStringLiteral("150"));
    w.SelectTab(kTabFluidProps);
    EXPECT_TRUE(line->isHidden());
    EXPECT_EQ(grid->TextMatrix(1, 0), QString());
}

// Oil at 1000 F: the oil line names the temperature too (the oil correlations have no formula that
// turns over, so nothing else would say it).
TEST(ResultWarnings, HotOilNamesTheTemperatureFirst) {
    Workstation w;
    w.SelectTab(kTabPhases);
    w.Type(w.ui().phases->txtResT, QStringLiteral("1000"));
    w.SelectTab(kTabOil);
    w.CompleteOilTab();
    w.SelectTab(kTabFluidProps);
    QLabel* line = w.ui().lblUOilWarn;
    ASSERT_FALSE(line->isHidden());
    EXPECT_TRUE(
        line->text().startsWith(QStringLiteral("\u26A0 reservoir temperature (RESTEMP) 1000 °F is above")))
        << qPrintable(line->text());
}

// Sound defaults: no line on any tab, no mark.
TEST(ResultWarnings, SoundTablesShowNothing) {
    Workstation w;
    w.SelectTab(kTabOil);
    w.CompleteOilTab();
    w.SelectTab(kTabFluidProps);
    EXPECT_TRUE(w.ui().lblUOilWarn->isHidden()) << qPrintable(w.ui().lblUOilWarn->text());
    EXPECT_TRUE(w.ui().lblGASWarn->isHidden()) << qPrintable(w.ui().lblGASWarn->text());
    for (int i = 1; i < w.ui().fxgUOil->Rows(); ++i)
        EXPECT_EQ(w.ui().fxgUOil->TextMatrix(i, 0), QString()) << i;
    w.SelectTab(kTabRockInput);
    w.SelectTab(kTabRockProps);
    EXPECT_TRUE(w.ui().lblRockWarn->isHidden()) << qPrintable(w.ui().lblRockWarn->text());
    EXPECT_TRUE(w.ui().lblRockNote->isHidden());
}

// Honarpour with drainage (as a stored project can hold it): the table is all zero, the Rock
// Properties tab says why in one line beside the system's caption, and the line above the grid
// says the simulator would refuse the SWOF table.
TEST(ResultWarnings, HonarpourDrainageSaysWhyAtOnce) {
    Workstation w;
    w.SelectTab(kTabRockInput);
    w.Objects().Rock.CORR(1);
    w.Objects().Rock.Displace(0);
    w.SelectTab(kTabRockProps);
    EXPECT_TRUE(w.Messages().All().empty());
    ASSERT_FALSE(w.ui().lblRockNote->isHidden());
    EXPECT_TRUE(w.ui().lblRockNote->text().contains(QStringLiteral("Honarpour has no drainage curves")))
        << qPrintable(w.ui().lblRockNote->text());
    ASSERT_FALSE(w.ui().lblRockWarn->isHidden());
    EXPECT_TRUE(w.ui().lblRockWarn->text().contains(QStringLiteral("SWOF would be refused by a simulator")))
        << qPrintable(w.ui().lblRockWarn->text());
    EXPECT_TRUE(w.ui().lblRockWarn->toolTip().contains(QStringLiteral("oil never becomes mobile")));

    w.SelectTab(kTabRockInput);
    w.ui().rockInput->optType[1]->click();
    w.ui().rockInput->optCorr[1]->click();
    w.SelectTab(kTabRockProps);
    EXPECT_TRUE(w.ui().lblRockNote->isHidden());
    EXPECT_TRUE(w.ui().lblRockWarn->isHidden()) << qPrintable(w.ui().lblRockWarn->text());
}

} // namespace
} // namespace q7::test

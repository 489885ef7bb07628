// A reopened project shows what the engineer typed: a laboratory bubble point matched while
// computing is not written back into the oil tab's pair (the GOR and bubble-point columns), however
// the project is saved (Project -> New after computing, or edits while it is open).
#include "AppTestSupport.h"

#include "engine/Q7Objects.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <gtest/gtest.h>

namespace q7::test {
namespace {

// GOR 800 with its "Calc Pbp", a laboratory point (2400 psia, 880 scf/stb) that the oil table is
// matched to, "Fluid Properties"; returns the bubble point the box shows then.
QString TypeAndCompute(Workstation& w) {
    w.SelectTab(kTabOil);
    w.Type(w.ui().oil->txtRSI, QStringLiteral("800"));
    w.CompleteOilTab();
    w.Type(w.ui().oil->txtLabPb, QStringLiteral("2400"));
    w.Type(w.ui().oil->txtLabRsb, QStringLiteral("880"));
    w.SelectTab(kTabFluidProps);
    // The table is the laboratory's: it holds 880 scf/stb at 2400 psia.
    EXPECT_EQ(w.Objects().Oil.RSI(), 880.0f);
    EXPECT_EQ(w.Objects().Oil.Pbp(), 2400.0f);
    return w.ui().oil->txtBPP->text();
}

double Stored(const DatabaseChoice& database, std::int32_t id, const char* column,
              const char* table = "tblOilGravity") {
    return QueryValue(database.Path(), QStringLiteral("SELECT %1 FROM %3 WHERE PrjID = %2")
                                           .arg(QLatin1String(column))
                                           .arg(id)
                                           .arg(QLatin1String(table)))
        .toDouble();
}

void NewProjectNamed(Workstation& w, const QString& name) {
    WhenModal fill([&](QWidget* dialog) {
        Find<QLineEdit>(dialog, QStringLiteral("txtPrjName"))->setText(name);
        Find<QPushButton>(dialog, QStringLiteral("cmdSave"))->click();
    });
    w.ui().mnuNew->trigger();
    ASSERT_TRUE(fill.Ran());
}

TEST(ReopenedProject, ShowsTheTypedPairNotTheLaboratoryMatch) {
    const DatabaseChoice database = DatabaseChoice::Empty();
    std::int32_t savedAfter = 0, openBefore = 0;
    QString bubblePoint;
    {
        // Saved as a new project after computing.
        Workstation w(database);
        bubblePoint = TypeAndCompute(w);
        ASSERT_NE(bubblePoint, QStringLiteral("2400"));
        NewProjectNamed(w, QStringLiteral("After"));
        savedAfter = w.State().CurPrjID;
    }
    {
        // Open while typing and computing.
        Workstation w(database);
        NewProjectNamed(w, QStringLiteral("Before"));
        openBefore = w.State().CurPrjID;
        EXPECT_EQ(TypeAndCompute(w), bubblePoint);
        w.ui().mnuClose->trigger();
    }
    for (std::int32_t id : {savedAfter, openBefore}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(static_cast<float>(Stored(database, id, "InitGO")), 800.0f);
        // The bubble point of GOR 800 (the box shows it to seven digits), not the laboratory's.
        EXPECT_NEAR(Stored(database, id, "BPP"), bubblePoint.toDouble(), 0.01);
        EXPECT_EQ(static_cast<float>(Stored(database, id, "LabRsb", "tblLabData")), 880.0f);
        Workstation w(database);
        w.Window().LoadProjectIntoForm(id);
        EXPECT_EQ(w.ui().oil->txtRSI->text(), QStringLiteral("800"));
        EXPECT_NEAR(w.ui().oil->txtBPP->text().toDouble(), bubblePoint.toDouble(), 0.01);
        EXPECT_EQ(w.ui().oil->txtLabRsb->text(), QStringLiteral("880"));
        // Computed again, the reopened project gives the same laboratory-matched table.
        w.SelectTab(kTabOil);
        w.CompleteOilTab();
        w.SelectTab(kTabFluidProps);
        EXPECT_EQ(w.Objects().Oil.RSI(), 880.0f);
    }
}

} // namespace
} // namespace q7::test

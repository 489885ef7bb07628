// File -> Export -> Eclipse, Several Projects: stored projects ticked in region order and written as
// the regions of one deck, with the units choice of the Eclipse export.
#include "AppTestSupport.h"

#include "app/frmECLProjects.h"
#include "engine/Q7Objects.h"
#include "store/clsQ7IO.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <sstream>

namespace q7::test {
namespace {

// A project stored from fresh objects with the oil gravity `api` and gas and water present.
std::int32_t AddProject(clsQ7IO& io, const QString& name, const char* api,
                        const std::function<void(Q7Objects&)>& more = {}) {
    NullMessageSink sink;
    Q7Objects objects(sink);
    objects.Fluid.PhaseGas(true);
    objects.Fluid.PhaseWater(true);
    objects.Oil.SetAPI(api);
    if (more) more(objects);
    Recordset row = io.NewREC(QStringLiteral("tblProject"));
    row.SetValue(QStringLiteral("PrjName"), name);
    io.CreateProject(row, objects);
    return static_cast<std::int32_t>(row.Value(QStringLiteral("PrjID")).toLongLong());
}

std::string Slurp(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

QListWidgetItem* Item(QListWidget* list, const QString& name) {
    for (int row = 0; row < list->count(); ++row)
        if (list->item(row)->text() == name) return list->item(row);
    return nullptr;
}

TEST(EclipseProjects, TheMenuItemComesWithTheProjectDatabase) {
    Workstation with(DatabaseChoice::Empty());
    EXPECT_TRUE(with.ui().mnuEclipseProjects->isVisible());
    Workstation without(DatabaseChoice::Missing());
    EXPECT_FALSE(without.ui().mnuEclipseProjects->isVisible());
}

TEST(EclipseProjects, TickedProjectsAreTheRegionsInTheOrderTicked) {
    const DatabaseChoice database = DatabaseChoice::Empty();
    clsQ7IO io;
    io.OpenDatabase(database.Path());
    ASSERT_TRUE(io.Q7FOUND());
    const std::int32_t alpha = AddProject(io, QStringLiteral("alpha"), "35");
    AddProject(io, QStringLiteral("beta"), "30");
    const std::int32_t gamma = AddProject(io, QStringLiteral("gamma"), "40");
    QTemporaryDir out;

    FakeMessages messages;
    EclipseUnits remembered = EclipseUnits::Field;
    frmECLProjects d(io, messages, nullptr, &remembered);
    auto* list = Find<QListWidget>(&d, QStringLiteral("lstProjects"));
    auto* run = Find<QPushButton>(&d, QStringLiteral("cmdReport"));
    ASSERT_EQ(list->count(), 3);
    EXPECT_FALSE(run->isEnabled());

    Item(list, QStringLiteral("gamma"))->setCheckState(Qt::Checked);
    Item(list, QStringLiteral("beta"))->setCheckState(Qt::Checked);
    Item(list, QStringLiteral("alpha"))->setCheckState(Qt::Checked);
    Item(list, QStringLiteral("beta"))->setCheckState(Qt::Unchecked);
    EXPECT_EQ(d.Regions(), (std::vector<std::int32_t>{gamma, alpha}));
    EXPECT_EQ(Find<QLabel>(&d, QStringLiteral("lblRegions"))->text(),
              QStringLiteral("Regions: 1 gamma, 2 alpha"));
    EXPECT_TRUE(run->isEnabled());

    Find<QRadioButton>(&d, QStringLiteral("optUnits(1)"))->setChecked(true);
    EXPECT_EQ(remembered, EclipseUnits::Metric);
    Find<QLineEdit>(&d, QStringLiteral("txtFileName"))->setText(out.filePath(QStringLiteral("deck")));
    run->click();

    ASSERT_EQ(messages.All().size(), 1u);
    EXPECT_EQ(messages.All()[0].title, QStringLiteral("Files: PVDO PVTO PVDG PVTW DENSITY SWOF "));
    EXPECT_TRUE(messages.All()[0].text.startsWith(QStringLiteral("Eclipse output complete!")));
    EXPECT_NE(messages.All()[0].text.indexOf(QStringLiteral("TABDIMS 2 2 15 ")), -1);
    const std::string pvto = Slurp(out.filePath(QStringLiteral("deck.pvto")));
    EXPECT_EQ(pvto.rfind("-- METRIC units", 0), 0u);
    const std::size_t first = pvto.find("-- Region 1: case gamma\r\n");
    const std::size_t second = pvto.find("-- Region 2: case alpha\r\n");
    EXPECT_NE(first, std::string::npos);
    EXPECT_NE(second, std::string::npos);
    EXPECT_LT(first, second);
    EXPECT_EQ(pvto.find("beta"), std::string::npos);
}

// The single-project dialog's checks, region by region: gas-oil Corey drainage with the default end
// points writes an SGOF whose kro never reaches 0, which a simulator refuses (the same case the
// single-project dialog marks, tests/writers_ui/EclipseDialogTest.cpp). The deck is written all the
// same, but the completion names the region and its table, and the project is marked in the list.
TEST(EclipseProjects, EachRegionsRefusedTableIsNamedAndMarked) {
    const DatabaseChoice database = DatabaseChoice::Empty();
    clsQ7IO io;
    io.OpenDatabase(database.Path());
    ASSERT_TRUE(io.Q7FOUND());
    auto gasOil = [](int displace) {
        return [displace](Q7Objects& o) {
            o.Rock.Fluids(1);
            o.Rock.Displace(displace);
        };
    };
    AddProject(io, QStringLiteral("imbibed"), "35", gasOil(1));
    AddProject(io, QStringLiteral("drained"), "30", gasOil(0));
    QTemporaryDir out;

    FakeMessages messages;
    frmECLProjects d(io, messages, nullptr, nullptr);
    auto* list = Find<QListWidget>(&d, QStringLiteral("lstProjects"));
    Item(list, QStringLiteral("imbibed"))->setCheckState(Qt::Checked);
    Item(list, QStringLiteral("drained"))->setCheckState(Qt::Checked);
    Find<QLineEdit>(&d, QStringLiteral("txtFileName"))->setText(out.filePath(QStringLiteral("deck")));
    Find<QPushButton>(&d, QStringLiteral("cmdReport"))->click();

    ASSERT_EQ(messages.All().size(), 1u);
    const QString text = messages.All()[0].text;
    EXPECT_TRUE(messages.All()[0].title.contains(QStringLiteral("SGOF")))
        << qPrintable(messages.All()[0].title);
    EXPECT_TRUE(text.contains(QStringLiteral("A simulator would refuse")) &&
                text.contains(QStringLiteral("Region 2 (drained) SGOF")) &&
                text.contains(QStringLiteral("kro never reaches 0")))
        << qPrintable(text);
    EXPECT_FALSE(text.contains(QStringLiteral("Region 1 (imbibed) SGOF"))) << qPrintable(text);
    QListWidgetItem* drained = Item(list, QStringLiteral("drained"));
    EXPECT_FALSE(drained->icon().isNull());
    EXPECT_TRUE(drained->toolTip().contains(QStringLiteral("kro never reaches 0")));
    EXPECT_TRUE(Item(list, QStringLiteral("imbibed"))->icon().isNull());
    // Written all the same, as the single-project export writes it.
    EXPECT_NE(Slurp(out.filePath(QStringLiteral("deck.sgof"))).find("-- Region 2: case drained"),
              std::string::npos);
}

} // namespace
} // namespace q7::test

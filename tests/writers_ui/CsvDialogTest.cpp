// The CSV export dialog through its widgets: the default name, the four groups from the GO flags,
// the check-box and name rules, Export against the batch tool's file, the "…" button and a failed
// write that keeps the dialog open.
#include "DialogTestSupport.h"

#include "writers/CaseOutput.h"
#include "writers/clsCSV.h"
#include "writers/ui/frmCSV.h"

#include <QCheckBox>
#include <QPushButton>

#include <array>
#include <filesystem>

namespace q7::test {
namespace {

namespace fs = std::filesystem;

QCheckBox* Include(QWidget& d, int k) {
    return Find<QCheckBox>(d, QStringLiteral("cbxInclude(%1)").arg(k));
}

std::array<bool, 4> WriterFlags(const clsCSV& c) {
    return {c.IncludeOIL(), c.IncludeGAS(), c.IncludeWAT(), c.IncludeROCK()};
}

struct Groups {
    const char* name;
    bool oil, gas, water, rock;  // phases computed (oil computes its gas table too)
    std::array<bool, 4> checked; // Oil, Gas, Water, Rock
};

const Groups kGroups[] = {
    {"Nothing", false, false, false, false, {false, false, false, false}},
    {"GasOnly", false, true, false, false, {false, true, false, false}},
    {"OilWithItsGas", true, false, false, false, {true, true, false, false}},
    {"WaterOnly", false, false, true, false, {false, false, true, false}},
    {"RockOnly", false, false, false, true, {false, false, false, true}},
    {"Everything", true, true, true, true, {true, true, true, true}},
};

void PrintTo(const Groups& g, std::ostream* os) {
    *os << g.name;
}

class CsvGroups : public ::testing::TestWithParam<Groups> {};

TEST_P(CsvGroups, DefaultNameAndTheComputedGroupsChecked) {
    const Groups& g = GetParam();
    DialogWorld w;
    if (g.oil || g.gas || g.water) w.data.Compute({.oil = g.oil, .gas = g.gas, .water = g.water});
    if (g.rock) w.data.ComputeRock();
    frmCSV d(w.Host());
    Open(d);
    EXPECT_EQ(Find<QLineEdit>(d, QStringLiteral("txtFileName"))->text(), QStringLiteral("q7.csv"));
    EXPECT_EQ(d.Writer().FileName(), "q7.csv");
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(Include(d, k)->isEnabled(), g.checked[k]) << k;
        EXPECT_EQ(Include(d, k)->isChecked(), g.checked[k]) << k;
    }
    EXPECT_EQ(WriterFlags(d.Writer()), g.checked);
    // Unchecking a group clears its flag; a group not computed cannot be checked.
    for (int k = 0; k < 4; ++k) {
        Click(Include(d, k));
        EXPECT_FALSE(Include(d, k)->isChecked()) << k;
    }
    EXPECT_EQ(WriterFlags(d.Writer()), (std::array<bool, 4>{false, false, false, false}));
}

INSTANTIATE_TEST_SUITE_P(Computed, CsvGroups, ::testing::ValuesIn(kGroups),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CsvDialog, ExportWritesTheBatchToolsFile) {
    DialogWorld w;
    ScratchDir batch, dialog;
    w.data.Compute({.oil = true, .gas = true, .water = true});
    w.data.ComputeRock();
    WriteCaseCsv(w.data.objects, batch.path());

    frmCSV d(w.Host());
    Open(d);
    const QString name = Q(dialog / "q7.csv");
    Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), name);
    Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));
    const std::string written = ReadFile(dialog.path() / "q7.csv");
    EXPECT_EQ(written, ReadFile(batch.path() / "q7.csv"));
    EXPECT_NE(written.find("Rock Properties:"), std::string::npos);
    ASSERT_EQ(w.messages.boxes.size(), 1u);
    EXPECT_EQ(w.messages.boxes[0].kind, "info");
    EXPECT_EQ(w.messages.boxes[0].text, "CSV output complete!");
    EXPECT_EQ(w.messages.boxes[0].title, "File: " + name.toStdString());
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

TEST(CsvDialog, FailedWriteKeepsTheDialogOpen) {
    DialogWorld w;
    ScratchDir dir;
    w.data.Compute({.oil = true});
    fs::create_directory(dir.path() / "out.csv");
    frmCSV d(w.Host());
    Open(d);
    const QString bad = Q(dir / "out.csv");
    Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), bad);
    Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));
    ASSERT_EQ(w.messages.boxes.size(), 1u);
    EXPECT_EQ(w.messages.boxes[0].kind, "error");
    EXPECT_EQ(w.messages.boxes[0].title, "CSV Export Error");
    EXPECT_NE(w.messages.boxes[0].text.find(bad.toStdString()), std::string::npos);
    EXPECT_NE(w.messages.boxes[0].text.find("Is a directory"), std::string::npos);
    EXPECT_TRUE(d.isVisible());

    // The name is corrected through the "…" button and the export goes through.
    w.files.answer = Q(dir / "out2.csv");
    Click(Find<QPushButton>(d, QStringLiteral("cmdBrowseFileName")));
    ASSERT_EQ(w.files.asked.size(), 1u);
    EXPECT_EQ(w.files.asked[0].start, bad);
    EXPECT_EQ(d.Writer().FileName(), dir / "out2.csv");
    Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));
    ASSERT_EQ(w.messages.boxes.size(), 2u);
    EXPECT_EQ(w.messages.boxes[1].title, "File: " + (dir / "out2.csv"));
    EXPECT_TRUE(fs::is_regular_file(dir.path() / "out2.csv"));
    EXPECT_FALSE(d.isVisible());
}

} // namespace
} // namespace q7::test

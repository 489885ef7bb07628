// The Eclipse export dialog through its widgets: what it offers from the GO flags and the rock
// system, the base-name, check-box and path rules, the "…" buttons, Export against the batch
// tool's files, and a failed write that keeps the dialog open.
#include "DialogTestSupport.h"

#include "writers/CaseOutput.h"
#include "writers/EclipseChecks.h"
#include "writers/clsECL.h"
#include "writers/ui/frmECL.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <array>
#include <filesystem>
#include <functional>
#include <set>

namespace q7::test {
namespace {

namespace fs = std::filesystem;

const std::array<const char*, 7> kBoxes = {"txtPVDO", "txtPVTO", "txtPVDG", "txtPVTW",
                                           "txtDENS", "txtSWOF", "txtSGOF"};
const std::array<const char*, 7> kExtensions = {".pvdo", ".pvto", ".pvdg", ".pvtw",
                                                ".dens", ".swof", ".sgof"};

QCheckBox* Include(QWidget& d, int k) {
    return Find<QCheckBox>(d, QStringLiteral("cbxInclude(%1)").arg(k));
}
QLineEdit* PathBox(QWidget& d, int k) {
    return Find<QLineEdit>(d, QString::fromLatin1(kBoxes[k]));
}

std::array<bool, 7> WriterFlags(const clsECL& e) {
    return {e.PVDO(), e.PVTO(), e.PVDG(), e.PVTW(), e.DENS(), e.SWOF(), e.SGOF()};
}
std::array<std::string, 7> WriterPaths(const clsECL& e) {
    return {e.PVDOFile(), e.PVTOFile(), e.PVDGFile(), e.PVTWFile(), e.DENSFile(), e.SWOFFile(), e.SGOFFile()};
}

std::set<std::string> FilesIn(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir))
        names.insert(entry.path().filename().string());
    return names;
}

// What is computed before the dialog opens.
struct Computed {
    const char* name;
    bool oil, gas, water; // the fluid tables (none of them: no fluid computation at all)
    int rock;             // -1 no rock table, else the rock system (0 water/oil, 1 gas/oil)
    // Offered and pre-selected, in the order PVDO PVTO PVDG PVTW DENSITY SWOF SGOF.
    std::array<bool, 7> offered;
};

void PrintTo(const Computed& c, std::ostream* os) {
    *os << c.name;
}

void ComputeFor(Objects& data, const Computed& c) {
    if (c.oil || c.gas || c.water) data.Compute({.oil = c.oil, .gas = c.gas, .water = c.water});
    if (c.rock >= 0) {
        data.objects.Rock.Fluids(static_cast<std::int16_t>(c.rock));
        data.ComputeRock();
    }
}

// Which tables each computed phase makes available: DENSITY with any fluid, PVDO and PVTO with
// oil, PVDG with gas or oil, PVTW with water, SGOF for a gas/oil rock system, else SWOF.
const Computed kComputed[] = {
    {"Nothing", false, false, false, -1, {false, false, false, false, false, false, false}},
    {"GasOnly", false, true, false, -1, {false, false, true, false, true, false, false}},
    {"OilWithItsGas", true, false, false, -1, {true, true, true, false, true, false, false}},
    {"WaterOnly", false, false, true, -1, {false, false, false, true, true, false, false}},
    {"RockGasOil", false, false, false, 1, {false, false, false, false, false, false, true}},
    {"RockWaterOil", false, false, false, 0, {false, false, false, false, false, true, false}},
    {"EveryPhaseAndGasOilRock", true, true, true, 1, {true, true, true, true, true, false, true}},
};

class EclipseOffers : public ::testing::TestWithParam<Computed> {};

TEST_P(EclipseOffers, OnlyWhatIsComputedIsOfferedAndPreselected) {
    DialogWorld w;
    ComputeFor(w.data, GetParam());
    frmECL d(w.Host());
    Open(d);
    const std::array<bool, 7>& offered = GetParam().offered;
    for (int k = 0; k < 7; ++k) {
        SCOPED_TRACE(kBoxes[k]);
        EXPECT_EQ(Include(d, k)->isEnabled(), offered[k]);
        EXPECT_EQ(Include(d, k)->isChecked(), offered[k]);
        EXPECT_EQ(PathBox(d, k)->isEnabled(), offered[k]);
        EXPECT_EQ(PathBox(d, k)->text().toStdString(), std::string("Eclipse") + kExtensions[k]);
    }
    EXPECT_EQ(WriterFlags(d.Writer()), offered);
    EXPECT_TRUE(Find<QLineEdit>(d, QStringLiteral("txtFileName"))->isEnabled());
    EXPECT_EQ(Find<QLineEdit>(d, QStringLiteral("txtFileName"))->text(), QStringLiteral("Eclipse"));

    // A table that is not offered cannot be chosen.
    for (int k = 0; k < 7; ++k) {
        if (offered[k]) continue;
        Click(Include(d, k));
        EXPECT_FALSE(Include(d, k)->isChecked()) << kBoxes[k];
    }
    EXPECT_EQ(WriterFlags(d.Writer()), offered);
}

INSTANTIATE_TEST_SUITE_P(Computed, EclipseOffers, ::testing::ValuesIn(kComputed),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EclipseDialog, NothingComputedStillExportsAndAnnouncesNoFiles) {
    DialogWorld w;
    ScratchDir dir;
    frmECL d(w.Host());
    Open(d);
    Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), Q(dir / "Eclipse"));
    Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));
    ASSERT_EQ(w.messages.boxes.size(), 1u);
    EXPECT_EQ(w.messages.boxes[0].kind, "info");
    EXPECT_EQ(w.messages.boxes[0].text, "Eclipse output complete!");
    EXPECT_EQ(w.messages.boxes[0].title, "Files: ");
    EXPECT_TRUE(FilesIn(dir.path()).empty());
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_FALSE(d.isVisible());
}

TEST(EclipseDialog, BaseNameFillsEveryPathBoxIncludingDisabledOnes) {
    DialogWorld w;
    w.data.Compute({.oil = false, .gas = true});
    frmECL d(w.Host());
    Open(d);
    // A path typed by hand is replaced when the base name changes.
    Type(PathBox(d, 2), QStringLiteral("mine.pvdg"));
    EXPECT_EQ(d.Writer().PVDGFile(), "mine.pvdg");
    Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), QStringLiteral("Case2"));
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(PathBox(d, k)->text().toStdString(), std::string("Case2") + kExtensions[k]) << kBoxes[k];
        EXPECT_EQ(WriterPaths(d.Writer())[k], std::string("Case2") + kExtensions[k]) << kBoxes[k];
    }
    EXPECT_EQ(d.Writer().FileName(), "Case2");
    EXPECT_FALSE(PathBox(d, 0)->isEnabled());
}

TEST(EclipseDialog, UncheckedPvtoIsNotWrittenThoughItsPathIsShown) {
    DialogWorld w;
    ScratchDir dir;
    w.data.Compute({.oil = true});
    frmECL d(w.Host());
    Open(d);
    Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), Q(dir / "Case2"));
    Click(Include(d, 1));
    EXPECT_FALSE(Include(d, 1)->isChecked());
    EXPECT_FALSE(d.Writer().PVTO());
    EXPECT_FALSE(PathBox(d, 1)->isEnabled());
    EXPECT_EQ(PathBox(d, 1)->text(), Q(dir / "Case2.pvto"));
    Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));
    EXPECT_EQ(FilesIn(dir.path()), (std::set<std::string>{"Case2.pvdo", "Case2.pvdg", "Case2.dens"}));
    ASSERT_EQ(w.messages.boxes.size(), 1u);
    EXPECT_EQ(w.messages.boxes[0].title, "Files: PVDO PVDG DENSITY ");
}

TEST(EclipseDialog, ExportWritesTheBatchToolsFiles) {
    DialogWorld w;
    ScratchDir batch, dialog;
    w.data.Compute({.oil = true, .gas = true, .water = true});
    w.data.objects.Rock.Fluids(1);
    w.data.ComputeRock();
    WriteCaseEclipse(w.data.objects, batch.path());

    frmECL d(w.Host());
    Open(d);
    Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), Q(dialog / "Eclipse"));
    Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));

    const std::set<std::string> expected{"Eclipse.pvdo", "Eclipse.pvto", "Eclipse.pvdg",
                                         "Eclipse.pvtw", "Eclipse.dens", "Eclipse.sgof"};
    EXPECT_EQ(FilesIn(batch.path()), expected);
    EXPECT_EQ(FilesIn(dialog.path()), expected);
    for (const std::string& name : expected)
        EXPECT_EQ(ReadFile(dialog.path() / name), ReadFile(batch.path() / name)) << name;
    ASSERT_EQ(w.messages.boxes.size(), 1u);
    EXPECT_TRUE(w.messages.boxes[0].text.starts_with("Eclipse output complete!\n\nWritten to:\n"))
        << w.messages.boxes[0].text;
    EXPECT_EQ(w.messages.boxes[0].title, "Files: PVDO PVTO PVDG PVTW DENSITY SGOF ");
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

// The units choice: Field by default, Metric writes the batch tool's METRIC files, the choice is
// kept for the next opening, and the offered tables are checked again in the chosen units (two
// pressures 0.02 psi apart: FIELD writes them with 2 decimals, METRIC's 3 keep them apart anyway).
TEST(EclipseDialog, MetricIsChosenWrittenAndRemembered) {
    DialogWorld w;
    ScratchDir batch, dialog;
    // Two typed pressures 0.02 psi apart: alike with one decimal of psia, distinct in barsa.
    w.data.Compute({.oil = false, .gas = true, .pressures = {"3000", "2999.98", "2000"}});
    WriteCaseEclipse(w.data.objects, batch.path(), EclipseUnits::Metric);

    EclipseUnits remembered = EclipseUnits::Field;
    std::string base;
    {
        frmECL d(w.Host(), nullptr, &remembered, &base);
        Open(d);
        auto* field = Find<QRadioButton>(d, QStringLiteral("optUnits(0)"));
        auto* metric = Find<QRadioButton>(d, QStringLiteral("optUnits(1)"));
        EXPECT_TRUE(field->isChecked());
        EXPECT_EQ(d.Writer().Units(), EclipseUnits::Field);
        auto* warnings = Find<QLabel>(d, QStringLiteral("lblEclipseWarnings"));
        EXPECT_TRUE(warnings->isHidden()) << warnings->text().toStdString();
        EXPECT_TRUE(Include(d, 2)->toolTip().isEmpty());

        Click(metric);
        EXPECT_EQ(d.Writer().Units(), EclipseUnits::Metric);
        EXPECT_EQ(remembered, EclipseUnits::Metric);
        EXPECT_TRUE(warnings->isHidden()) << warnings->text().toStdString();
        EXPECT_TRUE(Include(d, 2)->toolTip().isEmpty());

        Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), Q(dialog / "Eclipse"));
        Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));
    }
    const std::set<std::string> expected{"Eclipse.pvdg", "Eclipse.dens"};
    EXPECT_EQ(FilesIn(dialog.path()), expected);
    for (const std::string& name : expected)
        EXPECT_EQ(ReadFile(dialog.path() / name), ReadFile(batch.path() / name)) << name;
    // The completion says where the files went, in the writer's order.
    ASSERT_EQ(w.messages.boxes.size(), 1u);
    const std::string folder = fs::absolute(dialog.path()).string();
    EXPECT_EQ(w.messages.boxes[0].text, "Eclipse output complete!\n\nWritten to:\n" + folder +
                                            "/Eclipse.pvdg\n" + folder + "/Eclipse.dens");

    // The next opening starts from Metric and the folder and name exported to; a dialog that is not
    // told of a choice starts from Field and "Eclipse".
    frmECL again(w.Host(), nullptr, &remembered, &base);
    EXPECT_TRUE(Find<QRadioButton>(again, QStringLiteral("optUnits(1)"))->isChecked());
    EXPECT_EQ(again.Writer().Units(), EclipseUnits::Metric);
    EXPECT_EQ(Find<QLineEdit>(again, QStringLiteral("txtFileName"))->text(), Q(dialog / "Eclipse"));
    EXPECT_EQ(PathBox(again, 2)->text(), Q(dialog / "Eclipse.pvdg"));
    frmECL fresh(w.Host());
    EXPECT_EQ(fresh.Writer().Units(), EclipseUnits::Field);
    EXPECT_EQ(Find<QLineEdit>(fresh, QStringLiteral("txtFileName"))->text(), QStringLiteral("Eclipse"));
}

// The consistent live-oil tick box: off at every opening, the files then those the batch tool writes
// by default; ticked, those of `run --consistent` (the default live oil's saturated extension turns
// to a negative total compressibility, so the two PVTO files differ).
TEST(EclipseDialog, ConsistentTickBoxWritesTheConsistentLiveOil) {
    DialogWorld w;
    ScratchDir scratch;
    const std::filesystem::path plain = scratch.path() / "plain", consistent = scratch.path() / "consistent";
    std::filesystem::create_directories(plain);
    std::filesystem::create_directories(consistent);
    w.data.Compute({.oil = true, .gas = true});
    WriteCaseEclipse(w.data.objects, plain, EclipseUnits::Field, false);
    WriteCaseEclipse(w.data.objects, consistent, EclipseUnits::Field, true);
    ASSERT_NE(ReadFile(plain / "Eclipse.pvto"), ReadFile(consistent / "Eclipse.pvto"));
    for (bool tick : {false, true}) {
        frmECL d(w.Host());
        Open(d);
        auto* box = Find<QCheckBox>(d, QStringLiteral("chkConsistent"));
        EXPECT_FALSE(box->isChecked());
        EXPECT_FALSE(d.Writer().Consistent());
        if (tick) Click(box);
        EXPECT_EQ(d.Writer().Consistent(), tick);
        const std::string base = tick ? "ticked" : "plain";
        Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), Q(scratch / base));
        Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));
        EXPECT_EQ(ReadFile(scratch.path() / (base + ".pvto")),
                  ReadFile((tick ? consistent : plain) / "Eclipse.pvto"))
            << base;
    }
}

// A write that fails: the path and the reason in an error box, no completion message, the dialog
// open, and a corrected name then exports.
struct Failure {
    const char* name;
    const char* reason; // strerror text expected in the message
};

void PrintTo(const Failure& f, std::ostream* os) {
    *os << f.name;
}

class EclipseFailure : public ::testing::TestWithParam<Failure> {};

TEST_P(EclipseFailure, KeepsTheDialogOpenWithTheError) {
    DialogWorld w;
    ScratchDir dir;
    w.data.Compute({.oil = false, .gas = true});
    frmECL d(w.Host());
    Open(d);
    QString bad;
    if (std::string(GetParam().name) == "MissingFolder") {
        Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), Q(dir / "no-such-folder/Eclipse"));
        bad = Q(dir / "no-such-folder/Eclipse.pvdg");
    } else {
        Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), Q(dir / "Eclipse"));
        fs::create_directory(dir.path() / "folder");
        bad = Q(dir / "folder");
        Type(PathBox(d, 2), bad);
    }
    Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));
    ASSERT_EQ(w.messages.boxes.size(), 1u);
    EXPECT_EQ(w.messages.boxes[0].kind, "error");
    EXPECT_EQ(w.messages.boxes[0].title, "Eclipse Export Error");
    EXPECT_NE(w.messages.boxes[0].text.find(bad.toStdString()), std::string::npos)
        << w.messages.boxes[0].text;
    EXPECT_NE(w.messages.boxes[0].text.find(GetParam().reason), std::string::npos)
        << w.messages.boxes[0].text;
    EXPECT_TRUE(d.isVisible());
    EXPECT_NE(d.result(), QDialog::Accepted);

    Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), Q(dir / "Fixed"));
    Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));
    ASSERT_EQ(w.messages.boxes.size(), 2u);
    EXPECT_EQ(w.messages.boxes[1].title, "Files: PVDG DENSITY ");
    EXPECT_TRUE(fs::exists(dir.path() / "Fixed.pvdg"));
    EXPECT_FALSE(d.isVisible());
}

INSTANTIATE_TEST_SUITE_P(Writes, EclipseFailure,
                         ::testing::Values(Failure{"MissingFolder", "No such file or directory"},
                                           Failure{"NameIsAFolder", "Is a directory"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(EclipseDialog, CancelAndTheCloseBoxWriteNothing) {
    for (bool closeBox : {false, true}) {
        DialogWorld w;
        ScratchDir dir;
        w.data.Compute({.oil = true});
        frmECL d(w.Host());
        Open(d);
        Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), Q(dir / "Eclipse"));
        if (closeBox) {
            d.close();
        } else {
            Click(Find<QPushButton>(d, QStringLiteral("cmdCancel")));
        }
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_FALSE(d.isVisible());
        EXPECT_TRUE(FilesIn(dir.path()).empty());
        EXPECT_TRUE(w.messages.boxes.empty());
    }
}

TEST(EclipseDialog, BrowsingPutsTheChosenNameInTheBox) {
    DialogWorld w;
    w.data.Compute({.oil = true});
    frmECL d(w.Host());
    Open(d);
    QLineEdit* base = Find<QLineEdit>(d, QStringLiteral("txtFileName"));

    // Clicking one of the files of an earlier export picks its base name.
    w.files.answer = QStringLiteral("/data/runs/Case3.pvdo");
    Click(Find<QPushButton>(d, QStringLiteral("cmdBrowseFileName")));
    ASSERT_EQ(w.files.asked.size(), 1u);
    EXPECT_EQ(w.files.asked[0].start, QDir::current().absoluteFilePath(QStringLiteral("Eclipse")));
    EXPECT_FALSE(w.files.asked[0].confirmOverwrite);
    EXPECT_EQ(base->text(), QStringLiteral("/data/runs/Case3"));
    EXPECT_EQ(d.Writer().PVTOFile(), "/data/runs/Case3.pvto");

    // The same base chosen again still runs the base-name rule: a typed path is replaced.
    Type(PathBox(d, 0), QStringLiteral("typed.pvdo"));
    w.files.answer = QStringLiteral("/data/runs/Case3");
    Click(Find<QPushButton>(d, QStringLiteral("cmdBrowseFileName")));
    EXPECT_EQ(PathBox(d, 0)->text(), QStringLiteral("/data/runs/Case3.pvdo"));
    EXPECT_EQ(d.Writer().PVDOFile(), "/data/runs/Case3.pvdo");

    // A path box's own button sets that path only.
    w.files.answer = QStringLiteral("/elsewhere/oil.inc");
    Click(Find<QPushButton>(d, QStringLiteral("cmdBrowsePVTO")));
    EXPECT_TRUE(w.files.asked.back().confirmOverwrite);
    EXPECT_EQ(PathBox(d, 1)->text(), QStringLiteral("/elsewhere/oil.inc"));
    EXPECT_EQ(d.Writer().PVTOFile(), "/elsewhere/oil.inc");
    EXPECT_EQ(d.Writer().PVDOFile(), "/data/runs/Case3.pvdo");

    // Cancelling the file dialog changes nothing; a table not offered has no button to press.
    w.files.answer.clear();
    Click(Find<QPushButton>(d, QStringLiteral("cmdBrowseFileName")));
    EXPECT_EQ(base->text(), QStringLiteral("/data/runs/Case3"));
    EXPECT_FALSE(Find<QPushButton>(d, QStringLiteral("cmdBrowsePVTW"))->isEnabled());
    Click(Include(d, 0));
    EXPECT_FALSE(Find<QPushButton>(d, QStringLiteral("cmdBrowsePVDO"))->isEnabled());
}

TEST(EclipseDialog, ABoxSelectsItsWholeTextOnFocus) {
    DialogWorld w;
    w.data.Compute({.oil = true});
    frmECL d(w.Host());
    Open(d);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));
    for (const char* name : {"txtFileName", "txtPVDO", "txtDENS"}) {
        QLineEdit* box = Find<QLineEdit>(d, QString::fromLatin1(name));
        Find<QPushButton>(d, QStringLiteral("cmdCancel"))->setFocus();
        box->deselect();
        box->setFocus(Qt::OtherFocusReason);
        EXPECT_EQ(box->selectedText().toStdString(), box->text().toStdString()) << name;
    }
    // A click places no cursor in the middle of the name.
    QLineEdit* base = Find<QLineEdit>(d, QStringLiteral("txtFileName"));
    Find<QPushButton>(d, QStringLiteral("cmdReport"))->setFocus();
    QTest::mouseClick(base, Qt::LeftButton, {}, QPoint(base->width() / 2, base->height() / 2));
    QApplication::processEvents();
    EXPECT_EQ(base->selectedText().toStdString(), base->text().toStdString());
}

// Tables a simulator would refuse are marked when the dialog opens and are still written.
struct Refusal {
    const char* name;
    std::function<void(Objects&)> compute;
    const char* refused; // the table the case makes refused (nullptr: none), among those offered
    const char* reason;  // a piece of its reason
};

void PrintTo(const Refusal& r, std::ostream* os) {
    *os << r.name;
}

const Refusal kRefusals[] = {
    // Every phase with Corey oil-water drainage: nothing a simulator refuses.
    {"Clean",
     [](Objects& o) {
         o.Compute({.oil = true, .gas = true, .water = true});
         o.ComputeRock();
     },
     nullptr, nullptr},
    // Gas-oil Corey drainage with the default end points: kro at the highest gas saturation is above 0.
    {"GasOilDrainage",
     [](Objects& o) {
         o.Compute({.oil = true, .gas = true});
         o.objects.Rock.Fluids(1);
         o.objects.Rock.Displace(0);
         o.ComputeRock();
     },
     "SGOF", "kro never reaches 0"},
    // Typed pressures 3000 and 2999.98 psia, alike at one decimal: written with two, nothing refused.
    {"PressuresWrittenApart",
     [](Objects& o) {
         o.Compute({.gas = true, .pressures = {"4000", "3000", "2999.98", "1000"}, .pbp = "2000"});
     },
     nullptr, nullptr},
};

class EclipseRefusals : public ::testing::TestWithParam<Refusal> {};

TEST_P(EclipseRefusals, MarksRefusedTablesAndStillWritesThem) {
    DialogWorld w;
    ScratchDir dir;
    GetParam().compute(w.data);
    frmECL d(w.Host());
    Open(d);
    QStringList refused;
    for (int k = 0; k < 7; ++k) {
        SCOPED_TRACE(kEclipseKeywords[k]);
        const std::vector<std::string> reasons = Include(d, k)->isEnabled()
                                                     ? CheckEclipseTable(w.data.objects, kEclipseKeywords[k])
                                                     : std::vector<std::string>{};
        QStringList lines;
        for (const std::string& r : reasons)
            lines << Q(r);
        EXPECT_EQ(Include(d, k)->toolTip(), lines.join(QLatin1Char('\n')));
        EXPECT_EQ(Include(d, k)->icon().isNull(), reasons.empty());
        if (!reasons.empty()) refused << QString::fromLatin1(kEclipseKeywords[k].data());
    }
    auto* warning = Find<QLabel>(d, QStringLiteral("lblEclipseWarnings"));
    if (!GetParam().refused) {
        EXPECT_TRUE(refused.isEmpty()) << refused.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(warning->isVisible());
        return;
    }
    ASSERT_TRUE(refused.contains(QLatin1String(GetParam().refused)))
        << refused.join(QLatin1Char(' ')).toStdString();
    const int k = static_cast<int>(std::find(std::begin(kEclipseKeywords), std::end(kEclipseKeywords),
                                             std::string_view(GetParam().refused)) -
                                   std::begin(kEclipseKeywords));
    EXPECT_TRUE(Include(d, k)->toolTip().contains(QLatin1String(GetParam().reason)))
        << Include(d, k)->toolTip().toStdString();
    EXPECT_TRUE(warning->isVisible());
    EXPECT_EQ(warning->text(), QStringLiteral("A simulator would refuse: ") +
                                   refused.join(QStringLiteral(", ")) +
                                   QStringLiteral(". Hover over a table for the reasons."));

    // Export asks nothing more and writes the refused table with the others.
    Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), Q(dir / "Case"));
    Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));
    ASSERT_EQ(w.messages.boxes.size(), 1u);
    EXPECT_TRUE(w.messages.boxes[0].text.starts_with("Eclipse output complete!\n"))
        << w.messages.boxes[0].text;
    EXPECT_TRUE(fs::exists(dir.path() / (std::string("Case") + kExtensions[k])));
    EXPECT_EQ(d.result(), QDialog::Accepted);
}

INSTANTIATE_TEST_SUITE_P(Cases, EclipseRefusals, ::testing::ValuesIn(kRefusals),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace q7::test

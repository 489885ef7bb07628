// The report dialog through its widgets: filled from the project, edits reaching the report but
// never the project, the groups from the GO flags, Report against the batch tool's report and
// page, and a failed write that keeps the dialog open.
#include "DialogTestSupport.h"

#include "engine/clsProject.h"
#include "writers/CaseOutput.h"
#include "writers/clsReport.h"
#include "writers/ui/frmReport.h"

#include <QCheckBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <ctime>
#include <filesystem>

namespace q7::test {
namespace {

namespace fs = std::filesystem;

QCheckBox* Include(QWidget& d, int k) {
    return Find<QCheckBox>(d, QStringLiteral("cbxInclude(%1)").arg(k));
}

std::vector<std::string> TextLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

clsProject Project() {
    clsProject p;
    p.Company("Aurora Petroleum");
    p.Field("North Dome");
    p.Reservoir("Lower Tarbert");
    p.PrjDesc("Block 7, well 7-3");
    p.CreatedBy("R. Haldane");
    return p;
}

TEST(ReportDialog, FilledFromTheProject) {
    DialogWorld w;
    w.data.Compute({.oil = true, .gas = true, .water = true});
    w.data.ComputeRock();
    const clsProject project = Project();
    frmReport d(w.Host(), project);
    Open(d);
    const std::pair<const char*, const char*> boxes[] = {{"txtCompany", "Aurora Petroleum"},
                                                         {"txtField", "North Dome"},
                                                         {"txtReservoir", "Lower Tarbert"},
                                                         {"txtCreatedBy", "R. Haldane"},
                                                         {"txtFileName", "Sample.txt"}};
    for (const auto& [name, text] : boxes)
        EXPECT_EQ(Find<QLineEdit>(d, QString::fromLatin1(name))->text().toStdString(), text) << name;
    EXPECT_EQ(Find<QPlainTextEdit>(d, QStringLiteral("txtDesc"))->toPlainText(),
              QStringLiteral("Block 7, well 7-3"));
    const clsReport& r = d.Writer();
    EXPECT_EQ(r.Company(), "Aurora Petroleum");
    EXPECT_EQ(r.Field(), "North Dome");
    EXPECT_EQ(r.Reservoir(), "Lower Tarbert");
    EXPECT_EQ(r.PrjDesc(), "Block 7, well 7-3");
    EXPECT_EQ(r.CreatedBy(), "R. Haldane");
    EXPECT_EQ(r.FileName(), "Sample.txt");
    // Every phase computed: all four groups checked.
    for (int k = 0; k < 4; ++k) {
        EXPECT_TRUE(Include(d, k)->isEnabled()) << k;
        EXPECT_TRUE(Include(d, k)->isChecked()) << k;
    }
    EXPECT_TRUE(r.IncludeOIL() && r.IncludeGAS() && r.IncludeWAT() && r.IncludeROCK());
}

TEST(ReportDialog, EditsReachTheReportButNotTheProject) {
    DialogWorld w;
    ScratchDir dir;
    w.data.Compute({.oil = true});
    const clsProject project = Project();
    frmReport d(w.Host(), project);
    Open(d);
    Type(Find<QLineEdit>(d, QStringLiteral("txtCompany")), QStringLiteral("Corvanta Consulting"));
    Type(Find<QLineEdit>(d, QStringLiteral("txtCreatedBy")), QString());
    auto* location = Find<QPlainTextEdit>(d, QStringLiteral("txtDesc"));
    location->selectAll();
    QTest::keyClicks(location, QStringLiteral("Ridge"));
    QTest::keyClick(location, Qt::Key_Return); // the location stays one line
    QTest::keyClicks(location, QStringLiteral(" B"));
    Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), Q(dir / "well.txt"));
    Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));

    const std::vector<std::string> lines = TextLines(ReadFile(dir.path() / "well.txt"));
    ASSERT_GE(lines.size(), 9u);
    EXPECT_EQ(lines[0].rfind("Corvanta" + std::string(20, ' '), 0), 0u) << lines[0];
    EXPECT_EQ(lines[4], "Company: Corvanta Consulting");
    EXPECT_EQ(lines[5], "Field: North Dome");
    EXPECT_EQ(lines[7], "Location: Ridge B");
    EXPECT_EQ(lines[8], "Engineer: ");
    EXPECT_TRUE(fs::is_regular_file(dir.path() / "well.htm"));
    EXPECT_EQ(project.Company(), "Aurora Petroleum");
    EXPECT_EQ(project.CreatedBy(), "R. Haldane");
    ASSERT_EQ(w.messages.boxes.size(), 1u);
    EXPECT_EQ(w.messages.boxes[0].text, "Report output complete!");
    EXPECT_EQ(w.messages.boxes[0].title, "File: " + (dir / "well.txt"));
    EXPECT_EQ(d.result(), QDialog::Accepted);

    // A line break pasted into the location becomes a space.
    DialogWorld again;
    frmReport d2(again.Host(), project);
    Find<QPlainTextEdit>(d2, QStringLiteral("txtDesc"))->setPlainText(QStringLiteral("Block 7\nwell 7-3"));
    EXPECT_EQ(d2.Writer().PrjDesc(), "Block 7 well 7-3");
}

TEST(ReportDialog, NothingComputedWritesTheHeaderOnly) {
    DialogWorld w;
    ScratchDir dir;
    const clsProject project;
    frmReport d(w.Host(), project);
    Open(d);
    for (int k = 0; k < 4; ++k) {
        EXPECT_FALSE(Include(d, k)->isEnabled()) << k;
        EXPECT_FALSE(Include(d, k)->isChecked()) << k;
    }
    Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), Q(dir / "Sample.txt"));
    Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));
    const std::vector<std::string> lines = TextLines(ReadFile(dir.path() / "Sample.txt"));
    ASSERT_EQ(lines.size(), 10u); // two title lines, two empty, five label lines, one empty
    EXPECT_EQ(lines[4], "Company: -Not Set-");
    EXPECT_EQ(lines[9], "");
}

TEST(ReportDialog, ReportWritesTheBatchToolsReportAndPage) {
    DialogWorld w;
    ScratchDir batch, dialog;
    w.data.Compute({.oil = true, .gas = true, .water = true});
    w.data.objects.Rock.Fluids(1);
    w.data.ComputeRock();
    const clsProject project = Project();
    const ReportIdentity identity{project.Company(), project.Field(), project.Reservoir(), project.PrjDesc(),
                                  project.CreatedBy()};
    // The header carries the minute of writing: the batch report is taken within one minute.
    std::time_t when = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        when = std::time(nullptr);
        WriteCaseReport(w.data.objects, identity, batch.path());
        if (ReportDateText(when) == ReportDateText(std::time(nullptr))) break;
    }

    frmReport d(w.Host(), project);
    d.Writer().SetClock([when] { return when; });
    Open(d);
    Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), Q(dialog / "Sample.txt"));
    Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));
    for (const char* name : {"Sample.txt", "Sample.htm"}) {
        const std::string written = ReadFile(dialog.path() / name);
        EXPECT_FALSE(written.empty()) << name;
        EXPECT_EQ(written, ReadFile(batch.path() / name)) << name;
    }
}

// The correlation section is the user's choice (off by default: the report stays as it was), and a
// case matched to laboratory data has it whatever the box says.
TEST(ReportDialog, CorrelationsSectionOnlyWhenAskedForOrMatched) {
    auto report = [](DialogWorld& w, const fs::path& file, bool tick) {
        const clsProject project = Project();
        frmReport d(w.Host(), project);
        Open(d);
        auto* box = Find<QCheckBox>(d, QStringLiteral("cbxCorrelations"));
        EXPECT_NE(box, nullptr);
        if (!box) return std::string();
        if (tick && box->isEnabled()) box->click();
        Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), Q(file));
        Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));
        return ReadFile(file);
    };
    ScratchDir dir;
    DialogWorld plain;
    plain.data.Compute({.oil = true, .gas = true, .water = true});
    {
        const clsProject project = Project();
        frmReport d(plain.Host(), project);
        auto* box = Find<QCheckBox>(d, QStringLiteral("cbxCorrelations"));
        ASSERT_NE(box, nullptr);
        EXPECT_FALSE(box->isChecked());
        EXPECT_TRUE(box->isEnabled());
    }
    const std::string without = report(plain, dir.path() / "plain.txt", false);
    const std::string with = report(plain, dir.path() / "named.txt", true);
    EXPECT_EQ(without.find("Standing"), std::string::npos);
    for (const char* name : {"Standing", "Vazquez", "Dranchuk", "Lee", "McCain", "Osif"})
        EXPECT_NE(with.find(name), std::string::npos) << name;
    EXPECT_GT(with.size(), without.size());

    DialogWorld matched;
    matched.data.objects.Oil.SetLabBob("1.4");
    matched.data.Compute({.oil = true});
    ASSERT_TRUE(matched.data.objects.Oil.GO());
    ASSERT_TRUE(matched.data.objects.Oil.Match().Made);
    {
        const clsProject project = Project();
        frmReport d(matched.Host(), project);
        auto* box = Find<QCheckBox>(d, QStringLiteral("cbxCorrelations"));
        ASSERT_NE(box, nullptr);
        EXPECT_TRUE(box->isChecked());
        EXPECT_FALSE(box->isEnabled());
    }
    const std::string matchedText = report(matched, dir.path() / "matched.txt", false);
    EXPECT_NE(matchedText.find("Standing"), std::string::npos);
}

TEST(ReportDialog, FailedWriteKeepsTheDialogOpen) {
    DialogWorld w;
    ScratchDir dir;
    const clsProject project;
    frmReport d(w.Host(), project);
    Open(d);
    const QString bad = Q(dir / "missing/Sample.txt");
    Type(Find<QLineEdit>(d, QStringLiteral("txtFileName")), bad);
    Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));
    ASSERT_EQ(w.messages.boxes.size(), 1u);
    EXPECT_EQ(w.messages.boxes[0].kind, "error");
    EXPECT_EQ(w.messages.boxes[0].title, "Report Error");
    EXPECT_NE(w.messages.boxes[0].text.find(bad.toStdString()), std::string::npos)
        << w.messages.boxes[0].text;
    EXPECT_NE(w.messages.boxes[0].text.find("No such file or directory"), std::string::npos);
    EXPECT_TRUE(d.isVisible());

    w.files.answer = Q(dir / "Sample.txt");
    Click(Find<QPushButton>(d, QStringLiteral("cmdBrowseFileName")));
    EXPECT_EQ(d.Writer().FileName(), dir / "Sample.txt");
    Click(Find<QPushButton>(d, QStringLiteral("cmdReport")));
    ASSERT_EQ(w.messages.boxes.size(), 2u);
    EXPECT_EQ(w.messages.boxes[1].kind, "info");
    EXPECT_FALSE(d.isVisible());
}

} // namespace
} // namespace q7::test

// q7-batch's project commands on a temporary project database (named through Q7_DATABASE).
#include "tests/store/StoreTestSupport.h"

#include "batch/CaseFile.h"
#include "batch/ProjectCommands.h"
#include "batch/RunCase.h"
#include "engine/MessageSink.h"
#include "engine/Q7Objects.h"
#include "store/clsQ7IO.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QThread>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <set>
#include <sstream>

namespace q7 {
namespace {

namespace fs = std::filesystem;
using test::Scalar;
using test::TempDatabase;

using test::kDataTables;
struct CommandResult {
    int status = 0;
    std::string out, err;
};

// Run on both backends: Q7_DATABASE names the SQLite file or the test server's database.
class ProjectCommands : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        Q7_SKIP_WITHOUT_SERVER(GetParam());
        ASSERT_EQ(setenv("Q7_DATABASE", db.Path().toLocal8Bit().constData(), 1), 0);
    }
    void TearDown() override { unsetenv("Q7_DATABASE"); }

    CommandResult Run(const std::vector<std::string>& args) {
        std::ostringstream out, err;
        std::streambuf* const oldOut = std::cout.rdbuf(out.rdbuf());
        std::streambuf* const oldErr = std::cerr.rdbuf(err.rdbuf());
        CommandResult result;
        result.status = RunProjectCommand(args);
        std::cout.rdbuf(oldOut);
        std::cerr.rdbuf(oldErr);
        result.out = out.str();
        result.err = err.str();
        return result;
    }

    // Saves a case and returns the new project's id, read from the database.
    int Save(const std::string& file, const std::string& name, std::vector<std::string> extra = {}) {
        std::vector<std::string> args = {"save", file, "--name", name};
        args.insert(args.end(), extra.begin(), extra.end());
        const CommandResult r = Run(args);
        EXPECT_EQ(r.status, 0) << r.err;
        return Scalar(db.Path(), "SELECT max(PrjID) FROM tblProject").toInt();
    }

    // A data table's row of a project, every column but the key.
    QStringList DataRow(const char* table, int id) {
        QStringList row = test::RowsOf(db.Path(), table, QStringLiteral("WHERE PrjID = %1").arg(id));
        for (QString& r : row)
            r.remove(QRegularExpression(QStringLiteral("^PrjID=\\d+ ")));
        return row;
    }

    // Creates a project of the start-up inputs straight through the store, past save's rules.
    int StoreDirectly(const QString& name) {
        clsQ7IO io;
        io.OpenDatabase(db.Path());
        NullMessageSink sink;
        Q7Objects objects(sink);
        Recordset row = io.NewREC(QStringLiteral("tblProject"));
        row.SetValue(QStringLiteral("PrjName"), name);
        io.CreateProject(row, objects);
        return row.Value(QStringLiteral("PrjID")).toInt();
    }

    fs::path WriteTemp(const std::string& name, const std::string& text) {
        const fs::path path = fs::path(db.Folder().toStdString()) / name;
        std::ofstream(path) << text;
        return path;
    }

    TempDatabase db{GetParam()};
};

std::vector<fs::path> Examples() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(Q7_SOURCE_DIR) / "examples"))
        if (entry.path().extension() == ".json") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Every example case: case -> save -> export -> save stores the same rows twice.
TEST_P(ProjectCommands, ExportedProjectSavesBackToTheSameRows) {
    const std::vector<fs::path> examples = Examples();
    ASSERT_FALSE(examples.empty());
    for (const fs::path& example : examples) {
        SCOPED_TRACE(example.filename().string());
        const int first =
            Save(example.string(), example.stem().string(), {"--by", "Tester", "--desc", "From a case"});
        const CommandResult exported = Run({"export", "--id", std::to_string(first)});
        ASSERT_EQ(exported.status, 0) << exported.err;
        const fs::path again = WriteTemp(example.stem().string() + "-exported.json", exported.out);
        const int second = Save(again.string(), example.stem().string() + " again");
        ASSERT_NE(first, second);
        for (const char* table : kDataTables) {
            const QStringList row = DataRow(table, first);
            ASSERT_EQ(row.size(), 1) << table;
            EXPECT_EQ(DataRow(table, second), row) << table;
        }
        // The author and description travel with the exported case.
        EXPECT_EQ(
            Scalar(db.Path(), "SELECT CreatedBy || '/' || PrjDesc FROM tblProject WHERE PrjID = ?", {second})
                .toString(),
            QStringLiteral("Tester/From a case"));
    }
}

// A stored project computes exactly as the case file it was saved from (cases that give the initial
// GOR or neither oil-tab value, and no plus fraction: a bubble-point-only case reloads with the
// derived GOR, as the workstation does, and a project keeps no plus fraction).
TEST_P(ProjectCommands, RunOfAStoredProjectMatchesTheCaseFile) {
    const fs::path out = fs::path(db.Folder().toStdString()) / "out";
    int compared = 0;
    for (const fs::path& example : Examples()) {
        const CaseFile c = CaseFile::FromFile(example);
        // A project keeps no plus fraction.
        if (c.Has("PlusEntry") || c.Has("PLUSmw") || c.Has("PLUSgg")) continue;
        SCOPED_TRACE(example.filename().string());
        const std::string name = example.stem().string();
        Save(example.string(), name);
        RunCaseToDir(c, name + "-case", out, OutputFormats{true, false, false, false});
        const CommandResult r =
            Run({"run", "--project", name, "--out", out.string(), "--formats", "summary"});
        EXPECT_NE(r.status, 2) << r.err;
        std::ifstream fromCase(out / (name + "-case") / "summary.json"),
            fromProject(out / name / "summary.json");
        ASSERT_TRUE(fromCase && fromProject);
        const std::string a((std::istreambuf_iterator<char>(fromCase)), {});
        const std::string b((std::istreambuf_iterator<char>(fromProject)), {});
        EXPECT_EQ(a, b);
        ++compared;
    }
    EXPECT_GE(compared, 2);
}

// --check on a stored project: the refused table printed under the project's name, status 1, and
// nothing written without --out; a clean project prints nothing.
TEST_P(ProjectCommands, RunOfAStoredProjectChecksTheEclipseTables) {
    // Gas–oil Corey drainage: kro never reaches 0, which a simulator refuses in SGOF.
    Save(WriteTemp("refused.json",
                   R"({"PhaseOil": 1, "PhaseGas": 1, "RockType": 1, "DrainType": 0, "CorrType": 0})")
             .string(),
         "Refused");
    Save((fs::path(Q7_SOURCE_DIR) / "examples" / "default.json").string(), "Clean");
    const fs::path before = fs::current_path();
    fs::current_path(db.Folder().toStdString());
    const CommandResult refused = Run({"run", "--project", "Refused", "--check"});
    const CommandResult clean = Run({"run", "--project", "Clean", "--check"});
    fs::current_path(before);
    EXPECT_EQ(refused.status, 1) << refused.err;
    EXPECT_EQ(refused.out.rfind("Refused: SGOF: kro never reaches 0", 0), 0u) << refused.out;
    EXPECT_EQ(std::count(refused.out.begin(), refused.out.end(), '\n'), 1) << refused.out;
    EXPECT_EQ(clean.status, 0) << clean.err;
    EXPECT_EQ(clean.out, "");
    EXPECT_FALSE(fs::exists(fs::path(db.Folder().toStdString()) / "Refused"));
    EXPECT_EQ(Run({"run", "--project", "Clean"}).status, 2);
}

TEST_P(ProjectCommands, ListsByNameAndDeletes) {
    CommandResult r = Run({"projects"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "Name\tCreated\tBy\tDescription\tID\n");

    const std::string example = (fs::path(Q7_SOURCE_DIR) / "examples" / "default.json").string();
    const int zulu = Save(example, "Zulu", {"--desc", "two\tcolumns"});
    const int alpha = Save(example, "alpha", {"--by", "Me"});
    r = Run({"projects"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::istringstream lines(r.out);
    std::string header, first, second, extra;
    std::getline(lines, header);
    std::getline(lines, first);
    std::getline(lines, second);
    EXPECT_FALSE(std::getline(lines, extra));
    EXPECT_EQ(first.substr(0, 6), "alpha\t");
    EXPECT_NE(first.find("\tMe\t\t" + std::to_string(alpha)), std::string::npos) << first;
    EXPECT_EQ(second.substr(0, 5), "Zulu\t");
    EXPECT_NE(second.find("\ttwo columns\t" + std::to_string(zulu)), std::string::npos) << second;

    r = Run({"delete", "Zulu"});
    EXPECT_EQ(r.status, 0) << r.err;
    for (const char* table : {"tblProject", "tblFluidSpec", "tblRock"})
        EXPECT_EQ(
            Scalar(db.Path(), QStringLiteral("SELECT count(*) FROM %1 WHERE PrjID = ?").arg(table), {zulu})
                .toInt(),
            0);
    EXPECT_EQ(Scalar(db.Path(), "SELECT count(*) FROM tblProject").toInt(), 1);
}

struct Refusal {
    std::vector<std::string> args;
    int status;
    const char* says;
};

TEST_P(ProjectCommands, NamesThatMatchNoneOrSeveralAreErrors) {
    const std::string example = (fs::path(Q7_SOURCE_DIR) / "examples" / "default.json").string();
    const int first = Save(example, "Twin");
    // save refuses a second "Twin"; a database from before that rule (or another program) may
    // hold one.
    const int second = StoreDirectly("Twin");
    const std::string ids = "(ids " + std::to_string(first) + ", " + std::to_string(second) + ")";
    const Refusal refusals[] = {
        {{"export", "Nobody"}, 1, "no project is named \"Nobody\""},
        {{"delete", "twin"}, 1, "no project is named \"twin\""},
        {{"export", "Twin"}, 1, "2 projects are named \"Twin\""},
        {{"run", "--project", "Twin", "--out", "/tmp"}, 1, "2 projects are named \"Twin\""},
        {{"delete", "--id", "999"}, 1, "no project has the id 999"},
        {{"export", "--id", "x1"}, 2, "--id needs a project number"},
        {{"export"}, 2, "names one project"},
        {{"export", "Twin", "--id", "1"}, 2, "names one project"},
        {{"save", example}, 2, "save needs --name NAME"},
        {{"save", example, "--name", "X", "--colour", "red"}, 2, "unknown option for save: --colour"},
        {{"run", "--project", "Twin"}, 2, "--out DIR is required"},
        {{"run", "--project", "--id", "1", "--out", "/tmp", "--formats", "pdf"}, 2, "--formats takes"},
        {{"save", "/no/such/case.json", "--name", "X"}, 1, "/no/such/case.json: cannot be read"},
    };
    for (const Refusal& refusal : refusals) {
        const CommandResult r = Run(refusal.args);
        EXPECT_EQ(r.status, refusal.status) << refusal.says << "\n" << r.err;
        EXPECT_NE(r.err.find(refusal.says), std::string::npos) << r.err;
    }
    EXPECT_NE(Run({"export", "Twin"}).err.find(ids), std::string::npos);
    // Nothing was changed by the refused commands.
    EXPECT_EQ(Scalar(db.Path(), "SELECT count(*) FROM tblProject").toInt(), 2);
    // --id picks one of the twins.
    EXPECT_EQ(Run({"delete", "--id", std::to_string(first)}).status, 0);
    EXPECT_EQ(Run({"export", "Twin"}).status, 0);
}

std::string IndividualPressure(int k) {
    std::string key = "p";
    key += std::to_string(k);
    return key;
}

// The export without its two comment lines (project name and creation time).
std::string ExportedValues(const std::string& text) {
    nlohmann::json j = nlohmann::json::parse(text);
    j.erase("_project");
    j.erase("_created");
    return j.dump();
}

// Drawn cases whose values need all nine digits of a single (API 40.160805, a bubble point
// 2035.716) and a discrete list shorter than 18: case -> save -> export -> save -> export gives the
// same export and the same rows, and a list of n pressures stays n pressures. Before, the
// seven-digit general form turned API 40.160805 into 40.16081 on the second save, and the places
// after the list were stored as copies of its last pressure.
TEST_P(ProjectCommands, DrawnCasesSurviveExportAndSaveUnchanged) {
    std::mt19937 draw(20261209);
    auto uniform = [&draw](float lo, float hi) {
        return std::uniform_real_distribution<float>(lo, hi)(draw);
    };
    for (int n = 0; n < 12; ++n) {
        SCOPED_TRACE("case " + std::to_string(n));
        nlohmann::json c;
        c["PhaseOil"] = 1;
        c["PhaseWater"] = n % 2;
        c["RESTEMP"] = uniform(120.0f, 260.0f);
        c["API"] = uniform(20.0f, 50.0f);
        c["SepGasGrav"] = uniform(0.6f, 1.1f);
        c["SepP"] = uniform(50.0f, 200.0f);
        c["GasGrav"] = uniform(0.6f, 1.0f);
        c["SWC"] = uniform(0.1f, 0.3f);
        c["CoreyK"] = uniform(1.5f, 4.0f);
        c["PERSalinity"] = uniform(0.5f, 8.0f);
        if (n % 3 == 0)
            c["BPP"] = uniform(1500.0f, 3500.0f);
        else
            c["InitGO"] = uniform(200.0f, 1200.0f);
        const int pressures = 2 + n % 10;
        if (n % 2 == 0) {
            c["PrRange"] = "I";
            float p = 200.0f;
            for (int k = 1; k <= pressures; ++k)
                c[IndividualPressure(k)] = p += uniform(100.0f, 600.0f);
        } else {
            c["PrRange"] = "R";
            c["MinPr"] = uniform(14.7f, 500.0f);
            c["MaxPr"] = uniform(4000.0f, 6000.0f);
        }
        const std::string name = "drawn" + std::to_string(n);
        const int first = Save(WriteTemp(name + ".json", c.dump()).string(), name);
        const CommandResult once = Run({"export", "--id", std::to_string(first)});
        ASSERT_EQ(once.status, 0) << once.err;
        const int second = Save(WriteTemp(name + "-1.json", once.out).string(), name + "-1");
        const CommandResult twice = Run({"export", "--id", std::to_string(second)});
        ASSERT_EQ(twice.status, 0) << twice.err;
        EXPECT_EQ(ExportedValues(twice.out), ExportedValues(once.out));
        for (const char* table : kDataTables)
            EXPECT_EQ(DataRow(table, second), DataRow(table, first)) << table;

        const nlohmann::json exported = nlohmann::json::parse(once.out);
        EXPECT_EQ(exported.at("API").get<float>(), c.at("API").get<float>());
        if (n % 2 == 0) {
            for (int k = pressures + 1; k <= 18; ++k)
                EXPECT_EQ(exported.at(IndividualPressure(k)).get<double>(), 0.0) << k;
            NullMessageSink sink;
            Q7Objects objects(sink);
            ApplyCase(CaseFile::FromJson(exported, "export"), objects);
            EXPECT_EQ(objects.Prs.NPRSi(), pressures);
        }
    }
}

// A saved case runs as the case itself, whichever of the oil tab's boxes it gives (the GOR, the
// bubble point, both or neither) and whatever else it holds: save, then run --project, gives the
// summary of run CASE in every field. Drawn cases over the inputs a project stores.
TEST_P(ProjectCommands, DrawnSavedCasesRunAsTheCaseItself) {
    std::mt19937 draw(20261210);
    auto uniform = [&draw](float lo, float hi) {
        return std::uniform_real_distribution<float>(lo, hi)(draw);
    };
    auto whole = [&draw](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(draw); };
    const fs::path out = fs::path(db.Folder().toStdString()) / "out";
    for (int n = 0; n < 40; ++n) {
        SCOPED_TRACE("case " + std::to_string(n));
        nlohmann::json c;
        c["PhaseOil"] = n % 5 == 4 ? 0 : 1;
        c["PhaseGas"] = whole(0, 1);
        c["PhaseWater"] = whole(0, 1);
        c["RESTEMP"] = uniform(100.0f, 280.0f);
        c["API"] = uniform(18.0f, 50.0f);
        c["SepGasGrav"] = uniform(0.6f, 1.1f);
        c["SepP"] = uniform(40.0f, 250.0f);
        c["SepT"] = uniform(60.0f, 120.0f);
        c["GasGrav"] = uniform(0.58f, 1.0f);
        if (whole(0, 1)) c["mfCO2"] = uniform(0.0f, 0.1f);
        if (whole(0, 1))
            c["PPMSalinity"] = whole(0, 200000);
        else
            c["PERSalinity"] = uniform(0.0f, 20.0f);
        c["SWC"] = uniform(0.1f, 0.3f);
        c["CoreyK"] = uniform(1.5f, 4.0f);
        // The oil pair: the GOR, the bubble point (also a whole number, as typed), both, or neither.
        switch (n % 4) {
        case 0:
            c["InitGO"] = uniform(150.0f, 1500.0f);
            break;
        case 1:
            c["BPP"] = n % 8 == 1 ? static_cast<float>(whole(1000, 4500)) : uniform(1000.0f, 4500.0f);
            break;
        case 2:
            c["InitGO"] = uniform(150.0f, 1500.0f);
            c["BPP"] = uniform(1000.0f, 4500.0f);
            break;
        default:
            break;
        }
        if (whole(0, 1)) {
            c["PrRange"] = "I";
            float p = uniform(14.7f, 400.0f);
            for (int k = 1, count = whole(2, 18); k <= count; ++k)
                c[IndividualPressure(k)] = p += uniform(50.0f, 700.0f);
        } else {
            c["PrRange"] = "R";
            c["MinPr"] = uniform(14.7f, 500.0f);
            c["MaxPr"] = uniform(3000.0f, 8000.0f);
        }
        const std::string name = "drawn" + std::to_string(n);
        const fs::path file = WriteTemp(name + ".json", c.dump());
        Save(file.string(), name);
        RunCaseToDir(CaseFile::FromFile(file), name + "-case", out, OutputFormats{true, false, false, false});
        const CommandResult r =
            Run({"run", "--project", name, "--out", out.string(), "--formats", "summary"});
        EXPECT_NE(r.status, 2) << r.err;
        std::ifstream fromCase(out / (name + "-case") / "summary.json"),
            fromProject(out / name / "summary.json");
        ASSERT_TRUE(fromCase && fromProject);
        const nlohmann::json a = nlohmann::json::parse(fromCase), b = nlohmann::json::parse(fromProject);
        EXPECT_EQ(a, b) << c.dump() << "\n" << nlohmann::json::diff(a, b).dump();
    }
}

TEST_P(ProjectCommands, MissingDatabaseIsAFailureThatSaysWhere) {
    if (GetParam() != Backend::SQLite) GTEST_SKIP() << "about the SQLite file";
    const std::string missing = (fs::path(db.Folder().toStdString()) / "nowhere.mdb").string();
    ASSERT_EQ(setenv("Q7_DATABASE", missing.c_str(), 1), 0);
    const CommandResult r = Run({"projects"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("no project database at " + missing), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(missing));
}

// Projects stored before save refused such names (or by another program) still run into a folder
// of their own under --out, never beside or above it.
TEST_P(ProjectCommands, StoredNamesNeverLeaveTheOutputFolder) {
    const fs::path out = fs::path(db.Folder().toStdString()) / "runs" / "out";
    const int up = StoreDirectly(QStringLiteral(".."));
    StoreDirectly(QStringLiteral("a/b"));
    StoreDirectly(QStringLiteral("c\nd"));
    for (const char* name : {"a/b", "c\nd"}) {
        const CommandResult r =
            Run({"run", "--project", name, "--out", out.string(), "--formats", "summary"});
        EXPECT_EQ(r.status, 0) << r.err;
    }
    const CommandResult r = Run({"run", "--project", "--id", std::to_string(up), "--out", out.string()});
    EXPECT_EQ(r.status, 0) << r.err;
    std::set<std::string> folders;
    for (const auto& entry : fs::directory_iterator(out))
        folders.insert(entry.path().filename().string());
    EXPECT_EQ(folders, (std::set<std::string>{"a_b", "c_d", "project-" + std::to_string(up)}));
    EXPECT_EQ(std::distance(fs::directory_iterator(out.parent_path()), fs::directory_iterator()), 1);
}

// Before, such names were stored and then could not be named again: "--id" reads as an option,
// "a\tb" and "a\nb" look alike in the list and share one output folder.
TEST_P(ProjectCommands, SaveRefusesNamesThatCouldNotBeReachedLater) {
    const std::string example = (fs::path(Q7_SOURCE_DIR) / "examples" / "default.json").string();
    const std::pair<std::string, const char*> refused[] = {
        {"--id", "named \"--id\": a name starting with \"-\""},
        {"-x", "starting with \"-\""},
        {"a\nb", "named \"a\\x0ab\": the name holds a control character"},
        {"a\tb", "named \"a\\x09b\""},
        {"\xff\xfeX", "named \"\\xff\\xfeX\": the name is not valid UTF-8"},
        {"", "needs a name"},
    };
    for (const auto& [name, says] : refused) {
        const CommandResult r = Run({"save", example, "--name", name});
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_NE(r.err.find(says), std::string::npos) << r.err;
    }
    EXPECT_EQ(Scalar(db.Path(), "SELECT count(*) FROM tblProject").toInt(), 0);

    const int id = Save(example, "North \xc3\x96l");
    const CommandResult again = Run({"save", example, "--name", "North \xc3\x96l"});
    EXPECT_EQ(again.status, 1);
    EXPECT_NE(
        again.err.find("a project named \"North \xc3\x96l\" already exists (id " + std::to_string(id) + ")"),
        std::string::npos)
        << again.err;
    EXPECT_EQ(Scalar(db.Path(), "SELECT count(*) FROM tblProject").toInt(), 1);
    EXPECT_EQ(Run({"export", "North \xc3\x96l"}).status, 0);
}

TEST_P(ProjectCommands, ADatabasePathThatIsAFolderIsCalledOne) {
    if (GetParam() != Backend::SQLite) GTEST_SKIP() << "about the SQLite file";
    const std::string folder = db.Folder().toStdString();
    ASSERT_EQ(setenv("Q7_DATABASE", folder.c_str(), 1), 0);
    const CommandResult r = Run({"projects"});
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("cannot use the project database at " + folder + ": " + folder +
                         " is a folder, not a database file"),
              std::string::npos)
        << r.err;
    EXPECT_EQ(r.err.find("does not exist"), std::string::npos) << r.err;
}

// Before: "no project database at ... (database is locked)".
TEST_P(ProjectCommands, ALockedDatabaseSaysItIsLockedAndByWhichProcess) {
    if (GetParam() != Backend::SQLite) GTEST_SKIP() << "about the SQLite file";
    const std::string example = (fs::path(Q7_SOURCE_DIR) / "examples" / "default.json").string();
    Save(example, "Held");
    for (const char* mode : {"exclusive", "lock"}) {
        SCOPED_TRACE(mode);
        QProcess child;
        child.start(QStringLiteral(Q7_STORE_CHILD),
                    {QString::fromLatin1(mode), db.Path(), QStringLiteral("12")});
        ASSERT_TRUE(child.waitForStarted(5000));
        ASSERT_TRUE(child.waitForReadyRead(10000));
        ASSERT_TRUE(child.readAllStandardOutput().startsWith("locked"));
        const std::string pid = std::to_string(child.processId());
        // Exclusive: nobody may even read, so opening fails. A write lock: reading works and the
        // save fails once the wait for the other writer is over.
        const CommandResult r =
            std::string(mode) == "exclusive" ? Run({"projects"}) : Run({"save", example, "--name", "Second"});
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.err.find("locked by another program"), std::string::npos) << r.err;
        EXPECT_NE(r.err.find("process " + pid + " (store_test_chil"), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("no project database"), std::string::npos) << r.err;
        child.kill();
        child.waitForFinished(5000);
    }
    EXPECT_EQ(Run({"projects"}).status, 0);
}

// Before, a table locked on the server was reported as "Listing the projects" by save and delete
// too: each names its own operation.
TEST_P(ProjectCommands, ALockedServerTableIsReportedWithTheCommandsOwnOperation) {
    if (GetParam() != Backend::PostgreSQL) GTEST_SKIP() << "a table lock on the server";
    const std::string example = (fs::path(Q7_SOURCE_DIR) / "examples" / "default.json").string();
    Save(example, "Locked");
    QProcess child;
    child.start(QStringLiteral(Q7_STORE_CHILD),
                {QStringLiteral("locktable"), db.Path(), QStringLiteral("60")});
    ASSERT_TRUE(child.waitForStarted(5000));
    ASSERT_TRUE(child.waitForReadyRead(20000));
    ASSERT_TRUE(child.readAllStandardOutput().startsWith("locked"));
    const std::pair<std::vector<std::string>, std::string> commands[] = {
        {{"save", example, "--name", "Other"}, "Saving project \"Other\""},
        {{"delete", "Locked"}, "Deleting project \"Locked\""},
        {{"export", "Locked"}, "Exporting project \"Locked\""}};
    for (const auto& [args, operation] : commands) {
        const CommandResult r = Run(args);
        EXPECT_EQ(r.status, 1) << r.err;
        EXPECT_NE(r.err.find(operation), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("Listing the projects"), std::string::npos) << r.err;
    }
    child.kill();
    child.waitForFinished(5000);
    EXPECT_EQ(Run({"delete", "Locked"}).status, 0);
}

// On the server, delete leaves a project that a workstation has open, and says who has it.
TEST_P(ProjectCommands, DeleteLeavesAProjectOpenElsewhere) {
    if (GetParam() != Backend::PostgreSQL) GTEST_SKIP() << "projects are held on the server only";
    const int id = StoreDirectly(QStringLiteral("Open elsewhere"));
    QProcess holder;
    holder.start(QStringLiteral(Q7_STORE_CHILD), {QStringLiteral("hold"), db.Path(), QString::number(id)});
    ASSERT_TRUE(holder.waitForStarted(5000));
    ASSERT_TRUE(holder.waitForReadyRead(20000));
    ASSERT_EQ(holder.readAllStandardOutput().trimmed(), QByteArray("held"));
    const CommandResult refused = Run({"delete", "Open elsewhere"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("it is open in"), std::string::npos) << refused.err;
    EXPECT_EQ(Scalar(db.Path(), "SELECT count(*) FROM tblProject WHERE PrjID = ?", {id}).toInt(), 1);
    holder.kill();
    ASSERT_TRUE(holder.waitForFinished(10000));
    // Its holder gone, the project can be deleted.
    CommandResult deleted;
    for (int i = 0; i < 50; ++i) {
        deleted = Run({"delete", "Open elsewhere"});
        if (deleted.status == 0) break;
        QThread::msleep(100);
    }
    EXPECT_EQ(deleted.status, 0) << deleted.err;
    EXPECT_EQ(Scalar(db.Path(), "SELECT count(*) FROM tblProject").toInt(), 0);
}

INSTANTIATE_TEST_SUITE_P(Backends, ProjectCommands, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const ::testing::TestParamInfo<Backend>& info) {
                             return test::BackendName(info.param);
                         });

} // namespace
} // namespace q7

// What the batch tool refuses to compute or to write: values no form could hold, command lines that
// only look right, and output folders that are not the case's own.
#include "batch/CaseFile.h"
#include "batch/CaseFolder.h"
#include "batch/Options.h"
#include "numeric/Errors.h"
#include "tests/batch/BatchTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;
using q7::CaseError;
using q7::CaseFile;

namespace {

std::string Refusal(const std::string& json) {
    try {
        CaseFile::FromJson(nlohmann::json::parse(json), "bad.json");
    } catch (const CaseError& e) {
        return e.what();
    }
    return {};
}

std::string FileRefusal(const fs::path& path) {
    try {
        CaseFile::FromFile(path);
    } catch (const CaseError& e) {
        return e.what();
    }
    return {};
}

using q7test::Slurp;

// Every file under `dir`, as paths relative to it.
std::set<std::string> Tree(const fs::path& dir) {
    std::set<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(dir))
        files.insert(fs::relative(e.path(), dir).string());
    return files;
}

class TempDir : public q7test::BatchScratch {
protected:
    // Runs q7-batch (through the shell, after `prefix`); returns its exit status and fills `output`
    // with what it printed.
    int Run(const std::string& args, std::string* output = nullptr, const std::string& prefix = "") {
        const int rc = Sh(prefix + "exec Q7 " + args);
        if (output) *output = out + err;
        return rc;
    }
};

} // namespace

// Before, these were taken: 1e39 became 0 as a single, 65537 wrapped to 1 as a 16-bit index,
// CorrType 9 gave all-zero kr tables, "K" was read as degrees F, "X" gave a three-row schedule.
TEST(CaseValues, WhatNoFormCouldHoldIsRefusedNamingFileAndKey) {
    const std::pair<const char*, const char*> refused[] = {
        {R"({"API": 1e39})", "API"},
        {R"({"SWC": -1e39})", "SWC"},
        {R"({"GasGrav": 1e-50})", "GasGrav"},
        {R"({"RockType": 65537})", "RockType"},
        {R"({"CorrType": 9})", "CorrType"},
        {R"({"DrainType": 65536})", "DrainType"},
        {R"({"WetType": -1})", "WetType"},
        {R"({"LithType": 2})", "LithType"},
        {R"({"PlusEntry": 13})", "PlusEntry"},
        {R"({"ResTempUnits": "K"})", "ResTempUnits"},
        {R"({"stdtempunits": "f"})", "stdtempunits"},
        {R"({"SepTUnits": ""})", "SepTUnits"},
        {R"({"PrRange": "X"})", "PrRange"},
        {R"({"GasEntry": "g"})", "GasEntry"},
    };
    for (const auto& [json, key] : refused) {
        const std::string why = Refusal(json);
        EXPECT_NE(why.find("bad.json"), std::string::npos) << json << ": " << why;
        EXPECT_NE(why.find(std::string("\"") + key + "\""), std::string::npos) << json << ": " << why;
    }
    // The edges of each set are still values (the smallest normal single too: below it, a number
    // is refused however it is written, 1e-40 as 1e-400).
    EXPECT_EQ(Refusal(R"({"API": 3.4e38, "SWC": 0, "HRAir": 1.2e-38, "GasGrav": 0, "RockType": 1,
                          "DrainType": 0, "CorrType": 1, "PlusEntry": 12, "PPMSalinity": 300000,
                          "ResTempUnits": "C", "StdTempUnits": "F", "PrRange": "I", "GasEntry": "C"})"),
              "");
}

TEST(CaseValues, EveryNumberKeyRefusesWhatASingleCannotHold) {
    // Every key of the case, whatever its type: 1e39 fits none of them (text keys refuse it as a
    // number, the others as beyond a single or outside their set).
    for (const std::string& key : CaseFile::Keys()) {
        const std::string why = Refusal("{\"" + key + "\": 1e39}");
        EXPECT_NE(why.find("\"" + key + "\""), std::string::npos) << key << " took 1e39";
    }
    // Every option index refuses what a 16-bit index would wrap into its set.
    for (const char* key : {"RockType", "DrainType", "LithType", "WetType", "CorrType", "PlusEntry"})
        for (const char* value : {"65536", "65537", "-65535"})
            EXPECT_NE(Refusal(std::string("{\"") + key + "\": " + value + "}"), "")
                << key << " took " << value;
}

// The capillary-pressure, LET and row-count keys: a model index outside its list, a row count
// outside 15..50 and a parameter outside its meaningful range are refused naming the key (the rock
// input rules); the edges are values.
TEST(CaseValues, RockModelKeysRefuseMeaninglessValues) {
    const std::pair<const char*, const char*> refused[] = {
        {R"({"CorrType": 3})", "CorrType"},     {R"({"PcowModel": 4})", "PcowModel"},
        {R"({"PcogModel": 3})", "PcogModel"},   {R"({"SatRows": 14})", "SatRows"},
        {R"({"SatRows": 51})", "SatRows"},      {R"({"PcowCo": 0.5})", "PcowCo"},
        {R"({"PcowLambda": 0})", "PcowLambda"}, {R"({"PcogAngle": 90})", "PcogAngle"},
        {R"({"LetWaterE": -1})", "LetWaterE"},  {R"({"KrgMax": 1.01})", "KrgMax"},
        {R"({"PcowMax": 0})", "PcowMax"},       {R"({"LetOilT": 0})", "LetOilT"},
    };
    for (const auto& [json, key] : refused) {
        const std::string why = Refusal(json);
        EXPECT_NE(why.find(std::string("\"") + key + "\""), std::string::npos) << json << ": " << why;
    }
    EXPECT_NE(Refusal(R"({"PcowCo": 0.5})").find("must be 0 or below"), std::string::npos);
    EXPECT_EQ(Refusal(R"({"CorrType": 2, "PcowModel": 3, "PcogModel": 2, "SatRows": 50, "PcowCo": 0,
                          "PcowCw": 0, "PcowAngle": 0, "KroMax": 1, "LetGasL": 0.01, "satrows": null})"),
              "");
}

TEST_F(TempDir, CaseFilesRefuseKeysGivenTwiceAndFolders) {
    // The parsed object keeps only one of two equal keys: the file is read with the parser's help.
    EXPECT_NE(FileRefusal(Write("twice.json", R"({"API": 30, "SWC": 0.2, "API": 31})"))
                  .find("\"API\" is given twice"),
              std::string::npos);
    EXPECT_NE(FileRefusal(Write("cased.json", R"({"api": 30, "API": 31})")).find("given twice"),
              std::string::npos);
    // Comments may repeat; a nested object's keys are not the case's.
    EXPECT_EQ(FileRefusal(Write("notes.json", R"({"_c": "a", "_c": "b", "API": 30})")), "");
    const std::string folder = FileRefusal(m_dir);
    EXPECT_NE(folder.find(m_dir.string() + ": is a folder"), std::string::npos) << folder;
}

TEST(CommandLineValues, CountsAndListsAreReadWhole) {
    EXPECT_EQ(q7::ParseCount("2"), 2);
    EXPECT_EQ(q7::ParseCount("16"), 16);
    for (const char* bad : {"2abc", "", " 2", "+2", "-1", "0", "2.0", "99999999999", "0x2"})
        EXPECT_FALSE(q7::ParseCount(bad).has_value()) << "\"" << bad << "\"";

    const auto f = q7::ParseFormatList("csv,report");
    ASSERT_TRUE(f.has_value());
    EXPECT_TRUE(f->csv && f->report && !f->summary && !f->eclipse);
    for (const char* bad : {"", ",", "csv,", ",csv", "csv,,report", "CSV", "csv pdf"})
        EXPECT_FALSE(q7::ParseFormatList(bad).has_value()) << "\"" << bad << "\"";
}

TEST_F(TempDir, UsageErrorsAndBadCasesAreNotSilent) {
    const fs::path good = Write("good.json", "{}");
    const std::string out = " --out " + (m_dir / "out").string();
    std::string said;
    for (const char* args : {"--jobs 2abc", "--jobs \"\"", "--formats \"\"", "--formats csv,", "--out \"\"",
                             "--jobs 1 --jobs 2"}) {
        EXPECT_EQ(Run("run " + good.string() + out + " " + args, &said), 2) << args << "\n" << said;
        EXPECT_NE(said.find("usage:"), std::string::npos) << args;
    }
    EXPECT_FALSE(fs::exists(m_dir / "out"));

    // A bad case is not computed; the others are, and the run says it failed.
    const fs::path bad = Write("bad.json", R"({"RockType": 65537})");
    EXPECT_EQ(Run("run " + bad.string() + " " + good.string() + " " + m_dir.string() + out, &said), 1);
    EXPECT_NE(said.find(bad.string() + ": key \"RockType\" must be a whole number from 0 to 3"),
              std::string::npos)
        << said;
    EXPECT_NE(said.find(m_dir.string() + ": is a folder"), std::string::npos) << said;
    EXPECT_FALSE(fs::exists(m_dir / "out" / "bad"));
    EXPECT_TRUE(fs::exists(m_dir / "out" / "good" / "summary.json"));
}

TEST(CaseFolders, NamesThatWouldLeaveTheOutputFolderAreRefused) {
    for (const char* bad : {"", ".", "..", "a/b", "a\\b", "a\nb", "a\tb", "\x7f"}) {
        EXPECT_NE(q7::FolderNameProblem(bad), "") << "\"" << bad << "\"";
        EXPECT_THROW(q7::CaseFolder("/out", bad), CaseError);
    }
    for (const char* fine : {"x", "...", ".hidden", "a b", "Ölfeld-7"})
        EXPECT_EQ(q7::CaseFolder("/out", fine), fs::path("/out") / fine);
}

TEST_F(TempDir, EachCaseWritesOnlyItsOwnFolder) {
    const fs::path a = Write("a/x.json", "{}");
    const fs::path b = Write("b/x.json", R"({"PhaseOil": false, "PhaseWater": true})");
    const fs::path out = m_dir / "out" / "inner";
    std::string said;
    // One base name in two folders, or one file named twice: refused before anything is written.
    EXPECT_EQ(Run("run " + a.string() + " " + b.string() + " --jobs 2 --out " + out.string(), &said), 2);
    EXPECT_NE(said.find(a.string() + " and " + b.string() + " would both write " + (out / "x").string()),
              std::string::npos)
        << said;
    EXPECT_EQ(Run("run " + a.string() + " " + a.string() + " --out " + out.string()), 2);
    EXPECT_FALSE(fs::exists(out));

    // A case named "...json" (base name "..") would have written the folder above --out.
    const fs::path dots = Write("...json", "{}");
    EXPECT_EQ(Run("run " + dots.string() + " " + a.string() + " --out " + out.string(), &said), 1);
    EXPECT_NE(said.find("\"..\" names a folder"), std::string::npos) << said;
    EXPECT_EQ(Tree(m_dir / "out"),
              (std::set<std::string>{"inner", "inner/x", "inner/x/Eclipse.dens", "inner/x/Eclipse.pvdg",
                                     "inner/x/Eclipse.pvdo", "inner/x/Eclipse.pvto", "inner/x/Eclipse.swof",
                                     "inner/x/Sample.htm", "inner/x/Sample.txt", "inner/x/q7.csv",
                                     "inner/x/summary.json"}));
}

TEST_F(TempDir, ARunLeavesExactlyWhatItWroteAndNoOneElsesFiles) {
    const fs::path out = m_dir / "out";
    const fs::path oil = Write("x.json", "{}");
    ASSERT_EQ(Run("run " + oil.string() + " --out " + out.string()), 0);
    ASSERT_TRUE(fs::exists(out / "x" / "Eclipse.pvto"));

    // What interrupted writes of ours left (their process is gone), and the user's own files.
    Write("out/x/.summary.json.tmp4194305-0", "{\"cut");
    Write("out/x/.Eclipse.pvto.tmp4194305-12", "PVTO\r\n");
    Write("out/x/notes.txt", "mine");
    Write("out/x/.q7.csv.tmpnotours", "mine too");
    Write("out/x/Eclipse.pvto.bak", "kept");

    // The same case re-run as water only writes no oil or gas tables: none may stay behind.
    Write("x.json", R"({"PhaseOil": false, "PhaseWater": true})");
    ASSERT_EQ(Run("run " + oil.string() + " --out " + out.string() + " --formats summary,eclipse"), 0);
    EXPECT_EQ(Tree(out / "x"),
              (std::set<std::string>{"summary.json", "Eclipse.pvtw", "Eclipse.dens", "Eclipse.swof",
                                     "notes.txt", ".q7.csv.tmpnotours", "Eclipse.pvto.bak"}));
    EXPECT_FALSE(nlohmann::json::parse(Slurp(out / "x" / "summary.json"))["fluid"]["PhaseOil"].get<bool>());
}

// A write that fails part-way (here: the file-size limit, as a full disk would) leaves neither a
// cut file under its final name nor its temporary; the run says it failed.
TEST_F(TempDir, AFailedWriteLeavesNoCutFileAndNoTemporary) {
    const fs::path out = m_dir / "out";
    const fs::path c = Write("big.json", "{}");
    std::string said;
    // 8 blocks of 512 bytes: the summary fits, the report does not.
    const int status =
        Run("run " + c.string() + " --out " + out.string(), &said, "trap \"\" XFSZ; ulimit -f 8; ");
    EXPECT_EQ(status, 1) << said;
    EXPECT_NE(said.find("File too large"), std::string::npos) << said;
    for (const std::string& name : Tree(out / "big")) {
        EXPECT_NE(name[0], '.') << "temporary left: " << name;
        EXPECT_NE(name, "summary.json") << "a summary beside an incomplete set of files";
    }

    // Straight through the file service, in this process: a limit of 64 KiB and a 1 MiB text.
    const fs::path file = m_dir / "whole.json";
    q7::WriteWholeFile(file, "{\"old\": true}");
    struct rlimit saved {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit small = saved;
    small.rlim_cur = 64 * 1024;
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    bool threw = false;
    try {
        q7::WriteWholeFile(file, std::string(1 << 20, 'x'));
    } catch (const q7::IoError& e) {
        threw = true;
        EXPECT_NE(std::string(e.what()).find(file.string()), std::string::npos) << e.what();
    }
    setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(threw);
    EXPECT_EQ(Slurp(file), "{\"old\": true}");
    for (const std::string& name : Tree(m_dir))
        EXPECT_EQ(name.find(".whole.json.tmp"), std::string::npos) << "temporary left: " << name;
}

// Before, output lost on a full disk went unnoticed: exit 0.
TEST_F(TempDir, OutputThatCannotBeWrittenIsAFailure) {
    if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
    const std::string log = (m_dir / "stderr.txt").string();
    for (const std::string& args :
         {std::string("--help"),
          "run --check " + Write("c.json", R"({"PhaseOil": 0, "PhaseGas": 1})").string()}) {
        const int rc = std::system((std::string(Q7_BATCH_EXE) + " " + args + " >/dev/full 2>" + log).c_str());
        if (args == "--help") {
            EXPECT_EQ(WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, 1) << args;
            EXPECT_NE(Slurp(log).find("the output could not be written"), std::string::npos) << Slurp(log);
        } else {
            // Nothing to say, nothing lost.
            EXPECT_EQ(WIFEXITED(rc) ? WEXITSTATUS(rc) : -1, 0) << args << ": " << Slurp(log);
        }
    }
}

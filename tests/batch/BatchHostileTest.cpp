// The batch tool under hostile input: exit statuses that reflect every line, result lines that
// are JSON whatever came in, outputs held by one run at a time and cleared of what killed runs
// left, names that stay inside the output folder, memory bounded by the input, bounded messages.
#include "batch/InputText.h"
#include "batch/OutputLock.h"
#include "batch/ParallelFor.h"
#include "batch/Summary.h"
#include "tests/batch/BatchTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <random>
#include <set>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;
using q7test::Lines;
using q7test::Slurp;

// The id of a process that has ended: a child that exits at once, waited for.
int GonePid() {
    const pid_t child = fork();
    if (child == 0) _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return child;
}

std::string Repeat(const std::string& line, int n) {
    std::string out;
    for (int i = 0; i < n; ++i)
        out += line;
    return out;
}

class Hostile : public q7test::BatchScratch {};

// Before, a broken line after the first 256 x jobs lines left the exit status 0: the slot it
// reused kept the clean flag of the line before. Drawn positions of one broken line, with 1 or 2
// jobs, past the first chunk and within it.
TEST_F(Hostile, EveryBrokenLineOfAStreamMakesTheExitStatusOne) {
    std::mt19937 random(20261209);
    for (int draw = 0; draw < 4; ++draw) {
        const int jobs = 1 + draw % 2;
        const int before =
            draw < 2 ? 256 * jobs + static_cast<int>(random() % 40) : static_cast<int>(random() % 200);
        const int after = static_cast<int>(random() % 5);
        Write("in.jsonl", Repeat("{}\n", before) + "{\"API\":\n" + Repeat("{}\n", after));
        EXPECT_EQ(Run("run --jsonl in.jsonl --jobs " + std::to_string(jobs)), 1)
            << before << " good lines first, jobs " << jobs;
        const std::vector<std::string> lines = Lines(out);
        ASSERT_EQ(lines.size(), static_cast<size_t>(before + 1 + after));
        EXPECT_NE(lines[static_cast<size_t>(before)].find("\"error\": {\"stage\""), std::string::npos);
    }
    Write("good.jsonl", Repeat("{}\n", 300));
    EXPECT_EQ(Run("run --jsonl good.jsonl"), 0) << err;
}

// Before, an error quoting the input copied its bytes into the result line: 2166 of 4045 lines
// of a run fed random bytes were no JSON, and table copied them on into its CSV.
TEST_F(Hostile, EveryResultLineIsJsonWhateverBytesComeIn) {
    std::mt19937 random(7);
    std::string bytes(1 << 20, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xff);
    // A few lines that look like cases with bytes that are not UTF-8 in their names and keys.
    bytes += "\n{\"_name\": \"\xa5\"}\n{\"\xc3\x28\": 1}\n\xa5\n{\"API\": \"\xed\xa0\x80\"}\n";
    Write("noise.bin", bytes);
    ASSERT_EQ(Run("run --jsonl noise.bin --jobs 2 --out res.jsonl"), 1) << err;
    const std::vector<std::string> lines = Lines(Slurp(m_dir / "res.jsonl"));
    ASSERT_GT(lines.size(), 3000u);
    for (const std::string& line : lines) {
        nlohmann::json j;
        ASSERT_NO_THROW(j = nlohmann::json::parse(line)) << line;
        EXPECT_TRUE(j.contains("case") && j.contains("error")) << line;
    }
    // Python's reader agrees.
    EXPECT_EQ(Sh("python3 -c 'import json,sys; [json.loads(l) for l in sys.stdin]' < res.jsonl"), 0) << err;
    EXPECT_EQ(Run("table res.jsonl --columns error.text --out t.csv"), 0) << err;

    // A result line that is not UTF-8 is refused by table, not copied.
    Write("bad.jsonl", "{\"case\": \"\xa5\"}\n{\"case\": 2}\n");
    EXPECT_EQ(Run("table bad.jsonl --columns case"), 1);
    EXPECT_EQ(out, "case,case\n2,2\n");
    EXPECT_NE(err.find("bad.jsonl: line 1: result line: a string that is not UTF-8"), std::string::npos)
        << err;
}

// Valid text stays byte for byte; anything else reads back as text with U+FFFD where bytes were not
// UTF-8. Drawn strings of pieces, the last five of which are no UTF-8 in any company: a stray
// continuation byte, a surrogate, an overlong form, a code point past U+10FFFF, a byte UTF-8 never
// uses.
TEST(JsonQuoting, AnyBytesGiveAJsonStringAndValidTextIsKept) {
    std::mt19937 random(11);
    const std::string pieces[] = {"a",    "\"",           "\\",           "\n",
                                  "\x01", "\xc3\xa9",     "\xe2\x82\xac", "\xf0\x9f\x98\x80",
                                  "\x80", "\xed\xa0\x80", "\xc0\xaf",     "\xf4\x90\x80\x80",
                                  "\xff"};
    for (int draw = 0; draw < 2000; ++draw) {
        std::string text;
        bool valid = true;
        for (int n = static_cast<int>(random() % 8); n > 0; --n) {
            const size_t k = random() % std::size(pieces);
            text += pieces[k];
            valid = valid && k < 8;
        }
        const std::string quoted = q7::JsonQuote(text);
        nlohmann::json back;
        ASSERT_NO_THROW(back = nlohmann::json::parse(quoted)) << quoted;
        if (valid)
            EXPECT_EQ(back.get<std::string>(), text) << quoted;
        else
            EXPECT_NE(back.get<std::string>().find("\xef\xbf\xbd"), std::string::npos) << quoted;
    }
}

TEST(InputExcerpts, MessagesQuoteABoundedPrintablePiece) {
    EXPECT_EQ(q7::Excerpt("API"), "API");
    EXPECT_EQ(q7::Excerpt("a\nb\xff\xc3\xa9"), "a\\x0ab\\xff\xc3\xa9");
    EXPECT_EQ(q7::Excerpt(std::string(1000, '1'), 10), "1111111111... (1000 bytes)");
    // A multi-byte character is not cut.
    EXPECT_EQ(q7::Excerpt("ab\xe2\x82\xac", 3), "ab\xe2\x82\xac");
}

// Before, a 100 MB number came back whole on standard error; keys and --vary texts too.
TEST_F(Hostile, MessagesQuoteAtMostABoundedPieceOfTheInput) {
    const std::string huge(1 << 20, '7'), word(100000, '7');
    Write("number.json", "{\"API\": 1." + huge + "x}");
    Write("overflow.json", "{\"API\": " + huge + "}");
    Write("key.json", "{\"" + huge + "\": 1}");
    Write("lines.jsonl", "{\"API\": " + huge + "}\n");
    Write("base.json", "{}");
    for (const std::string& args :
         {std::string("run number.json --check"), std::string("run overflow.json --check"),
          std::string("run key.json --check"), std::string("run --jsonl lines.jsonl"),
          // A word of the command line stays under the system's 128 KiB a word.
          "sweep base.json --vary " + word + "=1:2:2", "sweep base.json --vary API=1:2:" + word,
          "run base.json --check --" + word, "run base.json --check --jobs " + word,
          "run --jsonl lines.jsonl " + word}) {
        const int status = Run(args);
        EXPECT_TRUE(status == 1 || status == 2) << args.substr(0, 40) << ": " << status;
        EXPECT_LT(err.size() + out.size(), 2000u) << args.substr(0, 40) << ": " << err.substr(0, 300);
    }
}

// Before, two runs into one --out each wrote their own files into the same case folders (64 of
// them mixed) and both exited 0. A run holding the folder or file in this process stands for the
// other run.
TEST_F(Hostile, AnOutputIsWrittenByOneRunAtATime) {
    Write("c.json", "{}");
    Write("in.jsonl", "{}\n");
    {
        const q7::OutputLock held = q7::OutputLock::Folder(m_dir / "out");
        EXPECT_EQ(Run("run c.json --out out"), 1);
        EXPECT_NE(err.find("out is being written by another run (process " + std::to_string(getpid())),
                  std::string::npos)
            << err;
        EXPECT_FALSE(fs::exists(m_dir / "out" / "c"));
        EXPECT_EQ(Run("deck c.json --out out"), 1);
        EXPECT_NE(err.find("being written by another run"), std::string::npos) << err;
    }
    ASSERT_EQ(Run("run c.json --out out"), 0) << err;
    EXPECT_TRUE(fs::exists(m_dir / "out" / "c" / "summary.json"));
    EXPECT_FALSE(fs::exists(m_dir / "out" / ".q7-batch.lock"));
    {
        const q7::OutputLock held = q7::OutputLock::File(m_dir / "res.jsonl");
        EXPECT_EQ(Run("run --jsonl in.jsonl --out res.jsonl"), 1);
        EXPECT_NE(err.find("res.jsonl is being written by another run"), std::string::npos) << err;
        EXPECT_EQ(Run("sweep c.json --vary API=30:40:2 --out res.jsonl"), 1);
        EXPECT_FALSE(fs::exists(m_dir / "res.jsonl"));
    }
    ASSERT_EQ(Run("run --jsonl in.jsonl --out res.jsonl"), 0) << err;
    EXPECT_FALSE(fs::exists(m_dir / ".res.jsonl.lock"));
}

// Before, a killed run --jsonl --out FILE left its temporary (15 kills: 867 MB), and X --out X
// replaced its own input.
TEST_F(Hostile, TemporariesOfKilledRunsGoAndAnInputIsNeverItsOwnOutput) {
    Write("in.jsonl", "{}\n{}\n");
    const int gone = GonePid();
    Write(".res.jsonl.tmp-" + std::to_string(gone), "cut");
    Write(".res.jsonl.tmp-" + std::to_string(getpid()), "a live run's");
    Write(".other.jsonl.tmp-" + std::to_string(gone), "not ours");
    ASSERT_EQ(Run("run --jsonl in.jsonl --out res.jsonl"), 0) << err;
    EXPECT_FALSE(fs::exists(m_dir / (".res.jsonl.tmp-" + std::to_string(gone))));
    EXPECT_TRUE(fs::exists(m_dir / (".res.jsonl.tmp-" + std::to_string(getpid()))));
    EXPECT_TRUE(fs::exists(m_dir / (".other.jsonl.tmp-" + std::to_string(gone))));

    // A deck's folder: the temporaries of its files written by a gone process go, others stay.
    Write("d/.Eclipse.pvto.tmp" + std::to_string(gone) + "-3", "cut");
    Write("d/.notes.tmp" + std::to_string(gone) + "-1", "mine");
    ASSERT_EQ(Run("deck " + q7test::Example("default") + " --out d"), 0) << err;
    EXPECT_FALSE(fs::exists(m_dir / "d" / (".Eclipse.pvto.tmp" + std::to_string(gone) + "-3")));
    EXPECT_TRUE(fs::exists(m_dir / "d" / (".notes.tmp" + std::to_string(gone) + "-1")));

    const std::string input = Slurp(m_dir / "in.jsonl");
    fs::create_symlink(m_dir / "in.jsonl", m_dir / "link.jsonl");
    for (const char* args :
         {"run --jsonl in.jsonl --out in.jsonl", "run --jsonl in.jsonl --out ./in.jsonl",
          "run --jsonl link.jsonl --out in.jsonl", "table res.jsonl in.jsonl --columns case --out in.jsonl",
          "sweep in.jsonl --vary API=1:2:2 --out in.jsonl"}) {
        EXPECT_EQ(Run(args), 2) << args;
        EXPECT_EQ(Slurp(m_dir / "in.jsonl"), input) << args;
    }
}

// Before, --base ../escape wrote outside --out and --base . wrote hidden files.
TEST_F(Hostile, DeckBaseIsAPlainName) {
    fs::create_directories(m_dir / "d");
    for (const char* base : {"../escape", ".", "..", ".hidden", "a/b", "a\\\\b", "/tmp/x"}) {
        EXPECT_EQ(Run("deck " + q7test::Example("default") + " --out d --base '" + base + "'"), 2) << base;
        EXPECT_NE(err.find("--base takes a plain file name"), std::string::npos) << err;
    }
    std::set<std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(m_dir))
        files.insert(fs::relative(e.path(), m_dir).string());
    EXPECT_EQ(files, (std::set<std::string>{"d", "stdout.txt", "stderr.txt"}));
    EXPECT_EQ(Run("deck " + q7test::Example("default") + " --out d --base two.deck"), 0) << err;
    EXPECT_TRUE(fs::exists(m_dir / "d" / "two.deck.pvto"));
}

// The memory tests bound the batch tool with `ulimit -v`, which a sanitizer build cannot run under.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kAddressSanitizer = true;
#else
constexpr bool kAddressSanitizer = false;
#endif

// Before, --jobs 99999 on 10 lines took 2 GB and --jobs 1000000 ended in std::bad_alloc. Under a
// 1 GB address-space limit the run computes, with the lines a run of one job gives.
TEST_F(Hostile, JobsAreCappedAndMemoryFollowsTheInput) {
    if (kAddressSanitizer)
        GTEST_SKIP() << "a virtual-memory limit cannot hold AddressSanitizer's shadow memory";
    EXPECT_EQ(q7::UsefulJobs(1), 1);
    EXPECT_LE(q7::UsefulJobs(1000000),
              static_cast<int>(std::max(1u, std::thread::hardware_concurrency())) * q7::kJobsPerCore);
    EXPECT_GE(q7::UsefulJobs(2), std::min(2, q7::UsefulJobs(1000000)));

    Write("in.jsonl", Repeat("{\"API\": 31}\n", 10));
    ASSERT_EQ(Run("run --jsonl in.jsonl --jobs 1"), 0) << err;
    const std::string one = out;
    for (const char* jobs : {"99999", "1000000"}) {
        ASSERT_EQ(Sh(std::string("ulimit -v 1000000; Q7 run --jsonl in.jsonl --jobs ") + jobs), 0) << err;
        EXPECT_EQ(out, one) << jobs;
    }
    Write("a.json", "{}");
    EXPECT_EQ(Sh("ulimit -v 1000000; Q7 run a.json --check --jobs 1000000"), 0) << err;
}

// Before, a Latin-hypercube sweep of 10^8 cases held 1.6 GB and took 12 s before its first line.
TEST_F(Hostile, ALatinHypercubeSweepStreams) {
    if (kAddressSanitizer)
        GTEST_SKIP() << "a virtual-memory limit cannot hold AddressSanitizer's shadow memory";
    Write("base.json", "{}");
    ASSERT_EQ(Sh("ulimit -v 400000; Q7 sweep base.json --sample API=20:40 --sample RESTEMP=100:300 --samples "
                 "100000000 --seed 3 | head -n 5"),
              0)
        << err;
    ASSERT_EQ(Lines(out).size(), 5u);
    for (const std::string& line : Lines(out)) {
        const auto c = nlohmann::json::parse(line);
        EXPECT_GE(c["API"].get<double>(), 20.0);
        EXPECT_LE(c["API"].get<double>(), 40.0);
    }
    // Still a Latin hypercube at sizes that are no power of the permutation's base: every stratum
    // of every key exactly once.
    for (const int n : {1, 3, 1000, 4097}) {
        ASSERT_EQ(Run("sweep base.json --sample API=0:1 --sample RESTEMP=0:1 --samples " + std::to_string(n) +
                      " --seed " + std::to_string(n)),
                  0)
            << err;
        std::set<long> api, temp;
        for (const std::string& line : Lines(out)) {
            const auto c = nlohmann::json::parse(line);
            api.insert(static_cast<long>(c["API"].get<double>() * n));
            temp.insert(static_cast<long>(c["RESTEMP"].get<double>() * n));
        }
        EXPECT_EQ(api.size(), static_cast<size_t>(n));
        EXPECT_EQ(temp.size(), static_cast<size_t>(n));
    }
}

// Small ones: whole-number keys vary in whole steps; --shard reads K/N whole; bad databases say
// what they are.
TEST_F(Hostile, WholeNumberKeysShardsAndDatabasesThatAreNone) {
    Write("base.json", "{}");
    EXPECT_EQ(Run("sweep base.json --vary RockType=0:1:3"), 2);
    EXPECT_NE(err.find("RockType takes whole numbers"), std::string::npos) << err;
    EXPECT_EQ(Run("sweep base.json --sample RockType=0:1 --samples 4"), 2);
    ASSERT_EQ(Run("sweep base.json --vary RockType=0:1:2 --vary PPMSalinity=0:30000:4"), 0) << err;
    std::set<std::string> rock;
    for (const std::string& line : Lines(out))
        rock.insert(nlohmann::json::parse(line)["RockType"].dump());
    EXPECT_EQ(rock, (std::set<std::string>{"0", "1"}));

    Write("in.jsonl", "{}\n{}\n");
    for (const char* shard : {"' 1/2'", "'1/2 '", "'1/ 2'", "+1/2", "1/+2", "1/2/3"})
        EXPECT_EQ(Run(std::string("run --jsonl in.jsonl --shard ") + shard), 2) << shard;
    EXPECT_EQ(Run("run --jsonl in.jsonl --shard 1/2"), 0) << err;
    EXPECT_EQ(Lines(out).size(), 1u);

    // A file of random bytes and a FIFO named as the database.
    std::mt19937 random(5);
    std::string noise(65536, '\0');
    for (char& c : noise)
        c = static_cast<char>(random() & 0xff);
    Write("noise.mdb", noise);
    EXPECT_EQ(Sh("Q7_DATABASE=" + (m_dir / "noise.mdb").string() + " Q7 projects"), 1);
    EXPECT_NE(err.find("is not an SQLite database, or it is damaged"), std::string::npos) << err;
    ASSERT_EQ(mkfifo((m_dir / "fifo.mdb").c_str(), 0600), 0);
    EXPECT_EQ(Sh("Q7_DATABASE=" + (m_dir / "fifo.mdb").string() + " Q7 projects"), 1);
    EXPECT_NE(err.find("is not a regular file"), std::string::npos) << err;
    EXPECT_EQ(err.find("does not exist"), std::string::npos) << err;
}

} // namespace

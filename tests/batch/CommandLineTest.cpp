// q7-batch's command lines: what the parser takes and refuses, and, through the program, that every
// command refuses an option given twice and shows its own usage.
#include "batch/CommandLine.h"
#include "batch/BatchCommands.h"
#include "batch/DeckCommand.h"
#include "batch/ProjectCommands.h"
#include "tests/batch/BatchTestSupport.h"

#include <gtest/gtest.h>

#include <map>

namespace {

namespace fs = std::filesystem;
using q7::CommandLine;
using q7::CommandSpec;
using q7::ParseCommandLine;
using q7::UsageError;

const CommandSpec kDemo{"q7-batch demo FILE... [--out DIR] [--tag T]... [--quiet]",
                        "demo     a command for the parser's tests.\n",
                        {{"--out", true, false, "a folder"}, {"--tag", true, true}, {"--quiet"}},
                        "unknown option for demo: "};

std::string Refusal(const CommandSpec& decl, const std::vector<std::string>& args) {
    try {
        ParseCommandLine(decl, args);
    } catch (const UsageError& e) {
        return e.what();
    }
    return {};
}

TEST(CommandLineParser, ValuesRepeatsAndPositionalWordsInTheOrderGiven) {
    const CommandLine line =
        ParseCommandLine(kDemo, {"demo", "a", "--tag", "x", "-", "--out", "--quiet", "--tag", "-y", "b"});
    EXPECT_EQ(line.Positional(), (std::vector<std::string>{"a", "-", "b"}));
    // A value is the next word whatever it looks like.
    EXPECT_EQ(line.Value("--out"), "--quiet");
    EXPECT_FALSE(line.Has("--quiet"));
    EXPECT_EQ(line.Values("--tag"), (std::vector<std::string>{"x", "-y"}));
    ASSERT_EQ(line.Words().size(), 6u);
    EXPECT_EQ(line.Words()[1].option, "--tag");
    EXPECT_EQ(line.Words()[2].value, "-");
    EXPECT_FALSE(line.Value("--nothing").has_value());

    EXPECT_EQ(Refusal(kDemo, {"demo", "a", "--quiet", "--quiet"}), "--quiet is given twice");
    EXPECT_EQ(Refusal(kDemo, {"demo", "--out", "x", "a", "--out", "x"}), "--out is given twice");
    EXPECT_EQ(Refusal(kDemo, {"demo", "a", "--out"}), "--out needs a folder");
    EXPECT_EQ(Refusal(kDemo, {"demo", "a", "--tag"}), "--tag needs a value");
    EXPECT_EQ(Refusal(kDemo, {"demo", "a", "-x"}), "unknown option for demo: -x");
    EXPECT_EQ(Refusal(kDemo, {"demo", "a", "--Out", "d"}), "unknown option for demo: --Out");

    CommandSpec names = kDemo;
    names.singleDashPositional = true;
    EXPECT_EQ(ParseCommandLine(names, {"demo", "-x"}).Positional(), std::vector<std::string>{"-x"});
    EXPECT_EQ(Refusal(names, {"demo", "--x"}), "unknown option for demo: --x");
}

TEST(CommandLineParser, HelpIsMadeOfTheDeclaredUsageAndParagraphs) {
    CommandSpec two = kDemo;
    two.usage = "q7-batch demo2 A\n         [--more]";
    two.help = "";
    EXPECT_EQ(q7::UsageLines({&kDemo, &two}),
              "usage: q7-batch demo FILE... [--out DIR] [--tag T]... [--quiet]\n"
              "       q7-batch demo2 A\n"
              "                [--more]\n");
    EXPECT_EQ(q7::HelpBlock({&kDemo, &two}), q7::UsageLines({&kDemo, &two}) + "\n" + kDemo.help);
}

// Every command of the program, with the words that choose it.
struct Command {
    const CommandSpec* decl;
    std::string words;
};

std::vector<Command> Commands() {
    return {{&q7::kRunCommand, "run c.json"},        {&q7::kRunProjectCommand, "run --project p"},
            {&q7::kDeckCommand, "deck c.json"},      {&q7::kProjectsCommand, "projects"},
            {&q7::kSaveCommand, "save c.json"},      {&q7::kExportCommand, "export p"},
            {&q7::kDeleteCommand, "delete p"},       {&q7::kStreamCommand, "run --jsonl in.jsonl"},
            {&q7::kSweepCommand, "sweep base.json"}, {&q7::kTableCommand, "table r.jsonl"}};
}

class CommandLines : public q7test::BatchScratch {};

// Before, run took --units (and --check, --correlations) twice, deck and table every option twice,
// sweep and run --jsonl their values twice (the last one won).
TEST_F(CommandLines, EveryOptionGivenTwiceIsAUsageErrorUnlessItIsRepeatable) {
    Write("c.json", "{}");
    ASSERT_EQ(Run("run c.json --units metric --units field --check"), 2);
    EXPECT_NE(err.find("q7-batch: --units is given twice\nusage: q7-batch run CASE.json..."),
              std::string::npos)
        << err;
    EXPECT_FALSE(fs::exists(m_dir / "c"));

    // Values that are each fine alone, so that only the repeat can be refused.
    const std::map<std::string, std::string> value = {{"--out", "o"},
                                                      {"--jobs", "1"},
                                                      {"--formats", "summary"},
                                                      {"--units", "field"},
                                                      {"--base", "b"},
                                                      {"--project", "p"},
                                                      {"--name", "n"},
                                                      {"--by", "w"},
                                                      {"--desc", "d"},
                                                      {"--id", "1"},
                                                      {"--jsonl", "in.jsonl"},
                                                      {"--shard", "0/1"},
                                                      {"--columns", "oil.Pbp"},
                                                      {"--samples", "2"},
                                                      {"--seed", "1"},
                                                      {"--vary", "API=30:40:2"},
                                                      {"--sample", "API=30:40"},
                                                      {"--family", "2"}};
    int tried = 0;
    for (const Command& c : Commands()) {
        for (const q7::OptionSpec& o : c.decl->options) {
            const std::string given = o.name + (o.takesValue ? " " + value.at(o.name) : "");
            const bool chosenBy = c.words.find(o.name + " ") != std::string::npos;
            const std::string args = c.words + (chosenBy ? "" : " " + given) + " " + given;
            Sh("Q7_DATABASE=" + (m_dir / "none.mdb").string() + " Q7 " + args);
            const bool refused = err.find(o.name + " is given twice") != std::string::npos;
            EXPECT_EQ(refused, !o.repeatable) << args << "\n" << err;
            if (!o.repeatable) {
                EXPECT_NE(err.find("usage: " + c.decl->usage.substr(0, c.decl->usage.find('\n'))),
                          std::string::npos)
                    << args << "\n"
                    << err;
                ++tried;
            }
        }
    }
    EXPECT_GE(tried, 25);
}

TEST_F(CommandLines, HelpShowsEveryCommandsUsageAndUnknownWordsAreRefused) {
    ASSERT_EQ(Run("--help"), 0);
    for (const Command& c : Commands()) {
        const std::string first = c.decl->usage.substr(0, c.decl->usage.find('\n'));
        EXPECT_NE(out.find(first), std::string::npos) << first;
        EXPECT_NE(out.find(c.decl->help), std::string::npos) << c.words;
    }
    EXPECT_EQ(Run("deck c.json --out d --jobs 2"), 2);
    EXPECT_NE(err.find("unknown option for deck: --jobs"), std::string::npos) << err;
    EXPECT_EQ(Run("table r.jsonl --columns oil.Pbp --check"), 2);
    EXPECT_NE(err.find("unknown option: --check"), std::string::npos) << err;
    EXPECT_EQ(Run("run --jsonl in.jsonl extra"), 2);
    EXPECT_NE(err.find("run --jsonl takes no extra"), std::string::npos) << err;
}

} // namespace

// The converter of MyThes thesauri, and the data file the build makes from Debian's mythes-en-us.

#include "tests/support/ToolTestSupport.h"
#include "tests/thesaurus/ThesTestFiles.h"
#include "thesaurus/Latin1.h"
#include "thesaurus/ThesFile.h"
#include "thesaurus/ThesLookup.h"
#include "thesaurus/mkthes/MythesSource.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

using namespace tezar;
using namespace tezar::test;

TEST(MythesSource, TermsOfAllSensesWithoutLabelsAntonymsOrTheHeadword) {
    std::istringstream in("UTF-8\n"
                          "quick|3\n"
                          "(adj)|speedy|fast (similar term)|slow (antonym)\n"
                          "(adj)|Quick|agile|Fast|caf\xC3\xA9 (related term)\n"
                          "(noun)|area (generic term)|\xE2\x82\xAC"
                          "uro|" +
                          std::string(60, 'x') +
                          "\n"
                          "na\xC3\xAFve|1\n"
                          "(adj)|simple\n"
                          "\xE2\x82\xAC|1\n"
                          "(noun)|euro\n");
    const auto entries = MythesSource::Read(in);
    ASSERT_EQ(entries.size(), 2u) << "a headword outside Latin-1 is dropped";
    EXPECT_EQ(entries[0].headword, "quick");
    EXPECT_EQ(entries[0].synonyms,
              (std::vector<std::string>{"speedy", "fast", "agile", "caf\xE9", "area", std::string(49, 'x')}));
    EXPECT_EQ(entries[1].headword, "na\xEFve");
    EXPECT_EQ(entries[1].synonyms, std::vector<std::string>{"simple"});
}

TEST(MythesSource, RejectsUnknownEncodingsAndCutEntries) {
    std::istringstream koi("KOI8-R\nx|1\n(n)|y\n");
    EXPECT_THROW(MythesSource::Read(koi), std::runtime_error);
    std::istringstream cut("UTF-8\nx|2\n(n)|y\n");
    EXPECT_THROW(MythesSource::Read(cut), std::runtime_error);
    std::istringstream latin("ISO8859-1\nna\xEFve|1\n(adj)|simple\n");
    EXPECT_EQ(MythesSource::Read(latin).at(0).headword, "na\xEFve");
}

// Every headword of mythes-en-us is found in the generated lxth_ae.the with the synonyms the
// converter gave it (first 15 case-insensitively distinct, lower case for a lower-case query).
TEST(RealThesaurus, EveryHeadwordFoundAndNonWordsNot) {
    const std::string source = "/usr/share/mythes/th_en_US_v2.dat";
    const std::string data = std::string(Q7_BINARY_DIR) + "/lib/lxth_ae.the";
    if (!std::filesystem::exists(source) || !std::filesystem::exists(data))
        Q7_MISSING_TOOL("mythes-en-us or the generated lxth_ae.the is missing");
    std::ifstream in(source, std::ios::binary);
    const auto entries = MythesSource::Read(in);
    ASSERT_GT(entries.size(), 100000u);

    std::map<std::string, std::vector<std::string>> expected; // upper-case headword -> joined synonyms
    for (const auto& e : entries) {
        auto& list = expected[UpperLatin1(e.headword)];
        list.insert(list.end(), e.synonyms.begin(), e.synonyms.end());
    }
    ThesFile file;
    ASSERT_EQ(file.Open(data), 0);
    EXPECT_EQ(file.Language(), 9);
    ThesLookup lookup;
    size_t checked = 0;
    for (const auto& [upper, all] : expected) {
        std::vector<std::string> want;
        for (const std::string& s : all) {
            const std::string lower = LowerLatin1(s);
            if (std::find(want.begin(), want.end(), lower) == want.end() && want.size() < 15)
                want.push_back(lower);
        }
        std::vector<std::string> got;
        ASSERT_TRUE(lookup.Find(file, LowerLatin1(upper), got)) << upper;
        ASSERT_EQ(got, want) << upper;
        ++checked;
    }
    EXPECT_EQ(checked, expected.size());

    // Non-words: headwords with a letter doubled or a suffix that makes them no headword.
    size_t nonWords = 0;
    for (auto it = expected.begin(); it != expected.end() && nonWords < 3000; std::advance(it, 40)) {
        for (const std::string& w : {it->first + "QX", "Q" + it->first, it->first + it->first.substr(0, 1)}) {
            if (expected.count(w) != 0 || w.size() > 49) continue;
            std::vector<std::string> got;
            EXPECT_FALSE(lookup.Find(file, w, got)) << w;
            ++nonWords;
        }
        if (std::distance(it, expected.end()) <= 40) break;
    }
    EXPECT_GT(nonWords, 1000u);
}

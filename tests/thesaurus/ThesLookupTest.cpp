// The thesaurus data file and word lookup, on small files written by the library's writer.

#include "thesaurus/ThesLookup.h"
#include "tests/thesaurus/ThesTestFiles.h"
#include "thesaurus/Latin1.h"
#include "thesaurus/ThesError.h"
#include "thesaurus/ThesFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

using namespace tezar;
using namespace tezar::test;

namespace {

struct Result {
    bool found = false;
    std::vector<std::string> synonyms;
    int events = 0;
};

Result Find(ThesLookup& lookup, const std::string& path, const std::string& word) {
    ThesFile file;
    EXPECT_EQ(file.Open(path), 0) << path;
    Result r;
    r.found = lookup.Find(file, word, r.synonyms, [&] { ++r.events; });
    return r;
}

Result Find(const std::string& path, const std::string& word) {
    ThesLookup lookup;
    return Find(lookup, path, word);
}

} // namespace

TEST(Latin1, CaseMappingCoversAccentedLetters) {
    EXPECT_EQ(UpperLatin1("caf\xE9 \xE0 la cr\xE8me"), "CAF\xC9 \xC0 LA CR\xC8ME");
    EXPECT_EQ(LowerLatin1("\xC6SIR \xD8ST \xDE"), "\xE6sir \xF8st \xFE");
    // ß, ÿ, × and ÷ have no single-byte partner.
    EXPECT_EQ(UpperLatin1("\xDF\xFF\xF7"), "\xDF\xFF\xF7");
    EXPECT_EQ(LowerLatin1("\xD7"), "\xD7");
    EXPECT_TRUE(IsUpperLatin1(0xC9));
    EXPECT_FALSE(IsUpperLatin1(0xE9));
    EXPECT_FALSE(IsUpperLatin1('1'));
}

TEST(Latin1, ComparisonSortsAccentedLettersWithTheirBaseLetter) {
    // Expected order as a dictionary lists them.
    const std::vector<std::string> sorted = {"",
                                             "-",
                                             "1",
                                             "9A",
                                             "A",
                                             "AB",
                                             "\xC1"
                                             "B",
                                             "AC",
                                             "E",
                                             "\xC9",
                                             "EZ",
                                             "\xC9Z",
                                             "F",
                                             "N",
                                             "\xD1O",
                                             "O",
                                             "Z"};
    for (size_t i = 0; i < sorted.size(); ++i)
        for (size_t j = 0; j < sorted.size(); ++j) {
            const int c = CompareLatin1(sorted[i], sorted[j]);
            if (i < j)
                EXPECT_LT(c, 0) << i << " " << j;
            else if (i > j)
                EXPECT_GT(c, 0) << i << " " << j;
            else
                EXPECT_EQ(c, 0);
        }
}

TEST(Latin1, Utf8ConversionRejectsCharactersOutsideLatin1) {
    std::string out;
    ASSERT_TRUE(Utf8ToLatin1("caf\xC3\xA9", out));
    EXPECT_EQ(out, "caf\xE9");
    EXPECT_EQ(Latin1ToUtf8(out), "caf\xC3\xA9");
    EXPECT_FALSE(Utf8ToLatin1("\xE2\x82\xAC", out)); // euro sign
    EXPECT_FALSE(Utf8ToLatin1("\xC3", out));         // cut short
}

TEST(ThesFile, HeaderChecks) {
    TempDir dir;
    const std::string good = WriteThes(dir, "good.the", {{"alpha", {"beta"}}}, -3);
    ThesFile file;
    ASSERT_EQ(file.Open(good), 0);
    EXPECT_EQ(file.Language(), -3); // signed byte
    file.Close();

    const std::string bytes = ReadBytes(good);
    struct Case {
        const char* what;
        std::string bytes;
        int error;
    };
    std::string v2 = bytes;
    v2[128] = 2;
    std::string areaBeforeHeader = bytes;
    PutInt32(areaBeforeHeader, 124, 100);
    std::string areaPastEnd = bytes;
    PutInt32(areaPastEnd, 124, static_cast<int32_t>(bytes.size()) + 10);
    const Case cases[] = {
        {"empty", "", kThesNotValid},
        {"129 bytes", bytes.substr(0, 129), kThesNotValid},
        {"version 2", v2, kThesBadVersion},
        {"entry area inside the header", areaBeforeHeader, kThesNotValid},
        {"entry area past the end", areaPastEnd, kThesNotValid},
    };
    for (const Case& c : cases) {
        ThesFile f;
        EXPECT_EQ(f.Open(WriteBytes(dir, "case.the", c.bytes)), c.error) << c.what;
        EXPECT_FALSE(f.IsOpen()) << c.what;
    }
    EXPECT_EQ(file.Open(dir.File("missing.the")), kThesCannotOpen);
    EXPECT_EQ(file.Open(dir.Path().string()), kThesCannotOpen); // a folder
}

TEST(ThesLookup, EveryHeadwordOfALargerFileIsFoundWithItsSynonyms) {
    TempDir dir;
    const Entries entries = NumberedEntries(3000);
    const std::string path = WriteThes(dir, "n.the", entries);
    ThesLookup lookup;
    ThesFile file;
    ASSERT_EQ(file.Open(path), 0);
    for (const auto& [head, syn] : entries) {
        std::vector<std::string> got;
        ASSERT_TRUE(lookup.Find(file, head, got)) << head;
        EXPECT_EQ(got, syn);
    }
    EXPECT_EQ(lookup.SampleCount(), ThesLookup::kSamples);
}

TEST(ThesLookup, SampledHeadwordsAreFoundWithoutProbingTheFile) {
    TempDir dir;
    const std::string path = WriteThes(dir, "n.the", NumberedEntries(3000));
    ThesLookup lookup;
    ThesFile file;
    ASSERT_EQ(file.Open(path), 0);
    std::vector<std::string> got;
    lookup.Find(file, "w00001", got);
    ASSERT_TRUE(lookup.IndexBuilt());
    for (int i : {0, 1, 255, 256, 510, 511}) {
        const std::string word = LowerLatin1(lookup.SampleWord(i));
        got.clear();
        ASSERT_TRUE(lookup.Find(file, word, got)) << word;
        EXPECT_EQ(lookup.LastProbeCount(), 0) << word;
        EXPECT_EQ(got.size(), 3u);
    }
}

TEST(ThesLookup, WordsOutsideAndBetweenHeadwordsAreNotFound) {
    TempDir dir;
    for (int count : {1, 2, 40, 3000}) { // tiny files repeat the first headword in every sample slot
        const std::string path = WriteThes(dir, "n.the", NumberedEntries(count));
        for (const char* word : {"a", "w", "w0000", "w00000a", "w000005", "w99999", "z", "\xFF\xFF"}) {
            const Result r = Find(path, word);
            EXPECT_FALSE(r.found) << count << " " << word;
            EXPECT_TRUE(r.synonyms.empty());
        }
        EXPECT_TRUE(Find(path, "w00000").found) << count;
        char last[16];
        std::snprintf(last, sizeof last, "W%05d", count - 1);
        EXPECT_TRUE(Find(path, last).found) << count;
    }
}

TEST(ThesLookup, DuplicatesDifferingInCaseAppearOnceInTheFirstPlace) {
    TempDir dir;
    const std::string path =
        WriteThes(dir, "d.the", {{"alpha", {"Gamma", "beta", "GAMMA", "Beta", "delta", "gAmMa"}}});
    EXPECT_EQ(Find(path, "alpha").synonyms, (std::vector<std::string>{"gamma", "beta", "delta"}));
}

TEST(ThesLookup, AtMostFifteenDistinctSynonyms) {
    TempDir dir;
    std::vector<std::string> twenty;
    for (int i = 1; i <= 20; ++i)
        twenty.push_back("syn" + std::to_string(i));
    twenty[4] = "SYN1"; // a repeat inside the first fifteen does not use up a place
    const std::string path = WriteThes(dir, "t.the", {{"many", twenty}, {"next", {"one"}}});
    const Result r = Find(path, "many");
    ASSERT_EQ(r.synonyms.size(), 15u);
    EXPECT_EQ(r.events, 15);
    EXPECT_EQ(r.synonyms.front(), "syn1");
    EXPECT_EQ(r.synonyms[4], "syn6");
    EXPECT_EQ(r.synonyms.back(), "syn16");
    EXPECT_EQ(Find(path, "next").synonyms, std::vector<std::string>{"one"});
}

TEST(ThesLookup, SynonymsTakeTheCapitalisationOfTheWordAskedFor) {
    TempDir dir;
    const std::string path = WriteThes(dir, "c.the", {{"quick", {"Fast", "speedy", "\xE9lan vital"}}});
    struct Case {
        const char* word;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {"quick", {"fast", "speedy", "\xE9lan vital"}},
        {"Quick", {"Fast", "Speedy", "\xC9lan vital"}},
        {"QUICK", {"FAST", "SPEEDY", "\xC9LAN VITAL"}},
        {"qUick", {"FAST", "SPEEDY", "\xC9LAN VITAL"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Find(path, c.word).synonyms, c.expected) << c.word;
}

TEST(ThesLookup, AccentedHeadwordsSortWithTheirBaseLetters) {
    TempDir dir;
    const Entries entries = {{"cafe", {"coffee house"}}, {"caf\xE9", {"bistro"}}, {"cafes", {"bars"}},
                             {"cafeteria", {"canteen"}}, {"\xE9lan", {"dash"}},   {"elan", {"flair"}},
                             {"eland", {"antelope"}},    {"fable", {"tale"}}};
    const std::string path = WriteThes(dir, "a.the", entries);
    for (const auto& [head, syn] : entries)
        EXPECT_EQ(Find(path, head).synonyms, syn) << head;
    EXPECT_EQ(Find(path, "CAF\xC9").synonyms, std::vector<std::string>{"BISTRO"});
}

TEST(ThesLookup, HeadwordsWithMoreSynonymsThanOneReadHoldAreStillFound) {
    TempDir dir;
    Entries entries = NumberedEntries(600);
    for (size_t i = 0; i < entries.size(); i += 7)
        for (int k = 0; k < 300; ++k)
            entries[i].second.push_back("x" + std::to_string(k));
    const std::string path = WriteThes(dir, "long.the", entries);
    ThesLookup lookup;
    ThesFile file;
    ASSERT_EQ(file.Open(path), 0);
    for (const auto& [head, syn] : entries) {
        std::vector<std::string> got;
        EXPECT_TRUE(lookup.Find(file, head, got)) << head;
    }
    EXPECT_EQ(lookup.SampleCount(), ThesLookup::kSamples);
}

TEST(ThesLookup, MalformedFilesEndInNotFoundWithoutReadingOutside) {
    TempDir dir;
    const std::string good = ReadBytes(WriteThes(dir, "g.the", NumberedEntries(50)));
    ThesFile probe;
    ASSERT_EQ(probe.Open(dir.File("g.the")), 0);
    const size_t area = static_cast<size_t>(probe.EntryStart());
    probe.Close();
    const size_t firstSynonym = area + 4;

    std::string headOutside = good;
    PutInt32(headOutside, area, -static_cast<int32_t>(good.size()) - 100);
    std::string synonymOutside = good;
    PutInt32(synonymOutside, firstSynonym, static_cast<int32_t>(good.size()) + 1000);
    std::string noTerminator = good;
    const int32_t firstText = -GetInt32(good, area) - 1;
    for (size_t i = 0; i < 60; ++i)
        noTerminator[static_cast<size_t>(firstText) + i] = 'q';
    std::string truncated = good.substr(0, good.size() - 6); // the last entry and a half cut off
    std::string minInt = good;
    PutInt32(minInt, area, INT32_MIN);

    // The first headword is damaged in most cases; the others must not be affected.
    for (const std::string& bytes : {headOutside, synonymOutside, noTerminator, truncated, minInt}) {
        const std::string path = WriteBytes(dir, "bad.the", bytes);
        const Result first = Find(path, "w00000");
        EXPECT_LE(first.synonyms.size(), 3u);
        EXPECT_TRUE(Find(path, "w00020").found);
        EXPECT_FALSE(Find(path, "w00020x").found);
    }
    // A damaged synonym is skipped, the others are kept.
    EXPECT_EQ(Find(WriteBytes(dir, "s.the", synonymOutside), "w00000").synonyms,
              (std::vector<std::string>{"s00000b", "s00000c"}));
    // The cut-off last headword keeps what is still whole.
    EXPECT_EQ(Find(WriteBytes(dir, "t.the", truncated), "w00049").synonyms,
              (std::vector<std::string>{"s00049a"}));
}

TEST(ThesLookup, OneLookupIssuesFewReads) {
    TempDir dir;
    const std::string path = WriteThes(dir, "n.the", NumberedEntries(20000));
    ThesLookup lookup;
    {
        ThesFile file;
        ASSERT_EQ(file.Open(path), 0);
        std::vector<std::string> got;
        lookup.Find(file, "w00000", got); // builds the index
    }
    for (const char* word : {"w12345", "w00777", "w19999", "w12345x"}) {
        ThesFile file;
        ASSERT_EQ(file.Open(path), 0);
        std::vector<std::string> got;
        lookup.Find(file, word, got);
        EXPECT_LE(file.ReadCount(), 12u) << word; // opening included
    }
}

// While open the file is read through a read-only mapping: no system call per read, the bytes those
// reads would give, clipped to the length at opening even when the file grows meanwhile, and
// nothing left once it is closed.
TEST(ThesLookup, MappedReadsGiveTheFileAsOpened) {
    TempDir dir;
    const std::string path = WriteThes(dir, "m.the", NumberedEntries(300));
    const std::string bytes = ReadBytes(path);
    ThesFile file;
    ASSERT_EQ(file.Open(path), 0);
    EXPECT_TRUE(file.Mapped());
    const int64_t n = static_cast<int64_t>(bytes.size());
    for (int64_t at : {int64_t{0}, int64_t{123}, n / 2, n - 7, n - 1}) {
        char buf[64] = {};
        const size_t got = file.ReadAt(at, buf, sizeof buf);
        EXPECT_EQ(got, static_cast<size_t>(std::min<int64_t>(64, n - at))) << at;
        EXPECT_EQ(std::string(buf, got), bytes.substr(static_cast<size_t>(at), got)) << at;
    }
    char buf[8];
    EXPECT_EQ(file.ReadAt(n, buf, sizeof buf), 0u);
    EXPECT_EQ(file.ReadAt(-1, buf, sizeof buf), 0u);
    {
        std::ofstream grow(path, std::ios::binary | std::ios::app);
        grow << std::string(5000, 'x');
    }
    EXPECT_EQ(file.ReadAt(n - 2, buf, sizeof buf), 2u);
    std::vector<std::string> got;
    ThesLookup lookup;
    EXPECT_TRUE(lookup.Find(file, "w00150", got));
    EXPECT_FALSE(got.empty());
    EXPECT_EQ(file.ReadCount(), 0u);
    file.Close();
    EXPECT_FALSE(file.Mapped());
    EXPECT_EQ(file.ReadAt(0, buf, sizeof buf), 0u);
}

// 10 000 words, half of them headwords of mythes-en-us and half non-words, drawn once with a fixed
// seed, looked up in the generated lxth_ae.the by Tezar and in the original thesaurus by libmythes.
//
//   TezarOpenFile  the lookup on a file held open, as MyThes holds its files open
//   TezarCheck     what one check of the control does: open and verify the file, look up, close
//   ControlCheck   the same through the control's dispatch interface, events included
//   MyThes         libmythes: MyThes::Lookup and CleanUpAfterLookup
// Counters: lookups per second, positioned reads per lookup (Tezar), found per lookup.

#include "thesaurus/CTezarCtrl.h"
#include "thesaurus/Latin1.h"
#include "thesaurus/ThesFile.h"
#include "thesaurus/ThesLookup.h"
#include "thesaurus/mkthes/MythesSource.h"

#include <benchmark/benchmark.h>
#include <mythes.hxx>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>

using namespace tezar;

namespace {

const std::string kSource = "/usr/share/mythes/th_en_US_v2.dat";
const std::string kIndex = "/usr/share/mythes/th_en_US_v2.idx";
const std::string kData = std::string(Q7_BINARY_DIR) + "/lib/lxth_ae.the";

// Latin-1 words for Tezar and the same words in UTF-8 for MyThes.
struct Words {
    std::vector<std::string> latin1;
    std::vector<std::string> utf8;
};

const Words& TheWords() {
    static const Words words = [] {
        Words w;
        std::ifstream in(kSource, std::ios::binary);
        const auto entries = MythesSource::Read(in);
        std::set<std::string> heads;
        for (const auto& e : entries)
            heads.insert(e.headword);
        std::mt19937 rng(20240611);
        std::uniform_int_distribution<size_t> pick(0, entries.size() - 1);
        const char* suffixes[] = {"qx", "zz", "ish", "k"};
        while (w.latin1.size() < 10000) {
            std::string word = entries[pick(rng)].headword;
            if (w.latin1.size() % 2 == 1) {
                word += suffixes[w.latin1.size() / 2 % 4];
                if (heads.count(word) != 0 || word.size() > 49) continue;
            }
            w.latin1.push_back(word);
            w.utf8.push_back(Latin1ToUtf8(word));
        }
        return w;
    }();
    return words;
}

bool Ready(benchmark::State& state) {
    if (std::filesystem::exists(kData) && std::filesystem::exists(kSource) && std::filesystem::exists(kIndex))
        return true;
    state.SkipWithError("mythes-en-us or lxth_ae.the missing");
    return false;
}

void TezarOpenFile(benchmark::State& state) {
    if (!Ready(state)) return;
    const Words& words = TheWords();
    ThesFile file;
    file.Open(kData);
    ThesLookup lookup;
    std::vector<std::string> synonyms;
    lookup.Find(file, "a", synonyms); // the sampled index
    const uint64_t reads0 = file.ReadCount();
    size_t i = 0, found = 0;
    for (auto _ : state) {
        synonyms.clear();
        found += lookup.Find(file, words.latin1[i], synonyms);
        benchmark::DoNotOptimize(synonyms.data());
        if (++i == words.latin1.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["reads/lookup"] = double(file.ReadCount() - reads0) / double(state.iterations());
    state.counters["found/lookup"] = double(found) / double(state.iterations());
}

void TezarCheck(benchmark::State& state) {
    if (!Ready(state)) return;
    const Words& words = TheWords();
    ThesLookup lookup;
    std::vector<std::string> synonyms;
    {
        ThesFile file;
        file.Open(kData);
        lookup.Find(file, "a", synonyms);
    }
    uint64_t reads = 0, maxReads = 0;
    size_t i = 0, found = 0;
    for (auto _ : state) {
        ThesFile file;
        if (file.Open(kData) != 0) state.SkipWithError("cannot open lxth_ae.the");
        synonyms.clear();
        found += lookup.Find(file, words.latin1[i], synonyms);
        reads += file.ReadCount();
        maxReads = std::max<uint64_t>(maxReads, file.ReadCount());
        if (++i == words.latin1.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["reads/lookup"] = double(reads) / double(state.iterations());
    state.counters["max reads"] = double(maxReads);
    state.counters["found/lookup"] = double(found) / double(state.iterations());
}

void ControlCheck(benchmark::State& state) {
    if (!Ready(state)) return;
    const Words& words = TheWords();
    void* obj = nullptr;
    CTezarCtrl::Create(IID_IDispatch, &obj);
    auto* ctrl = static_cast<IDispatch*>(obj);
    DispParams file{{Variant::String(kData)}}, none{{Variant::I2(0)}};
    ctrl->Invoke(DISPID_MainThesFile, InvokeKind::PropertyPut, file, nullptr, nullptr);
    ctrl->Invoke(DISPID_AutomaticDialog, InvokeKind::PropertyPut, none, nullptr, nullptr);
    size_t i = 0;
    for (auto _ : state) {
        DispParams word{{Variant::String(words.latin1[i])}};
        ctrl->Invoke(DISPID_CheckWord, InvokeKind::PropertyPut, word, nullptr, nullptr);
        if (++i == words.latin1.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
    ctrl->Release();
}

void MyThesLookup(benchmark::State& state) {
    if (!Ready(state)) return;
    const Words& words = TheWords();
    MyThes thes(kIndex.c_str(), kSource.c_str());
    size_t i = 0, found = 0;
    for (auto _ : state) {
        mentry* meanings = nullptr;
        const std::string& w = words.utf8[i];
        const int n = thes.Lookup(w.c_str(), static_cast<int>(w.size()), &meanings);
        found += n > 0;
        thes.CleanUpAfterLookup(&meanings, n);
        if (++i == words.utf8.size()) i = 0;
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["found/lookup"] = double(found) / double(state.iterations());
}

} // namespace

// 10 000 lookups per repetition: every word once.
BENCHMARK(TezarOpenFile)->Iterations(10000)->Repetitions(3);
BENCHMARK(TezarCheck)->Iterations(10000)->Repetitions(3);
BENCHMARK(ControlCheck)->Iterations(10000)->Repetitions(3);
BENCHMARK(MyThesLookup)->Iterations(10000)->Repetitions(3);

BENCHMARK_MAIN();

#include "batch/DeckCommand.h"

#include "batch/CaseFolder.h"
#include "batch/CommandLine.h"
#include "batch/InputText.h"
#include "batch/Options.h"
#include "batch/OutputLock.h"
#include "batch/RunCase.h"
#include "batch/Summary.h"
#include "engine/MessageSink.h"
#include "engine/Q7Objects.h"
#include "engine/ValueChecks.h"
#include "writers/EclipseChecks.h"
#include "writers/EclipseDeck.h"
#include "writers/OutputChoices.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

namespace q7 {

const CommandSpec kDeckCommand{
    "q7-batch deck (CASE.json | --project NAME)... --out DIR [--base NAME]\n"
    "           [--units field|metric] [--check] [--consistent] [--family 1|2] [--sgwfn]",
    "deck     writes the Eclipse files of several cases as one deck: region k is case k,\n"
    "         each keyword once (DIR/BASE.pvto ..., BASE Eclipse by default) with one table\n"
    "         per case, when every case offers it. --check checks every region's tables.\n"
    "         --family 2 writes the rock tables as SWFN, SGFN and SOF3 or SOF2 (as run does).\n",
    {{"--out", true},
     {"--base", true},
     {"--units", true, false, "field or metric"},
     {"--project", true, true},
     {"--check"},
     {"--consistent"},
     {"--family", true, false, "1 or 2"},
     {"--sgwfn"}},
    "unknown option for deck: "};

namespace {

struct DeckArguments {
    struct Source {
        bool project;
        std::string word; // file path or project name
    };
    std::vector<Source> cases;
    std::optional<std::string> out;
    std::string base = "Eclipse";
    EclipseUnits units = EclipseUnits::Field;
    bool check = false;
    bool consistent = false;
    SaturationFamily family = SaturationFamily::One;
    bool sgwfn = false;
};

// The deck's arguments; throws UsageError.
DeckArguments Parse(const CommandLine& line) {
    DeckArguments a;
    for (const CommandLine::Word& w : line.Words()) {
        if (w.option.empty())
            a.cases.push_back({false, w.value});
        else if (w.option == "--project")
            a.cases.push_back({true, w.value});
    }
    a.out = line.Value("--out");
    if (const std::optional<std::string> base = line.Value("--base")) {
        a.base = *base;
        if (a.base.empty()) throw UsageError("--base needs a name");
        // The files are DIR/BASE.pvto, ...: a base that is a path would write them elsewhere, one
        // starting with a dot would hide them.
        std::string problem = FolderNameProblem(a.base);
        if (problem.empty() && a.base[0] == '.') problem = "a name starting with \".\" would hide the files";
        if (!problem.empty())
            throw UsageError("--base takes a plain file name, not \"" + Excerpt(a.base) + "\": " + problem);
    }
    if (const std::optional<std::string> v = line.Value("--units")) {
        const std::optional<EclipseUnits> units = ParseEclipseUnits(*v);
        if (!units) throw UsageError("--units takes field or metric");
        a.units = *units;
    }
    a.check = line.Has("--check");
    a.consistent = line.Has("--consistent");
    if (const std::optional<std::string> v = line.Value("--family")) {
        const std::optional<SaturationFamily> family = ParseFamily(*v);
        if (!family) throw UsageError("--family takes 1 or 2");
        a.family = *family;
    }
    a.sgwfn = line.Has("--sgwfn");
    if (a.cases.empty()) throw UsageError("deck needs at least one case");
    if (!a.out) throw UsageError("--out DIR is required");
    return a;
}

EclipseTables Written(const DeckResult& deck) {
    EclipseTables t;
    bool* const chosen[] = {&t.PVDO, &t.PVTO, &t.PVDG, &t.PVTW, &t.DENS, &t.SWOF,
                            &t.SGOF, &t.SWFN, &t.SGFN, &t.SOF3, &t.SOF2, &t.SGWFN};
    static_assert(std::size(chosen) == std::size(kEclipseAllKeywords));
    for (const std::string& k : deck.keywords)
        for (std::size_t i = 0; i < std::size(kEclipseAllKeywords); ++i)
            if (k == kEclipseAllKeywords[i]) *chosen[i] = true;
    return t;
}

int WriteDeck(const DeckArguments& a, const ProjectCaseLoader& loadProject) {

    bool failed = false;
    std::vector<ComputedCase> regions;
    for (const DeckArguments::Source& source : a.cases) {
        ComputedCase& r = regions.emplace_back();
        try {
            if (source.project) {
                if (!loadProject) throw CaseError("this q7-batch has no project database");
                r.name = source.word;
                loadProject(source.word, r);
            } else {
                r.name = std::filesystem::path(source.word).stem().string();
                ComputeCase(CaseFile::FromFile(source.word), *r.objects, *r.sink, r.outcome);
            }
        } catch (const std::exception& e) {
            std::cerr << "q7-batch: " << e.what() << '\n';
            return 1;
        }
        for (const std::string& m : r.sink->messages)
            std::cerr << "q7-batch: " << r.name << ": " << m << '\n';
        if (r.outcome.error) {
            std::cerr << "q7-batch: " << r.name << ": " << r.outcome.error->Title() << ": "
                      << r.outcome.error->text << '\n';
        }
        failed = failed || !r.sink->messages.empty() || r.outcome.error.has_value();
    }

    std::vector<DeckCase> cases;
    for (const ComputedCase& r : regions)
        cases.push_back({r.name, r.objects.get()});
    DeckResult deck;
    try {
        const OutputLock lock = OutputLock::Folder(*a.out);
        const std::string prefix = a.base + ".";
        RemoveLeftTemporaries(*a.out, [&prefix](const std::string& target) {
            return target.compare(0, prefix.size(), prefix) == 0 &&
                   target.find('.', prefix.size()) == std::string::npos;
        });
        deck = WriteEclipseDeck(cases, std::filesystem::path(*a.out) / a.base, a.units, a.consistent,
                                a.family, a.sgwfn);
    } catch (const std::exception& e) {
        std::cerr << "q7-batch: " << e.what() << '\n';
        return 1;
    }
    for (const DeckKeywordLeftOut& left : deck.leftOut) {
        std::string names;
        for (const std::string& n : left.lacking)
            names += (names.empty() ? "" : ", ") + n;
        std::cerr << "q7-batch: note: " << left.keyword << " left out: not offered by " << names << '\n';
    }
    for (const std::filesystem::path& file : deck.files)
        std::cout << file.string() << '\n';
    std::cout << "TABDIMS" << deck.dims.Record() << '\n';

    if (a.check) {
        const EclipseTables written = Written(deck);
        for (std::size_t k = 0; k < regions.size(); ++k) {
            const Q7Objects& o = *regions[k].objects;
            const std::string region = "region " + std::to_string(k + 1) + " (" + regions[k].name + "): ";
            for (const EclipseProblem& p : CheckEclipseTables(o, written, a.units, a.consistent)) {
                std::cout << region << p.keyword << ": " << p.reason << '\n';
                failed = true;
            }
            // The same list as run --check: impossible values, then the live oil's consistency.
            for (const ValueWarning& w : ImpossibleValues(o)) {
                std::cout << region << w.table;
                if (w.row > 0) std::cout << ", row " << w.row;
                std::cout << ": " << w.text << '\n';
                failed = true;
            }
            if (written.PVTO)
                for (const ValueWarning& w : TotalCompressibilityWarnings(o, a.units, a.consistent))
                    std::cout << region << w.table << ", row " << w.row << ": " << w.text << '\n';
        }
    }
    std::cout << std::flush;
    return failed ? 1 : 0;
}

} // namespace

int RunDeckCommand(const std::vector<std::string>& args, const ProjectCaseLoader& loadProject) {
    return RunCommandLine(kDeckCommand, args,
                          [&](const CommandLine& line) { return WriteDeck(Parse(line), loadProject); });
}

} // namespace q7

#include "batch/DeckCommand.h"

#include "batch/RunCase.h"
#include "batch/Summary.h"
#include "engine/MessageSink.h"
#include "engine/Q7Objects.h"
#include "writers/EclipseChecks.h"
#include "writers/EclipseDeck.h"
#include "writers/OutputChoices.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>

namespace q7 {

namespace {

const char* kUsage =
    "usage: q7-batch deck (CASE.json | --project NAME)... --out DIR [--base NAME] [--units field|metric]\n"
    "                [--check]\n";

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
};

// Empty on a usage error, which has been said.
std::optional<DeckArguments> Parse(const std::vector<std::string>& args) {
    DeckArguments a;
    auto fail = [](const std::string& why) -> std::optional<DeckArguments> {
        std::cerr << "q7-batch: " << why << '\n' << kUsage;
        return std::nullopt;
    };
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool takesValue =
            word == "--out" || word == "--base" || word == "--units" || word == "--project";
        if (takesValue && i + 1 >= args.size()) return fail(word + " needs a value");
        if (word == "--out") {
            a.out = args[++i];
        } else if (word == "--base") {
            a.base = args[++i];
            if (a.base.empty()) return fail("--base needs a name");
        } else if (word == "--units") {
            const std::optional<EclipseUnits> units = ParseEclipseUnits(args[++i]);
            if (!units) return fail("--units takes field or metric");
            a.units = *units;
        } else if (word == "--project") {
            a.cases.push_back({true, args[++i]});
        } else if (word == "--check") {
            a.check = true;
        } else if (!word.empty() && word[0] == '-') {
            return fail("unknown option for deck: " + word);
        } else {
            a.cases.push_back({false, word});
        }
    }
    if (a.cases.empty()) return fail("deck needs at least one case");
    if (!a.out) return fail("--out DIR is required");
    return a;
}

EclipseTables Written(const DeckResult& deck) {
    EclipseTables t;
    for (const std::string& k : deck.keywords) {
        t.PVDO = t.PVDO || k == "PVDO";
        t.PVTO = t.PVTO || k == "PVTO";
        t.PVDG = t.PVDG || k == "PVDG";
        t.PVTW = t.PVTW || k == "PVTW";
        t.DENS = t.DENS || k == "DENSITY";
        t.SWOF = t.SWOF || k == "SWOF";
        t.SGOF = t.SGOF || k == "SGOF";
    }
    return t;
}

} // namespace

int RunDeckCommand(const std::vector<std::string>& args, const ProjectCaseLoader& loadProject) {
    const std::optional<DeckArguments> a = Parse(args);
    if (!a) return 2;

    bool failed = false;
    std::vector<ComputedCase> regions;
    for (const DeckArguments::Source& source : a->cases) {
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
        std::filesystem::create_directories(*a->out);
        deck = WriteEclipseDeck(cases, std::filesystem::path(*a->out) / a->base, a->units);
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

    if (a->check) {
        const EclipseTables written = Written(deck);
        for (std::size_t k = 0; k < regions.size(); ++k) {
            for (const EclipseProblem& p : CheckEclipseTables(*regions[k].objects, written, a->units)) {
                std::cout << "region " << k + 1 << " (" << regions[k].name << "): " << p.keyword << ": "
                          << p.reason << '\n';
                failed = true;
            }
        }
    }
    std::cout << std::flush;
    return failed ? 1 : 0;
}

} // namespace q7

// sweep: the variants of a base case as JSON lines, over a full grid of listed keys or a seeded
// Latin-hypercube sample of them, each named after its values.
#include "batch/BatchCommands.h"
#include "batch/CaseFile.h"
#include "batch/CommandLine.h"
#include "batch/InputText.h"
#include "batch/LineFiles.h"
#include "batch/Progress.h"
#include "batch/Summary.h"
#include "engine/ProjectFields.h"
#include "numeric/AsciiText.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <fstream>
#include <iostream>
#include <random>

namespace q7 {

const CommandSpec kSweepCommand{
    "q7-batch sweep BASE.json (--vary KEY=FROM:TO:N... | --sample KEY=FROM:TO... --samples N\n"
    "         [--seed S]) [--out FILE]",
    "sweep    writes the variants of BASE.json as JSON lines, each with a _name giving its values:\n"
    "         --vary the full grid (N values from FROM to TO per key, the last key fastest),\n"
    "         --sample a Latin-hypercube sample of --samples N cases drawn with --seed S (0).\n",
    {{"--vary", true, true},
     {"--sample", true, true},
     {"--samples", true, false, "a number of at least 1"},
     {"--seed", true, false, "a whole number"},
     {"--out", true}}};

namespace {

struct Axis {
    std::string key; // canonical spelling
    double from = 0, to = 0;
    std::uint64_t n = 0; // grid points (grid only)
};

bool ParseNumber(const std::string& text, double& v) {
    try {
        size_t used = 0;
        v = std::stod(text, &used);
        return used == text.size() && std::isfinite(v);
    } catch (...) {
        return false;
    }
}

bool ParseCount(const std::string& text, std::uint64_t& n) {
    if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    n = std::stoull(text);
    return n >= 1;
}

// A varied value as a case holds it: 7 significant digits, as the form shows a stored single.
std::string Value(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.7g", v);
    if (std::string(buf) == "-0") return "0";
    return buf;
}

// KEY=FROM:TO (withCount false) or KEY=FROM:TO:N; the key checked against the case keys and both
// ends against what a case accepts for it. Returns the reason when the text is refused.
std::string ParseAxis(const std::string& text, bool withCount, Axis& axis) {
    const size_t eq = text.find('=');
    const std::string shape = withCount ? "KEY=FROM:TO:N" : "KEY=FROM:TO";
    // Appended, not concatenated: GCC 12 at -O3 warns falsely on operator+ of short strings.
    std::string quoted = "\"";
    quoted += Excerpt(text);
    quoted += "\" is not ";
    quoted += shape;
    if (eq == std::string::npos || eq == 0) return quoted;
    const std::string key = text.substr(0, eq);
    std::vector<std::string> parts;
    size_t start = eq + 1;
    for (;;) {
        const size_t colon = text.find(':', start);
        parts.push_back(text.substr(start, colon == std::string::npos ? std::string::npos : colon - start));
        if (colon == std::string::npos) break;
        start = colon + 1;
    }
    if (parts.size() != (withCount ? 3u : 2u) || !ParseNumber(parts[0], axis.from) ||
        !ParseNumber(parts[1], axis.to) || (withCount && !ParseCount(parts[2], axis.n)))
        return quoted + " with numbers FROM, TO and a count N of at least 1";
    axis.key.clear();
    for (const std::string& k : CaseFile::Keys())
        if (AsciiLower(k) == AsciiLower(key)) axis.key = k;
    if (axis.key.empty() || axis.key[0] == '_') return "unknown key \"" + Excerpt(key) + "\"";
    try {
        for (double v : {axis.from, axis.to})
            CaseFile::FromJson(nlohmann::json{{axis.key, v}}, "--vary/--sample " + axis.key);
    } catch (const std::exception& e) {
        return e.what();
    }
    // An option index or a count takes whole numbers only: every grid point must be one.
    const ProjectField* field = FindField(axis.key);
    if (field && (field->kind == FieldKind::Integer || field->kind == FieldKind::Flag ||
                  field->kind == FieldKind::Option)) {
        if (!withCount)
            return axis.key +
                   " takes whole numbers, which a sample between them would not give; vary it with --vary";
        const bool whole =
            axis.from == std::floor(axis.from) && axis.to == std::floor(axis.to) &&
            (axis.n == 1 || std::fmod(axis.to - axis.from, static_cast<double>(axis.n - 1)) == 0.0);
        if (!whole)
            return axis.key + " takes whole numbers: " + Value(axis.from) + " to " + Value(axis.to) + " in " +
                   std::to_string(axis.n) + " points is not a whole step";
    }
    return {};
}

class Writer {
public:
    Writer(const nlohmann::ordered_json& base, const std::vector<Axis>& axes, LineOutput& out) : m_out(out) {
        auto name = base.find("_name");
        if (name != base.end() && name->is_string()) m_baseName = name->get<std::string>() + " ";
        for (const auto& [key, value] : base.items()) {
            if (key == "_name") continue;
            bool varied = false;
            for (const Axis& a : axes)
                varied = varied || AsciiLower(a.key) == AsciiLower(key);
            if (!varied) m_rest += ", " + JsonQuote(key) + ": " + value.dump();
        }
        for (const Axis& a : axes)
            m_keys.push_back(a.key);
    }

    void Case(const std::vector<std::string>& values) {
        std::string name = m_baseName, fields;
        for (size_t k = 0; k < values.size(); ++k) {
            if (k) name += ' ';
            name += m_keys[k] + "=" + values[k];
            fields += ", " + JsonQuote(m_keys[k]) + ": " + values[k];
        }
        m_out.Write("{\"_name\": " + JsonQuote(name) + fields + m_rest + "}\n");
    }

private:
    LineOutput& m_out;
    std::string m_baseName, m_rest;
    std::vector<std::string> m_keys;
};

void Grid(const std::vector<Axis>& axes, std::uint64_t total, Writer& w) {
    std::vector<std::uint64_t> at(axes.size(), 0);
    std::vector<std::string> values(axes.size());
    Progress progress(total);
    for (std::uint64_t c = 0; c < total; ++c) {
        for (size_t k = 0; k < axes.size(); ++k) {
            const Axis& a = axes[k];
            const double v =
                a.n == 1 || at[k] + 1 == a.n
                    ? (a.n == 1 ? a.from : a.to)
                    : a.from + (a.to - a.from) * static_cast<double>(at[k]) / static_cast<double>(a.n - 1);
            values[k] = Value(v);
        }
        w.Case(values);
        // The last key changes fastest.
        for (size_t k = axes.size(); k-- > 0;) {
            if (++at[k] < axes[k].n) break;
            at[k] = 0;
        }
        progress.Update(c + 1);
    }
}

// A keyed pseudo-random permutation of [0, n): a four-round Feistel network on the smallest even
// number of bits that holds n, walking the cycle until the value falls below n. Plain 64-bit
// arithmetic, so that a key gives the same permutation on every platform; it takes no memory, so
// a sample of any size streams.
class Permutation {
public:
    Permutation(std::uint64_t n, std::mt19937_64& rng) : m_n(n) {
        while ((std::uint64_t{1} << (2 * m_half)) < n)
            ++m_half;
        if (m_half == 0) m_half = 1;
        for (std::uint64_t& k : m_keys)
            k = rng();
    }
    std::uint64_t operator()(std::uint64_t x) const {
        do
            x = Round(x);
        while (x >= m_n);
        return x;
    }

private:
    std::uint64_t Round(std::uint64_t x) const {
        const std::uint64_t mask = (std::uint64_t{1} << m_half) - 1;
        std::uint64_t left = x >> m_half, right = x & mask;
        for (std::uint64_t k : m_keys) {
            const std::uint64_t next = left ^ (Mix(right ^ k) & mask);
            left = right;
            right = next;
        }
        return (left << m_half) | right;
    }

public:
    // SplitMix64's finaliser: every bit of the result depends on every bit of `z`.
    static std::uint64_t Mix(std::uint64_t z) {
        z += 0x9e3779b97f4a7c15ULL;
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
        return z ^ (z >> 31);
    }

private:
    std::uint64_t m_n;
    unsigned m_half = 0;
    std::uint64_t m_keys[4] = {};
};

// A Latin-hypercube sample: each key's range cut into `samples` equal strata, one value drawn
// uniformly in each, the strata in an order of their own per key. The keys of the orders and of
// the draws come from the standard 64-bit Mersenne Twister seeded with `seed`, and every value is
// computed from its sample's number alone, so that a seed gives the same sample on every platform
// and the cases are written as they are drawn, in memory that does not grow with the sample.
void Sample(const std::vector<Axis>& axes, std::uint64_t samples, std::uint64_t seed, Writer& w) {
    std::mt19937_64 rng(seed);
    std::vector<Permutation> orders;
    std::vector<std::uint64_t> drawKeys;
    for (size_t k = 0; k < axes.size(); ++k) {
        orders.emplace_back(samples, rng);
        drawKeys.push_back(rng());
    }
    std::vector<std::string> values(axes.size());
    Progress progress(samples);
    for (std::uint64_t s = 0; s < samples; ++s) {
        for (size_t k = 0; k < axes.size(); ++k) {
            const double u =
                static_cast<double>(Permutation::Mix(drawKeys[k] ^ Permutation::Mix(s)) >> 11) * 0x1.0p-53;
            const double t = (static_cast<double>(orders[k](s)) + u) / static_cast<double>(samples);
            values[k] = Value(axes[k].from + (axes[k].to - axes[k].from) * t);
        }
        w.Case(values);
        progress.Update(s + 1);
    }
}

int Sweep(const CommandLine& line) {
    std::vector<Axis> grid, sample;
    for (const char* option : {"--vary", "--sample"}) {
        const bool vary = option == std::string("--vary");
        std::vector<Axis>& axes = vary ? grid : sample;
        for (const std::string& text : line.Values(option)) {
            Axis axis;
            const std::string why = ParseAxis(text, vary, axis);
            if (!why.empty()) throw UsageError(option + (": " + why));
            for (const Axis& other : axes)
                if (other.key == axis.key) throw UsageError(option + (": " + axis.key + " is given twice"));
            axes.push_back(axis);
        }
    }
    std::uint64_t samples = 0, seed = 0;
    if (const std::optional<std::string> v = line.Value("--samples"))
        if (!ParseCount(*v, samples)) throw UsageError("--samples needs a number of at least 1");
    if (const std::optional<std::string> v = line.Value("--seed")) {
        if (v->empty() || v->size() > 19 || v->find_first_not_of("0123456789") != std::string::npos)
            throw UsageError("--seed needs a whole number");
        seed = std::stoull(*v);
    }
    const std::string output = line.Value("--out").value_or(std::string());
    const std::vector<std::string> words = line.Positional();
    if (words.size() > 1) throw UsageError("sweep takes one base case");
    if (words.empty()) throw UsageError("sweep needs a base case");
    const std::string& basePath = words.front();
    if (SameFile(basePath, output))
        throw UsageError("--out " + output + " is the base case itself; write elsewhere");
    if (!grid.empty() && !sample.empty()) throw UsageError("--vary and --sample do not mix");
    if (grid.empty() && sample.empty()) throw UsageError("sweep needs --vary or --sample");
    if (!sample.empty() && samples == 0) throw UsageError("--sample needs --samples N");
    if (sample.empty() && samples) throw UsageError("--samples goes with --sample");

    std::uint64_t total = 1;
    for (const Axis& a : grid) {
        if (total > UINT64_MAX / a.n) throw UsageError("the grid has too many cases");
        total *= a.n;
    }
    try {
        std::ifstream in(basePath, std::ios::binary);
        if (!in) throw CaseError(basePath + ": cannot be read");
        nlohmann::ordered_json base;
        try {
            base = nlohmann::ordered_json::parse(in);
        } catch (const nlohmann::json::exception& e) {
            throw CaseError(basePath + ": not a JSON case file (" + JsonErrorText(e) + ")");
        }
        CaseFile::FromJson(nlohmann::json(base), basePath); // the base must be a valid case
        LineOutput out(output);
        const std::vector<Axis>& axes = grid.empty() ? sample : grid;
        Writer w(base, axes, out);
        if (!grid.empty())
            Grid(grid, total, w);
        else
            Sample(sample, samples, seed, w);
        out.Commit();
    } catch (const std::exception& e) {
        std::cerr << "q7-batch: " << e.what() << "\n";
        return 1;
    }
    return 0;
}

} // namespace

int RunSweepCommand(const std::vector<std::string>& args) {
    return RunCommandLine(kSweepCommand, args, [](const CommandLine& line) { return Sweep(line); });
}

} // namespace q7

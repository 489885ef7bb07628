#pragma once
// OPM Flow in the tests: whether it is installed, a deck of a small box of cells around include
// files (wells, regions and the unit system as a test asks), running Flow on it, and what Flow said
// when it refused. Every test that runs Flow uses these, so that a deck keyword or a way of reading
// Flow's verdict is written once.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace q7::test {

inline bool FlowOnPath() {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "");
    for (std::string dir; std::getline(dirs, dir, ':');)
        if (!dir.empty() && ::access((std::filesystem::path(dir) / "flow").c_str(), X_OK) == 0) return true;
    return false;
}

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// A number with `decimals` fixed decimals, as a deck holds it (C locale whatever the process's).
inline std::string DeckNumber(double value, int decimals) {
    std::ostringstream s;
    s.imbue(std::locale::classic());
    s.setf(std::ios::fixed);
    s.precision(decimals);
    s << value;
    return s.str();
}

// A well of the deck: a producer at rate control with a bottom-hole pressure limit, or an injector
// of WATER or GAS at rate control with a bottom-hole pressure limit. Rates in stb/d or Mscf/d,
// pressures in psia (field units; METRIC decks get them converted).
struct FlowWell {
    std::string name;
    std::string phase; // "OIL" for the producer, else the injected "WATER" or "GAS"
    int i = 1, j = 1;  // the column of cells it is completed in, over every layer
    double rate = 400;
    double bhp = 1500;
};

// A black-oil deck of nx x ny x nz cells around PROPS include files. Lengths in feet, pressures in
// psia: a METRIC deck gets them converted with the textbook factors (independently of the writers).
struct BoxDeck {
    std::string units = "FIELD"; // or "METRIC"
    int nx = 5, ny = 5, nz = 1;
    double dx = 300, dy = 300, dz = 40, top = 8000;
    std::vector<std::string> phases; // RUNSPEC phase keywords (OIL, WATER, GAS, DISGAS)
    std::string tabdims = " 1 1 30 40 1 40 /";
    std::vector<std::string> includes; // PROPS include files, in order
    int regions = 1;                   // PVTNUM = SATNUM = EQLNUM, in bands of rows of cells
    // The initial state: EQUIL at the datum (8020 ft) for every region with this pressure and, for
    // live oil, a bubble point per region (PBVD) or a dissolved gas per region (RSVD, Mscf/stb).
    double initialPressure = 3000;
    double datum = 8020;
    std::vector<double> bubblePoints;
    std::vector<double> dissolvedGas;
    std::vector<FlowWell> wells;
    std::string steps = "4*30";       // TSTEP, days
    std::vector<std::string> summary; // SUMMARY vectors (FOPR ...); none: no SUMMARY section
};

inline std::string BoxDeckText(const BoxDeck& d) {
    const bool metric = d.units == "METRIC";
    auto ft = [&](double v) { return DeckNumber(metric ? v * 0.3048 : v, 3); };
    auto psi = [&](double v) { return DeckNumber(metric ? v * 0.0689475729 : v, 3); };
    auto liquidRate = [&](double v) { return DeckNumber(metric ? v * 0.158987295 : v, 3); };
    auto gasRate = [&](double v) { return DeckNumber(metric ? v * 28.316846592 : v, 3); };
    auto rs = [&](double v) { return DeckNumber(metric ? v * 1000.0 * 0.028316846592 / 0.158987295 : v, 5); };
    const int cells = d.nx * d.ny * d.nz;
    const std::string all = " " + std::to_string(cells) + "*";
    std::string s = "RUNSPEC\nTITLE\nFluvarex include files\nDIMENS\n " + std::to_string(d.nx) + " " +
                    std::to_string(d.ny) + " " + std::to_string(d.nz) + " /\n" + d.units + "\n";
    for (const std::string& p : d.phases)
        s += p + "\n";
    const std::string wells = std::to_string(d.wells.size() > 0 ? d.wells.size() : 1);
    s += "TABDIMS\n" + d.tabdims + "\nEQLDIMS\n " + std::to_string(d.regions) + " /\nWELLDIMS\n " + wells +
         " " + std::to_string(d.nz) + " 1 " + wells + " /\nSTART\n 1 'JAN' 2024 /\nUNIFOUT\nGRID\nDX\n" +
         all + ft(d.dx) + " /\nDY\n" + all + ft(d.dy) + " /\nDZ\n" + all + ft(d.dz) + " /\nTOPS\n " +
         std::to_string(d.nx * d.ny) + "*" + ft(d.top) + " /\nPORO\n" + all + "0.2 /\nPERMX\n" + all +
         "100 /\nPERMY\n" + all + "100 /\nPERMZ\n" + all + "10 /\nPROPS\n";
    for (const std::string& f : d.includes)
        s += "INCLUDE\n '" + f + "' /\n";
    s += "ROCK\n " + psi(3000) + " " + DeckNumber(metric ? 4.0E-6 * 14.5037738 : 4.0E-6, 9) + " /\n";
    if (d.regions > 1) {
        // Bands of whole rows of cells: region k takes row k, and the last region the rest.
        std::string bands;
        for (int layer = 0; layer < d.nz; ++layer)
            for (int k = 1; k <= d.regions; ++k)
                bands += " " + std::to_string(k < d.regions ? d.nx : d.nx * (d.ny - d.regions + 1)) + "*" +
                         std::to_string(k);
        s += "REGIONS\n";
        for (const char* kw : {"PVTNUM", "SATNUM", "EQLNUM"})
            s += std::string(kw) + "\n" + bands + " /\n";
    }
    s += "SOLUTION\nEQUIL\n";
    const bool live = !d.bubblePoints.empty() || !d.dissolvedGas.empty();
    const double deep = d.top + d.dz * d.nz + 1000;
    for (int k = 0; k < d.regions; ++k)
        s += " " + ft(d.datum) + " " + psi(d.initialPressure) + " " + ft(deep) + " 0 " + ft(d.top - 1000) +
             " 0 " + (live ? "1" : "0") + " 0 0 /\n";
    if (!d.bubblePoints.empty()) {
        s += "PBVD\n";
        for (double pb : d.bubblePoints)
            s += " " + ft(d.top - 1000) + " " + psi(pb) + "\n " + ft(deep) + " " + psi(pb) + " /\n";
    } else if (!d.dissolvedGas.empty()) {
        s += "RSVD\n";
        for (double r : d.dissolvedGas)
            s += " " + ft(d.top - 1000) + " " + rs(r) + "\n " + ft(deep) + " " + rs(r) + " /\n";
    }
    if (!d.summary.empty()) {
        s += "SUMMARY\n";
        for (const std::string& v : d.summary)
            s += v + "\n";
    }
    s += "SCHEDULE\n";
    if (!d.wells.empty()) {
        s += "WELSPECS\n";
        for (const FlowWell& w : d.wells)
            s += " '" + w.name + "' 'G' " + std::to_string(w.i) + " " + std::to_string(w.j) + " " +
                 ft(d.datum) + " '" + w.phase + "' /\n";
        s += "/\nCOMPDAT\n";
        for (const FlowWell& w : d.wells)
            s += " '" + w.name + "' " + std::to_string(w.i) + " " + std::to_string(w.j) + " 1 " +
                 std::to_string(d.nz) + " 'OPEN' 1* 1* " + ft(0.5) + " /\n";
        s += "/\n";
        for (const FlowWell& w : d.wells) {
            if (w.phase == "OIL")
                s += "WCONPROD\n '" + w.name + "' 'OPEN' 'ORAT' " + liquidRate(w.rate) + " 4* " + psi(w.bhp) +
                     " /\n/\n";
            else
                s += "WCONINJE\n '" + w.name + "' '" + w.phase + "' 'OPEN' 'RATE' " +
                     (w.phase == "GAS" ? gasRate(w.rate) : liquidRate(w.rate)) + " 1* " + psi(w.bhp) +
                     " /\n/\n";
        }
    }
    s += "TSTEP\n " + d.steps + " /\nEND\n";
    return s;
}

// What Flow made of a deck: its exit status and what it printed (terminal and PRT file).
struct FlowVerdict {
    int code = 0;
    std::string output;
    // Refused: a non-zero exit, or an "Error:" line (Flow 2022.10 reports some saturation-table
    // faults that way and runs on).
    bool Refused() const { return code != 0 || output.find("Error:") != std::string::npos; }
};

// Writes `deck` as DIR/BASE.DATA (unless `deck` is empty: the file is there already) and runs Flow
// on it with one thread, for at most `seconds`; its files go to DIR/out-BASE, its terminal to
// DIR/BASE.log.
inline FlowVerdict RunFlow(const std::filesystem::path& dir, const std::string& base, const std::string& deck,
                           int seconds = 600) {
    if (!deck.empty()) std::ofstream(dir / (base + ".DATA")) << deck;
    const std::string command = "cd '" + dir.string() + "' && ulimit -c 0 && timeout " +
                                std::to_string(seconds) + " flow " + base + ".DATA --output-dir=out-" + base +
                                " --threads-per-process=1 --enable-async-ecl-output=false > " + base +
                                ".log 2>&1";
    const int status = std::system(command.c_str());
    FlowVerdict v;
    v.code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    v.output = ReadText(dir / (base + ".log")) + ReadText(dir / ("out-" + base) / (base + ".PRT"));
    return v;
}

// What Flow said about a refusal: its error lines and the lines before an abort, without the
// backtrace.
inline std::string FlowSaid(const std::string& output) {
    std::stringstream lines(output);
    std::string line, out;
    std::vector<std::string> tail;
    while (std::getline(lines, line)) {
        if (line.rfind("[vm", 0) == 0 || line.find("*** ") != std::string::npos) continue;
        if (line.find("rror") != std::string::npos || line.find("ssertion") != std::string::npos ||
            line.find("xception") != std::string::npos || line.find("roblem") != std::string::npos)
            out += line + "\n";
        tail.push_back(line);
    }
    if (out.empty())
        for (std::size_t k = tail.size() > 12 ? tail.size() - 12 : 0; k < tail.size(); ++k)
            out += tail[k] + "\n";
    return out;
}

// The rows of numbers of an include file (comments, the keyword and slashes left out).
inline std::vector<std::vector<double>> NumberRows(const std::string& text) {
    std::vector<std::vector<double>> rows;
    std::stringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("--", 0) == 0) continue;
        std::stringstream words(line);
        std::vector<double> row;
        for (std::string w; words >> w;) {
            char* end = nullptr;
            const double v = std::strtod(w.c_str(), &end);
            if (end != w.c_str() && *end == '\0') row.push_back(v);
        }
        if (!row.empty()) rows.push_back(row);
    }
    return rows;
}

// The rows of a written gas table (PVDG: pressure, Bg, viscosity), by pressure.
inline std::vector<std::vector<double>> GasRows(const std::string& pvdg) {
    std::vector<std::vector<double>> gas;
    for (const auto& r : NumberRows(pvdg))
        if (r.size() == 3) gas.push_back(r);
    std::sort(gas.begin(), gas.end());
    return gas;
}

// Bg at p as Flow reads the gas table: 1/Bg linear between its rows.
inline double BgAsRead(const std::vector<std::vector<double>>& gas, double p) {
    for (std::size_t k = 0; k < gas.size(); ++k)
        if (p <= gas[k][0]) {
            if (k == 0 || p == gas[k][0]) return gas[k][1];
            const double f = (p - gas[k - 1][0]) / (gas[k][0] - gas[k - 1][0]);
            return 1.0 / (1.0 / gas[k - 1][1] + f * (1.0 / gas[k][1] - 1.0 / gas[k - 1][1]));
        }
    return gas.back()[1];
}

// Where a written live-oil table (PVTO, with its PVDG) has a negative total compressibility: between
// two consecutive saturated records the oil swells by more than the gas it dissolves takes up,
// dBo/dp > Bg dRs/dp. The oil and its released gas would then expand when compressed; this is the
// classic consistency condition of black-oil tables (Coats, "Simulation of Gas Condensate Reservoir
// Performance", JPT 37(10), 1985; McCain, "The Properties of Petroleum Fluids", 2nd ed., 1990).
// With Bo and Rs linear between records and Bg falling with pressure, the condition fails first at
// the interval's upper pressure, where Bg is read from PVDG (1/Bg linear between its rows, as Flow
// reads it). From a record with undersaturated rows (the bubble point's) the oil is first
// compressed along them to the next record's pressure (1/Bo linear between the rows and along the
// last two beyond them) and its swelling is counted from there. Read from the files, independently
// of the program's own numbers. Returns the first such interval as "p_a to p_c psia", or "".
inline std::string NegativeTotalCompressibility(const std::string& pvto, const std::string& pvdg) {
    std::vector<std::vector<std::vector<double>>> records; // each: the saturated row, then its rows
    for (const auto& r : NumberRows(pvto)) {
        if (r.size() == 4)
            records.push_back({r});
        else if (r.size() == 3 && !records.empty())
            records.back().push_back(r);
    }
    const std::vector<std::vector<double>> gas = GasRows(pvdg);
    if (gas.empty()) return {};
    auto bg = [&](double p) { return BgAsRead(gas, p); };
    // Bo of a record's oil at p along its rows (pressure and Bo come before the viscosity).
    auto compressed = [](const std::vector<std::vector<double>>& record, double p) {
        std::vector<std::pair<double, double>> rows;
        for (const auto& r : record)
            rows.emplace_back(r[r.size() - 3], 1.0 / r[r.size() - 2]);
        std::size_t k = 1;
        while (k + 1 < rows.size() && p > rows[k].first)
            ++k;
        const auto& [p0, b0] = rows[k - 1];
        const auto& [p1, b1] = rows[k];
        return 1.0 / (b0 + (b1 - b0) * (p - p0) / (p1 - p0));
    };
    for (std::size_t k = 1; k < records.size(); ++k) {
        const auto &a = records[k - 1].front(), &c = records[k].front();
        if (c[1] <= a[1]) continue;
        const double from = records[k - 1].size() > 1 ? compressed(records[k - 1], c[1]) : a[2];
        if (c[2] - from >= bg(c[1]) * (c[0] - a[0]))
            return std::to_string(a[1]) + " to " + std::to_string(c[1]) + " psia";
    }
    return {};
}

} // namespace q7::test

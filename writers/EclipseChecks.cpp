#include "writers/EclipseChecks.h"

#include "engine/Checked.h"
#include "engine/NumericText.h"
#include "engine/Q7Objects.h"
#include "writers/OutputChoices.h"
#include "writers/clsECL.h"

#include <algorithm>
#include <charconv>
#include <functional>
#include <stdexcept>

namespace q7 {

namespace {

// One table being laid out as clsECL writes it: each number goes through the writer's column
// formatter and is read back as the simulator reads it. A number too wide for its column (its
// text would lose leading digits, or run into the column before) is noted as a fault.
class Layout {
public:
    explicit Layout(EclipseUnits units) : m_units(units) {}
    void StartRecord() {
        m_table.emplace_back();
        m_sources.emplace_back();
    }
    // A row written from row `source` of the objects' table (schedule or saturation row).
    void StartRow(std::int16_t source) {
        m_table.back().emplace_back();
        m_sources.back().push_back(source);
    }

    // A single written with `width` characters and `decimals` decimals in a FIELD file, and in
    // the column the unit system gives it otherwise. `lineStart`: the column opens the line, so it
    // needs no blank in front of it.
    void Add(float fieldValue, std::int16_t fieldWidth, std::int16_t fieldDecimals, bool lineStart,
             const char* name) {
        const EclipseQuantity quantity = QuantityOf(name);
        const float value = InUnits(fieldValue, quantity, m_units);
        const auto [width, decimals] = ColumnIn(quantity, fieldWidth, fieldDecimals, m_units);
        std::string full = Nbr2Str(value, 48, decimals);
        full.erase(0, full.find_first_not_of(' '));
        const std::size_t room = static_cast<std::size_t>(width) - (lineStart ? 0 : 1);
        if (full.size() > room) {
            m_overflows.push_back(RowName() + ": " + name + " " + full + " does not fit its column of " +
                                  std::to_string(width) + " characters");
        }
        m_table.back().back().push_back(ReadBack(Nbr2Str(value, width, decimals)));
    }
    // A value computed in double precision, handed to the formatter as a single (as the writer does).
    void AddDouble(double value, std::int16_t width, std::int16_t decimals, bool lineStart,
                   const char* name) {
        Add(Single(value), width, decimals, lineStart, name);
    }
    // A column the writer fills with a fixed text (capillary pressure "0.000" without a model).
    void AddZero() { m_table.back().back().push_back(0.0); }

    WrittenTable& Table() { return m_table; }
    const std::vector<std::string>& Overflows() const { return m_overflows; }
    const std::vector<std::vector<std::int16_t>>& Sources() const { return m_sources; }

private:
    // The quantity of a column, from the name the layouts give it.
    static EclipseQuantity QuantityOf(std::string_view name) {
        using Q = EclipseQuantity;
        if (name == "pressure" || name == "reference pressure" || name == "Pc") return Q::Pressure;
        if (name == "Rs") return Q::GasOilRatio;
        if (name == "Bo" || name == "Bw") return Q::VolumeRatio;
        if (name == "Bg") return Q::GasVolume;
        if (name == "viscosity") return Q::Viscosity;
        if (name.ends_with("density")) return Q::Density;
        if (name == "compressibility" || name == "viscosibility") return Q::PerPressure;
        if (name == "Sw" || name == "Sg" || name == "krw" || name == "krg" || name == "kro")
            return Q::Fraction;
        throw std::logic_error("no unit for the column " + std::string(name));
    }
    // The number a column's text holds, whatever the process's locale.
    static double ReadBack(const std::string& text) {
        const std::size_t start = text.find_first_not_of(' ');
        double v = 0.0;
        if (start != std::string::npos) std::from_chars(text.data() + start, text.data() + text.size(), v);
        return v;
    }
    std::string RowName() const {
        std::string s;
        if (m_table.size() > 1) s = "record " + std::to_string(m_table.size()) + ", ";
        return s + "row " + std::to_string(m_table.back().size());
    }
    EclipseUnits m_units;
    WrittenTable m_table;
    std::vector<std::vector<std::int16_t>> m_sources;
    std::vector<std::string> m_overflows;
};

// The rows of clsECL::WritePVDO: the bubble point upwards.
void LayPVDO(const Q7Objects& o, Layout& t) {
    t.StartRecord();
    for (std::int16_t i = o.Prs.BPPi(); i >= 1; --i) {
        t.StartRow(i);
        t.Add(o.Prs.GetPRSo(i), 15, 1, true, "pressure");
        t.Add(o.Oil.GetBO(i), 14, 4, false, "Bo");
        t.Add(o.Oil.GetMUO(i), 11, 3, false, "viscosity");
    }
}

// The records of clsECL::WritePVTO, with the row extrapolated 200 psi above the top of the
// schedule computed as the writer computes it.
void LayPVTO(const Q7Objects& o, Layout& t) {
    const clsPrs& prs = o.Prs;
    const clsOil& oil = o.Oil;
    const std::int16_t bppi = prs.BPPi();
    if (prs.NPRSo() < 1) return;
    for (std::int16_t i = prs.NPRSo(); i >= 1; --i) {
        t.StartRecord();
        t.StartRow(i);
        t.AddDouble(static_cast<double>(oil.GetRSOS(i)) / 1000.0, 14, 3, true, "Rs");
        t.Add(prs.GetPRSo(i), 15, 1, false, "pressure");
        t.Add(oil.GetBOS(i), 14, 4, false, "Bo");
        t.Add(oil.GetMUOS(i), 11, 3, false, "viscosity");
        if (i == bppi) {
            for (std::int16_t j = static_cast<std::int16_t>(i - 1); j >= 1; --j) {
                t.StartRow(j);
                t.Add(prs.GetPRSo(j), 29, 1, true, "pressure");
                t.Add(oil.GetBO(j), 14, 4, false, "Bo");
                t.Add(oil.GetMUO(j), 11, 3, false, "viscosity");
            }
        }
    }
    // Oil compressibility for Bo; Vazquez-Beggs undersaturated viscosity, mu = mu_b (p / p_b)^m.
    const double p1 = prs.GetPRSo(1);
    const double pu = p1 + 200.0;
    const double bu = static_cast<double>(oil.GetBOS(1)) * Exp(-200.0 * static_cast<double>(oil.GetCO(1)));
    const double m = 2.6 * Pow(pu, 1.187) * Exp(-11.513 - 0.0000898 * pu);
    const double mu = static_cast<double>(oil.GetMUOS(1)) * Pow(Div(pu, p1), m);
    t.StartRow(1);
    t.AddDouble(pu, 11, 1, true, "pressure");
    t.AddDouble(bu, 14, 4, false, "Bo");
    t.AddDouble(mu, 11, 3, false, "viscosity");
}

// The rows of clsECL::WritePVDG: pressure rising, Bg in rb/Mscf.
void LayPVDG(const Q7Objects& o, Layout& t) {
    t.StartRecord();
    for (std::int16_t i = o.Prs.NPRSo(); i >= 1; --i) {
        t.StartRow(i);
        t.Add(o.Prs.GetPRSo(i), 15, 1, true, "pressure");
        t.AddDouble(static_cast<double>(o.Gas.GetBG(i)) * 1000.0 / 5.615, 15, 5, false, "Bg");
        t.Add(o.Gas.GetMUG(i), 9, 4, false, "viscosity");
    }
}

// The one row of clsECL::WritePVTW at its reference row.
void LayPVTW(const Q7Objects& o, Layout& t) {
    const clsPrs& prs = o.Prs;
    const clsWater& water = o.Water;
    const auto [r, c] = PVTWReference(o);
    t.StartRecord();
    t.StartRow(static_cast<std::int16_t>(r));
    t.Add(prs.GetPRSo(r), 14, 1, true, "reference pressure");
    t.Add(water.GetBW(r), 16, 4, false, "Bw");
    t.Add(water.GetCW(r), 15, 7, false, "compressibility");
    t.Add(water.GetMUW(r), 13, 3, false, "viscosity");
    t.AddDouble(c, 12, 7, false, "viscosibility");
}

void LayDENSITY(const Q7Objects& o, Layout& t) {
    t.StartRecord();
    t.StartRow(0);
    t.Add(o.Oil.STDenOil(), 17, 3, true, "oil density");
    t.Add(o.Water.STDenWat(), 18, 3, false, "water density");
    t.Add(o.Gas.STDenGas(), 16, 3, false, "gas density");
}

void LaySWOF(const Q7Objects& o, Layout& t) {
    const clsRock& rock = o.Rock;
    t.StartRecord();
    for (std::int16_t i = 1; i <= rock.NWet(); ++i) {
        t.StartRow(i);
        t.Add(rock.GetSWet(i), 12, 2, true, "Sw");
        t.Add(rock.GetKRWat(i), 10, 4, false, "krw");
        t.Add(rock.GetKROil(i), 10, 4, false, "kro");
        if (rock.HasPc())
            t.Add(rock.GetPC(i), 10, 3, false, "Pc");
        else
            t.AddZero();
    }
}

// SGOF runs the saturation grid from its last row to its first, gas saturation rising.
void LaySGOF(const Q7Objects& o, Layout& t) {
    const clsRock& rock = o.Rock;
    t.StartRecord();
    for (std::int16_t i = rock.NWet(); i >= 1; --i) {
        t.StartRow(i);
        t.Add(rock.GetSNWet(i), 12, 4, true, "Sg");
        t.Add(rock.GetKRGas(i), 10, 4, false, "krg");
        t.Add(rock.GetKROil(i), 10, 4, false, "kro");
        if (rock.HasPc())
            t.Add(rock.GetPC(i), 10, 3, false, "Pc");
        else
            t.AddZero();
    }
}

using LayFunction = void (*)(const Q7Objects&, Layout&);

LayFunction LayoutOf(std::string_view keyword) {
    if (keyword == "PVDO") return LayPVDO;
    if (keyword == "PVTO") return LayPVTO;
    if (keyword == "PVDG") return LayPVDG;
    if (keyword == "PVTW") return LayPVTW;
    if (keyword == "DENSITY") return LayDENSITY;
    if (keyword == "SWOF") return LaySWOF;
    if (keyword == "SGOF") return LaySGOF;
    throw std::invalid_argument("not an Eclipse table keyword: " + std::string(keyword));
}

// ---- The rules ----

std::string Show(double v, int decimals) {
    char buf[352];
    const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals).ptr;
    return std::string(buf, end);
}

struct Column {
    std::size_t index; // position in the row, counted from the row's end (PVTO's first rows carry Rs)
    const char* name;
    int decimals;
};

// Names a row for a message: "row 3 (2214.0 psia)".
using RowName = std::function<std::string(std::size_t row)>;

double At(const WrittenRow& row, const Column& c) {
    return row[row.size() - 1 - c.index];
}

// Each row's value strictly above (rising) or below (falling) the row before's.
void Strict(const WrittenRecord& rows, const Column& c, bool rising, const RowName& name,
            const std::string& why, std::vector<std::string>& out) {
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const double prev = At(rows[r - 1], c), v = At(rows[r], c);
        if (rising ? v > prev : v < prev) continue;
        out.push_back(name(r) + ": " + c.name + " " + Show(v, c.decimals) +
                      (rising ? " is not above " : " is not below ") + Show(prev, c.decimals) +
                      " in the row before; " + why);
    }
}

// Viscosity may stay level but never fall as pressure rises.
void NotFalling(const WrittenRecord& rows, const Column& c, const RowName& name,
                std::vector<std::string>& out) {
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const double prev = At(rows[r - 1], c), v = At(rows[r], c);
        if (v >= prev) continue;
        out.push_back(name(r) + ": " + c.name + " " + Show(v, c.decimals) + " is below " +
                      Show(prev, c.decimals) +
                      " in the row before; viscosity must not fall as pressure rises");
    }
}

void Positive(const WrittenRow& row, const Column& c, std::vector<std::string>& out) {
    const double v = At(row, c);
    if (!(v > 0.0))
        out.push_back(std::string(c.name) + " is written as " + Show(v, c.decimals) + "; it must be above 0");
}

void UnitRange(const WrittenRecord& rows, const Column& c, const RowName& name,
               std::vector<std::string>& out) {
    for (std::size_t r = 0; r < rows.size(); ++r) {
        const double v = At(rows[r], c);
        if (v < 0.0 || v > 1.0)
            out.push_back(name(r) + ": " + c.name + " " + Show(v, c.decimals) + " is outside [0, 1]");
    }
}

// Pressure tables (PVDO, PVDG, one PVTO record): pressure strictly rising and the volume factor
// strictly falling; in the dead-oil and dry-gas tables (`mu` given) viscosity never falling.
// A live-oil record's viscosity may fall: simulators take the undersaturated branch as it is.
void CheckPressureRows(const WrittenRecord& rows, const Column& b, const Column* mu,
                       const std::string& prefix, EclipseUnits units, std::vector<std::string>& out) {
    const bool metric = units == EclipseUnits::Metric;
    const Column p{2, "pressure", metric ? 3 : 1};
    const RowName name = [&](std::size_t r) {
        return prefix + "row " + std::to_string(r + 1) + " (" + Show(At(rows[r], p), p.decimals) +
               (metric ? " barsa)" : " psia)");
    };
    Strict(rows, p, true, name,
           std::string("pressures must rise strictly as written (") + (metric ? "3 decimals" : "1 decimal") +
               "): space them further apart",
           out);
    Strict(rows, b, false, name, std::string(b.name) + " must fall strictly as pressure rises", out);
    if (mu) NotFalling(rows, *mu, name, out);
}

const Column kBo{1, "Bo", 4}, kMuo{0, "viscosity", 3}, kBg{1, "Bg", 5}, kMug{0, "viscosity", 4};

void CheckPVDO(const WrittenTable& t, EclipseUnits units, std::vector<std::string>& out) {
    CheckPressureRows(t.front(), kBo, &kMuo, "", units, out);
    if (t.front().size() < 2)
        out.push_back(
            "only one pressure row (the bubble point is at the top of the schedule); a dead-oil table "
            "needs at least two: raise the highest pressure above the bubble point");
}

void CheckPVTO(const WrittenTable& t, EclipseUnits units, std::vector<std::string>& out) {
    for (std::size_t k = 0; k < t.size(); ++k) {
        const WrittenRecord& rec = t[k];
        const std::string prefix =
            "record " + std::to_string(k + 1) + " (Rs " + Show(rec.front().front(), 3) + "), ";
        CheckPressureRows(rec, kBo, nullptr, prefix, units, out);
        if (k > 0 && !(rec.front().front() > t[k - 1].front().front())) {
            const bool metric = units == EclipseUnits::Metric;
            out.push_back("record " + std::to_string(k + 1) + " (" + Show(rec.front()[1], metric ? 3 : 1) +
                          (metric ? " barsa): Rs " : " psia): Rs ") + Show(rec.front().front(), 3) +
                          " is not above " + Show(t[k - 1].front().front(), 3) +
                          " in the record before; Rs must rise strictly as written (3 decimals, " +
                          (metric ? "sm3/sm3" : "Mscf/stb") +
                          "): "
                          "space the pressures further apart");
        }
    }
}

void CheckPVDG(const WrittenTable& t, EclipseUnits units, std::vector<std::string>& out) {
    CheckPressureRows(t.front(), kBg, &kMug, "", units, out);
}

void CheckPVTW(const WrittenTable& t, std::vector<std::string>& out) {
    const WrittenRow& row = t.front().front();
    Positive(row, Column{3, "Bw", 4}, out);
    Positive(row, Column{1, "viscosity", 3}, out);
}

// Saturation tables: saturation strictly rising within [0, 1], the water (SWOF) or gas (SGOF) kr 0
// at the first row, oil kr 0 at some row, every kr within [0, 1]. SGOF also starts at Sg = 0.
void CheckSaturationRows(const WrittenTable& t, bool gasOil, std::vector<std::string>& out) {
    const WrittenRecord& rows = t.front();
    const Column s{3, gasOil ? "Sg" : "Sw", gasOil ? 4 : 2}, kr{2, gasOil ? "krg" : "krw", 4},
        kro{1, "kro", 4};
    const RowName name = [&](std::size_t r) {
        return "row " + std::to_string(r + 1) + " (" + s.name + " " + Show(At(rows[r], s), s.decimals) + ")";
    };
    if (rows.empty()) return;
    Strict(rows, s, true, name,
           std::string("saturations must rise strictly as written (") + std::to_string(s.decimals) +
               " decimals)",
           out);
    UnitRange(rows, s, name, out);
    if (gasOil && At(rows.front(), s) != 0.0) out.push_back(name(0) + ": the first Sg must be 0");
    if (At(rows.front(), kr) != 0.0)
        out.push_back(name(0) + ": " + kr.name + " " + Show(At(rows.front(), kr), 4) +
                      " at the first row; it must be 0");
    bool reachesZero = false;
    for (const WrittenRow& row : rows)
        reachesZero = reachesZero || At(row, kro) == 0.0;
    if (!reachesZero)
        out.push_back("kro never reaches 0 (the last row, " + name(rows.size() - 1) + ", has kro " +
                      Show(At(rows.back(), kro), 4) +
                      "); the oil must become immobile at its residual saturation");
    UnitRange(rows, kr, name, out);
    UnitRange(rows, kro, name, out);
    // Each phase must flow somewhere: a simulator looks for the saturation at which each kr
    // leaves 0, and stops when there is none.
    for (const Column* c : {&kr, &kro}) {
        bool mobile = false;
        for (const WrittenRow& row : rows)
            mobile = mobile || At(row, *c) > 0.0;
        if (!mobile)
            out.push_back(std::string(c->name) + " is 0 in every row as written: the " +
                          (c == &kro ? "oil"
                           : gasOil  ? "gas"
                                     : "water") +
                          " never becomes mobile, so a simulator cannot find its critical saturation");
    }
}

} // namespace

WrittenTable EclipseTableAsWritten(const Q7Objects& objects, std::string_view keyword, EclipseUnits units) {
    const LayFunction lay = LayoutOf(keyword);
    Layout layout(units);
    lay(objects, layout);
    return std::move(layout.Table());
}

std::vector<std::string> CheckWrittenTable(std::string_view keyword, const WrittenTable& t,
                                           EclipseUnits units) {
    LayoutOf(keyword); // refuses an unknown keyword
    if (t.empty()) return {"the table has no rows"};
    const std::size_t width = keyword == "PVTW" ? 5 : keyword == "SWOF" || keyword == "SGOF" ? 4 : 3;
    for (const WrittenRecord& record : t) {
        if (record.empty()) return {"the table has an empty record"};
        for (const WrittenRow& row : record)
            if (row.size() < width || (keyword == "PVTO" && &row == &record.front() && row.size() < 4))
                throw std::invalid_argument("a row of " + std::string(keyword) + " has too few numbers");
    }
    std::vector<std::string> out;
    if (keyword == "PVDO")
        CheckPVDO(t, units, out);
    else if (keyword == "PVTO")
        CheckPVTO(t, units, out);
    else if (keyword == "PVDG")
        CheckPVDG(t, units, out);
    else if (keyword == "PVTW")
        CheckPVTW(t, out);
    else if (keyword == "SWOF" || keyword == "SGOF")
        CheckSaturationRows(t, keyword == "SGOF", out);
    return out;
}

std::vector<std::string> CheckEclipseTable(const Q7Objects& objects, std::string_view keyword,
                                           EclipseUnits units) {
    const LayFunction lay = LayoutOf(keyword);
    Layout layout(units);
    try {
        lay(objects, layout);
    } catch (const std::exception& e) {
        return {std::string("cannot be written: ") + e.what()};
    }
    std::vector<std::string> out = layout.Overflows();
    for (std::string& reason : CheckWrittenTable(keyword, layout.Table(), units))
        out.push_back(std::move(reason));
    return out;
}

namespace {

// The written position a reason opens with: "record K, row N", "record K (...)" or "row N (...)";
// both 1-based, 0 when absent.
std::pair<std::size_t, std::size_t> PositionOf(const std::string& reason) {
    std::size_t record = 0, row = 0, at = 0;
    auto number = [&](const char* word) -> std::size_t {
        const std::size_t len = std::char_traits<char>::length(word);
        if (reason.compare(at, len, word) != 0) return 0;
        std::size_t v = 0;
        const auto r = std::from_chars(reason.data() + at + len, reason.data() + reason.size(), v);
        at = static_cast<std::size_t>(r.ptr - reason.data());
        return v;
    };
    record = number("record ");
    if (record) {
        const std::size_t comma = reason.find(", row ", at);
        const std::size_t colon = reason.find(':', at);
        if (comma != std::string::npos && comma < colon) {
            at = comma + 2;
            row = number("row ");
        } else {
            row = 1;
        }
    } else {
        row = number("row ");
        if (row) record = 1;
    }
    return {record, row};
}

} // namespace

std::vector<std::int16_t> EclipseRowsAtFault(const Q7Objects& objects, std::string_view keyword) {
    const LayFunction lay = LayoutOf(keyword);
    Layout layout(EclipseUnits::Field);
    try {
        lay(objects, layout);
    } catch (const std::exception&) {
        return {};
    }
    std::vector<std::string> reasons = layout.Overflows();
    for (std::string& reason : CheckWrittenTable(keyword, layout.Table()))
        reasons.push_back(std::move(reason));
    std::vector<std::int16_t> rows;
    for (const std::string& reason : reasons) {
        const auto [record, row] = PositionOf(reason);
        if (record == 0 || record > layout.Sources().size()) continue;
        const std::vector<std::int16_t>& sources = layout.Sources()[record - 1];
        if (row == 0 || row > sources.size() || sources[row - 1] < 1) continue;
        if (std::find(rows.begin(), rows.end(), sources[row - 1]) == rows.end())
            rows.push_back(sources[row - 1]);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<EclipseProblem> CheckEclipseTables(const Q7Objects& objects, const EclipseTables& tables,
                                               EclipseUnits units) {
    const bool selected[] = {tables.PVDO, tables.PVTO, tables.PVDG, tables.PVTW,
                             tables.DENS, tables.SWOF, tables.SGOF};
    std::vector<EclipseProblem> problems;
    for (std::size_t k = 0; k < std::size(kEclipseKeywords); ++k) {
        if (!selected[k]) continue;
        for (std::string& reason : CheckEclipseTable(objects, kEclipseKeywords[k], units))
            problems.push_back({std::string(kEclipseKeywords[k]), std::move(reason)});
    }
    return problems;
}

} // namespace q7

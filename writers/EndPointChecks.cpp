#include "writers/EndPointChecks.h"

#include "engine/Q7Objects.h"
#include "numeric/NumericText.h"
#include "writers/EclipseChecks.h"

#include <algorithm>
#include <cmath>

namespace q7 {

namespace {

// OPM's default TOLCRIT: a kr at or below it counts as immobile when the critical saturations are
// found (opm-common, SatfuncPropertyInitializers; RUNSPEC keyword TOLCRIT).
constexpr double kTolCrit = 1.0e-6;

bool IsFamilyOne(std::string_view k) {
    return k == "SWOF" || k == "SGOF";
}
bool IsFamilyTwo(std::string_view k) {
    return k == "SWFN" || k == "SGFN" || k == "SOF3" || k == "SOF2";
}

// A two-column curve (saturation, kr) with the saturation rising.
struct Curve {
    std::vector<double> s, kr;
};

// The saturation before the first kr above the tolerance (the first saturation when that is the
// first row); rows run with the saturation rising.
double Critical(const Curve& c) {
    for (std::size_t k = 0; k < c.kr.size(); ++k)
        if (c.kr[k] > kTolCrit) return k == 0 ? c.s.front() : c.s[k - 1];
    return c.s.empty() ? 0.0 : c.s.back();
}

Curve Column(const WrittenTable& t, std::size_t sat, std::size_t kr, bool reverse = false,
             double (*map)(double, double) = nullptr, double shift = 0.0) {
    Curve c;
    for (const WrittenRow& row : t.front()) {
        c.s.push_back(map ? map(row[sat], shift) : row[sat]);
        c.kr.push_back(row[kr]);
    }
    if (reverse) {
        std::reverse(c.s.begin(), c.s.end());
        std::reverse(c.kr.begin(), c.kr.end());
    }
    return c;
}
double OneLess(double s, double shift) {
    return 1.0 - shift - s;
}

std::string S(double v) {
    return FixedText(static_cast<float>(v), 4);
}

} // namespace

SaturationEndPoints EndPointsAsWritten(const Q7Objects& o, std::string_view keyword) {
    SaturationEndPoints e;
    const clsRock& rock = o.Rock;
    auto table = [&o](std::string_view k) { return EclipseTableAsWritten(o, k); };
    if (keyword == "SGWFN" || (!rock.OilWaterTable() && !rock.GasOilTable() && rock.GasWaterTable())) {
        if (!rock.GasWaterTable()) return e;
        const WrittenTable t = table("SGWFN");
        e.water = e.gas = true;
        const Curve gas = Column(t, 0, 1);
        e.sgl = gas.s.front();
        e.sgu = gas.s.back();
        e.sgcr = Critical(gas);
        const Curve water = Column(t, 0, 2, true, OneLess); // Sw = 1 − Sg, rising
        e.swl = water.s.front();
        e.swu = water.s.back();
        e.swcr = Critical(water);
        return e;
    }
    const bool two = IsFamilyTwo(keyword);
    if (rock.OilWaterTable()) {
        const WrittenTable t = table(two ? "SWFN" : "SWOF");
        e.water = e.oil = e.oilWater = true;
        const Curve water = Column(t, 0, 1);
        e.swl = water.s.front();
        e.swu = water.s.back();
        e.swcr = Critical(water);
        if (!two) e.sowcr = Critical(Column(t, 0, 2, true, OneLess)); // So = 1 − Sw, rising
    }
    if (rock.GasOilTable()) {
        const WrittenTable t = table(two ? "SGFN" : "SGOF");
        e.gas = e.oil = e.gasOil = true;
        const Curve gas = Column(t, 0, 1);
        e.sgl = gas.s.front();
        e.sgu = gas.s.back();
        e.sgcr = Critical(gas);
        if (!two) e.sogcr = Critical(Column(t, 0, 2, true, OneLess, e.swl)); // So = 1 − Swl − Sg
    }
    if (two) {
        if (e.oilWater && e.gasOil) {
            const WrittenTable t = table("SOF3");
            e.sowcr = Critical(Column(t, 0, 1));
            e.sogcr = Critical(Column(t, 0, 2));
        } else if (e.oil) {
            const double critical = Critical(Column(table("SOF2"), 0, 1));
            (e.oilWater ? e.sowcr : e.sogcr) = critical;
        }
    }
    return e;
}

// The rules of opm-simulators' saturation-function consistency checks (opm/simulators/utils/
// satfunc: WaterPhaseConsistencyChecks.cpp, GasPhaseConsistencyChecks.cpp,
// OilPhaseConsistencyChecks.cpp; pull requests 5438, 5570, 5572 and 5573), for the phases the
// tables give. Each rule names its inequality as the simulator reports it.
std::vector<EndPointFault> EndPointFaults(const SaturationEndPoints& e, std::string_view family) {
    const bool two = family == "2";
    const bool gasWater = family == "SGWFN";
    const std::string water = gasWater ? "SGWFN" : two ? "SWFN" : "SWOF";
    const std::string gas = gasWater ? "SGWFN" : two ? "SGFN" : "SGOF";
    const std::string oilOW = two ? (e.gasOil ? "SOF3" : "SOF2") : "SWOF";
    const std::string oilGO = two ? (e.oilWater ? "SOF3" : "SOF2") : "SGOF";
    std::vector<EndPointFault> out;
    auto rule = [&out](const std::string& keyword, bool kept, const std::string& inequality,
                       const std::string& values) {
        if (!kept) out.push_back({keyword, "end points break " + inequality + " (" + values + ")"});
    };
    constexpr double eps = 1.0e-9;
    if (e.water) {
        rule(water, e.swl >= -eps && e.swl < 1.0 + eps, "0 <= SWL < 1", "SWL " + S(e.swl));
        rule(water, e.swu > -eps && e.swu <= 1.0 + eps, "0 < SWU <= 1", "SWU " + S(e.swu));
        rule(water, e.swcr >= e.swl - eps && e.swcr < e.swu + eps, "SWL <= SWCR < SWU",
             "SWL " + S(e.swl) + ", SWCR " + S(e.swcr) + ", SWU " + S(e.swu));
    }
    if (e.gas) {
        rule(gas, e.sgl >= -eps && e.sgl < 1.0 + eps, "0 <= SGL < 1", "SGL " + S(e.sgl));
        rule(gas, e.sgu > -eps && e.sgu <= 1.0 + eps, "0 < SGU <= 1", "SGU " + S(e.sgu));
        rule(gas, e.sgcr >= e.sgl - eps && e.sgcr < e.sgu + eps, "SGL <= SGCR < SGU",
             "SGL " + S(e.sgl) + ", SGCR " + S(e.sgcr) + ", SGU " + S(e.sgu));
    }
    if (e.gasOil) {
        rule(oilGO, e.sogcr >= -eps && e.sogcr < 1.0, "0 <= SOGCR < 1", "SOGCR " + S(e.sogcr));
        rule(oilGO, e.swl + e.sgu <= 1.0, "SWL + SGU <= 1", "SWL " + S(e.swl) + ", SGU " + S(e.sgu));
        rule(oilGO, e.sogcr < 1.0 - e.swl - e.sgl, "SOGCR < 1 - SWL - SGL",
             "SOGCR " + S(e.sogcr) + ", SWL " + S(e.swl) + ", SGL " + S(e.sgl));
        rule(oilGO, e.sogcr < 1.0 - e.swl - e.sgcr, "SOGCR < 1 - SWL - SGCR",
             "SOGCR " + S(e.sogcr) + ", SWL " + S(e.swl) + ", SGCR " + S(e.sgcr));
    }
    if (e.oilWater) {
        rule(oilOW, e.sowcr >= -eps && e.sowcr < 1.0, "0 <= SOWCR < 1", "SOWCR " + S(e.sowcr));
        rule(oilOW, e.sgl + e.swu <= 1.0, "SGL + SWU <= 1", "SGL " + S(e.sgl) + ", SWU " + S(e.swu));
        rule(oilOW, e.sowcr < 1.0 - e.swl - e.sgl, "SOWCR < 1 - SWL - SGL",
             "SOWCR " + S(e.sowcr) + ", SWL " + S(e.swl) + ", SGL " + S(e.sgl));
        rule(oilOW, e.sowcr < 1.0 - e.swcr - e.sgl, "SOWCR < 1 - SWCR - SGL",
             "SOWCR " + S(e.sowcr) + ", SWCR " + S(e.swcr) + ", SGL " + S(e.sgl));
    }
    return out;
}

std::vector<std::string> EndPointProblems(const Q7Objects& o, std::string_view keyword) {
    const bool one = IsFamilyOne(keyword);
    const bool two = IsFamilyTwo(keyword);
    if (!one && !two && keyword != "SGWFN") return {};
    std::vector<std::string> out;
    try {
        const SaturationEndPoints e = EndPointsAsWritten(o, keyword);
        for (EndPointFault& f : EndPointFaults(e, one ? "1" : two ? "2" : "SGWFN"))
            if (f.keyword == keyword) out.push_back(std::move(f.reason));
    } catch (const std::exception&) {
        // A table that cannot be written is reported as such by the table's own checks.
    }
    return out;
}

} // namespace q7

#include "engine/clsGas.h"

#include "engine/clsFluid.h"
#include "engine/clsPrs.h"
#include "numeric/AsciiText.h"
#include "numeric/Checked.h"
#include "numeric/Errors.h"
#include "numeric/NumericText.h"

#include <algorithm>
#include <cctype>
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <exception>
#include <optional>
#include <tuple>

namespace q7 {
namespace {

// Air molecular weight, lb/lb-mol; gas constant, psia·ft³/(lb-mol·°R).
constexpr double kAirMw = 28.96;
constexpr double kGasConstant = 10.73;

// Component table: molecular weight (lb/lb-mol), critical pressure (psia), critical temperature (°F).
struct ComponentData {
    double mw, pc, tc;
};
constexpr ComponentData kComponentTable[clsGas::kComponents] = {
    {16.043, 667.8, -116.6}, // methane
    {30.07, 707.8, 90.1},    // ethane
    {44.097, 616.3, 206.0},  // propane
    {58.124, 529.1, 275.0},  // i-butane
    {58.124, 550.7, 305.7},  // n-butane
    {72.151, 490.4, 369.1},  // i-pentane
    {72.151, 488.6, 385.7},  // n-pentane
    {86.178, 436.9, 453.7},  // hexane
    {100.21, 396.8, 512.8},  // heptane
    {114.23, 360.6, 564.2},  // octane
    {128.26, 332.0, 610.7},  // nonane
    {142.29, 304.0, 652.1},  // decane
    {28.013, 493.0, -232.4}, // nitrogen
    {44.01, 1070.9, 87.9},   // carbon dioxide
    {34.076, 1306.0, 212.7}, // hydrogen sulfide
};

// Dranchuk–Purvis–Robinson coefficients that depend only on the reduced temperature.
struct ZCoefficients {
    double Tpr;
    double a, b, c; // each held as a single
};

ZCoefficients ZCoefficientsFor(float Tpr) {
    const double T = Tpr;
    const double T2 = T * T;
    return {T, Single(0.3151 * T - 1.0467 - Div(0.5783, T2)), Single(0.5353 * T - 0.6123),
            Single(Div(0.6816, T2))};
}

// Checked arithmetic that marks a failure instead of throwing, so that several Z-factor iterations
// can run side by side and each failure is raised later in its own turn. The messages are those of
// Single and Div.
struct LaneCheck {
    const char* failure = nullptr;

    double Single(double v) {
        if (std::fabs(v) <= static_cast<double>(FLT_MAX)) return static_cast<float>(v);
        if (!failure)
            failure = std::isnan(v)   ? "Invalid procedure call or argument"
                      : std::isinf(v) ? "Division by zero"
                                      : "Overflow";
        return 0.0;
    }
    double Div(double a, double b) {
        if (b == 0.0) {
            if (!failure)
                failure =
                    (a == 0.0 || std::isnan(a)) ? "Invalid procedure call or argument" : "Division by zero";
            return 0.0;
        }
        const double r = a / b;
        if (std::isinf(r)) {
            if (!failure) failure = "Overflow";
            return 0.0;
        }
        return r;
    }
};

// One Dranchuk–Purvis–Robinson Newton iteration in progress.
struct ZIteration {
    double Ppr;
    double t;  // 0.27 Ppr, held as a single
    float rho; // reduced density
    int steps; // corrections made
    bool done;
    LaneCheck check;
};

void ZStart(const ZCoefficients& k, float Ppr, ZIteration& z) {
    z.Ppr = Ppr;
    z.steps = 0;
    z.done = false;
    z.check = {};
    z.t = z.check.Single(0.27 * z.Ppr);
    z.rho = static_cast<float>(z.check.Single(z.check.Div(0.27 * z.Ppr, k.Tpr)));
    if (z.check.failure) z.done = true;
}

// Advances z by one pass of the iteration: the test |F| < 1e-6, then a correction of ρ.
inline void ZStep(const ZCoefficients& k, ZIteration& z) {
    const double T = k.Tpr;
    const double a = k.a;
    const double b = k.b;
    const double c = k.c;
    LaneCheck& ck = z.check;
    const double r = z.rho;
    const double r2 = r * r;  // exact: r is a single
    const double r3 = r2 * r; // one rounding
    const double w = ck.Single(0.6845 * r2);
    const double e = ck.Single(std::exp(-w)); // w >= 0: no overflow
    const double F = ck.Single(T * r + a * r2 + (b + 0.06423 * r3 + c * (1.0 + w) * e) * r3 - z.t);
    if (ck.failure || std::fabs(F) < 0.000001) {
        z.done = true;
        return;
    }
    const double dF =
        ck.Single(T + 2.0 * a * r + r2 * (3.0 * b + 0.38538 * r3 + c * (3.0 + 3.0 * w - 2.0 * w * w) * e));
    z.rho = static_cast<float>(ck.Single(r - ck.Div(F, dF)));
    if (ck.failure || ++z.steps == 50) z.done = true;
}

float ZFinish(const ZCoefficients& k, ZIteration& z) {
    if (z.check.failure) return 0.0f;
    return static_cast<float>(z.check.Single(z.check.Div(0.27 * z.Ppr, static_cast<double>(z.rho) * k.Tpr)));
}

// Dranchuk–Purvis–Robinson (1974) Z-factor: Newton iteration on the reduced density ρ from its
// ideal-gas value 0.27 Ppr / Tpr, single-precision working values; at most 50 corrections,
// |F| < 1e-6 ends the iteration.
float ZFactor(const ZCoefficients& k, float Ppr) {
    ZIteration z;
    ZStart(k, Ppr, z);
    while (!z.done)
        ZStep(k, z);
    const float Z = ZFinish(k, z);
    if (z.check.failure) throw ArithmeticError(z.check.failure);
    return Z;
}

// Up to kLanes Z-factors at once: the iterations are independent, and advancing them together
// lets their arithmetic overlap. Each lane makes exactly the steps of ZFactor; a lane that fails
// keeps its failure in check.failure.
constexpr int kLanes = 8;

void ZFactors(const ZCoefficients& k, ZIteration* z, int count, float* Z) {
    bool running = true;
    while (running) {
        running = false;
        for (int l = 0; l < count; ++l) {
            if (z[l].done) continue;
            ZStep(k, z[l]);
            running = running || !z[l].done;
        }
    }
    for (int l = 0; l < count; ++l)
        Z[l] = ZFinish(k, z[l]);
}

// Lee–Gonzalez–Eakin (1966) viscosity terms that do not depend on pressure: gas molecular weight M,
// K, X and Y (each held as a single). T °R.
struct ViscosityTerms {
    double T, M, K, X, Y;
    bool failed = false; // an arithmetic failure while forming them
};

ViscosityTerms ViscosityTermsFor(float T, float gg) {
    ViscosityTerms v{};
    v.T = T;
    try {
        v.M = Single(28.96 * gg);
        v.K = Single(Div((0.0063 * v.M + 7.77) * Pow(v.T, 1.5), 12.9 * v.M + 122.4 + v.T));
        v.X = Single(Div(1914.5, v.T) + 2.57 + 0.0095 * v.M);
        v.Y = Single(0.04 * v.X + 1.11);
    } catch (const ArithmeticError&) {
        v.failed = true;
    }
    return v;
}

// The range checks of the viscosity routine that depend only on temperature and gravity; the
// status of each check in order, a later failure overriding an earlier one.
std::int16_t RangeStatus(float T, double p, float Z, float gg) {
    std::int16_t status = 0;
    if (T < 460.0f || T > 1500.0f) status = 1;
    if (p < 0.0 || p > 20000.0) status = 2;
    if (Z < 0.25f || Z > 3.0f) status = 3;
    if (gg < 0.45f || gg > 2.0f) status = 4;
    return status;
}

// Lee–Gonzalez–Eakin viscosity, cp, from the pressure-independent terms; p psia (12 psia at least
// in the density), Z-factor. Status 5 on an arithmetic failure (the viscosity is then 0).
std::int16_t ViscosityFrom(const ViscosityTerms& v, double p, float Z, float& mug) {
    mug = 0.0f;
    if (v.failed) return 5;
    try {
        const double pEff = p > 12.0 ? p : 12.0;
        const double rhoG = Single(Div(v.M * pEff, static_cast<double>(Z) * 670.0 * v.T)); // g/cm³
        mug = Single(0.0001 * v.K * Exp(v.X * Pow(rhoG, v.Y)));
    } catch (const ArithmeticError&) {
        mug = 0.0f;
        return 5;
    }
    return 0;
}

float& Row(std::array<float, clsGas::kRows>& table, std::int16_t k) {
    if (k < 1 || k > clsGas::kRows) throw SubscriptError();
    return table[static_cast<std::size_t>(k - 1)];
}

float Row(const std::array<float, clsGas::kRows>& table, std::int16_t k) {
    if (k < 1 || k > clsGas::kRows) throw SubscriptError();
    return table[static_cast<std::size_t>(k - 1)];
}

} // namespace

clsGas::clsGas(const clsFluid& fluid, const clsPrs& prs) : m_fluid(fluid), m_prs(prs), m_GasEntry(1, 'G') {
    m_PlusEntry = 0;
    m_PLUSmw = 105.8f;
    m_PLUSgg = 0.7f;
    m_GasGrav = 0.7f;
    m_STDenGas = 0.05f;
    m_mfN = 0.0f;
    m_mfCO2 = 0.0f;
    m_mfH2S = 0.0f;
    m_GO = false;
}

void clsGas::GasEntry(std::string_view entry) {
    m_GasEntry = AsciiUpper(entry);
}

void clsGas::SetGasGrav(std::string_view text) {
    m_GasGrav = Str2Nbr(text);
}
void clsGas::SetmfN(std::string_view text) {
    m_mfN = Str2Nbr(text);
}
void clsGas::SetmfCO2(std::string_view text) {
    m_mfCO2 = Str2Nbr(text);
}
void clsGas::SetmfH2S(std::string_view text) {
    m_mfH2S = Str2Nbr(text);
}
void clsGas::SetPLUSmw(std::string_view text) {
    m_PLUSmw = Str2Nbr(text);
}
void clsGas::SetPLUSgg(std::string_view text) {
    m_PLUSgg = Str2Nbr(text);
}

float clsGas::GetGC(std::int16_t k) const {
    if (k < 1 || k > kComponents) throw SubscriptError();
    return m_GC[static_cast<std::size_t>(k - 1)];
}

void clsGas::SetGC(std::string_view text, std::int16_t k) {
    if (k < 1 || k > kComponents) throw SubscriptError();
    m_GC[static_cast<std::size_t>(k - 1)] = Str2Nbr(text);
    m_SumGC = 0.0f;
    for (float y : m_GC)
        Store(m_SumGC, static_cast<double>(m_SumGC) + y);
}

float clsGas::GetPPR(std::int16_t k) const {
    return Row(m_PPR, k);
}
float clsGas::GetZ(std::int16_t k) const {
    return Row(m_Z, k);
}
float clsGas::GetPZ(std::int16_t k) const {
    return Row(m_PZ, k);
}
float clsGas::GetBG(std::int16_t k) const {
    return Row(m_BG, k);
}
float clsGas::GetRHOG(std::int16_t k) const {
    return Row(m_RHOG, k);
}
float clsGas::GetCG(std::int16_t k) const {
    return Row(m_CG, k);
}
float clsGas::GetMUG(std::int16_t k) const {
    return Row(m_MUG, k);
}
float clsGas::GetRMP(std::int16_t k) const {
    return Single(Row(m_RMP, k) / 1000000.0);
}

float clsGas::CalcZ(float Tpr, float Ppr) {
    return ZFactor(ZCoefficientsFor(Tpr), Ppr);
}

int clsGas::Correlation(CorrKey key) const {
    if (key == CorrKey::Z) return static_cast<int>(m_corrZ);
    if (key == CorrKey::Pseudo) return static_cast<int>(m_corrPseudo);
    return 0;
}

void clsGas::Correlation(CorrKey key, int option) {
    if (option < 0 || option >= static_cast<int>(ChoiceOf(key).options.size())) return;
    if (key == CorrKey::Z) m_corrZ = static_cast<CorrZ>(option);
    if (key == CorrKey::Pseudo) m_corrPseudo = static_cast<CorrPseudo>(option);
}

float clsGas::ChosenZ(float Tpr, float Ppr) const {
    if (m_corrZ == CorrZ::DPR) return CalcZ(Tpr, Ppr);
    const std::optional<double> z = ZFactorOf(m_corrZ, Tpr, Ppr);
    if (!z) {
        char where[80];
        std::snprintf(where, sizeof where, "no root at Tpr %.3f, Ppr %.3f", static_cast<double>(Tpr),
                      static_cast<double>(Ppr));
        throw CorrelationError(CorrLabel(CorrKey::Z, static_cast<int>(m_corrZ)) + ": " + where);
    }
    return Single(*z);
}

std::int16_t clsGas::CalcMUG(float T, float p, float Z, float gg, float& mug) {
    const std::int16_t status = RangeStatus(T, p, Z, gg);
    if (status != 0) return status;
    return ViscosityFrom(ViscosityTermsFor(T, gg), p, Z, mug);
}

void clsGas::Characterise() {
    for (std::size_t i = 0; i < m_comp.size(); ++i) {
        m_comp[i] = {Single(kComponentTable[i].mw), Single(kComponentTable[i].pc),
                     Single(kComponentTable[i].tc)};
    }

    if (m_GasEntry != "C") {
        // Gravity and inerts.
        const double yN = m_mfN;
        const double yC = m_mfCO2;
        const double yH = m_mfH2S;
        const double yHC = 1.0 - yN - yC - yH;
        const double gh = Div(m_GasGrav - 0.9672 * yN - 1.5195 * yC - 1.1765 * yH, yHC);
        Store(m_Mg, m_GasGrav * kAirMw);

        // Standing (1977) hydrocarbon pseudo-criticals from the hydrocarbon gravity, or Sutton's
        // (1985) when chosen; °R, psia.
        double Tph = 0.0;
        double Pph = 0.0;
        if (m_corrPseudo == CorrPseudo::Sutton) {
            const Pseudo hc = SuttonPseudo(gh);
            Tph = hc.tpc;
            Pph = hc.ppc;
        } else if (m_fluid.PhaseGas()) {
            Tph = 187.0 + 330.0 * gh - 71.5 * gh * gh;
            Pph = 706.0 - 51.7 * gh - 11.1 * gh * gh;
        }
        if (m_fluid.PhaseOil() && m_corrPseudo == CorrPseudo::Standing) {
            Tph = 168.0 + 325.0 * gh - 12.5 * gh * gh;
            Pph = 677.0 + 15.0 * gh - 37.5 * gh * gh;
        }
        // Mixing with nitrogen, carbon dioxide and hydrogen sulfide; °R, psia.
        Store(m_tC, yHC * Tph + 227.3 * yN + 547.6 * yC + 672.4 * yH);
        Store(m_pC, yHC * Pph + 493.0 * yN + 1071.0 * yC + 1306.0 * yH);

        // Wichert–Aziz (1972) sour-gas correction, only with hydrogen sulfide; °R, psia.
        if (yH != 0.0) {
            const double A = yC + yH;
            const double B = yH;
            const double eps = 120.0 * (Pow(A, 0.9) - Pow(A, 1.6)) + 15.0 * (Pow(B, 0.5) - Pow(B, 4.0));
            const double Tprime = m_tC - eps;
            Store(m_pC, Div(m_pC * Tprime, Tprime + eps + B * (1.0 - B) * eps));
            Store(m_tC, Tprime);
        }
        // Piper, McCain and Corredor's pseudo-criticals take the inerts into the correlation itself:
        // neither the mixing above nor a sour-gas correction applies.
        if (m_corrPseudo == CorrPseudo::PiperMcCainCorredor) {
            const Pseudo whole = PiperMcCainCorredorPseudo(m_GasGrav, yH, yC, yN);
            Store(m_tC, whole.tpc);
            Store(m_pC, whole.ppc);
        }
    } else {
        // Composition.
        m_pC = 0.0f;
        m_tC = 0.0f;
        m_GasGrav = 0.0f;
        if (m_PlusEntry > 0) {
            if (m_PlusEntry > kComponents) throw SubscriptError();
            const double M = m_PLUSmw;
            const double g = m_PLUSgg;
            // Normal boiling point of the plus fraction, °R.
            const double Tb = Single(Pow(4.5579 * Pow(M, 0.15178) * Pow(g, 0.15427), 3.0));
            // Kesler–Lee (1976) critical pressure, psia, and temperature, °R.
            const double lnPc = 8.3634 - Div(0.0566, g) -
                                (0.24244 + Div(2.2898, g) + Div(0.11857, g * g)) * Tb / 1000.0 +
                                (1.4685 + Div(3.648, g) + Div(0.47227, g * g)) * (Tb * Tb) / 1e7 -
                                (0.42019 + Div(1.6977, g * g)) * Pow(Tb, 3.0) / 1e10;
            const float Pc = Single(Exp(lnPc));
            const float Tc =
                Single(341.7 + 811.0 * g + (0.4244 + 0.1174 * g) * Tb + Div((0.4669 - 3.2623 * g) * 1e5, Tb));
            m_comp[static_cast<std::size_t>(m_PlusEntry - 1)] = {m_PLUSmw, Pc, Single(Tc - 460.0)};
        }
        // Mixture molecular weight and Kay's rule, with the fractions as entered.
        m_Mg = 0.0f;
        for (std::size_t k = 0; k < m_comp.size(); ++k) {
            const double y = m_GC[k];
            Store(m_Mg, m_Mg + y * m_comp[k].mw);
            Store(m_tC, m_tC + y * m_comp[k].tc);
            Store(m_pC, m_pC + y * m_comp[k].pc);
        }
        Store(m_GasGrav, m_Mg / kAirMw);
        Store(m_tC, m_tC + 460.0);
    }

    // Stock-tank gas density, lb/ft³; pseudo-reduced reservoir temperature.
    Store(m_STDenGas, Div(static_cast<double>(m_fluid.StdP()) * m_Mg,
                          static_cast<double>(m_fluid.StdTr()) * kGasConstant));
    Store(m_PTR, Div(m_fluid.ResTr(), m_tC));
}

// Gas compressibility, 1/psi, from Z by central differences (±25 psia; below 50 psia from the
// Z-factor at zero pressure and at twice the pressure). p psia, T °R; Z0 is the Z-factor at p.
float clsGas::CalcCG(float p, float T, float Z0) const {
    const double P = p;
    const double pc = m_pC;
    if (m_corrZ != CorrZ::DPR) {
        const float Tpr = Single(Div(T, m_tC));
        const bool low = p < 50.0f;
        const double Zu = ChosenZ(Tpr, Single(Div(low ? 2.0 * P : P + 25.0, pc)));
        const double Zl = low ? 1.0 : ChosenZ(Tpr, Single(Div(P - 25.0, pc)));
        return Single(Div(1.0, P) - Div(Zu - Zl, Z0 * (low ? 2.0 * P : 50.0)));
    }
    const ZCoefficients k = ZCoefficientsFor(Single(Div(T, m_tC)));
    ZIteration z[2];
    float Zs[2] = {1.0f, 1.0f};
    double delta;
    int count;
    if (p < 50.0f) {
        ZStart(k, Single(Div(2.0 * P, pc)), z[0]);
        delta = 2.0 * P;
        count = 1;
    } else {
        ZStart(k, Single(Div(P + 25.0, pc)), z[0]);
        ZStart(k, Single(Div(P - 25.0, pc)), z[1]);
        delta = 50.0;
        count = 2;
    }
    ZFactors(k, z, count, Zs);
    for (int l = 0; l < count; ++l) {
        if (z[l].check.failure) throw ArithmeticError(z[l].check.failure);
    }
    const double Zu = Zs[0];
    const double Zl = Zs[1]; // 1 below 50 psia
    return Single(Div(1.0, P) - Div(Zu - Zl, Z0 * delta));
}

// Real-gas pseudo-potential m(p) = ∫0..p 2x/(μg Z) dx, psia²/cp, by Romberg integration (relative
// tolerance 1e-6, at most 20 levels; the Romberg row is held in singles), for several table rows at
// once: each level's new points of all rows are evaluated together, so that their Z-factor
// iterations overlap. Every row is integrated exactly as on its own. Status of a row: a viscosity
// status passed through, 6 no convergence, 7 an arithmetic failure.
void clsGas::CalcRMP(RombergRow* rows, int count, float T, float gg) const {
    ZCoefficients zk{};
    try {
        zk = ZCoefficientsFor(Single(Div(T, m_tC)));
    } catch (const ArithmeticError&) {
        for (int r = 0; r < count; ++r)
            rows[r].status = 7;
        return;
    }
    const ViscosityTerms vt = ViscosityTermsFor(T, gg);
    const double pc = m_pC;
    // Range failures of temperature and gravity do not depend on x.
    const std::int16_t fixedStatus = RangeStatus(T, 0.0, 1.0f, gg);

    // The integrand at x from its Z-factor; the viscosity routine receives x as a single.
    auto integrand = [&](double x, float Z, double& fx) -> std::int16_t {
        const float xs = Single(x);
        std::int16_t status = fixedStatus;
        if (status < 2) {
            if (xs < 0.0f || xs > 20000.0f) status = 2;
            if (Z < 0.25f || Z > 3.0f) status = 3;
        }
        if (status != 0) return status;
        float mug = 0.0f;
        status = ViscosityFrom(vt, xs, Z, mug);
        if (status != 0) return status;
        fx = Div(2.0 * x, static_cast<double>(Z) * mug);
        return 0;
    };

    for (int r = 0; r < count; ++r) {
        RombergRow& row = rows[r];
        row.status = -1;
        row.mp = 0.0f;
        row.level = 1;
        row.h = row.p;
        row.n = 1;
        for (float& v : row.R)
            v = 0.0f;
        try {
            // The integrand at p is that of the table row; at 0 it is 0.
            row.R[0] = Single(row.h / 2.0 * Div(2.0 * row.h, static_cast<double>(row.Zp) * row.mugp));
        } catch (const ArithmeticError&) {
            row.status = 7;
        }
    }

    const bool chosenZ = m_corrZ != CorrZ::DPR;
    const float Tpr = chosenZ ? Single(Div(T, m_tC)) : 0.0f;
    ZIteration z[kLanes];
    float Z[kLanes];
    float pprs[kLanes];
    double x[kLanes];
    int owner[kLanes];
    for (;;) {
        bool running = false;
        for (int r = 0; r < count; ++r) {
            if (rows[r].status < 0) {
                running = true;
                rows[r].sum = 0.0;
                rows[r].next = rows[r].h / 2.0;
            }
        }
        if (!running) break;

        // This level's new points h/2, 3h/2, ... of every running row, kLanes at a time; each row's
        // points are summed in order, and its first failure ends it.
        int r = 0;
        long j = 0;
        for (;;) {
            int filled = 0;
            while (filled < kLanes && r < count) {
                RombergRow& row = rows[r];
                if (row.status >= 0 || j >= row.n) {
                    ++r;
                    j = 0;
                    continue;
                }
                x[filled] = row.next;
                row.next += row.h;
                owner[filled] = r;
                ZIteration& zl = z[filled];
                zl.check = {};
                const double ppr = zl.check.Single(zl.check.Div(x[filled], pc));
                pprs[filled] = static_cast<float>(ppr);
                if (zl.check.failure) {
                    zl.done = true;
                } else if (chosenZ) {
                    // The chosen Z-factor is computed below; this lane's iteration stays idle.
                    zl.Ppr = ppr;
                    zl.rho = 1.0f;
                    zl.done = true;
                } else {
                    ZStart(zk, static_cast<float>(ppr), zl);
                }
                ++filled;
                ++j;
            }
            if (filled == 0) break;
            ZFactors(zk, z, filled, Z);
            for (int l = 0; l < filled; ++l) {
                RombergRow& row = rows[owner[l]];
                if (row.status >= 0) continue;
                if (z[l].check.failure) {
                    row.status = 7;
                    continue;
                }
                if (chosenZ) {
                    try {
                        Z[l] = ChosenZ(Tpr, pprs[l]);
                    } catch (const CorrelationError&) {
                        row.refused = std::current_exception();
                        row.status = 7;
                        continue;
                    } catch (const ArithmeticError&) {
                        row.status = 7;
                        continue;
                    }
                }
                try {
                    double fx = 0.0;
                    const std::int16_t status = integrand(x[l], Z[l], fx);
                    if (status != 0) {
                        row.status = status;
                        continue;
                    }
                    row.sum += fx;
                } catch (const ArithmeticError&) {
                    row.status = 7;
                }
            }
        }

        // Each running row completes its level.
        for (int q = 0; q < count; ++q) {
            RombergRow& row = rows[q];
            if (row.status >= 0) continue;
            try {
                const int i = row.level;
                float old = row.R[0];
                row.R[0] = Single((old + row.h * row.sum) / 2.0);
                double pow4 = 1.0;
                for (int jj = 1; jj <= i; ++jj) {
                    pow4 *= 4.0;
                    const float kept = row.R[jj];
                    row.R[jj] =
                        Single(row.R[jj - 1] + (static_cast<double>(row.R[jj - 1]) - old) / (pow4 - 1.0));
                    old = kept;
                }
                row.h /= 2.0;
                row.n *= 2;
                if (std::fabs(Div(static_cast<double>(row.R[i]) - row.R[i - 1], row.R[i])) < 0.000001) {
                    row.mp = row.R[i];
                    row.status = 0;
                } else if (i == 20) {
                    row.status = 6;
                } else {
                    row.level = i + 1;
                }
            } catch (const ArithmeticError&) {
                row.status = 7;
            }
        }
    }
}

std::int16_t clsGas::CalcGas() {
    m_GO = false;
    Characterise();

    const float T = m_fluid.ResTr();
    const double psc = m_fluid.StdP();
    const double Tsc = m_fluid.StdTr();
    const float gg = m_GasGrav;
    const std::int16_t n = m_prs.NPRSo();

    // The rows are computed in order up to the viscosity, then the m(p) integrals of those rows
    // together, and the outcome is settled in row order: a row that fails ends the table there, and
    // the rows after it keep what they held before.
    const auto before = std::make_tuple(m_PPR, m_Z, m_PZ, m_BG, m_RHOG, m_CG, m_MUG);
    RombergRow rows[kRows];
    int complete = 0;            // rows ready for m(p)
    int written = 0;             // rows the first stage wrote to
    std::int16_t stopStatus = 0; // a viscosity status that ended the first stage
    std::exception_ptr raised;   // an error that ended it
    for (std::int16_t k = 1; k <= n; ++k) {
        written = k;
        try {
            const float p = m_prs.GetPRSo(k);
            const double P = p;
            const float ppr = Store(Row(m_PPR, k), Div(P, m_pC));
            const double Z = Store(Row(m_Z, k), ChosenZ(m_PTR, ppr));
            Store(Row(m_PZ, k), Div(P, Z));
            Store(Row(m_BG, k), Div(static_cast<double>(T) * Z * psc, Tsc * P));
            Store(Row(m_RHOG, k), Div(P * m_Mg, Z * kGasConstant * T));
            Store(Row(m_CG, k), CalcCG(p, T, static_cast<float>(Z)));
            const std::int16_t status = CalcMUG(T, p, static_cast<float>(Z), gg, Row(m_MUG, k));
            if (status > 0) {
                stopStatus = status;
                break;
            }
            RombergRow& row = rows[complete++];
            row.p = p;
            row.Zp = static_cast<float>(Z);
            row.mugp = Row(m_MUG, k);
        } catch (...) {
            raised = std::current_exception();
            break;
        }
    }

    CalcRMP(rows, complete, T, gg);

    for (int r = 0; r < complete; ++r) {
        const auto k = static_cast<std::int16_t>(r + 1);
        Row(m_RMP, k) = rows[r].mp;
        if (rows[r].status > 0) {
            if (rows[r].refused) std::rethrow_exception(rows[r].refused);
            const auto& [ppr, z, pz, bg, rhog, cg, mug] = before;
            for (int later = r + 1; later < written; ++later) {
                const auto i = static_cast<std::size_t>(later);
                m_PPR[i] = ppr[i];
                m_Z[i] = z[i];
                m_PZ[i] = pz[i];
                m_BG[i] = bg[i];
                m_RHOG[i] = rhog[i];
                m_CG[i] = cg[i];
                m_MUG[i] = mug[i];
            }
            return rows[r].status;
        }
    }
    if (raised) std::rethrow_exception(raised);
    if (stopStatus > 0) return stopStatus;
    m_GO = true;
    return 0;
}

} // namespace q7

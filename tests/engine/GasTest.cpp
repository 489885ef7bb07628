// Gas characterisation (Standing, Wichert–Aziz, Kay, Kesler–Lee), the Dranchuk–Purvis–Robinson
// Z-factor, Lee–Gonzalez–Eakin viscosity and the m(p) integral, with the status codes of CalcGas.
#include "engine/Q7Objects.h"
#include "numeric/Errors.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using q7::Q7Objects;

std::string Text(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", v);
    return buffer;
}

// Relative difference, for comparisons with a stated tolerance.
double Rel(double got, double want) {
    if (got == want) return 0.0;
    return std::fabs(got - want) / std::max(std::fabs(got), std::fabs(want));
}

// A project whose schedule is exactly the given pressures (typed one by one, highest first after
// BuildPRSo), with the phases set afterwards.
struct GasProject {
    q7::NullMessageSink sink;
    Q7Objects q{sink};

    GasProject(bool oil, bool gas, const std::vector<double>& pressures) {
        Schedule(pressures);
        q.Fluid.PhaseOil(oil);
        q.Fluid.PhaseGas(gas);
    }
    void Schedule(const std::vector<double>& pressures) {
        const bool oil = q.Fluid.PhaseOil();
        q.Fluid.PhaseOil(false); // no bubble point in the schedule
        q.Prs.PrRange("R");
        q.Prs.PrRange("I");
        for (std::size_t i = 0; i < pressures.size(); ++i) {
            q.Prs.SetPRSi(Text(pressures[i]), static_cast<std::int16_t>(i + 1));
        }
        q.Prs.BuildPRSo();
        q.Fluid.PhaseOil(oil);
    }
    void Composition(const std::vector<double>& y) {
        q.Gas.GasEntry("C");
        for (std::int16_t k = 1; k <= q7::clsGas::kComponents; ++k) {
            q.Gas.SetGC(
                k <= static_cast<std::int16_t>(y.size()) ? Text(y[static_cast<std::size_t>(k - 1)]) : "0", k);
        }
    }
};

// ---------------------------------------------------------------------------------------------
// Dranchuk–Purvis–Robinson (1974) Z-factor against the Standing–Katz chart values of the DPR fit.

struct ZPoint {
    float Tpr, Ppr, Z;
};

class GasZFactor : public testing::TestWithParam<ZPoint> {};

TEST_P(GasZFactor, MatchesStandingKatzFit) {
    const ZPoint& p = GetParam();
    EXPECT_NEAR(q7::clsGas::CalcZ(p.Tpr, p.Ppr), p.Z, 5e-5) << "Tpr " << p.Tpr << " Ppr " << p.Ppr;
}

INSTANTIATE_TEST_SUITE_P(DranchukPurvisRobinson, GasZFactor,
                         testing::Values(ZPoint{1.5f, 2.0f, 0.8207f}, ZPoint{1.2f, 1.0f, 0.7770f},
                                         ZPoint{2.0f, 5.0f, 0.9615f}));

TEST(GasZFactor, TendsToOneAtLowPressure) {
    // Ideal-gas limit: Z -> 1 as Ppr -> 0 (any Tpr in the fit's range).
    for (float Tpr : {1.1f, 1.5f, 2.5f})
        EXPECT_NEAR(q7::clsGas::CalcZ(Tpr, 0.001f), 1.0f, 1e-3f) << Tpr;
}

TEST(GasZFactor, ZeroPressureIsAnInvalidOperation) {
    // The final division 0.27 Ppr / (rho Tpr) is 0/0.
    EXPECT_THROW(q7::clsGas::CalcZ(1.5f, 0.0f), q7::ArithmeticError);
}

// ---------------------------------------------------------------------------------------------
// Characterisation.

struct PseudoCriticalCase {
    const char* source;
    bool oil, gas;
    double gravity, yN, yCO2, yH2S;
    double tC, pC; // °R, psia
    double tolerance;
};

void PrintTo(const PseudoCriticalCase& c, std::ostream* os) {
    *os << c.source;
}

class GasPseudoCriticals : public testing::TestWithParam<PseudoCriticalCase> {};

TEST_P(GasPseudoCriticals, GravityAndInerts) {
    const PseudoCriticalCase& c = GetParam();
    GasProject g(c.oil, c.gas, {2000});
    g.q.Gas.SetGasGrav(Text(c.gravity));
    g.q.Gas.SetmfN(Text(c.yN));
    g.q.Gas.SetmfCO2(Text(c.yCO2));
    g.q.Gas.SetmfH2S(Text(c.yH2S));
    ASSERT_EQ(g.q.Gas.CalcGas(), 0);
    EXPECT_LE(Rel(g.q.Gas.tC(), c.tC), c.tolerance) << c.source << " tC " << g.q.Gas.tC();
    EXPECT_LE(Rel(g.q.Gas.pC(), c.pC), c.tolerance) << c.source << " pC " << g.q.Gas.pC();
    EXPECT_FLOAT_EQ(g.q.Gas.PTR(), g.q.Fluid.ResTr() / g.q.Gas.tC());
}

INSTANTIATE_TEST_SUITE_P(
    StandingWichertAziz, GasPseudoCriticals,
    testing::Values(
        // Standing (1977), condensate-system curve: 168 + 325 g − 12.5 g², 677 + 15 g − 37.5 g².
        PseudoCriticalCase{"Standing, oil project, gravity 0.7", true, true, 0.7, 0, 0, 0, 389.375, 669.125,
                           2e-7},
        // Standing (1977), natural-gas curve: 187 + 330 g − 71.5 g², 706 − 51.7 g − 11.1 g².
        PseudoCriticalCase{"Standing, gas project, gravity 0.7", false, true, 0.7, 0, 0, 0, 382.965, 664.371,
                           2e-7},
        // Carbon dioxide without hydrogen sulfide: mixing only, no Wichert–Aziz correction.
        // yHC = 0.9, hydrocarbon gravity (0.8 − 0.15195) / 0.9 = 0.72006.
        PseudoCriticalCase{"Standing mixed with 10 % CO2", false, true, 0.8, 0, 0.1, 0,
                           0.9 * (187 + 330 * 0.7200556 - 71.5 * 0.7200556 * 0.7200556) + 54.76,
                           0.9 * (706 - 51.7 * 0.7200556 - 11.1 * 0.7200556 * 0.7200556) + 107.1, 1e-6}));

TEST(GasCharacterisation, TotalInertFractionOfOneIsRaised) {
    GasProject g(true, true, {2000});
    g.q.Gas.SetmfN("0.5");
    g.q.Gas.SetmfCO2("0.5");
    EXPECT_THROW(g.q.Gas.CalcGas(), q7::ArithmeticError);
    EXPECT_FALSE(g.q.Gas.GO());
}

TEST(GasCharacterisation, PureMethaneComposition) {
    // Kay's rule with the methane row: M 16.043, Tc −116.6 °F, Pc 667.8 psia.
    GasProject g(false, true, {2000});
    g.Composition({1.0});
    ASSERT_EQ(g.q.Gas.CalcGas(), 0);
    EXPECT_NEAR(g.q.Gas.GasGrav(), 0.55397f, 5e-6f);
    EXPECT_NEAR(g.q.Gas.tC(), 343.4f, 1e-4f);
    EXPECT_NEAR(g.q.Gas.pC(), 667.8f, 1e-4f);
    // Stock-tank density of methane: 16.043 lb in the 379.4 scf of a mole at 14.696 psia and 60 °F
    // (GPSA Engineering Data Book, physical constants), 0.04228 lb/ft³; within 0.1 %.
    EXPECT_NEAR(g.q.Gas.STDenGas(), 0.04228, 0.001 * 0.04228);
    EXPECT_EQ(g.q.Gas.GasEntry(), "C");
}

TEST(GasCharacterisation, CompositionIsNotNormalised) {
    GasProject whole(false, true, {2000});
    whole.Composition({1.0});
    GasProject half(false, true, {2000});
    half.Composition({0.5});
    whole.q.Gas.CalcGas();
    half.q.Gas.CalcGas(); // status 4 (gravity 0.277), the characterisation is complete
    EXPECT_FLOAT_EQ(half.q.Gas.GasGrav(), whole.q.Gas.GasGrav() / 2);
    EXPECT_FLOAT_EQ(half.q.Gas.pC(), whole.q.Gas.pC() / 2);
    EXPECT_FLOAT_EQ(half.q.Gas.tC() - 460, (whole.q.Gas.tC() - 460) / 2);
}

TEST(GasCharacterisation, PlusFractionKeslerLee) {
    // Kesler–Lee (1976) for M 150, specific gravity 0.8: Tb ≈ 836.2 °R, Pc ≈ 342.1 psia,
    // Tc ≈ 1167.6 °R. With the plus row alone in the composition, Kay's rule returns them.
    GasProject g(false, true, {2000});
    g.q.Gas.SetPLUSmw("150");
    g.q.Gas.SetPLUSgg("0.8");
    g.q.Gas.PlusEntry(9);
    g.Composition({0, 0, 0, 0, 0, 0, 0, 0, 1.0});
    g.q.Gas.CalcGas();
    EXPECT_NEAR(g.q.Gas.pC(), 342.1, 0.05);
    EXPECT_NEAR(g.q.Gas.tC(), 1167.6, 0.05);
    EXPECT_NEAR(g.q.Gas.GasGrav(), 150 / 28.96, 1e-6);
}

// ---------------------------------------------------------------------------------------------
// Composition entry.

TEST(GasComposition, SumIsRecomputedFromAllRows) {
    q7::NullMessageSink sink;
    Q7Objects q(sink);
    q.Gas.SetGC("0.5", 1);
    q.Gas.SetGC("0.25", 2);
    q.Gas.SetGC("0.125", 15);
    EXPECT_FLOAT_EQ(q.Gas.SumGC(), 0.875f);
    q.Gas.SetGC("abc", 2); // not a number: 0
    EXPECT_EQ(q.Gas.GetGC(2), 0.0f);
    EXPECT_FLOAT_EQ(q.Gas.SumGC(), 0.625f);
    q.Gas.SetGC("", 1);
    EXPECT_FLOAT_EQ(q.Gas.SumGC(), 0.125f);
}

TEST(GasTables, IndexOutsideFifteenComponentsOrThirtyRowsFails) {
    q7::NullMessageSink sink;
    Q7Objects q(sink);
    EXPECT_THROW(q.Gas.SetGC("0.1", 0), q7::SubscriptError);
    EXPECT_THROW(q.Gas.SetGC("0.1", 16), q7::SubscriptError);
    EXPECT_THROW(q.Gas.GetGC(16), q7::SubscriptError);
    EXPECT_EQ(q.Gas.SumGC(), 0.0f);
    EXPECT_NO_THROW(q.Gas.GetZ(30));
    for (std::int16_t k : {0, 31, -1}) {
        EXPECT_THROW(q.Gas.GetPPR(k), q7::SubscriptError);
        EXPECT_THROW(q.Gas.GetZ(k), q7::SubscriptError);
        EXPECT_THROW(q.Gas.GetRMP(k), q7::SubscriptError);
        EXPECT_THROW(q.Gas.GetMUG(k), q7::SubscriptError);
    }
}

// ---------------------------------------------------------------------------------------------
// The derived properties.

TEST(GasTables, CompressibilityTendsToOneOverPressure) {
    // Ideal-gas limit: cg = 1/p − (dZ/dp)/Z -> 1/p. Below 50 psia the difference is taken from
    // Z at zero pressure (1) and at twice the pressure.
    GasProject g(false, true, {40, 60});
    ASSERT_EQ(g.q.Gas.CalcGas(), 0);
    EXPECT_NEAR(g.q.Gas.GetCG(1) * 60, 1.0, 0.02);
    EXPECT_NEAR(g.q.Gas.GetCG(2) * 40, 1.0, 0.02);
    const float Tpr = g.q.Gas.PTR();
    const double pc = g.q.Gas.pC();
    const double z40 = q7::clsGas::CalcZ(Tpr, static_cast<float>(40 / pc));
    const double z80 = q7::clsGas::CalcZ(Tpr, static_cast<float>(80 / pc));
    EXPECT_LE(Rel(g.q.Gas.GetCG(2), 1.0 / 40 - (z80 - 1.0) / (z40 * 80)), 1e-6);
}

TEST(GasTables, RealGasPotentialAgreesWithSimpsonIntegration) {
    // m(p) = ∫0..p 2x/(μg Z) dx; composite Simpson with 4000 panels on the same Z and μg.
    GasProject g(false, true, {5000, 1500, 200});
    ASSERT_EQ(g.q.Gas.CalcGas(), 0);
    const float T = g.q.Fluid.ResTr();
    const float Tpr = g.q.Gas.PTR();
    const double pc = g.q.Gas.pC();
    const float gg = g.q.Gas.GasGrav();
    auto f = [&](double x) {
        if (x == 0) return 0.0;
        const float Z = q7::clsGas::CalcZ(Tpr, static_cast<float>(x / pc));
        float mu = 0;
        EXPECT_EQ(q7::clsGas::CalcMUG(T, static_cast<float>(x), Z, gg, mu), 0);
        return 2 * x / (Z * mu);
    };
    for (std::int16_t k = 1; k <= 3; ++k) {
        const double p = g.q.Prs.GetPRSo(k);
        const int n = 4000;
        const double h = p / n;
        double s = f(0) + f(p);
        for (int i = 1; i < n; ++i)
            s += (i % 2 ? 4 : 2) * f(i * h);
        const double simpson = s * h / 3 / 1e6;
        EXPECT_LE(Rel(g.q.Gas.GetRMP(k), simpson), 2e-5) << "p " << p;
    }
}

TEST(GasTables, EachRowIsTheSameAsOnItsOwn) {
    // The rows' m(p) integrals are evaluated together; each row must equal, bit for bit, the row
    // of a table that holds that pressure alone.
    const std::vector<double> pressures = {9800, 8000, 7100, 6000, 5000, 4400, 3000, 2500,
                                           1200, 700,  300,  90,   49,   20,   5};
    GasProject all(true, true, pressures);
    all.q.Gas.SetGasGrav("0.82");
    all.q.Gas.SetmfCO2("0.04");
    all.q.Gas.SetmfH2S("0.02");
    ASSERT_EQ(all.q.Gas.CalcGas(), 0);
    for (std::int16_t k = 1; k <= static_cast<std::int16_t>(pressures.size()); ++k) {
        GasProject one(true, true, {all.q.Prs.GetPRSo(k)});
        one.q.Gas.SetGasGrav("0.82");
        one.q.Gas.SetmfCO2("0.04");
        one.q.Gas.SetmfH2S("0.02");
        ASSERT_EQ(one.q.Gas.CalcGas(), 0);
        EXPECT_EQ(one.q.Gas.GetZ(1), all.q.Gas.GetZ(k)) << "row " << k;
        EXPECT_EQ(one.q.Gas.GetCG(1), all.q.Gas.GetCG(k)) << "row " << k;
        EXPECT_EQ(one.q.Gas.GetMUG(1), all.q.Gas.GetMUG(k)) << "row " << k;
        EXPECT_EQ(one.q.Gas.GetRMP(1), all.q.Gas.GetRMP(k)) << "row " << k;
    }
}

// ---------------------------------------------------------------------------------------------
// Status codes of CalcGas.

struct StatusCase {
    const char* cause;
    std::int16_t expected;
    bool oil;
    double gravity; // mode "G" (0: the composition below)
    double methane; // mode "C" when gravity is 0
    double reservoirTempF;
    std::vector<double> pressures;
};

void PrintTo(const StatusCase& c, std::ostream* os) {
    *os << c.cause;
}

class GasStatus : public testing::TestWithParam<StatusCase> {};

TEST_P(GasStatus, StopsAtTheFirstRowWithItsCode) {
    const StatusCase& c = GetParam();
    GasProject g(c.oil, true, c.pressures);
    g.q.Fluid.SetResT(Text(c.reservoirTempF));
    if (c.gravity > 0) {
        g.q.Gas.SetGasGrav(Text(c.gravity));
    } else {
        g.Composition({c.methane});
    }
    EXPECT_EQ(g.q.Gas.CalcGas(), c.expected) << c.cause;
    EXPECT_FALSE(g.q.Gas.GO());
    // The row was computed up to the viscosity; the viscosity keeps its old value (0).
    EXPECT_GT(g.q.Gas.GetPPR(1), 0.0f);
    EXPECT_NE(g.q.Gas.GetZ(1), 0.0f);
    if (c.expected <= 4) {
        EXPECT_EQ(g.q.Gas.GetMUG(1), 0.0f);
    }
    EXPECT_EQ(g.q.Gas.GetRMP(1), 0.0f);
}

INSTANTIATE_TEST_SUITE_P(
    CalcGas, GasStatus,
    testing::Values(
        StatusCase{"1100 °F is 1560 °R, above 1500 °R", 1, false, 0.7, 0, 1100, {3000, 2000}},
        StatusCase{"20500 psia is above 20000 psia", 2, false, 0.7, 0, 150, {20500, 2000}},
        StatusCase{"Z 0.18 near the critical point (Tpr 1.0, Ppr 1.0)", 3, false, 1.2, 0, 20, {628, 200}},
        StatusCase{"Z above 3 (Tpr 1.12, Ppr 31)", 3, false, 1.2, 0, 80, {19500, 2000}},
        StatusCase{"methane 0.7 alone: derived gravity 0.388", 4, false, 0, 0.7, 150, {3000, 2000}},
        StatusCase{"gravity 2.1 above 2", 4, false, 2.1, 0, 150, {3000, 2000}},
        // Later checks win: Z out of range and temperature out of range (−77 °F is 383 °R).
        StatusCase{"Z and temperature out of range: the Z check wins", 3, false, 0.7, 0, -77, {664, 200}},
        StatusCase{
            "pressure and gravity out of range: the gravity check wins", 4, false, 2.1, 0, 150, {20500}},
        // A vanishing pressure underflows the integral to 0, and the convergence test divides 0 by 0.
        StatusCase{"m(p) of 1e-30 psia", 7, false, 0.7, 0, 150, {1e-30}}));

TEST(GasStatus, ArithmeticFailureInTheViscosityIsStatusFive) {
    // exp(X ρ^Y) beyond a single: ρg = 57.9·20000 / (0.25·670·460) g/cm³.
    float mu = -1;
    EXPECT_EQ(q7::clsGas::CalcMUG(460, 20000, 0.25f, 2.0f, mu), 5);
    EXPECT_EQ(mu, 0.0f);
}

TEST(GasStatus, RangeFailureLeavesTheViscosityUntouched) {
    float mu = 0.123f;
    EXPECT_EQ(q7::clsGas::CalcMUG(459, 1000, 1.0f, 0.7f, mu), 1);
    EXPECT_EQ(q7::clsGas::CalcMUG(600, -1, 1.0f, 0.7f, mu), 2);
    EXPECT_EQ(q7::clsGas::CalcMUG(600, 1000, 3.01f, 0.7f, mu), 3);
    EXPECT_EQ(q7::clsGas::CalcMUG(600, 1000, 1.0f, 0.44f, mu), 4);
    EXPECT_EQ(q7::clsGas::CalcMUG(1501, 20001, 0.2f, 2.5f, mu), 4);
    EXPECT_EQ(mu, 0.123f);
    // Inclusive bounds.
    EXPECT_EQ(q7::clsGas::CalcMUG(460, 20000, 0.25f, 0.45f, mu), 0);
    EXPECT_EQ(q7::clsGas::CalcMUG(1500, 0, 3.0f, 2.0f, mu), 0);
}

TEST(GasStatus, GoTurnsFalseWhenALaterCalculationFails) {
    GasProject g(false, true, {3000, 2000});
    ASSERT_EQ(g.q.Gas.CalcGas(), 0);
    EXPECT_TRUE(g.q.Gas.GO());
    const float mu1 = g.q.Gas.GetMUG(1);
    g.q.Fluid.SetResT("1100");
    EXPECT_EQ(g.q.Gas.CalcGas(), 1);
    EXPECT_FALSE(g.q.Gas.GO());
    EXPECT_EQ(g.q.Gas.GetMUG(1), mu1); // older values stay where the new table stopped
    g.q.Fluid.SetResT("150");
    g.q.Gas.SetmfN("1");
    EXPECT_THROW(g.q.Gas.CalcGas(), q7::ArithmeticError);
    EXPECT_FALSE(g.q.Gas.GO());
}

TEST(GasStatus, RowFailingInTheIntegralEndsTheTableThere) {
    // Near the critical point (Tpr 1.0) the m(p) integral of the first row passes Ppr ≈ 1, where
    // Z ≈ 0.18 is out of the viscosity routine's range (status 3), although Z is in range at both
    // schedule pressures (Ppr 10 and 5). The second row then keeps the previous table's values.
    GasProject g(false, true, {6280, 3140});
    g.q.Gas.SetGasGrav("1.2");
    ASSERT_EQ(g.q.Gas.CalcGas(), 0);
    const float oldZ2 = g.q.Gas.GetZ(2), oldMUG2 = g.q.Gas.GetMUG(2), oldRMP2 = g.q.Gas.GetRMP(2),
                oldZ1 = g.q.Gas.GetZ(1);
    g.q.Fluid.SetResT("20"); // 480 °R, Tpr 0.99992
    EXPECT_EQ(g.q.Gas.CalcGas(), 3);
    EXPECT_FALSE(g.q.Gas.GO());
    EXPECT_NE(g.q.Gas.GetZ(1), oldZ1); // the first row was computed
    EXPECT_GT(g.q.Gas.GetMUG(1), 0.0f);
    EXPECT_EQ(g.q.Gas.GetRMP(1), 0.0f);
    EXPECT_EQ(g.q.Gas.GetZ(2), oldZ2);
    EXPECT_EQ(g.q.Gas.GetMUG(2), oldMUG2);
    EXPECT_EQ(g.q.Gas.GetRMP(2), oldRMP2);
    // Each row's Z-factor at its own pressure is in range, so the failure lies inside the integral.
    const float Tpr = g.q.Gas.PTR();
    EXPECT_GE(q7::clsGas::CalcZ(Tpr, static_cast<float>(6280 / g.q.Gas.pC())), 0.25f);
    EXPECT_GE(q7::clsGas::CalcZ(Tpr, static_cast<float>(3140 / g.q.Gas.pC())), 0.25f);
    EXPECT_LT(q7::clsGas::CalcZ(Tpr, 1.0f), 0.25f);
}

} // namespace

// The oil tables matched to laboratory values at the bubble point: every subset of the four values
// on drawn cases over the correlations' input ranges, each value found exactly in the bubble-point
// row, the tables monotone wherever the correlation's own were, the factors against the unmatched
// tables of the same case, and the messages for impossible laboratory values.
#include "engine/FieldUnits.h"
#include "engine/Q7Objects.h"
#include "engine/ResultRun.h"
#include "numeric/NumericText.h"
#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

using q7::Q7Objects;

using q7::test::Message;
using q7::test::RecordingSink;
using q7::test::Text;

class Draw {
public:
    explicit Draw(unsigned seed) : m_rng(seed) {}
    double Uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(m_rng); }
    double Typed(double lo, double hi, int decimals) {
        const double f = std::pow(10.0, decimals);
        return std::round(Uniform(lo, hi) * f) / f;
    }

private:
    std::mt19937 m_rng;
};

// The inputs of one oil case, as typed.
struct OilCase {
    std::string api, sepGG, sepP, sepT, resT, rsi, minP, maxP;
    std::string labPb, labRsb, labBob, labMuob;
};

OilCase DrawCase(Draw& d) {
    OilCase c;
    c.api = Text(d.Typed(15, 55, 1));
    c.sepGG = Text(d.Typed(0.56, 1.2, 3));
    c.sepP = Text(d.Typed(20, 400, 1));
    c.sepT = Text(d.Typed(40, 150, 1));
    c.resT = Text(d.Typed(80, 300, 1));
    c.rsi = Text(d.Typed(50, 2500, 1));
    const double lo = d.Typed(15, 1500, 0);
    c.minP = Text(lo);
    c.maxP = Text(d.Typed(lo + 1000, 9000, 0));
    c.labPb = Text(d.Typed(300, 6000, 1));
    c.labRsb = Text(d.Typed(50, 2500, 1));
    c.labBob = Text(d.Typed(1.05, 2.4, 4));
    c.labMuob = Text(d.Typed(0.15, 20, 3));
    return c;
}

struct OilRun {
    RecordingSink sink;
    Q7Objects q{sink};
    bool ok = false;

    // The case with the laboratory values of `mask` (1 Pb, 2 Rsb, 4 Bob, 8 Muob), computed as the
    // "Fluid Properties" tab does.
    OilRun(const OilCase& c, unsigned mask) {
        q.Fluid.PhaseOil(true);
        q.Fluid.PhaseGas(false);
        q.Fluid.PhaseWater(false);
        q.Fluid.SetResT(c.resT);
        q.Oil.SetAPI(c.api);
        q.Oil.SetSepGG(c.sepGG);
        q.Oil.SetSepP(c.sepP);
        q.Oil.SetSepT(c.sepT);
        q.Oil.SetRsi(c.rsi);
        q.Prs.SetMinP(c.minP);
        q.Prs.SetMaxP(c.maxP);
        q.Prs.BuildPRSi();
        if (mask & 1) q.Oil.SetLabPb(c.labPb);
        if (mask & 2) q.Oil.SetLabRsb(c.labRsb);
        if (mask & 4) q.Oil.SetLabBob(c.labBob);
        if (mask & 8) q.Oil.SetLabMuob(c.labMuob);
        q7::FluidTablesObserver none;
        const q7::FluidTablesResult r = q7::RunFluidTables(q, sink, none);
        ok = !r.failure && q.Oil.GO();
    }
    int Rows() const { return q.Prs.NPRSo(); }
    int Bppi() const { return q.Prs.BPPi(); }
};

using Column = std::function<float(const Q7Objects&, std::int16_t)>;

struct NamedColumn {
    const char* name;
    Column get;
};

// The matched columns. The compressibility and the densities are not among them: Vazquez-Beggs'
// compressibility and the density both turn with the GOR against the volume factor, so a matched
// GOR or volume factor may turn them where the correlation's did not.
const std::vector<NamedColumn>& Columns() {
    static const std::vector<NamedColumn> columns = {
        {"RSOS", [](const Q7Objects& q, std::int16_t k) { return q.Oil.GetRSOS(k); }},
        {"RSO", [](const Q7Objects& q, std::int16_t k) { return q.Oil.GetRSO(k); }},
        {"BOS", [](const Q7Objects& q, std::int16_t k) { return q.Oil.GetBOS(k); }},
        {"BO", [](const Q7Objects& q, std::int16_t k) { return q.Oil.GetBO(k); }},
        {"MUOS", [](const Q7Objects& q, std::int16_t k) { return q.Oil.GetMUOS(k); }},
        {"MUO", [](const Q7Objects& q, std::int16_t k) { return q.Oil.GetMUO(k); }},
    };
    return columns;
}

// -1 falling, +1 rising, 0 flat, 2 neither, over rows [from, to] (rows in schedule order).
int Trend(const OilRun& r, const Column& get, int from, int to) {
    bool up = false, down = false;
    for (int k = from; k < to; ++k) {
        const float a = get(r.q, static_cast<std::int16_t>(k));
        const float b = get(r.q, static_cast<std::int16_t>(k + 1));
        if (b > a) up = true;
        if (b < a) down = true;
    }
    if (up && down) return 2;
    return up ? 1 : (down ? -1 : 0);
}

// Every subset of the four values on 60 drawn cases: the values are the bubble-point row's, the
// bubble point is a row of the schedule, and each column is monotone above and below the bubble
// point wherever the correlation's own column of the same case is.
TEST(OilMatch, EverySubsetHonouredExactlyAndTablesStayMonotone) {
    Draw d(20261209);
    int matched = 0;
    for (int n = 0; n < 60; ++n) {
        const OilCase c = DrawCase(d);
        const OilRun plain(c, 0);
        if (!plain.ok) continue;
        for (unsigned mask = 1; mask < 16; ++mask) {
            const OilRun r(c, mask);
            const std::string what = "case " + std::to_string(n) + " mask " + std::to_string(mask);
            ASSERT_TRUE(r.ok) << what << (r.sink.errors.empty() ? "" : ": " + r.sink.errors[0].text);
            ASSERT_TRUE(r.sink.errors.empty()) << what;
            const auto b = static_cast<std::int16_t>(r.Bppi());
            const q7::clsOil& oil = r.q.Oil;
            EXPECT_EQ(r.q.Prs.GetPRSo(b), oil.Pbp()) << what;
            if (mask & 1) {
                EXPECT_EQ(oil.Pbp(), q7::Str2Nbr(c.labPb)) << what;
                EXPECT_EQ(r.q.Prs.GetPRSo(b), q7::Str2Nbr(c.labPb)) << what;
            }
            if (mask & 2) {
                EXPECT_EQ(oil.GetRSO(b), q7::Str2Nbr(c.labRsb)) << what;
                EXPECT_EQ(oil.GetRSOS(b), q7::Str2Nbr(c.labRsb)) << what;
                EXPECT_EQ(oil.GetRSO(1), q7::Str2Nbr(c.labRsb)) << what; // undersaturated rows keep it
            }
            if (mask & 4) {
                EXPECT_EQ(oil.GetBO(b), q7::Str2Nbr(c.labBob)) << what;
                EXPECT_EQ(oil.GetBOS(b), q7::Str2Nbr(c.labBob)) << what;
            }
            if (mask & 8) {
                EXPECT_EQ(oil.GetMUO(b), q7::Str2Nbr(c.labMuob)) << what;
                EXPECT_EQ(oil.GetMUOS(b), q7::Str2Nbr(c.labMuob)) << what;
            }
            const bool made = (mask & 3) == 3 || (mask & 12) != 0;
            EXPECT_EQ(oil.Match().Made, made) << what;
            if (!made) {
                EXPECT_EQ(oil.Match().PressureScale, 1.0f);
                EXPECT_EQ(oil.Match().BoFactor, 1.0f);
                EXPECT_EQ(oil.Match().ViscosityFactor, 1.0f);
            }
            matched += made;

            // The density at the bubble point from the matched GOR and volume factor: the stock-tank
            // oil and its dissolved gas in one reservoir barrel.
            const double rho =
                (oil.STDenGas() * oil.GetRSO(b) / q7::kCubicFeetPerBarrel + oil.STDenOil()) / oil.GetBO(b);
            EXPECT_NEAR(oil.GetRHOO(b), rho, rho * 1e-6) << what;

            for (const NamedColumn& col : Columns()) {
                for (auto [from, to] : {std::pair{1, r.Bppi()}, std::pair{r.Bppi(), r.Rows()}}) {
                    // The plain run's rows at and around its own bubble point differ from the
                    // matched run's; judge each part on its own rows.
                    const int before = Trend(plain, col.get, from == 1 ? 1 : plain.Bppi(),
                                             from == 1 ? plain.Bppi() : plain.Rows());
                    if (before == 2 || to - from < 1) continue;
                    const int after = Trend(r, col.get, from, to);
                    // A flat part (the GOR above the bubble point) stays flat; a volume factor of 1
                    // flattens the saturated Bo.
                    EXPECT_TRUE(after == before || after == 0)
                        << what << " " << col.name << " rows " << from << ".." << to << " went " << after
                        << " where the correlation went " << before;
                }
            }
        }
    }
    EXPECT_GT(matched, 400); // most drawn cases computed
}

// Against the correlation's own table of the same case: a volume factor alone scales Bo - 1 on
// the saturated rows by one factor, a viscosity alone every viscosity by one factor, and the
// scale on pressure is the correlation's bubble point at the laboratory GOR over the laboratory
// bubble point (the bubble point that typing the GOR gives).
TEST(OilMatch, FactorsAgainstTheCorrelationsOwnTable) {
    Draw d(77);
    for (int n = 0; n < 30; ++n) {
        const OilCase c = DrawCase(d);
        const OilRun plain(c, 0);
        if (!plain.ok) continue;
        const int rows = plain.Rows();
        const int b = plain.Bppi();

        const OilRun bo(c, 4);
        ASSERT_TRUE(bo.ok);
        ASSERT_EQ(bo.Rows(), rows);
        const double k =
            (q7::Str2Nbr(c.labBob) - 1.0) / (plain.q.Oil.GetBOS(static_cast<std::int16_t>(b)) - 1.0);
        EXPECT_NEAR(bo.q.Oil.Match().BoFactor, k, k * 1e-5);
        for (int r = 1; r <= rows; ++r) {
            const auto row = static_cast<std::int16_t>(r);
            const double expected = 1.0 + (plain.q.Oil.GetBOS(row) - 1.0) * k;
            EXPECT_NEAR(bo.q.Oil.GetBOS(row), expected, 2e-6 * expected) << "case " << n << " row " << r;
            EXPECT_EQ(bo.q.Oil.GetRSOS(row), plain.q.Oil.GetRSOS(row)); // the GOR is untouched
            EXPECT_EQ(bo.q.Oil.GetCO(row), plain.q.Oil.GetCO(row));
            EXPECT_EQ(bo.q.Oil.GetMUO(row), plain.q.Oil.GetMUO(row));
        }
        // Above the bubble point, Bo falls from the matched value as the correlation's does.
        for (int r = 1; r < b; ++r) {
            const auto row = static_cast<std::int16_t>(r);
            const double ratio = plain.q.Oil.GetBO(row) / plain.q.Oil.GetBO(static_cast<std::int16_t>(b));
            const double expected = q7::Str2Nbr(c.labBob) * ratio;
            EXPECT_NEAR(bo.q.Oil.GetBO(row), expected, 1e-5 * expected) << "case " << n << " row " << r;
        }

        const OilRun mu(c, 8);
        ASSERT_TRUE(mu.ok);
        const double f = q7::Str2Nbr(c.labMuob) / plain.q.Oil.GetMUOS(static_cast<std::int16_t>(b));
        EXPECT_NEAR(mu.q.Oil.Match().ViscosityFactor, f, f * 1e-6);
        for (int r = 1; r <= rows; ++r) {
            const auto row = static_cast<std::int16_t>(r);
            EXPECT_NEAR(mu.q.Oil.GetMUOS(row), plain.q.Oil.GetMUOS(row) * f,
                        2e-6 * plain.q.Oil.GetMUOS(row) * f);
            EXPECT_NEAR(mu.q.Oil.GetMUO(row), plain.q.Oil.GetMUO(row) * f,
                        2e-6 * plain.q.Oil.GetMUO(row) * f);
            EXPECT_EQ(mu.q.Oil.GetBO(row), plain.q.Oil.GetBO(row));
        }

        const OilRun pair(c, 3);
        ASSERT_TRUE(pair.ok);
        RecordingSink sink;
        Q7Objects typed(sink);
        typed.Fluid.SetResT(c.resT);
        typed.Oil.SetAPI(c.api);
        typed.Oil.SetSepGG(c.sepGG);
        typed.Oil.SetRsi(c.labRsb);
        const double s = typed.Oil.Pbp() / static_cast<double>(q7::Str2Nbr(c.labPb));
        EXPECT_NEAR(pair.q.Oil.Match().PressureScale, s, s * 1e-6) << "case " << n;
        EXPECT_EQ(pair.q.Oil.RSI(), q7::Str2Nbr(c.labRsb));
        EXPECT_EQ(pair.q.Oil.Pbp(), q7::Str2Nbr(c.labPb));
    }
}

// One laboratory value of the pair alone is typing it: the bubble point gives the GOR ("Calc
// Rsi"), the GOR gives the bubble point ("Calc Pbp"), and the tables are the typed ones.
TEST(OilMatch, OneOfThePairAloneIsTypingIt) {
    Draw d(5);
    const OilCase c = DrawCase(d);
    OilCase typedPb = c;
    const OilRun lab(c, 1);
    ASSERT_TRUE(lab.ok);
    {
        RecordingSink sink;
        Q7Objects q(sink);
        q.Fluid.SetResT(c.resT);
        q.Oil.SetAPI(c.api);
        q.Oil.SetSepGG(c.sepGG);
        q.Oil.SetSepP(c.sepP);
        q.Oil.SetSepT(c.sepT);
        q.Oil.SetPbp(c.labPb);
        EXPECT_EQ(lab.q.Oil.RSI(), q.Oil.RSI());
        EXPECT_EQ(lab.q.Oil.RSITank(), q.Oil.RSITank());
    }
    const OilRun gor(c, 2);
    ASSERT_TRUE(gor.ok);
    OilCase typedRsi = c;
    typedRsi.rsi = c.labRsb;
    const OilRun typed(typedRsi, 0);
    ASSERT_TRUE(typed.ok);
    EXPECT_EQ(gor.q.Oil.Pbp(), typed.q.Oil.Pbp());
    ASSERT_EQ(gor.Rows(), typed.Rows());
    for (int r = 1; r <= gor.Rows(); ++r) {
        const auto row = static_cast<std::int16_t>(r);
        if (r == gor.Bppi()) continue; // there the laboratory GOR itself stands
        EXPECT_EQ(gor.q.Oil.GetRSO(row) == typed.q.Oil.GetRSO(row) || r < gor.Bppi(), true) << r;
        EXPECT_EQ(gor.q.Oil.GetBOS(row), typed.q.Oil.GetBOS(row)) << r;
    }
    EXPECT_NEAR(typed.q.Oil.GetRSO(static_cast<std::int16_t>(typed.Bppi())), q7::Str2Nbr(c.labRsb),
                q7::Str2Nbr(c.labRsb) * 1e-5);
}

// Impossible laboratory values: one message each, titled as the oil table's failures, and no table.
TEST(OilMatch, ImpossibleValuesAreReportedWithNoTable) {
    struct Bad {
        unsigned mask;
        std::string value;
        std::string message;
    };
    const std::vector<Bad> bad = {
        {1, "0", "The laboratory bubble point must be greater than 0."},
        {1, "-100", "The laboratory bubble point must be greater than 0."},
        {1, "14.7", "The laboratory bubble point must be above the standard pressure (14.7 psia)."},
        {1, "10", "The laboratory bubble point must be above the standard pressure (14.7 psia)."},
        {2, "0", "The laboratory solution GOR must be greater than 0."},
        {2, "-5", "The laboratory solution GOR must be greater than 0."},
        {4, "0.99", "The laboratory oil volume factor must be at least 1."},
        {4, "0", "The laboratory oil volume factor must be at least 1."},
        {8, "0", "The laboratory oil viscosity must be greater than 0."},
        {8, "nonsense", "The laboratory oil viscosity must be greater than 0."},
    };
    Draw d(11);
    const OilCase base = DrawCase(d);
    for (const Bad& b : bad) {
        OilCase c = base;
        (b.mask == 1 ? c.labPb : b.mask == 2 ? c.labRsb : b.mask == 4 ? c.labBob : c.labMuob) = b.value;
        const OilRun r(c, b.mask | 12); // with the other values fine
        EXPECT_FALSE(r.q.Oil.GO()) << b.value;
        ASSERT_EQ(r.sink.errors.size(), 1u) << b.value;
        EXPECT_EQ(r.sink.errors[0].text, b.message);
        EXPECT_EQ(r.sink.errors[0].title, "Oil Properties Error");
        EXPECT_FALSE(r.q.Oil.Match().Made);
    }
    // A volume factor of exactly 1 is possible (no expansion at all).
    OilCase one = base;
    one.labBob = "1";
    const OilRun r(one, 4);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.q.Oil.GetBO(static_cast<std::int16_t>(r.Bppi())), 1.0f);
}

// A blank box is a value not measured; text that is no number is read as every box reads it.
TEST(OilMatch, BlankIsNotMeasured) {
    RecordingSink sink;
    Q7Objects q(sink);
    q.Oil.SetLabPb("2500");
    EXPECT_EQ(q.Oil.Lab().Pb, 2500.0f);
    q.Oil.SetLabPb("  ");
    EXPECT_FALSE(q.Oil.Lab().Pb.has_value());
    q.Oil.SetLabBob("");
    EXPECT_FALSE(q.Oil.Lab().Bob.has_value());
    q.Oil.SetLabMuob("x");
    ASSERT_TRUE(q.Oil.Lab().Muob.has_value());
    EXPECT_EQ(*q.Oil.Lab().Muob, 0.0f);
}

} // namespace

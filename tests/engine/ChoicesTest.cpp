// The correlation choices wired into the oil and gas objects: the bubble point and GOR setters, the
// laboratory match at the bubble point for every bubble-point and volume-factor choice, the case
// keys, the refusal of impossible values, the gas table by the chosen Z-factor, and the names the
// report and the files read.
#include "engine/Correlations.h"
#include "engine/ProjectFields.h"
#include "engine/PvtCorrelations.h"
#include "engine/Q7Objects.h"
#include "engine/RangeWarnings.h"
#include "engine/ResultRun.h"
#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <string>

namespace {

using namespace q7;
using q7::test::RecordingSink;
using q7::test::Text;

struct Project {
    RecordingSink sink;
    Q7Objects q{sink};

    explicit Project(double api = 35, double gg = 0.8, double resT = 180) {
        q.Fluid.PhaseOil(true);
        q.Fluid.PhaseGas(false);
        q.Fluid.PhaseWater(false);
        q.Fluid.SetResT(Text(resT));
        q.Oil.SetAPI(Text(api));
        q.Oil.SetSepGG(Text(gg));
        q.Oil.SetSepP("100");
        q.Oil.SetSepT("80");
    }
    bool Run(double minP = 100, double maxP = 6000) {
        q.Prs.SetMinP(Text(minP));
        q.Prs.SetMaxP(Text(maxP));
        q.Prs.BuildPRSi();
        FluidTablesObserver none;
        const FluidTablesResult r = RunFluidTables(q, sink, none);
        return !r.failure && q.Oil.GO();
    }
};

// Every bubble-point choice: the GOR read back from the bubble point it gives is the GOR typed
// (single precision), the bubble point is the correlation's own, and the saturated GOR of the table
// at the bubble point row is the initial GOR.
TEST(OilChoices, BubblePointAndGorSettersInvertEachOther) {
    for (int c = 0; c < static_cast<int>(ChoiceOf(CorrKey::Pb).options.size()); ++c) {
        Project p;
        p.q.Oil.Correlation(CorrKey::Pb, c);
        p.q.Oil.SetRsi("650");
        const float pb = p.q.Oil.Pbp();
        OilInputs in{35, 141.5 / 166.5, 0.8, 0.8, 180};
        if (c == static_cast<int>(CorrPb::VazquezBeggs))
            in.gasSG100 = 0.8 * (1.0 + 0.00005912 * 35 * 80 * std::log10(static_cast<float>(100 / 114.7)));
        EXPECT_NEAR(pb, BubblePoint(static_cast<CorrPb>(c), in, 650), 1e-3 * pb) << CorrLabel(CorrKey::Pb, c);
        p.q.Oil.SetPbp(Text(pb));
        EXPECT_NEAR(p.q.Oil.RSI(), 650.0f, 650.0f * 2e-6f) << CorrLabel(CorrKey::Pb, c);
        p.q.Oil.SetRsi("650");
        ASSERT_TRUE(p.Run()) << CorrLabel(CorrKey::Pb, c);
        EXPECT_NEAR(p.q.Oil.GetRSOS(p.q.Prs.BPPi()), 650.0f, 650.0f * 2e-5f) << CorrLabel(CorrKey::Pb, c);
    }
}

// The laboratory match is exact at the bubble point for every bubble-point and volume-factor
// choice, on drawn oils (seeded): the bubble point, GOR, volume factor and viscosity of the
// bubble-point row are the laboratory values; where a chosen correlation gives an impossible value
// the case is refused with a message naming it.
TEST(OilChoices, LaboratoryMatchExactAtTheBubblePointForEveryChoice) {
    std::mt19937 gen(28);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    int matched = 0;
    for (int pb = 0; pb < 7; ++pb) {
        for (int bo = 0; bo < 5; ++bo) {
            for (int n = 0; n < 3; ++n) {
                Project p(20 + 30 * u(gen), 0.65 + 0.4 * u(gen), 100 + 150 * u(gen));
                p.q.Oil.Correlation(CorrKey::Pb, pb);
                p.q.Oil.Correlation(CorrKey::Bo, bo);
                p.q.Oil.Correlation(CorrKey::Muo, n % 2);
                const float labPb = static_cast<float>(1500 + 3000 * u(gen));
                const float labRsb = static_cast<float>(300 + 900 * u(gen));
                const float labBob = static_cast<float>(1.15 + 0.5 * u(gen));
                p.q.Oil.SetRsi(Text(labRsb));
                p.q.Oil.SetLabPb(Text(labPb));
                p.q.Oil.SetLabRsb(Text(labRsb));
                p.q.Oil.SetLabBob(Text(labBob));
                p.q.Oil.SetLabMuob("0.7");
                p.q.Oil.ApplyLabBubblePoint();
                const std::string name = CorrLabel(CorrKey::Pb, pb) + " / " + CorrLabel(CorrKey::Bo, bo);
                if (!p.Run(50, 7000)) {
                    ASSERT_FALSE(p.sink.errors.empty()) << name;
                    const std::string& said = p.sink.errors.back().text;
                    EXPECT_TRUE(said.find(ChoiceOf(CorrKey::Pb).options[pb].shown) != std::string::npos ||
                                said.find(ChoiceOf(CorrKey::Bo).options[bo].shown) != std::string::npos)
                        << name << ": " << said;
                    continue;
                }
                const auto k = p.q.Prs.BPPi();
                EXPECT_EQ(p.q.Oil.Pbp(), labPb) << name;
                EXPECT_EQ(p.q.Prs.GetPRSo(k), labPb) << name;
                EXPECT_EQ(p.q.Oil.GetRSOS(k), labRsb) << name;
                EXPECT_EQ(p.q.Oil.GetBOS(k), labBob) << name;
                EXPECT_EQ(p.q.Oil.GetMUOS(k), 0.7f) << name;
                // The matched GOR below the bubble point stays below the laboratory GOR.
                if (k < p.q.Prs.NPRSo()) {
                    EXPECT_LT(p.q.Oil.GetRSOS(static_cast<std::int16_t>(k + 1)), labRsb) << name;
                }
                ++matched;
            }
        }
    }
    EXPECT_GT(matched, 80);
}

// The case keys: names matched without regard to case, the default's name when none was given,
// and a name no correlation has leaves the choice alone.
TEST(OilChoices, CaseKeysTakeNamesInAnyCase) {
    Project p;
    const ProjectField* pbKey = FindField("corrpb");
    ASSERT_NE(pbKey, nullptr);
    EXPECT_EQ(pbKey->column, "CorrPb");
    EXPECT_EQ(pbKey->table, "tblOilGravity"); // stored with the oil inputs
    EXPECT_EQ(pbKey->text(p.q), "Standing");
    pbKey->set(p.q, "petroskyFARSHAD");
    EXPECT_EQ(p.q.Oil.Correlation(CorrKey::Pb), static_cast<int>(CorrPb::PetroskyFarshad));
    EXPECT_EQ(pbKey->text(p.q), "PetroskyFarshad");
    pbKey->set(p.q, "Lasater");
    EXPECT_EQ(pbKey->text(p.q), "PetroskyFarshad");
    for (const char* key : {"CorrBo", "CorrMuod", "CorrMuo", "CorrMuoUS", "CorrZ", "CorrPseudo"}) {
        const ProjectField* f = FindField(key);
        ASSERT_NE(f, nullptr) << key;
        EXPECT_FALSE(f->words.empty()) << key;
        EXPECT_EQ(f->text(p.q), f->words.front()) << key;
    }
    FindField("corrz")->set(p.q, "dak");
    EXPECT_EQ(p.q.Gas.Correlation(CorrKey::Z), static_cast<int>(CorrZ::DAK));
}

// Petrosky and Farshad fitted oils of 217 scf/stb and more; at 40 scf/stb their bubble point is
// negative, and the case is refused with the correlation and the GOR named (Standing's default
// keeps giving its table).
TEST(OilChoices, ImpossibleBubblePointRefusesTheCase) {
    Project p;
    p.q.Oil.Correlation(CorrKey::Pb, static_cast<int>(CorrPb::PetroskyFarshad));
    try {
        p.q.Oil.SetRsi("40");
        FAIL() << "no bubble point";
    } catch (const CorrelationError& e) {
        EXPECT_STREQ(e.what(),
                     "Petrosky-Farshad bubble point: no bubble point for a solution GOR of 40.0 scf/stb");
    }
    Project standing;
    standing.q.Oil.SetRsi("40");
    EXPECT_GT(standing.q.Oil.Pbp(), 0.0f);
}

// The report's and the files' names follow the choices; the defaults' lines are today's.
TEST(OilChoices, CorrelationListNamesTheChoices) {
    Project p;
    EXPECT_TRUE(ChosenCorrelationLines(p.q).empty());
    EXPECT_EQ(OilCorrelations(p.q)[0].correlation, "Standing (1947)");
    p.q.Oil.Correlation(CorrKey::Pb, static_cast<int>(CorrPb::Glaso));
    p.q.Gas.Correlation(CorrKey::Z, static_cast<int>(CorrZ::HallYarborough));
    EXPECT_EQ(OilCorrelations(p.q)[0].correlation, "Glaso (1980)");
    const std::vector<std::string> lines = ChosenCorrelationLines(p.q);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "Correlation chosen: Glaso (1980) bubble point (CorrPb Glaso)");
    EXPECT_EQ(lines[1], "Correlation chosen: Hall-Yarborough (1973) Z-factor (CorrZ HallYarborough)");
    bool named = false;
    for (const CorrelationUse& use : GasCorrelations(p.q))
        named = named || use.correlation == "Hall-Yarborough (1973)";
    EXPECT_TRUE(named);
}

// A gas table by each Z-factor: every row's Z is the chosen method's at the row's Tpr and Ppr
// (single precision), and the compressibility and m(p) follow it: with DAK and Hall-Yarborough
// (which agree with each other within 1 % over this range) the tables stay near DPR's.
TEST(GasChoices, TableFollowsTheChosenZFactor) {
    RecordingSink sink;
    std::vector<std::vector<float>> z(3), cg(3), mp(3);
    for (int c = 0; c < 3; ++c) {
        Q7Objects q(sink);
        q.Fluid.PhaseOil(false);
        q.Fluid.PhaseGas(true);
        q.Fluid.PhaseWater(false);
        q.Fluid.SetResT("200");
        q.Gas.SetGasGrav("0.7");
        q.Gas.Correlation(CorrKey::Z, c);
        q.Prs.SetMinP("200");
        q.Prs.SetMaxP("5000");
        q.Prs.BuildPRSi();
        FluidTablesObserver none;
        const FluidTablesResult r = RunFluidTables(q, sink, none);
        ASSERT_FALSE(r.failure);
        ASSERT_TRUE(q.Gas.GO()) << c;
        for (std::int16_t k = 1; k <= q.Prs.NPRSo(); ++k) {
            z[c].push_back(q.Gas.GetZ(k));
            cg[c].push_back(q.Gas.GetCG(k));
            mp[c].push_back(q.Gas.GetRMP(k));
            if (c > 0) {
                const double want = *ZFactorOf(static_cast<CorrZ>(c), q.Gas.PTR(), q.Gas.GetPPR(k));
                EXPECT_NEAR(q.Gas.GetZ(k), want, 2e-6 * want);
            }
        }
    }
    for (int c = 1; c < 3; ++c)
        for (std::size_t i = 0; i < z[0].size(); ++i) {
            EXPECT_NE(z[c][i], z[0][i]);
            EXPECT_NEAR(z[c][i], z[0][i], 0.01 * z[0][i]);
            EXPECT_NEAR(cg[c][i], cg[0][i], 0.05 * cg[0][i]);
            EXPECT_NEAR(mp[c][i], mp[0][i], 0.01 * mp[0][i]);
        }
}

// Pseudo-criticals by choice in the gravity mode: Sutton's and Piper-McCain-Corredor's as the peer
// gives them for a 0.884 gas without inerts (tests/data/correlations, pyResToolbox 3.7.6).
TEST(GasChoices, PseudoCriticalsFollowTheChoice) {
    RecordingSink sink;
    Q7Objects q(sink);
    q.Fluid.PhaseOil(false);
    q.Fluid.PhaseGas(true);
    q.Gas.SetGasGrav("0.884");
    q.Prs.SetMinP("500");
    q.Prs.SetMaxP("1000");
    q.Prs.BuildPRSi();
    q.Gas.Correlation(CorrKey::Pseudo, static_cast<int>(CorrPseudo::Sutton));
    q.Gas.CalcGas();
    EXPECT_NEAR(q.Gas.tC(), 420.3303, 1e-3);
    EXPECT_NEAR(q.Gas.pC(), 638.1828, 1e-3);
    q.Gas.Correlation(CorrKey::Pseudo, static_cast<int>(CorrPseudo::PiperMcCainCorredor));
    q.Gas.CalcGas();
    EXPECT_NEAR(q.Gas.tC(), 421.4697, 1e-3);
    EXPECT_NEAR(q.Gas.pC(), 635.3272, 1e-3);
}

} // namespace

namespace {

using namespace q7;

// Over drawn oils and choices (seeded), the range warnings of a case are exactly its inputs that
// lie outside the published bounds of the correlations it uses: API, temperature, GOR, gas gravity
// and bubble point against the table of ranges, each once.
TEST(RangeWarningsOfACase, FireExactlyForInputsOutsideTheBounds) {
    std::mt19937 gen(2026);
    std::uniform_real_distribution<double> u(0.0, 1.0);
    int fired = 0, quiet = 0;
    for (int n = 0; n < 300; ++n) {
        test::RecordingSink sink;
        Q7Objects q(sink);
        q.Fluid.PhaseOil(true);
        q.Fluid.SetResT(test::Text(std::round(60 + 280 * u(gen))));
        q.Oil.SetAPI(test::Text(std::round(100 * (8 + 60 * u(gen))) / 100));
        q.Oil.SetSepGG(test::Text(std::round(1000 * (0.55 + 0.9 * u(gen))) / 1000));
        q.Oil.Correlation(CorrKey::Pb, n % 7);
        q.Oil.Correlation(CorrKey::Bo, n % 5);
        q.Oil.Correlation(CorrKey::Muod, n % 4);
        q.Oil.Correlation(CorrKey::Muo, n % 2);
        try {
            q.Oil.SetRsi(test::Text(std::round(10 + 2500 * u(gen))));
        } catch (const Error&) {
            continue; // no bubble point: the case is refused before any table
        }
        std::set<std::pair<std::string, std::string>> want;
        for (const CorrRange& r : CorrRanges()) {
            if (r.key != CorrKey::Pb && r.key != CorrKey::Bo && r.key != CorrKey::Muod) continue;
            if (q.Oil.Correlation(r.key) != r.option) continue;
            double v = 0;
            switch (r.input) {
            case RangeInput::API:
                v = q.Oil.API();
                break;
            case RangeInput::Temperature:
                v = q.Fluid.ResTf();
                break;
            case RangeInput::GOR:
                v = q.Oil.RSI();
                break;
            case RangeInput::GasGravity:
                v = q.Oil.SepGG();
                break;
            case RangeInput::BubblePoint:
                v = q.Oil.Pbp();
                break;
            default:
                continue;
            }
            if (v < r.lo || v > r.hi) want.insert({ChoiceOf(r.key).key, RangeInputName(r.input)});
        }
        // The saturated viscosity's GOR, read from the same table.
        for (const CorrRange& r : CorrRanges())
            if (r.key == CorrKey::Muo && r.option == q.Oil.Correlation(CorrKey::Muo) &&
                r.input == RangeInput::GOR && (q.Oil.RSI() < r.lo || q.Oil.RSI() > r.hi))
                want.insert({"CorrMuo", "solution GOR"});
        std::set<std::pair<std::string, std::string>> got;
        for (const RangeWarning& w : RangeWarnings(q)) {
            EXPECT_TRUE(got.insert({w.key, w.input}).second) << "twice: " << w.text;
            EXPECT_EQ(w.row, 0);
            EXPECT_NE(w.text.find("the range of its data"), std::string::npos);
        }
        EXPECT_EQ(got, want) << n;
        (want.empty() ? quiet : fired) += 1;
    }
    EXPECT_GT(fired, 50);
    EXPECT_GT(quiet, 5);
}

// A table row outside the range is named once, at the first such row: the gas table's lowest
// pressures lie below the Ppr of Dranchuk-Purvis-Robinson's data (0.2).
TEST(RangeWarningsOfACase, TableRowsNamedOnceAtTheFirstRowOutside) {
    test::RecordingSink sink;
    Q7Objects q(sink);
    q.Fluid.PhaseOil(false);
    q.Fluid.PhaseGas(true);
    q.Fluid.SetResT("200");
    q.Prs.SetMinP("14.7");
    q.Prs.SetMaxP("5000");
    q.Prs.BuildPRSi();
    FluidTablesObserver none;
    RunFluidTables(q, sink, none);
    ASSERT_TRUE(q.Gas.GO());
    const std::vector<RangeWarning> w = RangeWarningsOf(q, "Gas");
    ASSERT_EQ(w.size(), 1u);
    EXPECT_EQ(w[0].key, "CorrZ");
    EXPECT_EQ(w[0].input, "Ppr");
    EXPECT_GT(w[0].row, 1);
    EXPECT_LT(w[0].value, 0.2);
    EXPECT_GE(q.Gas.GetPPR(static_cast<std::int16_t>(w[0].row - 1)), 0.2f);
    EXPECT_EQ(w[0].text.rfind("Dranchuk-Purvis-Robinson Z-factor: Ppr 0.0", 0), 0u) << w[0].text;
}

} // namespace

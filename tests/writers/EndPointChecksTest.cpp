// The simulator's end-point consistency rules (opm-simulators, opm/simulators/utils/satfunc:
// WaterPhaseConsistencyChecks, GasPhaseConsistencyChecks, OilPhaseConsistencyChecks; pull requests
// 5438, 5570, 5572, 5573) on drawn end points and on tables computed by the rock.
#include "WriterTestSupport.h"

#include "writers/EclipseChecks.h"
#include "writers/EndPointChecks.h"
#include "writers/OutputChoices.h"

#include <random>

namespace q7::test {
namespace {

bool Names(const std::vector<EndPointFault>& faults, const std::string& keyword, const std::string& rule) {
    for (const EndPointFault& f : faults)
        if (f.keyword == keyword && f.reason.find("break " + rule + " (") != std::string::npos) return true;
    return false;
}

// Three-phase end points drawn with room between them keep every rule; moving one end point across
// one inequality (each case below, written from the rule's own statement in OPM's sources) breaks
// that rule, on the table that carries it.
TEST(EndPointRules, DrawnEndPointsFlaggedExactlyWhenARuleBreaks) {
    std::mt19937 gen(5573);
    std::uniform_real_distribution<double> u(0.02, 0.18);
    for (int draw = 0; draw < 200; ++draw) {
        SaturationEndPoints e;
        e.water = e.oil = e.gas = e.oilWater = e.gasOil = true;
        e.swl = u(gen);
        e.swcr = e.swl + u(gen) / 4;
        e.swu = 1.0;
        e.sgl = 0.0;
        e.sgcr = u(gen);
        e.sgu = 1.0 - e.swl;
        e.sowcr = u(gen);
        e.sogcr = u(gen);
        SCOPED_TRACE("draw " + std::to_string(draw));
        EXPECT_TRUE(EndPointFaults(e, "1").empty()) << EndPointFaults(e, "1").front().reason;
        EXPECT_TRUE(EndPointFaults(e, "2").empty());

        struct Broken {
            const char* keyword;
            const char* rule;
            void (*apply)(SaturationEndPoints&);
        };
        const Broken cases[] = {
            {"SWOF", "0 <= SWL < 1", [](SaturationEndPoints& x) { x.swl = -0.01; }},
            {"SWOF", "0 < SWU <= 1", [](SaturationEndPoints& x) { x.swu = 1.02; }},
            {"SWOF", "SWL <= SWCR < SWU", [](SaturationEndPoints& x) { x.swcr = x.swu + 0.01; }},
            {"SWOF", "SWL <= SWCR < SWU", [](SaturationEndPoints& x) { x.swcr = x.swl - 0.01; }},
            {"SGOF", "0 <= SGL < 1", [](SaturationEndPoints& x) { x.sgl = 1.01; }},
            {"SGOF", "SGL <= SGCR < SGU", [](SaturationEndPoints& x) { x.sgcr = x.sgu + 0.01; }},
            {"SGOF", "0 <= SOGCR < 1", [](SaturationEndPoints& x) { x.sogcr = -0.01; }},
            {"SGOF", "SWL + SGU <= 1", [](SaturationEndPoints& x) { x.sgu = 1.0 - x.swl + 0.01; }},
            {"SGOF", "SOGCR < 1 - SWL - SGL", [](SaturationEndPoints& x) { x.sogcr = 1.0 - x.swl - x.sgl; }},
            {"SGOF", "SOGCR < 1 - SWL - SGCR",
             [](SaturationEndPoints& x) { x.sogcr = 1.0 - x.swl - x.sgcr; }},
            {"SWOF", "0 <= SOWCR < 1", [](SaturationEndPoints& x) { x.sowcr = 1.0; }},
            {"SWOF", "SGL + SWU <= 1", [](SaturationEndPoints& x) { x.sgl = 0.01; }},
            {"SWOF", "SOWCR < 1 - SWCR - SGL", [](SaturationEndPoints& x) { x.sowcr = 1.0 - x.swcr; }},
        };
        for (const Broken& b : cases) {
            SaturationEndPoints x = e;
            b.apply(x);
            EXPECT_TRUE(Names(EndPointFaults(x, "1"), b.keyword, b.rule)) << b.rule;
            // Family II carries the oil rules on SOF3, the water and gas ones on SWFN and SGFN.
            const std::string two = std::string(b.rule).find("SO") != std::string::npos ? "SOF3"
                                    : std::string(b.keyword) == "SWOF"                  ? "SWFN"
                                                                                        : "SGFN";
            if (std::string(b.rule) != "SWL + SGU <= 1" && std::string(b.rule) != "SGL + SWU <= 1") {
                EXPECT_TRUE(Names(EndPointFaults(x, "2"), two, b.rule)) << b.rule;
            }
        }
    }
}

// Drawn three-phase rocks whose end points leave every phase room (SWC + SORW < 1 and
// SWC + SORG + SGCrit < 1 with a margin) are flagged by none of the rules in either family.
TEST(EndPointRules, DrawnRocksKeepingTheRulesAreNotFlagged) {
    std::mt19937 gen(5438);
    std::uniform_int_distribution<int> u(5, 28); // hundredths, as the saturation boxes show them
    auto sat = [&] { return "0." + std::to_string(100 + u(gen)).substr(1); };
    for (int draw = 0; draw < 40; ++draw) {
        Objects o;
        clsRock& rock = o.objects.Rock;
        rock.Fluids(2);
        rock.Displace(1);
        rock.CORR(static_cast<std::int16_t>(draw % 2 * 2));
        rock.SetSWC(sat());
        rock.SetSORW(sat());
        rock.SetSORG(sat());
        rock.SetSGCrit(sat());
        o.ComputeRock();
        SCOPED_TRACE("draw " + std::to_string(draw));
        for (const char* keyword : {"SWOF", "SGOF", "SWFN", "SGFN", "SOF3"})
            for (const std::string& reason : EndPointProblems(o.objects, keyword))
                ADD_FAILURE() << keyword << ": " << reason;
        // The critical saturations found in the written tables are the rock's own end points, or
        // the next row's where a kr rounds to 0 at the written decimals.
        const SaturationEndPoints e = EndPointsAsWritten(o.objects, "SWOF");
        EXPECT_NEAR(e.swl, rock.SWC(), 0.005);
        EXPECT_GE(e.sowcr, rock.SORW() - 0.005);
        EXPECT_LT(e.sowcr, rock.SORW() + 0.1);
        EXPECT_GE(e.sgcr, rock.SGCrit() - 0.00005);
        EXPECT_LT(e.sgcr, rock.SGCrit() + 0.1);
        // The gas–oil grid steps from So = 0 straight to So = SORG, where the oil already moves.
        EXPECT_GE(e.sogcr, -1e-9);
        EXPECT_LT(e.sogcr, rock.SORG() + 0.1);
    }
}

// A water LET curve with L = 20 stays below the written precision (and OPM's 1E-6) until the water
// saturation passes 1 - SORW: the water's critical saturation leaves the oil no room, which OPM's
// rule SOWCR < 1 - SWCR - SGL refuses (the table's own column rules pass). With L = 2 it passes.
TEST(EndPointRules, ImmobileWaterOverTheMobileOilRangeIsFlagged) {
    for (const char* L : {"20", "2"}) {
        Objects o;
        clsRock& rock = o.objects.Rock;
        rock.Fluids(2);
        rock.Displace(1);
        rock.CORR(2);
        rock.SetLetWaterL(L);
        o.ComputeRock();
        const std::vector<std::string> swof = CheckEclipseTable(o.objects, "SWOF");
        const bool flagged = std::any_of(swof.begin(), swof.end(), [](const std::string& r) {
            return r.find("SOWCR < 1 - SWCR - SGL") != std::string::npos;
        });
        EXPECT_EQ(flagged, std::string(L) == "20") << L;
        const std::vector<std::string> sof3 = CheckEclipseTable(o.objects, "SOF3");
        EXPECT_EQ(std::any_of(sof3.begin(), sof3.end(),
                              [](const std::string& r) { return r.find("SOWCR") != std::string::npos; }),
                  std::string(L) == "20");
    }
}

} // namespace
} // namespace q7::test

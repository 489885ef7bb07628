// Eclipse include files: whole files against the layouts of the keyword tables, with the numbers
// taken from the calculation objects and formatted independently (printf rounding), the PVTO
// record structure around the bubble point, the PVTW reference row, the file names, the
// completion title, and what a failure leaves behind. PVDG and SWOF of real cases are compared
// byte for byte with the golden cases.
#include "WriterTestSupport.h"

#include "numeric/Errors.h"
#include "writers/clsECL.h"

#include <cmath>
#include <sstream>

namespace q7::test {
namespace {

std::string OilDensityLine(const clsOil& oil) {
    return "-- STOCK TANK OIL DENSITY (LB/SCF) = " + Fx(oil.STDenOil(), 10, 3);
}

std::string SaturatedRow(const Q7Objects& o, std::int16_t i) {
    return Fx(o.Oil.GetRSOS(i) / 1000.0f, 14, 3) + Fx(o.Prs.GetPRSo(i), 15, 1) + Fx(o.Oil.GetBOS(i), 14, 4) +
           Fx(o.Oil.GetMUOS(i), 11, 3);
}

std::string UndersaturatedRow(const Q7Objects& o, std::int16_t j) {
    return Fx(o.Prs.GetPRSo(j), 29, 1) + Fx(o.Oil.GetBO(j), 14, 4) + Fx(o.Oil.GetMUO(j), 11, 3);
}

// The row 200 psi above the top pressure: Bo through the oil compressibility, viscosity by
// Vazquez & Beggs (1980), mu = mu_b (p / p_b)^m with m = 2.6 p^1.187 exp(-11.513 - 8.98E-05 p).
std::string ExtrapolatedRow(const Q7Objects& o) {
    const double p1 = o.Prs.GetPRSo(1);
    const double pu = p1 + 200.0;
    const double bu = o.Oil.GetBOS(1) * std::exp(-200.0 * o.Oil.GetCO(1));
    const double m = 2.6 * std::pow(pu, 1.187) * std::exp(-11.513 - 0.0000898 * pu);
    const double mu = o.Oil.GetMUOS(1) * std::pow(pu / p1, m);
    return std::string(18, ' ') + Fx(pu, 11, 1) + Fx(static_cast<float>(bu), 14, 4) +
           Fx(static_cast<float>(mu), 11, 3) + "   /";
}

const std::string kPvtoHead = "--  RSO(MCF/B)   PRESS(PSIA)    BO(RB/MCF)    MUO(CP)";

class Eclipse : public ::testing::Test {
protected:
    // Writes the selected tables under the scratch folder's base name "e".
    std::string Write(void (clsECL::*select)(bool)) {
        clsECL ecl(data.objects, data.sink);
        ecl.FileName(dir / "e");
        (ecl.*select)(true);
        ecl.Execute();
        return (dir.path() / "e").string();
    }
    ScratchDir dir;
    Objects data;
};

// Typed pressures 4000, 3000 and 1000 psia with the bubble point at 2000 psia give the schedule
// 4000, 3000, 2000, 1000 with the bubble point at row 3 of 4.
TEST_F(Eclipse, PvtoRecordsAroundABubblePointAtRowThreeOfFour) {
    data.Compute({.pressures = {"4000", "3000", "1000"}, .pbp = "2000"});
    const Q7Objects& o = data.objects;
    ASSERT_EQ(o.Prs.NPRSo(), 4);
    ASSERT_EQ(o.Prs.BPPi(), 3);
    const std::string base = Write(&clsECL::PVTO);
    EXPECT_EQ(
        ReadFile(base + ".pvto"),
        Lines({"PVTO", "", OilDensityLine(o.Oil), "", kPvtoHead, SaturatedRow(o, 4) + "   /",
               SaturatedRow(o, 3) + " ", UndersaturatedRow(o, 2) + " ", UndersaturatedRow(o, 1) + "   /",
               SaturatedRow(o, 2) + "   /", SaturatedRow(o, 1) + " ", ExtrapolatedRow(o), "/", ""}));
}

// The bubble point second from the top (the smallest position an oil schedule allows): one
// undersaturated row in its PVTO record, two rows in PVDO, and the RSCONST record after it.
TEST_F(Eclipse, BubblePointSecondFromTheTop) {
    data.Compute({.pressures = {"3000", "1000"}, .pbp = "2000"});
    const Q7Objects& o = data.objects;
    ASSERT_EQ(o.Prs.BPPi(), 2);
    ASSERT_EQ(o.Prs.NPRSo(), 3);
    clsECL ecl(o, data.sink);
    ecl.FileName(dir / "e");
    ecl.PVDO(true);
    ecl.PVTO(true);
    ecl.Execute();
    EXPECT_EQ(ReadFile(dir / "e.pvto"),
              Lines({"PVTO", "", OilDensityLine(o.Oil), "", kPvtoHead, SaturatedRow(o, 3) + "   /",
                     SaturatedRow(o, 2) + " ", UndersaturatedRow(o, 1) + "   /", SaturatedRow(o, 1) + " ",
                     ExtrapolatedRow(o), "/", ""}));
    const auto pvdoRow = [&](std::int16_t i) {
        return Fx(o.Prs.GetPRSo(i), 15, 1) + Fx(o.Oil.GetBO(i), 14, 4) + Fx(o.Oil.GetMUO(i), 11, 3);
    };
    EXPECT_EQ(ReadFile(dir / "e.pvdo"),
              Lines({"PVDO", "", OilDensityLine(o.Oil), "", "--   PRESS(PSIA)    BO(RB/MCF)    MUO(CP)",
                     pvdoRow(2), pvdoRow(1), "/", "", "", "", "RSCONST",
                     Fx(o.Oil.GetRSO(2) / 1000.0f, 12, 3) + Fx(o.Oil.Pbp(), 9, 1) + "     /"}));
    ASSERT_EQ(data.sink.messages.size(), 1u);
    EXPECT_EQ(data.sink.messages[0].text, "Eclipse output complete!");
    EXPECT_EQ(data.sink.messages[0].title, "Files: PVDO PVTO ");
}

struct PvtwCase {
    std::vector<std::string> pressures;
    std::int16_t reference; // expected reference row
};

class Pvtw : public Eclipse, public ::testing::WithParamInterface<PvtwCase> {};

// The reference row is the middle of the schedule (n / 2, ties to even) and the viscosibility the
// central difference of the water viscosity around it, over the viscosity there.
TEST_P(Pvtw, RecordAtTheMiddleOfTheSchedule) {
    data.Compute({.oil = false, .water = true, .pressures = GetParam().pressures});
    const Q7Objects& o = data.objects;
    ASSERT_EQ(o.Prs.NPRSo(), static_cast<std::int16_t>(GetParam().pressures.size()));
    const std::int16_t r = GetParam().reference;
    double c = 0.0;
    if (r > 1) {
        const auto up = static_cast<std::int16_t>(r + 1), down = static_cast<std::int16_t>(r - 1);
        c = (static_cast<double>(o.Water.GetMUW(up)) - o.Water.GetMUW(down)) /
            (static_cast<double>(o.Prs.GetPRSo(up)) - o.Prs.GetPRSo(down)) / o.Water.GetMUW(r);
    }
    const std::string base = Write(&clsECL::PVTW);
    EXPECT_EQ(ReadFile(base + ".pvtw"),
              Lines({"PVTW", "", "-- STOCK TANK WATER DENSITY (LB/SCF) = " + Fx(o.Water.STDenWat(), 7, 3), "",
                     "--  Pref(PSIA)   BWref(RB/STB)   CWref(PSI-1)   MUWref(CP)      DMUWDP",
                     Fx(o.Prs.GetPRSo(r), 14, 1) + Fx(o.Water.GetBW(r), 16, 4) + Fx(o.Water.GetCW(r), 15, 7) +
                         Fx(o.Water.GetMUW(r), 13, 3) + Fx(static_cast<float>(c), 12, 7) + "    /",
                     ""}));
}

INSTANTIATE_TEST_SUITE_P(Counts, Pvtw,
                         ::testing::Values(PvtwCase{{"3000"}, 1}, PvtwCase{{"3000", "1000"}, 1},
                                           PvtwCase{{"5000", "4000", "3000", "2000", "1000"}, 2},
                                           PvtwCase{{"7000", "6000", "5000", "4000", "3000", "2000", "1000"},
                                                    4}),
                         [](const auto& info) { return "N" + std::to_string(info.param.pressures.size()); });

// The completion title names the tables written; with none selected no file is written and the
// completion is still reported. (The DENSITY file itself is compared with the golden cases.)
TEST_F(Eclipse, CompletionTitleNamesTheTablesWritten) {
    data.Compute({.gas = true, .water = true});
    for (const bool dens : {false, true}) {
        data.sink.messages.clear();
        clsECL ecl(data.objects, data.sink);
        ecl.FileName(dir / "e");
        ecl.DENS(dens);
        ecl.Execute();
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), dens ? 1 : 0);
        EXPECT_EQ(std::filesystem::exists(dir / "e.dens"), dens);
        ASSERT_EQ(data.sink.messages.size(), 1u);
        EXPECT_EQ(data.sink.messages[0].kind, "info");
        EXPECT_EQ(data.sink.messages[0].text, "Eclipse output complete!");
        EXPECT_EQ(data.sink.messages[0].title, dens ? "Files: DENSITY " : "Files: ");
    }
}

// Gas saturation rising from 0: the grid's rows last to first.
std::string SgofRows(const clsRock& rock) {
    std::string rows;
    for (std::int16_t i = rock.NWet(); i >= 1; --i)
        rows += Fx(rock.GetSNWet(i), 12, 4) + Fx(rock.GetKRGas(i), 10, 4) + Fx(rock.GetKROil(i), 10, 4) +
                "     0.000\r\n";
    return rows;
}

TEST_F(Eclipse, SgofHonarpourImbibitionLimestoneStartsAtZeroGas) {
    clsRock& rock = data.objects.Rock;
    rock.Fluids(1);
    rock.Displace(1);
    rock.Lith(1);
    rock.CORR(1);
    data.ComputeRock();
    const std::string base = Write(&clsECL::SGOF);
    const std::string text = ReadFile(base + ".sgof");
    EXPECT_EQ(
        text,
        Lines({"SGOF", "", "-- Relative Permeability from Correleations", "-- Fluids: Gas/Oil System",
               "-- Displacement: Imbibition", "-- Lithology: Limestone", "-- Connate Water:     0.20",
               "-- Residual Oil to Gas:     0.40", "-- Critical Gas:     0.30",
               "-- Correlation Type: Honarpour", "-- Porosity (frac):   0.25", "-- Air Perm (md):  50.00",
               "-- Krg @Sorg:   0.50", "", "--      SGAS     KRGAS     KROIL      PCOG"}) +
            SgofRows(rock) + Lines({"/", ""}));
    // First row at Sg = 0, last at Sg = 1 - Swc.
    EXPECT_NE(text.find("PCOG\r\n      0.0000"), std::string::npos);
    EXPECT_NE(text.find("      0.8000"), std::string::npos);
}

// With a Pc model every row's Pc is the model's at the saturation written beside it, as a simulator
// reads it. Brooks and Corey (1964), Pc = Pe S*^(-1/lambda), Pe 3 psi, lambda 1.5, Swc 0.2 on the
// default drainage grid: row 2 lies half a step above Swc, Sw = 0.2 + 0.8/28 = 0.228571, where
// S* = 1/28 gives 3·28^(2/3) = 27.663 psi (computed by hand); written as "0.23" it would stand at
// S* = 0.0375, where the model gives 26.75 psi, 3 % less. Without a model the saturations keep
// their two decimals.
TEST_F(Eclipse, SwofPcRowsStandAtTheSaturationTheyWereComputedAt) {
    clsRock& rock = data.objects.Rock;
    rock.PcowModel(2);
    rock.SetPcowEntry("3");
    rock.SetPcowLambda("1.5");
    rock.SetPcowMax("50");
    data.ComputeRock();
    const std::string text = ReadFile(Write(&clsECL::SWOF) + ".swof");
    EXPECT_NE(
        text.find("-- Sw written with 4 decimals, not 2, so that each capillary pressure is read at the "
                  "saturation it was computed at\r\n"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("\r\n      0.2286"), std::string::npos) << text;
    EXPECT_NE(text.find("    27.663\r\n"), std::string::npos) << text;
    std::istringstream in(text.substr(text.find("PCOW")));
    std::string line;
    int rows = 0;
    while (std::getline(in, line)) {
        double sw = 0, krw = 0, kro = 0, pc = 0;
        if (!(std::istringstream(line) >> sw >> krw >> kro >> pc)) continue;
        ++rows;
        const double sStar = (sw - 0.2) / 0.8;
        if (sStar <= 0.0) {
            EXPECT_EQ(pc, 50.0); // the cap
            continue;
        }
        EXPECT_NEAR(pc / (3.0 * std::pow(sStar, -1.0 / 1.5)), 1.0, 0.005) << line;
    }
    EXPECT_EQ(rows, rock.NWet());

    rock.PcowModel(0);
    data.ComputeRock();
    const std::string plain = ReadFile(Write(&clsECL::SWOF) + ".swof");
    EXPECT_EQ(plain.find("written with"), std::string::npos);
    EXPECT_NE(plain.find("\r\n        0.23"), std::string::npos) << plain;
}

// Every table's file is the base name as typed plus its extension; a relative base name resolves
// against the current folder.
TEST_F(Eclipse, PathsDeriveFromTheBaseNameAsTyped) {
    data.Compute({});
    std::filesystem::create_directories(dir.path() / "runs");
    struct Back {
        std::filesystem::path to;
        ~Back() { std::filesystem::current_path(to); }
    } back{std::filesystem::current_path()};
    std::filesystem::current_path(dir.path());
    clsECL ecl(data.objects, data.sink);
    ecl.FileName("runs/case1");
    EXPECT_EQ(
        (std::vector<std::string>{ecl.PVDOFile(), ecl.PVTOFile(), ecl.PVDGFile(), ecl.PVTWFile(),
                                  ecl.DENSFile(), ecl.SWOFFile(), ecl.SGOFFile()}),
        (std::vector<std::string>{"runs/case1.pvdo", "runs/case1.pvto", "runs/case1.pvdg", "runs/case1.pvtw",
                                  "runs/case1.dens", "runs/case1.swof", "runs/case1.sgof"}));
    ecl.DENS(true);
    ecl.Execute();
    ecl.FileName("case.dat");
    EXPECT_EQ(ecl.PVDOFile(), "case.dat.pvdo");
    ecl.Execute();
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "runs/case1.dens"));
    EXPECT_TRUE(std::filesystem::exists(dir.path() / "case.dat.dens"));
}

// A file that cannot be created stops the export there: the files before it are complete, the
// later ones are not written and no completion message is shown.
TEST_F(Eclipse, FailureStopsTheExportWithoutMessage) {
    data.Compute({.gas = true});
    std::filesystem::create_directories(dir.path() / "e.pvto");
    clsECL ecl(data.objects, data.sink);
    ecl.FileName(dir / "e");
    ecl.PVDO(true);
    ecl.PVTO(true);
    ecl.PVDG(true);
    try {
        ecl.Execute();
        FAIL() << "no error";
    } catch (const IoError& e) {
        EXPECT_NE(std::string(e.what()).find(dir / "e.pvto"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("Is a directory"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(ReadFile(dir / "e.pvdo").ends_with("     /\r\n"));
    EXPECT_FALSE(std::filesystem::exists(dir / "e.pvdg"));
    ecl.FileName(dir / "missing/e");
    EXPECT_THROW(ecl.Execute(), IoError);
    EXPECT_TRUE(data.sink.messages.empty());
}

} // namespace
} // namespace q7::test

#include "engine/PvtCorrelations.h"

#include "numeric/AsciiText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>

namespace q7 {
namespace {

const char* const kStanding1947 = "Standing, M.B.: A Pressure-Volume-Temperature Correlation for Mixtures "
                                  "of California Oils and Gases, API Drilling and Production Practice (1947)";
const char* const kVazquezBeggs = "Vazquez, M. and Beggs, H.D.: Correlations for Fluid Physical Property "
                                  "Prediction, Journal of Petroleum Technology (June 1980)";
const char* const kGlaso = "Glaso, O.: Generalized Pressure-Volume-Temperature Correlations, Journal of "
                           "Petroleum Technology (May 1980)";
const char* const kAlMarhoun = "Al-Marhoun, M.A.: PVT Correlations for Middle East Crude Oils, Journal of "
                               "Petroleum Technology (May 1988)";
const char* const kPetroskyFarshad = "Petrosky, G.E. Jr. and Farshad, F.F.: Pressure-Volume-Temperature "
                                     "Correlations for Gulf of Mexico Crude Oils, SPE 26644 (1993)";
const char* const kValkoMcCain = "Valko, P.P. and McCain, W.D. Jr.: Reservoir Oil Bubblepoint Pressures "
                                 "Revisited; Solution Gas-Oil Ratios and Surface Gas Specific Gravities, "
                                 "Journal of Petroleum Science and Engineering (2003)";
const char* const kVelarde = "Velarde, J., Blasingame, T.A. and McCain, W.D. Jr.: Correlation of Black Oil "
                             "Properties at Pressures Below Bubblepoint Pressure - A New Approach, Journal "
                             "of Canadian Petroleum Technology (1999; CIM 97-93, 1997)";
const char* const kEgbogah = "Egbogah, E.O.: An Improved Temperature-Viscosity Correlation for Crude Oil "
                             "Systems, Petroleum Society of CIM (1983)";
const char* const kBeggsRobinson = "Beggs, H.D. and Robinson, J.R.: Estimating the Viscosity of Crude Oil "
                                   "Systems, Journal of Petroleum Technology (September 1975)";
const char* const kBeal = "Beal, C.: The Viscosity of Air, Water, Natural Gas, Crude Oil and Its Associated "
                          "Gases at Oil Field Temperatures and Pressures, Trans. AIME (1946); equations "
                          "fitted to the charts by Standing (1981)";
const char* const kChewConnally =
    "Chew, J. and Connally, C.A. Jr.: A Viscosity Correlation for Gas-Saturated "
    "Crude Oils, Trans. AIME (1959); equations fitted to the chart by Standing "
    "(1981)";
const char* const kDPR = "Dranchuk, P.M., Purvis, R.A. and Robinson, D.B.: Computer Calculation of Natural "
                         "Gas Compressibility Factors Using the Standing and Katz Correlation, Institute of "
                         "Petroleum IP 74-008 (1974)";
const char* const kDAK = "Dranchuk, P.M. and Abou-Kassem, J.H.: Calculation of Z Factors for Natural Gases "
                         "Using Equations of State, Journal of Canadian Petroleum Technology (July 1975)";
const char* const kHallYarborough = "Hall, K.R. and Yarborough, L.: A New Equation of State for Z-factor "
                                    "Calculations, Oil and Gas Journal (June 1973)";
const char* const kStanding1977 = "Standing, M.B.: Volumetric and Phase Behavior of Oil Field Hydrocarbon "
                                  "Systems, SPE (1977)";
const char* const kSutton =
    "Sutton, R.P.: Compressibility Factors for High-Molecular-Weight Reservoir Gases, "
    "SPE 14265 (1985)";
const char* const kPiper = "Piper, L.D., McCain, W.D. Jr. and Corredor, J.H.: Compressibility Factors for "
                           "Naturally Occurring Petroleum Gases, SPE 26668 (1993)";

double Log10(double x) {
    if (!(x > 0.0)) throw ArithmeticError("Invalid procedure call or argument");
    return std::log10(x);
}

double Power(double x, double y) {
    const double r = std::pow(x, y);
    if (!std::isfinite(r))
        throw ArithmeticError(std::isnan(r) ? "Invalid procedure call or argument" : "Overflow");
    return r;
}

// A number as a warning writes it: fixed with `decimals` places.
std::string Fixed(double v, int decimals) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

// A published bound as its table gives it: the shortest text that reads back.
std::string Bound(double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6g", v);
    return buf;
}

[[noreturn]] void Refuse(CorrKey key, int option, const std::string& what) {
    throw CorrelationError(CorrLabel(key, option) + ": " + what);
}

// Vazquez and Beggs (1980) coefficients: API at most 30, above 30.
struct VBCoefficients {
    double c1, c2, c3;
};
VBCoefficients VBGor(double api) {
    return api <= 30.0 ? VBCoefficients{0.0362, 1.0937, 25.7240} : VBCoefficients{0.0178, 1.1870, 23.931};
}

// Valko and McCain (2003): ln pb = 7.475 + 0.713 z + 0.0075 z², z the sum of four cubics in ln Rsb,
// API, separator gas gravity and °F (their table 2).
double ValkoMcCainPb(const OilInputs& in, double rs) {
    const auto cubic = [](double x, double c0, double c1, double c2, double c3) {
        return c0 + c1 * x + c2 * x * x + c3 * x * x * x;
    };
    if (!(rs > 0.0)) return 0.0;
    const double z = cubic(std::log(rs), -5.48, -0.0378, 0.281, -0.0206) +
                     cubic(in.api, 1.27, -0.0449, 4.36e-4, -4.76e-6) +
                     cubic(in.gasSG, 4.51, -10.84, 8.39, -2.34) +
                     cubic(in.tF, -0.7835, 6.23e-3, -1.22e-5, 1.03e-8);
    return std::exp(7.475 + 0.713 * z + 0.0075 * z * z);
}

// Velarde, Blasingame and McCain (1997): pb = 1091.47 (Rs^0.081465 γg^-0.161488 10^x - 0.740152)^5.354891,
// x = 0.013098 T^0.282372 - 8.2e-6 API^2.176124; °F. The paper's pressure is gauge: 14.696 psi is added.
double VelardePb(const OilInputs& in, double rs) {
    if (!(rs > 0.0)) return 0.0;
    const double x = 0.013098 * std::pow(in.tF, 0.282372) - 8.2e-6 * std::pow(in.api, 2.176124);
    const double base = std::pow(rs, 0.081465) * std::pow(in.gasSG, -0.161488) * std::pow(10.0, x) - 0.740152;
    return (base > 0.0 ? 1091.47 * std::pow(base, 5.354891) : 0.0) + 14.696;
}

// The GOR whose bubble point is p for a correlation given only as pb(Rs): bisection on the branch
// where pb rises with Rs, from its lowest bubble point (a GOR of about 1 scf/stb) up; below that
// bubble point the GOR falls linearly to 0 at 0 psia.
double InvertPb(double (*pb)(const OilInputs&, double), const OilInputs& in, double p) {
    double lo = 1.07; // above this GOR the Valko-McCain ln Rsb cubic rises; harmless for Velarde
    const double pLo = pb(in, lo);
    if (p <= pLo) {
        if (pLo > 0.0) return lo * p / pLo;
        // Velarde: pb is 0 up to a GOR just above 0; search from there.
        lo = 0.0;
    }
    double hi = 2.0 * lo + 10.0;
    while (pb(in, hi) < p) {
        hi *= 2.0;
        if (hi > 1e9) return -1.0; // no GOR gives this bubble point
    }
    for (int i = 0; i < 200 && hi - lo > 1e-12 * hi; ++i) {
        const double mid = 0.5 * (lo + hi);
        (pb(in, mid) < p ? lo : hi) = mid;
    }
    return 0.5 * (lo + hi);
}

const std::vector<CorrChoice>& Choices() {
    static const std::vector<CorrChoice> choices = {
        {"CorrPb",
         "bubble point",
         {{"Standing", "Standing", "1947", kStanding1947},
          {"VazquezBeggs", "Vazquez-Beggs", "1980", kVazquezBeggs},
          {"Glaso", "Glaso", "1980", kGlaso},
          {"AlMarhoun", "Al-Marhoun", "1988", kAlMarhoun},
          {"PetroskyFarshad", "Petrosky-Farshad", "1993", kPetroskyFarshad},
          {"ValkoMcCain", "Valko-McCain", "2003", kValkoMcCain},
          {"Velarde", "Velarde-Blasingame-McCain", "1997", kVelarde}}},
        {"CorrBo",
         "oil volume factor",
         {{"Standing", "Standing", "1947", kStanding1947},
          {"VazquezBeggs", "Vazquez-Beggs", "1980", kVazquezBeggs},
          {"Glaso", "Glaso", "1980", kGlaso},
          {"AlMarhoun", "Al-Marhoun", "1988", kAlMarhoun},
          {"PetroskyFarshad", "Petrosky-Farshad", "1993", kPetroskyFarshad}}},
        {"CorrMuod",
         "dead oil viscosity",
         {{"EgbogahJack", "Egbogah-Jack", "1983", kEgbogah},
          {"BeggsRobinson", "Beggs-Robinson", "1975", kBeggsRobinson},
          {"Glaso", "Glaso", "1980", kGlaso},
          {"Beal", "Beal", "1946", kBeal}}},
        {"CorrMuo",
         "saturated oil viscosity",
         {{"BeggsRobinson", "Beggs-Robinson", "1975", kBeggsRobinson},
          {"ChewConnally", "Chew-Connally", "1959", kChewConnally}}},
        {"CorrMuoUS",
         "undersaturated oil viscosity",
         {{"VazquezBeggs", "Vazquez-Beggs", "1980", kVazquezBeggs}, {"Beal", "Beal", "1946", kBeal}}},
        {"CorrZ",
         "Z-factor",
         {{"DPR", "Dranchuk-Purvis-Robinson", "1974", kDPR},
          {"DAK", "Dranchuk-Abou-Kassem", "1975", kDAK},
          {"HallYarborough", "Hall-Yarborough", "1973", kHallYarborough}}},
        {"CorrPseudo",
         "pseudo-criticals",
         {{"Standing", "Standing", "1977", kStanding1977},
          {"Sutton", "Sutton", "1985", kSutton},
          {"PiperMcCainCorredor", "Piper-McCain-Corredor", "1993", kPiper}}},
    };
    return choices;
}

} // namespace

const std::vector<CorrChoice>& CorrChoices() {
    return Choices();
}

const CorrChoice& ChoiceOf(CorrKey key) {
    return Choices()[static_cast<std::size_t>(key)];
}

std::optional<int> FindCorrelation(CorrKey key, std::string_view name) {
    const CorrChoice& choice = ChoiceOf(key);
    for (std::size_t i = 0; i < choice.options.size(); ++i)
        if (AsciiEqualFold(choice.options[i].name, name)) return static_cast<int>(i);
    return std::nullopt;
}

std::string CorrLabel(CorrKey key, int option) {
    const CorrChoice& choice = ChoiceOf(key);
    return std::string(choice.options[static_cast<std::size_t>(option)].shown) + " " + choice.property;
}

double BubblePoint(CorrPb c, const OilInputs& in, double rs) {
    const double t = in.tF;
    double pb = 0.0;
    switch (c) {
    case CorrPb::Standing:
        // Standing (1947): pb = 18.2 ((Rs/γg)^0.83 10^(0.00091 T - 0.0125 API) - 1.4).
        pb = 18.2 * (Power(rs / in.gasSG, 0.83) * std::pow(10.0, 0.00091 * t - 0.0125 * in.api) - 1.4);
        break;
    case CorrPb::VazquezBeggs: {
        // Vazquez and Beggs (1980): Rs = C1 γgs p^C2 exp(C3 API / (T + 460)), solved for p; γgs the
        // gravity at a 100 psig separator.
        const VBCoefficients k = VBGor(in.api);
        pb = Power(rs / (k.c1 * in.gasSG100 * std::exp(k.c3 * in.api / (t + 460.0))), 1.0 / k.c2);
        break;
    }
    case CorrPb::Glaso: {
        // Glaso (1980): pb* = (Rs/γg)^0.816 T^0.172 / API^0.989; log pb = 1.7669 + 1.7447 log pb*
        // - 0.30218 (log pb*)².
        const double x = Log10(Power(rs / in.gasSG, 0.816) * Power(t, 0.172) / Power(in.api, 0.989));
        pb = std::pow(10.0, 1.7669 + 1.7447 * x - 0.30218 * x * x);
        break;
    }
    case CorrPb::AlMarhoun:
        // Al-Marhoun (1988): pb = 5.38088e-3 Rs^0.715082 γg^-1.87784 γo^3.1437 T^1.32657, T in °R.
        pb = 5.38088e-3 * Power(rs, 0.715082) * Power(in.gasSG, -1.87784) * Power(in.oilSG, 3.1437) *
             Power(t + 460.0, 1.32657);
        break;
    case CorrPb::PetroskyFarshad: {
        // Petrosky and Farshad (1993): pb = 112.727 (Rs^0.577421 / (γg^0.8439 10^x) - 12.340),
        // x = 7.916e-4 API^1.5410 - 4.561e-5 T^1.3911.
        const double x = 7.916e-4 * Power(in.api, 1.5410) - 4.561e-5 * Power(t, 1.3911);
        pb = 112.727 * (Power(rs, 0.577421) / (Power(in.gasSG, 0.8439) * std::pow(10.0, x)) - 12.340);
        break;
    }
    case CorrPb::ValkoMcCain:
        pb = ValkoMcCainPb(in, rs);
        break;
    case CorrPb::Velarde:
        pb = VelardePb(in, rs);
        break;
    }
    if (!(pb > 0.0) || !std::isfinite(pb))
        Refuse(CorrKey::Pb, static_cast<int>(c),
               "no bubble point for a solution GOR of " + Fixed(rs, 1) + " scf/stb");
    return pb;
}

double SolutionGor(CorrPb c, const OilInputs& in, double p) {
    const double t = in.tF;
    double rs = -1.0;
    switch (c) {
    case CorrPb::Standing:
        rs = in.gasSG * Power((p / 18.2 + 1.4) / std::pow(10.0, 0.00091 * t - 0.0125 * in.api), 1.0 / 0.83);
        break;
    case CorrPb::VazquezBeggs: {
        const VBCoefficients k = VBGor(in.api);
        rs = k.c1 * in.gasSG100 * Power(p, k.c2) * std::exp(k.c3 * in.api / (t + 460.0));
        break;
    }
    case CorrPb::Glaso: {
        // log p = 1.7669 + 1.7447 x - 0.30218 x², x = log pb*, on the branch where p rises with x.
        const double disc = 1.7447 * 1.7447 - 4.0 * 0.30218 * (Log10(p) - 1.7669);
        if (disc >= 0.0) {
            const double x = (1.7447 - std::sqrt(disc)) / (2.0 * 0.30218);
            rs = in.gasSG * Power(std::pow(10.0, x) * Power(in.api, 0.989) / Power(t, 0.172), 1.0 / 0.816);
        }
        break;
    }
    case CorrPb::AlMarhoun:
        rs = Power(p / (5.38088e-3 * Power(in.gasSG, -1.87784) * Power(in.oilSG, 3.1437) *
                        Power(t + 460.0, 1.32657)),
                   1.0 / 0.715082);
        break;
    case CorrPb::PetroskyFarshad: {
        const double x = 7.916e-4 * Power(in.api, 1.5410) - 4.561e-5 * Power(t, 1.3911);
        const double base = (p / 112.727 + 12.340) * Power(in.gasSG, 0.8439) * std::pow(10.0, x);
        if (base > 0.0) rs = Power(base, 1.0 / 0.577421);
        break;
    }
    case CorrPb::ValkoMcCain:
        rs = InvertPb(ValkoMcCainPb, in, p);
        break;
    case CorrPb::Velarde:
        rs = InvertPb(VelardePb, in, p);
        break;
    }
    if (!(rs >= 0.0) || !std::isfinite(rs))
        Refuse(CorrKey::Pb, static_cast<int>(c), "no solution GOR at " + Fixed(p, 1) + " psia");
    return rs;
}

double SaturatedBo(CorrBo c, const OilInputs& in, double rs) {
    const double t = in.tF;
    double bo = 0.0;
    switch (c) {
    case CorrBo::Standing:
        // Standing (1947): Bo = 0.9759 + 0.00012 ((γg/γo)^0.5 Rs + 1.25 T)^1.2.
        bo = 0.9759 + 0.00012 * Power(std::sqrt(in.gasSG / in.oilSG) * rs + 1.25 * t, 1.2);
        break;
    case CorrBo::VazquezBeggs: {
        // Vazquez and Beggs (1980): Bo = 1 + C1 Rs + (T - 60)(API/γgs)(C2 + C3 Rs).
        const bool heavy = in.api <= 30.0;
        const double c1 = heavy ? 4.677e-4 : 4.670e-4;
        const double c2 = heavy ? 1.751e-5 : 1.100e-5;
        const double c3 = heavy ? -1.811e-8 : 1.337e-9;
        bo = 1.0 + c1 * rs + (t - 60.0) * (in.api / in.gasSG100) * (c2 + c3 * rs);
        break;
    }
    case CorrBo::Glaso: {
        // Glaso (1980): Bob* = Rs (γg/γo)^0.526 + 0.968 T; log(Bo - 1) = -6.58511 + 2.91329 log Bob*
        // - 0.27683 (log Bob*)².
        const double x = Log10(rs * Power(in.gasSG / in.oilSG, 0.526) + 0.968 * t);
        bo = 1.0 + std::pow(10.0, -6.58511 + 2.91329 * x - 0.27683 * x * x);
        break;
    }
    case CorrBo::AlMarhoun: {
        // Al-Marhoun (1988): F = Rs^0.74239 γg^0.323294 γo^-1.20204; Bo = 0.497069 + 0.862963e-3 T
        // + 0.182594e-2 F + 0.318099e-5 F², T in °R.
        const double f = Power(rs, 0.74239) * Power(in.gasSG, 0.323294) * Power(in.oilSG, -1.20204);
        bo = 0.497069 + 0.862963e-3 * (t + 460.0) + 0.182594e-2 * f + 0.318099e-5 * f * f;
        break;
    }
    case CorrBo::PetroskyFarshad:
        // Petrosky and Farshad (1993): Bo = 1.0113 + 7.2046e-5 (Rs^0.3738 γg^0.2914 / γo^0.6265
        // + 0.24626 T^0.5371)^3.0936.
        bo =
            1.0113 + 7.2046e-5 * Power(Power(rs, 0.3738) * Power(in.gasSG, 0.2914) / Power(in.oilSG, 0.6265) +
                                           0.24626 * Power(t, 0.5371),
                                       3.0936);
        break;
    }
    if (!std::isfinite(bo) || (rs > 0.0 && bo < 1.0))
        Refuse(CorrKey::Bo, static_cast<int>(c),
               "volume factor " + Fixed(bo, 4) + " below 1 for a solution GOR of " + Fixed(rs, 1) +
                   " scf/stb");
    return bo;
}

double DeadOilViscosity(CorrMuod c, double api, double tF) {
    switch (c) {
    case CorrMuod::EgbogahJack:
        // Egbogah and Jack (1983): log log(μod + 1) = 1.8653 - 0.025086 API - 0.5644 log T.
        return std::pow(10.0, std::pow(10.0, 1.8653 - 0.025086 * api - 0.5644 * Log10(tF))) - 1.0;
    case CorrMuod::BeggsRobinson:
        // Beggs and Robinson (1975): μod = 10^x - 1, x = T^-1.163 10^(3.0324 - 0.02023 API).
        return std::pow(10.0, Power(tF, -1.163) * std::pow(10.0, 3.0324 - 0.02023 * api)) - 1.0;
    case CorrMuod::Glaso:
        // Glaso (1980): μod = 3.141e10 T^-3.444 (log API)^(10.313 log T - 36.447).
        return 3.141e10 * Power(tF, -3.444) * Power(Log10(api), 10.313 * Log10(tF) - 36.447);
    case CorrMuod::Beal:
        // Beal (1946) as fitted by Standing (1981): μod = (0.32 + 1.8e7 / API^4.53) (360 / (T + 200))^a,
        // a = 10^(0.43 + 8.33 / API).
        return (0.32 + 1.8e7 / Power(api, 4.53)) *
               Power(360.0 / (tF + 200.0), std::pow(10.0, 0.43 + 8.33 / api));
    }
    return 0.0;
}

double SaturatedOilViscosity(CorrMuo c, double muod, double rs) {
    switch (c) {
    case CorrMuo::BeggsRobinson:
        // Beggs and Robinson (1975): μo = A μod^B, A = 10.715 (Rs + 100)^-0.515, B = 5.44 (Rs + 150)^-0.338.
        return 10.715 * Power(rs + 100.0, -0.515) * Power(muod, 5.44 * Power(rs + 150.0, -0.338));
    case CorrMuo::ChewConnally: {
        // Chew and Connally (1959) as fitted by Standing (1981): μo = 10^a μod^b,
        // a = Rs (2.2e-7 Rs - 7.4e-4), b = 0.68/10^(8.62e-5 Rs) + 0.25/10^(1.1e-3 Rs) + 0.062/10^(3.74e-3
        // Rs).
        const double a = rs * (2.2e-7 * rs - 7.4e-4);
        const double b = 0.68 / std::pow(10.0, 8.62e-5 * rs) + 0.25 / std::pow(10.0, 1.1e-3 * rs) +
                         0.062 / std::pow(10.0, 3.74e-3 * rs);
        return std::pow(10.0, a) * Power(muod, b);
    }
    }
    return 0.0;
}

double UndersaturatedOilViscosity(CorrMuoUS c, double muob, double p, double pb) {
    switch (c) {
    case CorrMuoUS::VazquezBeggs: {
        // Vazquez and Beggs (1980): μo = μob (p/pb)^m, m = 2.6 p^1.187 exp(-11.513 - 8.98e-5 p).
        const double m = 2.6 * Power(p, 1.187) * std::exp(-11.513 - 8.98e-5 * p);
        return muob * Power(p / pb, m);
    }
    case CorrMuoUS::Beal:
        // Beal (1946) as fitted by Standing (1981): μo = μob + 0.001 (p - pb)(0.024 μob^1.6 + 0.038
        // μob^0.56).
        return muob + 0.001 * (p - pb) * (0.024 * Power(muob, 1.6) + 0.038 * Power(muob, 0.56));
    }
    return 0.0;
}

std::optional<double> ZFactorOf(CorrZ c, double tpr, double ppr) {
    if (!(tpr > 0.0) || !(ppr >= 0.0)) return std::nullopt;
    if (ppr == 0.0) return 1.0;
    if (c == CorrZ::HallYarborough) {
        // Hall and Yarborough (1973): Newton iteration on the reduced density y of
        // -A Ppr + (y + y² + y³ - y⁴)/(1 - y)³ - B y² + C y^D = 0, t = 1/Tpr,
        // A = 0.06125 t exp(-1.2 (1 - t)²), B = 14.76 t - 9.76 t² + 4.58 t³,
        // C = 90.7 t - 242.2 t² + 42.4 t³, D = 2.18 + 2.82 t; Z = A Ppr / y.
        const double t = 1.0 / tpr;
        const double a = 0.06125 * t * std::exp(-1.2 * (1.0 - t) * (1.0 - t));
        const double b = 14.76 * t - 9.76 * t * t + 4.58 * t * t * t;
        const double cc = 90.7 * t - 242.2 * t * t + 42.4 * t * t * t;
        const double d = 2.18 + 2.82 * t;
        double y = 0.0125 * ppr * t * std::exp(-1.2 * (1.0 - t) * (1.0 - t));
        for (int i = 0; i < 200; ++i) {
            const double q = 1.0 - y;
            const double f = -a * ppr + (y + y * y + y * y * y - y * y * y * y) / (q * q * q) - b * y * y +
                             cc * std::pow(y, d);
            const double df =
                (1.0 + 4.0 * y + 4.0 * y * y - 4.0 * y * y * y + y * y * y * y) / (q * q * q * q) -
                2.0 * b * y + cc * d * std::pow(y, d - 1.0);
            double next = y - f / df;
            if (!std::isfinite(next)) return std::nullopt;
            if (next <= 0.0) next = y / 2.0;
            if (next >= 1.0) next = (y + 1.0) / 2.0;
            const bool done = std::fabs(next - y) < 1e-13;
            y = next;
            if (done) {
                const double z = a * ppr / y;
                return z > 0.0 && std::isfinite(z) ? std::optional<double>(z) : std::nullopt;
            }
        }
        return std::nullopt;
    }
    // Dranchuk and Abou-Kassem (1975): Z = 1 + (A1 + A2/T + A3/T³ + A4/T⁴ + A5/T⁵) ρ
    // + (A6 + A7/T + A8/T²) ρ² - A9 (A7/T + A8/T²) ρ⁵ + A10 (1 + A11 ρ²)(ρ²/T³) exp(-A11 ρ²),
    // ρ = 0.27 Ppr / (Z Tpr); Newton iteration on ρ from its ideal-gas value.
    const double T = tpr;
    const double c1 = 0.3265 - 1.0700 / T - 0.5339 / (T * T * T) + 0.01569 / (T * T * T * T) -
                      0.05165 / (T * T * T * T * T);
    const double c2 = 0.5475 - 0.7361 / T + 0.1844 / (T * T);
    const double c3 = 0.1056 * (-0.7361 / T + 0.1844 / (T * T));
    const double c4 = 0.6134 / (T * T * T);
    const double a11 = 0.7210;
    const double k = 0.27 * ppr / T;
    // g(ρ) = ρ Z(ρ) - k.
    const auto g = [&](double r, double& dg) {
        const double r2 = r * r;
        const double e = std::exp(-a11 * r2);
        const double z = 1.0 + c1 * r + c2 * r2 - c3 * r2 * r2 * r + c4 * (1.0 + a11 * r2) * r2 * e;
        const double dz = c1 + 2.0 * c2 * r - 5.0 * c3 * r2 * r2 +
                          c4 * e * (2.0 * r + 4.0 * a11 * r2 * r - 2.0 * a11 * r * (1.0 + a11 * r2) * r2);
        dg = z + r * dz;
        return r * z - k;
    };
    double r = k;
    for (int i = 0; i < 200; ++i) {
        double dg = 0.0;
        const double f = g(r, dg);
        double next = r - f / dg;
        if (!std::isfinite(next)) return std::nullopt;
        if (next <= 0.0) next = r / 2.0;
        const bool done = std::fabs(next - r) < 1e-13 * std::max(1.0, r);
        r = next;
        if (done) {
            const double z = k / r;
            return z > 0.0 && std::isfinite(z) ? std::optional<double>(z) : std::nullopt;
        }
    }
    return std::nullopt;
}

Pseudo SuttonPseudo(double gravity) {
    // Sutton (1985): Tpc = 169.2 + 349.5 γ - 74.0 γ², Ppc = 756.8 - 131.0 γ - 3.6 γ².
    return {169.2 + 349.5 * gravity - 74.0 * gravity * gravity,
            756.8 - 131.0 * gravity - 3.6 * gravity * gravity};
}

Pseudo PiperMcCainCorredorPseudo(double gravity, double yH2S, double yCO2, double yN2) {
    // Piper, McCain and Corredor (1993), as in McCain, Spivey and Lenn, Petroleum Reservoir Fluid
    // Property Correlations (2011) eqs. 2.4-2.6: J = α0 + Σ αi yi (Tc/pc)i + α4 γ + α5 γ²,
    // K = β0 + Σ βi yi (Tc/√pc)i + β4 γ + β5 γ², Tpc = K²/J, Ppc = Tpc/J; inerts hydrogen sulfide
    // (672.35 °R, 1306 psia), carbon dioxide (547.58 °R, 1071 psia), nitrogen (227.16 °R, 493.1 psia).
    const double y[3] = {yH2S, yCO2, yN2};
    const double tc[3] = {672.35, 547.58, 227.16};
    const double pc[3] = {1306.0, 1071.0, 493.1};
    const double alpha[3] = {-0.45820, -0.90348, -0.66026};
    const double beta[3] = {-0.06534, -0.42113, -0.91249};
    double j = 0.11582 + 0.70729 * gravity - 0.099397 * gravity * gravity;
    double k = 3.8216 + 17.438 * gravity - 3.2191 * gravity * gravity;
    for (int i = 0; i < 3; ++i) {
        j += alpha[i] * y[i] * tc[i] / pc[i];
        k += beta[i] * y[i] * tc[i] / std::sqrt(pc[i]);
    }
    const double tpc = k * k / j;
    return {tpc, tpc / j};
}

// The published data of each correlation, as the papers give them (for Beal and Chew-Connally as
// Standing (1981) and Ahmed, Reservoir Engineering Handbook (2006) tabulate them; Valko-McCain as
// McCain, Spivey and Lenn (2011) give it; the pseudo-critical gravity of Standing is the gravity
// axis of his chart).
const std::vector<CorrRange>& CorrRanges() {
    using I = RangeInput;
    static const std::vector<CorrRange> ranges = {
        // Bubble point and solution GOR.
        {CorrKey::Pb, 0, I::API, 16.5, 63.8},
        {CorrKey::Pb, 0, I::Temperature, 100, 258},
        {CorrKey::Pb, 0, I::GOR, 20, 1425},
        {CorrKey::Pb, 0, I::GasGravity, 0.59, 0.95},
        {CorrKey::Pb, 0, I::BubblePoint, 130, 7000},
        {CorrKey::Pb, 1, I::API, 16, 58},
        {CorrKey::Pb, 1, I::Temperature, 70, 295},
        {CorrKey::Pb, 1, I::GOR, 20, 2070},
        {CorrKey::Pb, 1, I::GasGravity, 0.56, 1.18},
        {CorrKey::Pb, 1, I::BubblePoint, 50, 5250},
        {CorrKey::Pb, 2, I::API, 22.3, 48.1},
        {CorrKey::Pb, 2, I::Temperature, 80, 280},
        {CorrKey::Pb, 2, I::GOR, 90, 2637},
        {CorrKey::Pb, 2, I::GasGravity, 0.65, 1.276},
        {CorrKey::Pb, 2, I::BubblePoint, 165, 7142},
        {CorrKey::Pb, 3, I::API, 19.4, 44.6},
        {CorrKey::Pb, 3, I::Temperature, 74, 240},
        {CorrKey::Pb, 3, I::GOR, 26, 1602},
        {CorrKey::Pb, 3, I::GasGravity, 0.752, 1.367},
        {CorrKey::Pb, 3, I::BubblePoint, 130, 3573},
        {CorrKey::Pb, 4, I::API, 16.3, 45},
        {CorrKey::Pb, 4, I::Temperature, 114, 288},
        {CorrKey::Pb, 4, I::GOR, 217, 1406},
        {CorrKey::Pb, 4, I::GasGravity, 0.5781, 0.8519},
        {CorrKey::Pb, 4, I::BubblePoint, 1574, 6523},
        {CorrKey::Pb, 5, I::API, 6, 63.7},
        {CorrKey::Pb, 5, I::Temperature, 74, 342},
        {CorrKey::Pb, 5, I::GOR, 2, 3299},
        {CorrKey::Pb, 5, I::GasGravity, 0.56, 1.5},
        {CorrKey::Pb, 5, I::BubblePoint, 32, 6700},
        {CorrKey::Pb, 6, I::API, 12, 55},
        {CorrKey::Pb, 6, I::Temperature, 74, 327},
        {CorrKey::Pb, 6, I::GOR, 10, 1870},
        {CorrKey::Pb, 6, I::GasGravity, 0.556, 1.367},
        {CorrKey::Pb, 6, I::BubblePoint, 70, 6700},
        // Saturated oil volume factor: the same data sets.
        {CorrKey::Bo, 0, I::API, 16.5, 63.8},
        {CorrKey::Bo, 0, I::Temperature, 100, 258},
        {CorrKey::Bo, 0, I::GOR, 20, 1425},
        {CorrKey::Bo, 0, I::GasGravity, 0.59, 0.95},
        {CorrKey::Bo, 1, I::API, 16, 58},
        {CorrKey::Bo, 1, I::Temperature, 70, 295},
        {CorrKey::Bo, 1, I::GOR, 20, 2070},
        {CorrKey::Bo, 1, I::GasGravity, 0.56, 1.18},
        {CorrKey::Bo, 2, I::API, 22.3, 48.1},
        {CorrKey::Bo, 2, I::Temperature, 80, 280},
        {CorrKey::Bo, 2, I::GOR, 90, 2637},
        {CorrKey::Bo, 2, I::GasGravity, 0.65, 1.276},
        {CorrKey::Bo, 3, I::API, 19.4, 44.6},
        {CorrKey::Bo, 3, I::Temperature, 74, 240},
        {CorrKey::Bo, 3, I::GOR, 26, 1602},
        {CorrKey::Bo, 3, I::GasGravity, 0.752, 1.367},
        {CorrKey::Bo, 4, I::API, 16.3, 45},
        {CorrKey::Bo, 4, I::Temperature, 114, 288},
        {CorrKey::Bo, 4, I::GOR, 217, 1406},
        {CorrKey::Bo, 4, I::GasGravity, 0.5781, 0.8519},
        // Dead oil viscosity.
        {CorrKey::Muod, 0, I::API, 5, 58},
        {CorrKey::Muod, 0, I::Temperature, 59, 176},
        {CorrKey::Muod, 1, I::API, 16, 58},
        {CorrKey::Muod, 1, I::Temperature, 70, 295},
        {CorrKey::Muod, 2, I::API, 20.1, 48.1},
        {CorrKey::Muod, 2, I::Temperature, 50, 300},
        {CorrKey::Muod, 3, I::API, 10.1, 52.5},
        {CorrKey::Muod, 3, I::Temperature, 98, 250},
        // Saturated oil viscosity.
        {CorrKey::Muo, 0, I::GOR, 20, 2070},
        {CorrKey::Muo, 0, I::Pressure, 132, 5265},
        {CorrKey::Muo, 1, I::GOR, 51, 3544},
        {CorrKey::Muo, 1, I::Pressure, 132, 5645},
        // Undersaturated oil viscosity.
        {CorrKey::MuoUS, 0, I::Pressure, 141, 9515},
        {CorrKey::MuoUS, 0, I::Viscosity, 0.117, 148},
        {CorrKey::MuoUS, 1, I::Pressure, 1515, 5515},
        {CorrKey::MuoUS, 1, I::Viscosity, 0.142, 127},
        // Z-factor.
        {CorrKey::Z, 0, I::Tpr, 1.05, 3},
        {CorrKey::Z, 0, I::Ppr, 0.2, 30},
        {CorrKey::Z, 1, I::Tpr, 1, 3},
        {CorrKey::Z, 1, I::Ppr, 0.2, 30},
        {CorrKey::Z, 2, I::Tpr, 1.2, 3},
        {CorrKey::Z, 2, I::Ppr, 0.1, 24},
        // Pseudo-criticals from the gas gravity.
        {CorrKey::Pseudo, 0, I::GasGravity, 0.5, 1.75},
        {CorrKey::Pseudo, 1, I::GasGravity, 0.57, 1.68},
        {CorrKey::Pseudo, 2, I::GasGravity, 0.55, 1.8},
    };
    return ranges;
}

const char* RangeInputName(RangeInput input) {
    switch (input) {
    case RangeInput::API:
        return "API";
    case RangeInput::Temperature:
        return "temperature";
    case RangeInput::GOR:
        return "solution GOR";
    case RangeInput::GasGravity:
        return "gas gravity";
    case RangeInput::BubblePoint:
        return "bubble point";
    case RangeInput::Pressure:
        return "pressure";
    case RangeInput::Tpr:
        return "Tpr";
    case RangeInput::Ppr:
        return "Ppr";
    case RangeInput::Viscosity:
        return "bubble-point viscosity";
    }
    return "";
}

const char* RangeInputUnit(RangeInput input) {
    switch (input) {
    case RangeInput::Temperature:
        return "°F";
    case RangeInput::GOR:
        return "scf/stb";
    case RangeInput::BubblePoint:
    case RangeInput::Pressure:
        return "psia";
    case RangeInput::Viscosity:
        return "cp";
    default:
        return "";
    }
}

int RangeInputDecimals(RangeInput input) {
    switch (input) {
    case RangeInput::GasGravity:
    case RangeInput::Tpr:
    case RangeInput::Ppr:
    case RangeInput::Viscosity:
        return 3;
    default:
        return 1;
    }
}

std::string RangeText(const CorrRange& range, double value) {
    const bool below = value < range.lo;
    if (!below && !(value > range.hi)) return {};
    std::string text = CorrLabel(range.key, range.option) + ": " + RangeInputName(range.input) + " " +
                       Fixed(value, RangeInputDecimals(range.input));
    const std::string unit = RangeInputUnit(range.input);
    if (!unit.empty()) text += " " + unit;
    text += below ? " is below" : " is above";
    text += " the range of its data (" + Bound(range.lo) + "\u2013" + Bound(range.hi) + ")";
    return text;
}

} // namespace q7

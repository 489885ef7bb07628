#include "engine/Correlations.h"

#include "engine/PvtCorrelations.h"
#include "engine/Q7Objects.h"

namespace q7 {
namespace {

// The papers of the default bubble point and volume factor, and of Vazquez and Beggs, as the
// choices cite them.
const char* Standing1947() {
    return ChoiceOf(CorrKey::Pb).options[0].source;
}
const char* VazquezBeggs1980() {
    return ChoiceOf(CorrKey::MuoUS).options[0].source;
}
const char* const kMcCain = "McCain, W.D. Jr.: The Properties of Petroleum Fluids, 2nd ed., PennWell (1990)";

// A property's line with a chosen correlation in place of the default.
CorrelationUse Chosen(const char* property, CorrKey key, int option) {
    const CorrChoice::Option& o = ChoiceOf(key).options[static_cast<std::size_t>(option)];
    return {property, std::string(o.shown) + " (" + o.year + ")", o.source};
}

// Names the chosen correlation (the default's words are the same in both lists) in the line of `property`.
void Choose(std::vector<CorrelationUse>& uses, const char* property, CorrKey key, int option) {
    for (CorrelationUse& use : uses)
        if (use.property == property) use = Chosen(property, key, option);
}

const char* const kPbProperty = "Bubble point, psia, and solution GOR, scf/stb";
const char* const kBoProperty = "Oil formation volume factor (saturated), rb/stb";
const char* const kMuodProperty = "Dead oil viscosity, cp";
const char* const kMuoProperty = "Saturated oil viscosity, cp";
const char* const kMuoUSProperty = "Undersaturated oil viscosity, cp";
const char* const kPseudoProperty = "Pseudo-critical pressure, psia, and temperature, degR";
const char* const kZProperty = "Gas deviation factor Z";

} // namespace

std::vector<CorrelationUse> OilCorrelations(const Q7Objects& objects) {
    std::vector<CorrelationUse> uses = DefaultOilCorrelations();
    const clsOil& oil = objects.Oil;
    Choose(uses, kPbProperty, CorrKey::Pb, oil.Correlation(CorrKey::Pb));
    Choose(uses, kBoProperty, CorrKey::Bo, oil.Correlation(CorrKey::Bo));
    Choose(uses, kMuodProperty, CorrKey::Muod, oil.Correlation(CorrKey::Muod));
    Choose(uses, kMuoProperty, CorrKey::Muo, oil.Correlation(CorrKey::Muo));
    Choose(uses, kMuoUSProperty, CorrKey::MuoUS, oil.Correlation(CorrKey::MuoUS));
    return uses;
}

std::vector<CorrelationUse> DefaultOilCorrelations() {
    return {
        {kPbProperty, "Standing (1947)", Standing1947()},
        {"Stock-tank vent GOR, scf/stb", "Rollins-McCain-Creeger (1990)",
         "Rollins, J.B., McCain, W.D. Jr. and Creeger, J.T.: Estimation of Solution GOR of Black Oils, SPE "
         "Reservoir Engineering (February 1990)"},
        {"Separator gas gravity at 114.7 psia", "Vazquez-Beggs (1980)", VazquezBeggs1980()},
        {kBoProperty, "Standing (1947)", Standing1947()},
        {"Oil compressibility, 1/psi", "Vazquez-Beggs (1980)", VazquezBeggs1980()},
        {kMuodProperty, "Egbogah-Jack (1983)",
         "Egbogah, E.O.: An Improved Temperature-Viscosity Correlation for Crude Oil Systems, Petroleum "
         "Society of CIM (1983)"},
        {kMuoProperty, "Beggs-Robinson (1975)",
         "Beggs, H.D. and Robinson, J.R.: Estimating the Viscosity of Crude Oil Systems, Journal of "
         "Petroleum Technology (September 1975)"},
        {kMuoUSProperty, "Vazquez-Beggs (1980)", VazquezBeggs1980()},
    };
}

std::vector<CorrelationUse> GasCorrelations(const Q7Objects& objects) {
    const clsGas& gas = objects.Gas;
    std::vector<CorrelationUse> out;
    if (gas.GasEntry() == "C") {
        out.push_back({"Pseudo-critical pressure, psia, and temperature, degR", "Kay's mixing rule (1936)",
                       "Kay, W.B.: Density of Hydrocarbon Gases and Vapors, Industrial and Engineering "
                       "Chemistry (1936)"});
        if (gas.PlusEntry() > 0)
            out.push_back({"Plus-fraction critical pressure, psia, and temperature, degR",
                           "Kesler-Lee (1976)",
                           "Kesler, M.G. and Lee, B.I.: Improve Prediction of Enthalpy of Fractions, "
                           "Hydrocarbon Processing (March 1976)"});
    } else if (gas.Correlation(CorrKey::Pseudo) != 0) {
        const int pseudo = gas.Correlation(CorrKey::Pseudo);
        out.push_back(Chosen(kPseudoProperty, CorrKey::Pseudo, pseudo));
        // Piper, McCain and Corredor's correlation holds the inerts itself.
        if (gas.mfH2S() != 0.0f && pseudo == static_cast<int>(CorrPseudo::Sutton))
            out.push_back({"Sour-gas correction of the pseudo-criticals", "Wichert-Aziz (1972)",
                           "Wichert, E. and Aziz, K.: Calculate Z's for Sour Gases, Hydrocarbon Processing "
                           "(May 1972)"});
    } else {
        out.push_back({kPseudoProperty, "Standing (1977)",
                       "Standing, M.B.: Volumetric and Phase Behavior of Oil Field Hydrocarbon Systems, SPE "
                       "(1977)"});
        if (gas.mfH2S() != 0.0f)
            out.push_back({"Sour-gas correction of the pseudo-criticals", "Wichert-Aziz (1972)",
                           "Wichert, E. and Aziz, K.: Calculate Z's for Sour Gases, Hydrocarbon Processing "
                           "(May 1972)"});
    }
    if (gas.Correlation(CorrKey::Z) != 0)
        out.push_back(Chosen(kZProperty, CorrKey::Z, gas.Correlation(CorrKey::Z)));
    else
        out.push_back(
            {kZProperty, "Dranchuk-Purvis-Robinson (1974)",
             "Dranchuk, P.M., Purvis, R.A. and Robinson, D.B.: Computer Calculation of Natural Gas "
             "Compressibility Factors Using the Standing and Katz Correlation, Institute of Petroleum "
             "IP 74-008 (1974)"});
    out.push_back({"Gas viscosity, cp", "Lee-Gonzalez-Eakin (1966)",
                   "Lee, A.L., Gonzalez, M.H. and Eakin, B.E.: The Viscosity of Natural Gases, Journal of "
                   "Petroleum Technology (August 1966)"});
    return out;
}

std::vector<std::string> ChosenCorrelationLines(const Q7Objects& objects) {
    std::vector<std::string> lines;
    for (int k = 0; k < kCorrKeys; ++k) {
        const auto key = static_cast<CorrKey>(k);
        const bool gas = key == CorrKey::Z || key == CorrKey::Pseudo;
        const int option = gas ? objects.Gas.Correlation(key) : objects.Oil.Correlation(key);
        if (option == 0) continue;
        const CorrChoice::Option& o = ChoiceOf(key).options[static_cast<std::size_t>(option)];
        lines.push_back(std::string("Correlation chosen: ") + o.shown + " (" + o.year + ") " +
                        ChoiceOf(key).property + " (" + ChoiceOf(key).key + " " + o.name + ")");
    }
    return lines;
}

std::vector<CorrelationUse> WaterCorrelations(const Q7Objects&) {
    return {
        {"Water formation volume factor, rb/stb", "McCain (1990)", kMcCain},
        {"Gas solubility in water, scf/stb", "McCain (1990)", kMcCain},
        {"Water viscosity, cp", "McCain (1990)", kMcCain},
        {"Stock-tank brine density, lb/ft3", "McCain (1990)", kMcCain},
        {"Water compressibility, 1/psi", "Osif (1988)",
         "Osif, T.L.: The Effects of Salt, Gas, Temperature, and Pressure on the Compressibility of Water, "
         "SPE "
         "Reservoir Engineering (February 1988)"},
    };
}

namespace {

void TableCorrelations(const clsRock& rock, std::vector<CorrelationUse>& uses) {
    const char* kr = rock.Fluids() == 1   ? "Gas-oil relative permeability"
                     : rock.Fluids() == 3 ? "Gas-water relative permeability"
                                          : "Oil-water relative permeability";
    if (rock.CORR() == 1)
        uses.push_back(
            {kr, "Honarpour-Koederitz-Harvey (1982)",
             "Honarpour, M., Koederitz, L.F. and Harvey, A.H.: Empirical Equations for Estimating "
             "Two-Phase Relative Permeability in Consolidated Rock, Journal of Petroleum Technology "
             "(December 1982)"});
    else if (rock.CORR() == 2)
        uses.push_back({kr, "LET (2005)",
                        "Lomeland, F., Ebeltoft, E. and Thomas, W.H.: A New Versatile Relative Permeability "
                        "Correlation, SCA2005-32, International Symposium of the Society of Core Analysts "
                        "(August 2005)"});
    else
        uses.push_back(
            {kr, "Corey (1954)",
             "Corey, A.T.: The Interrelation Between Gas and Oil Relative Permeabilities, Producers "
             "Monthly (November 1954)"});
    if (!rock.HasPc()) return;
    const char* pc = rock.Fluids() == 1   ? "Gas-oil capillary pressure"
                     : rock.Fluids() == 3 ? "Gas-water capillary pressure"
                                          : "Oil-water capillary pressure";
    switch (rock.Fluids() == 1 ? rock.PcogModel() : rock.PcowModel()) {
    case 1:
        uses.push_back({pc, "Leverett J (1941)",
                        "Leverett, M.C.: Capillary Behavior in Porous Solids, Transactions of the AIME 142 "
                        "(1941)"});
        break;
    case 2:
        uses.push_back({pc, "Brooks-Corey (1964)",
                        "Brooks, R.H. and Corey, A.T.: Hydraulic Properties of Porous Media, Hydrology Paper "
                        "3, Colorado State University (1964)"});
        break;
    default:
        uses.push_back({pc, "Skjaeveland (2000)",
                        "Skjaeveland, S.M. et al.: Capillary Pressure Correlation for Mixed-Wet Reservoirs, "
                        "SPE Reservoir Evaluation & Engineering (February 2000)"});
        break;
    }
}

} // namespace

std::vector<CorrelationUse> RockCorrelations(const Q7Objects& objects) {
    std::vector<CorrelationUse> uses;
    for (const clsRock* t : objects.Rock.Tables())
        TableCorrelations(*t, uses);
    return uses;
}

} // namespace q7

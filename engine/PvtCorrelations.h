#pragma once
// The published correlations a case may choose for each oil and gas property, as plain functions in
// double precision, with the data range each was fitted to. The default of every choice is the
// correlation clsOil and clsGas always used; their own code computes the defaults, these functions
// the other choices.
//
//   key          choices (default first)
//   "CorrPb"     Standing VazquezBeggs Glaso AlMarhoun PetroskyFarshad ValkoMcCain Velarde
//   "CorrBo"     Standing VazquezBeggs Glaso AlMarhoun PetroskyFarshad
//   "CorrMuod"   EgbogahJack BeggsRobinson Glaso Beal
//   "CorrMuo"    BeggsRobinson ChewConnally
//   "CorrMuoUS"  VazquezBeggs Beal
//   "CorrZ"      DPR DAK HallYarborough
//   "CorrPseudo" Standing Sutton PiperMcCainCorredor
#include "numeric/Errors.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace q7 {

enum class CorrPb { Standing, VazquezBeggs, Glaso, AlMarhoun, PetroskyFarshad, ValkoMcCain, Velarde };
enum class CorrBo { Standing, VazquezBeggs, Glaso, AlMarhoun, PetroskyFarshad };
enum class CorrMuod { EgbogahJack, BeggsRobinson, Glaso, Beal };
enum class CorrMuo { BeggsRobinson, ChewConnally };
enum class CorrMuoUS { VazquezBeggs, Beal };
enum class CorrZ { DPR, DAK, HallYarborough };
enum class CorrPseudo { Standing, Sutton, PiperMcCainCorredor };

// The properties with a choice, in the order of the keys above.
enum class CorrKey { Pb, Bo, Muod, Muo, MuoUS, Z, Pseudo };
constexpr int kCorrKeys = 7;

// One property's choice: its case key, the names of its correlations by index (index 0 the
// default), what each computes ("bubble point"), the correlation's name as people write it
// ("Vazquez-Beggs"), its year and paper.
struct CorrChoice {
    const char* key;
    const char* property;
    struct Option {
        const char* name;
        const char* shown;
        const char* year;
        const char* source;
    };
    std::vector<Option> options;
};
const std::vector<CorrChoice>& CorrChoices();
const CorrChoice& ChoiceOf(CorrKey key);
// The index of a correlation's name, matched without regard to case; nothing when there is none.
std::optional<int> FindCorrelation(CorrKey key, std::string_view name);

// A correlation that gave an impossible value (a negative GOR, a volume factor below 1, no Z root).
class CorrelationError : public Error {
public:
    using Error::Error;
    const char* kind() const noexcept override { return "CorrelationError"; }
};

// What the oil correlations read: stock-tank gravity (°API and water = 1), separator gas gravity
// (air = 1) and that gravity corrected to a 100 psig separator (Vazquez-Beggs), reservoir °F.
struct OilInputs {
    double api = 0, oilSG = 0, gasSG = 0, gasSG100 = 0, tF = 0;
};

// Bubble point (psia) of oil with the solution GOR rs (scf/stb).
double BubblePoint(CorrPb c, const OilInputs& in, double rs);
// Solution GOR (scf/stb) of oil saturated at p (psia): the GOR whose bubble point is p. Below the
// lowest bubble point a correlation gives, the GOR falls linearly to 0 at 0 psia.
double SolutionGor(CorrPb c, const OilInputs& in, double p);
// Saturated oil formation volume factor, rb/stb.
double SaturatedBo(CorrBo c, const OilInputs& in, double rs);
// Dead-oil viscosity, cp.
double DeadOilViscosity(CorrMuod c, double api, double tF);
// Saturated (live) oil viscosity, cp, from the dead-oil viscosity.
double SaturatedOilViscosity(CorrMuo c, double muod, double rs);
// Undersaturated oil viscosity at p above the bubble point pb, from the viscosity muob at pb.
double UndersaturatedOilViscosity(CorrMuoUS c, double muob, double p, double pb);

// Z-factor by Dranchuk-Abou-Kassem or Hall-Yarborough; nothing when the iteration finds no root.
std::optional<double> ZFactorOf(CorrZ c, double tpr, double ppr);

// Pseudo-critical temperature (°R) and pressure (psia).
struct Pseudo {
    double tpc = 0, ppc = 0;
};
// Sutton (1985) from the hydrocarbon gas gravity.
Pseudo SuttonPseudo(double gravity);
// Piper, McCain and Corredor from the gas gravity and the mole fractions of hydrogen sulfide,
// carbon dioxide and nitrogen (the inerts enter the correlation itself).
Pseudo PiperMcCainCorredorPseudo(double gravity, double yH2S, double yCO2, double yN2);

// The published data range of one input of one correlation.
enum class RangeInput { API, Temperature, GOR, GasGravity, BubblePoint, Pressure, Tpr, Ppr, Viscosity };
struct CorrRange {
    CorrKey key;
    int option;
    RangeInput input;
    double lo, hi;
};
// Every range, correlation by correlation in the order of CorrChoices.
const std::vector<CorrRange>& CorrRanges();
// How an input is named and written in a warning: "API" with 1 decimal, "temperature" in °F, ...
const char* RangeInputName(RangeInput input);
const char* RangeInputUnit(RangeInput input); // "" for a number without a unit
int RangeInputDecimals(RangeInput input);
// The correlation and property as a warning names them: "Standing bubble point".
std::string CorrLabel(CorrKey key, int option);
// "Standing bubble point: API 12.0 is below the range of its data (16.5–63.8)"; empty when value
// lies within the range.
std::string RangeText(const CorrRange& range, double value);

} // namespace q7

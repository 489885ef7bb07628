#pragma once
// The one list naming which correlation computes what, as a case's objects hold their choices: read
// by the report, the result grids' tool tips and the user guide.
#include <string>
#include <vector>

namespace q7 {

struct Q7Objects;

struct CorrelationUse {
    std::string property;    // what it computes, with its unit ("Solution GOR, scf/stb")
    std::string correlation; // the correlation's name and year ("Standing (1947)")
    std::string source;      // where it was published
};

// The oil table: Standing bubble point, GOR and Bo, Rollins–McCain–Creeger vent GOR, Vazquez–Beggs
// separator gravity, compressibility and undersaturated viscosity, Egbogah–Jack dead-oil and
// Beggs–Robinson saturated viscosity.
// A property with a correlation chosen in place of the default names the chosen one.
std::vector<CorrelationUse> OilCorrelations(const Q7Objects& objects);
std::vector<CorrelationUse> DefaultOilCorrelations();
// The gas table: pseudo-criticals from a gravity (Standing, Wichert–Aziz with hydrogen sulfide) or
// from a composition (Kay's rule, Kesler–Lee for a plus fraction), Dranchuk–Purvis–Robinson Z,
// Lee–Gonzalez–Eakin viscosity.
std::vector<CorrelationUse> GasCorrelations(const Q7Objects& objects);
// One line per correlation chosen in place of its default, for the files' comment lines:
// "Correlation chosen: Glaso (1980) bubble point (CorrPb Glaso)". Empty with every default.
std::vector<std::string> ChosenCorrelationLines(const Q7Objects& objects);

// The water table: McCain and Osif.
std::vector<CorrelationUse> WaterCorrelations(const Q7Objects& objects);
// The relative permeabilities: Corey or Honarpour by the rock's choice.
std::vector<CorrelationUse> RockCorrelations(const Q7Objects& objects);

} // namespace q7

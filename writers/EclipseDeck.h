#pragma once
// The Eclipse include files of several cases in one deck: region k (PVTNUM k, SATNUM k) is case k.
// Each keyword is written once, in its own file as the export names it (base + ".pvdo", ...), and
// holds one table per case in the order given, with a comment above each table naming its case and
// region. A keyword goes in only when every case offers it.
#include "writers/EclipseUnits.h"
#include "writers/OutputChoices.h"

#include <filesystem>
#include <string>
#include <vector>

namespace q7 {

struct Q7Objects;

struct DeckCase {
    std::string name;
    const Q7Objects* objects = nullptr; // the computed case
};

// The table dimensions the deck needs in RUNSPEC (TABDIMS items 1 to 4 and 6).
struct DeckTableDims {
    int NTSFUN = 1;             // saturation regions
    int NTPVT = 1;              // PVT regions
    int NSSFUN = 1;             // most rows of a saturation table
    int NPPVT = 1;              // most pressure rows of a PVT table (or of one live-oil record)
    int NRPVT = 1;              // most Rs records of a live-oil table
    std::string Record() const; // " 4 4 15 30 1* 30 /"
};

struct DeckKeywordLeftOut {
    std::string keyword;
    std::vector<std::string> lacking; // the cases that do not offer it, in region order
};

struct DeckResult {
    std::vector<std::string> keywords; // written, in the writer's order
    std::vector<std::filesystem::path> files;
    std::vector<DeckKeywordLeftOut> leftOut;
    DeckTableDims dims;
};

// The keyword OPM reads for a constant solution GOR per PVT region of dead oil (one record per
// region); a single region keeps the one-record RSCONST of the single-case file.
inline constexpr const char* kRegionConstantRs = "RSCONSTT";

// Which keywords every case offers, and the dimensions of the deck they make (nothing written).
// The rock tables go in as `family` chooses (SGWFN for gas–water cases when `sgwfn`).
DeckResult PlanEclipseDeck(const std::vector<DeckCase>& cases, EclipseUnits units, bool consistent = false,
                           SaturationFamily family = SaturationFamily::One, bool sgwfn = false);

// Writes base + ".pvdo" ... for the keywords every case offers. Throws std::invalid_argument for no
// cases and IoError when a file cannot be written (the files before it stay complete).
// `consistent`: live-oil tables with a positive total compressibility (clsECL::Consistent).
DeckResult WriteEclipseDeck(const std::vector<DeckCase>& cases, const std::filesystem::path& base,
                            EclipseUnits units, bool consistent = false,
                            SaturationFamily family = SaturationFamily::One, bool sgwfn = false);

} // namespace q7

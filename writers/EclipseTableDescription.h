#pragma once
// The Eclipse keyword tables, each described once: its columns (what each holds, how it is written
// in a FIELD and a METRIC file, the rule a simulator applies to it) and the rows it takes from a
// computed case. The include-file writers (clsECL, the deck of several regions) format a laid-out
// table; the checks before export read the same table as the simulator reads the written text.
// A new keyword is one description and the function that gives its rows.
#include "writers/EclipseUnits.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace q7 {

struct Q7Objects;

// What a simulator demands of a column; several may be combined. "Down a record": from each row
// to the next within one record.
namespace EclipseRule {
inline constexpr unsigned kRising = 1u << 0;            // strictly rising down a record
inline constexpr unsigned kFalling = 1u << 1;           // strictly falling down a record
inline constexpr unsigned kNotFalling = 1u << 2;        // level or rising down a record
inline constexpr unsigned kRisingByRecord = 1u << 3;    // each record's first value above the last record's
inline constexpr unsigned kUnitRange = 1u << 4;         // within [0, 1]
inline constexpr unsigned kFirstZero = 1u << 5;         // 0 at the first row
inline constexpr unsigned kReachesZero = 1u << 6;       // 0 at some row (the phase becomes immobile)
inline constexpr unsigned kSomewherePositive = 1u << 7; // above 0 at some row (the phase becomes mobile)
inline constexpr unsigned kPositive = 1u << 8;          // above 0 in every row
inline constexpr unsigned kNotNegative = 1u << 9;       // 0 or above in every row
inline constexpr unsigned kNotRising = 1u << 10;        // level or falling down a record
} // namespace EclipseRule

struct EclipseColumn {
    std::string_view name; // as the checks' reasons name it: "pressure", "Bo", "Sw", "krw"
    EclipseQuantity quantity;
    std::int16_t width; // characters and decimals in a FIELD file; ColumnIn gives the METRIC ones
    std::int16_t decimals;
    unsigned rules = 0;
    std::string_view phase = {};     // the phase a relative permeability moves ("oil", "water", "gas")
    std::string_view fixedText = {}; // written as this text whatever the case holds, and read as 0,
    bool (*computed)(const Q7Objects&) = nullptr; // unless this says the case computed the column

    ColumnFormat In(EclipseUnits units) const { return ColumnIn(quantity, width, decimals, units); }
};

// One line of a table: the FIELD values of its last values.size() columns (the columns before are
// left blank, their room going to the first value written). A row with no values is a line holding
// only the row end.
struct EclipseRow {
    std::int16_t source = 0; // the row of the case's table it comes from (schedule or saturation row)
    std::vector<double> values;
};
using EclipseRecordRows = std::vector<EclipseRow>;

enum class EclipseTableKind {
    Pressure,   // rows along pressure (PVDO, PVDG, the records of PVTO): TABDIMS NPPVT
    Saturation, // rows along saturation (SWOF, SGOF, SWFN ...): TABDIMS NSSFUN
    Record,     // one record of single values (PVTW, DENSITY, RSCONST)
};

struct EclipseTableDescription {
    std::string_view keyword;
    std::string_view extension = {}; // of the keyword's include file: ".pvdo"
    EclipseTableKind kind;
    std::string_view fieldHeading = {}; // the comment line over the columns
    std::string_view metricHeading = {};
    std::vector<EclipseColumn> columns;
    // The column a record's rows run along (pressure, saturation): it names the rows in the
    // reasons. Columns before it hold the record's key (PVTO's Rs), written on its first row only.
    std::size_t argument = 0;
    std::string_view rowEnd = {};    // closes a line within a record
    std::string_view recordEnd = {}; // closes a record's last line
    bool closingSlash = true;        // a "/" line after the last record
    // Rows a record needs, and the reason when it has fewer: a simulator interpolates a table between
    // its rows and aborts on a table of one (OPM Flow 2022.10: "Assertion `nSamples > 1' failed").
    std::size_t minRows = 1;
    std::string_view tooFewRows = {};
    std::size_t minRecords = 1; // records the table needs (PVTO's saturated curve), and the reason
    std::string_view tooFewRecords = {};
    // Comment lines (and the empty line after them) between the keyword's empty line and the heading.
    std::vector<std::string> (*preamble)(const Q7Objects&, EclipseUnits) = nullptr;
    std::vector<EclipseRecordRows> (*rows)(const Q7Objects&) = nullptr;

    std::string_view Heading(EclipseUnits units) const {
        return units == EclipseUnits::Metric ? metricHeading : fieldHeading;
    }
};

// The keywords of the include files, in the writer's order.
inline constexpr std::string_view kEclipseKeywords[] = {"PVDO",    "PVTO", "PVDG", "PVTW",
                                                        "DENSITY", "SWOF", "SGOF"};
// Every keyword of the include files, in the writer's order: those above, then the saturation
// keywords of family II (each phase's curves in a table of its own) and the gas–water table in one.
inline constexpr std::string_view kEclipseAllKeywords[] = {
    "PVDO", "PVTO", "PVDG", "PVTW", "DENSITY", "SWOF", "SGOF", "SWFN", "SGFN", "SOF3", "SOF2", "SGWFN"};

// The description of a keyword of kEclipseAllKeywords or "RSCONST" (the constant-Rs record of a
// dead-oil table). Throws std::invalid_argument for another word.
const EclipseTableDescription& EclipseSpec(std::string_view keyword);

// One case's table laid out for writing: the rows with the format of each column. The layout is
// the description's, except where the written precision alone would make the table one a simulator
// refuses: then the notes say what the writer did instead.
struct EclipseTable {
    const EclipseTableDescription* decl = nullptr;
    EclipseUnits units = EclipseUnits::Field;
    std::vector<ColumnFormat> formats; // each column as written in `units`
    std::vector<bool> fixed;           // each column written as its fixed text
    std::vector<std::string> preamble;
    std::vector<std::string> notes; // comment text, without the comment mark
    std::vector<EclipseRecordRows> records;
};

// `keyword`'s table of the case (which must hold it complete) in `units`. `consistent`: a live-oil
// table with an interval of negative total compressibility as written (NegativeCompressibility) is
// mended so that every interval between two saturated records has a positive one: above the bubble
// point every record stays and Bo is held where the oil would swell by more than 90 % of the volume
// of the gas it dissolves (from the bubble point, counted from its oil compressed along its
// undersaturated rows); below it the saturated records that make a negative interval are left out
// (the bubble point and the lowest record stay) or, where that cannot mend it, the oil's shrinkage
// from the bubble point is scaled by one factor; and an interval over which Bo rises by more than
// 10 % is divided by records on its chord. Notes say what was done; a table without a negative
// interval is laid out as without the choice.
EclipseTable LayEclipseTable(const Q7Objects& objects, std::string_view keyword, EclipseUnits units,
                             bool consistent = false);
// The description's layout with nothing changed.
EclipseTable LayEclipseTableAsDescribed(const Q7Objects& objects, std::string_view keyword,
                                        EclipseUnits units);

// The lines of a table after its keyword and empty line, up to and including the line that closes
// it: preamble, notes, heading, rows. Throws what a value that cannot be written throws.
std::vector<std::string> EclipseTableLines(const EclipseTable& table);
// One row's text without its row end.
std::string EclipseRowText(const EclipseTable& table, const EclipseRow& row);

// The numbers a simulator reads from one row as written (rows without values give none).
std::vector<double> EclipseRowAsWritten(const EclipseTable& table, const EclipseRow& row);
// Numbers whose text does not fit their column (the text would lose leading digits or run into
// the column before), one reason each, naming the row as the checks do.
std::vector<std::string> EclipseOverflows(const EclipseTable& table);

// The saturated intervals of a live-oil table as written (two consecutive records, pressure rising)
// over which the total compressibility of the oil with its released gas is not positive:
// Bg dRs/dp <= dBo/dp. Below the bubble point gas comes out of solution as pressure falls; the oil
// shrinks by dBo and the gas it releases takes Bg dRs, so the volume of oil and gas together grows
// as pressure falls only when Bg dRs/dp > dBo/dp (the total compressibility of a black oil: Martin,
// "Simultaneous flow of oil and gas", Trans. AIME 216, 1959; Whitson & Brule, "Phase Behavior", SPE
// Monograph 20, 2000, sec. 7.2). A simulator that moves pressure over such an interval meets a
// volume that grows as it is compressed and may fail to converge.
// The simulator interpolates Rs and Bo linearly between records and Bg from the gas table, which
// falls with pressure; the condition is therefore judged with Bg at the interval's higher pressure,
// where it fails first, and with every number as the files hold it (`pvto` and `pvdg` laid out in
// the same units; the terms are in the table's volume units per its pressure unit).
struct CompressibilityInterval {
    std::int16_t lower = 0, upper = 0; // schedule rows of the two records (upper: the higher pressure)
    double pLower = 0.0, pUpper = 0.0; // their pressures as written
    double gasTerm = 0.0;              // Bg dRs/dp
    double oilTerm = 0.0;              // dBo/dp (from the bubble point: less the undersaturated rows')
    bool bubblePoint = false;          // from a record with undersaturated rows to the next
};
std::vector<CompressibilityInterval> NegativeCompressibility(const EclipseTable& pvto,
                                                             const EclipseTable& pvdg);

// PVTW's reference row, near the middle of the schedule (n / 2 with ties to the even neighbour),
// and the water viscosibility there: the central difference dMu/dp divided by Mu (0 when the
// reference is the top row).
struct WaterReference {
    std::int16_t row = 1;
    double viscosibility = 0.0;
};
WaterReference PVTWReference(const Q7Objects& objects);

} // namespace q7

#include "writers/EclipseChecks.h"

#include "engine/Q7Objects.h"
#include "engine/ValueChecks.h"
#include "numeric/NumericText.h"
#include "writers/EclipseTableDescription.h"
#include "writers/EndPointChecks.h"
#include "writers/OutputChoices.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <stdexcept>

namespace q7 {

namespace {

namespace R = EclipseRule;

std::string Show(double v, int decimals) {
    return FixedText(static_cast<float>(v), decimals);
}

std::string DecimalsText(int decimals) {
    return std::to_string(decimals) + (decimals == 1 ? " decimal" : " decimals");
}

// The rules of a description applied to the numbers of a table as written, each column with the
// decimals it is written with.
class Rules {
public:
    Rules(const EclipseTableDescription& decl, const std::vector<ColumnFormat>& formats, EclipseUnits units,
          std::vector<std::string>& out)
        : m_spec(decl), m_formats(formats), m_units(units), m_out(out) {}

    void Check(const WrittenTable& t) {
        const std::size_t arg = m_spec.argument;
        for (std::size_t k = 0; k < t.size(); ++k) {
            m_rows = &t[k];
            m_prefix.clear();
            if (arg > 0)
                m_prefix = "record " + std::to_string(k + 1) + " (" + std::string(Col(0).name) + " " +
                           Show(Value(t[k].front(), 0), Dec(0)) + "), ";
            // The column the rows run along first, then the others rule by rule.
            Monotone(arg);
            if (Has(arg, R::kUnitRange)) UnitRange(arg);
            if (Has(arg, R::kFirstZero) && Value(Row(0), arg) != 0.0)
                m_out.push_back(Name(0) + ": the first " + std::string(Col(arg).name) + " must be 0");
            const std::size_t n = m_spec.columns.size();
            for (std::size_t c = arg + 1; c < n; ++c)
                Monotone(c);
            for (std::size_t c = arg + 1; c < n; ++c)
                if (Has(c, R::kFirstZero) && Value(Row(0), c) != 0.0)
                    m_out.push_back(Name(0) + ": " + Text(0, c) + " at the first row; it must be 0");
            for (std::size_t c = arg + 1; c < n; ++c)
                if (Has(c, R::kReachesZero)) ReachesZero(c);
            for (std::size_t c = arg + 1; c < n; ++c)
                if (Has(c, R::kUnitRange)) UnitRange(c);
            for (std::size_t c = arg + 1; c < n; ++c)
                if (Has(c, R::kSomewherePositive)) SomewherePositive(c);
            for (std::size_t c = 0; c < n; ++c)
                if (Has(c, R::kPositive) || Has(c, R::kNotNegative)) Sign(c);
            for (std::size_t c = 0; c < arg; ++c)
                if (k > 0 && Has(c, R::kRisingByRecord)) RisingByRecord(t, k, c);
        }
        if (!t.empty() && t.front().size() < m_spec.minRows) m_out.emplace_back(m_spec.tooFewRows);
        if (t.size() < m_spec.minRecords) m_out.emplace_back(m_spec.tooFewRecords);
    }

private:
    const EclipseColumn& Col(std::size_t c) const { return m_spec.columns[c]; }
    int Dec(std::size_t c) const { return m_formats[c].decimals; }
    bool Has(std::size_t c, unsigned rule) const { return (Col(c).rules & rule) != 0; }
    const WrittenRow& Row(std::size_t r) const { return (*m_rows)[r]; }
    // Rows hold their last columns: the record's key columns are on its first row only.
    double Value(const WrittenRow& row, std::size_t c) const {
        return row[row.size() - (m_spec.columns.size() - c)];
    }
    std::string Text(std::size_t r, std::size_t c) const {
        return std::string(Col(c).name) + " " + Show(Value(Row(r), c), Dec(c));
    }
    bool Pressure() const { return Col(m_spec.argument).quantity == EclipseQuantity::Pressure; }
    // "row 3 (2214.0 psia)", "record 2 (Rs 0.300), row 1 (1500.0 psia)", "row 2 (Sw 0.35)".
    std::string Name(std::size_t r) const {
        const std::size_t a = m_spec.argument;
        const std::string value = Show(Value(Row(r), a), Dec(a));
        return m_prefix + "row " + std::to_string(r + 1) + " (" +
               (Pressure() ? value + (m_units == EclipseUnits::Metric ? " barsa" : " psia")
                           : std::string(Col(a).name) + " " + value) +
               ")";
    }
    // Rows of a single-row record are not named, unless the record is one of several (PVTO's).
    std::string Lead(std::size_t r) const {
        return m_rows->size() > 1 || !m_prefix.empty() ? Name(r) + ": " : std::string();
    }

    void Monotone(std::size_t c) {
        const bool rising = Has(c, R::kRising), falling = Has(c, R::kFalling), level = Has(c, R::kNotFalling);
        const bool levelOrDown = Has(c, R::kNotRising);
        if (!rising && !falling && !level && !levelOrDown) return;
        const std::string along(Col(m_spec.argument).name);
        for (std::size_t r = 1; r < m_rows->size(); ++r) {
            const double prev = Value(Row(r - 1), c), v = Value(Row(r), c);
            if (levelOrDown) {
                if (v <= prev) continue;
                m_out.push_back(Name(r) + ": " + Text(r, c) + " is above " + Show(prev, Dec(c)) +
                                " in the row before; " + std::string(Col(c).name) + " must not rise as " +
                                along + " rises");
                continue;
            }
            if (level) {
                if (v >= prev) continue;
                m_out.push_back(Name(r) + ": " + Text(r, c) + " is below " + Show(prev, Dec(c)) +
                                " in the row before; " + std::string(Col(c).name) + " must not fall as " +
                                along + " rises");
                continue;
            }
            if (rising ? v > prev : v < prev) continue;
            std::string why;
            if (c == m_spec.argument)
                why =
                    (Pressure() ? "pressures must rise strictly as written (" + DecimalsText(Dec(c)) +
                                      "): space them further apart"
                                : "saturations must rise strictly as written (" + DecimalsText(Dec(c)) + ")");
            else
                why = std::string(Col(c).name) + " must " + (rising ? "rise" : "fall") + " strictly as " +
                      along + " rises";
            m_out.push_back(Name(r) + ": " + Text(r, c) + (rising ? " is not above " : " is not below ") +
                            Show(prev, Dec(c)) + " in the row before; " + why);
        }
    }
    void UnitRange(std::size_t c) {
        for (std::size_t r = 0; r < m_rows->size(); ++r) {
            const double v = Value(Row(r), c);
            if (v < 0.0 || v > 1.0) m_out.push_back(Name(r) + ": " + Text(r, c) + " is outside [0, 1]");
        }
    }
    void ReachesZero(std::size_t c) {
        for (const WrittenRow& row : *m_rows)
            if (Value(row, c) == 0.0) return;
        const std::size_t last = m_rows->size() - 1;
        m_out.push_back(std::string(Col(c).name) + " never reaches 0 (the last row, " + Name(last) +
                        ", has " + Text(last, c) + "); the " + std::string(Col(c).phase) +
                        " must become immobile at its residual saturation");
    }
    // Each phase must flow somewhere: a simulator looks for the saturation at which each kr leaves
    // 0, and stops when there is none.
    void SomewherePositive(std::size_t c) {
        for (const WrittenRow& row : *m_rows)
            if (Value(row, c) > 0.0) return;
        m_out.push_back(std::string(Col(c).name) + " is 0 in every row as written: the " +
                        std::string(Col(c).phase) +
                        " never becomes mobile, so a simulator cannot find its critical saturation");
    }
    void Sign(std::size_t c) {
        const bool strict = Has(c, R::kPositive);
        for (std::size_t r = 0; r < m_rows->size(); ++r) {
            if (c < m_spec.argument && r > 0) break;
            const double v = Value(Row(r), c);
            if (strict ? v > 0.0 : v >= 0.0) continue;
            m_out.push_back(Lead(r) + std::string(Col(c).name) + " is written as " + Show(v, Dec(c)) +
                            (strict ? "; it must be above 0" : "; it must not be negative"));
        }
    }
    void RisingByRecord(const WrittenTable& t, std::size_t k, std::size_t c) {
        const double v = Value(t[k].front(), c), prev = Value(t[k - 1].front(), c);
        if (v > prev) return;
        const bool metric = m_units == EclipseUnits::Metric;
        const std::size_t a = m_spec.argument;
        m_out.push_back("record " + std::to_string(k + 1) + " (" + Show(Value(t[k].front(), a), Dec(a)) +
                        (metric ? " barsa): " : " psia): ") + std::string(Col(c).name) + " " +
                        Show(v, Dec(c)) + " is not above " + Show(prev, Dec(c)) + " in the record before; " +
                        std::string(Col(c).name) + " must rise strictly as written (" + DecimalsText(Dec(c)) +
                        ", " + (metric ? "sm3/sm3" : "Mscf/stb") + "): space the pressures further apart");
    }

    const EclipseTableDescription& m_spec;
    const std::vector<ColumnFormat>& m_formats;
    EclipseUnits m_units;
    std::vector<std::string>& m_out;
    const WrittenRecord* m_rows = nullptr;
    std::string m_prefix;
};

// The numbers of a laid-out table as a simulator reads the written text.
WrittenTable AsWritten(const EclipseTable& t) {
    WrittenTable out;
    for (const EclipseRecordRows& record : t.records) {
        WrittenRecord& rows = out.emplace_back();
        for (const EclipseRow& row : record)
            if (!row.values.empty()) rows.push_back(EclipseRowAsWritten(t, row));
    }
    return out;
}

// The reasons of a table read with the formats it is written with.
std::vector<std::string> CheckWritten(const EclipseTableDescription& decl,
                                      const std::vector<ColumnFormat>& formats, const WrittenTable& t,
                                      EclipseUnits units) {
    if (t.empty()) return {"the table has no rows"};
    const std::size_t n = decl.columns.size();
    for (const WrittenRecord& record : t) {
        if (record.empty()) return {"the table has an empty record"};
        for (const WrittenRow& row : record)
            if (row.size() < n - decl.argument || (&row == &record.front() && row.size() < n))
                throw std::invalid_argument("a row of " + std::string(decl.keyword) + " has too few numbers");
    }
    std::vector<std::string> out;
    Rules(decl, formats, units, out).Check(t);
    return out;
}

// The reasons of one case's table as the writer lays it out; the laid-out table in `laid`.
std::vector<std::string> CheckLaid(const Q7Objects& objects, std::string_view keyword, EclipseUnits units,
                                   bool consistent, EclipseTable& laid) {
    WrittenTable written;
    std::vector<std::string> out;
    try {
        laid = LayEclipseTable(objects, keyword, units, consistent);
        out = EclipseOverflows(laid);
        written = AsWritten(laid);
    } catch (const std::exception& e) {
        return {std::string("cannot be written: ") + e.what()};
    }
    for (std::string& reason : CheckWritten(*laid.decl, laid.formats, written, units))
        out.push_back(std::move(reason));
    return out;
}

} // namespace

WrittenTable EclipseTableAsWritten(const Q7Objects& objects, std::string_view keyword, EclipseUnits units,
                                   bool consistent) {
    if (keyword == "RSCONST") throw std::invalid_argument("not an Eclipse table keyword: RSCONST");
    return AsWritten(LayEclipseTable(objects, keyword, units, consistent));
}

std::vector<std::string> CheckWrittenTable(std::string_view keyword, const WrittenTable& t,
                                           EclipseUnits units) {
    if (keyword == "RSCONST") throw std::invalid_argument("not an Eclipse table keyword: RSCONST");
    const EclipseTableDescription& decl = EclipseSpec(keyword);
    std::vector<ColumnFormat> formats;
    for (const EclipseColumn& c : decl.columns)
        formats.push_back(c.In(units));
    return CheckWritten(decl, formats, t, units);
}

std::vector<std::string> CheckEclipseTable(const Q7Objects& objects, std::string_view keyword,
                                           EclipseUnits units, bool consistent) {
    EclipseSpec(keyword); // refuses an unknown keyword
    EclipseTable laid;
    std::vector<std::string> out = CheckLaid(objects, keyword, units, consistent, laid);
    // The end points of a table the column rules already refuse add nothing.
    if (out.empty()) out = EndPointProblems(objects, keyword);
    return out;
}

namespace {

// The written position a reason opens with: "record K, row N", "record K (...)" or "row N (...)";
// both 1-based, 0 when absent.
std::pair<std::size_t, std::size_t> PositionOf(const std::string& reason) {
    std::size_t record = 0, row = 0, at = 0;
    auto number = [&](const char* word) -> std::size_t {
        const std::size_t len = std::char_traits<char>::length(word);
        if (reason.compare(at, len, word) != 0) return 0;
        std::size_t v = 0;
        const auto r = std::from_chars(reason.data() + at + len, reason.data() + reason.size(), v);
        at = static_cast<std::size_t>(r.ptr - reason.data());
        return v;
    };
    record = number("record ");
    if (record) {
        const std::size_t comma = reason.find(", row ", at);
        const std::size_t colon = reason.find(':', at);
        if (comma != std::string::npos && comma < colon) {
            at = comma + 2;
            row = number("row ");
        } else {
            row = 1;
        }
    } else {
        row = number("row ");
        if (row) record = 1;
    }
    return {record, row};
}

} // namespace

std::vector<std::int16_t> EclipseRowsAtFault(const Q7Objects& objects, std::string_view keyword) {
    EclipseSpec(keyword);
    EclipseTable laid;
    const std::vector<std::string> reasons = CheckLaid(objects, keyword, EclipseUnits::Field, false, laid);
    if (!laid.decl) return {};
    std::vector<std::int16_t> rows;
    for (const std::string& reason : reasons) {
        const auto [record, row] = PositionOf(reason);
        if (record == 0 || record > laid.records.size()) continue;
        std::vector<std::int16_t> sources;
        for (const EclipseRow& r : laid.records[record - 1])
            if (!r.values.empty()) sources.push_back(r.source);
        if (row == 0 || row > sources.size() || sources[row - 1] < 1) continue;
        if (std::find(rows.begin(), rows.end(), sources[row - 1]) == rows.end())
            rows.push_back(sources[row - 1]);
    }
    std::sort(rows.begin(), rows.end());
    return rows;
}

std::vector<EclipseProblem> CheckEclipseTables(const Q7Objects& objects, const EclipseTables& tables,
                                               EclipseUnits units, bool consistent) {
    std::vector<EclipseProblem> problems;
    for (std::string_view keyword : kEclipseAllKeywords) {
        if (!tables.Has(keyword)) continue;
        for (std::string& reason : CheckEclipseTable(objects, keyword, units, consistent))
            problems.push_back({std::string(keyword), std::move(reason)});
    }
    return problems;
}

std::vector<ValueWarning> TotalCompressibilityWarnings(const Q7Objects& objects, EclipseUnits units,
                                                       bool consistent) {
    std::vector<ValueWarning> out;
    if (!objects.Oil.GO() || !objects.Gas.GO()) return out;
    EclipseTable pvto, pvdg;
    try {
        pvto = LayEclipseTable(objects, "PVTO", units, consistent);
        pvdg = LayEclipseTable(objects, "PVDG", units);
    } catch (const std::exception&) {
        return out; // a table that cannot be written is a refusal of its own
    }
    const bool metric = units == EclipseUnits::Metric;
    const int decimals = pvto.formats[1].decimals;
    for (const CompressibilityInterval& c : NegativeCompressibility(pvto, pvdg)) {
        char terms[112];
        std::snprintf(terms, sizeof terms, "Bg dRs/dp %.3E is not above dBo/dp %.3E %s", c.gasTerm, c.oilTerm,
                      metric ? "rm3/sm3 per bar" : "rb/stb per psi");
        const std::string unit = metric ? " barsa" : " psia";
        out.push_back(
            {"PVTO", c.upper, c.pUpper,
             "total compressibility of the saturated oil is not positive between " +
                 Show(c.pLower, decimals) + " and " + Show(c.pUpper, decimals) + unit + " (" + terms +
                 (c.bubblePoint ? ", counted from the bubble-point oil compressed to " +
                                      Show(c.pUpper, decimals) + unit + " along its undersaturated rows"
                                : std::string()) +
                 "): the table may stop the simulator"});
    }
    return out;
}

} // namespace q7

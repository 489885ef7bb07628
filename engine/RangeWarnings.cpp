#include "engine/RangeWarnings.h"

#include "engine/PvtCorrelations.h"
#include "engine/Q7Objects.h"

#include <optional>

namespace q7 {
namespace {

// A value of the case for one range input: the input itself (row 0), or the table rows to look
// through (the first row outside the range is named).
struct Values {
    std::vector<double> values;
    std::vector<std::int16_t> rows;
};

std::optional<Values> ValuesOf(const Q7Objects& o, CorrKey key, RangeInput input) {
    const clsOil& oil = o.Oil;
    const clsGas& gas = o.Gas;
    const clsPrs& prs = o.Prs;
    const auto one = [](double v) { return Values{{v}, {0}}; };
    switch (input) {
    case RangeInput::API:
        return one(oil.API());
    case RangeInput::Temperature:
        return one(o.Fluid.ResTf());
    case RangeInput::GOR:
        return one(oil.RSI());
    case RangeInput::GasGravity:
        return one(key == CorrKey::Pseudo ? gas.GasGrav() : oil.SepGG());
    case RangeInput::BubblePoint:
        return one(oil.Pbp());
    case RangeInput::Viscosity:
        if (!oil.GO()) return std::nullopt;
        return one(oil.GetMUOS(prs.BPPi()));
    case RangeInput::Tpr:
        return one(gas.PTR());
    case RangeInput::Pressure:
    case RangeInput::Ppr: {
        // Saturated viscosity: the rows at and below the bubble point; undersaturated: the rows
        // above it; Ppr: every row of the gas table.
        if (input == RangeInput::Pressure && !oil.GO()) return std::nullopt;
        Values v;
        for (std::int16_t k = 1; k <= prs.NPRSo(); ++k) {
            const bool above = k < prs.BPPi();
            if (key == CorrKey::Muo && above) continue;
            if (key == CorrKey::MuoUS && !above) continue;
            v.values.push_back(input == RangeInput::Ppr ? gas.GetPPR(k) : prs.GetPRSo(k));
            v.rows.push_back(k);
        }
        return v;
    }
    }
    return std::nullopt;
}

int OptionOf(const Q7Objects& o, CorrKey key) {
    return key == CorrKey::Z || key == CorrKey::Pseudo ? o.Gas.Correlation(key) : o.Oil.Correlation(key);
}

bool Applies(const Q7Objects& o, CorrKey key) {
    if (key == CorrKey::Z) return o.Gas.GO();
    if (key == CorrKey::Pseudo) return o.Gas.GO() && o.Gas.GasEntry() != "C";
    return o.Fluid.PhaseOil();
}

} // namespace

std::vector<RangeWarning> RangeWarnings(const Q7Objects& o) {
    std::vector<RangeWarning> out;
    for (const CorrRange& range : CorrRanges()) {
        if (!Applies(o, range.key) || OptionOf(o, range.key) != range.option) continue;
        const std::optional<Values> values = ValuesOf(o, range.key, range.input);
        if (!values) continue;
        // Once per correlation and input: the first value outside the range.
        for (std::size_t i = 0; i < values->values.size(); ++i) {
            const std::string text = RangeText(range, values->values[i]);
            if (text.empty()) continue;
            const CorrChoice& choice = ChoiceOf(range.key);
            out.push_back({range.key == CorrKey::Z || range.key == CorrKey::Pseudo ? "Gas" : "Oil",
                           choice.key, choice.options[static_cast<std::size_t>(range.option)].name,
                           RangeInputName(range.input), values->rows[i], values->values[i], text});
            break;
        }
    }
    return out;
}

std::vector<RangeWarning> RangeWarningsOf(const Q7Objects& o, const std::string& table) {
    std::vector<RangeWarning> out;
    for (RangeWarning& w : RangeWarnings(o))
        if (w.table == table) out.push_back(std::move(w));
    return out;
}

} // namespace q7

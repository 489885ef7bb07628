#include "batch/TidyCsv.h"

#include "batch/FloatText.h"
#include "engine/Q7Objects.h"
#include "writers/OutputChoices.h"

#include <charconv>
#include <cstdint>
#include <functional>
#include <vector>

namespace q7 {

namespace {

struct Column {
    const char* name;
    std::function<float(std::int16_t)> at;
};

template <class T> Column Of(const char* name, const T& obj, float (T::*get)(std::int16_t) const) {
    return {name, [&obj, get](std::int16_t k) { return (obj.*get)(k); }};
}

void AppendFloat(std::string& out, float v) {
    char buf[32];
    out.append(buf, WriteFloat9(buf, v));
}

} // namespace

std::string TidyCsv(const Q7Objects& o) {
    const PropertyGroups groups = ComputedGroups(o);
    std::vector<Column> columns{Of("P", o.Prs, &clsPrs::GetPRSo)};
    if (groups.Oil) {
        const clsOil& oil = o.Oil;
        for (Column c : {Of("RSOS", oil, &clsOil::GetRSOS), Of("RSO", oil, &clsOil::GetRSO),
                         Of("BOS", oil, &clsOil::GetBOS), Of("BO", oil, &clsOil::GetBO),
                         Of("MUOS", oil, &clsOil::GetMUOS), Of("MUO", oil, &clsOil::GetMUO),
                         Of("CO", oil, &clsOil::GetCO), Of("RHOOS", oil, &clsOil::GetRHOOS),
                         Of("RHOO", oil, &clsOil::GetRHOO)})
            columns.push_back(c);
    }
    if (groups.Gas) {
        const clsGas& g = o.Gas;
        for (Column c :
             {Of("PPR", g, &clsGas::GetPPR), Of("Z", g, &clsGas::GetZ), Of("PZ", g, &clsGas::GetPZ),
              Of("BG", g, &clsGas::GetBG), Of("RHOG", g, &clsGas::GetRHOG), Of("CG", g, &clsGas::GetCG),
              Of("MUG", g, &clsGas::GetMUG), Of("RMP", g, &clsGas::GetRMP)})
            columns.push_back(c);
    }
    if (groups.Water) {
        const clsWater& w = o.Water;
        for (Column c :
             {Of("BW", w, &clsWater::GetBW), Of("RSW", w, &clsWater::GetRSW), Of("CW", w, &clsWater::GetCW),
              Of("MUW", w, &clsWater::GetMUW), Of("RHOW", w, &clsWater::GetRHOW)})
            columns.push_back(c);
    }

    std::string out;
    for (size_t c = 0; c < columns.size(); ++c) {
        if (c) out += ',';
        out += columns[c].name;
    }
    out += '\n';
    const bool anyTable = columns.size() > 1;
    const int rows = anyTable ? o.Prs.NPRSo() : 0;
    for (int i = 1; i <= rows; ++i) {
        for (size_t c = 0; c < columns.size(); ++c) {
            if (c) out += ',';
            AppendFloat(out, columns[c].at(static_cast<std::int16_t>(i)));
        }
        out += '\n';
    }
    return out;
}

} // namespace q7

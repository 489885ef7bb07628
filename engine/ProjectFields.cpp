#include "engine/ProjectFields.h"

#include "engine/Q7Objects.h"
#include "numeric/AsciiText.h"
#include "numeric/Errors.h"
#include "numeric/NumericText.h"
#include "rock/RockInputRules.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>

namespace q7 {

namespace {

using Get = std::function<double(const Q7Objects&)>;
using Set = std::function<void(Q7Objects&, std::string_view)>;

double D(float v) {
    return static_cast<double>(v);
}

std::int16_t Index(std::string_view text) {
    return static_cast<std::int16_t>(Str2Nbr(text));
}

// The shortest text that reads back as the single (what the object takes a stored value as).
std::string RoundTrip(float value) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

class Builder;
void Choice(Builder& b, CorrKey key, bool gas, const char* table);

class Builder {
public:
    std::vector<ProjectField> fields;

    void Number(const char* column, const char* table, std::string box, int decimals, Get get, Set set,
                const char* unit = "") {
        Add(column, table, std::move(box), decimals, FieldKind::Number, std::move(get), std::move(set), unit);
    }
    void Of(FieldKind kind, const char* column, const char* table, std::string box, Get get, Set set) {
        Add(column, table, std::move(box), 0, kind, std::move(get), std::move(set), "");
    }
    void Letter(FieldKind kind, const char* column, const char* table, std::string box,
                std::function<std::string(const Q7Objects&)> get, Set set) {
        ProjectField f;
        f.column = column;
        f.table = table;
        f.box = std::move(box);
        f.kind = kind;
        f.text = std::move(get);
        f.set = std::move(set);
        fields.push_back(std::move(f));
    }

private:
    void Add(const char* column, const char* table, std::string box, int decimals, FieldKind kind, Get get,
             Set set, const char* unit) {
        ProjectField f;
        f.column = column;
        f.table = table;
        f.box = std::move(box);
        f.decimals = decimals;
        f.kind = kind;
        f.unit = unit;
        f.number = std::move(get);
        f.set = std::move(set);
        fields.push_back(std::move(f));
    }
};

// Built by appending (GCC 12 at -O3 takes "p" + text for an overlapping copy).
std::string Numbered(const char* name, int index) {
    std::string text = name;
    text += std::to_string(index);
    return text;
}

std::string Boxed(const char* name, int index) {
    std::string text = Numbered(name, index);
    text.insert(std::strlen(name), 1, '(');
    text += ')';
    return text;
}

std::vector<ProjectField> Describe() {
    Builder b;
    const char* fluid = "tblFluidSpec";
    const char* pressure = "tblPressureSpec";
    const char* oil = "tblOilGravity";
    const char* gas = "tblGasComp";
    const char* water = "tblWater";
    const char* rock = "tblRock";

    // Phases Present. Temperatures are stored in °F, so their unit columns always hold "F".
    b.Of(
        FieldKind::Flag, "PhaseOil", fluid, "cbxFPP(0)",
        [](const Q7Objects& o) { return o.Fluid.PhaseOil() ? 1.0 : 0.0; },
        [](Q7Objects& o, std::string_view t) { o.Fluid.PhaseOil(Str2Nbr(t) != 0.0f); });
    b.Of(
        FieldKind::Flag, "PhaseGas", fluid, "cbxFPP(1)",
        [](const Q7Objects& o) { return o.Fluid.PhaseGas() ? 1.0 : 0.0; },
        [](Q7Objects& o, std::string_view t) { o.Fluid.PhaseGas(Str2Nbr(t) != 0.0f); });
    b.Of(
        FieldKind::Flag, "PhaseWater", fluid, "cbxFPP(2)",
        [](const Q7Objects& o) { return o.Fluid.PhaseWater() ? 1.0 : 0.0; },
        [](Q7Objects& o, std::string_view t) { o.Fluid.PhaseWater(Str2Nbr(t) != 0.0f); });
    b.Number(
        "StdPressure", fluid, "txtStdP", -1, [](const Q7Objects& o) { return o.Fluid.StdP(); },
        [](Q7Objects& o, std::string_view t) { o.Fluid.SetStdP(t); });
    b.Number(
        "StdTemp", fluid, "txtStdT", -1, [](const Q7Objects& o) { return o.Fluid.StdTf(); },
        [](Q7Objects& o, std::string_view t) { o.Fluid.SetStdT(t); }, "StdTempUnits");
    b.Letter(
        FieldKind::Unit, "StdTempUnits", fluid, "optStdTU", [](const Q7Objects&) { return std::string("F"); },
        [](Q7Objects& o, std::string_view t) { o.Fluid.StdTU(t); });
    b.fields.back().choices = "FC";
    b.Number(
        "RESTEMP", fluid, "txtResT", -1, [](const Q7Objects& o) { return o.Fluid.ResTf(); },
        [](Q7Objects& o, std::string_view t) { o.Fluid.SetResT(t); }, "ResTempUnits");
    b.Letter(
        FieldKind::Unit, "ResTempUnits", fluid, "optResTU", [](const Q7Objects&) { return std::string("F"); },
        [](Q7Objects& o, std::string_view t) { o.Fluid.ResTU(t); });
    b.fields.back().choices = "FC";

    // Pressure Input. Only the pressures of the typed list are stored; the places after its end
    // hold 0 (the list reads its last pressure at every later place).
    b.Letter(
        FieldKind::Text, "PrRange", pressure, "optPRange", [](const Q7Objects& o) { return o.Prs.PrRange(); },
        [](Q7Objects& o, std::string_view t) { o.Prs.PrRange(t); });
    b.fields.back().choices = "RI";
    b.Number(
        "MinPr", pressure, "txtMinP", -1, [](const Q7Objects& o) { return o.Prs.PrMin(); },
        [](Q7Objects& o, std::string_view t) { o.Prs.SetMinP(t); });
    b.Number(
        "InitPr", pressure, "txtInitP", -1, [](const Q7Objects& o) { return o.Prs.PrIni(); },
        [](Q7Objects& o, std::string_view t) { o.Prs.SetIniP(t); });
    b.Number(
        "MaxPr", pressure, "txtMaxP", -1, [](const Q7Objects& o) { return o.Prs.PrMax(); },
        [](Q7Objects& o, std::string_view t) { o.Prs.SetMaxP(t); });
    for (std::int16_t k = 1; k <= clsPrs::kMaxTyped; ++k) {
        const std::string column = Numbered("p", k);
        b.Number(
            column.c_str(), pressure, Boxed("txtP", k), -1,
            [k](const Q7Objects& o) { return k <= o.Prs.NPRSi() ? o.Prs.GetPRSi(k) : 0.0f; },
            [k](Q7Objects& o, std::string_view t) { o.Prs.SetPRSi(t, k); });
        b.fields.back().held = [](const Q7Objects& o) { return o.Prs.PrRange() == "I" && o.Prs.NPRSi() > 0; };
    }

    // Oil Input.
    b.Number(
        "API", oil, "txtAPI", -1, [](const Q7Objects& o) { return o.Oil.API(); },
        [](Q7Objects& o, std::string_view t) { o.Oil.SetAPI(t); });
    b.Number(
        "SpecGrav", oil, "txtGrav", -1, [](const Q7Objects& o) { return o.Oil.OilSG(); },
        [](Q7Objects& o, std::string_view t) { o.Oil.SetOilSG(t); });
    b.Number(
        "SepGasGrav", oil, "txtSepGas", -1, [](const Q7Objects& o) { return o.Oil.SepGG(); },
        [](Q7Objects& o, std::string_view t) { o.Oil.SetSepGG(t); });
    b.Number(
        "SepP", oil, "txtSepP", -1, [](const Q7Objects& o) { return o.Oil.SepP(); },
        [](Q7Objects& o, std::string_view t) { o.Oil.SetSepP(t); });
    b.Number(
        "SepT", oil, "txtSepT", -1, [](const Q7Objects& o) { return o.Oil.SepTf(); },
        [](Q7Objects& o, std::string_view t) { o.Oil.SetSepT(t); }, "SepTUnits");
    b.Letter(
        FieldKind::Unit, "SepTUnits", oil, "optSepTU", [](const Q7Objects&) { return std::string("F"); },
        [](Q7Objects& o, std::string_view t) { o.Oil.SepTU(t); });
    b.fields.back().choices = "FC";
    b.Number(
        "InitGO", oil, "txtRSI", -1, [](const Q7Objects& o) { return o.Oil.GivenRSI(); },
        [](Q7Objects& o, std::string_view t) { o.Oil.SetRsi(t); });
    b.Number(
        "BPP", oil, "txtBPP", -1, [](const Q7Objects& o) { return o.Oil.GivenPbp(); },
        [](Q7Objects& o, std::string_view t) { o.Oil.SetPbp(t); });

    // Laboratory data at the bubble point: each held only when measured (Null otherwise, and blank
    // in a case means not measured).
    const auto lab = [&b](const char* column, const char* box, std::optional<float> OilLabData::*member,
                          void (clsOil::*setter)(std::string_view)) {
        b.Number(
            column, "tblLabData", box, -1,
            [member](const Q7Objects& o) { return D((o.Oil.Lab().*member).value_or(0.0f)); },
            [setter](Q7Objects& o, std::string_view t) { (o.Oil.*setter)(t); });
        b.fields.back().held = [member](const Q7Objects& o) { return (o.Oil.Lab().*member).has_value(); };
        b.fields.back().blankIsAbsent = true;
    };
    lab("LabPb", "txtLabPb", &OilLabData::Pb, &clsOil::SetLabPb);
    lab("LabRsb", "txtLabRsb", &OilLabData::Rsb, &clsOil::SetLabRsb);
    lab("LabBob", "txtLabBob", &OilLabData::Bob, &clsOil::SetLabBob);
    lab("LabMuob", "txtLabMuob", &OilLabData::Muob, &clsOil::SetLabMuob);

    // The correlation choices of the oil tables.
    for (const CorrKey key : {CorrKey::Pb, CorrKey::Bo, CorrKey::Muod, CorrKey::Muo, CorrKey::MuoUS})
        Choice(b, key, false, oil);

    // Gas Input.
    b.Letter(
        FieldKind::Text, "GasEntry", gas, "optGasEntry", [](const Q7Objects& o) { return o.Gas.GasEntry(); },
        [](Q7Objects& o, std::string_view t) { o.Gas.GasEntry(t); });
    b.fields.back().choices = "GC";
    b.Number(
        "GasGrav", gas, "txtGasGrav", 4, [](const Q7Objects& o) { return o.Gas.GasGrav(); },
        [](Q7Objects& o, std::string_view t) { o.Gas.SetGasGrav(t); });
    b.Number(
        "MFnitrogen", gas, "txtMFN", 4, [](const Q7Objects& o) { return o.Gas.mfN(); },
        [](Q7Objects& o, std::string_view t) { o.Gas.SetmfN(t); });
    b.Number(
        "mfCO2", gas, "txtMFCO2", 4, [](const Q7Objects& o) { return o.Gas.mfCO2(); },
        [](Q7Objects& o, std::string_view t) { o.Gas.SetmfCO2(t); });
    b.Number(
        "mfH2S", gas, "txtMFHS", 4, [](const Q7Objects& o) { return o.Gas.mfH2S(); },
        [](Q7Objects& o, std::string_view t) { o.Gas.SetmfH2S(t); });
    for (std::int16_t k = 1; k <= clsGas::kComponents; ++k) {
        const std::string column = Numbered("gc", k);
        b.Number(
            column.c_str(), gas, Boxed("txtGC", k), 4, [k](const Q7Objects& o) { return o.Gas.GetGC(k); },
            [k](Q7Objects& o, std::string_view t) { o.Gas.SetGC(t, k); });
    }
    // The plus fraction is a case's only: a project does not store it.
    b.Of(
        FieldKind::Integer, "PlusEntry", "", "", [](const Q7Objects& o) { return o.Gas.PlusEntry(); },
        [](Q7Objects& o, std::string_view t) { o.Gas.PlusEntry(Index(t)); });
    b.fields.back().lo = 0; // the composition row that is the plus fraction, 0 for none
    b.fields.back().hi = clsGas::kPlusRows;
    b.Number(
        "PLUSmw", "", "txtPLUSmw", -1, [](const Q7Objects& o) { return o.Gas.PLUSmw(); },
        [](Q7Objects& o, std::string_view t) { o.Gas.SetPLUSmw(t); });
    b.Number(
        "PLUSgg", "", "txtPLUSgg", -1, [](const Q7Objects& o) { return o.Gas.PLUSgg(); },
        [](Q7Objects& o, std::string_view t) { o.Gas.SetPLUSgg(t); });

    // The correlation choices of the gas table.
    Choice(b, CorrKey::Z, true, gas);
    Choice(b, CorrKey::Pseudo, true, gas);

    // Water Input.
    b.Of(
        FieldKind::Integer, "PPMSalinity", water, "txtPPM", [](const Q7Objects& o) { return o.Water.PPM(); },
        [](Q7Objects& o, std::string_view t) { o.Water.SetPPM(t); });
    b.Number(
        "PERSalinity", water, "txtPER", -1, [](const Q7Objects& o) { return o.Water.PER(); },
        [](Q7Objects& o, std::string_view t) { o.Water.SetPER(t); });

    // Rock Input.
    b.Of(
        FieldKind::Option, "RockType", rock, "optRock", [](const Q7Objects& o) { return o.Rock.Fluids(); },
        [](Q7Objects& o, std::string_view t) { o.Rock.Fluids(Index(t)); });
    b.fields.back().lo = 0; // oil–water, gas–oil, both, gas–water
    b.fields.back().hi = 3;
    b.Of(
        FieldKind::Option, "DrainType", rock, "optType", [](const Q7Objects& o) { return o.Rock.Displace(); },
        [](Q7Objects& o, std::string_view t) { o.Rock.Displace(Index(t)); });
    b.Of(
        FieldKind::Option, "LithType", rock, "optLith", [](const Q7Objects& o) { return o.Rock.Lith(); },
        [](Q7Objects& o, std::string_view t) { o.Rock.Lith(Index(t)); });
    b.Of(
        FieldKind::Option, "WetType", rock, "optWet", [](const Q7Objects& o) { return o.Rock.Wet(); },
        [](Q7Objects& o, std::string_view t) { o.Rock.Wet(Index(t)); });
    b.Of(
        FieldKind::Option, "CorrType", rock, "optCorr", [](const Q7Objects& o) { return o.Rock.CORR(); },
        [](Q7Objects& o, std::string_view t) { o.Rock.CORR(Index(t)); });
    b.fields.back().lo = 0; // Corey, Honarpour, LET
    b.fields.back().hi = 2;
    b.Number(
        "SWC", rock, "txtSWC", 2, [](const Q7Objects& o) { return o.Rock.SWC(); },
        [](Q7Objects& o, std::string_view t) { o.Rock.SetSWC(t); });
    b.Number(
        "SORW", rock, "txtSORW", 2, [](const Q7Objects& o) { return o.Rock.SORW(); },
        [](Q7Objects& o, std::string_view t) { o.Rock.SetSORW(t); });
    b.Number(
        "SORG", rock, "txtSORG", 2, [](const Q7Objects& o) { return o.Rock.SORG(); },
        [](Q7Objects& o, std::string_view t) { o.Rock.SetSORG(t); });
    b.Number(
        "SGCrit", rock, "txtSGCrit", 2, [](const Q7Objects& o) { return o.Rock.SGCrit(); },
        [](Q7Objects& o, std::string_view t) { o.Rock.SetSGCrit(t); });
    b.Number(
        "CoreyK", rock, "txtK", -1, [](const Q7Objects& o) { return o.Rock.CoreyK(); },
        [](Q7Objects& o, std::string_view t) { o.Rock.SetCoreyK(t); });
    b.Number(
        "CoreyN", rock, "txtN", -1, [](const Q7Objects& o) { return o.Rock.CoreyN(); },
        [](Q7Objects& o, std::string_view t) { o.Rock.SetCoreyN(t); });
    b.Number(
        "HRPoro", rock, "txtHRPoro", -1, [](const Q7Objects& o) { return o.Rock.HRPoro(); },
        [](Q7Objects& o, std::string_view t) { o.Rock.SetHRPoro(t); });
    b.Number(
        "HRAir", rock, "txtHRAir", -1, [](const Q7Objects& o) { return o.Rock.HRAir(); },
        [](Q7Objects& o, std::string_view t) { o.Rock.SetHRAir(t); });
    b.Number(
        "HRKrg", rock, "txtHRKrg", -1, [](const Q7Objects& o) { return o.Rock.HRKrg(); },
        [](Q7Objects& o, std::string_view t) { o.Rock.SetHRKrg(t); });

    // Capillary pressure, the LET curves and the row count, each shown in "txt" + key ("cbo" + key
    // for a model). Each number carries its rock input rule.
    const auto rockOption = [&b, rock](const char* column, long hi, std::int16_t (clsRock::*get)() const,
                                       void (clsRock::*set)(std::int16_t)) {
        b.Of(
            FieldKind::Option, column, rock, std::string("cbo") + column,
            [get](const Q7Objects& o) { return (o.Rock.*get)(); },
            [set](Q7Objects& o, std::string_view t) { (o.Rock.*set)(Index(t)); });
        b.fields.back().lo = 0;
        b.fields.back().hi = hi;
        b.fields.back().quietAtStartUp = true;
    };
    const auto rockNumber = [&b, rock](const char* column, float (clsRock::*get)() const,
                                       void (clsRock::*set)(std::string_view)) {
        b.Number(
            column, rock, std::string("txt") + column, -1,
            [get](const Q7Objects& o) { return D((o.Rock.*get)()); },
            [set](Q7Objects& o, std::string_view t) { (o.Rock.*set)(t); });
        b.fields.back().refused = [key = std::string(column)](double v) { return RockInputProblem(key, v); };
        b.fields.back().quietAtStartUp = true;
    };
    rockOption("PcowModel", 3, &clsRock::PcowModel, &clsRock::PcowModel);
    rockNumber("PcowMax", &clsRock::PcowMax, &clsRock::SetPcowMax);
    rockNumber("PcowJA", &clsRock::PcowJA, &clsRock::SetPcowJA);
    rockNumber("PcowJB", &clsRock::PcowJB, &clsRock::SetPcowJB);
    rockNumber("PcowIFT", &clsRock::PcowIFT, &clsRock::SetPcowIFT);
    rockNumber("PcowAngle", &clsRock::PcowAngle, &clsRock::SetPcowAngle);
    rockNumber("PcowEntry", &clsRock::PcowEntry, &clsRock::SetPcowEntry);
    rockNumber("PcowLambda", &clsRock::PcowLambda, &clsRock::SetPcowLambda);
    rockNumber("PcowCw", &clsRock::PcowCw, &clsRock::SetPcowCw);
    rockNumber("PcowAw", &clsRock::PcowAw, &clsRock::SetPcowAw);
    rockNumber("PcowCo", &clsRock::PcowCo, &clsRock::SetPcowCo);
    rockNumber("PcowAo", &clsRock::PcowAo, &clsRock::SetPcowAo);
    rockOption("PcogModel", 2, &clsRock::PcogModel, &clsRock::PcogModel);
    rockNumber("PcogMax", &clsRock::PcogMax, &clsRock::SetPcogMax);
    rockNumber("PcogJA", &clsRock::PcogJA, &clsRock::SetPcogJA);
    rockNumber("PcogJB", &clsRock::PcogJB, &clsRock::SetPcogJB);
    rockNumber("PcogIFT", &clsRock::PcogIFT, &clsRock::SetPcogIFT);
    rockNumber("PcogAngle", &clsRock::PcogAngle, &clsRock::SetPcogAngle);
    rockNumber("PcogEntry", &clsRock::PcogEntry, &clsRock::SetPcogEntry);
    rockNumber("PcogLambda", &clsRock::PcogLambda, &clsRock::SetPcogLambda);
    rockNumber("LetWaterL", &clsRock::LetWaterL, &clsRock::SetLetWaterL);
    rockNumber("LetWaterE", &clsRock::LetWaterE, &clsRock::SetLetWaterE);
    rockNumber("LetWaterT", &clsRock::LetWaterT, &clsRock::SetLetWaterT);
    rockNumber("LetOilL", &clsRock::LetOilL, &clsRock::SetLetOilL);
    rockNumber("LetOilE", &clsRock::LetOilE, &clsRock::SetLetOilE);
    rockNumber("LetOilT", &clsRock::LetOilT, &clsRock::SetLetOilT);
    rockNumber("LetGasL", &clsRock::LetGasL, &clsRock::SetLetGasL);
    rockNumber("LetGasE", &clsRock::LetGasE, &clsRock::SetLetGasE);
    rockNumber("LetGasT", &clsRock::LetGasT, &clsRock::SetLetGasT);
    rockNumber("KrwMax", &clsRock::KrwMax, &clsRock::SetKrwMax);
    rockNumber("KroMax", &clsRock::KroMax, &clsRock::SetKroMax);
    rockNumber("KrgMax", &clsRock::KrgMax, &clsRock::SetKrgMax);
    b.Of(
        FieldKind::Integer, "SatRows", rock, "txtSatRows",
        [](const Q7Objects& o) { return o.Rock.SatRows(); },
        [](Q7Objects& o, std::string_view t) { o.Rock.SatRows(Index(t)); });
    b.fields.back().quietAtStartUp = true;
    b.fields.back().lo = clsRock::kRows;
    b.fields.back().hi = clsRock::kMaxRows;

    // The report's identification: a case's keys, stored (author and description) with the
    // project's own row, not in a data table.
    for (const char* key : {"Company", "Field", "Reservoir", "PrjDesc", "CreatedBy"})
        b.Letter(FieldKind::Text, key, "", "", nullptr, nullptr);
    return b.fields;
}

// A correlation choice: its name as the objects hold it; a name no correlation has leaves the choice
// as it is (a case's reader refuses such a name before it gets here).
void Choice(Builder& b, CorrKey key, bool gas, const char* table) {
    b.Letter(
        FieldKind::Text, ChoiceOf(key).key, table, std::string("cbo") + ChoiceOf(key).key,
        [key, gas](const Q7Objects& o) {
            const int option = gas ? o.Gas.Correlation(key) : o.Oil.Correlation(key);
            return std::string(ChoiceOf(key).options[static_cast<std::size_t>(option)].name);
        },
        [key, gas](Q7Objects& o, std::string_view t) {
            const std::optional<int> option = FindCorrelation(key, t);
            if (!option) return;
            if (gas)
                o.Gas.Correlation(key, *option);
            else
                o.Oil.Correlation(key, *option);
        });
    for (const CorrChoice::Option& option : ChoiceOf(key).options)
        b.fields.back().words.emplace_back(option.name);
    b.fields.back().quietAtStartUp = true;
}

} // namespace

const std::vector<ProjectField>& ProjectFields() {
    static const std::vector<ProjectField> fields = Describe();
    return fields;
}

const ProjectField* FindField(std::string_view column) {
    // Every case line and project looks up each of its keys: an index made once.
    static const AsciiFoldedIndex<ProjectField> byName(ProjectFields(),
                                                       [](const ProjectField& f) { return f.column; });
    return byName.Find(column);
}

std::vector<const ProjectField*> TableFields(std::string_view table) {
    std::vector<const ProjectField*> out;
    for (const ProjectField& f : ProjectFields())
        if (f.table == table) out.push_back(&f);
    return out;
}

std::string FieldText(const ProjectField& field, double value) {
    switch (field.kind) {
    case FieldKind::Integer:
    case FieldKind::Flag:
    case FieldKind::Option:
        return std::to_string(static_cast<long long>(value));
    default:
        return ShownText(static_cast<float>(value), field.decimals);
    }
}

Derived ApplyGravityPair(clsOil& oil, const float* api, const float* sg) {
    if (api) {
        oil.SetAPI(RoundTrip(*api));
        if (!sg) return Derived::Neither;
        if (oil.OilSG() == *sg) return Derived::Second;
        oil.SetOilSG(RoundTrip(*sg));
        if (oil.API() == *api) return Derived::First;
        oil.SetAPI(RoundTrip(*api)); // an inconsistent pair: the API decides
        return Derived::Neither;
    }
    if (sg) oil.SetOilSG(RoundTrip(*sg));
    return Derived::Neither;
}

void ApplyOilPair(clsOil& oil, const float* rsi, const float* pbp) {
    if (!rsi && !pbp) {
        try {
            oil.SetRsi(RoundTrip(oil.RSI()));
        } catch (const Error&) {
            // Oil data that give no bubble point (no oil phase): the object keeps what it holds.
        }
        return;
    }
    if (rsi) {
        oil.SetRsi(RoundTrip(*rsi));
        if (!pbp || oil.Pbp() == *pbp) return;
    }
    oil.SetPbp(RoundTrip(*pbp));
    if (rsi && oil.RSI() != *rsi) oil.SetRsi(RoundTrip(*rsi)); // an inconsistent pair: the GOR decides
}

} // namespace q7

#include "batch/Summary.h"

#include "batch/FloatText.h"
#include "batch/InputText.h"
#include "engine/MessageSink.h"
#include "engine/Q7Objects.h"
#include "engine/RangeWarnings.h"
#include "engine/ValueChecks.h"
#include "writers/EclipseChecks.h"
#include "writers/OutputChoices.h"

#include <charconv>

namespace q7 {

namespace {

// A small JSON writer: one key per line, like the reference summaries.
class JsonOut {
public:
    explicit JsonOut(bool oneLine) : m_oneLine(oneLine) {}
    std::string& str() { return m_out; }

    void Open(const char* key) {
        Key(key);
        m_out += '{';
        m_first = true;
        ++m_depth;
    }
    void Close() {
        --m_depth;
        if (!m_oneLine) {
            m_out += '\n';
            Indent();
        }
        m_out += '}';
        m_first = false;
    }
    void Number(const char* key, float v) {
        Key(key);
        Float(v);
    }
    void Integer(const char* key, long long v) {
        Key(key);
        m_out += std::to_string(v);
    }
    void Bool(const char* key, bool v) {
        Key(key);
        m_out += v ? "true" : "false";
    }
    void Null(const char* key) {
        Key(key);
        m_out += "null";
    }
    void Text(const char* key, const std::string& v) {
        Key(key);
        m_out += Quote(v);
    }
    // A list of floats on one line.
    template <class At> void List(const char* key, int n, At at) {
        Key(key);
        m_out += '[';
        for (int i = 1; i <= n; ++i) {
            if (i > 1) m_out += ", ";
            Float(at(static_cast<std::int16_t>(i)));
        }
        m_out += ']';
    }
    void Raw(const char* key, const std::string& json) {
        Key(key);
        m_out += json;
    }
    // A JSON string of `v`; bytes that are not UTF-8 become U+FFFD, so that every line stays JSON.
    static std::string Quote(const std::string& v) {
        std::string out = "\"";
        for (size_t at = 0; at < v.size(); ++at) {
            const auto c = static_cast<unsigned char>(v[at]);
            if (c >= 0x80) {
                const size_t n = Utf8SequenceAt(v, at);
                if (n == 0) {
                    out += "\\ufffd";
                } else {
                    out.append(v, at, n);
                    at += n - 1;
                }
                continue;
            }
            switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                if (c < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", c);
                    out += buf;
                } else {
                    out += static_cast<char>(c);
                }
            }
        }
        out += '"';
        return out;
    }

private:
    void Key(const char* key) {
        if (!m_first) m_out += ',';
        m_first = false;
        if (!m_oneLine) {
            m_out += '\n';
            Indent();
        }
        if (key) {
            m_out += Quote(key);
            m_out += ": ";
        }
    }
    void Indent() { m_out.append(static_cast<size_t>(m_depth), ' '); }

public:
    static std::string FloatText(float v) {
        char buf[32];
        return std::string(buf, WriteFloat9(buf, v));
    }

private:
    void Float(float v) {
        char buf[32];
        m_out.append(buf, WriteFloat9(buf, v));
    }

    std::string m_out;
    bool m_oneLine;
    bool m_first = true;
    int m_depth = 0;
};

template <class T> auto Getter(const T& obj, float (T::*get)(std::int16_t) const) {
    return [&obj, get](std::int16_t k) { return (obj.*get)(k); };
}

// The summary laid out one key a line, or, with a case (a JSON value) to put first, on one line.
// With `everyKey`, also the keys only some summaries hold (the match, the warnings), with any values.
std::string Summary(const CaseOutcome& outcome, const Q7Objects& o, const std::string* caseJson,
                    bool everyKey = false) {
    JsonOut j(caseJson != nullptr);
    j.str().reserve(caseJson ? 8192 : 12288);
    j.str() += '{';
    if (caseJson) j.Raw("case", *caseJson);
    if (outcome.gasStatus)
        j.Integer("gasStatus", *outcome.gasStatus);
    else
        j.Null("gasStatus");

    std::string messages = "[";
    for (size_t i = 0; i < outcome.messages.size(); ++i) {
        if (i) messages += ", ";
        messages += "{\"title\": " + JsonOut::Quote(outcome.messages[i].title) +
                    ", \"text\": " + JsonOut::Quote(outcome.messages[i].text) + "}";
    }
    messages += "]";
    j.Raw("messages", messages);

    if (outcome.error) {
        j.Open("error");
        j.Text("stage", outcome.error->Title());
        j.Text("kind", outcome.error->kind);
        j.Text("text", outcome.error->text);
        j.Close();
    } else {
        j.Null("error");
    }

    const clsFluid& f = o.Fluid;
    j.Open("fluid");
    j.Number("StdP", f.StdP());
    j.Text("StdTU", f.StdTU());
    j.Number("StdTf", f.StdTf());
    j.Number("StdTc", f.StdTc());
    j.Number("StdTr", f.StdTr());
    j.Text("ResTU", f.ResTU());
    j.Number("ResTf", f.ResTf());
    j.Number("ResTc", f.ResTc());
    j.Number("ResTr", f.ResTr());
    j.Bool("PhaseOil", f.PhaseOil());
    j.Bool("PhaseGas", f.PhaseGas());
    j.Bool("PhaseWater", f.PhaseWater());
    j.Close();

    const clsPrs& p = o.Prs;
    j.Open("prs");
    j.Text("PrRange", p.PrRange());
    j.Number("PrMin", p.PrMin());
    j.Number("PrIni", p.PrIni());
    j.Number("PrMax", p.PrMax());
    j.Integer("NPRSi", p.NPRSi());
    j.List("PRSi", p.NPRSi(), Getter(p, &clsPrs::GetPRSi));
    j.Integer("NPRSo", p.NPRSo());
    j.List("PRSo", p.NPRSo(), Getter(p, &clsPrs::GetPRSo));
    j.Integer("BPPi", p.BPPi());
    j.Close();

    const int rows = p.NPRSo();
    const clsOil& oil = o.Oil;
    j.Open("oil");
    j.Number("API", oil.API());
    j.Number("OilSG", oil.OilSG());
    j.Number("SepGG", oil.SepGG());
    j.Number("SepGGn", oil.SepGGn());
    j.Number("SepP", oil.SepP());
    j.Number("SepTf", oil.SepTf());
    j.Number("SepTc", oil.SepTc());
    j.Number("SepTr", oil.SepTr());
    j.Number("RSI", oil.RSI());
    j.Number("RSITank", oil.RSITank());
    j.Number("RSISep", oil.RSISep());
    j.Number("Pbp", oil.Pbp());
    j.Number("STDenOil", oil.STDenOil());
    j.Number("STDenGas", oil.STDenGas());
    j.Bool("GO", oil.GO());
    j.Open("tables");
    j.List("RSOS", rows, Getter(oil, &clsOil::GetRSOS));
    j.List("RSO", rows, Getter(oil, &clsOil::GetRSO));
    j.List("BOS", rows, Getter(oil, &clsOil::GetBOS));
    j.List("BO", rows, Getter(oil, &clsOil::GetBO));
    j.List("MUOS", rows, Getter(oil, &clsOil::GetMUOS));
    j.List("MUO", rows, Getter(oil, &clsOil::GetMUO));
    j.List("CO", rows, Getter(oil, &clsOil::GetCO));
    j.List("RHOOS", rows, Getter(oil, &clsOil::GetRHOOS));
    j.List("RHOO", rows, Getter(oil, &clsOil::GetRHOO));
    j.Close();
    if (oil.Match().Made || everyKey) {
        // The match to laboratory values: the scale on the correlation's pressure, k on Bo - 1, the
        // factor on every viscosity.
        j.Open("match");
        j.Number("PressureScale", oil.Match().PressureScale);
        j.Number("BoFactor", oil.Match().BoFactor);
        j.Number("ViscosityFactor", oil.Match().ViscosityFactor);
        j.Close();
    }
    j.Close();

    const clsGas& g = o.Gas;
    j.Open("gas");
    j.Text("GasEntry", g.GasEntry());
    j.Number("GasGrav", g.GasGrav());
    j.Number("mfN", g.mfN());
    j.Number("mfCO2", g.mfCO2());
    j.Number("mfH2S", g.mfH2S());
    j.Number("SumGC", g.SumGC());
    j.Integer("PlusEntry", g.PlusEntry());
    j.Number("PLUSmw", g.PLUSmw());
    j.Number("PLUSgg", g.PLUSgg());
    j.Number("pC", g.pC());
    j.Number("tC", g.tC());
    j.Number("PTR", g.PTR());
    j.Number("STDenGas", g.STDenGas());
    j.List("GC", clsGas::kComponents, Getter(g, &clsGas::GetGC));
    j.Bool("GO", g.GO());
    j.Open("tables");
    j.List("PPR", rows, Getter(g, &clsGas::GetPPR));
    j.List("Z", rows, Getter(g, &clsGas::GetZ));
    j.List("PZ", rows, Getter(g, &clsGas::GetPZ));
    j.List("BG", rows, Getter(g, &clsGas::GetBG));
    j.List("RHOG", rows, Getter(g, &clsGas::GetRHOG));
    j.List("CG", rows, Getter(g, &clsGas::GetCG));
    j.List("MUG", rows, Getter(g, &clsGas::GetMUG));
    j.List("RMP", rows, Getter(g, &clsGas::GetRMP));
    j.Close();
    j.Close();

    const clsWater& w = o.Water;
    j.Open("water");
    j.Integer("PPM", w.PPM());
    j.Number("PER", w.PER());
    j.Number("STDenWat", w.STDenWat());
    j.Number("STDenGas", w.STDenGas());
    j.Bool("GO", w.GO());
    j.Open("tables");
    j.List("BW", rows, Getter(w, &clsWater::GetBW));
    j.List("RSW", rows, Getter(w, &clsWater::GetRSW));
    j.List("CW", rows, Getter(w, &clsWater::GetCW));
    j.List("MUW", rows, Getter(w, &clsWater::GetMUW));
    j.List("RHOW", rows, Getter(w, &clsWater::GetRHOW));
    j.Close();
    j.Close();

    const clsRock& r = o.Rock;
    j.Open("rock");
    j.Integer("Fluids", r.Fluids());
    j.Integer("Displace", r.Displace());
    j.Integer("Lith", r.Lith());
    j.Integer("Wet", r.Wet());
    j.Integer("CORR", r.CORR());
    j.Number("CoreyK", r.CoreyK());
    j.Number("CoreyN", r.CoreyN());
    j.Number("HRPoro", r.HRPoro());
    j.Number("HRAir", r.HRAir());
    j.Number("HRKrg", r.HRKrg());
    j.Number("SWC", r.SWC());
    j.Number("SORW", r.SORW());
    j.Number("SORG", r.SORG());
    j.Number("SGCrit", r.SGCrit());
    j.Integer("NWet", r.NWet());
    j.Bool("GO", r.GO());
    j.Open("tables");
    const int wet = r.NWet();
    j.List("SWet", wet, Getter(r, &clsRock::GetSWet));
    j.List("SNWet", wet, Getter(r, &clsRock::GetSNWet));
    j.List("SD", wet, Getter(r, &clsRock::GetSD));
    j.List("KRWat", wet, Getter(r, &clsRock::GetKRWat));
    j.List("KROil", wet, Getter(r, &clsRock::GetKROil));
    j.List("KRGas", wet, Getter(r, &clsRock::GetKRGas));
    if (r.HasPc()) j.List("PC", wet, Getter(r, &clsRock::GetPC)); // psi, with a capillary-pressure model
    j.Close();
    j.Close();

    // Impossible values, only when there are any: a clean case's summary has no such key.
    std::vector<ValueWarning> warnings = ImpossibleValues(o);
    if (OfferedEclipseTables(o).PVTO)
        for (ValueWarning& w : TotalCompressibilityWarnings(o))
            warnings.push_back(std::move(w));
    if (everyKey && warnings.empty()) warnings.push_back({"Oil", 1, 0.0, "any"});
    if (!warnings.empty()) {
        std::string list = "[";
        for (size_t i = 0; i < warnings.size(); ++i) {
            const ValueWarning& w = warnings[i];
            if (i) list += ",";
            if (!caseJson) list += "\n  ";
            list += "{\"table\": " + JsonOut::Quote(w.table) + ", \"row\": " + std::to_string(w.row) +
                    ", \"value\": " + JsonOut::FloatText(static_cast<float>(w.value)) +
                    ", \"text\": " + JsonOut::Quote(w.text) + "}";
        }
        list += caseJson ? "]" : "\n ]";
        j.Raw("warnings", list);
    }

    // Inputs and table rows outside the data of a correlation the case uses, only when there are any.
    const std::vector<RangeWarning> ranges = RangeWarnings(o);
    if (!ranges.empty()) {
        std::string list = "[";
        for (size_t i = 0; i < ranges.size(); ++i) {
            const RangeWarning& w = ranges[i];
            if (i) list += ",";
            if (!caseJson) list += "\n  ";
            list += "{\"table\": " + JsonOut::Quote(w.table) + ", \"key\": " + JsonOut::Quote(w.key) +
                    ", \"correlation\": " + JsonOut::Quote(w.correlation) +
                    ", \"input\": " + JsonOut::Quote(w.input) + ", \"row\": " + std::to_string(w.row) +
                    ", \"value\": " + JsonOut::FloatText(static_cast<float>(w.value)) +
                    ", \"text\": " + JsonOut::Quote(w.text) + "}";
        }
        list += caseJson ? "]" : "\n ]";
        j.Raw("rangeWarnings", list);
    }

    j.str() += caseJson ? "}\n" : "\n}\n";
    return std::move(j.str());
}

} // namespace

std::string SummaryJson(const CaseOutcome& outcome, const Q7Objects& o) {
    return Summary(outcome, o, nullptr);
}

std::string SummaryLine(const std::string& caseJson, const CaseOutcome& outcome, const Q7Objects& objects) {
    return Summary(outcome, objects, &caseJson);
}

std::string ResultLineShape() {
    NullMessageSink sink;
    const Q7Objects objects(sink);
    CaseOutcome outcome;
    outcome.gasStatus = 0;
    outcome.messages.push_back({"any", "any"});
    outcome.error = CalcFailure{CalcStage::Oil, "any", "any"};
    const std::string caseJson = "0";
    return Summary(outcome, objects, &caseJson, true);
}

std::string FailedCaseLine(const std::string& caseJson, const CalcFailure& failure) {
    return "{\"case\": " + caseJson + ", \"error\": {\"stage\": " + JsonOut::Quote(failure.Title()) +
           ", \"kind\": " + JsonOut::Quote(failure.kind) + ", \"text\": " + JsonOut::Quote(failure.text) +
           "}}\n";
}

std::string JsonQuote(const std::string& text) {
    return JsonOut::Quote(text);
}

} // namespace q7

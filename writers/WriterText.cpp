#include "writers/WriterText.h"

#include "engine/clsOil.h"
#include "numeric/NumericText.h"
#include "rock/clsRock.h"

namespace q7 {

std::vector<RockModelLine> RockModelLines(const clsRock& rock) {
    std::vector<RockModelLine> out;
    auto v = [](float x) { return GeneralForm(x); };
    auto let = [&](const char* phase, float L, float E, float T) {
        out.push_back({std::string("LET ") + phase + " L E T", v(L) + " " + v(E) + " " + v(T)});
    };
    const bool gasOil = rock.Fluids() == 1;
    if (rock.CORR() == 2) {
        if (gasOil) {
            let("Gas", rock.LetGasL(), rock.LetGasE(), rock.LetGasT());
            let("Oil", rock.LetOilL(), rock.LetOilE(), rock.LetOilT());
            out.push_back({"Krg Max", v(rock.KrgMax())});
        } else {
            let("Water", rock.LetWaterL(), rock.LetWaterE(), rock.LetWaterT());
            let("Oil", rock.LetOilL(), rock.LetOilE(), rock.LetOilT());
            out.push_back({"Krw Max", v(rock.KrwMax())});
        }
        out.push_back({"Kro Max", v(rock.KroMax())});
    }
    if (!rock.HasPc()) return out;
    const int model = gasOil ? rock.PcogModel() : rock.PcowModel();
    const char* name = model == 1 ? "Leverett J" : model == 2 ? "Brooks-Corey" : "Skjaeveland";
    out.push_back({gasOil ? "Capillary Pressure (Pcog)" : "Capillary Pressure (Pcow)", name});
    if (model == 1) {
        out.push_back({"J = A S*^-B, A B", gasOil ? v(rock.PcogJA()) + " " + v(rock.PcogJB())
                                                  : v(rock.PcowJA()) + " " + v(rock.PcowJB())});
        out.push_back({"IFT (mN/m)", v(gasOil ? rock.PcogIFT() : rock.PcowIFT())});
        out.push_back({"Contact Angle (deg)", v(gasOil ? rock.PcogAngle() : rock.PcowAngle())});
        out.push_back({"Porosity (frac)", v(rock.HRPoro())});
        out.push_back({"Permeability (md)", v(rock.HRAir())});
    } else if (model == 2) {
        out.push_back({"Entry Pressure (psi)", v(gasOil ? rock.PcogEntry() : rock.PcowEntry())});
        out.push_back({"Lambda", v(gasOil ? rock.PcogLambda() : rock.PcowLambda())});
    } else {
        out.push_back({"Cw (psi) Aw", v(rock.PcowCw()) + " " + v(rock.PcowAw())});
        out.push_back({"Co (psi) Ao", v(rock.PcowCo()) + " " + v(rock.PcowAo())});
    }
    out.push_back({"Pc Cap (psi)", v(gasOil ? rock.PcogMax() : rock.PcowMax())});
    return out;
}

std::string HtmlEscape(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::vector<std::string> OilMatchLines(const clsOil& oil) {
    std::vector<std::string> lines;
    const OilMatch& match = oil.Match();
    if (!match.Made) return lines;
    const OilLabData& lab = oil.Lab();
    std::string given = "Oil tables matched to laboratory data:";
    const auto add = [&given](const char* name, const std::optional<float>& v, const char* unit) {
        if (!v) return;
        given += ' ';
        given += name;
        given += ' ';
        given += GeneralForm(*v);
        given += unit;
    };
    add("Pb", lab.Pb, " psia");
    add("Rsb", lab.Rsb, " scf/stb");
    add("Bob", lab.Bob, " rb/stb");
    add("Muob", lab.Muob, " cp");
    lines.push_back(given);
    std::string factors = "Match factors: pressure scale ";
    factors += GeneralForm(match.PressureScale);
    factors += ", Bo factor ";
    factors += GeneralForm(match.BoFactor);
    factors += ", viscosity factor ";
    factors += GeneralForm(match.ViscosityFactor);
    lines.push_back(factors);
    return lines;
}

} // namespace q7

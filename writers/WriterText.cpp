#include "writers/WriterText.h"

#include "engine/NumericText.h"
#include "engine/clsOil.h"
#include "rock/clsRock.h"

namespace q7 {

const char* RockFluidsText(const clsRock& rock) {
    return rock.Fluids() == 1 ? "Gas/Oil System" : "Oil/Water System";
}
const char* RockDisplacementText(const clsRock& rock) {
    return rock.Displace() == 1 ? "Imbibition" : "Drainage";
}
const char* RockLithologyText(const clsRock& rock) {
    return rock.Lith() == 1 ? "Limestone" : "Sandstone";
}
const char* RockWettabilityText(const clsRock& rock) {
    return rock.Wet() == 1 ? "Oil Wet" : "Water Wet";
}
const char* RockCorrelationText(const clsRock& rock) {
    return rock.CORR() == 1 ? "Honarpour" : "Corey";
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

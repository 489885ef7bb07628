// Applying a case to a fresh set of objects, in the order in which loading a project fills the
// form, each value passing through the text the form would show.
#include "batch/CaseFile.h"

#include "engine/NumericText.h"
#include "engine/Q7Objects.h"

#include <algorithm>
#include <cctype>

namespace q7 {

namespace {

// The text a box shows for a value formatted with a fixed number of decimals ("0.0000").
std::string Fixed(float v, std::int16_t decimals) {
    std::string s = Nbr2Str(v, 48, decimals);
    s.erase(0, s.find_first_not_of(' '));
    return s;
}

class Applier {
public:
    Applier(const CaseFile& c, Q7Objects& o) : m_case(c), m_obj(o) {}

    // The text of a stored value, as the form shows it: the general form of the single, or the
    // box's fixed format.
    std::string Text(const std::string& key, int decimals = -1) const {
        const float v = static_cast<float>(m_case.Number(key));
        return decimals < 0 ? GeneralForm(v) : Fixed(v, static_cast<std::int16_t>(decimals));
    }

    template <class F> void IfNumber(const std::string& key, F&& set, int decimals = -1) {
        if (m_case.Has(key)) set(Text(key, decimals));
    }
    template <class F> void IfText(const std::string& key, F&& set) {
        if (m_case.Has(key)) set(m_case.Text(key));
    }
    template <class F> void IfInt(const std::string& key, F&& set) {
        if (m_case.Has(key)) set(static_cast<std::int16_t>(m_case.Number(key)));
    }

    void Apply() {
        clsFluid& fluid = m_obj.Fluid;
        if (m_case.Has("PhaseOil")) fluid.PhaseOil(m_case.Number("PhaseOil") != 0.0);
        if (m_case.Has("PhaseGas")) fluid.PhaseGas(m_case.Number("PhaseGas") != 0.0);
        if (m_case.Has("PhaseWater")) fluid.PhaseWater(m_case.Number("PhaseWater") != 0.0);
        IfNumber("StdPressure", [&](const std::string& t) { fluid.SetStdP(t); });
        IfText("StdTempUnits", [&](const std::string& t) { fluid.StdTU(t); });
        IfNumber("StdTemp", [&](const std::string& t) { fluid.SetStdT(t); });
        IfText("ResTempUnits", [&](const std::string& t) { fluid.ResTU(t); });
        IfNumber("RESTEMP", [&](const std::string& t) { fluid.SetResT(t); });

        clsPrs& prs = m_obj.Prs;
        IfText("PrRange", [&](const std::string& t) { prs.PrRange(t); });
        IfNumber("MinPr", [&](const std::string& t) { prs.SetMinP(t); });
        IfNumber("InitPr", [&](const std::string& t) { prs.SetIniP(t); });
        IfNumber("MaxPr", [&](const std::string& t) { prs.SetMaxP(t); });
        if (prs.PrRange() == "I") {
            for (std::int16_t k = 1; k <= 18; ++k)
                IfNumber(PressureKey(k), [&](const std::string& t) { prs.SetPRSi(t, k); });
        }

        clsOil& oil = m_obj.Oil;
        if (m_case.Has("API"))
            oil.SetAPI(Text("API"));
        else
            IfNumber("SpecGrav", [&](const std::string& t) { oil.SetOilSG(t); });
        IfNumber("SepGasGrav", [&](const std::string& t) { oil.SetSepGG(t); });
        IfNumber("SepP", [&](const std::string& t) { oil.SetSepP(t); });
        IfText("SepTUnits", [&](const std::string& t) { oil.SepTU(t); });
        IfNumber("SepT", [&](const std::string& t) { oil.SetSepT(t); });

        clsGas& gas = m_obj.Gas;
        IfText("GasEntry", [&](const std::string& t) { gas.GasEntry(t); });
        IfNumber(
            "GasGrav", [&](const std::string& t) { gas.SetGasGrav(t); }, 4);
        IfNumber(
            "MFnitrogen", [&](const std::string& t) { gas.SetmfN(t); }, 4);
        IfNumber(
            "mfCO2", [&](const std::string& t) { gas.SetmfCO2(t); }, 4);
        IfNumber(
            "mfH2S", [&](const std::string& t) { gas.SetmfH2S(t); }, 4);
        for (std::int16_t k = 1; k <= 15; ++k)
            IfNumber(
                "gc" + std::to_string(k), [&](const std::string& t) { gas.SetGC(t, k); }, 4);
        IfNumber("PLUSmw", [&](const std::string& t) { gas.SetPLUSmw(t); });
        IfNumber("PLUSgg", [&](const std::string& t) { gas.SetPLUSgg(t); });
        if (m_case.Has("PlusEntry")) {
            // Ticking "Plus" on row k zeroes the hydrocarbon rows below it.
            const auto k = static_cast<std::int16_t>(m_case.Number("PlusEntry"));
            if (k >= 1 && k <= 12) {
                for (std::int16_t j = k + 1; j <= 12; ++j)
                    gas.SetGC("0.0000", j);
                gas.PlusEntry(k);
            } else {
                gas.PlusEntry(0);
            }
        }

        clsWater& water = m_obj.Water;
        IfNumber(
            "PPMSalinity", [&](const std::string& t) { water.SetPPM(t); }, 0);
        IfNumber("PERSalinity", [&](const std::string& t) { water.SetPER(t); });

        clsRock& rock = m_obj.Rock;
        IfInt("RockType", [&](std::int16_t v) { rock.Fluids(v); });
        IfInt("DrainType", [&](std::int16_t v) { rock.Displace(v); });
        IfInt("LithType", [&](std::int16_t v) { rock.Lith(v); });
        IfInt("WetType", [&](std::int16_t v) { rock.Wet(v); });
        IfInt("CorrType", [&](std::int16_t v) { rock.CORR(v); });
        IfNumber(
            "SWC", [&](const std::string& t) { rock.SetSWC(t); }, 2);
        IfNumber(
            "SORW", [&](const std::string& t) { rock.SetSORW(t); }, 2);
        IfNumber(
            "SORG", [&](const std::string& t) { rock.SetSORG(t); }, 2);
        IfNumber(
            "SGCrit", [&](const std::string& t) { rock.SetSGCrit(t); }, 2);
        IfNumber("CoreyK", [&](const std::string& t) { rock.SetCoreyK(t); });
        IfNumber("CoreyN", [&](const std::string& t) { rock.SetCoreyN(t); });
        IfNumber("HRPoro", [&](const std::string& t) { rock.SetHRPoro(t); });
        IfNumber("HRAir", [&](const std::string& t) { rock.SetHRAir(t); });
        IfNumber("HRKrg", [&](const std::string& t) { rock.SetHRKrg(t); });
    }

private:
    const CaseFile& m_case;
    Q7Objects& m_obj;
};

} // namespace

void ApplyCase(const CaseFile& c, Q7Objects& objects) {
    Applier(c, objects).Apply();
}

} // namespace q7

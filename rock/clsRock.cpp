#include "rock/clsRock.h"

#include "numeric/Checked.h"
#include "numeric/Errors.h"
#include "numeric/NumericText.h"
#include "rock/SaturationModels.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace q7 {
namespace {

std::size_t CheckedRow(std::int16_t i, std::int16_t rows) {
    if (i < 1 || i > rows) throw SubscriptError();
    return static_cast<std::size_t>(i);
}

std::string Shown(double v) {
    return GeneralForm(static_cast<float>(v));
}

} // namespace

clsRock::clsRock() {
    Fluids(0);
    Displace(0);
    Lith(0);
    Wet(0);
    CORR(0);
    m_CoreyK = 3.0f;
    m_CoreyN = 4.0f;
    m_HRPoro = 0.25f;
    m_HRAir = 50.0f;
    m_HRKrg = 0.5f;
    m_SWC = 0.2f;
    m_SORW = 0.4f;
    m_SORG = 0.4f;
    m_SGCrit = 0.3f;
    m_NWet = kRows;
    m_GO = false;
}

void clsRock::SetSWC(std::string_view text) {
    m_SWC = Str2Nbr(text);
}
void clsRock::SetSORW(std::string_view text) {
    m_SORW = Str2Nbr(text);
}
void clsRock::SetSORG(std::string_view text) {
    m_SORG = Str2Nbr(text);
}
void clsRock::SetSGCrit(std::string_view text) {
    m_SGCrit = Str2Nbr(text);
}
void clsRock::SetCoreyK(std::string_view text) {
    m_CoreyK = Str2Nbr(text);
}
void clsRock::SetCoreyN(std::string_view text) {
    m_CoreyN = Str2Nbr(text);
}
void clsRock::SetHRPoro(std::string_view text) {
    m_HRPoro = Str2Nbr(text);
}
void clsRock::SetHRAir(std::string_view text) {
    m_HRAir = Str2Nbr(text);
}
void clsRock::SetHRKrg(std::string_view text) {
    m_HRKrg = Str2Nbr(text);
}
void clsRock::SetPcowMax(std::string_view text) {
    m_PcowMax = Str2Nbr(text);
}
void clsRock::SetPcowJA(std::string_view text) {
    m_PcowJA = Str2Nbr(text);
}
void clsRock::SetPcowJB(std::string_view text) {
    m_PcowJB = Str2Nbr(text);
}
void clsRock::SetPcowIFT(std::string_view text) {
    m_PcowIFT = Str2Nbr(text);
}
void clsRock::SetPcowAngle(std::string_view text) {
    m_PcowAngle = Str2Nbr(text);
}
void clsRock::SetPcowEntry(std::string_view text) {
    m_PcowEntry = Str2Nbr(text);
}
void clsRock::SetPcowLambda(std::string_view text) {
    m_PcowLambda = Str2Nbr(text);
}
void clsRock::SetPcowCw(std::string_view text) {
    m_PcowCw = Str2Nbr(text);
}
void clsRock::SetPcowAw(std::string_view text) {
    m_PcowAw = Str2Nbr(text);
}
void clsRock::SetPcowCo(std::string_view text) {
    m_PcowCo = Str2Nbr(text);
}
void clsRock::SetPcowAo(std::string_view text) {
    m_PcowAo = Str2Nbr(text);
}
void clsRock::SetPcogMax(std::string_view text) {
    m_PcogMax = Str2Nbr(text);
}
void clsRock::SetPcogJA(std::string_view text) {
    m_PcogJA = Str2Nbr(text);
}
void clsRock::SetPcogJB(std::string_view text) {
    m_PcogJB = Str2Nbr(text);
}
void clsRock::SetPcogIFT(std::string_view text) {
    m_PcogIFT = Str2Nbr(text);
}
void clsRock::SetPcogAngle(std::string_view text) {
    m_PcogAngle = Str2Nbr(text);
}
void clsRock::SetPcogEntry(std::string_view text) {
    m_PcogEntry = Str2Nbr(text);
}
void clsRock::SetPcogLambda(std::string_view text) {
    m_PcogLambda = Str2Nbr(text);
}
void clsRock::SetLetWaterL(std::string_view text) {
    m_LetWaterL = Str2Nbr(text);
}
void clsRock::SetLetWaterE(std::string_view text) {
    m_LetWaterE = Str2Nbr(text);
}
void clsRock::SetLetWaterT(std::string_view text) {
    m_LetWaterT = Str2Nbr(text);
}
void clsRock::SetLetOilL(std::string_view text) {
    m_LetOilL = Str2Nbr(text);
}
void clsRock::SetLetOilE(std::string_view text) {
    m_LetOilE = Str2Nbr(text);
}
void clsRock::SetLetOilT(std::string_view text) {
    m_LetOilT = Str2Nbr(text);
}
void clsRock::SetLetGasL(std::string_view text) {
    m_LetGasL = Str2Nbr(text);
}
void clsRock::SetLetGasE(std::string_view text) {
    m_LetGasE = Str2Nbr(text);
}
void clsRock::SetLetGasT(std::string_view text) {
    m_LetGasT = Str2Nbr(text);
}
void clsRock::SetKrwMax(std::string_view text) {
    m_KrwMax = Str2Nbr(text);
}
void clsRock::SetKroMax(std::string_view text) {
    m_KroMax = Str2Nbr(text);
}
void clsRock::SetKrgMax(std::string_view text) {
    m_KrgMax = Str2Nbr(text);
}

float clsRock::GetSWet(std::int16_t i) const {
    if (i < 1) i = 1;
    if (i > m_NWet) i = m_NWet;
    return m_SWet[static_cast<std::size_t>(i)];
}

float clsRock::GetSNWet(std::int16_t i) const {
    if (i < 1) i = 1;
    if (i > m_NWet) i = m_NWet;
    return m_SNWet[static_cast<std::size_t>(i)];
}

float clsRock::GetSD(std::int16_t i) const {
    return m_SD[CheckedRow(i, m_NWet)];
}
float clsRock::GetKROil(std::int16_t i) const {
    return m_KROil[CheckedRow(i, m_NWet)];
}
float clsRock::GetKRWat(std::int16_t i) const {
    return m_KRWat[CheckedRow(i, m_NWet)];
}
float clsRock::GetKRGas(std::int16_t i) const {
    return m_KRGas[CheckedRow(i, m_NWet)];
}
float clsRock::GetPC(std::int16_t i) const {
    return m_PC[CheckedRow(i, m_NWet)];
}

bool clsRock::HasPc() const {
    switch (m_Fluids) {
    case 0:
    case 3:
        return m_PcowModel != 0;
    case 1:
        return m_PcogModel != 0;
    case 2:
        return m_PcowModel != 0 || m_PcogModel != 0;
    default:
        return false;
    }
}

const clsRock* clsRock::OilWaterTable() const {
    return m_Fluids == 0 ? this : m_Fluids == 2 ? m_OilWater.get() : nullptr;
}
const clsRock* clsRock::GasOilTable() const {
    return m_Fluids == 1 ? this : m_Fluids == 2 ? m_GasOil.get() : nullptr;
}
const clsRock* clsRock::GasWaterTable() const {
    return m_Fluids == 3 ? this : nullptr;
}
std::vector<const clsRock*> clsRock::Tables() const {
    std::vector<const clsRock*> out;
    for (const clsRock* t : {OilWaterTable(), GasOilTable(), GasWaterTable()})
        if (t) out.push_back(t);
    return out;
}

// Both tables from the same inputs: each is the table of a rock of its own system.
void clsRock::CalcBoth() {
    auto part = [this](std::int16_t fluids) {
        auto r = std::make_shared<clsRock>(*this);
        r->m_Fluids = fluids;
        r->CalcRock();
        return r;
    };
    auto oilWater = part(0);
    auto gasOil = part(1);
    m_NWet = oilWater->m_NWet;
    m_SWet = oilWater->m_SWet;
    m_SNWet = oilWater->m_SNWet;
    m_SD = oilWater->m_SD;
    m_KROil = oilWater->m_KROil;
    m_KRWat = oilWater->m_KRWat;
    m_KRGas = oilWater->m_KRGas;
    m_PC = oilWater->m_PC;
    m_OilWater = std::move(oilWater);
    m_GasOil = std::move(gasOil);
}

void clsRock::CalcRock() {
    m_GO = false;
    m_OilWater.reset();
    m_GasOil.reset();
    if (m_SatRows < kRows || m_SatRows > kMaxRows)
        throw RockInputError("SatRows " + std::to_string(m_SatRows) + " must be a whole number from " +
                             std::to_string(kRows) + " to " + std::to_string(kMaxRows));
    if (m_Fluids == 2) {
        CalcBoth();
        m_GO = true;
        return;
    }
    if (m_Fluids == 3 && m_CORR == 1)
        throw RockInputError("Honarpour has no gas–water correlation: choose Corey (CorrType 0) or LET "
                             "(CorrType 2)");
    m_NWet = m_SatRows;
    const int n = m_NWet;
    for (int i = 1; i <= kMaxRows; ++i) {
        m_KROil[i] = 0.0f;
        m_KRGas[i] = 0.0f;
        m_KRWat[i] = 0.0f;
        m_PC[i] = 0.0f;
    }
    BuildGrid();
    for (int i = 1; i <= n; ++i)
        Store(m_SNWet[i], 1.0 - m_SWet[i]);

    if (m_CORR == 0) {
        CoreyCurves();
    } else if (m_CORR == 1 && m_Displace == 1) {
        if (m_Fluids == 0) HonarpourOilWater();
        if (m_Fluids == 1) HonarpourGasOil();
    } else if (m_CORR == 2) {
        LetCurves();
    }

    for (int i = 1; i <= n; ++i) {
        for (float* kr : {&m_KROil[i], &m_KRWat[i], &m_KRGas[i]}) {
            if (*kr < 0.0f) *kr = 0.0f;
            if (*kr > 1.0f) *kr = 1.0f;
        }
    }
    CapillaryPressure();
    m_GO = true;
}

// The n saturations: two steps of h at each end of the inner span and equal steps d between. The
// inner span is n − 1 intervals of 2h for oil–water drainage (SWC to 1), n − 2 for oil–water
// imbibition (SWC to 1 − SORW, then 1) and for gas–water (SWC to 1 − SGCrit, then 1), n − 3 for gas–oil (SWC,
// then SWC + SORG to 1 − SGCrit, then 1): with 15 rows 14, 13 and 12.
void clsRock::BuildGrid() {
    auto& S = m_SWet;
    const int n = m_NWet;
    Store(S[1], m_SWC);
    Store(S[n], 1.0);
    if (m_Fluids == 0 && m_Displace == 0) {
        const double h = Single(Div(Div(static_cast<double>(S[n]) - S[1], n - 1.0), 2.0));
        Store(S[2], S[1] + h);
        Store(S[3], S[2] + h);
        Store(S[n - 1], S[n] - h);
        Store(S[n - 2], S[n - 1] - h);
        const double d = Single(Div(static_cast<double>(S[n - 2]) - S[3], n - 5.0));
        for (int i = 4; i <= n - 3; ++i)
            Store(S[i], S[i - 1] + d);
    } else if ((m_Fluids == 0 && m_Displace == 1) || m_Fluids == 3) {
        Store(S[n - 1], 1.0 - (m_Fluids == 3 ? m_SGCrit : m_SORW));
        const double h = Single(Div(Div(static_cast<double>(S[n - 1]) - S[1], n - 2.0), 2.0));
        Store(S[2], S[1] + h);
        Store(S[3], S[2] + h);
        Store(S[n - 2], S[n - 1] - h);
        Store(S[n - 3], S[n - 2] - h);
        const double d = Single(Div(static_cast<double>(S[n - 3]) - S[3], n - 6.0));
        for (int i = 4; i <= n - 4; ++i)
            Store(S[i], S[i - 1] + d);
    } else if (m_Fluids == 1) {
        Store(S[n - 1], 1.0 - m_SGCrit);
        Store(S[2], static_cast<double>(S[1]) + m_SORG);
        const double h = Single(Div(Div(static_cast<double>(S[n - 1]) - S[2], n - 3.0), 2.0));
        Store(S[3], S[2] + h);
        Store(S[4], S[3] + h);
        Store(S[n - 2], S[n - 1] - h);
        Store(S[n - 3], S[n - 2] - h);
        const double d = Single(Div(static_cast<double>(S[n - 3]) - S[4], n - 7.0));
        for (int i = 5; i <= n - 4; ++i)
            Store(S[i], S[i - 1] + d);
    }
}

// Corey (1954) curves on a normalised saturation S: the wetting phase S^K (2 − S), the other
// phase (1 − S)^N.
void clsRock::CoreyCurves() {
    const double K = m_CoreyK;
    const double N = m_CoreyN;
    const double swc = m_SWC;
    auto wetting = [K](double s) { return Pow(s, K) * (2.0 - s); };
    auto nonWetting = [N](double s) { return Pow(1.0 - s, N); };

    if (m_Fluids == 0 && m_Displace == 0) {
        for (int i = 1; i <= m_NWet; ++i) {
            const double sd = Store(m_SD[i], Div(m_SNWet[i], 1.0 - m_SWet[1]));
            Store(m_KROil[i], wetting(sd));
            Store(m_KRWat[i], nonWetting(sd));
        }
    } else if (m_Fluids == 0 && m_Displace == 1) {
        for (int i = 1; i <= m_NWet; ++i) {
            Store(m_SD[i], Div(m_SWet[i] - swc, 1.0 - swc - m_SORW));
            if (m_SD[i] > 1.0f) m_SD[i] = 1.0f;
            Store(m_KROil[i], nonWetting(m_SD[i]));
        }
        for (int i = 1; i <= m_NWet; ++i) {
            const double sd = Store(m_SD[i], Div(m_SWet[i] - swc, 1.0 - swc));
            Store(m_KRWat[i], wetting(sd));
        }
    } else if (m_Fluids == 3) {
        // Gas–water, either displacement: gas (non-wetting) on the water saturation normalised
        // between SWC and 1 − SGCrit, water as in the oil–water imbibition table.
        for (int i = 1; i <= m_NWet; ++i) {
            Store(m_SD[i], Div(m_SWet[i] - swc, 1.0 - swc - m_SGCrit));
            if (m_SD[i] > 1.0f) m_SD[i] = 1.0f;
            Store(m_KRGas[i], nonWetting(m_SD[i]));
        }
        for (int i = 1; i <= m_NWet; ++i) {
            const double sd = Store(m_SD[i], Div(m_SWet[i] - swc, 1.0 - swc));
            Store(m_KRWat[i], wetting(sd));
        }
    } else if (m_Fluids == 1 && m_Displace == 0) {
        for (int i = 1; i <= m_NWet; ++i) {
            Store(m_SD[i], Div(static_cast<double>(m_SNWet[i]) - m_SGCrit, 1.0 - swc));
            if (m_SD[i] < 0.0f) m_SD[i] = 0.0f;
            Store(m_KRGas[i], wetting(m_SD[i]));
            Store(m_KROil[i], nonWetting(m_SD[i]));
        }
    } else if (m_Fluids == 1 && m_Displace == 1) {
        for (int i = 1; i <= m_NWet; ++i) {
            Store(m_SD[i], Div(static_cast<double>(m_SNWet[i]) - m_SGCrit, 1.0 - swc - m_SORG));
            if (m_SD[i] < 0.0f) m_SD[i] = 0.0f;
            if (m_SD[i] > 1.0f) m_SD[i] = 1.0f;
            Store(m_KROil[i], nonWetting(m_SD[i]));
        }
        for (int i = 1; i <= m_NWet; ++i) {
            Store(m_SD[i], Div(static_cast<double>(m_SNWet[i]) - m_SGCrit, 1.0 - swc));
            if (m_SD[i] < 0.0f) m_SD[i] = 0.0f;
            Store(m_KRGas[i], wetting(m_SD[i]));
        }
    }
}

// Honarpour, Koederitz and Harvey (1982) imbibition correlations, oil–water system; saturations as
// fractions, porosity fraction, air permeability md. Rows 1..n − 1; row n is the water end point.
void clsRock::HonarpourOilWater() {
    const double Swc = m_SWC;
    const double Sorw = m_SORW;
    const double phi = m_HRPoro;
    const double ka = m_HRAir;
    if (m_Lith == 0 || m_Lith == 1) {
        for (int i = 1; i <= m_NWet - 1; ++i) {
            const double Sw = m_SWet[i];
            const double So = m_SNWet[i];
            if (m_Lith == 0) {
                if (m_Wet == 0) {
                    // Sandstone, water wet.
                    Store(m_KRWat[i], Div(0.035388 * (Sw - Swc), 1.0 - Swc - Sorw) -
                                          0.010874 * Pow(Div(Sw - Swc, 1.0 - Swc - Sorw), 2.9) +
                                          0.56556 * Pow(Sw, 3.6) * (Sw - Swc));
                } else {
                    // Sandstone, oil wet.
                    Store(m_KRWat[i], 1.5814 * Pow(Div(Sw - Swc, 1.0 - Swc), 1.91) -
                                          0.58617 * Div(Sw - Sorw, 1.0 - Swc - Sorw) * (Sw - Swc) -
                                          1.2848 * phi * (1.0 - Swc) * (Sw - Swc));
                }
                // Sandstone oil, any wettability.
                Store(m_KROil[i], 0.76067 * Pow(Div(Div(So, 1.0 - Swc) - Sorw, 1.0 - Sorw), 1.8) *
                                          Pow(Div(So - Sorw, 1.0 - Swc - Sorw), 2.0) +
                                      2.6318 * phi * (1.0 - Sorw) * (So - Sorw));
            } else {
                if (m_Wet == 0) {
                    // Limestone, water wet.
                    Store(m_KRWat[i], Div(0.0020525 * (Sw - Swc), Pow(phi, 2.15)) -
                                          0.051371 * (Sw - Swc) * Pow(Div(1.0, ka), 0.43));
                } else {
                    // Limestone, oil wet.
                    Store(m_KRWat[i], Div(0.29986 * (Sw - Swc), 1.0 - Swc) -
                                          0.32797 * Pow(Div(Sw - Sorw, 1.0 - Swc - Sorw), 2.0) * (Sw - Swc) +
                                          0.413259 * Pow(Div(Sw - Swc, 1.0 - Swc - Sorw), 4.0));
                }
                // Limestone oil, any wettability.
                Store(m_KROil[i],
                      1.2624 * Div(So - Sorw, 1.0 - Sorw) * Pow(Div(So - Sorw, 1.0 - Swc - Sorw), 2.0));
            }
        }
    }
    m_KRWat[m_NWet] = 1.0f;
    m_KROil[m_NWet] = 0.0f;
}

// Honarpour, Koederitz and Harvey (1982) imbibition correlations, gas–oil system; SL liquid
// saturation, Sg gas saturation. Row 1 is the gas end point. No gas flows at or below the critical
// gas saturation, whatever the formula gives there.
void clsRock::HonarpourGasOil() {
    const double Swc = m_SWC;
    const double Sorg = m_SORG;
    const double Sgc = m_SGCrit;
    const double phi = m_HRPoro;
    const double ka = m_HRAir;
    const double krgStar = m_HRKrg;
    m_KROil[1] = 0.0f;
    m_KRGas[1] = 1.0f;
    for (int i = 2; i <= m_NWet; ++i) {
        const double SL = m_SWet[i];
        const double Sg = m_SNWet[i];
        if (m_Lith == 0) {
            // Sandstone.
            Store(m_KROil[i], 0.98372 * Pow(Div(SL - Swc, 1.0 - Swc), 4.0) *
                                  Pow(Div(SL - Swc - Sorg, 1.0 - Swc - Sorg), 2.0));
            Store(m_KRGas[i], 1.1072 * Pow(Div(Sg - Sgc, 1.0 - Swc), 2.0) * krgStar +
                                  Div(2.7794 * Sorg * (Sg - Sgc) * krgStar, 1.0 - Swc));
        } else {
            // Limestone.
            Store(m_KROil[i], 0.93752 * Pow(Div(SL - Swc, 1.0 - Swc), 4.0) *
                                  Pow(Div(SL - Swc - Sorg, 1.0 - Swc - Sorg), 2.0));
            const double B = Div(1.0 - Swc - Sorg - Sgc, 1.0 - Swc);
            Store(m_KRGas[i],
                  Div(8.0053 * Pow(Sorg, 2.0) * (Sg - Sgc), 1.0 - Swc) +
                      Div(1.8655 * (Sg - Sgc) * Sg * krgStar, 1.0 - Swc) -
                      0.2589 * (Sg - Sgc) * Pow(B, 2.0) * Pow(1.0 - B, 2.0) * Pow(Div(ka, phi), 0.5));
        }
    }
    for (int i = 1; i <= m_NWet; ++i) {
        if (static_cast<double>(m_SNWet[i]) - Sgc <= 0.0) m_KRGas[i] = 0.0f;
    }
}

// LET curves (CORR 2) on the normalised saturations of the Corey curves, each phase with its own
// L, E, T and end-point kr: kr = krmax·LetKr(Sn) with Sn the phase's own normalised saturation (the
// complement 1 − SD where the Corey table uses (1 − SD)^N for that phase). SD keeps the last pass,
// as with Corey.
void clsRock::LetCurves() {
    const double swc = m_SWC;
    auto water = [this](double s) { return LetKr(s, m_LetWaterL, m_LetWaterE, m_LetWaterT, m_KrwMax); };
    auto oil = [this](double s) { return LetKr(s, m_LetOilL, m_LetOilE, m_LetOilT, m_KroMax); };
    auto gas = [this](double s) { return LetKr(s, m_LetGasL, m_LetGasE, m_LetGasT, m_KrgMax); };
    const int n = m_NWet;
    if (m_Fluids == 0 && m_Displace == 0) {
        for (int i = 1; i <= n; ++i) {
            const double sd = Store(m_SD[i], Div(m_SNWet[i], 1.0 - m_SWet[1])); // normalised oil
            Store(m_KROil[i], oil(sd));
            Store(m_KRWat[i], water(1.0 - sd));
        }
    } else if (m_Fluids == 0 && m_Displace == 1) {
        for (int i = 1; i <= n; ++i) {
            Store(m_SD[i], Div(m_SWet[i] - swc, 1.0 - swc - m_SORW));
            if (m_SD[i] > 1.0f) m_SD[i] = 1.0f;
            Store(m_KROil[i], oil(1.0 - m_SD[i]));
        }
        for (int i = 1; i <= n; ++i) {
            const double sd = Store(m_SD[i], Div(m_SWet[i] - swc, 1.0 - swc));
            Store(m_KRWat[i], water(sd));
        }
    } else if (m_Fluids == 3) {
        for (int i = 1; i <= n; ++i) {
            Store(m_SD[i], Div(m_SWet[i] - swc, 1.0 - swc - m_SGCrit));
            if (m_SD[i] > 1.0f) m_SD[i] = 1.0f;
            Store(m_KRGas[i], gas(1.0 - m_SD[i]));
        }
        for (int i = 1; i <= n; ++i) {
            const double sd = Store(m_SD[i], Div(m_SWet[i] - swc, 1.0 - swc));
            Store(m_KRWat[i], water(sd));
        }
    } else if (m_Fluids == 1) {
        // Drainage: one normalised gas saturation for both phases; imbibition: the oil's between
        // SGCrit and 1 − SWC − SORG, the gas's between SGCrit and 1 − SWC.
        for (int i = 1; i <= n; ++i) {
            const double span = m_Displace == 0 ? 1.0 - swc : 1.0 - swc - m_SORG;
            Store(m_SD[i], Div(static_cast<double>(m_SNWet[i]) - m_SGCrit, span));
            if (m_SD[i] < 0.0f) m_SD[i] = 0.0f;
            if (m_SD[i] > 1.0f) m_SD[i] = 1.0f;
            Store(m_KROil[i], oil(1.0 - m_SD[i]));
        }
        for (int i = 1; i <= n; ++i) {
            Store(m_SD[i], Div(static_cast<double>(m_SNWet[i]) - m_SGCrit, 1.0 - swc));
            if (m_SD[i] < 0.0f) m_SD[i] = 0.0f;
            Store(m_KRGas[i], gas(m_SD[i]));
        }
    }
}

// The Pc column of the table, psi. Oil–water and gas–water (Pcgw, from the oil–water model and its
// keys, gas in the place of oil): S* = (Sw − SWC)/(1 − SWC); gas–oil: the liquid
// saturation normalised between SWC + SORG and 1. S* is limited to [0, 1]; at S* = 0 (the first
// row, and the gas–oil rows below SWC + SORG) the column holds the cap, elsewhere the model's value
// limited to ±cap. The column must be finite and must not rise as the wetting phase rises.
void clsRock::CapillaryPressure() {
    const bool gasOil = m_Fluids == 1;
    const bool gasWater = m_Fluids == 3;
    const int model = gasOil ? m_PcogModel : (m_Fluids == 0 || gasWater ? m_PcowModel : 0);
    if (model == 0) return;
    const char* column = gasOil ? "Pcog" : gasWater ? "Pcgw" : "Pcow";
    const double cap = gasOil ? m_PcogMax : m_PcowMax;
    const char* modelName = model == 1 ? "Leverett J" : model == 2 ? "Brooks–Corey" : "Skjæveland";
    const char* keys = gasOil ? (model == 1   ? "PcogJA, PcogJB, PcogIFT, PcogAngle"
                                 : model == 2 ? "PcogEntry, PcogLambda"
                                              : "PcogModel")
                              : (model == 1   ? "PcowJA, PcowJB, PcowIFT, PcowAngle"
                                 : model == 2 ? "PcowEntry, PcowLambda"
                                 : model == 3 ? "PcowCw, PcowAw, PcowCo, PcowAo"
                                              : "PcowModel");
    if ((gasOil && model > 2) || model < 0 || model > 3)
        throw RockInputError(std::string(gasOil ? "PcogModel " : "PcowModel ") + std::to_string(model) +
                             " is not a capillary-pressure model of this table");
    if (!(cap > 0.0))
        throw RockInputError(std::string(gasOil ? "PcogMax " : "PcowMax ") + Shown(cap) + " must be above 0");
    if (model == 1 && !(m_HRPoro > 0.0f && m_HRAir > 0.0f))
        throw RockInputError("Leverett J needs a porosity (HRPoro " + Shown(m_HRPoro) +
                             ") and a permeability (HRAir " + Shown(m_HRAir) + ") above 0");

    const double swc = m_SWC;
    const double low = gasOil ? swc + m_SORG : swc;
    const int n = m_NWet;
    for (int i = 1; i <= n; ++i) {
        const double s = m_SWet[i];
        const double sStar = std::clamp(Div(s - low, 1.0 - low), 0.0, 1.0);
        double pc = cap;
        if (i > 1 && sStar > 0.0) {
            if (model == 1) {
                pc = gasOil
                         ? LeverettPc(sStar, m_PcogJA, m_PcogJB, m_PcogIFT, m_PcogAngle, m_HRPoro, m_HRAir)
                         : LeverettPc(sStar, m_PcowJA, m_PcowJB, m_PcowIFT, m_PcowAngle, m_HRPoro, m_HRAir);
            } else if (model == 2) {
                pc = gasOil ? BrooksCoreyPc(sStar, m_PcogEntry, m_PcogLambda)
                            : BrooksCoreyPc(sStar, m_PcowEntry, m_PcowLambda);
            } else {
                const double residual = gasWater ? m_SGCrit : m_SORW;
                const double soStar = std::clamp(Div(1.0 - s - residual, 1.0 - residual), 0.0, 1.0);
                pc = SkjaevelandPc(sStar, soStar, m_PcowCw, m_PcowAw, m_PcowCo, m_PcowAo);
            }
            if (std::isnan(pc))
                throw RockInputError(std::string(column) + " (" + modelName + ") is not a number at row " +
                                     std::to_string(i) + " (saturation " + Shown(s) + "): check " + keys);
            pc = std::clamp(pc, -cap, cap);
        }
        Store(m_PC[i], pc);
    }
    // Rows of rising wetting-phase saturation only: end points that leave no room for the grid are
    // the saturation checks' business.
    for (int i = 2; i <= n; ++i) {
        if (!(m_SWet[i] > m_SWet[i - 1])) continue;
        if (m_PC[i] > m_PC[i - 1])
            throw RockInputError(std::string(column) + " (" + modelName + ") rises from " +
                                 Shown(m_PC[i - 1]) + " to " + Shown(m_PC[i]) + " psi between rows " +
                                 std::to_string(i - 1) + " and " + std::to_string(i) + " as the " +
                                 (gasOil ? "liquid" : "water") + " saturation rises: check " + keys);
    }
}

} // namespace q7

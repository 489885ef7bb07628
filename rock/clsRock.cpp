#include "rock/clsRock.h"

#include "engine/Checked.h"
#include "engine/Errors.h"
#include "engine/NumericText.h"

namespace q7 {
namespace {

std::size_t CheckedRow(std::int16_t i) {
    if (i < 1 || i > clsRock::kRows) throw SubscriptError();
    return static_cast<std::size_t>(i);
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
    return m_SD[CheckedRow(i)];
}
float clsRock::GetKROil(std::int16_t i) const {
    return m_KROil[CheckedRow(i)];
}
float clsRock::GetKRWat(std::int16_t i) const {
    return m_KRWat[CheckedRow(i)];
}
float clsRock::GetKRGas(std::int16_t i) const {
    return m_KRGas[CheckedRow(i)];
}

void clsRock::CalcRock() {
    m_GO = false;
    for (int i = 1; i <= kRows; ++i) {
        m_KROil[i] = 0.0f;
        m_KRGas[i] = 0.0f;
        m_KRWat[i] = 0.0f;
    }
    BuildGrid();
    for (int i = 1; i <= kRows; ++i)
        Store(m_SNWet[i], 1.0 - m_SWet[i]);

    if (m_CORR == 0) {
        CoreyCurves();
    } else if (m_CORR == 1 && m_Displace == 1) {
        if (m_Fluids == 0) HonarpourOilWater();
        if (m_Fluids == 1) HonarpourGasOil();
    }

    for (int i = 1; i <= kRows; ++i) {
        for (float* kr : {&m_KROil[i], &m_KRWat[i], &m_KRGas[i]}) {
            if (*kr < 0.0f) *kr = 0.0f;
            if (*kr > 1.0f) *kr = 1.0f;
        }
    }
    m_GO = true;
}

// The 15 saturations: two steps of h at each end of the inner span and equal steps d between.
void clsRock::BuildGrid() {
    auto& S = m_SWet;
    Store(S[1], m_SWC);
    Store(S[15], 1.0);
    if (m_Fluids == 0 && m_Displace == 0) {
        const double h = Single(Div(Div(static_cast<double>(S[15]) - S[1], 14.0), 2.0));
        Store(S[2], S[1] + h);
        Store(S[3], S[2] + h);
        Store(S[14], S[15] - h);
        Store(S[13], S[14] - h);
        const double d = Single(Div(static_cast<double>(S[13]) - S[3], 10.0));
        for (int i = 4; i <= 12; ++i)
            Store(S[i], S[i - 1] + d);
    } else if (m_Fluids == 0 && m_Displace == 1) {
        Store(S[14], 1.0 - m_SORW);
        const double h = Single(Div(Div(static_cast<double>(S[14]) - S[1], 13.0), 2.0));
        Store(S[2], S[1] + h);
        Store(S[3], S[2] + h);
        Store(S[13], S[14] - h);
        Store(S[12], S[13] - h);
        const double d = Single(Div(static_cast<double>(S[12]) - S[3], 9.0));
        for (int i = 4; i <= 11; ++i)
            Store(S[i], S[i - 1] + d);
    } else if (m_Fluids == 1) {
        Store(S[14], 1.0 - m_SGCrit);
        Store(S[2], static_cast<double>(S[1]) + m_SORG);
        const double h = Single(Div(Div(static_cast<double>(S[14]) - S[2], 12.0), 2.0));
        Store(S[3], S[2] + h);
        Store(S[4], S[3] + h);
        Store(S[13], S[14] - h);
        Store(S[12], S[13] - h);
        const double d = Single(Div(static_cast<double>(S[12]) - S[4], 8.0));
        for (int i = 5; i <= 11; ++i)
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
        for (int i = 1; i <= kRows; ++i) {
            const double sd = Store(m_SD[i], Div(m_SNWet[i], 1.0 - m_SWet[1]));
            Store(m_KROil[i], wetting(sd));
            Store(m_KRWat[i], nonWetting(sd));
        }
    } else if (m_Fluids == 0 && m_Displace == 1) {
        for (int i = 1; i <= kRows; ++i) {
            Store(m_SD[i], Div(m_SWet[i] - swc, 1.0 - swc - m_SORW));
            if (m_SD[i] > 1.0f) m_SD[i] = 1.0f;
            Store(m_KROil[i], nonWetting(m_SD[i]));
        }
        for (int i = 1; i <= kRows; ++i) {
            const double sd = Store(m_SD[i], Div(m_SWet[i] - swc, 1.0 - swc));
            Store(m_KRWat[i], wetting(sd));
        }
    } else if (m_Fluids == 1 && m_Displace == 0) {
        for (int i = 1; i <= kRows; ++i) {
            Store(m_SD[i], Div(static_cast<double>(m_SNWet[i]) - m_SGCrit, 1.0 - swc));
            if (m_SD[i] < 0.0f) m_SD[i] = 0.0f;
            Store(m_KRGas[i], wetting(m_SD[i]));
            Store(m_KROil[i], nonWetting(m_SD[i]));
        }
    } else if (m_Fluids == 1 && m_Displace == 1) {
        for (int i = 1; i <= kRows; ++i) {
            Store(m_SD[i], Div(static_cast<double>(m_SNWet[i]) - m_SGCrit, 1.0 - swc - m_SORG));
            if (m_SD[i] < 0.0f) m_SD[i] = 0.0f;
            if (m_SD[i] > 1.0f) m_SD[i] = 1.0f;
            Store(m_KROil[i], nonWetting(m_SD[i]));
        }
        for (int i = 1; i <= kRows; ++i) {
            Store(m_SD[i], Div(static_cast<double>(m_SNWet[i]) - m_SGCrit, 1.0 - swc));
            if (m_SD[i] < 0.0f) m_SD[i] = 0.0f;
            Store(m_KRGas[i], wetting(m_SD[i]));
        }
    }
}

// Honarpour, Koederitz and Harvey (1982) imbibition correlations, oil–water system; saturations as
// fractions, porosity fraction, air permeability md. Rows 1..14; row 15 is the water end point.
void clsRock::HonarpourOilWater() {
    const double Swc = m_SWC;
    const double Sorw = m_SORW;
    const double phi = m_HRPoro;
    const double ka = m_HRAir;
    if (m_Lith == 0 || m_Lith == 1) {
        for (int i = 1; i <= 14; ++i) {
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
    m_KRWat[15] = 1.0f;
    m_KROil[15] = 0.0f;
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
    for (int i = 2; i <= kRows; ++i) {
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
    for (int i = 1; i <= kRows; ++i) {
        if (static_cast<double>(m_SNWet[i]) - Sgc <= 0.0) m_KRGas[i] = 0.0f;
    }
}

} // namespace q7

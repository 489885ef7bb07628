#include "engine/clsWater.h"

#include "engine/FieldUnits.h"
#include "engine/clsFluid.h"
#include "engine/clsPrs.h"
#include "numeric/Checked.h"
#include "numeric/NumericText.h"

namespace q7 {
namespace {

double D(float v) {
    return static_cast<double>(v);
}

} // namespace

clsWater::clsWater(const clsFluid& fluid, const clsPrs& prs) : m_fluid(fluid), m_prs(prs) {
    m_ppm = 10000;
    m_per = 1.0f;
    m_stDenWat = 62.4f;
    m_go = false;
}

void clsWater::SetPPM(std::string_view text) {
    const float v = Str2Nbr(text);
    const std::int32_t ppm = RoundInt32(D(v));
    m_ppm = ppm;
    Store(m_per, static_cast<double>(ppm) / 10000.0);
}

void clsWater::SetPER(std::string_view text) {
    const float v = Str2Nbr(text);
    m_per = v;
    m_ppm = RoundInt32(D(v) * 10000.0);
}

void clsWater::CalcWater() {
    m_go = false;
    const double t = D(m_fluid.ResTf());
    const double s = D(m_per);

    // McCain (1990) thermal expansion of water; °F.
    const double dVwT = -0.010001 + 0.000133391 * t + 5.50654e-7 * t * t;

    // McCain (1990) stock-tank brine density; lb/ft³, weight % solids.
    Store(m_stDenWat, 62.368 + 0.438603 * s + 0.00160074 * s * s);
    // Dissolved gas of gravity 0.6 at standard conditions; lb/ft³.
    Store(m_stDenGas, Div(D(m_fluid.StdP()) * 28.96 * 0.6, D(m_fluid.StdTr()) * 10.73));

    // Salt concentration for Osif's compressibility; mg/L.
    const double cs = s * 10000.0 * D(m_stDenWat) / 62.368;

    // McCain (1990) gas solubility in water: salinity correction exponent and pure-water
    // coefficients; scf/stb, °F, psia.
    const double ls = -0.0840655 * s * Pow(t, -0.285854);
    const double a = 8.15839 - 0.0612265 * t + 0.000191663 * t * t - 2.1654e-7 * t * t * t;
    const double b = 0.0101021 - 0.0000744241 * t + 3.05553e-7 * t * t - 2.94883e-10 * t * t * t;
    const double c = -1e-7 * (9.02505 - 0.130237 * t + 0.000853425 * t * t - 2.34122e-6 * t * t * t +
                              2.37049e-9 * t * t * t * t);

    // McCain (1990) dead water viscosity at atmospheric pressure; cp, °F, weight % solids.
    const double aMu = 109.574 - 8.40564 * s + 0.31331 * s * s + 0.00872213 * s * s * s;
    const double bMu =
        1.12166 - 0.0263951 * s + 0.000679461 * s * s + 0.0000547119 * s * s * s - 1.55586e-6 * s * s * s * s;
    const double mu1 = aMu * Pow(t, -bMu);

    const double salinity = Pow(10.0, ls);
    for (int k = 1; k <= m_prs.NPRSo(); ++k) {
        const double p = D(m_prs.GetPRSo(static_cast<std::int16_t>(k)));

        // McCain (1990) water formation volume factor; rb/stb, psia, °F.
        const double dVwp =
            -1.95301e-9 * p * t - 1.72834e-13 * p * p * t - 3.58922e-7 * p - 2.25341e-10 * p * p;
        Store(At(m_bw, k), (1.0 + dVwp) * (1.0 + dVwT));

        Store(At(m_rsw, k), salinity * (a + b * p + c * p * p));

        // Osif (1988) water compressibility; 1/psi, mg/L, psia, °F.
        Store(At(m_cw, k), Div(1.0, 0.5415 * cs + 7.033 * p - 537.0 * t + 403300.0));

        // Water density with its dissolved gas; lb/ft³.
        Store(At(m_rhow, k),
              Div(D(At(m_rsw, k)) / kCubicFeetPerBarrel * D(m_stDenGas) + D(m_stDenWat), D(At(m_bw, k))));

        // McCain (1990) water viscosity corrected for pressure; cp, psia.
        Store(At(m_muw, k), (0.9994 + 0.000040295 * p + 3.1062e-9 * p * p) * mu1);
    }
    m_go = true;
}

float clsWater::GetBW(std::int16_t k) const {
    return At(m_bw, k);
}
float clsWater::GetRSW(std::int16_t k) const {
    return At(m_rsw, k);
}
float clsWater::GetCW(std::int16_t k) const {
    return At(m_cw, k);
}
float clsWater::GetMUW(std::int16_t k) const {
    return At(m_muw, k);
}
float clsWater::GetRHOW(std::int16_t k) const {
    return At(m_rhow, k);
}

} // namespace q7

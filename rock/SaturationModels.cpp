#include "rock/SaturationModels.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace q7 {

// Leverett, M.C. (1941), "Capillary behavior in porous solids", Trans. AIME 142, 152–169: the
// dimensionless J(Sw) = Pc·√(k/φ)/(σ cos θ) is one curve for rocks of one type, so Pc = J·σ cos θ·√(φ/k)
// with all quantities in one coherent (SI) unit system.
double LeverettFactorPsi(double iftMilliNewton, double angleDegrees, double porosity, double permMilliDarcy) {
    const double sigma = iftMilliNewton * 1.0e-3; // N/m
    const double cosTheta = std::cos(angleDegrees * std::numbers::pi / 180.0);
    const double k = permMilliDarcy * kSquareMetrePerMilliDarcy; // m2
    return sigma * cosTheta * std::sqrt(porosity / k) / kPascalPerPsi;
}

// The J function itself in the power form J = a·S*^(−b) (the form fitted to drainage data).
double LeverettPc(double sStar, double a, double b, double iftMilliNewton, double angleDegrees,
                  double porosity, double permMilliDarcy) {
    return a * std::pow(sStar, -b) *
           LeverettFactorPsi(iftMilliNewton, angleDegrees, porosity, permMilliDarcy);
}

// Brooks, R.H. and Corey, A.T. (1964), "Hydraulic properties of porous media", Hydrology Paper 3,
// Colorado State University: Se = (Pe/Pc)^λ for Pc ≥ Pe, hence Pc = Pe·Se^(−1/λ).
double BrooksCoreyPc(double sStar, double entryPsi, double lambda) {
    return entryPsi * std::pow(sStar, -1.0 / lambda);
}

// Skjæveland, S.M., Siqveland, L.M., Kjosavik, A., Hammervold Thomas, W.L. and Virnovsky, G.A.
// (2000), "Capillary pressure correlation for mixed-wet reservoirs", SPE Reservoir Evaluation &
// Engineering 3(1), 60–67 (SPE 60152): the sum of a water branch and an oil branch of Brooks–Corey
// form, Pc = cw/Sw*^aw + co/So*^ao, with cw ≥ 0 and co ≤ 0.
double SkjaevelandPc(double swStar, double soStar, double cw, double aw, double co, double ao) {
    const double inf = std::numeric_limits<double>::infinity();
    double pc = 0.0;
    if (cw != 0.0) pc += swStar > 0.0 ? cw / std::pow(swStar, aw) : (cw > 0.0 ? inf : -inf);
    if (co != 0.0) pc += soStar > 0.0 ? co / std::pow(soStar, ao) : (co > 0.0 ? inf : -inf);
    return pc;
}

// Lomeland, F., Ebeltoft, E. and Thomas, W.H. (2005), "A new versatile relative permeability
// correlation", SCA2005-32, International Symposium of the Society of Core Analysts, Toronto:
// kr = kr° Sn^L / (Sn^L + E (1 − Sn)^T).
double LetKr(double sn, double L, double E, double T, double krMax) {
    sn = std::clamp(sn, 0.0, 1.0);
    const double up = std::pow(sn, L);
    const double down = up + E * std::pow(1.0 - sn, T);
    if (down == 0.0) return 0.0; // Sn = 0 with E = 0: no flow at the end point
    return krMax * up / down;
}

} // namespace q7

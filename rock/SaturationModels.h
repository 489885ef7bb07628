#pragma once
// The capillary-pressure models and the LET relative-permeability curve of the saturation tables,
// as plain functions of a normalised saturation, so that any table (oil–water, gas–oil) can use
// them. Pressures are in psi; results are not capped here.
#include <cstdint>

namespace q7 {

// Capillary-pressure model of a table: 0 none, 1 Leverett J, 2 Brooks–Corey, 3 Skjæveland (the
// oil–water table only).
enum class PcModel : std::int16_t { None = 0, Leverett = 1, BrooksCorey = 2, Skjaeveland = 3 };

// Leverett J: J = a·S*^(−b); Pc = J·σ·cos θ·√(φ/k) in SI, returned in psi. σ in mN/m, θ in
// degrees, k in mD, φ a fraction. S* > 0.
double LeverettPc(double sStar, double a, double b, double iftMilliNewton, double angleDegrees,
                  double porosity, double permMilliDarcy);

// The factor σ·cos θ·√(φ/k) of Leverett's J function, converted to psi (Pc = J · factor).
double LeverettFactorPsi(double iftMilliNewton, double angleDegrees, double porosity, double permMilliDarcy);

// Brooks–Corey: Pc = Pe·S*^(−1/λ). S* > 0.
double BrooksCoreyPc(double sStar, double entryPsi, double lambda);

// Skjæveland (mixed wet): Pc = cw/Sw*^aw + co/So*^ao, a term whose coefficient is 0 counting 0;
// a term whose saturation is 0 gives ±infinity (cw ≥ 0, co ≤ 0).
double SkjaevelandPc(double swStar, double soStar, double cw, double aw, double co, double ao);

// LET curve: kr = krmax·Sn^L / (Sn^L + E·(1 − Sn)^T), Sn limited to [0, 1].
double LetKr(double sn, double L, double E, double T, double krMax);

// Pascal per psi (from the definitions of the pound-force and the inch).
inline constexpr double kPascalPerPsi = 6894.757293168361;
// Square metres per millidarcy (1 D = 9.869233E-13 m2).
inline constexpr double kSquareMetrePerMilliDarcy = 9.869233e-16;

} // namespace q7

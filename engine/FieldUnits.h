#pragma once
// Conversion constants of the oilfield units the engine computes in.

namespace q7 {

// Cubic feet in one barrel (42 US gallons of 231 in3: 9702 in3 / 1728 in3 per ft3 = 5.6146 ft3), to
// the three decimals the program's tables have always used.
inline constexpr double kCubicFeetPerBarrel = 5.615;

} // namespace q7

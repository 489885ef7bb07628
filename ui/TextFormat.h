#pragma once
// Numbers as the boxes and grids show them.
#include <QString>

namespace q7 {

// Rounded to `decimals` places with at least one integer digit ("0.0000"-style patterns).
QString Fixed(float value, int decimals);
// The general form of a single (14.7, 5000, 0.84985).
QString General(float value);

} // namespace q7

#pragma once
// The ranges outside which a rock input means nothing (a capillary-pressure or LET parameter, an
// end-point kr): one rule per key, read by the case reader and the input boxes.
#include <string>
#include <string_view>

namespace q7 {

// Why `value` is refused for the rock input `key` ("must be above 0"); empty when it is fine or
// the key has no rule here.
std::string RockInputProblem(std::string_view key, double value);

} // namespace q7

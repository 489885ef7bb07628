#pragma once
// The summary of one computed case: gas status, messages, the raised error and every property and
// table row of the objects, as JSON with every float to 9 significant digits.
#include "engine/ResultRun.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace q7 {

struct Q7Objects;

struct CaseOutcome {
    std::optional<std::int16_t> gasStatus;
    std::vector<StatusMessage> messages; // what went through ShowError, in order
    std::optional<CalcFailure> error;    // the first error raised instead of reported
};

std::string SummaryJson(const CaseOutcome& outcome, const Q7Objects& objects);

} // namespace q7

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

// The summary as one line of a result stream: the very object SummaryJson gives, on one line, with
// "case" (`caseJson`, a JSON value) as its first key. The line ends in '\n'.
std::string SummaryLine(const std::string& caseJson, const CaseOutcome& outcome, const Q7Objects& objects);

// A result line that holds every key some result line can hold (an error, a message, the oil match,
// a warning), with placeholder values: what a column of a result table may name.
std::string ResultLineShape();

// The result line of a case that could not be read or checked: its "case" and its "error".
std::string FailedCaseLine(const std::string& caseJson, const CalcFailure& failure);

// `text` as a JSON string.
std::string JsonQuote(const std::string& text);

} // namespace q7

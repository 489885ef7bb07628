#pragma once
// The values of q7-batch's command-line options, read whole: a value that only begins like a
// number or a list item is no value at all.
#include "batch/RunCase.h"

#include <optional>
#include <string>

namespace q7 {

// A count of at least `least` written as plain decimal digits ("2"; not "2abc", " 2", "+2", "").
std::optional<int> ParseCount(const std::string& text, int least = 1);

// A comma-separated choice among summary, csv, eclipse, report, tidy: at least one, none empty, each
// known. Nothing when the list is not one.
std::optional<OutputFormats> ParseFormatList(const std::string& list);

// The saturation family of --family: "1" or "2".
std::optional<SaturationFamily> ParseFamily(const std::string& text);

} // namespace q7

#pragma once
// The computed fluid tables of a case as one tidy CSV for spreadsheets and data-frame tools:
//
//   P,RSOS,RSO,...,Z,BG,...,BW,...
//   1000,235.871429,...
//
// one header line, one row per pressure of the output schedule, one column per property of each
// computed group (oil, gas, water, in that order), plain numbers with 9 significant digits (as in
// summary.json) and '\n' line ends. With no fluid table computed, only the header "P".
#include <string>

namespace q7 {

struct Q7Objects;

std::string TidyCsv(const Q7Objects& objects);

} // namespace q7

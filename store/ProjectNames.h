#pragma once
// The names a project may be given. Every name must be reachable later by typing it: on a command
// line (where a word starting with "-" reads as an option), in a list of one line per project,
// and as the name of the project's output folder.
#include <string>
#include <string_view>

namespace q7 {

// Why `name` (UTF-8 bytes) cannot name a project, in words; empty when it can. Refused: an empty
// or blank name, text that is not valid UTF-8, a control character anywhere (a tab or line end
// among them: "a\tb" and "a\nb" would look the same in every list), and a leading "-".
std::string ProjectNameProblem(std::string_view name);

} // namespace q7

#include "batch/Options.h"

#include <charconv>

namespace q7 {

std::optional<int> ParseCount(const std::string& text, int least) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < least) return std::nullopt;
    return value;
}

std::optional<OutputFormats> ParseFormatList(const std::string& list) {
    if (list.empty()) return std::nullopt;
    OutputFormats f;
    f.summary = f.csv = f.eclipse = f.report = false;
    size_t start = 0;
    for (;;) {
        const size_t comma = list.find(',', start);
        const std::string item =
            list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (item == "summary")
            f.summary = true;
        else if (item == "csv")
            f.csv = true;
        else if (item == "eclipse")
            f.eclipse = true;
        else if (item == "report")
            f.report = true;
        else if (item == "tidy")
            f.tidy = true;
        else
            return std::nullopt; // also an empty item: "csv,", ",csv", "csv,,report"
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return f;
}

std::optional<SaturationFamily> ParseFamily(const std::string& text) {
    if (text == "1") return SaturationFamily::One;
    if (text == "2") return SaturationFamily::Two;
    return std::nullopt;
}

} // namespace q7

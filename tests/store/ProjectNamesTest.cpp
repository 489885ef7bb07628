// The names a project may be given: every one must be reachable later by typing it.
#include "store/ProjectNames.h"

#include <gtest/gtest.h>

namespace q7 {
namespace {

TEST(ProjectNames, NamesThatCouldNotBeTypedBackAreRefusedWithTheReason) {
    const std::pair<std::string, const char*> refused[] = {
        {"", "needs a name"},
        {"   ", "needs a name"},
        {"--id", "\"-\""},
        {"-draft", "\"-\""},
        {"a\nb", "control character"},
        {"a\tb", "control character"},
        {"end\r", "control character"},
        {std::string("nul\0x", 5), "control character"},
        {"del\x7f", "control character"},
        {"c1\xc2\x85", "control character"}, // U+0085, a line end of its own
        {"\xff\xfe", "not valid UTF-8"},
        {"Caf\xe9", "not valid UTF-8"},         // Latin-1, not UTF-8
        {"\xc3", "not valid UTF-8"},            // cut short
        {"\xc0\xaf", "not valid UTF-8"},        // overlong '/'
        {"\xed\xa0\x80", "not valid UTF-8"},    // a surrogate
        {"\xf4\x90\x80\x80", "not valid UTF-8"} // beyond U+10FFFF
    };
    for (const auto& [name, says] : refused) {
        const std::string why = ProjectNameProblem(name);
        EXPECT_NE(why.find(says), std::string::npos) << "\"" << name << "\": " << why;
    }
    for (const char* fine :
         {"Zulu", "a-b", "North Sea 7", "..", "a/b", "Öl \xe2\x82\xac 2", "\xf0\x9f\x9b\xa2 rig"})
        EXPECT_EQ(ProjectNameProblem(fine), "") << fine;
}

} // namespace
} // namespace q7

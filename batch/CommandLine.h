#pragma once
// The command lines of q7-batch. Each command declares once the options it takes (a flag or an
// option with a value, given once or repeatable), its usage lines and its help paragraph; the
// parser, the usage shown after a usage error and `q7-batch --help` are all made from that.
//
// The first word is the command. A word that starts with "-" (but is not "-" alone) is an option;
// an option with a value takes the next word whatever it is; every other word is positional. An
// option the command does not declare, a value missing at the end, and an option that is not
// repeatable given twice are usage errors (exit status 2).
#include "numeric/Errors.h"

#include <optional>
#include <string>
#include <vector>

namespace q7 {

// A command line that does not fit the command's usage; the command ends with status 2.
class UsageError : public Error {
public:
    using Error::Error;
};

struct OptionSpec {
    std::string name;        // "--out"
    bool takesValue = false; // false: a flag
    bool repeatable = false; // may be given more than once (each value kept, in order)
    std::string needs = {};  // what the option needs when its value is missing ("a folder"); "a value"
};

struct CommandSpec {
    std::string usage; // the usage lines after "usage: ", continuation lines indented
    std::string help;  // the help paragraph, each line ending in '\n' ("" for none)
    std::vector<OptionSpec> options;
    // The start of the message about an undeclared option ("unknown option: ", then the word).
    std::string unknownOption = "unknown option: ";
    // Words starting with a single "-" are positional (a project name may look like one).
    bool singleDashPositional = false;
};

// A parsed command line.
class CommandLine {
public:
    struct Word {
        std::string option; // empty for a positional word
        std::string value;  // the positional word, or the option's value ("" for a flag)
    };

    // Every word after the command, in the order given (options with their values).
    const std::vector<Word>& Words() const { return m_words; }
    // The positional words, in order.
    std::vector<std::string> Positional() const;
    bool Has(const std::string& option) const;
    // The value of an option given once, or nothing when it was not given.
    std::optional<std::string> Value(const std::string& option) const;
    // Every value of a repeatable option, in order.
    std::vector<std::string> Values(const std::string& option) const;

private:
    friend CommandLine ParseCommandLine(const CommandSpec& decl, const std::vector<std::string>& args);
    std::vector<Word> m_words;
};

// Reads `args` (the command first) as `decl` declares; throws UsageError saying what is wrong.
CommandLine ParseCommandLine(const CommandSpec& decl, const std::vector<std::string>& args);

// The usage lines of the commands, the first after "usage: ", the others aligned under it.
std::string UsageLines(const std::vector<const CommandSpec*>& commands);
// A help block: the usage lines, an empty line, then each command's help paragraph.
std::string HelpBlock(const std::vector<const CommandSpec*>& commands);

// Says the usage error and the command's usage on standard error; returns 2.
int ReportUsageError(const std::string& why, const CommandSpec& decl);

// Parses the command line and runs `body` on it; a UsageError from either is reported with the
// command's usage and gives 2.
template <class Body>
int RunCommandLine(const CommandSpec& decl, const std::vector<std::string>& args, Body body) {
    try {
        return body(ParseCommandLine(decl, args));
    } catch (const UsageError& e) {
        return ReportUsageError(e.what(), decl);
    }
}

} // namespace q7

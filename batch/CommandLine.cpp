#include "batch/CommandLine.h"

#include "batch/InputText.h"

#include <iostream>

namespace q7 {

std::vector<std::string> CommandLine::Positional() const {
    std::vector<std::string> out;
    for (const Word& w : m_words)
        if (w.option.empty()) out.push_back(w.value);
    return out;
}

bool CommandLine::Has(const std::string& option) const {
    for (const Word& w : m_words)
        if (w.option == option) return true;
    return false;
}

std::optional<std::string> CommandLine::Value(const std::string& option) const {
    for (const Word& w : m_words)
        if (w.option == option) return w.value;
    return std::nullopt;
}

std::vector<std::string> CommandLine::Values(const std::string& option) const {
    std::vector<std::string> out;
    for (const Word& w : m_words)
        if (w.option == option) out.push_back(w.value);
    return out;
}

CommandLine ParseCommandLine(const CommandSpec& decl, const std::vector<std::string>& args) {
    CommandLine line;
    for (size_t i = 1; i < args.size(); ++i) {
        const std::string& word = args[i];
        const bool optionLike = word.size() > 1 && word[0] == '-' &&
                                (!decl.singleDashPositional || word.compare(0, 2, "--") == 0);
        if (!optionLike) {
            line.m_words.push_back({{}, word});
            continue;
        }
        const OptionSpec* option = nullptr;
        for (const OptionSpec& o : decl.options)
            if (o.name == word) option = &o;
        if (!option) throw UsageError(decl.unknownOption + Excerpt(word));
        if (!option->repeatable && line.Has(word)) throw UsageError(word + " is given twice");
        std::string value;
        if (option->takesValue) {
            if (i + 1 >= args.size())
                throw UsageError(word + " needs " + (option->needs.empty() ? "a value" : option->needs));
            value = args[++i];
        }
        line.m_words.push_back({word, std::move(value)});
    }
    return line;
}

std::string UsageLines(const std::vector<const CommandSpec*>& commands) {
    std::string out;
    for (const CommandSpec* c : commands) {
        size_t start = 0;
        while (start < c->usage.size()) {
            size_t end = c->usage.find('\n', start);
            if (end == std::string::npos) end = c->usage.size();
            out += out.empty() ? "usage: " : "       ";
            out.append(c->usage, start, end - start);
            out += '\n';
            start = end + 1;
        }
    }
    return out;
}

std::string HelpBlock(const std::vector<const CommandSpec*>& commands) {
    std::string out = UsageLines(commands) + "\n";
    for (const CommandSpec* c : commands)
        out += c->help;
    return out;
}

int ReportUsageError(const std::string& why, const CommandSpec& decl) {
    std::cerr << "q7-batch: " << why << "\n" << UsageLines({&decl});
    return 2;
}

} // namespace q7

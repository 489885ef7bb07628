#pragma once
// Pieces the engine tests share: a message sink that keeps the errors it is shown, and the text a
// box would hold for a number.
#include "engine/MessageSink.h"

#include <cstdio>
#include <string>
#include <vector>

namespace q7::test {

struct Message {
    std::string text, title;
};

class RecordingSink : public MessageSink {
public:
    std::vector<Message> errors;
    void ShowError(const std::string& message, const std::string& title) override {
        errors.push_back({message, title});
    }
    void ShowInfo(const std::string&, const std::string&) override {}
};

// Nine significant digits: enough for a single to be read back as itself.
inline std::string Text(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.9g", v);
    return buffer;
}

} // namespace q7::test

#pragma once
// The message service seen from plain C++: where a calculation reports a failure itself (the oil
// table's pressure loop) and where a writer announces completion. The workstation shows the
// message in a box, the batch tool records it in the summary, tests record it.
#include <string>

namespace q7 {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void ShowError(const std::string& message, const std::string& title) = 0;
    virtual void ShowInfo(const std::string& message, const std::string& title) = 0;
};

// Sink that drops every message, for callers that only read the GO flags.
class NullMessageSink final : public MessageSink {
public:
    void ShowError(const std::string&, const std::string&) override {}
    void ShowInfo(const std::string&, const std::string&) override {}
};

} // namespace q7

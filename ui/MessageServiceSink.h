#pragma once
// The engine's message sink on top of the program's message service: what a calculation reports
// itself (the oil table's pressure loop) or a writer announces appears in a message box.
#include "engine/MessageSink.h"
#include "ui/MessageService.h"

namespace q7 {

class MessageServiceSink final : public MessageSink {
public:
    explicit MessageServiceSink(MessageService& service) : m_service(service) {}
    void ShowError(const std::string& message, const std::string& title) override {
        m_service.ShowError(QString::fromStdString(message), QString::fromStdString(title));
    }
    void ShowInfo(const std::string& message, const std::string& title) override {
        m_service.ShowInfo(QString::fromStdString(message), QString::fromStdString(title));
    }

private:
    MessageService& m_service;
};

} // namespace q7

#pragma once
// The message boxes of the program: errors, information and Yes/No questions. The workstation
// shows them with QtMessageService; tests install a fake that records them and answers questions.
#include <QString>

namespace q7 {

class MessageService {
public:
    virtual ~MessageService() = default;
    // Error icon, OK button.
    virtual void ShowError(const QString& message, const QString& title) = 0;
    // Information icon, OK button.
    virtual void ShowInfo(const QString& message, const QString& title) = 0;
    // Error icon, Yes and No buttons; true when the answer is Yes.
    virtual bool AskYesNo(const QString& message, const QString& title) = 0;
};

} // namespace q7

#pragma once
// Modal message boxes on the screen. The only place QMessageBox is used.
#include "ui/MessageService.h"

class QWidget;

namespace q7 {

class QtMessageService final : public MessageService {
public:
    // Boxes are centred over `parent` (may be null).
    explicit QtMessageService(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    void ShowError(const QString& message, const QString& title) override;
    void ShowInfo(const QString& message, const QString& title) override;
    bool AskYesNo(const QString& message, const QString& title) override;

private:
    QWidget* m_parent;
};

} // namespace q7

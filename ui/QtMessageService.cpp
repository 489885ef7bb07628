#include "ui/QtMessageService.h"

#include <QApplication>
#include <QMessageBox>

namespace q7 {

namespace {

// A box shown during a computation gets the ordinary arrow, not the busy cursor.
class ArrowCursorWhileShown {
public:
    ArrowCursorWhileShown() : m_active(QApplication::overrideCursor() != nullptr) {
        if (m_active) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~ArrowCursorWhileShown() {
        if (m_active) QApplication::restoreOverrideCursor();
    }
    ArrowCursorWhileShown(const ArrowCursorWhileShown&) = delete;
    ArrowCursorWhileShown& operator=(const ArrowCursorWhileShown&) = delete;

private:
    bool m_active;
};

int Show(QWidget* parent, QMessageBox::Icon icon, const QString& message, const QString& title,
         QMessageBox::StandardButtons buttons, QMessageBox::StandardButton defaultButton) {
    ArrowCursorWhileShown arrow;
    QMessageBox box(icon, title, message, buttons, parent);
    box.setDefaultButton(defaultButton);
    return box.exec();
}

} // namespace

void QtMessageService::ShowError(const QString& message, const QString& title) {
    Show(m_parent, QMessageBox::Critical, message, title, QMessageBox::Ok, QMessageBox::Ok);
}

void QtMessageService::ShowInfo(const QString& message, const QString& title) {
    Show(m_parent, QMessageBox::Information, message, title, QMessageBox::Ok, QMessageBox::Ok);
}

bool QtMessageService::AskYesNo(const QString& message, const QString& title) {
    return Show(m_parent, QMessageBox::Critical, message, title, QMessageBox::Yes | QMessageBox::No,
                QMessageBox::Yes) == QMessageBox::Yes;
}

} // namespace q7

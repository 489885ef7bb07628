#include "ui/InputBox.h"

#include "ui/DialogSupport.h"
#include "ui/MessageService.h"

#include <QApplication>
#include <QFocusEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QRegularExpression>
#include <QTabBar>
#include <QTimer>

namespace q7 {

namespace {

// Set while a refused box takes the focus back, so the control it passes through is not checked.
bool g_restoringFocus = false;

// The widget a mouse press on `w` would give the focus to (as QApplication does), or null.
QWidget* ClickFocusTarget(QWidget* w) {
    for (; w; w = w->parentWidget()) {
        if (!w->isEnabled()) return nullptr;
        if (w->focusPolicy() & Qt::ClickFocus) return w->focusProxy() ? w->focusProxy() : w;
        if (w->isWindow()) return nullptr;
    }
    return nullptr;
}

bool OnTabBar(QWidget* w) {
    for (; w; w = w->parentWidget()) {
        if (qobject_cast<QTabBar*>(w)) return w->isEnabled();
        if (w->isWindow()) return false;
    }
    return false;
}

// A box refused by a mouse press: QApplication moves the focus before the press reaches any filter,
// so the box notes the refusal when it loses the focus and the press (with its release) is
// swallowed here before it reaches the control that was clicked.
QPointer<InputBox> g_refusedBox;
bool g_swallowRelease = false;

// Also checks the box that keeps the focus while a tab of a tab control is clicked (tab bars do not
// take the focus on a click).
class LeaveByMouseFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type == QEvent::MouseButtonRelease && g_swallowRelease) {
            g_swallowRelease = false;
            return true;
        }
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick) return false;
        if (g_refusedBox) {
            InputBox* box = g_refusedBox;
            g_refusedBox = nullptr;
            g_swallowRelease = true;
            box->Validate();
            return true;
        }
        auto* target = qobject_cast<QWidget*>(watched);
        auto* box = qobject_cast<InputBox*>(QApplication::focusWidget());
        if (!target || !box || target == box || box->ValidationRule() == InputBox::Rule::None) return false;
        if (target->window() != box->window()) return false;
        QWidget* next = ClickFocusTarget(target);
        const bool leaves = (next && next != box) || OnTabBar(target);
        if (!leaves || box->Validate()) return false;
        g_swallowRelease = true;
        return true;
    }
};

void InstallLeaveByMouseFilter() {
    static QPointer<LeaveByMouseFilter> filter;
    if (!filter && qApp) {
        filter = new LeaveByMouseFilter(qApp);
        qApp->installEventFilter(filter);
    }
}

} // namespace

InputBox::InputBox(QWidget* parent) : QLineEdit(parent) {
    InstallLeaveByMouseFilter();
}

void InputBox::SetValidation(MessageService* messages, const QString& title, Rule rule) {
    m_messages = messages;
    m_title = title;
    m_rule = rule;
}

bool InputBox::IsNumeric(const QString& text) {
    static const QRegularExpression numeric(
        QStringLiteral(R"(^[ \t]*[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?[ \t]*$)"));
    return numeric.match(text).hasMatch();
}

QString InputBox::Refused() const {
    const QString notNumeric = QStringLiteral("Please enter a numeric value!");
    switch (m_rule) {
    case Rule::None:
        return {};
    case Rule::Lenient:
        if (text().isEmpty()) return {};
        if (!IsNumeric(text())) return notNumeric;
        break;
    case Rule::Strict:
        if (!IsNumeric(text())) return notNumeric;
        break;
    }
    return m_refusal ? m_refusal(text()) : QString();
}

bool InputBox::Acceptable() const {
    return Refused().isEmpty();
}

void InputBox::ShowRefusal(const QString& why) {
    if (m_messages) m_messages->ShowError(why, m_title);
}

bool InputBox::Validate() {
    const QString why = Refused();
    if (why.isEmpty()) {
        m_leaveChecked = true;
        return true;
    }
    ShowRefusal(why);
    if (!hasFocus() && isVisible() && isEnabled()) {
        g_restoringFocus = true;
        setFocus(Qt::OtherFocusReason);
        g_restoringFocus = false;
    }
    return false;
}

bool InputBox::focusNextPrevChild(bool next) {
    if (!Validate()) return true;
    return QLineEdit::focusNextPrevChild(next);
}

void InputBox::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    m_leaveChecked = false;
    SelectAllText(this);
    emit focusReceived();
}

void InputBox::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    const Qt::FocusReason reason = event->reason();
    // The window losing activation, a menu or a popup is not leaving the box.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
        reason == Qt::MenuBarFocusReason)
        return;
    if (g_restoringFocus) return;
    const bool checked = m_leaveChecked;
    m_leaveChecked = false;
    if (!checked && !Acceptable()) {
        // A mouse press on another control: refused when the press arrives. Moved away by code:
        // refused once the move has finished.
        if (reason == Qt::MouseFocusReason) g_refusedBox = this;
        QTimer::singleShot(0, this, &InputBox::RefuseAfterMove);
        return;
    }
    emit focusLost();
}

void InputBox::RefuseAfterMove() {
    if (g_refusedBox == this)
        g_refusedBox = nullptr;
    else if (hasFocus())
        return; // refused already, when the press arrived
    // A box that code has just hidden or disabled (another tab selected, a project loaded) can no
    // longer be returned to.
    const QString why = Refused();
    if (why.isEmpty() || !isVisible() || !isEnabled()) return;
    ShowRefusal(why);
    g_restoringFocus = true;
    setFocus(Qt::OtherFocusReason);
    g_restoringFocus = false;
}

} // namespace q7

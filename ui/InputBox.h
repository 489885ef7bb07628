#pragma once
// The program's text box: selects its whole text when it receives the focus, and, when it has a
// validation rule, cannot be left while its text is not a number (lenient: an empty box may be
// left; strict: it may not). A refusal shows "Please enter a numeric value!" under the box's
// title and keeps the focus in the box. A box may also have a refusal rule for numbers (the input
// rule of the engine): a number it refuses is refused in the same way, once, with the rule's text.
//
// Leaving is checked where it starts: the Tab keys, and a mouse press on another control that
// would take the focus or on a tab of a tab control (that press is swallowed). Focus moved away by
// code is checked right after the move and given back.
#include <QLineEdit>
#include <QString>

#include <functional>

namespace q7 {

class MessageService;

class InputBox : public QLineEdit {
    Q_OBJECT
public:
    enum class Rule { None, Lenient, Strict };

    explicit InputBox(QWidget* parent = nullptr);

    void SetValidation(MessageService* messages, const QString& title, Rule rule);
    // Why a number in the box may not be left (empty: it may). Not asked for a blank box.
    using Refusal = std::function<QString(const QString& text)>;
    void SetRefusal(Refusal refusal) { m_refusal = std::move(refusal); }
    Rule ValidationRule() const { return m_rule; }
    const QString& ValidationTitle() const { return m_title; }

    // True when the text may be left under the box's rule.
    bool Acceptable() const;
    // Why the text may not be left: "Please enter a numeric value!" or the refusal rule's text;
    // empty when it may.
    QString Refused() const;
    // Shows the refusal when the text may not be left; true when it may.
    bool Validate();

    // The rule the engine reads numbers by: optional blanks and sign, digits with at most one
    // decimal point, optional exponent.
    static bool IsNumeric(const QString& text);

signals:
    void focusReceived();
    // The box was left (after its text passed validation).
    void focusLost();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void RefuseAfterMove();
    void ShowRefusal(const QString& why);

    MessageService* m_messages = nullptr;
    QString m_title;
    Rule m_rule = Rule::None;
    Refusal m_refusal;
    bool m_leaveChecked = false;
};

} // namespace q7

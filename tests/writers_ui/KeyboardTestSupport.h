#pragma once
// Keyboard checks shared by the output-dialog and project-dialog tests: the controls Tab visits,
// and the access keys (Alt+letter) of a dialog's buttons, check boxes and captioned boxes.
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QKeySequence>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <vector>

namespace q7::test {

// Puts the focus on `first` and presses Tab `steps` times in the focused control; the names of the
// controls that held the focus, `first` included.
inline std::vector<QString> TabWalk(QWidget* first, int steps) {
    first->setFocus(Qt::TabFocusReason);
    std::vector<QString> names;
    for (int i = 0; i <= steps; ++i) {
        QWidget* focus = QApplication::focusWidget();
        names.push_back(focus ? focus->objectName() : QStringLiteral("<no focus>"));
        if (!focus) break;
        if (i < steps) QTest::keyClick(focus, Qt::Key_Tab);
    }
    return names;
}

// Every access key in the dialog must be unique, and every button or check box whose caption
// holds a letter must have one (a caption such as "…" cannot).
inline void ExpectUniqueAccessKeys(QDialog& dialog) {
    std::map<QString, QString> owners; // key -> the control that has it
    auto claim = [&owners](const QKeySequence& key, const QWidget* w) {
        if (key.isEmpty()) return;
        const QString text = key.toString();
        const auto [it, fresh] = owners.emplace(text, w->objectName());
        EXPECT_TRUE(fresh) << text.toStdString() << " is the key of both " << it->second.toStdString()
                           << " and " << w->objectName().toStdString();
    };
    for (const QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) {
        const QString caption = button->text();
        const bool hasLetter =
            std::any_of(caption.begin(), caption.end(), [](QChar c) { return c.isLetter(); });
        if (hasLetter) {
            EXPECT_FALSE(button->shortcut().isEmpty()) << button->objectName().toStdString() << " has no key";
        }
        claim(button->shortcut(), button);
    }
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        if (label->buddy()) claim(QKeySequence::mnemonic(label->text()), label->buddy());
    EXPECT_GE(owners.size(), 2u) << "the dialog's buttons have keys";
}

} // namespace q7::test

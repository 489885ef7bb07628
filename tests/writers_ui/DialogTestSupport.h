#pragma once
// Shared pieces of the output-dialog tests: the application object, a message service and a file
// dialog that record what they are asked, and typing and clicking through the real widgets.
#include <unistd.h>

#include "tests/writers/WriterTestSupport.h"

#include "ui/FileDialogService.h"
#include "ui/MessageService.h"
#include "writers/ui/OutputDialogSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace q7::test {

class FakeMessages final : public MessageService {
public:
    struct Box {
        std::string kind, text, title;
    };
    void ShowError(const QString& m, const QString& t) override {
        boxes.push_back({"error", m.toStdString(), t.toStdString()});
    }
    void ShowInfo(const QString& m, const QString& t) override {
        boxes.push_back({"info", m.toStdString(), t.toStdString()});
    }
    bool AskYesNo(const QString& m, const QString& t) override {
        boxes.push_back({"question", m.toStdString(), t.toStdString()});
        return true;
    }
    std::vector<Box> boxes;
};

// Answers every save dialog with `answer` (empty: the user cancelled) and records the question.
class FakeFileDialog final : public FileDialogService {
public:
    QString SaveFileName(QWidget*, const QString& title, const QString& start, const QString& filter,
                         bool confirmOverwrite) override {
        asked.push_back({title, start, filter, confirmOverwrite});
        return answer;
    }
    struct Question {
        QString title, start, filter;
        bool confirmOverwrite;
    };
    QString answer;
    std::vector<Question> asked;
};

// Everything a dialog is opened with; `objects` is computed by the test first.
struct DialogWorld {
    Objects data;
    FakeMessages messages;
    FakeFileDialog files;
    OutputDialogHost Host() { return {data.objects, messages, files}; }
};

template <typename T> T* Find(QWidget& dialog, const QString& name) {
    T* w = dialog.findChild<T*>(name);
    if (!w) ADD_FAILURE() << "no control " << name.toStdString();
    return w;
}

// Replaces the box's text by typing, one key at a time, as a user does.
inline void Type(QLineEdit* box, const QString& text) {
    box->selectAll();
    if (text.isEmpty()) {
        QTest::keyClick(box, Qt::Key_Delete);
    } else {
        QTest::keyClicks(box, text);
    }
}

inline void Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton);
}

// Shows the dialog as a window of its own, as exec() would, without blocking.
inline void Open(QDialog& dialog) {
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
}

inline QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace q7::test

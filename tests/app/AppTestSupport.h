#pragma once
// Shared pieces of the workstation tests: one QApplication on the offscreen platform, a message
// service that records every box and answers questions from a script, a main window opened on a
// chosen project database (or none), finding controls by name, and acting in modal dialogs.
#include "app/MainControls.h"
#include "app/frmMain.h"
#include "app/tabs/GasTab.h"
#include "app/tabs/OilTab.h"
#include "app/tabs/PhasesTab.h"
#include "app/tabs/PressureTab.h"
#include "app/tabs/RockInputTab.h"
#include "app/tabs/WaterTab.h"
#include "ui/InputBox.h"
#include "ui/MessageService.h"

#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariant>

#include <deque>
#include <functional>
#include <memory>
#include <ostream>
#include <vector>

inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace q7::test {

struct RecordedMessage {
    enum Kind { Error, Info, Question } kind;
    QString title;
    QString text;
};

// Records every message; questions take the next scripted answer (Yes when none is left).
class FakeMessages final : public MessageService {
public:
    void ShowError(const QString& message, const QString& title) override;
    void ShowInfo(const QString& message, const QString& title) override;
    bool AskYesNo(const QString& message, const QString& title) override;

    void AnswerNext(bool yes) { m_answers.push_back(yes); }
    const std::vector<RecordedMessage>& All() const { return m_messages; }
    std::vector<RecordedMessage> Errors() const;
    void Clear() { m_messages.clear(); }

private:
    std::vector<RecordedMessage> m_messages;
    std::deque<bool> m_answers;
};

// The one application object of the test program.
QApplication& App();

// Where the window looks for its project database.
class DatabaseChoice {
public:
    // A fresh empty project database in a temporary folder.
    static DatabaseChoice Empty();
    // A file that does not exist: the window runs without the Project menu.
    static DatabaseChoice Missing();
    // A fresh database of ours on the test server (the store's pg-cluster fixture, named through
    // Q7_TEST_PG_STATE), dropped when the last copy goes; an empty path when there is no server.
    static DatabaseChoice Server();
    const QString& Path() const { return m_path; }

private:
    std::shared_ptr<QTemporaryDir> m_dir;
    std::shared_ptr<void> m_serverDatabase;
    QString m_path;
};

// A main window shown and active, on its own message service and database.
class Workstation {
public:
    explicit Workstation(const DatabaseChoice& database = DatabaseChoice::Missing());
    ~Workstation();

    frmMain& Window() { return *m_window; }
    const MainControls& ui() const { return m_window->Controls(); }
    FakeMessages& Messages() { return m_messages; }
    Q7Objects& Objects() { return m_window->Objects(); }
    modQ7& State() { return m_window->State(); }
    const QString& DatabasePath() const { return m_database.Path(); }

    // Selects a tab as a user's click would (the tab must be available).
    void SelectTab(int tab);
    // Replaces a box's text by typing: focus, select all, type.
    void Type(QWidget* box, const QString& text);
    // Presses Tab in the focused widget.
    void PressTab();
    // "Calc Pbp", then "Proceed".
    void CompleteOilTab();

private:
    DatabaseChoice m_database;
    FakeMessages m_messages;
    std::unique_ptr<frmMain> m_window;
};

// Runs `action` on the next modal dialog once its own event loop runs, for as long as the object
// lives. Ran() tells whether a dialog appeared.
class WhenModal {
public:
    explicit WhenModal(std::function<void(QWidget*)> action);
    ~WhenModal();
    WhenModal(const WhenModal&) = delete;
    WhenModal& operator=(const WhenModal&) = delete;
    bool Ran() const { return m_ran; }

private:
    std::function<void(QWidget*)> m_action;
    QTimer* m_timer;
    bool m_ran = false;
};

// Runs one query on its own connection to the database file; the first column of each row.
QVariantList Query(const QString& path, const QString& sql);
// The first value of the first row (an invalid QVariant when there is none).
QVariant QueryValue(const QString& path, const QString& sql);

// Enabled in its own right (its tab page may be unavailable).
inline bool OwnEnabled(const QWidget* w) {
    return !w->testAttribute(Qt::WA_ForceDisabled);
}

template <class T> T* Find(QWidget* parent, const QString& name) {
    return parent->findChild<T*>(name);
}

} // namespace q7::test

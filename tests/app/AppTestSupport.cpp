#include "AppTestSupport.h"

#include "store/ProjectSchema.h"
#include "store/SqlDialect.h"
#include "ui/InputBox.h"

#include <QFile>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

// Fontconfig keeps its configuration for the life of the process; under the leak checker that is
// not the program's leak.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace q7::test {

void FakeMessages::ShowError(const QString& message, const QString& title) {
    m_messages.push_back({RecordedMessage::Error, title, message});
}

void FakeMessages::ShowInfo(const QString& message, const QString& title) {
    m_messages.push_back({RecordedMessage::Info, title, message});
}

bool FakeMessages::AskYesNo(const QString& message, const QString& title) {
    m_messages.push_back({RecordedMessage::Question, title, message});
    if (m_answers.empty()) return true;
    const bool yes = m_answers.front();
    m_answers.pop_front();
    return yes;
}

std::vector<RecordedMessage> FakeMessages::Errors() const {
    std::vector<RecordedMessage> errors;
    for (const auto& m : m_messages)
        if (m.kind == RecordedMessage::Error) errors.push_back(m);
    return errors;
}

namespace {

// The offscreen platform warns about every window it cannot size: keep the test output readable.
QtMessageHandler g_defaultHandler = nullptr;
void QuietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QStringLiteral("propagateSizeHints"))) return;
    if (g_defaultHandler) g_defaultHandler(type, context, message);
}

} // namespace

QApplication& App() {
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        g_defaultHandler = qInstallMessageHandler(QuietHandler);
        return new QApplication(argc, argv);
    }();
    return *app;
}

DatabaseChoice DatabaseChoice::Empty() {
    App();
    DatabaseChoice choice;
    choice.m_dir = std::make_shared<QTemporaryDir>();
    choice.m_path = choice.m_dir->filePath(QStringLiteral("q7.mdb"));
    CreateDatabaseFile(choice.m_path);
    return choice;
}

DatabaseChoice DatabaseChoice::Server() {
    App();
    DatabaseChoice choice;
    QString stateFile = qEnvironmentVariable("Q7_TEST_PG_STATE");
    if (stateFile.isEmpty()) stateFile = QStringLiteral(Q7_BINARY_DIR "/tests/store/pg-cluster.state");
    QFile state(stateFile);
    if (!state.open(QIODevice::ReadOnly)) return choice;
    const QString maintenance = QString::fromUtf8(state.readLine()).trimmed();
    if (maintenance.isEmpty()) return choice;
    static int counter = 0;
    const QString name = QStringLiteral("q7app_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
    Query(maintenance, QStringLiteral("CREATE DATABASE %1").arg(name));
    choice.m_path = maintenance.left(maintenance.lastIndexOf(QLatin1Char('/')) + 1) + name;
    choice.m_serverDatabase = std::shared_ptr<void>(nullptr, [maintenance, name](void*) {
        Query(maintenance, QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(name));
    });
    return choice;
}

DatabaseChoice DatabaseChoice::Missing() {
    DatabaseChoice choice;
    choice.m_dir = std::make_shared<QTemporaryDir>();
    choice.m_path = choice.m_dir->filePath(QStringLiteral("none/q7.mdb"));
    return choice;
}

Workstation::Workstation(const DatabaseChoice& database) : m_database(database) {
    App();
    qputenv("Q7_DATABASE", m_database.Path().toLocal8Bit());
    m_window = std::make_unique<frmMain>(m_messages);
    m_window->show();
    m_window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
}

Workstation::~Workstation() {
    m_window->close();
    m_window.reset();
    qunsetenv("Q7_DATABASE");
}

void Workstation::SelectTab(int tab) {
    QTabBar* bar = ui().sstMain->tabBar();
    ASSERT_TRUE(ui().sstMain->isTabEnabled(tab)) << "tab " << tab << " is not available";
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(tab).center());
    QApplication::processEvents();
}

void Workstation::Type(QWidget* box, const QString& text) {
    if (!m_window->isActiveWindow()) {
        m_window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }
    box->setFocus(Qt::TabFocusReason);
    QApplication::processEvents();
    auto* edit = qobject_cast<QLineEdit*>(box);
    ASSERT_NE(edit, nullptr);
    edit->selectAll();
    if (text.isEmpty())
        QTest::keyClick(edit, Qt::Key_Delete);
    else
        QTest::keyClicks(edit, text);
}

void Workstation::PressTab() {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClick(focus, Qt::Key_Tab);
    QApplication::processEvents();
}

void Workstation::CompleteOilTab() {
    ui().oil->cmdCalcPbp->click();
    ui().oil->cmdProceed->click();
}

QVariantList Query(const QString& path, const QString& sql) {
    QVariantList values;
    const QString name = QStringLiteral("app-test-query");
    {
        QSqlDatabase db = AddConnection(ParseDatabaseName(path), name, false, 3000);
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        QSqlQuery query(db);
        EXPECT_TRUE(query.exec(sql)) << query.lastError().text().toStdString() << " in " << sql.toStdString();
        while (query.next())
            values << query.value(0);
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return values;
}

QVariant QueryValue(const QString& path, const QString& sql) {
    const QVariantList values = Query(path, sql);
    return values.isEmpty() ? QVariant() : values.front();
}

WhenModal::WhenModal(std::function<void(QWidget*)> action)
    : m_action(std::move(action)), m_timer(new QTimer) {
    m_timer->setInterval(5);
    QObject::connect(m_timer, &QTimer::timeout, [this] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || m_ran) return;
        m_ran = true;
        m_timer->stop();
        m_action(modal);
    });
    m_timer->start();
}

WhenModal::~WhenModal() {
    delete m_timer;
}

} // namespace q7::test

// The keyboard in the project dialogs (Open, Delete, New): Tab follows the controls as shown,
// access keys are unique, Enter runs the dialog's button and Escape cancels, putting the current
// project back as Cancel does.
#include "AppTestSupport.h"
#include "tests/writers_ui/KeyboardTestSupport.h"

#include "app/modQ7.h"
#include "engine/Q7Objects.h"
#include "store/clsQ7IO.h"
#include "store/ui/frmDelete.h"
#include "store/ui/frmOpen.h"
#include "store/ui/frmProject.h"

#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace q7::test {
namespace {

int ProjectCount(const QString& path) {
    return QueryValue(path, QStringLiteral("SELECT COUNT(*) FROM tblProject")).toInt();
}

struct ProjectDialogCase {
    const char* name;
    std::function<std::unique_ptr<QDialog>(frmMain&)> make;
    std::vector<const char*> tabOrder; // from the first control back to it
    const char* runButton;
    int projectsAddedByEnter;
};

void PrintTo(const ProjectDialogCase& c, std::ostream* os) {
    *os << c.name;
}

const ProjectDialogCase kProjectDialogs[] = {
    {"Open",
     [](frmMain& m) { return std::make_unique<frmOpen>(m, &m); },
     {"fxgProjects", "cmdOK", "cmdCancel", "fxgProjects"},
     "cmdOK",
     0},
    {"Delete",
     [](frmMain& m) { return std::make_unique<frmDelete>(m, &m); },
     {"fxgProjects", "cmdOK", "cmdCancel", "fxgProjects"},
     "cmdOK",
     -1},
    {"New",
     [](frmMain& m) {
         m.State().ProjectDialogMode = 1;
         return std::make_unique<frmProject>(m, &m);
     },
     {"txtPrjName", "txtCreatedBy", "txtDesc", "cmdSave", "cmdCancel", "txtPrjName"},
     "cmdSave",
     1},
};

// A window over a database holding one project, and the dialog opened over it.
class ProjectDialogKeys : public ::testing::TestWithParam<ProjectDialogCase> {
protected:
    void SetUp() override {
        {
            clsQ7IO io;
            io.OpenDatabase(database.Path());
            NullMessageSink sink;
            Q7Objects objects(sink);
            Recordset row = io.NewREC(QStringLiteral("tblProject"));
            row.SetValue(QStringLiteral("PrjName"), QStringLiteral("Alpha"));
            io.CreateProject(row, objects);
        }
        w = std::make_unique<Workstation>(database);
        entryID = w->State().CurPrjID;
        entryName = w->State().CurPrjName;
        dialog = GetParam().make(w->Window());
        dialog->show();
        dialog->activateWindow();
        // The main window's own activation may still be queued: wait until the dialog holds the focus.
        ASSERT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == dialog.get(); }));
        first = Find<QWidget>(dialog.get(), QString::fromLatin1(GetParam().tabOrder.front()));
        ASSERT_NE(first, nullptr);
        first->setFocus(Qt::TabFocusReason);
    }
    void TearDown() override { dialog.reset(); }

    const DatabaseChoice database = DatabaseChoice::Empty();
    std::unique_ptr<Workstation> w;
    std::int32_t entryID = 0;
    QString entryName;
    std::unique_ptr<QDialog> dialog;
    QWidget* first = nullptr;
};

TEST_P(ProjectDialogKeys, TabFollowsTheControlsAsShown) {
    std::vector<QString> expected;
    for (const char* name : GetParam().tabOrder)
        expected.push_back(QString::fromLatin1(name));
    EXPECT_EQ(TabWalk(first, static_cast<int>(expected.size()) - 1), expected);
}

TEST_P(ProjectDialogKeys, AccessKeysAreUnique) {
    ExpectUniqueAccessKeys(*dialog);
}

TEST_P(ProjectDialogKeys, EnterRunsTheDialogsButton) {
    QSignalSpy ran(Find<QPushButton>(dialog.get(), QString::fromLatin1(GetParam().runButton)),
                   &QPushButton::clicked);
    if (auto* name = Find<QLineEdit>(dialog.get(), QStringLiteral("txtPrjName")))
        QTest::keyClicks(name, QStringLiteral("Beta"));
    QTest::keyClick(first, Qt::Key_Return);
    EXPECT_EQ(ran.count(), 1);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(ProjectCount(database.Path()), 1 + GetParam().projectsAddedByEnter);
}

TEST_P(ProjectDialogKeys, EscapeCancelsAndKeepsTheCurrentProject) {
    QTest::keyClick(first, Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(w->State().CurPrjID, entryID);
    EXPECT_EQ(w->State().CurPrjName, entryName);
    EXPECT_EQ(ProjectCount(database.Path()), 1);
    EXPECT_TRUE(w->Messages().All().empty());
}

INSTANTIATE_TEST_SUITE_P(Dialogs, ProjectDialogKeys, ::testing::ValuesIn(kProjectDialogs),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace q7::test

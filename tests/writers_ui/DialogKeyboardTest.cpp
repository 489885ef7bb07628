// The keyboard in the three output dialogs: Tab follows the rows as shown, access keys are unique,
// Enter runs the dialog's button from a name box and presses a focused button, Escape cancels.
#include "DialogTestSupport.h"
#include "KeyboardTestSupport.h"

#include "engine/clsProject.h"
#include "writers/ui/frmCSV.h"
#include "writers/ui/frmECL.h"
#include "writers/ui/frmReport.h"

#include <QPushButton>
#include <QSignalSpy>

#include <filesystem>
#include <functional>
#include <memory>

namespace q7::test {
namespace {

struct KeyboardCase {
    const char* name;
    std::function<std::unique_ptr<QDialog>(DialogWorld&, const clsProject&)> make;
    std::vector<QString> tabOrder; // the focus from the first control back to it
    const char* fileName;          // the box naming the file written
};

void PrintTo(const KeyboardCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<QString> Names(std::initializer_list<const char*> names) {
    std::vector<QString> out;
    for (const char* n : names)
        out.push_back(QString::fromLatin1(n));
    return out;
}

// Oil, gas and water with a water/oil rock table: every Eclipse row but SGOF is offered.
std::vector<QString> EclipseOrder() {
    std::vector<QString> order = Names({"txtFileName", "cmdBrowseFileName"});
    const char* keywords[] = {"PVDO", "PVTO", "PVDG", "PVTW", "DENS", "SWOF"};
    for (int k = 0; k < 6; ++k) {
        order.push_back(QStringLiteral("cbxInclude(%1)").arg(k));
        order.push_back(QStringLiteral("txt") + QLatin1String(keywords[k]));
        order.push_back(QStringLiteral("cmdBrowse") + QLatin1String(keywords[k]));
    }
    // Tab reaches the chosen one of the two unit buttons (arrows move between them).
    for (const QString& n :
         Names({"optUnits(0)", "optFamily(0)", "chkConsistent", "cmdReport", "cmdCancel", "txtFileName"}))
        order.push_back(n);
    return order;
}

const KeyboardCase kDialogs[] = {
    {"Eclipse", [](DialogWorld& w, const clsProject&) { return std::make_unique<frmECL>(w.Host()); },
     EclipseOrder(), "txtFileName"},
    {"Csv", [](DialogWorld& w, const clsProject&) { return std::make_unique<frmCSV>(w.Host()); },
     Names({"txtFileName", "cmdBrowseFileName", "cbxInclude(0)", "cbxInclude(1)", "cbxInclude(2)",
            "cbxInclude(3)", "cmdReport", "cmdCancel", "txtFileName"}),
     "txtFileName"},
    {"Report", [](DialogWorld& w, const clsProject& p) { return std::make_unique<frmReport>(w.Host(), p); },
     Names({"txtCompany", "txtField", "txtReservoir", "txtDesc", "txtCreatedBy", "txtFileName",
            "cmdBrowseFileName", "cbxInclude(0)", "cbxInclude(1)", "cbxInclude(2)", "cbxInclude(3)",
            "cbxCorrelations", "cmdReport", "cmdCancel", "txtCompany"}),
     "txtFileName"},
};

class OutputDialogKeys : public ::testing::TestWithParam<KeyboardCase> {
protected:
    void SetUp() override {
        w.data.Compute({.oil = true, .gas = true, .water = true});
        w.data.ComputeRock();
        dialog = GetParam().make(w, project);
        Open(*dialog);
        ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
        // Whatever is written goes to the scratch folder.
        Type(Find<QLineEdit>(*dialog, QString::fromLatin1(GetParam().fileName)), Q(dir / "out"));
    }
    QWidget* Control(const char* name) { return Find<QWidget>(*dialog, QString::fromLatin1(name)); }
    bool NothingWritten() const { return std::filesystem::is_empty(dir.path()); }

    DialogWorld w;
    ScratchDir dir;
    clsProject project;
    std::unique_ptr<QDialog> dialog;
};

TEST_P(OutputDialogKeys, TabFollowsTheRowsAsShown) {
    const std::vector<QString>& order = GetParam().tabOrder;
    EXPECT_EQ(TabWalk(Find<QWidget>(*dialog, order.front()), static_cast<int>(order.size()) - 1), order);
}

TEST_P(OutputDialogKeys, AccessKeysAreUnique) {
    ExpectUniqueAccessKeys(*dialog);
}

TEST_P(OutputDialogKeys, EnterPressesAFocusedButtonElseRunsTheDialog) {
    auto* run = Find<QPushButton>(*dialog, QStringLiteral("cmdReport"));
    QSignalSpy ran(run, &QPushButton::clicked);
    // On the "…" button Enter opens the file dialog (cancelled here) and nothing else.
    Control("cmdBrowseFileName")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Control("cmdBrowseFileName"), Qt::Key_Return);
    EXPECT_EQ(w.files.asked.size(), 1u);
    EXPECT_EQ(ran.count(), 0);
    EXPECT_TRUE(dialog->isVisible());
    // Back in the name box, Enter runs the dialog's own button.
    QWidget* box = Control(GetParam().fileName);
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(ran.count(), 1);
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_FALSE(NothingWritten());
}

TEST_P(OutputDialogKeys, EscapeAndEnterOnCancelWriteNothing) {
    QTest::keyClick(Control(GetParam().fileName), Qt::Key_Escape);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());

    Open(*dialog);
    Control("cmdCancel")->setFocus(Qt::TabFocusReason);
    QTest::keyClick(Control("cmdCancel"), Qt::Key_Return);
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_TRUE(NothingWritten());
    EXPECT_TRUE(w.messages.boxes.empty());
}

INSTANTIATE_TEST_SUITE_P(Dialogs, OutputDialogKeys, ::testing::ValuesIn(kDialogs),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace q7::test

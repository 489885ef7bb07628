#pragma once
// The main window: creates the calculation objects, shows the input and result tabs, applies the
// phase workflow, hands every input edit to its object (and to the open project), computes the
// tables when a result tab is selected, and runs the project commands and the about box.
#include "app/MainControls.h"
#include "app/frmUserGuide.h"
#include "app/modQ7.h"
#include "engine/CalcStage.h"
#include "store/ui/ProjectHost.h"
#include "ui/MessageServiceSink.h"

#include <QMainWindow>
#include <QPointer>
#include <QVariant>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string_view>

namespace q7 {

class clsProject;
class clsRock;
class clsQ7IO;
class clsUtil;
struct Q7Objects;

// The output dialogs the File menu opens.
enum class OutputDialog { Report, Csv, Eclipse, EclipseProjects };

class frmMain : public QMainWindow, public ProjectHost {
    Q_OBJECT
public:
    // Start-up. Every message box goes through `messages`. The project database is the one
    // clsQ7IO finds (Q7_DATABASE, else next to the program or the user's copy of it).
    explicit frmMain(MessageService& messages, QWidget* parent = nullptr);
    ~frmMain() override;

    const MainControls& Controls() const { return m_ui; }
    Q7Objects& Objects() { return *m_objects; }
    // Null when no project database was opened.
    clsQ7IO* IO() const { return m_state.IO(); }
    bool ShiftingPressures() const;

    // The File menu's dialogs are opened through this (the writers' dialogs register here).
    void SetOutputDialogOpener(std::function<void(OutputDialog, frmMain&)> opener) {
        m_outputOpener = std::move(opener);
    }

    // Project workflow; the project dialogs reach the window through ProjectHost.
    modQ7& State() { return m_state; }
    ProjectSession& Session() override { return m_state; }
    clsQ7IO& Database() override { return *m_io; }
    clsProject& Project() override { return *m_project; }
    const Q7Objects& CalculationObjects() override { return *m_objects; }
    void LoadProjectIntoForm(std::int32_t prjID) override;
    void ProjectSaved(const QString& name, std::int32_t prjID, ProjectTables* created) override;
    void CloseProject();

    // Help -> User Guide reads the guide from here instead of the installed one (tests).
    void SetUserGuidePath(const QString& path) { m_userGuidePath = path; }
    frmUserGuide* UserGuide() const { return m_guide; }

    // Fills every input control from the calculation objects.
    void ShowObjectValues();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Start-up and shut-down.
    void WireControls();
    void WireMenus();
    void OpenProjectDatabase();
    void UserGuideClick();
    void ShutDown();

    // The input tabs' hand-offs to the window: the phases decide which tabs are available, and
    // "Proceed" opens the gas (and water) input and the results.
    void ApplyPhaseTabs();
    // Runs a handler; an error it raises is shown under `title`.
    void Guarded(const QString& title, const std::function<void()>& handler);
    void ProceedClick();

    // Result tabs.
    void TabSelected(int tab);
    void ComputeFluidTables();
    void ComputeRockTable();
    void FillRockGrid(const clsRock& rock, FlexGrid* grid, SpanHeading* heading, QLabel* caption);
    void SetOutputMenus(bool enabled);
    void ShowCalcFailure(CalcStage stage, const QString& text);
    void FillOilTable();
    void FillGasTable();
    void FillWaterTable();
    void PrepareOilGrid();
    void PrepareGasGrid();
    void PrepareWaterGrid();
    void ApplySubTabRules();
    friend class FluidTabObserver;

    // Project menu.
    void NewProjectClick();
    void EditProjectClick();
    void OpenProjectClick();
    void DeleteProjectClick();

    void SelectTab(int tab);
    void SetText(QLineEdit* box, const QString& text);
    void ClearFluidResults(CalcStage stage);
    void ShowDatabaseError(const QString& text);

    MainControls m_ui;
    MessageService& m_messages;
    modQ7 m_state;
    MessageServiceSink m_sink;
    std::unique_ptr<clsUtil> m_util;
    std::unique_ptr<Q7Objects> m_objects;
    std::unique_ptr<clsProject> m_project;
    std::unique_ptr<clsQ7IO> m_io;
    bool m_shutDown = false;
    // The Fluid Properties sub-tab the user last looked at (-1: none yet), taken again when the
    // tab is computed anew and that sub-tab is still available.
    int m_fluidSubTab = -1;
    bool m_applyingSubTabs = false;
    std::function<void(OutputDialog, frmMain&)> m_outputOpener;
    std::optional<QString> m_userGuidePath;
    QPointer<frmUserGuide> m_guide;
};

} // namespace q7

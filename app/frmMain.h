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

class QRadioButton;

namespace q7 {

class InputBox;
class clsProject;
class clsQ7IO;
class clsUtil;
struct ProjectField;
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
    bool ShiftingPressures() const { return m_shiftingPressures; }

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
    // Each input tab's wiring and its filling from the objects, in the tab's file (app/tabs/).
    void WirePhasesTab();
    void WirePressureTab();
    void WireOilTab();
    void WireGasTab();
    void WireWaterTab();
    void WireRockInputTab();
    void ShowPhasesValues();
    void ShowPressureValues();
    void ShowOilValues();
    void ShowGasValues();
    void ShowWaterValues();
    void ShowRockInputValues();
    void WireMenus();
    void OpenProjectDatabase();
    void UserGuideClick();
    void ShutDown();

    // Runs an input handler; an error its object raises is shown under `title`.
    void Guarded(const QString& title, const std::function<void()>& handler);
    // A box of one project field, found by its tag (the column, matched without regard to case):
    // each change gives the text to the objects and stores the value they then hold, with the
    // column `derivedTag` that the objects derive from it, if any.
    void PlainField(InputBox* box, const QString& title, bool strict, const char* tag,
                    const char* derivedTag = nullptr);
    // A laboratory box: blank text is a value not measured (stored as Null).
    void LabField(InputBox* box, const QString& title, const char* tag);
    void ShowLabValues();
    // The data table that stores `field` (the fluid table for a field no table stores).
    static ProjectTable TableOf(const ProjectField& field);
    // Both options of a pair carry `tag`; `handler` runs with the index of the option that becomes
    // selected, by the user or by code.
    void WireOption(const OptionPair& pair, const char* tag, std::function<void(int)> handler);

    // Handlers.
    void PhaseClick(int i, bool ticked);
    void PressureModeClick(int i);
    void GasEntryClick(int i);
    void PlusClick(int k, bool ticked);
    void DiscretePressureChange(int k);
    void DiscretePressureLeft(int k);
    void CompositionChange(int k);
    void CalcPbpClick();
    void CalcRsiClick();
    void ProceedClick();
    void NormalizeClick();
    void RefreshRockInputs();
    void RefreshCorrelationInputs();
    void StorePressureList();

    // Result tabs.
    void TabSelected(int tab);
    void ComputeFluidTables();
    void ComputeRockTable();
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

    // Sets option 0 of a pair (selecting it raises its click; clearing it selects no partner).
    static void SetFirstOption(const OptionPair& pair, bool value);
    static void SelectOption(const OptionPair& pair, int index);
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
    bool m_shiftingPressures = false;
    // The program writes a computed value into a box ("Calc Pbp", "Calc Rsi", the bubble point
    // of "Fluid Properties"): the box stores its own column, never the partner it derives back.
    bool m_showingComputed = false;
    void ShowComputed(QLineEdit* box, const QString& text);
    bool m_shutDown = false;
    std::function<void(OutputDialog, frmMain&)> m_outputOpener;
    std::optional<QString> m_userGuidePath;
    QPointer<frmUserGuide> m_guide;
};

} // namespace q7

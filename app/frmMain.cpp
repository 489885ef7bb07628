// The main window: start-up, shut-down, the wiring every tab shares and the menus. Each input tab
// builds, wires and handles its own controls in app/tabs/.
#include "app/frmMain.h"

#include "app/AppVersion.h"
#include "app/ResultPlots.h"
#include "app/clsUtil.h"
#include "app/frmAbout.h"
#include "app/frmUserGuide.h"
#include "app/tabs/GasTab.h"
#include "app/tabs/OilTab.h"
#include "app/tabs/PhasesTab.h"
#include "app/tabs/PressureTab.h"
#include "app/tabs/RockInputTab.h"
#include "app/tabs/WaterTab.h"
#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"
#include "engine/clsProject.h"
#include "numeric/Errors.h"
#include "numeric/NumericText.h"
#include "store/clsQ7IO.h"
#include "ui/FlexGrid.h"
#include "ui/InputBox.h"
#include "ui/LogoWidget.h"
#include "ui/PlotView.h"
#include "ui/ScopeGuards.h"
#include "ui/TextFormat.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace q7 {

frmMain::frmMain(MessageService& messages, QWidget* parent)
    : QMainWindow(parent), m_messages(messages), m_state(messages), m_sink(messages) {
    setObjectName(QStringLiteral("frmMain"));
    BuildMainControls(*this, m_ui,
                      TabContext{m_messages, m_state, [this]() -> Q7Objects& { return *m_objects; }});
    setWindowIcon(QIcon(LogoWidget::Picture(64)));
    WireControls();

    // 1. Title from the program's version.
    setWindowTitle(QStringLiteral("Q7 Vers ") + VersionText());

    // 2. The calculation objects, each with its own defaults.
    m_util = std::make_unique<clsUtil>();
    m_objects = std::make_unique<Q7Objects>(m_sink);
    m_project = std::make_unique<clsProject>();
    m_io = std::make_unique<clsQ7IO>();

    // 3. The project database and the Project menu.
    OpenProjectDatabase();

    // 4. No project shown, no output until a result tab has been computed.
    m_ui.txtProject->hide();
    SetOutputMenus(false);

    // 5.
    m_state.SettingsInUse = false;
    m_state.InputEventsOn = false;

    // 6. Fill the inputs; option and check-box clicks run as a user's would.
    ShowObjectValues();

    // 7.
    m_state.InputEventsOn = true;

    // 8.
    m_ui.gas->cmdNormal->setEnabled(false);

    // 9. "Rock Properties" opens once "Rock Input" has been visited; the rock inputs depend on no
    // fluid input, so "Rock Input" is available from the start.
    m_ui.sstMain->setTabEnabled(kTabRockProps, false);
    SelectTab(kTabTitle);

    // Opens at the designed client size (12450 x 7905 twips), widened with the grids for a wider
    // desktop font (as FlexGrid does) and by the room of the plots beside the grids, never smaller
    // than the controls need and never larger than the screen.
    const double scale = logicalDpiX() / 1440.0 *
                         std::max(1.0, fontMetrics().horizontalAdvance(QStringLiteral("0123456789")) / 60.0);
    const QSize designed(static_cast<int>(12450 * scale) + m_ui.plotOil->sizeHint().width(),
                         static_cast<int>(7905 * scale) + menuBar()->sizeHint().height());
    QSize size = designed.expandedTo(sizeHint());
    if (const QScreen* desktop = screen()) size = size.boundedTo(desktop->availableSize());
    resize(size);
    // The grids keep the width they had without plots and the plots take what the window adds;
    // on a smaller screen both give up room in proportion.
    const int plotWidth = m_ui.plotOil->sizeHint().width();
    for (QSplitter* splitter : findChildren<QSplitter*>())
        splitter->setSizes({std::max(size.width() - plotWidth, plotWidth), plotWidth});
}

frmMain::~frmMain() {
    ShutDown();
    // Nothing may run a handler while the controls are taken down.
    for (QObject* child : findChildren<QObject*>())
        child->blockSignals(true);
    m_util.reset();
    m_objects.reset();
    m_project.reset();
}

void frmMain::closeEvent(QCloseEvent* event) {
    ShutDown();
    event->accept();
}

void frmMain::ShutDown() {
    if (m_shutDown) return;
    m_shutDown = true;
    if (m_state.ProjectOpen) CloseProject();
    // Releasing the database object closes the database.
    m_state.SetIO(nullptr);
    m_io.reset();
    m_ui.mnuProj->menuAction()->setVisible(false);
    m_ui.mnuEclipseProjects->setVisible(false);
}

void frmMain::OpenProjectDatabase() {
    m_io->Q7Open();
    m_ui.mnuProj->menuAction()->setVisible(false);
    m_ui.mnuEclipseProjects->setVisible(false);
    if (m_io->Q7FOUND()) {
        m_ui.mnuProj->menuAction()->setVisible(true);
        m_ui.mnuEclipseProjects->setVisible(true);
        m_ui.mnuEdit->setEnabled(false);
        m_ui.mnuClose->setEnabled(false);
        m_state.SetIO(m_io.get());
    } else if (m_io->OnServer()) {
        // A file that is missing leaves the menu out quietly, as always; a server that cannot be
        // used is said once, with the reason.
        m_messages.ShowError(QStringLiteral("The project database %1 cannot be used: %2. The Project menu is "
                                            "not available in this session.")
                                 .arg(m_io->DatabasePath(), m_io->OpenProblem()),
                             QStringLiteral("Project Database Error"));
    }
    m_state.ProjectOpen = false;
}

void frmMain::SetOutputMenus(bool enabled) {
    m_ui.mnuPrint->setEnabled(enabled);
    m_ui.mnuCSV->setEnabled(enabled);
    m_ui.mnuEclipse->setEnabled(enabled);
}

void frmMain::SelectTab(int tab) {
    m_ui.sstMain->setCurrentIndex(tab);
}

void frmMain::SetText(QLineEdit* box, const QString& text) {
    box->setText(text);
}

void frmMain::Guarded(const QString& title, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const Error& e) {
        m_messages.ShowError(QString::fromStdString(e.what()), title);
    }
}

void frmMain::UserGuideClick() {
    const QString path =
        m_userGuidePath ? *m_userGuidePath : UserGuidePath(QCoreApplication::applicationFilePath());
    if (m_guide) {
        m_guide->show();
        m_guide->raise();
        m_guide->activateWindow();
        return;
    }
    auto* guide = new frmUserGuide(this);
    if (!guide->Load(path)) {
        delete guide;
        m_messages.ShowError(path.isEmpty() ? QStringLiteral("The user guide is not installed.")
                                            : QStringLiteral("The user guide could not be read:\n") + path,
                             QStringLiteral("User Guide"));
        return;
    }
    m_guide = guide;
    guide->show();
}

// ---------------------------------------------------------------------------------------------
// Wiring

void frmMain::WireControls() {
    // Each input tab wires its own boxes, options and buttons (app/tabs/).
    connect(m_ui.phases, &PhasesTab::phasesChanged, this, &frmMain::ApplyPhaseTabs);
    connect(m_ui.oil, &OilTab::proceeded, this, &frmMain::ProceedClick);
    WireMenus();
    connect(m_ui.sstMain, &QTabWidget::currentChanged, this, &frmMain::TabSelected);
    connect(m_ui.sstFluid, &QTabWidget::currentChanged, this, [this](int sub) {
        if (!m_applyingSubTabs && sub >= 0) m_fluidSubTab = sub;
    });
    // A plot that cannot be saved is reported like every other failure.
    for (PlotPane* pane : {m_ui.plotOil, m_ui.plotGas, m_ui.plotWater, m_ui.plotRock})
        for (int i = 0; i < pane->Count(); ++i)
            pane->View(i)->SetErrorShower(
                [this](const QString& text, const QString& title) { m_messages.ShowError(text, title); });
}

void frmMain::WireMenus() {
    auto openOutput = [this](OutputDialog kind) {
        // The report names the project open now (none: not set).
        m_project->PrjName(m_state.ProjectOpen ? m_state.CurPrjName.toStdString()
                                               : std::string(clsProject::kNotSet));
        if (m_outputOpener) m_outputOpener(kind, *this);
    };
    connect(m_ui.mnuPrint, &QAction::triggered, this, [openOutput] { openOutput(OutputDialog::Report); });
    connect(m_ui.mnuCSV, &QAction::triggered, this, [openOutput] { openOutput(OutputDialog::Csv); });
    connect(m_ui.mnuEclipse, &QAction::triggered, this, [openOutput] { openOutput(OutputDialog::Eclipse); });
    connect(m_ui.mnuEclipseProjects, &QAction::triggered, this,
            [openOutput] { openOutput(OutputDialog::EclipseProjects); });
    connect(m_ui.mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(m_ui.mnuOpen, &QAction::triggered, this, &frmMain::OpenProjectClick);
    connect(m_ui.mnuEdit, &QAction::triggered, this, &frmMain::EditProjectClick);
    connect(m_ui.mnuNew, &QAction::triggered, this, &frmMain::NewProjectClick);
    connect(m_ui.mnuClose, &QAction::triggered, this, &frmMain::CloseProject);
    connect(m_ui.mnuDelete, &QAction::triggered, this, &frmMain::DeleteProjectClick);
    connect(m_ui.mnuUserGuide, &QAction::triggered, this, &frmMain::UserGuideClick);
    connect(m_ui.mnuAbout, &QAction::triggered, this, [this] {
        frmAbout about(this);
        about.ShowDatabase(m_io && m_io->Q7FOUND()
                               ? m_io->DatabaseDisplay()
                               : QStringLiteral("none (the Project menu is not available)"));
        about.exec();
    });
}

// ---------------------------------------------------------------------------------------------
// Filling the inputs from the objects

void frmMain::ShowObjectValues() {
    for (InputTab* tab : std::initializer_list<InputTab*>{m_ui.phases, m_ui.pressure, m_ui.oil, m_ui.gas,
                                                          m_ui.water, m_ui.rockInput})
        tab->ShowValues();
}

bool frmMain::ShiftingPressures() const {
    return m_ui.pressure->Shifting();
}

// ---------------------------------------------------------------------------------------------
// The input tabs' hand-offs

void frmMain::ApplyPhaseTabs() {
    const clsFluid& fluid = m_objects->Fluid;
    {
        // Disabling the tab on show must not count as selecting another one.
        const QSignalBlocker quiet(m_ui.sstMain);
        for (int tab : {kTabOil, kTabGas, kTabWater, kTabFluidProps})
            m_ui.sstMain->setTabEnabled(tab, false);
    }
    if (fluid.PhaseOil()) {
        m_ui.sstMain->setTabEnabled(kTabOil, true);
        m_ui.oil->ResetCalculateButtons();
    }
    if (fluid.PhaseGas() && !fluid.PhaseOil()) {
        m_ui.sstMain->setTabEnabled(kTabGas, true);
        m_ui.sstMain->setTabEnabled(kTabFluidProps, true);
    }
    if (fluid.PhaseWater() && !fluid.PhaseOil()) {
        m_ui.sstMain->setTabEnabled(kTabWater, true);
        m_ui.sstMain->setTabEnabled(kTabFluidProps, true);
    }
}

void frmMain::ProceedClick() {
    m_ui.sstMain->setTabEnabled(kTabGas, true);
    m_ui.sstMain->setTabEnabled(kTabFluidProps, true);
    if (m_objects->Fluid.PhaseWater()) m_ui.sstMain->setTabEnabled(kTabWater, true);
}

} // namespace q7

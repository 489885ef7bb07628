// The main window: start-up, shut-down, and the handling of every input control.
#include "app/frmMain.h"

#include "app/AppVersion.h"
#include "app/ResultPlots.h"
#include "app/clsUtil.h"
#include "app/frmAbout.h"
#include "engine/Errors.h"
#include "engine/NumericText.h"
#include "engine/Q7Objects.h"
#include "engine/clsProject.h"
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

namespace q7 {

namespace {

std::string Std(const QString& text) {
    return text.toStdString();
}

QString Numbered(const char* prefix, int k) {
    return QString::fromLatin1(prefix) + QString::number(k);
}

} // namespace

frmMain::frmMain(MessageService& messages, QWidget* parent)
    : QMainWindow(parent), m_messages(messages), m_state(messages), m_sink(messages) {
    setObjectName(QStringLiteral("frmMain"));
    BuildMainControls(*this, m_ui);
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
    m_shiftingPressures = false;
    m_state.SettingsInUse = false;
    m_state.InputEventsOn = false;

    // 6. Fill the inputs; option and check-box clicks run as a user's would.
    ShowObjectValues();

    // 7.
    m_state.InputEventsOn = true;

    // 8.
    m_ui.cmdNormal->setEnabled(false);

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
}

void frmMain::OpenProjectDatabase() {
    m_io->Q7Open();
    m_ui.mnuProj->menuAction()->setVisible(false);
    if (m_io->Q7FOUND()) {
        m_ui.mnuProj->menuAction()->setVisible(true);
        m_ui.mnuEdit->setEnabled(false);
        m_ui.mnuClose->setEnabled(false);
        m_state.SetIO(m_io.get());
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

void frmMain::ShowComputed(QLineEdit* box, const QString& text) {
    m_showingComputed = true;
    SetText(box, text);
    m_showingComputed = false;
}

void frmMain::SetFirstOption(const OptionPair& pair, bool value) {
    if (value) {
        pair[0]->setChecked(true);
        return;
    }
    if (!pair[0]->isChecked()) return;
    QButtonGroup* group = pair[0]->group();
    group->setExclusive(false);
    pair[0]->setChecked(false);
    group->setExclusive(true);
}

void frmMain::SelectOption(const OptionPair& pair, int index) {
    pair[static_cast<std::size_t>(index)]->setChecked(true);
}

void frmMain::Guarded(const QString& title, const std::function<void()>& handler) {
    try {
        handler();
    } catch (const Error& e) {
        m_messages.ShowError(QString::fromStdString(e.what()), title);
    }
}

// ---------------------------------------------------------------------------------------------
// Wiring

void frmMain::WireControls() {
    WireTextBoxes();
    WireOptions();
    WireMenus();
    connect(m_ui.sstMain, &QTabWidget::currentChanged, this, &frmMain::TabSelected);
    connect(m_ui.cmdCalcPbp, &QPushButton::clicked, this, &frmMain::CalcPbpClick);
    connect(m_ui.cmdCalcRsi, &QPushButton::clicked, this, &frmMain::CalcRsiClick);
    connect(m_ui.cmdProceed, &QPushButton::clicked, this, &frmMain::ProceedClick);
    connect(m_ui.cmdNormal, &QPushButton::clicked, this, &frmMain::NormalizeClick);
    // A plot that cannot be saved is reported like every other failure.
    for (PlotPane* pane : {m_ui.plotOil, m_ui.plotGas, m_ui.plotWater, m_ui.plotRock})
        for (int i = 0; i < pane->Count(); ++i)
            pane->View(i)->SetErrorShower(
                [this](const QString& text, const QString& title) { m_messages.ShowError(text, title); });
}

void frmMain::PlainField(InputBox* box, const QString& title, bool strict, ProjectTable table,
                         const char* column, std::function<void(std::string_view)> set,
                         std::function<QVariant()> stored, DerivedColumn derived) {
    box->SetValidation(&m_messages, title, strict ? InputBox::Rule::Strict : InputBox::Rule::Lenient);
    box->setProperty("tag", QString::fromLatin1(column));
    connect(box, &QLineEdit::textChanged, this,
            [this, title, table, column, set, stored, derived](const QString& text) {
                Guarded(title, [&] {
                    set(Std(text));
                    std::vector<std::pair<QString, QVariant>> values{{QString::fromLatin1(column), stored()}};
                    if (derived.column && !m_showingComputed)
                        values.emplace_back(QString::fromLatin1(derived.column), derived.value());
                    m_state.SaveFields(table, values);
                });
            });
}

void frmMain::WireTextBoxes() {
    // The objects are created after the controls are wired: every handler reaches them late.
    auto fluid = [this]() -> clsFluid& { return m_objects->Fluid; };
    auto prs = [this]() -> clsPrs& { return m_objects->Prs; };
    auto oil = [this]() -> clsOil& { return m_objects->Oil; };
    auto gas = [this]() -> clsGas& { return m_objects->Gas; };
    auto water = [this]() -> clsWater& { return m_objects->Water; };
    auto rock = [this]() -> clsRock& { return m_objects->Rock; };
    const QString pressure = QStringLiteral("Invalid pressure");
    const QString temperature = QStringLiteral("Invalid temperature");

    // Phases Present.
    PlainField(
        m_ui.txtStdP, pressure, true, ProjectTable::Fluid, "stdPressure",
        [=](std::string_view t) { fluid().SetStdP(t); }, [=] { return QVariant(fluid().StdP()); });
    PlainField(
        m_ui.txtStdT, temperature, true, ProjectTable::Fluid, "stdTemp",
        [=](std::string_view t) { fluid().SetStdT(t); }, [=] { return QVariant(fluid().StdTf()); });
    PlainField(
        m_ui.txtResT, temperature, true, ProjectTable::Fluid, "resTemp",
        [=](std::string_view t) { fluid().SetResT(t); }, [=] { return QVariant(fluid().ResTf()); });

    // Pressure Input.
    PlainField(
        m_ui.txtMinP, pressure, true, ProjectTable::Pressure, "MinPr",
        [=](std::string_view t) { prs().SetMinP(t); }, [=] { return QVariant(prs().PrMin()); });
    PlainField(
        m_ui.txtInitP, pressure, true, ProjectTable::Pressure, "InitPr",
        [=](std::string_view t) { prs().SetIniP(t); }, [=] { return QVariant(prs().PrIni()); });
    PlainField(
        m_ui.txtMaxP, pressure, true, ProjectTable::Pressure, "MaxPr",
        [=](std::string_view t) { prs().SetMaxP(t); }, [=] { return QVariant(prs().PrMax()); });
    for (int k = 1; k <= 18; ++k) {
        InputBox* box = m_ui.txtP[k];
        box->SetValidation(&m_messages, pressure, InputBox::Rule::Lenient);
        box->setProperty("tag", Numbered("p", k));
        connect(box, &QLineEdit::textChanged, this, [this, k] { DiscretePressureChange(k); });
        connect(box, &InputBox::focusLost, this, [this, k] { DiscretePressureLeft(k); });
    }

    // Oil Input: the two gravities update each other. Each stores both columns, so that a project
    // always holds the pair the form shows.
    m_ui.txtAPI->SetValidation(&m_messages, QStringLiteral("Invalid API"), InputBox::Rule::Lenient);
    m_ui.txtAPI->setProperty("tag", QStringLiteral("API"));
    connect(m_ui.txtAPI, &QLineEdit::textChanged, this, [=, this](const QString& text) {
        if (!m_state.InputEventsOn) return;
        Guarded(QStringLiteral("Invalid API"), [&] {
            oil().SetAPI(Std(text));
            m_state.SaveFields(ProjectTable::Oil, {{QStringLiteral("API"), oil().API()},
                                                   {QStringLiteral("SpecGrav"), oil().OilSG()}});
            FlagOff quiet(m_state.InputEventsOn);
            SetText(m_ui.txtGrav, Fixed(oil().OilSG(), 4));
        });
    });
    m_ui.txtGrav->SetValidation(&m_messages, QStringLiteral("Invalid Oil Gravity"), InputBox::Rule::Lenient);
    m_ui.txtGrav->setProperty("tag", QStringLiteral("SpecGrav"));
    connect(m_ui.txtGrav, &QLineEdit::textChanged, this, [=, this](const QString& text) {
        if (!m_state.InputEventsOn) return;
        Guarded(QStringLiteral("Invalid Oil Gravity"), [&] {
            oil().SetOilSG(Std(text));
            m_state.SaveFields(ProjectTable::Oil, {{QStringLiteral("SpecGrav"), oil().OilSG()},
                                                   {QStringLiteral("API"), oil().API()}});
            FlagOff quiet(m_state.InputEventsOn);
            SetText(m_ui.txtAPI, Fixed(oil().API(), 4));
        });
    });
    PlainField(
        m_ui.txtSepGas, QStringLiteral("Invalid gravity"), true, ProjectTable::Oil, "SepGasGrav",
        [=](std::string_view t) { oil().SetSepGG(t); }, [=] { return QVariant(oil().SepGG()); });
    PlainField(
        m_ui.txtSepP, pressure, true, ProjectTable::Oil, "SepP",
        [=](std::string_view t) { oil().SetSepP(t); }, [=] { return QVariant(oil().SepP()); });
    PlainField(
        m_ui.txtSepT, temperature, true, ProjectTable::Oil, "SepT",
        [=](std::string_view t) { oil().SetSepT(t); }, [=] { return QVariant(oil().SepTf()); });
    // The GOR and the bubble point derive each other in the object: both are stored, so that a
    // reopened project computes with the pair the object held.
    PlainField(
        m_ui.txtRSI, QStringLiteral("Invalid Initial GOR"), false, ProjectTable::Oil, "InitGO",
        [=](std::string_view t) { oil().SetRsi(t); }, [=] { return QVariant(oil().RSI()); },
        {"BPP", [=] { return QVariant(oil().Pbp()); }});
    PlainField(
        m_ui.txtBPP, QStringLiteral("Invalid Bubble Point Pressure"), false, ProjectTable::Oil, "BPP",
        [=](std::string_view t) { oil().SetPbp(t); }, [=] { return QVariant(oil().Pbp()); },
        {"InitGO", [=] { return QVariant(oil().RSI()); }});
    // The calculate button follows the box the user is in.
    connect(m_ui.txtRSI, &InputBox::focusReceived, this, [this] {
        m_ui.cmdCalcPbp->setVisible(true);
        m_ui.cmdCalcRsi->setVisible(false);
    });
    connect(m_ui.txtBPP, &InputBox::focusReceived, this, [this] {
        m_ui.cmdCalcRsi->setVisible(true);
        m_ui.cmdCalcPbp->setVisible(false);
    });

    // Gas Input.
    PlainField(
        m_ui.txtGasGrav, QStringLiteral("Invalid Gas Gravity"), true, ProjectTable::Gas, "GasGrav",
        [=](std::string_view t) { gas().SetGasGrav(t); }, [=] { return QVariant(gas().GasGrav()); });
    PlainField(
        m_ui.txtMFN, QStringLiteral("Invalid Nitrogen fraction"), true, ProjectTable::Gas, "mfNitrogen",
        [=](std::string_view t) { gas().SetmfN(t); }, [=] { return QVariant(gas().mfN()); });
    PlainField(
        m_ui.txtMFCO2, QStringLiteral("Invalid CO2 fraction"), true, ProjectTable::Gas, "mfCO2",
        [=](std::string_view t) { gas().SetmfCO2(t); }, [=] { return QVariant(gas().mfCO2()); });
    PlainField(
        m_ui.txtMFHS, QStringLiteral("Invalid H2S fraction"), true, ProjectTable::Gas, "mfH2S",
        [=](std::string_view t) { gas().SetmfH2S(t); }, [=] { return QVariant(gas().mfH2S()); });
    for (int k = 1; k <= 15; ++k) {
        InputBox* box = m_ui.txtGC[k];
        box->SetValidation(&m_messages, QStringLiteral("Invalid Gas Composition"), InputBox::Rule::Lenient);
        box->setProperty("tag", Numbered("gc", k));
        connect(box, &QLineEdit::textChanged, this, [this, k] { CompositionChange(k); });
    }
    // The plus fraction's properties are not stored with a project.
    m_ui.txtPLUSmw->SetValidation(&m_messages, QStringLiteral("Invalid PLUS FRACTION Mole wt."),
                                  InputBox::Rule::Strict);
    connect(m_ui.txtPLUSmw, &QLineEdit::textChanged, this, [=, this](const QString& text) {
        Guarded(QStringLiteral("Invalid PLUS FRACTION Mole wt."), [&] { gas().SetPLUSmw(Std(text)); });
    });
    m_ui.txtPLUSgg->SetValidation(&m_messages, QStringLiteral("Invalid PLUS FRACTION Gas Gravity"),
                                  InputBox::Rule::Strict);
    connect(m_ui.txtPLUSgg, &QLineEdit::textChanged, this, [=, this](const QString& text) {
        Guarded(QStringLiteral("Invalid PLUS FRACTION Gas Gravity"), [&] { gas().SetPLUSgg(Std(text)); });
    });

    // Water Input: ppm and weight percent update each other.
    m_ui.txtPPM->SetValidation(&m_messages, QStringLiteral("Invalid PPM value"), InputBox::Rule::Lenient);
    m_ui.txtPPM->setProperty("tag", QStringLiteral("PPMSalinity"));
    connect(m_ui.txtPPM, &QLineEdit::textChanged, this, [=, this](const QString& text) {
        if (!m_state.InputEventsOn) return;
        Guarded(QStringLiteral("Invalid PPM value"), [&] {
            water().SetPPM(Std(text));
            m_state.SaveFields(ProjectTable::Water, {{QStringLiteral("PPMSalinity"), QVariant(water().PPM())},
                                                     {QStringLiteral("PERSalinity"), water().PER()}});
            FlagOff quiet(m_state.InputEventsOn);
            SetText(m_ui.txtPER, General(water().PER()));
        });
    });
    m_ui.txtPER->SetValidation(&m_messages, QStringLiteral("Invalid % Solids"), InputBox::Rule::Lenient);
    m_ui.txtPER->setProperty("tag", QStringLiteral("PERSalinity"));
    connect(m_ui.txtPER, &QLineEdit::textChanged, this, [=, this](const QString& text) {
        if (!m_state.InputEventsOn) return;
        Guarded(QStringLiteral("Invalid % Solids"), [&] {
            water().SetPER(Std(text));
            m_state.SaveFields(ProjectTable::Water,
                               {{QStringLiteral("PERSalinity"), water().PER()},
                                {QStringLiteral("PPMSalinity"), QVariant(water().PPM())}});
            FlagOff quiet(m_state.InputEventsOn);
            SetText(m_ui.txtPPM, QString::number(water().PPM()));
        });
    });

    // Rock Input.
    PlainField(
        m_ui.txtSWC, QStringLiteral("Invalid Connate Water"), true, ProjectTable::Rock, "SWC",
        [=](std::string_view t) { rock().SetSWC(t); }, [=] { return QVariant(rock().SWC()); });
    PlainField(
        m_ui.txtSORW, QStringLiteral("Invalid Res Oil to Water"), true, ProjectTable::Rock, "SORW",
        [=](std::string_view t) { rock().SetSORW(t); }, [=] { return QVariant(rock().SORW()); });
    PlainField(
        m_ui.txtSORG, QStringLiteral("Invalid Res Oil to Gas"), true, ProjectTable::Rock, "SORG",
        [=](std::string_view t) { rock().SetSORG(t); }, [=] { return QVariant(rock().SORG()); });
    PlainField(
        m_ui.txtSGCrit, QStringLiteral("Invalid Critical Gas"), true, ProjectTable::Rock, "SGCrit",
        [=](std::string_view t) { rock().SetSGCrit(t); }, [=] { return QVariant(rock().SGCrit()); });
    PlainField(
        m_ui.txtK, QStringLiteral("Invalid K Exponent"), true, ProjectTable::Rock, "CoreyK",
        [=](std::string_view t) { rock().SetCoreyK(t); }, [=] { return QVariant(rock().CoreyK()); });
    PlainField(
        m_ui.txtN, QStringLiteral("Invalid N Exponent"), true, ProjectTable::Rock, "CoreyN",
        [=](std::string_view t) { rock().SetCoreyN(t); }, [=] { return QVariant(rock().CoreyN()); });
    PlainField(
        m_ui.txtHRPoro, QStringLiteral("Invalid Porosity Exponent"), true, ProjectTable::Rock, "HRPoro",
        [=](std::string_view t) { rock().SetHRPoro(t); }, [=] { return QVariant(rock().HRPoro()); });
    PlainField(
        m_ui.txtHRAir, QStringLiteral("Invalid Air Perm Exponent"), true, ProjectTable::Rock, "HRAir",
        [=](std::string_view t) { rock().SetHRAir(t); }, [=] { return QVariant(rock().HRAir()); });
    PlainField(
        m_ui.txtHRKrg, QStringLiteral("Invalid Krg Exponent"), true, ProjectTable::Rock, "HRKrg",
        [=](std::string_view t) { rock().SetHRKrg(t); }, [=] { return QVariant(rock().HRKrg()); });
}

void frmMain::WireOptions() {
    // A click on an option is its becoming selected, by the user or by code.
    auto onSelect = [this](const OptionPair& pair, const char* tag, std::function<void(int)> handler) {
        for (int i = 0; i < 2; ++i) {
            pair[static_cast<std::size_t>(i)]->setProperty("tag", QString::fromLatin1(tag));
            connect(pair[static_cast<std::size_t>(i)], &QRadioButton::toggled, this, [handler, i](bool on) {
                if (on) handler(i);
            });
        }
    };
    const char* units[2] = {"F", "C"};

    // Temperature units: the letter is stored before the object takes it.
    onSelect(m_ui.optStdTU, "stdTempUnits", [this, units](int i) {
        Guarded(QStringLiteral("Invalid temperature"), [&] {
            m_state.SaveField(ProjectTable::Fluid, QStringLiteral("stdTempUnits"),
                              QString::fromLatin1(units[i]));
            m_objects->Fluid.StdTU(units[i]);
        });
    });
    onSelect(m_ui.optResTU, "resTempUnits", [this, units](int i) {
        Guarded(QStringLiteral("Invalid temperature"), [&] {
            m_state.SaveField(ProjectTable::Fluid, QStringLiteral("resTempUnits"),
                              QString::fromLatin1(units[i]));
            m_objects->Fluid.ResTU(units[i]);
        });
    });
    onSelect(m_ui.optSepTU, "SepTUnits", [this, units](int i) {
        Guarded(QStringLiteral("Invalid temperature"), [&] {
            m_state.SaveField(ProjectTable::Oil, QStringLiteral("SepTUnits"), QString::fromLatin1(units[i]));
            m_objects->Oil.SepTU(units[i]);
        });
    });
    onSelect(m_ui.optPRange, "PrRange", [this](int i) { PressureModeClick(i); });
    onSelect(m_ui.optGasEntry, "GasEntry", [this](int i) { GasEntryClick(i); });

    // Rock options: the object first, then the stored index.
    auto rockOption = [this, &onSelect](const OptionPair& pair, const char* tag,
                                        std::function<void(std::int16_t)> set,
                                        std::function<void()> refresh) {
        onSelect(pair, tag, [this, tag, set, refresh](int i) {
            Guarded(QStringLiteral("Rock Properties Error"), [&] {
                set(static_cast<std::int16_t>(i));
                if (refresh) refresh();
                m_state.SaveField(ProjectTable::Rock, QString::fromLatin1(tag), i);
            });
        });
    };
    rockOption(
        m_ui.optRock, "RockType", [this](std::int16_t v) { m_objects->Rock.Fluids(v); },
        [this] { RefreshRockInputs(); });
    rockOption(
        m_ui.optType, "DrainType", [this](std::int16_t v) { m_objects->Rock.Displace(v); },
        [this] { RefreshRockInputs(); });
    rockOption(
        m_ui.optLith, "LithType", [this](std::int16_t v) { m_objects->Rock.Lith(v); }, nullptr);
    rockOption(
        m_ui.optWet, "WetType", [this](std::int16_t v) { m_objects->Rock.Wet(v); }, nullptr);
    rockOption(
        m_ui.optCorr, "CorrType", [this](std::int16_t v) { m_objects->Rock.CORR(v); },
        [this] { RefreshCorrelationInputs(); });

    const char* phaseTags[3] = {"PhaseOil", "PhaseGas", "PhaseWater"};
    for (int i = 0; i < 3; ++i) {
        m_ui.cbxFPP[i]->setProperty("tag", QString::fromLatin1(phaseTags[i]));
        connect(m_ui.cbxFPP[i], &QCheckBox::toggled, this, [this, i](bool on) { PhaseClick(i, on); });
    }
    for (int k = 1; k <= 12; ++k) {
        connect(m_ui.chkPLUS[k], &QCheckBox::toggled, this, [this, k](bool on) { PlusClick(k, on); });
    }
}

void frmMain::WireMenus() {
    auto openOutput = [this](OutputDialog kind) {
        if (m_outputOpener) m_outputOpener(kind, *this);
    };
    connect(m_ui.mnuPrint, &QAction::triggered, this, [openOutput] { openOutput(OutputDialog::Report); });
    connect(m_ui.mnuCSV, &QAction::triggered, this, [openOutput] { openOutput(OutputDialog::Csv); });
    connect(m_ui.mnuEclipse, &QAction::triggered, this, [openOutput] { openOutput(OutputDialog::Eclipse); });
    connect(m_ui.mnuExit, &QAction::triggered, this, &QWidget::close);
    connect(m_ui.mnuOpen, &QAction::triggered, this, &frmMain::OpenProjectClick);
    connect(m_ui.mnuEdit, &QAction::triggered, this, &frmMain::EditProjectClick);
    connect(m_ui.mnuNew, &QAction::triggered, this, &frmMain::NewProjectClick);
    connect(m_ui.mnuClose, &QAction::triggered, this, &frmMain::CloseProject);
    connect(m_ui.mnuDelete, &QAction::triggered, this, &frmMain::DeleteProjectClick);
    connect(m_ui.mnuAbout, &QAction::triggered, this, [this] {
        frmAbout about(this);
        about.exec();
    });
}

// ---------------------------------------------------------------------------------------------
// Filling the inputs from the objects

void frmMain::ShowObjectValues() {
    const clsFluid& fluid = m_objects->Fluid;
    const clsPrs& prs = m_objects->Prs;
    const clsOil& oil = m_objects->Oil;
    const clsGas& gas = m_objects->Gas;
    const clsWater& water = m_objects->Water;
    const clsRock& rock = m_objects->Rock;

    // A phase that is absent leaves its box as it is.
    if (fluid.PhaseOil()) m_ui.cbxFPP[0]->setChecked(true);
    if (fluid.PhaseGas()) m_ui.cbxFPP[1]->setChecked(true);
    if (fluid.PhaseWater()) m_ui.cbxFPP[2]->setChecked(true);
    SetText(m_ui.txtStdP, General(fluid.StdP()));
    SetText(m_ui.txtStdT, General(fluid.StdTf()));
    SetFirstOption(m_ui.optStdTU, fluid.StdTU() == "F");
    SetText(m_ui.txtResT, General(fluid.ResTf()));
    SetFirstOption(m_ui.optResTU, fluid.ResTU() == "F");
    SetFirstOption(m_ui.optPRange, prs.PrRange() == "R");
    SetText(m_ui.txtMaxP, General(prs.PrMax()));
    SetText(m_ui.txtInitP, General(prs.PrIni()));
    SetText(m_ui.txtMinP, General(prs.PrMin()));
    SetText(m_ui.txtAPI, Fixed(oil.API(), 4));
    SetText(m_ui.txtGrav, Fixed(oil.OilSG(), 4));
    SetText(m_ui.txtSepGas, General(oil.SepGG()));
    SetText(m_ui.txtSepP, General(oil.SepP()));
    SetText(m_ui.txtSepT, General(oil.SepTf()));
    SetFirstOption(m_ui.optSepTU, oil.SepTU() == "F");
    SetText(m_ui.txtRSI, Fixed(oil.RSI(), 1));
    SetFirstOption(m_ui.optGasEntry, gas.GasEntry() == "G");
    SetText(m_ui.txtGasGrav, General(gas.GasGrav()));
    SetText(m_ui.txtPLUSmw, General(gas.PLUSmw()));
    SetText(m_ui.txtPLUSgg, General(gas.PLUSgg()));
    SetText(m_ui.txtMFN, General(gas.mfN()));
    SetText(m_ui.txtMFCO2, General(gas.mfCO2()));
    SetText(m_ui.txtMFHS, General(gas.mfH2S()));
    SetText(m_ui.txtPPM, QString::number(water.PPM()));
    SetFirstOption(m_ui.optRock, rock.Fluids() == 0);
    SetFirstOption(m_ui.optType, rock.Displace() == 0);
    SetFirstOption(m_ui.optLith, rock.Lith() == 0);
    SetFirstOption(m_ui.optWet, rock.Wet() == 0);
    SetFirstOption(m_ui.optCorr, rock.CORR() == 0);
    SetText(m_ui.txtSWC, General(rock.SWC()));
    SetText(m_ui.txtSORW, General(rock.SORW()));
    SetText(m_ui.txtSORG, General(rock.SORG()));
    SetText(m_ui.txtSGCrit, General(rock.SGCrit()));
    SetText(m_ui.txtK, General(rock.CoreyK()));
    SetText(m_ui.txtN, General(rock.CoreyN()));
    SetText(m_ui.txtHRPoro, General(rock.HRPoro()));
    SetText(m_ui.txtHRAir, General(rock.HRAir()));
    SetText(m_ui.txtHRKrg, General(rock.HRKrg()));
}

// ---------------------------------------------------------------------------------------------
// Phases, pressures, gas entry

void frmMain::PhaseClick(int i, bool ticked) {
    const char* columns[3] = {"PhaseOil", "PhaseGas", "PhaseWater"};
    m_state.SaveField(ProjectTable::Fluid, QString::fromLatin1(columns[i]), ticked ? 1 : 0);
    clsFluid& fluid = m_objects->Fluid;
    if (i == 0) fluid.PhaseOil(ticked);
    if (i == 1) fluid.PhaseGas(ticked);
    if (i == 2) fluid.PhaseWater(ticked);

    {
        // Disabling the tab on show must not count as selecting another one.
        const QSignalBlocker quiet(m_ui.sstMain);
        for (int tab : {kTabOil, kTabGas, kTabWater, kTabFluidProps})
            m_ui.sstMain->setTabEnabled(tab, false);
    }
    if (fluid.PhaseOil()) {
        m_ui.sstMain->setTabEnabled(kTabOil, true);
        m_ui.cmdCalcPbp->setVisible(true);
        m_ui.cmdCalcRsi->setVisible(false);
        m_ui.cmdProceed->setEnabled(false);
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

void frmMain::PressureModeClick(int i) {
    {
        FlagOff quiet(m_state.InputEventsOn);
        const bool range = (i == 0);
        m_objects->Prs.PrRange(range ? "R" : "I");
        m_ui.txtMinP->setEnabled(range);
        m_ui.txtInitP->setEnabled(range);
        m_ui.txtMaxP->setEnabled(range);
        for (int k = 1; k <= 18; ++k) {
            m_ui.txtP[k]->setEnabled(!range);
            // Each box's change handling runs in turn (and does nothing while the flag is off).
            if (!range) DiscretePressureChange(k);
        }
    }
    m_state.SaveField(ProjectTable::Pressure, QStringLiteral("PrRange"),
                      i == 0 ? QStringLiteral("R") : QStringLiteral("I"));
}

void frmMain::DiscretePressureChange(int k) {
    if (!m_state.InputEventsOn || m_shiftingPressures) return;
    Guarded(QStringLiteral("Invalid pressure"), [&] {
        m_objects->Prs.SetPRSi(Std(m_ui.txtP[k]->text()), static_cast<std::int16_t>(k));
        StorePressureList();
    });
}

// A cleared pressure leaves the schedule's list (the entries after it move up one place), so the
// stored p1..p18 are rewritten from the list as it now stands, never only the column typed in.
void frmMain::StorePressureList() {
    if (!m_state.InputEventsOn || !m_state.ProjectOpen) return;
    const clsPrs& prs = m_objects->Prs;
    std::vector<std::pair<QString, QVariant>> values;
    for (int j = 1; j <= 18; ++j) {
        const float p = (j <= prs.NPRSi()) ? prs.GetPRSi(static_cast<std::int16_t>(j)) : 0.0f;
        values.emplace_back(Numbered("p", j), QVariant(p));
    }
    m_state.SaveFields(ProjectTable::Pressure, values);
}

void frmMain::DiscretePressureLeft(int k) {
    const QString text = m_ui.txtP[k]->text();
    if (!text.isEmpty() && text != QStringLiteral("0")) return;
    m_shiftingPressures = true;
    for (int j = k; j <= 17; ++j)
        SetText(m_ui.txtP[j], m_ui.txtP[j + 1]->text());
    SetText(m_ui.txtP[18], QStringLiteral("0"));
    m_shiftingPressures = false;
}

void frmMain::GasEntryClick(int i) {
    const bool gravity = (i == 0);
    if (gravity) {
        m_ui.txtGasGrav->setEnabled(true);
        m_ui.txtMFN->setEnabled(true);
        m_ui.txtMFCO2->setEnabled(true);
        m_ui.txtMFHS->setEnabled(true);
        for (int k = 1; k <= 15; ++k) {
            m_ui.txtGC[k]->setEnabled(false);
            if (k <= 12) {
                m_ui.chkPLUS[k]->setChecked(false);
                m_ui.chkPLUS[k]->setEnabled(false);
            }
        }
        m_ui.fraPLUS->setVisible(false);
    } else {
        m_ui.txtGasGrav->setEnabled(false);
        m_ui.txtMFN->setEnabled(false);
        m_ui.txtMFCO2->setEnabled(false);
        m_ui.txtMFHS->setEnabled(false);
        for (int k = 1; k <= 15; ++k)
            m_ui.txtGC[k]->setEnabled(true);
        for (int k = 1; k <= 12; ++k)
            m_ui.chkPLUS[k]->setEnabled(true);
    }
    const char* entry = gravity ? "G" : "C";
    m_state.SaveField(ProjectTable::Gas, QStringLiteral("GasEntry"), QString::fromLatin1(entry));
    m_objects->Gas.GasEntry(entry);
}

void frmMain::PlusClick(int k, bool ticked) {
    if (ticked) {
        for (int j = 1; j <= k - 1; ++j) {
            m_ui.chkPLUS[j]->setChecked(false);
            m_ui.txtGC[j]->setEnabled(true);
        }
        for (int j = k + 1; j <= 12; ++j) {
            m_ui.chkPLUS[j]->setChecked(false);
            SetText(m_ui.txtGC[j], QStringLiteral("0.0000"));
            m_ui.txtGC[j]->setEnabled(false);
        }
        m_ui.fraPLUS->setVisible(true);
        m_objects->Gas.PlusEntry(static_cast<std::int16_t>(k));
    } else {
        for (int j = k + 1; j <= 12; ++j) {
            SetText(m_ui.txtGC[j], QStringLiteral("0.0000"));
            m_ui.txtGC[j]->setEnabled(true);
        }
        m_ui.fraPLUS->setVisible(false);
        m_objects->Gas.PlusEntry(0);
    }
}

void frmMain::CompositionChange(int k) {
    Guarded(QStringLiteral("Invalid Gas Composition"), [&] {
        clsGas& gas = m_objects->Gas;
        gas.SetGC(Std(m_ui.txtGC[k]->text()), static_cast<std::int16_t>(k));
        m_state.SaveField(ProjectTable::Gas, Numbered("gc", k), gas.GetGC(static_cast<std::int16_t>(k)));
        SetText(m_ui.txtGCTotal, Fixed(gas.SumGC(), 4));
        m_ui.cmdNormal->setEnabled(gas.SumGC() > 0.0f);
    });
}

void frmMain::NormalizeClick() {
    const float total = Str2Nbr(Std(m_ui.txtGCTotal->text()));
    if (total <= 0.0f) return;
    const float f = 1.0f / total;
    for (int k = 1; k <= 15; ++k) {
        const float v = Str2Nbr(Std(m_ui.txtGC[k]->text()));
        SetText(m_ui.txtGC[k], Fixed(v * f, 4));
    }
}

// ---------------------------------------------------------------------------------------------
// Oil tab buttons

void frmMain::CalcPbpClick() {
    Guarded(QStringLiteral("Oil Properties Error"), [&] {
        m_objects->Oil.SetRsi(Std(m_ui.txtRSI->text()));
        ShowComputed(m_ui.txtBPP, Fixed(m_objects->Oil.Pbp(), 1));
        m_ui.cmdProceed->setEnabled(true);
    });
}

void frmMain::CalcRsiClick() {
    Guarded(QStringLiteral("Oil Properties Error"), [&] {
        m_objects->Oil.SetPbp(Std(m_ui.txtBPP->text()));
        ShowComputed(m_ui.txtRSI, Fixed(m_objects->Oil.RSI(), 1));
        m_ui.cmdProceed->setEnabled(true);
    });
}

void frmMain::ProceedClick() {
    m_ui.sstMain->setTabEnabled(kTabGas, true);
    m_ui.sstMain->setTabEnabled(kTabFluidProps, true);
    if (m_objects->Fluid.PhaseWater()) m_ui.sstMain->setTabEnabled(kTabWater, true);
}

// ---------------------------------------------------------------------------------------------
// Rock inputs

void frmMain::RefreshRockInputs() {
    const clsRock& rock = m_objects->Rock;
    for (QWidget* w : std::initializer_list<QWidget*>{m_ui.txtSORW, m_ui.lblSORW, m_ui.txtSORG, m_ui.lblSORG,
                                                      m_ui.txtSGCrit, m_ui.lblSGCrit, m_ui.optWet[0],
                                                      m_ui.optWet[1], m_ui.optCorr[0], m_ui.optCorr[1],
                                                      m_ui.txtK, m_ui.lblK, m_ui.txtN, m_ui.lblN})
        w->setEnabled(false);
    const bool imbibition = rock.Displace() == 1;
    if (rock.Fluids() == 0) {
        m_ui.optWet[0]->setEnabled(true);
        m_ui.optWet[1]->setEnabled(true);
        if (imbibition) {
            m_ui.txtSORW->setEnabled(true);
            m_ui.lblSORW->setEnabled(true);
        }
    }
    if (rock.Fluids() == 1) {
        m_ui.txtSGCrit->setEnabled(true);
        m_ui.lblSGCrit->setEnabled(true);
        if (imbibition) {
            m_ui.txtSORG->setEnabled(true);
            m_ui.lblSORG->setEnabled(true);
        }
    }
    if (rock.Displace() == 0) {
        // Drainage: Corey only.
        m_ui.optCorr[0]->setEnabled(true);
        m_ui.optCorr[0]->setChecked(true);
    } else {
        m_ui.optCorr[0]->setEnabled(true);
        m_ui.optCorr[1]->setEnabled(true);
    }
    if (m_objects->Rock.CORR() == 0) {
        for (QWidget* w : std::initializer_list<QWidget*>{m_ui.txtK, m_ui.lblK, m_ui.txtN, m_ui.lblN})
            w->setEnabled(true);
    }
}

void frmMain::RefreshCorrelationInputs() {
    const std::initializer_list<QWidget*> corey{m_ui.txtK, m_ui.lblK, m_ui.txtN, m_ui.lblN};
    const std::initializer_list<QWidget*> honarpour{m_ui.txtHRAir,  m_ui.lblHRAir, m_ui.txtHRPoro,
                                                    m_ui.lblHRPoro, m_ui.txtHRKrg, m_ui.lblHRKrg,
                                                    m_ui.lblMD,     m_ui.lblSORGU};
    for (QWidget* w : corey)
        w->setEnabled(false);
    for (QWidget* w : honarpour)
        w->setEnabled(false);
    if (m_objects->Rock.CORR() == 0)
        for (QWidget* w : corey)
            w->setEnabled(true);
    if (m_objects->Rock.CORR() == 1)
        for (QWidget* w : honarpour)
            w->setEnabled(true);
}

} // namespace q7

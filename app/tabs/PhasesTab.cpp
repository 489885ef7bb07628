// The "Phases Present" tab: the phases, the standard conditions and the reservoir temperature.
// Its controls, their wiring and their handlers.
#include "app/frmMain.h"
#include "app/tabs/TabBuilder.h"
#include "engine/Q7Objects.h"
#include "ui/InputBox.h"
#include "ui/ScopeGuards.h"
#include "ui/TextFormat.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace q7 {

void BuildPhasesTab(TabBuilder& b, MainControls& ui) {
    auto* phases = TabBuilder::Frame(QStringLiteral(" Fluid Phases Present "), QStringLiteral("fraPhases"));
    auto* pl = new QVBoxLayout(phases);
    const char* captions[3] = {"Oil (with dissolved gas)", "Gas Reservoir", "Water"};
    for (int i = 0; i < 3; ++i) {
        ui.cbxFPP[i] = new QCheckBox(QString::fromLatin1(captions[i]));
        ui.cbxFPP[i]->setObjectName(Indexed("cbxFPP", i));
        pl->addWidget(ui.cbxFPP[i]);
    }

    auto* std =
        TabBuilder::Frame(QStringLiteral(" Standard Pressure && Temperature "), QStringLiteral("fraStd"));
    auto* sl = new QGridLayout(std);
    ui.txtStdP = b.Box(QStringLiteral("txtStdP"));
    ui.txtStdT = b.Box(QStringLiteral("txtStdT"));
    auto* stdUnits = b.Group("optStdTU");
    sl->addWidget(TabBuilder::Label(QStringLiteral("Standard Pressure")), 0, 0);
    sl->addWidget(ui.txtStdP, 0, 1);
    sl->addWidget(TabBuilder::Label(QStringLiteral("psia")), 0, 2);
    sl->addWidget(TabBuilder::Label(QStringLiteral("Standard Temperature")), 1, 0);
    sl->addWidget(ui.txtStdT, 1, 1);
    sl->addWidget(TabBuilder::Option(ui.optStdTU, stdUnits, 0, "optStdTU", QStringLiteral("F")), 1, 2);
    sl->addWidget(TabBuilder::Option(ui.optStdTU, stdUnits, 1, "optStdTU", QStringLiteral("C")), 1, 3);
    sl->setColumnStretch(4, 1);

    auto* res = TabBuilder::Frame(QStringLiteral(" Reservoir "), QStringLiteral("fraRes"));
    auto* rl = new QGridLayout(res);
    ui.txtResT = b.Box(QStringLiteral("txtResT"));
    auto* resUnits = b.Group("optResTU");
    rl->addWidget(TabBuilder::Label(QStringLiteral("Reservoir Temperature")), 0, 0);
    rl->addWidget(ui.txtResT, 0, 1);
    rl->addWidget(TabBuilder::Option(ui.optResTU, resUnits, 0, "optResTU", QStringLiteral("F")), 0, 2);
    rl->addWidget(TabBuilder::Option(ui.optResTU, resUnits, 1, "optResTU", QStringLiteral("C")), 0, 3);
    rl->setColumnStretch(4, 1);

    auto* content = new QVBoxLayout;
    content->addWidget(phases);
    content->addWidget(std);
    content->addWidget(res);
    ui.sstMain->addTab(TabBuilder::InputPage(QStringLiteral("tabPhases"), content),
                       QStringLiteral("Phases Present"));
}

void frmMain::WirePhasesTab() {
    // The objects are created after the controls are wired: every handler reaches them late.
    const QString pressure = QStringLiteral("Invalid pressure");
    const QString temperature = QStringLiteral("Invalid temperature");
    // Phases Present.
    PlainField(m_ui.txtStdP, pressure, true, "stdPressure");
    PlainField(m_ui.txtStdT, temperature, true, "stdTemp");
    PlainField(m_ui.txtResT, temperature, true, "resTemp");

    WireOption(m_ui.optStdTU, "stdTempUnits", [this](int i) {
        Guarded(QStringLiteral("Invalid temperature"), [&] {
            m_state.SaveField(ProjectTable::Fluid, QStringLiteral("stdTempUnits"),
                              QString::fromLatin1(kTemperatureUnits[i]));
            m_objects->Fluid.StdTU(kTemperatureUnits[i]);
        });
    });
    WireOption(m_ui.optResTU, "resTempUnits", [this](int i) {
        Guarded(QStringLiteral("Invalid temperature"), [&] {
            m_state.SaveField(ProjectTable::Fluid, QStringLiteral("resTempUnits"),
                              QString::fromLatin1(kTemperatureUnits[i]));
            m_objects->Fluid.ResTU(kTemperatureUnits[i]);
        });
    });
    const char* phaseTags[3] = {"PhaseOil", "PhaseGas", "PhaseWater"};
    for (int i = 0; i < 3; ++i) {
        m_ui.cbxFPP[i]->setProperty("tag", QString::fromLatin1(phaseTags[i]));
        connect(m_ui.cbxFPP[i], &QCheckBox::toggled, this, [this, i](bool on) { PhaseClick(i, on); });
    }
}

void frmMain::ShowPhasesValues() {
    const clsFluid& fluid = m_objects->Fluid;
    // A phase that is absent leaves its box as it is.
    if (fluid.PhaseOil()) m_ui.cbxFPP[0]->setChecked(true);
    if (fluid.PhaseGas()) m_ui.cbxFPP[1]->setChecked(true);
    if (fluid.PhaseWater()) m_ui.cbxFPP[2]->setChecked(true);
    SetText(m_ui.txtStdP, General(fluid.StdP()));
    SetText(m_ui.txtStdT, General(fluid.StdTf()));
    SetFirstOption(m_ui.optStdTU, fluid.StdTU() == "F");
    SetText(m_ui.txtResT, General(fluid.ResTf()));
    SetFirstOption(m_ui.optResTU, fluid.ResTU() == "F");
}

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

} // namespace q7

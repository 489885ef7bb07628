#include "app/tabs/PhasesTab.h"

#include "app/modQ7.h"
#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace q7 {

namespace {
// The phase flags' columns, by check box.
const char* const kPhaseColumns[3] = {"PhaseOil", "PhaseGas", "PhaseWater"};
} // namespace

PhasesTab::PhasesTab(const TabContext& context) : InputTab(context, QStringLiteral("tabPhases")) {
    auto* phases = Frame(QStringLiteral(" Fluid Phases Present "), QStringLiteral("fraPhases"));
    auto* pl = new QVBoxLayout(phases);
    const char* captions[3] = {"Oil (with dissolved gas)", "Gas Reservoir", "Water"};
    for (int i = 0; i < 3; ++i) {
        const ProjectField* field = FindField(kPhaseColumns[i]);
        cbxFPP[i] = new QCheckBox(QString::fromLatin1(captions[i]));
        cbxFPP[i]->setObjectName(QString::fromStdString(field->box));
        cbxFPP[i]->setProperty("tag", QString::fromStdString(field->column));
        pl->addWidget(cbxFPP[i]);
    }

    auto* std = Frame(QStringLiteral(" Standard Pressure && Temperature "), QStringLiteral("fraStd"));
    auto* sl = new QGridLayout(std);
    txtStdP = FieldBox("StdPressure");
    txtStdT = FieldBox("StdTemp");
    OptionGroup("StdTempUnits", optStdTU, QStringLiteral("F"), QStringLiteral("C"));
    sl->addWidget(Label(QStringLiteral("Standard Pressure")), 0, 0);
    sl->addWidget(txtStdP, 0, 1);
    sl->addWidget(Label(QStringLiteral("psia")), 0, 2);
    sl->addWidget(Label(QStringLiteral("Standard Temperature")), 1, 0);
    sl->addWidget(txtStdT, 1, 1);
    sl->addWidget(optStdTU[0], 1, 2);
    sl->addWidget(optStdTU[1], 1, 3);
    sl->setColumnStretch(4, 1);

    auto* res = Frame(QStringLiteral(" Reservoir "), QStringLiteral("fraRes"));
    auto* rl = new QGridLayout(res);
    txtResT = FieldBox("RESTEMP");
    OptionGroup("ResTempUnits", optResTU, QStringLiteral("F"), QStringLiteral("C"));
    rl->addWidget(Label(QStringLiteral("Reservoir Temperature")), 0, 0);
    rl->addWidget(txtResT, 0, 1);
    rl->addWidget(optResTU[0], 0, 2);
    rl->addWidget(optResTU[1], 0, 3);
    rl->setColumnStretch(4, 1);

    auto* content = new QVBoxLayout;
    content->addWidget(phases);
    content->addWidget(std);
    content->addWidget(res);
    SetContent(content);

    const QString temperature = QStringLiteral("Invalid temperature");
    PlainField(txtStdP, QStringLiteral("Invalid pressure"), true);
    PlainField(txtStdT, temperature, true);
    PlainField(txtResT, temperature, true);
    WireOption(optStdTU, [this, temperature](int i) {
        Guarded(temperature, [&] {
            State().SaveField(ProjectTable::Fluid, QStringLiteral("stdTempUnits"),
                              QString::fromLatin1(kTemperatureUnits[i]));
            Objects().Fluid.StdTU(kTemperatureUnits[i]);
        });
    });
    WireOption(optResTU, [this, temperature](int i) {
        Guarded(temperature, [&] {
            State().SaveField(ProjectTable::Fluid, QStringLiteral("resTempUnits"),
                              QString::fromLatin1(kTemperatureUnits[i]));
            Objects().Fluid.ResTU(kTemperatureUnits[i]);
        });
    });
    for (int i = 0; i < 3; ++i)
        connect(cbxFPP[i], &QCheckBox::toggled, this, [this, i](bool on) { PhaseClick(i, on); });
}

void PhasesTab::ShowValues() {
    const clsFluid& fluid = Objects().Fluid;
    // A phase that is absent leaves its box as it is.
    if (fluid.PhaseOil()) cbxFPP[0]->setChecked(true);
    if (fluid.PhaseGas()) cbxFPP[1]->setChecked(true);
    if (fluid.PhaseWater()) cbxFPP[2]->setChecked(true);
    ShowField(txtStdP);
    ShowField(txtStdT);
    SetFirstOption(optStdTU, fluid.StdTU() == "F");
    ShowField(txtResT);
    SetFirstOption(optResTU, fluid.ResTU() == "F");
}

void PhasesTab::PhaseClick(int i, bool ticked) {
    State().SaveField(ProjectTable::Fluid, QString::fromLatin1(kPhaseColumns[i]), ticked ? 1 : 0);
    clsFluid& fluid = Objects().Fluid;
    if (i == 0) fluid.PhaseOil(ticked);
    if (i == 1) fluid.PhaseGas(ticked);
    if (i == 2) fluid.PhaseWater(ticked);
    emit phasesChanged();
}

} // namespace q7

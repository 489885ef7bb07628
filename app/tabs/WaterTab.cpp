// The "Water Input" tab: the salinity in ppm or in weight percent solids.
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

void BuildWaterTab(TabBuilder& b, MainControls& ui) {
    auto* water = TabBuilder::Frame(QStringLiteral(" Water Description "), QStringLiteral("fraWater"));
    auto* wl = new QGridLayout(water);
    ui.txtPPM = b.Box(QStringLiteral("txtPPM"));
    ui.txtPER = b.Box(QStringLiteral("txtPER"));
    wl->addWidget(TabBuilder::Label(QStringLiteral("Water Salinity")), 0, 0);
    wl->addWidget(ui.txtPPM, 0, 1);
    wl->addWidget(TabBuilder::Label(QStringLiteral("ppm")), 0, 2);
    wl->addWidget(TabBuilder::Label(QStringLiteral("OR")), 1, 0, 1, 3, Qt::AlignCenter);
    wl->addWidget(TabBuilder::Label(QStringLiteral("Water Salinity")), 2, 0);
    wl->addWidget(ui.txtPER, 2, 1);
    wl->addWidget(TabBuilder::Label(QStringLiteral("wt% solids")), 2, 2);
    wl->setColumnStretch(3, 1);
    auto* content = new QVBoxLayout;
    auto* row = new QHBoxLayout;
    row->addWidget(water);
    row->addStretch(1);
    content->addLayout(row);
    ui.sstMain->addTab(TabBuilder::InputPage(QStringLiteral("tabWater"), content),
                       QStringLiteral("Water Input"));
}

void frmMain::WireWaterTab() {
    // The objects are created after the controls are wired: every handler reaches them late.
    auto water = [this]() -> clsWater& { return m_objects->Water; };
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
}

void frmMain::ShowWaterValues() {
    const clsWater& water = m_objects->Water;
    SetText(m_ui.txtPPM, QString::number(water.PPM()));
}

} // namespace q7

// The "Pressure Input" tab: a pressure range or up to 18 discrete pressures.
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

void BuildPressureTab(TabBuilder& b, MainControls& ui) {
    auto* mode = b.Group("optPRange");
    auto* options = new QHBoxLayout;
    options->addWidget(
        TabBuilder::Option(ui.optPRange, mode, 0, "optPRange", QStringLiteral("Specify Pressure Range")));
    options->addSpacing(24);
    options->addWidget(
        TabBuilder::Option(ui.optPRange, mode, 1, "optPRange", QStringLiteral("Enter discrete Values")));
    options->addStretch(1);

    auto* range = TabBuilder::Frame(QStringLiteral(" Range "), QStringLiteral("fraRange"));
    auto* rl = new QGridLayout(range);
    ui.txtMinP = b.Box(QStringLiteral("txtMinP"));
    ui.txtInitP = b.Box(QStringLiteral("txtInitP"));
    ui.txtMaxP = b.Box(QStringLiteral("txtMaxP"));
    const std::pair<const char*, InputBox*> rows[3] = {{"Minimum Pressure", ui.txtMinP},
                                                       {"Initial Pressure", ui.txtInitP},
                                                       {"Maximum Pressure", ui.txtMaxP}};
    for (int r = 0; r < 3; ++r) {
        rl->addWidget(TabBuilder::Label(QString::fromLatin1(rows[r].first)), r, 0);
        rl->addWidget(rows[r].second, r, 1);
        rl->addWidget(TabBuilder::Label(QStringLiteral("psia")), r, 2);
    }
    rl->setRowStretch(3, 1);

    auto* values = TabBuilder::Frame(QStringLiteral(" Pressure Values "), QStringLiteral("fraValues"));
    auto* vl = new QGridLayout(values);
    for (int k = 1; k <= 18; ++k) {
        ui.txtP[k] = b.Box(Indexed("txtP", k), QStringLiteral("0"), 8);
        const int row = (k - 1) % 6;
        const int col = ((k - 1) / 6) * 2;
        auto* number = TabBuilder::Label(QString::number(k));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        vl->addWidget(number, row, col);
        vl->addWidget(ui.txtP[k], row, col + 1);
    }
    vl->addWidget(TabBuilder::Label(QStringLiteral("psia")), 6, 5);

    auto* frames = new QHBoxLayout;
    frames->addWidget(range);
    frames->addWidget(values);
    frames->addStretch(1);

    auto* content = new QVBoxLayout;
    content->addLayout(options);
    content->addLayout(frames);
    ui.sstMain->addTab(TabBuilder::InputPage(QStringLiteral("tabPressure"), content),
                       QStringLiteral("Pressure Input"));
}

void frmMain::WirePressureTab() {
    // The objects are created after the controls are wired: every handler reaches them late.
    const QString pressure = QStringLiteral("Invalid pressure");
    // Pressure Input.
    PlainField(m_ui.txtMinP, pressure, true, "MinPr");
    PlainField(m_ui.txtInitP, pressure, true, "InitPr");
    PlainField(m_ui.txtMaxP, pressure, true, "MaxPr");
    for (int k = 1; k <= 18; ++k) {
        InputBox* box = m_ui.txtP[k];
        box->SetValidation(&m_messages, pressure, InputBox::Rule::Lenient);
        box->setProperty("tag", Numbered("p", k));
        connect(box, &QLineEdit::textChanged, this, [this, k] { DiscretePressureChange(k); });
        connect(box, &InputBox::focusLost, this, [this, k] { DiscretePressureLeft(k); });
    }

    WireOption(m_ui.optPRange, "PrRange", [this](int i) { PressureModeClick(i); });
}

void frmMain::ShowPressureValues() {
    const clsPrs& prs = m_objects->Prs;
    SetFirstOption(m_ui.optPRange, prs.PrRange() == "R");
    SetText(m_ui.txtMaxP, General(prs.PrMax()));
    SetText(m_ui.txtInitP, General(prs.PrIni()));
    SetText(m_ui.txtMinP, General(prs.PrMin()));
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

} // namespace q7

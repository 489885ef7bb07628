// The "Gas Input" tab: gravity and inerts, or the composition with its plus fraction.
// Its controls, their wiring and their handlers.
#include "app/frmMain.h"
#include "app/tabs/TabBuilder.h"
#include "engine/NumericText.h"
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

void BuildGasTab(TabBuilder& b, MainControls& ui) {
    auto* mode = b.Group("optGasEntry");
    auto* options = new QHBoxLayout;
    options->addWidget(
        TabBuilder::Option(ui.optGasEntry, mode, 0, "optGasEntry", QStringLiteral("Gravity && Inerts")));
    options->addSpacing(24);
    options->addWidget(
        TabBuilder::Option(ui.optGasEntry, mode, 1, "optGasEntry", QStringLiteral("Composition")));
    options->addStretch(1);

    auto* inerts = TabBuilder::Frame(QStringLiteral(" Gas Gravity && Inerts"), QStringLiteral("fraGravity"));
    auto* il = new QGridLayout(inerts);
    ui.txtGasGrav = b.Box(QStringLiteral("txtGasGrav"));
    ui.txtMFN = b.Box(QStringLiteral("txtMFN"));
    ui.txtMFCO2 = b.Box(QStringLiteral("txtMFCO2"));
    ui.txtMFHS = b.Box(QStringLiteral("txtMFHS"));
    const std::pair<const char*, InputBox*> inertRows[4] = {{"Gas Gravity (air=1.0)", ui.txtGasGrav},
                                                            {"Nitrogen, Mole Frac", ui.txtMFN},
                                                            {"Carbon Dioxide, Mole Frac", ui.txtMFCO2},
                                                            {"Hydrogen Sulfide, Mole Frac", ui.txtMFHS}};
    for (int r = 0; r < 4; ++r) {
        il->addWidget(TabBuilder::Label(QString::fromLatin1(inertRows[r].first)), r, 0);
        il->addWidget(inertRows[r].second, r, 1);
    }

    ui.fraPLUS = TabBuilder::Frame(QStringLiteral(" Plus Fraction Properties "), QStringLiteral("fraPLUS"));
    auto* fl = new QGridLayout(ui.fraPLUS);
    ui.txtPLUSmw = b.Box(QStringLiteral("txtPLUSmw"));
    ui.txtPLUSgg = b.Box(QStringLiteral("txtPLUSgg"));
    fl->addWidget(TabBuilder::Label(QStringLiteral("Molecular Wt.")), 0, 0);
    fl->addWidget(ui.txtPLUSmw, 0, 1);
    fl->addWidget(TabBuilder::Label(QStringLiteral("Specific Gravity (water = 1.0)")), 1, 0);
    fl->addWidget(ui.txtPLUSgg, 1, 1);

    auto* comp = TabBuilder::Frame(QStringLiteral(" Gas Composition "), QStringLiteral("fraComposition"));
    auto* cl = new QGridLayout(comp);
    const char* names[15] = {"Methane",   "Ethane",    "Propane",  "i-Butane",       "n-Butane",
                             "i-Pentane", "n-Pentane", "Hexane",   "Heptane",        "Octane",
                             "Nonane",    "Decane",    "Nitrogen", "Carbon Dioxide", "Hydrogen Sulfide"};
    for (int k = 1; k <= 15; ++k) {
        const int row = (k - 1) % 8;
        const int col = ((k - 1) / 8) * 4;
        ui.txtGC[k] = b.Box(Indexed("txtGC", k), QStringLiteral("0.0000"), 7);
        ui.txtGC[k]->setEnabled(false);
        cl->addWidget(TabBuilder::Label(QString::fromLatin1(names[k - 1])), row, col);
        cl->addWidget(ui.txtGC[k], row, col + 1);
        if (k <= 12) {
            ui.chkPLUS[k] = new QCheckBox(QStringLiteral("Plus"));
            ui.chkPLUS[k]->setObjectName(Indexed("chkPLUS", k));
            ui.chkPLUS[k]->setEnabled(false);
            cl->addWidget(ui.chkPLUS[k], row, col + 2);
        }
    }
    cl->setColumnMinimumWidth(3, 16);
    ui.txtGCTotal = b.OutBox(QStringLiteral("txtGCTotal"), 7);
    ui.txtGCTotal->setText(QStringLiteral("0.0000"));
    ui.txtGCTotal->setAlignment(Qt::AlignLeft);
    ui.cmdNormal = new QPushButton(QStringLiteral("&Normalize"));
    ui.cmdNormal->setObjectName(QStringLiteral("cmdNormal"));
    ui.cmdNormal->setToolTip(QStringLiteral("Normalize to 1.0"));
    auto* sumLabel = TabBuilder::Label(QStringLiteral("Sum"));
    cl->addWidget(sumLabel, 7, 4);
    cl->addWidget(ui.txtGCTotal, 7, 5);
    cl->addWidget(ui.cmdNormal, 7, 6);

    auto* left = new QVBoxLayout;
    left->addWidget(inerts);
    left->addWidget(ui.fraPLUS);
    left->addStretch(1);
    ui.fraPLUS->setVisible(false);

    auto* frames = new QHBoxLayout;
    frames->addLayout(left);
    frames->addWidget(comp, 0, Qt::AlignTop);
    frames->addStretch(1);

    auto* content = new QVBoxLayout;
    content->addLayout(options);
    content->addLayout(frames);
    ui.sstMain->addTab(TabBuilder::InputPage(QStringLiteral("tabGas"), content), QStringLiteral("Gas Input"));
}

void frmMain::WireGasTab() {
    // The objects are created after the controls are wired: every handler reaches them late.
    auto gas = [this]() -> clsGas& { return m_objects->Gas; };
    // Gas Input.
    PlainField(m_ui.txtGasGrav, QStringLiteral("Invalid Gas Gravity"), true, "GasGrav");
    PlainField(m_ui.txtMFN, QStringLiteral("Invalid Nitrogen fraction"), true, "mfNitrogen");
    PlainField(m_ui.txtMFCO2, QStringLiteral("Invalid CO2 fraction"), true, "mfCO2");
    PlainField(m_ui.txtMFHS, QStringLiteral("Invalid H2S fraction"), true, "mfH2S");
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

    WireOption(m_ui.optGasEntry, "GasEntry", [this](int i) { GasEntryClick(i); });

    for (int k = 1; k <= 12; ++k) {
        connect(m_ui.chkPLUS[k], &QCheckBox::toggled, this, [this, k](bool on) { PlusClick(k, on); });
    }
    connect(m_ui.cmdNormal, &QPushButton::clicked, this, &frmMain::NormalizeClick);
}

void frmMain::ShowGasValues() {
    const clsGas& gas = m_objects->Gas;
    SetFirstOption(m_ui.optGasEntry, gas.GasEntry() == "G");
    SetText(m_ui.txtGasGrav, General(gas.GasGrav()));
    SetText(m_ui.txtPLUSmw, General(gas.PLUSmw()));
    SetText(m_ui.txtPLUSgg, General(gas.PLUSgg()));
    SetText(m_ui.txtMFN, General(gas.mfN()));
    SetText(m_ui.txtMFCO2, General(gas.mfCO2()));
    SetText(m_ui.txtMFHS, General(gas.mfH2S()));
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

} // namespace q7

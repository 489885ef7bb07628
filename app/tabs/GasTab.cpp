#include "app/tabs/GasTab.h"

#include "app/modQ7.h"
#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"
#include "numeric/NumericText.h"
#include "ui/TextFormat.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <string>

namespace q7 {

namespace {
// The composition's fractions show four decimals.
constexpr int kFractionDecimals = 4;
const QString kNoFraction = QStringLiteral("0.0000");
} // namespace

GasTab::GasTab(const TabContext& context) : InputTab(context, QStringLiteral("tabGas")) {
    OptionGroup("GasEntry", optGasEntry, QStringLiteral("Gravity && Inerts"), QStringLiteral("Composition"));
    auto* options = new QHBoxLayout;
    options->addWidget(optGasEntry[0]);
    options->addSpacing(24);
    options->addWidget(optGasEntry[1]);
    options->addStretch(1);

    auto* inerts = Frame(QStringLiteral(" Gas Gravity && Inerts"), QStringLiteral("fraGravity"));
    auto* il = new QGridLayout(inerts);
    txtGasGrav = FieldBox("GasGrav");
    txtMFN = FieldBox("MFnitrogen");
    txtMFCO2 = FieldBox("mfCO2");
    txtMFHS = FieldBox("mfH2S");
    const std::pair<const char*, InputBox*> inertRows[4] = {{"Gas Gravity (air=1.0)", txtGasGrav},
                                                            {"Nitrogen, Mole Frac", txtMFN},
                                                            {"Carbon Dioxide, Mole Frac", txtMFCO2},
                                                            {"Hydrogen Sulfide, Mole Frac", txtMFHS}};
    for (int r = 0; r < 4; ++r) {
        il->addWidget(Label(QString::fromLatin1(inertRows[r].first)), r, 0);
        il->addWidget(inertRows[r].second, r, 1);
    }

    fraPLUS = Frame(QStringLiteral(" Plus Fraction Properties "), QStringLiteral("fraPLUS"));
    auto* fl = new QGridLayout(fraPLUS);
    txtPLUSmw = FieldBox("PLUSmw");
    txtPLUSgg = FieldBox("PLUSgg");
    fl->addWidget(Label(QStringLiteral("Molecular Wt.")), 0, 0);
    fl->addWidget(txtPLUSmw, 0, 1);
    fl->addWidget(Label(QStringLiteral("Specific Gravity (water = 1.0)")), 1, 0);
    fl->addWidget(txtPLUSgg, 1, 1);

    // Two columns of eight rows; the sum and "Normalize" under the second.
    constexpr int kRows = 8;
    auto* comp = Frame(QStringLiteral(" Gas Composition "), QStringLiteral("fraComposition"));
    auto* cl = new QGridLayout(comp);
    const char* names[kComponents] = {
        "Methane", "Ethane", "Propane", "i-Butane", "n-Butane", "i-Pentane",      "n-Pentane",       "Hexane",
        "Heptane", "Octane", "Nonane",  "Decane",   "Nitrogen", "Carbon Dioxide", "Hydrogen Sulfide"};
    for (int k = 1; k <= kComponents; ++k) {
        const int row = (k - 1) % kRows;
        const int col = ((k - 1) / kRows) * 4;
        txtGC[k] = FieldBox("gc" + std::to_string(k), 7);
        txtGC[k]->setText(kNoFraction);
        txtGC[k]->setEnabled(false);
        cl->addWidget(Label(QString::fromLatin1(names[k - 1])), row, col);
        cl->addWidget(txtGC[k], row, col + 1);
        if (k <= kPlusRows) {
            chkPLUS[k] = new QCheckBox(QStringLiteral("Plus"));
            chkPLUS[k]->setObjectName(QStringLiteral("chkPLUS(%1)").arg(k));
            chkPLUS[k]->setEnabled(false);
            cl->addWidget(chkPLUS[k], row, col + 2);
        }
    }
    cl->setColumnMinimumWidth(3, 16);
    txtGCTotal = new QLineEdit(kNoFraction);
    txtGCTotal->setObjectName(QStringLiteral("txtGCTotal"));
    txtGCTotal->setReadOnly(true);
    txtGCTotal->setFocusPolicy(Qt::NoFocus);
    txtGCTotal->setFixedWidth(CharWidth(7));
    QPalette p = txtGCTotal->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    txtGCTotal->setPalette(p);
    cmdNormal = new QPushButton(QStringLiteral("&Normalize"));
    cmdNormal->setObjectName(QStringLiteral("cmdNormal"));
    cmdNormal->setToolTip(QStringLiteral("Normalize to 1.0"));
    cl->addWidget(Label(QStringLiteral("Sum")), kRows - 1, 4);
    cl->addWidget(txtGCTotal, kRows - 1, 5);
    cl->addWidget(cmdNormal, kRows - 1, 6);

    fraGasCorrelations = Frame(QStringLiteral(" Correlations "), QStringLiteral("fraGasCorrelations"));
    auto* rl = new QGridLayout(fraGasCorrelations);
    cboCorrZ = CorrelationBox("CorrZ", QStringLiteral("Invalid Correlation"));
    cboCorrPseudo = CorrelationBox("CorrPseudo", QStringLiteral("Invalid Correlation"));
    const std::pair<const char*, QComboBox*> corrRows[2] = {{"Z Factor", cboCorrZ},
                                                            {"Pseudo-Criticals", cboCorrPseudo}};
    for (int r = 0; r < 2; ++r) {
        auto* label = Label(QString::fromLatin1(corrRows[r].first));
        label->setBuddy(corrRows[r].second);
        rl->addWidget(label, r, 0);
        rl->addWidget(corrRows[r].second, r, 1);
    }

    auto* left = new QVBoxLayout;
    left->addWidget(inerts);
    left->addWidget(fraGasCorrelations);
    left->addWidget(fraPLUS);
    left->addStretch(1);
    fraPLUS->setVisible(false);

    auto* frames = new QHBoxLayout;
    frames->addLayout(left);
    frames->addWidget(comp, 0, Qt::AlignTop);
    frames->addStretch(1);

    auto* content = new QVBoxLayout;
    content->addLayout(options);
    content->addLayout(frames);
    SetContent(content);

    PlainField(txtGasGrav, QStringLiteral("Invalid Gas Gravity"), true);
    PlainField(txtMFN, QStringLiteral("Invalid Nitrogen fraction"), true);
    PlainField(txtMFCO2, QStringLiteral("Invalid CO2 fraction"), true);
    PlainField(txtMFHS, QStringLiteral("Invalid H2S fraction"), true);
    for (int k = 1; k <= kComponents; ++k) {
        // The composition is judged by its total when the gas table is computed (CompositionSumFault).
        txtGC[k]->SetValidation(&Messages(), QStringLiteral("Invalid Gas Composition"),
                                InputBox::Rule::Lenient);
        connect(txtGC[k], &QLineEdit::textChanged, this, [this, k] { CompositionChange(k); });
    }
    // The plus fraction's properties are not stored with a project.
    const QString mw = QStringLiteral("Invalid PLUS FRACTION Mole wt.");
    Validated(txtPLUSmw, mw, InputBox::Rule::Strict);
    connect(txtPLUSmw, &QLineEdit::textChanged, this, [this, mw](const QString& text) {
        Guarded(mw, [&] { Objects().Gas.SetPLUSmw(text.toStdString()); });
    });
    const QString gg = QStringLiteral("Invalid PLUS FRACTION Gas Gravity");
    Validated(txtPLUSgg, gg, InputBox::Rule::Strict);
    connect(txtPLUSgg, &QLineEdit::textChanged, this, [this, gg](const QString& text) {
        Guarded(gg, [&] { Objects().Gas.SetPLUSgg(text.toStdString()); });
    });
    WireOption(optGasEntry, [this](int i) { GasEntryClick(i); });
    for (int k = 1; k <= kPlusRows; ++k)
        connect(chkPLUS[k], &QCheckBox::toggled, this, [this, k](bool on) { PlusClick(k, on); });
    connect(cmdNormal, &QPushButton::clicked, this, &GasTab::NormalizeClick);
}

void GasTab::ShowValues() {
    const clsGas& gas = Objects().Gas;
    SetFirstOption(optGasEntry, gas.GasEntry() == "G");
    for (QLineEdit* box : {txtGasGrav, txtPLUSmw, txtPLUSgg, txtMFN, txtMFCO2, txtMFHS})
        ShowField(box);
    ShowChoice(cboCorrZ);
    ShowChoice(cboCorrPseudo);
}

void GasTab::GasEntryClick(int i) {
    const bool gravity = (i == 0);
    // The plus boxes first: clearing one enables the composition boxes below it.
    for (int k = 1; k <= kPlusRows; ++k) {
        if (gravity) chkPLUS[k]->setChecked(false);
        chkPLUS[k]->setEnabled(!gravity);
    }
    for (InputBox* box : {txtGasGrav, txtMFN, txtMFCO2, txtMFHS})
        box->setEnabled(gravity);
    cboCorrPseudo->setEnabled(gravity);
    cboCorrPseudo->setToolTip(
        gravity ? QString() : QStringLiteral("A composition gives its pseudo-criticals by Kay's rule"));
    for (int k = 1; k <= kComponents; ++k)
        txtGC[k]->setEnabled(!gravity);
    if (gravity) fraPLUS->setVisible(false);
    const char* entry = gravity ? "G" : "C";
    State().SaveField(ProjectTable::Gas, QStringLiteral("GasEntry"), QString::fromLatin1(entry));
    Objects().Gas.GasEntry(entry);
}

void GasTab::PlusClick(int k, bool ticked) {
    if (ticked) {
        for (int j = 1; j <= k - 1; ++j) {
            chkPLUS[j]->setChecked(false);
            txtGC[j]->setEnabled(true);
        }
        for (int j = k + 1; j <= kPlusRows; ++j) {
            chkPLUS[j]->setChecked(false);
            txtGC[j]->setText(kNoFraction);
            txtGC[j]->setEnabled(false);
        }
        fraPLUS->setVisible(true);
        Objects().Gas.PlusEntry(static_cast<std::int16_t>(k));
    } else {
        for (int j = k + 1; j <= kPlusRows; ++j) {
            txtGC[j]->setText(kNoFraction);
            txtGC[j]->setEnabled(true);
        }
        fraPLUS->setVisible(false);
        Objects().Gas.PlusEntry(0);
    }
}

void GasTab::CompositionChange(int k) {
    Guarded(QStringLiteral("Invalid Gas Composition"), [&] {
        clsGas& gas = Objects().Gas;
        gas.SetGC(txtGC[k]->text().toStdString(), static_cast<std::int16_t>(k));
        State().SaveField(ProjectTable::Gas, QString::fromStdString(FieldOf(txtGC[k]).column),
                          gas.GetGC(static_cast<std::int16_t>(k)));
        txtGCTotal->setText(Fixed(gas.SumGC(), kFractionDecimals));
        cmdNormal->setEnabled(gas.SumGC() > 0.0f);
    });
}

void GasTab::NormalizeClick() {
    const float total = Str2Nbr(txtGCTotal->text().toStdString());
    if (total <= 0.0f) return;
    const float f = 1.0f / total;
    for (int k = 1; k <= kComponents; ++k) {
        const float v = Str2Nbr(txtGC[k]->text().toStdString());
        txtGC[k]->setText(Fixed(v * f, kFractionDecimals));
    }
}

} // namespace q7

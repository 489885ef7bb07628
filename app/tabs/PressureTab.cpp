#include "app/tabs/PressureTab.h"

#include "app/modQ7.h"
#include "engine/Q7Objects.h"
#include "numeric/NumericText.h"
#include "ui/ScopeGuards.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <string>

namespace q7 {

namespace {

// Column "p1".."p18" of a discrete pressure.
std::string PressureColumn(int k) {
    std::string column = "p";
    column += std::to_string(k); // appended: GCC 12 warns falsely (-Wrestrict) on "p" + string
    return column;
}

} // namespace

PressureTab::PressureTab(const TabContext& context) : InputTab(context, QStringLiteral("tabPressure")) {
    OptionGroup("PrRange", optPRange, QStringLiteral("Specify Pressure Range"),
                QStringLiteral("Enter discrete Values"));
    auto* options = new QHBoxLayout;
    options->addWidget(optPRange[0]);
    options->addSpacing(24);
    options->addWidget(optPRange[1]);
    options->addStretch(1);

    auto* range = Frame(QStringLiteral(" Range "), QStringLiteral("fraRange"));
    auto* rl = new QGridLayout(range);
    txtMinP = FieldBox("MinPr");
    txtInitP = FieldBox("InitPr");
    txtMaxP = FieldBox("MaxPr");
    const std::pair<const char*, InputBox*> rows[3] = {
        {"Minimum Pressure", txtMinP}, {"Initial Pressure", txtInitP}, {"Maximum Pressure", txtMaxP}};
    for (int r = 0; r < 3; ++r) {
        rl->addWidget(Label(QString::fromLatin1(rows[r].first)), r, 0);
        rl->addWidget(rows[r].second, r, 1);
        rl->addWidget(Label(QStringLiteral("psia")), r, 2);
    }
    rl->setRowStretch(3, 1);

    // Three columns of six boxes.
    constexpr int kRows = 6;
    auto* values = Frame(QStringLiteral(" Pressure Values "), QStringLiteral("fraValues"));
    auto* vl = new QGridLayout(values);
    for (int k = 1; k <= kPressures; ++k) {
        txtP[k] = FieldBox(PressureColumn(k), 8);
        txtP[k]->setText(QStringLiteral("0"));
        const int row = (k - 1) % kRows;
        const int col = ((k - 1) / kRows) * 2;
        auto* number = Label(QString::number(k));
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        vl->addWidget(number, row, col);
        vl->addWidget(txtP[k], row, col + 1);
    }
    vl->addWidget(Label(QStringLiteral("psia")), kRows, 5);

    auto* frames = new QHBoxLayout;
    frames->addWidget(range);
    frames->addWidget(values);
    frames->addStretch(1);

    auto* content = new QVBoxLayout;
    content->addLayout(options);
    content->addLayout(frames);
    SetContent(content);

    const QString pressure = QStringLiteral("Invalid pressure");
    PlainField(txtMinP, pressure, true);
    PlainField(txtInitP, pressure, true);
    PlainField(txtMaxP, pressure, true);
    for (int k = 1; k <= kPressures; ++k) {
        Validated(txtP[k], pressure, InputBox::Rule::Lenient);
        connect(txtP[k], &QLineEdit::textChanged, this, [this, k] { DiscretePressureChange(k); });
        connect(txtP[k], &InputBox::focusLost, this, [this, k] { DiscretePressureLeft(k); });
    }
    WireOption(optPRange, [this](int i) { PressureModeClick(i); });
}

void PressureTab::ShowValues() {
    const clsPrs& prs = Objects().Prs;
    SetFirstOption(optPRange, prs.PrRange() == "R");
    ShowField(txtMaxP);
    ShowField(txtInitP);
    ShowField(txtMinP);
}

void PressureTab::ShowTypedList() {
    const clsPrs& prs = Objects().Prs;
    for (int i = 1; i <= prs.NPRSi() && i <= kPressures; ++i)
        txtP[i]->setText(QString::fromStdString(ExactText(prs.GetPRSi(static_cast<std::int16_t>(i)))));
}

void PressureTab::PressureModeClick(int i) {
    {
        FlagOff quiet(State().InputEventsOn);
        const bool range = (i == 0);
        Objects().Prs.PrRange(range ? "R" : "I");
        txtMinP->setEnabled(range);
        txtInitP->setEnabled(range);
        txtMaxP->setEnabled(range);
        for (int k = 1; k <= kPressures; ++k) {
            txtP[k]->setEnabled(!range);
            // Each box's change handling runs in turn (and does nothing while the flag is off).
            if (!range) DiscretePressureChange(k);
        }
    }
    State().SaveField(ProjectTable::Pressure, QStringLiteral("PrRange"),
                      i == 0 ? QStringLiteral("R") : QStringLiteral("I"));
}

void PressureTab::DiscretePressureChange(int k) {
    if (!State().InputEventsOn || m_shifting) return;
    Guarded(QStringLiteral("Invalid pressure"), [&] {
        Objects().Prs.SetPRSi(txtP[k]->text().toStdString(), static_cast<std::int16_t>(k));
        StorePressureList();
    });
}

// A cleared pressure leaves the schedule's list (the entries after it move up one place), so the
// stored p1..p18 are rewritten from the list as it now stands, never only the column typed in.
void PressureTab::StorePressureList() {
    if (!State().InputEventsOn || !State().ProjectOpen) return;
    const clsPrs& prs = Objects().Prs;
    std::vector<std::pair<QString, QVariant>> values;
    for (int j = 1; j <= kPressures; ++j) {
        const float p = (j <= prs.NPRSi()) ? prs.GetPRSi(static_cast<std::int16_t>(j)) : 0.0f;
        values.emplace_back(QString::fromStdString(PressureColumn(j)), QVariant(p));
    }
    State().SaveFields(ProjectTable::Pressure, values);
}

void PressureTab::DiscretePressureLeft(int k) {
    const QString text = txtP[k]->text();
    if (!text.isEmpty() && text != QStringLiteral("0")) return;
    m_shifting = true;
    for (int j = k; j < kPressures; ++j)
        txtP[j]->setText(txtP[j + 1]->text());
    txtP[kPressures]->setText(QStringLiteral("0"));
    m_shifting = false;
}

} // namespace q7

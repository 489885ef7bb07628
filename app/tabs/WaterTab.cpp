#include "app/tabs/WaterTab.h"

#include "app/modQ7.h"
#include "engine/Q7Objects.h"
#include "ui/ScopeGuards.h"
#include "ui/TextFormat.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace q7 {

WaterTab::WaterTab(const TabContext& context) : InputTab(context, QStringLiteral("tabWater")) {
    auto* water = Frame(QStringLiteral(" Water Description "), QStringLiteral("fraWater"));
    auto* wl = new QGridLayout(water);
    txtPPM = FieldBox("PPMSalinity");
    txtPER = FieldBox("PERSalinity");
    wl->addWidget(Label(QStringLiteral("Water Salinity")), 0, 0);
    wl->addWidget(txtPPM, 0, 1);
    wl->addWidget(Label(QStringLiteral("ppm")), 0, 2);
    wl->addWidget(Label(QStringLiteral("OR")), 1, 0, 1, 3, Qt::AlignCenter);
    wl->addWidget(Label(QStringLiteral("Water Salinity")), 2, 0);
    wl->addWidget(txtPER, 2, 1);
    wl->addWidget(Label(QStringLiteral("wt% solids")), 2, 2);
    wl->setColumnStretch(3, 1);
    auto* content = new QVBoxLayout;
    auto* row = new QHBoxLayout;
    row->addWidget(water);
    row->addStretch(1);
    content->addLayout(row);
    SetContent(content);

    // ppm and weight percent update each other; each stores both columns.
    LinkedSalinity(txtPPM, txtPER, QStringLiteral("Invalid PPM value"), true);
    LinkedSalinity(txtPER, txtPPM, QStringLiteral("Invalid % Solids"), false);
}

void WaterTab::LinkedSalinity(InputBox* box, InputBox* partner, const QString& title, bool ppm) {
    Validated(box, title, InputBox::Rule::Lenient);
    connect(box, &QLineEdit::textChanged, this, [=, this](const QString& text) {
        if (!State().InputEventsOn) return;
        Guarded(title, [&] {
            clsWater& water = Objects().Water;
            if (ppm)
                water.SetPPM(text.toStdString());
            else
                water.SetPER(text.toStdString());
            const std::pair<QString, QVariant> ppmColumn{QStringLiteral("PPMSalinity"),
                                                         QVariant(water.PPM())};
            const std::pair<QString, QVariant> perColumn{QStringLiteral("PERSalinity"), water.PER()};
            State().SaveFields(ProjectTable::Water,
                               ppm ? std::vector{ppmColumn, perColumn} : std::vector{perColumn, ppmColumn});
            FlagOff quiet(State().InputEventsOn);
            partner->setText(ppm ? General(water.PER()) : QString::number(water.PPM()));
        });
    });
}

void WaterTab::ShowValues() {
    ShowField(txtPPM);
}

} // namespace q7

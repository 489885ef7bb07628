#include "app/tabs/OilTab.h"

#include "app/modQ7.h"
#include "engine/Q7Objects.h"
#include "ui/ScopeGuards.h"
#include "ui/TextFormat.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <tuple>

namespace q7 {

namespace {
// The oil gravities show four fixed decimals as each updates the other.
constexpr int kGravityDecimals = 4;
// The GOR and the bubble point a calculate button writes.
constexpr int kGorDecimals = 1;
} // namespace

OilTab::OilTab(const TabContext& context) : InputTab(context, QStringLiteral("tabOil")) {
    auto* gravity = Frame(QStringLiteral(" Oil Gravity "), QStringLiteral("fraOilGravity"));
    auto* gl = new QGridLayout(gravity);
    txtAPI = FieldBox("API");
    txtGrav = FieldBox("SpecGrav");
    gl->addWidget(Label(QStringLiteral("API")), 0, 0);
    gl->addWidget(txtAPI, 0, 1);
    gl->addWidget(Label(QStringLiteral("OR")), 0, 2, Qt::AlignCenter);
    gl->addWidget(Label(QStringLiteral("Specific Gravity")), 0, 3);
    gl->addWidget(txtGrav, 0, 4);
    gl->setColumnMinimumWidth(2, 40);
    gl->setColumnStretch(5, 1);

    auto* sep = Frame(QStringLiteral(" Separator "), QStringLiteral("fraSeparator"));
    auto* sl = new QGridLayout(sep);
    txtSepGas = FieldBox("SepGasGrav");
    txtSepP = FieldBox("SepP");
    txtSepT = FieldBox("SepT");
    OptionGroup("SepTUnits", optSepTU, QStringLiteral("F"), QStringLiteral("C"));
    sl->addWidget(Label(QStringLiteral("Gas Gravity")), 0, 0);
    sl->addWidget(txtSepGas, 0, 1);
    sl->addWidget(Label(QStringLiteral("(air = 1.0)")), 0, 2, 1, 2);
    sl->addWidget(Label(QStringLiteral("Pressure")), 1, 0);
    sl->addWidget(txtSepP, 1, 1);
    sl->addWidget(Label(QStringLiteral("psia")), 1, 2, 1, 2);
    sl->addWidget(Label(QStringLiteral("Temperature")), 2, 0);
    sl->addWidget(txtSepT, 2, 1);
    sl->addWidget(optSepTU[0], 2, 2);
    sl->addWidget(optSepTU[1], 2, 3);
    sl->setColumnStretch(4, 1);

    auto* gor = new QGridLayout;
    txtRSI = FieldBox("InitGO");
    txtBPP = FieldBox("BPP");
    cmdCalcPbp = new QPushButton(QStringLiteral("&Calc Pbp"));
    cmdCalcPbp->setObjectName(QStringLiteral("cmdCalcPbp"));
    cmdCalcRsi = new QPushButton(QStringLiteral("Calc &Rsi"));
    cmdCalcRsi->setObjectName(QStringLiteral("cmdCalcRsi"));
    cmdProceed = new QPushButton(QStringLiteral("Pr&oceed"));
    cmdProceed->setObjectName(QStringLiteral("cmdProceed"));
    // Each calculate button keeps its place when hidden, so the layout does not jump.
    for (QPushButton* button : {cmdCalcPbp, cmdCalcRsi}) {
        QSizePolicy keep = button->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        button->setSizePolicy(keep);
    }
    gor->addWidget(Label(QStringLiteral("Initial Dissolved Gas-Oil Ratio")), 0, 0);
    gor->addWidget(txtRSI, 0, 1);
    gor->addWidget(Label(QStringLiteral("scf/stb")), 0, 2);
    gor->addWidget(cmdCalcPbp, 0, 3);
    gor->addWidget(Label(QStringLiteral("OR")), 1, 0, Qt::AlignCenter);
    gor->addWidget(Label(QStringLiteral("Bubble Point Pressure")), 2, 0);
    gor->addWidget(txtBPP, 2, 1);
    gor->addWidget(Label(QStringLiteral("psia")), 2, 2);
    gor->addWidget(cmdCalcRsi, 2, 3);
    gor->addWidget(cmdProceed, 3, 3);
    gor->setColumnStretch(4, 1);

    // What a PVT report measured at the bubble point. Every box may stay empty: "not measured".
    fraLabData = Frame(QStringLiteral(" Laboratory data "), QStringLiteral("fraLabData"));
    auto* ll = new QGridLayout(fraLabData);
    const std::tuple<InputBox**, const char*, const char*, const char*, const char*> lab[4] = {
        {&txtLabPb, "LabPb", "Bubble Point Pressure", "psia", "Invalid Laboratory Bubble Point"},
        {&txtLabRsb, "LabRsb", "Solution GOR at Pb", "scf/stb", "Invalid Laboratory GOR"},
        {&txtLabBob, "LabBob", "Oil Volume Factor at Pb", "rb/stb", "Invalid Laboratory Volume Factor"},
        {&txtLabMuob, "LabMuob", "Oil Viscosity at Pb", "cp", "Invalid Laboratory Viscosity"}};
    int row = 0;
    for (const auto& [box, column, caption, unit, title] : lab) {
        *box = FieldBox(column);
        (*box)->setPlaceholderText(QStringLiteral("not measured"));
        ll->addWidget(Label(QString::fromLatin1(caption)), row, 0);
        ll->addWidget(*box, row, 1);
        ll->addWidget(Label(QString::fromLatin1(unit)), row, 2);
        LabField(*box, QString::fromLatin1(title));
        ++row;
    }
    auto* labNote = Label(QStringLiteral("The oil tables are matched to each value given; leave a box empty "
                                         "when it was not measured."),
                          QStringLiteral("lblLabNote"));
    labNote->setWordWrap(true);
    ll->addWidget(labNote, row, 0, 1, 4);
    ll->setColumnStretch(3, 1);

    // The correlation of each property; the defaults are the ones the tables always used.
    fraOilCorrelations = Frame(QStringLiteral(" Correlations "), QStringLiteral("fraOilCorrelations"));
    auto* cl = new QGridLayout(fraOilCorrelations);
    const std::tuple<QComboBox**, const char*, const char*> corr[5] = {
        {&cboCorrPb, "CorrPb", "Bubble Point && GOR"},
        {&cboCorrBo, "CorrBo", "Oil Volume Factor"},
        {&cboCorrMuod, "CorrMuod", "Dead Oil Viscosity"},
        {&cboCorrMuo, "CorrMuo", "Saturated Viscosity"},
        {&cboCorrMuoUS, "CorrMuoUS", "Undersaturated Viscosity"}};
    int corrRow = 0;
    for (const auto& [combo, column, caption] : corr) {
        *combo = CorrelationBox(column, QStringLiteral("Invalid Correlation"));
        auto* label = Label(QString::fromLatin1(caption));
        label->setBuddy(*combo);
        cl->addWidget(label, corrRow, 0);
        cl->addWidget(*combo, corrRow, 1);
        ++corrRow;
    }

    auto* top = new QHBoxLayout;
    auto* topLeft = new QVBoxLayout;
    topLeft->addWidget(gravity);
    topLeft->addWidget(sep);
    top->addLayout(topLeft);
    top->addWidget(fraOilCorrelations, 0, Qt::AlignTop);
    auto* content = new QVBoxLayout;
    content->addLayout(top);
    content->addSpacing(8);
    content->addLayout(gor);
    content->addSpacing(8);
    content->addWidget(fraLabData);
    SetContent(content);

    // The two gravities update each other. Each stores both columns, so that a project always holds
    // the pair the form shows.
    LinkedGravity(txtAPI, txtGrav, QStringLiteral("Invalid API"), true);
    LinkedGravity(txtGrav, txtAPI, QStringLiteral("Invalid Oil Gravity"), false);
    PlainField(txtSepGas, QStringLiteral("Invalid gravity"), true);
    PlainField(txtSepP, QStringLiteral("Invalid pressure"), true);
    PlainField(txtSepT, QStringLiteral("Invalid temperature"), true);
    // The GOR and the bubble point derive each other in the object: both are stored, so that a
    // reopened project computes with the pair the object held.
    PlainField(txtRSI, QStringLiteral("Invalid Initial GOR"), false, "BPP");
    PlainField(txtBPP, QStringLiteral("Invalid Bubble Point Pressure"), false, "InitGO");
    // The calculate button follows the box the user is in.
    connect(txtRSI, &InputBox::focusReceived, this, [this] {
        cmdCalcPbp->setVisible(true);
        cmdCalcRsi->setVisible(false);
    });
    connect(txtBPP, &InputBox::focusReceived, this, [this] {
        cmdCalcRsi->setVisible(true);
        cmdCalcPbp->setVisible(false);
    });
    WireOption(optSepTU, [this](int i) {
        Guarded(QStringLiteral("Invalid temperature"), [&] {
            State().SaveField(ProjectTable::Oil, QStringLiteral("SepTUnits"),
                              QString::fromLatin1(kTemperatureUnits[i]));
            Objects().Oil.SepTU(kTemperatureUnits[i]);
        });
    });
    connect(cmdCalcPbp, &QPushButton::clicked, this, &OilTab::CalcPbpClick);
    connect(cmdCalcRsi, &QPushButton::clicked, this, &OilTab::CalcRsiClick);
    connect(cmdProceed, &QPushButton::clicked, this, &OilTab::proceeded);
}

void OilTab::LinkedGravity(InputBox* box, InputBox* partner, const QString& title, bool api) {
    Validated(box, title, InputBox::Rule::Lenient);
    connect(box, &QLineEdit::textChanged, this, [=, this](const QString& text) {
        if (!State().InputEventsOn) return;
        Guarded(title, [&] {
            clsOil& oil = Objects().Oil;
            if (api)
                oil.SetAPI(text.toStdString());
            else
                oil.SetOilSG(text.toStdString());
            const std::pair<QString, QVariant> apiColumn{QStringLiteral("API"), oil.API()};
            const std::pair<QString, QVariant> sgColumn{QStringLiteral("SpecGrav"), oil.OilSG()};
            State().SaveFields(ProjectTable::Oil,
                               api ? std::vector{apiColumn, sgColumn} : std::vector{sgColumn, apiColumn});
            FlagOff quiet(State().InputEventsOn);
            partner->setText(Fixed(api ? oil.OilSG() : oil.API(), kGravityDecimals));
        });
    });
}

void OilTab::ShowValues() {
    const clsOil& oil = Objects().Oil;
    txtAPI->setText(Fixed(oil.API(), kGravityDecimals));
    txtGrav->setText(Fixed(oil.OilSG(), kGravityDecimals));
    ShowField(txtSepGas);
    ShowField(txtSepP);
    ShowField(txtSepT);
    SetFirstOption(optSepTU, oil.SepTU() == "F");
    txtRSI->setText(Fixed(oil.RSI(), kGorDecimals));
    for (InputBox* box : {txtLabPb, txtLabRsb, txtLabBob, txtLabMuob})
        ShowField(box);
    for (QComboBox* box : {cboCorrPb, cboCorrBo, cboCorrMuod, cboCorrMuo, cboCorrMuoUS})
        ShowChoice(box);
}

void OilTab::ResetCalculateButtons() {
    cmdCalcPbp->setVisible(true);
    cmdCalcRsi->setVisible(false);
    cmdProceed->setEnabled(false);
}

void OilTab::CalcPbpClick() {
    Guarded(QStringLiteral("Oil Properties Error"), [&] {
        Objects().Oil.SetRsi(txtRSI->text().toStdString());
        const clsOil::GivenPair given = Objects().Oil.Given();
        ShowComputed(txtBPP, Fixed(Objects().Oil.Pbp(), kGorDecimals));
        Objects().Oil.Given(given);
        cmdProceed->setEnabled(true);
    });
}

void OilTab::CalcRsiClick() {
    Guarded(QStringLiteral("Oil Properties Error"), [&] {
        Objects().Oil.SetPbp(txtBPP->text().toStdString());
        const clsOil::GivenPair given = Objects().Oil.Given();
        ShowComputed(txtRSI, Fixed(Objects().Oil.RSI(), kGorDecimals));
        Objects().Oil.Given(given);
        cmdProceed->setEnabled(true);
    });
}

} // namespace q7

// The "Oil Input" tab: the oil gravity, the separator, the GOR or the bubble point with their calculate
// buttons, and the laboratory data the oil tables are matched to. Its controls, their wiring and their
// handlers.
#include "app/frmMain.h"
#include "app/tabs/TabBuilder.h"
#include "engine/ProjectFields.h"
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

#include <stdexcept>
#include <string>
#include <tuple>

namespace q7 {

void BuildOilTab(TabBuilder& b, MainControls& ui) {
    auto* gravity = TabBuilder::Frame(QStringLiteral(" Oil Gravity "), QStringLiteral("fraOilGravity"));
    auto* gl = new QGridLayout(gravity);
    ui.txtAPI = b.Box(QStringLiteral("txtAPI"));
    ui.txtGrav = b.Box(QStringLiteral("txtGrav"));
    gl->addWidget(TabBuilder::Label(QStringLiteral("API")), 0, 0);
    gl->addWidget(ui.txtAPI, 0, 1);
    gl->addWidget(TabBuilder::Label(QStringLiteral("OR")), 0, 2, Qt::AlignCenter);
    gl->addWidget(TabBuilder::Label(QStringLiteral("Specific Gravity")), 0, 3);
    gl->addWidget(ui.txtGrav, 0, 4);
    gl->setColumnMinimumWidth(2, 40);
    gl->setColumnStretch(5, 1);

    auto* sep = TabBuilder::Frame(QStringLiteral(" Separator "), QStringLiteral("fraSeparator"));
    auto* sl = new QGridLayout(sep);
    ui.txtSepGas = b.Box(QStringLiteral("txtSepGas"));
    ui.txtSepP = b.Box(QStringLiteral("txtSepP"));
    ui.txtSepT = b.Box(QStringLiteral("txtSepT"));
    auto* sepUnits = b.Group("optSepTU");
    sl->addWidget(TabBuilder::Label(QStringLiteral("Gas Gravity")), 0, 0);
    sl->addWidget(ui.txtSepGas, 0, 1);
    sl->addWidget(TabBuilder::Label(QStringLiteral("(air = 1.0)")), 0, 2, 1, 2);
    sl->addWidget(TabBuilder::Label(QStringLiteral("Pressure")), 1, 0);
    sl->addWidget(ui.txtSepP, 1, 1);
    sl->addWidget(TabBuilder::Label(QStringLiteral("psia")), 1, 2, 1, 2);
    sl->addWidget(TabBuilder::Label(QStringLiteral("Temperature")), 2, 0);
    sl->addWidget(ui.txtSepT, 2, 1);
    sl->addWidget(TabBuilder::Option(ui.optSepTU, sepUnits, 0, "optSepTU", QStringLiteral("F")), 2, 2);
    sl->addWidget(TabBuilder::Option(ui.optSepTU, sepUnits, 1, "optSepTU", QStringLiteral("C")), 2, 3);
    sl->setColumnStretch(4, 1);

    auto* gor = new QGridLayout;
    ui.txtRSI = b.Box(QStringLiteral("txtRSI"));
    ui.txtBPP = b.Box(QStringLiteral("txtBPP"));
    ui.cmdCalcPbp = new QPushButton(QStringLiteral("&Calc Pbp"));
    ui.cmdCalcPbp->setObjectName(QStringLiteral("cmdCalcPbp"));
    ui.cmdCalcRsi = new QPushButton(QStringLiteral("Calc &Rsi"));
    ui.cmdCalcRsi->setObjectName(QStringLiteral("cmdCalcRsi"));
    ui.cmdProceed = new QPushButton(QStringLiteral("Pr&oceed"));
    ui.cmdProceed->setObjectName(QStringLiteral("cmdProceed"));
    // Each calculate button keeps its place when hidden, so the layout does not jump.
    for (QPushButton* button : {ui.cmdCalcPbp, ui.cmdCalcRsi}) {
        QSizePolicy keep = button->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        button->setSizePolicy(keep);
    }
    gor->addWidget(TabBuilder::Label(QStringLiteral("Initial Dissolved Gas-Oil Ratio")), 0, 0);
    gor->addWidget(ui.txtRSI, 0, 1);
    gor->addWidget(TabBuilder::Label(QStringLiteral("scf/stb")), 0, 2);
    gor->addWidget(ui.cmdCalcPbp, 0, 3);
    gor->addWidget(TabBuilder::Label(QStringLiteral("OR")), 1, 0, Qt::AlignCenter);
    gor->addWidget(TabBuilder::Label(QStringLiteral("Bubble Point Pressure")), 2, 0);
    gor->addWidget(ui.txtBPP, 2, 1);
    gor->addWidget(TabBuilder::Label(QStringLiteral("psia")), 2, 2);
    gor->addWidget(ui.cmdCalcRsi, 2, 3);
    gor->addWidget(ui.cmdProceed, 3, 3);
    gor->setColumnStretch(4, 1);

    // What a PVT report measured at the bubble point. Every box may stay empty: "not measured".
    ui.fraLabData = TabBuilder::Frame(QStringLiteral(" Laboratory data "), QStringLiteral("fraLabData"));
    auto* ll = new QGridLayout(ui.fraLabData);
    const std::tuple<InputBox**, const char*, const char*, const char*> lab[4] = {
        {&ui.txtLabPb, "txtLabPb", "Bubble Point Pressure", "psia"},
        {&ui.txtLabRsb, "txtLabRsb", "Solution GOR at Pb", "scf/stb"},
        {&ui.txtLabBob, "txtLabBob", "Oil Volume Factor at Pb", "rb/stb"},
        {&ui.txtLabMuob, "txtLabMuob", "Oil Viscosity at Pb", "cp"}};
    int row = 0;
    for (const auto& [box, name, caption, unit] : lab) {
        *box = b.Box(QString::fromLatin1(name));
        (*box)->setPlaceholderText(QStringLiteral("not measured"));
        ll->addWidget(TabBuilder::Label(QString::fromLatin1(caption)), row, 0);
        ll->addWidget(*box, row, 1);
        ll->addWidget(TabBuilder::Label(QString::fromLatin1(unit)), row, 2);
        ++row;
    }
    auto* labNote = TabBuilder::Label(
        QStringLiteral("The oil tables are matched to each value given; leave a box empty when it was not "
                       "measured."),
        QStringLiteral("lblLabNote"));
    labNote->setWordWrap(true);
    ll->addWidget(labNote, row, 0, 1, 4);
    ll->setColumnStretch(3, 1);

    auto* content = new QVBoxLayout;
    content->addWidget(gravity);
    content->addWidget(sep);
    content->addSpacing(8);
    content->addLayout(gor);
    content->addSpacing(8);
    content->addWidget(ui.fraLabData);
    ui.sstMain->addTab(TabBuilder::InputPage(QStringLiteral("tabOil"), content), QStringLiteral("Oil Input"));
}

void frmMain::WireOilTab() {
    // The objects are created after the controls are wired: every handler reaches them late.
    auto oil = [this]() -> clsOil& { return m_objects->Oil; };
    const QString pressure = QStringLiteral("Invalid pressure");
    const QString temperature = QStringLiteral("Invalid temperature");
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
    PlainField(m_ui.txtSepGas, QStringLiteral("Invalid gravity"), true, "SepGasGrav");
    PlainField(m_ui.txtSepP, pressure, true, "SepP");
    PlainField(m_ui.txtSepT, temperature, true, "SepT");
    // The GOR and the bubble point derive each other in the object: both are stored, so that a
    // reopened project computes with the pair the object held.
    PlainField(m_ui.txtRSI, QStringLiteral("Invalid Initial GOR"), false, "InitGO", "BPP");
    PlainField(m_ui.txtBPP, QStringLiteral("Invalid Bubble Point Pressure"), false, "BPP", "InitGO");
    // The calculate button follows the box the user is in.
    connect(m_ui.txtRSI, &InputBox::focusReceived, this, [this] {
        m_ui.cmdCalcPbp->setVisible(true);
        m_ui.cmdCalcRsi->setVisible(false);
    });
    connect(m_ui.txtBPP, &InputBox::focusReceived, this, [this] {
        m_ui.cmdCalcRsi->setVisible(true);
        m_ui.cmdCalcPbp->setVisible(false);
    });

    WireOption(m_ui.optSepTU, "SepTUnits", [this](int i) {
        Guarded(QStringLiteral("Invalid temperature"), [&] {
            m_state.SaveField(ProjectTable::Oil, QStringLiteral("SepTUnits"),
                              QString::fromLatin1(kTemperatureUnits[i]));
            m_objects->Oil.SepTU(kTemperatureUnits[i]);
        });
    });
    LabField(m_ui.txtLabPb, QStringLiteral("Invalid Laboratory Bubble Point"), "LabPb");
    LabField(m_ui.txtLabRsb, QStringLiteral("Invalid Laboratory GOR"), "LabRsb");
    LabField(m_ui.txtLabBob, QStringLiteral("Invalid Laboratory Volume Factor"), "LabBob");
    LabField(m_ui.txtLabMuob, QStringLiteral("Invalid Laboratory Viscosity"), "LabMuob");
    connect(m_ui.cmdCalcPbp, &QPushButton::clicked, this, &frmMain::CalcPbpClick);
    connect(m_ui.cmdCalcRsi, &QPushButton::clicked, this, &frmMain::CalcRsiClick);
    connect(m_ui.cmdProceed, &QPushButton::clicked, this, &frmMain::ProceedClick);
}

void frmMain::ShowOilValues() {
    const clsOil& oil = m_objects->Oil;
    SetText(m_ui.txtAPI, Fixed(oil.API(), 4));
    SetText(m_ui.txtGrav, Fixed(oil.OilSG(), 4));
    SetText(m_ui.txtSepGas, General(oil.SepGG()));
    SetText(m_ui.txtSepP, General(oil.SepP()));
    SetText(m_ui.txtSepT, General(oil.SepTf()));
    SetFirstOption(m_ui.optSepTU, oil.SepTU() == "F");
    SetText(m_ui.txtRSI, Fixed(oil.RSI(), 1));
    ShowLabValues();
}

// A laboratory box: its text goes to the object (blank: not measured) and, while a project is
// open and a table stores the value, into its column (Null when not measured).
void frmMain::LabField(InputBox* box, const QString& title, const char* tag) {
    const ProjectField* field = FindField(tag);
    if (!field) throw std::logic_error(std::string("no project field ") + tag);
    box->SetValidation(&m_messages, title, InputBox::Rule::Lenient);
    box->setProperty("tag", QString::fromLatin1(tag));
    connect(box, &QLineEdit::textChanged, this, [this, title, field](const QString& text) {
        Guarded(title, [&] {
            field->set(*m_objects, Std(text));
            if (!field->Stored()) return;
            const bool held = !field->held || field->held(*m_objects);
            m_state.SaveField(TableOf(*field), QString::fromStdString(field->column),
                              held ? QVariant(static_cast<float>(field->number(*m_objects))) : QVariant());
        });
    });
}

// The measured values as the object holds them; a value not measured leaves its box empty.
void frmMain::ShowLabValues() {
    for (InputBox* box : {m_ui.txtLabPb, m_ui.txtLabRsb, m_ui.txtLabBob, m_ui.txtLabMuob}) {
        const ProjectField* field = FindField(box->property("tag").toString().toStdString());
        const bool held = field && (!field->held || field->held(*m_objects));
        SetText(box, held ? QString::fromStdString(FieldText(*field, field->number(*m_objects))) : QString());
    }
}

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

} // namespace q7

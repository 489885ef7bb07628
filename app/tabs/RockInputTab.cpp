#include "app/tabs/RockInputTab.h"

#include "app/modQ7.h"
#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <algorithm>
#include <functional>

namespace q7 {

namespace {
// The saturation and exponent boxes are narrower than the others.
constexpr int kRockBoxChars = 7;

// Capillary-pressure models by index, as a bit each.
constexpr unsigned kLeverett = 1u << 1;
constexpr unsigned kBrooksCorey = 1u << 2;
constexpr unsigned kSkjaeveland = 1u << 3;
constexpr unsigned kAnyModel = kLeverett | kBrooksCorey | kSkjaeveland;

// A parameter line of the capillary-pressure frame: its key, caption and unit, and the models that
// read it.
struct PcLine {
    const char* key;
    const char* caption;
    const char* unit;
    unsigned models;
};

// The model's equation under its drop-down list (S* the normalised wetting-phase saturation).
QString PcFormula(int model) {
    switch (model) {
    case 1:
        return QStringLiteral("Pc = a S*^-b \u00B7 \u03C3 cos \u03B8 \u221A(\u03C6/k), at most the cap");
    case 2:
        return QStringLiteral("Pc = Pe S*^(-1/\u03BB), at most the cap");
    case 3:
        return QStringLiteral("Pc = cw / Sw*^aw + co / So*^ao, within \u00B1 the cap");
    default:
        return QStringLiteral("None: the Pc column of the table is 0");
    }
}
} // namespace

RockInputTab::RockInputTab(const TabContext& context) : InputTab(context, QStringLiteral("tabRockInput")) {
    auto pairFrame = [this](const QString& title, const char* frameName, OptionPair& pair, const char* column,
                            const QString& first, const QString& second) {
        auto* frame = Frame(title, QString::fromLatin1(frameName));
        auto* layout = new QVBoxLayout(frame);
        OptionGroup(column, pair, first, second);
        layout->addWidget(pair[0]);
        layout->addWidget(pair[1]);
        return frame;
    };
    // A third or fourth button of an option group whose first two are a pair.
    auto extraOption = [](QGroupBox* frame, OptionPair& pair, const char* column, int index,
                          const QString& caption) {
        auto* button = new QRadioButton(caption);
        button->setObjectName(
            pair[0]->objectName().replace(QStringLiteral("(0)"), QStringLiteral("(%1)").arg(index)));
        button->setProperty("tag", QString::fromLatin1(column));
        pair[0]->group()->addButton(button, index);
        frame->layout()->addWidget(button);
        return button;
    };
    auto* choices = new QGridLayout;
    auto* fluidsFrame = pairFrame(QStringLiteral(" Fluids "), "fraFluids", optRock, "RockType",
                                  QStringLiteral("Oil - Water"), QStringLiteral("Gas - Oil"));
    optRockBoth =
        extraOption(fluidsFrame, optRock, "RockType", 2, QStringLiteral("Oil - Water and Gas - Oil"));
    optRockGasWater = extraOption(fluidsFrame, optRock, "RockType", 3, QStringLiteral("Gas - Water"));
    choices->addWidget(fluidsFrame, 0, 0);
    choices->addWidget(pairFrame(QStringLiteral(" Displacement "), "fraDisplacement", optType, "DrainType",
                                 QStringLiteral("Drainage"), QStringLiteral("Imbibition")),
                       0, 1);
    choices->addWidget(pairFrame(QStringLiteral(" Lithology "), "fraLithology", optLith, "LithType",
                                 QStringLiteral("Sandstone - Conglomerate"),
                                 QStringLiteral("Limestone - Dolomite")),
                       1, 0);
    choices->addWidget(pairFrame(QStringLiteral(" Wettability "), "fraWettability", optWet, "WetType",
                                 QStringLiteral("Water Wet"), QStringLiteral("Oil or Intermediate Wet")),
                       1, 1);
    auto* corrFrame = pairFrame(QStringLiteral(" Correlation "), "fraCorrelation", optCorr, "CorrType",
                                QStringLiteral("Corey"), QStringLiteral("Honarpour"));
    optCorrLET = extraOption(corrFrame, optCorr, "CorrType", 2, QStringLiteral("LET"));
    choices->addWidget(corrFrame, 2, 0);

    // Capillary pressure: the model of the table's system, its equation and the parameters it reads.
    fraCapillary = Frame(QStringLiteral(" Capillary Pressure "), QStringLiteral("fraCapillary"));
    auto* pl = new QGridLayout(fraCapillary);
    const QStringList owModels{QStringLiteral("None"), QStringLiteral("Leverett J"),
                               QStringLiteral("Brooks\u2013Corey"), QStringLiteral("Skj\u00E6veland")};
    cboPcowModel = ChoiceBox("PcowModel", owModels, QStringLiteral("Invalid Capillary Pressure Model"));
    cboPcogModel =
        ChoiceBox("PcogModel", owModels.mid(0, 3), QStringLiteral("Invalid Capillary Pressure Model"));
    int pcRow = 0;
    for (auto [combo, caption, fluids] :
         {std::tuple{cboPcowModel, "Oil-Water Model", 0}, std::tuple{cboPcogModel, "Gas-Oil Model", 1}}) {
        QLabel* label = Label(QString::fromLatin1(caption));
        pl->addWidget(label, pcRow, 0);
        pl->addWidget(combo, pcRow, 1, 1, 2);
        m_modelRows.push_back({{label, combo}, fluids, kAnyModel | 1u, true});
        ++pcRow;
    }
    lblPcFormula = Label(QString(), QStringLiteral("lblPcFormula"));
    pl->addWidget(lblPcFormula, pcRow++, 0, 1, 3);
    const PcLine owLines[] = {
        {"PcowJA", "J coefficient a", "", kLeverett},
        {"PcowJB", "J exponent b", "", kLeverett},
        {"PcowIFT", "Interfacial tension \u03C3", "mN/m", kLeverett},
        {"PcowAngle", "Contact angle \u03B8", "deg", kLeverett},
        {"PcowEntry", "Entry pressure Pe", "psi", kBrooksCorey},
        {"PcowLambda", "Pore-size index \u03BB", "", kBrooksCorey},
        {"PcowCw", "Water coefficient cw", "psi", kSkjaeveland},
        {"PcowAw", "Water exponent aw", "", kSkjaeveland},
        {"PcowCo", "Oil coefficient co", "psi", kSkjaeveland},
        {"PcowAo", "Oil exponent ao", "", kSkjaeveland},
        {"PcowMax", "Pc cap", "psi", kAnyModel},
    };
    const PcLine goLines[] = {
        {"PcogJA", "J coefficient a", "", kLeverett},
        {"PcogJB", "J exponent b", "", kLeverett},
        {"PcogIFT", "Interfacial tension \u03C3", "mN/m", kLeverett},
        {"PcogAngle", "Contact angle \u03B8", "deg", kLeverett},
        {"PcogEntry", "Entry pressure Pe", "psi", kBrooksCorey},
        {"PcogLambda", "Pore-size index \u03BB", "", kBrooksCorey},
        {"PcogMax", "Pc cap", "psi", kAnyModel},
    };
    auto pcLine = [&](const PcLine& line, int fluids) {
        InputBox* box = FieldBox(line.key, kRockBoxChars);
        QLabel* label = Label(QString::fromUtf8(line.caption));
        QLabel* unit = Label(QString::fromLatin1(line.unit));
        pl->addWidget(label, pcRow, 0);
        pl->addWidget(box, pcRow, 1);
        pl->addWidget(unit, pcRow, 2);
        ++pcRow;
        m_modelRows.push_back({{label, box, unit}, fluids, line.models, true});
        m_modelBoxes.push_back(box);
        PlainField(box, QStringLiteral("Invalid ") + QString::fromUtf8(line.caption), true);
    };
    for (const PcLine& line : owLines)
        pcLine(line, 0);
    for (const PcLine& line : goLines)
        pcLine(line, 1);
    // Leverett's J reads the porosity and the permeability of the Honarpour frame.
    auto* jNote = Label(QStringLiteral("\u03C6 and k: Porosity and Air Permeability (Honarpour)"));
    pl->addWidget(jNote, pcRow++, 0, 1, 3);
    m_modelRows.push_back({{jNote}, -1, kLeverett, true});
    // The captions' column keeps the width of the widest, so the frame does not shift between models.
    int captionWidth = 0;
    for (const PcLine& line : owLines)
        captionWidth =
            std::max(captionWidth, fontMetrics().horizontalAdvance(QString::fromUtf8(line.caption)));
    pl->setColumnMinimumWidth(0, captionWidth + 8);
    pl->setColumnStretch(3, 1);
    choices->addWidget(fraCapillary, 3, 0, 1, 2);

    auto* sat = Frame(QStringLiteral(" Saturations "), QStringLiteral("fraSaturations"));
    auto* sl = new QGridLayout(sat);
    txtSWC = FieldBox("SWC", kRockBoxChars);
    txtSWC->setText(QStringLiteral("0.20"));
    txtSORW = FieldBox("SORW", kRockBoxChars);
    txtSORW->setText(QStringLiteral("0.40"));
    txtSORG = FieldBox("SORG", kRockBoxChars);
    txtSORG->setText(QStringLiteral("0.40"));
    txtSGCrit = FieldBox("SGCrit", kRockBoxChars);
    txtSGCrit->setText(QStringLiteral("0.30"));
    lblSORW = Label(QStringLiteral("Residual Oil to Water"), QStringLiteral("lblSORW"));
    lblSORG = Label(QStringLiteral("Residual Oil to Gas"), QStringLiteral("lblSORG"));
    lblSGCrit = Label(QStringLiteral("Critical Gas"), QStringLiteral("lblSGCrit"));
    sl->addWidget(Label(QStringLiteral("Connate Water"), QStringLiteral("lblSWC")), 0, 0);
    sl->addWidget(txtSWC, 0, 1);
    sl->addWidget(lblSORW, 1, 0);
    sl->addWidget(txtSORW, 1, 1);
    sl->addWidget(lblSORG, 2, 0);
    sl->addWidget(txtSORG, 2, 1);
    sl->addWidget(lblSGCrit, 3, 0);
    sl->addWidget(txtSGCrit, 3, 1);
    txtSatRows = FieldBox("SatRows", kRockBoxChars);
    sl->addWidget(Label(QStringLiteral("Table Rows"), QStringLiteral("lblSatRows")), 4, 0);
    sl->addWidget(txtSatRows, 4, 1);

    auto* corey = Frame(QStringLiteral(" Corey Exponents "), QStringLiteral("fraCorey"));
    auto* cl = new QGridLayout(corey);
    txtK = FieldBox("CoreyK", kRockBoxChars);
    txtN = FieldBox("CoreyN", kRockBoxChars);
    lblK = Label(QStringLiteral("Kr wet [S^K(2-S)]  K ="), QStringLiteral("lblK"));
    lblN = Label(QStringLiteral("Kr non-wet [(1-S)^N]  N ="), QStringLiteral("lblN"));
    cl->addWidget(lblK, 0, 0);
    cl->addWidget(txtK, 0, 1);
    cl->addWidget(lblN, 1, 0);
    cl->addWidget(txtN, 1, 1);

    auto* honarpour = Frame(QStringLiteral(" Honarpour Cooefficients "), QStringLiteral("fraHonarpour"));
    auto* hl = new QGridLayout(honarpour);
    txtHRPoro = FieldBox("HRPoro", kRockBoxChars);
    txtHRAir = FieldBox("HRAir", kRockBoxChars);
    txtHRKrg = FieldBox("HRKrg", kRockBoxChars);
    lblHRPoro = Label(QStringLiteral("Porosity"), QStringLiteral("lblHRPoro"));
    lblHRAir = Label(QStringLiteral("Air Permeability"), QStringLiteral("lblHRAir"));
    lblMD = Label(QStringLiteral("(md)"), QStringLiteral("lblMD"));
    lblHRKrg = Label(QStringLiteral("Krg"), QStringLiteral("lblHRKrg"));
    lblSORGU = Label(QStringLiteral("(Sorg)"), QStringLiteral("lblSORGU"));
    hl->addWidget(lblHRPoro, 0, 0);
    hl->addWidget(txtHRPoro, 0, 1);
    hl->addWidget(lblHRAir, 1, 0);
    hl->addWidget(txtHRAir, 1, 1);
    hl->addWidget(lblMD, 1, 2);
    hl->addWidget(lblHRKrg, 2, 0);
    hl->addWidget(txtHRKrg, 2, 1);
    hl->addWidget(lblSORGU, 2, 2);

    // LET: L, E and T of each phase of the system and its end-point kr.
    fraLET = Frame(QStringLiteral(" LET Parameters "), QStringLiteral("fraLET"));
    auto* ll = new QGridLayout(fraLET);
    const char* letHeads[4] = {"L", "E", "T", "Kr max"};
    for (int c = 0; c < 4; ++c)
        ll->addWidget(Label(QString::fromLatin1(letHeads[c])), 0, c + 1, Qt::AlignHCenter);
    const std::tuple<const char*, const char*, const char*, int> letPhases[3] = {
        {"Water", "LetWater", "KrwMax", 0}, {"Gas", "LetGas", "KrgMax", 1}, {"Oil", "LetOil", "KroMax", -1}};
    int letRow = 1;
    for (const auto& [phase, prefix, maxKey, fluids] : letPhases) {
        std::vector<QWidget*> widgets{Label(QString::fromLatin1(phase))};
        ll->addWidget(widgets.front(), letRow, 0);
        int c = 1;
        for (const std::string& key : {std::string(prefix) + "L", std::string(prefix) + "E",
                                       std::string(prefix) + "T", std::string(maxKey)}) {
            InputBox* box = FieldBox(key, 5);
            ll->addWidget(box, letRow, c++);
            widgets.push_back(box);
            m_modelBoxes.push_back(box);
            PlainField(box,
                       QStringLiteral("Invalid LET ") + QString::fromLatin1(phase) +
                           QStringLiteral(" Parameter"),
                       true);
        }
        m_modelRows.push_back({widgets, fluids, kAnyModel | 1u, false});
        ++letRow;
    }

    auto* right = new QVBoxLayout;
    right->addWidget(sat);
    right->addWidget(corey);
    right->addWidget(honarpour);
    right->addWidget(fraLET);
    right->addStretch(1);

    auto* columns = new QHBoxLayout;
    auto* leftColumn = new QVBoxLayout;
    leftColumn->addLayout(choices);
    leftColumn->addStretch(1);
    columns->addLayout(leftColumn);
    columns->addLayout(right);
    columns->addStretch(1);
    auto* content = new QVBoxLayout;
    content->addLayout(columns);
    SetContent(content);

    PlainField(txtSWC, QStringLiteral("Invalid Connate Water"), true);
    PlainField(txtSORW, QStringLiteral("Invalid Res Oil to Water"), true);
    PlainField(txtSORG, QStringLiteral("Invalid Res Oil to Gas"), true);
    PlainField(txtSGCrit, QStringLiteral("Invalid Critical Gas"), true);
    PlainField(txtK, QStringLiteral("Invalid K Exponent"), true);
    PlainField(txtN, QStringLiteral("Invalid N Exponent"), true);
    PlainField(txtHRPoro, QStringLiteral("Invalid Porosity Exponent"), true);
    PlainField(txtHRAir, QStringLiteral("Invalid Air Perm Exponent"), true);
    PlainField(txtHRKrg, QStringLiteral("Invalid Krg Exponent"), true);
    PlainField(txtSatRows, QStringLiteral("Invalid Table Rows"), true);

    // Rock options: the object first (through the field's description), then the stored index.
    auto rockOption = [this](const OptionPair& pair, std::function<void()> refresh) {
        const ProjectField* field = &FieldOf(pair[0]);
        WireOption(pair, [this, field, refresh](int i) {
            Guarded(QStringLiteral("Rock Properties Error"), [&] {
                field->set(Objects(), std::to_string(i));
                if (refresh) refresh();
                State().SaveField(ProjectTable::Rock, QString::fromStdString(field->column), i);
            });
        });
    };
    rockOption(optRock, [this] { RefreshRockInputs(); });
    rockOption(optType, [this] { RefreshRockInputs(); });
    rockOption(optLith, nullptr);
    rockOption(optWet, nullptr);
    rockOption(optCorr, [this] { RefreshCorrelationInputs(); });
    // The buttons past a pair: the object first, then the stored index.
    auto extraWired = [this](QRadioButton* button, int index, std::function<void()> refresh) {
        connect(button, &QRadioButton::toggled, this, [this, button, index, refresh](bool on) {
            if (!on) return;
            Guarded(QStringLiteral("Rock Properties Error"), [&] {
                const ProjectField& field = FieldOf(button);
                field.set(Objects(), std::to_string(index));
                refresh();
                State().SaveField(ProjectTable::Rock, QString::fromStdString(field.column), index);
            });
        });
    };
    extraWired(optRockBoth, 2, [this] { RefreshRockInputs(); });
    extraWired(optRockGasWater, 3, [this] { RefreshRockInputs(); });
    extraWired(optCorrLET, 2, [this] { RefreshCorrelationInputs(); });
    for (QComboBox* combo : {cboPcowModel, cboPcogModel})
        connect(combo, &QComboBox::currentIndexChanged, this, [this] { RefreshCorrelationInputs(); });
}

InputBox* RockInputTab::ModelBox(const std::string& key) const {
    for (InputBox* box : m_modelBoxes)
        if (box->property("tag").toString().toStdString() == key) return box;
    return nullptr;
}

void RockInputTab::ShowValues() {
    const clsRock& rock = Objects().Rock;
    if (rock.Fluids() == 2)
        optRockBoth->setChecked(true);
    else if (rock.Fluids() == 3)
        optRockGasWater->setChecked(true);
    else
        SetFirstOption(optRock, rock.Fluids() == 0);
    SetFirstOption(optType, rock.Displace() == 0);
    SetFirstOption(optLith, rock.Lith() == 0);
    SetFirstOption(optWet, rock.Wet() == 0);
    if (rock.CORR() == 2)
        optCorrLET->setChecked(true);
    else
        SetFirstOption(optCorr, rock.CORR() == 0);
    for (QLineEdit* box :
         {txtSWC, txtSORW, txtSORG, txtSGCrit, txtK, txtN, txtHRPoro, txtHRAir, txtHRKrg, txtSatRows})
        ShowField(box);
    for (InputBox* box : m_modelBoxes)
        ShowField(box);
    ShowChoice(cboPcowModel);
    ShowChoice(cboPcogModel);
    RefreshModelRows();
    RefreshWettability();
}

void RockInputTab::RefreshRockInputs() {
    const clsRock& rock = Objects().Rock;
    for (QWidget* w :
         std::initializer_list<QWidget*>{txtSORW, lblSORW, txtSORG, lblSORG, txtSGCrit, lblSGCrit, optWet[0],
                                         optWet[1], optCorr[0], optCorr[1], txtK, lblK, txtN, lblN})
        w->setEnabled(false);
    const bool imbibition = rock.Displace() == 1;
    // Oil-water (0), gas-oil (1), both (2) and gas-water (3): the end points each table reads.
    const bool oilWater = rock.Fluids() == 0 || rock.Fluids() == 2;
    const bool gasOil = rock.Fluids() == 1 || rock.Fluids() == 2;
    if (oilWater && imbibition) {
        txtSORW->setEnabled(true);
        lblSORW->setEnabled(true);
    }
    if (gasOil || rock.Fluids() == 3) {
        txtSGCrit->setEnabled(true);
        lblSGCrit->setEnabled(true);
    }
    if (gasOil && imbibition) {
        txtSORG->setEnabled(true);
        lblSORG->setEnabled(true);
    }
    if (rock.Displace() == 0 || rock.Fluids() == 3) {
        // Drainage, or gas-water: Corey or LET (Honarpour's correlations are oil imbibition curves).
        optCorr[0]->setEnabled(true);
        if (!optCorrLET->isChecked()) optCorr[0]->setChecked(true);
    } else {
        optCorr[0]->setEnabled(true);
        optCorr[1]->setEnabled(true);
    }
    if (Objects().Rock.CORR() == 0) {
        for (QWidget* w : std::initializer_list<QWidget*>{txtK, lblK, txtN, lblN})
            w->setEnabled(true);
    }
    RefreshCorrelationInputs();
}

// Only Honarpour's oil-water curves depend on the wettability: Corey (and LET) take none.
void RockInputTab::RefreshWettability() {
    const clsRock& rock = Objects().Rock;
    const bool used = (rock.Fluids() == 0 || rock.Fluids() == 2) && rock.CORR() == 1;
    optWet[0]->setEnabled(used);
    optWet[1]->setEnabled(used);
}

void RockInputTab::RefreshCorrelationInputs() {
    const std::initializer_list<QWidget*> corey{txtK, lblK, txtN, lblN};
    const std::initializer_list<QWidget*> honarpour{txtHRAir,  lblHRAir,  txtHRKrg, lblHRKrg,
                                                    txtHRPoro, lblHRPoro, lblMD,    lblSORGU};
    for (QWidget* w : corey)
        w->setEnabled(false);
    for (QWidget* w : honarpour)
        w->setEnabled(false);
    if (Objects().Rock.CORR() == 0)
        for (QWidget* w : corey)
            w->setEnabled(true);
    if (Objects().Rock.CORR() == 1)
        for (QWidget* w : honarpour)
            w->setEnabled(true);
    // Leverett's J reads the porosity and the permeability whatever the correlation.
    const clsRock& rock = Objects().Rock;
    if ((rock.Fluids() == 0 ? rock.PcowModel() : rock.PcogModel()) == 1)
        for (QWidget* w : std::initializer_list<QWidget*>{txtHRPoro, lblHRPoro, txtHRAir, lblHRAir, lblMD})
            w->setEnabled(true);
    // Skjæveland's oil branch reads the residual oil to water, in drainage as well.
    const bool sorw =
        (rock.Fluids() == 0 || rock.Fluids() == 2) && (rock.Displace() == 1 || rock.PcowModel() == 3);
    for (QWidget* w : std::initializer_list<QWidget*>{txtSORW, lblSORW})
        w->setEnabled(sorw);
    RefreshWettability();
    RefreshModelRows();
}

void RockInputTab::RefreshModelRows() {
    const clsRock& rock = Objects().Rock;
    // Gas-water reads the oil-water keys; both tables show the lines of both systems.
    const int fluids = rock.Fluids() == 1 ? 1 : 0;
    const int model = fluids == 0 ? rock.PcowModel() : rock.PcogModel();
    for (const ModelRow& row : m_modelRows) {
        const bool system = row.fluids < 0 || row.fluids == fluids || rock.Fluids() == 2;
        const int rowModel = row.fluids == 1 ? rock.PcogModel() : row.fluids == 0 ? rock.PcowModel() : model;
        const bool shown = system && (!row.capillary || (row.models & (1u << rowModel)) != 0);
        for (QWidget* w : row.widgets)
            w->setVisible(shown);
    }
    lblPcFormula->setText(PcFormula(model));
    fraLET->setVisible(rock.CORR() == 2);
}

} // namespace q7

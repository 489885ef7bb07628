#include "app/tabs/RockInputTab.h"

#include "app/modQ7.h"
#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include <functional>

namespace q7 {

namespace {
// The saturation and exponent boxes are narrower than the others.
constexpr int kRockBoxChars = 7;
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
    auto* choices = new QGridLayout;
    choices->addWidget(pairFrame(QStringLiteral(" Fluids "), "fraFluids", optRock, "RockType",
                                 QStringLiteral("Oil - Water"), QStringLiteral("Gas - Oil")),
                       0, 0);
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
    choices->addWidget(pairFrame(QStringLiteral(" Correlation "), "fraCorrelation", optCorr, "CorrType",
                                 QStringLiteral("Corey"), QStringLiteral("Honarpour")),
                       2, 0);

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

    auto* right = new QVBoxLayout;
    right->addWidget(sat);
    right->addWidget(corey);
    right->addWidget(honarpour);
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
}

void RockInputTab::ShowValues() {
    const clsRock& rock = Objects().Rock;
    SetFirstOption(optRock, rock.Fluids() == 0);
    SetFirstOption(optType, rock.Displace() == 0);
    SetFirstOption(optLith, rock.Lith() == 0);
    SetFirstOption(optWet, rock.Wet() == 0);
    SetFirstOption(optCorr, rock.CORR() == 0);
    for (QLineEdit* box : {txtSWC, txtSORW, txtSORG, txtSGCrit, txtK, txtN, txtHRPoro, txtHRAir, txtHRKrg})
        ShowField(box);
    RefreshWettability();
}

void RockInputTab::RefreshRockInputs() {
    const clsRock& rock = Objects().Rock;
    for (QWidget* w :
         std::initializer_list<QWidget*>{txtSORW, lblSORW, txtSORG, lblSORG, txtSGCrit, lblSGCrit, optWet[0],
                                         optWet[1], optCorr[0], optCorr[1], txtK, lblK, txtN, lblN})
        w->setEnabled(false);
    const bool imbibition = rock.Displace() == 1;
    if (rock.Fluids() == 0) {
        if (imbibition) {
            txtSORW->setEnabled(true);
            lblSORW->setEnabled(true);
        }
    }
    if (rock.Fluids() == 1) {
        txtSGCrit->setEnabled(true);
        lblSGCrit->setEnabled(true);
        if (imbibition) {
            txtSORG->setEnabled(true);
            lblSORG->setEnabled(true);
        }
    }
    if (rock.Displace() == 0) {
        // Drainage: Corey only.
        optCorr[0]->setEnabled(true);
        optCorr[0]->setChecked(true);
    } else {
        optCorr[0]->setEnabled(true);
        optCorr[1]->setEnabled(true);
    }
    if (Objects().Rock.CORR() == 0) {
        for (QWidget* w : std::initializer_list<QWidget*>{txtK, lblK, txtN, lblN})
            w->setEnabled(true);
    }
    RefreshWettability();
}

// Only Honarpour's oil-water curves depend on the wettability: Corey (and LET) take none.
void RockInputTab::RefreshWettability() {
    const clsRock& rock = Objects().Rock;
    const bool used = rock.Fluids() == 0 && rock.CORR() == 1;
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
    RefreshWettability();
}

} // namespace q7

// The "Rock Input" tab: the fluids, displacement, lithology, wettability and correlation, the
// saturations and the exponents of the correlation.
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

void BuildRockInputTab(TabBuilder& b, MainControls& ui) {
    auto pairFrame = [&b](const QString& title, const char* frameName, OptionPair& pair, const char* name,
                          const QString& first, const QString& second) {
        auto* frame = TabBuilder::Frame(title, QString::fromLatin1(frameName));
        auto* layout = new QVBoxLayout(frame);
        auto* group = b.Group(name);
        layout->addWidget(TabBuilder::Option(pair, group, 0, name, first));
        layout->addWidget(TabBuilder::Option(pair, group, 1, name, second));
        return frame;
    };
    auto* choices = new QGridLayout;
    choices->addWidget(pairFrame(QStringLiteral(" Fluids "), "fraFluids", ui.optRock, "optRock",
                                 QStringLiteral("Oil - Water"), QStringLiteral("Gas - Oil")),
                       0, 0);
    choices->addWidget(pairFrame(QStringLiteral(" Displacement "), "fraDisplacement", ui.optType, "optType",
                                 QStringLiteral("Drainage"), QStringLiteral("Imbibition")),
                       0, 1);
    choices->addWidget(pairFrame(QStringLiteral(" Lithology "), "fraLithology", ui.optLith, "optLith",
                                 QStringLiteral("Sandstone - Conglomerate"),
                                 QStringLiteral("Limestone - Dolomite")),
                       1, 0);
    choices->addWidget(pairFrame(QStringLiteral(" Wettability "), "fraWettability", ui.optWet, "optWet",
                                 QStringLiteral("Water Wet"), QStringLiteral("Oil or Intermediate Wet")),
                       1, 1);
    choices->addWidget(pairFrame(QStringLiteral(" Correlation "), "fraCorrelation", ui.optCorr, "optCorr",
                                 QStringLiteral("Corey"), QStringLiteral("Honarpour")),
                       2, 0);

    auto* sat = TabBuilder::Frame(QStringLiteral(" Saturations "), QStringLiteral("fraSaturations"));
    auto* sl = new QGridLayout(sat);
    ui.txtSWC = b.Box(QStringLiteral("txtSWC"), QStringLiteral("0.20"), 7);
    ui.txtSORW = b.Box(QStringLiteral("txtSORW"), QStringLiteral("0.40"), 7);
    ui.txtSORG = b.Box(QStringLiteral("txtSORG"), QStringLiteral("0.40"), 7);
    ui.txtSGCrit = b.Box(QStringLiteral("txtSGCrit"), QStringLiteral("0.30"), 7);
    ui.lblSORW = TabBuilder::Label(QStringLiteral("Residual Oil to Water"), QStringLiteral("lblSORW"));
    ui.lblSORG = TabBuilder::Label(QStringLiteral("Residual Oil to Gas"), QStringLiteral("lblSORG"));
    ui.lblSGCrit = TabBuilder::Label(QStringLiteral("Critical Gas"), QStringLiteral("lblSGCrit"));
    sl->addWidget(TabBuilder::Label(QStringLiteral("Connate Water"), QStringLiteral("lblSWC")), 0, 0);
    sl->addWidget(ui.txtSWC, 0, 1);
    sl->addWidget(ui.lblSORW, 1, 0);
    sl->addWidget(ui.txtSORW, 1, 1);
    sl->addWidget(ui.lblSORG, 2, 0);
    sl->addWidget(ui.txtSORG, 2, 1);
    sl->addWidget(ui.lblSGCrit, 3, 0);
    sl->addWidget(ui.txtSGCrit, 3, 1);

    auto* corey = TabBuilder::Frame(QStringLiteral(" Corey Exponents "), QStringLiteral("fraCorey"));
    auto* cl = new QGridLayout(corey);
    ui.txtK = b.Box(QStringLiteral("txtK"), {}, 7);
    ui.txtN = b.Box(QStringLiteral("txtN"), {}, 7);
    ui.lblK = TabBuilder::Label(QStringLiteral("Kr wet [S^K(2-S)]  K ="), QStringLiteral("lblK"));
    ui.lblN = TabBuilder::Label(QStringLiteral("Kr non-wet [(1-S)^N]  N ="), QStringLiteral("lblN"));
    cl->addWidget(ui.lblK, 0, 0);
    cl->addWidget(ui.txtK, 0, 1);
    cl->addWidget(ui.lblN, 1, 0);
    cl->addWidget(ui.txtN, 1, 1);

    auto* honarpour =
        TabBuilder::Frame(QStringLiteral(" Honarpour Cooefficients "), QStringLiteral("fraHonarpour"));
    auto* hl = new QGridLayout(honarpour);
    ui.txtHRPoro = b.Box(QStringLiteral("txtHRPoro"), {}, 7);
    ui.txtHRAir = b.Box(QStringLiteral("txtHRAir"), {}, 7);
    ui.txtHRKrg = b.Box(QStringLiteral("txtHRKrg"), {}, 7);
    ui.lblHRPoro = TabBuilder::Label(QStringLiteral("Porosity"), QStringLiteral("lblHRPoro"));
    ui.lblHRAir = TabBuilder::Label(QStringLiteral("Air Permeability"), QStringLiteral("lblHRAir"));
    ui.lblMD = TabBuilder::Label(QStringLiteral("(md)"), QStringLiteral("lblMD"));
    ui.lblHRKrg = TabBuilder::Label(QStringLiteral("Krg"), QStringLiteral("lblHRKrg"));
    ui.lblSORGU = TabBuilder::Label(QStringLiteral("(Sorg)"), QStringLiteral("lblSORGU"));
    hl->addWidget(ui.lblHRPoro, 0, 0);
    hl->addWidget(ui.txtHRPoro, 0, 1);
    hl->addWidget(ui.lblHRAir, 1, 0);
    hl->addWidget(ui.txtHRAir, 1, 1);
    hl->addWidget(ui.lblMD, 1, 2);
    hl->addWidget(ui.lblHRKrg, 2, 0);
    hl->addWidget(ui.txtHRKrg, 2, 1);
    hl->addWidget(ui.lblSORGU, 2, 2);

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
    ui.sstMain->addTab(TabBuilder::InputPage(QStringLiteral("tabRockInput"), content),
                       QStringLiteral("Rock Input"));
}

void frmMain::WireRockInputTab() {
    // The objects are created after the controls are wired: every handler reaches them late.
    // Rock Input.
    PlainField(m_ui.txtSWC, QStringLiteral("Invalid Connate Water"), true, "SWC");
    PlainField(m_ui.txtSORW, QStringLiteral("Invalid Res Oil to Water"), true, "SORW");
    PlainField(m_ui.txtSORG, QStringLiteral("Invalid Res Oil to Gas"), true, "SORG");
    PlainField(m_ui.txtSGCrit, QStringLiteral("Invalid Critical Gas"), true, "SGCrit");
    PlainField(m_ui.txtK, QStringLiteral("Invalid K Exponent"), true, "CoreyK");
    PlainField(m_ui.txtN, QStringLiteral("Invalid N Exponent"), true, "CoreyN");
    PlainField(m_ui.txtHRPoro, QStringLiteral("Invalid Porosity Exponent"), true, "HRPoro");
    PlainField(m_ui.txtHRAir, QStringLiteral("Invalid Air Perm Exponent"), true, "HRAir");
    PlainField(m_ui.txtHRKrg, QStringLiteral("Invalid Krg Exponent"), true, "HRKrg");

    // Rock options: the object first, then the stored index.
    auto rockOption = [this](const OptionPair& pair, const char* tag, std::function<void(std::int16_t)> set,
                             std::function<void()> refresh) {
        WireOption(pair, tag, [this, tag, set, refresh](int i) {
            Guarded(QStringLiteral("Rock Properties Error"), [&] {
                set(static_cast<std::int16_t>(i));
                if (refresh) refresh();
                m_state.SaveField(ProjectTable::Rock, QString::fromLatin1(tag), i);
            });
        });
    };
    rockOption(
        m_ui.optRock, "RockType", [this](std::int16_t v) { m_objects->Rock.Fluids(v); },
        [this] { RefreshRockInputs(); });
    rockOption(
        m_ui.optType, "DrainType", [this](std::int16_t v) { m_objects->Rock.Displace(v); },
        [this] { RefreshRockInputs(); });
    rockOption(
        m_ui.optLith, "LithType", [this](std::int16_t v) { m_objects->Rock.Lith(v); }, nullptr);
    rockOption(
        m_ui.optWet, "WetType", [this](std::int16_t v) { m_objects->Rock.Wet(v); }, nullptr);
    rockOption(
        m_ui.optCorr, "CorrType", [this](std::int16_t v) { m_objects->Rock.CORR(v); },
        [this] { RefreshCorrelationInputs(); });
}

void frmMain::ShowRockInputValues() {
    const clsRock& rock = m_objects->Rock;
    SetFirstOption(m_ui.optRock, rock.Fluids() == 0);
    SetFirstOption(m_ui.optType, rock.Displace() == 0);
    SetFirstOption(m_ui.optLith, rock.Lith() == 0);
    SetFirstOption(m_ui.optWet, rock.Wet() == 0);
    SetFirstOption(m_ui.optCorr, rock.CORR() == 0);
    SetText(m_ui.txtSWC, General(rock.SWC()));
    SetText(m_ui.txtSORW, General(rock.SORW()));
    SetText(m_ui.txtSORG, General(rock.SORG()));
    SetText(m_ui.txtSGCrit, General(rock.SGCrit()));
    SetText(m_ui.txtK, General(rock.CoreyK()));
    SetText(m_ui.txtN, General(rock.CoreyN()));
    SetText(m_ui.txtHRPoro, General(rock.HRPoro()));
    SetText(m_ui.txtHRAir, General(rock.HRAir()));
    SetText(m_ui.txtHRKrg, General(rock.HRKrg()));
}

void frmMain::RefreshRockInputs() {
    const clsRock& rock = m_objects->Rock;
    for (QWidget* w : std::initializer_list<QWidget*>{m_ui.txtSORW, m_ui.lblSORW, m_ui.txtSORG, m_ui.lblSORG,
                                                      m_ui.txtSGCrit, m_ui.lblSGCrit, m_ui.optWet[0],
                                                      m_ui.optWet[1], m_ui.optCorr[0], m_ui.optCorr[1],
                                                      m_ui.txtK, m_ui.lblK, m_ui.txtN, m_ui.lblN})
        w->setEnabled(false);
    const bool imbibition = rock.Displace() == 1;
    if (rock.Fluids() == 0) {
        m_ui.optWet[0]->setEnabled(true);
        m_ui.optWet[1]->setEnabled(true);
        if (imbibition) {
            m_ui.txtSORW->setEnabled(true);
            m_ui.lblSORW->setEnabled(true);
        }
    }
    if (rock.Fluids() == 1) {
        m_ui.txtSGCrit->setEnabled(true);
        m_ui.lblSGCrit->setEnabled(true);
        if (imbibition) {
            m_ui.txtSORG->setEnabled(true);
            m_ui.lblSORG->setEnabled(true);
        }
    }
    if (rock.Displace() == 0) {
        // Drainage: Corey only.
        m_ui.optCorr[0]->setEnabled(true);
        m_ui.optCorr[0]->setChecked(true);
    } else {
        m_ui.optCorr[0]->setEnabled(true);
        m_ui.optCorr[1]->setEnabled(true);
    }
    if (m_objects->Rock.CORR() == 0) {
        for (QWidget* w : std::initializer_list<QWidget*>{m_ui.txtK, m_ui.lblK, m_ui.txtN, m_ui.lblN})
            w->setEnabled(true);
    }
}

void frmMain::RefreshCorrelationInputs() {
    const std::initializer_list<QWidget*> corey{m_ui.txtK, m_ui.lblK, m_ui.txtN, m_ui.lblN};
    const std::initializer_list<QWidget*> honarpour{m_ui.txtHRAir,  m_ui.lblHRAir, m_ui.txtHRPoro,
                                                    m_ui.lblHRPoro, m_ui.txtHRKrg, m_ui.lblHRKrg,
                                                    m_ui.lblMD,     m_ui.lblSORGU};
    for (QWidget* w : corey)
        w->setEnabled(false);
    for (QWidget* w : honarpour)
        w->setEnabled(false);
    if (m_objects->Rock.CORR() == 0)
        for (QWidget* w : corey)
            w->setEnabled(true);
    if (m_objects->Rock.CORR() == 1)
        for (QWidget* w : honarpour)
            w->setEnabled(true);
}

} // namespace q7

// The main window's result tabs ("Fluid Properties", "Rock Properties"): their controls, what
// selecting each tab does, the grids and the output boxes.
#include "app/ResultPlots.h"
#include "app/ResultWarnings.h"
#include "app/clsUtil.h"
#include "app/frmMain.h"
#include "app/tabs/OilTab.h"
#include "app/tabs/PressureTab.h"
#include "app/tabs/TabBuilder.h"
#include "engine/Correlations.h"
#include "engine/Q7Objects.h"
#include "engine/ResultRun.h"
#include "engine/ValueChecks.h"
#include "numeric/Errors.h"
#include "numeric/NumericText.h"
#include "rock/RockWords.h"
#include "ui/FlexGrid.h"
#include "ui/InputBox.h"
#include "ui/PlotView.h"
#include "ui/ScopeGuards.h"
#include "ui/SpanHeading.h"
#include "ui/TextFormat.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>
#include <vector>

namespace q7 {

namespace {

const QColor kBubblePointText(0, 0, 255);

// One grid row: an empty cell for the fixed column 0, then the cells.
// A grid that gained a column (the rock table's Pc) takes the room its columns need from the plot
// beside it, up to two thirds of the width, so no column hides behind the plot.
void WidenForAllColumns(FlexGrid* grid) {
    auto* splitter =
        qobject_cast<QSplitter*>(grid->parentWidget() ? grid->parentWidget()->parentWidget() : nullptr);
    if (!splitter || splitter->count() != 2) return;
    const QList<int> sizes = splitter->sizes();
    const int total = sizes[0] + sizes[1];
    const int need = grid->horizontalHeader()->length() + 2 * grid->frameWidth() +
                     (grid->verticalHeader()->isVisible() ? grid->verticalHeader()->width() : 0) +
                     grid->verticalScrollBar()->sizeHint().width();
    if (total <= 0 || sizes[0] >= need) return;
    const int left = std::min(need, total * 2 / 3);
    splitter->setSizes({left, total - left});
}

QString RowText(const QStringList& cells) {
    QString text;
    for (const QString& cell : cells) {
        text += QLatin1Char('\t');
        text += cell;
    }
    return text;
}

bool IsInputTab(int tab) {
    return (tab >= kTabPhases && tab <= kTabWater) || tab == kTabRockInput;
}

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// A result grid's tool tip: which correlation computed which of its columns.
QString CorrelationTip(const std::vector<CorrelationUse>& uses) {
    QString tip = QStringLiteral("Computed with:");
    for (const CorrelationUse& use : uses)
        tip += QStringLiteral("\n") + Q(use.property) + QStringLiteral(": ") + Q(use.correlation);
    return uses.empty() ? QString() : tip;
}

} // namespace

// The form's part of the "Fluid Properties" computation.
class FluidTabObserver final : public FluidTablesObserver {
public:
    explicit FluidTabObserver(frmMain& form) : m_form(form) {}
    // Raises the bubble-point box's own change handling (which stores it in an open project).
    void BubblePointShown(const std::string& text) override { m_form.m_ui.oil->ShowBubblePoint(Q(text)); }
    void ScheduleBuilt() override { m_form.ApplySubTabRules(); }
    void OilStarting() override { m_form.PrepareOilGrid(); }
    // The oil loop reports its own failure and leaves its table part filled: nothing of it is shown.
    void OilDone() override {
        if (m_form.Objects().Oil.GO()) m_form.FillOilTable();
    }
    void GasStarting() override { m_form.PrepareGasGrid(); }
    void GasDone() override { m_form.FillGasTable(); }
    void GasStopped() override { m_form.SelectTab(kTabGas); }
    void WaterStarting() override { m_form.PrepareWaterGrid(); }
    void WaterDone() override {
        if (m_form.Objects().Water.GO()) m_form.FillWaterTable();
    }

private:
    frmMain& m_form;
};

void frmMain::TabSelected(int tab) {
    if (m_shutDown) return;
    if (IsInputTab(tab)) SetOutputMenus(false);
    switch (tab) {
    case kTabPressure:
        if (m_ui.pressure->optPRange[1]->isChecked()) m_ui.pressure->ShowTypedList();
        break;
    case kTabFluidProps:
        ComputeFluidTables();
        break;
    case kTabRockInput:
        m_ui.sstMain->setTabEnabled(kTabRockProps, true);
        break;
    case kTabRockProps:
        ComputeRockTable();
        break;
    default:
        break;
    }
}

void frmMain::ComputeFluidTables() {
    BusyCursor busy;
    m_state.SettingsInUse = true;
    SetOutputMenus(false);
    Q7Objects& o = *m_objects;
    // Every table of the last computation goes first: a stage that fails or is not reached must
    // not leave its old rows (or rows of this run beside old values) passing for a result.
    ClearFluidResults(CalcStage::PressureSchedule);

    FluidTabObserver observer(*this);
    const OilBoxes boxes{m_ui.oil->txtRSI->text().toStdString(), m_ui.oil->txtBPP->text().toStdString()};
    const FluidTablesResult result = RunFluidProperties(o, boxes, m_sink, observer);
    if (result.failure) ShowCalcFailure(result.failure->stage, Q(result.failure->text));
    // A run that stopped part way (a reported failure or a gas status) offers nothing to write.
    if (result.failure || result.gasStopped || (o.Fluid.PhaseOil() && !o.Oil.GO()) ||
        (o.Fluid.PhaseWater() && !result.gasStopped && !o.Water.GO()))
        SetOutputMenus(false);
}

// A raised calculation error: shown under the calculation's title, and the table it would have
// filled is emptied so that nothing stale passes for its result.
void frmMain::ShowCalcFailure(CalcStage stage, const QString& text) {
    ClearFluidResults(stage);
    m_messages.ShowError(text, QString::fromLatin1(StageTitle(stage)));
}

void frmMain::ClearFluidResults(CalcStage stage) {
    const bool all = stage == CalcStage::PressureSchedule;
    auto clear = [](FlexGrid* grid, QLabel* warning, PlotPane* plot,
                    std::initializer_list<QLineEdit*> boxes) {
        grid->setRowCount(0);
        grid->setToolTip(QString());
        ClearFaults(warning);
        plot->Clear();
        for (QLineEdit* box : boxes)
            box->clear();
    };
    if (all || stage == CalcStage::Oil) {
        clear(m_ui.fxgUOil, m_ui.lblUOilWarn, m_ui.plotOil,
              {m_ui.txtPBPout, m_ui.txtCatPbp, m_ui.txtSTDOout, m_ui.txtRSISEPout, m_ui.txtRSITANKout,
               m_ui.txtRSIout, m_ui.txtMatchPScale, m_ui.txtMatchBoK, m_ui.txtMatchMuF});
        m_ui.fraOilMatch->setVisible(false);
    }
    if (all || stage == CalcStage::Gas)
        clear(m_ui.fxgGAS, m_ui.lblGASWarn, m_ui.plotGas,
              {m_ui.txtGGout, m_ui.txtResTout, m_ui.txtPC, m_ui.txtTC, m_ui.txtPTRout, m_ui.txtGSTDout});
    if (all || stage == CalcStage::Water)
        clear(m_ui.fxgWater, m_ui.lblWaterWarn, m_ui.plotWater,
              {m_ui.txtPERo, m_ui.txtPPMo, m_ui.txtSTDWout, m_ui.txtResTfW});
    if (stage == CalcStage::Rock) {
        clear(m_ui.fxgRock, m_ui.lblRockWarn, m_ui.plotRock,
              {m_ui.txtDispOut, m_ui.txtLithOut, m_ui.txtCORROut});
        m_ui.fraRock2->setVisible(false);
    }
}

void frmMain::ApplySubTabRules() {
    const clsFluid& fluid = m_objects->Fluid;
    QTabWidget* sub = m_ui.sstFluid;
    m_applyingSubTabs = true;
    sub->setTabEnabled(kFluidOil, false);
    sub->setTabEnabled(kFluidGas, false);
    sub->setTabEnabled(kFluidWater, false);
    if (fluid.PhaseOil()) {
        sub->setTabEnabled(kFluidOil, true);
        sub->setTabEnabled(kFluidGas, true);
        sub->setCurrentIndex(kFluidOil);
    }
    if (fluid.PhaseGas()) {
        sub->setTabEnabled(kFluidGas, true);
        sub->setCurrentIndex(kFluidGas);
    }
    if (fluid.PhaseWater()) {
        sub->setTabEnabled(kFluidWater, true);
        if (!fluid.PhaseOil() && !fluid.PhaseGas()) sub->setCurrentIndex(kFluidWater);
    }
    // The sub-tab the user last looked at, while its phase is there.
    if (m_fluidSubTab >= 0 && sub->isTabEnabled(m_fluidSubTab)) sub->setCurrentIndex(m_fluidSubTab);
    m_applyingSubTabs = false;
}

void frmMain::PrepareOilGrid() {
    m_ui.plotOil->Clear();
    m_ui.fraOilMatch->setVisible(false);
    ClearFaults(m_ui.lblUOilWarn);
    m_util->FXG(m_ui.fxgUOil);
    m_util->fxgINIT(11, 500);
    const char* captions[10] = {"Pressure (psia)",   "Vol Fact (rb/stb)", "GOR (scf/stb)",
                                "Viscosity (cp)",    "Density (lb/ft3)",  " ",
                                "Vol Fact (rb/stb)", "GOR (scf/stb)",     "Viscosity (cp)",
                                "Density (lb/ft3)"};
    for (int c = 1; c <= 10; ++c)
        m_util->fxgColCap(static_cast<std::int16_t>(c), QString::fromLatin1(captions[c - 1]),
                          c == 6 ? 200 : 1000);
    m_ui.hdgUOil->SetSpans(
        {{{1, 5}, QStringLiteral("UnderSaturated")}, {{7, 10}, QStringLiteral("Saturated")}});
}

void frmMain::FillOilTable() {
    const clsPrs& prs = m_objects->Prs;
    const clsOil& oil = m_objects->Oil;
    FlexGrid* grid = m_ui.fxgUOil;
    const QColor buttonFace = grid->palette().color(QPalette::Button);
    for (std::int16_t i = 1; i <= prs.NPRSo(); ++i) {
        grid->AddItem(RowText({Fixed(prs.GetPRSo(i), 1), Fixed(oil.GetBO(i), 4), Fixed(oil.GetRSO(i), 1),
                               Fixed(oil.GetMUO(i), 3), Fixed(oil.GetRHOO(i), 3), QStringLiteral(" "),
                               Fixed(oil.GetBOS(i), 4), Fixed(oil.GetRSOS(i), 1), Fixed(oil.GetMUOS(i), 3),
                               Fixed(oil.GetRHOOS(i), 3)}),
                      i);
        grid->SetCurrentCell(i, 6);
        grid->SetCellBackColor(i, 6, buttonFace);
        if (i == prs.BPPi())
            for (int c = 1; c <= 10; ++c)
                grid->SetCellForeColor(i, c, kBubblePointText);
    }
    grid->setCurrentCell(-1, -1);
    grid->scrollToTop();
    SetText(m_ui.txtPBPout, Fixed(oil.Pbp(), 1));
    SetText(m_ui.txtCatPbp, Fixed(oil.GetCO(prs.BPPi()), 7));
    SetText(m_ui.txtSTDOout, General(oil.STDenOil()));
    SetText(m_ui.txtRSISEPout, Fixed(oil.RSISep(), 1));
    SetText(m_ui.txtRSITANKout, Fixed(oil.RSITank(), 1));
    SetText(m_ui.txtRSIout, Fixed(oil.RSI(), 1));
    // The factors of a match with the laboratory; nothing to show when none was made.
    const OilMatch& match = oil.Match();
    SetText(m_ui.txtMatchPScale, match.Made ? General(match.PressureScale) : QString());
    SetText(m_ui.txtMatchBoK, match.Made ? General(match.BoFactor) : QString());
    SetText(m_ui.txtMatchMuF, match.Made ? General(match.ViscosityFactor) : QString());
    m_ui.fraOilMatch->setVisible(match.Made);
    grid->setToolTip(CorrelationTip(OilCorrelations(*m_objects)));
    ShowFaults(m_ui.lblUOilWarn, grid, FaultsOf(*m_objects, ResultTable::Oil));
    PlotOil(*m_ui.plotOil, prs, oil);
    SetOutputMenus(true);
}

void frmMain::PrepareGasGrid() {
    m_ui.plotGas->Clear();
    ClearFaults(m_ui.lblGASWarn);
    m_util->FXG(m_ui.fxgGAS);
    m_util->fxgINIT(10, 500);
    const char* captions[9] = {"Pressure (psia)",  "Pseudo Pres",        "Z Factor",
                               "   P/Z   (psia)",  "Vol Fact (rcf/scf)", "Viscosity (cp)",
                               "Compress (psi-1)", "Density (lb/rcf)",   "m(p)/1E06 (psia^2/cp)"};
    for (int c = 1; c <= 9; ++c)
        m_util->fxgColCap(static_cast<std::int16_t>(c), QString::fromLatin1(captions[c - 1]), 1000);
}

void frmMain::FillGasTable() {
    const clsPrs& prs = m_objects->Prs;
    const clsGas& gas = m_objects->Gas;
    SetText(m_ui.txtGGout, Fixed(gas.GasGrav(), 3));
    SetText(m_ui.txtResTout, Fixed(m_objects->Fluid.ResTf(), 1));
    SetText(m_ui.txtPC, Fixed(gas.pC(), 1));
    SetText(m_ui.txtTC, Fixed(gas.tC(), 1));
    SetText(m_ui.txtPTRout, Fixed(gas.PTR(), 3));
    SetText(m_ui.txtGSTDout, Fixed(gas.STDenGas(), 5));
    for (std::int16_t i = 1; i <= prs.NPRSo(); ++i) {
        m_ui.fxgGAS->AddItem(
            RowText({Fixed(prs.GetPRSo(i), 1), Fixed(gas.GetPPR(i), 3), Fixed(gas.GetZ(i), 3),
                     Fixed(gas.GetPZ(i), 1), Fixed(gas.GetBG(i), 6), Fixed(gas.GetMUG(i), 4),
                     Fixed(gas.GetCG(i), 6), Fixed(gas.GetRHOG(i), 4), Fixed(gas.GetRMP(i), 3)}),
            i);
    }
    m_ui.fxgGAS->setToolTip(CorrelationTip(GasCorrelations(*m_objects)));
    ShowFaults(m_ui.lblGASWarn, m_ui.fxgGAS, FaultsOf(*m_objects, ResultTable::Gas));
    PlotGas(*m_ui.plotGas, prs, gas);
    SetOutputMenus(true);
}

void frmMain::PrepareWaterGrid() {
    m_ui.plotWater->Clear();
    ClearFaults(m_ui.lblWaterWarn);
    m_util->FXG(m_ui.fxgWater);
    m_util->fxgINIT(7, 500);
    m_util->fxgColCap(1, QStringLiteral("Pressure (psia)"), 1000);
    m_util->fxgColCap(2, QStringLiteral("Vol Fact (rb/stb)"), 1100);
    m_util->fxgColCap(3, QStringLiteral("GOR (scf/stb)"), 1100);
    m_util->fxgColCap(4, QStringLiteral("Viscosity (cp)"), 1100);
    m_util->fxgColCap(5, QStringLiteral("Compress (psi-1)"), 1100);
    m_util->fxgColCap(6, QStringLiteral("Density (lb/ft3)"), 1100);
}

void frmMain::FillWaterTable() {
    const clsPrs& prs = m_objects->Prs;
    const clsWater& water = m_objects->Water;
    SetText(m_ui.txtPPMo, QString::number(water.PPM()));
    SetText(m_ui.txtPERo, Fixed(water.PER(), 1));
    SetText(m_ui.txtSTDWout, Fixed(water.STDenWat(), 3));
    SetText(m_ui.txtResTfW, Fixed(m_objects->Fluid.ResTf(), 1));
    for (std::int16_t i = 1; i <= prs.NPRSo(); ++i) {
        m_ui.fxgWater->AddItem(
            RowText({Fixed(prs.GetPRSo(i), 1), Fixed(water.GetBW(i), 4), Fixed(water.GetRSW(i), 1),
                     Fixed(water.GetMUW(i), 3), Fixed(water.GetCW(i), 7), Fixed(water.GetRHOW(i), 1)}),
            i);
    }
    m_ui.fxgWater->setToolTip(CorrelationTip(WaterCorrelations(*m_objects)));
    ShowFaults(m_ui.lblWaterWarn, m_ui.fxgWater, FaultsOf(*m_objects, ResultTable::Water));
    PlotWater(*m_ui.plotWater, prs, water);
    SetOutputMenus(true);
}

// One table of the rock in a grid with its span heading and its system's caption.
void frmMain::FillRockGrid(const clsRock& rock, FlexGrid* grid, SpanHeading* heading, QLabel* caption) {
    const QColor buttonFace = grid->palette().color(QPalette::Button);
    m_util->FXG(grid);
    caption->setText(QString::fromLatin1(RockFluidsText(rock)));
    // With a capillary-pressure model the table's Pc (psi) is a last column of its own.
    const bool pc = rock.HasPc();
    std::vector<std::pair<std::pair<int, int>, QString>> spans;
    auto capillary = [&](int column, const QString& name, int width) {
        if (!pc) return;
        m_util->fxgColCap(column, name, width);
        spans.push_back({{column, column}, QStringLiteral("Capillary")});
    };
    if (rock.Fluids() == 0 || rock.Fluids() == 3) {
        // Oil-water, or gas-water with gas in the place of oil.
        const bool gasWater = rock.Fluids() == 3;
        const QString other = gasWater ? QStringLiteral("Gas") : QStringLiteral("Oil");
        const int decimals = gasWater ? 4 : 2;
        m_util->fxgINIT(pc ? 7 : 6, 500);
        m_util->fxgColCap(1, QStringLiteral("Water"), 1300);
        m_util->fxgColCap(2, other, 1300);
        m_util->fxgColCap(3, QStringLiteral(" "), 300);
        m_util->fxgColCap(4, QStringLiteral("Water"), 1300);
        m_util->fxgColCap(5, other, 1300);
        spans = {{{1, 2}, QStringLiteral("Saturations")}, {{4, 5}, QStringLiteral("Relative Permeability")}};
        capillary(6, gasWater ? QStringLiteral("Pcgw (psi)") : QStringLiteral("Pcow (psi)"), 1300);
        heading->SetSpans(spans);
        for (std::int16_t i = 1; i <= rock.NWet(); ++i) {
            QStringList cells{Fixed(rock.GetSWet(i), decimals), Fixed(rock.GetSNWet(i), decimals),
                              QStringLiteral(" "), Fixed(rock.GetKRWat(i), 4),
                              Fixed(gasWater ? rock.GetKRGas(i) : rock.GetKROil(i), 4)};
            if (pc) cells << Fixed(rock.GetPC(i), 3);
            grid->AddItem(RowText(cells), i);
            grid->SetCellBackColor(i, 3, buttonFace);
        }
    }
    if (rock.Fluids() == 1) {
        m_util->fxgINIT(pc ? 8 : 7, 500);
        m_util->fxgColCap(1, QStringLiteral("Gas"), 1000);
        m_util->fxgColCap(2, QStringLiteral("Soil"), 1000);
        m_util->fxgColCap(3, QStringLiteral("Swater"), 1000);
        m_util->fxgColCap(4, QStringLiteral(" "), 300);
        m_util->fxgColCap(5, QStringLiteral("Gas"), 1000);
        m_util->fxgColCap(6, QStringLiteral("Oil"), 1000);
        spans = {{{1, 3}, QStringLiteral("Saturations")}, {{5, 6}, QStringLiteral("Relative Permeability")}};
        capillary(7, QStringLiteral("Pcog (psi)"), 1000);
        heading->SetSpans(spans);
        for (std::int16_t i = 1; i <= rock.NWet(); ++i) {
            QStringList cells{Fixed(rock.GetSNWet(i), 4), Fixed(rock.GetSWet(i) - rock.SWC(), 2),
                              Fixed(rock.SWC(), 2),       QStringLiteral(" "),
                              Fixed(rock.GetKRGas(i), 4), Fixed(rock.GetKROil(i), 4)};
            if (pc) cells << Fixed(rock.GetPC(i), 3);
            grid->AddItem(RowText(cells), i);
            grid->SetCellBackColor(i, 4, buttonFace);
        }
    }
}

void frmMain::ComputeRockTable() {
    BusyCursor busy;
    m_state.SettingsInUse = true;
    ClearFaults(m_ui.lblRockWarn);
    ClearFaults(m_ui.lblRockNote);
    if (auto failure = RunRockTable(*m_objects)) {
        ShowCalcFailure(failure->stage, Q(failure->text));
        return;
    }
    const clsRock& rock = m_objects->Rock;
    SetText(m_ui.txtDispOut, QString::fromLatin1(RockDisplacementText(rock)));
    SetText(m_ui.txtLithOut, QString::fromLatin1(RockLithologyText(rock)));
    SetText(m_ui.txtCORROut, QString::fromLatin1(RockCorrelationText(rock)));

    const std::vector<const clsRock*> tables = rock.Tables();
    FlexGrid* grid = m_ui.fxgRock;
    FillRockGrid(*tables.front(), grid, m_ui.hdgRock, m_ui.lblRockProp);
    m_ui.fraRock2->setVisible(tables.size() > 1);
    if (tables.size() > 1) {
        FillRockGrid(*tables[1], m_ui.fxgRock2, m_ui.hdgRock2, m_ui.lblRockProp2);
        PlotRock(*m_ui.plotRock2, *tables[1]);
    }
    if (tables.front()->HasPc()) WidenForAllColumns(grid);
    grid->setToolTip(CorrelationTip(RockCorrelations(*m_objects)));
    ShowFaults(m_ui.lblRockWarn, grid, FaultsOf(*m_objects, ResultTable::Rock));
    if (const auto note = HonarpourNotApplied(rock)) {
        m_ui.lblRockNote->setText(QStringLiteral("\u26A0 ") + Q(*note));
        m_ui.lblRockNote->setVisible(true);
    } else {
        ClearFaults(m_ui.lblRockNote);
    }
    PlotRock(*m_ui.plotRock, *tables.front());
    SetOutputMenus(true);
}

// ---------------------------------------------------------------------------------------------
// Building the result tabs

namespace {

// A one-line warning beside or above a result grid: dark red on a pale ground, hidden until a
// table has something to say.
QLabel* WarningLine(const QString& name) {
    auto* label = new QLabel;
    label->setObjectName(name);
    label->setStyleSheet(QStringLiteral("QLabel { color: #8b0000; background: #fff2cc; padding: 2px; }"));
    // A long line wraps within the window's width: it never widens the window.
    label->setWordWrap(true);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Minimum);
    label->setVisible(false);
    return label;
}

} // namespace

void BuildFluidPropsTab(TabBuilder& b, MainControls& ui) {
    ui.sstFluid = new QTabWidget;
    ui.sstFluid->setObjectName(QStringLiteral("sstFluid"));

    // A result page: title, a row of captioned output boxes, the headings and the grid.
    auto resultPage = [&b](const char* name, const QString& title,
                           const std::vector<std::tuple<QLineEdit**, const char*, QString, QString>>& outputs,
                           QLabel*& warning, FlexGrid*& grid, const char* gridName, SpanHeading** heading,
                           PlotPane*& plot, int charts, QWidget* beside = nullptr) {
        auto* page = new QWidget;
        page->setObjectName(QString::fromLatin1(name));
        auto* layout = new QVBoxLayout(page);
        auto* titleLabel = TabBuilder::Label(title);
        QFont f = titleLabel->font();
        f.setBold(true);
        f.setPointSizeF(f.pointSizeF() * 1.15);
        titleLabel->setFont(f);
        layout->addWidget(titleLabel);
        auto* boxes = new QGridLayout;
        int col = 0;
        for (const auto& [box, boxName, caption, unit] : outputs) {
            *box = b.OutBox(QString::fromLatin1(boxName), 10);
            auto* captionLabel = TabBuilder::Label(caption);
            captionLabel->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
            boxes->addWidget(captionLabel, 0, col, Qt::AlignHCenter | Qt::AlignBottom);
            boxes->addWidget(*box, 1, col, Qt::AlignHCenter);
            auto* unitLabel = TabBuilder::Label(unit);
            unitLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            boxes->addWidget(unitLabel, 2, col, Qt::AlignHCenter | Qt::AlignTop);
            ++col;
        }
        if (beside) boxes->addWidget(beside, 0, col++, 3, 1, Qt::AlignLeft | Qt::AlignVCenter);
        boxes->setColumnStretch(col, 1);
        layout->addLayout(boxes);
        warning = WarningLine(QStringLiteral("lbl") + QString::fromLatin1(gridName).mid(3) +
                              QStringLiteral("Warn"));
        layout->addWidget(warning);
        grid = new FlexGrid;
        grid->setObjectName(QString::fromLatin1(gridName));
        SpanHeading* spans = nullptr;
        if (heading) {
            *heading = spans = new SpanHeading(grid);
            (*heading)->setObjectName(QStringLiteral("hdg") + QString::fromLatin1(gridName).mid(3));
        }
        plot = new PlotPane(charts);
        layout->addWidget(GridBesidePlot(spans, grid, plot), 1);
        return page;
    };

    QWidget* waterPage = resultPage(
        "tabFluidWater", QStringLiteral("Water Properties"),
        {{&ui.txtPERo, "txtPERo", QStringLiteral("Weight % Solids"), QString()},
         {&ui.txtPPMo, "txtPPMo", QStringLiteral("Dissolved Solids"), QStringLiteral("(ppm)")},
         {&ui.txtSTDWout, "txtSTDWout", QStringLiteral("Tank Water Den"), QStringLiteral("(lb/scf)")},
         {&ui.txtResTfW, "txtResTfW", QStringLiteral("Reservoir Temp"), QStringLiteral("(F)")}},
        ui.lblWaterWarn, ui.fxgWater, "fxgWater", nullptr, ui.plotWater, 2);
    QWidget* gasPage = resultPage(
        "tabFluidGas", QStringLiteral("Gas Properties"),
        {{&ui.txtGGout, "txtGGout", QStringLiteral("Gas Gravity"), QStringLiteral("(air = 1.0)")},
         {&ui.txtResTout, "txtResTout", QStringLiteral("Reservoir Temp"), QStringLiteral("(F)")},
         {&ui.txtPC, "txtPC", QStringLiteral("Critical Pressure"), QStringLiteral("(psia)")},
         {&ui.txtTC, "txtTC", QStringLiteral("Critical Temperature"), QStringLiteral("(R)")},
         {&ui.txtPTRout, "txtPTRout", QStringLiteral("Pseudo-Temp"), QString()},
         {&ui.txtGSTDout, "txtGSTDout", QStringLiteral("Tank Gas Den"), QStringLiteral("(lb/scf)")}},
        ui.lblGASWarn, ui.fxgGAS, "fxgGAS", nullptr, ui.plotGas, 3);
    // The laboratory match: the scale on the correlation's pressure, the factor k on the oil's
    // expansion Bo - 1 and the factor on every oil viscosity.
    ui.fraOilMatch = TabBuilder::Frame(QStringLiteral(" Laboratory Match "), QStringLiteral("fraOilMatch"));
    auto* ml = new QGridLayout(ui.fraOilMatch);
    ml->setContentsMargins(6, 2, 6, 2);
    const std::tuple<QLineEdit**, const char*, const char*> factors[3] = {
        {&ui.txtMatchPScale, "txtMatchPScale", "Pressure Scale"},
        {&ui.txtMatchBoK, "txtMatchBoK", "Bo Factor k"},
        {&ui.txtMatchMuF, "txtMatchMuF", "Viscosity Factor"}};
    int factorCol = 0;
    for (const auto& [box, boxName, caption] : factors) {
        *box = b.OutBox(QString::fromLatin1(boxName), 10);
        ml->addWidget(TabBuilder::Label(QString::fromLatin1(caption)), 0, factorCol, Qt::AlignHCenter);
        ml->addWidget(*box, 1, factorCol, Qt::AlignHCenter);
        ++factorCol;
    }
    ui.fraOilMatch->setVisible(false);
    QWidget* oilPage = resultPage(
        "tabFluidOil", QStringLiteral("Oil Properties"),
        {{&ui.txtPBPout, "txtPBPout", QStringLiteral("Bubble Point"), QStringLiteral("(psia)")},
         {&ui.txtCatPbp, "txtCatPbp", QStringLiteral("Compress @Pbp"), QStringLiteral("(psi)")},
         {&ui.txtSTDOout, "txtSTDOout", QStringLiteral("Tank Oil Den"), QStringLiteral("(lb/scf)")},
         {&ui.txtRSISEPout, "txtRSISEPout", QStringLiteral("GOR Sep"), QStringLiteral("(scf/stb)")},
         {&ui.txtRSITANKout, "txtRSITANKout", QStringLiteral("GOR Tank"), QString()},
         {&ui.txtRSIout, "txtRSIout", QStringLiteral("Initial GOR"), QString()}},
        ui.lblUOilWarn, ui.fxgUOil, "fxgUOil", &ui.hdgUOil, ui.plotOil, 3, ui.fraOilMatch);
    ui.sstFluid->addTab(waterPage, QStringLiteral("Water"));
    ui.sstFluid->addTab(gasPage, QStringLiteral("Gas"));
    ui.sstFluid->addTab(oilPage, QStringLiteral("Oil"));

    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabFluidProps"));
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(ui.sstFluid);
    ui.sstMain->addTab(page, QStringLiteral("Fluid Properties"));
}

void BuildRockPropsTab(TabBuilder& b, MainControls& ui) {
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("tabRockProps"));
    auto* layout = new QVBoxLayout(page);
    auto* input =
        TabBuilder::Frame(QStringLiteral(" Relative Permeability Input "), QStringLiteral("fraRockCase"));
    auto* il = new QGridLayout(input);
    ui.txtDispOut = b.OutBox(QStringLiteral("txtDispOut"), 10);
    ui.txtLithOut = b.OutBox(QStringLiteral("txtLithOut"), 10);
    ui.txtCORROut = b.OutBox(QStringLiteral("txtCORROut"), 10);
    const std::pair<const char*, QLineEdit*> boxes[3] = {
        {"Displacement", ui.txtDispOut}, {"Lithology", ui.txtLithOut}, {"Correlation Type", ui.txtCORROut}};
    for (int c = 0; c < 3; ++c) {
        boxes[c].second->setAlignment(Qt::AlignLeft);
        il->addWidget(TabBuilder::Label(QString::fromLatin1(boxes[c].first)), 0, c, Qt::AlignHCenter);
        il->addWidget(boxes[c].second, 1, c, Qt::AlignHCenter);
    }
    il->setColumnStretch(3, 1);
    layout->addWidget(input);
    ui.lblRockProp = TabBuilder::Label(QString(), QStringLiteral("lblRockProp"));
    QFont f = ui.lblRockProp->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.15);
    ui.lblRockProp->setFont(f);
    auto* caption = new QHBoxLayout;
    caption->addWidget(ui.lblRockProp);
    ui.lblRockNote = WarningLine(QStringLiteral("lblRockNote"));
    caption->addWidget(ui.lblRockNote, 1);
    layout->addLayout(caption);
    ui.lblRockWarn = WarningLine(QStringLiteral("lblRockWarn"));
    layout->addWidget(ui.lblRockWarn);
    ui.fxgRock = new FlexGrid;
    ui.fxgRock->setObjectName(QStringLiteral("fxgRock"));
    ui.hdgRock = new SpanHeading(ui.fxgRock);
    ui.hdgRock->setObjectName(QStringLiteral("hdgRock"));
    // The kr chart; a chart of the capillary pressure under it shows only with a model chosen.
    ui.plotRock = new PlotPane(2);
    ui.plotRock->View(1)->setVisible(false);
    layout->addWidget(GridBesidePlot(ui.hdgRock, ui.fxgRock, ui.plotRock), 1);
    ui.fraRock2 = new QWidget;
    ui.fraRock2->setObjectName(QStringLiteral("fraRock2"));
    auto* second = new QVBoxLayout(ui.fraRock2);
    second->setContentsMargins(0, 0, 0, 0);
    ui.lblRockProp2 = TabBuilder::Label(QString(), QStringLiteral("lblRockProp2"));
    ui.lblRockProp2->setFont(f);
    second->addWidget(ui.lblRockProp2);
    ui.fxgRock2 = new FlexGrid;
    ui.fxgRock2->setObjectName(QStringLiteral("fxgRock2"));
    ui.hdgRock2 = new SpanHeading(ui.fxgRock2);
    ui.hdgRock2->setObjectName(QStringLiteral("hdgRock2"));
    ui.plotRock2 = new PlotPane(1);
    second->addWidget(GridBesidePlot(ui.hdgRock2, ui.fxgRock2, ui.plotRock2), 1);
    ui.fraRock2->setVisible(false);
    layout->addWidget(ui.fraRock2, 1);
    ui.sstMain->addTab(page, QStringLiteral("Rock Properties"));
}

} // namespace q7

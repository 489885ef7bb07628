// How quickly the workstation answers, measured through its real widgets offscreen:
//  - selecting "Fluid Properties" with oil, gas and water present and the longest pressure list a
//    user can type (18 pressures; the schedule adds the bubble point), from the tab change until the
//    three grids are filled, and until what the change touched is also laid out and painted
//    (target: under 30 ms), with the inputs as they were and with one changed (the plots of the
//    tab in view drawn anew);
//  - start-up, from creating the main window until it is shown and painted (target: under 1 s).
#include "app/MainControls.h"
#include "app/frmMain.h"
#include "app/tabs/GasTab.h"
#include "app/tabs/OilTab.h"
#include "app/tabs/PhasesTab.h"
#include "app/tabs/PressureTab.h"
#include "app/tabs/RockInputTab.h"
#include "app/tabs/WaterTab.h"
#include "engine/Q7Objects.h"
#include "ui/InputBox.h"
#include "ui/MessageService.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

class CountingMessages final : public q7::MessageService {
public:
    void ShowError(const QString& m, const QString& t) override {
        std::fprintf(stderr, "unexpected error [%s] %s\n", qPrintable(t), qPrintable(m));
        ++errors;
    }
    void ShowInfo(const QString&, const QString&) override {}
    bool AskYesNo(const QString&, const QString&) override { return true; }
    int errors = 0;
};

using Clock = std::chrono::steady_clock;

double Seconds(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double>(to - from).count();
}

// A window with all three phases, the oil tab completed and 18 discrete pressures.
std::unique_ptr<q7::frmMain> FullCase(CountingMessages& messages) {
    qputenv("Q7_DATABASE", "/nonexistent/q7.mdb");
    auto window = std::make_unique<q7::frmMain>(messages);
    window->show();
    QApplication::processEvents();
    const q7::MainControls& ui = window->Controls();
    ui.phases->cbxFPP[1]->click();
    ui.phases->cbxFPP[2]->click();
    ui.pressure->optPRange[1]->click();
    for (int k = 1; k <= 18; ++k)
        ui.pressure->txtP[k]->setText(QString::number(500 + 300 * k));
    ui.oil->cmdCalcPbp->click();
    ui.oil->cmdProceed->click();
    return window;
}

// `changed`: an input differs at every visit (the highest pressure), so that the plots beside the
// grids are drawn anew rather than kept.
void BM_FluidPropertiesTab(benchmark::State& state, bool paint, bool changed) {
    CountingMessages messages;
    auto window = FullCase(messages);
    const q7::MainControls& ui = window->Controls();
    int visit = 0;
    for (auto _ : state) {
        ui.sstMain->setCurrentIndex(q7::kTabPhases);
        if (changed) ui.pressure->txtP[18]->setText(QString::number(5900 + (++visit % 2) * 50));
        QApplication::processEvents();
        const auto start = Clock::now();
        ui.sstMain->setCurrentIndex(q7::kTabFluidProps);
        if (paint) {
            // The pending paint of what the tab change touched; the plots draw once the
            // computation is over and lay themselves out after that, hence a second pass.
            QApplication::sendPostedEvents();
            QApplication::processEvents();
            QApplication::sendPostedEvents();
            QApplication::processEvents();
        }
        state.SetIterationTime(Seconds(start, Clock::now()));
    }
    const auto rows = window->Objects().Prs.NPRSo();
    state.counters["rows"] = rows;
    if (messages.errors > 0 || rows < 19) state.SkipWithError("the tables were not computed");
}

void BM_StartupToShownWindow(benchmark::State& state) {
    qputenv("Q7_DATABASE", "/nonexistent/q7.mdb");
    for (auto _ : state) {
        CountingMessages messages;
        const auto start = Clock::now();
        auto window = std::make_unique<q7::frmMain>(messages);
        window->show();
        window->repaint();
        QApplication::processEvents();
        state.SetIterationTime(Seconds(start, Clock::now()));
        state.PauseTiming();
        window.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}

BENCHMARK_CAPTURE(BM_FluidPropertiesTab, TabChangeToFilledGrids, false, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FluidPropertiesTab, TabChangeToPaintedGrids, true, false)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FluidPropertiesTab, ChangedInputToPaintedGridsAndPlots, true, true)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupToShownWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

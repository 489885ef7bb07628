#include "engine/ResultRun.h"

#include "engine/InputChecks.h"
#include "engine/Q7Objects.h"
#include "numeric/Errors.h"
#include "numeric/NumericText.h"

namespace q7 {

namespace {

// A number as a box shows it with `decimals` fixed decimals.
std::string Fixed(float v, std::int16_t decimals) {
    std::string s = Nbr2Str(v, 48, decimals);
    s.erase(0, s.find_first_not_of(' '));
    return s;
}

} // namespace

CalcFailure FailureFrom(CalcStage stage, const std::exception& e) {
    const auto* err = dynamic_cast<const Error*>(&e);
    return CalcFailure{stage, err ? err->kind() : "Error", e.what()};
}

std::optional<StatusMessage> GasStatusMessage(std::int16_t status) {
    switch (status) {
    case 1:
        return StatusMessage{"Viscosity Error", "Temperature out of range!"};
    case 2:
        return StatusMessage{"Viscosity Error", "Derived Pressure out of range!"};
    case 3:
        return StatusMessage{"Viscosity Error", "Derived Z-Factor out of range!"};
    case 4:
        return StatusMessage{"Viscosity Error", "Derived Gas Gravity out of range!"};
    case 5:
        return StatusMessage{"Viscosity Error", "Unknown error!"};
    case 6:
        return StatusMessage{"Real Potential Error", "No convergence!"};
    case 7:
        return StatusMessage{"Real Potential Error", "Unknown error!"};
    default:
        return std::nullopt;
    }
}

std::optional<StatusMessage> GasCompositionProblem(const Q7Objects& objects) {
    const clsGas& gas = objects.Gas;
    if (gas.GasEntry() != "C") return std::nullopt;
    switch (CompositionSumFault(gas.SumGC())) {
    case CompositionSum::Empty:
        return StatusMessage{"Invalid Gas Composition",
                             "Please enter at least one non-zero Gas Composition value."};
    case CompositionSum::AboveOne:
        return StatusMessage{"Invalid Gas Composition", "Gas Composition total greater than 1.0!"};
    case CompositionSum::BelowOne: // computed, with a warning beside the table
    case CompositionSum::Fine:
        break;
    }
    return std::nullopt;
}

FluidTablesResult RunFluidTables(Q7Objects& objects, MessageSink& sink, FluidTablesObserver& observer) {
    FluidTablesResult result;
    const clsFluid& fluid = objects.Fluid;
    CalcStage stage = CalcStage::PressureSchedule;
    try {
        if (fluid.PhaseOil()) {
            // Laboratory bubble point and GOR decide the schedule's bubble-point row.
            stage = CalcStage::Oil;
            objects.Oil.ApplyLabBubblePoint();
            stage = CalcStage::PressureSchedule;
        }
        objects.Prs.BuildPRSo();
        observer.ScheduleBuilt();

        if (fluid.PhaseOil()) {
            stage = CalcStage::Oil;
            observer.OilStarting();
            objects.Oil.CalcOil();
            observer.OilDone();
        }

        if (fluid.PhaseGas() || fluid.PhaseOil()) {
            stage = CalcStage::Gas;
            if (auto problem = GasCompositionProblem(objects)) {
                sink.ShowError(problem->text, problem->title);
                result.gasStopped = true;
                observer.GasStopped();
                return result;
            }
            observer.GasStarting();
            const std::int16_t status = objects.Gas.CalcGas();
            result.gasStatus = status;
            if (status > 0) {
                if (auto message = GasStatusMessage(status)) sink.ShowError(message->text, message->title);
                result.gasStopped = true;
                observer.GasStopped();
                return result;
            }
            observer.GasDone();
        }

        if (fluid.PhaseWater()) {
            stage = CalcStage::Water;
            observer.WaterStarting();
            objects.Water.CalcWater();
            observer.WaterDone();
        }
    } catch (const std::exception& e) {
        result.failure = FailureFrom(stage, e);
        observer.Failed(*result.failure);
    }
    return result;
}

std::optional<CalcFailure> RunRockTable(Q7Objects& objects) {
    try {
        objects.Rock.CalcRock();
    } catch (const std::exception& e) {
        return FailureFrom(CalcStage::Rock, e);
    }
    return std::nullopt;
}

OilBoxes CalcPbp(clsOil& oil, const std::string& rsi) {
    OilBoxes boxes;
    boxes.rsi = rsi;
    oil.SetRsi(boxes.rsi);
    const clsOil::GivenPair given = oil.Given();
    boxes.bpp = Fixed(oil.Pbp(), 1);
    oil.SetPbp(boxes.bpp);
    oil.Given(given);
    return boxes;
}

OilBoxes CalcRsi(clsOil& oil, const std::string& bpp) {
    OilBoxes boxes;
    boxes.bpp = bpp;
    oil.SetPbp(boxes.bpp);
    const clsOil::GivenPair given = oil.Given();
    boxes.rsi = Fixed(oil.RSI(), 1);
    oil.SetRsi(boxes.rsi);
    oil.Given(given);
    return boxes;
}

OilBoxes PressOilButton(clsOil& oil, const OilPair& given) {
    if (given.rsi || !given.pbp) return CalcPbp(oil, given.rsi ? ExactText(*given.rsi) : Fixed(oil.RSI(), 1));
    return CalcRsi(oil, ExactText(*given.pbp));
}

FluidTablesResult RunFluidProperties(Q7Objects& objects, const OilBoxes& boxes, MessageSink& sink,
                                     FluidTablesObserver& observer) {
    CalcStage stage = CalcStage::PressureSchedule;
    try {
        if (objects.Prs.PrRange() == "R") objects.Prs.BuildPRSi();
        if (objects.Fluid.PhaseOil()) {
            stage = CalcStage::Oil;
            objects.Oil.SetRsi(boxes.rsi);
            const clsOil::GivenPair given = objects.Oil.Given();
            const std::string shown = GeneralForm(objects.Oil.Pbp());
            if (shown != boxes.bpp) objects.Oil.SetPbp(shown);
            observer.BubblePointShown(shown);
            objects.Oil.Given(given);
        }
    } catch (const std::exception& e) {
        FluidTablesResult result;
        result.failure = FailureFrom(stage, e);
        observer.Failed(*result.failure);
        return result;
    }
    return RunFluidTables(objects, sink, observer);
}

void ComputeAsWorkstation(Q7Objects& objects, const OilPair& given, MessageSink& sink, CaseOutcome& outcome) {
    // The oil tab's button, then "Fluid Properties" and "Rock Properties".
    OilBoxes boxes;
    if (objects.Fluid.PhaseOil()) {
        try {
            boxes = PressOilButton(objects.Oil, given);
        } catch (const std::exception& e) {
            outcome.error = FailureFrom(CalcStage::Oil, e);
            // The fluid side ends here; the rock table is computed all the same.
            if (auto failure = RunRockTable(objects); failure && !outcome.error) outcome.error = failure;
            return;
        }
    }
    ComputeAsWorkstation(objects, boxes, sink, outcome);
}

void ComputeAsWorkstation(Q7Objects& objects, const OilBoxes& boxes, MessageSink& sink,
                          CaseOutcome& outcome) {
    FluidTablesObserver none;
    const FluidTablesResult r = RunFluidProperties(objects, boxes, sink, none);
    outcome.gasStatus = r.gasStatus;
    if (r.failure) outcome.error = r.failure;
    if (auto failure = RunRockTable(objects); failure && !outcome.error) outcome.error = failure;
}

} // namespace q7

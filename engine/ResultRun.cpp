#include "engine/ResultRun.h"

#include "engine/Errors.h"
#include "engine/InputChecks.h"
#include "engine/Q7Objects.h"

namespace q7 {

CalcFailure FailureFrom(const std::string& stage, const std::exception& e) {
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
    std::string stage = "Pressure Schedule Error";
    try {
        if (fluid.PhaseOil()) {
            // Laboratory bubble point and GOR decide the schedule's bubble-point row.
            stage = "Oil Properties Error";
            objects.Oil.ApplyLabBubblePoint();
            stage = "Pressure Schedule Error";
        }
        objects.Prs.BuildPRSo();
        observer.ScheduleBuilt();

        if (fluid.PhaseOil()) {
            stage = "Oil Properties Error";
            observer.OilStarting();
            objects.Oil.CalcOil();
            observer.OilDone();
        }

        if (fluid.PhaseGas() || fluid.PhaseOil()) {
            stage = "Gas Properties Error";
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
            stage = "Water Properties Error";
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
        return FailureFrom("Rock Properties Error", e);
    }
    return std::nullopt;
}

} // namespace q7

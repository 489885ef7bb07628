#pragma once
// The computations behind the two result tabs, shared by the workstation and the batch tool.
// "Fluid Properties": the schedule, the oil table, the composition checks and the gas table with its
// status message, then the water table. "Rock Properties": the relative-permeability table.
// The form keeps what only it can do (texts, grids, sub-tabs) in the observer's hooks.
#include "engine/MessageSink.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

namespace q7 {

struct Q7Objects;

// An error a calculation raised instead of reporting it: the calculation's title
// ("Gas Properties Error"), the kind of failure and its text.
struct CalcFailure {
    std::string stage;
    std::string kind;
    std::string text;
};

// A raised error as a failure of the calculation titled `stage`.
CalcFailure FailureFrom(const std::string& stage, const std::exception& e);

// Title and message the workstation shows for a non-zero CalcGas status; empty for statuses above 7.
struct StatusMessage {
    std::string title;
    std::string text;
};
std::optional<StatusMessage> GasStatusMessage(std::int16_t status);

// The check of a composition-entered gas before its table is computed; nothing when it passes.
std::optional<StatusMessage> GasCompositionProblem(const Q7Objects& objects);

class FluidTablesObserver {
public:
    virtual ~FluidTablesObserver() = default;
    virtual void ScheduleBuilt() {} // the output schedule exists: set up the sub-tabs
    virtual void OilStarting() {}   // before CalcOil: prepare the oil grid
    virtual void OilDone() {}       // after CalcOil (also when it reported a failure)
    virtual void GasStarting() {}   // the composition passed: prepare the gas grid
    virtual void GasDone() {}       // status 0
    virtual void GasStopped() {}    // a composition problem or a non-zero status: back to "Gas Input"
    virtual void WaterStarting() {}
    virtual void WaterDone() {}
    virtual void Failed(const CalcFailure&) {} // a raised error ended the computation
};

struct FluidTablesResult {
    std::optional<std::int16_t> gasStatus; // set when CalcGas ran to a status
    bool gasStopped = false;               // a composition problem or a non-zero status
    std::optional<CalcFailure> failure;    // a raised error ended the computation
};

// From the output schedule on: BuildPRSo, CalcOil (oil present), the composition checks and
// CalcGas (gas or oil present), CalcWater (water present, unless the gas step stopped). Reported
// problems go to `sink`; a raised error stops the run and is returned with its stage.
FluidTablesResult RunFluidTables(Q7Objects& objects, MessageSink& sink, FluidTablesObserver& observer);

// CalcRock; a raised error is returned titled "Rock Properties Error".
std::optional<CalcFailure> RunRockTable(Q7Objects& objects);

} // namespace q7

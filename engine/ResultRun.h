#pragma once
// The computations behind the two result tabs, shared by the workstation and the batch tool.
// "Fluid Properties": the schedule, the oil table, the composition checks and the gas table with its
// status message, then the water table. "Rock Properties": the relative-permeability table.
// The form keeps what only it can do (texts, grids, sub-tabs) in the observer's hooks.
// Also the oil tab's two buttons and the whole computation of a case as the workstation's tabs make
// it, which the batch tool and the several-projects export run on their own objects.
#include "engine/CalcStage.h"
#include "engine/MessageSink.h"
#include "engine/Q7Objects.h"

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace q7 {

// An error a calculation raised instead of reporting it: the calculation's stage (its title is
// StageTitle(stage), "Gas Properties Error"), the kind of failure and its text.
struct CalcFailure {
    CalcStage stage = CalcStage::CaseInput;
    std::string kind;
    std::string text;

    const char* Title() const { return StageTitle(stage); }
};

// A raised error as a failure of `stage`.
CalcFailure FailureFrom(CalcStage stage, const std::exception& e);

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
    // The bubble point the GOR box gives, in the general form, for the bubble-point box (the object
    // has taken it already when it differs from the box's text).
    virtual void BubblePointShown(const std::string& /*text*/) {}
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

// CalcRock; a raised error is returned as a failure of the rock stage.
std::optional<CalcFailure> RunRockTable(Q7Objects& objects);

// The oil tab's linked boxes, initial GOR (txtRSI) and bubble point (txtBPP), as the texts they hold.
struct OilBoxes {
    std::string rsi;
    std::string bpp;
};

// "Calc Pbp": the GOR box's text to the object, and the bubble point it gives (one decimal) into its
// box, which the object takes as typed. "Calc Rsi" the other way round. Both return the boxes.
OilBoxes CalcPbp(clsOil& oil, const std::string& rsi);
OilBoxes CalcRsi(clsOil& oil, const std::string& bpp);

// The oil pair as a case or a stored project gives it (InitGO and BPP; nullopt: not given).
struct OilPair {
    std::optional<float> rsi;
    std::optional<float> pbp;
};

// The button a given pair presses: "Calc Pbp" with the GOR when one is given, or when neither is
// (then with the GOR the object holds, as its box shows it); "Calc Rsi" with a bubble point alone.
OilBoxes PressOilButton(clsOil& oil, const OilPair& given);

// What selecting "Fluid Properties" does: the typed schedule from the range, and with oil the GOR
// box's text to the object and the bubble point it gives shown in the bubble-point box (which
// gives it to the object when the box's text changes); then RunFluidTables.
FluidTablesResult RunFluidProperties(Q7Objects& objects, const OilBoxes& boxes, MessageSink& sink,
                                     FluidTablesObserver& observer);

// How a computation ended: the gas status, what went through the sink, the first raised error.
struct CaseOutcome {
    std::optional<std::int16_t> gasStatus;
    std::vector<StatusMessage> messages; // what went through ShowError, in order
    std::optional<CalcFailure> error;    // the first error raised instead of reported
};

// The objects' inputs computed as the workstation's tabs compute them: the oil tab's button for
// the given pair (oil present), "Fluid Properties", then "Rock Properties". A raised error ends its
// stage and the ones after it on the fluid side (the rock table is computed all the same); the
// first is kept in `outcome`, with the gas status. Reported problems go to `sink`.
void ComputeAsWorkstation(Q7Objects& objects, const OilPair& given, MessageSink& sink, CaseOutcome& outcome);
// The same from "Fluid Properties" on, with the oil boxes holding `boxes` (a project as loaded: the
// texts of its stored pair, no button pressed).
void ComputeAsWorkstation(Q7Objects& objects, const OilBoxes& boxes, MessageSink& sink, CaseOutcome& outcome);

// The messages a case reports while it computes, kept to be shown with its name.
class KeptMessages final : public MessageSink {
public:
    void ShowError(const std::string& message, const std::string& title) override {
        messages.push_back(title + ": " + message);
    }
    void ShowInfo(const std::string&, const std::string&) override {}
    std::vector<std::string> messages;
};

// A case (or stored project) computed on its own objects, as one region of a deck.
struct ComputedCase {
    std::string name;
    std::unique_ptr<KeptMessages> sink = std::make_unique<KeptMessages>();
    std::unique_ptr<Q7Objects> objects = std::make_unique<Q7Objects>(*sink);
    CaseOutcome outcome;
};

} // namespace q7

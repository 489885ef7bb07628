#pragma once
// The stages of a computation, each with the title its failure is shown and written under.
namespace q7 {

enum class CalcStage {
    CaseInput,        // reading a case or a stored project into the objects
    PressureSchedule, // the typed list or the range of pressures
    Oil,
    Gas,
    Water,
    Rock,
};

// "Pressure Schedule Error", "Oil Properties Error", …: the texts the windows and the summaries show.
constexpr const char* StageTitle(CalcStage stage) {
    switch (stage) {
    case CalcStage::CaseInput:
        return "Case Input Error";
    case CalcStage::PressureSchedule:
        return "Pressure Schedule Error";
    case CalcStage::Oil:
        return "Oil Properties Error";
    case CalcStage::Gas:
        return "Gas Properties Error";
    case CalcStage::Water:
        return "Water Properties Error";
    case CalcStage::Rock:
        return "Rock Properties Error";
    }
    return "Error";
}

} // namespace q7

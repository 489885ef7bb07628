#pragma once
// The "Phases Present" tab: the phases, the standard conditions and the reservoir temperature.
#include "app/tabs/InputTab.h"

#include <array>

class QCheckBox;

namespace q7 {

class PhasesTab final : public InputTab {
    Q_OBJECT
public:
    explicit PhasesTab(const TabContext& context);
    void ShowValues() override;

    std::array<QCheckBox*, 3> cbxFPP{};
    InputBox* txtStdP = nullptr;
    InputBox* txtStdT = nullptr;
    OptionPair optStdTU{};
    InputBox* txtResT = nullptr;
    OptionPair optResTU{};

signals:
    // A phase was ticked or cleared (the objects hold the new phases).
    void phasesChanged();

private:
    void PhaseClick(int i, bool ticked);
};

} // namespace q7

#pragma once
// The "Pressure Input" tab: a pressure range or up to clsPrs::kMaxTyped discrete pressures.
#include "app/tabs/InputTab.h"
#include "engine/clsPrs.h"

#include <array>

namespace q7 {

class PressureTab final : public InputTab {
    Q_OBJECT
public:
    // The discrete pressures a user can type (txtP(1)..txtP(kPressures)).
    static constexpr int kPressures = clsPrs::kMaxTyped;

    explicit PressureTab(const TabContext& context);
    void ShowValues() override;
    // The discrete boxes show the list the objects hold (on selecting the tab in discrete mode).
    void ShowTypedList();
    // True while a cleared box's followers move up one place.
    bool Shifting() const { return m_shifting; }

    OptionPair optPRange{};
    InputBox* txtMinP = nullptr;
    InputBox* txtInitP = nullptr;
    InputBox* txtMaxP = nullptr;
    std::array<InputBox*, kPressures + 1> txtP{}; // [1..kPressures]

private:
    void PressureModeClick(int i);
    void DiscretePressureChange(int k);
    void DiscretePressureLeft(int k);
    void StorePressureList();

    bool m_shifting = false;
};

} // namespace q7

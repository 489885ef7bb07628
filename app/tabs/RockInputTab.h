#pragma once
// The "Rock Input" tab: the fluids, displacement, lithology, wettability and correlation, the
// saturations and the exponents of the correlation.
#include "app/tabs/InputTab.h"

namespace q7 {

class RockInputTab final : public InputTab {
    Q_OBJECT
public:
    explicit RockInputTab(const TabContext& context);
    void ShowValues() override;

    OptionPair optRock{};
    OptionPair optType{};
    OptionPair optLith{};
    OptionPair optWet{};
    OptionPair optCorr{};
    InputBox* txtSWC = nullptr;
    InputBox* txtSORW = nullptr;
    QLabel* lblSORW = nullptr;
    InputBox* txtSORG = nullptr;
    QLabel* lblSORG = nullptr;
    InputBox* txtSGCrit = nullptr;
    QLabel* lblSGCrit = nullptr;
    InputBox* txtK = nullptr;
    QLabel* lblK = nullptr;
    InputBox* txtN = nullptr;
    QLabel* lblN = nullptr;
    InputBox* txtHRPoro = nullptr;
    QLabel* lblHRPoro = nullptr;
    InputBox* txtHRAir = nullptr;
    QLabel* lblHRAir = nullptr;
    QLabel* lblMD = nullptr;
    InputBox* txtHRKrg = nullptr;
    QLabel* lblHRKrg = nullptr;
    QLabel* lblSORGU = nullptr;

private:
    void RefreshRockInputs();
    void RefreshCorrelationInputs();
    void RefreshWettability();
};

} // namespace q7

#pragma once
// The "Gas Input" tab: gravity and inerts, or the composition with its plus fraction.
#include "app/tabs/InputTab.h"
#include "engine/clsGas.h"

#include <array>

class QCheckBox;
class QPushButton;

namespace q7 {

class GasTab final : public InputTab {
    Q_OBJECT
public:
    static constexpr int kComponents = clsGas::kComponents;
    static constexpr int kPlusRows = clsGas::kPlusRows;

    explicit GasTab(const TabContext& context);
    void ShowValues() override;

    OptionPair optGasEntry{};
    InputBox* txtGasGrav = nullptr;
    InputBox* txtMFN = nullptr;
    InputBox* txtMFCO2 = nullptr;
    InputBox* txtMFHS = nullptr;
    std::array<InputBox*, kComponents + 1> txtGC{};  // [1..kComponents]
    std::array<QCheckBox*, kPlusRows + 1> chkPLUS{}; // [1..kPlusRows]
    QLineEdit* txtGCTotal = nullptr;
    QPushButton* cmdNormal = nullptr;
    QGroupBox* fraPLUS = nullptr;
    InputBox* txtPLUSmw = nullptr;
    InputBox* txtPLUSgg = nullptr;

private:
    void GasEntryClick(int i);
    void PlusClick(int k, bool ticked);
    void CompositionChange(int k);
    void NormalizeClick();
};

} // namespace q7

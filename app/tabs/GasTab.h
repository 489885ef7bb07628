#pragma once
// The "Gas Input" tab: gravity and inerts, or the composition with its plus fraction.
#include "app/tabs/InputTab.h"
#include "engine/clsGas.h"

#include <array>

class QCheckBox;
class QComboBox;
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
    // The Z-factor correlation and the pseudo-criticals of a gravity (a composition gives its own by
    // Kay's rule).
    QGroupBox* fraGasCorrelations = nullptr;
    QComboBox* cboCorrZ = nullptr;
    QComboBox* cboCorrPseudo = nullptr;

private:
    void GasEntryClick(int i);
    void PlusClick(int k, bool ticked);
    void CompositionChange(int k);
    void NormalizeClick();
};

} // namespace q7

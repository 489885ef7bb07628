#pragma once
// The "Rock Input" tab: the fluids, displacement, lithology, wettability and correlation, the
// saturations and the exponents of the correlation, the LET parameters and the capillary-pressure
// model of the table's system with its parameters.
#include "app/tabs/InputTab.h"

#include <vector>

class QComboBox;

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

    // The rock's third and fourth systems: both tables from one rock (optRock(2)) and gas-water
    // (optRock(3)).
    QRadioButton* optRockBoth = nullptr;
    QRadioButton* optRockGasWater = nullptr;
    // The third correlation, LET (optCorr(2)), and its frame: L, E, T per phase and the end-point kr.
    QRadioButton* optCorrLET = nullptr;
    QGroupBox* fraLET = nullptr;
    InputBox* txtSatRows = nullptr;
    // The capillary pressure: the model of each system and the boxes of its parameters, each
    // shown only for the system and the model that read it.
    QGroupBox* fraCapillary = nullptr;
    QComboBox* cboPcowModel = nullptr;
    QComboBox* cboPcogModel = nullptr;
    QLabel* lblPcFormula = nullptr;

    // The box of a rock model's key ("PcowJA"); nullptr when there is none.
    InputBox* ModelBox(const std::string& key) const;

private:
    // One line of a frame whose lines show by the fluid system and the chosen model.
    struct ModelRow {
        std::vector<QWidget*> widgets;
        int fluids;      // 0 oil–water, 1 gas–oil, -1 either
        unsigned models; // the capillary-pressure models (a bit per index) that read the line
        bool capillary;  // a capillary-pressure line (else a LET line, shown by the system only)
    };

    void RefreshRockInputs();
    void RefreshCorrelationInputs();
    void RefreshModelRows();

    std::vector<ModelRow> m_modelRows;
    std::vector<InputBox*> m_modelBoxes;
    void RefreshWettability();
};

} // namespace q7

#pragma once
// The "Oil Input" tab: the oil gravity, the separator, the GOR or the bubble point with their
// calculate buttons, and the laboratory data the oil tables are matched to.
#include "app/tabs/InputTab.h"

class QPushButton;

namespace q7 {

class OilTab final : public InputTab {
    Q_OBJECT
public:
    explicit OilTab(const TabContext& context);
    void ShowValues() override;
    // The phases changed: "Calc Pbp" is offered again and "Proceed" waits for it.
    void ResetCalculateButtons();
    // The bubble point a computation found, shown in its box (which stores only its own column).
    void ShowBubblePoint(const QString& text) { ShowComputed(txtBPP, text); }

    InputBox* txtAPI = nullptr;
    InputBox* txtGrav = nullptr;
    InputBox* txtSepGas = nullptr;
    InputBox* txtSepP = nullptr;
    InputBox* txtSepT = nullptr;
    OptionPair optSepTU{};
    InputBox* txtRSI = nullptr;
    InputBox* txtBPP = nullptr;
    QPushButton* cmdCalcPbp = nullptr;
    QPushButton* cmdCalcRsi = nullptr;
    QPushButton* cmdProceed = nullptr;
    // Laboratory data at the bubble point; an empty box is a value not measured.
    QGroupBox* fraLabData = nullptr;
    InputBox* txtLabPb = nullptr;
    InputBox* txtLabRsb = nullptr;
    InputBox* txtLabBob = nullptr;
    InputBox* txtLabMuob = nullptr;

signals:
    // "Proceed": the gas (and water) input and the results may be visited.
    void proceeded();

private:
    void LinkedGravity(InputBox* box, InputBox* partner, const QString& title, bool api);
    void CalcPbpClick();
    void CalcRsiClick();
};

} // namespace q7

#pragma once
// The "Water Input" tab: the salinity in ppm or in weight percent solids.
#include "app/tabs/InputTab.h"

namespace q7 {

class WaterTab final : public InputTab {
    Q_OBJECT
public:
    explicit WaterTab(const TabContext& context);
    void ShowValues() override;

    InputBox* txtPPM = nullptr;
    InputBox* txtPER = nullptr;

private:
    void LinkedSalinity(InputBox* box, InputBox* partner, const QString& title, bool ppm);
};

} // namespace q7

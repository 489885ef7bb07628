#pragma once
// Preparing the result grids: the grid to work on (FXG), clearing it to a header row of a given
// height, and the column captions with their widths. Numbers as text are in numeric/NumericText.h.
#include <QString>

#include <cstdint>

namespace q7 {

class FlexGrid;

class clsUtil {
public:
    FlexGrid* FXG() const { return m_fxg; }
    void FXG(FlexGrid* vNewValue) { m_fxg = vNewValue; }

    // Clears the grid to its header row (hdrHEIGHT twips high) with colsIN columns; the fixed
    // column 0 is 300 twips wide.
    void fxgINIT(std::int16_t colsIN, std::int16_t hdrHEIGHT);
    // Width (twips) and centred, wrapping caption of column colIN.
    void fxgColCap(std::int16_t colIN, const QString& capIN, std::int16_t widIN);

private:
    FlexGrid* m_fxg = nullptr;
};

} // namespace q7

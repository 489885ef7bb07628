#include "app/clsUtil.h"

#include "ui/FlexGrid.h"

namespace q7 {

void clsUtil::fxgINIT(std::int16_t colsIN, std::int16_t hdrHEIGHT) {
    m_fxg->ClearCells();
    m_fxg->SetCols(colsIN);
    m_fxg->SetHeaderHeight(hdrHEIGHT);
    m_fxg->SetColWidth(0, 300);
}

void clsUtil::fxgColCap(std::int16_t colIN, const QString& capIN, std::int16_t widIN) {
    m_fxg->SetColWidth(colIN, widIN);
    // The header cell is centred both ways and wraps within the column (two-line header).
    m_fxg->SetHeaderText(colIN, capIN);
}

} // namespace q7

#include "app/modQ7.h"

#include "app/FlexGrid.h"
#include "engine/Errors.h"
#include "store/clsQ7IO.h"

#include <QLineEdit>

namespace q7 {

const char* ProjectTableName(ProjectTable table) {
    static constexpr std::array<const char*, kProjectTableCount> names = {
        "tblFluidSpec", "tblPressureSpec", "tblOilGravity", "tblGasComp", "tblWater", "tblRock"};
    return names[static_cast<int>(table)];
}

void modQ7::ReleaseCursors() {
    for (auto& cursor : m_cursors) {
        try {
            if (cursor.EditPending()) cursor.CancelUpdate();
        } catch (const Error&) {
            // Releasing a record never fails the caller.
        }
        cursor = Recordset();
    }
}

void modQ7::SelectAllText(QLineEdit* box) {
    box->setSelection(0, static_cast<int>(box->text().size()));
}

void modQ7::SaveField(ProjectTable table, const QString& column, const QVariant& value) {
    SaveFields(table, {{column, value}});
}

void modQ7::SaveFields(ProjectTable table, const std::vector<std::pair<QString, QVariant>>& values) {
    if (!InputEventsOn || !ProjectOpen) return;
    Recordset& rs = Cursor(table);
    try {
        for (const auto& [column, value] : values) {
            const bool emptyText = value.typeId() == QMetaType::QString && value.toString().isEmpty();
            rs.SetValue(column, emptyText ? QVariant(0) : value);
        }
        if (m_io)
            m_io->SaveREC(rs);
        else
            rs.Update();
    } catch (const Error& e) {
        ShowError(QString::fromStdString(e.what()), QStringLiteral("Project Database Error"));
    }
}

void modQ7::HighlightGridRow(FlexGrid& grid, int n, int& lastRow, std::int32_t& key) {
    if (lastRow <= 0) return;
    static const QColor highlight(146, 209, 206);
    const int r = grid.Row();
    for (int c = 1; c <= n; ++c)
        grid.SetCellBackColor(lastRow, c, Qt::white);
    lastRow = r;
    for (int c = 1; c <= n; ++c)
        grid.SetCellBackColor(r, c, highlight);
    if (grid.Col() != n + 1) {
        const QSignalBlocker quiet(&grid);
        grid.SetCurrentCell(r, n + 1);
    }
    key = grid.TextMatrix(r, n + 1).toInt();
}

} // namespace q7

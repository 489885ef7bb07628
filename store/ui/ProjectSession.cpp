#include "store/ui/ProjectSession.h"

#include "numeric/Errors.h"
#include "store/clsQ7IO.h"

namespace q7 {

void ProjectSession::ReleaseCursors() {
    for (auto& cursor : m_cursors) {
        try {
            if (cursor.EditPending()) cursor.CancelUpdate();
        } catch (const Error&) {
            // Releasing a record never fails the caller.
        }
        cursor = Recordset();
    }
}

void ProjectSession::TakeCursors(ProjectTables& tables) {
    const auto records = tables.All();
    static_assert(records.size() == kProjectTableCount);
    for (int t = 0; t < kProjectTableCount; ++t)
        m_cursors[static_cast<std::size_t>(t)] = std::move(*records[static_cast<std::size_t>(t)]);
}

void ProjectSession::SaveField(ProjectTable table, const QString& column, const QVariant& value) {
    SaveFields(table, {{column, value}});
}

void ProjectSession::SaveFields(ProjectTable table, const std::vector<std::pair<QString, QVariant>>& values) {
    if (!InputEventsOn || !ProjectOpen || ProjectReadOnly) return;
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

} // namespace q7

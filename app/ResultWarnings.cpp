#include "app/ResultWarnings.h"

#include "engine/Q7Objects.h"
#include "engine/ValueChecks.h"
#include "ui/FlexGrid.h"
#include "writers/EclipseChecks.h"

#include <QLabel>

namespace q7 {

namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

void AddSimulatorFaults(const Q7Objects& o, const char* keyword, TableFaults& f) {
    const std::vector<std::string> reasons = CheckEclipseTable(o, keyword);
    if (reasons.empty()) return;
    const QString name = QString::fromLatin1(keyword);
    for (const std::string& r : reasons)
        f.reasons << name + QStringLiteral(" would be refused by a simulator: ") + Q(r);
    for (std::int16_t row : EclipseRowsAtFault(o, keyword))
        f.rows[row] << name + QStringLiteral(" as written is refused at this row");
}

void AddValueFaults(const Q7Objects& o, const char* table, TableFaults& f) {
    for (const ValueWarning& w : ImpossibleValuesOf(o, table)) {
        const QString text = QString::fromLatin1(table) + QStringLiteral(": ") + Q(w.text);
        f.reasons << text;
        if (w.row > 0) f.rows[w.row] << Q(w.text);
    }
}

} // namespace

TableFaults FaultsOf(const Q7Objects& o, ResultTable table) {
    TableFaults f;
    switch (table) {
    case ResultTable::Oil:
        if (!o.Oil.GO()) break;
        AddSimulatorFaults(o, "PVDO", f);
        AddSimulatorFaults(o, "PVTO", f);
        if (o.Gas.GO())
            for (const ValueWarning& w : TotalCompressibilityWarnings(o)) {
                f.reasons << QStringLiteral("PVTO: ") + Q(w.text);
                f.rows[w.row] << Q(w.text);
            }
        AddValueFaults(o, "Pressure schedule", f);
        AddValueFaults(o, "Oil", f);
        break;
    case ResultTable::Gas:
        if (!o.Gas.GO()) break;
        AddSimulatorFaults(o, "PVDG", f);
        AddValueFaults(o, "Gas composition", f);
        AddValueFaults(o, "Gas", f);
        break;
    case ResultTable::Water:
        if (!o.Water.GO()) break;
        AddSimulatorFaults(o, "PVTW", f);
        AddValueFaults(o, "Water", f);
        break;
    case ResultTable::Rock:
        if (!o.Rock.GO()) break;
        AddSimulatorFaults(o, o.Rock.Fluids() == 1 ? "SGOF" : "SWOF", f);
        AddValueFaults(o, "Rock", f);
        break;
    }
    return f;
}

void ShowFaults(QLabel* line, FlexGrid* grid, const TableFaults& faults) {
    if (faults.reasons.isEmpty()) {
        ClearFaults(line);
    } else {
        QString text = QStringLiteral("\u26A0 ") + faults.reasons.front();
        if (faults.reasons.size() > 1)
            text += QStringLiteral("  (and %1 more: see the tool tip)").arg(faults.reasons.size() - 1);
        line->setText(text);
        line->setToolTip(faults.reasons.join(QLatin1Char('\n')));
        line->setVisible(true);
    }
    for (auto it = faults.rows.cbegin(); it != faults.rows.cend(); ++it) {
        if (it.key() < 1 || it.key() > grid->rowCount()) continue;
        grid->SetTextMatrix(it.key(), 0, QString::fromLatin1(kFaultMarkText));
        grid->SetCellBackColor(it.key(), 0, kFaultMark);
        if (QTableWidgetItem* cell = grid->item(it.key() - 1, 0))
            cell->setToolTip(it.value().join(QLatin1Char('\n')));
    }
}

void ClearFaults(QLabel* line) {
    line->clear();
    line->setToolTip(QString());
    line->setVisible(false);
}

} // namespace q7

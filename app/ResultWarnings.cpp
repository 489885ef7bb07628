#include "app/ResultWarnings.h"

#include "engine/InputChecks.h"
#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"
#include "engine/RangeWarnings.h"
#include "engine/ValueChecks.h"
#include "store/ProjectTables.h"
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

// The result tables an input's warning belongs above: the conditions and the schedule every fluid
// table, the oil, gas, water and rock inputs their own.
bool InputShownWith(const std::string& key, ResultTable table) {
    const ProjectField* field = FindField(key);
    const std::optional<ProjectTable> group = field ? ProjectTableOf(field->table) : std::nullopt;
    if (group == ProjectTable::Fluid || group == ProjectTable::Pressure) return table != ResultTable::Rock;
    if (group == ProjectTable::Oil || group == ProjectTable::Lab) return table == ResultTable::Oil;
    if (group == ProjectTable::Water) return table == ResultTable::Water;
    if (group == ProjectTable::Rock) return table == ResultTable::Rock;
    return table == ResultTable::Gas; // the gas inputs and the plus fraction
}

// Inputs no PVT engineer would sign: before any symptom in the table.
void AddInputWarnings(const Q7Objects& o, ResultTable table, TableFaults& f) {
    for (const InputWarning& w : InputWarnings(o))
        if (InputShownWith(w.key, table)) f.reasons << Q(w.text);
}

// Inputs outside the data of a correlation the table uses: named before any symptom in the table.
void AddRangeFaults(const Q7Objects& o, const char* table, TableFaults& f) {
    for (const RangeWarning& w : RangeWarningsOf(o, table))
        f.reasons << Q(w.text);
}

} // namespace

TableFaults FaultsOf(const Q7Objects& o, ResultTable table) {
    TableFaults f;
    switch (table) {
    case ResultTable::Oil:
        if (!o.Oil.GO()) break;
        AddInputWarnings(o, ResultTable::Oil, f);
        AddRangeFaults(o, "Oil", f);
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
        AddInputWarnings(o, ResultTable::Gas, f);
        AddRangeFaults(o, "Gas", f);
        AddSimulatorFaults(o, "PVDG", f);
        AddValueFaults(o, "Gas composition", f);
        AddValueFaults(o, "Gas", f);
        break;
    case ResultTable::Water:
        if (!o.Water.GO()) break;
        AddInputWarnings(o, ResultTable::Water, f);
        AddSimulatorFaults(o, "PVTW", f);
        AddValueFaults(o, "Water", f);
        break;
    case ResultTable::Rock:
        if (!o.Rock.GO()) break;
        AddInputWarnings(o, ResultTable::Rock, f);
        if (o.Rock.OilWaterTable()) AddSimulatorFaults(o, "SWOF", f);
        if (o.Rock.GasOilTable()) AddSimulatorFaults(o, "SGOF", f);
        if (o.Rock.GasWaterTable()) {
            AddSimulatorFaults(o, "SWFN", f);
            AddSimulatorFaults(o, "SGFN", f);
        }
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

#pragma once
// What is wrong with a result table, where the engineer looks: a line above the grid naming the
// table and its first fault (every fault on the line's tool tip), and a mark in the fixed column
// of each row at fault. The faults are the tables a simulator would refuse, as the Eclipse export
// would write them, and the values no fluid or rock can have, after the inputs no PVT engineer
// would sign (engine/InputChecks), which come first. Nothing is blocked.
#include <QColor>
#include <QMap>
#include <QStringList>

class QLabel;

namespace q7 {

struct Q7Objects;
class FlexGrid;

enum class ResultTable { Oil, Gas, Water, Rock };

struct TableFaults {
    QStringList reasons; // in order: the inputs' warnings, the simulator's refusals, the impossible values
    QMap<int, QStringList> rows; // grid row (1-based) -> what is wrong there
};

// The faults of one result table as the objects hold it (nothing for a table not computed).
TableFaults FaultsOf(const Q7Objects& objects, ResultTable table);

// The mark of a row at fault: the fixed cell's colour and text.
inline const QColor kFaultMark(255, 190, 150);
inline constexpr char kFaultMarkText[] = "!";

// Sets `line` (hidden when there is nothing) and marks the rows of `grid`.
void ShowFaults(QLabel* line, FlexGrid* grid, const TableFaults& faults);

// Hides the line (a table being recomputed or emptied).
void ClearFaults(QLabel* line);

} // namespace q7

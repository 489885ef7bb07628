#pragma once
// A stored project into the calculation objects, written once for the workstation's form and the
// batch tool: every stored field as its control gives it to the objects (the project fields say
// how), then the pairs that derive each other, as loading a project into the form does.
#include "engine/ProjectFields.h"
#include "engine/ResultRun.h"
#include "store/ProjectTables.h"

#include <QString>
#include <QVariant>

#include <optional>

namespace q7 {

struct Q7Objects;

// The stored value of a field in the project's records; Null for a missing column or a Null value.
QVariant StoredValue(const ProjectTables& tables, const ProjectField& field);

// What saving the objects writes into a stored field's column: a number as the single it is, a
// whole number, flag or option as an integer, a letter or name as text; nothing when the objects
// hold no value for it (the column stays Null).
std::optional<QVariant> ValueToStore(const ProjectField& field, const Q7Objects& objects);

// One stored value given to the objects as the field's control gives it: a flag; an option within
// the field's range (0 or 1 when it gives none); a letter among the field's choices, or a name among
// its words (without regard to case, given as the field spells it); a number as the box shows it.
// A Null leaves the objects' own value, but for a value that may be absent (a laboratory value).
void ApplyStoredField(const ProjectField& field, const QVariant& value, Q7Objects& objects);

// The text a field's box shows for a stored value (FieldText); a Null shows the text a box of a
// list shows when empty ("0"), and nothing in any other box.
QString StoredText(const ProjectField& field, const QVariant& value);

// What loading decided about the pairs: which gravity the other derives (the form shows that one as
// its linked update would), and the oil tab's boxes as the stored pair fills them. A project stores
// the two boxes as "Calc Pbp" or "Calc Rsi" left them; the bubble point reads back in the one
// decimal "Calc Pbp" wrote when it is the one the stored GOR gives, and as stored otherwise (it was
// typed, and "Calc Rsi" gave the GOR).
struct StoredPairs {
    Derived gravity = Derived::Neither;
    OilBoxes oil;
    bool bubblePointTyped = false;
};

// The pairs, after every other field reached the objects: the typed pressures (in that mode), the
// API and specific gravity, with the oil phase the initial GOR and bubble point (ApplyOilPair), the
// salinity in ppm and then in weight percent.
StoredPairs ApplyStoredPairs(const ProjectTables& tables, Q7Objects& objects);

// The whole project into fresh objects: every stored field in column order as its control gives it
// (ApplyStoredField), then ApplyStoredPairs.
StoredPairs ApplyStoredProject(const ProjectTables& tables, Q7Objects& objects);

// A project's records are complete when each of the seven tables has the project's row.
bool StoredProjectComplete(const ProjectTables& tables);

// The project given to fresh objects (ApplyStoredProject) and computed from "Fluid Properties" on
// with the oil boxes it stores (ComputeAsWorkstation), so that a saved case runs as the case does;
// an error raised while the objects take the project is a failure of the case-input stage.
void ComputeStoredProject(const ProjectTables& tables, Q7Objects& objects, MessageSink& sink,
                          CaseOutcome& outcome);

} // namespace q7

#include "store/StoredProject.h"

#include "engine/Q7Objects.h"
#include "numeric/Errors.h"
#include "numeric/NumericText.h"

#include <string>

namespace q7 {

namespace {

const Recordset* TableOf(const ProjectTables& tables, const ProjectField& field) {
    const QString table = QString::fromStdString(field.table);
    for (const Recordset* rs : tables.All())
        if (rs->Table().compare(table, Qt::CaseInsensitive) == 0) return rs;
    return nullptr;
}

// A list's box (txtP(3)) and the fields the pairs give (the boxes that wait for the input events).
bool GivenWithThePairs(const ProjectField& field) {
    static const char* const paired[] = {"API", "SpecGrav", "InitGO", "BPP", "PPMSalinity", "PERSalinity"};
    for (const char* column : paired)
        if (field.column == column) return true;
    return field.box.rfind("txtP(", 0) == 0;
}

std::string Std(const QString& text) {
    return text.toStdString();
}

const float* Single(const QVariant& v, float& out) {
    if (v.isNull()) return nullptr;
    out = static_cast<float>(v.toDouble());
    return &out;
}

// The stored oil pair to the objects (ApplyOilPair), and which box the bubble point was typed in.
void ApplyStoredOilPair(Q7Objects& objects, const float* rsiValue, const float* pbpValue,
                        StoredPairs& pairs) {
    if (rsiValue && pbpValue) {
        try {
            const OilBoxes pressed = CalcPbp(objects.Oil, pairs.oil.rsi);
            if (Str2Nbr(pressed.bpp) == *pbpValue)
                pairs.oil.bpp = pressed.bpp;
            else
                pairs.bubblePointTyped = true;
        } catch (const Error&) {
            // Oil data that give no bubble point: the boxes as stored.
        }
    }
    ApplyOilPair(objects.Oil, rsiValue, pbpValue);
}

} // namespace

QVariant StoredValue(const ProjectTables& tables, const ProjectField& field) {
    const Recordset* rs = TableOf(tables, field);
    const QString column = QString::fromStdString(field.column);
    if (!rs || rs->IsEOF() || rs->ColumnIndex(column) < 0) return {};
    return rs->Value(column);
}

QString StoredText(const ProjectField& field, const QVariant& v) {
    const bool listed = field.box.find('(') != std::string::npos;
    if (v.isNull()) return listed ? QString::fromStdString(FieldText(field, 0.0)) : QString();
    return QString::fromStdString(FieldText(field, v.toDouble()));
}

StoredPairs ApplyStoredPairs(const ProjectTables& tables, Q7Objects& objects) {
    StoredPairs pairs;
    if (objects.Prs.PrRange() == "I") {
        objects.Prs.NPRSi(0);
        for (const ProjectField* field : TableFields(ProjectTableName(ProjectTable::Pressure))) {
            if (field->box.rfind("txtP(", 0) != 0) continue;
            field->set(objects, Std(StoredText(*field, StoredValue(tables, *field))));
        }
    }
    auto value = [&tables](const char* column) { return StoredValue(tables, *FindField(column)); };
    float api = 0, sg = 0;
    pairs.gravity = ApplyGravityPair(objects.Oil, Single(value("API"), api), Single(value("SpecGrav"), sg));
    float rsi = 0, pbp = 0;
    const float* rsiValue = Single(value("InitGO"), rsi);
    const float* pbpValue = Single(value("BPP"), pbp);
    pairs.oil = {Std(StoredText(*FindField("InitGO"), value("InitGO"))),
                 Std(StoredText(*FindField("BPP"), value("BPP")))};
    // Without oil the pair is not the computation's: the objects keep their own.
    if (objects.Fluid.PhaseOil()) ApplyStoredOilPair(objects, rsiValue, pbpValue, pairs);
    for (const char* column : {"PPMSalinity", "PERSalinity"}) {
        const ProjectField& field = *FindField(column);
        const QString text = StoredText(field, value(column));
        if (!text.isEmpty()) field.set(objects, Std(text));
    }
    return pairs;
}

std::optional<QVariant> ValueToStore(const ProjectField& field, const Q7Objects& objects) {
    if (field.held && !field.held(objects)) return std::nullopt;
    switch (field.kind) {
    case FieldKind::Number:
        return QVariant(static_cast<float>(field.number(objects)));
    case FieldKind::Integer:
    case FieldKind::Flag:
    case FieldKind::Option:
        return QVariant(static_cast<int>(field.number(objects)));
    case FieldKind::Unit:
    case FieldKind::Text:
        break;
    }
    return QVariant(QString::fromStdString(field.text(objects)));
}

void ApplyStoredField(const ProjectField& field, const QVariant& v, Q7Objects& objects) {
    switch (field.kind) {
    case FieldKind::Flag:
        if (!v.isNull()) field.set(objects, v.toInt() != 0 ? "1" : "0");
        break;
    case FieldKind::Option: {
        const long lo = field.lo <= field.hi ? field.lo : 0, hi = field.lo <= field.hi ? field.hi : 1;
        if (!v.isNull() && v.toLongLong() >= lo && v.toLongLong() <= hi)
            field.set(objects, std::to_string(v.toInt()));
        break;
    }
    case FieldKind::Unit:
    case FieldKind::Text: {
        if (v.isNull()) break;
        const QString stored = v.toString();
        for (const std::string& word : field.words)
            if (stored.compare(QString::fromStdString(word), Qt::CaseInsensitive) == 0)
                field.set(objects, word);
        const std::string letter = Std(stored);
        if (field.words.empty() && letter.size() == 1 && field.choices.find(letter) != std::string::npos)
            field.set(objects, letter);
        break;
    }
    case FieldKind::Number:
    case FieldKind::Integer:
        // A value not stored leaves the objects' own (a laboratory value: not measured).
        if (!v.isNull() || field.blankIsAbsent) field.set(objects, Std(StoredText(field, v)));
        break;
    }
}

StoredPairs ApplyStoredProject(const ProjectTables& tables, Q7Objects& objects) {
    for (const Recordset* rs : tables.All())
        for (const ProjectField* field : TableFields(Std(rs->Table())))
            if (!GivenWithThePairs(*field)) ApplyStoredField(*field, StoredValue(tables, *field), objects);
    return ApplyStoredPairs(tables, objects);
}

bool StoredProjectComplete(const ProjectTables& tables) {
    for (const Recordset* rs : tables.All())
        if (rs->IsEOF()) return false;
    return true;
}

void ComputeStoredProject(const ProjectTables& tables, Q7Objects& objects, MessageSink& sink,
                          CaseOutcome& outcome) {
    StoredPairs pairs;
    try {
        pairs = ApplyStoredProject(tables, objects);
    } catch (const std::exception& e) {
        outcome.error = FailureFrom(CalcStage::CaseInput, e);
        return;
    }
    ComputeAsWorkstation(objects, pairs.oil, sink, outcome);
}

} // namespace q7

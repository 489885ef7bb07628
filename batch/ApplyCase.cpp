// Applying a case to a fresh set of objects: every project field of the case, in the order of the
// fields, each value passing through the text its box would show.
#include "batch/CaseFile.h"

#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"

#include <string>

namespace q7 {

namespace {

class Applier {
public:
    Applier(const CaseFile& c, Q7Objects& o) : m_case(c), m_obj(o) {}

    void Apply() {
        for (const ProjectField& field : ProjectFields()) {
            if (!field.set || !m_case.Has(field.column)) continue;
            if (Skipped(field)) continue;
            if (field.kind == FieldKind::Unit) {
                // A unit goes to the object just before the temperature it qualifies.
                if (!Qualifies(field)) Give(field);
                continue;
            }
            if (!field.unit.empty() && m_case.Has(field.unit)) Give(*FindField(field.unit));
            if (field.column == "PlusEntry") {
                Plus();
                continue;
            }
            Give(field);
        }
    }

private:
    // The pair of oil boxes is the oil tab's buttons' business; the specific gravity counts only
    // without an API gravity; the discrete pressures only in that mode.
    bool Skipped(const ProjectField& field) const {
        if (field.column == "InitGO" || field.column == "BPP") return true;
        if (field.column == "SpecGrav") return m_case.Has("API");
        if (field.box.rfind("txtP(", 0) == 0) return m_obj.Prs.PrRange() != "I";
        return false;
    }

    bool Qualifies(const ProjectField& unit) const {
        for (const ProjectField& f : ProjectFields())
            if (f.unit == unit.column && m_case.Has(f.column)) return true;
        return false;
    }

    void Give(const ProjectField& field) {
        switch (field.kind) {
        case FieldKind::Unit:
        case FieldKind::Text:
            field.set(m_obj, m_case.Text(field.column));
            break;
        case FieldKind::Flag:
            field.set(m_obj, m_case.Number(field.column) != 0.0 ? "1" : "0");
            break;
        case FieldKind::Option:
            field.set(m_obj, std::to_string(static_cast<std::int16_t>(m_case.Number(field.column))));
            break;
        case FieldKind::Number:
        case FieldKind::Integer:
            field.set(m_obj, FieldText(field, static_cast<float>(m_case.Number(field.column))));
            break;
        }
    }

    // Ticking "Plus" on row k zeroes the hydrocarbon rows below it.
    void Plus() {
        clsGas& gas = m_obj.Gas;
        const auto k = static_cast<std::int16_t>(m_case.Number("PlusEntry"));
        if (k >= 1 && k <= 12) {
            for (std::int16_t j = k + 1; j <= 12; ++j)
                gas.SetGC("0.0000", j);
            gas.PlusEntry(k);
        } else {
            gas.PlusEntry(0);
        }
    }

    const CaseFile& m_case;
    Q7Objects& m_obj;
};

} // namespace

void ApplyCase(const CaseFile& c, Q7Objects& objects) {
    Applier(c, objects).Apply();
}

} // namespace q7

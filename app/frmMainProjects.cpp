// The main window's Project menu: opening, creating, editing, closing and deleting projects, and
// loading a project's records into the input controls.
#include "app/frmMain.h"
#include "app/tabs/GasTab.h"
#include "app/tabs/OilTab.h"
#include "app/tabs/PressureTab.h"
#include "app/tabs/WaterTab.h"
#include "engine/Errors.h"
#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"
#include "store/ProjectTables.h"
#include "store/SqlDialect.h"
#include "store/clsQ7IO.h"
#include "store/ui/frmDelete.h"
#include "store/ui/frmOpen.h"
#include "store/ui/frmProject.h"
#include "ui/InputBox.h"
#include "ui/TextFormat.h"

#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QTabWidget>

namespace q7 {

namespace {

// Field access that takes a missing column or a database Null as "no value".
QVariant Column(const Recordset& rs, const std::string& name) {
    const QString column = QString::fromStdString(name);
    if (rs.IsEOF() || rs.ColumnIndex(column) < 0) return {};
    return rs.Value(column);
}

// The text a box shows for a stored value (the project fields say how); a Null shows the text a
// box of a list shows when empty, and nothing in any other box.
QString StoredText(const ProjectField& field, const QVariant& v) {
    const bool listed = field.box.find('(') != std::string::npos;
    if (v.isNull()) return listed ? QString::fromStdString(FieldText(field, 0.0)) : QString();
    return QString::fromStdString(FieldText(field, v.toDouble()));
}

} // namespace

void frmMain::NewProjectClick() {
    m_state.ProjectDialogMode = 1;
    frmProject dialog(*this, this);
    if (dialog.Ready()) dialog.exec();
}

void frmMain::EditProjectClick() {
    m_state.ProjectDialogMode = 2;
    frmProject dialog(*this, this);
    if (dialog.Ready()) dialog.exec();
}

void frmMain::DeleteProjectClick() {
    frmDelete dialog(*this, this);
    if (dialog.Ready()) dialog.exec();
}

void frmMain::OpenProjectClick() {
    if (!m_state.SettingsInUse || m_state.ProjectOpen) {
        frmOpen dialog(*this, this);
        if (dialog.Ready()) dialog.exec();
        return;
    }
    if (!m_state.AskYesNo(QStringLiteral("You will lose your current settings!.  Proceed?"),
                          QStringLiteral("Open existing Project")))
        return;
    frmOpen dialog(*this, this);
    if (dialog.Ready()) dialog.exec();
    m_state.SettingsInUse = false;
}

void frmMain::CloseProject() {
    m_ui.txtProject->hide();
    m_ui.txtProject->clear();
    m_ui.mnuEdit->setEnabled(false);
    m_ui.mnuClose->setEnabled(false);
    m_ui.mnuDelete->setEnabled(true);
    if (m_io && m_state.HeldPrjID != 0) m_io->ReleaseProject(m_state.HeldPrjID);
    m_state.HeldPrjID = 0;
    m_state.CurPrjID = 0;
    m_state.CurPrjName.clear();
    m_state.ProjectOpen = false;
    m_state.ProjectReadOnly = false;
    m_state.ReleaseCursors();
}

void frmMain::ProjectSaved(const QString& name, std::int32_t prjID, ProjectTables* created) {
    m_ui.txtProject->show();
    m_ui.txtProject->setText(name);
    m_state.CurPrjName = name;
    if (!created) return;
    // The new project is this workstation's while it is open.
    if (m_state.HeldPrjID != 0 && m_state.HeldPrjID != prjID) m_io->ReleaseProject(m_state.HeldPrjID);
    m_state.HeldPrjID = 0;
    try {
        m_state.ProjectReadOnly = !m_io->HoldProject(prjID);
        if (!m_state.ProjectReadOnly) m_state.HeldPrjID = prjID;
    } catch (const Error& e) {
        m_messages.ShowError(QString::fromStdString(e.what()), QStringLiteral("Project Database Error"));
    }
    m_state.CurPrjID = prjID;
    m_state.TakeCursors(*created);
    m_ui.mnuEdit->setEnabled(true);
    m_ui.mnuClose->setEnabled(true);
    m_ui.mnuDelete->setEnabled(false);
    m_state.ProjectOpen = true;
    SelectTab(kTabTitle);
}

void frmMain::LoadProjectIntoForm(std::int32_t prjID) {
    // The records first: a project that cannot be read leaves the form and the open project as
    // they are.
    ProjectTables tables;
    // On a database server one workstation at a time holds a project; another opens it read-only.
    const std::int32_t previous = m_state.HeldPrjID;
    const bool heldBefore = previous == prjID;
    ProjectHolder holder;
    bool readOnly = false;
    try {
        readOnly = !m_io->HoldProject(prjID, &holder);
        tables = m_io->LoadProjectTables(prjID);
        for (const Recordset* rs : tables.All())
            if (rs->IsEOF()) throw DatabaseError("The project's data is incomplete in the project database.");
    } catch (const Error& e) {
        if (!heldBefore && !readOnly) m_io->ReleaseProject(prjID);
        m_messages.ShowError(QString::fromStdString(e.what()), QStringLiteral("Project Database Error"));
        return;
    }
    if (previous != 0 && previous != prjID) m_io->ReleaseProject(previous);
    m_state.HeldPrjID = readOnly ? 0 : prjID;

    // Loading stores nothing: the write-through stays off until the form holds the project.
    m_state.InputEventsOn = false;
    m_state.ProjectOpen = false;
    m_state.ReleaseCursors();

    auto pairNamed = [this](const std::string& base) {
        const QString name = QString::fromStdString(base);
        return OptionPair{findChild<QRadioButton*>(name + QStringLiteral("(0)")),
                          findChild<QRadioButton*>(name + QStringLiteral("(1)"))};
    };

    Guarded(QStringLiteral("Project Database Error"), [&] {
        // Every stored field into its control, in column order, as its description says.
        for (const Recordset* rs : tables.All()) {
            for (const ProjectField* field : TableFields(rs->Table().toStdString())) {
                const QVariant v = Column(*rs, field->column);
                switch (field->kind) {
                case FieldKind::Flag:
                    if (!v.isNull())
                        findChild<QCheckBox*>(QString::fromStdString(field->box))->setChecked(v.toInt() != 0);
                    break;
                case FieldKind::Option:
                    if (!v.isNull() && (v.toInt() == 0 || v.toInt() == 1))
                        InputTab::SelectOption(pairNamed(field->box), v.toInt());
                    break;
                case FieldKind::Unit:
                case FieldKind::Text: {
                    const QString letter = v.toString();
                    const auto at =
                        letter.size() == 1 ? field->choices.find(letter.toStdString()) : std::string::npos;
                    if (at != std::string::npos)
                        InputTab::SelectOption(pairNamed(field->box), static_cast<int>(at));
                    // The pressure-mode handler switches the input events back on; the load keeps
                    // them off.
                    m_state.InputEventsOn = false;
                    break;
                }
                case FieldKind::Number:
                case FieldKind::Integer:
                    SetText(findChild<QLineEdit*>(QString::fromStdString(field->box)), StoredText(*field, v));
                    break;
                }
            }
        }

        const bool rangeMode = m_ui.pressure->optPRange[0]->isChecked();
        for (InputBox* box : {m_ui.pressure->txtMinP, m_ui.pressure->txtInitP, m_ui.pressure->txtMaxP})
            box->setEnabled(rangeMode);
        for (int k = 1; k <= PressureTab::kPressures; ++k)
            m_ui.pressure->txtP[k]->setEnabled(m_ui.pressure->optPRange[1]->isChecked());
        const bool gravityEntry = m_ui.gas->optGasEntry[0]->isChecked();
        for (InputBox* box : {m_ui.gas->txtGasGrav, m_ui.gas->txtMFN, m_ui.gas->txtMFCO2, m_ui.gas->txtMFHS})
            box->setEnabled(gravityEntry);
        for (int k = 1; k <= GasTab::kComponents; ++k)
            m_ui.gas->txtGC[k]->setEnabled(m_ui.gas->optGasEntry[1]->isChecked());

        // The boxes that wait for the input events give the objects their stored values here,
        // exactly (the plain boxes took theirs as they were filled).
        if (m_objects->Prs.PrRange() == "I") {
            m_objects->Prs.NPRSi(0);
            for (int k = 1; k <= PressureTab::kPressures; ++k)
                m_objects->Prs.SetPRSi(m_ui.pressure->txtP[k]->text().toStdString(),
                                       static_cast<std::int16_t>(k));
        }
        auto single = [](const QVariant& v, float& out) -> const float* {
            if (v.isNull()) return nullptr;
            out = static_cast<float>(v.toDouble());
            return &out;
        };
        float api = 0, sg = 0, rsi = 0, pbp = 0;
        const float* apiValue = single(Column(tables.Oil, "API"), api);
        const float* sgValue = single(Column(tables.Oil, "SpecGrav"), sg);
        // The gravity the other derives shows as the linked update shows it.
        switch (ApplyGravityPair(m_objects->Oil, apiValue, sgValue)) {
        case Derived::Second:
            SetText(m_ui.oil->txtGrav, Fixed(m_objects->Oil.OilSG(), 4));
            break;
        case Derived::First:
            SetText(m_ui.oil->txtAPI, Fixed(m_objects->Oil.API(), 4));
            break;
        case Derived::Neither:
            break;
        }
        ApplyOilPair(m_objects->Oil, single(Column(tables.Oil, "InitGO"), rsi),
                     single(Column(tables.Oil, "BPP"), pbp));
        if (!m_ui.water->txtPPM->text().isEmpty())
            m_objects->Water.SetPPM(m_ui.water->txtPPM->text().toStdString());
        if (!m_ui.water->txtPER->text().isEmpty())
            m_objects->Water.SetPER(m_ui.water->txtPER->text().toStdString());
    });

    m_state.TakeCursors(tables);
    m_state.CurPrjID = prjID;

    m_ui.txtProject->show();
    m_ui.txtProject->setText(m_state.CurPrjName);
    m_ui.mnuEdit->setEnabled(!readOnly);
    m_ui.mnuClose->setEnabled(true);
    m_ui.mnuDelete->setEnabled(false);

    m_state.ProjectOpen = true;
    m_state.ProjectReadOnly = readOnly;
    SelectTab(kTabTitle);
    m_state.InputEventsOn = true;
    if (readOnly)
        m_messages.ShowInfo(
            QStringLiteral("Project %1: %2. It is opened read-only here: changes are not saved "
                           "in the project database.")
                .arg(m_state.CurPrjName, HeldText(holder)),
            QStringLiteral("Project Open Elsewhere"));
}

} // namespace q7

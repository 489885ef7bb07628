// The main window's Project menu: opening, creating, editing, closing and deleting projects, and
// loading a project's records into the input controls.
#include "app/frmMain.h"
#include "app/tabs/GasTab.h"
#include "app/tabs/OilTab.h"
#include "app/tabs/PressureTab.h"
#include "app/tabs/WaterTab.h"
#include "engine/MessageSink.h"
#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"
#include "numeric/Errors.h"
#include "store/ProjectTables.h"
#include "store/SqlDialect.h"
#include "store/StoredProject.h"
#include "store/clsQ7IO.h"
#include "store/ui/frmDelete.h"
#include "store/ui/frmOpen.h"
#include "store/ui/frmProject.h"
#include "ui/InputBox.h"
#include "ui/TextFormat.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QRadioButton>
#include <QTabWidget>

namespace q7 {

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
        if (!StoredProjectComplete(tables))
            throw DatabaseError("The project's data is incomplete in the project database.");
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
        // Every stored field into its control, in column order, as its description says. A field no
        // control shows goes to the objects as stored, and a Null there as a project of the start-up
        // inputs stores it (not as the project open before left it).
        NullMessageSink startUpSink;
        const Q7Objects startUp(startUpSink);
        for (const Recordset* rs : tables.All()) {
            for (const ProjectField* field : TableFields(rs->Table().toStdString())) {
                const QVariant v = StoredValue(tables, *field);
                const QVariant value = v.isNull() ? ValueToStore(*field, startUp).value_or(QVariant()) : v;
                // A choice shown in a drop-down list (a correlation, a capillary-pressure model).
                if (auto* list = findChild<QComboBox*>(QString::fromStdString(field->box))) {
                    const int at = field->kind == FieldKind::Text
                                       ? list->findData(value.toString(), Qt::UserRole, Qt::MatchFixedString)
                                       : list->findData(value.toInt());
                    if (at >= 0) list->setCurrentIndex(at);
                    ApplyStoredField(*field, value, *m_objects);
                    continue;
                }
                if (field->box.empty()) {
                    ApplyStoredField(*field, value, *m_objects);
                    continue;
                }
                switch (field->kind) {
                case FieldKind::Flag:
                    if (!v.isNull())
                        findChild<QCheckBox*>(QString::fromStdString(field->box))->setChecked(v.toInt() != 0);
                    break;
                case FieldKind::Option:
                    if (!v.isNull() && (v.toInt() == 0 || v.toInt() == 1))
                        InputTab::SelectOption(pairNamed(field->box), v.toInt());
                    // A third option (the LET curves) is a button of its own.
                    else if (auto* third =
                                 v.isNull() ? nullptr
                                            : findChild<QRadioButton*>(QString::fromStdString(field->box) +
                                                                       QStringLiteral("(%1)").arg(v.toInt())))
                        third->setChecked(true);
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
        m_ui.gas->cboCorrPseudo->setEnabled(gravityEntry);
        for (int k = 1; k <= GasTab::kComponents; ++k)
            m_ui.gas->txtGC[k]->setEnabled(m_ui.gas->optGasEntry[1]->isChecked());

        // The boxes that wait for the input events give the objects their stored values here,
        // exactly (the plain boxes took theirs as they were filled).
        // The gravity the other derives shows as the linked update shows it.
        switch (ApplyStoredPairs(tables, *m_objects).gravity) {
        case Derived::Second:
            SetText(m_ui.oil->txtGrav, Fixed(m_objects->Oil.OilSG(), 4));
            break;
        case Derived::First:
            SetText(m_ui.oil->txtAPI, Fixed(m_objects->Oil.API(), 4));
            break;
        case Derived::Neither:
            break;
        }
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

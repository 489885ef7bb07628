// The main window's Project menu: opening, creating, editing, closing and deleting projects, and
// loading a project's records into the input controls.
#include "app/frmMain.h"
#include "engine/Errors.h"
#include "engine/Q7Objects.h"
#include "store/ProjectTables.h"
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
QVariant Column(const Recordset& rs, const char* name) {
    const QString column = QString::fromLatin1(name);
    if (rs.IsEOF() || rs.ColumnIndex(column) < 0) return {};
    return rs.Value(column);
}

// The text a box shows for a stored single: its general form, or the box's fixed format.
// A Null shows the box's design-time text.
QString SingleText(const QVariant& v, int decimals = -1, const QString& nullText = {}) {
    if (v.isNull()) return nullText;
    const auto value = static_cast<float>(v.toDouble());
    return decimals < 0 ? General(value) : Fixed(value, decimals);
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
    m_state.CurPrjID = 0;
    m_state.CurPrjName.clear();
    m_state.ProjectOpen = false;
    m_state.ReleaseCursors();
}

void frmMain::ProjectSaved(const QString& name, std::int32_t prjID, ProjectTables* created) {
    m_ui.txtProject->show();
    m_ui.txtProject->setText(name);
    m_state.CurPrjName = name;
    if (!created) return;
    m_state.CurPrjID = prjID;
    m_state.Cursor(ProjectTable::Fluid) = std::move(created->Fluid);
    m_state.Cursor(ProjectTable::Pressure) = std::move(created->Pressure);
    m_state.Cursor(ProjectTable::Oil) = std::move(created->Oil);
    m_state.Cursor(ProjectTable::Gas) = std::move(created->Gas);
    m_state.Cursor(ProjectTable::Water) = std::move(created->Water);
    m_state.Cursor(ProjectTable::Rock) = std::move(created->Rock);
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
    try {
        tables = m_io->LoadProjectTables(prjID);
        for (const Recordset* rs :
             {&tables.Fluid, &tables.Pressure, &tables.Oil, &tables.Gas, &tables.Water, &tables.Rock})
            if (rs->IsEOF()) throw DatabaseError("The project's data is incomplete in the project database.");
    } catch (const Error& e) {
        m_messages.ShowError(QString::fromStdString(e.what()), QStringLiteral("Project Database Error"));
        return;
    }

    // Loading stores nothing: the write-through stays off until the form holds the project.
    m_state.InputEventsOn = false;
    m_state.ProjectOpen = false;
    m_state.ReleaseCursors();

    const Recordset& fl = tables.Fluid;
    const Recordset& pr = tables.Pressure;
    const Recordset& oi = tables.Oil;
    const Recordset& ga = tables.Gas;
    const Recordset& wa = tables.Water;
    const Recordset& ro = tables.Rock;
    auto unitOption = [](const OptionPair& pair, const QVariant& v) {
        const QString unit = v.toString();
        if (unit == QLatin1String("F")) SelectOption(pair, 0);
        if (unit == QLatin1String("C")) SelectOption(pair, 1);
    };
    auto indexOption = [](const OptionPair& pair, const QVariant& v) {
        if (v.isNull()) return;
        if (v.toInt() == 0) SelectOption(pair, 0);
        if (v.toInt() == 1) SelectOption(pair, 1);
    };

    Guarded(QStringLiteral("Project Database Error"), [&] {
        const char* phases[3] = {"PhaseOil", "PhaseGas", "PhaseWater"};
        for (int i = 0; i < 3; ++i) {
            const QVariant v = Column(fl, phases[i]);
            if (!v.isNull()) m_ui.cbxFPP[i]->setChecked(v.toInt() != 0);
        }
        SetText(m_ui.txtStdP, SingleText(Column(fl, "StdPressure")));
        SetText(m_ui.txtStdT, SingleText(Column(fl, "StdTemp")));
        unitOption(m_ui.optStdTU, Column(fl, "StdTempUnits"));
        SetText(m_ui.txtResT, SingleText(Column(fl, "RESTEMP")));
        unitOption(m_ui.optResTU, Column(fl, "ResTempUnits"));

        const QString range = Column(pr, "PrRange").toString();
        if (range == QLatin1String("R")) SelectOption(m_ui.optPRange, 0);
        if (range == QLatin1String("I")) SelectOption(m_ui.optPRange, 1);
        // The pressure-mode handler switches the input events back on; the load keeps them off.
        m_state.InputEventsOn = false;
        const bool rangeMode = m_ui.optPRange[0]->isChecked();
        const bool discreteMode = m_ui.optPRange[1]->isChecked();
        SetText(m_ui.txtMinP, SingleText(Column(pr, "MinPr")));
        SetText(m_ui.txtInitP, SingleText(Column(pr, "InitPr")));
        SetText(m_ui.txtMaxP, SingleText(Column(pr, "MaxPr")));
        for (InputBox* box : {m_ui.txtMinP, m_ui.txtInitP, m_ui.txtMaxP})
            box->setEnabled(rangeMode);
        for (int k = 1; k <= 18; ++k) {
            const QByteArray column = "p" + QByteArray::number(k);
            SetText(m_ui.txtP[k], SingleText(Column(pr, column.constData()), -1, QStringLiteral("0")));
            m_ui.txtP[k]->setEnabled(discreteMode);
        }
        // The discrete pressures wait for the input events too: the schedule takes the list here.
        if (m_objects->Prs.PrRange() == "I") {
            m_objects->Prs.NPRSi(0);
            for (int k = 1; k <= 18; ++k)
                m_objects->Prs.SetPRSi(m_ui.txtP[k]->text().toStdString(), static_cast<std::int16_t>(k));
        }

        SetText(m_ui.txtAPI, SingleText(Column(oi, "API")));
        SetText(m_ui.txtGrav, SingleText(Column(oi, "SpecGrav")));
        // The gravity boxes wait for the input events: the object takes the gravity here, before
        // the GOR and bubble point that depend on it (the API when there is one, as the batch tool).
        if (!m_ui.txtAPI->text().isEmpty())
            m_objects->Oil.SetAPI(m_ui.txtAPI->text().toStdString());
        else if (!m_ui.txtGrav->text().isEmpty())
            m_objects->Oil.SetOilSG(m_ui.txtGrav->text().toStdString());
        SetText(m_ui.txtSepGas, SingleText(Column(oi, "SepGasGrav")));
        SetText(m_ui.txtSepP, SingleText(Column(oi, "SepP")));
        SetText(m_ui.txtSepT, SingleText(Column(oi, "SepT")));
        unitOption(m_ui.optSepTU, Column(oi, "SepTUnits"));
        SetText(m_ui.txtRSI, SingleText(Column(oi, "InitGO")));
        SetText(m_ui.txtBPP, SingleText(Column(oi, "BPP")));

        const QString entry = Column(ga, "GasEntry").toString();
        if (entry == QLatin1String("G")) SelectOption(m_ui.optGasEntry, 0);
        if (entry == QLatin1String("C")) SelectOption(m_ui.optGasEntry, 1);
        const bool gravityEntry = m_ui.optGasEntry[0]->isChecked();
        const bool compositionEntry = m_ui.optGasEntry[1]->isChecked();
        const std::pair<InputBox*, const char*> inerts[4] = {{m_ui.txtGasGrav, "GasGrav"},
                                                             {m_ui.txtMFN, "MFnitrogen"},
                                                             {m_ui.txtMFCO2, "mfCO2"},
                                                             {m_ui.txtMFHS, "mfH2S"}};
        for (const auto& [box, column] : inerts) {
            SetText(box, SingleText(Column(ga, column), 4));
            box->setEnabled(gravityEntry);
        }
        for (int k = 1; k <= 15; ++k) {
            const QByteArray column = "gc" + QByteArray::number(k);
            SetText(m_ui.txtGC[k], SingleText(Column(ga, column.constData()), 4, QStringLiteral("0.0000")));
            m_ui.txtGC[k]->setEnabled(compositionEntry);
        }

        const QVariant ppm = Column(wa, "PPMSalinity");
        SetText(m_ui.txtPPM, ppm.isNull() ? QString() : QString::number(ppm.toLongLong()));
        SetText(m_ui.txtPER, SingleText(Column(wa, "PERSalinity")));
        if (!m_ui.txtPPM->text().isEmpty()) m_objects->Water.SetPPM(m_ui.txtPPM->text().toStdString());
        if (!m_ui.txtPER->text().isEmpty()) m_objects->Water.SetPER(m_ui.txtPER->text().toStdString());

        indexOption(m_ui.optRock, Column(ro, "RockType"));
        indexOption(m_ui.optType, Column(ro, "DrainType"));
        indexOption(m_ui.optLith, Column(ro, "LithType"));
        indexOption(m_ui.optWet, Column(ro, "WetType"));
        indexOption(m_ui.optCorr, Column(ro, "CorrType"));
        SetText(m_ui.txtSWC, SingleText(Column(ro, "SWC"), 2));
        SetText(m_ui.txtSORW, SingleText(Column(ro, "SORW"), 2));
        SetText(m_ui.txtSORG, SingleText(Column(ro, "SORG"), 2));
        SetText(m_ui.txtSGCrit, SingleText(Column(ro, "SGCrit"), 2));
        SetText(m_ui.txtK, SingleText(Column(ro, "CoreyK")));
        SetText(m_ui.txtN, SingleText(Column(ro, "CoreyN")));
        SetText(m_ui.txtHRPoro, SingleText(Column(ro, "HRPoro")));
        SetText(m_ui.txtHRAir, SingleText(Column(ro, "HRAir")));
        SetText(m_ui.txtHRKrg, SingleText(Column(ro, "HRKrg")));
    });

    m_state.Cursor(ProjectTable::Fluid) = std::move(tables.Fluid);
    m_state.Cursor(ProjectTable::Pressure) = std::move(tables.Pressure);
    m_state.Cursor(ProjectTable::Oil) = std::move(tables.Oil);
    m_state.Cursor(ProjectTable::Gas) = std::move(tables.Gas);
    m_state.Cursor(ProjectTable::Water) = std::move(tables.Water);
    m_state.Cursor(ProjectTable::Rock) = std::move(tables.Rock);
    m_state.CurPrjID = prjID;

    m_ui.txtProject->show();
    m_ui.txtProject->setText(m_state.CurPrjName);
    m_ui.mnuEdit->setEnabled(true);
    m_ui.mnuClose->setEnabled(true);
    m_ui.mnuDelete->setEnabled(false);

    m_state.ProjectOpen = true;
    SelectTab(kTabTitle);
    m_state.InputEventsOn = true;
}

} // namespace q7

// Projects from the main window: New, Edit, Close, Open, Delete, the write-through of edits, and
// loading a project back into a fresh window.
#include "AppTestSupport.h"
#include "tests/support/ToolTestSupport.h"

#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"
#include "numeric/NumericText.h"
#include "store/clsQ7IO.h"
#include "ui/FlexGrid.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTabWidget>

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>

namespace q7::test {
namespace {

// Creates a project on the database file directly, from the objects' defaults.
std::int32_t AddProject(const QString& path, const QString& name) {
    clsQ7IO io;
    io.OpenDatabase(path);
    EXPECT_TRUE(io.Q7FOUND());
    NullMessageSink sink;
    Q7Objects objects(sink);
    Recordset row = io.NewREC(QStringLiteral("tblProject"));
    row.SetValue(QStringLiteral("PrjName"), name);
    row.SetValue(QStringLiteral("CreatedBy"), QStringLiteral("tests"));
    io.CreateProject(row, objects);
    return static_cast<std::int32_t>(row.Value(QStringLiteral("PrjID")).toLongLong());
}

int ProjectCount(const QString& path) {
    return QueryValue(path, QStringLiteral("SELECT COUNT(*) FROM tblProject")).toInt();
}

// Project -> New with the dialog filled in and saved.
void NewProject(Workstation& w, const QString& name, const QString& by, const QString& description) {
    WhenModal fill([&](QWidget* dialog) {
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Add new Project"));
        Find<QLineEdit>(dialog, QStringLiteral("txtPrjName"))->setText(name);
        Find<QLineEdit>(dialog, QStringLiteral("txtCreatedBy"))->setText(by);
        Find<QLineEdit>(dialog, QStringLiteral("txtDesc"))->setText(description);
        Find<QPushButton>(dialog, QStringLiteral("cmdSave"))->click();
    });
    w.ui().mnuNew->trigger();
    ASSERT_TRUE(fill.Ran());
}

// Every input a project stores, as the form shows it and as the objects hold it.
struct Snapshot {
    std::map<QString, QString> texts;
    std::map<QString, bool> checked;
    std::map<QString, double> numbers;
    std::map<QString, std::string> letters;

    static Snapshot Of(Workstation& w) {
        Snapshot s;
        for (auto* box : w.Window().findChildren<InputBox*>())
            s.texts[box->objectName()] = box->text();
        for (auto* b : w.Window().findChildren<QAbstractButton*>())
            if (b->isCheckable()) s.checked[b->objectName()] = b->isChecked();
        const Q7Objects& o = w.Objects();
        s.numbers = {{"StdP", o.Fluid.StdP()},
                     {"StdTf", o.Fluid.StdTf()},
                     {"ResTf", o.Fluid.ResTf()},
                     {"PrMin", o.Prs.PrMin()},
                     {"PrIni", o.Prs.PrIni()},
                     {"PrMax", o.Prs.PrMax()},
                     {"NPRSi", o.Prs.NPRSi()},
                     {"API", o.Oil.API()},
                     {"OilSG", o.Oil.OilSG()},
                     {"SepGG", o.Oil.SepGG()},
                     {"SepP", o.Oil.SepP()},
                     {"SepTf", o.Oil.SepTf()},
                     {"RSI", o.Oil.RSI()},
                     {"Pbp", o.Oil.Pbp()},
                     {"GasGrav", o.Gas.GasGrav()},
                     {"mfN", o.Gas.mfN()},
                     {"SumGC", o.Gas.SumGC()},
                     {"PPM", o.Water.PPM()},
                     {"PER", o.Water.PER()},
                     {"Fluids", o.Rock.Fluids()},
                     {"Displace", o.Rock.Displace()},
                     {"Lith", o.Rock.Lith()},
                     {"Wet", o.Rock.Wet()},
                     {"CORR", o.Rock.CORR()},
                     {"SWC", o.Rock.SWC()},
                     {"SORW", o.Rock.SORW()},
                     {"SORG", o.Rock.SORG()},
                     {"SGCrit", o.Rock.SGCrit()},
                     {"CoreyK", o.Rock.CoreyK()},
                     {"CoreyN", o.Rock.CoreyN()},
                     {"HRPoro", o.Rock.HRPoro()},
                     {"HRAir", o.Rock.HRAir()},
                     {"HRKrg", o.Rock.HRKrg()},
                     {"PhaseOil", o.Fluid.PhaseOil()},
                     {"PhaseGas", o.Fluid.PhaseGas()},
                     {"PhaseWater", o.Fluid.PhaseWater()}};
        for (int k = 1; k <= o.Prs.NPRSi(); ++k)
            s.numbers["PRSi" + QString::number(k)] = o.Prs.GetPRSi(static_cast<std::int16_t>(k));
        for (int k = 1; k <= 15; ++k)
            s.numbers["GC" + QString::number(k)] = o.Gas.GetGC(static_cast<std::int16_t>(k));
        s.letters = {{"StdTU", o.Fluid.StdTU()},
                     {"ResTU", o.Fluid.ResTU()},
                     {"SepTU", o.Oil.SepTU()},
                     {"PrRange", o.Prs.PrRange()},
                     {"GasEntry", o.Gas.GasEntry()}};
        return s;
    }
};

TEST(Projects, EmptyDatabaseListsNothing) {
    Workstation w(DatabaseChoice::Empty());
    int rows = -1;
    bool okEnabled = false;
    {
        WhenModal look([&](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Q7 Projects"));
            auto* grid = Find<FlexGrid>(dialog, QStringLiteral("fxgProjects"));
            rows = grid->Rows();
            EXPECT_EQ(grid->TextMatrix(0, 1), QStringLiteral("Name"));
            EXPECT_EQ(grid->TextMatrix(0, 4), QStringLiteral("Description"));
            okEnabled = Find<QPushButton>(dialog, QStringLiteral("cmdOK"))->isEnabled();
            Find<QPushButton>(dialog, QStringLiteral("cmdOK"))->click();
        });
        w.ui().mnuOpen->trigger();
        ASSERT_TRUE(look.Ran());
    }
    EXPECT_EQ(rows, 1); // the header row only
    EXPECT_TRUE(okEnabled);
    EXPECT_FALSE(w.State().ProjectOpen);
    EXPECT_EQ(w.State().CurPrjID, 0);
    EXPECT_TRUE(w.Messages().All().empty());
}

// Every column of a project's six data rows, each value as the text of the double it holds.
QStringList StoredRows(const QString& path, std::int32_t id) {
    QStringList rows;
    const QString name = QStringLiteral("project-rows");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        EXPECT_TRUE(db.open());
        for (const char* table :
             {"tblFluidSpec", "tblPressureSpec", "tblOilGravity", "tblGasComp", "tblWater", "tblRock"}) {
            QSqlQuery q(db);
            EXPECT_TRUE(q.exec(
                QStringLiteral("SELECT * FROM %1 WHERE PrjID = %2").arg(QLatin1String(table)).arg(id)));
            while (q.next())
                for (int c = 0; c < q.record().count(); ++c)
                    rows << q.record().fieldName(c) + QLatin1Char('=') +
                                (q.value(c).isNull() ? QStringLiteral("Null")
                                                     : QString::number(q.value(c).toDouble(), 'g', 17) +
                                                           QLatin1Char('/') + q.value(c).toString());
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

// A project of drawn inputs, typed as a user would type them (values that need all the digits a
// single has), created on the database directly.
std::int32_t AddDrawnProject(const QString& path, const QString& name, std::mt19937& draw) {
    auto text = [&draw](float lo, float hi) {
        return ExactText(std::uniform_real_distribution<float>(lo, hi)(draw));
    };
    clsQ7IO io;
    io.OpenDatabase(path);
    NullMessageSink sink;
    Q7Objects o(sink);
    o.Fluid.PhaseWater(draw() % 2 == 0);
    o.Fluid.SetStdP(text(14.0f, 15.0f));
    o.Fluid.SetResT(text(120.0f, 260.0f));
    if (draw() % 2 == 0) {
        o.Prs.PrRange("I");
        const int n = 2 + static_cast<int>(draw() % 12);
        for (int k = 1; k <= n; ++k)
            o.Prs.SetPRSi(ExactText(200.0f * static_cast<float>(k) +
                                    std::uniform_real_distribution<float>(0, 99)(draw)),
                          static_cast<std::int16_t>(k));
    } else {
        o.Prs.SetMinP(text(14.7f, 400.0f));
        o.Prs.SetMaxP(text(4000.0f, 6000.0f));
    }
    if (draw() % 2 == 0)
        o.Oil.SetAPI(text(20.0f, 50.0f));
    else
        o.Oil.SetOilSG(text(0.78f, 0.93f));
    o.Oil.SetSepGG(text(0.6f, 1.1f));
    o.Oil.SetSepP(text(50.0f, 200.0f));
    o.Oil.SetRsi(text(200.0f, 1200.0f));
    o.Gas.SetGasGrav(text(0.6f, 1.0f));
    o.Gas.SetmfCO2(text(0.0f, 0.05f));
    o.Water.SetPER(text(0.5f, 8.0f));
    o.Rock.SetSWC(text(0.1f, 0.3f));
    o.Rock.SetSORW(text(0.1f, 0.3f));
    o.Rock.SetCoreyK(text(1.5f, 4.0f));
    o.Rock.SetHRAir(text(50.0f, 900.0f));
    o.Rock.PcowModel(static_cast<std::int16_t>(draw() % 4));
    o.Rock.SetPcowMax(text(20.0f, 300.0f));
    o.Rock.SetLetOilT(text(0.5f, 4.0f));
    o.Rock.SatRows(static_cast<std::int16_t>(15 + draw() % 36));
    Recordset row = io.NewREC(QStringLiteral("tblProject"));
    row.SetValue(QStringLiteral("PrjName"), name);
    io.CreateProject(row, o);
    return static_cast<std::int32_t>(row.Value(QStringLiteral("PrjID")).toLongLong());
}

// Opening a project and closing it without an edit, visiting every input tab between, changes no
// stored column by a bit, and every box shows a text that reads back as the stored value. Before,
// the boxes showed seven digits, and the pressure tab wrote them back.
TEST(Projects, DrawnProjectsOpenAndCloseWithoutChangingAColumn) {
    const DatabaseChoice database = DatabaseChoice::Empty();
    std::mt19937 draw(1209);
    for (int n = 0; n < 8; ++n) {
        SCOPED_TRACE("project " + std::to_string(n));
        const std::int32_t id = AddDrawnProject(database.Path(), QStringLiteral("drawn %1").arg(n), draw);
        const QStringList before = StoredRows(database.Path(), id);
        Workstation w(database);
        for (int cycle = 0; cycle < 2; ++cycle) {
            w.Window().LoadProjectIntoForm(id);
            ASSERT_TRUE(w.State().ProjectOpen);
            for (const ProjectField& field : ProjectFields()) {
                if (!field.Stored() || (field.kind != FieldKind::Number && field.kind != FieldKind::Integer))
                    continue;
                const QVariant stored =
                    QueryValue(database.Path(), QStringLiteral("SELECT %1 FROM %2 WHERE PrjID = %3")
                                                    .arg(QString::fromStdString(field.column),
                                                         QString::fromStdString(field.table))
                                                    .arg(id));
                // A field no box shows goes to the objects as stored.
                if (field.box.empty()) {
                    EXPECT_EQ(static_cast<float>(field.number(w.Objects())),
                              static_cast<float>(stored.toDouble()))
                        << field.column;
                    continue;
                }
                auto* box = w.Window().findChild<QLineEdit*>(QString::fromStdString(field.box));
                ASSERT_NE(box, nullptr) << field.box;
                if (stored.isNull()) continue;
                // Of the two gravities, the one derived from the other shows as its linked update
                // shows it ("0.0000"); the object holds both as stored.
                if (field.column == "API" || field.column == "SpecGrav") {
                    EXPECT_EQ(static_cast<float>(field.number(w.Objects())),
                              static_cast<float>(stored.toDouble()))
                        << field.column;
                    continue;
                }
                EXPECT_EQ(Str2Nbr(box->text().toStdString()), static_cast<float>(stored.toDouble()))
                    << field.column << " shows " << box->text().toStdString();
            }
            for (int tab : {kTabPhases, kTabPressure, kTabOil, kTabGas, kTabWater, kTabRockInput})
                if (w.ui().sstMain->isTabEnabled(tab)) w.SelectTab(tab);
            w.ui().mnuClose->trigger();
            EXPECT_EQ(StoredRows(database.Path(), id), before);
        }
    }
}

// What the user typed comes back as typed: a GOR of 750.5 through "Calc Pbp", "Proceed" and
// "Fluid Properties" is stored and shown as 750.5 over two reopenings (before: 750.4998, then
// 750.5037), and a typed gravity 0.8628 (or the gravity of a typed API 32.5) shows as 0.8628.
TEST(Projects, TypedValuesComeBackAsTyped) {
    const DatabaseChoice database = DatabaseChoice::Empty();
    std::int32_t id = 0;
    {
        Workstation w(database);
        NewProject(w, QStringLiteral("Typed"), QStringLiteral("A. Engineer"), QString());
        id = w.State().CurPrjID;
        w.SelectTab(kTabOil);
        w.Type(w.ui().oil->txtGrav, QStringLiteral("0.8628"));
        w.Type(w.ui().oil->txtRSI, QStringLiteral("750.5"));
        w.CompleteOilTab();
        w.SelectTab(kTabFluidProps);
    }
    auto stored = [&](const char* column) {
        return QueryValue(database.Path(), QStringLiteral("SELECT %1 FROM tblOilGravity WHERE PrjID = %2")
                                               .arg(QLatin1String(column))
                                               .arg(id))
            .toDouble();
    };
    // The store keeps a single as the shortest text that reads back as it.
    EXPECT_EQ(static_cast<float>(stored("InitGO")), 750.5f);
    EXPECT_EQ(static_cast<float>(stored("SpecGrav")), 0.8628f);
    for (int cycle = 0; cycle < 2; ++cycle) {
        Workstation w(database);
        w.Window().LoadProjectIntoForm(id);
        EXPECT_EQ(w.ui().oil->txtRSI->text(), QStringLiteral("750.5"));
        EXPECT_EQ(w.ui().oil->txtGrav->text(), QStringLiteral("0.8628"));
        EXPECT_EQ(w.Objects().Oil.RSI(), 750.5f);
        EXPECT_EQ(w.Objects().Oil.OilSG(), 0.8628f);
        w.SelectTab(kTabOil);
        w.CompleteOilTab();
        w.SelectTab(kTabFluidProps);
        w.ui().mnuClose->trigger();
        EXPECT_EQ(static_cast<float>(stored("InitGO")), 750.5f);
    }
    {
        Workstation w(database);
        w.Window().LoadProjectIntoForm(id);
        w.SelectTab(kTabOil);
        w.Type(w.ui().oil->txtAPI, QStringLiteral("32.5"));
        w.ui().mnuClose->trigger();
        w.Window().LoadProjectIntoForm(id);
        EXPECT_EQ(w.ui().oil->txtAPI->text(), QStringLiteral("32.5"));
        EXPECT_EQ(w.ui().oil->txtGrav->text(), QStringLiteral("0.8628"));
        EXPECT_EQ(w.Objects().Oil.API(), 32.5f);
    }
}

// The third correlation, LET, is stored as CorrType 2 and comes back with its frame when the project
// is opened again; before, an opened project showed only the index 0 or 1 and kept the correlation
// the form held.
TEST(Projects, TheLetCorrelationComesBackWithTheProject) {
    const DatabaseChoice database = DatabaseChoice::Empty();
    std::int32_t id = 0;
    {
        Workstation w(database);
        NewProject(w, QStringLiteral("LET"), QStringLiteral("A. Engineer"), QString());
        id = w.State().CurPrjID;
        w.SelectTab(kTabRockInput);
        w.ui().rockInput->optCorrLET->click();
    }
    EXPECT_EQ(
        QueryValue(database.Path(), QStringLiteral("SELECT CorrType FROM tblRock WHERE PrjID = %1").arg(id))
            .toInt(),
        2);
    Workstation w(database);
    w.Window().LoadProjectIntoForm(id);
    EXPECT_EQ(w.Objects().Rock.CORR(), 2);
    EXPECT_TRUE(w.ui().rockInput->optCorrLET->isChecked());
    w.SelectTab(kTabRockInput);
    EXPECT_FALSE(w.ui().rockInput->fraLET->isHidden());
    w.SelectTab(kTabRockProps);
    EXPECT_EQ(w.ui().txtCORROut->text(), QStringLiteral("LET"));
}

TEST(Projects, NewEditCloseAndOpenInAFreshWindow) {
    const DatabaseChoice database = DatabaseChoice::Empty();
    Snapshot before;
    std::int32_t id = 0;
    {
        Workstation w(database);
        NewProject(w, QStringLiteral("North Sea"), QStringLiteral("A. Engineer"),
                   QStringLiteral("Round trip"));
        id = w.State().CurPrjID;
        ASSERT_GT(id, 0);
        EXPECT_TRUE(w.State().ProjectOpen);
        EXPECT_TRUE(w.ui().txtProject->isVisible());
        EXPECT_EQ(w.ui().txtProject->text(), QStringLiteral("North Sea"));
        EXPECT_TRUE(w.ui().mnuEdit->isEnabled());
        EXPECT_TRUE(w.ui().mnuClose->isEnabled());
        EXPECT_FALSE(w.ui().mnuDelete->isEnabled());
        EXPECT_EQ(ProjectCount(database.Path()), 1);
        for (const char* table :
             {"tblFluidSpec", "tblPressureSpec", "tblOilGravity", "tblGasComp", "tblWater", "tblRock"})
            EXPECT_EQ(QueryValue(database.Path(), QStringLiteral("SELECT COUNT(*) FROM %1 WHERE PrjID = %2")
                                                      .arg(QString::fromLatin1(table))
                                                      .arg(id))
                          .toInt(),
                      1)
                << table;

        // Edits of the open project are stored at once.
        w.SelectTab(kTabPhases);
        w.ui().phases->cbxFPP[1]->click();
        w.ui().phases->cbxFPP[2]->click();
        w.Type(w.ui().phases->txtStdP, QStringLiteral("14.65"));
        w.Type(w.ui().phases->txtResT, QStringLiteral("180"));
        w.SelectTab(kTabPressure);
        w.ui().pressure->optPRange[1]->click();
        w.Type(w.ui().pressure->txtP[1], QStringLiteral("3600"));
        w.Type(w.ui().pressure->txtP[2], QStringLiteral("2400"));
        w.Type(w.ui().pressure->txtP[3], QStringLiteral("1200"));
        w.SelectTab(kTabOil);
        w.Type(w.ui().oil->txtAPI, QStringLiteral("40"));
        w.Type(w.ui().oil->txtSepGas, QStringLiteral("0.75"));
        w.Type(w.ui().oil->txtSepP, QStringLiteral("100"));
        w.Type(w.ui().oil->txtSepT, QStringLiteral("80"));
        w.Type(w.ui().oil->txtRSI, QStringLiteral("800"));
        w.CompleteOilTab();
        w.SelectTab(kTabGas);
        w.ui().gas->optGasEntry[1]->click();
        w.Type(w.ui().gas->txtGC[1], QStringLiteral("0.8"));
        w.Type(w.ui().gas->txtGC[2], QStringLiteral("0.15"));
        w.Type(w.ui().gas->txtGC[13], QStringLiteral("0.05"));
        w.SelectTab(kTabWater);
        w.Type(w.ui().water->txtPPM, QStringLiteral("50000"));
        w.SelectTab(kTabRockInput);
        w.ui().rockInput->optRock[1]->click();
        w.ui().rockInput->optType[1]->click();
        w.ui().rockInput->optLith[1]->click();
        w.ui().rockInput->optCorr[1]->click();
        w.Type(w.ui().rockInput->txtSWC, QStringLiteral("0.25"));
        w.Type(w.ui().rockInput->txtSORG, QStringLiteral("0.35"));
        w.Type(w.ui().rockInput->txtSGCrit, QStringLiteral("0.05"));
        w.Type(w.ui().rockInput->txtHRPoro, QStringLiteral("0.2"));
        w.Type(w.ui().rockInput->txtHRAir, QStringLiteral("100"));
        w.Type(w.ui().rockInput->txtHRKrg, QStringLiteral("0.6"));
        w.PressTab();
        EXPECT_TRUE(w.Messages().All().empty());

        const QString& db = database.Path();
        const QString where = QStringLiteral(" WHERE PrjID = ") + QString::number(id);
        EXPECT_EQ(QueryValue(db, "SELECT PhaseWater FROM tblFluidSpec" + where).toInt(), 1);
        EXPECT_DOUBLE_EQ(QueryValue(db, "SELECT StdPressure FROM tblFluidSpec" + where).toDouble(), 14.65);
        EXPECT_EQ(QueryValue(db, "SELECT PrRange FROM tblPressureSpec" + where).toString(),
                  QStringLiteral("I"));
        EXPECT_DOUBLE_EQ(QueryValue(db, "SELECT p3 FROM tblPressureSpec" + where).toDouble(), 1200.0);
        EXPECT_DOUBLE_EQ(QueryValue(db, "SELECT API FROM tblOilGravity" + where).toDouble(), 40.0);
        EXPECT_EQ(QueryValue(db, "SELECT GasEntry FROM tblGasComp" + where).toString(), QStringLiteral("C"));
        EXPECT_DOUBLE_EQ(QueryValue(db, "SELECT gc2 FROM tblGasComp" + where).toDouble(), 0.15);
        EXPECT_EQ(QueryValue(db, "SELECT PPMSalinity FROM tblWater" + where).toInt(), 50000);
        EXPECT_DOUBLE_EQ(QueryValue(db, "SELECT PERSalinity FROM tblWater" + where).toDouble(), 5.0);
        EXPECT_EQ(QueryValue(db, "SELECT CorrType FROM tblRock" + where).toInt(), 1);
        EXPECT_DOUBLE_EQ(QueryValue(db, "SELECT HRAir FROM tblRock" + where).toDouble(), 100.0);

        // An emptied field is stored as 0.
        w.Type(w.ui().rockInput->txtHRKrg, QString());
        EXPECT_DOUBLE_EQ(QueryValue(db, "SELECT HRKrg FROM tblRock" + where).toDouble(), 0.0);
        w.Type(w.ui().rockInput->txtHRKrg, QStringLiteral("0.6"));
        before = Snapshot::Of(w);

        // Closed: the inputs stay, later edits are stored nowhere.
        w.ui().mnuClose->trigger();
        EXPECT_FALSE(w.State().ProjectOpen);
        EXPECT_FALSE(w.ui().txtProject->isVisible());
        EXPECT_TRUE(w.ui().mnuDelete->isEnabled());
        EXPECT_FALSE(w.ui().mnuEdit->isEnabled());
        EXPECT_EQ(w.ui().rockInput->txtHRAir->text(), QStringLiteral("100"));
        w.Type(w.ui().rockInput->txtHRAir, QStringLiteral("75"));
        EXPECT_DOUBLE_EQ(QueryValue(db, "SELECT HRAir FROM tblRock" + where).toDouble(), 100.0);
    }

    // A fresh window holds the defaults until the project is opened.
    Workstation w(database);
    w.Messages().Clear();
    {
        WhenModal open([&](QWidget* dialog) {
            auto* grid = Find<FlexGrid>(dialog, QStringLiteral("fxgProjects"));
            EXPECT_EQ(grid->Rows(), 2);
            EXPECT_EQ(grid->TextMatrix(1, 1), QStringLiteral("North Sea"));
            EXPECT_EQ(grid->TextMatrix(1, 3), QStringLiteral("A. Engineer"));
            EXPECT_EQ(grid->CellBackColor(1, 2), QColor(146, 209, 206));
            Find<QPushButton>(dialog, QStringLiteral("cmdOK"))->click();
        });
        w.ui().mnuOpen->trigger();
        ASSERT_TRUE(open.Ran());
    }
    EXPECT_TRUE(w.Messages().All().empty());
    EXPECT_TRUE(w.State().ProjectOpen);
    EXPECT_EQ(w.State().CurPrjID, id);
    EXPECT_EQ(w.ui().txtProject->text(), QStringLiteral("North Sea"));
    EXPECT_EQ(w.ui().sstMain->currentIndex(), kTabTitle);

    const Snapshot after = Snapshot::Of(w);
    for (const auto& [name, ticked] : before.checked) {
        if (name.startsWith(QStringLiteral("chkPLUS"))) continue; // the Plus choice is not stored
        EXPECT_EQ(after.checked.at(name), ticked) << qPrintable(name);
    }
    // The boxes show the stored numbers, some with their own formats (gas "0.0000", saturations "0.00").
    for (const auto& [name, text] : before.texts) {
        const QString shown = after.texts.at(name);
        if (name == QLatin1String("txtBPP")) {
            EXPECT_NEAR(shown.toDouble(), text.toDouble(), 0.05 + 1e-6 * text.toDouble()) << qPrintable(name);
            continue;
        }
        EXPECT_NEAR(shown.toDouble(), text.toDouble(), 5e-5 * std::max(1.0, std::fabs(text.toDouble())))
            << qPrintable(name) << " was " << qPrintable(text) << ", now " << qPrintable(shown);
    }
    EXPECT_EQ(after.texts.at(QStringLiteral("txtGC(1)")), QStringLiteral("0.8000"));
    EXPECT_EQ(after.texts.at(QStringLiteral("txtSORG")), QStringLiteral("0.35"));
    EXPECT_EQ(after.texts.at(QStringLiteral("txtAPI")), QStringLiteral("40"));
    EXPECT_EQ(after.texts.at(QStringLiteral("txtP(3)")), QStringLiteral("1200"));
    for (const auto& [name, value] : before.numbers)
        EXPECT_NEAR(after.numbers.at(name), value, 1e-4 * std::max(1.0, std::fabs(value)))
            << qPrintable(name);
    EXPECT_EQ(after.letters, before.letters);
    // Enabling follows the loaded options.
    EXPECT_TRUE(OwnEnabled(w.ui().pressure->txtP[1]));
    EXPECT_FALSE(OwnEnabled(w.ui().pressure->txtMinP));
    EXPECT_TRUE(OwnEnabled(w.ui().gas->txtGC[1]));
    EXPECT_FALSE(OwnEnabled(w.ui().gas->txtGasGrav));
    EXPECT_TRUE(OwnEnabled(w.ui().rockInput->txtHRAir));

    // The load stored nothing; the next edit is stored again.
    const QString where = QStringLiteral(" WHERE PrjID = ") + QString::number(id);
    w.SelectTab(kTabRockInput);
    w.Type(w.ui().rockInput->txtHRAir, QStringLiteral("125"));
    EXPECT_DOUBLE_EQ(QueryValue(database.Path(), "SELECT HRAir FROM tblRock" + where).toDouble(), 125.0);
}

TEST(Projects, EditRenamesTheOpenProject) {
    const DatabaseChoice database = DatabaseChoice::Empty();
    Workstation w(database);
    NewProject(w, QStringLiteral("Draft"), QStringLiteral("me"), QStringLiteral("first"));
    const std::int32_t id = w.State().CurPrjID;
    QString shownName;
    {
        WhenModal edit([&](QWidget* dialog) {
            EXPECT_EQ(dialog->windowTitle(), QStringLiteral("Edit Project Data"));
            auto* name = Find<QLineEdit>(dialog, QStringLiteral("txtPrjName"));
            shownName = name->text();
            name->setText(QStringLiteral("Final"));
            Find<QPushButton>(dialog, QStringLiteral("cmdSave"))->click();
        });
        w.ui().mnuEdit->trigger();
        ASSERT_TRUE(edit.Ran());
    }
    EXPECT_EQ(shownName, QStringLiteral("Draft"));
    EXPECT_EQ(w.ui().txtProject->text(), QStringLiteral("Final"));
    EXPECT_EQ(w.State().CurPrjName, QStringLiteral("Final"));
    EXPECT_EQ(w.State().CurPrjID, id);
    EXPECT_EQ(QueryValue(database.Path(), QStringLiteral("SELECT PrjName FROM tblProject")).toString(),
              QStringLiteral("Final"));
    EXPECT_EQ(QueryValue(database.Path(), QStringLiteral("SELECT PrjDesc FROM tblProject")).toString(),
              QStringLiteral("first"));
}

TEST(Projects, NewCancelledCreatesNothing) {
    const DatabaseChoice database = DatabaseChoice::Empty();
    Workstation w(database);
    {
        WhenModal cancel([](QWidget* dialog) {
            Find<QLineEdit>(dialog, QStringLiteral("txtPrjName"))->setText(QStringLiteral("Never"));
            Find<QPushButton>(dialog, QStringLiteral("cmdCancel"))->click();
        });
        w.ui().mnuNew->trigger();
        ASSERT_TRUE(cancel.Ran());
    }
    EXPECT_EQ(ProjectCount(database.Path()), 0);
    EXPECT_FALSE(w.State().ProjectOpen);
    EXPECT_FALSE(w.ui().txtProject->isVisible());
}

// The same names q7-batch save refuses: the dialog says why and stays open; nothing is stored.
TEST(Projects, NewRefusesNamesThatCouldNotBeNamedAgain) {
    const DatabaseChoice database = DatabaseChoice::Empty();
    Workstation w(database);
    for (const QString& name :
         {QStringLiteral("--id"), QStringLiteral("a\tb"), QStringLiteral("a\nb"), QStringLiteral(" ")}) {
        w.Messages().Clear();
        bool stayedOpen = false;
        WhenModal refuse([&](QWidget* dialog) {
            Find<QLineEdit>(dialog, QStringLiteral("txtPrjName"))->setText(name);
            Find<QPushButton>(dialog, QStringLiteral("cmdSave"))->click();
            stayedOpen = dialog->isVisible();
            Find<QPushButton>(dialog, QStringLiteral("cmdCancel"))->click();
        });
        w.ui().mnuNew->trigger();
        ASSERT_TRUE(refuse.Ran());
        EXPECT_TRUE(stayedOpen) << name.toStdString();
        ASSERT_EQ(w.Messages().Errors().size(), 1u) << name.toStdString();
        EXPECT_EQ(w.Messages().Errors()[0].title, QStringLiteral("Invalid Project Name"));
        EXPECT_TRUE(
            w.Messages().Errors()[0].text.startsWith(QStringLiteral("The project cannot be saved: ")));
    }
    EXPECT_EQ(ProjectCount(database.Path()), 0);
    EXPECT_FALSE(w.State().ProjectOpen);
}

TEST(Projects, OpenAfterComputingAsksFirst) {
    const DatabaseChoice database = DatabaseChoice::Empty();
    AddProject(database.Path(), QStringLiteral("Kept"));
    Workstation w(database);
    w.CompleteOilTab();
    w.SelectTab(kTabFluidProps);
    ASSERT_TRUE(w.State().SettingsInUse);
    w.Messages().AnswerNext(false);
    w.ui().mnuOpen->trigger();
    ASSERT_EQ(w.Messages().All().size(), 1u);
    const RecordedMessage& question = w.Messages().All()[0];
    EXPECT_EQ(question.kind, RecordedMessage::Question);
    EXPECT_EQ(question.title, QStringLiteral("Open existing Project"));
    EXPECT_EQ(question.text, QStringLiteral("You will lose your current settings!.  Proceed?"));
    // No: nothing changes.
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(w.State().SettingsInUse);
    EXPECT_FALSE(w.State().ProjectOpen);
    EXPECT_TRUE(w.ui().mnuPrint->isEnabled());
    EXPECT_EQ(w.ui().sstMain->currentIndex(), kTabFluidProps);

    // Yes: the list opens; loading selects the title tab and leaves the output menus as they were.
    w.Messages().AnswerNext(true);
    {
        WhenModal open([](QWidget* dialog) { Find<QPushButton>(dialog, QStringLiteral("cmdOK"))->click(); });
        w.ui().mnuOpen->trigger();
        ASSERT_TRUE(open.Ran());
    }
    EXPECT_FALSE(w.State().SettingsInUse);
    EXPECT_TRUE(w.State().ProjectOpen);
    EXPECT_EQ(w.ui().sstMain->currentIndex(), kTabTitle);
    EXPECT_TRUE(w.ui().mnuPrint->isEnabled());

    // With a project open there is no question.
    w.Messages().Clear();
    w.SelectTab(kTabOil);
    w.CompleteOilTab();
    w.SelectTab(kTabFluidProps);
    {
        WhenModal cancel(
            [](QWidget* dialog) { Find<QPushButton>(dialog, QStringLiteral("cmdCancel"))->click(); });
        w.ui().mnuOpen->trigger();
        ASSERT_TRUE(cancel.Ran());
    }
    EXPECT_TRUE(w.Messages().All().empty());
    EXPECT_EQ(w.ui().txtProject->text(), QStringLiteral("Kept"));
}

TEST(Projects, DeleteAnsweredNoThenYes) {
    const DatabaseChoice database = DatabaseChoice::Empty();
    const std::int32_t beta = AddProject(database.Path(), QStringLiteral("Beta"));
    const std::int32_t alpha = AddProject(database.Path(), QStringLiteral("Alpha"));
    Workstation w(database);
    auto deleteFirst = [&w] {
        WhenModal confirm([](QWidget* dialog) {
            EXPECT_EQ(Find<QPushButton>(dialog, QStringLiteral("cmdOK"))->text(), QStringLiteral("&Delete"));
            Find<QPushButton>(dialog, QStringLiteral("cmdOK"))->click();
        });
        w.ui().mnuDelete->trigger();
        EXPECT_TRUE(confirm.Ran());
    };

    w.Messages().AnswerNext(false);
    deleteFirst();
    ASSERT_EQ(w.Messages().All().size(), 1u);
    EXPECT_EQ(w.Messages().All()[0].title, QStringLiteral("Remove Project from Q7"));
    // The list is by name: Alpha comes first.
    EXPECT_EQ(w.Messages().All()[0].text, QStringLiteral("Delete project Alpha.  Are you sure?"));
    EXPECT_EQ(ProjectCount(database.Path()), 2);

    w.Messages().AnswerNext(true);
    deleteFirst();
    EXPECT_EQ(ProjectCount(database.Path()), 1);
    const QString& db = database.Path();
    EXPECT_EQ(QueryValue(db, QStringLiteral("SELECT PrjID FROM tblProject")).toInt(), beta);
    EXPECT_EQ(
        QueryValue(db, QStringLiteral("SELECT COUNT(*) FROM tblRock WHERE PrjID = %1").arg(alpha)).toInt(),
        0);
    EXPECT_FALSE(w.State().ProjectOpen);
    EXPECT_EQ(w.State().CurPrjID, 0);
}

// Another program holding the database: the edit stays in the form and the object, and the
// failure is shown.
TEST(Projects, AStoreFailureIsShownAndTheEditKept) {
    const DatabaseChoice database = DatabaseChoice::Empty();
    Workstation w(database);
    NewProject(w, QStringLiteral("Busy"), QString(), QString());
    const QString name = QStringLiteral("app-test-lock");
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        other.setDatabaseName(database.Path());
        ASSERT_TRUE(other.open());
        QSqlQuery lock(other);
        ASSERT_TRUE(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        w.SelectTab(kTabPhases);
        w.Type(w.ui().phases->txtStdP, QStringLiteral("7"));
        QSqlQuery(other).exec(QStringLiteral("ROLLBACK"));
        other.close();
    }
    QSqlDatabase::removeDatabase(name);
    const auto errors = w.Messages().Errors();
    ASSERT_FALSE(errors.empty());
    EXPECT_EQ(errors[0].title, QStringLiteral("Project Database Error"));
    EXPECT_EQ(w.ui().phases->txtStdP->text(), QStringLiteral("7"));
    EXPECT_FLOAT_EQ(w.Objects().Fluid.StdP(), 7.0f);
}

// Projects -> Open of the only project in the list.
void OpenOnlyProject(Workstation& w) {
    WhenModal open([&](QWidget* dialog) { Find<QPushButton>(dialog, QStringLiteral("cmdOK"))->click(); });
    w.ui().mnuOpen->trigger();
    ASSERT_TRUE(open.Ran());
}

// Two workstations on one server database: the second opens the first one's project read-only,
// is told who has it, and stores none of its edits; once the first closes it, it is editable.
TEST(Projects, OnAServerAProjectOpenInOneWorkstationIsReadOnlyInAnother) {
    const DatabaseChoice database = DatabaseChoice::Server();
    if (database.Path().isEmpty()) Q7_MISSING_TOOL("no PostgreSQL server to test against");
    const std::int32_t id = AddProject(database.Path(), QStringLiteral("Shared field"));
    const QString where = QStringLiteral(" WHERE PrjID = %1").arg(id);

    Workstation first(database);
    ASSERT_TRUE(first.ui().mnuProj->menuAction()->isVisible());
    OpenOnlyProject(first);
    EXPECT_TRUE(first.Messages().All().empty());
    EXPECT_TRUE(first.ui().mnuEdit->isEnabled());

    Workstation second(database);
    OpenOnlyProject(second);
    ASSERT_EQ(second.Messages().All().size(), 1u);
    const RecordedMessage& told = second.Messages().All()[0];
    EXPECT_EQ(told.title, QStringLiteral("Project Open Elsewhere"));
    EXPECT_TRUE(told.text.contains(QLatin1String("Shared field"))) << told.text.toStdString();
    EXPECT_TRUE(told.text.contains(QLatin1String("since"))) << told.text.toStdString();
    EXPECT_TRUE(told.text.contains(QLatin1String("read-only"))) << told.text.toStdString();
    EXPECT_TRUE(second.State().ProjectOpen);
    EXPECT_FALSE(second.ui().mnuEdit->isEnabled());

    // An edit in the second window is not stored; one in the first is.
    const double stored =
        QueryValue(database.Path(), "SELECT StdPressure FROM tblFluidSpec" + where).toDouble();
    second.SelectTab(kTabPhases);
    second.Type(second.ui().phases->txtStdP, QStringLiteral("14.2"));
    EXPECT_DOUBLE_EQ(QueryValue(database.Path(), "SELECT StdPressure FROM tblFluidSpec" + where).toDouble(),
                     stored);
    first.SelectTab(kTabPhases);
    first.Type(first.ui().phases->txtStdP, QStringLiteral("14.5"));
    EXPECT_DOUBLE_EQ(QueryValue(database.Path(), "SELECT StdPressure FROM tblFluidSpec" + where).toDouble(),
                     14.5);
    EXPECT_TRUE(first.Messages().Errors().empty());

    // Closed in the first, reopened in the second: now the second edits it.
    first.ui().mnuClose->trigger();
    second.ui().mnuClose->trigger();
    second.Messages().Clear();
    OpenOnlyProject(second);
    EXPECT_TRUE(second.Messages().All().empty());
    EXPECT_TRUE(second.ui().mnuEdit->isEnabled());
    second.SelectTab(kTabPhases);
    second.Type(second.ui().phases->txtStdP, QStringLiteral("14.8"));
    EXPECT_DOUBLE_EQ(QueryValue(database.Path(), "SELECT StdPressure FROM tblFluidSpec" + where).toDouble(),
                     14.8);
}

// A server that cannot be reached at start-up: no Project menu, and the reason said once.
TEST(Projects, AServerThatCannotBeReachedLeavesOutTheProjectMenuAndSaysWhy) {
    App();
    qputenv("Q7_DATABASE", "postgresql://nobody@127.0.0.1:1/q7");
    FakeMessages messages;
    {
        frmMain window(messages);
        EXPECT_FALSE(window.Controls().mnuProj->menuAction()->isVisible());
    }
    qunsetenv("Q7_DATABASE");
    ASSERT_EQ(messages.All().size(), 1u);
    EXPECT_EQ(messages.All()[0].title, QStringLiteral("Project Database Error"));
    EXPECT_TRUE(messages.All()[0].text.contains(QLatin1String("cannot be reached")))
        << messages.All()[0].text.toStdString();
}

} // namespace
} // namespace q7::test

// Creating, listing, editing and deleting projects in the project database.
#include "tests/store/StoreTestSupport.h"

#include "numeric/Errors.h"
#include "store/clsQ7IO.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <functional>

namespace q7 {
namespace {

using test::SampleObjects;
using test::Scalar;
using test::TempDatabase;

using test::kDataTables;
// Run on both backends: the SQLite file and a database on the test server.
class ProjectStore : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        Q7_SKIP_WITHOUT_SERVER(GetParam());
        io.OpenDatabase(db.Path());
        ASSERT_TRUE(io.Q7FOUND()) << io.OpenProblem().toStdString();
    }

    // The project dialog's "Add new Project" Save, through the store's single transaction.
    std::int32_t Create(const QString& name, const Q7Objects& objects, ProjectTables* tables = nullptr) {
        Recordset row = io.NewREC(QStringLiteral("tblProject"));
        row.SetValue(QStringLiteral("PrjName"), name);
        row.SetValue(QStringLiteral("CreatedBy"), QStringLiteral("J. Engineer"));
        row.SetValue(QStringLiteral("PrjDesc"), QStringLiteral("Test well ") + name);
        ProjectTables created = io.CreateProject(row, objects);
        if (tables != nullptr) *tables = std::move(created);
        return static_cast<std::int32_t>(row.Value(QStringLiteral("PrjID")).toLongLong());
    }

    int CountRows(const char* table, std::int32_t prjID) {
        return Scalar(db.Path(), QStringLiteral("SELECT count(*) FROM %1 WHERE PrjID = ?").arg(table),
                      {prjID})
            .toInt();
    }

    TempDatabase db{GetParam()};
    clsQ7IO io;
};

// Every column against the object property it is written from, to single precision.
TEST_P(ProjectStore, ColumnsHoldTheObjectsValues) {
    SampleObjects sample;
    const Q7Objects& o = sample.objects;
    const std::int32_t id = Create(QStringLiteral("Values"), o);

    struct Expected {
        const char* table;
        QString column;
        float value;
    };
    std::vector<Expected> cases = {
        {"tblFluidSpec", "StdPressure", o.Fluid.StdP()},
        {"tblFluidSpec", "StdTemp", o.Fluid.StdTf()},
        {"tblFluidSpec", "RESTEMP", o.Fluid.ResTf()},
        {"tblPressureSpec", "MinPr", o.Prs.PrMin()},
        {"tblPressureSpec", "InitPr", o.Prs.PrIni()},
        {"tblPressureSpec", "MaxPr", o.Prs.PrMax()},
        {"tblOilGravity", "API", o.Oil.API()},
        {"tblOilGravity", "SpecGrav", o.Oil.OilSG()},
        {"tblOilGravity", "SepGasGrav", o.Oil.SepGG()},
        {"tblOilGravity", "SepP", o.Oil.SepP()},
        {"tblOilGravity", "SepT", o.Oil.SepTf()},
        {"tblOilGravity", "InitGO", o.Oil.RSI()},
        {"tblOilGravity", "BPP", o.Oil.Pbp()},
        {"tblGasComp", "GasGrav", o.Gas.GasGrav()},
        {"tblGasComp", "MFnitrogen", o.Gas.mfN()},
        {"tblGasComp", "mfCO2", o.Gas.mfCO2()},
        {"tblGasComp", "mfH2S", o.Gas.mfH2S()},
        {"tblWater", "PPMSalinity", float(o.Water.PPM())},
        {"tblWater", "PERSalinity", o.Water.PER()},
        {"tblRock", "RockType", float(o.Rock.Fluids())},
        {"tblRock", "DrainType", float(o.Rock.Displace())},
        {"tblRock", "LithType", float(o.Rock.Lith())},
        {"tblRock", "WetType", float(o.Rock.Wet())},
        {"tblRock", "CorrType", float(o.Rock.CORR())},
        {"tblRock", "SWC", o.Rock.SWC()},
        {"tblRock", "SORW", o.Rock.SORW()},
        {"tblRock", "SORG", o.Rock.SORG()},
        {"tblRock", "SGCrit", o.Rock.SGCrit()},
        {"tblRock", "CoreyK", o.Rock.CoreyK()},
        {"tblRock", "CoreyN", o.Rock.CoreyN()},
        {"tblRock", "HRPoro", o.Rock.HRPoro()},
        {"tblRock", "HRAir", o.Rock.HRAir()},
        {"tblRock", "HRKrg", o.Rock.HRKrg()},
    };
    for (std::int16_t k = 1; k <= 15; ++k)
        cases.push_back({"tblGasComp", QStringLiteral("gc%1").arg(k), o.Gas.GetGC(k)});

    for (const Expected& e : cases) {
        const QVariant stored = Scalar(
            db.Path(), QStringLiteral("SELECT %1 FROM %2 WHERE PrjID = ?").arg(e.column, e.table), {id});
        ASSERT_FALSE(stored.isNull()) << e.table << "." << e.column.toStdString();
        EXPECT_EQ(static_cast<float>(stored.toDouble()), e.value) << e.table << "." << e.column.toStdString();
    }

    // Phase flags as 1 and 0; temperatures in °F whatever the entry unit (15.5 °C = 59.9 °F).
    EXPECT_NEAR(Scalar(db.Path(), "SELECT StdTemp FROM tblFluidSpec WHERE PrjID = ?", {id}).toDouble(), 59.9,
                1e-4);
    const std::pair<const char*, const char*> texts[] = {
        {"CAST(PhaseOil AS TEXT) || CAST(PhaseGas AS TEXT) || CAST(PhaseWater AS TEXT) FROM tblFluidSpec",
         "110"},
        {"StdTempUnits || ResTempUnits FROM tblFluidSpec", "FF"},
        {"SepTUnits FROM tblOilGravity", "F"},
        {"GasEntry FROM tblGasComp", "C"},
        {"PrRange FROM tblPressureSpec", "R"}};
    for (const auto& [select, text] : texts)
        EXPECT_EQ(Scalar(db.Path(), QStringLiteral("SELECT %1 WHERE PrjID = ?").arg(select), {id}).toString(),
                  QString::fromLatin1(text))
            << select;
}

// The individual pressures belong to mode "I" only.
TEST_P(ProjectStore, IndividualPressuresAreStoredOnlyInModeI) {
    SampleObjects range;
    const std::int32_t rangeID = Create(QStringLiteral("Range"), range.objects);
    for (int k = 1; k <= 18; ++k)
        EXPECT_TRUE(Scalar(db.Path(),
                           QStringLiteral("SELECT p%1 FROM tblPressureSpec WHERE PrjID = ?").arg(k),
                           {rangeID})
                        .isNull())
            << "p" << k;

    SampleObjects typed;
    typed.objects.Prs.PrRange("I");
    typed.objects.Prs.SetPRSi("1500", 1);
    typed.objects.Prs.SetPRSi("2500", 2);
    typed.objects.Prs.SetPRSi("3750.5", 3);
    const std::int32_t typedID = Create(QStringLiteral("Typed"), typed.objects);
    for (std::int16_t k = 1; k <= 18; ++k) {
        const QVariant stored = Scalar(
            db.Path(), QStringLiteral("SELECT p%1 FROM tblPressureSpec WHERE PrjID = ?").arg(k), {typedID});
        ASSERT_FALSE(stored.isNull()) << "p" << k;
        // The places after the list hold 0, not copies of its last pressure (which reloaded as
        // eighteen pressures).
        const float expected = k <= typed.objects.Prs.NPRSi() ? typed.objects.Prs.GetPRSi(k) : 0.0f;
        EXPECT_EQ(static_cast<float>(stored.toDouble()), expected) << "p" << k;
    }
    EXPECT_EQ(Scalar(db.Path(), "SELECT p3 FROM tblPressureSpec WHERE PrjID = ?", {typedID}).toDouble(),
              3750.5);

    // Mode "I" before any pressure is typed: the project is created, with no pressures stored.
    SampleObjects empty;
    empty.objects.Prs.PrRange("I");
    const std::int32_t emptyID = Create(QStringLiteral("Empty list"), empty.objects);
    EXPECT_EQ(CountRows("tblPressureSpec", emptyID), 1);
    EXPECT_EQ(Scalar(db.Path(), "SELECT count(p1) FROM tblPressureSpec WHERE PrjID = ?", {emptyID}).toInt(),
              0);
}

TEST_P(ProjectStore, GetProjectsListsByNameAndIsEmptyOnAnEmptyDatabase) {
    Recordset none = io.GetProjects();
    EXPECT_EQ(none.RecordCount(), 0);
    EXPECT_TRUE(none.IsEOF());
    EXPECT_EQ(none.ColumnNames(), (QStringList{"PrjName", "DateCreate", "CreatedBy", "PrjDesc", "PrjID"}));

    SampleObjects sample;
    std::map<QString, std::int32_t> ids;
    for (const char* name : {"Troll", "alpha", "Ekofisk", "brae", "Alwyn"})
        ids[name] = Create(QString::fromLatin1(name), sample.objects);

    Recordset list = io.GetProjects();
    ASSERT_EQ(list.RecordCount(), 5);
    QStringList names;
    for (list.MoveFirst(); !list.IsEOF(); list.MoveNext()) {
        names.append(list.Value(QStringLiteral("PrjName")).toString());
        EXPECT_EQ(list.Value(QStringLiteral("prjid")).toInt(), ids[names.back()]);
        EXPECT_EQ(list.Value(4).toInt(), ids[names.back()]);
        EXPECT_EQ(list.Value(QStringLiteral("CreatedBy")).toString(), QStringLiteral("J. Engineer"));
    }
    // Names in alphabetical order without regard to case, as the Access list showed them.
    EXPECT_EQ(names, (QStringList{"alpha", "Alwyn", "brae", "Ekofisk", "Troll"}));
}

// A new project has one row in each of the seven tables; deleting one removes all of its rows only.
TEST_P(ProjectStore, DelProjectRemovesEveryRowAndLeavesOthers) {
    SampleObjects sample;
    const std::int32_t keep = Create(QStringLiteral("Keep"), sample.objects);
    const std::int32_t drop = Create(QStringLiteral("Drop"), sample.objects);
    ASSERT_GT(keep, 0);
    ASSERT_NE(keep, drop);
    ASSERT_EQ(CountRows("tblProject", drop), 1);
    for (const char* table : kDataTables)
        ASSERT_EQ(CountRows(table, drop), 1) << table;
    io.DelProject(drop);
    EXPECT_EQ(CountRows("tblProject", drop), 0);
    EXPECT_EQ(CountRows("tblProject", keep), 1);
    for (const char* table : kDataTables) {
        EXPECT_EQ(CountRows(table, drop), 0) << table;
        EXPECT_EQ(CountRows(table, keep), 1) << table;
    }
    EXPECT_NO_THROW(io.DelProject(drop));
    EXPECT_NO_THROW(io.DelProject(987654));
    EXPECT_EQ(io.GetProjects().RecordCount(), 1);
}

// An edit made through one of the loaded cursors is in the file once SaveREC returns.
TEST_P(ProjectStore, CursorEditsAreVisibleToAFreshConnection) {
    SampleObjects sample;
    const std::int32_t id = Create(QStringLiteral("Edited"), sample.objects);
    ProjectTables tables = io.LoadProjectTables(id);
    ASSERT_EQ(tables.Oil.RecordCount(), 1);
    ASSERT_EQ(tables.Rock.RecordCount(), 1);

    tables.Oil.SetValue(QStringLiteral("api"), 41.25f);
    tables.Gas.SetValue(QStringLiteral("GasEntry"), QStringLiteral("G"));
    tables.Pressure.SetValue(QStringLiteral("P7"), 2750);
    EXPECT_TRUE(tables.Oil.EditPending());
    io.SaveREC(tables.Oil);
    io.SaveREC(tables.Gas);
    io.SaveREC(tables.Pressure);
    EXPECT_FALSE(tables.Oil.EditPending());

    EXPECT_EQ(Scalar(db.Path(), "SELECT API FROM tblOilGravity WHERE PrjID = ?", {id}).toDouble(), 41.25);
    EXPECT_EQ(Scalar(db.Path(), "SELECT GasEntry FROM tblGasComp WHERE PrjID = ?", {id}).toString(), "G");
    EXPECT_EQ(Scalar(db.Path(), "SELECT p7 FROM tblPressureSpec WHERE PrjID = ?", {id}).toDouble(), 2750.0);
    // Other columns and other projects' rows are untouched.
    EXPECT_EQ(static_cast<float>(
                  Scalar(db.Path(), "SELECT SepP FROM tblOilGravity WHERE PrjID = ?", {id}).toDouble()),
              sample.objects.Oil.SepP());

    // The cursor returned by creation writes to the same row.
    ProjectTables created;
    const std::int32_t other = Create(QStringLiteral("Other"), sample.objects, &created);
    created.Water.SetValue(QStringLiteral("PPMSalinity"), 0);
    io.SaveREC(created.Water);
    EXPECT_EQ(Scalar(db.Path(), "SELECT PPMSalinity FROM tblWater WHERE PrjID = ?", {other}).toInt(), 0);
    EXPECT_EQ(Scalar(db.Path(), "SELECT count(*) FROM tblWater").toInt(), 2);
}

// The project dialog's "Edit Project Data": only the three descriptive columns change. DateCreate
// is filled by the database on creation.
TEST_P(ProjectStore, EditingTheProjectRowRewritesOnlyItsFields) {
    SampleObjects sample;
    Recordset fresh = io.NewREC(QStringLiteral("tblProject"));
    fresh.SetValue(QStringLiteral("prjname"), QStringLiteral("Before")); // names in any case
    io.CreateProject(fresh, sample.objects);
    const std::int32_t id = fresh.Value(QStringLiteral("PrjID")).toInt();
    const QString created = fresh.Value(QStringLiteral("DateCreate")).toString();
    const QDateTime when = QDateTime::fromString(created, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    ASSERT_TRUE(when.isValid()) << created.toStdString();
    EXPECT_LE(std::abs(when.secsTo(QDateTime::currentDateTime())), 120);
    Recordset row = io.GetProject(id);
    ASSERT_EQ(row.RecordCount(), 1);
    row.SetValue(QStringLiteral("PrjName"), QStringLiteral("After"));
    row.SetValue(QStringLiteral("CreatedBy"), QStringLiteral(""));
    row.SetValue(QStringLiteral("PrjDesc"), QStringLiteral("Re-described"));
    io.SaveREC(row);
    EXPECT_EQ(
        test::RowsOf(db.Path(), "tblProject"),
        QStringList{QStringLiteral("PrjID=%1 PrjName=After DateCreate=%2 CreatedBy= PrjDesc=Re-described")
                        .arg(id)
                        .arg(created)});
    EXPECT_EQ(io.GetProject(id + 1000).RecordCount(), 0);
}

// A failure part way through creating or deleting leaves the database as it was.
TEST_P(ProjectStore, CreationOrDeletionThatFailsPartWayChangesNothing) {
    SampleObjects sample;
    test::RefuseWrites(db, QStringLiteral("tblWater"), QStringLiteral("INSERT"));

    Recordset row = io.NewREC(QStringLiteral("tblProject"));
    row.SetValue(QStringLiteral("PrjName"), QStringLiteral("Half"));
    EXPECT_THROW(io.CreateProject(row, sample.objects), DatabaseError);
    EXPECT_EQ(Scalar(db.Path(), "SELECT count(*) FROM tblProject").toInt(), 0);
    for (const char* table : kDataTables)
        EXPECT_EQ(Scalar(db.Path(), QStringLiteral("SELECT count(*) FROM %1").arg(table)).toInt(), 0)
            << table;
    // The row is still the unsaved new row, so Save can be pressed again.
    EXPECT_TRUE(row.EditPending());
    EXPECT_TRUE(row.Value(QStringLiteral("PrjID")).isNull());

    test::AllowWrites(db, QStringLiteral("tblWater"), QStringLiteral("INSERT"));
    io.CreateProject(row, sample.objects);
    const std::int32_t id = row.Value(QStringLiteral("PrjID")).toInt();
    for (const char* table : kDataTables)
        EXPECT_EQ(CountRows(table, id), 1) << table;

    // Deleting that fails part way removes nothing.
    test::RefuseWrites(db, QStringLiteral("tblProject"), QStringLiteral("DELETE"));
    EXPECT_THROW(io.DelProject(id), DatabaseError);
    EXPECT_EQ(CountRows("tblProject", id), 1);
    for (const char* table : kDataTables)
        EXPECT_EQ(CountRows(table, id), 1) << table;
}

TEST_P(ProjectStore, RecordsetRejectsWhatItCannotDo) {
    SampleObjects sample;
    const std::int32_t id = Create(QStringLiteral("Guarded"), sample.objects);
    Recordset rock = io.LoadPrjTbl(QStringLiteral("TBLROCK"), id);
    EXPECT_EQ(rock.Table(), QStringLiteral("tblRock"));
    EXPECT_THROW(rock.SetValue(QStringLiteral("NoSuchColumn"), 1), DatabaseError);
    EXPECT_THROW(rock.Value(QStringLiteral("NoSuchColumn")), DatabaseError);
    rock.MoveNext();
    EXPECT_TRUE(rock.IsEOF());
    EXPECT_THROW(rock.Value(QStringLiteral("SWC")), DatabaseError);

    // A table name is checked against the project's tables before it reaches any SQL.
    EXPECT_THROW(io.LoadPrjTbl(QStringLiteral("tblRock; DROP TABLE tblProject"), id), DatabaseError);
    EXPECT_THROW(io.NewREC(QStringLiteral("sqlite_master")), DatabaseError);
    EXPECT_EQ(CountRows("tblProject", id), 1);

    // Text travels as a bound value, quotes and all.
    Recordset row = io.GetProject(id);
    row.SetValue(QStringLiteral("PrjDesc"), QStringLiteral("O'Brien's \"test\"; DROP TABLE tblRock; --"));
    io.SaveREC(row);
    EXPECT_EQ(Scalar(db.Path(), "SELECT PrjDesc FROM tblProject WHERE PrjID = ?", {id}).toString(),
              QStringLiteral("O'Brien's \"test\"; DROP TABLE tblRock; --"));
    EXPECT_EQ(CountRows("tblRock", id), 1);

    // An appended row that is cancelled never reaches the database.
    Recordset fresh = io.NewREC(QStringLiteral("tblProject"));
    fresh.SetValue(QStringLiteral("PrjName"), QStringLiteral("Cancelled"));
    fresh.CancelUpdate();
    EXPECT_EQ(fresh.RecordCount(), 0);
    EXPECT_EQ(Scalar(db.Path(), "SELECT count(*) FROM tblProject").toInt(), 1);

    // A row edited after its project was deleted reports that it is gone.
    Recordset oil = io.LoadPrjTbl(QStringLiteral("tblOilGravity"), id);
    io.DelProject(id);
    oil.SetValue(QStringLiteral("API"), 30);
    EXPECT_THROW(io.SaveREC(oil), DatabaseError);
}

INSTANTIATE_TEST_SUITE_P(Backends, ProjectStore, ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const ::testing::TestParamInfo<Backend>& info) {
                             return test::BackendName(info.param);
                         });

} // namespace
} // namespace q7

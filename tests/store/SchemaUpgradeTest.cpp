// A project database made by the program before laboratory data (schema version 1) opens, is
// brought up to the current schema in one step, and keeps every project exactly as stored.
#include "tests/store/StoreTestSupport.h"

#include "numeric/Errors.h"
#include "store/ProjectSchema.h"
#include "store/SqlSupport.h"
#include "store/clsQ7IO.h"

#include <QFile>
#include <QFileDevice>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <map>
#include <memory>
#include <string>

namespace q7 {
namespace {

using test::RowsOf;
using test::Scalar;

constexpr const char* kVersionOneTables[] = {"tblProject", "tblFluidSpec", "tblPressureSpec", "tblOilGravity",
                                             "tblGasComp", "tblWater",     "tblRock"};

// A version-1 database with three projects, written from the SQL kept beside the tests: an SQLite
// file, or a database on the test server (the same SQL as the server runs the schema).
class VersionOneDatabase : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        Q7_SKIP_WITHOUT_SERVER(GetParam());
        db = std::make_unique<test::TempDatabase>(GetParam(), false);
        path = db->Path();
        QFile dump(QStringLiteral(Q7_STORE_DATA "/projects-v1.sql"));
        ASSERT_TRUE(dump.open(QIODevice::ReadOnly)) << dump.fileName().toStdString();
        QString sql;
        for (const QString& line : QString::fromUtf8(dump.readAll()).split(QLatin1Char('\n')))
            if (!line.trimmed().startsWith(QStringLiteral("--"))) sql += line + QLatin1Char('\n');
        for (const QString& statement : SchemaPrologue(GetParam()))
            test::Execute(path, statement);
        for (const QString& statement : sql.split(QLatin1Char(';')))
            if (!statement.trimmed().isEmpty()) test::Execute(path, SchemaStatement(GetParam(), statement));
        // The rows were written with their keys: the server's identity goes on after them.
        if (GetParam() == Backend::PostgreSQL)
            test::Execute(path,
                          "SELECT setval(pg_get_serial_sequence('tblproject', 'prjid'), max(prjid)) FROM "
                          "tblproject");
        ASSERT_EQ(Scalar(path, "SELECT value FROM meta WHERE key = 'schema_version'").toString(),
                  QStringLiteral("1"));
        for (const char* table : kVersionOneTables)
            before[table] = RowsOf(path, QString::fromLatin1(table));
    }

    QStringList Tables() const {
        QStringList names =
            Scalar(path, GetParam() == Backend::SQLite
                             ? "SELECT group_concat(name) FROM sqlite_master WHERE type = 'table'"
                             : "SELECT string_agg(table_name, ',') FROM information_schema.tables WHERE "
                               "table_schema = 'public'")
                .toString()
                .split(QLatin1Char(','));
        for (QString& name : names)
            if (const QString ours = CanonicalTableName(name); !ours.isEmpty()) name = ours;
        return names;
    }

    std::unique_ptr<test::TempDatabase> db;
    QString path;
    std::map<std::string, QStringList> before;
};

TEST_P(VersionOneDatabase, OpensUpgradedWithEveryProjectKept) {
    clsQ7IO io;
    io.OpenDatabase(path);
    ASSERT_TRUE(io.Q7FOUND()) << io.OpenProblem().toStdString();
    EXPECT_EQ(Scalar(path, "SELECT value FROM meta WHERE key = 'schema_version'").toString(),
              QString::number(kSchemaVersion));

    // Every row of the old tables is as it was, value for value; the columns later versions added
    // follow the old ones.
    for (const char* table : kVersionOneTables) {
        const QStringList after = RowsOf(path, QString::fromLatin1(table));
        ASSERT_EQ(after.size(), before[table].size()) << table;
        for (qsizetype i = 0; i < after.size(); ++i)
            EXPECT_TRUE(after[i] == before[table][i] ||
                        after[i].startsWith(before[table][i] + QLatin1Char(' ')))
                << table << "\n"
                << before[table][i].toStdString() << "\n"
                << after[i].toStdString();
    }
    // Each project has its laboratory row, nothing measured.
    EXPECT_EQ(Scalar(path, "SELECT count(*) FROM tblLabData").toInt(), 3);
    EXPECT_EQ(Scalar(path,
                     "SELECT count(*) FROM tblLabData WHERE PrjID IN (SELECT PrjID FROM tblProject) AND "
                     "LabPb IS NULL AND LabRsb IS NULL AND LabBob IS NULL AND LabMuob IS NULL")
                  .toInt(),
              3);

    // The projects list, load and delete as projects made by this version do.
    EXPECT_EQ(io.GetProjects().RecordCount(), 3);
    const ProjectTables tables = io.LoadProjectTables(2);
    for (const Recordset* rs : tables.All())
        EXPECT_EQ(rs->RecordCount(), 1) << rs->Table().toStdString();
    EXPECT_EQ(tables.Gas.Value(QStringLiteral("GasEntry")).toString(), QStringLiteral("C"));
    io.DelProject(4);
    EXPECT_EQ(Scalar(path, "SELECT count(*) FROM tblLabData").toInt(), 2);

    // A new project after the upgrade gets every row, the laboratory one included.
    test::SampleObjects sample;
    Recordset row = io.NewREC(QStringLiteral("tblProject"));
    row.SetValue(QStringLiteral("PrjName"), QStringLiteral("After"));
    io.CreateProject(row, sample.objects);
    const int id = row.Value(QStringLiteral("PrjID")).toInt();
    for (const char* table : test::kDataTables)
        EXPECT_EQ(
            Scalar(path, QStringLiteral("SELECT count(*) FROM %1 WHERE PrjID = ?").arg(table), {id}).toInt(),
            1)
            << table;
}

// Opening it again, or by a second program, upgrades nothing twice.
TEST_P(VersionOneDatabase, UpgradesOnce) {
    {
        clsQ7IO first;
        first.OpenDatabase(path);
        ASSERT_TRUE(first.Q7FOUND()) << first.OpenProblem().toStdString();
        clsQ7IO second;
        second.OpenDatabase(path);
        ASSERT_TRUE(second.Q7FOUND()) << second.OpenProblem().toStdString();
    }
    clsQ7IO again;
    again.OpenDatabase(path);
    ASSERT_TRUE(again.Q7FOUND()) << again.OpenProblem().toStdString();
    EXPECT_EQ(Scalar(path, "SELECT count(*) FROM tblLabData").toInt(), 3);
    EXPECT_EQ(Scalar(path, "SELECT count(*) FROM meta").toInt(), 1);
}

// An upgrade that fails part way leaves the database exactly as it was, and says why.
TEST_P(VersionOneDatabase, FailedUpgradeChangesNothing) {
    test::RefuseWrites(*db, QStringLiteral("meta"), QStringLiteral("UPDATE"));
    clsQ7IO io;
    io.OpenDatabase(path);
    EXPECT_FALSE(io.Q7FOUND());
    EXPECT_TRUE(io.OpenProblem().contains(QStringLiteral("Upgrading the project database")))
        << io.OpenProblem().toStdString();
    EXPECT_TRUE(io.OpenProblem().contains(QStringLiteral("refused"))) << io.OpenProblem().toStdString();
    EXPECT_FALSE(Tables().contains(QStringLiteral("tblLabData")));
    EXPECT_EQ(Scalar(path, "SELECT value FROM meta WHERE key = 'schema_version'").toString(),
              QStringLiteral("1"));
    for (const char* table : kVersionOneTables)
        EXPECT_EQ(RowsOf(path, QString::fromLatin1(table)), before[table]) << table;

    // Once the obstacle is gone, the next open upgrades.
    test::AllowWrites(*db, QStringLiteral("meta"), QStringLiteral("UPDATE"));
    io.OpenDatabase(path);
    EXPECT_TRUE(io.Q7FOUND()) << io.OpenProblem().toStdString();
}

// A version-1 file the user cannot write is not changed; the reason says what to do. The program
// that opens it is a child running as an ordinary user (root may write any file).
TEST_P(VersionOneDatabase, ReadOnlyFileIsNotUpgraded) {
    if (GetParam() != Backend::SQLite) GTEST_SKIP() << "about the SQLite file";
    ASSERT_EQ(::chmod(db->Folder().toLocal8Bit().constData(), 0755), 0);
    ASSERT_TRUE(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup |
                                                QFileDevice::ReadOther));
    QProcess child;
    child.start(QStringLiteral(Q7_STORE_CHILD), {QStringLiteral("readonly"), path, QStringLiteral("1")});
    ASSERT_TRUE(child.waitForFinished(20000));
    const std::string said = child.readAllStandardOutput().toStdString();
    EXPECT_EQ(child.exitCode(), 0) << said;
    EXPECT_NE(said.find("found=0"), std::string::npos) << said;
    EXPECT_NE(said.find("schema version 1"), std::string::npos) << said;
    EXPECT_EQ(Scalar(path, "SELECT value FROM meta WHERE key = 'schema_version'").toString(),
              QStringLiteral("1"));
}

// A new database is made at the current version with the laboratory table; an old one that was
// not upgraded is named as such (with what to do), not as a file with a table missing.
TEST_P(VersionOneDatabase, NewDatabaseIsCurrentAndAnOldOneIsNamed) {
    if (GetParam() != Backend::SQLite) GTEST_SKIP() << "about the SQLite file";
    test::TempDatabase made;
    EXPECT_EQ(Scalar(made.Path(), "SELECT value FROM meta WHERE key = 'schema_version'").toString(),
              QString::number(kSchemaVersion));
    EXPECT_EQ(Scalar(made.Path(), "SELECT count(*) FROM sqlite_master WHERE name = 'tblLabData'").toInt(), 1);

    ScopedConnection connection("old");
    QSqlDatabase db = connection.Database();
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open());
    EXPECT_EQ(SchemaVersion(db), 1);
    const QString problem = SchemaProblem(db);
    EXPECT_TRUE(problem.contains(QStringLiteral("schema version 1"))) << problem.toStdString();
    EXPECT_TRUE(problem.contains(QStringLiteral("upgraded"))) << problem.toStdString();
    EXPECT_TRUE(UpgradeSchema(db));
    EXPECT_FALSE(UpgradeSchema(db));
    EXPECT_EQ(SchemaVersion(db), kSchemaVersion);
    EXPECT_EQ(SchemaProblem(db), QString());
    db.close();
}

INSTANTIATE_TEST_SUITE_P(Backends, VersionOneDatabase,
                         ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const ::testing::TestParamInfo<Backend>& info) {
                             return test::BackendName(info.param);
                         });

} // namespace
} // namespace q7

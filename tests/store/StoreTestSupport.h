#pragma once
// Shared pieces of the store tests: a QCoreApplication for the SQL driver plugin, a temporary
// folder with a fresh project database, a second connection to look at what a file holds, and a
// set of calculation objects with inputs different from the defaults.
#include "engine/MessageSink.h"
#include "engine/Q7Objects.h"
#include "store/SqlDialect.h"
#include "tests/support/ToolTestSupport.h"

#include <QString>
#include <QTemporaryDir>
#include <QVariant>

#include <memory>
#include <ostream>

// Readable test failures for Qt's strings.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace q7::test {

// The URI of the test server's maintenance database: Q7_TEST_PG_URI, else the first line of the
// state file written by tests/store/pg-cluster, the CTest fixture that starts a throwaway cluster
// (build/<preset>/tests/store/pg-cluster.state, or the file Q7_TEST_PG_STATE names); empty when
// there is no server to test against.
QString ServerUri();
// The folder of the fixture's cluster (second line of that file), for stopping and starting it.
QString ServerState();
// Skips the test, with the reason, when the backend is the server and there is none (fails it
// under CI=true).
#define Q7_SKIP_WITHOUT_SERVER(backend)                                                                      \
    if ((backend) == ::q7::Backend::PostgreSQL && ::q7::test::ServerUri().isEmpty())                         \
    Q7_MISSING_TOOL("no PostgreSQL server to test against (PostgreSQL's programs are not installed, or "     \
                    "the pg-cluster fixture did not run)")

// Names the backend in a parameterised test's name.
std::string BackendName(Backend backend);

// A fresh empty project database that lives as long as the object: a file in a temporary folder,
// or a new database on the test server (created, given the schema, and dropped afterwards).
// Path() names it as Q7_DATABASE would (the file's path or the database's URI).
class TempDatabase {
public:
    explicit TempDatabase(Backend backend = Backend::SQLite, bool withSchema = true);
    ~TempDatabase();
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;
    const QString& Path() const { return m_path; }
    QString Folder() const { return m_dir.path(); }
    Backend Kind() const { return m_backend; }

private:
    QTemporaryDir m_dir;
    QString m_path;
    QString m_serverName;
    Backend m_backend;
};

// Makes every insert into (or delete from) `table` fail, as a full disk or a constraint would,
// until AllowWrites; `event` is "INSERT" or "DELETE".
void RefuseWrites(const TempDatabase& db, const QString& table, const QString& event);
void AllowWrites(const TempDatabase& db, const QString& table, const QString& event);

// Runs one SQL statement on its own connection to `path` and returns the first value of the first
// row, or an invalid QVariant when there is no row. Fails the test on an SQL error.
QVariant Scalar(const QString& path, const QString& sql, const QVariantList& values = {});
// Every row of a table as "column=value" texts, for comparing whole rows.
QStringList RowsOf(const QString& path, const QString& table, const QString& where = {});
// Runs a statement that returns nothing on its own connection.
void Execute(const QString& path, const QString& sql);

// The seven tables of a project's data, beside tblProject.
inline const char* const kDataTables[] = {"tblFluidSpec", "tblPressureSpec", "tblOilGravity", "tblGasComp",
                                          "tblWater",     "tblRock",         "tblLabData"};

// Calculation objects with non-default inputs in every table the store writes.
struct SampleObjects {
    SampleObjects();
    NullMessageSink sink;
    Q7Objects objects{sink};
};

} // namespace q7::test

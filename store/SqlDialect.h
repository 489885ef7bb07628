#pragma once
// Where the project database is (an SQLite file or a PostgreSQL server named by a libpq URI) and
// the few places where the SQL of the two differs. Every other piece of the store writes its SQL
// once, with bound parameters, and asks here for what differs: the connection, the schema's types
// (the one schema text is written for SQLite and translated for the server), taking the write lock
// at the start of a transaction, returning a new row's key, quoting a name, the catalog, and the
// project holds that tell one workstation that another has a project open.
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace q7 {

enum class Backend { SQLite, PostgreSQL };

// A database as Q7_DATABASE (or a command line) names it.
struct DatabaseTarget {
    Backend backend = Backend::SQLite;
    QString file; // the SQLite file
    // The server's database (from postgresql://USER@HOST[:PORT]/DBNAME[?key=value&...]).
    QString user;
    QString host;
    int port = -1;
    QString database;
    QStringList options; // libpq's key=value parameters, as given
    // Why the name cannot be used; empty when it can.
    QString problem;

    // What the workstation shows: "database DBNAME on HOST[:PORT]" or the file's path.
    QString Display() const;
};

// Whether `name` is a server URI (postgresql:// or postgres://) rather than a file path.
bool IsServerUri(const QString& name);
// Reads a database name: a server URI, or else a path to an SQLite file. A password in the URI is
// never used (libpq takes it from PGPASSWORD or ~/.pgpass) and makes the URI unusable.
DatabaseTarget ParseDatabaseName(const QString& name);
// The name as it may be shown: a URI without any password it holds; a path unchanged.
QString ShownDatabaseName(const QString& name);

// Adds a connection named `connection` for the target with its driver and parameters, not yet
// opened (an invalid database when the driver is missing). `readOnly` and `busyTimeoutMs` apply to
// SQLite files.
QSqlDatabase AddConnection(const DatabaseTarget& target, const QString& connection, bool readOnly,
                           int busyTimeoutMs);
// Settings that the server applies for the session once the connection is open: waiting on
// another user's lock and a statement's run are both bounded.
void PrepareSession(QSqlDatabase& db);

Backend BackendOf(const QSqlDatabase& db);

// One statement of the schema text as the backend runs it.
QString SchemaStatement(Backend backend, const QString& statement);
// What the backend needs before the schema's statements (the case-insensitive collation of the
// names on the server) and after them (the table of project holds).
QStringList SchemaPrologue(Backend backend);
QStringList SchemaEpilogue(Backend backend);
// Whether the connected database holds no table at all (a server database made for us but not
// filled yet).
bool DatabaseIsEmpty(QSqlDatabase& db);
// Serialises creating the schema between workstations that find the same database empty; call
// inside the transaction.
void LockForSchemaChange(QSqlDatabase& db);

// The statement that starts a transaction taking the write lock at once.
QString BeginWriteStatement(Backend backend);
// A table or column name quoted as the backend folds it (names are ASCII).
QString QuotedName(Backend backend, const QString& name);
// A table's name as the backend's catalog holds it (the server folds unquoted names to lower case).
QString CatalogName(Backend backend, const QString& name);
// The clause an INSERT ends with so that the query returns the new row's PrjID (empty: the driver's
// last insert id gives it).
QString ReturningKeyClause(Backend backend);
// The query giving a table's columns as (name, 1 when part of the key), in order; one bound value,
// the table name.
QString TableColumnsQuery(Backend backend);

// Who holds a project, and since when.
struct ProjectHolder {
    QString who;
    QString since;
};

// Takes the hold on a project for this connection; on the server another connection's hold
// refuses it and `holder` (when given) says whose it is. An SQLite file has no holds: always true.
// Throws DatabaseError when the server cannot be asked.
bool TakeProjectHold(QSqlDatabase& db, std::int32_t prjID, ProjectHolder* holder);
// Gives a hold back (no error when it was not held).
void ReleaseProjectHold(QSqlDatabase& db, std::int32_t prjID);
// Whose hold is on the project right now, another connection's or this one's; empty when none.
ProjectHolder CurrentProjectHolder(QSqlDatabase& db, std::int32_t prjID);
// "project NAME is open in WHO since SINCE" wording shared by every refusal.
QString HeldText(const ProjectHolder& holder);

// Whether the failure means the server connection is gone (the next operation reconnects).
bool IsConnectionLost(const QSqlDatabase& db, const QSqlError& error);

} // namespace q7

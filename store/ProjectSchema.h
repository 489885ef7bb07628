#pragma once
// The project database's schema: the text of store/schema.sql built into the library, creating a
// new database from it, and recognising a database of ours.
#include "store/ProjectTables.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace q7 {

// Version written into the meta table of a new database; a database with a higher one was made by
// a newer program and is not opened.
inline constexpr int kSchemaVersion = 3;

// The schema's SQL statements, comments removed, in file order.
QStringList SchemaStatements();

// Creates every table of the schema on an open, empty database in one transaction. Throws
// DatabaseError and leaves the database as it was on failure.
void CreateSchema(QSqlDatabase& db);

// Creates the schema in one transaction when the open database holds no table yet (a server
// database made empty for us); returns whether it did. Throws DatabaseError.
bool CreateSchemaIfEmpty(QSqlDatabase& db);

// The schema version the open database's meta table records; 0 when it records none that can be
// read.
int SchemaVersion(QSqlDatabase& db);

// Brings an open database of an older schema version up to kSchemaVersion, one version at a time,
// all in one transaction: every project is kept, and on failure the database is left as it was
// and DatabaseError is thrown. A database already at kSchemaVersion (or newer, or not ours) is
// left alone. Returns whether anything was changed.
bool UpgradeSchema(QSqlDatabase& db);

// Why the open database is not a project database of ours (no meta table, a newer schema version,
// a table or column missing, not an SQLite file); on either backend; empty when it is one.
QString SchemaProblem(QSqlDatabase& db);

// Writes a new, empty project database (WAL journal) to `path`: built under a temporary name beside
// it and renamed into place, so a failure leaves any file already there untouched. Throws
// DatabaseError.
void CreateDatabaseFile(const QString& path);

// The name of a column of the table as the schema spells it (matched without regard to case), or
// `name` itself for a column the schema does not have.
QString CanonicalColumnName(const QString& table, const QString& name);

// The name of a table of ours matching `name` without regard to case, or empty.
QString CanonicalTableName(const QString& name);

} // namespace q7

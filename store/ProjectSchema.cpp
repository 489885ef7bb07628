#include "store/ProjectSchema.h"

#include "engine/MessageSink.h"
#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"
#include "numeric/Errors.h"
#include "store/SchemaText.h"
#include "store/SqlDialect.h"
#include "store/SqlSupport.h"
#include "store/StoredProject.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace q7 {

namespace {

struct ColumnInfo {
    QString name;
    bool primaryKey = false;
};

// Columns of a table as the database reports them; empty for a table that does not exist.
std::vector<ColumnInfo> TableColumns(QSqlDatabase& db, const QString& table) {
    std::vector<ColumnInfo> columns;
    QSqlQuery query(db);
    ExecOrThrow(query, TableColumnsQuery(BackendOf(db)), {table},
                QStringLiteral("Reading the columns of %1").arg(table));
    while (query.next())
        columns.push_back({query.value(0).toString(), query.value(1).toBool()});
    return columns;
}

// The tables and columns of the schema text, read once from an in-memory database built from it.
const std::map<QString, std::vector<ColumnInfo>>& ReferenceTables() {
    static const std::map<QString, std::vector<ColumnInfo>> tables = [] {
        std::map<QString, std::vector<ColumnInfo>> result;
        ScopedConnection connection("schema-reference");
        QSqlDatabase db = connection.Database();
        db.setDatabaseName(QStringLiteral(":memory:"));
        if (!db.open()) ThrowDatabaseError(QStringLiteral("Opening an in-memory database"), db.lastError());
        CreateSchema(db);
        for (const char* table : kProjectTables)
            result[QString::fromLatin1(table)] = TableColumns(db, QString::fromLatin1(table));
        db.close();
        return result;
    }();
    return tables;
}

void Exec(QSqlDatabase& db, const QString& sql, const QString& action) {
    QSqlQuery query(db);
    if (!query.exec(sql)) ThrowDatabaseError(action, query.lastError());
}

// The version in the meta table, or 0 with the reason in `problem`.
int ReadVersion(QSqlDatabase& db, QString& problem) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT value FROM meta WHERE key = 'schema_version'"))) {
        // SQLITE_NOTADB (26) and SQLITE_CORRUPT (11): the file is no database at all, or a damaged one.
        const QString code = query.lastError().nativeErrorCode();
        if (code == QLatin1String("26") || code == QLatin1String("11"))
            problem = QStringLiteral("the file is not an SQLite database, or it is damaged (%1)")
                          .arg(query.lastError().text());
        else
            problem = QStringLiteral("no schema version (%1)").arg(query.lastError().text());
        return 0;
    }
    if (!query.next()) {
        problem = QStringLiteral("no schema version");
        return 0;
    }
    bool ok = false;
    const int version = query.value(0).toString().toInt(&ok);
    if (!ok || version < 1) {
        problem = QStringLiteral("an unreadable schema version");
        return 0;
    }
    return version;
}

// The schema's CREATE TABLE statement of one table, so that an upgrade creates a table exactly as
// a new database has it.
QString CreateTableStatement(const QString& table) {
    const QString head = QStringLiteral("CREATE TABLE ") + table + QLatin1Char(' ');
    for (const QString& statement : SchemaStatements())
        if (statement.startsWith(head, Qt::CaseInsensitive)) return statement;
    throw DatabaseError(("The schema has no table " + table).toStdString());
}

// The column definitions of one table of the schema text, in order: {name, "PcowMax    REAL"}.
std::vector<std::pair<QString, QString>> ColumnDefinitions(const QString& table) {
    const QString statement = CreateTableStatement(table);
    const qsizetype open = statement.indexOf(QLatin1Char('('));
    const qsizetype close = statement.lastIndexOf(QLatin1Char(')'));
    std::vector<std::pair<QString, QString>> columns;
    QString current;
    int depth = 0;
    const auto take = [&] {
        const QString definition = current.simplified();
        if (!definition.isEmpty())
            columns.emplace_back(definition.section(QLatin1Char(' '), 0, 0), definition);
        current.clear();
    };
    for (const QChar c : statement.mid(open + 1, close - open - 1)) {
        if (c == QLatin1Char('(')) ++depth;
        if (c == QLatin1Char(')')) --depth;
        if (c == QLatin1Char(',') && depth == 0)
            take();
        else
            current += c;
    }
    take();
    return columns;
}

// A statement of an upgrade step with its bound values.
struct UpgradeStatement {
    QString sql;
    QVariantList values;
};

// Widens a data table to the schema text's: each column the database's table lacks is added as a new
// database has it (at the end, in the schema's order), and every project already stored gets there
// what saving a project of the program's start-up inputs writes, which is what the projects were
// computed with before the column existed (a column no project field stores stays Null).
std::vector<UpgradeStatement> AddedColumns(QSqlDatabase& db, ProjectTable role) {
    const QString table = QString::fromLatin1(ProjectTableName(role));
    const std::vector<ColumnInfo> present = TableColumns(db, table);
    const Backend backend = BackendOf(db);
    NullMessageSink sink;
    const Q7Objects startUp(sink);
    std::vector<UpgradeStatement> statements;
    QStringList assignments;
    QVariantList values;
    for (const auto& [name, definition] : ColumnDefinitions(table)) {
        const bool there = std::any_of(present.begin(), present.end(), [&](const ColumnInfo& c) {
            return c.name.compare(name, Qt::CaseInsensitive) == 0;
        });
        if (there) continue;
        statements.push_back({QStringLiteral("ALTER TABLE %1 ADD COLUMN %2").arg(table, definition), {}});
        const ProjectField* field = FindField(name.toStdString());
        if (!field || field->table != table.toStdString()) continue;
        if (const std::optional<QVariant> value = ValueToStore(*field, startUp)) {
            assignments.append(QuotedName(backend, name) + QStringLiteral(" = ?"));
            values.append(*value);
        }
    }
    if (!assignments.isEmpty())
        statements.push_back(
            {QStringLiteral("UPDATE %1 SET %2").arg(table, assignments.join(QStringLiteral(", "))), values});
    return statements;
}

// The statements that bring a database of version `from` to version `from` + 1.
std::vector<UpgradeStatement> UpgradeStatements(QSqlDatabase& db, int from) {
    switch (from) {
    case 1:
        // Laboratory data: a row of Nulls (nothing measured) for every project already stored.
        return {{CreateTableStatement(QString::fromLatin1(ProjectTableName(ProjectTable::Lab))), {}},
                {QStringLiteral("INSERT INTO tblLabData (PrjID) SELECT PrjID FROM tblProject"), {}}};
    default: {
        // From version 2 on, a step only adds columns (3: the correlation choices of the oil and gas
        // tables; the capillary pressure, LET curves and row count of the rock table): every data
        // table is widened to the schema text's.
        if (from < 2)
            throw DatabaseError("No upgrade of the project database from schema version " +
                                std::to_string(from));
        std::vector<UpgradeStatement> statements;
        for (const ProjectTableInfo& table : kProjectDataTables)
            for (UpgradeStatement& statement : AddedColumns(db, table.role))
                statements.push_back(std::move(statement));
        return statements;
    }
    }
}

} // namespace

QStringList SchemaStatements();

namespace {

// Runs `work` in one write transaction, under the lock that serialises schema changes between
// programs: committed when it returns, rolled back when it throws. Returns what `work` returns.
bool SchemaTransaction(QSqlDatabase& db, const QString& action, const std::function<bool()>& work) {
    Exec(db, BeginWriteStatement(BackendOf(db)), action);
    try {
        LockForSchemaChange(db);
        const bool changed = work();
        Exec(db, QStringLiteral("COMMIT"), action);
        return changed;
    } catch (...) {
        QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
        throw;
    }
}

// Every statement of the schema as the connection's backend runs it, inside the caller's transaction.
void ExecSchema(QSqlDatabase& db, const QString& action) {
    const Backend backend = BackendOf(db);
    for (const QString& statement : SchemaPrologue(backend))
        Exec(db, statement, action);
    for (const QString& statement : SchemaStatements())
        Exec(db, SchemaStatement(backend, statement), action);
    for (const QString& statement : SchemaEpilogue(backend))
        Exec(db, statement, action);
}

} // namespace

QStringList SchemaStatements() {
    QStringList statements;
    QString current;
    const QStringList lines = QString::fromUtf8(detail::kSchemaText).split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const qsizetype comment = line.indexOf(QStringLiteral("--"));
        current += (comment >= 0 ? line.left(comment) : line) + QLatin1Char('\n');
    }
    for (const QString& part : current.split(QLatin1Char(';'))) {
        const QString statement = part.trimmed();
        if (!statement.isEmpty()) statements.append(statement);
    }
    return statements;
}

void CreateSchema(QSqlDatabase& db) {
    const QString action = QStringLiteral("Creating the project database");
    SchemaTransaction(db, action, [&] {
        ExecSchema(db, action);
        return true;
    });
}

bool CreateSchemaIfEmpty(QSqlDatabase& db) {
    const QString action = QStringLiteral("Creating the project database");
    // Two programs finding the same database empty: the second waits for the lock and then finds it
    // filled.
    return SchemaTransaction(db, action, [&] {
        if (!DatabaseIsEmpty(db)) return false;
        ExecSchema(db, action);
        return true;
    });
}

int SchemaVersion(QSqlDatabase& db) {
    QString problem;
    return ReadVersion(db, problem);
}

bool UpgradeSchema(QSqlDatabase& db) {
    const int version = SchemaVersion(db);
    if (version < 1 || version >= kSchemaVersion) return false;
    const QString action = QStringLiteral("Upgrading the project database from schema version %1 to %2")
                               .arg(version)
                               .arg(kSchemaVersion);
    const Backend backend = BackendOf(db);
    return SchemaTransaction(db, action, [&] {
        // Read again inside the transaction: another program may have upgraded it meanwhile.
        int from = SchemaVersion(db);
        if (from < 1 || from >= kSchemaVersion) return false;
        for (; from < kSchemaVersion; ++from)
            for (const UpgradeStatement& statement : UpgradeStatements(db, from)) {
                QSqlQuery query(db);
                ExecOrThrow(query, SchemaStatement(backend, statement.sql), statement.values, action);
            }
        QSqlQuery query(db);
        ExecOrThrow(query, QStringLiteral("UPDATE meta SET value = ? WHERE key = 'schema_version'"),
                    {QString::number(kSchemaVersion)}, action);
        return true;
    });
}

QString SchemaProblem(QSqlDatabase& db) {
    try {
        QString problem;
        const int version = ReadVersion(db, problem);
        if (version == 0) return problem;
        if (version < kSchemaVersion)
            return QStringLiteral("schema version %1, older than this program's %2; it is upgraded when "
                                  "opened from a file that can be written")
                .arg(version)
                .arg(kSchemaVersion);
        if (version > kSchemaVersion)
            return QStringLiteral("schema version %1, made by a newer program (this one reads %2)")
                .arg(version)
                .arg(kSchemaVersion);
        for (const auto& [table, expected] : ReferenceTables()) {
            const std::vector<ColumnInfo> actual = TableColumns(db, table);
            if (actual.empty()) return QStringLiteral("the table %1 is missing").arg(table);
            for (const ColumnInfo& column : expected) {
                const auto found = std::find_if(actual.begin(), actual.end(), [&](const ColumnInfo& c) {
                    return c.name.compare(column.name, Qt::CaseInsensitive) == 0;
                });
                if (found == actual.end())
                    return QStringLiteral("the column %1 of %2 is missing").arg(column.name, table);
                if (column.primaryKey && !found->primaryKey)
                    return QStringLiteral("the column %1 of %2 is not its key").arg(column.name, table);
            }
        }
        return {};
    } catch (const DatabaseError& e) {
        return QString::fromStdString(e.what());
    }
}

void CreateDatabaseFile(const QString& path) {
    const QFileInfo target(path);
    const QString temporary = target.absoluteFilePath() + QStringLiteral(".new");
    QFile::remove(temporary);
    {
        ScopedConnection connection("create");
        QSqlDatabase db = connection.Database();
        db.setDatabaseName(temporary);
        if (!db.open())
            ThrowDatabaseError(QStringLiteral("Creating the project database %1").arg(temporary),
                               db.lastError());
        try {
            // WAL is recorded in the file and holds for every later connection.
            Exec(db, QStringLiteral("PRAGMA journal_mode = WAL"), QStringLiteral("Setting the journal mode"));
            CreateSchema(db);
        } catch (...) {
            db.close();
            QFile::remove(temporary);
            throw;
        }
        db.close();
    }
    QFile::remove(temporary + QStringLiteral("-wal"));
    QFile::remove(temporary + QStringLiteral("-shm"));
    // A journal left beside the file being replaced belongs to the old database, not the new one.
    QFile::remove(target.absoluteFilePath() + QStringLiteral("-wal"));
    QFile::remove(target.absoluteFilePath() + QStringLiteral("-shm"));
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        const int error = errno;
        QFile::remove(temporary);
        throw DatabaseError(QStringLiteral("Creating the project database %1: %2")
                                .arg(target.absoluteFilePath(), QString::fromLocal8Bit(std::strerror(error)))
                                .toStdString());
    }
}

QString CanonicalColumnName(const QString& table, const QString& name) {
    const auto& tables = ReferenceTables();
    const auto found = tables.find(table);
    if (found == tables.end()) return name;
    for (const ColumnInfo& column : found->second)
        if (column.name.compare(name, Qt::CaseInsensitive) == 0) return column.name;
    return name;
}

QString CanonicalTableName(const QString& name) {
    for (const char* table : kProjectTables)
        if (name.compare(QLatin1String(table), Qt::CaseInsensitive) == 0) return QString::fromLatin1(table);
    return {};
}

} // namespace q7

#include "store/clsQ7IO.h"

#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"
#include "numeric/Errors.h"
#include "store/DatabaseLocation.h"
#include "store/DatabaseLock.h"
#include "store/ProjectSchema.h"
#include "store/SqlDialect.h"
#include "store/SqlSupport.h"
#include "store/StoredProject.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QUrl>

#include <cstdint>
#include <exception>

namespace q7 {

namespace {

// Whether reading the database fails because another program holds it locked.
bool IsLocked(QSqlDatabase& db) {
    QSqlQuery query(db);
    query.exec(QStringLiteral("PRAGMA busy_timeout = 0")); // the open has waited already
    return !query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master")) &&
           IsLockedError(query.lastError());
}

} // namespace

clsQ7IO::clsQ7IO() = default;

clsQ7IO::~clsQ7IO() {
    try {
        Close();
    } catch (...) {
        // Closing at the end of the run ignores every failure.
    }
}

void clsQ7IO::Q7Open() {
    QString path;
    try {
        path = LocateDatabase();
    } catch (...) {
        path.clear();
    }
    OpenDatabase(path);
}

void clsQ7IO::OpenDatabase(const QString& path) {
    Close();
    m_target = ParseDatabaseName(path);
    m_path = ShownDatabaseName(path);
    m_problem.clear();
    m_readOnly = false;
    if (m_target.backend == Backend::PostgreSQL) {
        OpenServer();
        return;
    }
    bool locked = false;
    try {
        const QFileInfo file(path);
        if (path.isEmpty()) {
            m_problem = QStringLiteral("no database file is named");
        } else if (file.isDir()) {
            m_problem = QStringLiteral("%1 is a folder, not a database file").arg(path);
        } else if (!file.exists()) {
            m_problem = QStringLiteral("the file %1 does not exist").arg(path);
        } else if (!file.isFile()) {
            m_problem =
                QStringLiteral("%1 is not a regular file (a pipe, a device or a socket), not a database "
                               "file")
                    .arg(path);
        } else {
            // Without write access to the file, or to its folder for the WAL index, read only.
            const bool folderWritable = QFileInfo(file.absolutePath()).isWritable();
            m_readOnly = !file.isWritable() || !folderWritable;
            // A read-only WAL database whose index cannot be created beside it is read as an
            // immutable file (only possible when no journal is left beside it).
            const bool immutable = m_readOnly && !folderWritable &&
                                   !QFileInfo::exists(file.absoluteFilePath() + QStringLiteral("-wal")) &&
                                   !QFileInfo::exists(file.absoluteFilePath() + QStringLiteral("-shm"));
            m_connection = NewConnectionName("project");
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
            if (!db.isValid()) {
                m_problem = QStringLiteral("Qt's SQLite driver is not installed");
            } else {
                QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs);
                if (m_readOnly) options += QStringLiteral(";QSQLITE_OPEN_READONLY");
                if (immutable) {
                    db.setDatabaseName(
                        QUrl::fromLocalFile(file.absoluteFilePath()).toString(QUrl::FullyEncoded) +
                        QStringLiteral("?immutable=1"));
                    options += QStringLiteral(";QSQLITE_OPEN_URI");
                } else {
                    db.setDatabaseName(file.absoluteFilePath());
                }
                db.setConnectOptions(options);
                if (!db.open()) {
                    m_problem = db.lastError().text();
                } else {
                    // An older database is brought up to date first (not a read-only one).
                    if (!m_readOnly) {
                        try {
                            UpgradeSchema(db);
                        } catch (const DatabaseError& e) {
                            m_problem = QString::fromUtf8(e.what());
                        }
                    }
                    if (m_problem.isEmpty()) m_problem = SchemaProblem(db);
                    if (!m_problem.isEmpty()) locked = IsLocked(db);
                    if (m_problem.isEmpty()) {
                        QSqlQuery query(db);
                        if (!m_readOnly && query.exec(QStringLiteral("PRAGMA journal_mode")) &&
                            query.next() &&
                            query.value(0).toString().compare(QStringLiteral("wal"), Qt::CaseInsensitive) !=
                                0)
                            query.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
                        // Every committed edit is on disk before SaveREC returns.
                        query.exec(QStringLiteral("PRAGMA synchronous = FULL"));
                        query.exec(QStringLiteral("PRAGMA foreign_keys = ON"));
                        m_found = true;
                    }
                }
            }
        }
    } catch (const std::exception& e) {
        m_problem = QString::fromUtf8(e.what());
    } catch (...) {
        m_problem = QStringLiteral("unknown failure");
    }
    if (!m_found) {
        QString problem = m_problem;
        Close();
        // Asked only now: looking for the holder must not disturb a connection of this process.
        if (locked)
            problem = QString::fromStdString(LockedReason(QFileInfo(path).absoluteFilePath().toStdString())) +
                      QStringLiteral(" (%1)").arg(problem);
        m_problem = problem;
    }
}

void clsQ7IO::OpenServer() {
    try {
        if (!m_target.problem.isEmpty()) {
            m_problem = m_target.problem;
        } else {
            m_connection = NewConnectionName("project");
            QSqlDatabase db = AddConnection(m_target, m_connection, false, kBusyTimeoutMs);
            if (!db.isValid()) {
                m_problem = QStringLiteral("Qt's PostgreSQL driver is not installed (libqt6sql6-psql)");
            } else if (!db.open()) {
                m_problem = QStringLiteral("the database server cannot be reached: %1")
                                .arg(db.lastError().databaseText().trimmed().isEmpty()
                                         ? db.lastError().text()
                                         : db.lastError().databaseText().trimmed());
            } else {
                PrepareSession(db);
                // A database made empty for us gets the schema on first use; an older one is
                // brought up to date.
                if (!CreateSchemaIfEmpty(db)) UpgradeSchema(db);
                m_problem = SchemaProblem(db);
                if (m_problem.isEmpty()) {
                    EnsureHolderTable(db);
                    m_found = true;
                }
            }
        }
    } catch (const std::exception& e) {
        m_problem = QString::fromUtf8(e.what());
    }
    if (!m_found) {
        const QString problem = m_problem;
        Close();
        m_problem = problem;
    }
}

void clsQ7IO::EnsureHolderTable(QSqlDatabase& db) {
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("SELECT to_regclass('q7_project_holder') IS NULL")) && query.next() &&
        query.value(0).toBool()) {
        // A database made by an earlier program: the holds' table is added (the holds themselves
        // work without it; only the holder's name would be missing).
        for (const QString& statement : SchemaEpilogue(Backend::PostgreSQL))
            QSqlQuery(db).exec(statement);
    }
}

void clsQ7IO::Reconnect(const QString& action) {
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    {
        QSqlQuery probe(db);
        if (db.isOpen() && probe.exec(QStringLiteral("SELECT 1"))) {
            m_suspect = false;
            return;
        }
    }
    db.close();
    if (!db.open())
        throw DatabaseError(
            (action + QStringLiteral(": the database server cannot be reached: ") +
             (db.lastError().databaseText().trimmed().isEmpty() ? db.lastError().text()
                                                                : db.lastError().databaseText().trimmed()))
                .toStdString());
    PrepareSession(db);
    // The server gave up this session's holds with the old connection: take them again. One that
    // another workstation has taken meanwhile is lost, and its project can no longer be edited here.
    const std::set<std::int32_t> holds = m_holds;
    m_holds.clear();
    for (const std::int32_t prjID : holds) {
        ProjectHolder holder;
        if (TakeProjectHold(db, prjID, &holder))
            m_holds.insert(prjID);
        else
            m_lostHolds[prjID] = holder;
    }
    m_suspect = false;
}

bool clsQ7IO::HoldProject(std::int32_t prjID, ProjectHolder* holder) {
    const QString action = QStringLiteral("Opening project %1").arg(prjID);
    RequireOpen(action);
    if (m_target.backend != Backend::PostgreSQL || m_holds.count(prjID)) return true;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    try {
        if (!TakeProjectHold(db, prjID, holder)) return false;
    } catch (...) {
        m_suspect = true;
        throw;
    }
    m_holds.insert(prjID);
    m_lostHolds.erase(prjID);
    return true;
}

void clsQ7IO::ReleaseProject(std::int32_t prjID) {
    m_lostHolds.erase(prjID);
    if (!m_holds.erase(prjID) || m_connection.isEmpty()) return;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    ReleaseProjectHold(db, prjID);
}

ProjectHolder clsQ7IO::ProjectHeldBy(std::int32_t prjID) {
    const QString action = QStringLiteral("Asking who has project %1 open").arg(prjID);
    RequireOpen(action);
    if (m_target.backend != Backend::PostgreSQL || m_holds.count(prjID)) return {};
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    return CurrentProjectHolder(db, prjID);
}

QString clsQ7IO::DatabaseDisplay() const {
    return m_target.backend == Backend::SQLite ? m_path : m_target.Display();
}

void clsQ7IO::Close() {
    m_found = false;
    m_holds.clear();
    m_lostHolds.clear();
    m_suspect = false;
    if (m_connection.isEmpty()) return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connection, false);
        if (db.isValid()) db.close();
    }
    QSqlDatabase::removeDatabase(m_connection);
    m_connection.clear();
}

void clsQ7IO::RequireOpen(const QString& action) {
    if (m_connection.isEmpty() || !m_found)
        throw DatabaseError((action + QStringLiteral(": the project database is not open")).toStdString());
    // After a failure on the server, the connection is tried and made again before the next
    // operation (never inside a transaction: a failure there has rolled it back).
    if (m_suspect && m_target.backend == Backend::PostgreSQL && !m_inTransaction) Reconnect(action);
}

Recordset clsQ7IO::Select(const QString& table, const QString& sql, const QVariantList& values,
                          const QString& action) {
    RequireOpen(action);
    try {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        query.setForwardOnly(true);
        ExecOrThrow(query, sql, values, action);
        const QSqlRecord record = query.record();
        QStringList columns;
        // The names as the schema spells them (the server gives them folded to lower case).
        for (int i = 0; i < record.count(); ++i)
            columns.append(CanonicalColumnName(table, record.fieldName(i)));
        std::vector<QVariantList> rows;
        while (query.next()) {
            QVariantList row;
            for (int i = 0; i < record.count(); ++i)
                row.append(query.value(i));
            rows.push_back(std::move(row));
        }
        if (query.lastError().isValid()) ThrowDatabaseError(action, query.lastError());
        return Recordset(m_connection, table, columns, std::move(rows));
    } catch (const DatabaseError&) {
        MarkSuspect();
        throw;
    }
}

void clsQ7IO::Exec(const QString& sql, const QVariantList& values, const QString& action) {
    RequireOpen(action);
    try {
        QSqlQuery query(QSqlDatabase::database(m_connection, false));
        ExecOrThrow(query, sql, values, action);
    } catch (const DatabaseError&) {
        MarkSuspect();
        throw;
    }
}

void clsQ7IO::MarkSuspect() {
    if (m_target.backend == Backend::PostgreSQL) m_suspect = true;
}

void clsQ7IO::Begin(const QString& action) {
    Exec(BeginWriteStatement(m_target.backend), {}, action);
    m_inTransaction = true;
}

void clsQ7IO::Commit(const QString& action) {
    Exec(QStringLiteral("COMMIT"), {}, action);
    m_inTransaction = false;
}

void clsQ7IO::RollbackQuietly() {
    m_inTransaction = false;
    if (m_connection.isEmpty()) return;
    QSqlQuery query(QSqlDatabase::database(m_connection, false));
    query.exec(QStringLiteral("ROLLBACK"));
}

Recordset clsQ7IO::GetProjects(const QString& action) {
    return Select(QStringLiteral("tblProject"),
                  QStringLiteral("Select PrjName, DateCreate, CreatedBy, PrjDesc, PrjID ") +
                      QStringLiteral("From tblProject Order by PrjName"),
                  {}, action);
}

Recordset clsQ7IO::GetProject(std::int32_t prjID) {
    return Select(QStringLiteral("tblProject"), QStringLiteral("Select * From tblProject Where PrjID = ?"),
                  {prjID}, QStringLiteral("Reading project %1").arg(prjID));
}

Recordset clsQ7IO::LoadPrjTbl(const QString& tableName, std::int32_t prjID) {
    const QString table = CanonicalTableName(tableName);
    if (table.isEmpty())
        throw DatabaseError(QStringLiteral("Reading project %1: the project database has no table %2")
                                .arg(prjID)
                                .arg(tableName)
                                .toStdString());
    return Select(table, QStringLiteral("Select * From ") + table + QStringLiteral(" Where PrjID = ?"),
                  {prjID}, QStringLiteral("Reading %1 of project %2").arg(table).arg(prjID));
}

ProjectTables clsQ7IO::LoadProjectTables(std::int32_t prjID) {
    ProjectTables tables;
    for (const ProjectTableInfo& table : kProjectDataTables)
        tables.Of(table.role) = LoadPrjTbl(QString::fromLatin1(table.name), prjID);
    return tables;
}

Recordset clsQ7IO::NewREC(const QString& tableName) {
    const QString action = QStringLiteral("Adding a record to %1").arg(tableName);
    RequireOpen(action);
    const QString table = CanonicalTableName(tableName);
    if (table.isEmpty())
        throw DatabaseError(
            (action + QStringLiteral(": the project database has no such table")).toStdString());
    const QSqlRecord record =
        QSqlDatabase::database(m_connection, false).record(CatalogName(m_target.backend, table));
    if (record.isEmpty())
        throw DatabaseError((action + QStringLiteral(": the table's columns cannot be read")).toStdString());
    QStringList columns;
    for (int i = 0; i < record.count(); ++i)
        columns.append(CanonicalColumnName(table, record.fieldName(i)));
    Recordset rs(m_connection, table, columns, {});
    rs.AddNew();
    return rs;
}

void clsQ7IO::SaveREC(Recordset& rs) {
    const QString action = QStringLiteral("Saving the record of %1").arg(rs.Table());
    RequireOpen(action);
    if (!m_lostHolds.empty() && !rs.IsEOF() && rs.ColumnIndex(QStringLiteral("PrjID")) >= 0) {
        bool ok = false;
        const auto prjID = static_cast<std::int32_t>(rs.Value(QStringLiteral("PrjID")).toLongLong(&ok));
        if (const auto lost = m_lostHolds.find(prjID); ok && lost != m_lostHolds.end())
            throw DatabaseError((action +
                                 QStringLiteral(": the connection to the database server was lost "
                                                "and the project was opened elsewhere meanwhile; ") +
                                 HeldText(lost->second))
                                    .toStdString());
    }
    try {
        rs.Update();
    } catch (const DatabaseError&) {
        MarkSuspect();
        throw;
    }
}

Recordset clsQ7IO::SaveTable(const QString& tableName, std::int32_t prjID, const Q7Objects& objects) {
    Recordset rs = NewREC(tableName);
    rs.SetValue(QStringLiteral("PrjID"), prjID);
    for (const ProjectField* field : TableFields(rs.Table().toStdString()))
        if (const std::optional<QVariant> value = ValueToStore(*field, objects))
            rs.SetValue(QString::fromStdString(field->column), *value);
    SaveREC(rs);
    return rs;
}

ProjectTables clsQ7IO::CreateProject(Recordset& projectRow, const Q7Objects& objects) {
    const QString action = QStringLiteral("Creating the project");
    RequireOpen(action);
    if (projectRow.Table() != QLatin1String("tblProject") || !projectRow.EditPending())
        throw DatabaseError(
            (action + QStringLiteral(": the project row is not a new row of tblProject")).toStdString());
    const Recordset before = projectRow;
    Begin(action);
    try {
        SaveREC(projectRow);
        bool ok = false;
        const qlonglong id = projectRow.Value(QStringLiteral("PrjID")).toLongLong(&ok);
        if (!ok || id <= 0 || id > INT32_MAX)
            throw DatabaseError(
                (action + QStringLiteral(": the database gave no usable PrjID")).toStdString());
        const auto prjID = static_cast<std::int32_t>(id);
        ProjectTables tables;
        for (const ProjectTableInfo& table : kProjectDataTables)
            tables.Of(table.role) = SaveTable(QString::fromLatin1(table.name), prjID, objects);
        Commit(action);
        return tables;
    } catch (...) {
        RollbackQuietly();
        projectRow = before;
        throw;
    }
}

void clsQ7IO::DelProject(std::int32_t prjID) {
    const QString action = QStringLiteral("Deleting project %1").arg(prjID);
    // Data rows first, in the reverse of their creation, the project row last.
    QStringList statements;
    for (auto table = kProjectDataTables.rbegin(); table != kProjectDataTables.rend(); ++table)
        statements.append(QStringLiteral("Delete From %1 Where PrjID = ?").arg(QLatin1String(table->name)));
    statements.append(QStringLiteral("Delete From tblProject Where PrjID = ?"));
    RequireOpen(action);
    // A project open in another workstation is not deleted under it.
    const bool heldBefore = m_holds.count(prjID) > 0;
    ProjectHolder holder;
    if (!HoldProject(prjID, &holder))
        throw DatabaseError((action + QStringLiteral(": ") + HeldText(holder)).toStdString());
    try {
        Begin(action);
        try {
            for (const QString& statement : statements)
                Exec(statement, {prjID}, action);
            Commit(action);
        } catch (...) {
            RollbackQuietly();
            throw;
        }
    } catch (...) {
        if (!heldBefore) ReleaseProject(prjID);
        throw;
    }
    if (!heldBefore) ReleaseProject(prjID);
}

} // namespace q7

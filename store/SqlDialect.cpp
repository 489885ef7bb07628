#include "store/SqlDialect.h"

#include "numeric/Errors.h"
#include "store/SqlSupport.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSysInfo>
#include <QUrl>
#include <QUrlQuery>

namespace q7 {

namespace {

// The advisory lock space of project holds (the first key; the second is the PrjID).
constexpr int kHoldSpace = 0x51370001;
// The advisory lock taken while a schema is created or upgraded.
constexpr int kSchemaLock = 0x51370000;

// How long the server waits on another user's lock, and lets a statement run, before it fails.
constexpr int kLockTimeoutMs = 3000;
constexpr int kStatementTimeoutMs = 10000;
// How long reaching the server may take, in seconds.
constexpr int kConnectTimeoutSeconds = 5;

// The table of project holds on the server: one row per hold taken, naming the holder; a row
// counts only while its backend still holds the advisory lock, so a row left by a workstation that
// died is ignored and overwritten.
const char* const kHolderTable = "q7_project_holder";

bool SafeOptionText(const QString& text) {
    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9_.:/@+-]*$"));
    return allowed.match(text).hasMatch();
}

QString ThisHolder() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("LOGNAME");
    if (user.isEmpty()) user = QStringLiteral("unknown user");
    const QString program = QCoreApplication::instance()
                                ? QFileInfo(QCoreApplication::applicationFilePath()).fileName()
                                : QString();
    return user + QLatin1Char('@') + QSysInfo::machineHostName() +
           (program.isEmpty() ? QString() : QStringLiteral(" (%1)").arg(program));
}

void Run(QSqlDatabase& db, const QString& sql, const QVariantList& values, const QString& action) {
    QSqlQuery query(db);
    if (values.isEmpty()) {
        // Statements without values run unprepared (the server prepares no SET).
        if (!query.exec(sql)) ThrowDatabaseError(action, query.lastError());
        return;
    }
    ExecOrThrow(query, sql, values, action);
}

} // namespace

QString DatabaseTarget::Display() const {
    if (backend == Backend::SQLite) return file;
    QString where = host.isEmpty() ? QStringLiteral("the local server") : host;
    if (port > 0) where += QLatin1Char(':') + QString::number(port);
    return QStringLiteral("database %1 on %2").arg(database, where);
}

bool IsServerUri(const QString& name) {
    return name.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive) ||
           name.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

QString ShownDatabaseName(const QString& name) {
    if (!IsServerUri(name)) return name;
    QUrl url(name, QUrl::StrictMode);
    if (!url.isValid()) {
        // Unreadable: keep only the scheme and what follows the last '@', never what precedes it.
        const qsizetype at = name.lastIndexOf(QLatin1Char('@'));
        const qsizetype scheme = name.indexOf(QStringLiteral("://")) + 3;
        return at < 0 ? name.left(scheme) + QStringLiteral("...") : name.left(scheme) + name.mid(at + 1);
    }
    url.setPassword(QString());
    QUrlQuery query(url);
    for (const char* key : {"password", "passfile"})
        if (query.hasQueryItem(QLatin1String(key))) {
            query.removeAllQueryItems(QLatin1String(key));
            query.addQueryItem(QLatin1String(key), QStringLiteral("..."));
        }
    url.setQuery(query);
    return url.toString(QUrl::RemovePassword);
}

DatabaseTarget ParseDatabaseName(const QString& name) {
    DatabaseTarget target;
    if (!IsServerUri(name)) {
        target.file = name;
        return target;
    }
    target.backend = Backend::PostgreSQL;
    const QUrl url(name, QUrl::StrictMode);
    const QString shown = ShownDatabaseName(name);
    if (!url.isValid()) {
        target.problem = QStringLiteral("%1 is not a readable database URI").arg(shown);
        return target;
    }
    if (!url.password().isEmpty()) {
        target.problem = QStringLiteral("%1: a password is not taken from the database URI; give it in "
                                        "~/.pgpass or PGPASSWORD")
                             .arg(shown);
        return target;
    }
    target.user = url.userName();
    target.host = url.host();
    target.port = url.port(-1);
    target.database = url.path();
    if (target.database.startsWith(QLatin1Char('/'))) target.database.remove(0, 1);
    if (target.database.isEmpty() || target.database.contains(QLatin1Char('/'))) {
        target.problem =
            QStringLiteral("%1 names no database (postgresql://USER@HOST[:PORT]/DBNAME)").arg(shown);
        return target;
    }
    for (const QString& part : {target.user, target.host, target.database}) {
        if (!SafeOptionText(part)) {
            target.problem = QStringLiteral("%1: unexpected characters in \"%2\"").arg(shown, part);
            return target;
        }
    }
    const QUrlQuery query(url);
    for (const auto& [key, value] : query.queryItems(QUrl::FullyDecoded)) {
        if (key.compare(QLatin1String("password"), Qt::CaseInsensitive) == 0 ||
            key.compare(QLatin1String("passfile"), Qt::CaseInsensitive) == 0) {
            target.problem = QStringLiteral("%1: a password is not taken from the database URI; give it in "
                                            "~/.pgpass or PGPASSWORD")
                                 .arg(shown);
            return target;
        }
        if (key.isEmpty() || !SafeOptionText(key) || !SafeOptionText(value)) {
            target.problem = QStringLiteral("%1: the parameter \"%2\" cannot be used").arg(shown, key);
            return target;
        }
        target.options.append(key + QLatin1Char('=') + value);
    }
    return target;
}

QSqlDatabase AddConnection(const DatabaseTarget& target, const QString& connection, bool readOnly,
                           int busyTimeoutMs) {
    if (target.backend == Backend::SQLite) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        if (!db.isValid()) return db;
        QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs);
        if (readOnly) options += QStringLiteral(";QSQLITE_OPEN_READONLY");
        db.setConnectOptions(options);
        db.setDatabaseName(target.file);
        return db;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), connection);
    if (!db.isValid()) return db;
    db.setDatabaseName(target.database);
    if (!target.host.isEmpty()) db.setHostName(target.host);
    if (!target.user.isEmpty()) db.setUserName(target.user);
    if (target.port > 0) db.setPort(target.port);
    // Reaching the server and noticing that it went away are both bounded; the server shows the
    // program's name among its sessions.
    QStringList options = {QStringLiteral("connect_timeout=%1").arg(kConnectTimeoutSeconds),
                           QStringLiteral("application_name=fluvarex"), QStringLiteral("keepalives_idle=30"),
                           QStringLiteral("keepalives_interval=10"), QStringLiteral("keepalives_count=3")};
    options += target.options;
    db.setConnectOptions(options.join(QLatin1Char(';')));
    return db;
}

void PrepareSession(QSqlDatabase& db) {
    if (BackendOf(db) != Backend::PostgreSQL) return;
    const QString action = QStringLiteral("Preparing the database session");
    Run(db, QStringLiteral("SET lock_timeout = %1").arg(kLockTimeoutMs), {}, action);
    Run(db, QStringLiteral("SET statement_timeout = %1").arg(kStatementTimeoutMs), {}, action);
    // Every acknowledged edit is on the server's disk before the commit returns.
    Run(db, QStringLiteral("SET synchronous_commit = on"), {}, action);
    // Doubles come back as the shortest text that reads as the same double.
    Run(db, QStringLiteral("SET extra_float_digits = 1"), {}, action);
}

Backend BackendOf(const QSqlDatabase& db) {
    return db.driverName() == QLatin1String("QPSQL") ? Backend::PostgreSQL : Backend::SQLite;
}

QString SchemaStatement(Backend backend, const QString& statement) {
    if (backend == Backend::SQLite) return statement;
    QString sql = statement;
    static const QRegularExpression identity(
        QStringLiteral("\\bINTEGER\\s+PRIMARY\\s+KEY\\s+AUTOINCREMENT\\b"),
        QRegularExpression::CaseInsensitiveOption);
    sql.replace(identity, QStringLiteral("INTEGER GENERATED BY DEFAULT AS IDENTITY PRIMARY KEY"));
    // REAL is a single on the server: the stored doubles need double precision to come back whole.
    static const QRegularExpression real(QStringLiteral("\\bREAL\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
    sql.replace(real, QStringLiteral("DOUBLE PRECISION"));
    static const QRegularExpression nocase(QStringLiteral("\\bCOLLATE\\s+NOCASE\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    sql.replace(nocase, QStringLiteral("COLLATE q7_nocase"));
    static const QRegularExpression localNow(
        QStringLiteral("\\(\\s*datetime\\s*\\(\\s*'now'\\s*,\\s*'localtime'\\s*\\)\\s*\\)"),
        QRegularExpression::CaseInsensitiveOption);
    sql.replace(localNow, QStringLiteral("(to_char(localtimestamp(0), 'YYYY-MM-DD HH24:MI:SS'))"));
    return sql;
}

QStringList SchemaPrologue(Backend backend) {
    if (backend == Backend::SQLite) return {};
    // Names compare and sort without regard to case, as SQLite's NOCASE does.
    return {QStringLiteral("CREATE COLLATION IF NOT EXISTS q7_nocase "
                           "(provider = icu, locale = 'und-u-ks-level2', deterministic = false)")};
}

QStringList SchemaEpilogue(Backend backend) {
    if (backend == Backend::SQLite) return {};
    return {QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (PrjID INTEGER PRIMARY KEY, Holder TEXT NOT NULL, "
                           "Since TEXT NOT NULL, Backend INTEGER NOT NULL)")
                .arg(QLatin1String(kHolderTable))};
}

bool DatabaseIsEmpty(QSqlDatabase& db) {
    QSqlQuery query(db);
    const QString sql =
        BackendOf(db) == Backend::PostgreSQL
            ? QStringLiteral(
                  "SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema()")
            : QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table'");
    ExecOrThrow(query, sql, {}, QStringLiteral("Looking into the project database"));
    return query.next() && query.value(0).toLongLong() == 0;
}

void LockForSchemaChange(QSqlDatabase& db) {
    if (BackendOf(db) != Backend::PostgreSQL) return;
    Run(db, QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kSchemaLock), {},
        QStringLiteral("Waiting for another program creating the project database"));
}

QString BeginWriteStatement(Backend backend) {
    // On SQLite IMMEDIATE takes the write lock now (waiting for another writer up to the busy
    // timeout), so no statement of the transaction can fail later for want of it. The server locks
    // rows as they are written.
    return backend == Backend::SQLite ? QStringLiteral("BEGIN IMMEDIATE") : QStringLiteral("BEGIN");
}

QString QuotedName(Backend backend, const QString& name) {
    QString escaped = backend == Backend::PostgreSQL ? name.toLower() : name;
    escaped.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

QString CatalogName(Backend backend, const QString& name) {
    return backend == Backend::PostgreSQL ? name.toLower() : name;
}

QString ReturningKeyClause(Backend backend) {
    return backend == Backend::PostgreSQL ? QStringLiteral(" RETURNING prjid") : QString();
}

QString TableColumnsQuery(Backend backend) {
    if (backend == Backend::SQLite) return QStringLiteral("SELECT name, pk > 0 FROM pragma_table_info(?)");
    return QStringLiteral(
        "SELECT c.column_name, EXISTS (SELECT 1 FROM information_schema.table_constraints t "
        "JOIN information_schema.key_column_usage k ON k.constraint_name = t.constraint_name "
        "AND k.table_schema = t.table_schema AND k.table_name = t.table_name "
        "WHERE t.constraint_type = 'PRIMARY KEY' AND t.table_schema = c.table_schema "
        "AND t.table_name = c.table_name AND k.column_name = c.column_name) "
        "FROM information_schema.columns c WHERE c.table_schema = current_schema() "
        "AND c.table_name = lower(?) ORDER BY c.ordinal_position");
}

bool TakeProjectHold(QSqlDatabase& db, std::int32_t prjID, ProjectHolder* holder) {
    if (BackendOf(db) != Backend::PostgreSQL) return true;
    const QString action = QStringLiteral("Opening project %1").arg(prjID);
    QSqlQuery query(db);
    ExecOrThrow(query, QStringLiteral("SELECT pg_try_advisory_lock(?, ?)"), {kHoldSpace, prjID}, action);
    if (!query.next()) ThrowDatabaseError(action, query.lastError());
    if (!query.value(0).toBool()) {
        if (holder) *holder = CurrentProjectHolder(db, prjID);
        return false;
    }
    query.finish();
    Run(db,
        QStringLiteral("INSERT INTO %1 (PrjID, Holder, Since, Backend) VALUES (?, ?, "
                       "to_char(localtimestamp(0), 'YYYY-MM-DD HH24:MI:SS'), pg_backend_pid()) "
                       "ON CONFLICT (PrjID) DO UPDATE SET Holder = excluded.Holder, Since = excluded.Since, "
                       "Backend = excluded.Backend")
            .arg(QLatin1String(kHolderTable)),
        {prjID, ThisHolder()}, action);
    return true;
}

void ReleaseProjectHold(QSqlDatabase& db, std::int32_t prjID) {
    if (BackendOf(db) != Backend::PostgreSQL || !db.isOpen()) return;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("DELETE FROM %1 WHERE PrjID = ? AND Backend = pg_backend_pid()")
                      .arg(QLatin1String(kHolderTable)));
    query.bindValue(0, prjID);
    query.exec();
    query.prepare(QStringLiteral("SELECT pg_advisory_unlock(?, ?)"));
    query.bindValue(0, kHoldSpace);
    query.bindValue(1, prjID);
    query.exec();
}

ProjectHolder CurrentProjectHolder(QSqlDatabase& db, std::int32_t prjID) {
    if (BackendOf(db) != Backend::PostgreSQL) return {};
    const QString action = QStringLiteral("Asking who has project %1 open").arg(prjID);
    // The lock says whether it is held; the row names the holder when its backend is the one
    // holding the lock (a row of a session that ended is stale).
    QSqlQuery query(db);
    ExecOrThrow(query,
                QStringLiteral("SELECT h.Holder, h.Since, l.pid FROM pg_locks l LEFT JOIN %1 h "
                               "ON h.PrjID = l.objid::integer AND h.Backend = l.pid "
                               "WHERE l.locktype = 'advisory' AND l.granted AND l.classid = ? "
                               "AND l.objid = ? AND l.objsubid = 2 AND l.database = "
                               "(SELECT oid FROM pg_database WHERE datname = current_database())")
                    .arg(QLatin1String(kHolderTable)),
                {static_cast<qlonglong>(static_cast<std::uint32_t>(kHoldSpace)), prjID}, action);
    if (!query.next()) return {};
    ProjectHolder holder{query.value(0).toString(), query.value(1).toString()};
    if (holder.who.isEmpty()) holder.who = QStringLiteral("server session %1").arg(query.value(2).toString());
    return holder;
}

QString HeldText(const ProjectHolder& holder) {
    return holder.since.isEmpty() ? QStringLiteral("it is open in %1").arg(holder.who)
                                  : QStringLiteral("it is open in %1 since %2").arg(holder.who, holder.since);
}

bool IsConnectionLost(const QSqlDatabase& db, const QSqlError& error) {
    if (BackendOf(db) != Backend::PostgreSQL) return false;
    if (error.type() == QSqlError::ConnectionError) return true;
    // SQLSTATE class 08 (connection exception), 57P01..57P03 (the server shutting down or not
    // accepting connections), or no state at all from a connection that is gone.
    const QString state = error.nativeErrorCode();
    if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P"))) return true;
    const QString text = error.databaseText() + error.driverText();
    return text.contains(QLatin1String("server closed the connection"), Qt::CaseInsensitive) ||
           text.contains(QLatin1String("no connection to the server"), Qt::CaseInsensitive) ||
           text.contains(QLatin1String("terminating connection"), Qt::CaseInsensitive) ||
           text.contains(QLatin1String("connection to server"), Qt::CaseInsensitive);
}

} // namespace q7

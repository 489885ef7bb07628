#include "store/SqlSupport.h"

#include "numeric/Errors.h"

#include <atomic>
#include <charconv>
#include <cstdlib>

namespace q7 {

namespace {

// Primary SQLite result codes the driver reports as the native error code.
constexpr int kSqliteBusy = 5;
constexpr int kSqliteLocked = 6;
constexpr int kSqliteReadOnly = 8;
constexpr int kSqliteFull = 13;
constexpr int kSqliteCantOpen = 14;
constexpr int kSqliteNotADatabase = 26;

// The server's SQLSTATE codes are five characters; SQLite's result codes are numbers below 10000.
bool IsServerState(const QString& code) {
    return code.size() == 5 && !(code.toInt() > 0 && code.toInt() < 10000);
}

QString ServerReason(const QSqlError& error) {
    const QString state = error.nativeErrorCode();
    QString driverText = (error.databaseText().isEmpty() ? error.text() : error.databaseText()).trimmed();
    if (state == QLatin1String("55P03") || state == QLatin1String("40P01"))
        return QStringLiteral("another user of the project database holds what this needs; try again in a "
                              "moment (%1)")
            .arg(driverText);
    if (state == QLatin1String("57014"))
        return QStringLiteral("the database server did not answer in time; try again in a moment (%1)")
            .arg(driverText);
    if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P")))
        return QStringLiteral("the connection to the database server was lost (%1)").arg(driverText);
    if (state == QLatin1String("25006") || state == QLatin1String("42501"))
        return QStringLiteral("the project database may not be changed by this user (%1)").arg(driverText);
    if (state == QLatin1String("53100"))
        return QStringLiteral("the database server's disk is full (%1)").arg(driverText);
    return driverText.isEmpty() ? QStringLiteral("unknown database failure") : driverText;
}

QString Reason(const QSqlError& error) {
    if (IsServerState(error.nativeErrorCode())) return ServerReason(error);
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    const QString driverText = error.databaseText().isEmpty() ? error.text() : error.databaseText();
    if (ok) {
        switch (code) {
        case kSqliteBusy:
        case kSqliteLocked:
            return QStringLiteral("the project database is locked by another program that is writing to it; "
                                  "try again when it has finished (%1)")
                .arg(driverText);
        case kSqliteReadOnly:
            return QStringLiteral("the project database is read-only (%1)").arg(driverText);
        case kSqliteFull:
            return QStringLiteral("the disk holding the project database is full (%1)").arg(driverText);
        case kSqliteCantOpen:
            return QStringLiteral("the project database file cannot be opened (%1)").arg(driverText);
        case kSqliteNotADatabase:
            return QStringLiteral("the file is not a project database (%1)").arg(driverText);
        default:
            break;
        }
    }
    return driverText.isEmpty() ? QStringLiteral("unknown database failure") : driverText;
}

} // namespace

QString NewConnectionName(const char* purpose) {
    static std::atomic<unsigned> counter{0};
    return QStringLiteral("q7-%1-%2").arg(QLatin1String(purpose)).arg(++counter);
}

bool IsLockedError(const QSqlError& error) {
    if (IsServerState(error.nativeErrorCode()))
        return error.nativeErrorCode() == QLatin1String("55P03") ||
               error.nativeErrorCode() == QLatin1String("40P01");
    bool ok = false;
    const int code = error.nativeErrorCode().toInt(&ok) & 0xff;
    return ok && (code == kSqliteBusy || code == kSqliteLocked);
}

void ThrowDatabaseError(const QString& action, const QSqlError& error) {
    throw DatabaseError((action + QStringLiteral(": ") + Reason(error)).toStdString());
}

void ExecOrThrow(QSqlQuery& query, const QString& sql, const QVariantList& values, const QString& action) {
    if (values.isEmpty()) {
        // Without values the statement runs unprepared: the server prepares no BEGIN or COMMIT.
        if (!query.exec(sql)) ThrowDatabaseError(action, query.lastError());
        return;
    }
    if (!query.prepare(sql)) ThrowDatabaseError(action, query.lastError());
    for (int i = 0; i < values.size(); ++i)
        query.bindValue(i, BindableValue(values[i]));
    if (!query.exec()) ThrowDatabaseError(action, query.lastError());
}

double SingleToDouble(float value) {
    char text[64];
    const auto written = std::to_chars(text, text + sizeof text, value);
    double result = static_cast<double>(value);
    std::from_chars(text, written.ptr, result);
    return result;
}

QVariant BindableValue(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Float:
        return SingleToDouble(value.toFloat());
    case QMetaType::Bool:
        return value.toBool() ? 1 : 0;
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return value.toInt();
    case QMetaType::Long:
    case QMetaType::ULong:
        return value.toLongLong();
    default:
        return value;
    }
}

ScopedConnection::ScopedConnection(const char* purpose) : m_name(NewConnectionName(purpose)) {
    QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
}

ScopedConnection::~ScopedConnection() {
    {
        QSqlDatabase db = QSqlDatabase::database(m_name, false);
        if (db.isValid()) db.close();
    }
    if (QSqlDatabase::contains(m_name)) QSqlDatabase::removeDatabase(m_name);
}

} // namespace q7

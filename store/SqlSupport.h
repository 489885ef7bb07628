#pragma once
// Small pieces shared by the store's classes: connection names, failures as DatabaseError, and
// single-precision values as the numbers written to the database.
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QVariant>

namespace q7 {

// A connection name no other connection of this process uses.
QString NewConnectionName(const char* purpose);

// Throws DatabaseError: "<action>: <reason>", the reason in words for the failures a user can act
// on (another program writing, a read-only file, a full disk) and the driver's text otherwise.
[[noreturn]] void ThrowDatabaseError(const QString& action, const QSqlError& error);

// Whether the failure is another connection's lock (SQLite's busy or locked).
bool IsLockedError(const QSqlError& error);

// Prepares and executes `sql` with positional values; throws DatabaseError naming `action`.
void ExecOrThrow(QSqlQuery& query, const QString& sql, const QVariantList& values, const QString& action);

// The double whose shortest decimal text is that of the single: 0.85f is stored as 0.85, and
// reading it back as a single gives the same single.
double SingleToDouble(float value);

// Normalises a value for binding: singles as above, small integers and flags as int.
QVariant BindableValue(const QVariant& value);

// An SQLite connection (not yet opened) that is closed and removed when the object goes out of
// scope.
class ScopedConnection {
public:
    explicit ScopedConnection(const char* purpose);
    ~ScopedConnection();
    ScopedConnection(const ScopedConnection&) = delete;
    ScopedConnection& operator=(const ScopedConnection&) = delete;
    QSqlDatabase Database() const { return QSqlDatabase::database(m_name, false); }
    const QString& Name() const { return m_name; }

private:
    QString m_name;
};

} // namespace q7

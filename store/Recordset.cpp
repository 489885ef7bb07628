#include "store/Recordset.h"

#include "numeric/Errors.h"
#include "store/SqlDialect.h"
#include "store/SqlSupport.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QSqlRecord>

#include <algorithm>

namespace q7 {

namespace {

// Every project table is keyed by PrjID, which is also SQLite's row id.
const QString kKeyColumn = QStringLiteral("PrjID");

} // namespace

Recordset::Recordset(QString connection, QString table, QStringList columns, std::vector<QVariantList> rows)
    : m_connection(std::move(connection)), m_table(std::move(table)), m_columns(std::move(columns)) {
    const int keyIndex = ColumnIndex(kKeyColumn);
    m_rows.reserve(rows.size());
    for (QVariantList& values : rows) {
        Row row;
        row.original = values;
        row.values = std::move(values);
        row.dirty.assign(static_cast<size_t>(m_columns.size()), false);
        if (keyIndex >= 0) row.key = row.values[keyIndex];
        m_rows.push_back(std::move(row));
    }
}

int Recordset::ColumnIndex(const QString& name) const {
    for (int i = 0; i < m_columns.size(); ++i)
        if (m_columns[i].compare(name, Qt::CaseInsensitive) == 0) return i;
    return -1;
}

int Recordset::RequireColumn(const QString& name) const {
    const int index = ColumnIndex(name);
    if (index < 0)
        throw DatabaseError(QStringLiteral("The record set of %1 has no column %2")
                                .arg(m_table.isEmpty() ? QStringLiteral("the project list") : m_table, name)
                                .toStdString());
    return index;
}

Recordset::Row& Recordset::Current() {
    return const_cast<Row&>(static_cast<const Recordset*>(this)->Current());
}

const Recordset::Row& Recordset::Current() const {
    if (IsEOF())
        throw DatabaseError("There is no current record (the record set is empty or past its last row)");
    return m_rows[static_cast<size_t>(m_position)];
}

void Recordset::MoveFirst() {
    MoveTo(0);
}

void Recordset::MoveNext() {
    MoveTo(m_position + 1);
}

void Recordset::MoveTo(int position) {
    if (!IsEOF() && EditPending()) Update();
    m_position = std::clamp(position, 0, RecordCount());
}

QVariant Recordset::Value(const QString& column) const {
    return Current().values[RequireColumn(column)];
}

QVariant Recordset::Value(int column) const {
    if (column < 0 || column >= m_columns.size())
        throw DatabaseError(
            QStringLiteral("The record set has no column number %1").arg(column).toStdString());
    return Current().values[column];
}

void Recordset::SetValue(const QString& column, const QVariant& value) {
    const int index = RequireColumn(column);
    Row& row = Current();
    row.values[index] = BindableValue(value);
    row.dirty[static_cast<size_t>(index)] = true;
}

void Recordset::AddNew() {
    if (!IsOpen()) throw DatabaseError("The record set is closed");
    if (!IsEOF() && EditPending()) Update();
    Row row;
    for (int i = 0; i < m_columns.size(); ++i) {
        row.values.append(QVariant());
        row.original.append(QVariant());
    }
    row.dirty.assign(static_cast<size_t>(m_columns.size()), false);
    row.isNew = true;
    m_rows.push_back(std::move(row));
    m_position = RecordCount() - 1;
}

bool Recordset::EditPending() const {
    if (IsEOF()) return false;
    const Row& row = Current();
    return row.isNew || std::find(row.dirty.begin(), row.dirty.end(), true) != row.dirty.end();
}

void Recordset::CancelUpdate() {
    if (IsEOF()) return;
    Row& row = Current();
    if (row.isNew) {
        m_rows.erase(m_rows.begin() + m_position);
        m_position = RecordCount();
        return;
    }
    row.values = row.original;
    row.dirty.assign(row.dirty.size(), false);
}

void Recordset::Update() {
    if (!EditPending()) return;
    Row& row = Current();
    const QString action = QStringLiteral("Saving the record of %1").arg(m_table);
    if (m_table.isEmpty()) throw DatabaseError("Saving a record: this record set is a read-only list");
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    if (!db.isValid() || !db.isOpen())
        throw DatabaseError((action + QStringLiteral(": the project database is not open")).toStdString());

    const Backend backend = BackendOf(db);
    auto Quoted = [backend](const QString& name) { return QuotedName(backend, name); };
    QStringList names;
    QVariantList values;
    for (int i = 0; i < m_columns.size(); ++i) {
        if (row.dirty[static_cast<size_t>(i)]) {
            names.append(Quoted(m_columns[i]));
            values.append(row.values[i]);
        }
    }

    QSqlQuery query(db);
    QVariant key;
    if (row.isNew) {
        QString sql;
        if (names.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(Quoted(m_table));
        } else {
            QStringList marks;
            for (qsizetype i = 0; i < names.size(); ++i)
                marks.append(QStringLiteral("?"));
            sql =
                QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                    .arg(Quoted(m_table), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        }
        sql += ReturningKeyClause(backend);
        ExecOrThrow(query, sql, values, action);
        if (ReturningKeyClause(backend).isEmpty())
            key = query.lastInsertId();
        else if (query.next())
            key = query.value(0);
    } else {
        if (!row.key.isValid() || row.key.isNull())
            throw DatabaseError(
                (action + QStringLiteral(": the record set does not hold the key column PrjID"))
                    .toStdString());
        QStringList assignments;
        for (const QString& name : names)
            assignments.append(name + QStringLiteral(" = ?"));
        values.append(row.key);
        ExecOrThrow(query,
                    QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?")
                        .arg(Quoted(m_table), assignments.join(QStringLiteral(", ")), Quoted(kKeyColumn)),
                    values, action);
        if (query.numRowsAffected() != 1)
            throw DatabaseError(
                (action + QStringLiteral(": the record (PrjID %1) no longer exists").arg(row.key.toString()))
                    .toStdString());
        const int keyIndex = ColumnIndex(kKeyColumn);
        key = keyIndex >= 0 && row.dirty[static_cast<size_t>(keyIndex)] ? row.values[keyIndex] : row.key;
    }
    query.finish();
    Refresh(row, key);
}

// After a successful write: the row is clean and holds what the database holds (its key and the
// values the database filled in). Reading back is best effort: the write has already succeeded.
void Recordset::Refresh(Row& row, const QVariant& key) {
    row.isNew = false;
    row.key = key;
    row.dirty.assign(row.dirty.size(), false);
    const int keyIndex = ColumnIndex(kKeyColumn);
    if (keyIndex >= 0) row.values[keyIndex] = key;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    const Backend backend = BackendOf(db);
    QSqlQuery query(db);
    query.prepare(QStringLiteral("SELECT * FROM %1 WHERE %2 = ?")
                      .arg(QuotedName(backend, m_table), QuotedName(backend, kKeyColumn)));
    query.bindValue(0, key);
    if (query.exec() && query.next()) {
        const QSqlRecord record = query.record();
        for (int i = 0; i < m_columns.size(); ++i) {
            const int field = record.indexOf(m_columns[i]);
            if (field >= 0) row.values[i] = query.value(field);
        }
    }
    row.original = row.values;
}

} // namespace q7

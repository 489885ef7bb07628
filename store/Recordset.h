#pragma once
// The rows of one query held in memory, with a current row and its edit buffer: what the main
// window and the project dialogs use as a record set. Fields are found by column name without
// regard to case. A record set made on one of the project tables writes its current row back with
// Update (an INSERT for a row made by AddNew, an UPDATE of the changed columns otherwise); the
// new row's PrjID and DateCreate, filled by the database, are readable right after Update.
//
//     rs = io.GetProjects();                 rs = io.NewREC("tblProject");
//     for (rs.MoveFirst(); !rs.IsEOF();      rs.SetValue("PrjName", "North Sea");
//          rs.MoveNext())                    io.SaveREC(rs);
//         list(rs.Value("PrjName"));         long id = rs.Value("PrjID").toLongLong();
#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace q7 {

class Recordset {
public:
    // A closed record set: no columns and no rows.
    Recordset() = default;
    // Rows read from `table` (empty table name: a read-only result) through the connection named
    // `connection`. clsQ7IO makes these.
    Recordset(QString connection, QString table, QStringList columns, std::vector<QVariantList> rows);

    bool IsOpen() const { return !m_columns.isEmpty(); }
    // The table rows are written back to; empty when the record set is read-only.
    const QString& Table() const { return m_table; }
    const QStringList& ColumnNames() const { return m_columns; }
    // Position of a column (matched without regard to case), or -1.
    int ColumnIndex(const QString& name) const;

    int RecordCount() const { return static_cast<int>(m_rows.size()); }
    // 0-based position of the current row; RecordCount() when past the last row.
    int Position() const { return m_position; }
    bool IsEOF() const { return m_position >= RecordCount(); }
    bool IsBOF() const { return RecordCount() == 0; }

    // Moving away from a row with pending edits writes them first, as Update does.
    void MoveFirst();
    void MoveNext();
    void MoveTo(int position);

    // Field of the current row; a database Null is a null QVariant. Throws DatabaseError for an
    // unknown column or when there is no current row.
    QVariant Value(const QString& column) const;
    QVariant Value(int column) const;
    // Sets a field of the current row in the edit buffer; written by Update.
    void SetValue(const QString& column, const QVariant& value);

    // Appends an empty row and makes it current; it reaches the database with Update.
    void AddNew();
    // Writes the current row's pending edits to the database. On failure the edits stay pending
    // and DatabaseError is thrown.
    void Update();
    // Forgets the current row's pending edits (and a row appended by AddNew that was not written).
    void CancelUpdate();
    bool EditPending() const;

private:
    struct Row {
        QVariantList values;     // one per column
        QVariantList original;   // as last read from or written to the database
        std::vector<bool> dirty; // columns changed since
        QVariant key;            // PrjID of a row that exists in the database
        bool isNew = false;      // appended by AddNew and not yet written
    };

    Row& Current();
    const Row& Current() const;
    int RequireColumn(const QString& name) const;
    void Refresh(Row& row, const QVariant& key);

    QString m_connection;
    QString m_table;
    QStringList m_columns;
    std::vector<Row> m_rows;
    int m_position = 0;
};

} // namespace q7

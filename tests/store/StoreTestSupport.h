#pragma once
// Shared pieces of the store tests: a QCoreApplication for the SQL driver plugin, a temporary
// folder with a fresh project database, a second connection to look at what a file holds, and a
// set of calculation objects with inputs different from the defaults.
#include "engine/MessageSink.h"
#include "engine/Q7Objects.h"

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

// A folder that lives as long as the object, with a fresh empty project database in it.
class TempDatabase {
public:
    TempDatabase();
    const QString& Path() const { return m_path; }
    QString Folder() const { return m_dir.path(); }

private:
    QTemporaryDir m_dir;
    QString m_path;
};

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

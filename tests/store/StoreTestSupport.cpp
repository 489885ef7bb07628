#include "tests/store/StoreTestSupport.h"

#include "store/ProjectSchema.h"
#include "store/SqlSupport.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <gtest/gtest.h>

namespace q7::test {

namespace {

// Qt loads the SQLite driver plugin only when an application object exists.
class QtApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "store_tests";
        static char* argv[] = {name, nullptr};
        if (QCoreApplication::instance() == nullptr) m_app = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QCoreApplication> m_app;
};

[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

template <typename Visit>
void Query(const QString& path, const QString& sql, const QVariantList& values, Visit visit) {
    ScopedConnection connection("test-reader");
    QSqlDatabase db = connection.Database();
    db.setDatabaseName(path);
    ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
    {
        QSqlQuery query(db);
        ASSERT_TRUE(query.prepare(sql))
            << sql.toStdString() << ": " << query.lastError().text().toStdString();
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values[i]);
        ASSERT_TRUE(query.exec()) << sql.toStdString() << ": " << query.lastError().text().toStdString();
        while (query.next())
            visit(query);
    }
    db.close();
}

} // namespace

TempDatabase::TempDatabase() {
    EXPECT_TRUE(m_dir.isValid());
    m_path = m_dir.filePath(QStringLiteral("q7.mdb"));
    CreateDatabaseFile(m_path);
}

QVariant Scalar(const QString& path, const QString& sql, const QVariantList& values) {
    QVariantList column;
    Query(path, sql, values, [&](QSqlQuery& q) { column.append(q.value(0)); });
    return column.isEmpty() ? QVariant() : column.first();
}

QStringList RowsOf(const QString& path, const QString& table, const QString& where) {
    QStringList rows;
    Query(path, QStringLiteral("SELECT * FROM %1 %2 ORDER BY rowid").arg(table, where), {},
          [&](QSqlQuery& q) {
              QStringList fields;
              const QSqlRecord record = q.record();
              for (int i = 0; i < record.count(); ++i)
                  fields.append(record.fieldName(i) + QLatin1Char('=') +
                                (q.value(i).isNull() ? QStringLiteral("NULL") : q.value(i).toString()));
              rows.append(fields.join(QLatin1Char(' ')));
          });
    return rows;
}

void Execute(const QString& path, const QString& sql) {
    Query(path, sql, {}, [](QSqlQuery&) {});
}

SampleObjects::SampleObjects() {
    auto& o = objects;
    o.Fluid.PhaseOil(true);
    o.Fluid.PhaseGas(true);
    o.Fluid.PhaseWater(false);
    o.Fluid.SetStdP("14.65");
    o.Fluid.StdTU("C");
    o.Fluid.SetStdT("15.5");
    o.Fluid.SetResT("212.3");
    o.Prs.SetMinP("1200");
    o.Prs.SetMaxP("4800.5");
    o.Prs.SetIniP("3333.3");
    o.Oil.SetAPI("35.7");
    o.Oil.SetSepGG("0.73");
    o.Oil.SetSepP("114.7");
    o.Oil.SetSepT("72.5");
    o.Oil.SetRsi("612.5");
    o.Gas.GasEntry("C");
    const char* const gc[] = {"0.011",  "0.021",  "0.801",  "0.061",  "0.031",  "0.0111", "0.0112", "0.0041",
                              "0.0042", "0.0043", "0.0044", "0.0045", "0.0046", "0.0047", "0.0048"};
    for (std::int16_t k = 1; k <= 15; ++k)
        o.Gas.SetGC(gc[k - 1], k);
    o.Gas.SetGasGrav("0.6813");
    o.Gas.SetmfN("0.0123");
    o.Gas.SetmfCO2("0.0234");
    o.Gas.SetmfH2S("0.0012");
    o.Water.SetPPM("35250");
    o.Rock.Fluids(1);
    o.Rock.Displace(1);
    o.Rock.Lith(1);
    o.Rock.Wet(0);
    o.Rock.CORR(1);
    o.Rock.SetSWC("0.21");
    o.Rock.SetSORW("0.27");
    o.Rock.SetSORG("0.11");
    o.Rock.SetSGCrit("0.04");
    o.Rock.SetCoreyK("0.85");
    o.Rock.SetCoreyN("2.5");
    o.Rock.SetHRPoro("0.19");
    o.Rock.SetHRAir("120");
    o.Rock.SetHRKrg("0.4");
}

} // namespace q7::test

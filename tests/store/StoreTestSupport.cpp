#include "tests/store/StoreTestSupport.h"

#include "store/ProjectSchema.h"
#include "store/SqlSupport.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <gtest/gtest.h>

#include <atomic>

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

// A connection of its own to the database `path` names (a file or a server URI).
class Connection {
public:
    explicit Connection(const QString& path) : m_name(NewConnectionName("test-reader")) {
        AddConnection(ParseDatabaseName(path), m_name, false, 3000);
    }
    ~Connection() {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            if (db.isValid()) db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    QSqlDatabase Database() const { return QSqlDatabase::database(m_name, false); }

private:
    QString m_name;
};

template <typename Visit>
void Query(const QString& path, const QString& sql, const QVariantList& values, Visit visit) {
    Connection connection(path);
    QSqlDatabase db = connection.Database();
    ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
    {
        QSqlQuery query(db);
        if (values.isEmpty()) {
            // Unprepared: the server prepares no CREATE DATABASE, trigger or function.
            ASSERT_TRUE(query.exec(sql))
                << sql.toStdString() << ": " << query.lastError().text().toStdString();
        } else {
            ASSERT_TRUE(query.prepare(sql))
                << sql.toStdString() << ": " << query.lastError().text().toStdString();
            for (int i = 0; i < values.size(); ++i)
                query.bindValue(i, values[i]);
            ASSERT_TRUE(query.exec()) << sql.toStdString() << ": " << query.lastError().text().toStdString();
        }
        while (query.next())
            visit(query);
    }
    db.close();
}

QStringList StateLines() {
    // The fixture's state file in this build tree unless the environment names another.
    QString file = qEnvironmentVariable("Q7_TEST_PG_STATE");
    if (file.isEmpty()) file = QStringLiteral(Q7_BINARY_DIR "/tests/store/pg-cluster.state");
    QFile state(file);
    if (!state.open(QIODevice::ReadOnly)) return {};
    return QString::fromUtf8(state.readAll()).split(QLatin1Char('\n'));
}

// The URI of a database on the test server.
QString ServerDatabaseUri(const QString& name) {
    QString uri = ServerUri();
    return uri.left(uri.lastIndexOf(QLatin1Char('/')) + 1) + name;
}

void OnServer(const QString& sql) {
    Query(ServerUri(), sql, {}, [](QSqlQuery&) {});
}

} // namespace

QString ServerUri() {
    const QString named = qEnvironmentVariable("Q7_TEST_PG_URI");
    if (!named.isEmpty()) return named;
    const QStringList lines = StateLines();
    return lines.isEmpty() ? QString() : lines.first().trimmed();
}

QString ServerState() {
    const QStringList lines = StateLines();
    return lines.size() < 2 ? QString() : lines[1].trimmed();
}

std::string BackendName(Backend backend) {
    return backend == Backend::SQLite ? "SQLite" : "PostgreSQL";
}

TempDatabase::TempDatabase(Backend backend, bool withSchema) : m_backend(backend) {
    EXPECT_TRUE(m_dir.isValid());
    if (backend == Backend::SQLite) {
        m_path = m_dir.filePath(QStringLiteral("q7.mdb"));
        if (withSchema) CreateDatabaseFile(m_path);
        return;
    }
    if (ServerUri().isEmpty()) return;
    static std::atomic<int> counter{0};
    m_serverName = QStringLiteral("q7test_%1_%2").arg(QCoreApplication::applicationPid()).arg(++counter);
    OnServer(QStringLiteral("CREATE DATABASE %1").arg(m_serverName));
    m_path = ServerDatabaseUri(m_serverName);
    if (withSchema) {
        Connection connection(m_path);
        QSqlDatabase db = connection.Database();
        EXPECT_TRUE(db.open()) << db.lastError().text().toStdString();
        CreateSchema(db);
    }
}

TempDatabase::~TempDatabase() {
    if (!m_serverName.isEmpty())
        OnServer(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_serverName));
}

void RefuseWrites(const TempDatabase& db, const QString& table, const QString& event) {
    if (db.Kind() == Backend::SQLite) {
        Execute(db.Path(),
                QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, "
                               "'refused'); END")
                    .arg(event, table));
        return;
    }
    Execute(db.Path(),
            QStringLiteral("CREATE OR REPLACE FUNCTION q7_refuse() RETURNS trigger LANGUAGE plpgsql AS "
                           "$$ BEGIN RAISE EXCEPTION 'refused'; END $$"));
    Execute(db.Path(),
            QStringLiteral("CREATE TRIGGER refuse_%1 BEFORE %1 ON %2 FOR EACH ROW EXECUTE FUNCTION "
                           "q7_refuse()")
                .arg(event, table));
}

void AllowWrites(const TempDatabase& db, const QString& table, const QString& event) {
    Execute(db.Path(), db.Kind() == Backend::SQLite
                           ? QStringLiteral("DROP TRIGGER refuse_%1").arg(event)
                           : QStringLiteral("DROP TRIGGER refuse_%1 ON %2").arg(event, table));
}

QVariant Scalar(const QString& path, const QString& sql, const QVariantList& values) {
    QVariantList column;
    Query(path, sql, values, [&](QSqlQuery& q) { column.append(q.value(0)); });
    return column.isEmpty() ? QVariant() : column.first();
}

QStringList RowsOf(const QString& path, const QString& table, const QString& where) {
    QStringList rows;
    Query(path, QStringLiteral("SELECT * FROM %1 %2 ORDER BY PrjID").arg(table, where), {},
          [&](QSqlQuery& q) {
              QStringList fields;
              const QSqlRecord record = q.record();
              for (int i = 0; i < record.count(); ++i)
                  fields.append(CanonicalColumnName(table, record.fieldName(i)) + QLatin1Char('=') +
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

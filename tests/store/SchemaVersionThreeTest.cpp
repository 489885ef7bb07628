// Schema version 3 gave the correlation choices, the capillary pressure, the LET curves and the row
// count their columns. A version-2 database, built from that version's schema text and filled the
// way that version saved projects, is upgraded on both backends; its projects compute byte for byte
// as before and store what a project saved today with the same inputs stores. A project with every
// new input away from its start-up value survives save, load and export.
#include "tests/store/StoreTestSupport.h"

#include "batch/CaseFile.h"
#include "batch/ProjectCommands.h"
#include "batch/RunCase.h"
#include "engine/ProjectFields.h"
#include "store/ProjectSchema.h"
#include "store/SqlSupport.h"
#include "store/StoredProject.h"
#include "store/clsQ7IO.h"

#include <QFile>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <regex>
#include <sstream>

namespace q7 {
namespace {

namespace fs = std::filesystem;
using test::Scalar;
using test::TempDatabase;

// The inputs version 3 stores, by table, written out here rather than read from the field list so
// that a field left without its table shows.
const std::vector<std::pair<const char*, std::vector<const char*>>> kVersionThreeColumns = {
    {"tblOilGravity", {"CorrPb", "CorrBo", "CorrMuod", "CorrMuo", "CorrMuoUS"}},
    {"tblGasComp", {"CorrZ", "CorrPseudo"}},
    {"tblRock", {"PcowModel",  "PcowMax",   "PcowJA",  "PcowJB",    "PcowIFT",   "PcowAngle",  "PcowEntry",
                 "PcowLambda", "PcowCw",    "PcowAw",  "PcowCo",    "PcowAo",    "PcogModel",  "PcogMax",
                 "PcogJA",     "PcogJB",    "PcogIFT", "PcogAngle", "PcogEntry", "PcogLambda", "LetWaterL",
                 "LetWaterE",  "LetWaterT", "LetOilL", "LetOilE",   "LetOilT",   "LetGasL",    "LetGasE",
                 "LetGasT",    "KrwMax",    "KroMax",  "KrgMax",    "SatRows"}},
};

// An open connection of the test's own to a database, for writing and reading past clsQ7IO (which
// would upgrade a version-2 database on opening it).
class Direct {
public:
    explicit Direct(const QString& path) : m_name(NewConnectionName("version-2")) {
        QSqlDatabase db = AddConnection(ParseDatabaseName(path), m_name, false, 3000);
        if (!db.open()) ADD_FAILURE() << db.lastError().text().toStdString();
        PrepareSession(db);
    }
    ~Direct() {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            if (db.isValid()) db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
    }
    Direct(const Direct&) = delete;
    Direct& operator=(const Direct&) = delete;
    const QString& Name() const { return m_name; }
    QSqlDatabase Database() const { return QSqlDatabase::database(m_name, false); }

    // The columns of a table as the database has them, spelled as the schema spells them.
    QStringList Columns(const QString& table) const {
        const QSqlRecord record = Database().record(CatalogName(BackendOf(Database()), table));
        QStringList columns;
        for (int i = 0; i < record.count(); ++i)
            columns.append(CanonicalColumnName(table, record.fieldName(i)));
        return columns;
    }

private:
    QString m_name;
};

// The version-2 schema as that program ran it on the backend.
void BuildVersionTwo(Backend backend, const QString& path) {
    QFile file(QStringLiteral(Q7_STORE_DATA "/schema-v2.sql"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    QString sql;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'))) {
        const qsizetype comment = line.indexOf(QStringLiteral("--"));
        sql += (comment >= 0 ? line.left(comment) : line) + QLatin1Char('\n');
    }
    for (const QString& statement : SchemaPrologue(backend))
        test::Execute(path, statement);
    for (const QString& statement : sql.split(QLatin1Char(';')))
        if (!statement.trimmed().isEmpty())
            test::Execute(path, SchemaStatement(backend, statement.trimmed()));
    for (const QString& statement : SchemaEpilogue(backend))
        test::Execute(path, statement);
    ASSERT_EQ(Scalar(path, "SELECT value FROM meta WHERE key = 'schema_version'").toString(),
              QStringLiteral("2"));
}

// Saves the objects as the version-2 program saved a project: the project row, then in each data
// table a row of every column the table has, from the field that stores it.
int SaveAsVersionTwo(const Direct& c, const QString& name, const Q7Objects& objects) {
    Recordset project(c.Name(), QStringLiteral("tblProject"),
                      {QStringLiteral("PrjID"), QStringLiteral("PrjName")}, {});
    project.AddNew();
    project.SetValue(QStringLiteral("PrjName"), name);
    project.Update();
    const int id = project.Value(QStringLiteral("PrjID")).toInt();
    for (const char* table : test::kDataTables) {
        const QStringList columns = c.Columns(QString::fromLatin1(table));
        Recordset rs(c.Name(), QString::fromLatin1(table), columns, {});
        rs.AddNew();
        rs.SetValue(QStringLiteral("PrjID"), id);
        for (const QString& column : columns) {
            const ProjectField* field = FindField(column.toStdString());
            if (!field || field->table != table) continue;
            if (const std::optional<QVariant> value = ValueToStore(*field, objects))
                rs.SetValue(column, *value);
        }
        rs.Update();
    }
    return id;
}

// A project's records read straight from the database, as the program loads them.
ProjectTables ReadDirect(const Direct& c, int id) {
    ProjectTables tables;
    for (const ProjectTableInfo& info : kProjectDataTables) {
        const QString table = QString::fromLatin1(info.name);
        QSqlQuery query(c.Database());
        EXPECT_TRUE(query.prepare(QStringLiteral("SELECT * FROM %1 WHERE PrjID = ?").arg(table)));
        query.bindValue(0, id);
        EXPECT_TRUE(query.exec()) << query.lastError().text().toStdString();
        QStringList columns;
        for (int i = 0; i < query.record().count(); ++i)
            columns.append(CanonicalColumnName(table, query.record().fieldName(i)));
        std::vector<QVariantList> rows;
        while (query.next()) {
            QVariantList row;
            for (int i = 0; i < columns.size(); ++i)
                row.append(query.value(i));
            rows.push_back(row);
        }
        tables.Of(info.role) = Recordset(c.Name(), table, columns, std::move(rows));
    }
    return tables;
}

// Every file under a folder, by its path relative to it.
// The time the report was written ("09-Dec-2026 05:10 pm") is left out.
std::map<std::string, std::string> FilesUnder(const fs::path& folder) {
    static const std::regex written(R"(\d\d-[A-Z][a-z]{2}-\d{4} \d\d:\d\d [ap]m)");
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string text(std::istreambuf_iterator<char>(in), {});
        files[fs::relative(entry.path(), folder).string()] = std::regex_replace(text, written, "(time)");
    }
    return files;
}

std::vector<fs::path> Examples() {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(fs::path(Q7_SOURCE_DIR) / "examples"))
        if (entry.path().extension() == ".json") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

class SchemaVersionThree : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override {
        Q7_SKIP_WITHOUT_SERVER(GetParam());
        ASSERT_EQ(setenv("Q7_DATABASE", db.Path().toLocal8Bit().constData(), 1), 0);
    }
    void TearDown() override { unsetenv("Q7_DATABASE"); }

    int Command(const std::vector<std::string>& args, std::string* out = nullptr) {
        std::ostringstream captured, err;
        std::streambuf* const oldOut = std::cout.rdbuf(captured.rdbuf());
        std::streambuf* const oldErr = std::cerr.rdbuf(err.rdbuf());
        const int status = RunProjectCommand(args);
        std::cout.rdbuf(oldOut);
        std::cerr.rdbuf(oldErr);
        EXPECT_EQ(status, 0) << err.str();
        if (out) *out = captured.str();
        return status;
    }

    // A data table's row of a project, every column but the key.
    QStringList DataRow(const char* table, int id) {
        QStringList row = test::RowsOf(db.Path(), table, QStringLiteral("WHERE PrjID = %1").arg(id));
        for (QString& r : row)
            r.remove(QRegularExpression(QStringLiteral("^PrjID=\\d+ ")));
        return row;
    }

    fs::path Folder() const { return fs::path(db.Folder().toStdString()); }

    TempDatabase db{GetParam(), false};
};

// The example cases that a project can hold whole (no plus fraction), and drawn cases over the
// inputs version 2 stored: saved into a version-2 database, computed, upgraded, computed again.
TEST_P(SchemaVersionThree, VersionTwoProjectsUpgradeAndComputeAsBefore) {
    BuildVersionTwo(GetParam(), db.Path());
    std::vector<std::pair<std::string, nlohmann::json>> cases;
    for (const fs::path& example : Examples()) {
        std::ifstream in(example);
        const nlohmann::json c = nlohmann::json::parse(in);
        if (!c.contains("PlusEntry")) cases.emplace_back(example.stem().string(), c);
    }
    std::mt19937 draw(20261209);
    auto uniform = [&draw](float lo, float hi) {
        return std::uniform_real_distribution<float>(lo, hi)(draw);
    };
    auto whole = [&draw](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(draw); };
    for (int n = 0; n < 8; ++n) {
        nlohmann::json c;
        c["PhaseOil"] = n % 4 == 3 ? 0 : 1;
        c["PhaseGas"] = whole(0, 1);
        c["PhaseWater"] = whole(0, 1);
        c["RESTEMP"] = uniform(100.0f, 260.0f);
        c["API"] = uniform(20.0f, 45.0f);
        c["InitGO"] = uniform(200.0f, 1200.0f);
        c["GasGrav"] = uniform(0.6f, 0.9f);
        c["PERSalinity"] = uniform(0.5f, 10.0f);
        c["RockType"] = whole(0, 1);
        c["CorrType"] = whole(0, 1);
        c["SWC"] = uniform(0.1f, 0.3f);
        c["CoreyK"] = uniform(1.5f, 4.0f);
        cases.emplace_back("drawn" + std::to_string(n), c);
    }

    std::map<std::string, int> ids;
    {
        Direct c(db.Path());
        for (const auto& [name, json] : cases) {
            NullMessageSink sink;
            Q7Objects objects(sink);
            ApplyCase(CaseFile::FromJson(json, name), objects);
            ids[name] = SaveAsVersionTwo(c, QString::fromStdString(name), objects);
            CaseOutcome outcome;
            RecordingSink recording(outcome.messages);
            Q7Objects computed(recording);
            ComputeStoredProject(ReadDirect(c, ids[name]), computed, recording, outcome);
            WriteComputed(computed, outcome, ReportIdentity{}, name, Folder() / "before", OutputFormats{},
                          false);
        }
    }
    std::map<std::string, QStringList> before;
    for (const char* table : test::kDataTables)
        before[table] = test::RowsOf(db.Path(), table);

    // Opening upgrades; every stored value of version 2 is kept, the new columns follow them.
    clsQ7IO io;
    io.OpenDatabase(db.Path());
    ASSERT_TRUE(io.Q7FOUND()) << io.OpenProblem().toStdString();
    EXPECT_EQ(Scalar(db.Path(), "SELECT value FROM meta WHERE key = 'schema_version'").toString(),
              QStringLiteral("3"));
    for (const char* table : test::kDataTables) {
        const QStringList after = test::RowsOf(db.Path(), table);
        ASSERT_EQ(after.size(), before[table].size()) << table;
        for (qsizetype i = 0; i < after.size(); ++i)
            EXPECT_TRUE(after[i] == before[table][i] ||
                        after[i].startsWith(before[table][i] + QLatin1Char(' ')))
                << table << "\n"
                << before[table][i].toStdString() << "\n"
                << after[i].toStdString();
    }
    for (const auto& [table, columns] : kVersionThreeColumns) {
        const QStringList present = Direct(db.Path()).Columns(QString::fromLatin1(table));
        for (const char* column : columns)
            EXPECT_TRUE(present.contains(QLatin1String(column))) << column;
    }

    for (const auto& [name, json] : cases) {
        SCOPED_TRACE(name);
        // Computed as the batch tool computes a stored project: the same files, byte for byte.
        Command({"run", "--project", name, "--out", (Folder() / "after").string()});
        const auto expected = FilesUnder(Folder() / "before" / name);
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(FilesUnder(Folder() / "after" / name), expected);

        // The upgraded rows are the rows a project saved today from the same inputs has.
        NullMessageSink sink;
        Q7Objects objects(sink);
        ApplyCase(CaseFile::FromJson(json, name), objects);
        Recordset row = io.NewREC(QStringLiteral("tblProject"));
        row.SetValue(QStringLiteral("PrjName"), QString::fromStdString(name + " today"));
        io.CreateProject(row, objects);
        const int today = row.Value(QStringLiteral("PrjID")).toInt();
        for (const char* table : test::kDataTables)
            EXPECT_EQ(DataRow(table, ids[name]), DataRow(table, today)) << table;
    }
}

// The text of a correlation's name in a case as someone might type it: the letters' case varies.
std::string MixedCase(const std::string& word, std::mt19937& draw) {
    std::string text = word;
    for (char& ch : text)
        if (std::uniform_int_distribution<int>(0, 1)(draw))
            ch = static_cast<char>(std::islower(static_cast<unsigned char>(ch))
                                       ? std::toupper(static_cast<unsigned char>(ch))
                                       : std::tolower(static_cast<unsigned char>(ch)));
    return text;
}

// Drawn cases with every new input away from its start-up value: save stores each in its column,
// loading gives the objects exactly the case's values, the export gives them back, and saving the
// export stores the same rows again.
TEST_P(SchemaVersionThree, EveryNewInputSurvivesSaveLoadAndExport) {
    // A new database of today's schema.
    if (GetParam() == Backend::SQLite) {
        CreateDatabaseFile(db.Path());
    } else {
        clsQ7IO io; // an empty server database gets the schema when first opened
        io.OpenDatabase(db.Path());
        ASSERT_TRUE(io.Q7FOUND()) << io.OpenProblem().toStdString();
    }
    std::mt19937 draw(20261211);
    auto uniform = [&draw](float lo, float hi) {
        return std::uniform_real_distribution<float>(lo, hi)(draw);
    };
    auto whole = [&draw](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(draw); };
    NullMessageSink startUpSink;
    const Q7Objects startUp(startUpSink);
    for (int n = 0; n < 6; ++n) {
        SCOPED_TRACE("case " + std::to_string(n));
        nlohmann::json c;
        c["PhaseOil"] = 1;
        c["PhaseGas"] = 1;
        c["PhaseWater"] = 1;
        c["API"] = uniform(25.0f, 40.0f);
        c["InitGO"] = uniform(300.0f, 900.0f);
        c["RockType"] = n % 2;
        c["CorrType"] = 2;
        for (const auto& [table, columns] : kVersionThreeColumns) {
            for (const char* key : columns) {
                const ProjectField& field = *FindField(key);
                if (!field.words.empty()) {
                    const std::size_t pick = static_cast<std::size_t>(whole(1, int(field.words.size()) - 1));
                    c[key] = MixedCase(field.words[pick], draw);
                    continue;
                }
                if (field.kind != FieldKind::Number) {
                    c[key] = whole(static_cast<int>(field.lo) + 1, static_cast<int>(field.hi));
                    continue;
                }
                // Inside each input's rule, away from its start-up value.
                const std::string k = key;
                float v = 0;
                if (k.find("Angle") != std::string::npos)
                    v = uniform(1.0f, 80.0f);
                else if (k == "PcowCo")
                    v = -uniform(0.1f, 5.0f);
                else if (k.rfind("Kr", 0) == 0)
                    v = uniform(0.2f, 0.95f);
                else if (k.find("Max") != std::string::npos)
                    v = uniform(20.0f, 400.0f);
                else
                    v = uniform(0.05f, 6.0f);
                c[key] = v;
            }
        }
        const std::string name = "every" + std::to_string(n);
        const fs::path file = Folder() / (name + ".json");
        std::ofstream(file) << c.dump();
        Command({"save", file.string(), "--name", name});
        const int id = Scalar(db.Path(), "SELECT max(PrjID) FROM tblProject").toInt();

        // What the case gives the objects, and what the stored project gives fresh ones.
        NullMessageSink sink;
        Q7Objects fromCase(sink), loaded(sink);
        ApplyCase(CaseFile::FromJson(c, name), fromCase);
        {
            clsQ7IO io;
            io.OpenDatabase(db.Path());
            ASSERT_TRUE(io.Q7FOUND()) << io.OpenProblem().toStdString();
            ApplyStoredProject(io.LoadProjectTables(id), loaded);
        }
        std::string exported;
        Command({"export", "--id", std::to_string(id)}, &exported);
        const nlohmann::json e = nlohmann::json::parse(exported);
        for (const auto& [table, columns] : kVersionThreeColumns) {
            for (const char* key : columns) {
                SCOPED_TRACE(key);
                const ProjectField& field = *FindField(key);
                EXPECT_EQ(field.table, table);
                ASSERT_TRUE(e.contains(key));
                if (!field.words.empty()) {
                    const std::string chosen = field.text(fromCase);
                    EXPECT_NE(chosen, field.text(startUp));
                    EXPECT_EQ(field.text(loaded), chosen);
                    EXPECT_EQ(e.at(key).get<std::string>(), chosen);
                } else {
                    const double value = field.number(fromCase);
                    EXPECT_NE(value, field.number(startUp));
                    EXPECT_EQ(field.number(loaded), value);
                    if (field.kind == FieldKind::Number)
                        EXPECT_EQ(e.at(key).get<float>(), c.at(key).get<float>());
                    else
                        EXPECT_EQ(e.at(key).get<int>(), c.at(key).get<int>());
                }
            }
        }

        // A name stored in another case (typed into the database by hand) loads as the same choice.
        test::Execute(db.Path(), QStringLiteral("UPDATE tblGasComp SET CorrZ = lower(CorrZ), CorrPseudo = "
                                                "upper(CorrPseudo) WHERE PrjID = %1")
                                     .arg(id));
        {
            Q7Objects reloaded(sink);
            clsQ7IO io;
            io.OpenDatabase(db.Path());
            ApplyStoredProject(io.LoadProjectTables(id), reloaded);
            for (const char* key : {"CorrZ", "CorrPseudo"})
                EXPECT_EQ(FindField(key)->text(reloaded), FindField(key)->text(fromCase)) << key;
        }
        test::Execute(db.Path(), QStringLiteral("UPDATE tblGasComp SET CorrZ = '%1', CorrPseudo = '%2' WHERE "
                                                "PrjID = %3")
                                     .arg(QString::fromStdString(FindField("CorrZ")->text(fromCase)),
                                          QString::fromStdString(FindField("CorrPseudo")->text(fromCase)))
                                     .arg(id));

        // The export saved again stores the same rows.
        const fs::path again = Folder() / (name + "-exported.json");
        std::ofstream(again) << exported;
        Command({"save", again.string(), "--name", name + " again"});
        const int second = Scalar(db.Path(), "SELECT max(PrjID) FROM tblProject").toInt();
        for (const char* table : test::kDataTables)
            EXPECT_EQ(DataRow(table, second), DataRow(table, id)) << table;
    }
}

INSTANTIATE_TEST_SUITE_P(Backends, SchemaVersionThree,
                         ::testing::Values(Backend::SQLite, Backend::PostgreSQL),
                         [](const ::testing::TestParamInfo<Backend>& info) {
                             return test::BackendName(info.param);
                         });

} // namespace
} // namespace q7

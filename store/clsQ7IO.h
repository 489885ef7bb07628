#pragma once
// The project database: finding and opening it, the project list, the record sets of a project's
// tables, creating a project's rows from the calculation objects, and deleting a project. The only
// code that talks to the database. Every operation but opening raises DatabaseError on failure.
#include "store/ProjectTables.h"
#include "store/Recordset.h"
#include "store/SqlDialect.h"

#include <QString>

#include <cstdint>
#include <map>
#include <set>

namespace q7 {

struct Q7Objects;

class clsQ7IO {
public:
    // How long a write waits for another program's write to finish before it fails.
    static constexpr int kBusyTimeoutMs = 3000;

    clsQ7IO();
    ~clsQ7IO();
    clsQ7IO(const clsQ7IO&) = delete;
    clsQ7IO& operator=(const clsQ7IO&) = delete;

    // Finds the database (LocateDatabase) and opens it. Never raises: Q7FOUND tells the outcome.
    void Q7Open();
    // Opens the given database: an SQLite file, or a PostgreSQL database named by a libpq URI
    // (postgresql://USER@HOST[:PORT]/DBNAME[?sslmode=...]; the password from PGPASSWORD or
    // ~/.pgpass). Q7FOUND is true only for a database of ours (an empty server database gets the
    // schema first). Never raises. A file that cannot be written is opened read-only.
    void OpenDatabase(const QString& path);
    // The file named by Q7_DATABASE when that is set, else UsableDatabase of DatabaseForProgram of
    // the running program.
    static QString LocateDatabase();
    // The file named by Q7_DATABASE when that is set, else UsableDatabase(beside, ..., source) with
    // `beside` as the source when it exists, else the installed template (TemplateDatabase).
    static QString LocateDatabase(const QString& beside);
    // The project database beside the programs, `beside`, when it and its folder can be written
    // (the journal lives beside it; the build tree's case). Otherwise, as for a program installed in
    // a system folder, the user's own copy in `userFolder`, named as `beside`, made from `source`
    // the first time and never overwritten, so that projects can be saved. `beside` itself when no
    // copy exists or can be made.
    static QString UsableDatabase(const QString& beside, bool besideWritable, const QString& userFolder,
                                  const QString& source);
    // The same with `beside` as the source.
    static QString UsableDatabase(const QString& beside, bool besideWritable, const QString& userFolder);
    // The installed empty database the user's copy is made from: the data folder found from the
    // programs' folder (../share/fluvarex), with the file name of `beside`:
    // /usr/bin/q7.mdb -> /usr/share/fluvarex/q7.mdb.
    static QString TemplateDatabase(const QString& beside);
    // The user's folder for the copy: ~/.local/share/fluvarex (the XDG data home).
    static QString UserDataFolder();
    // The program's folder and base name with ".mdb": /opt/fluvarex/bin/q7 -> /opt/fluvarex/bin/q7.mdb.
    static QString DatabaseForProgram(const QString& programPath);

    bool Q7FOUND() const { return m_found; }
    void Q7FOUND(bool value) { m_found = value; }
    // The file or URI last opened (or tried; a URI never with a password), and why it was not
    // usable (empty when it was).
    const QString& DatabasePath() const { return m_path; }
    // Which database is open, as the workstation shows it: the file's path, or the server's
    // database and host.
    QString DatabaseDisplay() const;
    bool OnServer() const { return m_target.backend == Backend::PostgreSQL; }

    // Holding a project while it is open: on the server, one workstation at a time holds a project
    // (another opens it read-only, told who holds it and since when); the server drops the hold
    // when the workstation's session ends, also by a crash. An SQLite file has no holds (always
    // true). HoldProject returns false and fills `holder` when another session holds it.
    bool HoldProject(std::int32_t prjID, ProjectHolder* holder = nullptr);
    void ReleaseProject(std::int32_t prjID);
    // Another session's hold on the project (empty when none, or when this one holds it).
    ProjectHolder ProjectHeldBy(std::int32_t prjID);
    const QString& OpenProblem() const { return m_problem; }
    bool ReadOnly() const { return m_readOnly; }

    // All projects: PrjName, DateCreate, CreatedBy, PrjDesc, PrjID, by name.
    // `action` names the operation the listing is part of in its errors (a save, a delete).
    Recordset GetProjects(const QString& action = QStringLiteral("Listing the projects"));
    // The project's tblProject row (none when there is no such project).
    Recordset GetProject(std::int32_t prjID);
    // The project's row of one of the eight tables.
    Recordset LoadPrjTbl(const QString& tableName, std::int32_t prjID);
    // The seven data tables' rows of a project, in the order tblFluidSpec … tblLabData.
    ProjectTables LoadProjectTables(std::int32_t prjID);
    // A record set on the table, standing on a new empty row that reaches the database with SaveREC.
    Recordset NewREC(const QString& tableName);
    // Writes the record set's current row.
    void SaveREC(Recordset& rs);

    // Each creates the project's row in one data table from the objects' current state (the
    // table's columns as the project fields describe them) and returns the record set on it.
    Recordset SaveTable(const QString& tableName, std::int32_t prjID, const Q7Objects& objects);
    Recordset SaveFluid(std::int32_t prjID, const Q7Objects& objects);
    Recordset SavePressure(std::int32_t prjID, const Q7Objects& objects);
    Recordset SaveOil(std::int32_t prjID, const Q7Objects& objects);
    Recordset SaveGas(std::int32_t prjID, const Q7Objects& objects);
    Recordset SaveWater(std::int32_t prjID, const Q7Objects& objects);
    Recordset SaveRock(std::int32_t prjID, const Q7Objects& objects);
    Recordset SaveLab(std::int32_t prjID, const Q7Objects& objects);

    // Creates a project in one transaction: writes `projectRow` (a new tblProject row from NewREC,
    // its PrjName, CreatedBy and PrjDesc set), reads its PrjID back, then the seven data rows from the
    // objects (SaveFluid … SaveLab). Returns the seven record sets; projectRow then holds the new
    // PrjID and DateCreate. On failure nothing is stored, projectRow is as it was, and the error
    // is raised.
    ProjectTables CreateProject(Recordset& projectRow, const Q7Objects& objects);

    // Deletes the project's rows of all eight tables in one transaction; a project that does not
    // exist is no error. A project another workstation holds is not deleted (DatabaseError).
    void DelProject(std::int32_t prjID);

private:
    void Close();
    void OpenServer();
    static void EnsureHolderTable(QSqlDatabase& db);
    void Reconnect(const QString& action);
    void MarkSuspect();
    void RequireOpen(const QString& action);
    Recordset Select(const QString& table, const QString& sql, const QVariantList& values,
                     const QString& action);
    void Exec(const QString& sql, const QVariantList& values, const QString& action);
    void Begin(const QString& action);
    void Commit(const QString& action);
    void RollbackQuietly();

    QString m_connection;
    QString m_path;
    QString m_problem;
    bool m_found = false;
    bool m_readOnly = false;
    DatabaseTarget m_target;
    // The server connection failed last time: it is checked, and made again, before the next use.
    bool m_suspect = false;
    bool m_inTransaction = false;
    std::set<std::int32_t> m_holds;
    // Holds another session took while the connection was down.
    std::map<std::int32_t, ProjectHolder> m_lostHolds;
};

} // namespace q7

// A second process for the store's reliability tests.
//   store_test_child edit DB PRJID     writes API = 1, 2, 3, ... through SaveREC and prints each
//                                      number once SaveREC has returned, until killed
//   store_test_child lock DB SECONDS   holds the database's write lock, prints "locked", waits
//   store_test_child exclusive DB SECONDS  holds the database in exclusive locking mode (nobody
//                                      else may even read it), prints "locked", waits
//   store_test_child readonly DB PRJID as an unprivileged user: opens, lists, tries one save, and
//                                      prints what happened
//   store_test_child hold DB PRJID     opens the project as the workstation does (takes its hold),
//                                      prints "held" or "refused", waits until killed
//   store_test_child create DB COUNT   creates COUNT projects named after its process, one at a
//                                      time, printing each id once it is stored
//   store_test_child locktable DB SECONDS  locks tblProject on the server against everybody,
//                                      prints "locked", waits
#include "engine/MessageSink.h"
#include "engine/Q7Objects.h"
#include "numeric/Errors.h"
#include "store/SqlDialect.h"
#include "store/SqlSupport.h"
#include "store/clsQ7IO.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>

#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

void Say(const std::string& line) {
    const std::string text = line + "\n";
    // Straight to the pipe: what the parent reads was said after the save returned.
    if (::write(STDOUT_FILENO, text.data(), text.size()) < 0) std::_Exit(3);
}

int Edit(const QString& path, int prjID) {
    q7::clsQ7IO io;
    io.OpenDatabase(path);
    if (!io.Q7FOUND()) {
        Say("not found: " + io.OpenProblem().toStdString());
        return 1;
    }
    q7::Recordset oil = io.LoadPrjTbl(QStringLiteral("tblOilGravity"), prjID);
    int value = oil.Value(QStringLiteral("API")).toInt();
    for (int i = 0; i < 1000000; ++i) {
        ++value;
        oil.SetValue(QStringLiteral("API"), value);
        io.SaveREC(oil);
        Say(std::to_string(value));
    }
    return 0;
}

int Lock(const QString& path, int seconds) {
    q7::ScopedConnection connection("lock");
    QSqlDatabase db = connection.Database();
    db.setDatabaseName(path);
    if (!db.open()) return 1;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE")) ||
        !query.exec(QStringLiteral("UPDATE tblProject SET PrjDesc = 'held by another program'"))) {
        Say("lock failed: " + query.lastError().text().toStdString());
        return 1;
    }
    Say("locked");
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    query.exec(QStringLiteral("ROLLBACK"));
    Say("released");
    return 0;
}

int Exclusive(const QString& path, int seconds) {
    q7::ScopedConnection connection("exclusive");
    QSqlDatabase db = connection.Database();
    db.setDatabaseName(path);
    if (!db.open()) return 1;
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE")) ||
        !query.exec(QStringLiteral("BEGIN EXCLUSIVE")) ||
        !query.exec(QStringLiteral("UPDATE tblProject SET PrjDesc = 'held by another program'"))) {
        Say("lock failed: " + query.lastError().text().toStdString());
        return 1;
    }
    Say("locked");
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    query.exec(QStringLiteral("ROLLBACK"));
    Say("released");
    return 0;
}

int ReadOnly(const QString& path, int prjID) {
    // Root may write any file; become an ordinary user so the file's permissions count.
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) {
        Say("cannot drop privileges");
        return 1;
    }
    q7::clsQ7IO io;
    io.OpenDatabase(path);
    Say("found=" + std::to_string(io.Q7FOUND()) + " readonly=" + std::to_string(io.ReadOnly()));
    if (!io.Q7FOUND()) {
        Say("problem=" + io.OpenProblem().toStdString());
        return 0;
    }
    try {
        Say("projects=" + std::to_string(io.GetProjects().RecordCount()));
        q7::Recordset oil = io.LoadPrjTbl(QStringLiteral("tblOilGravity"), prjID);
        oil.SetValue(QStringLiteral("API"), 12.5);
        io.SaveREC(oil);
        Say("save=ok");
    } catch (const q7::DatabaseError& e) {
        Say(std::string("save=DatabaseError: ") + e.what());
    } catch (const std::exception& e) {
        Say(std::string("save=other: ") + e.what());
    }
    return 0;
}

int Hold(const QString& path, int prjID) {
    q7::clsQ7IO io;
    io.OpenDatabase(path);
    if (!io.Q7FOUND()) {
        Say("not found: " + io.OpenProblem().toStdString());
        return 1;
    }
    Say(io.HoldProject(prjID) ? "held" : "refused");
    for (;;)
        std::this_thread::sleep_for(std::chrono::seconds(1));
}

int Create(const QString& path, int count) {
    q7::clsQ7IO io;
    io.OpenDatabase(path);
    if (!io.Q7FOUND()) {
        Say("not found: " + io.OpenProblem().toStdString());
        return 1;
    }
    q7::NullMessageSink sink;
    q7::Q7Objects objects(sink);
    for (int i = 1; i <= count; ++i) {
        q7::Recordset row = io.NewREC(QStringLiteral("tblProject"));
        row.SetValue(QStringLiteral("PrjName"),
                     QStringLiteral("writer %1 project %2").arg(::getpid()).arg(i));
        io.CreateProject(row, objects);
        Say(row.Value(QStringLiteral("PrjID")).toString().toStdString());
    }
    Say("done");
    return 0;
}

int LockTable(const QString& path, int seconds) {
    const QString name = q7::NewConnectionName("locktable");
    int status = 0;
    {
        QSqlDatabase db = q7::AddConnection(q7::ParseDatabaseName(path), name, false, 0);
        if (!db.open()) return 1;
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("BEGIN")) ||
            !query.exec(QStringLiteral("LOCK TABLE tblProject IN ACCESS EXCLUSIVE MODE"))) {
            Say("lock failed: " + query.lastError().text().toStdString());
            status = 1;
        } else {
            Say("locked");
            std::this_thread::sleep_for(std::chrono::seconds(seconds));
            query.exec(QStringLiteral("ROLLBACK"));
            Say("released");
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return status;
}

} // namespace

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    if (argc != 4) return 2;
    const std::string mode = argv[1];
    const QString path = QString::fromLocal8Bit(argv[2]);
    const int number = std::stoi(argv[3]);
    try {
        if (mode == "edit") return Edit(path, number);
        if (mode == "lock") return Lock(path, number);
        if (mode == "exclusive") return Exclusive(path, number);
        if (mode == "readonly") return ReadOnly(path, number);
        if (mode == "hold") return Hold(path, number);
        if (mode == "create") return Create(path, number);
        if (mode == "locktable") return LockTable(path, number);
    } catch (const std::exception& e) {
        Say(std::string("error: ") + e.what());
        return 1;
    }
    return 2;
}

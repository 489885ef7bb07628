// q7-mkdb: writes an empty project database from the schema built into the store.
//   q7-mkdb [--keep] FILE
//   q7-mkdb postgresql://USER@HOST[:PORT]/DBNAME
// With --keep, a file that already is a project database of ours is left as it is (only its time
// is renewed), so rebuilding never wipes the projects stored in a build's database. A server
// database (made empty with createdb) gets the schema in one transaction; one that already is a
// project database of ours is left as it is, and anything else is refused.
#include "numeric/Errors.h"
#include "store/ProjectSchema.h"
#include "store/SqlDialect.h"
#include "store/clsQ7IO.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <filesystem>
#include <iostream>
#include <string>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    bool keep = false;
    QString file;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--keep")
            keep = true;
        else if (file.isEmpty() && !arg.starts_with("-"))
            file = QString::fromLocal8Bit(argv[i]);
        else {
            std::cerr << "usage: q7-mkdb [--keep] FILE | q7-mkdb postgresql://USER@HOST[:PORT]/DBNAME\n";
            return 2;
        }
    }
    if (q7::IsServerUri(file)) {
        q7::clsQ7IO io;
        io.OpenDatabase(file);
        if (!io.Q7FOUND()) {
            std::cerr << "q7-mkdb: " << io.DatabasePath().toStdString() << ": "
                      << io.OpenProblem().toStdString() << '\n';
            return 1;
        }
        std::cout << "q7-mkdb: " << io.DatabaseDisplay().toStdString() << " holds the project database\n";
        return 0;
    }
    if (file.isEmpty()) {
        std::cerr << "usage: q7-mkdb [--keep] FILE\n";
        return 2;
    }
    try {
        if (keep && QFileInfo::exists(file)) {
            bool ours = false;
            QString problem;
            {
                q7::clsQ7IO io;
                io.OpenDatabase(file);
                ours = io.Q7FOUND();
                problem = io.OpenProblem();
            }
            if (ours) {
                std::filesystem::last_write_time(file.toStdString(),
                                                 std::filesystem::file_time_type::clock::now());
                return 0;
            }
            std::cerr << "q7-mkdb: replacing " << file.toStdString() << ": " << problem.toStdString() << '\n';
        }
        q7::CreateDatabaseFile(file);
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "q7-mkdb: " << e.what() << '\n';
        return 1;
    }
}

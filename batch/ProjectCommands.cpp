#include "batch/ProjectCommands.h"

#include "batch/CaseFile.h"
#include "batch/Options.h"
#include "batch/OutputLock.h"
#include "batch/RunCase.h"
#include "engine/ProjectFields.h"
#include "engine/Q7Objects.h"
#include "numeric/Errors.h"
#include "numeric/NumericText.h"
#include "store/DatabaseLocation.h"
#include "store/DatabaseLock.h"
#include "store/ProjectNames.h"
#include "store/StoredProject.h"
#include "store/clsQ7IO.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>

namespace q7 {

const CommandSpec kProjectsCommand{
    "q7-batch projects",
    "projects lists the projects of the project database (q7.mdb beside the programs or the\n"
    "         user's copy in ~/.local/share/fluvarex, or the file or PostgreSQL URI\n"
    "         postgresql://USER@HOST[:PORT]/DBNAME named by Q7_DATABASE); save, export,\n"
    "         delete and run --project work on it.\n",
    {},
    "unknown option for projects: ",
    true};
const CommandSpec kSaveCommand{"q7-batch save CASE.json --name NAME [--by WHO] [--desc TEXT]",
                               "",
                               {{"--name", true}, {"--by", true}, {"--desc", true}},
                               "unknown option for save: ",
                               true};
const CommandSpec kExportCommand{
    "q7-batch export (NAME | --id N)", "", {{"--id", true}}, "unknown option for export: ", true};
const CommandSpec kRunProjectCommand{
    "q7-batch run --project (NAME | --id N) (--out DIR | --check | both) [--formats LIST]\n"
    "           [--units field|metric]",
    "",
    {{"--project"}, {"--id", true}, {"--out", true}, {"--formats", true}, {"--check"}, {"--units", true}},
    "unknown option for run: ",
    true};
const CommandSpec kDeleteCommand{
    "q7-batch delete (NAME | --id N)", "", {{"--id", true}}, "unknown option for delete: ", true};

namespace {

// A failure the user should read; the command ends with status 1.
class CommandError : public Error {
public:
    using Error::Error;
};

// The words of a sub-command: positional words and --option values.
struct Arguments {
    std::vector<std::string> positional;
    std::optional<std::string> name, by, desc, id, out, formats, units;
    bool project = false;
    bool check = false;
};

Arguments Parse(const CommandSpec& decl, const std::vector<std::string>& args) {
    const CommandLine line = ParseCommandLine(decl, args);
    Arguments a;
    a.positional = line.Positional();
    a.name = line.Value("--name");
    a.by = line.Value("--by");
    a.desc = line.Value("--desc");
    a.id = line.Value("--id");
    a.out = line.Value("--out");
    a.formats = line.Value("--formats");
    a.units = line.Value("--units");
    a.project = line.Has("--project");
    a.check = line.Has("--check");
    return a;
}

OutputFormats ParseFormats(const std::string& list) {
    const std::optional<OutputFormats> formats = ParseFormatList(list);
    if (!formats) throw UsageError("--formats takes summary,csv,eclipse,report,tidy");
    return *formats;
}

std::string Quote(const std::string& text) {
    return "\"" + text + "\"";
}

// The shortest text that reads back as the same single.
std::string SingleText(float value) {
    char text[64];
    const auto end = std::to_chars(text, text + sizeof text, value).ptr;
    return std::string(text, end);
}

QString DatabaseFile() {
    // The workstation's database, beside this program (or the user's copy of it).
    return LocateDatabase(QFileInfo(QCoreApplication::applicationFilePath()).absolutePath() +
                          QStringLiteral("/q7.mdb"));
}

void Open(clsQ7IO& io) {
    io.OpenDatabase(DatabaseFile());
    if (io.Q7FOUND()) return;
    const std::string path = io.DatabasePath().toStdString();
    const std::string problem = io.OpenProblem().toStdString();
    // A file (or folder) that is there but cannot be used is not "no database": say what it is.
    if (!path.empty() && QFileInfo::exists(io.DatabasePath()))
        throw CommandError("cannot use the project database at " + path + ": " + problem);
    throw CommandError("no project database at " + path + " (" + problem + ")");
}

// A name as it can be shown on one line: control characters and bytes that are not text as \xNN.
std::string Printable(const std::string& name) {
    const QString decoded = QString::fromUtf8(name);
    const bool utf8 = decoded.toUtf8() == QByteArray::fromStdString(name);
    std::string out = "\"";
    for (const char ch : name) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x20 || byte == 0x7f || (byte >= 0x80 && !utf8)) {
            static const char* const hex = "0123456789abcdef";
            out += "\\x";
            out += hex[byte >> 4];
            out += hex[byte & 15];
        } else {
            out += ch;
        }
    }
    return out + "\"";
}

struct ProjectRef {
    std::int32_t id = 0;
    std::string name;
};

// The one project a command names: a name that matches exactly one project, or --id N.
// `action` names the operation in the errors of the database ("Deleting project \"x\"").
ProjectRef Resolve(clsQ7IO& io, const Arguments& a, const std::string& command, const std::string& action) {
    if (a.id.has_value() == (!a.positional.empty()) || a.positional.size() > 1)
        throw UsageError(command + " names one project: NAME or --id N");
    if (a.id) {
        std::int32_t id = 0;
        const auto [end, error] = std::from_chars(a.id->data(), a.id->data() + a.id->size(), id);
        if (error != std::errc() || end != a.id->data() + a.id->size())
            throw UsageError("--id needs a project number, not " + Quote(*a.id));
        Recordset row = io.GetProject(id);
        if (row.RecordCount() == 0) throw CommandError("no project has the id " + *a.id);
        return {id, row.Value(QStringLiteral("PrjName")).toString().toStdString()};
    }
    const std::string& name = a.positional.front();
    std::vector<ProjectRef> matches;
    Recordset list = io.GetProjects(QString::fromStdString(action + " " + Quote(name)));
    for (list.MoveFirst(); !list.IsEOF(); list.MoveNext())
        if (list.Value(QStringLiteral("PrjName")).toString().toStdString() == name)
            matches.push_back(
                {static_cast<std::int32_t>(list.Value(QStringLiteral("PrjID")).toLongLong()), name});
    if (matches.empty()) throw CommandError("no project is named " + Quote(name));
    if (matches.size() > 1) {
        std::string ids;
        for (const ProjectRef& m : matches)
            ids += (ids.empty() ? "" : ", ") + std::to_string(m.id);
        throw CommandError(std::to_string(matches.size()) + " projects are named " + Quote(name) + " (ids " +
                           ids + "); name one with --id");
    }
    return matches.front();
}

// A stored value as a case value: numbers as the single they hold, whole numbers as integers.
nlohmann::json CaseValue(const QVariant& value) {
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        return value.toLongLong();
    case QMetaType::Double:
    case QMetaType::Float: {
        const float single = static_cast<float>(value.toDouble());
        return nlohmann::json::parse(SingleText(single));
    }
    default:
        return value.toString().toStdString();
    }
}

const std::string* CaseKeyFor(const QString& column) {
    const ProjectField* field = FindField(column.toStdString());
    return field && field->Stored() ? &field->column : nullptr;
}

// The project's records, one row in each data table.
ProjectTables LoadChecked(clsQ7IO& io, const ProjectRef& project) {
    ProjectTables tables = io.LoadProjectTables(project.id);
    for (const Recordset* rs : tables.All())
        if (rs->RecordCount() != 1)
            throw CommandError("project " + Quote(project.name) + " has " +
                               std::to_string(rs->RecordCount()) + " rows in " + rs->Table().toStdString() +
                               " instead of one");
    return tables;
}

// The author and description of a project as the report's identification.
ReportIdentity IdentityOf(clsQ7IO& io, const ProjectRef& project) {
    Recordset row = io.GetProject(project.id);
    ReportIdentity id;
    id.CreatedBy = row.Value(QStringLiteral("CreatedBy")).toString().toStdString();
    id.PrjDesc = row.Value(QStringLiteral("PrjDesc")).toString().toStdString();
    return id;
}

// The project's stored inputs as a case: every non-empty column of the seven data tables under its
// case key (a choice beside the original inputs only when it differs from its start-up value), and the author
// and description as the report's identification. A bubble point that was typed (the GOR is what "Calc Rsi"
// gave) goes without the GOR, so that the case presses the same button again.
nlohmann::json ProjectCase(clsQ7IO& io, const ProjectRef& project) {
    nlohmann::json object = nlohmann::json::object();
    const ProjectTables tables = LoadChecked(io, project);
    bool bubblePointTyped = false;
    NullMessageSink sink;
    const Q7Objects startUp(sink);
    try {
        Q7Objects objects(sink);
        bubblePointTyped = ApplyStoredProject(tables, objects).bubblePointTyped;
    } catch (const Error&) {
        // Inputs the objects refuse: every stored value as it is.
    }
    for (const Recordset* rs : tables.All()) {
        for (const QString& column : rs->ColumnNames()) {
            const QVariant value = rs->Value(column);
            const std::string* key = CaseKeyFor(column);
            if (key == nullptr || value.isNull()) continue;
            if (bubblePointTyped && *key == "InitGO") continue;
            if (const ProjectField* field = FindField(*key);
                field && field->quietAtStartUp && ValueToStore(*field, startUp) == value)
                continue;
            object[*key] = CaseValue(value);
        }
    }
    Recordset row = io.GetProject(project.id);
    for (const char* column : {"CreatedBy", "PrjDesc"}) {
        const QVariant value = row.Value(QLatin1String(column));
        if (!value.isNull()) object[column] = value.toString().toStdString();
    }
    return object;
}

int ListProjects(const std::vector<std::string>& args) {
    const Arguments a = Parse(kProjectsCommand, args);
    if (!a.positional.empty()) throw UsageError("projects takes no arguments");
    clsQ7IO io;
    Open(io);
    Recordset list = io.GetProjects();
    auto field = [&](const char* column) {
        std::string text = list.Value(QLatin1String(column)).toString().toStdString();
        for (char& ch : text)
            if (ch == '\t' || ch == '\n' || ch == '\r') ch = ' ';
        return text;
    };
    std::cout << "Name\tCreated\tBy\tDescription\tID\n";
    for (list.MoveFirst(); !list.IsEOF(); list.MoveNext())
        std::cout << field("PrjName") << '\t' << field("DateCreate") << '\t' << field("CreatedBy") << '\t'
                  << field("PrjDesc") << '\t' << field("PrjID") << '\n';
    return 0;
}

int SaveProject(const std::vector<std::string>& args) {
    const Arguments a = Parse(kSaveCommand, args);
    if (a.positional.size() != 1) throw UsageError("save takes one case file");
    if (!a.name) throw UsageError("save needs --name NAME");
    // A name that could not be typed back (or that a list would show like another) is refused,
    // so that every project stays reachable by its name.
    if (const std::string problem = ProjectNameProblem(*a.name); !problem.empty())
        throw UsageError("cannot save a project named " + Printable(*a.name) + ": " + problem);
    const CaseFile c = CaseFile::FromFile(a.positional.front());
    std::string unstored;
    for (const char* key : {"PlusEntry", "PLUSmw", "PLUSgg", "Company", "Field", "Reservoir"})
        if (c.Has(key)) unstored += std::string(unstored.empty() ? "" : ", ") + key;
    if (!unstored.empty())
        std::cerr << "q7-batch: note: a project does not store " << unstored << "; they are left out\n";

    NullMessageSink sink;
    Q7Objects objects(sink);
    ApplyCase(c, objects);
    // The oil tab's two boxes as the case's run has them once its button is pressed
    // (PressOilButton): "Fluid Properties" starts from them, so the project stores them and runs
    // as the case does. Without oil, or with oil data that give no bubble point, the pair is the
    // bubble point of the GOR at the case's conditions.
    const OilPair given = OilPairOf(c);
    std::optional<OilBoxes> pressed;
    if (objects.Fluid.PhaseOil()) {
        try {
            pressed = PressOilButton(objects.Oil, given);
        } catch (const Error&) {
            pressed.reset();
        }
    }
    if (!pressed)
        ApplyOilPair(objects.Oil, given.rsi ? &*given.rsi : nullptr, given.pbp ? &*given.pbp : nullptr);

    clsQ7IO io;
    Open(io);
    Recordset list = io.GetProjects(QString::fromStdString("Saving project " + Quote(*a.name)));
    for (list.MoveFirst(); !list.IsEOF(); list.MoveNext())
        if (list.Value(QStringLiteral("PrjName")).toString().toStdString() == *a.name)
            throw CommandError("a project named " + Quote(*a.name) + " already exists (id " +
                               list.Value(QStringLiteral("PrjID")).toString().toStdString() +
                               "); choose another name, or delete that project first");
    Recordset row = io.NewREC(QStringLiteral("tblProject"));
    row.SetValue(QStringLiteral("PrjName"), QString::fromStdString(*a.name));
    if (const std::optional<std::string> by = a.by ? a.by : c.OptText("CreatedBy"))
        row.SetValue(QStringLiteral("CreatedBy"), QString::fromStdString(*by));
    if (const std::optional<std::string> desc = a.desc ? a.desc : c.OptText("PrjDesc"))
        row.SetValue(QStringLiteral("PrjDesc"), QString::fromStdString(*desc));
    ProjectTables tables = io.CreateProject(row, objects);
    if (pressed) {
        // The boxes, which the objects hold only as derived from each other; a project that cannot
        // take them is not left behind with another pair.
        Recordset& oil = tables.Oil;
        oil.SetValue(QStringLiteral("InitGO"), Str2Nbr(pressed->rsi));
        oil.SetValue(QStringLiteral("BPP"), Str2Nbr(pressed->bpp));
        try {
            io.SaveREC(oil);
        } catch (...) {
            io.DelProject(static_cast<std::int32_t>(row.Value(QStringLiteral("PrjID")).toLongLong()));
            throw;
        }
    }
    std::cout << "Saved project " << Quote(*a.name) << " with id "
              << row.Value(QStringLiteral("PrjID")).toLongLong() << ".\n";
    return 0;
}

int ExportProject(const std::vector<std::string>& args) {
    const Arguments a = Parse(kExportCommand, args);
    clsQ7IO io;
    Open(io);
    const ProjectRef project = Resolve(io, a, "export", "Exporting project");
    const CaseFile c = CaseFile::FromJson(ProjectCase(io, project), "project " + Quote(project.name));
    nlohmann::ordered_json out = nlohmann::ordered_json::object();
    out["_project"] = project.name;
    out["_created"] = io.GetProject(project.id).Value(QStringLiteral("DateCreate")).toString().toStdString();
    const nlohmann::ordered_json values = c.ToJson();
    for (const auto& [key, value] : values.items())
        out[key] = value;
    std::cout << out.dump(2) << '\n';
    return 0;
}

// The project's folder name under DIR: its name, with what a path would read specially replaced.
std::string FolderName(const ProjectRef& project) {
    std::string name = project.name;
    for (char& ch : name)
        if (ch == '/' || ch == '\\' || static_cast<unsigned char>(ch) < 0x20) ch = '_';
    if (name.empty() || name == "." || name == "..") name = "project-" + std::to_string(project.id);
    return name;
}

int RunProject(const std::vector<std::string>& args) {
    const Arguments a = Parse(kRunProjectCommand, args);
    if (!a.project) throw UsageError("run of a stored project needs --project");
    if (!a.out && !a.check) throw UsageError("--out DIR is required");
    OutputFormats formats = a.formats ? ParseFormats(*a.formats) : OutputFormats{};
    if (a.units) {
        const std::optional<EclipseUnits> units = ParseEclipseUnits(*a.units);
        if (!units) throw UsageError("--units takes field or metric");
        formats.units = *units;
    }
    clsQ7IO io;
    Open(io);
    const ProjectRef project = Resolve(io, a, "run --project", "Reading project");
    const ProjectTables tables = LoadChecked(io, project);
    const std::string folder = FolderName(project);
    std::optional<OutputLock> lock;
    if (a.out) lock.emplace(OutputLock::Folder(*a.out));
    CaseOutcome outcome;
    RecordingSink sink(outcome.messages);
    Q7Objects objects(sink);
    ComputeStoredProject(tables, objects, sink, outcome);
    const CaseResult result = WriteComputed(objects, outcome, IdentityOf(io, project), folder,
                                            a.out.value_or(std::string()), formats, a.check);
    // As for case files: one line per table a simulator would refuse, named by the project's folder.
    for (const EclipseProblem& p : result.problems)
        std::cout << folder << ": " << p.keyword << ": " << p.reason << '\n';
    return result.clean && result.problems.empty() ? 0 : 1;
}

int DeleteProject(const std::vector<std::string>& args) {
    const Arguments a = Parse(kDeleteCommand, args);
    clsQ7IO io;
    Open(io);
    const ProjectRef project = Resolve(io, a, "delete", "Deleting project");
    io.DelProject(project.id);
    std::cout << "Deleted project " << Quote(project.name) << " (id " << project.id << ").\n";
    return 0;
}

} // namespace

namespace {

// Qt loads its SQLite driver only with an application object.
std::unique_ptr<QCoreApplication> EnsureApplication() {
    static int argc = 1;
    static char name[] = "q7-batch";
    static char* argv[] = {name, nullptr};
    std::unique_ptr<QCoreApplication> app;
    if (QCoreApplication::instance() == nullptr) app = std::make_unique<QCoreApplication>(argc, argv);
    return app;
}

} // namespace

void ComputeProjectNamed(const std::string& name, ComputedCase& region) {
    const std::unique_ptr<QCoreApplication> app = EnsureApplication();
    clsQ7IO io;
    Open(io);
    Arguments a;
    a.positional.push_back(name);
    const ProjectRef project = Resolve(io, a, "--project", "Reading project");
    region.name = project.name;
    ComputeStoredProject(LoadChecked(io, project), *region.objects, *region.sink, region.outcome);
}

int RunProjectCommand(const std::vector<std::string>& args) {
    const std::unique_ptr<QCoreApplication> app = EnsureApplication();

    const std::string command = args.empty() ? std::string() : args.front();
    const CommandSpec* decl = command == "projects" ? &kProjectsCommand
                              : command == "save"   ? &kSaveCommand
                              : command == "export" ? &kExportCommand
                              : command == "run"    ? &kRunProjectCommand
                              : command == "delete" ? &kDeleteCommand
                                                    : nullptr;
    try {
        if (command == "projects") return ListProjects(args);
        if (command == "save") return SaveProject(args);
        if (command == "export") return ExportProject(args);
        if (command == "run") return RunProject(args);
        if (command == "delete") return DeleteProject(args);
        throw UsageError("unknown project command: " + command);
    } catch (const UsageError& e) {
        if (decl) return ReportUsageError(e.what(), *decl);
        std::cerr << "q7-batch: " << e.what() << '\n';
        return 2;
    } catch (const std::exception& e) {
        std::string message = e.what();
        // The command's connection is closed by now, so the lock's holder can be looked for.
        if (message.find("locked by another program") != std::string::npos &&
            message.find("has it open") == std::string::npos) {
            if (const std::string holder = LockHolder(DatabaseFile().toStdString()); !holder.empty())
                message += "; it is held by " + holder;
        }
        std::cerr << "q7-batch: " << message << '\n';
        return 1;
    }
}

} // namespace q7

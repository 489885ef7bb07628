#pragma once
// What the project dialogs need of the main window: the project session, the database, the project
// header object and the calculation objects, loading a project into the form, and taking over a
// project that was just created or renamed.
#include <QString>

#include <cstdint>

namespace q7 {

class clsProject;
class clsQ7IO;
class ProjectSession;
struct ProjectTables;
struct Q7Objects;

class ProjectHost {
public:
    virtual ~ProjectHost() = default;
    virtual ProjectSession& Session() = 0;
    virtual clsQ7IO& Database() = 0;
    virtual clsProject& Project() = 0;
    virtual const Q7Objects& CalculationObjects() = 0;
    // Opens the project's records and fills the input controls from them.
    virtual void LoadProjectIntoForm(std::int32_t prjID) = 0;
    // The project dialog saved the project named `name`: the name is shown; a new project (number
    // `prjID`, its data rows in `created`) becomes the open one.
    virtual void ProjectSaved(const QString& name, std::int32_t prjID, ProjectTables* created) = 0;
};

} // namespace q7

#pragma once
// Where the workstation's project database is: the file named by Q7_DATABASE, else q7.mdb beside
// the programs when it can be written there, else the user's own copy of it (made the first time
// from the file beside the programs or from the installed empty one).
#include <QString>

namespace q7 {

// The file named by Q7_DATABASE when that is set, else UsableDatabase of DatabaseForProgram of
// the running program.
QString LocateDatabase();
// The file named by Q7_DATABASE when that is set, else UsableDatabase(beside, ..., source) with
// `beside` as the source when it exists, else the installed template (TemplateDatabase).
QString LocateDatabase(const QString& beside);
// The project database beside the programs, `beside`, when it and its folder can be written
// (the journal lives beside it; the build tree's case). Otherwise, as for a program installed in
// a system folder, the user's own copy in `userFolder`, named as `beside`, made from `source`
// the first time and never overwritten, so that projects can be saved. `beside` itself when no
// copy exists or can be made.
QString UsableDatabase(const QString& beside, bool besideWritable, const QString& userFolder,
                       const QString& source);
// The same with `beside` as the source.
QString UsableDatabase(const QString& beside, bool besideWritable, const QString& userFolder);
// The installed empty database the user's copy is made from: the data folder found from the
// programs' folder (../share/fluvarex), with the file name of `beside`:
// /usr/bin/q7.mdb -> /usr/share/fluvarex/q7.mdb.
QString TemplateDatabase(const QString& beside);
// The user's folder for the copy: ~/.local/share/fluvarex (the XDG data home).
QString UserDataFolder();
// The program's folder and base name with ".mdb": /opt/fluvarex/bin/q7 -> /opt/fluvarex/bin/q7.mdb.
QString DatabaseForProgram(const QString& programPath);

} // namespace q7

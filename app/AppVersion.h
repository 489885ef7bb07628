#pragma once
// The program's version as the title bar and the about box show it: major "." minor, then the
// revision with no separator (1.0.5 shows 1.05).
#include <QString>

namespace q7 {

QString VersionText(int major, int minor, int revision);
// This build's version, from the project version in CMake.
QString VersionText();
// "Fluvarex".
QString ProgramTitle();

} // namespace q7

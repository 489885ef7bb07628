#include "app/AppVersion.h"

namespace q7 {

QString VersionText(int major, int minor, int revision) {
    return QString::number(major) + QLatin1Char('.') + QString::number(minor) + QString::number(revision);
}

QString VersionText() {
    return VersionText(Q7_VERSION_MAJOR, Q7_VERSION_MINOR, Q7_VERSION_PATCH);
}

QString ProgramTitle() {
    return QStringLiteral("Fluvarex");
}

} // namespace q7

#include "store/DatabaseLocation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace q7 {

QString DatabaseForProgram(const QString& programPath) {
    if (programPath.isEmpty()) return {};
    const QFileInfo program(programPath);
    return program.absolutePath() + QLatin1Char('/') + program.completeBaseName() + QStringLiteral(".mdb");
}

QString LocateDatabase() {
    const QString program = QCoreApplication::instance() != nullptr
                                ? QCoreApplication::applicationFilePath()
                                : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
    return LocateDatabase(DatabaseForProgram(program));
}

QString LocateDatabase(const QString& beside) {
    const QString named = qEnvironmentVariable("Q7_DATABASE");
    if (!named.isEmpty()) return named;
    if (beside.isEmpty()) return beside;
    const QFileInfo file(beside);
    const bool writable = file.isWritable() && QFileInfo(file.absolutePath()).isWritable();
    const QString source = file.exists() ? beside : TemplateDatabase(beside);
    return UsableDatabase(beside, writable, UserDataFolder(), source);
}

QString TemplateDatabase(const QString& beside) {
    if (beside.isEmpty()) return {};
    const QFileInfo file(beside);
    return QDir::cleanPath(file.absolutePath() + QLatin1Char('/') + QStringLiteral(Q7_DATA_FROM_PROGRAM) +
                           QLatin1Char('/') + file.fileName());
}

QString UsableDatabase(const QString& beside, bool besideWritable, const QString& userFolder) {
    return UsableDatabase(beside, besideWritable, userFolder, beside);
}

QString UsableDatabase(const QString& beside, bool besideWritable, const QString& userFolder,
                       const QString& source) {
    if (besideWritable || userFolder.isEmpty()) return beside;
    const QString copy = QDir(userFolder).filePath(QFileInfo(beside).fileName());
    if (QFileInfo::exists(copy)) return copy;
    if (source.isEmpty() || !QFileInfo::exists(source) || !QDir().mkpath(userFolder)) return beside;
    // Copied under a temporary name and renamed, so that an interrupted copy never passes for
    // the database.
    const QString part = copy + QStringLiteral(".part");
    QFile::remove(part);
    if (!QFile::copy(source, part)) return beside;
    QFile::setPermissions(part, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (!QFile::rename(part, copy)) {
        QFile::remove(part);
        return beside;
    }
    return copy;
}

QString UserDataFolder() {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/fluvarex");
}

} // namespace q7

// The project database under a killed writer, a second writer and a read-only file.
#include "tests/store/StoreTestSupport.h"

#include "numeric/Errors.h"
#include "store/clsQ7IO.h"

#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace q7 {
namespace {

using test::SampleObjects;
using test::Scalar;
using test::TempDatabase;

// Opens the database in `io` and creates one project in it; returns the project's id.
std::int32_t CreateProject(clsQ7IO& io, const QString& path) {
    io.OpenDatabase(path);
    EXPECT_TRUE(io.Q7FOUND()) << io.OpenProblem().toStdString();
    SampleObjects sample;
    Recordset row = io.NewREC(QStringLiteral("tblProject"));
    row.SetValue(QStringLiteral("PrjName"), QStringLiteral("Reliability"));
    io.CreateProject(row, sample.objects);
    return row.Value(QStringLiteral("PrjID")).toInt();
}

void StartChild(QProcess& child, const QStringList& arguments) {
    child.start(QStringLiteral(Q7_STORE_CHILD), arguments);
    EXPECT_TRUE(child.waitForStarted(5000));
}

// The last whole line the child printed.
QString LastLine(const QByteArray& output) {
    const QList<QByteArray> lines = output.split('\n');
    // The text after the last newline is an unfinished line.
    for (qsizetype i = lines.size() - 2; i >= 0; --i)
        if (!lines[i].isEmpty()) return QString::fromUtf8(lines[i]);
    return {};
}

// A writer killed with SIGKILL at random moments loses no edit that SaveREC had returned for.
TEST(StoreReliability, KilledWriterLosesNoAcknowledgedEdit) {
    TempDatabase db;
    std::int32_t id = 0;
    {
        clsQ7IO io;
        id = CreateProject(io, db.Path());
    }
    const unsigned seed = std::random_device{}();
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMs(5, 250);

    constexpr int kRounds = 8;
    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        QProcess child;
        StartChild(child, {QStringLiteral("edit"), db.Path(), QString::number(id)});
        QByteArray output;
        // Wait for the first acknowledged edit, then let it run a random while longer.
        while (!output.contains('\n') && child.waitForReadyRead(10000))
            output += child.readAllStandardOutput();
        ASSERT_TRUE(output.contains('\n')) << "the writer never saved";
        QThread::msleep(static_cast<unsigned long>(delayMs(random)));
        child.kill(); // SIGKILL
        ASSERT_TRUE(child.waitForFinished(10000));
        output += child.readAllStandardOutput();
        const QString last = LastLine(output);
        bool ok = false;
        const int acknowledged = last.toInt(&ok);
        ASSERT_TRUE(ok) << "child said: " << last.toStdString();

        // The edit in flight at the kill may or may not have committed; nothing before it is lost.
        const int stored = Scalar(db.Path(), "SELECT API FROM tblOilGravity WHERE PrjID = ?", {id}).toInt();
        EXPECT_GE(stored, acknowledged);
        EXPECT_LE(stored, acknowledged + 1);
        EXPECT_EQ(Scalar(db.Path(), "PRAGMA integrity_check").toString(), QStringLiteral("ok"));
    }
    clsQ7IO io;
    io.OpenDatabase(db.Path());
    ASSERT_TRUE(io.Q7FOUND());
    EXPECT_EQ(io.LoadProjectTables(id).Oil.RecordCount(), 1);
}

// Another program holding the write lock makes a save wait, then fail clearly; nothing is harmed
// and the same save succeeds once the lock is gone.
TEST(StoreReliability, SaveWaitsForAnotherWriterThenFailsClearly) {
    TempDatabase db;
    clsQ7IO io;
    const std::int32_t id = CreateProject(io, db.Path());
    Recordset oil = io.LoadPrjTbl(QStringLiteral("tblOilGravity"), id);

    constexpr int kHoldSeconds = 6;
    static_assert(kHoldSeconds * 1000 > clsQ7IO::kBusyTimeoutMs + 1500);
    QProcess child;
    StartChild(child, {QStringLiteral("lock"), db.Path(), QString::number(kHoldSeconds)});
    ASSERT_TRUE(child.waitForReadyRead(10000));
    ASSERT_EQ(LastLine(child.readAllStandardOutput()), QStringLiteral("locked"));

    oil.SetValue(QStringLiteral("API"), 22.5);
    QElapsedTimer waited;
    waited.start();
    try {
        io.SaveREC(oil);
        ADD_FAILURE() << "SaveREC succeeded while another program held the write lock";
    } catch (const DatabaseError& e) {
        EXPECT_NE(std::string(e.what()).find("locked by another program"), std::string::npos) << e.what();
        EXPECT_NE(std::string(e.what()).find("tblOilGravity"), std::string::npos) << e.what();
    }
    // It waited for the other writer (the busy timeout) before giving up.
    EXPECT_GE(waited.elapsed(), clsQ7IO::kBusyTimeoutMs - 500);
    EXPECT_TRUE(oil.EditPending());

    ASSERT_TRUE(child.waitForFinished(20000));
    EXPECT_EQ(child.exitCode(), 0);
    io.SaveREC(oil);
    EXPECT_EQ(Scalar(db.Path(), "SELECT API FROM tblOilGravity WHERE PrjID = ?", {id}).toDouble(), 22.5);
    // The other program's transaction was rolled back and left nothing behind.
    EXPECT_TRUE(Scalar(db.Path(), "SELECT PrjDesc FROM tblProject WHERE PrjID = ?", {id}).isNull());
    EXPECT_EQ(Scalar(db.Path(), "PRAGMA integrity_check").toString(), QStringLiteral("ok"));
}

// A database file that cannot be written opens for listing and fails clearly on save, whether or
// not its folder lets the reader create the journal's index beside it.
TEST(StoreReliability, ReadOnlyFileListsButDoesNotSave) {
    for (const mode_t folderMode : {mode_t{0755}, mode_t{0777}}) {
        SCOPED_TRACE("folder mode " + std::to_string(folderMode));
        TempDatabase db;
        std::int32_t id = 0;
        {
            clsQ7IO io;
            id = CreateProject(io, db.Path());
        }
        ASSERT_FALSE(QFile::exists(db.Path() + QStringLiteral("-wal")))
            << "the last connection checkpoints on close";
        ASSERT_EQ(::chmod(db.Folder().toLocal8Bit().constData(), folderMode), 0);
        ASSERT_EQ(::chmod(db.Path().toLocal8Bit().constData(), 0444), 0);

        QProcess child;
        StartChild(child, {QStringLiteral("readonly"), db.Path(), QString::number(id)});
        ASSERT_TRUE(child.waitForFinished(20000));
        const std::string said = child.readAllStandardOutput().toStdString();
        EXPECT_EQ(child.exitCode(), 0) << said;
        EXPECT_NE(said.find("found=1 readonly=1"), std::string::npos) << said;
        EXPECT_NE(said.find("projects=1"), std::string::npos) << said;
        EXPECT_NE(
            said.find(
                "save=DatabaseError: Saving the record of tblOilGravity: the project database is read-only"),
            std::string::npos)
            << said;

        ASSERT_EQ(::chmod(db.Path().toLocal8Bit().constData(), 0644), 0);
        EXPECT_NE(Scalar(db.Path(), "SELECT API FROM tblOilGravity WHERE PrjID = ?", {id}).toDouble(), 12.5);
        EXPECT_EQ(Scalar(db.Path(), "PRAGMA integrity_check").toString(), QStringLiteral("ok"));
    }
}

} // namespace
} // namespace q7

// Pictures of the three output dialogs for looking at their layout (not a test): the Eclipse
// export after oil, gas and water were computed (and again with a table a simulator would refuse),
// the CSV export and the report over a project.
//   writers-ui-screens [OUTPUT_FOLDER]
#include "engine/Q7Objects.h"
#include "engine/ResultRun.h"
#include "engine/clsProject.h"
#include "ui/MessageService.h"
#include "ui/QtFileDialogService.h"
#include "writers/ui/frmCSV.h"
#include "writers/ui/frmECL.h"
#include "writers/ui/frmReport.h"

#include <QApplication>
#include <QDir>

#include <cstdio>

namespace {

class PrintingMessages final : public q7::MessageService {
public:
    void ShowError(const QString& m, const QString& t) override {
        std::printf("error [%s] %s\n", qPrintable(t), qPrintable(m));
    }
    void ShowInfo(const QString& m, const QString& t) override {
        std::printf("info [%s] %s\n", qPrintable(t), qPrintable(m));
    }
    bool AskYesNo(const QString&, const QString&) override { return true; }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);

    q7::NullMessageSink silent;
    q7::Q7Objects objects(silent);
    objects.Fluid.PhaseGas(true);
    objects.Fluid.PhaseWater(true);
    objects.Prs.BuildPRSi();
    q7::FluidTablesObserver none;
    q7::RunFluidTables(objects, silent, none);
    q7::RunRockTable(objects);

    PrintingMessages messages;
    q7::QtFileDialogService files;
    const q7::OutputDialogHost host{objects, messages, files};
    auto shoot = [&](QDialog& dialog, const char* name) {
        dialog.show();
        dialog.activateWindow();
        QApplication::processEvents();
        dialog.grab().save(out + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
        dialog.hide();
    };

    q7::frmECL ecl(host);
    shoot(ecl, "frmECL");
    // A gas/oil drainage rock table whose kro never reaches 0: SGOF is marked as refused.
    objects.Rock.Fluids(1);
    objects.Rock.Displace(0);
    q7::RunRockTable(objects);
    q7::frmECL refused(host);
    shoot(refused, "frmECL-warning");
    q7::frmCSV csv(host);
    shoot(csv, "frmCSV");
    q7::clsProject project;
    project.Company("Aurora Petroleum");
    project.Field("North Dome");
    project.Reservoir("Lower Tarbert");
    project.PrjDesc("Block 7, appraisal well 7-3, drill-stem test 2 (upper zone)");
    project.CreatedBy("R. Haldane");
    q7::frmReport report(host, project);
    shoot(report, "frmReport");
    return 0;
}

// Writes a picture of every tab of the main window (and of the three fluid sub-tabs after the
// default computation) into a folder: for looking at the layout on a machine without a display.
//   q7-screens OUTDIR [WIDTHxHEIGHT]   (run under xvfb-run, or with QT_QPA_PLATFORM=offscreen)
#include "app/MainControls.h"
#include "app/frmECLProjects.h"
#include "app/frmMain.h"
#include "app/tabs/GasTab.h"
#include "app/tabs/OilTab.h"
#include "app/tabs/PhasesTab.h"
#include "app/tabs/PressureTab.h"
#include "app/tabs/RockInputTab.h"
#include "app/tabs/WaterTab.h"
#include "ui/InputBox.h"
#include "ui/MessageService.h"
#include "ui/QtFileDialogService.h"
#include "writers/ui/frmECL.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStringList>
#include <QTabWidget>

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
    bool AskYesNo(const QString& m, const QString& t) override {
        std::printf("question [%s] %s -> Yes\n", qPrintable(t), qPrintable(m));
        return true;
    }
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(out);
    PrintingMessages messages;
    q7::frmMain window(messages);
    if (argc > 2) {
        const QStringList size = QString::fromLocal8Bit(argv[2]).split(QLatin1Char('x'));
        if (size.size() == 2) window.resize(size[0].toInt(), size[1].toInt());
    }
    window.show();
    window.activateWindow();
    QApplication::processEvents();
    const q7::MainControls& ui = window.Controls();
    auto shoot = [&](const QString& name) {
        // Twice: the plots draw once the computation is over, and lay themselves out after that.
        QApplication::processEvents();
        QApplication::processEvents();
        window.grab().save(out + QLatin1Char('/') + name + QStringLiteral(".png"));
    };
    shoot(QStringLiteral("tab0-title"));
    // The defaults (oil only): Calc Pbp, Proceed, Fluid Properties.
    ui.sstMain->setCurrentIndex(q7::kTabOil);
    ui.oil->cmdCalcPbp->click();
    ui.oil->cmdProceed->click();
    ui.sstMain->setCurrentIndex(q7::kTabFluidProps);
    shoot(QStringLiteral("main-window"));
    // Then every phase, for the other tabs and the three tables.
    ui.sstMain->setCurrentIndex(q7::kTabPhases);
    ui.phases->cbxFPP[1]->setChecked(true);
    ui.phases->cbxFPP[2]->setChecked(true);
    shoot(QStringLiteral("tab1-phases"));
    ui.sstMain->setCurrentIndex(q7::kTabPressure);
    shoot(QStringLiteral("tab2-pressure"));
    ui.sstMain->setCurrentIndex(q7::kTabOil);
    ui.oil->cmdCalcPbp->click();
    ui.oil->cmdProceed->click();
    shoot(QStringLiteral("tab3-oil"));
    ui.sstMain->setCurrentIndex(q7::kTabGas);
    shoot(QStringLiteral("tab4-gas"));
    ui.sstMain->setCurrentIndex(q7::kTabWater);
    shoot(QStringLiteral("tab5-water"));
    ui.sstMain->setCurrentIndex(q7::kTabFluidProps);
    for (int sub : {q7::kFluidOil, q7::kFluidGas, q7::kFluidWater}) {
        ui.sstFluid->setCurrentIndex(sub);
        shoot(QStringLiteral("tab6-fluid-") + ui.sstFluid->tabText(sub).toLower());
    }
    ui.sstMain->setCurrentIndex(q7::kTabRockInput);
    shoot(QStringLiteral("tab7-rock-input"));
    ui.sstMain->setCurrentIndex(q7::kTabRockProps);
    shoot(QStringLiteral("tab8-rock-properties"));
    // Both tables from one rock, with a Brooks-Corey oil-water capillary pressure.
    ui.sstMain->setCurrentIndex(q7::kTabRockInput);
    ui.rockInput->optType[1]->click();
    ui.rockInput->optRockBoth->click();
    ui.rockInput->cboPcowModel->setCurrentIndex(2);
    shoot(QStringLiteral("tab7-rock-input-both"));
    ui.sstMain->setCurrentIndex(q7::kTabRockProps);
    shoot(QStringLiteral("tab8-rock-properties-both"));

    // The export dialogs over the window, as the whole screen shows them.
    auto shootScreen = [&](QDialog& dialog, const QString& name) {
        dialog.show();
        dialog.activateWindow();
        QApplication::processEvents();
        QApplication::processEvents();
        QGuiApplication::primaryScreen()->grabWindow(0).save(out + QLatin1Char('/') + name +
                                                             QStringLiteral(".png"));
        dialog.hide();
    };
    q7::QtFileDialogService files;
    const q7::OutputDialogHost host{window.Objects(), messages, files};
    q7::EclipseUnits units = q7::EclipseUnits::Metric;
    q7::frmECL ecl(host, &window, &units);
    shootScreen(ecl, QStringLiteral("export-eclipse-metric"));
    // With a project database (Q7_DATABASE), its projects ticked from the last to the first.
    if (window.Controls().mnuEclipseProjects->isVisible()) {
        q7::frmECLProjects several(window.Database(), messages, &window, &units);
        auto* list = several.findChild<QListWidget*>(QStringLiteral("lstProjects"));
        for (int row = list->count() - 1; row >= 0; --row)
            list->item(row)->setCheckState(Qt::Checked);
        shootScreen(several, QStringLiteral("export-several-projects"));
    }

    // Laboratory data: the frame filled in, then the oil table matched to it with the measured
    // points on its plots.
    ui.sstMain->setCurrentIndex(q7::kTabOil);
    ui.oil->txtLabPb->setText(QStringLiteral("2450"));
    ui.oil->txtLabRsb->setText(QStringLiteral("700"));
    ui.oil->txtLabBob->setText(QStringLiteral("1.385"));
    ui.oil->txtLabMuob->setText(QStringLiteral("0.62"));
    shoot(QStringLiteral("tab3-oil-lab"));
    ui.sstMain->setCurrentIndex(q7::kTabFluidProps);
    ui.sstFluid->setCurrentIndex(q7::kFluidOil);
    shoot(QStringLiteral("tab6-fluid-oil-lab"));
    return 0;
}

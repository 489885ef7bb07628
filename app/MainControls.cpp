#include "app/MainControls.h"

#include "app/ResultPlots.h"
#include "app/tabs/GasTab.h"
#include "app/tabs/OilTab.h"
#include "app/tabs/PhasesTab.h"
#include "app/tabs/PressureTab.h"
#include "app/tabs/RockInputTab.h"
#include "app/tabs/TabBuilder.h"
#include "app/tabs/WaterTab.h"
#include "ui/FlexGrid.h"
#include "ui/SpanHeading.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QTabWidget>
#include <QVBoxLayout>

namespace q7 {

void BuildMenus(QMainWindow& window, MainControls& ui) {
    QMenuBar* bar = window.menuBar();
    auto action = [&window](QMenu* menu, const char* name, const QString& caption) {
        QAction* a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setParent(&window);
        return a;
    };

    ui.muFile = bar->addMenu(QStringLiteral("&File"));
    ui.muFile->setObjectName(QStringLiteral("muFile"));
    ui.mnuPrint = action(ui.muFile, "mnuPrint", QStringLiteral("&Report"));
    ui.mnuExport = ui.muFile->addMenu(QStringLiteral("&Export"));
    ui.mnuExport->setObjectName(QStringLiteral("mnuExport"));
    ui.mnuCSV = action(ui.mnuExport, "mnuCSV", QStringLiteral("&Comma Delimited (.csv)"));
    ui.mnuEclipse = action(ui.mnuExport, "mnuEclipse", QStringLiteral("&Eclipse"));
    ui.mnuEclipseProjects =
        action(ui.mnuExport, "mnuEclipseProjects", QStringLiteral("Eclipse, &Several Projects..."));
    ui.mnuEclipseProjects->setVisible(false);
    ui.mnuBar5 = ui.muFile->addSeparator();
    ui.mnuBar5->setObjectName(QStringLiteral("mnuBar5"));
    ui.mnuExit = action(ui.muFile, "mnuExit", QStringLiteral("E&xit"));

    ui.mnuProj = bar->addMenu(QStringLiteral("&Project"));
    ui.mnuProj->setObjectName(QStringLiteral("mnuProj"));
    ui.mnuOpen = action(ui.mnuProj, "mnuOpen", QStringLiteral("&Open"));
    ui.mnuEdit = action(ui.mnuProj, "mnuEdit", QStringLiteral("&Edit"));
    ui.mnuNew = action(ui.mnuProj, "mnuNew", QStringLiteral("&New"));
    ui.mnuClose = action(ui.mnuProj, "mnuClose", QStringLiteral("&Close"));
    ui.mnuDelete = action(ui.mnuProj, "mnuDelete", QStringLiteral("&Delete"));

    ui.mnuHelp = bar->addMenu(QStringLiteral("&Help"));
    ui.mnuHelp->setObjectName(QStringLiteral("mnuHelp"));
    ui.mnuUserGuide = action(ui.mnuHelp, "mnuUserGuide", QStringLiteral("&User Guide"));
    ui.mnuUserGuide->setShortcut(QKeySequence::HelpContents);
    ui.mnuAbout = action(ui.mnuHelp, "mnuAbout", QStringLiteral("&About"));

    // Design state.
    ui.mnuPrint->setEnabled(false);
    ui.mnuCSV->setEnabled(false);
    ui.mnuEclipse->setEnabled(false);
    ui.mnuEdit->setEnabled(false);
    ui.mnuClose->setEnabled(false);
}

// A result grid (under its span headings, if any) on the left of a splitter, its plots on the
// right.
QSplitter* GridBesidePlot(SpanHeading* heading, FlexGrid* grid, PlotPane* plot) {
    auto* table = new QWidget;
    auto* layout = new QVBoxLayout(table);
    layout->setContentsMargins(0, 0, 0, 0);
    if (heading) layout->addWidget(heading);
    layout->addWidget(grid, 1);
    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("spl") + grid->objectName().mid(3));
    splitter->setChildrenCollapsible(false);
    splitter->addWidget(table);
    // The charts keep the height their ticks and axis titles need; a window too short for all of
    // them scrolls them instead of growing past the screen.
    auto* charts = new QScrollArea;
    charts->setObjectName(QStringLiteral("scr") + grid->objectName().mid(3));
    charts->setWidgetResizable(true);
    charts->setFrameShape(QFrame::NoFrame);
    charts->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    charts->setWidget(plot);
    charts->setMinimumWidth(plot->minimumSizeHint().width() +
                            charts->verticalScrollBar()->sizeHint().width());
    splitter->addWidget(charts);
    // A wider window widens the plots; the grid's columns would not use the room.
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    return splitter;
}

void BuildMainControls(QMainWindow& window, MainControls& ui, const TabContext& context) {
    TabBuilder b(window);
    BuildMenus(window, ui);

    auto* central = new QWidget;
    central->setObjectName(QStringLiteral("centralWidget"));
    auto* centralLayout = new QVBoxLayout(central);

    ui.txtProject = new QLineEdit;
    ui.txtProject->setObjectName(QStringLiteral("txtProject"));
    ui.txtProject->setReadOnly(true);
    ui.txtProject->setFocusPolicy(Qt::NoFocus);
    QFont bold = ui.txtProject->font();
    bold.setBold(true);
    ui.txtProject->setFont(bold);
    centralLayout->addWidget(ui.txtProject);

    ui.sstMain = new QTabWidget;
    ui.sstMain->setObjectName(QStringLiteral("sstMain"));
    // Every tab caption stays visible: the window is at least as wide as the tab row.
    ui.sstMain->setUsesScrollButtons(false);
    ui.sstMain->setElideMode(Qt::ElideNone);
    centralLayout->addWidget(ui.sstMain, 1);
    window.setCentralWidget(central);

    // In the order of MainTab.
    BuildTitleTab(ui);
    ui.sstMain->addTab(ui.phases = new PhasesTab(context), QStringLiteral("Phases Present"));
    ui.sstMain->addTab(ui.pressure = new PressureTab(context), QStringLiteral("Pressure Input"));
    ui.sstMain->addTab(ui.oil = new OilTab(context), QStringLiteral("Oil Input"));
    ui.sstMain->addTab(ui.gas = new GasTab(context), QStringLiteral("Gas Input"));
    ui.sstMain->addTab(ui.water = new WaterTab(context), QStringLiteral("Water Input"));
    BuildFluidPropsTab(b, ui);
    ui.sstMain->addTab(ui.rockInput = new RockInputTab(context), QStringLiteral("Rock Input"));
    BuildRockPropsTab(b, ui);
}

} // namespace q7
